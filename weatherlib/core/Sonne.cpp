// Deterministic half of the synthesis: sun position, extraterrestrial and clear-sky
// irradiance, the monthly plausibility check and the turbidity zones.
#include <algorithm>
#include <cmath>

#include "core/Intern.h"
#include "core/Klimgen.h"

namespace tav::klimgen {

uint8_t TurbidZone(float Breite, float Laenge) {
  const double p = Breite;
  const double l = Laenge;
  if (!std::isfinite(p) || !std::isfinite(l)) return 0;
  auto lat = [p](double a, double b) { return a <= p && p < b; };
  auto lon = [l](double c, double d) { return c < l && l <= d; };
  // Tested in order; a later match overwrites an earlier one.
  int z = 0;
  if (lat(56, 66) && lon(-16, 4)) z = 1;
  if (lat(57, 66) && lon(4, 8)) z = 1;
  if (lat(l + 54, 66) && lon(8, 16)) z = 1;
  if (lat(62, l + 54) && lon(8, 16)) z = 2;
  if (lat(56, 66) && lon(16, 44)) z = 2;
  if (lat(52, 57) && lon(4, 8)) z = 2;
  if (lat(53, 62) && lon(8, 26)) z = 2;
  if (lat(46, 51) && lon(4, 20)) z = 3;
  if (lat(51, 56) && lon(-14, -8)) z = 3;
  if (lat(51, 56) && lon(-8, -3)) z = 4;
  if (lat(43, 51) && lon(-14, 4)) z = 7;
  if (lat(48, 51) && lon(-7, 0)) z = 5;
  if (lat(49, 56) && lon(-3, 4)) z = 5;
  if (lat(50, 53) && lon(4, 6)) z = 5;
  if (lat(51, (l - 6) / 2 + 52) && lon(6, 8)) z = 6;
  if (lat(51.5, 53.5) && lon(8, 12)) z = 6;
  if (lat(51, 53.5) && lon(12, 16)) z = 6;
  if (lat(50, 54) && lon(16, 18)) z = 6;
  if (lat(49, 54) && lon(16, 26)) z = 6;
  if (lat(52, 56) && lon(26, 32)) z = 6;
  if (lat(34, 43) && lon(-10, 2)) z = 11;
  if (lat(36, 43) && lon(-10, -6)) z = 10;
  if (lat((l + 6) * 8 / 7 + 36, 43) && lon(-6, 1)) z = 10;
  if (lat(37, 40) && lon(-6, -2)) z = 10;
  if (lat(42, 43) && lon(1, 2)) z = 10;
  if (lat(40, (l - 12) / 4 + 47) && lon(12, 16)) z = 9;
  if (lat(40, l + 32) && lon(16, 18)) z = 9;
  if (lat(40, 48 - (l - 18) / 6) && lon(18, 24)) z = 9;
  if (lat(42, 52) && lon(24, 32)) z = 9;
  if (lat(34, 46) && lon(2, 12)) z = 11;
  if (lat(34, 45) && lon(12, 16)) z = 11;
  if (lat(44, 46) && lon(5, 7)) z = 8;
  if (lat(44.6, 46) && lon(7, 10)) z = 12;
  if (lat(44.6, (l - 8) / 4 + 46) && lon(8, 12)) z = 12;
  if (lat(44.6 - (l - 10) * 0.3, 46) && lon(10, 12)) z = 12;
  if (lat(56 - l, 44) && lon(12, 16)) z = 12;
  if (lat(44, 47 - (l - 12) * 5 / 8) && lon(12, 20)) z = 12;
  if (lat(34, 42) && lon(16, 28)) z = 13;
  if (lat((l - 16) / 4 + 39, 42) && lon(12, 20)) z = 12;
  if (lat((l - 20) / 2 + 40, 42) && lon(20, 24)) z = 9;
  if (z == 0) z = p < 46 ? 12 : (p < 54 ? 8 : 2);
  return static_cast<uint8_t>(z);
}

void Sun_Position_DIN(TKlimStunden& Stunden, float Breite, float Laenge, float Zeitzone) {
  const double phi = Breite;
  const double sinPhi = SinG(phi), cosPhi = CosG(phi);
  int h = 0;
  for (int j = 1; j <= KLIM_TAGE; ++j) {
    const float x = static_cast<float>(j * 0.98630136986301369863);
    const float dekl = static_cast<float>(0.3948 - 23.2559 * CosG(x + 9.1) - 0.3915 * CosG(2.0 * x + 5.4) -
                                          0.1764 * CosG(3.0 * x + 26.0));
    const double zgl = (0.0066 + 7.3525 * CosG(x + 85.9) + 9.9359 * CosG(2.0 * x + 108.9) +
                        0.3387 * CosG(3.0 * x + 105.2)) / 60.0;
    const double sinD = SinG(dekl), cosD = CosG(dekl);
    for (int k = 1; k <= 24; ++k, ++h) {
      const double t = (k - 0.5) - (Zeitzone - Laenge / 15.0) + zgl;
      const double w = (12.0 - t) * 15.0;
      const float hoehe = static_cast<float>(ArcSinG(CosG(w) * cosPhi * cosD + sinPhi * sinD));
      float azimut = 0.0f;
      float elev = 0.0f;
      if (hoehe >= 0.0f) {
        elev = hoehe;
        const double nenner = cosPhi * CosG(hoehe);
        // Sun in the zenith or an observer at the pole: no defined azimuth.
        if (std::fabs(nenner) > 1e-12) {
          azimut = static_cast<float>(ArcCosG((sinPhi * SinG(hoehe) - sinD) / nenner));
        }
        if (t <= 12.0) azimut = -azimut;
      }
      K(Stunden, KLIM_K_HOEHE, h) = elev;
      K(Stunden, KLIM_K_AZIMUT, h) = azimut;
    }
  }
}

void E_ex_hour_day_month(TKlimStunden& Stunden, TKlimTage& Tage, TKlimMonate& Monate) {
  int j = 1;
  int h = 0;
  for (int m = 1; m <= 12; ++m) {
    double monat = 0.0;
    for (int d = 0; d < kMonatsTage[m - 1]; ++d, ++j) {
      const double i0 = I0(j);
      double tag = 0.0;
      for (int k = 0; k < 24; ++k, ++h) {
        const double hoehe = K(Stunden, KLIM_K_HOEHE, h);
        const float e = hoehe > 0.0 ? static_cast<float>(SinG(hoehe) * i0) : 0.0f;
        K(Stunden, KLIM_K_EXTRA, h) = e;
        tag += e;
      }
      T(Tage, KLIM_T_EXTRA, j) = static_cast<float>(tag / 1000.0);
      monat += T(Tage, KLIM_T_EXTRA, j);
    }
    M(Monate, KLIM_M_EXTRA, m) = static_cast<float>(monat);
  }
}

double KTMaximum(float Breite, float Hoehe) {
  const double phi = std::fabs(static_cast<double>(Breite));
  return 0.725 + 0.09 * std::sin((phi * 0.036 - 0.5) * kPi) + 0.02 * std::cos(phi * kPi / 55.0) +
         Hoehe * 0.0001;
}

uint8_t Clearness_m_Check(TKlimMonate& Monate, float Breite, float Hoehe) {
  const double ktMax = KTMaximum(Breite, Hoehe);
  uint8_t status = 0;
  for (int m = 1; m <= 12; ++m) {
    const double extra = M(Monate, KLIM_M_EXTRA, m);
    const double ziel = M(Monate, KLIM_M_ZIEL, m);
    if (extra > 0.0) {
      const double kt = ziel / extra;
      M(Monate, KLIM_M_KT, m) = static_cast<float>(kt);
      if (kt < 0.15) {
        status = 2;
      } else if (kt > ktMax) {
        status = 3;
      }
    } else {
      // Polar night: no sun, so only a dark month is plausible.
      M(Monate, KLIM_M_KT, m) = 0.0f;
      if (ziel > 0.0) status = 3;
    }
  }
  return status;
}

void Clearness_max(const TKlimTruebung& Zone, TKlimStunden& Stunden, TKlimTage& Tage, float Hoehe,
                   bool Sued) {
  const double hoeheM = Hoehe;
  int h = 0;
  for (int j = 1; j <= KLIM_TAGE; ++j) {
    const double i0 = I0(j);
    const double jahr = SaisonTag(j, Sued) * 2.0 * kPi / 365.0;
    const double tl = Zone.Mittel + Zone.CosKoeff * std::cos(jahr) + Zone.SinKoeff * std::sin(jahr) -
                      hoeheM * 0.65 / 1000.0;
    double summe = 0.0;
    for (int k = 0; k < 24; ++k, ++h) {
      const double el = K(Stunden, KLIM_K_HOEHE, h);
      const double extra = K(Stunden, KLIM_K_EXTRA, h);
      float gc = 0.0f;
      float kmax = 0.0f;
      if (el > 0.5 && extra > 0.0) {
        const double sh = SinG(el);
        const double m = (1.0 - hoeheM * 0.0001) / (sh + 0.15 * std::pow(el + 3.885, -1.253));
        const double dr = m > 20.0 ? 1.0 / (10.4 + 0.718 * m)
                                   : 1.0 / (6.6296 + 1.7513 * m - 0.1202 * m * m + 0.0065 * m * m * m -
                                            0.00013 * m * m * m * m);
        const double b = i0 * std::exp(-0.8662 * tl * m * dr);
        const double d = i0 * (0.0065 + (0.0646 * tl - 0.045) * sh + (0.014 - 0.0327 * tl) * sh * sh);
        // A turbidity table far outside its range could make the sum negative; a clear sky
        // never takes irradiation away.
        gc = static_cast<float>(std::max(0.0, sh * b + d));
        double k = 1.1999 * gc / extra;
        if (k > 0.9 && el < 1.0) k = 0.9;
        kmax = static_cast<float>(k);
      }
      K(Stunden, KLIM_K_KLAR, h) = gc;
      K(Stunden, KLIM_K_KTMAX, h) = kmax;
      summe += gc;
    }
    T(Tage, KLIM_T_KLAR, j) = static_cast<float>(summe / 1000.0);
    const double extraTag = T(Tage, KLIM_T_EXTRA, j);
    T(Tage, KLIM_T_KTMAX, j) = extraTag > 0.0 ? static_cast<float>(1.05 * summe / (1000.0 * extraTag)) : 0.0f;
  }
}

}  // namespace tav::klimgen
