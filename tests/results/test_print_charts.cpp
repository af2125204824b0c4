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

#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {
namespace {

// The rows of the results block by plant type: type 2 heats but shows only the hot-water
// fraction; the heating fraction is 0 without a heated share and every fraction stops at 100 %.
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
