#include "simulation/HeatingCircuit.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "foundation/TavMathe.h"

namespace tav {

bool HeizkurveGueltig(float tNorm, float tVorNorm, float tRueckNorm) {
  return tNorm < 20.0f && tVorNorm > 20.0f && tRueckNorm > 20.0f && tRueckNorm < tVorNorm;
}

namespace {
// Night set-back from 22 to 5 h.
bool Nachtabsenkung(float stunde) { return stunde > 22.0f || stunde < 5.0f; }
}  // namespace

void CalcHeizkreis(float& q, float& tVor, float& tRueck, float qNorm, float tNorm, float tVorNorm,
                   float tRueckNorm, float taussen, float stunde) {
  if (taussen >= 20.0f || !HeizkurveGueltig(tNorm, tVorNorm, tRueckNorm)) {
    q = 0.0f;
    tVor = 21.0f;
    tRueck = 20.0f;
    return;
  }
  const double dn = tVorNorm - 20.0;
  const double s = (tVorNorm - tRueckNorm) / dn;
  double phi = (20.0 - taussen) / (20.0 - tNorm);
  if (Nachtabsenkung(stunde)) phi *= 0.7;
  q = static_cast<float>(qNorm * phi);
  // 0 < s < 1 and phi > 0 here, so the exponent is negative and the divisor below 0.
  const double nenner = std::exp(std::pow(phi, -1.0 / 1.3) * std::log(1.0 - s) * phi) - 1.0;
  const double tv = 20.0 + dn * (-s * phi) / nenner;
  tVor = static_cast<float>(tv);
  tRueck = static_cast<float>(tv - phi * (tVorNorm - tRueckNorm));
}

void CalcHeizkreis(HeizkurvenPunkt& zuletzt, float& q, float& tVor, float& tRueck, float qNorm, float tNorm,
                   float tVorNorm, float tRueckNorm, float taussen, float stunde) {
  auto& z = zuletzt;
  const bool nacht = Nachtabsenkung(stunde);
  if (!(z.gueltig && z.qNorm == qNorm && z.tNorm == tNorm && z.tVorNorm == tVorNorm && z.tRueckNorm == tRueckNorm &&
        z.taussen == taussen && z.nacht == nacht)) {
    CalcHeizkreis(z.q, z.tVor, z.tRueck, qNorm, tNorm, tVorNorm, tRueckNorm, taussen, stunde);
    z = {qNorm, tNorm, tVorNorm, tRueckNorm, taussen, nacht, true, z.q, z.tVor, z.tRueck};
  }
  q = z.q;
  tVor = z.tVor;
  tRueck = z.tRueck;
}

float WasserMenge(float t, float q) {
  const float dT = t - 10.0f;
  return dT != 0.0f ? q / (dT * 4.1868f) : 0.0f;
}

void FWEAnteile(float& a, float& b, float p, float pn) {
  // Without a rating the station runs at full load.
  const double x = pn > 0.0f ? 100.0 * p / pn : 100.0;
  double anteil = x * 4.0 / 3.0 - 33.333333333333336;
  if (anteil > x) {
    // Above the rating the station runs at full load; it never delivers more than that.
    anteil = std::min(x, 100.0);
  } else if (anteil < 25.0) {
    anteil = 25.0;
  }
  b = static_cast<float>((100.0 - anteil) / 100.0);
  a = static_cast<float>(anteil / 100.0);
}

namespace {

struct FWEZeile {
  float tww, dmax;
  std::array<double, 4> halb, voll;  // cubic in d at half and at full load
};

constexpr std::array<FWEZeile, 5> kFWETabelle = {{
    {40, 42, {0.016262593, -0.0011557961, 4.33574e-05, -5.404e-07}, {0.037641913, -0.0029196693, 0.0001119669, -1.4086e-06}},
    {45, 37, {0.013193064, -0.0008342393, 3.04239e-05, -3.931e-07}, {0.032503996, -0.0024486203, 9.59731e-05, -1.2818e-06}},
    {50, 32, {0.012081257, -0.0007973288, 3.1844e-05, -4.59e-07}, {0.028794501, -0.0021725197, 8.91409e-05, -1.2834e-06}},
    {55, 27, {0.010148618, -0.0006156046, 2.59447e-05, -4.204e-07}, {0.025747104, -0.0019528267, 8.78841e-05, -1.4406e-06}},
    {60, 22, {0.010035154, -0.0006917787, 3.34062e-05, -6.246e-07}, {0.022464845, -0.0016582214, 7.72605e-05, -1.3754e-06}},
}};

double Kubisch(const std::array<double, 4>& k, double d) { return k[0] + k[1] * d + k[2] * d * d + k[3] * d * d * d; }

}  // namespace

float FWEKennwert(float& tv, float tww, float tpuffer, float r) {
  const double gerundet = RoundHalfEven(tww);
  for (const auto& z : kFWETabelle) {
    if (gerundet != z.tww) continue;
    const double d = std::min<double>(tpuffer - tww, z.dmax);
    tv = static_cast<float>(tww + d);
    const double f1 = Kubisch(z.halb, d);
    if (r < 0.5f) return static_cast<float>(f1 * r / 0.5);
    if (r == 0.5f) return static_cast<float>(f1);
    const double f2 = Kubisch(z.voll, d);
    return static_cast<float>(f1 + (f2 - f1) * (r - 0.5) / 0.5);
  }
  // Between the grid rows (and beyond the ends) interpolate the two neighbouring rows.
  const float lo = tww < 45.0f ? 40.0f : tww < 50.0f ? 45.0f : tww < 55.0f ? 50.0f : 55.0f;
  float tvLo = 0.0f, tvHi = 0.0f;
  const float kLo = FWEKennwert(tvLo, lo, tpuffer, r);
  const float kHi = FWEKennwert(tvHi, lo + 5.0f, tpuffer, r);
  const float t = (tww - lo) / 5.0f;
  tv = tvLo + (tvHi - tvLo) * t;
  return kLo + (kHi - kLo) * t;
}

void FWERuecklauf(float& tRueck, float& fluss, bool& ok, float p, float pn, float tww, float tpuffer) {
  ok = false;
  // The target falls in 5 K steps until the buffer is 5 K warmer or the target below 40 °C.
  // The steps are counted, not walked: a huge target would take forever, and in float a
  // step of 5 K no longer changes a target above about 1e8 °C.
  if (tww >= 40.0f && tww + 5.0f > tpuffer) {
    if (!(tpuffer > 50.0f) || !std::isfinite(tww)) return;
    const double hoechstens = static_cast<double>(tpuffer) - 5.0;
    const double rest = std::fmod(static_cast<double>(tww) - hoechstens, 5.0);
    tww = static_cast<float>(rest == 0.0 ? hoechstens : hoechstens - 5.0 + rest);
  }
  if (!(tww >= 40.0f)) return;
  const float r = pn > 0.0f ? p / pn : 0.0f;
  float tv = tww;
  const float k = FWEKennwert(tv, tww, tpuffer, r);
  fluss = WasserMenge(45.0f, pn) * k * 60.0f / 1000.0f;
  // Without flow the station takes nothing from the buffer.
  tRueck = fluss > 0.0f ? tv - p / (4.1868f * fluss) / 1000.0f : tv;
  if (tpuffer > tv && tpuffer > tRueck) fluss = p / ((tpuffer - tRueck) * 4.1868f) / 1000.0f;
  ok = true;
}

}  // namespace tav
