// The wizard's sizing without its window: the pure rules as tables, the ring and the heating
// loop against a fake engine, and the real engine on the clear-sky fixture, where the
// wizard's fraction must be the one a normal run of the sized project gives.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "planning/AssistentDim.h"
#include "foundation/Sums.h"
#include "simulation/PlantParams.h"
#include "simulation/SimRun.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

TEST(AssistentDimRegeln, ScaleAreaTo95) {
  TMonatsArray ertrag{}, d1{}, d2{};
  // No yield at all: the area stays.
  EXPECT_FLOAT_EQ(ScaleAreaTo95(ertrag, d1, d2, 6.0f), 6.0f);
  for (int m = 1; m <= 12; ++m) {
    d1[m] = 100.0f;
    d2[m] = 0.0f;
    ertrag[m] = 50.0f;
  }
  ertrag[7] = 120.0f;  // best month 120 %
  EXPECT_FLOAT_EQ(ScaleAreaTo95(ertrag, d1, d2, 6.0f), 6.0f * 95.0f / 120.0f);
  // A month without demand counts as 95 %, so a weak plant is not enlarged beyond that.
  for (int m = 1; m <= 12; ++m) ertrag[m] = 10.0f;
  d1[3] = 0.0f;
  EXPECT_FLOAT_EQ(ScaleAreaTo95(ertrag, d1, d2, 6.0f), 6.0f);
}

TEST(AssistentDimRegeln, ModulesStoresAndGuards) {
  struct Fall {
    float ziel, modul;
    bool kombi;
    float erwartet;
  };
  for (const Fall& f : {Fall{6.1f, 2.5f, false, 5.0f}, Fall{6.1f, 2.5f, true, 6.1f},
                        Fall{5.2f, 2.5f, true, 5.0f}, Fall{1.0f, 2.5f, false, 2.5f},
                        Fall{6.1f, 0.0f, false, 6.0f}}) {  // no module area: 1 m² modules
    SCOPED_TRACE(testing::Message() << f.ziel << " / " << f.modul << (f.kombi ? " combi" : ""));
    EXPECT_NEAR(AufModule(f.ziel, f.modul, f.kombi), f.erwartet, 1e-5);
  }
  EXPECT_EQ(ModulAnzahl(1e9f, 2.0f), kMaxModule);
  EXPECT_EQ(ModulAnzahl(0.1f, 2.0f), 1);
  EXPECT_EQ(ModulAnzahl(5.0f, 0.0f), 5);

  // Flat plate 5 m²: 125..500 litres.
  EXPECT_FLOAT_EQ(SpeicherSchritt(150.0f, false, 5.0f, false), 150.0f);  // 100 < 125: taken back
  EXPECT_FLOAT_EQ(SpeicherSchritt(200.0f, false, 5.0f, false), 150.0f);
  EXPECT_FLOAT_EQ(SpeicherSchritt(500.0f, true, 5.0f, false), 500.0f);
  EXPECT_FLOAT_EQ(SpeicherSchritt(450.0f, true, 5.0f, false), 500.0f);
  EXPECT_FLOAT_EQ(SpeicherSchritt(550.0f, true, 5.0f, true), 600.0f);  // tubes: up to 600

  EXPECT_NEAR(FWENennleistung(9000.0f), 48846.0f, 0.5f);   // 20 l/min
  EXPECT_NEAR(FWENennleistung(46000.0f), 50 * 60000.0 * 4.1868 / 3600.0 * 35.0, 1.0);
  EXPECT_NEAR(WarmwasserKWhTag(45, 55), 2.355075, 1e-9);
  EXPECT_NEAR(WarmwasserKWhTag(45, 55) * 365, 860.0, 0.5);
  // First guess: (1.4 * 4000 / 2300 + 1.4) * 1000 / 1000 kWh/m².
  EXPECT_NEAR(ErsteFlaeche(4000.0f, 1000.0f, false), 1.4 * 4000 / 2300 + 1.4, 1e-4);
  EXPECT_NEAR(ErsteFlaeche(4000.0f, 1000.0f, true), 0.8 * 4000 / 2300 + 0.8, 1e-4);
  EXPECT_EQ(ErsteFlaeche(4000.0f, 0.0f, false), 0.0f);

  EXPECT_TRUE(HeizSchleifeEnde(2.1f, 20, 10.0f, 1000.0f));   // beyond the factor
  EXPECT_FALSE(HeizSchleifeEnde(2.0f, 20, 10.0f, 1000.0f));  // exactly the factor
  EXPECT_TRUE(HeizSchleifeEnde(1.2f, 20, 10.0f, 450.0f));    // store below 50 l/m²
}

TEST(AssistentDimRegeln, CombiStorePairsByHotWaterUnits) {
  struct Fall {
    float kWhTag;
    int anz;
    float v1, v2;
  };
  for (const Fall& f : {Fall{46.0f, 3, 860, 50}, Fall{9.2f, 1, 860, 50}, Fall{9.1f, 1, 620, 40},
                        Fall{23.0f, 2, 860, 50}}) {
    SCOPED_TRACE(f.kWhTag);
    auto g = std::make_unique<TavState>();
    g->plant.AnlagenTypNr = 6;
    g->plant.KollektorFlaeche = 10.0f;
    g->plant.WWBedarfEinheiten = static_cast<float>(f.kWhTag / 2.3);
    AssistentDim d;
    SizeHeatingStorage(*g, d);
    EXPECT_EQ(g->plant.SpeicherAnz, f.anz);
    EXPECT_FLOAT_EQ(g->plant.Speicher1vol, f.anz * f.v1);
    EXPECT_FLOAT_EQ(g->plant.Speicher2vol, f.anz * f.v2);
  }
  // Other types: 45 l per m² and factor to 50 litres, at least 100.
  auto g = std::make_unique<TavState>();
  g->plant.AnlagenTypNr = 8;
  g->plant.KollektorFlaeche = 7.0f;
  AssistentDim d;
  d.FlaechenFaktor = 1.0f;
  SizeHeatingStorage(*g, d);
  EXPECT_FLOAT_EQ(g->plant.Speicher1vol, 300.0f);
  g->plant.KollektorFlaeche = 1.0f;
  SizeHeatingStorage(*g, d);
  EXPECT_FLOAT_EQ(g->plant.Speicher1vol, 100.0f);
}

// A saturating yield model: monthly demand 300 kWh, yield = demand × (1 − e^(−A·c)) with a
// seasonal c; space heating takes a share of the yield in winter. The hourly channel holds
// noon peaks so the daily curve has a shape.
struct FakeEngine {
  int laeufe = 0;
  bool operator()(TavState& g) {
    ++laeufe;
    auto& r = g.results;
    const float a = g.plant.KollektorFlaeche;
    for (int m = 1; m <= 12; ++m) {
      const float c = 0.05f + 0.1f * static_cast<float>(std::sin(3.14159 * (m - 0.5) / 12.0));
      r.WWBedarfMonat[m] = 300000.0f;
      r.VerlustMonat[m] = 20000.0f + 10.0f * g.plant.Speicher1vol;
      r.SolarertragMonat[m] = 300000.0f * (1.0f - std::exp(-a * c));
      r.SolHeizenMonat[m] = (m <= 3 || m >= 10) ? 0.3f * r.SolarertragMonat[m] : 0.0f;
    }
    for (int h = 0; h < kStundenProJahr; ++h) r.Stunde(1, 1, h) = (h % 24 == 12) ? 1000.0f * a : 0.0f;
    return true;
  }
};

std::unique_ptr<TavState> FakeWelt() {
  auto g = std::make_unique<TavState>();
  g->plant.KollektorFlaeche = 6.1f;
  g->plant.KollModulFlaeche = 2.5f;
  g->plant.Speicher1vol = 300.0f;
  g->plant.KAfaktor = 20;
  g->run.WetterDatensatz = 1;
  return g;
}

TEST(AssistentDimLaeufe, RingOfVariants) {
  auto g = FakeWelt();
  FakeEngine fake;
  StillerLauf lauf = std::ref(fake);
  AssistentDim d;
  ASSERT_TRUE(SizeHotWaterSystem(*g, d, false, lauf));
  EXPECT_EQ(fake.laeufe, 2);
  const float a0 = g->plant.KollektorFlaeche;
  EXPECT_NEAR(std::fmod(a0, 2.5f), 0.0f, 1e-4);  // whole modules
  EXPECT_FLOAT_EQ(d.Ring[0][0], a0);
  // The daily curve sums to the monthly yields: curves and fractions use the same figures.
  CalcYearSums(g->results);
  EXPECT_NEAR(d.Ring[0][366], g->results.SolarertragMonat[13] / 1000.0f, 0.05f);
  EXPECT_NEAR(FractionForArea(d, a0), d.Ring[0][366] / d.Jahresbedarf * 100.0f, 1e-3);

  // Five steps up fill records 1..5, the sixth overwrites record 1.
  for (int i = 1; i <= 6; ++i) StepAreaVariant(*g, d, true, lauf);
  EXPECT_EQ(fake.laeufe, 8);
  EXPECT_EQ(d.VariantenPos, 1);
  EXPECT_FLOAT_EQ(d.Ring[1][0], a0 + 6 * 2.5f);
  EXPECT_FLOAT_EQ(d.Ring[0][0], a0);  // the reference stays
  // Back to an area already in the ring: nothing runs, its own fraction is shown.
  StepAreaVariant(*g, d, false, lauf);
  EXPECT_EQ(fake.laeufe, 8);
  EXPECT_GT(FractionForArea(d, g->plant.KollektorFlaeche), FractionForArea(d, a0));
  EXPECT_FALSE(AreaNotInRing(d, a0 + 5 * 2.5f));
  EXPECT_TRUE(AreaNotInRing(d, a0 + 1 * 2.5f));  // overwritten
  // A store step runs the reference again and the current area.
  StepStoreVariant(*g, d, true, lauf);
  EXPECT_EQ(fake.laeufe, 10);
  EXPECT_EQ(d.Ring[2][0], 0.0f);
}

TEST(AssistentDimLaeufe, NoYieldKeepsTheFirstGuess) {
  auto g = FakeWelt();
  int laeufe = 0;
  AssistentDim d;
  EXPECT_FALSE(SizeHotWaterSystem(*g, d, false, [&](TavState&) { return ++laeufe, true; }));
  EXPECT_EQ(laeufe, 1);
  EXPECT_FLOAT_EQ(g->plant.KollektorFlaeche, 6.1f);
  EXPECT_EQ(d.Ring[0][0], 0.0f);
  // A run that cannot start leaves old results behind: they must not be sized from.
  FakeEngine fake;
  fake(*g);
  EXPECT_FALSE(SizeHotWaterSystem(*g, d, false, [](TavState&) { return false; }));
  EXPECT_FLOAT_EQ(g->plant.KollektorFlaeche, 6.1f);
  EXPECT_EQ(d.Ring[0][0], 0.0f);
}

TEST(AssistentDimLaeufe, HeatingLoopStopsAtTheFactorAndBacksOffOneModule) {
  struct Fall {
    float modul;
    int ka;
  };
  for (const Fall& f : {Fall{2.5f, 20}, Fall{2.0f, 15}, Fall{0.0f, 20}}) {
    SCOPED_TRACE(f.modul);
    auto g = FakeWelt();
    g->plant.KollModulFlaeche = f.modul;
    g->plant.KAfaktor = static_cast<std::uint16_t>(f.ka);
    g->plant.Warmwasserverbrauch = 6000.0f;
    g->plant.Heizwaermebedarf = 8e6f;
    g->plant.AnlagenTypNr = 6;
    FakeEngine fake;
    AssistentDim d;
    d.ZielFlaeche = 5.0f;
    d.SpezErtragTWW = 0.0f;  // the specific yield never falls below: the factor stops it
    const float a = SizeHeatingSupport(*g, d, std::ref(fake));
    const float modul = f.modul > 0.0f ? f.modul : 1.0f;
    // The last area within the factor, whole modules.
    const float grenze = d.ZielFlaeche * f.ka / 10.0f;
    EXPECT_LE(a, grenze + 1e-4f);
    EXPECT_GT(a + modul, grenze - 1e-4f);
    EXPECT_LT(fake.laeufe, kMaxHeizSchritte + 2);
    EXPECT_FLOAT_EQ(g->plant.KollektorFlaeche, a);
    EXPECT_GT(d.DeckungHeizung, 0.0f);
    EXPECT_LE(d.DeckungHeizung, 100.0f);
  }
}

// A run refused after the first (its results cleared, as the engine leaves them after a run
// whose figures stopped being numbers) leaves no figures behind: no ring record, no fraction
// of zeros, the plant as before where the refused run was to decide it.
TEST(AssistentDimLaeufe, ARefusedLaterRunIsNoResult) {
  struct Verweigert {
    FakeEngine fake;
    int nummer = 0, verweigern = 0;  // the run to refuse, 1-based
    bool operator()(TavState& g) {
      if (++nummer == verweigern) {
        g.results = ResultState{};
        return false;
      }
      return fake(g);
    }
  };
  {
    SCOPED_TRACE("the design run");
    auto g = FakeWelt();
    Verweigert v;
    v.verweigern = 2;
    AssistentDim d;
    EXPECT_FALSE(SizeHotWaterSystem(*g, d, false, std::ref(v)));
    EXPECT_FLOAT_EQ(g->plant.KollektorFlaeche, 6.1f);
    EXPECT_FLOAT_EQ(d.ZielFlaeche, 6.1f);
    EXPECT_EQ(d.Ring[0][0], 0.0f);
  }
  auto g = FakeWelt();
  Verweigert v;
  StillerLauf lauf = std::ref(v);
  AssistentDim d;
  ASSERT_TRUE(SizeHotWaterSystem(*g, d, false, lauf));
  const AssistentDim nachAuslegung = d;
  {
    SCOPED_TRACE("an area step");
    v.verweigern = v.nummer + 1;
    const float a = StepAreaVariant(*g, d, true, lauf);
    EXPECT_TRUE(AreaNotInRing(d, a));
    EXPECT_EQ(d.VariantenPos, nachAuslegung.VariantenPos);
    EXPECT_EQ(d.Ring, nachAuslegung.Ring);
    EXPECT_EQ(d.Deckungsrate, nachAuslegung.Deckungsrate);
  }
  {
    SCOPED_TRACE("a store step");
    const float vorher = g->plant.Speicher1vol;
    v.verweigern = v.nummer + 1;
    EXPECT_EQ(StepStoreVariant(*g, d, true, lauf), vorher);
    EXPECT_EQ(g->plant.Speicher1vol, vorher);
    EXPECT_EQ(d.Ring[0], nachAuslegung.Ring[0]);
  }
  {
    SCOPED_TRACE("the heating loop");
    g->plant.Heizwaermebedarf = 8e6f;
    g->plant.AnlagenTypNr = 6;
    d.ZielFlaeche = 5.0f;
    d.SpezErtragTWW = 0.0f;
    // The loop's second run (10 m²) is refused: the loop stops there and backs off one
    // module, rather than taking the cleared results for a yield and going on.
    v.verweigern = v.nummer + 2;
    const float a = SizeHeatingSupport(*g, d, lauf);
    EXPECT_FLOAT_EQ(a, 5.0f + 2.5f);
    EXPECT_TRUE(std::isfinite(d.DeckungHeizung));
    // A heating variant refused on its own shows no fractions.
    v.verweigern = v.nummer + 1;
    EXPECT_FALSE(RunHeatingVariant(*g, d, lauf));
    EXPECT_TRUE(std::isnan(d.Deckungsrate));
    EXPECT_TRUE(std::isnan(d.DeckungTWW));
    EXPECT_TRUE(std::isnan(d.DeckungHeizung));
    EXPECT_EQ(d.Ring[1][0], 0.0f);
  }
}

TEST(AssistentDimLaeufe, ZeroDemandsAreGuarded) {
  auto g = FakeWelt();
  g->plant.Heizwaermebedarf = 0.0f;
  AssistentDim d;
  RunHeatingVariant(*g, d, [](TavState& s) {
    s.results = ResultState{};
    return true;
  });
  EXPECT_EQ(d.Deckungsrate, 0.0f);
  EXPECT_EQ(d.DeckungTWW, 0.0f);
  EXPECT_EQ(d.DeckungHeizung, 0.0f);
  EXPECT_EQ(HeizleistungFuer(*g, 30.0f), 0.0f);  // design temperature above the heating limit
}

// The real engine on the clear-sky fixture: the wizard's fraction for its design is the one a
// normal run of the sized project shows, and the silent runs leave the run flags alone.
TEST(AssistentDimEngine, DesignFractionMatchesANormalRun) {
  test::SimWelt w;
  TavState& g = *w.g;
  for (int m = 1; m <= 12; ++m) g.loc.EinstrahlungMonat[m] = 1.0 + 3.0 * std::sin(3.14159 * (m - 0.5) / 12.0);
  g.plant.KollModulFlaeche = 2.0f;
  g.run.RechenModus = 3;
  g.run.EnevAbgleich = false;
  AssistentDim d;
  ASSERT_TRUE(SizeHotWaterSystem(g, d, false, EchterStillerLauf()));
  EXPECT_EQ(g.run.RechenModus, 3);
  EXPECT_FALSE(g.run.SimLaeuft);
  const float anzeige = FractionForArea(d, g.plant.KollektorFlaeche);
  EXPECT_GT(anzeige, 20.0f);
  EXPECT_LT(anzeige, 100.0f);
  EXPECT_NEAR(std::fmod(g.plant.KollektorFlaeche, 2.0f), 0.0f, 1e-4);

  auto s = std::make_unique<SimState>();
  ASSERT_EQ(RunSimulation(g, *s, StillerBeobachter()), SimErgebnis::Fertig);
  const auto& r = g.results;
  const float normal = r.SolarertragMonat[13] / (r.WWBedarfMonat[13] + r.VerlustMonat[13]) * 100.0f;
  EXPECT_NEAR(anzeige, normal, 0.05f);

  // Heating support on this hot-water project (no heating circuit yet): every run starts,
  // the area grows within the factor and the heating gets a share.
  PrepareSolarHeating(g, d, 1, 12000.0f, 15.0f);
  EXPECT_EQ(PruefeKonfiguration(g), "");
  EXPECT_EQ(g.plant.AnlagenTypNr, 6);
  const float a = SizeHeatingSupport(g, d, EchterStillerLauf());
  EXPECT_GE(a, d.ZielFlaeche);
  EXPECT_LE(a, d.ZielFlaeche * g.plant.KAfaktor / 10.0f + 1e-3f);
  EXPECT_GT(d.DeckungHeizung, 0.0f);
  EXPECT_GT(d.DeckungTWW, 0.0f);
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// Three catalogue collectors and packages for each of them; the makers spell the collectors
// a little differently, or as the end of the catalogue name.
std::unique_ptr<TavState> PaketWelt() {
  auto g = FakeWelt();
  CatalogueState& c = g->cat;
  c.Kollektoren.resize(4);
  const char* namen[] = {"", "Sonnenfang FK 2.5", "Rohrwerk VR 30", "Nullmodul X"};
  const float module[] = {0.0f, 2.5f, 3.0f, 0.0f};
  for (int k = 1; k <= 3; ++k) {
    c.Kollektoren[static_cast<std::size_t>(k)].Name = namen[k];
    c.Kollektoren[static_cast<std::size_t>(k)].ModulFlaeche = module[k];
  }
  c.Kollektoren[2].VRK = true;
  c.KollektorAnzahl = 3;
  auto paket = [](const char* name, const char* koll, int anz, int v1, int v2, const char* spTyp, int typ) {
    TPaket p;
    p.Name = name;
    p.Kollektor = koll;
    p.KollAnz = static_cast<std::uint16_t>(anz);
    p.Speicher = "Speicher " + std::string(name);
    p.SpVol1 = static_cast<std::uint16_t>(v1);
    p.SpVol2 = static_cast<std::uint16_t>(v2);
    p.BivSpTyp = spTyp;
    p.TypNr = static_cast<std::uint8_t>(typ);
    return p;
  };
  c.Solarpakete = {paket("A", "FK 2.5", 2, 300, 0, "SL", 1), paket("B", "Sonnenfang FK2.5", 4, 750, 150, "WT", 6),
                   paket("C", "Rohrwerk VR30", 3, 400, 0, "XYZ", 1), paket("D", "VR 30", 5, 800, 0, "XYZ", 6),
                   paket("E", "Nullmodul X", 2, 300, 0, "CL", 1)};
  c.PaketAnzahl = 5;
  return g;
}

std::string Gelistet(const CatalogueState& c) {
  std::string s;
  for (const TPaket& p : c.Solarpakete)
    if (p.Anzeigen) s += p.Name;
  return s;
}

TEST(AssistentPakete, NearestCollectorToleranceAndFallBack) {
  auto g = PaketWelt();
  CatalogueState& c = g->cat;
  WaehlePakete(c, "", false, true);
  // The maker's short text matches the end of the catalogue name.
  EXPECT_EQ(c.Solarpakete[0].Text, "Sonnenfang FK 2.5");
  EXPECT_EQ(c.Solarpakete[1].Text, "Sonnenfang FK 2.5");
  EXPECT_EQ(c.Solarpakete[2].Text, "Rohrwerk VR 30");
  EXPECT_EQ(c.Solarpakete[3].Text, "Rohrwerk VR 30");
  struct Fall {
    const char* koll;
    bool kombi, alle;
    const char* liste;
  } faelle[] = {
      {"Sonnenfang FK 2.5", false, false, "A"},  // the plant kind filters
      {"Sonnenfang FK 2.5", true, false, "B"},
      {"Rohrwerk VR 30", true, false, "D"},
      {"Rohrwerk VR 30", false, true, "ACE"},    // all collectors
      {"Ganz anderer Kollektor", false, false, "ACE"},  // none near: every hot-water package
      {"Ganz anderer Kollektor", true, false, "BD"},
  };
  for (const Fall& f : faelle) {
    const int n = WaehlePakete(c, f.koll, f.kombi, f.alle);
    EXPECT_EQ(Gelistet(c), f.liste) << f.koll << " " << f.kombi;
    EXPECT_EQ(n, static_cast<int>(std::string(f.liste).size()));
  }
}

TEST(AssistentPakete, ApplyingAPackageSetsThePlant) {
  auto g = PaketWelt();
  WaehlePakete(g->cat, "", false, true);
  AssistentEingaben e;
  e.ProjektName = "Paket";
  e.Neigung = 35.0f;
  e.Azimut = -10.0f;
  e.WWkWhTag = 8.0f;
  e.TWarm = 50.0f;
  e.KAfaktor = 2.0f;
  PlantState& p = g->plant;
  p.AntiLegionella = true;
  p.Speicher2vol = 77.0f;
  p.OstWestKollektor = true;

  AssistentDim d;
  ASSERT_TRUE(ApplySolarPackage(*g, d, e, g->cat.Solarpakete[0]));
  EXPECT_TRUE(d.PaketModus);
  EXPECT_EQ(p.KollektorNr, 1);
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 5.0f);  // 2 modules of 2.5 m²
  EXPECT_EQ(p.AnlagenTypNr, 1);
  EXPECT_EQ(p.BivSpTyp, 2);                   // "SL"
  EXPECT_EQ(p.SpeicherName, "Speicher A");
  EXPECT_FLOAT_EQ(p.Speicher1vol, 300.0f);
  EXPECT_FLOAT_EQ(p.Speicher2vol, 77.0f);     // a package without second volume keeps it
  EXPECT_TRUE(p.AntiLegionella);              // not the package's business
  EXPECT_FALSE(p.OstWestKollektor);
  EXPECT_FLOAT_EQ(p.Warmwasserverbrauch, 8000.0f);
  EXPECT_FLOAT_EQ(p.Warmwassertemp, 50.0f);
  EXPECT_FLOAT_EQ(p.Maximaltemp, 70.0f);
  EXPECT_FLOAT_EQ(p.Solarkreislaenge, 12.5f);
  EXPECT_EQ(p.KAfaktor, 20);
  EXPECT_EQ(p.ZeitZoom, 15);

  ASSERT_TRUE(ApplySolarPackage(*g, d, e, g->cat.Solarpakete[3]));  // combi, unknown arrangement
  EXPECT_EQ(p.AnlagenTypNr, 6);
  EXPECT_EQ(p.KombiSpTyp, 11);
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 15.0f);
  EXPECT_TRUE(p.KollVRK);

  // A package without modules is refused untouched.
  const PlantState vorher = p;
  TPaket leer = g->cat.Solarpakete[0];
  leer.KollAnz = 0;
  EXPECT_FALSE(ApplySolarPackage(*g, d, e, leer));
  EXPECT_EQ(p.KollektorNr, vorher.KollektorNr);
  EXPECT_EQ(p.KollektorFlaeche, vorher.KollektorFlaeche);
  EXPECT_EQ(p.AnlagenTypNr, vorher.AnlagenTypNr);
}

TEST(AssistentPakete, PackageDesignKeepsThePackagesArea) {
  auto g = PaketWelt();
  WaehlePakete(g->cat, "", false, true);
  AssistentEingaben e;
  e.WWkWhTag = 10.0f;
  AssistentDim d;
  ASSERT_TRUE(ApplySolarPackage(*g, d, e, g->cat.Solarpakete[0]));
  FakeEngine fake;
  ASSERT_TRUE(SizeHotWaterFromPackage(*g, d, false, std::ref(fake)));
  EXPECT_EQ(fake.laeufe, 2);
  EXPECT_FLOAT_EQ(g->plant.KollektorFlaeche, 5.0f);
  EXPECT_FLOAT_EQ(d.Ring[0][0], 5.0f);  // the package's own run is the reference curve
  EXPECT_GT(d.ErtragTWW, 0.0f);
  EXPECT_NEAR(std::fmod(d.ZielFlaeche, 2.5f), 0.0f, 1e-4f);
}

// A package applied is the package, whatever plant it is applied over: a type change adapts
// the volumes of the plant before, never the package's. Leaving package mode leaves nothing of
// it: the first guess then gives what it gives without a package ever taken.
TEST(AssistentPakete, APackageIsThePackageOverEveryPlantTypeAndLeavesNothing) {
  struct Fall {
    int alterTyp;
    int paket;  // index: 0 = "A" (type 1, 300 l), 1 = "B" (type 6, 750 + 150 l)
  };
  for (const Fall& f : {Fall{1, 0}, Fall{6, 0}, Fall{1, 1}, Fall{6, 1}}) {
    SCOPED_TRACE(testing::Message() << "plant type " << f.alterTyp << ", package " << f.paket);
    auto g = PaketWelt();
    WaehlePakete(g->cat, "", false, true);
    PlantState& p = g->plant;
    p.AnlagenTypNr = static_cast<std::uint8_t>(f.alterTyp);
    p.Speicher1vol = 600.0f;
    p.Speicher2vol = f.alterTyp == 6 ? 200.0f : 0.0f;
    p.SpeicherName = "Speicher des Projekts";
    p.KombiSpTyp = 12;
    p.SpeicherAnz = 2;
    const auto vorher = std::make_unique<TavState>(*g);
    const TPaket& paket = g->cat.Solarpakete[static_cast<std::size_t>(f.paket)];
    const bool kombi = paket.TypNr == 6;  // the wizard lists combi packages with the combi box
    AssistentEingaben e;
    e.WWkWhTag = 10.0f;
    AssistentDim d;
    ASSERT_TRUE(ApplySolarPackage(*g, d, e, paket, kombi));
    EXPECT_EQ(p.AnlagenTypNr, paket.TypNr);
    EXPECT_EQ(p.SpeicherName, paket.Speicher);
    EXPECT_FLOAT_EQ(p.Speicher1vol, paket.SpVol1);
    if (paket.SpVol2 != 0) EXPECT_FLOAT_EQ(p.Speicher2vol, paket.SpVol2);
    EXPECT_EQ(p.KollektorNr, 1);
    EXPECT_FLOAT_EQ(p.KollektorFlaeche, paket.KollAnz * 2.5f);

    // Back and on without a package: as if none had been taken.
    VerlassePaketModus(*g, d);
    EXPECT_FALSE(d.PaketModus);
    ApplyWizardInputs(*g, e);
    ApplyWizardInputs(*vorher, e);
    EXPECT_EQ(p.SpeicherName, "");
    EXPECT_EQ(p.Speicher1vol, vorher->plant.Speicher1vol);
    EXPECT_EQ(p.Speicher2vol, vorher->plant.Speicher2vol);
    EXPECT_EQ(p.KombiSpTyp, vorher->plant.KombiSpTyp);
    EXPECT_EQ(p.SpeicherAnz, vorher->plant.SpeicherAnz);
    EXPECT_EQ(p.AnlagenTypNr, 1);
    // The first guess is the guess: no second volume of a combi store added to it.
    EXPECT_FLOAT_EQ(p.Speicher1vol, std::max(50.0f, std::round(p.KollektorFlaeche) * 50.0f));
  }
}

// On the heating page a package keeps its plant type, store and name through the heating
// sizing and every area step; out of package mode the steps size the store with the area.
TEST(AssistentPakete, TheHeatingPageKeepsThePackagesStore) {
  for (const bool paketModus : {true, false}) {
    SCOPED_TRACE(paketModus ? "package" : "no package");
    auto g = PaketWelt();
    WaehlePakete(g->cat, "", true, true);
    PlantState& p = g->plant;
    AssistentEingaben e;
    e.WWkWhTag = 10.0f;
    AssistentDim d;
    if (paketModus) ASSERT_TRUE(ApplySolarPackage(*g, d, e, g->cat.Solarpakete[1], true));
    else ApplyWizardInputs(*g, e);
    FakeEngine fake;
    const StillerLauf lauf = std::ref(fake);
    ASSERT_TRUE(paketModus ? SizeHotWaterFromPackage(*g, d, true, lauf) : SizeHotWaterSystem(*g, d, true, lauf));
    PrepareSolarHeating(*g, d, 1, 9000.0f, 15.0f);
    d.SpezErtragTWW = 0.0f;
    const float a = SizeHeatingSupport(*g, d, lauf);
    EXPECT_EQ(p.AnlagenTypNr, 6);
    EXPECT_TRUE(std::isfinite(d.Deckungsrate));
    if (paketModus) {
      EXPECT_FLOAT_EQ(a, 10.0f);  // the package's four modules
      EXPECT_EQ(p.KombiSpTyp, FindSpTypNrOr11("WT"));
    }
    for (const bool hoch : {true, false, false}) {
      const std::string name = p.SpeicherName;
      const float v1 = p.Speicher1vol, v2 = p.Speicher2vol;
      const int laeufe = fake.laeufe;
      StepHeatingVariant(*g, d, hoch, lauf);
      EXPECT_EQ(fake.laeufe, laeufe + 1);
      if (paketModus) {
        EXPECT_EQ(p.SpeicherName, "Speicher B");
        EXPECT_FLOAT_EQ(p.Speicher1vol, 750.0f);
        EXPECT_FLOAT_EQ(p.Speicher2vol, 150.0f);
      } else {
        // Sized as before: the combi rule's pair for the hot-water units, no package name.
        EXPECT_EQ(p.SpeicherName, name);
        EXPECT_FLOAT_EQ(p.Speicher1vol, v1);
        EXPECT_FLOAT_EQ(p.Speicher2vol, v2);
        EXPECT_FLOAT_EQ(p.Speicher1vol, 860.0f);
      }
    }
  }
}

// A collector entry without a module area (0 in the catalogue) is counted and stepped at
// 1 m² a module on every path of the wizard: the design, both pages' arrows, the heating loop
// and a package on it. A collector of 1,9 m² modules steps 1,9 m² on the same paths.
TEST(AssistentPakete, ACollectorWithoutModuleAreaCountsOneSquareMetreAModule) {
  struct Fall {
    float modul, schritt;
  };
  for (const Fall& f : {Fall{0.0f, 1.0f}, Fall{0.004f, 1.0f}, Fall{1.9f, 1.9f}}) {
    SCOPED_TRACE(f.modul);
    const auto ganz = [&f](float a) {
      const double n = a / f.schritt;
      return n > 0.5 && std::fabs(n - std::round(n)) < 1e-4;
    };
    auto g = PaketWelt();
    g->cat.Kollektoren[3].ModulFlaeche = f.modul;  // "Nullmodul X", package E: two modules
    WaehlePakete(g->cat, "", false, true);
    AssistentEingaben e;
    e.WWkWhTag = 10.0f;
    AssistentDim paket;
    ASSERT_TRUE(ApplySolarPackage(*g, paket, e, g->cat.Solarpakete[4]));
    PlantState& p = g->plant;
    EXPECT_EQ(p.KollektorNr, 3);
    EXPECT_NEAR(p.KollektorFlaeche, 2.0f * f.schritt, 1e-5f);

    FakeEngine fake;
    const StillerLauf lauf = std::ref(fake);
    ASSERT_TRUE(SizeHotWaterFromPackage(*g, paket, false, lauf));
    EXPECT_NEAR(p.KollektorFlaeche, 2.0f * f.schritt, 1e-5f);  // the package's area again
    // Out of package mode the same paths size the store with the area.
    AssistentDim d;
    ASSERT_TRUE(SizeHotWaterSystem(*g, d, false, lauf));
    const float a0 = p.KollektorFlaeche;
    EXPECT_TRUE(ganz(a0)) << a0;
    EXPECT_FLOAT_EQ(d.ZielFlaeche, a0);

    // Hot-water arrows: one module up is a variant of its own, one down is the design again.
    EXPECT_NEAR(StepAreaVariant(*g, d, true, lauf), a0 + f.schritt, 1e-4f);
    EXPECT_NEAR(d.Ring[1][0], a0 + f.schritt, 1e-4f);
    EXPECT_NEAR(StepAreaVariant(*g, d, false, lauf), a0, 1e-4f);

    // Heating: the loop adds whole modules; its arrows step one module and run it.
    p.AnlagenTypNr = 6;
    p.Heizwaermebedarf = 8e6f;
    d.SpezErtragTWW = 0.0f;
    const float ah = SizeHeatingSupport(*g, d, lauf);
    EXPECT_TRUE(ganz(ah)) << ah;
    EXPECT_GE(ah, a0);
    const int laeufe = fake.laeufe;
    EXPECT_NEAR(StepHeatingVariant(*g, d, true, lauf), ah + f.schritt, 1e-4f);
    EXPECT_EQ(fake.laeufe, laeufe + 1);
    EXPECT_NEAR(d.Ring[1][0], ah + f.schritt, 1e-4f);
    EXPECT_NEAR(d.FlaechenFaktor, (ah + f.schritt) / d.ZielFlaeche, 1e-5f);
    EXPECT_NEAR(StepHeatingVariant(*g, d, false, lauf), ah, 1e-4f);
  }
}

}  // namespace
}  // namespace tav
