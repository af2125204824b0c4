// The DIN V 4701-10 figures: table values, interpolation, worked cases and the guards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "enev/EnevCalc.h"

using namespace tav::enev;

TEST(EnevCalc, DinAreaCutsTowardZero) {
  struct Fall {
    bool vrk, kombi;
    double aN, erwartet;
  } faelle[] = {
      {false, false, 180, 5.7}, {false, false, 150, 4.9},
      {true, false, 180, std::trunc(0.066 * std::pow(180.0, 0.8) * 10) / 10},
      {false, true, 180, std::trunc(0.09 * std::pow(180.0, 0.8) * 1.8 * 10) / 10},
  };
  for (const auto& f : faelle) {
    const auto a = CalcKollFlaecheDIN(f.vrk, f.kombi, f.aN);
    ASSERT_TRUE(a.has_value());
    EXPECT_NEAR(*a, f.erwartet, 1e-9) << f.aN << " " << f.vrk << f.kombi;
  }
}

TEST(EnevCalc, StandbyLossCountsStoresOfAtMost1000Litres) {
  EXPECT_NEAR(*CalcBereitschaftsverlust(300, 0), 2.358, 1e-3);
  EXPECT_NEAR(*CalcBereitschaftsverlust(150, 150), 1.179, 1e-3);
  EXPECT_NEAR(*CalcBereitschaftsverlust(150, 150) * 2, *CalcBereitschaftsverlust(300, 0), 1e-12);
  // 1000 l is one store, 1001 l two of 500.5 l.
  EXPECT_NEAR(*CalcBereitschaftsverlust(1000, 0), 0.2 * std::pow(1000.0, 0.4) + 0.4, 1e-12);
  EXPECT_NEAR(*CalcBereitschaftsverlust(1001, 0), 2 * (0.2 * std::pow(500.5, 0.4) + 0.4), 1e-12);
  EXPECT_NEAR(*CalcBereitschaftsverlust(600, 600), 2 * (0.2 * std::pow(600.0, 0.4) + 0.4) / 2,
              1e-12);
}

TEST(EnevCalc, DistributionLossInterpolatesTheTable) {
  struct Fall {
    bool zirk, innen;
    double aN, q, qh;
  } faelle[] = {
      {true, false, 50, 14.6, 1.7},    {true, false, 100, 14.6, 1.7},
      {true, false, 125, 13.1, 1.7},   {true, true, 150, 9.8, 4.4},
      {true, true, 400, 7.3, 3.3},     {true, false, 10000, 6.6, 2.3},
      {true, false, 20000, 6.6, 2.3},  {false, false, 625, 1.7, 0.95},
      {false, false, 750, 0.0, 0.0},   {false, true, 2000, 0.0, 0.0},
      {false, true, 100, 5.1, 2.3},    {false, false, 500, 3.4, 1.9},
  };
  for (const auto& f : faelle) {
    const auto v = CalcVerteilverlust(f.zirk, f.innen, f.aN);
    ASSERT_TRUE(v.has_value());
    EXPECT_NEAR(v->qTWd, f.q, 1e-9) << f.aN << " " << f.zirk << f.innen;
    EXPECT_NEAR(v->qhTWd, f.qh, 1e-9) << f.aN << " " << f.zirk << f.innen;
  }
}

TEST(EnevCalc, StorageLossFactorsInsideAndOutside) {
  const auto innen = CalcSpeicherverlust(true, 100, 1.0);
  const auto aussen = CalcSpeicherverlust(false, 100, 1.0);
  EXPECT_NEAR(innen->qTWs, 2.80, 1e-12);
  EXPECT_NEAR(innen->qhTWs, 157.25 / 350 * 2.80, 1e-12);
  EXPECT_NEAR(aussen->qTWs, 3.4533333333, 1e-9);
  EXPECT_EQ(aussen->qhTWs, 0.0);
  EXPECT_EQ(innen->TUmgebung, 20.0);
  EXPECT_EQ(aussen->TUmgebung, 13.0);
}

TEST(EnevCalc, OrientationFactorWorkedCasesAndContinuity) {
  EXPECT_NEAR(*CalcOrientierungsfaktor(45, 0), 1.0, 1e-6);
  EXPECT_NEAR(*CalcOrientierungsfaktor(45, -10), 0.9905, 1e-6);
  EXPECT_NEAR(*CalcOrientierungsfaktor(45, 10), 0.9985, 1e-6);
  EXPECT_NEAR(*CalcOrientierungsfaktor(90, 0), 0.706, 1e-6);
  EXPECT_NEAR(*CalcOrientierungsfaktor(120, 0), 0.706, 1e-6);
  EXPECT_NEAR(*CalcOrientierungsfaktor(37.5, 0), (0.976 + 1.0) / 2, 1e-6);
  // Beyond ±90° the outer segment is extended.
  EXPECT_NEAR(*CalcOrientierungsfaktor(45, 120), 0.820 + (0.820 - 0.926), 1e-6);
  // No jump at the segment borders nor at the tilt rows.
  for (double az : {-90.0, -60.0, -40.0, -20.0, 0.0, 20.0, 40.0, 60.0, 90.0})
    for (double n : {0.0, 10.0, 15.0, 30.0, 45.0, 60.0, 75.0, 89.999}) {
      const double links = *CalcOrientierungsfaktor(n, az - 1e-7);
      const double rechts = *CalcOrientierungsfaktor(n, az + 1e-7);
      EXPECT_NEAR(links, rechts, 1e-5) << n << "/" << az;
    }
  for (double n : {15.0, 30.0, 45.0, 60.0, 75.0})
    for (double az : {-70.0, -30.0, 5.0, 50.0, 80.0})
      EXPECT_NEAR(*CalcOrientierungsfaktor(n - 1e-7, az), *CalcOrientierungsfaktor(n + 1e-7, az),
                  1e-5) << n << "/" << az;
  EXPECT_NEAR(*CalcOrientierungsfaktor(89.9999999, 30), *CalcOrientierungsfaktor(90, 30), 1e-5);
}

// The worked case of a small flat-plate plant for 180 m².
EnevEingaben Beispiel() {
  EnevEingaben e;
  e.Nutzflaeche = 180;
  e.KollFlaeche = 5.7;
  e.Eta0 = 0.77;
  e.K1 = 3.5;
  e.K2 = 0.02;
  e.IAM = 0.90f;
  e.Waermekap = 6.4;
  e.Neigung = 45;
  e.Azimut = 0;
  e.Rohrlaenge = 20;
  e.Vsol = 150;
  e.Vaux = 150;
  e.qBS = 1.179;
  e.KleineAnlage = true;
  e.Zirkulation = true;
  e.VerteilungInnen = true;
  e.SpeicherInnen = true;
  return e;
}

TEST(EnevCalc, AssessmentOfTheWorkedCase) {
  const auto r = CalcEnevErgebnis(Beispiel());
  ASSERT_TRUE(r.Gueltig());
  EXPECT_NEAR(r.Bedarf->QTW, 4225.4, 0.1);
  EXPECT_NEAR(*r.KollFlaecheDIN, 5.7, 1e-9);
  EXPECT_NEAR(r.FlaecheTW, 5.7, 1e-9);
  EXPECT_NEAR(r.QTWsol, 2220.5, 0.1);
  EXPECT_NEAR(r.AlphaTW, 0.526, 1e-3);
  EXPECT_NEAR(r.qTWHE, 0.721, 1e-3);
  EXPECT_EQ(r.qHHE, 0.0);
  EXPECT_NEAR(r.SpeicherVerlust, 180 * r.Bedarf->qTWs, 1e-2);
}

TEST(EnevCalc, CombiPlantSharesTheAreaAndCreditsTheRestToHeating) {
  auto e = Beispiel();
  e.Kombi = true;
  const double din = *CalcKollFlaecheDIN(false, true, 180);
  e.KollFlaeche = din + 2.0;
  const auto r = CalcEnevErgebnis(e);
  ASSERT_TRUE(r.Gueltig());
  const double start = e.KollFlaeche - 0.8 * din / 1.8;
  EXPECT_LE(r.FlaecheTW, start + 1e-9);
  EXPECT_GE(r.FlaecheTW, 0.2 * start - 1e-9);
  EXPECT_NEAR(r.qHHE, r.qTWHE * (e.KollFlaeche - r.FlaecheTW) / r.FlaecheTW, 1e-12);
  EXPECT_GT(r.qHHE, 0.0);
}

TEST(EnevCalc, SearchWithoutYieldLeavesZero) {
  auto e = Beispiel();
  e.Eta0 = 0.0;  // the regression gives no yield
  e.IAM = 0.0f;
  e.qBS = 0.0;
  const auto r = CalcEnevErgebnis(e);
  ASSERT_TRUE(r.SolarGueltig);
  EXPECT_EQ(r.QTWsol, 0.0);
  EXPECT_EQ(r.AlphaTW, 0.0);
  EXPECT_NEAR(r.FlaecheTW, e.KollFlaeche, 1e-12);
  EXPECT_EQ(r.qTWHE, 0.0);
}

TEST(EnevCalc, OutOfDomainInputsGiveTheErrorState) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(CalcKollFlaecheDIN(false, false, 0));
  EXPECT_FALSE(CalcKollFlaecheDIN(false, false, -5));
  EXPECT_FALSE(CalcBereitschaftsverlust(0, 150));
  EXPECT_FALSE(CalcBereitschaftsverlust(150, -1));
  EXPECT_FALSE(CalcBereitschaftsverlust(nan, 0));
  EXPECT_FALSE(CalcVerteilverlust(true, true, 0));
  EXPECT_FALSE(CalcSpeicherverlust(true, 0, 1.0));
  EXPECT_FALSE(CalcSpeicherverlust(true, 100, -1.0));
  EXPECT_FALSE(CalcOrientierungsfaktor(-1, 0));
  EXPECT_FALSE(CalcOrientierungsfaktor(-15, 0));
  EXPECT_FALSE(CalcOrientierungsfaktor(nan, 0));
  EXPECT_FALSE(CalcHilfsenergie(0, 0.5, 5, 0));
  EXPECT_FALSE(CalcHilfsenergie(180, 0.5, 0, 0));
  const auto e = Beispiel();
  EXPECT_FALSE(CalcSolarertragTW(e, 0, 4000));
  EXPECT_FALSE(CalcSolarertragTW(e, 5, 0));
  EXPECT_FALSE(CalcSolarertragTW(e, -5, 4000));

  struct Fall {
    const char* name;
    void (*setze)(EnevEingaben&);
    bool bedarf;
  } faelle[] = {
      {"A_N 0", [](EnevEingaben& x) { x.Nutzflaeche = 0; }, false},
      {"A_N negativ", [](EnevEingaben& x) { x.Nutzflaeche = -10; }, false},
      {"A_C 0", [](EnevEingaben& x) { x.KollFlaeche = 0; }, true},
      {"Vaux 0", [](EnevEingaben& x) { x.Vaux = 0; }, true},
      {"Neigung negativ", [](EnevEingaben& x) { x.Neigung = -20; }, true},
  };
  for (const auto& f : faelle) {
    auto x = Beispiel();
    f.setze(x);
    const auto r = CalcEnevErgebnis(x);
    EXPECT_FALSE(r.Gueltig()) << f.name;
    EXPECT_FALSE(r.SolarGueltig) << f.name;
    EXPECT_EQ(r.Bedarf.has_value(), f.bedarf) << f.name;
    if (r.Bedarf) {
      EXPECT_TRUE(std::isfinite(r.Bedarf->QTW)) << f.name;
    }
  }
}

TEST(EnevCalc, RoundingRestIsNoNegativeArea) {
  EXPECT_EQ(OhneRundungsrest(-1e-16), 0.0);
  EXPECT_FALSE(std::signbit(OhneRundungsrest(-1e-16)));
  EXPECT_EQ(OhneRundungsrest(-0.5), -0.5);
  EXPECT_EQ(OhneRundungsrest(0.3), 0.3);
}
