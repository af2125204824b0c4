// The load-profile catalogue: the built-in file, reading, writing, the NORMAL/STANDARD
// resolution, share sums, limits and bad number lists.

#include <gtest/gtest.h>

#include <numeric>

#include "catalogues/Profile.h"
#include "foundation/CodePage.h"
#include "foundation/TavUtil.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

struct ProfilFixture : OrteFixture {
  void Lies(const std::string& name) {
    s().plant.Zapfprofil = name;
    ReadProfile(s(), status);
  }
  const TProfil& P(int i) { return s().cat.Profile[static_cast<std::size_t>(i)]; }
};

int Summe(const TProfil& p) {
  return std::accumulate(p.Vormittag.begin() + 1, p.Vormittag.end(), 0) +
         std::accumulate(p.Nachmittag.begin() + 1, p.Nachmittag.end(), 0);
}

// A section with 24 equal shares of `anteil` (24 x anteil in all).
std::string Abschnitt(const std::string& kopf, const std::string& name, int anteil = 4,
                      const std::string& extra = "") {
  std::string zwoelf;
  for (int i = 0; i < 12; ++i) zwoelf += " " + std::to_string(anteil);
  return "[" + kopf + "]\r\nName=" + name + "\r\nVormittag=" + zwoelf + "\r\nNachmittag=" + zwoelf +
         "\r\n" + extra + "\r\n";
}

TEST(ProfilDatei, MissingFileGivesTheFourBuiltInProfiles) {
  ProfilFixture f;
  f.Lies("*init*");
  const CatalogueState& c = f.s().cat;
  ASSERT_EQ(c.ProfilAnzahl, 4);
  const char* namen[] = {"Normalprofil", "8 - 18 Uhr konstanter Bezug", "Hotel mit Saisonbetrieb",
                         "Turnhalle"};
  const int vormittag[] = {36, 50, 52, 26};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(f.P(i).Name, namen[i - 1]);
    EXPECT_EQ(Summe(f.P(i)), 100) << i;
    EXPECT_EQ(std::accumulate(f.P(i).Vormittag.begin() + 1, f.P(i).Vormittag.end(), 0), vormittag[i - 1]);
  }
  EXPECT_EQ(f.P(3).Vormittag[1], 12);
  EXPECT_EQ(f.P(3).Monate[2], 45);
  EXPECT_EQ(f.P(3).Monate[12], 136);
  EXPECT_EQ(f.P(1).Monate[7], 100);
  // The built-in lines are written exactly as delivered.
  const std::string datei = f.dir.Read("Profil.dat");
  EXPECT_EQ(datei, EncodeCodePage(ProfileBuiltInText(), CodePage::Cp1252));
  const std::string profil1 =
      "[Profil 1]\r\nName=Normalprofil\r\n"
      "Vormittag= 2   0   0   0   0   0   2   3   5   7   7  10\r\n"
      "Nachmittag=7   9   5   3   3   5   7   9   6   5   3   2\r\n\r\n";
  EXPECT_EQ(datei.substr(0, profil1.size()), profil1);
  EXPECT_NE(datei.find("Monate= 113  45  45 119 113 113 136 113 113  34 113 136\r\n"), std::string::npos);
  // The first profile is current: [0] repeats hour 24.
  const PlantState& p = f.s().plant;
  EXPECT_EQ(p.ProfilNr, 1);
  EXPECT_EQ(p.Zapfprofil, "Normalprofil");
  EXPECT_EQ(p.AktZapfprofil[1], 2);
  EXPECT_EQ(p.AktZapfprofil[24], 2);
  EXPECT_EQ(p.AktZapfprofil[0], 2);
  EXPECT_EQ(p.AktZapfprofil[13], 7);
  EXPECT_FLOAT_EQ(p.WWMonatsfaktor[5], 100.0f);
  EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
}

TEST(ProfilDatei, WriterSectionIsExact) {
  ProfilFixture f;
  f.Lies("*init*");
  std::string t;
  AppendProfilSection(t, 3, f.P(3));
  EXPECT_EQ(t,
            "[Profil 3]\r\n"
            "Name=Hotel mit Saisonbetrieb\r\n"
            "Vormittag=  12   0   0   0   0   4  14  13   3   2   2   2\r\n"
            "Nachmittag=   4   4   3   3   8   7   9   4   2   2   2   0\r\n"
            "Monate= 113  45  45 119 113 113 136 113 113  34 113 136\r\n"
            "\r\n");
}

TEST(ProfilDatei, RoundTripKeepsValuesAndThenBytes) {
  ProfilFixture f;
  f.Lies("*init*");
  CatalogueState& c = f.s().cat;
  c.Profile[2].Monate[1] = 1500;  // four digits fill the field
  c.Profile[2].Vormittag[3] = -5;
  const std::vector<TProfil> vorher(c.Profile.begin() + 1, c.Profile.begin() + 5);
  ASSERT_TRUE(WriteProfile(f.s(), f.status));
  const std::string erste = f.dir.Read("Profil.dat");
  EXPECT_NE(erste.find("[Profil 2]\r\nName=8 - 18 Uhr konstanter Bezug\r\nVormittag=   0   0  -5   0"),
            std::string::npos) << erste;
  EXPECT_NE(erste.find("Monate= 1500 100 100"), std::string::npos) << erste;
  f.Lies("Turnhalle");
  ASSERT_EQ(c.ProfilAnzahl, 4);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(f.P(i).Name, vorher[static_cast<std::size_t>(i - 1)].Name);
    EXPECT_EQ(f.P(i).Vormittag, vorher[static_cast<std::size_t>(i - 1)].Vormittag) << i;
    EXPECT_EQ(f.P(i).Nachmittag, vorher[static_cast<std::size_t>(i - 1)].Nachmittag) << i;
    EXPECT_EQ(f.P(i).Monate, vorher[static_cast<std::size_t>(i - 1)].Monate) << i;
  }
  ASSERT_TRUE(WriteProfile(f.s(), f.status));
  EXPECT_EQ(f.dir.Read("Profil.dat"), erste);
}

TEST(ProfilDatei, SectionsAreReadWithDefaultsAndRounding) {
  ProfilFixture f;
  f.dir.Write("Profil.dat",
              Abschnitt("Profil 1", "Ohne Monate   ") +
                  "[Profil 2]\r\nVormittag=4,4 4.6 4 4 4 4 4 4 4 4 4 4\r\nNachmittag=4 4 4 4 4 4 4 4 4 4 4 4,5\r\n"
                  "Monate=90 90 90 90 90 90 90 90 90 90 90 90\r\n");
  f.Lies("Ohne Monate");
  EXPECT_EQ(f.P(1).Name, "Ohne Monate");  // trailing blanks removed
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(f.P(1).Monate[m], 100);
  EXPECT_EQ(f.P(2).Name, "Profil Nr.2.0");
  EXPECT_EQ(f.P(2).Vormittag[1], 4);
  EXPECT_EQ(f.P(2).Vormittag[2], 5);
  EXPECT_EQ(f.P(2).Nachmittag[12], 4);  // halves go to even
  EXPECT_EQ(f.P(2).Monate[6], 90);
  // 24 x 4 = 96: used, with the warning.
  EXPECT_EQ(f.s().plant.ProfilNr, 1);
  EXPECT_EQ(f.msgs->shown.size(), 1u) << f.msgs->All();
  EXPECT_TRUE(f.msgs->Contains("Ohne Monate: Summe <> 100%")) << f.msgs->All();
}

TEST(ProfilDatei, SectionsWithTheSameNameAreAllKept) {
  ProfilFixture f;
  f.dir.Write("Profil.dat", Abschnitt("Profil 1", "Eins", 0) + Abschnitt("Profil 1", "Zwei", 0));
  f.Lies("Zwei");
  ASSERT_EQ(f.s().cat.ProfilAnzahl, 2);
  EXPECT_EQ(f.s().plant.ProfilNr, 2);
}

TEST(ProfilDatei, ShareSumOtherThanHundredWarnsAndIsUsed) {
  ProfilFixture f;
  f.dir.Write("Profil.dat", "[P]\r\nName=Neunundneunzig\r\nVormittag=8 8 8 8 8 8 8 8 8 8 8 8\r\n"
                            "Nachmittag=0 0 0 0 0 0 0 0 0 0 0 3\r\n");
  f.Lies("Neunundneunzig");
  EXPECT_EQ(f.s().plant.ProfilNr, 1);
  EXPECT_EQ(f.s().plant.AktZapfprofil[24], 3);
  EXPECT_EQ(f.s().plant.AktZapfprofil[0], 3);
  ASSERT_EQ(f.msgs->shown.size(), 1u);
  EXPECT_EQ(f.msgs->shown[0].text, "Neunundneunzig: Summe <> 100%");
}

TEST(ProfilAufloesung, NamesResolveAsExpected) {
  const std::string liste = Abschnitt("Profil 1", "Normalprofil", 0) + Abschnitt("Profil 2", "Hotel", 0) +
                            Abschnitt("Profil 3", "Einfamilienhaus Standard", 0) +
                            Abschnitt("Profil 4", "Hotel", 0);
  // Farther from every list name than any fixed start value of the search.
  const std::string fern(3000, 'x');
  const struct {
    const char* fall;
    std::string name;
    int nr;
    std::string meldung;
  } faelle[] = {
      {"exact, last of equals", "Hotel", 4, ""},
      {"init", "*init*", 1, ""},
      {"nearest", "Hotels", 2, "\"Hotels\" nicht gefunden\ngewählt: Hotel"},
      {"NORMAL becomes a trailing STANDARD", "Einfamilienhaus normal", 3,
       "\"Einfamilienhaus normal\" nicht gefunden\ngewählt: Einfamilienhaus Standard"},
      {"NORMAL kept when not nearer", "Normalprofil 2", 1,
       "\"Normalprofil 2\" nicht gefunden\ngewählt: Normalprofil"},
      {"far from every name: still the nearest", fern, 3,
       "\"" + std::string(ZitatLaenge, 'x') + "...\" nicht gefunden\ngewählt: Einfamilienhaus Standard"},
  };
  for (const auto& e : faelle) {
    ProfilFixture f;
    f.dir.Write("Profil.dat", liste);
    f.Lies(e.name);
    EXPECT_EQ(f.s().plant.ProfilNr, e.nr) << e.fall;
    // Every test profile sums to 0: that warning comes last.
    ASSERT_FALSE(f.msgs->shown.empty()) << e.fall;
    if (!e.meldung.empty()) {
      ASSERT_EQ(f.msgs->shown.size(), 2u) << e.fall << f.msgs->All();
      EXPECT_EQ(f.msgs->shown[0].text, e.meldung) << e.fall;
    } else {
      EXPECT_EQ(f.msgs->shown.size(), 1u) << e.fall << f.msgs->All();
    }
  }
}

TEST(ProfilDatei, BadListsAreReportedSkippedAndLeftUntouched) {
  std::string einunddreissig;
  for (int n = 1; n <= 31; ++n) einunddreissig += Abschnitt("Profil " + std::to_string(n), "P" + std::to_string(n), 0);
  const struct {
    const char* fall;
    std::string text;
    int anzahl;
    const char* meldung;
  } faelle[] = {
      {"word in Vormittag",
       Abschnitt("Profil 1", "Gut") +
           "[Profil 2]\r\nName=Wort\r\nVormittag=1 2 drei 4 5 6 7 8 9 10 11 12\r\nNachmittag=0 0 0 0 0 0 0 0 0 0 0 0\r\n",
       1, "Fehler in Profil.dat: [Profil 2]"},
      {"eleven numbers",
       Abschnitt("Profil 1", "Gut") + "[Profil 2]\r\nName=Kurz\r\nVormittag=1 1 1 1 1 1 1 1 1 1 1\r\n"
                                      "Nachmittag=\r\n",
       1, "Fehler in Profil.dat: [Profil 2]"},
      {"eleven months", Abschnitt("Profil 1", "Gut") + Abschnitt("Profil 2", "Monate", 4, "Monate=1 2 3 4 5 6 7 8 9 10 11\r\n"),
       1, "Fehler in Profil.dat: [Profil 2]"},
      {"no Vormittag", Abschnitt("Profil 1", "Gut") + "[Profil 2]\r\nName=Leer\r\n", 1,
       "Fehler in Profil.dat: [Profil 2]"},
      {"huge number", Abschnitt("Profil 1", "Gut") + Abschnitt("Profil 2", "Riesig", 4, "Monate=1e30 1 1 1 1 1 1 1 1 1 1 1\r\n"),
       1, "Fehler in Profil.dat: [Profil 2]"},
      // 13 + 11 values are 24, but they would shift one hour into the afternoon.
      {"thirteen in the morning, eleven in the afternoon",
       Abschnitt("Profil 1", "Gut") + "[Profil 2]\r\nName=Schief\r\nVormittag=1 1 1 1 1 1 1 1 1 1 1 1 1\r\n"
                                      "Nachmittag=1 1 1 1 1 1 1 1 1 1 1\r\n",
       1, "Fehler in Profil.dat: [Profil 2]"},
      {"thirteen months", Abschnitt("Profil 1", "Gut") + Abschnitt("Profil 2", "Monate", 4, "Monate=1 2 3 4 5 6 7 8 9 10 11 12 13\r\n"),
       1, "Fehler in Profil.dat: [Profil 2]"},
      {"31 sections", einunddreissig, 30, "Zuviele Einträge in Profil.dat"},
      {"only bad sections", "[Profil 1]\r\nName=X\r\n", 4, "Keine Profildaten gefunden"},
  };
  for (const auto& e : faelle) {
    ProfilFixture f;
    f.dir.Write("Profil.dat", e.text);
    f.Lies("Gut");
    EXPECT_EQ(f.s().cat.ProfilAnzahl, e.anzahl) << e.fall;
    EXPECT_GE(f.s().plant.ProfilNr, 1) << e.fall;
    EXPECT_TRUE(f.msgs->Contains(e.meldung)) << e.fall << f.msgs->All();
    EXPECT_EQ(f.dir.Read("Profil.dat"), e.text) << e.fall;
  }
}

TEST(ProfilDatei, EmptyFileCountsAsMissing) {
  ProfilFixture f;
  f.dir.Write("Profil.dat", "\r\n");
  f.Lies("*init*");
  EXPECT_EQ(f.s().cat.ProfilAnzahl, 4);
  EXPECT_EQ(f.s().plant.ProfilNr, 1);
  EXPECT_EQ(f.dir.Read("Profil.dat"), EncodeCodePage(ProfileBuiltInText(), CodePage::Cp1252));
}

TEST(ProfilSortierung, SortsByUpperCaseNameAndKeepsEqualNames) {
  CatalogueState c;
  const char* namen[] = {"beta", "Alpha", "BETA", "alpha", "Gamma"};
  c.ProfilAnzahl = 5;
  for (int i = 1; i <= 5; ++i) {
    c.Profile[static_cast<std::size_t>(i)].Name = namen[i - 1];
    c.Profile[static_cast<std::size_t>(i)].Vormittag[1] = i;
  }
  SortProfile(c);
  const char* erwartet[] = {"Alpha", "alpha", "beta", "BETA", "Gamma"};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(c.Profile[static_cast<std::size_t>(i)].Name, erwartet[i - 1]);
  EXPECT_EQ(c.Profile[3].Vormittag[1], 1);  // the values move with their names
}

TEST(ProfilAuswahl, BadIndexChangesNothing) {
  ProfilFixture f;
  f.s().plant.Zapfprofil = "bleibt";
  EXPECT_FALSE(SelectProfil(f.s(), -1));
  EXPECT_FALSE(SelectProfil(f.s(), 1));
  EXPECT_EQ(f.s().plant.Zapfprofil, "bleibt");
}

}  // namespace
}  // namespace tav::test
