// The collector catalogue: format, built-in rows, reading old and new files, resolution of the
// project's collector, the EnEV match, import, bad files and the "Koll.dac" conversion.

#include <gtest/gtest.h>

#include <filesystem>

#include "catalogues/Kollektoren.h"
#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

struct KollFixture : OrteFixture {
  std::string datei() const { return (dir / "Koll.dat").string(); }
  void Schreibe(const std::string& utf8) const { dir.Write("Koll.dat", EncodeCodePage(utf8, CodePage::Cp1252)); }
  void Lies(const std::string& kollektor) {
    s().plant.Kollektor = kollektor;
    ReadKollektoren(s(), status);
  }
  const TKollektor& K(int i) { return s().cat.Kollektoren[static_cast<std::size_t>(i)]; }
};

TEST(KollektorFormat, VacuumTubeSectionIsWrittenExactly) {
  const std::vector<TKollektor> rows = BuiltInKollektoren();
  ASSERT_EQ(rows.size(), 4u);
  std::string t;
  AppendKollektorSection(t, 4, rows[3]);
  EXPECT_EQ(t,
            "[Kollektor 4]\r\n"
            "Name=Vakuumröhrenkollektor\r\n"
            "Norm=DIN\r\n"
            "Quelle=nach DIN 4701-10\r\n"
            "Eta0=0,710\r\n"
            "k1=1,000\r\n"
            "k2=0,0090\r\n"
            "IAM50=0,990\r\n"
            "WkapC=0,000\r\n"
            "VRK=1\r\n"
            "ModulFlaeche=1,000\r\n"
            "qmVolumen=1,000\r\n"
            "\r\n");
}

TEST(KollektorFormat, WideAndNegativeValuesStaySeparateFields) {
  TKollektor k = BeispielKollektor("Breit", 1.5f, 12.345f, -0.0123f);
  k.ModulFlaeche = 123.456f;
  std::string t;
  AppendKollektorSection(t, 1, k);
  EXPECT_NE(t.find("\r\nk1=12,345\r\n"), std::string::npos) << t;
  EXPECT_NE(t.find("\r\nk2=-0,0123\r\n"), std::string::npos) << t;
  EXPECT_NE(t.find("\r\nModulFlaeche=123,456\r\n"), std::string::npos) << t;
}

TEST(KollektorDatei, MissingFileGivesTheFourBuiltInRowsAndInitTakesTheFirst) {
  KollFixture f;
  f.Lies("*init*");
  ASSERT_EQ(f.s().cat.KollektorAnzahl, 4);
  EXPECT_EQ(f.K(1).Name, "Solarabsorber, Kunststoff, unverglast");
  EXPECT_EQ(f.K(4).Name, "Vakuumröhrenkollektor");
  EXPECT_TRUE(f.K(4).VRK);
  EXPECT_EQ(f.s().plant.KollektorNr, 1);
  EXPECT_EQ(f.s().plant.Kollektor, f.K(1).Name);
  EXPECT_FLOAT_EQ(f.s().plant.KollK1, 10.0f);
  EXPECT_FLOAT_EQ(f.s().plant.KollK2, 0.93f);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  // The file holds exactly the built-in rows, in code page 1252.
  EXPECT_EQ(f.dir.Read("Koll.dat"), EncodeCodePage(KollektorenText(f.s().cat), CodePage::Cp1252));
  EXPECT_NE(f.dir.Read("Koll.dat").find("Gro\xDF" "fl\xE4" "chenkollektor"), std::string::npos);
  EXPECT_EQ(f.status.status.back(), "Kollektorliste ist eingelesen");
  // The notice of the short list stands a moment before the list is written.
  ASSERT_GE(f.status.ablauf.size(), 2u);
  EXPECT_EQ(f.status.ablauf[0], "S:Kollektorliste wird in Kurzform angelegt");
  EXPECT_EQ(f.status.ablauf[1], "W:800");
}

TEST(KollektorDatei, RoundTripKeepsValuesAndBytes) {
  KollFixture f;
  CatalogueState& c = f.s().cat;
  const std::vector<TKollektor> rows = BuiltInKollektoren();
  c.KollektorAnzahl = 0;
  for (const auto& k : rows) c.Kollektoren[static_cast<std::size_t>(++c.KollektorAnzahl)] = k;
  c.Kollektoren[static_cast<std::size_t>(++c.KollektorAnzahl)] = BeispielKollektor("Breit", 1.5f, 12.3456f, -0.01234f);
  c.Kollektoren[static_cast<std::size_t>(++c.KollektorAnzahl)] = BeispielKollektor("Großer Wert", 0.81234f, 123.4f, 2.5f);
  ASSERT_TRUE(WriteKollektoren(f.s(), f.status));
  const std::string bytes = f.dir.Read("Koll.dat");
  const std::vector<TKollektor> geschrieben(c.Kollektoren.begin() + 1, c.Kollektoren.begin() + 1 + c.KollektorAnzahl);

  KollFixture g;
  g.Schreibe(DecodeCodePage(bytes, CodePage::Cp1252));
  g.Lies("Breit");
  ASSERT_EQ(g.s().cat.KollektorAnzahl, 6);
  for (int i = 1; i <= 6; ++i) {
    const TKollektor& a = geschrieben[static_cast<std::size_t>(i - 1)];
    const TKollektor& b = g.K(i);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Norm, b.Norm);
    EXPECT_EQ(a.Quelle, b.Quelle);
    EXPECT_EQ(a.Eta0, b.Eta0) << i;
    EXPECT_EQ(a.K1, b.K1) << i;
    EXPECT_EQ(a.K2, b.K2) << i;
    EXPECT_EQ(a.IAM50, b.IAM50) << i;
    EXPECT_EQ(a.WkapC, b.WkapC) << i;
    EXPECT_EQ(a.VRK, b.VRK) << i;
    EXPECT_EQ(a.ModulFlaeche, b.ModulFlaeche) << i;
    EXPECT_EQ(a.qmVolumen, b.qmVolumen) << i;
  }
  // The writer keeps in memory what the file holds: 4 decimals of K2, 3 of the others.
  EXPECT_FLOAT_EQ(g.K(5).K1, 12.346f);
  EXPECT_FLOAT_EQ(g.K(5).K2, -0.0123f);
  EXPECT_EQ(g.s().plant.KollK1, g.K(5).K1);
  ASSERT_TRUE(WriteKollektoren(g.s(), g.status));
  EXPECT_EQ(g.dir.Read("Koll.dat"), bytes);
}

TEST(KollektorDatei, OlderAndHandWrittenKeysAreRead) {
  KollFixture f;
  f.Schreibe(
      "[Kollektor 1]\r\nKollektorName=Alt A\r\nTestMethode=DIN 4757-4 Teil 1\r\nEta0=0.8\r\nK1=3,2\r\n"
      "[Kollektor 2]\r\nKollektorName=Alt B\r\nEta0=0,7\r\n"
      "[Kollektor 3]\r\nKollektorName=Alt C\r\nTestMethode=ISO 9806\r\nEta0=0,7\r\n"
      "[Kollektor 4]\nName=Neu\nNorm=EN 12975\nQuelle=Labor\nEta0=0,7\nk1=2,5\nk2= 0,0100\nVRK=1\n"
      "[Kollektor 5]\r\nEta0=0,7\r\n"
      // Without an optical efficiency it would run as a collector without yield: left out.
      "[Kollektor 6]\r\nName=Ohne Eta0\r\n");
  f.Lies("Neu");
  ASSERT_EQ(f.s().cat.KollektorAnzahl, 5);
  EXPECT_TRUE(f.msgs->Contains("[Kollektor 6] \"Ohne Eta0\": Eta0 fehlt")) << f.msgs->All();
  const struct {
    int i;
    const char *name, *norm, *quelle;
    float eta0, k1, k2, iam;
    bool vrk;
  } faelle[] = {
      {1, "Alt A", "DIN 4757", "DIN 4757-4 Teil 1", 0.8f, 3.2f, 0.0f, 0.9f, false},
      {2, "Alt B", "EN 12975", "*** unbekannt ***", 0.7f, 0.0f, 0.0f, 0.9f, false},
      {3, "Alt C", "ISO 9800", "ISO 9806", 0.7f, 0.0f, 0.0f, 0.9f, false},
      {4, "Neu", "EN 12975", "Labor", 0.7f, 2.5f, 0.01f, 0.9f, true},
      {5, "Kollektor 5.0", "EN 12975", "*** unbekannt ***", 0.7f, 0.0f, 0.0f, 0.9f, false},
  };
  for (const auto& e : faelle) {
    const TKollektor& k = f.K(e.i);
    EXPECT_EQ(k.Name, e.name) << e.i;
    EXPECT_EQ(k.Norm, e.norm) << e.i;
    EXPECT_EQ(k.Quelle, e.quelle) << e.i;
    EXPECT_FLOAT_EQ(k.Eta0, e.eta0) << e.i;
    EXPECT_FLOAT_EQ(k.K1, e.k1) << e.i;
    EXPECT_FLOAT_EQ(k.K2, e.k2) << e.i;
    EXPECT_FLOAT_EQ(k.IAM50, e.iam) << e.i;
    EXPECT_EQ(k.VRK, e.vrk) << e.i;
    EXPECT_FLOAT_EQ(k.ModulFlaeche, 1.0f) << e.i;
  }
  EXPECT_EQ(f.s().plant.KollektorNr, 4);
  EXPECT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
}

TEST(KollektorAufloesung, ProjectNamesResolveAsExpected) {
  const std::string lang60(60, 'L');
  // Farther from every list name than any fixed start value of the search.
  const std::string fern(7000, 'x');
  const struct {
    const char* fall;
    std::string kollektor;
    bool marke;
    int nr;
    std::string meldung;  // empty: no message
  } faelle[] = {
      {"exact, last of equals", "Doppelt", false, 3, ""},
      {"init", "*init*", false, 1, ""},
      {"nearest with warning, first of equals", "Doppelt X", false, 2,
       "\"Doppelt X\" nicht in Kollektorliste\ngewählt: Doppelt"},
      {"brand edition text", "Doppelt X", true, 2,
       "\"Doppelt X\"  - Kollektortyp nicht mehr gelistet\ngewählt: Doppelt"},
      {"long name stored cut to 50", lang60.substr(0, 50), false, 4, ""},
      {"long name in full", lang60, false, 4, ""},
      {"far from every name: still the nearest", fern, false, 4,
       "\"" + Zitat(fern) + "\" nicht in Kollektorliste\ngewählt: " + lang60},
  };
  for (const auto& e : faelle) {
    KollFixture f;
    std::string t;
    AppendKollektorSection(t, 1, BeispielKollektor("Erster"));
    AppendKollektorSection(t, 2, BeispielKollektor("Doppelt", 0.7f));
    AppendKollektorSection(t, 3, BeispielKollektor("Doppelt", 0.6f));
    AppendKollektorSection(t, 4, BeispielKollektor(lang60, 0.5f));
    AppendKollektorSection(t, 5, BeispielKollektor(std::string(49, 'L'), 0.4f));
    f.Schreibe(t);
    f.s().run.FirmenVersion = e.marke;
    f.Lies(e.kollektor);
    EXPECT_EQ(f.s().plant.KollektorNr, e.nr) << e.fall;
    EXPECT_FLOAT_EQ(f.s().plant.KollEta0, f.K(e.nr).Eta0) << e.fall;
    if (!e.meldung.empty()) {
      ASSERT_EQ(f.msgs->shown.size(), 1u) << e.fall << f.msgs->All();
      EXPECT_EQ(f.msgs->shown[0].text, e.meldung) << e.fall;
    } else {
      EXPECT_TRUE(f.msgs->shown.empty()) << e.fall << f.msgs->All();
    }
  }
}

TEST(KollektorDatei, SectionsWithTheSameNameAreAllKept) {
  KollFixture f;
  std::string t;
  AppendKollektorSection(t, 1, BeispielKollektor("Erster"));
  AppendKollektorSection(t, 1, BeispielKollektor("Zweiter", 0.6f));
  AppendKollektorSection(t, 2, BeispielKollektor("Dritter", 0.5f));
  f.Schreibe(t);
  f.Lies("Zweiter");
  ASSERT_EQ(f.s().cat.KollektorAnzahl, 3);
  EXPECT_EQ(f.s().plant.KollektorNr, 2);
  EXPECT_FLOAT_EQ(f.s().plant.KollEta0, 0.6f);
  ASSERT_TRUE(WriteKollektoren(f.s(), f.status));
  EXPECT_NE(f.dir.Read("Koll.dat").find("[Kollektor 3]\r\nName=Dritter"), std::string::npos);
}

TEST(KollektorAufloesung, LongNameIsCurrentUnderFiftyCharactersAndSurvivesSaveAndLoad) {
  KollFixture f;
  const std::string lang = "Sehr langer Kollektorname mit Umlauten äöü und noch mehr Text hier";
  std::string t;
  AppendKollektorSection(t, 1, BeispielKollektor("Kurz"));
  AppendKollektorSection(t, 2, BeispielKollektor(lang, 0.66f));
  f.Schreibe(t);
  f.Lies(lang);
  EXPECT_EQ(f.s().plant.KollektorNr, 2);
  EXPECT_EQ(Utf8Length(f.s().plant.Kollektor), 50u);
  EXPECT_EQ(f.s().plant.Kollektor, CodePointsToUtf8(Utf8ToCodePoints(lang).substr(0, 50)));
  // The project stores the cut name; the next start finds the same collector silently.
  const std::string gespeichert = f.s().plant.Kollektor;
  KollFixture g;
  g.Schreibe(t);
  g.Lies(gespeichert);
  EXPECT_EQ(g.s().plant.KollektorNr, 2);
  EXPECT_TRUE(g.msgs->shown.empty()) << g.msgs->All();
}

TEST(KollektorAufloesung, BrandCollectorIsFoundUnderItsLongerName) {
  KollFixture f;
  std::string t;
  AppendKollektorSection(t, 1, BeispielKollektor("Anderer"));
  AppendKollektorSection(t, 2, BeispielKollektor("Kelbrand Lumoa K1/K2"));
  f.Schreibe(t);
  f.Lies("Kelbrand Lumoa");
  EXPECT_EQ(f.s().plant.KollektorNr, 2);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(KollektorAuswahl, EmptyListAndBadIndexChangeNothing) {
  KollFixture f;
  std::uint16_t d = 0;
  EXPECT_EQ(FindKollektor(f.s().cat, "x", d), -1);
  EXPECT_EQ(d, 10000);
  f.s().plant.Kollektor = "bleibt";
  EXPECT_FALSE(SelectKollektor(f.s(), -1));
  EXPECT_FALSE(SelectKollektor(f.s(), 1));
  EXPECT_EQ(f.s().plant.Kollektor, "bleibt");
}

TEST(KollektorDatei, BadFilesAreReportedAndLeftUntouched) {
  struct Fall {
    const char* fall;
    std::string text;
    int anzahl;
    const char* meldung;
  };
  std::string viele;
  for (int n = 1; n <= 601; ++n) AppendKollektorSection(viele, n, BeispielKollektor("K" + std::to_string(n)));
  std::string kaputt;
  AppendKollektorSection(kaputt, 1, BeispielKollektor("Gut"));
  kaputt += "[Kollektor 2]\r\nName=Schlecht\r\nEta0=0,7x\r\nk1=3,0\r\n";
  // A section with a value that cannot be read is left out (the figures no collector has:
  // KollektorUnmoeglicheWerte).
  const Fall faelle[] = {
      {"bad number", kaputt, 1, "[Kollektor 2] \"Schlecht\": Eta0 = 0,7x ist keine Zahl"},
      {"too many", viele, 600, "Zuviele Einträge in Koll.dat"},
      {"no section", "Name=ohne Abschnitt\r\n", 4, "Keine Kollektordaten gefunden"},
      {"blank inside a number", std::string(kaputt).replace(kaputt.find("0,7x"), 4, "0, 7"), 1,
       "[Kollektor 2] \"Schlecht\": Eta0 = 0, 7 ist keine Zahl"},
  };
  for (const auto& e : faelle) {
    KollFixture f;
    f.Schreibe(e.text);
    const std::string vorher = f.dir.Read("Koll.dat");
    f.Lies("Gut");
    EXPECT_EQ(f.s().cat.KollektorAnzahl, e.anzahl) << e.fall;
    EXPECT_TRUE(f.msgs->Contains(e.meldung)) << e.fall << f.msgs->All();
    EXPECT_TRUE(f.msgs->Contains(f.datei())) << e.fall << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Koll.dat"), vorher) << e.fall;
    EXPECT_GE(f.s().plant.KollektorNr, 1) << e.fall;
  }
}

TEST(KollektorDatei, EmptyFileCountsAsMissingAndUnreadableFileStays) {
  KollFixture f;
  f.dir.Write("Koll.dat", " \r\n\r\n");
  f.Lies("*init*");
  EXPECT_EQ(f.s().cat.KollektorAnzahl, 4);
  EXPECT_NE(f.dir.Read("Koll.dat").find("[Kollektor 4]"), std::string::npos);

  KollFixture g;
  std::filesystem::create_directory(g.dir / "Koll.dat");  // cannot be read as a file
  g.Lies("*init*");
  EXPECT_EQ(g.s().cat.KollektorAnzahl, 4);
  EXPECT_FALSE(g.msgs->shown.empty());
  EXPECT_TRUE(std::filesystem::is_directory(g.dir / "Koll.dat"));
}

TEST(KollektorDatei, WriteFailureKeepsTheOldFile) {
  KollFixture f;
  f.Lies("*init*");
  f.s().folders.DatenDir = (f.dir / "fehlt").string() + "/";
  EXPECT_FALSE(WriteKollektoren(f.s(), f.status));
  EXPECT_TRUE(f.msgs->Contains("Schreibfehler beim Aktualisieren der Kollektordatei")) << f.msgs->All();
  EXPECT_FALSE(std::filesystem::exists(f.dir / "fehlt"));
}

TEST(KollektorMatch, HandedOverCollectorIsFoundOrAppended) {
  struct Fall {
    const char* fall;
    std::string kurz, name;
    float eta0, k1, k2;
    bool marke;
    int vorher;  // collectors in the list before
    bool angehaengt;
    int nr;      // expected KollektorNr; -1: unchanged
    const char* meldung;
  };
  const Fall faelle[] = {
      {"exact", "Firma", "Typ A", 0.5f, 1.0f, 0.01f, false, 3, false, 2, ""},
      {"near, equal coefficients", "Firma", "Typ A2", 0.8f, 3.5f, 0.015f, false, 3, false, 2,
       "\"Firma Typ A2\" -> \ngewählt: Firma Typ A"},
      {"near, other coefficients", "Firma", "Typ A2", 0.7f, 3.5f, 0.015f, false, 3, true, 4, ""},
      {"list full", "Firma", "Neu", 0.7f, 3.5f, 0.015f, false, 600, false, -1,
       "Koll.dat (höchstens 600 Einträge)"},
      {"brand edition", "Firma", "Neu", 0.7f, 3.5f, 0.015f, true, 3, false, -1,
       "\"Firma Neu\" nicht in Kollektorliste"},
  };
  for (const auto& e : faelle) {
    KollFixture f;
    CatalogueState& c = f.s().cat;
    c.KollektorAnzahl = static_cast<std::int16_t>(e.vorher);
    for (int i = 1; i <= e.vorher; ++i) c.Kollektoren[static_cast<std::size_t>(i)] = BeispielKollektor("Anderer " + std::to_string(i), 0.3f);
    c.Kollektoren[2] = BeispielKollektor("Firma Typ A");
    f.s().run.FirmenVersion = e.marke;
    f.s().plant.KollektorNr = -1;
    TKollektor r = BeispielKollektor(e.name, e.eta0, e.k1, e.k2);
    r.Kurzname = e.kurz;
    EXPECT_EQ(MatchKollektor(f.s(), r), e.angehaengt) << e.fall;
    EXPECT_EQ(f.s().plant.KollektorNr, e.nr) << e.fall;
    if (e.angehaengt) {
      EXPECT_EQ(c.KollektorAnzahl, e.vorher + 1) << e.fall;
      EXPECT_EQ(c.Kollektoren[static_cast<std::size_t>(c.KollektorAnzahl)].Name, e.kurz + " " + e.name);
    } else {
      EXPECT_EQ(c.KollektorAnzahl, e.vorher) << e.fall;
    }
    if (*e.meldung) {
      EXPECT_TRUE(f.msgs->Contains(e.meldung)) << e.fall << f.msgs->All();
    } else {
      EXPECT_TRUE(f.msgs->shown.empty()) << e.fall << f.msgs->All();
    }
  }
}

TEST(KollektorImport, NewCollectorSectionsAreTakenOver) {
  KollFixture f;
  f.Lies("*init*");
  std::string t;
  AppendKollektorSection(t, 1, BeispielKollektor("Importiert"));
  AppendKollektorSection(t, 2, BeispielKollektor("Vakuumröhrenkollektor"));  // exists: skipped
  t += "[Anderes]\r\nName=kein Kollektor\r\n";
  t += "[Kollektor 3]\r\nName=Kaputt\r\nEta0=abc\r\n";
  f.dir.Write("fremd.dat", EncodeCodePage(t, CodePage::Cp1252));
  EXPECT_EQ(ImportKollektoren(f.s(), (f.dir / "fremd.dat").string(), f.status), 1);
  EXPECT_EQ(f.s().cat.KollektorAnzahl, 5);
  EXPECT_EQ(f.K(5).Name, "Importiert");
  EXPECT_TRUE(f.msgs->Contains("Daten von 3 Kollektoren gelesen, 1 übernommen.")) << f.msgs->All();
  EXPECT_TRUE(f.msgs->Contains("[Kollektor 3] \"Kaputt\": Eta0 = abc ist keine Zahl; der Eintrag wird nicht übernommen")) << f.msgs->All();
  EXPECT_NE(f.dir.Read("Koll.dat").find("[Kollektor 5]\r\nName=Importiert"), std::string::npos);

  f.dir.Write("leer.dat", "[Projekt 1]\r\nName=x\r\n");
  EXPECT_EQ(ImportKollektoren(f.s(), (f.dir / "leer.dat").string(), f.status), -1);
  EXPECT_TRUE(f.msgs->Contains("Keine Kollektordaten in " + (f.dir / "leer.dat").string() + " gefunden"));
}

TEST(KollektorDac, ScrambledCatalogueBecomesThePlainFile) {
  KollFixture f;
  std::string klar;
  for (int n = 1; n <= 40; ++n) AppendKollektorSection(klar, n, BeispielKollektor("Marke " + std::to_string(n)));
  const std::string bytes = EncodeCodePage(klar, CodePage::Cp1252);
  ASSERT_GT(bytes.size(), 2048u * 2);
  const std::string verschluesselt = KollDacTransform(bytes);
  EXPECT_NE(verschluesselt, bytes);
  EXPECT_EQ(KollDacTransform(verschluesselt), bytes);
  f.dir.Write("Koll.dac", verschluesselt);
  f.s().cat.KollektorenGeladen = true;
  ASSERT_TRUE(DecodeDatFile(f.s()));
  EXPECT_EQ(f.dir.Read("Koll.dat"), bytes);
  f.Lies("Marke 7");
  EXPECT_EQ(f.s().cat.KollektorAnzahl, 40);
  EXPECT_EQ(f.s().plant.KollektorNr, 7);

  // Without "Koll.dac" the plain catalogue stays as it is and the program goes on.
  KollFixture g;
  g.dir.Write("Koll.dat", "alt");
  EXPECT_FALSE(DecodeDatFile(g.s()));
  EXPECT_TRUE(g.msgs->Contains("Koll.dac kann nicht gelesen werden!")) << g.msgs->All();
  EXPECT_EQ(g.dir.Read("Koll.dat"), "alt");
}

}  // namespace
}  // namespace tav::test
