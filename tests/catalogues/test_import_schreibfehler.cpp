// An import whose catalogue cannot be written (a data folder without write permission, or a
// catalogue another program changed meanwhile) says so and leaves list, file and project as
// they were: the location imports, the weather imports, the collector import and the collector
// the EnEV import appends.

#include <gtest/gtest.h>

#include <functional>

#include "catalogues/Kollektoren.h"
#include "enev/EnevDatei.h"
#include "foundation/CodePage.h"
#include "location/Wetter.h"
#include "support/Schreibschutz.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

std::string MonatsDatei() {
  std::string t = "Meteonorm\r\nVersion 4\r\n\r\n\"Neustadt\"\r\n48.0,-7.9,269,\r\nx\r\ny\r\nz\r\n";
  for (int m = 1; m <= 12; ++m)
    t += std::to_string(m) + "\t" + std::to_string(30 + m) + "\t0\t0\t" + std::to_string(m) + ".5\t99\t\r\n";
  return t;
}

std::string StundenDatei() {
  std::string t = "\"Neustadt GM\"\n48.0,7.9,269,-1\nfrei\nhy\tG_Gh\tTa\n";
  for (int h = 1; h <= 8760; ++h) t += std::to_string(h) + "\t100\t5\n";
  return t;
}

std::string OrteQuelle() {
  std::string t;
  AppendOrtSection(t, 1, BeispielOrt("Neustadt"));
  return t;
}

std::string KollektorQuelle() {
  return "[Kollektor 1]\r\nName=Neuer Kollektor\r\nEta0=0,8\r\nk1=3,5\r\nk2=0,01\r\n"
         "ModulFlaeche=2\r\n";
}

std::string EnevQuelle() {
  return "[EnEV -> Sim]\nNutzflaeche=150\n[Kollektor]\nHersteller=Sonnwerk\nModell=SW 2\n"
         "Quelle=Prüfbericht\nEta0=0,79\nK1=3,9\nK2=0,012\nIAM50=0,92\nWkapC=7\nVRK=0\nAModul=2,1\n";
}

struct Import {
  const char* name;
  const char* katalog;                      // the catalogue the import rewrites
  std::string quelle;                       // the file imported
  std::function<bool(OrteFixture&, const std::string&)> importiere;  // true: taken
};

std::vector<Import> Importe() {
  return {
      {"locations", "Orte.dat", OrteQuelle(),
       [](OrteFixture& f, const std::string& d) { return ImportOrte(f.s(), d, f.status) > 0; }},
      {"monthly weather", "Orte.dat", MonatsDatei(),
       [](OrteFixture& f, const std::string& d) { return ReadMeteoDatei(f.s(), d, f.status); }},
      {"hourly weather", "Orte.dat", StundenDatei(),
       [](OrteFixture& f, const std::string& d) { return ReadMN5Datei(f.s(), d, f.status); }},
      {"collectors", "Koll.dat", KollektorQuelle(),
       [](OrteFixture& f, const std::string& d) { return ImportKollektoren(f.s(), d, f.status) > 0; }},
      {"EnEV collector", "Koll.dat", EnevQuelle(),
       [](OrteFixture& f, const std::string& d) {
         enev::EnevStand stand;
         EXPECT_EQ(enev::ImportEnevDaten(d, f.s(), stand, f.status), enev::EnevImport::Gelesen);
         return f.s().run.KollektorEditAnfrage;
       }},
  };
}

// The state an import may change: both lists, the project's choices and its changed flag.
struct Stand {
  int orte, kollektoren, ortNr, kollektorNr;
  std::string standort, kollektor;
  float eta0;
  bool geaendert;
  explicit Stand(const TavState& s)
      : orte(s.cat.OrtAnzahl), kollektoren(s.cat.KollektorAnzahl), ortNr(s.plant.OrtNr),
        kollektorNr(s.plant.KollektorNr), standort(s.plant.Standort), kollektor(s.plant.Kollektor),
        eta0(s.plant.KollEta0), geaendert(s.run.ProjektGeaendert) {}
  bool operator==(const Stand&) const = default;
};

// The locations and collectors read as a running program holds them, and the file to import.
struct ImportLauf : OrteFixture {
  explicit ImportLauf(const Import& i) : import(i) {
    quellen.Write("quelle.dat", EncodeCodePage(i.quelle, CodePage::Cp1252));
    s().plant.Standort = "Freiburg";
    ReadOrte(s(), env);
    s().plant.Kollektor = "*init*";
    ReadKollektoren(s(), status);
    msgs->shown.clear();
  }
  bool Importiere() { return import.importiere(*this, (quellen / "quelle.dat").string()); }
  const Import& import;
  TempDir quellen;
};

TEST(ImportOhneKatalog, ReadOnlyFolderReportsAndChangesNothing) {
  for (const Import& i : Importe()) {
    SCOPED_TRACE(i.name);
    ImportLauf f(i);
    const Stand vorher(f.s());
    const std::string datei = f.dir.Read(i.katalog);
    {
      OhneSchreibrecht schutz(f.dir.path());
      EXPECT_FALSE(f.Importiere());
    }
    EXPECT_TRUE(Stand(f.s()) == vorher);
    EXPECT_EQ(f.dir.Read(i.katalog), datei);
    EXPECT_TRUE(f.msgs->Contains("nicht übernommen")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains((f.dir / i.katalog).string())) << f.msgs->All();
    EXPECT_FALSE(f.msgs->Contains("gelesen, 1 übernommen")) << f.msgs->All();
    // Writable again, the same import is taken.
    f.msgs->shown.clear();
    EXPECT_TRUE(f.Importiere()) << f.msgs->All();
  }
}

// Another program changed the catalogue since it was read: the import is refused, the list
// is read again as the other program wrote it, and the next import is written onto that.
TEST(ImportOhneKatalog, CatalogueChangedByAnotherProgramIsReadAgain) {
  for (const Import& i : Importe()) {
    SCOPED_TRACE(i.name);
    ImportLauf f(i);
    // The other program appends an entry.
    const bool orte = std::string(i.katalog) == "Orte.dat";
    std::string fremd = f.dir.Read(i.katalog);
    if (orte)
      AppendOrtSection(fremd, 7, BeispielOrt("Fremdort"));
    else
      fremd += "[Kollektor 5]\r\nName=Fremdkollektor\r\nEta0=0,8\r\nk1=3\r\n\r\n";
    f.dir.Write(i.katalog, fremd);
    const Stand vorher(f.s());
    EXPECT_FALSE(f.Importiere());
    EXPECT_TRUE(f.msgs->Contains("von einem anderen Programm geändert")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains("nicht übernommen")) << f.msgs->All();
    EXPECT_EQ(f.dir.Read(i.katalog), fremd);
    // The list is the file as it is now; the project keeps its choices.
    const Stand nachher(f.s());
    EXPECT_EQ(nachher.orte, vorher.orte + (orte ? 1 : 0));
    EXPECT_EQ(nachher.kollektoren, vorher.kollektoren + (orte ? 0 : 1));
    EXPECT_EQ(nachher.standort, vorher.standort);
    EXPECT_EQ(nachher.kollektor, vorher.kollektor);
    EXPECT_EQ(nachher.ortNr, vorher.ortNr);
    EXPECT_EQ(nachher.kollektorNr, vorher.kollektorNr);
    EXPECT_EQ(orte ? f.s().cat.Orte[7].Name : f.s().cat.Kollektoren[5].Name,
              orte ? "Fremdort" : "Fremdkollektor");
    f.msgs->shown.clear();
    EXPECT_TRUE(f.Importiere()) << f.msgs->All();
    EXPECT_NE(f.dir.Read(i.katalog).find(orte ? "Name=Fremdort" : "Name=Fremdkollektor"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace tav::test
