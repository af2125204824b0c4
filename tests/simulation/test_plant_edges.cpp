// Edge cases of the plant models of types 3 to 8, one rule at a time: every other flow of the
// step is switched off (no losses, no draw, no irradiance) unless the case needs it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "simulation/HeatingCircuit.h"
#include "simulation/SimRun.h"
#include "simulation/CollectorField.h"
#include "support/ScriptedMessages.h"
#include "tests/simulation/PlantStep.h"

namespace tav {
namespace {

using test::ScopedMessages;
using test::Schritt;

// Heating curve of the step as the models evaluate it.
struct Kurve {
  float q = 0, vor = 0, rueck = 0;
  explicit Kurve(const Schritt& st) {
    const auto& p = st.p;
    CalcHeizkreis(q, vor, rueck, p.HeizQnorm, p.HeizTnorm, p.HeizTvor100, p.HeizTrck100, st.w.g->moment.AussenTemp,
                  st.w.g->moment.Tageszeit);
  }
};

// --- Second consumer, two stores, cascade ---------------------------------------------------

TEST(PlantEdges, SecondConsumerFollowsTheEightOClockTemperature) {
  struct Fall {
    const char* name;
    float grenzeUeberT8;  // Heizgrenztemp - temperature at 8 h
    float unten, heiztemp;
    bool geladen, verbraucher;
  };
  const Fall faelle[] = {
      {"at the limit, below the winter maximum: loaded", 0.0f, 50.0f, 25.0f, true, false},
      {"at the limit, above the winter maximum: nothing (strict test)", 0.0f, 65.0f, 25.0f, false, false},
      {"warm day below the maximum: loaded", -5.0f, 70.0f, 25.0f, true, false},
      {"cold day, store at its limit: the consumer takes the heat", 5.0f, 65.0f, 25.0f, false, true},
      {"cold day, consumer too warm to take heat: nothing", 5.0f, 65.0f, 200.0f, false, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    ScopedMessages msgs;
    Schritt st(3);
    st.Ruhig();
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 3000.0f;
    st.p.Heizgrenztemp = CalcLuftTemp(st.w.g->loc, st.w.g->moment.SimTag, 8.0f) + f.grenzeUeberT8;
    st.p.Heiztemp = f.heiztemp;
    st.T(0) = 80.0f;
    st.T(1) = f.unten;
    st.Lauf();
    EXPECT_EQ(st.s.QSolar > 0.0f, f.geladen || f.verbraucher);
    EXPECT_EQ(st.T(1) > f.unten, f.geladen);
    EXPECT_EQ(st.s.QSolHeiz > 0.0f, f.verbraucher);
    if (f.verbraucher) {
      EXPECT_FLOAT_EQ(st.s.QSolHeiz, st.s.QSolar * st.dt);
    }
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  }
}

TEST(PlantEdges, TwoStoresLoadStoreOneUpToItsMaximumThenStoreTwo) {
  for (const float unten1 : {80.0f, 80.5f}) {
    SCOPED_TRACE(unten1);
    Schritt st(4);
    st.Ruhig();
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 3000.0f;
    st.T(0) = 82.0f;
    st.T(1) = unten1;  // Maximaltemp is 80
    st.T(2) = 40.0f;
    st.T(3) = 20.0f;
    st.Lauf();
    const bool speicher1 = unten1 <= st.p.Maximaltemp;
    EXPECT_GT(st.s.QSolar, 0.0f);
    EXPECT_EQ(st.T(3) > 20.0f, !speicher1);
    // The next inlet follows the store that was loaded.
    if (speicher1) {
      EXPECT_GT(st.w.g->moment.RuecklaufTemp, st.T(1));
    } else {
      EXPECT_LT(st.w.g->moment.RuecklaufTemp, 40.0f);
    }
  }
}

TEST(PlantEdges, AntiLegionellaOfTheTwoStorePlants) {
  struct Fall {
    const char* name;
    int typ;
    float oben1, unten2;
    bool zapfung, heizt, waelzt, zaehlerNull;
  };
  const Fall faelle[] = {
      {"top at 70 or above: no heating, the circulation still runs", 4, 72.0f, 30.0f, false, false, true, false},
      {"cold top heated to 70, then the circulation", 4, 50.0f, 30.0f, false, true, true, false},
      {"a draw in the step: nothing, the counter runs on", 4, 50.0f, 30.0f, true, false, false, false},
      {"a draw, bottom2 above 60: the counter restarts", 4, 50.0f, 65.0f, true, false, false, true},
      {"cascade with store: both store-1 nodes to 70", 5, 50.0f, 30.0f, false, true, true, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    auto richte = [&](Schritt& st, bool legionella) {
      st.Ruhig();
      st.p.AntiLegionella = legionella;
      st.s.LegioZaehler = 21.0f;
      st.w.g->moment.Tageszeit = 2.5f;
      if (f.zapfung) st.s.WWTagesEnergie = 4000.0f;
      st.T(0) = f.oben1;
      st.T(1) = 48.0f;
      st.T(2) = f.unten2 + 5.0f;
      st.T(3) = f.unten2;
    };
    Schritt mit(f.typ), ohne(f.typ);
    richte(mit, true);
    richte(ohne, false);
    mit.Lauf();
    ohne.Lauf();
    EXPECT_EQ(mit.s.QNachheiz > ohne.s.QNachheiz, f.heizt);
    EXPECT_EQ(mit.T(3) != ohne.T(3), f.waelzt);
    if (f.heizt) {
      const float v1 = mit.s.geo.SpKnotenVol1;
      const float erwartet = (70.0f - f.oben1) * v1 * kCWasser + (f.typ == 5 ? (70.0f - 48.0f) * v1 * kCWasser : 0.0f);
      EXPECT_NEAR(mit.s.QNachheiz - ohne.s.QNachheiz, erwartet, 1e-3f * erwartet);
    }
    EXPECT_FLOAT_EQ(mit.s.LegioZaehler, f.zaehlerNull ? 0.0f : 21.0f + mit.dt);
  }
}

TEST(PlantEdges, CascadeStoresExchangeOnlyAboveTenKelvin) {
  for (const float abstand : {10.0f, 10.5f}) {
    SCOPED_TRACE(abstand);
    Schritt st(5);
    st.Ruhig();
    st.w.g->moment.QKoll = 500.0f;
    st.T(0) = 50.0f;
    st.T(1) = 48.0f;
    st.T(2) = 50.0f + abstand;
    st.T(3) = 20.0f;
    st.Lauf();
    EXPECT_GT(st.s.QSolar, 0.0f);
    EXPECT_EQ(st.T(1) != 48.0f, abstand > 10.0f);
  }
}

TEST(PlantEdges, CascadeHeaterCarriesTheTapTemperatureAndSkipsAntiLegionella) {
  struct Fall {
    float oben2, zapf;
  };
  for (const Fall f : {Fall{40.0f, 50.0f}, Fall{55.0f, 54.5f}}) {
    SCOPED_TRACE(f.oben2);
    Schritt st(5, [](PlantState& p) {
      p.KaskadeTyp = 14;
      p.AntiLegionella = true;
    });
    st.Ruhig();
    st.s.LegioZaehler = 21.0f;
    st.w.g->moment.Tageszeit = 2.5f;
    st.T(2) = f.oben2;
    st.T(3) = 30.0f;
    st.Lauf();
    EXPECT_FLOAT_EQ(st.T(0), f.zapf);
    EXPECT_FLOAT_EQ(st.T(1), f.zapf);
    // No draw: the heater has nothing to heat, and there is no store 1 to bring to 70 °C.
    EXPECT_EQ(st.s.QNachheiz, 0.0f);
    EXPECT_EQ(st.T(3), 30.0f);
  }
}

// --- Combi store -------------------------------------------------------------------------------

TEST(PlantEdges, CombiStoreHeatingEdges) {
  struct Fall {
    const char* name;
    int hk;
    float heizQnorm;
    bool heiztag;
    float untenUeberRueck;  // bottom1 - THeizRueck (NAN: 45 °C)
    bool untenBleibt;
  };
  const Fall faelle[] = {
      {"no heat load: no heating", 1, 0.0f, true, NAN, true},
      {"no heating day: no heating", 1, 8000.0f, false, NAN, true},
      {"circuit 2, return equal to bottom: enters at the top", 2, 8000.0f, true, 0.0f, true},
      {"circuit 2, return below bottom: enters at the bottom", 2, 8000.0f, true, 1.0f, false},
      {"circuit 4, bottom exactly 3 K above the return: nothing taken", 4, 8000.0f, true, 3.0f, true},
      {"circuit 4, bottom more than 3 K above the return: heat taken", 4, 8000.0f, true, 4.0f, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Schritt st(6, [&](PlantState& p) {
      p.KombiSpTyp = 5;
      p.HeizkreisTyp = static_cast<std::uint8_t>(f.hk);
      p.HeizQnorm = f.heizQnorm;
      p.Minimaltemp = 30.0f;
    });
    st.Ruhig();
    st.s.Heiztag = f.heiztag;
    const Kurve k(st);
    ASSERT_TRUE(k.rueck >= 32.0f && k.rueck < 60.0f);  // one binade: the sums below are exact
    const float unten = std::isnan(f.untenUeberRueck) ? 45.0f : k.rueck + f.untenUeberRueck;
    st.T(0) = 70.0f;
    st.T(1) = unten;
    st.T(2) = 70.0f;
    st.T(3) = unten;  // no exchange with store 2 at the bottom
    st.Lauf();
    EXPECT_EQ(st.T(1) == unten, f.untenBleibt);
    if (!(f.heizQnorm > 0.0f && f.heiztag)) {
      EXPECT_EQ(st.s.QHeizBedarf, 0.0f);
    }
    if (f.hk == 4) {
      EXPECT_EQ(st.s.QSolHeiz > 0.0f, !f.untenBleibt);
    }
  }
}

TEST(PlantEdges, CombiPoolFromTheBufferNeedsMoreThanFiveKelvin) {
  for (const float abstand : {5.0f, 5.5f}) {
    SCOPED_TRACE(abstand);
    Schritt st(6, [](PlantState& p) { p.KombiSpTyp = 5; }, true);
    st.Ruhig();
    st.s.PoolSaison = true;
    st.s.Einstrahlung1 = 8400.0f;
    const float qKoll = 3000.0f;
    st.w.g->moment.QKoll = qKoll;
    st.T(0) = 75.0f;
    st.T(1) = 48.0f;
    st.T(2) = 75.0f;
    st.T(3) = 48.0f;
    const float geladen = st.T(1) + qKoll * st.dt / (kCWasser * st.s.geo.SpKnotenVol1);
    st.p.PoolTemp = geladen - abstand;
    st.p.PoolSpminTemp = 40.0f;
    st.Lauf();
    EXPECT_EQ(st.s.QPool > 0.0f, abstand > 5.0f);
    EXPECT_LE(st.s.QPool, 0.99f * qKoll * st.dt * 1.0001f);
  }
}

// Draw-off and wall exchange of the combi variants at their thresholds. The expected nodes come
// from the store helpers applied in the order the rule names, starting from the nodes of a step
// with nothing else going on.
TEST(PlantEdges, CombiDrawOffAndExchangeAtTheirThresholds) {
  struct Fall {
    const char* name;
    int kombi;
    float anteil;  // drawn volume as a share of the threshold volume
    bool geteilt;  // the draw in two halves of the step
  };
  const Fall faelle[] = {
      {"coil store, draw just below 0.6 of store 2's node: one draw", 8, 0.99f, false},
      {"coil store, draw exactly 0.6 of the node: two halves", 8, 1.0f, true},
      {"tank in tank without collector power: bottom exchange factor 3", 7, 0.5f, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Schritt st(6, [&](PlantState& p) {
      p.KombiSpTyp = static_cast<std::uint8_t>(f.kombi);
      p.Minimaltemp = 30.0f;
    });
    st.Ruhig();
    const auto& geo = st.s.geo;
    const float kw = st.p.Kaltwassertemp;
    st.T(0) = 70.0f;
    st.T(1) = 50.0f;
    st.T(2) = 60.0f;
    st.T(3) = 40.0f;
    st.w.g->moment.Tageszeit = 8.5f;
    const float prozent = static_cast<float>(st.p.AktZapfprofil[8]);
    const float v2 = f.kombi == 7 ? geo.Sp2ObenVol : geo.SpKnotenVol2;
    const float m = f.anteil * 0.6f * v2;
    st.s.WWTagesEnergie = m * kCWasser * (st.T(2) - kw) * 100.0f / prozent / st.dt;
    float t[4] = {st.T(0), st.T(1), st.T(2), st.T(3)};
    auto zapfen = [&](float menge, float vo, float vu) {
      t[2] = PlugFlow(t[2], t[3], menge, vo);
      t[3] = PlugFlow(t[3], kw, menge, vu);
    };
    if (f.kombi == 7) {
      zapfen(m, geo.Sp2ObenVol, geo.Sp2UntenVol);
      CalcWTSpirale(t[0], t[2], geo.SpObenVol, geo.Sp2ObenVol, 2.5f * geo.WTFlaecheOben, st.dt);
      CalcWTSpirale(t[1], t[3], geo.SpUntenVol, geo.Sp2UntenVol, 3.0f * geo.WTFlaecheUnten, st.dt);
    } else {
      const float v1 = geo.SpKnotenVol1, a = geo.SpFlaeche2;
      auto tauschen = [&](float dt) {
        CalcWTSpirale(t[0], t[2], v1, v2, a, dt);
        CalcWTSpirale(t[1], t[3], v1, v2, a, dt);
      };
      zapfen(m, v2, v2);
      tauschen(f.geteilt ? st.dt / 2.0f : st.dt);
      // The rest of an exact 0.6 draw is nothing; the second half only exchanges.
      if (f.geteilt) tauschen(st.dt / 2.0f);
    }
    st.Lauf();
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(st.T(i), t[i], 1e-3f) << i;
  }
}

// --- Six-node combi store ------------------------------------------------------------------

TEST(PlantEdges, SixNodeCoilPassesByCollectorOutlet) {
  struct Fall {
    const char* name;
    float tKollAus;
    bool oben, unten;  // nodes 2..4 / nodes 0..1 gain
  };
  const Fall faelle[] = {
      {"outlet equal to node 4: only nodes 1 and 0", 75.0f, false, true},
      {"outlet above node 4: all five lower nodes", 95.0f, true, true},
      {"outlet below every node: the pump stays off", 15.0f, false, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Schritt st(6, [](PlantState& p) {
      p.KombiSpTyp = 12;
      p.Speichertauscherleistung = 6.0f;  // a small coil: no pass lifts a node into mixing
    });
    st.Ruhig();
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 3000.0f;
    st.s.TKollAus = f.tKollAus;
    for (int i = 0; i < 6; ++i) {
      st.T(i) = 15.0f + 15.0f * static_cast<float>(i);  // 15 K apart: no mixing
      st.T(i + 6) = st.T(i);                              // no exchange with the drinking water
    }
    const auto alt = st.s.SpTemp;
    st.Lauf();
    for (int i = 2; i <= 4; ++i) {
      EXPECT_EQ(st.T(i) > alt[static_cast<std::size_t>(i)], f.oben) << i;
    }
    EXPECT_EQ(st.T(1) > alt[1], f.unten);
    EXPECT_EQ(st.s.QSolar > 0.0f, f.unten);
    EXPECT_GE(st.s.QSolar, 0.0f);
  }
}

TEST(PlantEdges, SixNodeHeaterGivesATenthOfItsRatingPerPass) {
  for (const bool wwKalt : {false, true}) {
    SCOPED_TRACE(wwKalt ? "hot-water heating too" : "space heating only");
    Schritt st(6, [](PlantState& p) {
      p.KombiSpTyp = 12;
      p.HeizkreisTyp = 1;
    });
    st.Ruhig();
    st.s.Heiztag = true;
    for (int i = 0; i < 12; ++i) st.T(i) = 15.0f;
    st.T(5) = wwKalt ? 40.0f : 70.0f;
    st.T(11) = st.T(5);
    st.Lauf();
    const float nl = st.s.geo.NachheizLeistung * st.dt;
    EXPECT_NEAR(st.s.QNachheiz, wwKalt ? 1.1f * nl : nl, 1e-3f * nl);
  }
}

TEST(PlantEdges, SixNodeCircuitEdges) {
  {
    SCOPED_TRACE("circuit 1, node 1 at the return: the return enters node 3");
    Schritt st(6, [](PlantState& p) {
      p.KombiSpTyp = 12;
      p.HeizkreisTyp = 1;
    });
    st.Ruhig();
    st.s.Heiztag = true;
    const Kurve k(st);
    for (int i = 0; i < 12; ++i) st.T(i) = 70.0f;
    st.T(0) = k.rueck - 1.0f;
    st.T(1) = k.rueck;
    st.T(2) = k.rueck + 11.0f;
    st.T(6) = st.T(0);
    st.T(7) = st.T(1);
    st.T(8) = st.T(2);
    st.Lauf();
    EXPECT_EQ(st.T(1), k.rueck);
    EXPECT_EQ(st.T(2), k.rueck + 11.0f);
    EXPECT_LT(st.T(3), 70.0f);
  }
  {
    SCOPED_TRACE("circuit 5, top no warmer than node 1: stays finite");
    ScopedMessages msgs;
    Schritt st(6, [](PlantState& p) {
      p.KombiSpTyp = 12;
      p.HeizkreisTyp = 5;
    });
    st.Ruhig();
    st.s.Heiztag = true;
    for (int i = 0; i < 12; ++i) st.T(i) = 30.0f;
    st.Lauf();
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(std::isfinite(st.T(i))) << i;
  }
  {
    SCOPED_TRACE("circuit 3 on a day without heating: runs without a message");
    ScopedMessages msgs;
    Schritt st(6, [](PlantState& p) {
      p.KombiSpTyp = 12;
      p.HeizkreisTyp = 3;
    });
    st.s.Heiztag = false;
    st.Lauf();
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  }
}

// --- Hot-water store with buffer -------------------------------------------------------------

TEST(PlantEdges, HotWaterStoreRechargeAndAuxiliaryBlocks) {
  struct Fall {
    const char* name;
    int hk;
    float oben1, oben2;
    bool nachgeladen, nachgeheizt;
  };
  // Warmwassertemp 50, Minimaltemp 45.
  const Fall faelle[] = {
      {"circuit 1, top1 exactly 5 K above the set temperature: no recharge", 1, 55.0f, 80.0f, false, false},
      {"circuit 3, top1 exactly 5 K above: no recharge", 3, 55.0f, 80.0f, false, false},
      {"circuit 2, top1 below that: recharge", 2, 54.0f, 80.0f, true, false},
      {"circuit 4, top1 exactly at the set temperature: no recharge", 4, 50.0f, 80.0f, false, false},
      {"circuit 4, cold buffer: no recharge, top1 above the minimum: no heater", 4, 47.0f, 50.0f, false, false},
      {"circuit 4, top1 below the minimum: the heater alone", 4, 40.0f, 43.0f, false, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Schritt st(7, [&](PlantState& p) { p.HeizkreisTyp = static_cast<std::uint8_t>(f.hk); });
    st.Ruhig();
    st.T(0) = f.oben1;
    st.T(1) = 30.0f;
    st.T(2) = f.oben2;
    st.T(3) = 30.0f;
    st.Lauf();
    EXPECT_EQ(st.T(2) != f.oben2, f.nachgeladen);
    EXPECT_EQ(st.s.QNachheiz > 0.0f, f.nachgeheizt);
    if (f.nachgeladen) {
      EXPECT_GT(st.T(0), f.oben1);
      EXPECT_LE(st.T(0), st.T(2));  // the recharge never overshoots
    }
    if (f.hk == 4 && f.nachgeheizt) {
      EXPECT_EQ(st.T(2), f.oben2);
      EXPECT_EQ(st.T(3), 30.0f);
      EXPECT_NEAR(st.s.QNachheiz, (st.T(0) - f.oben1) * st.s.geo.SpKnotenVol1 * kCWasser, 1e-2f);
      EXPECT_GE(st.T(0), st.p.Warmwassertemp);
    }
  }
}

// The auxiliary block of store 1 is entered below the minimum and tested for the set
// temperature only after each sub-step: with the minimum above the set temperature and top1
// between the two, exactly one sub-step runs. Its heat reaches top1 with the exchanger's 0.97
// for circuits 1 to 3 and whole for circuit 4.
TEST(PlantEdges, HotWaterStoreAuxiliaryRunsOneSubStepAboveTheSetTemperature) {
  struct Fall {
    int hk;
    float anteil;  // share of the exchanged heat that reaches top1
  };
  for (const Fall f : {Fall{1, 0.97f}, Fall{3, 0.97f}, Fall{4, 1.0f}}) {
    SCOPED_TRACE(f.hk);
    Schritt st(7, [&](PlantState& p) {
      p.HeizkreisTyp = static_cast<std::uint8_t>(f.hk);
      p.Minimaltemp = 55.0f;  // Warmwassertemp 50
    });
    st.Ruhig();
    const float oben1 = 52.0f, oben2 = 30.0f;  // a buffer too cold to recharge store 1
    st.T(0) = oben1;
    st.T(1) = 30.0f;
    st.T(2) = oben2;
    st.T(3) = 30.0f;
    st.Lauf();
    const auto& geo = st.s.geo;
    const float ts = st.p.Warmwassertemp + 10.0f;
    const float gewinn = (st.T(0) - oben1) * geo.SpKnotenVol1 * kCWasser;
    ASSERT_GT(gewinn, 0.0f);
    float getauscht = 0.0f;  // heat through the exchanger in the one sub-step
    if (f.hk == 1) {
      // The heater brought the buffer top to the supply temperature; the exchanger cooled it.
      EXPECT_NEAR(st.s.QNachheiz, (ts - oben2) * geo.SpKnotenVol2 * kCWasser, 1e-2f);
      getauscht = (ts - st.T(2)) * geo.SpKnotenVol2 * kCWasser;
    } else if (f.hk == 3) {
      // Heated buffer water leaves the exchanger at two thirds of the way to the supply.
      const float tr = st.T(0) + (ts - st.T(0)) * 2.0f / 3.0f;
      getauscht = st.s.QNachheiz * (ts - tr) / (ts - oben2);
    } else {
      getauscht = st.s.QNachheiz;
      EXPECT_EQ(st.T(2), oben2);
    }
    EXPECT_NEAR(gewinn, f.anteil * getauscht, 1e-3f * getauscht);
  }
}

// --- Buffer with fresh-water station ---------------------------------------------------------

TEST(PlantEdges, BufferLoadingOnlyBooksHeatThatEntered) {
  struct Fall {
    const char* name;
    int wt;
    bool lft;
    float tKollAus;
    bool laedt;
  };
  // Nodes 70, 60, 50, 40 from the top.
  const Fall faelle[] = {
      {"coil, outlet below both lower nodes", 15, false, 35.0f, false},
      {"coil, outlet between them", 15, false, 45.0f, true},
      {"exchanger, outlet below the bottom", 16, false, 39.0f, false},
      {"exchanger, outlet above the top", 16, false, 80.0f, true},
      {"low flow, supply below the bottom", 16, true, 30.0f, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Schritt st(8, [&](PlantState& p) {
      p.KombiSpeicherWT = static_cast<std::uint8_t>(f.wt);
      p.LFTkreis = f.lft;
    });
    st.Ruhig();
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 3000.0f;
    st.s.TKollAus = f.tKollAus;
    for (int i = 0; i < 4; ++i) st.T(i) = 70.0f - 10.0f * static_cast<float>(i);
    const double u0 = st.U();
    st.Lauf();
    EXPECT_EQ(st.s.QSolar > 0.0f, f.laedt);
    EXPECT_EQ(st.s.QSolHeiz > 0.0f, f.laedt);
    EXPECT_NEAR(st.U() - u0, st.s.QSolar * st.dt, 0.5);
  }
}

TEST(PlantEdges, LowFlowNeedsMoreThanTwoKelvinLift) {
  for (const float hub : {2.0f, 2.5f}) {
    SCOPED_TRACE(hub);
    Schritt st(8, [](PlantState& p) { p.LFTkreis = true; });
    st.Ruhig();
    st.s.Einstrahlung1 = 8400.0f;
    const float qKoll = 1000.0f;
    st.w.g->moment.QKoll = qKoll;
    st.s.TKollAus = 52.0f;
    const float ts = st.s.TKollAus - (qKoll / st.p.KollektorFlaecheGesamt) / 650.0f * 8.0f;
    for (int i = 0; i < 3; ++i) st.T(i) = 60.0f;
    st.T(3) = ts - hub;
    st.Lauf();
    EXPECT_EQ(st.s.QSolar > 0.0f, hub > 2.0f);
    EXPECT_FLOAT_EQ(st.w.g->moment.RuecklaufTemp, st.T(3) + st.s.LFTdT);
  }
}

TEST(PlantEdges, BufferPoolAndCircuitEdges) {
  {
    SCOPED_TRACE("circuit 4, node 2 exactly 3 K above the return: nothing taken");
    Schritt st(8, [](PlantState& p) { p.HeizkreisTyp = 4; });
    st.Ruhig();
    st.s.Heiztag = true;
    const Kurve k(st);
    st.T(0) = st.T(1) = 75.0f;
    st.T(2) = k.rueck + 3.0f;
    st.T(3) = 30.0f;
    st.Lauf();
    EXPECT_EQ(st.T(2), k.rueck + 3.0f);
    EXPECT_EQ(st.T(3), 30.0f);
    EXPECT_EQ(st.s.QSolHeiz, 0.0f);
    EXPECT_GT(st.s.QHeizBedarf, 0.0f);  // the demand is recorded all the same
  }
  {
    SCOPED_TRACE("pool loop season, buffer below its pool minimum: loaded, 70 % rule, no pool heat");
    Schritt st(8, [](PlantState& p) { p.PoolWTdir = true; }, true);
    st.Ruhig();
    st.s.PoolSaison = true;
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 3000.0f;
    st.s.TKollAus = 60.0f;
    for (int i = 0; i < 4; ++i) st.T(i) = 42.0f - 4.5f * static_cast<float>(i);
    st.Lauf();
    EXPECT_FLOAT_EQ(st.s.QSolHeiz, 3000.0f * st.dt * 0.7f);
    EXPECT_EQ(st.s.QPool, 0.0f);
  }
  {
    SCOPED_TRACE("low flow with the pool loop chosen: the pool takes from the buffer");
    Schritt st(8, [](PlantState& p) {
      p.LFTkreis = true;
      p.PoolWTdir = true;
    }, true);
    st.Ruhig();
    st.s.PoolSaison = true;
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 3000.0f;
    st.s.TKollAus = 75.0f;
    st.T(0) = 80.0f;
    st.T(1) = 70.0f;
    st.T(2) = 60.0f;
    st.T(3) = 54.0f;
    const double u0 = st.U();
    st.Lauf();
    EXPECT_GT(st.s.QPool, 0.0f);
    EXPECT_LE(st.s.QPool, 0.9f * 3000.0f * st.dt * 1.0001f);
    EXPECT_NEAR(st.U() - u0, st.s.QSolar * st.dt - st.s.QPool, 0.5);
  }
  {
    SCOPED_TRACE("pool draw larger than node 2's surplus: the two lower nodes end equal");
    Schritt st(8, [](PlantState& p) { p.KombiSpeicherWT = 15; }, true);
    st.Ruhig();
    st.s.PoolSaison = true;
    st.s.Einstrahlung1 = 8400.0f;
    st.w.g->moment.QKoll = 9000.0f;
    st.s.TKollAus = 61.0f;  // the coil heats node 3 only
    st.T(0) = 90.0f;
    st.T(1) = 85.0f;
    st.T(2) = 62.0f;
    st.T(3) = 58.0f;
    const double u0 = st.U();
    st.Lauf();
    EXPECT_GT(st.s.QPool, 0.0f);
    EXPECT_FLOAT_EQ(st.T(2), st.T(3));
    EXPECT_NEAR(st.U() - u0, st.s.QSolar * st.dt - st.s.QPool, 0.5);
  }
}

TEST(PlantEdges, FreshWaterStationNeverDeliversMoreThanTheDemand) {
  struct Fall {
    const char* name;
    float tagesEnergie, nennleistung;
  };
  // Hour 8 draws 10 % of the day: 4000 Wh give 2 kW, 100000 Wh give 50 kW.
  const Fall faelle[] = {{"demand below the rating", 4000.0f, 30000.0f},
                         {"demand equal to the rating: one share only", 4000.0f, 2000.0f},
                         {"demand above the rating", 100000.0f, 30000.0f}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    ScopedMessages msgs;
    Schritt st(8, [&](PlantState& p) { p.FWEnennleistung = f.nennleistung; });
    st.Ruhig();
    st.p.Speicher1vol = 3000.0f;
    st.Vorbereiten();
    st.Ruhig();
    st.s.WWTagesEnergie = f.tagesEnergie;
    st.w.g->moment.Tageszeit = 8.5f;
    for (int i = 0; i < 4; ++i) st.T(i) = 75.0f - 10.0f * static_cast<float>(i);
    const double u0 = st.U();
    st.Lauf();
    const double ausPuffer = u0 - st.U();
    const double grenze = std::min(st.s.QWW, f.nennleistung * st.dt);
    EXPECT_NEAR(ausPuffer, grenze, 1e-3 * grenze);
    EXPECT_NEAR(st.s.QNachheiz, st.s.QWW - grenze, 1e-3 * st.s.QWW);
    EXPECT_GE(st.s.TFWERueck, st.p.Kaltwassertemp);
    EXPECT_LT(st.s.TFWERueck, 75.0f);
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  }
}

TEST(PlantEdges, FreshWaterStationResultsDoNotDependOnTheRunBefore) {
  test::SimWelt w;
  test::SetzeAnlage(*w.g, 8);
  ASSERT_EQ(RunSimulation(*w.g, *w.s, StillerBeobachter()), SimErgebnis::Fertig);
  const auto erster = w.g->results.NachheizungMonat;
  w.s->TFWERueck = 70.0f;  // whatever the last run left
  ASSERT_EQ(RunSimulation(*w.g, *w.s, StillerBeobachter()), SimErgebnis::Fertig);
  EXPECT_EQ(w.g->results.NachheizungMonat, erster);
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// Configurations the run refuses, stepped directly: each guarded division falls back to a
// finite state with no negative heat and no message.
TEST(PlantEdges, GuardedDivisionsFallBackQuietly) {
  struct Fall {
    const char* name;
    int typ;
    std::function<void(test::Schritt&)> setze;
    std::function<void(test::Schritt&)> pruefe;
  };
  const Fall faelle[] = {
      {"second consumer without exchanger rating: inlet at the heating temperature", 3,
       [](test::Schritt& st) {
         st.p.Heiztauscherleistung = 0.0f;
         st.p.Heizgrenztemp = 40.0f;
         st.T(0) = st.T(1) = 75.0f;
       },
       [](test::Schritt& st) { EXPECT_GE(st.s.QSolHeiz, 0.0f); }},
      {"six-node coil without collector flow: no heat", 6,
       [](test::Schritt& st) {
         st.p.KombiSpTyp = 12;
         st.p.KollektorFlow = 0.0f;
         st.Vorbereiten();
         st.s.TKollAus = 90.0f;
       },
       [](test::Schritt& st) { EXPECT_EQ(st.s.QSolar, 0.0f); }},
      {"six-node heater with node 3 above its target: nothing circulates", 6,
       [](test::Schritt& st) {
         st.p.KombiSpTyp = 12;
         st.p.HeizkreisTyp = 1;
         st.Vorbereiten();
         st.s.Heiztag = true;
         st.w.g->moment.QKoll = 0.0f;
         for (int i = 0; i < 12; ++i) st.T(i) = 20.0f;
         st.T(3) = 95.0f;
         st.T(5) = st.T(11) = 70.0f;
       },
       [](test::Schritt& st) { EXPECT_EQ(st.s.QNachheiz, 0.0f); }},
      {"station return above the buffer top: the heater covers the draw", 8,
       [](test::Schritt& st) {
         st.p.Warmwassertemp = 38.0f;  // below the station's range: its return stays as it was
         st.p.Minimaltemp = 35.0f;
         st.s.TFWERueck = 90.0f;
         st.w.g->moment.Tageszeit = 8.5f;
       },
       [](test::Schritt& st) { EXPECT_GE(st.s.QNachheiz, st.s.QWW); }},
      {"hot-water store with buffer and an unknown circuit: no heating", 7,
       [](test::Schritt& st) {
         st.p.HeizkreisTyp = 5;
         st.s.Heiztag = true;
       },
       [](test::Schritt& st) { EXPECT_EQ(st.s.QSolHeiz > 0.0f, st.s.QSolar > 0.0f); }},
      {"combi store of an unknown sub-type: no draw-off", 6,
       [](test::Schritt& st) { st.p.KombiSpTyp = 4; },
       [](test::Schritt& st) { EXPECT_GT(st.s.QWW, 0.0f); }},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    ScopedMessages msgs;
    test::Schritt st(f.typ);
    for (int i = 0; i < 12; ++i) st.T(i) = 50.0f;
    f.setze(st);
    st.Lauf();
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(std::isfinite(st.T(i))) << i;
    EXPECT_GE(st.s.QNachheiz, 0.0f);
    EXPECT_GE(st.s.QSolar, 0.0f);
    f.pruefe(st);
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  }
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(PlantEdges, BothStationSharesBeyondTheBufferGiveOneWarning) {
  ScopedMessages msgs;
  test::Schritt st(8);
  st.p.Speicher1vol = 4.0f;
  st.Vorbereiten();
  st.Ruhig();
  st.s.WWTagesEnergie = 40000.0f;
  st.w.g->moment.Tageszeit = 8.5f;
  for (int i = 0; i < 4; ++i) st.T(i) = 70.0f;
  st.Lauf();
  EXPECT_EQ(msgs->shown.size(), 1u) << msgs->All();
  EXPECT_TRUE(msgs->Contains("Wasserdurchfluss")) << msgs->All();
  EXPECT_TRUE(st.s.AbbruchAnfrage);
}

}  // namespace
}  // namespace tav
