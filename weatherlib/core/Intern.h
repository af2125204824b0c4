// Shared helpers of the core: block access, degree trigonometry, calendar.
#pragma once

#include <cmath>

#include "Klimgen1_1.h"

namespace tav::klimgen {

inline constexpr int kMonatsTage[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// Day of year (1-based) of the first day of each month, and one past December.
inline constexpr int kMonatsAnfang[13] = {1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};

inline int MonatDesTages(int tag) {  // tag 1..365 -> month 1..12
  int m = 1;
  while (m < 12 && tag >= kMonatsAnfang[m]) ++m;
  return m;
}

// Hourly channel c, hour h (0..8759).
inline float& K(TKlimStunden& s, int c, int h) { return s.Werte[c * KLIM_STUNDEN + h]; }
inline float K(const TKlimStunden& s, int c, int h) { return s.Werte[c * KLIM_STUNDEN + h]; }
// Daily series s, day d (1..365).
inline float& T(TKlimTage& t, int s, int d) { return t.Werte[s * KLIM_TAGE + d - 1]; }
inline float T(const TKlimTage& t, int s, int d) { return t.Werte[s * KLIM_TAGE + d - 1]; }
// Daily candidate matrix at base, day d (1..365), candidate y (1..15).
inline float& TK(TKlimTage& t, int base, int d, int y) { return t.Werte[base + (d - 1) * 15 + y - 1]; }
inline float TK(const TKlimTage& t, int base, int d, int y) { return t.Werte[base + (d - 1) * 15 + y - 1]; }
// Monthly array a, month m (1..12).
inline float& M(TKlimMonate& t, int a, int m) { return t.Werte[a * 13 + m - 1]; }
inline float M(const TKlimMonate& t, int a, int m) { return t.Werte[a * 13 + m - 1]; }
// Monthly candidate matrix, month m, candidate y.
inline float& MK(TKlimMonate& t, int m, int y) { return t.Werte[KLIM_M_KANDIDAT_KT + (m - 1) * 15 + y - 1]; }
inline float MK(const TKlimMonate& t, int m, int y) { return t.Werte[KLIM_M_KANDIDAT_KT + (m - 1) * 15 + y - 1]; }

// True when none of the n values is infinite or NaN.
inline bool Endlich(const float* p, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(p[i])) return false;
  return true;
}

inline constexpr double kPi = 3.14159265358979323846;
// The library's own degree factor; kept so that angles agree with the delivered model.
inline double Rad(double grad) { return grad * 6.2831853072 / 360.0; }
inline double SinG(double grad) { return std::sin(Rad(grad)); }
inline double CosG(double grad) { return std::cos(Rad(grad)); }
// Arcsine in degrees, clamped at +-90 for |x| >= 1.
inline double ArcSinG(double x) {
  if (x >= 1.0) return 90.0;
  if (x <= -1.0) return -90.0;
  return std::atan(x / std::sqrt(1.0 - x * x)) * 360.0 / 6.2831853072;
}
inline double ArcCosG(double x) { return 90.0 - ArcSinG(x); }

// Extraterrestrial normal irradiance of day j, W/m2.
inline double I0(int j) { return 1367.0 * (1.0 + 0.033 * std::cos(j * 0.01721420632103996295)); }

// The day whose season matches day j on the other hemisphere: half a year later.
inline int SaisonTag(int j, bool sued) { return sued ? (j - 1 + 182) % 365 + 1 : j; }

}  // namespace tav::klimgen
