// Best-year search, year choice, monthly sums, result codes of the synthesis entries and the
// temperature helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "KlimaTestOrte.h"

namespace tav::klimgen::test {
namespace {

// Daily candidate globals spread evenly over each month so that the month sums S(y, m) are
// the given ones.
void SetzeKandidat(TKlimTage& t, int y, const std::array<double, 12>& s) {
  for (int m = 1; m <= 12; ++m)
    for (int d = kMonatsAnfang[m - 1]; d < kMonatsAnfang[m]; ++d)
      TK(t, KLIM_T_KANDIDAT_GLOBAL, d, y) = static_cast<float>(s[m - 1] / kMonatsTage[m - 1]);
}

std::array<double, 12> Gleich(double v) {
  std::array<double, 12> a;
  a.fill(v);
  return a;
}

TEST(BestesJahr, SmallestAbsoluteDeviationFirstOfEqualsWins) {
  auto t = std::make_unique<TKlimTage>();
  TKlimMonate m{};
  // Daily values of 4 kWh against candidates of 5, 4.5 and 3.5 (all sums exact).
  std::array<double, 12> hoch{}, knapp{}, tief{};
  for (int i = 1; i <= 12; ++i) {
    M(m, KLIM_M_ZIEL, i) = 4.0f * kMonatsTage[i - 1];
    hoch[i - 1] = 5.0 * kMonatsTage[i - 1];
    knapp[i - 1] = 4.5 * kMonatsTage[i - 1];
    tief[i - 1] = 3.5 * kMonatsTage[i - 1];
  }
  for (int y = 1; y <= 15; ++y) SetzeKandidat(*t, y, hoch);
  EXPECT_EQ(FindBestYear(*t, m), 1);  // all equal
  SetzeKandidat(*t, 9, knapp);
  SetzeKandidat(*t, 4, tief);  // the same deviation as 9, the lower number wins
  EXPECT_EQ(FindBestYear(*t, m), 4);
}

TEST(Jahreswahl, PenaltyDivisorAndAnnualTerm) {
  auto t = std::make_unique<TKlimTage>();
  TKlimMonate m{};
  const std::array<float, 12> null{};
  auto mitMonaten = [](double grund, std::initializer_list<std::pair<int, double>> abweichend) {
    auto a = Gleich(grund);
    for (auto [monat, wert] : abweichend) a[monat - 1] = wert;
    return a;
  };

  // A month exactly 15 % off is not penalised, beyond that it counts four-fold. Targets
  // 140; candidate 1 is 15 % high in February (161 = 28 x 5.75, exact), candidate 2 12 kWh
  // high in February and April: scores 441 + 3 (21)^2 = 1764 against 288 + 3 (24)^2 = 2016.
  // At 162.4 candidate 1 pays (2 x 22.4)^2 + 3 (22.4)^2 = 3512 and loses.
  for (int i = 1; i <= 12; ++i) M(m, KLIM_M_ZIEL, i) = 140.0f;
  for (int y = 1; y <= 15; ++y) SetzeKandidat(*t, y, Gleich(200.0));
  SetzeKandidat(*t, 2, mitMonaten(140.0, {{2, 152.0}, {4, 152.0}}));
  SetzeKandidat(*t, 1, mitMonaten(140.0, {{2, 161.0}}));
  EXPECT_EQ(YearChoice(1, *t, m, null.data()), 1);
  SetzeKandidat(*t, 1, mitMonaten(140.0, {{2, 162.4}}));
  EXPECT_EQ(YearChoice(1, *t, m, null.data()), 2);

  // The running mean counts. Targets 100, previous years 10 % short: in mode 2 a year 10 %
  // long balances the series exactly; in mode 3 (two short years before) a year 14 % long
  // does better (not penalised, it stays within 15 %).
  for (int i = 1; i <= 12; ++i) M(m, KLIM_M_ZIEL, i) = 100.0f;
  std::array<float, 12> kurz;
  kurz.fill(90.0f);
  for (int y = 1; y <= 15; ++y) SetzeKandidat(*t, y, Gleich(150.0));
  SetzeKandidat(*t, 1, Gleich(100.0));
  SetzeKandidat(*t, 2, Gleich(110.0));
  EXPECT_EQ(YearChoice(2, *t, m, kurz.data()), 2);
  std::array<float, 12> zwei;
  zwei.fill(180.0f);
  SetzeKandidat(*t, 3, Gleich(114.0));
  EXPECT_EQ(YearChoice(3, *t, m, zwei.data()), 3);

  // The annual term weighs three-fold: a year 4 % high in every month (monthly terms 48,
  // annual 3 (24)^2) loses against one 10 % high and low in turn (300, balanced year).
  std::array<float, 12> genau;
  genau.fill(100.0f);
  SetzeKandidat(*t, 1, Gleich(104.0));
  auto wechselnd = Gleich(100.0);
  for (int i = 0; i < 12; ++i) wechselnd[i] += i % 2 == 0 ? 10.0 : -10.0;
  SetzeKandidat(*t, 2, wechselnd);
  SetzeKandidat(*t, 3, Gleich(150.0));
  EXPECT_EQ(YearChoice(2, *t, m, genau.data()), 2);
}

// Monthly sums of a year given as direct normal and diffuse horizontal.
TEST(Monatssummen, FromDirectNormalAndDiffuse) {
  const TKlimOrt ort = KlimOrt(Ort("Freiburg"));
  std::vector<float> r(3 * KLIM_STUNDEN, 0.0f);
  std::array<float, 12> s{};
  for (int h = 0; h < KLIM_STUNDEN; ++h) r[h] = 800.0f;  // beam alone never counts
  ASSERT_EQ(CalcMonatssummen(ort, r.data(), s.data()), kOk);
  for (float v : s) EXPECT_EQ(v, 0.0f);

  for (int h = 0; h < KLIM_STUNDEN; ++h) {
    r[h] = 0.0f;
    r[KLIM_STUNDEN + h] = 1.0f;
    r[2 * KLIM_STUNDEN + h] = std::numeric_limits<float>::quiet_NaN();  // the third series is not read
  }
  ASSERT_EQ(CalcMonatssummen(ort, r.data(), s.data()), kOk);
  for (int m = 1; m <= 12; ++m) EXPECT_FLOAT_EQ(s[m - 1], 24.0f * kMonatsTage[m - 1] / 1000.0f);

  // Beam with a tiny diffuse part: the sum of cos(zenith) times the beam over the daylight
  // hours of the simple clock-hour geometry; at noon in June cos z is near sin(65.4 deg).
  for (int h = 0; h < KLIM_STUNDEN; ++h) {
    r[h] = 1000.0f;
    r[KLIM_STUNDEN + h] = 1e-6f;
  }
  ASSERT_EQ(CalcMonatssummen(ort, r.data(), s.data()), kOk);
  EXPECT_GT(s[5], s[11] * 3.0f);
  std::fill(r.begin(), r.end(), 0.0f);
  r[171 * 24 + 11] = 1000.0f;
  r[KLIM_STUNDEN + 171 * 24 + 11] = 1e-6f;
  ASSERT_EQ(CalcMonatssummen(ort, r.data(), s.data()), kOk);
  EXPECT_NEAR(s[5], std::sin((90.0 - 48.0 + 23.45) * kPi / 180.0) * std::cos(7.5 * kPi / 180.0), 0.01);

  // A non-finite input is refused and the sums stay as they were.
  r[5] = std::numeric_limits<float>::infinity();
  s.fill(-1.0f);
  EXPECT_EQ(CalcMonatssummen(ort, r.data(), s.data()), kUngueltig);
  for (float v : s) EXPECT_EQ(v, -1.0f);
}

class Codes : public ::testing::Test {
 protected:
  Bloecke b;
  const KlimaTabellen& tab = ProgrammKlimaTabellen();
  std::array<float, 12> vorjahre{};

  uint8_t Jahr(Zustand& z, uint8_t mode, bool gen, const TKlimOrt& o) {
    return KlimgenSimYears(z, mode, gen, o, tab.KlimaZonen, tab.TempZonen, tab.TruebungsZonen, vorjahre.data(),
                           *b.stunden, *b.tage, *b.monate);
  }
  void Fuellen(float wert) {
    std::fill(std::begin(b.stunden->Werte), std::end(b.stunden->Werte), wert);
    std::fill(std::begin(b.tage->Werte), std::end(b.tage->Werte), wert);
    std::fill(std::begin(b.monate->Werte), std::end(b.monate->Werte), wert);
  }
  bool Unberuehrt(float wert) const {
    for (float v : b.stunden->Werte) if (v != wert) return false;
    for (float v : b.tage->Werte) if (v != wert) return false;
    for (float v : b.monate->Werte) if (v != wert) return false;
    return true;
  }
};

// Invalid arguments give 9 before anything is computed or drawn.
TEST_F(Codes, InvalidArgumentsLeaveBlocksAndStreamUntouched) {
  const TKlimOrt gut = KlimOrt(Ort("Freiburg"));
  struct Fall {
    const char* was;
    uint8_t mode;
    TKlimOrt ort;
  };
  auto mit = [&](auto f) {
    TKlimOrt o = gut;
    f(o);
    return o;
  };
  const Fall faelle[] = {
      {"mode 0", 0, gut},
      {"mode 4", 4, gut},
      {"mode 2 unprepared", 2, gut},
      {"temperature zone 0", 1, mit([](TKlimOrt& o) { o.TempZone = 0; })},
      {"temperature zone 9 (empty)", 1, mit([](TKlimOrt& o) { o.TempZone = 9; })},
      {"temperature zone 21", 1, mit([](TKlimOrt& o) { o.TempZone = 21; })},
      {"negative irradiation", 1, mit([](TKlimOrt& o) { o.MonatsSumme[4] = -1.0f; })},
      {"NaN irradiation", 1, mit([](TKlimOrt& o) { o.MonatsSumme[4] = std::nanf(""); })},
      {"infinite temperature", 1, mit([](TKlimOrt& o) { o.MonatsTemp[0] = INFINITY; })},
      {"latitude 95", 1, mit([](TKlimOrt& o) { o.Breite = 95.0f; })},
      {"altitude 20 km", 1, mit([](TKlimOrt& o) { o.Hoehe = 20000; })},
  };
  for (const Fall& f : faelle) {
    Zustand z;
    z.Rng.SetSeed(123);
    Fuellen(-7.0f);
    EXPECT_EQ(Jahr(z, f.mode, f.mode > 1, f.ort), kUngueltig) << f.was;
    EXPECT_EQ(z.Ergebniscode, kUngueltig) << f.was;
    EXPECT_EQ(z.Rng.Seed(), 123u) << f.was;
    EXPECT_TRUE(Unberuehrt(-7.0f)) << f.was;
  }
}

// A turbidity entry far outside any real atmosphere is refused as well.
TEST_F(Codes, UnphysicalTurbidityTableIsRefused) {
  Zustand z;
  KlimaTabellen fremd = tab;
  const TKlimOrt o = KlimOrt(Ort("Freiburg"));
  fremd.TruebungsZonen[TurbidZone(o.Breite, o.Laenge)].Mittel = 1e30f;
  EXPECT_EQ(KlimgenSimYears(z, 1, false, o, fremd.KlimaZonen, fremd.TempZonen, fremd.TruebungsZonen, nullptr,
                            *b.stunden, *b.tage, *b.monate),
            kUngueltig);
}

// Modes 2 and 3 need a successful mode 1 for the same location: the same values, whatever
// their bytes.
TEST_F(Codes, LaterModesNeedTheirPreparation) {
  Zustand z;
  z.Rng.SetSeed(1);
  const TKlimOrt freiburg = KlimOrt(Ort("Freiburg"));
  const TKlimOrt athen = KlimOrt(Ort("Athen"));
  ASSERT_EQ(Jahr(z, 1, false, freiburg), kOk);
  EXPECT_EQ(Jahr(z, 2, true, athen), kUngueltig);
  EXPECT_EQ(Jahr(z, 2, true, freiburg), kOk);
  EXPECT_EQ(Jahr(z, 3, true, freiburg), kOk);
  TKlimOrt dunkel = freiburg;
  for (float& v : dunkel.MonatsSumme) v = 0.05f * 30.0f;
  EXPECT_EQ(Jahr(z, 1, false, dunkel), kTooLow);
  EXPECT_EQ(Jahr(z, 2, true, freiburg), kUngueltig);  // the failed call replaced the preparation

  TKlimOrt greenwich = freiburg;
  greenwich.Laenge = 0.0f;
  ASSERT_EQ(Jahr(z, 1, false, greenwich), kOk);
  greenwich.Laenge = -0.0f;
  EXPECT_EQ(Jahr(z, 2, true, greenwich), kOk);
  greenwich.Hoehe += 1;
  EXPECT_EQ(Jahr(z, 3, true, greenwich), kUngueltig);
}

// Implausible months stop mode 1 before any random draw; the result byte starts at 0 on
// every entry.
TEST_F(Codes, ImplausibleMonthsAndResultByteReset) {
  Zustand z;
  z.Rng.SetSeed(99);
  TKlimOrt o = KlimOrt(Ort("Freiburg"));
  for (int m = 0; m < 12; ++m) o.MonatsSumme[m] = 0.05f * kMonatsTage[m];
  EXPECT_EQ(Jahr(z, 1, false, o), kTooLow);
  EXPECT_EQ(z.KTStatus, 2);
  EXPECT_EQ(z.Rng.Seed(), 99u);
  o = KlimOrt(Ort("Freiburg"));
  o.MonatsSumme[11] = 5.0f * 31;  // December far above clear sky
  EXPECT_EQ(Jahr(z, 1, false, o), kTooHigh);
  EXPECT_EQ(z.Rng.Seed(), 99u);
  EXPECT_EQ(Jahr(z, 1, false, KlimOrt(Ort("Freiburg"))), kOk);
  EXPECT_EQ(z.Ergebniscode, kOk);
}

// Mode 1 without the generation flag draws one year directly: the candidate matrices are
// not touched. With the flag they are all written.
TEST_F(Codes, GenerationFlagDecidesAboutCandidates) {
  Zustand z;
  z.Rng.SetSeed(3);
  Fuellen(-7.0f);
  ASSERT_EQ(Jahr(z, 1, false, KlimOrt(Ort("Hitzacker"))), kOk);
  for (int i = KLIM_T_KANDIDAT_KT; i < KLIM_TAGE_WERTE; ++i) ASSERT_EQ(b.tage->Werte[i], -7.0f) << i;
  for (int i = KLIM_M_KANDIDAT_KT; i < KLIM_MONATE_WERTE; ++i) ASSERT_EQ(b.monate->Werte[i], -7.0f) << i;
  ASSERT_EQ(Jahr(z, 1, true, KlimOrt(Ort("Hitzacker"))), kOk);
  for (int i = KLIM_T_KANDIDAT_KT; i < KLIM_TAGE_WERTE; ++i) ASSERT_NE(b.tage->Werte[i], -7.0f) << i;
  const int wahl = FindBestYear(*b.tage, *b.monate);
  for (int d = 1; d <= KLIM_TAGE; ++d) ASSERT_EQ(T(*b.tage, KLIM_T_KT, d), TK(*b.tage, KLIM_T_KANDIDAT_KT, d, wahl));
}

// The single-year entry takes daily means and multiplies them by the month length.
TEST_F(Codes, SingleYearEntryTakesDailyMeans) {
  Zustand z;
  z.Rng.SetSeed(8);
  const TestOrt& o = Ort("Athen");
  TKlimOrt ort = KlimOrt(o);
  for (int m = 0; m < 12; ++m) ort.MonatsSumme[m] = o.tagesmittel[m];
  ASSERT_EQ(KlimgenSimulation(z, true, ort, tab.KlimaZonen, tab.TempZonen, tab.TruebungsZonen, *b.stunden, *b.tage,
                              *b.monate),
            kOk);
  for (int m = 1; m <= 12; ++m) EXPECT_FLOAT_EQ(M(*b.monate, KLIM_M_ZIEL, m), o.tagesmittel[m - 1] * kMonatsTage[m - 1]);
  EXPECT_EQ(Jahr(z, 2, true, ort), kUngueltig);  // no preparation for the series
}

// Climate regions: a start value for the continent, later rules overwrite, the latitude
// decides where none applies.
TEST(Temperatur, ClimateRegionPrecedence) {
  struct Fall {
    const char* ort;
    float breite, laenge;
    int region;
  };
  for (const Fall& f : {Fall{"Berlin", 52.5f, 13.4f, 4}, Fall{"Paris", 48.9f, 2.3f, 3}, Fall{"London", 51.5f, -0.1f, 3},
                        Fall{"Dublin", 53.3f, -6.3f, 3}, Fall{"Oslo", 59.9f, 10.7f, 2},
                        Fall{"Stockholm", 59.3f, 18.1f, 5}, Fall{"Helsinki", 60.2f, 24.9f, 5},
                        Fall{"Warschau", 52.2f, 21.0f, 5}, Fall{"Madrid", 40.4f, -3.7f, 6}, Fall{"Rom", 41.9f, 12.5f, 6},
                        Fall{"Athen", 38.0f, 23.7f, 6}, Fall{"Mailand", 45.5f, 9.2f, 6},
                        Fall{"Peking", 39.9f, 116.4f, 7}, Fall{"47N 40E", 47.0f, 40.0f, 5},
                        Fall{"Reykjavik", 64.1f, -21.9f, 2}, Fall{"Quebec", 46.8f, -71.2f, 4},
                        Fall{"Melbourne", -37.8f, 145.0f, 6}}) {
    EXPECT_EQ(Klimaregion(f.breite, f.laenge), f.region) << f.ort;
  }
}

TEST(Temperatur, ZoneValidation) {
  const KlimaTabellen& tab = ProgrammKlimaTabellen();
  TKlimOrt o = KlimOrt(Ort("Freiburg"));
  for (int zone = 0; zone <= 21; ++zone) {
    o.TempZone = static_cast<uint8_t>(zone);
    EXPECT_EQ(TempZoneGueltig(o, tab.TempZonen), zone >= 1 && zone <= 8) << zone;
  }
  // A window reaching beyond the one day by which the year is extended.
  KlimaTabellen fremd = tab;
  fremd.TempZonen[5].Fenster[3] = 40;
  fremd.TempZonen[5].Verzug[3] = 6;
  o.TempZone = 6;
  EXPECT_FALSE(TempZoneGueltig(o, fremd.TempZonen));
}

}  // namespace
}  // namespace tav::klimgen::test
