// The calculators' formulas: the worked examples, the limits and the guarded edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "planning/Rechner.h"
#include "foundation/TavUtil.h"

namespace tav {
namespace {

std::string Komma3(double x) { return ReplaceAll(FloatToPointStr(1, 3, x), ".", ","); }

TEST(Warmwasser, HeatAndPowerWithThePeriodFloor) {
  struct Fall {
    double kalt, warm, volumen, zeit;
    const char* waerme;
    const char* leistung;
    double zeitGenutzt;
  };
  const Fall faelle[] = {
      {10, 60, 300, 6, "17,445", "2,908", 6},  // the worked example; P lies on a rounding edge
      {10, 60, 300, 0, "17,445", "174,450", 0.1},
      {10, 60, 300, 0.05, "17,445", "174,450", 0.1},
      {10, 60, 300, 0.1, "17,445", "174,450", 0.1},
      {60, 10, 300, 6, "-17,445", "-2,908", 6},  // warm below cold: negative
      {12, 12, 500, 2, "0,000", "0,000", 2},
  };
  for (const Fall& f : faelle) {
    const WarmwasserErgebnis e = BerechneWarmwasser(f.kalt, f.warm, f.volumen, f.zeit);
    EXPECT_EQ(Komma3(e.Waerme), f.waerme) << f.zeit;
    EXPECT_EQ(Komma3(e.Leistung), f.leistung) << f.zeit;
    EXPECT_DOUBLE_EQ(e.Zeitraum, f.zeitGenutzt);
  }
}

TEST(AbsorberDrehung, RotationZeroKeepsTheRoofAndKnownPairs) {
  for (double n : {1.0, 30.0, 45.0, 89.0})
    for (double a : {-180.0, -90.0, -20.0, 0.0, 35.0, 90.0, 180.0}) {
      const AbsorberLage l = BerechneAbsorber(n, a, 0.0);
      EXPECT_NEAR(l.Neigung, n, 1e-9) << n << " " << a;
      EXPECT_NEAR(l.Azimut, a, 1e-9) << n << " " << a;
    }
  const AbsorberLage l = BerechneAbsorber(30, 10, 20);
  EXPECT_NEAR(l.Neigung, 35.53, 0.005);
  EXPECT_NEAR(l.Azimut, 46.05, 0.005);
  // Rotating the other way mirrors the azimuth about the roof's and keeps the tilt.
  const AbsorberLage m = BerechneAbsorber(30, 10, -20);
  EXPECT_NEAR(m.Neigung, l.Neigung, 1e-9);
  EXPECT_NEAR(m.Azimut - 10, -(l.Azimut - 10), 1e-9);
}

TEST(AbsorberDrehung, ProposalWithinThirtyDegreesAndTheLimitAtNinety) {
  struct Fall {
    double n, a;
    int w;
  };
  const Fall faelle[] = {
      {30, 0, 0},    {30, 10, -5},  {30, -10, 5},  {45, 20, -14},
      {60, 60, -30},  // arctan gives -56: held at -30
      {60, -60, 30},
      {30, -90, 30},  // east: tan(-A) runs to +infinity
      {30, 90, -30},  // west
      {89, 89, -30},  {1, 45, -1},
  };
  for (const Fall& f : faelle) EXPECT_EQ(VorschlagDrehwinkel(f.n, f.a), f.w) << f.n << " " << f.a;
}

MagEingaben Beispiel() {
  MagEingaben e;
  e.Kollektorvolumen = 10;
  e.Leitungsvolumen = 20;
  e.Tauschervolumen = 5;
  e.Vorlage = 3;
  e.Hoehe = 10;
  e.Sicherheitsventil = 6;
  e.Verdampfung = 130;
  e.Groesse = 50;
  return e;
}

TEST(Ausdehnungsgefaess, WorkedExample) {
  const MagErgebnis e = BerechneMAG(Beispiel());
  EXPECT_FALSE(e.VordruckFehler);
  EXPECT_NEAR(e.StatDruck, 1.02, 0.005);
  EXPECT_NEAR(e.Schliessdifferenz, 0.6, 1e-12);
  EXPECT_NEAR(e.Enddruck, 5.4, 1e-12);
  EXPECT_NEAR(e.Dampfdruck, 1.46, 1e-6);
  EXPECT_NEAR(e.Vordruck, 2.58, 0.005);
  EXPECT_NEAR(e.MinDruckKollektor, 1.56, 1e-6);
  EXPECT_NEAR(e.Druckfaktor, 0.441, 0.0005);
  EXPECT_NEAR(e.Arbeitsvolumen, 16.5, 1e-9);
  EXPECT_NEAR(e.Nennvolumen, 37.4, 0.05);
  EXPECT_EQ(e.Anzahl, 1);
  EXPECT_NEAR(e.Nutzvolumen, 22.0, 0.05);
  EXPECT_NEAR(e.Fuelldruck, 2.96, 0.005);
  EXPECT_EQ(MagGroesseFuer(e.Nennvolumen), 50);

  const TReport r = MagBericht(e, "Tavrel 3.0 - Ausdehnungsgefäßauslegung", 125);
  ASSERT_GE(r.Lines.size(), 18u);
  EXPECT_TRUE(r.Lines[0].WhollyBold() && r.Lines[0].Underlined());
  EXPECT_EQ(r.Tabs, std::vector<int>{125});
  std::string alles;
  for (const auto& l : r.Lines) alles += l.Text + "\n";
  for (const char* z : {"Kollektorvolumen:\t      10 Liter\n", "Kollektorstillstandstemperatur:\t    212°C\n",
                        "Verdampfung im Kollektor ab:\t    130°C\n", "Dampfdruck bei 130°C\t    1,5 bar\n",
                        "stat. Druck:\t    1,0 bar\n", "Leitungsvol. mit WT:\t    25 Liter\n",
                        "Gesamtfüllvolumen:\t    38 Liter\n", "Frostschutz-Glykol:\t    16 Liter\n",
                        "Vordruck:\t    2,6 bar\n", "Fülldruck:\t    3,0 bar\n", "Enddruck:\t    5,4 bar\n",
                        "Druckfaktor:\t    0,441\n", "Arbeitsvolumen:\t    17 Liter\n",
                        "erforderliches Nennvolumen:\t    37 Liter\n",
                        "gewähltes MAG-Volumen:\t    50 Liter (1 x 50)\n"})
    EXPECT_NE(alles.find(z), std::string::npos) << z << "\n" << alles;
}

TEST(Ausdehnungsgefaess, MarginsCorrectionsAndVesselCount) {
  struct Fall {
    double psv, schluss;
  };
  for (const Fall& f : {Fall{2, 0.3}, Fall{3, 0.3}, Fall{3.5, 0.35}, Fall{6, 0.6}, Fall{15, 1.5}}) {
    MagEingaben ein = Beispiel();
    ein.Sicherheitsventil = f.psv;
    ein.Hoehe = 0;
    ein.Verdampfung = 100;
    EXPECT_NEAR(BerechneMAG(ein).Schliessdifferenz, f.schluss, 1e-12) << f.psv;
  }
  MagEingaben ein = Beispiel();
  ein.Verdampfung = 190;
  ein.Hoehe = 40;
  ein.Kollektorvolumen = 0.2;
  ein.Vorlage = 0;
  ein.Sicherheitsventil = 20;
  const MagErgebnis k = BerechneMAG(ein);
  EXPECT_EQ(k.Ein.Verdampfung, 180);
  EXPECT_EQ(k.Ein.Hoehe, 30);
  EXPECT_EQ(k.Ein.Kollektorvolumen, 1);
  EXPECT_EQ(k.Ein.Vorlage, 3);  // the minimum reserve, at least 3 l
  EXPECT_EQ(k.Ein.Sicherheitsventil, 15);

  // A nominal volume that is an exact multiple of the size still adds one vessel.
  MagEingaben genau = Beispiel();
  genau.Groesse = BerechneMAG(genau).Nennvolumen;
  EXPECT_EQ(BerechneMAG(genau).Anzahl, 2);

  for (auto [vn, g] : {std::pair{1.0, 8}, {8.0, 8}, {8.1, 12}, {25.0, 25}, {50.5, 80}, {80.0, 80},
                       {80.1, 50}, {400.0, 50}})
    EXPECT_EQ(MagGroesseFuer(vn), g) << vn;
}

TEST(Ausdehnungsgefaess, RaisedSafetyValveLeavesAWorkingRangeWithinFifteenBar) {
  struct Fall {
    double hoehe, td, psv;
    double psvDanach;
  };
  const Fall faelle[] = {
      {25.5, 175, 2, 12},  // the raise by the formula alone (11 bar) leaves pe below p0
      {10, 130, 2, 4},     // p0 2,58: trunc(2,58 + 0,3 + 0,2) + 1 = 4, whose margin leaves 3,6
      {30, 180, 2, 13},
  };
  for (const Fall& f : faelle) {
    MagEingaben ein = Beispiel();
    ein.Hoehe = f.hoehe;
    ein.Verdampfung = f.td;
    ein.Sicherheitsventil = f.psv;
    const MagErgebnis e = BerechneMAG(ein);
    EXPECT_TRUE(e.VordruckFehler) << f.hoehe;
    EXPECT_FALSE(e.KeinArbeitsbereich);
    EXPECT_EQ(e.Ein.Sicherheitsventil, f.psvDanach);
    EXPECT_GT(e.Enddruck, e.Vordruck);
    EXPECT_GT(e.Druckfaktor, 0.0);
    EXPECT_GE(e.Anzahl, 1);
    EXPECT_GT(e.Fuelldruck, e.Vordruck);
    EXPECT_LT(e.Fuelldruck, e.Enddruck);
  }
}

}  // namespace
}  // namespace tav
