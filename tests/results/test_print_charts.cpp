#include <gtest/gtest.h>

#include <algorithm>

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

// A bar of h per cent prints as boxes of 3 % from the baseline up, the rest on top.
TEST(PrintCharts, BarsPrintAsStacksOfThreePerCent) {
  using K = std::vector<std::pair<int, int>>;
  EXPECT_EQ(StapelKaesten(0), K{});
  EXPECT_EQ(StapelKaesten(-4), K{});
  EXPECT_EQ(StapelKaesten(1), (K{{298, 300}}));
  EXPECT_EQ(StapelKaesten(6), (K{{294, 300}, {288, 294}}));
  EXPECT_EQ(StapelKaesten(7), (K{{294, 300}, {288, 294}, {286, 288}}));
  const K oben = StapelKaesten(kDruckKappe);
  EXPECT_EQ(oben.size(), 40u);
  EXPECT_EQ(oben.back().first, kDruckKappeY);
}

// The year bar comes from the months' sums whatever slot 13 holds, and the copy is the
// chart's: a month without demand has no fraction, a month without irradiation no efficiency.
TEST(PrintCharts, YearBarsFromTheMonthsAndNoBarWithoutDivisor) {
  ResultState r;
  PlantState p;
  p.AnlagenTypNr = 1;
  for (std::size_t m = 1; m <= 12; ++m) {
    r.SolarertragMonat[m] = 100000.0f * static_cast<float>(m);
    r.WWBedarfMonat[m] = 400000.0f;
    r.KollEinstrahlungMonat[m] = 250000.0f * static_cast<float>(m);
  }
  r.WWBedarfMonat[2] = 0.0f;
  r.KollEinstrahlungMonat[3] = 0.0f;
  r.SolarertragMonat[13] = -5.0f;
  r.WWBedarfMonat[13] = 1.0f;
  const ResultState vorher = r;
  const auto balken = DruckDeckungsBalken(r, p);
  EXPECT_EQ(r.SolarertragMonat, vorher.SolarertragMonat);
  const auto finde = [&](int m, TBalkenSerie s) {
    return std::find_if(balken.begin(), balken.end(), [&](const TDruckBalken& b) { return b.Monat == m && b.Serie == s; });
  };
  EXPECT_EQ(finde(2, TBalkenSerie::Warmwasser), balken.end());
  EXPECT_EQ(finde(3, TBalkenSerie::Wirkungsgrad), balken.end());
  ASSERT_NE(finde(2, TBalkenSerie::Wirkungsgrad), balken.end());
  // 7800 kWh over 11 x 400 kWh: capped at 120 %; efficiency 7800 of 18750 kWh.
  const auto jahr = finde(13, TBalkenSerie::Warmwasser);
  ASSERT_NE(jahr, balken.end());
  EXPECT_EQ(jahr->Hoehe, kDruckKappe);
  EXPECT_EQ(jahr->A, 30 * 12 + 15 + 3);
  EXPECT_EQ(finde(13, TBalkenSerie::Wirkungsgrad)->Hoehe, 42);
  EXPECT_EQ(finde(1, TBalkenSerie::Warmwasser)->Hoehe, 25);
}

TEST(PrintCharts, YieldValuesAverageOnACopyAndNoGridWithoutYield) {
  ResultState r;
  TErtragWerte w = ErtragWerte(r);
  EXPECT_EQ(w.Top, 0.0);
  EXPECT_TRUE(w.Raster.empty());
  EXPECT_EQ(w.HErtrag, (std::array<int, 14>{}));
  // Top 999.7 kWh prints as "1000": step 100, the grid up to 800.
  r.SolarertragMonat[7] = 952095.25f;
  for (std::size_t m = 1; m <= 12; ++m) r.BrennstoffMonat[m] = 120000.0f;
  r.SolarertragMonat[13] = 1.0f;
  w = ErtragWerte(r);
  EXPECT_NEAR(w.Top, 999.7, 1e-3);
  EXPECT_EQ(w.Raster, (std::vector<double>{100, 200, 300, 400, 500, 600, 700, 800}));
  EXPECT_NEAR(w.Ertrag[13], 952.09525 / 12.0, 1e-6);
  EXPECT_DOUBLE_EQ(w.Einsparung[13], 120.0);
  EXPECT_EQ(w.HErtrag[7], 95);
  EXPECT_EQ(r.SolarertragMonat[13], 1.0f);
  // Far below 1 kWh the step stays 1: no grid line above the chart's top, the bars all the same.
  ResultState klein;
  klein.SolarertragMonat[6] = 300.0f;
  w = ErtragWerte(klein);
  EXPECT_TRUE(w.Raster.empty());
  EXPECT_EQ(w.HErtrag[6], 95);
}

}  // namespace
}  // namespace tav

#include "results/Uebersicht.h"

namespace tav {
namespace {

TEST(ErgebnisUebersicht, HotWaterFractionAboveItsDemandAndEmptyDivisorsShowADash) {
  TavState g;
  // No demand, no irradiation, no area: dashes, nothing infinite.
  std::string text = ErgebnisUebersicht(g).PlainText();
  EXPECT_EQ(text.find("inf"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_NE(text.find("\xE2\x80\x93"), std::string::npos);
  // Three times the demand: the hot-water fraction shows it, as the efficiency its 150 %.
  for (std::size_t m = 1; m <= 12; ++m) {
    g.results.SolarertragMonat[m] = 300000.0f;
    g.results.WWBedarfMonat[m] = 100000.0f;
    g.results.KollEinstrahlungMonat[m] = 200000.0f;
  }
  g.results.SolarertragMonat[13] = 42.0f;  // slot 13 is not read, nor written
  g.plant.KollektorFlaecheGesamt = 6.0f;
  text = ErgebnisUebersicht(g).PlainText();
  EXPECT_NE(text.find("300,0%"), std::string::npos) << text;
  EXPECT_EQ(text.find("100,0%"), std::string::npos) << text;
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

#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {
namespace {

// The rows of the results block by plant type: type 2 heats but shows only the hot-water
// fraction; the heating fraction is 0 without a heated share; the heating and total fractions
// stop at 100 %, the hot-water fraction shows the solar heat above its demand.
TEST(ErgebnisUebersicht, RowsByPlantType) {
  for (int typ = 1; typ <= 8; ++typ)
    for (double anteil : {0.001, 0.8}) {
      TavState g;
      g.plant.AnlagenTypNr = static_cast<std::uint8_t>(typ);
      g.plant.SolHeizung = typ == 2 || typ == 3 || typ >= 6;
      g.plant.Heizwaermebedarf = 1'000'000.0f;  // 1000 kWh
      g.plant.KollektorFlaecheGesamt = 10.0f;
      g.results.HeizanteilMonat[13] = static_cast<float>(anteil);
      for (std::size_t m = 1; m <= 12; ++m) {
        g.results.SolarertragMonat[m] = 500000.0f;  // 6000 kWh
        g.results.SolHeizenMonat[m] = 100000.0f;    // 1200 kWh
        g.results.WWBedarfMonat[m] = 200000.0f;     // 2400 kWh
        g.results.KollEinstrahlungMonat[m] = 1000000.0f;
      }
      const TUebersichtErgebnisse e = ErgebnisUebersicht(g);
      std::vector<std::string> abschnitte;
      int bruchZeilen = 0;
      bool inBruch = false;
      for (const auto& z : e.Zeilen) {
        if (!z.Abschnitt.empty()) {
          abschnitte.push_back(z.Abschnitt);
          inBruch = z.Abschnitt == T(TX::Deckungsrate) || z.Abschnitt == T(TX::Deckungsraten);
        }
        if (!inBruch) continue;
        ++bruchZeilen;
        if (z.Text == T(TX::Heizung)) {
          // 1200 kWh of 800 kWh heated demand: capped; a share below 0.002 counts as no heating.
          EXPECT_EQ(z.Wert, FloatToCommaStrAligned(6, 1, anteil < 0.002 ? 0.0f : 100.0f) + "%") << typ;
        } else if (z.Text == T(TX::Warmwasser)) {
          // 6000 kWh, with heating less its 1200 kWh, over 2400 kWh of hot-water demand.
          EXPECT_EQ(z.Wert, FloatToCommaStrAligned(6, 1, g.plant.SolHeizung ? 200.0f : 250.0f) + "%") << typ;
        } else {
          EXPECT_EQ(z.Wert, FloatToCommaStrAligned(6, 1, 100.0f) + "%") << typ << z.Text;
        }
      }
      const bool drei = g.plant.SolHeizung && typ != 2;
      EXPECT_EQ(bruchZeilen, drei ? 3 : 1) << typ;
      EXPECT_EQ(abschnitte[1], T(drei ? TX::Deckungsraten : TX::Deckungsrate)) << typ;
      // Demand rows: hot water, and with heating the heat demand (underlined) and the sum.
      EXPECT_EQ(e.Zeilen[0].Zeile, g.plant.SolHeizung ? 2 : 3);
      if (g.plant.SolHeizung) {
        EXPECT_TRUE(e.Zeilen[1].Unterstrichen);
        EXPECT_EQ(e.Zeilen[2].Text, Texts().GesamtGross);
        EXPECT_EQ(e.Zeilen[2].Wert, FloatToCommaStrAligned(6, 0, 3400.0f) + " kWh/Jahr");
      }
      // Specific yield 600 kWh/m² with the superscript mark; efficiency 50 %.
      EXPECT_NE(e.PlainText().find("600 kWh/m{/2}"), std::string::npos);
      EXPECT_NE(e.PlainText().find("50,0%"), std::string::npos);
    }
}

}  // namespace
}  // namespace tav
