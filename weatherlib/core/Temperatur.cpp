// Hourly ambient temperature: base from the monthly means, lagged solar heating, night
// cooling, daily anomaly and hourly fluctuation; then bent towards the regional extremes,
// shifted onto the monthly means and smoothed across month boundaries.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/Intern.h"
#include "core/Klimgen.h"

namespace tav::klimgen {

namespace {

constexpr int kStart[14] = {0, 0, 744, 1416, 2160, 2880, 3624, 4344, 5088, 5832, 6552, 7296, 8016, 8760};
constexpr int kMitte[13] = {-372, 372, 1080, 1788, 2520, 3252, 3984, 4716, 5460, 6192, 6924, 7656, 8388};
// The anomaly of a month is redrawn until its mean is small; this many draws is far beyond
// what any month needs, after which the mean is removed instead.
constexpr int kMaxAnomalieZuege = 100000;

int Wrap(int h) { return ((h % KLIM_STUNDEN) + KLIM_STUNDEN) % KLIM_STUNDEN; }

}  // namespace

int Klimaregion(float Breite, float Laenge) {
  const double p = std::fabs(static_cast<double>(Breite));
  const double l = Laenge;
  auto lat = [p](double a, double b) { return a <= p && p < b; };
  auto lon = [l](double c, double d) { return c < l && l <= d; };
  int r = (lat(40, 66) && lon(2, 38)) ? 4 : 0;
  if (lat(34, 47) && lon(-12, 13)) r = 6;
  if (lat(34, 47 - (l - 13) * 7 / 6) && lon(13, 19)) r = 6;
  if (lat(34, 40) && lon(19, 36)) r = 6;
  if (lat(43, 59) && lon(-18, 2)) r = 3;
  if (lat((l - 2) * 3 / 4 + 48, 59) && lon(2, 6)) r = 3;
  if (lat(59, 66) && lon(-20, 6)) r = 1;
  if (lat(59, 66) && lon(9.5, 48)) r = 2;
  if (lat(59, 61) && lon(16, 20)) r = 5;
  if (lat(46, 61) && lon(20, 44)) r = 5;
  if (lat(38, 41) && lon(115, 123)) r = 7;
  if (r == 0) r = p < 42 ? 6 : (p < 60 ? 4 : 2);
  return r;
}

bool TempZoneGueltig(const TKlimOrt& Ort, TempZonenTabelle TempZonen) {
  if (Ort.TempZone < 1 || Ort.TempZone > KLIM_TEMPZONE_EINTRAEGE) return false;
  const TKlimTempZone& z = TempZonen[Ort.TempZone - 1];
  for (int m = 0; m < 12; ++m) {
    // The window must hold at least one hour and stay inside the one-day extension of the
    // year at both ends.
    if (z.Fenster[m] < 1 || z.Fenster[m] / 2 + z.Verzug[m] > 24) return false;
    if (!std::isfinite(z.Koeffizient[m]) || std::fabs(z.Koeffizient[m]) > 1.0f) return false;
  }
  return true;
}

void Temp_Addition(Zustand& zs, const TKlimOrt& Ort, KlimaZonenTabelle KlimaZonen,
                   TempZonenTabelle TempZonen, TKlimStunden& Stunden, const TKlimTage& Tage,
                   const TKlimMonate& Monate) {
  const TKlimTempZone zone = TempZonen[Ort.TempZone - 1];
  const int region = Klimaregion(Ort.Breite, Ort.Laenge);
  const TKlimKlimaZone grenzen = KlimaZonen[region - 1];
  const bool sued = Ort.Breite < 0.0f;
  const double phi = std::fabs(static_cast<double>(Ort.Breite));
  constexpr int H = KLIM_STUNDEN;

  std::array<double, 13> tm{};  // tm[0] = December
  for (int m = 1; m <= 12; ++m) tm[m] = M(Monate, KLIM_M_TEMP, m);
  tm[0] = tm[12];
  std::array<int, H> monat{};
  for (int m = 1; m <= 12; ++m)
    for (int h = kStart[m]; h < kStart[m + 1]; ++h) monat[h] = m;
  auto c = [&](int m) { return static_cast<double>(zone.Koeffizient[m - 1]); };
  auto G = [&](int h) {  // global with the first and last day repeated beyond the year
    if (h < 0) h += 24;
    if (h >= H) h -= 24;
    return static_cast<double>(K(Stunden, KLIM_K_GLOBAL, h));
  };

  // Base: piecewise linear through the monthly means, lowered by the month's mean solar term.
  std::array<double, 14> tb{};
  for (int m = 1; m <= 12; ++m)
    tb[m] = tm[m - 1] + (tm[m] - tm[m - 1]) * (kStart[m] - kMitte[m - 1]) / double(kMitte[m] - kMitte[m - 1]);
  tb[13] = tb[1];
  std::array<double, 367> tag{};
  {
    int d = 1;
    for (int m = 1; m <= 12; ++m) {
      const int n = kMonatsTage[m - 1];
      const double s1 = (tm[m] - tb[m]) * 24.0 / (kMitte[m] - kStart[m]);
      const double s2 = (tb[m + 1] - tm[m]) * 24.0 / (kStart[m + 1] - kMitte[m]);
      const int steigend = n == 31 ? 16 : (n == 30 ? 16 : 15);
      for (int i = 1; i <= n; ++i, ++d) {
        if (n == 31 && i == 1) tag[d] = tb[m];
        else if (n == 31 && i == 17) tag[d] = tm[m] + s2 / 2.0;
        else tag[d] = tag[d - 1] + (i <= steigend ? s1 : s2);
      }
    }
    d = 1;
    for (int m = 1; m <= 12; ++m) {
      const int n = kMonatsTage[m - 1];
      const double senkung = c(m) * M(Monate, KLIM_M_ZIEL, m) * 1000.0 / (n * 24.0);
      for (int i = 0; i < n; ++i, ++d) tag[d] -= senkung;
    }
    tag[366] = tag[1];
  }
  std::vector<double> B(H), S(H), N(H, 0.0), F(H), A(H), Tt(H);
  for (int h = 0; h < H; ++h) {
    const int d = h / 24 + 1, k = h % 24 + 1;
    B[h] = tag[d] + (tag[d + 1] - tag[d]) / 24.0 * (k - 0.5);
  }

  // Solar term: mean global over a window that lags the hour.
  for (int h = 0; h < H; ++h) {
    const int m = monat[h];
    const int w = zone.Fenster[m - 1], L = zone.Verzug[m - 1];
    double summe = 0.0;
    if (w % 2 == 1) {
      for (int j = -(w - 1) / 2 - L; j <= (w - 1) / 2 - L; ++j) summe += G(h + j);
    } else {
      for (int j = -w / 2 - L; j <= w / 2 - 1 - L; ++j) summe += (G(h + j) + G(h + j + 1)) / 2.0;
    }
    S[h] = c(m) * summe / w;
  }

  // Night series: evening decay from the solar term, morning ramp continuing overnight.
  double rampe = 0.0;
  for (int d = 1; d <= KLIM_TAGE; ++d) {
    const int basis = (d - 1) * 24;
    const int m = monat[basis];
    const int w = zone.Fenster[m - 1], L = zone.Verzug[m - 1];
    const double D = w == 6 ? 1.5 : w == 7 ? 1.35 : w == 8 ? 1.3 : w == 9 ? (phi > 42 ? 1.15 : 1.2) : 1.3;
    if (d > 1) {
      for (int k = 1; k <= 24; ++k) {
        const int h = basis + k - 1;
        N[h] = (G(h) != 0.0 || k >= 12) ? 0.0 : N[h - 1] + rampe;
      }
    }
    int e = 0;
    for (int k = 13; k <= 24; ++k)
      if (G(basis + k - 1) > 0.0) e = k + L + 1;
    // Without an afternoon hour of sun there is no evening to decay from; the day keeps
    // its morning values.
    if (e >= 1 && e <= 24) {
      double i = 0.0;
      for (int k = e; k <= 24; ++k) {
        const int h = basis + k - 1;
        if (k == e) {
          i = (S[h] - S[h - 1]) / D;
          N[h] = S[h - 1] + i;
        } else {
          i /= D;
          N[h] = N[h - 1] + i;
        }
      }
    }
    const int h23 = basis + 22, h24 = basis + 23;
    if (e == 24) {
      N[h23] = S[h23];
      N[h24] = S[h23] + (S[h24] - S[h23]) / D;
    } else if (e >= 25) {
      N[h23] = S[h23];
      N[h24] = S[h24];
    }
    const bool bedeckt = 0.25 * T(Tage, KLIM_T_KLAR, d) >= T(Tage, KLIM_T_GLOBAL, d);
    rampe = (bedeckt ? 0.33 : 0.5) * (N[h24] - N[h23]);
  }

  // Hourly fluctuation.
  F[0] = zs.Rng.RandG(1.0f);
  for (int h = 1; h < H; ++h) F[h] = 0.7 * F[h - 1] + 0.385 * zs.Rng.RandG(1.0f);

  // Daily anomaly, redrawn month by month until its monthly mean is small.
  std::array<double, 367> an{};
  {
    double vorher = 0.0;
    for (int m = 1; m <= 12; ++m) {
      const int d0 = kMonatsAnfang[m - 1], n = kMonatsTage[m - 1];
      for (int zug = 1;; ++zug) {
        double summe = 0.0;
        double p = vorher;
        for (int d = d0; d < d0 + n; ++d) {
          const double x = 2.0 * (SaisonTag(d, sued) - 288) * kPi / 365.0;
          const double y = 2.0 * (SaisonTag(d, sued) + 105) * kPi / 243.0;
          double s;
          switch (region) {
            case 3: s = 1.63 - 0.39 * std::sin(y); break;
            case 4:
            case 5: s = 2.52 - 0.45 * std::sin(y); break;
            case 6: s = 0.9 + 0.26 * std::sin(x); break;
            default: s = 3.3 + 1.85 * std::sin(x); break;
          }
          an[d] = std::sqrt(0.36) * s * zs.Rng.RandG(1.0f) + (d == 1 ? 0.0 : 0.8 * p);
          p = an[d];
          summe += an[d];
        }
        if (std::fabs(summe) / n <= 0.25) break;
        if (zug >= kMaxAnomalieZuege) {
          for (int d = d0; d < d0 + n; ++d) an[d] -= summe / n;
          break;
        }
      }
      vorher = an[d0 + n - 1];
    }
    an[366] = an[1];
    for (int d = 1; d <= KLIM_TAGE; ++d) {
      const double x = std::sin(2.0 * (SaisonTag(d, sued) - 288) * kPi / 365.0);
      const double klar = T(Tage, KLIM_T_KLAR, d), global = T(Tage, KLIM_T_GLOBAL, d);
      if (0.4 * klar > global) {
        an[d] += (0.05 * x - 0.01) * 24.0;
      } else if (0.8 * klar < global) {
        an[d] += (0.02 - 0.06 * x) * 24.0;
      }
    }
    for (int h = 0; h < H; ++h) {
      const int d = h / 24 + 1, k = h % 24 + 1;
      A[h] = an[d] + (an[d + 1] - an[d]) * (k - 0.5) / 24.0;
    }
  }

  // Combination; the solar term starts softly after the last dark morning hour.
  for (int d = 1; d <= KLIM_TAGE; ++d) {
    const int basis = (d - 1) * 24;
    int letzte = 0;
    for (int k = 1; k <= 11; ++k)
      if (G(basis + k - 1) == 0.0) letzte = k;
    if (letzte >= 1) {
      S[basis + letzte] = 0.0;
      S[basis + letzte + 1] *= 0.8;
    }
  }
  for (int h = 0; h < H; ++h) Tt[h] = B[h] + (N[h] != 0.0 ? N[h] : S[h]) + F[h] + A[h];

  // Extremes: compress beyond the regional bounds, then pull a month's extreme that falls
  // short of its bound out to it with a triangle of four days.
  for (int m = 1; m <= 12; ++m) {
    double tlo = tm[m] + 0.7 * grenzen.Unten[m - 1];
    double thi = tm[m] + 0.8 * static_cast<int8_t>(grenzen.Oben[m - 1]);
    double tmin = 0.0, tmax = 0.0;
    int hmin = kStart[m], hmax = kStart[m];
    for (int h = kStart[m]; h < kStart[m + 1]; ++h) {
      if (Tt[h] < tlo) Tt[h] = tlo - std::asinh(tlo - Tt[h]);
      else if (Tt[h] > thi) Tt[h] = thi + std::asinh(Tt[h] - thi);
      if (h == kStart[m] || Tt[h] < tmin) { tmin = Tt[h]; hmin = h; }
      if (h == kStart[m] || Tt[h] > tmax) { tmax = Tt[h]; hmax = h; }
    }
    auto dreieck = [&](int mitte, double delta) {
      for (int i = 47; i >= 0; --i) Tt[Wrap(mitte - i)] += delta * (47 - i) / 47.0;
      for (int i = 1; i <= 48; ++i) Tt[Wrap(mitte + i)] += delta * (48 - i) / 48.0;
    };
    if (tlo < tmin - 10.0) tlo = tmin - 10.0;
    if (tlo + 2.0 < tmin) dreieck(hmin, tlo - tmin);
    if (thi > tmax + 10.0) thi = tmax + 10.0;
    if (thi - 2.0 > tmax) dreieck(hmax, thi - tmax);
  }

  // Every month onto its target mean.
  for (int m = 1; m <= 12; ++m) {
    double summe = 0.0;
    for (int h = kStart[m]; h < kStart[m + 1]; ++h) summe += Tt[h];
    const double shift = tm[m] - summe / (kStart[m + 1] - kStart[m]);
    for (int h = kStart[m]; h < kStart[m + 1]; ++h) Tt[h] += shift;
  }

  // Close the jumps at month boundaries, half from each side over a day.
  for (int m = 1; m <= 11; ++m) {
    const int p = kStart[m + 1] - 1;
    const double delta = Tt[p] - Tt[p + 1];
    if (std::fabs(delta) > 0.5) {
      for (int i = 1; i <= 24; ++i) {
        Tt[p - 24 + i] -= delta * 0.5 * i / 24.0;
        Tt[p + i] += delta * 0.5 * (25 - i) / 24.0;
      }
    }
  }
  for (int h = 0; h < H; ++h) K(Stunden, KLIM_K_TEMP, h) = static_cast<float>(Tt[h]);
}

}  // namespace tav::klimgen
