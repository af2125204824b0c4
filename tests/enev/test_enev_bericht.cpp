// The EnEV report lines in both modes for a hot-water and a combination plant.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "enev/EnevBericht.h"

using namespace tav;
using namespace tav::enev;

namespace {

struct BerichtFixture {
  std::unique_ptr<TavState> state = std::make_unique<TavState>();
  EnevStand st;
  BerichtFixture() {
    auto& p = state->plant;
    p.ProjektName = "Haus A";
    p.Kollektor = "Sonnwerk SW 2";
    p.AnlagenTypNr = 1;
    auto& e = st.Eingaben;
    e.Nutzflaeche = 180;
    e.KollFlaeche = 5.7;
    e.Eta0 = 0.77;
    e.K1 = 3.5;
    e.K2 = 0.02;
    e.IAM = 0.9f;
    e.Waermekap = 6.4;
    e.Neigung = 45;
    e.Rohrlaenge = 20;
    e.Vsol = e.Vaux = 150;
    e.qBS = 1.179;
    e.KleineAnlage = e.Zirkulation = e.VerteilungInnen = e.SpeicherInnen = true;
  }
  std::string Text(int modus, bool kopie = false) {
    st.Ergebnis = CalcEnevErgebnis(st.Eingaben);
    return EnevBericht(*state, st, modus, kopie).PlainText();
  }
};

bool Hat(const std::string& t, const std::string& s) { return t.find(s) != std::string::npos; }

}  // namespace

TEST(EnevBericht, HotWaterPlantModeZero) {
  BerichtFixture f;
  const std::string t = f.Text(kEnevAuswertung);
  EXPECT_TRUE(Hat(t, "Projekt:\tHaus A\n")) << t;
  EXPECT_TRUE(Hat(t, "Kollektor:\t    5,7 m², Sonnwerk SW 2\n")) << t;
  EXPECT_TRUE(Hat(t, "Kennlinie:\tc0 = 0,770  c1 = 3,500 W/m²K  c2 = 0,020 W/m²K²")) << t;
  EXPECT_TRUE(Hat(t, "DIN-Anlagentyp:\t\"Kleine Anlage\"\n")) << t;
  EXPECT_TRUE(Hat(t, "Q TW,sol:\t 2221 kWh/a\n")) << t;
  EXPECT_TRUE(Hat(t, "Q TW:\t 4225 kWh/a\n")) << t;
  EXPECT_TRUE(Hat(t, "alpha TW,sol:\t0,53\n")) << t;
  EXPECT_FALSE(Hat(t, "Anmerkung")) << t;
  EXPECT_FALSE(Hat(t, "Kombianlage")) << t;
  EXPECT_FALSE(Hat(t, "Tavrel 3.0")) << t;
  const auto b = EnevBericht(*f.state, f.st, kEnevAuswertung, false);
  bool fett = false;
  for (const auto& z : b.Lines)
    for (const auto& x : z.BoldTexts()) fett |= x == "0,53";
  EXPECT_TRUE(fett);
  // Exactly the four specific q lines are set two points smaller.
  std::vector<std::string> klein;
  for (const auto& z : b.Lines) {
    if (z.SizeDelta == 0) continue;
    EXPECT_EQ(z.SizeDelta, -2) << z.Text;
    klein.push_back(z.Text.substr(0, z.Text.find('\t')));
  }
  EXPECT_EQ(klein, (std::vector<std::string>{"q TW,d", "q h TW,d", "q TW,s", "q h TW,s"}));

  // K2 = 0: the line with Eta0 and k_Wert; an oversized plant gets the note.
  f.st.Eingaben.K2 = 0;
  f.st.Eingaben.KollFlaeche = 30;
  const std::string u = f.Text(kEnevAuswertung);
  EXPECT_TRUE(Hat(u, "Kennlinie:\tEta0 = 0,770 / k_Wert = 3,500 W/(m²K)")) << u;
  EXPECT_TRUE(Hat(u, "Anmerkung: Die Anlage scheint überdimensioniert zu sein")) << u;
  // The copy carries the title line, with the owner line when the program has one.
  f.state->folders.Copyright.clear();
  EXPECT_TRUE(Hat(f.Text(kEnevAuswertung, true), "Tavrel 3.0 - Auswertung nach EnEV / DIN 4701-10\n"));
  f.state->folders.Copyright = "(c) Tavrel-Team";
  EXPECT_TRUE(Hat(f.Text(kEnevSimulation, true),
                  "Tavrel 3.0 - Simulation nach EnEV / DIN 4701-10 - (c) Tavrel-Team\n"));
}

TEST(EnevBericht, CombiBlockShowsOneBranch) {
  BerichtFixture f;
  f.st.Eingaben.Kombi = true;
  const double din = *CalcKollFlaecheDIN(false, true, 180);
  f.st.Eingaben.KollFlaeche = din;
  std::string t = f.Text(kEnevAuswertung);
  EXPECT_TRUE(Hat(t, "Flächenanteil:\t")) << t;
  EXPECT_TRUE(Hat(t, "mit mehr als\t")) << t;
  EXPECT_TRUE(Hat(t, "alpha solar,HU:\t0,10 (pauschal)")) << t;
  EXPECT_FALSE(Hat(t, "mit weniger als")) << t;
  EXPECT_TRUE(Hat(t, "q H,g,HE,sol:\t")) << t;
  f.st.Eingaben.KollFlaeche = din - 0.1;
  t = f.Text(kEnevAuswertung);
  EXPECT_TRUE(Hat(t, "mit weniger als\t")) << t;
  EXPECT_TRUE(Hat(t, "Kriterium nach DIN 4701-10, Kap. 5.3.4.1.3, nicht erfüllt")) << t;
  EXPECT_FALSE(Hat(t, "mit mehr als")) << t;
  EXPECT_FALSE(Hat(t, "pauschal")) << t;
}

TEST(EnevBericht, SimulationModeWithAndWithoutHeatingSum) {
  BerichtFixture f;
  auto& run = f.state->run;
  run.EnevSimQTW = 4000;
  run.EnevSimQTWsol = 1800;
  std::string t = f.Text(kEnevSimulation);
  EXPECT_TRUE(Hat(t, "Anlagentyp:\tBrauchwarmwasser - \"Kleine Anlage\"")) << t;
  EXPECT_TRUE(Hat(t, "Q TW,sol:\t 1800 kWh/a\t(2221 kWh/a nach DIN)")) << t;
  EXPECT_TRUE(Hat(t, "alpha TW,sol:\t0,45")) << t;

  f.st.Eingaben.Kombi = true;
  f.st.Eingaben.KollFlaeche = 20;
  run.EnevSimQHsol = 900;
  run.EnevSimqHsol = 5;
  t = f.Text(kEnevSimulation);
  EXPECT_FALSE(Hat(t, "nach DIN)")) << t;
  EXPECT_TRUE(Hat(t, "Angaben zur weiteren Berechnung")) << t;
  EXPECT_FALSE(Hat(t, "alpha H g,sol")) << t;
  run.EnevSummeQHeizung = 50;
  t = f.Text(kEnevSimulation);
  EXPECT_TRUE(Hat(t, "alpha H g,sol:\t0,10")) << t;
  // No simulated demand: a dash, never a division by zero.
  run.EnevSimQTW = 0;
  EXPECT_TRUE(Hat(f.Text(kEnevSimulation), "alpha TW,sol:\t–")) << t;
}

TEST(EnevBericht, ErrorStateShowsDashes) {
  BerichtFixture f;
  f.st.Eingaben.Nutzflaeche = 0;
  const std::string t = f.Text(kEnevAuswertung);
  EXPECT_TRUE(Hat(t, "Q TW:\t– kWh/a")) << t;
  EXPECT_TRUE(Hat(t, "alpha TW,sol:\t–")) << t;
  EXPECT_EQ(t.find("nan"), std::string::npos);
  EXPECT_EQ(t.find("inf"), std::string::npos);
}
