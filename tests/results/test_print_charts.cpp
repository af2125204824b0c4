#include <gtest/gtest.h>

#include "results/PrintCharts.h"

namespace tav {
namespace {

TEST(PrintCharts, YieldScaleSteps) {
  const struct {
    double top, schritt;
  } faelle[] = {
      {1234.5, 200}, {2500, 500}, {5000, 1000}, {8500, 2000}, {999.7, 100},  // 999.7 rounds to "1000", d = 0
      {150, 20}, {45, 10}, {9, 2}, {0.4, 1}, {0, 1}, {-3, 1},              // never a step below 1
  };
  for (const auto& f : faelle) EXPECT_DOUBLE_EQ(ErtragSkalaSchritt(f.top), f.schritt) << f.top;
}

}  // namespace
}  // namespace tav

#include "results/Uebersicht.h"

namespace tav {
namespace {

TEST(ErgebnisUebersicht, FractionsCapAtHundredAndEmptyDivisorsShowADash) {
  TavState g;
  // No demand, no irradiation, no area: dashes, nothing infinite.
  std::string text = ErgebnisUebersicht(g).PlainText();
  EXPECT_EQ(text.find("inf"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_NE(text.find("\xE2\x80\x93"), std::string::npos);
  // More yield than demand: 100,0%; the efficiency is not capped.
  for (std::size_t m = 1; m <= 12; ++m) {
    g.results.SolarertragMonat[m] = 300000.0f;
    g.results.WWBedarfMonat[m] = 100000.0f;
    g.results.KollEinstrahlungMonat[m] = 200000.0f;
  }
  g.results.SolarertragMonat[13] = 42.0f;  // slot 13 is not read, nor written
  g.plant.KollektorFlaecheGesamt = 6.0f;
  text = ErgebnisUebersicht(g).PlainText();
  EXPECT_NE(text.find("100,0%"), std::string::npos) << text;
  EXPECT_NE(text.find("150,0%"), std::string::npos) << text;
  EXPECT_NE(text.find("600 kWh/m"), std::string::npos) << text;
  EXPECT_EQ(g.results.SolarertragMonat[13], 42.0f);
  // The demand counts the store losses: 1200 + 2400 kWh, and 3600 kWh yield cover it once.
  for (std::size_t m = 1; m <= 12; ++m) g.results.VerlustMonat[m] = 200000.0f;
  g.results.SolarertragMonat.fill(250000.0f);
  text = ErgebnisUebersicht(g).PlainText();
  EXPECT_NE(text.find("3600 kWh/Jahr"), std::string::npos) << text;
  EXPECT_NE(text.find(" 83,3%"), std::string::npos) << text;  // 3000 of 3600 kWh
}

}  // namespace
}  // namespace tav
