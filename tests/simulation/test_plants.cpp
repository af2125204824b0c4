// The plant models of types 3 to 8 over a year on the fixture weather and step by step: yield
// against irradiance and collector area, bounded node temperatures, hot water delivered, the
// per-step energy balance of the stores, and the edge cases of the models.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "simulation/PlantCommon.h"
#include "simulation/PlantParams.h"
#include "simulation/SimRun.h"
#include "simulation/StoreHelpers.h"
#include "support/ScriptedMessages.h"
#include "tests/simulation/PlantStep.h"

namespace tav {
namespace {

using test::ScopedMessages;
using test::SimWelt;
using test::Richte;
using test::Schritt;
using test::Variante;

// One plant of every model and connection the plant types offer.
const std::vector<Variante>& Varianten() {
  static const std::vector<Variante> v = {
      {"3 second consumer", 3, false, [](PlantState&) {}},
      {"4 two stores", 4, false, [](PlantState&) {}},
      {"4 two stores, anti-legionella", 4, false, [](PlantState& p) { p.AntiLegionella = true; }},
      {"5 cascade with store", 5, false, [](PlantState& p) { p.AntiLegionella = true; }},
      {"5 cascade with heater", 5, false, [](PlantState& p) { p.KaskadeTyp = 14; p.AntiLegionella = true; }},
      {"6/11 circuit 2", 6, false, [](PlantState&) {}},
      {"6/6 circuit 1", 6, false, [](PlantState& p) { p.KombiSpTyp = 6; p.HeizkreisTyp = 1; }},
      {"6/8 circuit 3", 6, false, [](PlantState& p) { p.KombiSpTyp = 8; p.HeizkreisTyp = 3; }},
      {"6/5 circuit 4, pool from buffer", 6, true, [](PlantState& p) { p.KombiSpTyp = 5; p.HeizkreisTyp = 4; }},
      {"6/10 pool loop", 6, true, [](PlantState& p) { p.KombiSpTyp = 10; p.PoolWTdir = true; }},
      {"6/7 tank in tank", 6, false, [](PlantState& p) { p.KombiSpTyp = 7; }},
      {"6/9 inner cylinder", 6, false, [](PlantState& p) { p.KombiSpTyp = 9; p.Speicher2vol = 100.0f; }},
      {"6/12 circuit 1", 6, false, [](PlantState& p) { p.KombiSpTyp = 12; p.HeizkreisTyp = 1; }},
      {"6/12 circuit 5, pool", 6, true, [](PlantState& p) { p.KombiSpTyp = 12; p.HeizkreisTyp = 5; }},
      {"7 circuit 1", 7, false, [](PlantState& p) { p.HeizkreisTyp = 1; }},
      {"7 circuit 3", 7, false, [](PlantState& p) { p.HeizkreisTyp = 3; }},
      {"7 circuit 4", 7, false, [](PlantState& p) { p.HeizkreisTyp = 4; }},
      {"8 coil, circuit 2", 8, false, [](PlantState& p) { p.KombiSpeicherWT = 15; }},
      {"8 exchanger, circuit 1, pool", 8, true, [](PlantState& p) { p.HeizkreisTyp = 1; }},
      {"8 low flow, circuit 3, pool", 8, true, [](PlantState& p) { p.LFTkreis = true; p.HeizkreisTyp = 3; }},
      {"8 exchanger, circuit 4", 8, false, [](PlantState& p) { p.HeizkreisTyp = 4; }},
  };
  return v;
}


// Watches every simulated day: the store nodes stay finite and within a physical range.
struct Knotenwaechter : SimObserver {
  int knoten = 4;  // nodes of the model
  float tMin = 1e9f, tMax = -1e9f;
  void ProcessEvents(SimState& s) override {
    for (int i = 0; i < knoten; ++i) {
      tMin = std::min(tMin, s.SpTemp[static_cast<std::size_t>(i)]);
      tMax = std::max(tMax, s.SpTemp[static_cast<std::size_t>(i)]);
    }
  }
};

float Jahr(const std::array<float, 14>& a) { return a[13]; }

TEST(PlantYear, EveryModelRunsAYearWithBoundedNodesAndFullHotWater) {
  for (const auto& v : Varianten()) {
    SCOPED_TRACE(v.name);
    ScopedMessages msgs;
    SimWelt w;
    Richte(w, v);
    Knotenwaechter obs;
    const auto& p = w.g->plant;
    obs.knoten = v.typ == 3 ? 2 : (v.typ == 6 && p.KombiSpTyp == 12) ? 12 : 4;
    ASSERT_EQ(RunSimulation(*w.g, *w.s, obs), SimErgebnis::Fertig) << msgs->All();
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
    const auto& r = w.g->results;
    EXPECT_GT(Jahr(r.SolarertragMonat), 0.0f);
    EXPECT_LT(Jahr(r.SolarertragMonat), Jahr(r.KollEinstrahlungMonat));
    EXPECT_GE(Jahr(r.NachheizungMonat), 0.0f);
    // Heat credited to the heating as solar comes out of the solar yield.
    EXPECT_LE(Jahr(r.SolHeizenMonat), Jahr(r.SolarertragMonat) * 1.0001f);
    EXPECT_NEAR(Jahr(r.WWBedarfMonat), 365.0f * 4000.0f, 1.0f);
    if (w.g->plant.SolHeizung) {
      EXPECT_GT(Jahr(r.HeizbedarfMonat), 0.0f);
    }
    EXPECT_GE(obs.tMin, w.g->plant.Kaltwassertemp - 0.01f) << obs.tMin;
    EXPECT_LE(obs.tMax, 100.0f) << obs.tMax;  // well below the 120 °C stop with an 80 °C maximum
    for (int m = 1; m <= 12; ++m) {
      EXPECT_TRUE(std::isfinite(r.SolarertragMonat[static_cast<std::size_t>(m)])) << m;
      EXPECT_GE(r.SolarertragMonat[static_cast<std::size_t>(m)], 0.0f) << m;
    }
  }
}

TEST(PlantYear, NoIrradianceNoYieldAndYieldGrowsWithCollectorArea) {
  for (const auto& v : Varianten()) {
    SCOPED_TRACE(v.name);
    ScopedMessages msgs;
    SimWelt dunkel(test::WetterParameter{}, false), klein, gross;
    Richte(dunkel, v);
    Richte(klein, v);
    Richte(gross, v);
    klein.g->plant.KollektorFlaeche = 5.0f;
    gross.g->plant.KollektorFlaeche = 10.0f;
    ASSERT_EQ(RunSimulation(*dunkel.g, *dunkel.s, StillerBeobachter()), SimErgebnis::Fertig) << msgs->All();
    ASSERT_EQ(RunSimulation(*klein.g, *klein.s, StillerBeobachter()), SimErgebnis::Fertig) << msgs->All();
    ASSERT_EQ(RunSimulation(*gross.g, *gross.s, StillerBeobachter()), SimErgebnis::Fertig) << msgs->All();
    EXPECT_EQ(Jahr(dunkel.g->results.SolarertragMonat), 0.0f);
    EXPECT_EQ(Jahr(dunkel.g->results.PoolWaermeMonat), 0.0f);
    EXPECT_GT(Jahr(gross.g->results.SolarertragMonat), Jahr(klein.g->results.SolarertragMonat));
  }
}

// Over a day of steps every model draws the day's hot-water energy when the profile sums to
// 100 % and no flow limit is hit.
TEST(PlantStep, EveryModelDrawsTheDaysHotWater) {
  std::vector<Variante> varianten = Varianten();
  varianten.push_back({"1 store", 1, false, [](PlantState&) {}});
  varianten.push_back({"1 store and heater", 1, false, [](PlantState& p) { p.BivSpTyp = 4; }});
  varianten.push_back({"1 unequal nodes", 1, false, [](PlantState& p) { p.BivSpTyp = 3; }});
  for (const auto& v : varianten) {
    SCOPED_TRACE(v.name);
    ScopedMessages msgs;
    Schritt st(v);
    if (v.typ == 1) {
      test::SetzeTrinkwasserAnlage(*st.w.g);
      v.setze(st.p);
      st.Vorbereiten();
    }
    InitSpeicherTemp(st.p, st.s);
    SetzeStartTemperaturen(st.p, st.s);
    st.s.Einstrahlung1 = 0.0f;
    st.w.g->moment.QKoll = 0.0f;
    double gezapft = 0.0;
    for (int i = 0; i < 120; ++i) {
      st.w.g->moment.Tageszeit = static_cast<float>(i) / 5.0f;
      st.Lauf();
      gezapft += st.s.QWW;
    }
    EXPECT_NEAR(gezapft, st.s.WWTagesEnergie, 1e-3 * st.s.WWTagesEnergie);
    EXPECT_FALSE(st.s.AbbruchAnfrage) << msgs->All();
  }
}

// The surplus heating of type 2 and the second consumer of type 3 have no heat load of their
// own: every month that shows solar heating also shows at least that much heating demand, and
// the demand is at least the month's share of the annual space-heating demand.
TEST(PlantYear, HeatPassedToHeatingNeverExceedsTheRecordedDemand) {
  struct Fall {
    const char* name;
    int typ;
    float jahresbedarf;  // Wh
  };
  const Fall faelle[] = {{"2 surplus, no annual demand", 2, 0.0f},
                         {"2 surplus, 6 MWh", 2, 6.0e6f},
                         {"3 second consumer, no annual demand", 3, 0.0f},
                         {"3 second consumer, 6 MWh", 3, 6.0e6f}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    ScopedMessages msgs;
    SimWelt w;
    auto& p = w.g->plant;
    if (f.typ == 3) test::SetzeAnlage(*w.g, 3);
    p.AnlagenTypNr = static_cast<std::uint8_t>(f.typ);
    p.SolHeizung = true;
    p.KollektorFlaeche = 12.0f;
    p.MaxTempWinter = 40.0f;
    p.Heizwaermebedarf = f.jahresbedarf;
    ASSERT_EQ(RunSimulation(*w.g, *w.s, StillerBeobachter()), SimErgebnis::Fertig) << msgs->All();
    const auto& r = w.g->results;
    EXPECT_GT(Jahr(r.SolHeizenMonat), 0.0f);
    for (std::size_t m = 1; m <= 13; ++m) {
      EXPECT_GE(r.HeizbedarfMonat[m] * 1.0001f, r.SolHeizenMonat[m]) << m;
      EXPECT_GE(r.HeizbedarfMonat[m] * 1.0001f, f.jahresbedarf * r.HeizanteilMonat[m]) << m;
    }
  }
}

// Heat the stores lose or give to the heating circuit in the step as the model books it.
struct Bilanz {
  double erwartet = 0.0, tatsaechlich = 0.0;
};

Bilanz ZufallsSchritt(const Variante& v, std::mt19937& rng, bool heiztag, int n) {
  std::uniform_real_distribution<float> temp(15.0f, 85.0f), leistung(0.0f, 6000.0f), zeit(5.0f, 21.0f);
  Schritt st(v);
  auto& s = st.s;
  std::vector<float> t;
  for (std::size_t k = 0; k < st.Knoten().size(); ++k) t.push_back(temp(rng));
  // Stratified start: the upper node of each pair the warmer.
  std::sort(t.begin(), t.end(), std::greater<float>());
  const auto knoten = st.Knoten();
  for (std::size_t k = 0; k < knoten.size(); ++k) s.SpTemp[static_cast<std::size_t>(knoten[k].first)] = t[k];
  if (st.p.AnlagenTypNr == 6 && st.p.KombiSpTyp == 12) {
    // Node 0 is the lowest there.
    std::sort(s.SpTemp.begin(), s.SpTemp.begin() + 6);
    std::sort(s.SpTemp.begin() + 6, s.SpTemp.begin() + 12);
  }
  s.Heiztag = heiztag;
  s.PoolSaison = v.pool;
  st.w.g->moment.QKoll = n % 4 == 0 ? 0.0f : leistung(rng);
  s.TKollAus = temp(rng);
  st.w.g->moment.Tageszeit = zeit(rng);
  const double u0 = st.U();
  const float summe0 = s.QVerlustSumme;
  st.Lauf();
  const bool hk12 = st.p.HeizkreisTyp == 1 || st.p.HeizkreisTyp == 2 || st.p.HeizkreisTyp == 5;
  double verlust = s.QVerlustSumme - summe0;
  if (st.p.AnlagenTypNr == 7) verlust = s.QVerlust;  // the buffer's loss is not in the sums
  double heizung = 0.0;
  if (st.p.AnlagenTypNr == 3) heizung = s.QSolHeiz;  // the second consumer's heat
  if (st.p.SolHeizung) heizung = hk12 ? s.QHeizBedarf : s.QSolHeiz;
  // Type 7 books the buffer's solar heat and the recharge in QSolHeiz; circuits 3 and 4 take
  // their heat unbooked.
  if (st.p.AnlagenTypNr == 7) heizung = hk12 ? s.QHeizBedarf : 0.0;
  Bilanz b;
  b.erwartet = s.QSolar * st.dt - s.QPool - s.QWW - verlust + s.QNachheiz - heizung;
  b.tatsaechlich = st.U() - u0;
  EXPECT_GE(s.QNachheiz, 0.0f) << n;
  EXPECT_GE(s.QSolar, 0.0f) << n;
  EXPECT_GE(s.QPool, 0.0f) << n;
  for (const auto& [i, vol] : knoten) {
    EXPECT_TRUE(std::isfinite(s.SpTemp[static_cast<std::size_t>(i)])) << n;
    EXPECT_LE(s.SpTemp[static_cast<std::size_t>(i)], 130.0f) << n;
  }
  return b;
}

// Models whose every flow is booked: the step balance of the stores closes.
TEST(PlantStep, StoreEnergyBalanceClosesWhereEveryFlowIsBooked) {
  struct Fall {
    const char* variante;
    bool heiztag;
  };
  // Not listed: the cascade with store (its 0.98 pipe factor on temperatures is an unbooked
  // loss, checked below), type 7 (the exchanger's efficiency loses 3..7 % of the recharge, and
  // circuits 3 and 4 take unbooked heat from the buffer), Kombi 12 on heating days (its circuit
  // takes what the flow temperature gives, not the booked demand) and Kombi 9's split draw-off.
  const Fall faelle[] = {{"3 second consumer", false},  {"3 second consumer", true},
                         {"4 two stores", false},       {"5 cascade with heater", false},
                         {"6/11 circuit 2", true},      {"6/6 circuit 1", true},
                         {"6/8 circuit 3", true},       {"6/5 circuit 4, pool from buffer", true},
                         {"6/10 pool loop", false},     {"6/7 tank in tank", true},
                         {"6/9 inner cylinder", true},  {"6/12 circuit 1", false},
                         {"6/12 circuit 5, pool", false}, {"8 coil, circuit 2", true},
                         {"8 exchanger, circuit 1, pool", true}, {"8 low flow, circuit 3, pool", true},
                         {"8 exchanger, circuit 4", true}, {"8 exchanger, circuit 4", false}};
  std::mt19937 rng(815);
  for (const auto& f : faelle) {
    const auto& v = *std::find_if(Varianten().begin(), Varianten().end(),
                                  [&](const Variante& x) { return std::string(x.name) == f.variante; });
    SCOPED_TRACE(std::string(v.name) + (f.heiztag ? ", heating day" : ""));
    for (int n = 0; n < 200; ++n) {
      ScopedMessages msgs;
      const Bilanz b = ZufallsSchritt(v, rng, f.heiztag, n);
      if (!msgs->shown.empty()) continue;  // a flow warning: the step ran beyond its limits
      EXPECT_NEAR(b.tatsaechlich, b.erwartet, 2e-4 * 1.163 * 1600 * 85 + 1.0) << n;
    }
  }
}

TEST(PlantStep, UnbookedLossesOnlyEverLowerTheStores) {
  std::mt19937 rng(4242);
  for (const char* name : {"5 cascade with store", "7 circuit 1", "7 circuit 3", "7 circuit 4"}) {
    const auto& v = *std::find_if(Varianten().begin(), Varianten().end(),
                                  [&](const Variante& x) { return std::string(x.name) == name; });
    SCOPED_TRACE(name);
    for (int n = 0; n < 200; ++n) {
      ScopedMessages msgs;
      const Bilanz b = ZufallsSchritt(v, rng, false, n);
      if (!msgs->shown.empty()) continue;
      EXPECT_LE(b.tatsaechlich, b.erwartet + 1.0) << n;
    }
  }
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(PlantYear, StoreTwoAbove120DegreesStopsTheRun) {
  test::ScopedMessages msgs;
  test::SimWelt w;
  test::SetzeAnlage(*w.g, 4);
  auto& p = w.g->plant;
  p.KollektorFlaeche = 40.0f;
  p.Maximaltemp = 60.0f;
  p.Maximaltemp2 = 200.0f;  // nothing holds store 2 back
  p.Warmwasserverbrauch = 0.0f;
  p.SpeicherkWert = p.SpeicherkWert2 = 0.0f;
  EXPECT_EQ(RunSimulation(*w.g, *w.s, StillerBeobachter()), SimErgebnis::Abgebrochen);
  EXPECT_TRUE(msgs->Contains("Speicher 2 ist auf")) << msgs->All();
  EXPECT_EQ(msgs->shown.size(), 2u) << msgs->All();  // the stop and the cancel
  EXPECT_LT(w.s->SpTemp[2], 130.0f);
}

}  // namespace
}  // namespace tav
