// The storage catalogue and the solar-package list: reading, the storage-type groups, the
// package line rules and the built-in package.

#include <gtest/gtest.h>

#include "catalogues/SolPaket.h"
#include "catalogues/Speicher.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

TEST(SpeicherDatei, StoresAreReadWithTheirTypeGroup) {
  OrteFixture f;
  f.dir.Write("Speicher.dat",
              "[Speicher 1]\r\nName=Solarspeicher 300\r\nSpTypN=CL\r\nSchema=1\r\nSpVol1=300\r\nSpVol2=0\r\n\r\n"
              "[Kombi]\nName=Kombi 800\nSpTypN=KombiSH\nSchema=3\nSpVol1=800\nSpVol2=200\n"
              "[Fremd]\r\nName=Fremd\r\nSpTypN=XYZ\r\nSchema=2\r\n"
              "[Leer]\r\nSchema=4\r\n"
              "[Kombi]\r\nName=Zweiter Kombi\r\nSpTypN=PS8\r\nSchema=5\r\nSpVol1=x\r\n"
              "[Von Hand]\r\nName= Schicht 500 \r\nSpTypN= SL \r\nSchema=1\r\nSpVol1=500\r\n");
  const CatalogueState& c = f.s().cat;
  ReadSpeicher(f.s().cat, SpeicherDateiPfad(f.s()));
  ASSERT_EQ(c.SpeicherlisteAnzahl, 6);
  ASSERT_EQ(c.Speicherliste.size(), 7u);
  const struct {
    const char* name;
    int typ, schema, vol1, vol2;
  } erwartet[] = {
      {"Solarspeicher 300", 0, 1, 300, 0}, {"Kombi 800", 11, 3, 800, 200}, {"Fremd", 17, 0, 300, 0},
      {"?", 17, 0, 300, 0},                {"Zweiter Kombi", 16, 5, 300, 0},
      // Blanks around a text are not part of it.
      {"Schicht 500", 2, 1, 500, 0},
  };
  for (int i = 1; i <= 6; ++i) {
    const TSpeicher& sp = c.Speicherliste[static_cast<std::size_t>(i)];
    const auto& e = erwartet[i - 1];
    EXPECT_EQ(sp.Name, e.name) << i;
    EXPECT_EQ(sp.SpTypN, e.typ) << i;
    EXPECT_EQ(sp.Schema, e.schema) << i;
    EXPECT_EQ(sp.SpVol1, e.vol1) << i;
    EXPECT_EQ(sp.SpVol2, e.vol2) << i;
  }
  // The unreadable volume is reported with its section; the file is only read.
  ASSERT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
  EXPECT_TRUE(f.msgs->Contains("Zahlenangaben bei Kombi prüfen!")) << f.msgs->All();
}

// A file with text but no usable store says so, as the other catalogue readers do.
TEST(SpeicherDatei, FileWithoutUsableStoreIsReported) {
  for (const char* inhalt : {"Name=ohne Abschnitt\r\n", "[S1]\r\nName=Fremd\r\nSpTypN=XYZ\r\n",
                             "[S1]\r\nSpTypN=CL\r\n"}) {
    SCOPED_TRACE(inhalt);
    OrteFixture f;
    f.dir.Write("Speicher.dat", inhalt);
    ReadSpeicher(f.s().cat, SpeicherDateiPfad(f.s()));
    EXPECT_TRUE(f.msgs->Contains("Keine Speicherdaten gefunden")) << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(SpeicherDateiPfad(f.s()))) << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Speicher.dat"), inhalt);
  }
}

TEST(SpeicherDatei, MissingOrEmptyFileGivesAnEmptyListSilently) {
  for (const char* inhalt : {static_cast<const char*>(nullptr), "", "\r\n"}) {
    OrteFixture f;
    if (inhalt) f.dir.Write("Speicher.dat", inhalt);
    f.s().cat.Speicherliste.resize(4);
    f.s().cat.SpeicherlisteAnzahl = 3;
    ReadSpeicher(f.s().cat, SpeicherDateiPfad(f.s()));
    EXPECT_EQ(f.s().cat.SpeicherlisteAnzahl, 0);
    EXPECT_EQ(f.s().cat.Speicherliste.size(), 1u);
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
    EXPECT_EQ(std::filesystem::exists(f.dir / "Speicher.dat"), inhalt != nullptr);  // never written
  }
}

TEST(SolPaket, LinesAreAcceptedByTheirRules) {
  const struct {
    const char* fall;
    const char* zeile;
    bool ok;
    int typ;
  } faelle[] = {
      {"fixture", "Paket A\tFlachkollektor XY\t3\tSolarspeicher 300\t300\t0\tClassic\t1", true, 1},
      {"type 3 becomes 1", "P\tK\t2\tS\t300\t0\tX\t3", true, 1},
      {"type 6 with second volume", "P\tK\t2\tS\t300\t200\tX\t6", true, 6},
      {"type 7 becomes 6", "P\tK\t2\tS\t300\t200\tX\t7", true, 6},
      {"type 7 without second volume", "P\tK\t2\tS\t300\t0\tX\t7", false, 6},
      {"type 9", "P\tK\t2\tS\t300\t200\tX\t9", false, 1},
      {"type 0", "P\tK\t2\tS\t300\t200\tX\t0", false, 1},
      {"type 8", "P\tK\t2\tS\t300\t200\tX\t8", false, 1},
      {"no first volume", "P\tK\t2\tS\t0\t200\tX\t1", false, 1},
      {"semicolons are one field", "P;K;2;S;300;0;X;1", false, 1},
      {"comment", ";P\tK\t2\tS\t300\t0\tX\t1", false, 1},
      {"empty", "", false, 1},
      {"missing fields", "P\tK", false, 1},
      {"volume beyond a word", "P\tK\t2\tS\t70000\t0\tX\t1", false, 1},
  };
  for (const auto& e : faelle) {
    TPaket p;
    EXPECT_EQ(ParseSolPaket(e.zeile, p), e.ok) << e.fall;
    if (*e.zeile && e.zeile[0] != ';') {
      EXPECT_EQ(p.TypNr, e.typ) << e.fall;
    }
  }
  TPaket p;
  ASSERT_TRUE(ParseSolPaket("  Paket A \t Flachkollektor XY\t3\tSolarspeicher 300\t300\t0\tClassic\t1", p));
  EXPECT_EQ(p.Name, "Paket A");
  EXPECT_EQ(p.Kollektor, "Flachkollektor XY");
  EXPECT_EQ(p.KollAnz, 3);
  EXPECT_EQ(p.Speicher, "Solarspeicher 300");
  EXPECT_EQ(p.SpVol1, 300);
  EXPECT_EQ(p.SpVol2, 0);
  EXPECT_EQ(p.BivSpTyp, "CLASSIC");
}

TEST(SolPaket, FilesGiveTheirPackagesOrTheBuiltInOne) {
  const struct {
    const char* fall;
    const char* inhalt;  // nullptr: no file
    std::vector<std::string> namen;
    bool meldung;
  } faelle[] = {
      {"missing file", nullptr, {"Beispielsolarpaket"}, false},
      {"empty file", "", {"Beispielsolarpaket"}, false},
      {"one valid line only", "Paket A\tFlachkollektor XY\t3\tSolarspeicher 300\t300\t0\tClassic\t1\r\n",
       {"Beispielsolarpaket"}, true},
      {"comment and a valid line",
       "; Name\tKollektor\r\nPaket A\tFlachkollektor XY\t3\tSolarspeicher 300\t300\t0\tClassic\t1\r\n",
       {"Paket A"}, false},
      {"LF lines, one rejected",
       "Paket A\tK\t3\tS\t300\t0\tClassic\t1\nPaket B\tK\t3\tS\t300\t0\tClassic\t9\nPaket C\tK\t3\tS\t300\t100\tDUO\t7\n",
       {"Paket A", "Paket C"}, false},
      {"nothing accepted", "; a\r\n; b\r\n", {"Beispielsolarpaket"}, true},
  };
  for (const auto& e : faelle) {
    OrteFixture f;
    if (e.inhalt) f.dir.Write("SolPaket.dat", e.inhalt);
    InitSolPakete(f.s().cat, PaketDateiPfad(f.s()));
    const CatalogueState& c = f.s().cat;
    ASSERT_EQ(c.PaketAnzahl, static_cast<int>(e.namen.size())) << e.fall;
    ASSERT_EQ(c.Solarpakete.size(), e.namen.size()) << e.fall;
    for (std::size_t i = 0; i < e.namen.size(); ++i) EXPECT_EQ(c.Solarpakete[i].Name, e.namen[i]) << e.fall;
    if (e.meldung) {
      EXPECT_TRUE(f.msgs->Contains("Fehler beim Lesen von Datei " + PaketDateiPfad(f.s()))) << e.fall << f.msgs->All();
    } else {
      EXPECT_TRUE(f.msgs->shown.empty()) << e.fall << f.msgs->All();
    }
  }
  const TPaket b = BuiltInPaket();
  EXPECT_EQ(b.Kollektor, "Flachkollektor");
  EXPECT_EQ(b.KollAnz, 3);
  EXPECT_EQ(b.SpVol1, 300);
  EXPECT_EQ(b.SpVol2, 200);
  EXPECT_EQ(b.BivSpTyp, "Classic");
  EXPECT_EQ(b.TypNr, 1);
}

}  // namespace
}  // namespace tav::test
