#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/FileUtil.h"
#include "foundation/SysUtil.h"
#include "foundation/TextSearch.h"
#include "support/TempDir.h"

namespace tav {
namespace {

using Seg = IndexedSegment;

TEST(SysUtil, IndexedTextMarkup) {
  const struct {
    const char* in;
    std::vector<Seg> out;
  } cases[] = {
      {"kWh", {{"kWh", Seg::Normal}}},
      {"m{/2}", {{"m", Seg::Normal}, {"2", Seg::Hoch}}},
      {"CO{\\2}-Ausstoß", {{"CO", Seg::Normal}, {"2", Seg::Tief}, {"-Ausstoß", Seg::Normal}}},
      {"m{/2} CO{\\2}", {{"m", Seg::Normal}, {"2", Seg::Hoch}, {" CO", Seg::Normal},
                          {"2", Seg::Tief}}},
      {"x{/23", {{"x", Seg::Normal}, {"23", Seg::Hoch}}},  // unclosed: runs to the end
      {"a{/}b", {{"a{/}b", Seg::Normal}}},                 // empty inner text: unchanged
      {"{/n}", {{"n", Seg::Hoch}}},
      {"m{", {{"m{", Seg::Normal}}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitIndexedText(c.in), c.out) << c.in;
}

TEST(SysUtil, PathsAndVersions) {
  const struct { const char* a; const char* b; const char* joined; } paths[] = {
      {"/daten/", "/Koll.dat", "/daten/Koll.dat"}, {"/daten", "Koll.dat", "/daten/Koll.dat"},
      {"/daten/", "Koll.dat", "/daten/Koll.dat"},  {"/daten", "/Koll.dat", "/daten/Koll.dat"},
      {"", "Koll.dat", "Koll.dat"},                {"/daten", "", "/daten"},
  };
  for (const auto& p : paths) EXPECT_EQ(JoinPath(p.a, p.b), p.joined) << p.a << " + " << p.b;

  const struct { const char* text; double value; } versions[] = {
      {"3.0.1.5", 3.0}, {"2.12", 2.12}, {"7", 7.0}, {"", 888.8}, {"x.1", 888.8}, {"3.a.1", 888.8},
  };
  for (const auto& v : versions) EXPECT_DOUBLE_EQ(VersionStrToFloat(v.text), v.value) << v.text;
  EXPECT_DOUBLE_EQ(VersionStrToFloat(FileVersionStr()), VersionStrToFloat(FileVersionShort()));

  EXPECT_EQ(RemoveDots("Tav.rel 3.0"), "Tavrel 30");
  EXPECT_EQ(BlanksToPercent20("Mein Ordner/a b"), "Mein%20Ordner/a%20b");
}

TEST(SysUtil, GreyValueIsTheWeightedSum) {
  EXPECT_EQ(GreyValue(0, 0, 0), 0);
  EXPECT_EQ(GreyValue(255, 255, 255), 255);
  EXPECT_EQ(GreyValue(255, 0, 0), 77);   // 76.5 rounds up
  EXPECT_EQ(GreyValue(0, 255, 0), 150);  // 150.45
  EXPECT_EQ(GreyValue(0, 0, 255), 28);   // 28.05
  EXPECT_EQ(GreyValue(10, 20, 30), 18);  // 3 + 11.8 + 3.3
}

TEST(SysUtil, NearestFontSearchesEveryInstalledFont) {
  const std::vector<std::string> fonts = {"Arial", "DejaVu Sans", "Liberation Serif"};
  EXPECT_EQ(PickNearestFont("DejaVu Sans", fonts), "DejaVu Sans");
  EXPECT_EQ(PickNearestFont("Arail", fonts), "Arial");  // the first one can win
  EXPECT_EQ(PickNearestFont("Liberation Sans", fonts), "Liberation Serif");
  EXPECT_EQ(PickNearestFont("Arial", {}), "Arial");
}

TEST(TextSearch, FindNextWrapsRoundAndVisitsEveryRowOnce) {
  const std::vector<std::string> rows = {"Kopf", "Berlin", "Bremen", "München", "Straße 5",
                                         "bern"};
  const struct {
    int first, current;
    const char* term;
    std::optional<int> hit;
  } cases[] = {
      {1, 1, "BER", 5},        // next after the current row
      {1, 5, "ber", 1},        // wraps to the first searchable row
      {1, 2, "bremen", 2},     // the current row itself comes last
      {1, 0, "kopf", std::nullopt},  // the header row is not searched
      {1, 1, "MÜN", 3},        // umlauts without regard to case
      {1, 1, "STRASSE", 4},    // ß matches SS
      {1, 1, "straße", 4},
      {1, 1, "Hamburg", std::nullopt},
      {1, 1, "", std::nullopt},
      {1, 99, "Berlin", 1},    // a current row outside the list starts at the first
      {0, 0, "kopf", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindNextRow(rows, c.first, c.current, c.term), c.hit) << c.term << " " << c.current;
  }
  EXPECT_EQ(FindNextRow({}, 0, 0, "x"), std::nullopt);
  EXPECT_EQ(FindNextRow({"Kopf"}, 1, 0, "Kopf"), std::nullopt);  // a grid without data rows
  EXPECT_EQ(FindNextRow({"Eins"}, 0, 0, "eins"), 0);             // one row finds itself
}


TEST(SysUtil, FileDateSetIsTheDateRead) {
  test::TempDir dir;
  dir.Write("a.dat", "x");
  const std::string file = (dir / "a.dat").string();
  for (double d : {45000.0, 45123.75, 36526.5 + 1.0 / 86400.0}) {
    ASSERT_TRUE(SetFileDateOf(file, d));
    EXPECT_NEAR(FileDateOf(file), d, 1e-6) << d;
  }
  EXPECT_FALSE(SetFileDateOf((dir / "missing.dat").string(), 45000.0));
}

}  // namespace
}  // namespace tav
