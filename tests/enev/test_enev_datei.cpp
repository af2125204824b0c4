// The EnEV exchange file: round trips, kept keys, locale independence, refusals.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <map>
#include <memory>

#include "catalogues/Kollektoren.h"
#include "enev/EnevDatei.h"
#include "foundation/BigIni.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

using namespace tav;
using namespace tav::enev;
using tav::test::ScopedMessages;
using tav::test::TempDir;

namespace {

struct DateiFixture {
  TempDir dir;
  ScopedMessages msgs;
  std::unique_ptr<TavState> state = std::make_unique<TavState>();
  EnevStand stand;

  DateiFixture() {
    auto& s = *state;
    s.folders.DatenDir = dir.path().string() + "/";
    s.plant.ProjektName = "Haus Müller";
    s.plant.AnlagenTypNr = 1;
    s.plant.AnlagenTyp = "Brauchwarmwasser";
    s.plant.KollektorFlaeche = 6.25f;
    s.plant.KollektorNeigung = 35.0f;
    s.plant.KollektorAzimut = -15.0f;
    s.plant.Speicher1vol = 300;
    auto& e = stand.Eingaben;
    e.Nutzflaeche = 212.5;
    e.qBS = 1.2345;
    e.Zirkulation = true;
    e.VerteilungInnen = false;
    e.NachheizElektrisch = true;
    e.SpeicherInnen = true;
  }
  TavState& s() { return *state; }
  std::string datei() const { return (dir / "enevxsim.dat").string(); }
};

// Runs the block under a German number locale where the system has one.
struct DeutschesLocale {
  std::string alt = std::setlocale(LC_ALL, nullptr);
  DeutschesLocale() {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) std::setlocale(LC_NUMERIC, "de_DE");
  }
  ~DeutschesLocale() { std::setlocale(LC_ALL, alt.c_str()); }
};

}  // namespace

TEST(EnevDatei, WriteThenReadRestoresTheInputs) {
  DeutschesLocale de;
  DateiFixture f;
  ASSERT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand));
  const std::string text = f.dir.Read("enevxsim.dat");
  EXPECT_NE(text.find("Nutzflaeche=212,5\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("qBs=1,234\r\n"), std::string::npos) << text;  // 3 decimals, half to even
  EXPECT_NE(text.find("KollektorFlaeche=6,25\r\n"), std::string::npos);
  EXPECT_EQ(text.find("SummeQHeizung"), std::string::npos);
  EXPECT_EQ(text.find("QHgsol"), std::string::npos);

  DateiFixture g;  // another program state reads it back
  g.stand.Eingaben = EnevEingaben{};
  g.s().plant.KollektorFlaeche = 1;
  g.s().plant.KollektorNeigung = 60;
  g.s().plant.KollektorAzimut = 10;
  ASSERT_EQ(ImportEnevDaten(f.datei(), g.s(), g.stand, NullStatus()), EnevImport::Gelesen)
      << g.msgs->All();
  const auto& e = g.stand.Eingaben;
  EXPECT_DOUBLE_EQ(e.Nutzflaeche, 212.5);
  EXPECT_DOUBLE_EQ(e.qBS, 1.234);
  EXPECT_FLOAT_EQ(g.s().plant.KollektorFlaeche, 6.25f);
  EXPECT_EQ(g.s().plant.ProjektName, "Haus Müller");
  EXPECT_TRUE(e.Zirkulation);
  EXPECT_FALSE(e.VerteilungInnen);
  EXPECT_TRUE(e.NachheizElektrisch);
  EXPECT_TRUE(e.SpeicherInnen);
  // Tilt and orientation are read only: not written, so the reader's values stay.
  EXPECT_FLOAT_EQ(g.s().plant.KollektorNeigung, 60.0f);
  EXPECT_FLOAT_EQ(g.s().plant.KollektorAzimut, 10.0f);
  EXPECT_TRUE(g.msgs->shown.empty()) << g.msgs->All();
}

TEST(EnevDatei, ImportReadsPointOrCommaAndKeepsMissingKeys) {
  DateiFixture f;
  f.dir.Write("enevxsim.dat",
              "[EnEV -> Sim]\nprojektname=Import\nNutzflaeche=140.5\nKollektorNeigung=42,5\n"
              "KollektorAzimut=-20.25\nZirkulation=0\n[Andere]\nx=1\n");
  f.stand.Eingaben.SpeicherInnen = true;
  ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
  EXPECT_EQ(f.s().plant.ProjektName, "Import");
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.Nutzflaeche, 140.5);
  EXPECT_FLOAT_EQ(f.s().plant.KollektorNeigung, 42.5f);
  EXPECT_FLOAT_EQ(f.s().plant.KollektorAzimut, -20.25f);
  EXPECT_FALSE(f.stand.Eingaben.Zirkulation);
  EXPECT_TRUE(f.stand.Eingaben.SpeicherInnen);      // missing: kept
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.qBS, 1.2345);   // missing: kept
  EXPECT_FLOAT_EQ(f.s().plant.KollektorFlaeche, 6.25f);
}

TEST(EnevDatei, WriteKeepsReadOnlyKeysAndOtherSections) {
  DateiFixture f;
  f.dir.Write("enevxsim.dat",
              "[Fremd]\r\nA=1\r\n[EnEV -> Sim]\r\nNutzflaeche=99\r\nKollektorAzimut=12,5\r\n"
              "KollektorNeigung=30\r\nSummeQHeizung=55\r\n[Sim -> EnEV Ergebnisse]\r\nQTW=7\r\n");
  ASSERT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand));
  TBigIniFile ini(f.datei());
  EXPECT_EQ(ini.ReadString("Fremd", "A", ""), "1");
  EXPECT_EQ(ini.ReadString(kSektionImport, "KollektorAzimut", ""), "12,5");
  EXPECT_EQ(ini.ReadString(kSektionImport, "KollektorNeigung", ""), "30");
  EXPECT_EQ(ini.ReadString(kSektionImport, "Nutzflaeche", ""), "212,5");
  // Without solar space heating the heating keys are not written: the outside program's stay.
  EXPECT_EQ(ini.ReadString(kSektionImport, "SummeQHeizung", ""), "55");
  // No simulation yet: the results section is empty.
  std::vector<std::string> erg;
  ini.ReadSectionValues(kSektionErgebnisse, erg);
  EXPECT_TRUE(erg.empty());
  EXPECT_FALSE(ini.ValueExists(kSektionErgebnisse, "QTW"));
  EXPECT_NE(ini.ReadString(kSektionParameter, "Datum", "").find(':'), std::string::npos);
  ini.DiscardChanges();
  // Written atomically: no temporary file is left beside it.
  int dateien = 0;
  for (const auto& d : std::filesystem::directory_iterator(f.dir.path())) {
    (void)d;
    ++dateien;
  }
  EXPECT_EQ(dateien, 1);
}

// A rewrite keeps what another program wrote into the sections this program writes since it
// read the file: it refuses, names file and section, and leaves the file as it is. A change
// elsewhere in the file, or a file read again, lets it write.
TEST(EnevDatei, SectionsChangedByAnotherProgramAreNotWrittenOver) {
  DateiFixture f;
  const std::string eingang =
      "[EnEV -> Sim]\r\nNutzflaeche=150\r\nSummeQHeizung=55\r\nHeizgrenztemp=15\r\n";
  f.dir.Write("enevxsim.dat", eingang);
  ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
  ASSERT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand)) << f.msgs->All();
  {
    TBigIniFile ini(f.datei());
    // A hot-water plant writes no heating keys; the outside program's stay as they were.
    EXPECT_EQ(ini.ReadString(kSektionImport, "SummeQHeizung", ""), "55");
    EXPECT_EQ(ini.ReadString(kSektionImport, "Heizgrenztemp", ""), "15");
    ini.DiscardChanges();
  }
  const struct {
    const char* was;
    const char* alt;
    const char* neu;
    const char* sektion;  // nullptr: no refusal
  } faelle[] = {
      {"inputs", "Nutzflaeche=150", "Nutzflaeche=300", kSektionImport},
      {"parameters", "[Sim -> EnEV Parameterliste]", "[Sim -> EnEV Parameterliste]\r\nX=1",
       kSektionParameter},
      {"another section", "[EnEV -> Sim]", "[Kollektor]\r\nHersteller=A\r\n\r\n[EnEV -> Sim]",
       nullptr},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.was);
    std::string text = f.dir.Read("enevxsim.dat");
    ASSERT_NE(text.find(c.alt), std::string::npos) << text;
    text.replace(text.find(c.alt), std::string(c.alt).size(), c.neu);
    f.dir.Write("enevxsim.dat", text);
    f.msgs->shown.clear();
    if (c.sektion == nullptr) {
      EXPECT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand)) << f.msgs->All();
      continue;
    }
    EXPECT_FALSE(WriteEnevSimDatei(f.datei(), f.s(), f.stand));
    ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(f.datei())) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(std::string("[") + c.sektion + "]")) << f.msgs->All();
    EXPECT_EQ(f.dir.Read("enevxsim.dat"), text);
    // Read again, the file is this program's to write.
    ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
    EXPECT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand)) << f.msgs->All();
  }
}

TEST(EnevDatei, ResultsAfterASimulationWithMonthKeys) {
  DateiFixture f;
  auto& s = f.s();
  s.plant.SolHeizung = true;
  s.plant.AnlagenTypNr = 6;
  s.run.EnevSummeQHeizung = 45;
  s.run.ErgebnisGueltig = true;
  s.run.EnevSimQTW = 4000;
  s.run.EnevSimQTWsol = 2000;
  for (int m = 1; m <= 12; ++m) {
    s.results.SolarertragMonat[m] = 300000.0f + m * 1000;
    s.results.SolHeizenMonat[m] = 100000.0f;
  }
  f.stand.Eingaben.Vsol = f.stand.Eingaben.Vaux = 150;
  f.stand.Eingaben.KollFlaeche = 8;
  f.stand.Eingaben.Eta0 = 0.8;
  f.stand.Eingaben.K1 = 3.5;
  f.stand.Eingaben.IAM = 0.9f;
  f.stand.Eingaben.Neigung = 45;
  f.stand.Eingaben.KleineAnlage = true;
  f.stand.Ergebnis = CalcEnevErgebnis(f.stand.Eingaben);
  ASSERT_TRUE(f.stand.Ergebnis.Gueltig());
  ASSERT_TRUE(WriteEnevSimDatei(f.datei(), s, f.stand));
  TBigIniFile ini(f.datei());
  const char* const E = kSektionErgebnisse;
  EXPECT_EQ(ini.ReadString(E, "alphaTWsol", ""), "0,5");
  EXPECT_EQ(ini.ReadString(E, "QTWsol01", ""), "201");
  EXPECT_EQ(ini.ReadString(E, "QTWsol12", ""), "212");
  EXPECT_EQ(ini.ReadString(E, "QHgsol07", ""), "100");
  EXPECT_TRUE(ini.ValueExists(E, "qHgHEsol"));
  EXPECT_EQ(ini.ReadString(kSektionImport, "SummeQHeizung", ""), "45");
  EXPECT_EQ(ini.ReadInteger(kSektionParameter, "HeizkreisTyp", 0), 1);

  // An error state never reaches the file as a number.
  f.stand.Eingaben.Vaux = 0;
  f.stand.Ergebnis = CalcEnevErgebnis(f.stand.Eingaben);
  ASSERT_TRUE(WriteEnevSimDatei(f.datei(), s, f.stand));
  TBigIniFile neu(f.datei());
  EXPECT_FALSE(neu.ValueExists(E, "QTW"));
  EXPECT_EQ(f.dir.Read("enevxsim.dat").find("NAN"), std::string::npos);
  EXPECT_EQ(f.dir.Read("enevxsim.dat").find("INF"), std::string::npos);
}

TEST(EnevDatei, RefusalsNameTheFileAndChangeNothing) {
  DateiFixture f;
  const auto vorher = f.stand.Eingaben.Nutzflaeche;
  const std::string fehlt = (f.dir / "woanders.dat").string();
  EXPECT_EQ(ImportEnevDaten(fehlt, f.s(), f.stand, NullStatus()), EnevImport::DateiFehlt);
  EXPECT_TRUE(f.msgs->Contains("Datei EnEVxSim.dat nicht gefunden")) << f.msgs->All();

  f.dir.Write("enevxsim.dat", "[Andere]\nx=1\n[EnEV -> Sim]\n");
  EXPECT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::KeineDaten);
  EXPECT_TRUE(f.msgs->Contains("Keine EnEV-Importdaten gefunden"));
  EXPECT_EQ(f.stand.Eingaben.Nutzflaeche, vorher);
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.qBS, 1.2345);
}

// A value the project file would not hold keeps the project's value, and the message names
// key, file value and the value in force; the values within their ranges are taken all the
// same, and what is written back is what the form showed.
TEST(EnevDatei, ImportKeepsToTheProjectFilesRanges) {
  const struct {
    const char* zeile;
    const char* meldung;
  } faelle[] = {
      {"KollektorNeigung=400", "KollektorNeigung = 400 liegt nicht zwischen 0 und 90; es gilt 35"},
      {"KollektorAzimut=-9999", "KollektorAzimut = -9999 liegt nicht zwischen -360 und 360; es gilt -15"},
      {"KollektorFlaeche=1e30", "KollektorFlaeche = 1e30 liegt nicht zwischen 0,5 und 300; es gilt 6,25"},
      {"KollektorFlaeche=1e308", "KollektorFlaeche = 1e308 liegt nicht zwischen 0,5 und 300; es gilt 6,25"},
      {"KollektorFlaeche=viel", "KollektorFlaeche = viel ist keine Zahl; es gilt 6,25"},
      // The collector dialog's bounds: never less than 0,5 m².
      {"KollektorFlaeche=0", "KollektorFlaeche = 0 liegt nicht zwischen 0,5 und 300; es gilt 6,25"},
      {"KollektorFlaeche=0,4", "KollektorFlaeche = 0,4 liegt nicht zwischen 0,5 und 300; es gilt 6,25"},
      {"KollektorFlaeche=", "KollektorFlaeche ist leer; es gilt 6,25"},
      {"Heizgrenztemp=99", "Heizgrenztemp = 99 liegt nicht zwischen -20 und 50; es gilt 15"},
      {"SummeQHeizung=450", "SummeQHeizung = 450 liegt nicht zwischen 0 und 300; es gilt 0"},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.zeile);
    DateiFixture f;
    f.s().plant.Heizgrenztemp = 15.0f;
    const PlantState vorher = f.s().plant;
    f.dir.Write("enevxsim.dat", std::string("[EnEV -> Sim]\nNutzflaeche=150\nqBs=2\n") + c.zeile + "\n");
    ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
    ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains("Ungültige Werte in " + f.datei() + ", [EnEV -> Sim]:")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(c.meldung)) << f.msgs->All();
    const auto& p = f.s().plant;
    EXPECT_EQ(p.KollektorFlaeche, vorher.KollektorFlaeche);
    EXPECT_EQ(p.KollektorNeigung, vorher.KollektorNeigung);
    EXPECT_EQ(p.KollektorAzimut, vorher.KollektorAzimut);
    EXPECT_EQ(p.Heizgrenztemp, vorher.Heizgrenztemp);
    EXPECT_EQ(f.s().run.EnevSummeQHeizung, 0.0f);
    // The rest of the section is taken.
    EXPECT_DOUBLE_EQ(f.stand.Eingaben.Nutzflaeche, 150.0);
    EXPECT_DOUBLE_EQ(f.stand.Eingaben.qBS, 2.0);
    ASSERT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand));
    TBigIniFile ini(f.datei());
    EXPECT_EQ(ini.ReadString(kSektionImport, "KollektorFlaeche", ""), "6,25");
    EXPECT_EQ(ini.ReadString(kSektionParameter, "KollektorNeigung", ""), "35");
    EXPECT_EQ(ini.ReadString(kSektionParameter, "KollektorAzimut", ""), "-15");
    ini.DiscardChanges();
  }
}

// The EnEV inputs keep to their ranges as the project's values do: a floor area or standby
// loss that is no plausible number, or a Boolean that is no whole number, is named with the
// value in force; that value stays, and it is what goes back to the file.
TEST(EnevDatei, ImportKeepsTheEnevInputsWithinTheirRanges) {
  const struct {
    const char* key;
    const char* text;
    const char* meldung;
  } faelle[] = {
      {"Nutzflaeche", "1e30", "Nutzflaeche = 1e30 liegt nicht zwischen 0 und 1000000; es gilt 212,5"},
      {"Nutzflaeche", "1E308", "Nutzflaeche = 1E308 liegt nicht zwischen 0 und 1000000; es gilt 212,5"},
      {"Nutzflaeche", "nan", "Nutzflaeche = nan ist keine Zahl; es gilt 212,5"},
      {"Nutzflaeche", "inf", "Nutzflaeche = inf ist keine Zahl; es gilt 212,5"},
      {"Nutzflaeche", "-7", "Nutzflaeche = -7 liegt nicht zwischen 0 und 1000000; es gilt 212,5"},
      {"Nutzflaeche", "groß", "Nutzflaeche = groß ist keine Zahl; es gilt 212,5"},
      {"qBs", "1e30", "qBs = 1e30 liegt nicht zwischen 0 und 1000; es gilt 1,2345"},
      {"qBs", "1E308", "qBs = 1E308 liegt nicht zwischen 0 und 1000; es gilt 1,2345"},
      {"qBs", "nan", "qBs = nan ist keine Zahl; es gilt 1,2345"},
      {"qBs", "inf", "qBs = inf ist keine Zahl; es gilt 1,2345"},
      {"qBs", "-7", "qBs = -7 liegt nicht zwischen 0 und 1000; es gilt 1,2345"},
      {"qBs", "wenig", "qBs = wenig ist keine Zahl; es gilt 1,2345"},
      {"qBs", "", "qBs ist leer; es gilt 1,2345"},
      {"Zirkulation", "ja", "Zirkulation = ja ist keine ganze Zahl; es gilt 1"},
      {"Speicher_in_Huelle", "0,5", "Speicher_in_Huelle = 0,5 ist keine ganze Zahl; es gilt 1"},
  };
  // What the fixture's inputs are written as.
  const std::map<std::string, std::string> inKraft = {
      {"Nutzflaeche", "212,5"}, {"qBs", "1,234"}, {"Zirkulation", "1"}, {"Speicher_in_Huelle", "1"}};
  for (const auto& c : faelle) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.text);
    DateiFixture f;
    f.dir.Write("enevxsim.dat", std::string("[EnEV -> Sim]\nKollektorNeigung=20\nSp_elektrisch=0\n") + c.key +
                                    "=" + c.text + "\n");
    ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
    ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains("Ungültige Werte in " + f.datei() + ", [EnEV -> Sim]:")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(c.meldung)) << f.msgs->All();
    const auto& e = f.stand.Eingaben;
    EXPECT_DOUBLE_EQ(e.Nutzflaeche, 212.5);
    EXPECT_DOUBLE_EQ(e.qBS, 1.2345);
    EXPECT_TRUE(e.Zirkulation);
    EXPECT_TRUE(e.SpeicherInnen);
    // The rest of the section is taken.
    EXPECT_FLOAT_EQ(f.s().plant.KollektorNeigung, 20.0f);
    EXPECT_FALSE(e.NachheizElektrisch);
    ASSERT_TRUE(WriteEnevSimDatei(f.datei(), f.s(), f.stand));
    TBigIniFile ini(f.datei());
    EXPECT_EQ(ini.ReadString(kSektionImport, c.key, ""), inKraft.at(c.key));
    ini.DiscardChanges();
  }
  // The ends of the ranges are taken.
  DateiFixture f;
  f.dir.Write("enevxsim.dat", "[EnEV -> Sim]\nNutzflaeche=1000000\nqBs=0\n");
  ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.Nutzflaeche, 1e6);
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.qBS, 0.0);
  f.dir.Write("enevxsim.dat", "[EnEV -> Sim]\nNutzflaeche=0\nqBs=1000\n");
  ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.Nutzflaeche, 0.0);
  EXPECT_DOUBLE_EQ(f.stand.Eingaben.qBS, 1000.0);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

// A project value the import changes (collector area, tilt, orientation, heating limit, name)
// marks the project changed, so that it is saved; EnEV inputs, a value equal to the project's
// and a refused value do not.
TEST(EnevDatei, ImportMarksTheProjectChangedWhereItChangesIt) {
  const struct {
    const char* zeilen;
    bool geaendert;
  } faelle[] = {
      {"KollektorFlaeche=8", true},
      {"KollektorNeigung=20", true},
      {"KollektorAzimut=10", true},
      {"Heizgrenztemp=14", true},
      {"Projektname=Haus Meier", true},
      {"KollektorFlaeche=6,25\nKollektorNeigung=35\nProjektname=Haus Müller", false},
      {"KollektorNeigung=400\nKollektorFlaeche=-1", false},
      {"Nutzflaeche=150\nqBs=2\nZirkulation=0\nSummeQHeizung=40", false},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.zeilen);
    DateiFixture f;
    f.dir.Write("enevxsim.dat", std::string("[EnEV -> Sim]\n") + c.zeilen + "\n");
    ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
    EXPECT_EQ(f.s().run.ProjektGeaendert, c.geaendert);
  }
}

// A building of 500 m² or more without circulation is read as the file has it, without a
// message: the form computes it with circulation (its 500 m² rule), which the table would not
// force.
TEST(EnevDatei, LargeBuildingWithoutCirculationIsReadAsItStands) {
  DateiFixture f;
  f.dir.Write("enevxsim.dat",
              "[EnEV -> Sim]\nNutzflaeche=625\nZirkulation=0\nVerteilung_in_Huelle=0\nqBs=9\n");
  ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
  const auto& e = f.stand.Eingaben;
  EXPECT_DOUBLE_EQ(e.Nutzflaeche, 625.0);
  EXPECT_DOUBLE_EQ(e.qBS, 9.0);
  EXPECT_FALSE(e.Zirkulation);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  // With circulation outside the envelope, halfway between 500 m² (7.6) and 750 m² (7.1).
  const auto mit = CalcVerteilverlust(true, e.VerteilungInnen, e.Nutzflaeche);
  ASSERT_TRUE(mit);
  EXPECT_NEAR(mit->qTWd, 7.35, 1e-9);
  // Without it the table would still give a figure (1.7): nothing there to refuse.
  const auto ohne = CalcVerteilverlust(false, false, 625.0);
  ASSERT_TRUE(ohne);
  EXPECT_NEAR(ohne->qTWd, 1.7, 1e-9);
}

// The section's project owns the standby loss only when its "qBs" was taken: a refused one
// leaves loss and owner as they were, so the form computes the new project's own.
TEST(EnevDatei, OnlyATakenStandbyLossChangesItsProject) {
  const struct {
    const char* zeilen;
    double qBS;
    const char* besitzer;
  } faelle[] = {
      {"Projektname=Haus Neu\nqBs=2", 2.0, "Haus Neu"},
      {"Projektname=Haus Neu\nqBs=abc", 1.2345, "Haus Müller"},
      {"Projektname=Haus Neu\nqBs=-7", 1.2345, "Haus Müller"},
      {"Projektname=Haus Neu\nqBs=", 1.2345, "Haus Müller"},
      {"Projektname=Haus Neu\nNutzflaeche=150", 1.2345, "Haus Müller"},
      {"qBs=0", 0.0, "Haus Müller"},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.zeilen);
    DateiFixture f;
    f.stand.qBSProjekt = "Haus Müller";
    f.dir.Write("enevxsim.dat", std::string("[EnEV -> Sim]\n") + c.zeilen + "\n");
    ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen);
    EXPECT_DOUBLE_EQ(f.stand.Eingaben.qBS, c.qBS);
    EXPECT_EQ(f.stand.qBSProjekt, c.besitzer);
  }
}

TEST(EnevDatei, CompleteCollectorIsTakenAnyOtherIsReportedWithItsReason) {
  DateiFixture f;
  f.dir.Write("enevxsim.dat",
              "[EnEV -> Sim]\nNutzflaeche=150\n[Kollektor]\nHersteller=Sonnwerk\nModell=SW 2\n"
              "Quelle=Prüfbericht\nEta0=0,79\nK1=3,9\nK2=0,012\nIAM50=0,92\nWkapC=7\nVRK=0\nAModul=2,1\n");
  f.s().cat.KollektorenGeladen = true;
  ASSERT_EQ(ImportEnevDaten(f.datei(), f.s(), f.stand, NullStatus()), EnevImport::Gelesen)
      << f.msgs->All();
  EXPECT_TRUE(f.s().run.ProjektGeaendert);
  EXPECT_TRUE(f.s().run.KollektorEditAnfrage);
  const auto& c = f.s().cat;
  ASSERT_GE(c.KollektorAnzahl, 1);
  EXPECT_EQ(c.Kollektoren[c.KollektorAnzahl].Name, "Sonnwerk SW 2");
  EXPECT_FLOAT_EQ(c.Kollektoren[c.KollektorAnzahl].K2, 0.012f);
  EXPECT_FLOAT_EQ(c.Kollektoren[c.KollektorAnzahl].qmVolumen, 0.8f);

  // Missing, zero and impossible figures each say what keeps the collector out.
  const std::string vollstaendig = "Hersteller=Sonnwerk\nModell=SW 4\nQuelle=Prüfbericht\nK1=3,9\n"
                                   "IAM50=0,92\nWkapC=7\nAModul=2,1\n";
  const struct {
    std::string kollektor;
    const char* grund;
  } unvollstaendig[] = {
      {"Hersteller=Sonnwerk\nModell=SW 3\nEta0=0,79\nK1=3,9\nIAM50=0,92\n",
       "Es fehlt: Quelle, K2, WkapC, AModul"},
      {vollstaendig + "Eta0=0,79\nK2=0\n", "Ein Kollektor mit K2 = 0 wird nicht übernommen."},
      {vollstaendig + "Eta0=5\nK2=0,01\n", "Eta0 = 5 liegt nicht zwischen 0 und 1,5"},
      {vollstaendig + "Eta0=0,8\nK2=hoch\n", "K2 = hoch ist keine Zahl"},
  };
  for (const auto& u : unvollstaendig) {
    SCOPED_TRACE(u.kollektor);
    DateiFixture g;
    g.dir.Write("enevxsim.dat",
                std::string("[EnEV -> Sim]\nNutzflaeche=150\n[Kollektor]\n") + u.kollektor);
    g.s().cat.KollektorenGeladen = true;
    const auto anzahl = g.s().cat.KollektorAnzahl;
    ASSERT_EQ(ImportEnevDaten(g.datei(), g.s(), g.stand, NullStatus()), EnevImport::Gelesen);
    ASSERT_EQ(g.msgs->shown.size(), 1u) << g.msgs->All();
    EXPECT_TRUE(g.msgs->Contains("Der Kollektor in " + g.datei() + " wurde nicht übernommen.")) << g.msgs->All();
    EXPECT_TRUE(g.msgs->Contains(u.grund)) << g.msgs->All();
    EXPECT_FALSE(g.s().run.ProjektGeaendert);
    EXPECT_FALSE(g.s().run.KollektorEditAnfrage);
    EXPECT_EQ(g.s().cat.KollektorAnzahl, anzahl);
    EXPECT_DOUBLE_EQ(g.stand.Eingaben.Nutzflaeche, 150);
  }

  // Figures off the efficiency curve outside their ranges take the collector file's
  // defaults, named: the collector is taken, and the catalogue reads it back as appended.
  DateiFixture h;
  h.dir.Write("enevxsim.dat",
              "[EnEV -> Sim]\nNutzflaeche=150\n[Kollektor]\nHersteller=Sonnwerk\nModell=SW 4\nQuelle=Prüfbericht\n"
              "Eta0=0,79\nK1=3,9\nK2=0,012\nIAM50=3\nWkapC=7\nAModul=5000\nVRK=ja\n");
  h.s().cat.KollektorenGeladen = true;
  ASSERT_EQ(ImportEnevDaten(h.datei(), h.s(), h.stand, NullStatus()), EnevImport::Gelesen);
  EXPECT_TRUE(h.msgs->Contains("Der Kollektor in " + h.datei() + " wird mit Ersatzwerten übernommen:\n"
                               "IAM50 = 3 liegt nicht zwischen 0 und 1,5; es gilt 0,9\n"
                               "AModul = 5000 liegt nicht zwischen 0 und 1000; es gilt 1\n"
                               "VRK = ja ist keine ganze Zahl; es gilt 0"))
      << h.msgs->All();
  EXPECT_TRUE(h.s().run.KollektorEditAnfrage);
  const TKollektor neu = h.s().cat.Kollektoren[h.s().cat.KollektorAnzahl];
  EXPECT_EQ(neu.Name, "Sonnwerk SW 4");
  EXPECT_FLOAT_EQ(neu.IAM50, 0.9f);
  EXPECT_FLOAT_EQ(neu.ModulFlaeche, 1.0f);
  EXPECT_FLOAT_EQ(h.s().plant.KollModulFlaeche, 1.0f);
  h.msgs->shown.clear();
  h.s().cat.KollektorenGeladen = false;
  ReadKollektoren(h.s(), NullStatus());
  EXPECT_TRUE(h.msgs->shown.empty()) << h.msgs->All();
  EXPECT_EQ(h.s().cat.Kollektoren[h.s().cat.KollektorAnzahl].Name, "Sonnwerk SW 4");
}
