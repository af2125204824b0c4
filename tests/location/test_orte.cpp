// The location catalogue file: format, built-in rows, reading, resolution, import and the
// handling of bad files.

#include <gtest/gtest.h>

#include <filesystem>

#include "location/Orte.h"
#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "catalogues/test_orte_hilfen.h"

namespace tav::test {
namespace {

std::string Abschnitt(const TOrt& o, int n) {
  std::string t;
  AppendOrtSection(t, n, o);
  return t;
}

TEST(OrteFormat, FreiburgSectionIsWrittenExactly) {
  const std::vector<TOrt> rows = BuiltInOrte();
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(Abschnitt(rows[5], 6),
            "[Ort 6]\r\n"
            "Name=Freiburg\r\n"
            "Land=\r\n"
            "PLZ=79\r\n"
            "GeoBreite=48,0\r\n"
            "GeoLaenge= 7,9\r\n"
            "Hoehe= 269\r\n"
            "Einstrahlung=  1,05  1,71  2,87  4,14  4,94  5,73  5,61  4,55  3,77  2,23  1,16  0,82\r\n"
            "LuftTemp=  1,00  1,90  6,20 10,20 14,40 17,50 19,30 18,60 15,50  9,90  5,20  1,80\r\n"
            "wsTempZone=6\r\n"
            "Zeitzone=1\r\n"
            "\r\n");
}

TEST(OrteFormat, NarrowAndFullWidthValues) {
  TOrt o = BuiltInOrte()[0];  // Hitzacker, 14 m
  o.LuftTemp[1] = -12.5;
  o.LuftTemp[2] = -0.9;
  o.LuftTemp[3] = 10.2;
  o.LuftTemp[4] = -40;
  o.Einstrahlung[1] = 1000;
  o.Zeitzone = -5;
  const std::string t = Abschnitt(o, 1);
  EXPECT_NE(t.find("\r\nHoehe=  14\r\n"), std::string::npos) << t;
  EXPECT_NE(t.find("\r\nLuftTemp= -12,50 -0,90 10,20 -40,00"), std::string::npos) << t;
  EXPECT_NE(t.find("\r\nEinstrahlung= 1000,00  1,15"), std::string::npos) << t;
  EXPECT_NE(t.find("\r\nZeitzone=-5\r\n"), std::string::npos) << t;
}

TEST(OrteFormat, CalcZeitzoneRoundsHalvesAwayFromZero) {
  const struct {
    float laenge;
    int zone;
  } faelle[] = {{13.7f, 1}, {-0.5f, 0}, {-8.0f, -1}, {7.5f, 1}, {7.4f, 0},
                {-7.5f, -1}, {0.0f, 0},  {180.0f, 12}, {-180.0f, -12},
                {1.0e30f, 12}, {-1.0e30f, -12}};
  for (const auto& f : faelle) EXPECT_EQ(CalcZeitzone(f.laenge), f.zone) << f.laenge;
}

TEST(OrteFormat, CalcLandSplitsThePostcode) {
  const struct {
    const char* plz;
    float laenge;
    const char* land;
    const char* rest;
  } faelle[] = {
      {"A-1010", 16.4f, "A", "1010"},   {"12345", 20.0f, "PL", "12345"},
      {"12345", 14.8f, "PL", "12345"},  {"12345", 14.79f, "D", "12345"},
      {"FIN - 00100", 25.0f, "FIN", "00100"}, {"D-79100", 7.9f, "D", "79100"},
      {"Ä-1", 7.0f, "Ä", "1"},          {"", 7.0f, "D", ""},
  };
  for (const auto& f : faelle) {
    TOrt o;
    o.PLZ = f.plz;
    o.GeoLaenge = f.laenge;
    CalcLand(o);
    EXPECT_EQ(o.Land, f.land) << f.plz;
    EXPECT_EQ(o.PLZ, f.rest) << f.plz;
  }
}

TEST(OrteDatei, MissingFileIsRebuiltAndTheProjectLocationSelected) {
  OrteFixture f;
  f.s().plant.Standort = "Freiburg";
  ReadOrte(f.s(), f.env);
  ASSERT_TRUE(std::filesystem::exists(f.orteDatei()));
  EXPECT_EQ(f.s().cat.OrtAnzahl, 6);
  for (int n = 1; n <= 6; ++n) {
    const TOrt& o = f.s().cat.Orte[n];
    EXPECT_EQ(o.Land, "") << n;
    EXPECT_EQ(o.Zeitzone, 1) << n;
    EXPECT_EQ(o.wsTempZone, 6) << n;
  }
  EXPECT_EQ(f.s().plant.OrtNr, 6);
  EXPECT_EQ(f.s().loc.OrtHoehe, 269);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  EXPECT_EQ(f.synthese.aufrufe, 1);
}

TEST(OrteDatei, WriteReadWriteGivesEqualValuesAndEqualBytes) {
  OrteFixture f;
  TavState& s = f.s();
  std::vector<TOrt> rows = BuiltInOrte();
  rows.push_back(BeispielOrt("Ägidienberg Straße", -33.9f, -70.6f));
  rows.back().LuftTemp[1] = -12.5;
  rows.back().LuftTemp[2] = -40;
  rows.back().Einstrahlung[3] = 1000;
  rows.back().Hoehe = -5;
  rows.back().Zeitzone = -4;
  s.cat.OrtAnzahl = static_cast<int>(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) s.cat.Orte[i + 1] = rows[i];
  ASSERT_TRUE(WriteOrte(s, f.status));
  const std::string erstesMal = f.dir.Read("Orte.dat");
  // The file is in the Windows code page.
  EXPECT_NE(erstesMal.find("Name=\xC4gidienberg Stra\xDF" "e\r\n"), std::string::npos);

  auto zweiter = std::make_unique<TavState>();
  zweiter->folders.DatenDir = s.folders.DatenDir;
  zweiter->plant.Standort = "Hitzacker";
  OrtUmgebung env{f.status, f.synthese};
  ReadOrte(*zweiter, env);
  ASSERT_EQ(zweiter->cat.OrtAnzahl, s.cat.OrtAnzahl);
  for (int n = 1; n <= s.cat.OrtAnzahl; ++n) {
    const TOrt& a = s.cat.Orte[n];
    const TOrt& b = zweiter->cat.Orte[n];
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Land, b.Land);
    EXPECT_EQ(a.PLZ, b.PLZ);
    EXPECT_FLOAT_EQ(a.GeoBreite, b.GeoBreite) << a.Name;
    EXPECT_FLOAT_EQ(a.GeoLaenge, b.GeoLaenge) << a.Name;
    EXPECT_EQ(a.Hoehe, b.Hoehe) << a.Name;
    for (int m = 1; m <= 12; ++m) {
      EXPECT_NEAR(a.Einstrahlung[m], b.Einstrahlung[m], 1e-9) << a.Name << " " << m;
      EXPECT_NEAR(a.LuftTemp[m], b.LuftTemp[m], 1e-9) << a.Name << " " << m;
    }
    EXPECT_EQ(a.Zeitzone, b.Zeitzone);
    EXPECT_EQ(a.wsTempZone, b.wsTempZone);
  }
  ASSERT_TRUE(WriteOrte(*zweiter, f.status));
  EXPECT_EQ(f.dir.Read("Orte.dat"), erstesMal);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(OrteDatei, LineEndsPointsAndBlanksAreRead) {
  const std::string crlf =
      "[Ort 1]\r\nName=A\r\nGeoBreite=53,1\r\nGeoLaenge= 7,9\r\nHoehe=  14\r\n"
      "Einstrahlung=  1,05  1,71  2,87  4,14  4,94  5,73  5,61  4,55  3,77  2,23  1,16  0,82\r\n"
      "LuftTemp= -12,50 -0,90 10,20 -40,00  1  2  3  4  5  6  7  8\r\n\r\n";
  std::string lf;
  for (char c : crlf)
    if (c != '\r') lf += c;
  std::string punkt = lf;
  for (char& c : punkt)
    if (c == ',') c = '.';
  for (const std::string& text : {crlf, lf, punkt}) {
    OrteFixture f;
    f.dir.Write("Orte.dat", text);
    f.s().plant.Standort = "A";
    ReadOrte(f.s(), f.env);
    ASSERT_EQ(f.s().cat.OrtAnzahl, 1);
    const TOrt& o = f.s().cat.Orte[1];
    EXPECT_FLOAT_EQ(o.GeoBreite, 53.1f);
    EXPECT_FLOAT_EQ(o.GeoLaenge, 7.9f);
    EXPECT_EQ(o.Hoehe, 14);
    EXPECT_DOUBLE_EQ(o.Einstrahlung[12], 0.82);
    EXPECT_DOUBLE_EQ(o.LuftTemp[1], -12.5);
    EXPECT_DOUBLE_EQ(o.LuftTemp[4], -40.0);
    // Missing keys: derived time zone and country, default temperature zone.
    EXPECT_EQ(o.Zeitzone, 1);
    EXPECT_EQ(o.Land, "D");
    EXPECT_EQ(o.wsTempZone, 6);
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  }
}

TEST(OrteDatei, MissingKeysGetTheirDefaults) {
  OrteFixture f;
  f.dir.Write("Orte.dat", "[Ort 1]\r\nName=Ohne\r\n[Ort 2]\r\nPLZ=A-1010\r\n"
                          "Einstrahlung=" + std::string(12 * 6, ' ') + "\r\n");
  f.s().plant.Standort = "Ohne";
  ReadOrte(f.s(), f.env);
  ASSERT_EQ(f.s().cat.OrtAnzahl, 2);
  const TOrt& a = f.s().cat.Orte[1];
  EXPECT_FLOAT_EQ(a.GeoBreite, 50.0f);
  EXPECT_FLOAT_EQ(a.GeoLaenge, 10.0f);
  EXPECT_EQ(a.Hoehe, 50);
  EXPECT_EQ(a.Zeitzone, 1);
  EXPECT_EQ(a.Land, "D");
  EXPECT_EQ(f.s().cat.Orte[2].Name, "Ort Nr.2.0");
  EXPECT_EQ(f.s().cat.Orte[2].Land, "A");
  EXPECT_EQ(f.s().cat.Orte[2].PLZ, "1010");
  // The missing monthly lists are reported, naming both sections.
  EXPECT_TRUE(f.msgs->Contains("Zahlenangaben bei Ort 1 prüfen!")) << f.msgs->All();
  EXPECT_TRUE(f.msgs->Contains("Zahlenangaben bei Ort 2 prüfen!")) << f.msgs->All();
  // In an English session the reader says it in English, as the other catalogues do.
  OrteFixture e;
  e.dir.Write("Orte.dat", "[Ort 1]\r\nName=Ohne\r\n");
  e.s().plant.Standort = "Ohne";
  ASSERT_TRUE(Texts().LoadTexts(std::filesystem::path(TAV_LANG_DIR) / "english.dat"));
  ReadOrte(e.s(), e.env);
  Texts().LoadDefaults();
  EXPECT_TRUE(e.msgs->Contains("Check the figures of Ort 1!")) << e.msgs->All();
}

// Bad files: a message naming file and section, the file unchanged, the program goes on.
TEST(OrteDatei, MalformedFilesAreReportedAndLeftAlone) {
  const std::string gut = KatalogText(2);
  auto ersetze = [&](const std::string& alt, const std::string& neu) {
    std::string t = gut;
    t.replace(t.find(alt), alt.size(), neu);
    return t;
  };
  const struct {
    const char* fall;
    std::string text;
    const char* meldung;
    int anzahl;
  } faelle[] = {
      {"time zone out of range", ersetze("Zeitzone=1", "Zeitzone=200"), "Datenfehler bei Ort 1!", 2},
      {"temperature zone out of range", ersetze("wsTempZone=6", "wsTempZone=300"),
       "Datenfehler bei Ort 1!", 2},
      {"bad list", ersetze("Einstrahlung=  0,75", "Einstrahlung=1,0 abc"),
       "Zahlenangaben bei Ort 1 prüfen!", 2},
      {"bad number", ersetze("GeoBreite=48,0", "GeoBreite=abc"), "Zahlenangaben bei Ort 1 prüfen!",
       2},
      {"blank inside a number", ersetze("GeoBreite=48,0", "GeoBreite=4 8,0"),
       "Zahlenangaben bei Ort 1 prüfen!", 2},
      {"thirteen monthly values", ersetze("Einstrahlung=  0,75", "Einstrahlung=  0,75 1"),
       "Zahlenangaben bei Ort 1 prüfen!", 2},
      {"bad integer", ersetze("Hoehe= 269", "Hoehe=2x"), "Zahlenangaben bei Ort 1 prüfen!", 2},
      {"number beyond single precision", ersetze("GeoLaenge= 7,9", "GeoLaenge=1e39"),
       "Zahlenangaben bei Ort 1 prüfen!", 2},
      {"integer beyond its type", ersetze("Hoehe= 269", "Hoehe=99999999999"),
       "Datenfehler bei Ort 1!", 2},
      {"too many sections", KatalogText(603), "Zuviele Einträge in", 600},
      {"text without sections", "Dies ist keine Ortsdatei\r\n", "Keine Ortsdaten in", 6},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    OrteFixture f;
    f.dir.Write("Orte.dat", c.text);
    f.s().plant.Standort = "Stadt 2";
    ReadOrte(f.s(), f.env);
    EXPECT_TRUE(f.msgs->Contains(c.meldung)) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(f.orteDatei())) << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Orte.dat"), c.text);
    EXPECT_EQ(f.s().cat.OrtAnzahl, c.anzahl);
    EXPECT_GE(f.s().plant.OrtNr, 1);
  }
}

// Rewriting a catalogue that held more than the list took in asks first.
TEST(OrteDatei, RewriteThatWouldLoseEntriesAsksFirst) {
  for (const std::string& inhalt : {KatalogText(603), std::string("Keine Ortsdatei\r\n")}) {
    for (const int antwort : {mrNo, mrYes}) {
      SCOPED_TRACE(inhalt.substr(0, 20) + (antwort == mrYes ? " yes" : " no"));
      OrteFixture f;
      f.dir.Write("Orte.dat", inhalt);
      f.s().plant.Standort = "Freiburg";
      ReadOrte(f.s(), f.env);
      f.msgs->shown.clear();
      f.msgs->answers.push_back(antwort);
      EXPECT_EQ(WriteOrte(f.s(), f.status), antwort == mrYes);
      ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
      EXPECT_NE(f.msgs->shown[0].text.find("Datei trotzdem überschreiben?"), std::string::npos);
      EXPECT_EQ(f.dir.Read("Orte.dat") == inhalt, antwort == mrNo);
    }
  }
  // A catalogue read completely is rewritten without a question.
  OrteFixture f;
  f.dir.Write("Orte.dat", KatalogText(600));
  f.s().plant.Standort = "Stadt 1";
  ReadOrte(f.s(), f.env);
  EXPECT_TRUE(WriteOrte(f.s(), f.status));
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(OrteDatei, OutOfRangeValuesFallBackToSoundOnes) {
  OrteFixture f;
  std::string t = KatalogText(1);
  t.replace(t.find("Zeitzone=1"), 10, "Zeitzone=200");
  t.replace(t.find("GeoLaenge= 7,9"), 14, "GeoLaenge=-8,0");
  f.dir.Write("Orte.dat", t);
  f.s().plant.Standort = "Stadt 1";
  ReadOrte(f.s(), f.env);
  EXPECT_EQ(f.s().cat.Orte[1].Zeitzone, -1);  // derived from the longitude
}

TEST(OrteDatei, EmptyFileIsTreatedAsMissing) {
  for (const std::string& inhalt :
       {std::string(), std::string("\r\n  \r\n"), std::string("\xEF\xBB\xBF\r\n")}) {
    OrteFixture f;
    f.dir.Write("Orte.dat", inhalt);
    f.s().plant.Standort = "Solar";
    ReadOrte(f.s(), f.env);
    EXPECT_EQ(f.s().cat.OrtAnzahl, 6);
    EXPECT_EQ(f.s().plant.OrtNr, 4);
    EXPECT_NE(f.dir.Read("Orte.dat").find("[Ort 6]"), std::string::npos);
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  }
}

TEST(OrteDatei, SectionsWithTheSameNameAreAllKept) {
  OrteFixture f;
  std::string t = KatalogText(1) + KatalogText(1);
  // Second section: same section name in another case, another location.
  const std::size_t zweite = t.find("[Ort 1]", 1);
  t.replace(zweite, 7, "[ORT 1]");
  t.replace(t.find("Stadt 1", zweite), 7, "Stadt 9");
  f.dir.Write("Orte.dat", t);
  f.s().plant.Standort = "Stadt 9";
  ReadOrte(f.s(), f.env);
  ASSERT_EQ(f.s().cat.OrtAnzahl, 2);
  EXPECT_EQ(f.s().plant.OrtNr, 2);
  ASSERT_TRUE(WriteOrte(f.s(), f.status));
  const std::string neu = f.dir.Read("Orte.dat");
  EXPECT_NE(neu.find("[Ort 2]\r\nName=Stadt 9"), std::string::npos) << neu;
}

TEST(OrteDatei, ProjectLocationResolution) {
  const struct {
    const char* fall;
    std::vector<std::string> namen;
    std::string standort;
    int nr;
    bool warnung;
  } faelle[] = {
      {"exact", {"Bonn", "Köln", "Berlin"}, "Köln", 2, false},
      {"two equal names: the last", {"Bonn", "Köln", "Köln"}, "Köln", 3, false},
      {"case matters, nearest taken", {"Bonn", "köln"}, "Köln", 2, true},
      {"missing: nearest", {"Hamburg", "Freiburg", "Bonn"}, "Freiburgg", 2, true},
      {"equally near: the first", {"Abc1", "Abc2"}, "Abc3", 1, true},
      {"far longer than every name", {"A", "B"}, std::string(300, 'x'), 1, true},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.fall);
    OrteFixture f;
    std::string t;
    for (std::size_t i = 0; i < c.namen.size(); ++i)
      AppendOrtSection(t, static_cast<int>(i + 1), BeispielOrt(c.namen[i]));
    f.dir.Write("Orte.dat", EncodeCodePage(t, CodePage::Cp1252));
    f.s().plant.Standort = c.standort;
    ReadOrte(f.s(), f.env);
    EXPECT_EQ(f.s().plant.OrtNr, c.nr);
    EXPECT_EQ(f.s().plant.Standort, c.namen[c.nr - 1]);
    if (c.warnung) {
      ASSERT_EQ(f.msgs->shown.size(), 1u);
      // A long name is quoted cut, never whole.
      EXPECT_EQ(f.msgs->shown[0].text, "\"" + Zitat(c.standort) + "\" nicht in Standortliste\ngewählt: " +
                                           c.namen[c.nr - 1]);
    } else {
      EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
    }
  }
}

TEST(OrteDatei, ChangedLocationIndexAsksForNewWeather) {
  OrteFixture f;
  f.s().plant.Standort = "Freiburg";
  ReadOrte(f.s(), f.env);
  EXPECT_EQ(f.synthese.aufrufe, 1);
  ReadOrte(f.s(), f.env);  // same location: weather kept
  EXPECT_EQ(f.synthese.aufrufe, 1);
  f.s().plant.Standort = "Solar";
  ReadOrte(f.s(), f.env);
  EXPECT_EQ(f.synthese.aufrufe, 2);
  EXPECT_EQ(f.s().loc.OrtHoehe, 412);
}

class OrteImport : public ::testing::Test {
 protected:
  OrteFixture f;
  void SetUp() override {
    f.s().plant.Standort = "Freiburg";
    ReadOrte(f.s(), f.env);
    f.msgs->shown.clear();
  }
  std::string Importdatei(const std::string& text) {
    f.dir.Write("import.dat", text);
    return (f.dir / "import.dat").string();
  }
};

// An import that takes nothing writes nothing: here not even the catalogue deleted meanwhile
// is made anew. The message is information, not a warning: nothing is wrong.
TEST_F(OrteImport, KnownNamesAppendNothingAndWriteNothing) {
  const std::string datei = Importdatei(OrteText(f.s()));
  std::filesystem::remove(f.orteDatei());
  EXPECT_EQ(ImportOrte(f.s(), datei, f.status), 0);
  EXPECT_EQ(f.s().cat.OrtAnzahl, 6);
  EXPECT_FALSE(std::filesystem::exists(f.orteDatei()));
  ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
  EXPECT_EQ(f.msgs->shown[0].type, mtInformation);
  EXPECT_EQ(f.msgs->shown[0].text, "Daten von 6 Orten gelesen, 0 übernommen.\n"
                                   "- 6 Einträge schon in der Liste (gleicher Name)\n" +
                                       f.orteDatei() + " bleibt unverändert.");
}

TEST_F(OrteImport, OnlyOrtSectionsAndNewNamesAreTaken) {
  std::string t = KatalogText(2);
  // Two sections of the same name with different locations: both are seen.
  std::string doppelt;
  AppendOrtSection(doppelt, 1, BeispielOrt("Stadt 7"));
  t += doppelt;
  t += "[Kollektor 1]\r\nName=Kein Ort\r\n\r\n";
  t += "[ort 5]\r\nName=Klein geschrieben\r\n\r\n";
  EXPECT_EQ(ImportOrte(f.s(), Importdatei(t), f.status), 3);
  ASSERT_EQ(f.s().cat.OrtAnzahl, 9);
  EXPECT_EQ(f.s().cat.Orte[7].Name, "Stadt 1");
  EXPECT_EQ(f.s().cat.Orte[9].Name, "Stadt 7");
  EXPECT_TRUE(f.msgs->Contains("Daten von 3 Orten gelesen, 3 übernommen.")) << f.msgs->All();
  EXPECT_NE(f.dir.Read("Orte.dat").find("[Ort 9]\r\nName=Stadt 7"), std::string::npos);
}

TEST_F(OrteImport, FullListTakesWhatFitsAndSaysSo) {
  std::string t;
  for (int n = 7; n <= 599; ++n) AppendOrtSection(t, n, BeispielOrt("Voll " + std::to_string(n)));
  ASSERT_EQ(ImportOrte(f.s(), Importdatei(t), f.status), 593);
  ASSERT_EQ(f.s().cat.OrtAnzahl, 599);
  f.msgs->shown.clear();
  EXPECT_EQ(ImportOrte(f.s(), Importdatei(KatalogText(3)), f.status), 1);
  EXPECT_EQ(f.s().cat.OrtAnzahl, 600);
  EXPECT_TRUE(f.msgs->Contains("Daten von 3 Orten gelesen, 1 übernommen.")) << f.msgs->All();
  EXPECT_TRUE(f.msgs->Contains("Zuviele Einträge in")) << f.msgs->All();
}

TEST_F(OrteImport, FileWithoutLocationsChangesNothing) {
  const std::string vorher = f.dir.Read("Orte.dat");
  EXPECT_EQ(ImportOrte(f.s(), Importdatei("[Rohr 1]\r\nName=x\r\n"), f.status), -1);
  EXPECT_TRUE(f.msgs->Contains("Keine Ortsdaten in")) << f.msgs->All();
  EXPECT_EQ(f.s().cat.OrtAnzahl, 6);
  EXPECT_EQ(f.dir.Read("Orte.dat"), vorher);
}

TEST_F(OrteImport, BadSectionsAreReportedAndNotTaken) {
  std::string t = KatalogText(2);
  t.replace(t.find("Einstrahlung=  0,75"), 19, "Einstrahlung=1,0 abc");
  EXPECT_EQ(ImportOrte(f.s(), Importdatei(t), f.status), 1);
  EXPECT_EQ(f.s().cat.Orte[7].Name, "Stadt 2");
  EXPECT_TRUE(f.msgs->Contains("Zahlenangaben bei Ort 1 prüfen!")) << f.msgs->All();
}

TEST_F(OrteImport, ImportedValuesAreKeptAsWritten) {
  const std::string t = "[Ort 1]\r\nName=Genau\r\nGeoBreite=47.38\r\nGeoLaenge=8.54\r\n"
                  "Einstrahlung=1.129 2 3 4 5 6 7 8 9 10 11 12\r\n"
                  "LuftTemp=1 2 3 4 5 6 7 8 9 10 11 12\r\n";
  ASSERT_EQ(ImportOrte(f.s(), Importdatei(t), f.status), 1);
  const TOrt& neu = f.s().cat.Orte[7];
  EXPECT_FLOAT_EQ(neu.GeoBreite, 47.4f);
  EXPECT_FLOAT_EQ(neu.GeoLaenge, 8.5f);
  EXPECT_DOUBLE_EQ(neu.Einstrahlung[1], 1.13);
}

}  // namespace
}  // namespace tav::test
