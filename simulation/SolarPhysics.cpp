#include "simulation/SolarPhysics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tav {

namespace {

// The arc function clamps its argument, so rounding just beyond ±1 gives the end value.
double ArcCosG(double x) { return std::acos(std::clamp(x, -1.0, 1.0)) * kGradProRad; }

// The day angle of the declination series, held in single precision as the series expects.
double TagesWinkel(int tag) { return static_cast<float>(tag * 0.9863013698630136); }

}  // namespace

double CalcZeitgleichung(int tag) {
  const double x = TagesWinkel(tag);
  return (0.0066 + 7.3525 * CosG(x + 85.9) + 9.9359 * CosG(2 * x + 108.9) +
          0.3387 * CosG(3 * x + 105.2)) /
         60.0;
}

double CalcDeklination(int tag) {
  const double x = TagesWinkel(tag);
  return 0.3948 - 23.2559 * CosG(x + 9.1) - 0.3915 * CosG(2 * x + 5.4) - 0.1764 * CosG(3 * x + 26.0);
}

double CalcExtraterrestrisch(int tag) {
  return 1367.0 * (1.0 + 0.033 * std::cos(2.0 * M_PI * tag / 365.0));
}

double CalcExtraterrSumme(int tag, double phi, double delta, double t) {
  return CalcExtraterrestrisch(tag) * 24.0 / M_PI *
         (CosG(delta) * CosG(phi) * SinG((t - 12.0) * 15.0) +
          SinG(delta) * SinG(phi) * (t - 12.0) * M_PI / 12.0);
}

TagesSonne CalcTagesSonne(double phi, double delta) {
  return {SinG(phi), CosG(phi), SinG(delta), CosG(delta)};
}

Sonnenstand CalcSonnenstand(const TagesSonne& tag, double t) {
  // fmod only where needed: the steps of a day stay within one day but for the time-zone shift.
  if (t < 0.0 || t >= 24.0) {
    t = std::fmod(t, 24.0);
    if (t < 0) t += 24.0;
  }
  const double omega = (12.0 - t) * 15.0;
  Sonnenstand st;
  const double sinH =
      std::clamp(tag.SinDeklination * tag.SinBreite + tag.CosBreite * CosG(omega) * tag.CosDeklination, -1.0, 1.0);
  st.Hoehe = std::asin(sinH) * kGradProRad;
  if (st.Hoehe < 0) {
    st.Hoehe = 0;
    return st;
  }
  // The sine is the one just taken apart; the cosine of an elevation is never negative.
  st.SinHoehe = sinH;
  st.CosHoehe = std::sqrt(1.0 - sinH * sinH);
  const double nenner = tag.CosBreite * st.CosHoehe;
  // A zenith sun or a pole has no defined azimuth; 0 keeps every later formula finite.
  if (nenner > 1e-9) {
    st.CosAzimut = std::clamp((tag.SinBreite * sinH - tag.SinDeklination) / nenner, -1.0, 1.0);
    st.SinAzimut = std::sqrt(1.0 - st.CosAzimut * st.CosAzimut);
    st.Azimut = std::acos(st.CosAzimut) * kGradProRad;
  }
  if (t <= 12.0) {
    st.Azimut = -st.Azimut;
    st.SinAzimut = -st.SinAzimut;
  }
  return st;
}

void CalcSonnenstand(double& h, double& a, double phi, double delta, double t) {
  const Sonnenstand st = CalcSonnenstand(CalcTagesSonne(phi, delta), t);
  h = st.Hoehe;
  a = st.Azimut;
}

void CalcSonnenzeiten(float& aufgang, float& untergang, double delta, double phi, double k) {
  const double tanProdukt = std::tan(delta / kGradProRad) * std::tan(phi / kGradProRad);
  const double a = ArcCosG(tanProdukt) / 15.0;
  aufgang = static_cast<float>(a - k + 0.01);
  untergang = static_cast<float>(24.0 - a - k - 0.01);
}

void CalcNachfuehrung(float& neigung, float& azimut, double h, double a, double gamma0) {
  const double sinH = SinG(h), cosH = CosG(h);
  double cosDiff = CosG(a - gamma0);  // cosine of sun azimuth minus plane azimuth
  const double proj = cosDiff * cosH;
  const double r = std::hypot(sinH, proj);
  // beta = 90 - p with cos p = proj / r, so sin beta = cos p and cos beta = sin p >= 0.
  const double cosP = r == 0 ? 0.0 : std::clamp(proj / r, -1.0, 1.0);
  const double p = r == 0 ? 90.0 : ArcCosG(cosP);
  double beta = 90.0 - p;
  double sinBeta = cosP;
  const double cosBeta = std::sqrt(1.0 - cosP * cosP);
  double gamma = gamma0;
  if (beta < 0) {
    // The plane turns round: tilt and the cosine of the azimuth difference change sign.
    beta = -beta;
    sinBeta = -sinBeta;
    cosDiff = -cosDiff;
    gamma += 180.0;
    if (gamma > 180.0) gamma -= 360.0;
  }
  const double q = sinBeta * cosH * cosDiff + cosBeta * sinH;
  beta = beta * (q + 4.0) / 5.0;
  neigung = static_cast<float>(std::min(beta, 70.0));
  azimut = static_cast<float>(gamma);
}

double SichtFaktor(double cosNeigung) { return (1.0 + cosNeigung) / 2.0 + (1.0 - cosNeigung) * 0.2; }

float CalcIAM(float iam50, float cosEinfall) {
  const double theta = ArcCosG(cosEinfall);
  const double k = iam50;
  const double a30 = 1.0 + (k - 1.0) * 0.28;
  const double b60 = 0.92 * k;
  double m;
  if (theta < 3.0) {
    m = 1.0;
  } else if (theta < 30.0) {
    m = 1.0 - (1.0 - a30) * theta / 30.0;
  } else if (theta < 50.0) {
    m = a30 - (a30 - k) * (theta - 30.0) / 20.0;
  } else if (theta < 60.0) {
    m = k - 0.08 * k * (theta - 50.0) / 10.0;
  } else if (theta < 80.0) {
    m = b60 - (b60 - 0.43) * (theta - 60.0) / 20.0;
  } else if (theta < 89.0) {
    m = 0.43 - 0.43 * (theta - 80.0) / 10.0;
  } else {
    m = 0.0;
  }
  return static_cast<float>(m);
}

float CalcKollEta(float eta0, float k1, float k2, float dT, float g) {
  if (g <= 0.001f) return 0.0f;
  const float x = dT > 1000.0f ? 100.0f : dT;
  float eta = eta0 - k1 * x / g;
  if (k2 != 0.0f) eta -= k2 * x * x / g;
  return eta < 0.0f ? 0.0f : eta;
}

float CalcStillstandTemp(float eta0, float k1, float k2, float g, float ta) {
  if (g <= 0.0f) return ta;
  if (k2 == 0.0f) {
    if (k1 <= 0.0f) return ta + kStillstandOhneVerlust;
    return ta + eta0 * g / k1;
  }
  const double wurzel = std::sqrt(std::max(0.0, 4.0 * eta0 * g * k2 + double(k1) * k1));
  return static_cast<float>(ta + (wurzel - k1) / (2.0 * k2));
}

float CalcDiffusAnteil(double ih, double i0h) {
  const double kt = i0h != 0 ? ih / i0h : 0.0;
  if (kt < 0.3) return 0.92f;
  if (kt <= 0.75) return static_cast<float>(1.4 - 1.6 * kt);
  return 0.2f;
}

float InterpolTab17(float t) {
  static constexpr std::array<double, 17> kTab = {0.92, 1.1,  1.3,  1.53, 1.8,  2.11, 2.46, 2.85, 3.3,
                                                  3.8,  4.36, 4.99, 5.69, 6.47, 7.33, 8.29, 9.35};
  const double tr = std::trunc(double(t) - 100.0);
  const long long iv = std::isfinite(tr) ? static_cast<long long>(std::clamp(tr, -1e9, 1e9)) / 5 : 0;
  const int i = static_cast<int>(std::clamp<long long>(iv, 0, 15));
  return static_cast<float>(kTab[i] + (kTab[i + 1] - kTab[i]) * (t - (100.0 + 5.0 * i)) / 5.0);
}

}  // namespace tav
