// The catalogue sorters: sort keys, the rewritten collector and location catalogues (the same
// text as the catalogue writers), entries with equal names, the current entry and write
// failures; the two small helpers of the same unit.

#include <gtest/gtest.h>

#include <filesystem>

#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "catalogues/Sortierer.h"
#include "foundation/CodePage.h"
#include "test_orte_hilfen.h"

namespace tav::test {
namespace {

TKollektor Koll(const std::string& name, float eta0, float k1, float k2) {
  TKollektor k;
  k.Name = name;
  k.Norm = "EN 12975";
  k.Quelle = "Test";
  k.Eta0 = eta0;
  k.K1 = k1;
  k.K2 = k2;
  return k;
}

struct SortFixture : OrteFixture {
  void Kollektoren(const std::vector<TKollektor>& liste, const std::string& aktuell) {
    std::string t;
    for (std::size_t i = 0; i < liste.size(); ++i) AppendKollektorSection(t, static_cast<int>(i) + 1, liste[i]);
    dir.Write("Koll.dat", EncodeCodePage(t, CodePage::Cp1252));
    s().plant.Kollektor = aktuell;
    ReadKollektoren(s(), status);
  }
  std::vector<std::string> KollNamen() {
    std::vector<std::string> n;
    for (int i = 1; i <= s().cat.KollektorAnzahl; ++i) n.push_back(s().cat.Kollektoren[static_cast<std::size_t>(i)].Name);
    return n;
  }
  void Orte(const std::vector<TOrt>& liste, const std::string& aktuell) {
    std::string t;
    for (std::size_t i = 0; i < liste.size(); ++i) AppendOrtSection(t, static_cast<int>(i) + 1, liste[i]);
    dir.Write("Orte.dat", EncodeCodePage(t, CodePage::Cp1252));
    s().plant.Standort = aktuell;
    ReadOrte(s(), env);
  }
  std::vector<std::string> OrtNamen() {
    std::vector<std::string> n;
    for (int i = 1; i <= s().cat.OrtAnzahl; ++i) n.push_back(s().cat.Orte[static_cast<std::size_t>(i)].Name);
    return n;
  }
};

TEST(KollektorSortierung, EfficiencyKeys) {
  EXPECT_NEAR(KollektorSortWert(0.80f, 3.5f, 0.015f, 1), 0.595f, 1e-6f);
  EXPECT_NEAR(KollektorSortWert(0.75f, 1.2f, 0.008f, 1), 0.674f, 1e-6f);
  EXPECT_NEAR(KollektorSortWert(0.80f, 3.5f, 0.015f, 2), 0.33f, 1e-6f);
  EXPECT_NEAR(KollektorSortWert(0.75f, 1.2f, 0.008f, 7), 0.566f, 1e-6f);
}

TEST(KollektorSortierung, ModesOrderTheCatalogueAndKeepEqualNames) {
  const std::vector<TKollektor> liste = {
      Koll("beta", 0.75f, 1.2f, 0.008f),   // 0.674 / 0.566
      Koll("Alpha", 0.80f, 3.5f, 0.015f),  // 0.595 / 0.330
      Koll("Beta", 0.60f, 0.5f, 0.001f),   // 0.573 / 0.542
      Koll("alpha", 0.90f, 2.0f, 0.1f),    // 0.600 / -0.100
  };
  const struct {
    std::uint8_t modus;
    std::vector<std::string> namen;
  } faelle[] = {
      {0, {"Alpha", "alpha", "beta", "Beta"}},
      {1, {"Beta", "Alpha", "alpha", "beta"}},
      {2, {"alpha", "Alpha", "Beta", "beta"}},
  };
  for (const auto& e : faelle) {
    SortFixture f;
    f.Kollektoren(liste, "Beta");
    ASSERT_EQ(f.s().plant.KollektorNr, 3);
    ASSERT_TRUE(SortKollektoren(f.s(), e.modus, f.status)) << int(e.modus);
    EXPECT_EQ(f.KollNamen(), e.namen) << int(e.modus);
    // The file is the catalogue writer's text of the new order, and it was loaded again.
    EXPECT_EQ(f.dir.Read("Koll.dat"), EncodeCodePage(KollektorenText(f.s().cat), CodePage::Cp1252));
    const auto& aktuell = f.s().cat.Kollektoren[static_cast<std::size_t>(f.s().plant.KollektorNr)];
    EXPECT_EQ(aktuell.Name, "Beta") << int(e.modus);
    EXPECT_FLOAT_EQ(f.s().plant.KollEta0, 0.6f);
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  }
  // Two collectors of the same name are both kept, each with its own values.
  SortFixture f;
  f.Kollektoren({Koll("Gleich", 0.5f, 1, 0), Koll("Anders", 0.7f, 1, 0), Koll("Gleich", 0.6f, 1, 0)}, "Anders");
  ASSERT_TRUE(SortKollektoren(f.s(), 0, f.status));
  EXPECT_EQ(f.KollNamen(), (std::vector<std::string>{"Anders", "Gleich", "Gleich"}));
  EXPECT_FLOAT_EQ(f.s().cat.Kollektoren[2].Eta0, 0.5f);
  EXPECT_FLOAT_EQ(f.s().cat.Kollektoren[3].Eta0, 0.6f);
}

TEST(KollektorSortierung, WriteFailureLeavesTheCatalogueAsItWas) {
  SortFixture f;
  f.Kollektoren({Koll("B", 0.5f, 1, 0), Koll("A", 0.7f, 1, 0)}, "B");
  // The catalogue's name is taken by a folder: the rewrite cannot replace it.
  std::filesystem::remove(f.dir / "Koll.dat");
  std::filesystem::create_directory(f.dir / "Koll.dat");
  f.dir.Write("Koll.dat/inhalt", "x");
  EXPECT_FALSE(SortKollektoren(f.s(), 0, f.status));
  EXPECT_EQ(f.KollNamen(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(f.s().plant.KollektorNr, 1);
  EXPECT_TRUE(f.msgs->Contains("Fehler beim Schreiben von Datei")) << f.msgs->All();
  EXPECT_EQ(f.dir.Read("Koll.dat/inhalt"), "x");
  for (const auto& e : std::filesystem::directory_iterator(f.dir.path()))
    EXPECT_EQ(e.path().filename().string().find("Tavxyz"), std::string::npos) << e.path();
}

TEST(OrtSortierung, OwnCountryFirstAndEveryLocationKept) {
  auto ort = [](const std::string& name, const std::string& land, const std::string& plz, float breite) {
    TOrt o = BeispielOrt(name, breite);
    o.Land = land;
    o.PLZ = plz;
    return o;
  };
  TOrt kalt = ort("Kaltenbrunn", "D", "83000", 47.5f);
  kalt.LuftTemp[1] = -12.5;
  kalt.LuftTemp[2] = -10.25;
  const std::vector<TOrt> liste = {ort("Wien", "A", "1010", 48.2f), ort("Zürich", "CH", "8000", 47.4f),
                                   ort("Aachen", "D", "52062", 50.8f), kalt,
                                   ort("Ähnlich", "D", "10115", 52.5f), ort("Aachen", "D", "52064", 50.7f)};
  const struct {
    std::uint8_t modus;
    std::vector<std::string> namen;
  } faelle[] = {
      {0, {"Aachen", "Aachen", "Ähnlich", "Kaltenbrunn", "Wien", "Zürich"}},
      {4, {"Ähnlich", "Aachen", "Aachen", "Kaltenbrunn", "Wien", "Zürich"}},
      {3, {"Ähnlich", "Aachen", "Aachen", "Wien", "Kaltenbrunn", "Zürich"}},
      {9, {"Wien", "Zürich", "Aachen", "Kaltenbrunn", "Ähnlich", "Aachen"}},
  };
  for (const auto& e : faelle) {
    SortFixture f;
    f.Orte(liste, "Kaltenbrunn");
    const int synthesen = f.synthese.aufrufe;
    ASSERT_TRUE(SortOrte(f.s(), e.modus, "D", f.env)) << int(e.modus);
    EXPECT_EQ(f.OrtNamen(), e.namen) << int(e.modus);
    EXPECT_EQ(f.dir.Read("Orte.dat"), EncodeCodePage(OrteText(f.s()), CodePage::Cp1252));
    // The cold location's months survive the rewrite and the new reading.
    const TOrt& k = f.s().cat.Orte[static_cast<std::size_t>(f.s().plant.OrtNr)];
    EXPECT_EQ(k.Name, "Kaltenbrunn");
    EXPECT_DOUBLE_EQ(k.LuftTemp[1], -12.5);
    EXPECT_DOUBLE_EQ(k.LuftTemp[2], -10.25);
    EXPECT_DOUBLE_EQ(k.LuftTemp[3], liste[3].LuftTemp[3]);
    // Same location, so its weather stays.
    EXPECT_EQ(f.synthese.aufrufe, synthesen);
    EXPECT_TRUE(f.s().run.SolarklimadatenOK);
    EXPECT_TRUE(f.msgs->shown.empty()) << f.msgs->All();
  }
  // Another country first: its locations lead.
  SortFixture f;
  f.Orte(liste, "Wien");
  ASSERT_TRUE(SortOrte(f.s(), 0, "CH", f.env));
  EXPECT_EQ(f.OrtNamen().front(), "Zürich");
  EXPECT_EQ(f.OrtNamen().back(), "Kaltenbrunn");
}

TEST(OrtSortierung, WriteFailureLeavesTheCatalogueAsItWas) {
  SortFixture f;
  f.Orte({BeispielOrt("Zeta"), BeispielOrt("Alpha")}, "Zeta");
  std::filesystem::remove(f.dir / "Orte.dat");
  std::filesystem::create_directory(f.dir / "Orte.dat");
  f.dir.Write("Orte.dat/inhalt", "x");
  EXPECT_FALSE(SortOrte(f.s(), 0, "D", f.env));
  EXPECT_EQ(f.OrtNamen(), (std::vector<std::string>{"Zeta", "Alpha"}));
  EXPECT_EQ(f.s().plant.OrtNr, 1);
  EXPECT_TRUE(f.msgs->Contains("Fehler beim Schreiben von Datei")) << f.msgs->All();
}

TEST(SortierHilfen, PrefixLanguageAndDelete) {
  const struct {
    const char* land;
    const char* prefix;
  } faelle[] = {{"D", "D  -"}, {"", "   -"}, {"ch", "CH -"}, {"Österreich", "ÖST-"}, {"NL", "NL -"}};
  for (const auto& e : faelle) EXPECT_EQ(OrtSortPrefix(e.land), e.prefix) << e.land;

  CatalogueState c;
  c.SprachListe[3].Name = "english";
  c.SprachListe[5].Name = "english";
  EXPECT_EQ(FindSprache(c, "english"), 3);
  EXPECT_EQ(FindSprache(c, "English"), 1);
  EXPECT_EQ(FindSprache(c, "klingonisch"), 1);

  TempDir dir;
  dir.Write("weg.txt", "x");
  DeleteDatei((dir / "weg.txt").string());
  EXPECT_FALSE(std::filesystem::exists(dir / "weg.txt"));
  DeleteDatei((dir / "weg.txt").string());  // gone already: nothing happens
  DeleteDatei((dir / "fehlt" / "x").string());
}

}  // namespace
}  // namespace tav::test
