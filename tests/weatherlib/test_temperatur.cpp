// The temperature series seen from outside: how a given global irradiation enters channel 8.
// Two runs with the same seed differ only where the global differs, so the difference of
// channel 8 between them shows the solar window and the evening decay on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "KlimaTestOrte.h"

namespace tav::klimgen::test {
namespace {

struct TempLauf {
  Bloecke b;
  TKlimOrt ort;
  KlimaTabellen tab = ProgrammKlimaTabellen();

  explicit TempLauf(const char* name) : ort(KlimOrt(Ort(name))) {
    for (int m = 1; m <= 12; ++m) {
      M(*b.monate, KLIM_M_ZIEL, m) = ort.MonatsSumme[m - 1];
      M(*b.monate, KLIM_M_TEMP, m) = ort.MonatsTemp[m - 1];
    }
    // Every day half of clear sky: neither overcast nor clear for the anomaly.
    for (int d = 1; d <= KLIM_TAGE; ++d) {
      T(*b.tage, KLIM_T_KLAR, d) = 1.0f;
      T(*b.tage, KLIM_T_GLOBAL, d) = 0.5f;
    }
  }
  // Channel 8 after a run with the given seed on the global now in channel 4.
  std::vector<float> Temperatur(uint32_t seed) {
    Zustand z;
    z.Rng.SetSeed(seed);
    Temp_Addition(z, ort, tab.KlimaZonen, tab.TempZonen, *b.stunden, *b.tage, *b.monate);
    const float* t = b.stunden->Werte + KLIM_K_TEMP * KLIM_STUNDEN;
    return std::vector<float>(t, t + KLIM_STUNDEN);
  }
  void Global(int tag, int stunde, float wert) { K(*b.stunden, KLIM_K_GLOBAL, (tag - 1) * 24 + stunde - 1) = wert; }
};

// A January day at least three days from the month's coldest and warmest hour, where the
// pull of the extremes towards the regional bounds does not reach.
int RuhigerJanuartag(const std::vector<float>& t) {
  int hMin = 0, hMax = 0;
  for (int h = 0; h < 31 * 24; ++h) {
    if (t[h] < t[hMin]) hMin = h;
    if (t[h] > t[hMax]) hMax = h;
  }
  int best = 0, abstand = -1;
  for (int tag = 5; tag <= 27; ++tag) {
    const int a = std::min(std::abs(tag - 1 - hMin / 24), std::abs(tag - 1 - hMax / 24));
    if (a > abstand) {
      abstand = a;
      best = tag;
    }
  }
  EXPECT_GE(abstand, 3);
  return best;
}

// January, zone 6: window 7 hours lagging 2 hours, 0.025 K per Wh/m2. A single sunny
// hour h0 = 10 (10:00-11:00 of a January day) warms the hours h0 - 1 ... h0 + 5 by the
// window mean; the hour after the last dark morning hour (11) gets no solar term and the
// one after it 80 %. Differences are taken against an early hour of the same day, which
// carries the same monthly shift.
TEST(Temperatur, SolarWindowLagsTheSunAndStartsSoftly) {
  const int h0 = 10;
  TempLauf lauf("Freiburg");
  const std::vector<float> ohne = lauf.Temperatur(31);
  const int tag = RuhigerJanuartag(ohne);
  lauf.Global(tag, h0, 100.0f);
  const std::vector<float> mit = lauf.Temperatur(31);
  const double s = 0.025 * 100.0 / 7.0;
  auto delta = [&](int k) {
    const int h = (tag - 1) * 24 + k - 1, ref = (tag - 1) * 24 + 2;
    return (mit[h] - ohne[h]) - (mit[ref] - ohne[ref]);
  };
  const double erwartet[25] = {0, 0, 0, 0, 0, 0, 0, 0, 0,  //
                               s, s, s, 0.0, 0.8 * s, s, s, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int k = 1; k <= 24; ++k) EXPECT_NEAR(delta(k), erwartet[k], 1e-4) << "hour " << k;
}

// After the last sunny afternoon hour the night series takes over one hour behind the
// window's delay and decays geometrically: each hour's step is the previous one divided
// by a divisor that falls with a longer window (1.5 for 6 hours, 1.35 for 7, 1.3 for 8,
// for 9 hours 1.15 north of 42 degrees and 1.2 south of it, 1.3 otherwise).
TEST(Temperatur, EveningDecayDivisorFollowsTheWindow) {
  struct Fall {
    const char* ort;
    int fenster;
    double divisor;
  };
  for (const Fall& f : {Fall{"Freiburg", 6, 1.5}, Fall{"Freiburg", 7, 1.35}, Fall{"Freiburg", 8, 1.3},
                        Fall{"Freiburg", 9, 1.15}, Fall{"Athen", 9, 1.2}, Fall{"Freiburg", 10, 1.3}}) {
    SCOPED_TRACE(testing::Message() << f.ort << " window " << f.fenster);
    TempLauf lauf(f.ort);
    // January of the location's zone: the given window, no delay, a weak coefficient so
    // that the month's extremes stay where they are.
    TKlimTempZone& zone = lauf.tab.TempZonen[lauf.ort.TempZone - 1];
    zone.Fenster[0] = static_cast<uint8_t>(f.fenster);
    zone.Verzug[0] = 0;
    zone.Koeffizient[0] = 0.001f;
    const std::vector<float> ohne = lauf.Temperatur(5);
    const int tag = RuhigerJanuartag(ohne);
    for (int k = 6; k <= 13; ++k) lauf.Global(tag, k, 100.0f);
    const std::vector<float> mit = lauf.Temperatur(5);
    // The evening starts at hour 14 (last sunny hour 13, no delay).
    auto d = [&](int k) {
      const int h = (tag - 1) * 24 + k - 1;
      return static_cast<double>(mit[h]) - ohne[h];
    };
    const double schritt1 = d(15) - d(14), schritt2 = d(16) - d(15), schritt3 = d(17) - d(16);
    ASSERT_LT(schritt1, -1e-3);
    EXPECT_NEAR(schritt2 / schritt1, 1.0 / f.divisor, 2e-3);
    EXPECT_NEAR(schritt3 / schritt2, 1.0 / f.divisor, 2e-3);
  }
}

}  // namespace
}  // namespace tav::klimgen::test
