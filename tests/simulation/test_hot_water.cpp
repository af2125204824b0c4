// One step of the hot-water plants: the store energy balance, the branches of loading, pool
// and space heating, the flow limits, anti-legionella heating and the plant-type dispatch.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>

#include "simulation/PlantCommon.h"
#include "simulation/PlantParams.h"
#include "simulation/SolarPhysics.h"
#include "simulation/StoreHelpers.h"
#include "support/ScriptedMessages.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

using test::ScopedMessages;

// One step of a plant with the fixture's values and a sunny moment.
struct Schritt {
  test::SimWelt w{test::WetterParameter{}, false};
  SimContext c{*w.g, *w.s, StillerBeobachter()};
  PlantState& p = w.g->plant;
  SimState& s = *w.s;
  float dt = 0.2f;

  explicit Schritt(int bivSpTyp = 0) {
    p.BivSpTyp = static_cast<std::uint8_t>(bivSpTyp);
    p.KollektorFlaecheGesamt = p.KollektorFlaeche;
    SetSpeicherParam(p, s.geo);
    s.SpVerlustKA1 = s.geo.SpFlaeche1 * p.SpeicherkWert * dt / 2.0f;
    s.WWTagesEnergie = 4000.0f;
    s.PoolWTLeistung = p.KollektorFlaecheGesamt * 700.0f;
    s.PoolWTdT = 10.0f;
    test::SonnigerMoment(*w.g, s);
  }
  // Store energy of the nodes the model owns.
  double U() const {
    if (p.BivSpTyp == 3) return kCWasser * (s.geo.SpObenVol * s.SpTemp[0] + s.geo.SpUntenVol * s.SpTemp[1]);
    return kCWasser * s.geo.SpKnotenVol1 * (s.SpTemp[0] + s.SpTemp[1]);
  }
  void Lauf() { Zeitschritt(c, dt); }
};

TEST(HotWaterStep, StoreEnergyBalanceClosesForEveryModel) {
  struct Fall {
    const char* name;
    int bivSpTyp;
    bool pool, heizung;
  };
  const Fall faelle[] = {{"bottom loading", 0, false, false}, {"top loading", 2, false, false},
                         {"pool", 0, true, false},           {"space heating", 0, false, true},
                         {"flow-through heater", 4, false, false}, {"unequal nodes", 3, false, false}};
  std::mt19937 rng(4711);
  std::uniform_real_distribution<float> temp(12.0f, 85.0f), leistung(0.0f, 4000.0f), zeit(0.0f, 23.99f);
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    for (int n = 0; n < 300; ++n) {
      ScopedMessages msgs;
      Schritt st(f.bivSpTyp);
      st.p.Pool = f.pool;
      st.s.PoolSaison = f.pool;
      st.p.PoolTemp = 25.0f;
      st.p.PoolSpminTemp = 40.0f;
      st.p.SolHeizung = f.heizung;
      st.s.Heiztag = f.heizung;
      const float a = temp(rng), b = temp(rng);
      st.s.SpTemp[0] = std::max(a, b);
      st.s.SpTemp[1] = std::min(a, b);
      st.w.g->moment.QKoll = n % 4 == 0 ? 0.0f : leistung(rng);
      st.s.TKollAus = temp(rng);
      st.w.g->moment.Tageszeit = zeit(rng);
      const double u0 = st.U();
      st.Lauf();
      const auto& s = st.s;
      const double zufluss = s.QSolar * st.dt - s.QSolHeiz - s.QPool - s.QWW - s.QVerlust + s.QNachheiz;
      EXPECT_NEAR(st.U() - u0, zufluss, 1e-3 * u0) << n;
      for (int k = 0; k < 2; ++k) {
        EXPECT_GE(s.SpTemp[static_cast<std::size_t>(k)], st.p.Kaltwassertemp - 1e-3f);
        EXPECT_LE(s.SpTemp[static_cast<std::size_t>(k)], 90.0f);
      }
      EXPECT_GE(s.QNachheiz, 0.0f);
      EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
    }
  }
}

TEST(HotWaterStep, NoCollectorPowerNoLoading) {
  Schritt st;
  st.s.SpTemp = {55.0f, 30.0f};
  st.w.g->moment.QKoll = 0.0f;
  st.Lauf();
  EXPECT_EQ(st.s.QSolar, 0.0f);
  EXPECT_EQ(st.s.frame.QKollGemerkt, 0.0f);
  EXPECT_FLOAT_EQ(st.w.g->moment.RuecklaufTemp, st.s.SpTemp[1] + 5.0f);
}

TEST(HotWaterStep, PoolTakesHeatOnceTheStoreIsWarmEnough) {
  Schritt st;
  st.p.Pool = true;
  st.s.PoolSaison = true;
  st.p.PoolTemp = 24.0f;
  st.p.PoolSpminTemp = 40.0f;
  st.s.SpTemp = {50.0f, 45.0f};
  st.w.g->moment.QKoll = 2000.0f;
  const double u0 = st.U();
  st.Lauf();
  EXPECT_GT(st.s.QPool, 0.0f);
  EXPECT_FLOAT_EQ(st.s.QPool, st.s.QSolar * st.dt);
  EXPECT_LT(st.U(), u0);  // the store itself only lost heat
}

TEST(HotWaterStep, WinterSurplusGoesToSpaceHeating) {
  Schritt st;
  st.p.SolHeizung = true;
  st.s.Heiztag = true;
  st.p.MaxTempWinter = 55.0f;
  st.s.SpTemp = {56.0f, 50.0f};
  st.w.g->moment.QKoll = 1500.0f;
  st.Lauf();
  EXPECT_FLOAT_EQ(st.s.QSolHeiz, 1500.0f * st.dt);
  EXPECT_FLOAT_EQ(st.s.QSolar, 1500.0f);
}

TEST(HotWaterStep, TopLoadingWithoutLiftFallsBackToBottomLoading) {
  // Outlet above the top node but the bottom node warmer still (an inversion): no division
  // by a zero or negative lift.
  Schritt st(2);
  st.s.SpTemp = {40.0f, 48.0f};
  st.s.TKollAus = 45.0f;
  st.w.g->moment.QKoll = 3000.0f;
  const double u0 = st.U();
  st.Lauf();
  const auto& s = st.s;
  EXPECT_NEAR(st.U() - u0, s.QSolar * st.dt - s.QWW - s.QVerlust + s.QNachheiz, 1e-3 * u0);
  EXPECT_TRUE(std::isfinite(s.SpTemp[0]) && std::isfinite(s.SpTemp[1]));
  EXPECT_LT(s.SpTemp[0], 60.0f);
}

TEST(HotWaterStep, OversizedDrawIsCappedAndStopsTheRun) {
  ScopedMessages msgs;
  Schritt st;
  st.s.WWTagesEnergie = 400000.0f;
  st.w.g->moment.Tageszeit = 7.5f;
  st.s.SpTemp = {50.0f, 30.0f};
  st.w.g->moment.QKoll = 0.0f;
  st.Lauf();
  EXPECT_TRUE(st.s.AbbruchAnfrage);
  EXPECT_TRUE(msgs->Contains("Der Wasserdurchfluss eines Zeitschrittes")) << msgs->All();
  EXPECT_GE(st.s.SpTemp[1], st.p.Kaltwassertemp - 1e-3f);
  EXPECT_GE(st.s.SpTemp[0], st.p.Kaltwassertemp - 1e-3f);
  // Once the run is stopping the warning is not repeated.
  st.s.Abbruch = true;
  st.Lauf();
  EXPECT_EQ(msgs->shown.size(), 1u);
}

TEST(HotWaterStep, TopAtColdWaterTemperatureStaysFinite) {
  for (int biv : {0, 3, 4}) {
    Schritt st(biv);
    st.p.Minimaltemp = 5.0f;  // the heater does not act
    st.s.SpTemp = {10.0f, 10.0f};
    st.w.g->moment.QKoll = 0.0f;
    st.Lauf();
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(std::isfinite(st.s.SpTemp[static_cast<std::size_t>(k)])) << biv;
    EXPECT_GE(st.s.SpTemp[1], 9.0f);
  }
}

TEST(HotWaterStep, FlowThroughHeaterEdgeCases) {
  Schritt st(4);
  st.s.SpTemp = {45.0f, 30.0f, 0.0f, 0.0f};  // top exactly at the minimum, nothing drawn
  st.p.AktZapfprofil.fill(0);
  st.w.g->moment.QKoll = 0.0f;
  st.s.SpVerlustKA1 = 0.0f;
  st.Lauf();
  EXPECT_FLOAT_EQ(st.s.SpTemp[0], 45.0f);
  EXPECT_FLOAT_EQ(st.s.SpTemp[2], 44.5f);
  EXPECT_EQ(st.s.QNachheiz, 0.0f);
  EXPECT_EQ(st.s.SpTemp[3], st.s.SpTemp[2]);
  Schritt kalt(4);
  kalt.s.SpTemp = {30.0f, 20.0f, 0.0f, 0.0f};
  kalt.w.g->moment.QKoll = 0.0f;
  kalt.Lauf();
  EXPECT_FLOAT_EQ(kalt.s.SpTemp[2], kalt.p.Warmwassertemp);
  EXPECT_GT(kalt.s.QNachheiz, 0.0f);
}

TEST(HotWaterStep, UnequalNodesEdgeCases) {
  // Equal temperatures lose alike in both nodes.
  Schritt st(3);
  st.s.SpTemp = {50.0f, 50.0f};
  st.w.g->moment.Tageszeit = 0.5f;
  st.p.AktZapfprofil[0] = 0;
  st.w.g->moment.QKoll = 0.0f;
  st.Lauf();
  EXPECT_EQ(st.s.QWW, 0.0f);
  EXPECT_NEAR(st.s.SpTemp[0], st.s.SpTemp[1], 1e-5f);
  EXPECT_LT(st.s.SpTemp[0], 50.0f);
  EXPECT_EQ(st.s.QNachheiz, 0.0f);

  // Bottom above the minimum and a draw of exactly the top volume: the top takes the bottom's
  // temperature, cold water enters the bottom.
  Schritt voll(3);
  voll.s.SpVerlustKA1 = 0.0f;
  voll.p.SpeicherkWert = 0.0f;
  voll.s.SpTemp = {60.0f, 50.0f};
  voll.w.g->moment.QKoll = 0.0f;
  const float vo = voll.s.geo.SpObenVol;
  voll.s.WWTagesEnergie = vo * kCWasser * (60.0f - 10.0f) * 100.0f / (10.0f * voll.dt);
  voll.p.AktZapfprofil[8] = 10;
  voll.Lauf();
  EXPECT_NEAR(voll.s.SpTemp[0], 50.0f, 1e-3f);
  EXPECT_NEAR(voll.s.SpTemp[1], (50.0f * (voll.s.geo.SpUntenVol - vo) + 10.0f * vo) / voll.s.geo.SpUntenVol, 1e-3f);

  // Top below the minimum: the heater serves the draw; nothing is raised without being booked.
  Schritt leer(3);
  leer.s.SpTemp = {40.0f, 30.0f};
  leer.w.g->moment.QKoll = 0.0f;
  const double u0 = leer.U();
  leer.Lauf();
  const auto& s = leer.s;
  EXPECT_NEAR(leer.U() - u0, -s.QWW - s.QVerlust + s.QNachheiz, 1e-3 * u0);
  EXPECT_FLOAT_EQ(s.SpTemp[0], leer.p.Warmwassertemp);
}

TEST(HotWaterStep, AntiLegionellaHeatsAtNightAfterTwentyHours) {
  struct Fall {
    float zaehler, zeit;
    bool heizt;
  };
  for (const Fall f : {Fall{20.5f, 2.0f, true}, Fall{20.0f, 2.0f, false}, Fall{25.0f, 1.0f, false},
                       Fall{25.0f, 4.0f, false}, Fall{25.0f, 3.8f, true}}) {
    SCOPED_TRACE(testing::Message() << f.zaehler << " " << f.zeit);
    Schritt st;
    st.p.AntiLegionella = true;
    st.p.AktZapfprofil.fill(0);  // no draw in the step
    st.s.LegioZaehler = f.zaehler;
    st.w.g->moment.Tageszeit = f.zeit;
    st.w.g->moment.QKoll = 0.0f;
    st.s.SpTemp = {50.0f, 40.0f};
    st.Lauf();
    EXPECT_EQ(st.s.QNachheiz > 0.0f, f.heizt);
    if (f.heizt) {
      // The top is heated from about 50 to 70 °C and booked; the circulation warms the bottom.
      EXPECT_NEAR(st.s.QNachheiz, 20.0f * st.s.geo.SpKnotenVol1 * kCWasser, 0.02f * st.s.QNachheiz);
      EXPECT_GT(st.s.SpTemp[1], 40.0f);
      EXPECT_LT(st.s.SpTemp[0], 70.0f);
    }
    EXPECT_FLOAT_EQ(st.s.LegioZaehler, f.zaehler + st.dt);  // bottom stays below 60
  }
  Schritt heiss;
  heiss.p.AntiLegionella = true;
  heiss.s.LegioZaehler = 10.0f;
  heiss.s.SpTemp = {68.0f, 65.0f};
  heiss.w.g->moment.QKoll = 0.0f;
  heiss.Lauf();
  EXPECT_EQ(heiss.s.LegioZaehler, 0.0f);
}

TEST(HotWaterStep, DispatchByPlantTypeAndStoreTwoCheck) {
  struct Fall {
    int typ, biv;
    AnlagenModell erwartet;
  };
  PlantState p;
  for (const Fall f : {Fall{1, 0, AnlageTWW}, Fall{1, 1, AnlageTWW}, Fall{2, 5, AnlageTWW}, Fall{2, 2, AnlageTWW},
                       Fall{1, 4, AnlageTWW4}, Fall{2, 3, AnlageTWW3}, Fall{3, 0, AnlageZweitVerbraucher},
                       Fall{4, 0, AnlageZweiSpeicher}, Fall{5, 0, AnlageKaskade}, Fall{7, 0, AnlageTWWPuffer},
                       Fall{8, 0, AnlagePufferFWE}, Fall{0, 0, nullptr}, Fall{9, 0, nullptr}}) {
    p.AnlagenTypNr = static_cast<std::uint8_t>(f.typ);
    p.BivSpTyp = static_cast<std::uint8_t>(f.biv);
    EXPECT_EQ(ModellFuer(p), f.erwartet) << f.typ << " " << f.biv;
  }
  p.AnlagenTypNr = 6;
  for (auto [kombi, modell] : {std::pair<int, AnlagenModell>{7, AnlageKombi7}, {9, AnlageKombi9},
                               {12, AnlageKombi12}, {2, AnlageKombi}, {11, AnlageKombi}}) {
    p.KombiSpTyp = static_cast<std::uint8_t>(kombi);
    EXPECT_EQ(ModellFuer(p), modell) << kombi;
  }
  // No model: the nodes stay; a second store is watched strictly above 120 °C.
  for (auto [t, meldet] : {std::pair{120.0f, false}, std::pair{120.5f, true}}) {
    ScopedMessages msgs;
    Schritt st;
    st.p.AnlagenTypNr = 9;
    st.s.SpTemp = {50.0f, 30.0f, t, 20.0f};
    st.Lauf();
    EXPECT_EQ(st.s.SpTemp[0], 50.0f);
    EXPECT_EQ(st.s.AbbruchAnfrage, meldet);
    EXPECT_EQ(msgs->Contains("Speicher 2 ist auf"), meldet) << msgs->All();
  }
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// The raised step count is a change of the project: kept by the next save, and said.
TEST(FlowChecks, LowFlowRaisesStepsPerHourForTheNextRun) {
  struct Fall {
    int zoom, erw;
  };
  for (const Fall f : {Fall{5, 10}, Fall{9, 10}, Fall{10, 11}, Fall{14, 15}, Fall{15, 15}}) {
    test::ScopedMessages msgs;
    test::SimWelt w{test::WetterParameter{}, false};
    SimContext c{*w.g, *w.s, StillerBeobachter()};
    w.g->plant.ZeitZoom = static_cast<std::uint8_t>(f.zoom);
    w.g->run.ProjektGeaendert = false;
    CheckLowFlow(c, 80.0f, 100.0f);  // exactly 0.8 V: nothing
    EXPECT_FALSE(w.s->AbbruchAnfrage);
    CheckLowFlow(c, 81.0f, 100.0f);
    EXPECT_EQ(w.g->plant.ZeitZoom, f.erw) << f.zoom;
    EXPECT_TRUE(w.s->AbbruchAnfrage);
    EXPECT_TRUE(msgs->Contains("Volumenstromüberschreitung im Low-Flow-Kreis!"));
    const bool erhoeht = f.erw != f.zoom;
    EXPECT_EQ(w.g->run.ProjektGeaendert, erhoeht) << f.zoom;
    EXPECT_EQ(msgs->Contains("(ZeitZoom) wurden von " + std::to_string(f.zoom) + " auf " + std::to_string(f.erw) +
                             " erhöht"),
              erhoeht)
        << msgs->All();
    // A run already stopping is left alone.
    w.s->Abbruch = true;
    CheckLowFlow(c, 90.0f, 100.0f);
    EXPECT_EQ(w.g->plant.ZeitZoom, f.erw);
    EXPECT_EQ(msgs->shown.size(), 1u);
  }
}

// The heating circuit's flow is checked per sub-step, a tenth of the step: the warning names
// that span in minutes, and it is the span in which the circuit draws the flow that was
// compared (the circuit's flow per minute times the minutes named).
TEST(FlowChecks, HeatingFlowWarningNamesTheCheckedSubStepAndItsRemedies) {
  const struct {
    int zoom;
    const char* minuten;  // 60 / zoom / 10, no decimals
  } faelle[] = {{2, "3"}, {3, "2"}, {6, "1"}, {10, "1"}, {15, "0"}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.zoom);
    test::ScopedMessages msgs;
    test::SimWelt w{test::WetterParameter{}, false};
    test::SetzeAnlage(*w.g, 7);
    w.g->plant.HeizkreisTyp = 3;
    w.g->plant.ZeitZoom = static_cast<std::uint8_t>(f.zoom);
    w.s->frame.dt = 1.0f / static_cast<float>(f.zoom);
    w.g->moment.AussenTemp = -12.0f;  // the design load
    w.g->moment.Tageszeit = 12.0f;
    SimContext c{*w.g, *w.s, StillerBeobachter()};
    const float mH = HeizkurveDesSchritts(c);
    ASSERT_GT(mH, 0.0f);
    // Litres per minute of the circuit at 95 % of the load.
    const float proMinute = w.s->QHeizLeistung * 0.95f / ((w.s->THeizVor - w.s->THeizRueck) * kCWasser) / 60.0f;
    EXPECT_NEAR(mH / proMinute, 60.0f / static_cast<float>(f.zoom) / 10.0f, 1e-3f);

    EXPECT_FALSE(HeizDurchflussZuGross(c, mH, mH / 0.9f + 1.0f));  // within 90 % of the node
    EXPECT_TRUE(msgs->shown.empty());
    EXPECT_TRUE(HeizDurchflussZuGross(c, mH, mH));
    EXPECT_TRUE(w.s->AbbruchAnfrage);
    ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
    EXPECT_TRUE(msgs->Contains(std::string(" Der Heizwasserdurchfluss innerhalb ") + f.minuten + " min\n"))
        << msgs->All();
    EXPECT_EQ(msgs->Contains("Rechenschritt verkürzen"), f.zoom < 15);
    EXPECT_TRUE(msgs->Contains("Pufferspeichervolumen? ZeitZoom?"));
    // Once per run: a run already stopping shows no second warning.
    EXPECT_TRUE(HeizDurchflussZuGross(c, mH, mH));
    EXPECT_EQ(msgs->shown.size(), 1u);
  }
}

}  // namespace
}  // namespace tav
