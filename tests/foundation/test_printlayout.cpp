// Page metrics, the header-text file and the logo geometry of every printout.
#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/PrintLayout.h"
#include "foundation/TextTable.h"
#include "support/TempDir.h"

namespace tav {
namespace {

TEST(PrintLayout, PageMetricsFollowThePage) {
  struct Fall {
    int w, h, zh, zk, rl, rr, mass, stift;
  };
  const Fall faelle[] = {
      {4961, 7016, 113, 103, 490, 4618, 640, 2},  // A4 at 600 dpi
      {2480, 3508, 56, 51, 240, 2312, 320, 1},    // A4 at 300 dpi
      {9922, 14032, 226, 206, 990, 9229, 1280, 3},  // A4 at 1200 dpi
      {7016, 4961, 80, 72, 700, 6526, 640, 2},    // landscape: the measure from the height
  };
  for (const auto& f : faelle) {
    PrintState p;
    BerechneSeitenMasse(p, f.w, f.h);
    EXPECT_EQ(p.ZeilenHoehe, f.zh) << f.w;
    EXPECT_EQ(p.ZeilenHoeheKlein, f.zk) << f.w;
    EXPECT_EQ(p.RandLinks, f.rl) << f.w;
    EXPECT_EQ(p.RandRechts, f.rr) << f.w;
    EXPECT_EQ(p.SeitenMass, f.mass) << f.w;
    EXPECT_EQ(p.StiftFaktor, f.stift) << f.w;
  }
}

TEST(PrintLayout, SafeDivNeverGivesInfinity) {
  EXPECT_DOUBLE_EQ(SafeDiv(1, 4), 0.25);
  EXPECT_DOUBLE_EQ(SafeDiv(1, 0), 0.0);
  EXPECT_DOUBLE_EQ(SafeDiv(1, 0, -1), -1.0);
  EXPECT_DOUBLE_EQ(SafeDiv(1e308, 1e-308, 7), 7.0);
}

TEST(PrintLayout, HeaderFileRoundTrip) {
  test::TempDir dir;
  // Missing: the hint line.
  EXPECT_EQ(LoadHeaderLines(dir.path()), std::vector<std::string>{T(TX::KopftxtHinweis)});
  // Six lines (code page 1252) written; four are read.
  ASSERT_TRUE(SaveHeaderLines(dir.path(), {"Müller GmbH", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(dir.Read("Kopf.txt"), "M\xFCller GmbH\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
  const std::vector<std::string> vier{"Müller GmbH", "2", "3", "4"};
  EXPECT_EQ(LoadHeaderLines(dir.path()), vier);
  // An empty memo writes one empty line.
  ASSERT_TRUE(SaveHeaderLines(dir.path(), {}));
  EXPECT_EQ(dir.Read("Kopf.txt"), "\r\n");
  // LF-only files read as well.
  dir.Write("Kopf.txt", "a\nb\n");
  EXPECT_EQ(LoadHeaderLines(dir.path()), (std::vector<std::string>{"a", "b"}));
}

// The default header is the hint of the language in use; the German hint stored unchanged
// (the print set-up confirmed without edits) is no text of the user's and follows the language.
TEST(PrintLayout, DefaultHeaderSpeaksTheCurrentLanguage) {
  test::TempDir dir;
  const std::string deutsch = T(TX::KopftxtHinweis);
  ASSERT_TRUE(Texts().LoadTexts(std::filesystem::path(TAV_LANG_DIR) / "english.dat"));
  const std::string englisch = T(TX::KopftxtHinweis);
  EXPECT_NE(englisch, deutsch);
  EXPECT_EQ(LoadHeaderLines(dir.path()), std::vector<std::string>{englisch});
  ASSERT_TRUE(SaveHeaderLines(dir.path(), {deutsch}));
  EXPECT_EQ(LoadHeaderLines(dir.path()), std::vector<std::string>{englisch});
  ASSERT_TRUE(SaveHeaderLines(dir.path(), {deutsch, "Müller GmbH"}));  // the user's own lines
  EXPECT_EQ(LoadHeaderLines(dir.path()), (std::vector<std::string>{deutsch, "Müller GmbH"}));
  Texts().LoadDefaults();
}

TEST(PrintLayout, LogoGeometry) {
  EXPECT_EQ(LogoVorschau(1000, 100).Breite, 500);
  EXPECT_EQ(LogoVorschau(1000, 100).Hoehe, 50);
  EXPECT_EQ(LogoVorschau(300, 150).Breite, 200);
  EXPECT_EQ(LogoVorschau(300, 150).Hoehe, 100);
  EXPECT_EQ(LogoVorschau(300, 0).Breite, 0);
  // Square logo in a wide box: box height both ways; a very wide one: exactly the box width.
  EXPECT_EQ(LogoImKasten(1376, 350, 200, 200).Breite, 350);
  EXPECT_EQ(LogoImKasten(1376, 350, 200, 200).Hoehe, 350);
  EXPECT_EQ(LogoImKasten(1376, 350, 10000, 100).Breite, 1376);
  EXPECT_LT(LogoImKasten(1376, 350, 10000, 100).Hoehe, 350);
  EXPECT_EQ(LogoImKasten(1376, 350, 0, 100).Breite, 0);
}

}  // namespace
}  // namespace tav
