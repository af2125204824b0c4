// Sun position, extraterrestrial and clear-sky irradiance, monthly check, turbidity zones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/Intern.h"
#include "core/Klimgen.h"

namespace tav::klimgen {
namespace {

constexpr double kGrad = kPi / 180.0;

// Independent reference: the low-precision solar coordinates of the Astronomical Almanac
// (accurate to about 0.01 degree for 1950-2050), for a day of 2023 and a time in UT.
struct Referenz {
  double hoehe, azimut, deklination;  // degrees; azimuth from south, east negative
};
Referenz AlmanachSonne(int tag, double utStunden, double breite, double laenge) {
  const double n = 2459945.5 + (tag - 1) + utStunden / 24.0 - 2451545.0;
  const double L = std::fmod(280.460 + 0.9856474 * n, 360.0);
  const double g = std::fmod(357.528 + 0.9856003 * n, 360.0) * kGrad;
  const double lambda = (L + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kGrad;
  const double eps = (23.439 - 0.0000004 * n) * kGrad;
  const double ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
  const double dekl = std::asin(std::sin(eps) * std::sin(lambda));
  const double gmst = 6.697375 + 0.0657098242 * n + utStunden;
  const double ha = std::remainder((gmst + laenge / 15.0) * 15.0 * kGrad - ra, 2 * kPi);
  const double phi = breite * kGrad;
  const double el = std::asin(std::sin(phi) * std::sin(dekl) + std::cos(phi) * std::cos(dekl) * std::cos(ha));
  const double azN = std::atan2(-std::cos(dekl) * std::sin(ha),
                                std::sin(dekl) * std::cos(phi) - std::cos(dekl) * std::sin(phi) * std::cos(ha));
  return {el / kGrad, std::remainder(azN / kGrad - 180.0, 360.0), dekl / kGrad};
}

struct Standort {
  float breite, laenge;
  int zeitzone;
};

// ctest lists the site as latitude, longitude and zone, not as the bytes of the struct.
void PrintTo(const Standort& s, std::ostream* os) {
  *os << s.breite << " / " << s.laenge << " zone " << s.zeitzone;
}

class SonnenstandGegenAlmanach : public ::testing::TestWithParam<Standort> {};

// The DIN formulas (declination and equation of time as cosine series) agree with the
// almanac within a few tenths of a degree wherever the sun is clearly up.
TEST_P(SonnenstandGegenAlmanach, ElevationAndAzimuthAgree) {
  const Standort s = GetParam();
  auto block = std::make_unique<TKlimStunden>();
  Sun_Position_DIN(*block, s.breite, s.laenge, static_cast<float>(s.zeitzone));
  double maxEl = 0.0, maxAz = 0.0;
  for (int h = 0; h < KLIM_STUNDEN; ++h) {
    const int tag = h / 24 + 1, k = h % 24 + 1;
    const Referenz r = AlmanachSonne(tag, (k - 0.5) - s.zeitzone, s.breite, s.laenge);
    if (r.hoehe < 2.0) {
      if (r.hoehe < -1.0) {
        ASSERT_EQ(K(*block, KLIM_K_HOEHE, h), 0.0f) << h;
      }
      continue;
    }
    maxEl = std::max(maxEl, std::fabs(K(*block, KLIM_K_HOEHE, h) - r.hoehe));
    if (r.hoehe < 80.0) maxAz = std::max(maxAz, std::fabs(std::remainder(K(*block, KLIM_K_AZIMUT, h) - r.azimut, 360.0)));
  }
  EXPECT_LT(maxEl, 0.5);
  EXPECT_LT(maxAz, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Orte, SonnenstandGegenAlmanach,
                         ::testing::Values(Standort{48.0f, 7.9f, 1}, Standort{60.4f, 5.3f, 1}, Standort{38.0f, 23.7f, 2},
                                           Standort{-37.8f, 145.0f, 10}, Standort{1.35f, 103.8f, 8},
                                           Standort{69.65f, 18.95f, 1}));

// Solstices at 48 N with the clock's half hour on the meridian (7.5 E, zone 1): the noon
// elevation is 90 - latitude +- 23.44, sunrise falls in the sixth hour in June
// (about 4:35) and in the ninth in December (about 8:24).
TEST(Sonnenstand, SolsticesNoonElevationAndSunrise) {
  auto block = std::make_unique<TKlimStunden>();
  Sun_Position_DIN(*block, 48.0f, 7.5f, 1.0f);
  auto erste = [&](int tag) {
    for (int k = 1; k <= 24; ++k)
      if (K(*block, KLIM_K_HOEHE, (tag - 1) * 24 + k - 1) > 0.0f) return k;
    return 0;
  };
  EXPECT_NEAR(K(*block, KLIM_K_HOEHE, 171 * 24 + 12), 90.0 - 48.0 + 23.44, 0.2);
  EXPECT_NEAR(K(*block, KLIM_K_HOEHE, 354 * 24 + 12), 90.0 - 48.0 - 23.44, 0.2);
  EXPECT_EQ(erste(172), 6);
  EXPECT_EQ(erste(355), 9);
  // Morning azimuths east (negative), afternoon west; below the horizon both are 0.
  EXPECT_LT(K(*block, KLIM_K_AZIMUT, 171 * 24 + 8), 0.0f);
  EXPECT_GT(K(*block, KLIM_K_AZIMUT, 171 * 24 + 16), 0.0f);
  EXPECT_EQ(K(*block, KLIM_K_AZIMUT, 171 * 24 + 1), 0.0f);
}

// The solar constant 1367 W/m2 with the orbit's +-3.3 %: largest at the start of January,
// smallest at the start of July.
TEST(Extraterrestrisch, NormalIrradianceFollowsTheOrbit) {
  double mittel = 0.0;
  for (int j = 1; j <= 365; ++j) mittel += I0(j) / 365.0;
  EXPECT_NEAR(mittel, 1367.0, 0.01);
  EXPECT_NEAR(I0(365), 1412.1, 0.1);
  EXPECT_NEAR(I0(183), 1321.9, 0.2);
}

// Daily sums of the hourly values against the closed-form daily extraterrestrial
// irradiation with the almanac's declination; the hour-middle sampling costs about 1 %,
// more on the short days of high latitudes, which are left out.
TEST(Extraterrestrisch, DailySumsMatchClosedForm) {
  for (float breite : {1.35f, 38.0f, 48.0f, -37.8f, 60.4f}) {
    auto s = std::make_unique<TKlimStunden>();
    auto t = std::make_unique<TKlimTage>();
    auto m = std::make_unique<TKlimMonate>();
    Sun_Position_DIN(*s, breite, 15.0f, 1.0f);
    E_ex_hour_day_month(*s, *t, *m);
    const double phi = breite * kGrad;
    double monat = 0.0;
    for (int j = 1; j <= 365; ++j) {
      const double d = AlmanachSonne(j, 11.0, breite, 15.0).deklination * kGrad;
      const double ws = std::acos(std::clamp(-std::tan(phi) * std::tan(d), -1.0, 1.0));
      const double h0 = 24.0 / kPi * I0(j) * (std::cos(phi) * std::cos(d) * std::sin(ws) + ws * std::sin(phi) * std::sin(d)) / 1000.0;
      if (h0 > 3.0) {
        EXPECT_NEAR(T(*t, KLIM_T_EXTRA, j), h0, 0.02 * h0) << breite << " day " << j;
      }
      if (j <= 31) monat += T(*t, KLIM_T_EXTRA, j);
    }
    EXPECT_NEAR(M(*m, KLIM_M_EXTRA, 1), monat, 1e-3 * monat);
  }
}

// Clear sky on day 91 with Linke turbidity 3 at sea level, worked out by hand from the
// beam and diffuse expressions: 931.0, 482.5 and 122.9 W/m2 at 60, 30 and 10 degrees.
// The thresholds: 0.5 degrees is still night for the clear sky, below 1 degree the maximum
// clearness is capped at 0.9.
TEST(KlarerHimmel, ReferenceValuesAndThresholds) {
  auto s = std::make_unique<TKlimStunden>();
  auto t = std::make_unique<TKlimTage>();
  const int basis = 90 * 24;
  const float hoehen[] = {60.0f, 30.0f, 10.0f, 0.5f, 0.8f, 1.0f};
  for (int i = 0; i < 6; ++i) {
    K(*s, KLIM_K_HOEHE, basis + i) = hoehen[i];
    K(*s, KLIM_K_EXTRA, basis + i) = static_cast<float>(SinG(hoehen[i]) * I0(91));
  }
  T(*t, KLIM_T_EXTRA, 91) = 1.0f;
  Clearness_max(TKlimTruebung{0, 3.0f, 0.0f, 0.0f}, *s, *t, 0.0f);
  EXPECT_NEAR(K(*s, KLIM_K_KLAR, basis + 0), 931.0, 1.0);
  EXPECT_NEAR(K(*s, KLIM_K_KLAR, basis + 1), 482.5, 1.0);
  EXPECT_NEAR(K(*s, KLIM_K_KLAR, basis + 2), 122.9, 0.5);
  EXPECT_NEAR(K(*s, KLIM_K_KTMAX, basis + 0), 0.943, 0.002);
  EXPECT_EQ(K(*s, KLIM_K_KLAR, basis + 3), 0.0f);
  EXPECT_EQ(K(*s, KLIM_K_KTMAX, basis + 3), 0.0f);
  EXPECT_GT(K(*s, KLIM_K_EXTRA, basis + 3), 0.0f);
  double summe = 0.0;
  for (int i = 0; i < 6; ++i) summe += K(*s, KLIM_K_KLAR, basis + i);
  EXPECT_NEAR(T(*t, KLIM_T_KLAR, 91), summe / 1000.0, 1e-5);
  EXPECT_NEAR(T(*t, KLIM_T_KTMAX, 91), 1.05 * summe / 1000.0, 1e-5);
  // Days without any sun: no clear sky and no division by the vanishing daily value.
  EXPECT_EQ(T(*t, KLIM_T_KTMAX, 1), 0.0f);
  // A very clear sky (turbidity 1) would exceed 0.9 at both 0.8 and 1.0 degrees.
  Clearness_max(TKlimTruebung{0, 1.0f, 0.0f, 0.0f}, *s, *t, 0.0f);
  EXPECT_FLOAT_EQ(K(*s, KLIM_K_KTMAX, basis + 4), 0.9f);
  EXPECT_GT(K(*s, KLIM_K_KTMAX, basis + 5), 0.95f);
}

// Clearness limit: about 0.647 at 48 N, 0.724 at 40.4 N and 0.626 at 60 N at sea level.
TEST(MonatsCheck, StatusFromMonthlyClearness) {
  EXPECT_NEAR(KTMaximum(48.0f, 0.0f), 0.647, 0.001);
  EXPECT_NEAR(KTMaximum(40.4f, 0.0f), 0.724, 0.001);
  EXPECT_NEAR(KTMaximum(60.0f, 0.0f), 0.626, 0.001);
  struct Fall {
    float kt3, kt9;  // clearness of March and September, the rest 0.4
    uint8_t status;
  };
  for (const Fall f : {Fall{0.4f, 0.4f, 0}, Fall{0.1f, 0.4f, 2}, Fall{0.4f, 0.9f, 3}, Fall{0.1f, 0.9f, 3},
                       Fall{0.9f, 0.1f, 2}, Fall{0.15f, 0.647f, 0}}) {
    TKlimMonate m{};
    for (int i = 1; i <= 12; ++i) {
      M(m, KLIM_M_EXTRA, i) = 100.0f;
      M(m, KLIM_M_ZIEL, i) = i == 3 ? 100.0f * f.kt3 : (i == 9 ? 100.0f * f.kt9 : 40.0f);
    }
    EXPECT_EQ(Clearness_m_Check(m, 48.0f, 0.0f), f.status) << f.kt3 << " " << f.kt9;
    EXPECT_FLOAT_EQ(M(m, KLIM_M_KT, 3), f.kt3);
  }
  // Polar night: a dark month is plausible, irradiation without any sun is not.
  TKlimMonate m{};
  for (int i = 1; i <= 12; ++i) {
    M(m, KLIM_M_EXTRA, i) = 40.0f;
    M(m, KLIM_M_ZIEL, i) = 16.0f;
  }
  M(m, KLIM_M_EXTRA, 12) = M(m, KLIM_M_ZIEL, 12) = 0.0f;
  EXPECT_EQ(Clearness_m_Check(m, 70.0f, 0.0f), 0);
  EXPECT_EQ(M(m, KLIM_M_KT, 12), 0.0f);
  M(m, KLIM_M_ZIEL, 12) = 1.0f;
  EXPECT_EQ(Clearness_m_Check(m, 70.0f, 0.0f), 3);
}

// Later rules overwrite earlier ones; where none applies the latitude decides.
TEST(Truebungszone, RulePrecedence) {
  struct Fall {
    const char* ort;
    float breite, laenge;
    int zone;
  };
  for (const Fall& f : {Fall{"50N 10E", 50.0f, 10.0f, 3}, Fall{"47N 40E", 47.0f, 40.0f, 8},
                        Fall{"Berlin", 52.5f, 13.4f, 6}, Fall{"Hamburg", 53.6f, 10.0f, 2},
                        Fall{"Wien", 48.2f, 16.4f, 9}, Fall{"Paris", 48.9f, 2.3f, 7}, Fall{"London", 51.5f, -0.1f, 5},
                        Fall{"Dublin", 53.3f, -6.3f, 4}, Fall{"Madrid", 40.4f, -3.7f, 10},
                        Fall{"Rom", 41.9f, 12.5f, 12}, Fall{"Mailand", 45.5f, 9.2f, 12},
                        Fall{"Athen", 38.0f, 23.7f, 13}, Fall{"Oslo", 59.9f, 10.7f, 2},
                        Fall{"Bergen", 60.4f, 5.3f, 1}, Fall{"70N 100E", 70.0f, 100.0f, 2},
                        Fall{"20N 0E", 20.0f, 0.0f, 12}}) {
    EXPECT_EQ(TurbidZone(f.breite, f.laenge), f.zone) << f.ort;
  }
}

}  // namespace
}  // namespace tav::klimgen
