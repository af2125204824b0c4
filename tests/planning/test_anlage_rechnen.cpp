// The plant dialog's sums without widgets: the pool season from the temperature curve, the
// savings per kWh of solar heat, and the check of the heating demand against the design.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>

#include "planning/AnlageRechnen.h"

namespace tav {
namespace {

TEST(AnlageRechnen, PoolSeasonFromTemperatureCurve) {
  // Northern site: warm in summer.
  auto nord = [](int tag) { return static_cast<float>(9.0 - 10.0 * std::cos(2 * std::numbers::pi * (tag - 15) / 365.0)); };
  auto [s, e] = PoolSaison(nord, 15.0f);
  EXPECT_GT(nord(s), 15.0f);
  EXPECT_LE(nord(s - 1), 15.0f);
  EXPECT_GE(nord(e), 15.0f);
  EXPECT_LT(nord(e + 1), 15.0f);
  EXPECT_LT(s, e);
  // Southern site: warm at both ends of the year; the season wraps.
  auto sued = [&](int tag) { return 18.0f - nord(tag); };
  auto [s2, e2] = PoolSaison(sued, 15.0f);
  EXPECT_GT(s2, e2);
  EXPECT_GT(sued(s2), 15.0f);
  EXPECT_LE(sued(s2 - 1), 15.0f);
  EXPECT_LT(sued(e2 + 1), 15.0f);
  // Never warm; always warm.
  EXPECT_EQ(PoolSaison([](int) { return 5.0f; }, 15.0f), std::make_pair(365, 365));
  EXPECT_EQ(PoolSaison([](int) { return 25.0f; }, 15.0f), std::make_pair(1, 365));
}

TEST(AnlageRechnen, SavingsPerKWhOfSolarHeat) {
  EXPECT_DOUBLE_EQ(SparFaktor(80), 1.25);
  EXPECT_NEAR(SparFaktor(75), 1.333, 0.001);
  EXPECT_NEAR(SparFaktor(60), 1.667, 0.001);
  EXPECT_DOUBLE_EQ(SparFaktor(0), 3.0);
  EXPECT_EQ(NutzgradBeiTemperatur(4.9f, 80, 75, 60), 80);
  EXPECT_EQ(NutzgradBeiTemperatur(15.0f, 80, 75, 60), 75);
  EXPECT_EQ(NutzgradBeiTemperatur(15.1f, 80, 75, 60), 60);
}

TEST(AnlageRechnen, HeatingDemandCheck) {
  auto linear = [](double faktor) { return [faktor](double qW) { return qW * faktor; }; };
  // Design implies 50 000 kWh/a against 20 000 typed: warning, power scaled by 0.4.
  auto r = PruefeHeizbedarf(10000.0, 20000.0, linear(5000.0));
  EXPECT_TRUE(r.warnung);
  ASSERT_TRUE(r.qnormKW);
  EXPECT_NEAR(*r.qnormKW, 4.0, 1e-9);
  EXPECT_EQ(r.farbe, HeizFarbe::Gruen);
  r = PruefeHeizbedarf(10000.0, 20000.0, linear(2600.0));  // 30 % off
  EXPECT_FALSE(r.warnung);
  EXPECT_EQ(r.farbe, HeizFarbe::Rot);
  r = PruefeHeizbedarf(10000.0, 20000.0, linear(2400.0));  // 20 % off
  EXPECT_EQ(r.farbe, HeizFarbe::Gruen);
  // No power: derived from a 1-kW run; nothing: button off; no annual demand: no check.
  r = PruefeHeizbedarf(0.0, 20000.0, linear(2500.0));
  ASSERT_TRUE(r.qnormKW);
  EXPECT_NEAR(*r.qnormKW, 8.0, 1e-9);
  EXPECT_TRUE(r.knopfAktiv);
  EXPECT_FALSE(PruefeHeizbedarf(0.0, 0.0, linear(1.0)).knopfAktiv);
  r = PruefeHeizbedarf(10000.0, 0.0, linear(2500.0));
  EXPECT_FALSE(r.warnung);
  EXPECT_FALSE(r.qnormKW);
}

}  // namespace
}  // namespace tav
