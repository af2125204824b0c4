// The printed energy-balance table as content: the column sets and positions by plant type
// and hot-water factors, the hot-water fraction above 100 % where the solar heat exceeds the
// demand and the heating and total fractions between 0 and 100 %, the header of plant type 2, the
// closing lines, and the state's monthly arrays left as they were.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

#include "foundation/TextTable.h"
#include "results/DruckBilanz.h"
#include "results/ResultReports.h"

namespace tav {
namespace {

// Months with 100..1200 kWh yield against a hot-water demand of 300 kWh: from April on the
// yield exceeds the demand.
std::unique_ptr<TavState> Welt(int typ, bool heizung, bool pool) {
  auto g = std::make_unique<TavState>();
  auto& p = g->plant;
  p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
  p.SolHeizung = heizung;
  p.Pool = pool;
  p.KollektorFlaecheGesamt = 10.0f;
  p.WWMonatsfaktor.fill(100.0f);
  p.Heizwaermebedarf = 1'000'000.0f;
  auto& r = g->results;
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m);
    r.SolarertragMonat[i] = 100'000.0f * m;
    r.WWBedarfMonat[i] = 280'000.0f;
    r.VerlustMonat[i] = 20'000.0f;
    r.KollEinstrahlungMonat[i] = 250'000.0f * m;
    r.NachheizungMonat[i] = 50'000.0f;
    r.SolHeizenMonat[i] = heizung ? 30'000.0f * m : 0.0f;
    r.PoolWaermeMonat[i] = pool ? 5'000.0f * m : 0.0f;
    r.HeizanteilMonat[i] = m == 7 ? 0.001f : 1.0f / 12.0f;
  }
  r.SolarertragMonat[13] = 99e9f;  // a stale year slot: the table sums the months itself
  return g;
}

std::string Trim(const std::string& s) {
  const auto a = s.find_first_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string Zelle(const TDruckZeile& z, int spalte) {
  for (const auto& c : z.Zellen)
    if (c.Spalte == spalte) return Trim(c.Text);
  return "?";
}

TEST(DruckEnergiebilanz, ColumnSetsAndPositionsByPlantTypeAndFactors) {
  struct Fall {
    int typ;
    bool heizung, faktoren;
    std::vector<int> tab;
    std::string bruchKopf;  // the heading on the first line over the first fraction column
  };
  const Fall faelle[] = {
      {1, false, false, {60, 110, 160, 217, 268}, "Deckungs-"},
      {1, false, true, {60, 110, 160, 217, 268, 322}, "Deckungs-"},
      {2, true, false, {52, 94, 136, 176, 217, 260}, "Deckungs-"},
      {6, true, false, {52, 94, 136, 176, 217, 260, 300}, "Deckungsrate"},
      {6, true, true, {52, 94, 136, 176, 217, 260, 300, 340}, "Deckungsrate"},
  };
  for (const Fall& f : faelle) {
    auto g = Welt(f.typ, f.heizung, false);
    if (f.faktoren) g->plant.WWMonatsfaktor[3] = 120.0f;
    const TDruckEnergiebilanz t = DruckEnergiebilanz(*g);
    EXPECT_EQ(t.Tab, f.tab) << f.typ << f.faktoren;
    ASSERT_EQ(t.Zeilen.size(), 16u);
    // Every month row fills every column once, in order, the yield bold.
    for (std::size_t i = 3; i < 16; ++i) {
      const auto& z = t.Zeilen[i];
      ASSERT_EQ(z.Zellen.size(), t.Tab.size() + 1) << i;
      for (std::size_t c = 1; c < z.Zellen.size(); ++c) EXPECT_EQ(z.Zellen[c].Spalte, static_cast<int>(c) - 1);
      EXPECT_TRUE(z.Zellen[1].Fett);
      EXPECT_FALSE(z.Zellen[2].Fett);
      EXPECT_EQ(z.Zeile, static_cast<int>(i));
    }
    const int bruch = static_cast<int>(t.Tab.size()) - (f.typ == 6 ? 3 : 2);
    EXPECT_EQ(Zelle(t.Zeilen[0], bruch), f.bruchKopf) << f.typ;
    EXPECT_EQ(Zelle(t.Zeilen[0], static_cast<int>(t.Tab.size()) - 1), "Wirkungs-");
    EXPECT_EQ(Zelle(t.Zeilen[2], 0), "[kWh]");
    EXPECT_EQ(Zelle(t.Zeilen[1], 1), f.typ == 2 ? "schuss *" : f.typ == 6 ? "Heizen *" : "strahlung");
    EXPECT_EQ(Zelle(t.Zeilen[1], f.heizung ? 3 : 2), f.typ == 6 ? "energie **" : "energie");
  }
}

TEST(DruckEnergiebilanz, HotWaterFractionShowsTheSurplusHeatingAndTotalStayAtHundred) {
  auto g = Welt(6, true, false);
  const auto vorher = g->results;
  const TDruckEnergiebilanz t = DruckEnergiebilanz(*g);
  EXPECT_EQ(g->results.SolarertragMonat, vorher.SolarertragMonat);
  const auto& jan = t.Zeilen[3];
  const auto& jul = t.Zeilen[9];
  const auto& dez = t.Zeilen[14];
  // Columns: yield, heating, irradiation, auxiliary, hot water %, heating %, efficiency.
  EXPECT_EQ(Zelle(jan, 4), "23");   // (100 - 30) / 300
  EXPECT_EQ(Zelle(dez, 4), "280");  // 840 kWh against 300 kWh demand
  EXPECT_EQ(Zelle(jan, 5), "36");   // 30 of 83.3 kWh
  EXPECT_EQ(Zelle(dez, 5), "100");  // 360 of 83.3 kWh
  EXPECT_EQ(Zelle(jul, 5), "0");    // share below 0.002
  EXPECT_EQ(Zelle(jan, 6), "40");
  for (std::size_t i = 3; i < 16; ++i)
    for (int c = 5; c <= 6; ++c) EXPECT_LE(std::stoi(Zelle(t.Zeilen[i], c)), 100) << i << " " << c;
  // The year row is the sum of the months, not the stale slot.
  EXPECT_EQ(Zelle(t.Zeilen[15], 0), "7800");
  EXPECT_EQ(t.Summe, T(TX::fsavTWWHz) + ": 100.0%");
  EXPECT_EQ(Trim(t.SpezWert), "780 kWh/" + T(TX::m_2));
}

TEST(DruckEnergiebilanz, ClosingLinesByPlantTypeAndPool) {
  struct Fall {
    int typ;
    bool heizung, pool;
    bool fussnote, summe;
    std::string summeAnfang;
    int summenZeile;
  };
  const Fall faelle[] = {
      {1, false, false, false, false, "", 17},
      {2, true, false, true, false, "", 18},
      {3, true, false, true, true, T(TX::fsavTWWHz), 18},
      {6, true, false, true, true, T(TX::fsavTWWHz), 18},
      {6, true, true, true, true, T(TX::PoolkWhpera), 18},
      {4, false, true, false, true, T(TX::PoolkWhpera), 17},
  };
  for (const Fall& f : faelle) {
    auto g = Welt(f.typ, f.heizung, f.pool);
    const TDruckEnergiebilanz t = DruckEnergiebilanz(*g);
    EXPECT_EQ(!t.Fussnote.empty(), f.fussnote) << f.typ;
    EXPECT_EQ(!t.Summe.empty(), f.summe) << f.typ;
    EXPECT_EQ(t.Summe.rfind(f.summeAnfang, 0), 0u) << f.typ;
    EXPECT_EQ(t.SummenZeile, f.summenZeile);
    if (f.typ >= 6) {
      EXPECT_NE(t.Fussnote.find("**: " + T(TX::NurFuerTWW)), std::string::npos);
    }
  }
  // No collector area and no demand: empty fields, no division.
  auto g = Welt(1, false, false);
  g->plant.KollektorFlaecheGesamt = 0.0f;
  g->results.WWBedarfMonat.fill(0.0f);
  g->results.VerlustMonat.fill(0.0f);
  const TDruckEnergiebilanz t = DruckEnergiebilanz(*g);
  EXPECT_EQ(Trim(t.SpezWert), Trim(LeerFeld(5)));
  EXPECT_EQ(Zelle(t.Zeilen[3], 3), Trim(LeerFeld(5)));
}

// Paper and screen give a month the same figures: a month whose yield exceeds its irradiation
// (120 %) prints its efficiency as it is, and a heating plant without heating demand shows a
// heating fraction of 0 in every month, printed and on the screen.
TEST(DruckEnergiebilanz, EfficiencyAndHeatingFractionAsTheScreenShowsThem) {
  auto g = Welt(3, true, false);
  g->results.KollEinstrahlungMonat[5] = 500'000.0f / 1.2f;  // 500 kWh yield: 120 %
  g->plant.Heizwaermebedarf = 0.0f;
  const TDruckEnergiebilanz t = DruckEnergiebilanz(*g);
  TReport r;
  ReportEnergiebilanz(r, *g, false);
  std::vector<std::vector<std::string>> schirm;  // the screen's month rows, cell by cell
  for (const TReportLine& l : r.Lines) {
    std::vector<std::string> zellen;
    std::string rest = l.Text + "\t";
    for (auto pos = rest.find('\t'); pos != std::string::npos; pos = rest.find('\t')) {
      zellen.push_back(Trim(rest.substr(0, pos)));
      rest.erase(0, pos + 1);
    }
    if (zellen.size() == 8 && zellen[1] != "ertrag" && !zellen[1].empty() && std::isdigit(zellen[1][0]))
      schirm.push_back(zellen);
  }
  ASSERT_EQ(schirm.size(), 13u);
  // Columns: yield, heating, irradiation, auxiliary, hot water %, heating %, efficiency.
  EXPECT_EQ(Zelle(t.Zeilen[3 + 4], 6), "120");
  EXPECT_EQ(Zelle(t.Zeilen[3 + 3], 6), "40");
  for (int m = 1; m <= 13; ++m) {
    const auto& z = t.Zeilen[static_cast<std::size_t>(2 + m)];
    EXPECT_EQ(Zelle(z, 5), "0") << m;
    EXPECT_EQ(Zelle(z, 5), schirm[static_cast<std::size_t>(m - 1)][6]) << m;
    EXPECT_EQ(Zelle(z, 6), schirm[static_cast<std::size_t>(m - 1)][7]) << m;
  }
}

}  // namespace
}  // namespace tav
