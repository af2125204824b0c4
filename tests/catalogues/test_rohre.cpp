// The pipe catalogue: the built-in file, reading, the 25-pipe limit, resolution of the
// project's pipe and the current pipe values.

#include <gtest/gtest.h>

#include "catalogues/Rohre.h"
#include "foundation/CodePage.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

struct RohrFixture : OrteFixture {
  void Lies(const std::string& typ) {
    s().plant.RohrTyp = typ;
    ReadRohre(s(), status);
  }
};

std::string Rohrabschnitte(int anzahl) {
  std::string t;
  for (int n = 1; n <= anzahl; ++n)
    t += "[R" + std::to_string(n) + "]\r\nRohrName=Rohr " + std::to_string(n) + "\r\nInnenDm=" +
         std::to_string(10 + n) + "\r\n\r\n";
  return t;
}

TEST(RohrDatei, MissingFileIsWrittenExactlyAndInitTakesPipeTwoSilently) {
  RohrFixture f;
  f.Lies("*init*");
  EXPECT_EQ(f.dir.Read("Rohr.dat"),
            "[Rohr Inox 1]\r\nRohrName=Edelstahlwellrohr, DN 16\r\nAussenDm=20\r\nInnenDm=18,44\r\nMeterkWert=0,20\r\n\r\n"
            "[Rohr Inox 2]\r\nRohrName=Edelstahlwellrohr, DN 20\r\nAussenDm=22\r\nInnenDm=20,62\r\nMeterkWert=0,22\r\n\r\n"
            "[Rohr Inox 3]\r\nRohrName=Edelstahlwellrohr, DN 25\r\nAussenDm=28\r\nInnenDm=25,5\r\nMeterkWert=0,24\r\n\r\n"
            "[Rohr Cu 1]\r\nRohrName=Cu-Rohr, 15 mm\r\nAussenDm=15\r\nInnenDm=13\r\nMeterkWert=0,18\r\n\r\n"
            "[Rohr Cu 2]\r\nRohrName=Cu-Rohr, 18 mm\r\nAussenDm=18\r\nInnenDm=16\r\nMeterkWert=0,22\r\n\r\n"
            "[Rohr Cu 3]\r\nRohrName=Cu-Rohr, 22 mm\r\nAussenDm=22\r\nInnenDm=20\r\nMeterkWert=0,22\r\n\r\n"
            "[Rohr Cu 4]\r\nRohrName=Cu-Rohr, 28 mm\r\nAussenDm=28\r\nInnenDm=25\r\nMeterkWert=0,24\r\n\r\n"
            "[Rohr Cu 5]\r\nRohrName=Cu-Rohr, 35 mm\r\nAussenDm=35\r\nInnenDm=32\r\nMeterkWert=0,25\r\n\r\n");
  const CatalogueState& c = f.s().cat;
  ASSERT_EQ(c.RohrAnzahl, 8);
  EXPECT_EQ(c.Rohre[8].RohrName, "Cu-Rohr, 35 mm");
  EXPECT_FLOAT_EQ(c.Rohre[1].InnenDm, 18.44f);
  const PlantState& p = f.s().plant;
  EXPECT_EQ(p.RohrNr, 2);
  EXPECT_EQ(p.RohrTyp, "Edelstahlwellrohr, DN 20");
  EXPECT_FLOAT_EQ(p.RohrAussenDm, 22.0f);
  EXPECT_FLOAT_EQ(p.RohrInnenDm, 20.62f);
  EXPECT_FLOAT_EQ(p.RohrMeterkWert, 0.22f);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(RohrDatei, FluidContentOfASixteenMillimetrePipe) {
  PlantState p;
  p.RohrInnenDm = 16.0f;
  EXPECT_NEAR(RohrLiterProMeter(p), 0.2011f, 0.00005f);
  p.RohrInnenDm = 32.0f;  // four times the cross-section
  EXPECT_NEAR(RohrLiterProMeter(p), 4.0f * 0.20106f, 0.0002f);
}

TEST(RohrDatei, FilesOfEverySizeResolveAsExpected) {
  const struct {
    const char* fall;
    std::string text;
    std::string typ;
    int anzahl;
    int nr;
    const char* meldung;
  } faelle[] = {
      {"exact, last of equals", Rohrabschnitte(3) + "[X]\r\nRohrName=Rohr 1\r\n", "Rohr 1", 4, 4, ""},
      {"unknown name: pipe 2", Rohrabschnitte(3), "Unbekannt", 3, 2,
       "\"Unbekannt\" nicht gefunden\ngewählt: Rohr 2"},
      {"30 sections cut to 25 silently", Rohrabschnitte(30), "Rohr 25", 25, 25, ""},
      {"one pipe only", Rohrabschnitte(1), "Unbekannt", 1, 1,
       "\"Unbekannt\" nicht gefunden\ngewählt: Rohr 1"},
      {"defaults", "[A]\r\n[B]\r\n[C]\r\n", "*init*", 3, 2, ""},
      {"same section name twice", "[R]\r\nRohrName=Eins\r\n[R]\r\nRohrName=Zwei\r\n", "Zwei", 2, 2, ""},
  };
  for (const auto& e : faelle) {
    RohrFixture f;
    f.dir.Write("Rohr.dat", e.text);
    f.Lies(e.typ);
    EXPECT_EQ(f.s().cat.RohrAnzahl, e.anzahl) << e.fall;
    EXPECT_EQ(f.s().plant.RohrNr, e.nr) << e.fall;
    EXPECT_EQ(f.s().plant.RohrTyp, f.s().cat.Rohre[static_cast<std::size_t>(e.nr)].RohrName) << e.fall;
    if (*e.meldung) {
      ASSERT_EQ(f.msgs->shown.size(), 1u) << e.fall << f.msgs->All();
      EXPECT_EQ(f.msgs->shown[0].text, e.meldung) << e.fall;
    } else {
      EXPECT_TRUE(f.msgs->shown.empty()) << e.fall << f.msgs->All();
    }
    EXPECT_EQ(f.dir.Read("Rohr.dat"), e.text) << e.fall;
  }
  // Section defaults: "Rohr " + n with one decimal and the standard dimensions.
  RohrFixture f;
  f.dir.Write("Rohr.dat", "[A]\r\n[B]\r\n[C]\r\n");
  f.Lies("*init*");
  EXPECT_EQ(f.s().cat.Rohre[3].RohrName, "Rohr 3.0");
  EXPECT_FLOAT_EQ(f.s().plant.RohrAussenDm, 18.0f);
  EXPECT_FLOAT_EQ(f.s().plant.RohrInnenDm, 16.0f);
  EXPECT_FLOAT_EQ(f.s().plant.RohrMeterkWert, 0.22f);
}

TEST(RohrDatei, BadFilesAreReportedAndLeftUntouched) {
  {
    RohrFixture f;
    const std::string text = "[Rohr A]\r\nRohrName=A\r\nInnenDm=1x\r\n[Rohr B]\r\nRohrName=B\r\nInnenDm=12.5\r\n";
    f.dir.Write("Rohr.dat", text);
    f.Lies("B");
    EXPECT_EQ(f.s().plant.RohrNr, 2);
    EXPECT_FLOAT_EQ(f.s().plant.RohrInnenDm, 12.5f);  // a decimal point is read too
    EXPECT_FLOAT_EQ(f.s().cat.Rohre[1].InnenDm, 16.0f);
    EXPECT_TRUE(f.msgs->Contains("Zahlenangaben bei Rohr A prüfen!")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains((f.dir / "Rohr.dat").string())) << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Rohr.dat"), text);
  }
  {
    // No section at all: the built-in pipes serve in memory, the file stays.
    RohrFixture f;
    f.dir.Write("Rohr.dat", "kein Abschnitt\r\n");
    f.Lies("*init*");
    EXPECT_EQ(f.s().cat.RohrAnzahl, 8);
    EXPECT_EQ(f.s().plant.RohrNr, 2);
    EXPECT_TRUE(f.msgs->Contains("Keine Rohrdaten gefunden")) << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Rohr.dat"), "kein Abschnitt\r\n");
  }
  {
    // An empty file counts as missing.
    RohrFixture f;
    f.dir.Write("Rohr.dat", "");
    f.Lies("*init*");
    EXPECT_EQ(f.s().cat.RohrAnzahl, 8);
    EXPECT_EQ(f.dir.Read("Rohr.dat"), EncodeCodePage(RohreBuiltInText(), CodePage::Cp1252));
  }
}

}  // namespace
}  // namespace tav::test
