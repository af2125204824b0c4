#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "foundation/Language.h"
#include "foundation/Sums.h"
#include "foundation/TextTable.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav {
namespace {

TEST(Sums, YearSumIsTheSumOfTheMonthsAndNothingElseChanges) {
  auto r = std::make_unique<ResultState>();
  // Every array with an annual total, store 1's losses included.
  TMonatsArray* arrays[] = {&r->SolarertragMonat, &r->NachheizungMonat, &r->SolHeizenMonat,
                            &r->PoolWaermeMonat,  &r->WWBedarfMonat,    &r->VerlustMonat,
                            &r->KollEinstrahlungMonat, &r->HeizbedarfMonat, &r->BrennstoffMonat,
                            &r->Verlust1Monat};
  int k = 1;
  for (TMonatsArray* a : arrays) {
    for (int m = 0; m <= 13; ++m) (*a)[m] = static_cast<float>(k * 100 + m);
    ++k;
  }
  const ResultState before = *r;
  CalcYearSums(*r);
  k = 1;
  for (TMonatsArray* a : arrays) {
    float sum = 0.0f;
    for (int m = 1; m <= 12; ++m) sum += static_cast<float>(k * 100 + m);
    EXPECT_FLOAT_EQ((*a)[13], sum) << k;
    EXPECT_FLOAT_EQ((*a)[0], static_cast<float>(k * 100)) << k;
    ++k;
  }
  EXPECT_EQ(r->SolarertragMonat[5], before.SolarertragMonat[5]);
  EXPECT_EQ(r->HeizanteilMonat, before.HeizanteilMonat);  // slot 13 of the shares is its own
}

TEST(Sums, MonthSumsByDays) {
  std::array<double, 13> ones{};
  ones.fill(1.0);
  EXPECT_DOUBLE_EQ(SumMonthsByDays(ones), 365.0);
  TMonatsArray daily{};
  daily.fill(2.0f);
  EXPECT_DOUBLE_EQ(SumMonthsByDaysS(daily), 730.0);
  std::array<std::int32_t, 13> p{};
  p.fill(100);
  p[0] = 7;  // slot 0 is not a month
  EXPECT_FALSE(AnyMonthNot100(p));
  p[12] = 99;
  EXPECT_TRUE(AnyMonthNot100(p));
}

TEST(Sums, ValueToColorRamp) {
  const struct { int v; TRgb c; } cases[] = {
      {0, {0, 0, 255}},     {25, {0, 125, 255}},  {50, {0, 250, 255}}, {75, {0, 255, 125}},
      {100, {0, 255, 0}},   {150, {0, 255, 0}},   {-5, {0, 0, 255}},   {33, {0, 165, 255}},
  };
  for (const auto& c : cases) {
    const TRgb got = ValueToColor(c.v);
    EXPECT_EQ(got, c.c) << c.v << ": " << int(got.R) << "," << int(got.G) << "," << int(got.B);
  }
  EXPECT_EQ(DiagrammFarben[4], (TRgb{43, 80, 156}));
  EXPECT_EQ(DiagrammFarben[8], (TRgb{0, 0, 128}));
}

TEST(Sums, SolHeizungByPlantType) {
  test::ScopedMessages m;
  PlantState p;
  for (int typ : {2, 3, 6, 7, 8}) {
    p.SolHeizung = false;
    SetSolHeizung(p, static_cast<std::uint8_t>(typ));
    EXPECT_TRUE(p.SolHeizung) << typ;
  }
  for (int typ : {1, 4, 5}) {
    p.SolHeizung = true;
    SetSolHeizung(p, static_cast<std::uint8_t>(typ));
    EXPECT_FALSE(p.SolHeizung) << typ;
  }
  EXPECT_TRUE(m->shown.empty());
  for (bool flag : {false, true}) {
    for (int typ : {0, 9}) {
      p.SolHeizung = flag;
      SetSolHeizung(p, static_cast<std::uint8_t>(typ));
      EXPECT_EQ(p.SolHeizung, flag) << typ;
      EXPECT_EQ(m->shown.back().text, "A_Typ - SetSolHeizung");
    }
  }
}

// The module count beside a collector area: whole numbers of modules only, never for 1 m²
// modules; a collector without a module area counts 1 m² a module and so shows none.
TEST(Sums, ModuleCountText) {
  const std::string einer = "(1 " + T(TX::Kollektor) + ")";
  const auto mehrere = [](int n) { return "(" + std::to_string(n) + " " + T(TX::Kollektoren) + ")"; };
  const struct {
    float flaeche, modul;
    std::string text;
  } faelle[] = {
      {5.0f, 2.5f, mehrere(2)}, {2.5f, 2.5f, einer}, {5.2f, 2.5f, ""},    {6.1f, 2.5f, ""},
      {5.005f, 2.5f, mehrere(2)},                    {0.001f, 2.5f, ""},  // no count of none
      {3.8f, 1.9f, mehrere(2)}, {1.9f, 1.9f, einer}, {4.0f, 1.9f, ""},
      {5.0f, 1.0f, ""},         {6.0f, 1.005f, ""},  // 1 m² modules are not counted
      {5.0f, 0.0f, ""},         {5.0f, 0.004f, ""},  {5.0f, -2.0f, ""},  // nor none
  };
  for (const auto& f : faelle)
    EXPECT_EQ(ModulAnzahlText(f.flaeche, f.modul), f.text) << f.flaeche << " / " << f.modul;
}

TEST(Sums, PlantTypeTexts) {
  const TTextTable t;
  struct Case {
    int typ, biv, kaskade;
    bool lft, pool;
    const char* lang;
    const char* kurz;
  };
  const Case cases[] = {
      {1, 0, 13, false, false, "Trinkwassererwärmung mit bivalentem Speicher", "Trinkwarmwasser"},
      {1, 4, 13, false, true, "Thermosiphon-Solaranlage, Schwimmbad", "Thermosiphon-Solaranlage"},
      {2, 0, 13, false, true, "Trinkwarmwasser und Überschussverwertung über Heizkreis, Schwimmbad",
       "TWW + Heizung"},
      {5, 0, 13, false, false, "Kaskadenschaltung, Vorwärmspeicher/Boiler", "Kaskade"},
      {5, 0, 14, false, false, "Kaskadenschaltung, Vorwärmspeicher/Durchlauferhitzer", "Kaskade"},
      {6, 0, 13, true, false, "Solar-Heizanlage mit Kombi-Pufferspeicher",
       "Kombi-Pufferspeicher (2)"},
      {7, 0, 13, false, true, "Trinkwarmwasserspeicher und Pufferspeicher, Schwimmbad",
       "TWW + Pufferspeicher (2)"},
      {8, 0, 13, false, false, "Pufferspeicher und Frischwassererwärmer",
       "Pufferspeicher + FWE (2)"},
      {8, 0, 13, true, true, "Pufferspeicher und Frischwassererwärmer, Low-Flow, Schwimmbad",
       "Pufferspeicher + FWE (2), Low-Flow"},
  };
  PlantState p;
  p.HeizkreisTyp = 2;
  for (const Case& c : cases) {
    p.AnlagenTypNr = static_cast<std::uint8_t>(c.typ);
    p.BivSpTyp = static_cast<std::uint8_t>(c.biv);
    p.KaskadeTyp = static_cast<std::uint8_t>(c.kaskade);
    p.LFTkreis = c.lft;
    p.Pool = c.pool;
    EXPECT_EQ(PlantTypeText(p, t, true), c.lang) << c.typ;
    EXPECT_EQ(PlantTypeText(p, t, false), c.kurz) << c.typ;
  }
  test::ScopedMessages m;
  p.AnlagenTypNr = 9;
  EXPECT_EQ(PlantTypeText(p, t, true), "");
  EXPECT_EQ(m->shown.back().text, "A_Typ unbekannt");
}

struct StorageFixture : ::testing::Test {
  std::unique_ptr<CatalogueState> c = std::make_unique<CatalogueState>();
  void Add(const char* name, int schema, int kind, int v1, int v2) {
    TSpeicher s;
    s.Name = name;
    s.Schema = static_cast<std::uint16_t>(schema);
    s.SpTypN = static_cast<std::uint8_t>(kind);
    s.SpVol1 = static_cast<std::uint16_t>(v1);
    s.SpVol2 = static_cast<std::uint16_t>(v2);
    c->Speicherliste.push_back(s);
    c->SpeicherlisteAnzahl = static_cast<std::int32_t>(c->Speicherliste.size()) - 1;
  }
  void SetUp() override {
    Add("S300", 1, 3, 300, 0);
    Add("P800", 6, 12, 600, 200);
    Add("S400", 1, 3, 400, 0);
    Add("X500", 1, 4, 500, 0);  // another kind
    Add("S500", 1, 3, 500, 0);
    Add("P1000", 6, 12, 700, 300);
    Add("T900", 7, 2, 500, 400);
  }
};

TEST_F(StorageFixture, FirstFitThenSteppingOnWithWrapAround) {
  std::string name;
  std::uint16_t v1 = 350, v2 = 0;
  ASSERT_TRUE(FindStorageForVolume(*c, 1, 3, name, v2, v1));
  EXPECT_EQ(name, "S400");
  EXPECT_EQ(v1, 400);
  ASSERT_TRUE(FindStorageForVolume(*c, 1, 3, name, v2, v1));  // next suitable one
  EXPECT_EQ(name, "S500");
  ASSERT_TRUE(FindStorageForVolume(*c, 1, 3, name, v2, v1));  // wraps to the first
  EXPECT_EQ(name, "S300");
  name.clear();
  v1 = 2000;  // nothing is that big: the first of the kind
  ASSERT_TRUE(FindStorageForVolume(*c, 1, 3, name, v2, v1));
  EXPECT_EQ(name, "S300");
}

TEST_F(StorageFixture, TwoStoreTypesCountAndTakeTheSecondVolume) {
  std::string name;
  std::uint16_t v1 = 600, v2 = 250;  // 850 litres needed
  ASSERT_TRUE(FindStorageForVolume(*c, 6, 12, name, v2, v1));
  EXPECT_EQ(name, "P1000");
  EXPECT_EQ(v1, 700);
  EXPECT_EQ(v2, 300);
  name.clear();
  v1 = 400;
  v2 = 10;
  ASSERT_TRUE(FindStorageForVolume(*c, 7, 2, name, v2, v1));
  EXPECT_EQ(name, "T900");
  EXPECT_EQ(v1, 500);
  EXPECT_EQ(v2, 400);  // the second volume matches the tank
  name = "S300";
  v1 = 111;
  v2 = 22;
  EXPECT_FALSE(FindStorageForVolume(*c, 3, 3, name, v2, v1));  // no such scheme
  EXPECT_EQ(name, "S300");
  EXPECT_EQ(v1, 111);
  EXPECT_EQ(v2, 22);
}

TEST(Language, HelpFileFallsBackToGerman) {
  const std::set<std::string> files = {"/p/Tavrel.chm", "/p/Tavrel_fr.hlp", "/p/Tavrel_en.chm"};
  const auto exists = [&](const std::string& f) { return files.count(f) > 0; };
  EXPECT_EQ(HelpFileFor("/p/", "english", "en", exists), "/p/Tavrel_en.chm");
  EXPECT_EQ(HelpFileFor("/p/", "francais", "fr", exists), "/p/Tavrel_fr.hlp");
  EXPECT_EQ(HelpFileFor("/p/", "italiano", "it", exists), "/p/Tavrel.chm");
  EXPECT_EQ(HelpFileFor("/p/", "deutsch", "de", exists), "/p/Tavrel.chm");
  EXPECT_EQ(HelpFileFor("/q/", "italiano", "it", exists), "");
}

TEST(Language, SwitchReloadsTextsAndNamesTheEnergyFile) {
  test::TempDir prog, daten;
  prog.Write("English.dat", "[Tavrel]\r\nSpracheCaption=&English\r\nJan=January\r\n"
                            "Anl1=Hot water\r\n");
  prog.Write("polski.dat", "[Tavrel]\r\nJan=Stycze\xF1\r\n");
  daten.Write("Energie_en.dat", "");
  auto s = std::make_unique<TavState>();
  s->folders.ProgDir = prog.path().string() + "/";
  s->folders.DatenDir = daten.path().string() + "/";
  FillLanguageList(s->cat, s->folders.ProgDir);
  EXPECT_EQ(s->cat.SprachListe[3].Caption, "&English");
  EXPECT_EQ(s->cat.SprachListe[1].Caption, "&Dansk");
  TTextTable t;
  int heard = 0;
  SetLanguageSwitchListener([&](int l) { heard = l; });

  SwitchLanguage(*s, t, 3);
  EXPECT_EQ(heard, 3);
  EXPECT_EQ(s->settings.Sprache, "english");
  EXPECT_EQ(s->settings.SprachDatei, "english.dat");
  EXPECT_EQ(s->cat.EnergieDatei, "Energie_en.dat");
  EXPECT_EQ(s->cat.Monatsnamen[1], "January");
  EXPECT_EQ(s->cat.AnlagenKurzNamen[1], "Hot water");
  EXPECT_EQ(t[TX::BtnYes], "&Ja");

  EXPECT_FALSE(SwitchLanguage(*s, t, 8));  // polski: no own energy file, German one
  EXPECT_EQ(s->cat.EnergieDatei, "Energie.dat");
  EXPECT_EQ(s->cat.Monatsnamen[1], "Styczeń");  // code page 1250

  EXPECT_TRUE(SwitchLanguage(*s, t, 99));  // out of range: German, energy file unchanged
  EXPECT_EQ(s->settings.Sprache, "deutsch");
  EXPECT_EQ(s->cat.Monatsnamen[1], "Januar");
  SetLanguageSwitchListener({});
}

}  // namespace
}  // namespace tav
