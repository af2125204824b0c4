// The project file as a whole: the standard project on a first start (or after the last
// project was deleted), loading the current or the first project, importing under the
// smallest free numbers, deleting, and the 600-project limit.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "foundation/BigIni.h"
#include "support/Schreibschutz.h"
#include "test_projekt_fixture.h"

namespace tav {
namespace {

using test::ProjektTest;

// Section names of a project file, in file order.
std::vector<std::string> Sektionen(const std::string& pfad) {
  TBigIniFile ini;
  ini.LoadFile(pfad);
  std::vector<std::string> s;
  ini.ReadSections(s);
  return s;
}

std::string Wert(const std::string& pfad, const std::string& sektion, const std::string& key) {
  TBigIniFile ini;
  ini.LoadFile(pfad);
  return ini.ReadString(sektion, key, "<fehlt>");
}

// A project section with a name and a location.
std::vector<std::string> Projekt(int n, const std::string& name, const std::string& ort) {
  std::vector<std::string> z = {"[Projekt " + std::to_string(n) + "]", "ProjektName=" + name, "Standort=" + ort,
                                "AnlagenTyp=Brauchwarmwasser"};
  z.insert(z.end(), test::kBrauchbareZeilen.begin(), test::kBrauchbareZeilen.end());
  z.emplace_back();
  return z;
}

std::vector<std::string> Verbunden(std::initializer_list<std::vector<std::string>> teile) {
  std::vector<std::string> alle;
  for (const auto& t : teile) alle.insert(alle.end(), t.begin(), t.end());
  return alle;
}

// Reader and writer agree on what a project section is: "Projekt 01" and "projekt 2" are read
// and saved as those sections; a second section of the same number is reported and left
// alone; foreign sections are reported, kept and never block a save or an import.
TEST_F(ProjektTest, ProjectSectionsAreTheSameForReaderAndWriter) {
  const std::vector<std::string> notizen = {"[Notizen]", "Text=bitte nicht löschen", ""};
  const std::vector<std::string> doppelt = {"[Projekt 1]", "ProjektName=Doppelt", ""};
  std::vector<std::string> eins = Projekt(1, "Eins", "A");
  eins[0] = "[Projekt 01]";
  std::vector<std::string> zwei = Projekt(2, "Zwei", "B");
  zwei[0] = "[projekt 2]";
  dir.Write("Projekte.dat", Crlf(Verbunden({eins, notizen, zwei, doppelt})));
  s.settings.ProjektNummer = 1;
  LoadProjekt(s, d);
  ASSERT_EQ(s.cat.ProjektAnzahl, 2) << msgs->All();
  EXPECT_EQ(s.cat.Projektliste[1].Nummer, 1);
  EXPECT_EQ(s.cat.Projektliste[2].Nummer, 2);
  EXPECT_EQ(s.plant.ProjektName, "Eins");
  EXPECT_TRUE(msgs->Contains("[Notizen] ohne Projektnummer")) << msgs->All();
  EXPECT_TRUE(msgs->Contains("[Projekt 1] hat dieselbe Projektnummer wie [Projekt 01]")) << msgs->All();

  for (int nummer : {1, 2, 1}) {  // twice the same project: still one section
    s.settings.ProjektNummer = nummer;
    s.plant.ProjektName = "Neu " + std::to_string(nummer);
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d)) << msgs->All();
  }
  EXPECT_EQ(Sektionen(Pfad()),
            (std::vector<std::string>{"Projekt 01", "Notizen", "projekt 2", "Projekt 1"}));
  EXPECT_EQ(Wert(Pfad(), "Projekt 01", "ProjektName"), "Neu 1");
  EXPECT_EQ(Wert(Pfad(), "projekt 2", "ProjektName"), "Neu 2");
  const std::string datei = Datei();
  EXPECT_NE(datei.find(Crlf(notizen)), std::string::npos) << datei;
  EXPECT_NE(datei.find(Crlf(doppelt)), std::string::npos) << "the second section is kept as it was";

  ASSERT_TRUE(DeleteProjekt(s, 2));
  EXPECT_EQ(Sektionen(Pfad()), (std::vector<std::string>{"Projekt 01", "Notizen", "Projekt 1"}));

  // The same name twice is said as well.
  dir.Write("Projekte.dat", Crlf(Verbunden({Projekt(1, "Eins", "A"), Projekt(1, "Zweimal", "B")})));
  msgs->shown.clear();
  LoadProjekt(s, d);
  EXPECT_EQ(s.cat.ProjektAnzahl, 1);
  EXPECT_TRUE(msgs->Contains("[Projekt 1] steht mehrfach")) << msgs->All();

  // An import takes the project sections only.
  dir.Write("import.dat", Crlf(Verbunden({notizen, Projekt(5, "Fünf", "C")})));
  LoadProjekt(s, d);
  msgs->shown.clear();
  ImportProjekt(s, (dir / "import.dat").string(), d);
  EXPECT_EQ(s.cat.ProjektAnzahl, 2) << msgs->All();
  EXPECT_EQ(Wert(Pfad(), "Projekt 2", "ProjektName"), "Fünf");
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "ProjektName"), "<fehlt>");
}

// Deleting the last project beside a foreign section must not make saving impossible.
TEST_F(ProjektTest, OwnProjectFileWithOnlyAForeignSectionTakesTheStandardProject) {
  const std::vector<std::string> notizen = {"[Notizen]", "Text=bitte nicht löschen", ""};
  dir.Write("Projekte.dat", Crlf(Verbunden({Projekt(1, "Eins", "A"), notizen})));
  s.settings.ProjektNummer = 1;
  LoadProjekt(s, d);
  ASSERT_TRUE(DeleteProjekt(s, 1));
  EXPECT_EQ(Datei(), Crlf(notizen));
  msgs->shown.clear();
  LoadProjekt(s, d);
  EXPECT_EQ(s.cat.ProjektAnzahl, 1) << msgs->All();
  EXPECT_EQ(s.plant.ProjektName, "Standard-Solaranlage");
  EXPECT_EQ(Sektionen(Pfad()), (std::vector<std::string>{"Notizen", "Projekt 1"}));
  EXPECT_NE(Datei().find(Crlf(notizen)), std::string::npos);
}

TEST_F(ProjektTest, WithoutProjectsTheStandardProjectIsWrittenAndLoaded) {
  struct Case {
    const char* name;
    const char* inhalt;  // nullptr: no file
  };
  for (const Case c : {Case{"first start", nullptr}, Case{"file left empty", ""},
                       Case{"only line ends and the end mark", "\r\n\r\n\x1a"},
                       Case{"a UTF-8 file left empty", "\xEF\xBB\xBF\r\n"}}) {
    test::ScopedMessages m;
    std::filesystem::remove(Pfad());
    if (c.inhalt) dir.Write("Projekte.dat", c.inhalt);
    TavState t;
    t.folders.DatenDir = s.folders.DatenDir;
    t.settings.ProjektNummer = 9;
    t.run.ProjektGeaendert = true;
    d.kollektoren = {"Vakuum A", "flachkollektor B", "C", "Super-Flachkollektor D", "E"};
    LoadProjekt(t, d);
    EXPECT_TRUE(m->shown.empty()) << c.name << m->All();
    EXPECT_EQ(Sektionen(Pfad()), std::vector<std::string>{"Projekt 1"}) << c.name;
    EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "Standard-Solaranlage") << c.name;
    EXPECT_EQ(t.settings.ProjektNummer, 1) << c.name;
    EXPECT_EQ(t.cat.ProjektAnzahl, 1) << c.name;
    EXPECT_EQ(t.cat.Projektliste[1].Nummer, 1) << c.name;
    EXPECT_EQ(t.cat.Projektliste[1].ProjektName, "Standard-Solaranlage") << c.name;
    const PlantState& p = t.plant;
    EXPECT_EQ(p.ProjektName, "Standard-Solaranlage");
    EXPECT_EQ(p.Info1, "Musterprojekt");
    EXPECT_EQ(p.Standort, "Freiburg");
    EXPECT_EQ(p.Kollektor, "Super-Flachkollektor D") << "the last flat-plate collector";
    EXPECT_EQ(p.KollektorFlaeche, 6.0f);
    EXPECT_EQ(p.KollektorNeigung, 35.0f);
    EXPECT_EQ(p.AnlagenTypNr, 1);
    EXPECT_EQ(p.RohrTyp, "*init*");
    EXPECT_EQ(p.Warmwassertemp, 45.0f);
    EXPECT_EQ(p.Speichertauscherleistung, 60.0f);
    // Keys older files never held: the standard project saves the values their readers
    // assume, so it loads the same from its own file as from an old one.
    EXPECT_EQ(Wert(Pfad(), "Projekt 1", "KAfaktor"), "20") << c.name;
    EXPECT_EQ(p.KAfaktor, 20);
    EXPECT_EQ(p.ZiModus, 1);
    EXPECT_EQ(p.ZiVol, 3.0f);
    EXPECT_EQ(p.ZiLaenge, 10.0f);
    EXPECT_EQ(p.FWEdTmin, 5.0f);
    EXPECT_FALSE(t.run.ProjektGeaendert);
  }
  // Without any flat-plate collector the first one is taken.
  std::filesystem::remove(Pfad());
  d.kollektoren = {"Vakuum A", "Vakuum B"};
  LoadProjekt(s, d);
  EXPECT_EQ(s.plant.Kollektor, "Vakuum A");
}

TEST_F(ProjektTest, LoadingResolvesTheCatalogueNamesInOrder) {
  dir.Write("Projekte.dat", Crlf(Verbunden({Projekt(3, "Drei", "Ulm")})));
  s.settings.ProjektNummer = 3;
  LoadProjekt(s, d);
  EXPECT_EQ(d.aufrufe, (std::vector<std::string>{"ReadOrte", "ReadKollektoren", "ReadRohre", "ReadProfile",
                                                 "ReadEnergie:*init*", "CheckAnlagenTyp", "SetAnlgParam:1"}));
}

TEST_F(ProjektTest, CurrentNumberOrElseTheFirstProjectIsLoaded) {
  struct Case {
    std::int32_t nummer;
    const char* standort;
    std::int32_t danach;
  };
  for (const Case c : {Case{7, "Sieben", 7}, Case{3, "Drei", 3}, Case{5, "Drei", 3}}) {
    test::ScopedMessages m;
    dir.Write("Projekte.dat", Crlf(Verbunden({Projekt(3, "P3", "Drei"), Projekt(7, "P7", "Sieben")})));
    s.settings.ProjektNummer = c.nummer;
    LoadProjekt(s, d);
    EXPECT_EQ(s.plant.Standort, c.standort) << c.nummer;
    EXPECT_EQ(s.settings.ProjektNummer, c.danach) << c.nummer;
    ASSERT_EQ(s.cat.ProjektAnzahl, 2);
    EXPECT_EQ(s.cat.Projektliste[1].Nummer, 3);
    EXPECT_EQ(s.cat.Projektliste[2].Nummer, 7);
    EXPECT_EQ(s.cat.Projektliste[2].ProjektName, "P7");
    // Saving the loaded project adds no section under a stale number.
    ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
    EXPECT_EQ(Sektionen(Pfad()), (std::vector<std::string>{"Projekt 3", "Projekt 7"})) << c.nummer;
  }
}

TEST_F(ProjektTest, ListEntriesTakeTheirDefaultsAndSkipSectionsWithoutNumber) {
  dir.Write("Projekte.dat", Crlf({"[Projekt 4]", "Info1=nur Info", "Datum=01.02.2024 10:00:00", "KollektorFlaeche=6",
                                  "Heizgrenztemp=16", "Heiztauscherleistung=15000", "", "[Projekt ohne]",
                                  "ProjektName=X", "", "[Projekt 70000]", "ProjektName=Y", ""}));
  s.settings.ProjektNummer = 4;
  LoadProjekt(s, d);
  ASSERT_EQ(s.cat.ProjektAnzahl, 1);
  const TProjDat& e = s.cat.Projektliste[1];
  EXPECT_EQ(e.ProjektName, "Projekt 4.0");
  EXPECT_EQ(e.Info1, "nur Info");
  EXPECT_EQ(e.Nummer, 4);
  EXPECT_FLOAT_EQ(e.Datum, static_cast<float>(EncodeDate(2024, 2, 1) + EncodeTime(10, 0, 0)));
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  EXPECT_NE(msgs->shown[0].text.find("[Projekt ohne]"), std::string::npos) << msgs->All();
}

TEST_F(ProjektTest, ImportTakesTheSmallestFreeNumbersWithEachSectionsOwnData) {
  dir.Write("Projekte.dat",
            Crlf(Verbunden({Projekt(1, "Eins", "A"), Projekt(2, "Zwei", "B"), Projekt(4, "Vier", "D")})));
  dir.Write("import.dat", Crlf({"[Projekt 10]", "ProjektName=Import A", "Standort=Ulm", "Fremd=1", "KollektorFlaeche=6",
                                "Heizgrenztemp=16", "Heiztauscherleistung=15000", "", "[Projekt 20]",
                                "Standort=Ulm-Nord", "AnlagenTyp=Zwei-Speicher", "KollektorFlaeche=6",
                                "Heizgrenztemp=16", "Heiztauscherleistung=15000", ""}));
  const std::string importBytes = dir.Read("import.dat");
  s.settings.ProjektNummer = 1;
  LoadProjekt(s, d);
  d.aufrufe.clear();
  s.run.ProjektGeaendert = true;

  ImportProjekt(s, (dir / "import.dat").string(), d);
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  EXPECT_EQ(Sektionen(Pfad()),
            (std::vector<std::string>{"Projekt 1", "Projekt 2", "Projekt 4", "Projekt 3", "Projekt 5"}));
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "ProjektName"), "Import A");
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "Standort"), "Ulm");
  EXPECT_EQ(Wert(Pfad(), "Projekt 3", "Fremd"), "1") << "lines of other versions come along";
  EXPECT_EQ(Wert(Pfad(), "Projekt 5", "ProjektName"), "Projekt 5.0");
  EXPECT_EQ(Wert(Pfad(), "Projekt 5", "Standort"), "Ulm-Nord");
  EXPECT_EQ(Wert(Pfad(), "Projekt 4", "ProjektName"), "Vier");
  EXPECT_EQ(dir.Read("import.dat"), importBytes) << "the import file is only read";

  ASSERT_EQ(s.cat.ProjektAnzahl, 5);
  EXPECT_EQ(s.cat.Projektliste[4].Nummer, 3);
  EXPECT_EQ(s.cat.Projektliste[4].ProjektName, "Import A");
  EXPECT_EQ(s.cat.Projektliste[5].Nummer, 5);
  EXPECT_EQ(s.settings.ProjektNummer, 5);
  EXPECT_EQ(s.plant.Standort, "Ulm-Nord");
  EXPECT_EQ(s.plant.AnlagenTypNr, 4);
  EXPECT_FALSE(s.run.ProjektGeaendert);
  EXPECT_EQ(std::count(d.aufrufe.begin(), d.aufrufe.end(), "SetSpeicherParam"), 1);
}

TEST_F(ProjektTest, ImportRefusesWhatIsNoProjectFileAndChangesNothing) {
  struct Case {
    const char* name;
    std::string inhalt;
  };
  const Case cases[] = {
      {"foreign section", Crlf({"[Ort 1]", "Name=Ulm"})},
      {"a foreign section with a number", Crlf({"[Kollektor 1]", "Name=B"})},
      {"empty file", ""},
  };
  dir.Write("Projekte.dat", Crlf(Projekt(1, "Eins", "A")));
  s.settings.ProjektNummer = 1;
  LoadProjekt(s, d);
  const std::string vorher = Datei();
  for (const auto& c : cases) {
    test::ScopedMessages m;
    dir.Write("import.dat", c.inhalt);
    s.run.ProjektGeaendert = true;
    ImportProjekt(s, (dir / "import.dat").string(), d);
    EXPECT_EQ(Datei(), vorher) << c.name;
    EXPECT_EQ(s.cat.ProjektAnzahl, 1) << c.name;
    EXPECT_TRUE(s.run.ProjektGeaendert) << c.name;
    ASSERT_EQ(m->shown.size(), 1u) << c.name;
    EXPECT_EQ(m->shown[0].text, (dir / "import.dat").string() + " ist keine korrekte Projekt-Datei");
  }
  test::ScopedMessages m;
  ImportProjekt(s, (dir / "gibtsnicht.dat").string(), d);
  EXPECT_TRUE(m->shown.empty());
  EXPECT_EQ(Datei(), vorher);
}

TEST_F(ProjektTest, AtTheLimitOf600ProjectsTheRestStaysInTheFile) {
  std::vector<std::string> zeilen;
  for (int n = 1; n <= 605; ++n) {
    const auto p = Projekt(n, "P" + std::to_string(n), "Ort");
    zeilen.insert(zeilen.end(), p.begin(), p.end());
  }
  dir.Write("Projekte.dat", Crlf(zeilen));
  s.settings.ProjektNummer = 1;
  LoadProjekt(s, d);
  EXPECT_EQ(s.cat.ProjektAnzahl, 600);
  EXPECT_EQ(s.cat.Projektliste[600].Nummer, 600);
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_EQ(msgs->shown[0].text, "Zuviele Projekte in " + Pfad() +
                                     ": 605 Projekte, die Projektliste fasst 600. Die übrigen "
                                     "werden nicht gelistet.");

  // Saving keeps the sections beyond the list.
  ASSERT_TRUE(WriteProjektDat(Pfad(), s, d));
  EXPECT_EQ(Sektionen(Pfad()).size(), 605u);

  // Importing into a full list takes nothing over and saves nothing.
  dir.Write("import.dat", Crlf(Projekt(1, "Neu", "X")));
  const std::string vorher = Datei();
  s.run.ProjektGeaendert = true;
  ImportProjekt(s, (dir / "import.dat").string(), d);
  EXPECT_EQ(Datei(), vorher);
  EXPECT_TRUE(s.run.ProjektGeaendert);
  EXPECT_EQ(msgs->shown.back().text, "Zuviele Projekte in " + (dir / "import.dat").string() +
                                         ": 1 Projekte, die Projektliste fasst 600. Die Liste "
                                         "hält schon 600; übernommen werden 0.");
}

// A project the full list could not take stays in the file; an import after a deletion must
// not take its number and overwrite it.
TEST_F(ProjektTest, ImportNeverTakesTheNumberOfAnUnlistedProject) {
  std::vector<std::string> zeilen;
  for (int n = 2; n <= 601; ++n) {
    const auto p = Projekt(n, "P" + std::to_string(n), "Ort");
    zeilen.insert(zeilen.end(), p.begin(), p.end());
  }
  const auto eins = Projekt(1, "Ungelistet", "Ort");
  zeilen.insert(zeilen.end(), eins.begin(), eins.end());
  dir.Write("Projekte.dat", Crlf(zeilen));
  s.settings.ProjektNummer = 2;
  LoadProjekt(s, d);
  ASSERT_EQ(s.cat.ProjektAnzahl, 600);
  ASSERT_TRUE(DeleteProjekt(s, 601));
  s.cat.ProjektAnzahl = 599;  // the list without the deleted project, not read again
  dir.Write("import.dat", Crlf(Projekt(9, "Neu", "X")));
  ImportProjekt(s, (dir / "import.dat").string(), d);
  EXPECT_EQ(Wert(Pfad(), "Projekt 1", "ProjektName"), "Ungelistet");
  EXPECT_EQ(Wert(Pfad(), "Projekt 601", "ProjektName"), "Neu");
}

// The names of the files in a folder.
std::set<std::string> Dateien(const std::filesystem::path& ordner) {
  std::set<std::string> namen;
  for (const auto& e : std::filesystem::directory_iterator(ordner)) namen.insert(e.path().filename().string());
  return namen;
}

// Three projects at other locations, of other plant types, to be imported.
std::vector<std::string> DreiZumImport() {
  auto sieben = Projekt(7, "Sieben", "Ulm");
  sieben[3] = "AnlagenTyp=Zwei-Speicher";
  auto acht = Projekt(8, "Acht", "Hof");
  acht[4] = "KollektorFlaeche=12,5";
  return Verbunden({sieben, acht, Projekt(9, "Neun", "Kiel")});
}

// Projekte.dat cannot be written (no write bits, a folder without write bits, a disk that
// fills while the imported projects are being written): nothing is imported, and the open
// project keeps everything, its modified flag too; its catalogue names are not looked up
// again. The message names the import file and says that the open project stays. Once the
// file can be written, the same import goes through.
TEST_F(ProjektTest, AnImportThatCannotBeWrittenLeavesProjectListAndFileAsTheyWere) {
  const std::string original = Crlf(Verbunden({Projekt(1, "Eins", "A"), Projekt(2, "Zwei", "B")}));
  // The disk's room beyond the file: about one imported project, not three.
  constexpr std::size_t kPlatz = 2000;
  const std::string quelle = (dir / "import.dat").string();
  dir.Write("import.dat", Crlf(DreiZumImport()));
  for (const test::SperrFall& f : test::kSperrFaelle) {
    SCOPED_TRACE(f.name);
    dir.Write("Projekte.dat", original);
    s.settings.ProjektNummer = 2;
    LoadProjekt(s, d);
    ASSERT_EQ(s.plant.ProjektName, "Zwei");
    s.plant.Info2 = "ungespeichert";
    s.run.ProjektGeaendert = f.geaendert;
    const PlantState vorher = s.plant;
    d.aufrufe.clear();
    test::ScopedMessages m;
    {
      const test::Schreibsperre sperre(f.sperre, Pfad(), kPlatz);
      EXPECT_FALSE(ImportProjekt(s, quelle, d));
    }
    EXPECT_EQ(Datei(), original);
    EXPECT_EQ(Dateien(dir.path()), (std::set<std::string>{"Projekte.dat", "import.dat"}));
    ASSERT_EQ(s.cat.ProjektAnzahl, 2);
    EXPECT_EQ(s.cat.Projektliste[2].ProjektName, "Zwei");
    EXPECT_EQ(s.settings.ProjektNummer, 2);
    test::ErwarteGleichesProjekt(vorher, s.plant);
    EXPECT_EQ(s.plant.Projekt.ProjektName, "Zwei");
    EXPECT_EQ(s.plant.Projekt.Standort, "B");
    EXPECT_EQ(s.run.ProjektGeaendert, f.geaendert);
    for (const std::string& aufruf : d.aufrufe) EXPECT_EQ(aufruf, "CheckAnlagenTyp");
    ASSERT_FALSE(m->shown.empty());
    const std::string& text = m->shown.back().text;
    EXPECT_NE(text.find("Die Daten aus " + quelle + " wurden nicht übernommen"), std::string::npos) << text;
    EXPECT_NE(text.find("Das geöffnete Projekt \"Zwei\" bleibt, wie es war."), std::string::npos) << text;

    EXPECT_TRUE(ImportProjekt(s, quelle, d));
    EXPECT_GT(Datei().size(), original.size() + kPlatz);
    EXPECT_EQ(s.cat.ProjektAnzahl, 5) << m->All();
    EXPECT_EQ(s.settings.ProjektNummer, 5);
    EXPECT_EQ(s.plant.ProjektName, "Neun");
    EXPECT_EQ(s.plant.Standort, "Kiel");
    EXPECT_FALSE(s.run.ProjektGeaendert);
  }
}

// Catalogue services that take the write bits of the project file while the imported
// project's location is looked up: the disk fills after the imported projects were written.
class SperrtBeimAufloesen : public test::FakeDienste {
 public:
  explicit SperrtBeimAufloesen(std::string datei) : datei_(std::move(datei)) {}
  void ReadOrte(TavState& s) override {
    FakeDienste::ReadOrte(s);
    if (!schutz_) schutz_.emplace(datei_);
  }
  void Freigeben() { schutz_.reset(); }

 private:
  std::string datei_;
  std::optional<test::OhneSchreibrecht> schutz_;
};

// The imported projects are in the file, but the save with the resolved names fails: the
// list holds them, the open project is the last one imported, resolved and marked as not
// saved, and the message says so. Saving it later is not taken for another program's change.
TEST_F(ProjektTest, AnImportWhoseLastSaveFailsOpensTheLastImportedProjectUnsaved) {
  dir.Write("Projekte.dat", Crlf(Verbunden({Projekt(1, "Eins", "A"), Projekt(2, "Zwei", "B")})));
  dir.Write("import.dat", Crlf(DreiZumImport()));
  SperrtBeimAufloesen dienste(Pfad());
  s.settings.ProjektNummer = 2;
  LoadProjekt(s, dienste);
  dienste.Freigeben();
  dienste.aufrufe.clear();
  test::ScopedMessages m;
  EXPECT_TRUE(ImportProjekt(s, (dir / "import.dat").string(), dienste));
  dienste.Freigeben();

  EXPECT_EQ(Sektionen(Pfad()), (std::vector<std::string>{"Projekt 1", "Projekt 2", "Projekt 3", "Projekt 4",
                                                         "Projekt 5"}));
  EXPECT_EQ(Wert(Pfad(), "Projekt 4", "KollektorFlaeche"), "12,5");
  ASSERT_EQ(s.cat.ProjektAnzahl, 5);
  EXPECT_EQ(s.cat.Projektliste[5].ProjektName, "Neun");
  EXPECT_EQ(s.settings.ProjektNummer, 5);
  EXPECT_EQ(s.plant.ProjektName, "Neun");
  EXPECT_EQ(s.plant.Standort, "Kiel");
  for (const char* aufruf : {"ReadOrte", "ReadKollektoren", "ReadRohre", "ReadProfile", "SetSpeicherParam"})
    EXPECT_EQ(std::count(dienste.aufrufe.begin(), dienste.aufrufe.end(), aufruf), 1) << aufruf;
  EXPECT_TRUE(s.run.ProjektGeaendert);
  EXPECT_TRUE(m->Contains("Die Projekte aus " + (dir / "import.dat").string() + " sind importiert")) << m->All();

  m->shown.clear();
  EXPECT_TRUE(WriteProjektDat(Pfad(), s, dienste)) << m->All();
  EXPECT_TRUE(m->shown.empty()) << m->All();
}

TEST_F(ProjektTest, DeleteThenLoad) {
  dir.Write("Projekte.dat",
            Crlf(Verbunden({Projekt(1, "Eins", "A"), Projekt(2, "Zwei", "B"), Projekt(3, "Drei", "C")})));
  s.settings.ProjektNummer = 2;
  LoadProjekt(s, d);
  ASSERT_EQ(s.plant.ProjektName, "Zwei");

  const std::string vorher = Datei();
  EXPECT_TRUE(DeleteProjekt(s, 9));
  EXPECT_EQ(Datei(), vorher) << "a number without a section changes nothing";

  EXPECT_TRUE(DeleteProjekt(s, 2));
  EXPECT_EQ(Sektionen(Pfad()), (std::vector<std::string>{"Projekt 1", "Projekt 3"}));
  LoadProjekt(s, d);
  EXPECT_EQ(s.plant.ProjektName, "Eins");
  EXPECT_EQ(s.settings.ProjektNummer, 1);

  // Deleting the last project leaves an empty file; the next load starts afresh.
  EXPECT_TRUE(DeleteProjekt(s, 1));
  EXPECT_TRUE(DeleteProjekt(s, 3));
  EXPECT_TRUE(Sektionen(Pfad()).empty());
  LoadProjekt(s, d);
  EXPECT_EQ(s.plant.ProjektName, "Standard-Solaranlage");
  EXPECT_EQ(Sektionen(Pfad()), std::vector<std::string>{"Projekt 1"});
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();

  // The same with a UTF-8 file: its mark stays when the last project goes.
  dir.Write("Projekte.dat", "\xEF\xBB\xBF" + Crlf(Verbunden({Projekt(4, "Vier", "D")})));
  LoadProjekt(s, d);
  ASSERT_EQ(s.plant.ProjektName, "Vier");
  EXPECT_TRUE(DeleteProjekt(s, 4));
  LoadProjekt(s, d);
  EXPECT_EQ(s.plant.ProjektName, "Standard-Solaranlage");
  EXPECT_EQ(Sektionen(Pfad()), std::vector<std::string>{"Projekt 1"});
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

TEST_F(ProjektTest, AForeignFileIsNeverReplacedByTheStandardProject) {
  const std::string fremd = "Dies ist keine Projektdatei.\r\n";
  dir.Write("Projekte.dat", fremd);
  LoadProjekt(s, d);
  EXPECT_EQ(Datei(), fremd);
  EXPECT_EQ(s.plant.ProjektName, "Standard-Solaranlage") << "goes on with the standard project in memory";
  EXPECT_EQ(s.cat.ProjektAnzahl, 0);
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_NE(msgs->shown[0].text.find("ist keine korrekte Projekt-Datei"), std::string::npos);
}

}  // namespace
}  // namespace tav
