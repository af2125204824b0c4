#include "simulation/StoreHelpers.h"

#include <algorithm>
#include <cmath>

namespace tav {

float CalcWTKoeffizient(float tw, float tk) {
  const float dT = tw - tk;
  // At equal temperatures the outer film term vanishes; the coefficient tends to 0 there.
  if (dT <= 0.0f) return 0.0f;
  const float tm = (tw + tk) / 2.0f;
  const double alphaI = 3936.16 * (1.0 + 0.014 * tw);
  // Fourth and eighth roots as repeated square roots: the values of pow at a fraction of its cost.
  const double alphaA = (20.7 * std::sqrt(std::max(0.0f, tm)) + 18.6) / std::sqrt(std::sqrt(0.03 / dT));
  return static_cast<float>(1.0 / (1.0 / alphaI + 1.0 / alphaA));
}

void CalcKonvektion(float& halbeDifferenz, float& nusselt, float& lambda, float t1, float t2) {
  halbeDifferenz = (t1 - t2) / 2.0f;
  const double tm = (t1 + t2) / 2.0;
  const double beta = -5.625e-10 * tm * tm * tm + 7e-8 * tm * tm + 5.825e-6 * tm + 6e-5;
  const double nu = -3.25e-12 * tm * tm * tm + 6.925e-10 * tm * tm - 5.17e-8 * tm + 1.789e-6;
  lambda = static_cast<float>(0.00126 * tm + 0.555);
  const double rho = 1.9375e-5 * tm * tm * tm - 0.00655 * tm * tm + 0.04325 * tm + 999.8;
  const double cp = 4.2;
  const double nenner = (nu * lambda) / (rho * cp);
  const double ra = nenner != 0 ? std::fabs(halbeDifferenz) * 9.81 * beta / nenner : 0.0;
  double nuss;
  if (ra < 0.01) {
    nuss = 0.5;
  } else if (ra < 500.0) {
    nuss = 1.18 * std::sqrt(std::sqrt(std::sqrt(ra)));
  } else if (ra < 2e7) {
    nuss = 0.54 * std::sqrt(std::sqrt(ra));
  } else {
    nuss = 0.18 * std::cbrt(ra);
  }
  nusselt = static_cast<float>(nuss);
}

void CalcWTSpirale(float& t1, float& t2, float v1, float v2, float flaeche, float dt) {
  if (v1 <= 0.0f || v2 <= 0.0f) return;
  float h = 0, nusselt = 0, lambda = 0;
  CalcKonvektion(h, nusselt, lambda, t1, t2);
  float q = lambda * nusselt * flaeche * h * dt;
  const float grenze = std::fabs(h) / 2.0f;
  float d1 = q / (v1 * kCWasser);
  if (std::fabs(d1) > grenze) {
    d1 = h / 2.0f;
    q = d1 * v1 * kCWasser;
  }
  float d2 = q / (v2 * kCWasser);
  if (std::fabs(d2) > grenze) {
    d2 = h / 2.0f;
    q = d2 * v2 * kCWasser;
    d1 = q / (v1 * kCWasser);
  }
  t1 -= d1;
  t2 += d2;
}

void MischKnoten(float& unten, float& oben, float schwelle) {
  if (oben - schwelle < unten) {
    const float mittel = (oben + unten) / 2.0f;
    oben = mittel;
    unten = mittel;
  }
}

void MischKnotenVol(float& unten, float& oben, float vUnten, float vOben, float schwelle) {
  if (oben - schwelle < unten && vUnten + vOben > 0.0f) {
    const float mittel = (oben * vOben + unten * vUnten) / (vOben + vUnten);
    oben = mittel;
    unten = mittel;
  }
}

}  // namespace tav
