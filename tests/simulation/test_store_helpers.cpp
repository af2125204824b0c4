// Store-node helpers and the heating curve: conservation, direction of heat flow, regimes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "simulation/HeatingCircuit.h"
#include "simulation/StoreHelpers.h"

namespace tav {
namespace {

TEST(StoreHelpers, CoilExchangeConservesEnergyAndNeverFlowsUphill) {
  struct Fall {
    float t1, t2, v1, v2, a;
  };
  const Fall faelle[] = {{60, 20, 100, 50, 2},  {20, 60, 100, 50, 2},  {45, 44.9f, 300, 300, 5},
                         {80, 10, 10, 500, 50}, {50, 50, 100, 100, 2}, {90, 10, 500, 10, 50}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.t1 << " " << f.t2 << " " << f.v1 << " " << f.v2);
    float t1 = f.t1, t2 = f.t2;
    CalcWTSpirale(t1, t2, f.v1, f.v2, f.a, 0.2f);
    EXPECT_NEAR(t1 * f.v1 + t2 * f.v2, f.t1 * f.v1 + f.t2 * f.v2, 1e-3f * (f.v1 + f.v2));
    // Heat goes from warm to cold, and no node passes a quarter of the difference.
    const float d = f.t1 - f.t2;
    EXPECT_LE(std::fabs(t1 - f.t1), std::fabs(d) / 4.0f + 1e-4f);
    EXPECT_LE(std::fabs(t2 - f.t2), std::fabs(d) / 4.0f + 1e-4f);
    if (d > 0) {
      EXPECT_LE(t1, f.t1);
      EXPECT_GE(t2, f.t2);
      EXPECT_GE(t1, t2);
    }
  }
  float t1 = 60, t2 = 20;
  CalcWTSpirale(t1, t2, 0.0f, 100.0f, 2.0f, 0.2f);  // a node without volume exchanges nothing
  EXPECT_EQ(t1, 60.0f);
  EXPECT_EQ(t2, 20.0f);
}

TEST(StoreHelpers, NodeMixingConservesAndUsesStrictThreshold) {
  struct Fall {
    float u, o, vu, vo, s;
    bool mischt;
  };
  const Fall faelle[] = {{50, 55, 100, 60, 10, true},  {40, 50, 100, 60, 10, false},  // o - s = u: unchanged
                         {60, 40, 100, 60, 10, true},  {40, 45, 100, 60, 5, false},
                         {41, 45, 100, 60, 5, true}};
  for (const auto& f : faelle) {
    float u = f.u, o = f.o;
    MischKnotenVol(u, o, f.vu, f.vo, f.s);
    EXPECT_NEAR(u * f.vu + o * f.vo, f.u * f.vu + f.o * f.vo, 1e-3f);
    EXPECT_EQ(u == o, f.mischt) << f.u << " " << f.o;
    float ue = f.u, oe = f.o;
    MischKnoten(ue, oe, f.s);
    EXPECT_NEAR(ue + oe, f.u + f.o, 1e-4f);
    EXPECT_EQ(ue == oe, f.mischt);
  }
}

TEST(StoreHelpers, ConvectionRegimesAndExchangerCoefficient) {
  float h = 0, nu = 0, lambda = 0;
  CalcKonvektion(h, nu, lambda, 40.0f, 40.0f);
  EXPECT_EQ(h, 0.0f);
  EXPECT_FLOAT_EQ(nu, 0.5f);
  // Nusselt grows with the difference, continuous enough across the regimes.
  float vorher = 0.0f;
  for (float d = 0.001f; d < 60.0f; d *= 1.5f) {
    CalcKonvektion(h, nu, lambda, 40.0f + d, 40.0f - d);
    EXPECT_GE(nu, vorher * 0.8f) << d;
    EXPECT_TRUE(std::isfinite(nu));
    vorher = nu;
  }
  EXPECT_EQ(CalcWTKoeffizient(40.0f, 40.0f), 0.0f);
  EXPECT_EQ(CalcWTKoeffizient(30.0f, 40.0f), 0.0f);
  EXPECT_LT(CalcWTKoeffizient(40.001f, 40.0f), CalcWTKoeffizient(41.0f, 40.0f));
  EXPECT_LT(CalcWTKoeffizient(41.0f, 40.0f), CalcWTKoeffizient(60.0f, 40.0f));
  EXPECT_TRUE(std::isfinite(CalcWTKoeffizient(1.0f, -20.0f)));
  EXPECT_LT(CalcWTKoeffizient(40.0000001f, 40.0f), 1.0f);
}

TEST(StoreHelpers, PlugFlowCapsTheVolume) {
  EXPECT_FLOAT_EQ(PlugFlow(60, 10, 50, 100), 35.0f);
  EXPECT_FLOAT_EQ(PlugFlow(60, 10, 150, 100), 10.0f);  // never a negative weight
  EXPECT_FLOAT_EQ(PlugFlow(60, 10, -5, 100), 60.0f);
  EXPECT_FLOAT_EQ(PlugFlow(60, 10, 5, 0), 60.0f);
}

TEST(HeatingCircuit, CurveAtDesignPointNightSetbackAndLimits) {
  float q = 0, vor = 0, rueck = 0;
  CalcHeizkreis(q, vor, rueck, 10000, -12, 75, 55, -12, 12);
  EXPECT_NEAR(q, 10000, 1e-2);
  EXPECT_NEAR(vor, 75, 1e-3);
  EXPECT_NEAR(rueck, 55, 1e-3);
  CalcHeizkreis(q, vor, rueck, 10000, -12, 75, 55, -12, 22);
  EXPECT_NEAR(q, 10000, 1e-2);  // exactly 22 h still full load
  float qNacht = 0, vorNacht = 0, rueckNacht = 0;
  CalcHeizkreis(qNacht, vorNacht, rueckNacht, 10000, -12, 75, 55, -12, 23);
  EXPECT_NEAR(qNacht, 7000, 1e-2);
  EXPECT_LT(vorNacht, 75);
  EXPECT_LT(rueckNacht, 55);
  // Flow and return fall with the outdoor temperature towards 20 °C.
  float vorher = 100;
  for (float ta = -12; ta < 20; ta += 2) {
    CalcHeizkreis(q, vor, rueck, 10000, -12, 75, 55, ta, 12);
    EXPECT_LT(vor, vorher);
    EXPECT_GT(vor, rueck);
    EXPECT_GE(rueck, 20.0f);
    vorher = vor;
  }
  CalcHeizkreis(q, vor, rueck, 10000, -12, 75, 55, 20, 12);
  EXPECT_EQ(q, 0.0f);
  EXPECT_EQ(vor, 21.0f);
  EXPECT_EQ(rueck, 20.0f);
  // Curves that cannot be evaluated give no load rather than a division by zero.
  for (auto [tn, tv, tr] : {std::tuple{20.0f, 75.0f, 55.0f}, std::tuple{-12.0f, 20.0f, 20.0f},
                            std::tuple{-12.0f, 50.0f, 50.0f}, std::tuple{-12.0f, 50.0f, 15.0f}}) {
    EXPECT_FALSE(HeizkurveGueltig(tn, tv, tr));
    CalcHeizkreis(q, vor, rueck, 10000, tn, tv, tr, 0, 12);
    EXPECT_EQ(q, 0.0f);
    EXPECT_TRUE(std::isfinite(vor) && std::isfinite(rueck));
  }
  EXPECT_NEAR(WasserMenge(45.0f, 4.1868f * 35.0f), 1.0f, 1e-6);
  EXPECT_EQ(WasserMenge(10.0f, 100.0f), 0.0f);
}

TEST(HeatingCircuit, RememberedPointEqualsTheCurve) {
  // Steps of a day at 15 per hour, across the set-back edges at 5 and 22 h, with the outdoor
  // temperature changing hourly and the design values changing between two runs.
  HeizkurvenPunkt zuletzt;
  for (float tvNorm : {75.0f, 55.0f}) {
    for (int i = 0; i < 24 * 15; ++i) {
      const float stunde = static_cast<float>(i) / 15.0f;
      const float ta = -10.0f + static_cast<float>(i / 15) * 1.5f;
      float q1 = 0, vor1 = 0, rueck1 = 0, q2 = 0, vor2 = 0, rueck2 = 0;
      CalcHeizkreis(q1, vor1, rueck1, 8000, -12, tvNorm, 40, ta, stunde);
      CalcHeizkreis(zuletzt, q2, vor2, rueck2, 8000, -12, tvNorm, 40, ta, stunde);
      EXPECT_EQ(q1, q2) << stunde;
      EXPECT_EQ(vor1, vor2) << stunde;
      EXPECT_EQ(rueck1, rueck2) << stunde;
    }
  }
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

TEST(HeatingCircuit, FreshWaterStationLoadSplit) {
  struct Fall {
    float p, a, b;
  };
  for (const Fall f : {Fall{1000, 0.25f, 0.75f}, Fall{10000, 1.0f, 0.0f}, Fall{6000, 0.4666667f, 0.5333333f},
                       Fall{0, 0.25f, 0.75f}, Fall{25000, 1.0f, 0.0f}}) {
    float a = 0, b = 0;
    FWEAnteile(a, b, f.p, 10000);
    EXPECT_NEAR(a, f.a, 1e-5f) << f.p;
    EXPECT_NEAR(b, f.b, 1e-5f) << f.p;
    EXPECT_NEAR(a + b, 1.0f, 1e-6f);
  }
}

TEST(HeatingCircuit, FreshWaterStationCharacteristicAndReturn) {
  float tv = 0;
  EXPECT_EQ(FWEKennwert(tv, 45, 60, 0.0f), 0.0f);
  EXPECT_FLOAT_EQ(tv, 60.0f);
  // A buffer more than dmax above the target counts as dmax above it.
  float tvWeit = 0, tvGrenze = 0;
  EXPECT_FLOAT_EQ(FWEKennwert(tvWeit, 45, 95, 0.7f), FWEKennwert(tvGrenze, 45, 82, 0.7f));
  EXPECT_FLOAT_EQ(tvWeit, 82.0f);
  // Between the grid rows the characteristic lies between its neighbours.
  float tvA = 0, tvB = 0, tvM = 0;
  const float ka = FWEKennwert(tvA, 45, 70, 0.8f), kb = FWEKennwert(tvB, 50, 70, 0.8f);
  const float km = FWEKennwert(tvM, 47.5f, 70, 0.8f);
  EXPECT_NEAR(km, (ka + kb) / 2, 1e-6f);
  EXPECT_NEAR(tvM, (tvA + tvB) / 2, 1e-5f);

  float tr = -1, fluss = -1;
  bool ok = true;
  FWERuecklauf(tr, fluss, ok, 20000, 40000, 45, 48);
  EXPECT_FALSE(ok);  // buffer too cold and not above 50 °C
  FWERuecklauf(tr, fluss, ok, 20000, 40000, 50, 52);
  EXPECT_TRUE(ok);  // target lowered to 45 °C
  float trDirekt = 0, flussDirekt = 0;
  bool okDirekt = false;
  FWERuecklauf(trDirekt, flussDirekt, okDirekt, 20000, 40000, 45, 52);
  EXPECT_FLOAT_EQ(tr, trDirekt);
  EXPECT_FLOAT_EQ(fluss, flussDirekt);
  EXPECT_LT(tr, 52.0f);
  EXPECT_GT(fluss, 0.0f);
  // A 60 °C target on a 52 °C buffer falls in three steps to 45 °C; a buffer at exactly 50 °C
  // stops the chain.
  float trKette = 0, flussKette = 0;
  bool okKette = false;
  FWERuecklauf(trKette, flussKette, okKette, 20000, 40000, 60, 52);
  EXPECT_TRUE(okKette);
  EXPECT_FLOAT_EQ(trKette, trDirekt);
  FWERuecklauf(trKette, flussKette, okKette, 20000, 40000, 60, 50);
  EXPECT_FALSE(okKette);
  // The characteristic is continuous across a grid row.
  float tvUnter = 0, tvAuf = 0, tvUeber = 0;
  const float unter = FWEKennwert(tvUnter, 44.999f, 70, 0.8f), auf = FWEKennwert(tvAuf, 45.0f, 70, 0.8f),
              ueber = FWEKennwert(tvUeber, 45.001f, 70, 0.8f);
  EXPECT_NEAR(unter, auf, 1e-5f);
  EXPECT_NEAR(ueber, auf, 1e-5f);
  FWERuecklauf(tr, fluss, ok, 0, 40000, 45, 60);  // no demand: no flow, no division
  EXPECT_TRUE(ok);
  EXPECT_TRUE(std::isfinite(tr) && std::isfinite(fluss));
  FWERuecklauf(tr, fluss, ok, 20000, 40000, 38, 60);
  EXPECT_FALSE(ok);
}

// Any target ends: a huge one is lowered in one go to where the 5 K steps would have led, the
// same as starting from that step; a target that is no number gives no result.
TEST(HeatingCircuit, FreshWaterStationReturnEndsForEveryTarget) {
  struct Fall {
    float tww, tpuffer;
    bool ok;
    float gleichWie;  // the target the steps end at (same buffer), 0 when there is no result
  };
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Fall faelle[] = {
      {1e9f, 60, true, 55},          // 1e9 - 55 is a multiple of 5
      {1e9f + 64.0f, 60, true, 54},  // the next float: 4 above a multiple of 5
      {std::ldexp(1.0f, 100), 80, true, 71},  // 2^100 is 1 above a multiple of 5
      {1e30f, 48, false, 0},         // buffer not above 50 °C
      {inf, 60, false, 0},
      {nan, 60, false, 0},
      {-inf, 60, false, 0},
      {40, 45, true, 40},            // lowest target, buffer just 5 K warmer: no step
      {52.5f, 51, true, 42.5f},      // two steps from a target between the grid rows
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << "Tww " << f.tww << ", buffer " << f.tpuffer);
    float tr = -1, fluss = -1;
    bool ok = !f.ok;
    FWERuecklauf(tr, fluss, ok, 20000, 40000, f.tww, f.tpuffer);
    EXPECT_EQ(ok, f.ok);
    if (!f.ok) continue;
    float trGleich = 0, flussGleich = 0;
    bool okGleich = false;
    FWERuecklauf(trGleich, flussGleich, okGleich, 20000, 40000, f.gleichWie, f.tpuffer);
    EXPECT_TRUE(okGleich);
    EXPECT_FLOAT_EQ(tr, trGleich);
    EXPECT_FLOAT_EQ(fluss, flussGleich);
    EXPECT_TRUE(std::isfinite(tr) && std::isfinite(fluss));
  }
}

}  // namespace
}  // namespace tav
