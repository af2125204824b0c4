#include "simulation/HeatingCircuit.h"

#include <cmath>

namespace tav {

bool HeizkurveGueltig(float tNorm, float tVorNorm, float tRueckNorm) {
  return tNorm < 20.0f && tVorNorm > 20.0f && tRueckNorm > 20.0f && tRueckNorm < tVorNorm;
}

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
  if (stunde > 22.0f || stunde < 5.0f) phi *= 0.7;
  q = static_cast<float>(qNorm * phi);
  // 0 < s < 1 and phi > 0 here, so the exponent is negative and the divisor below 0.
  const double nenner = std::exp(std::pow(phi, -1.0 / 1.3) * std::log(1.0 - s) * phi) - 1.0;
  const double tv = 20.0 + dn * (-s * phi) / nenner;
  tVor = static_cast<float>(tv);
  tRueck = static_cast<float>(tv - phi * (tVorNorm - tRueckNorm));
}

float WasserMenge(float t, float q) {
  const float dT = t - 10.0f;
  return dT != 0.0f ? q / (dT * 4.1868f) : 0.0f;
}

}  // namespace tav
