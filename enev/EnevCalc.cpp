#include "enev/EnevCalc.h"

#include <array>
#include <cmath>

namespace tav::enev {

namespace {

// Distribution losses (q TW,d / q h TW,d, kWh/(m²a)) over the useful area; pair k belongs
// to axis entry k (entry 0 has no pair). The no-circulation columns end at 500 m²: the
// standard gives no figures for larger buildings without circulation.
constexpr std::array<double, 12> kFlaechenAchse = {0,    100,  150,  200,  300,  500,
                                                   750, 1000, 1500, 2500, 5000, 10000};
struct Paar {
  double q, qh;
};
using Spalte = std::array<Paar, 12>;
constexpr Spalte kZirkAussen = {{{0, 0}, {14.6, 1.7}, {11.6, 1.7}, {10.1, 1.8}, {8.7, 1.8},
                                 {7.6, 1.9}, {7.1, 2.0}, {6.9, 2.1}, {6.8, 2.1}, {6.6, 2.2},
                                 {6.6, 2.3}, {6.6, 2.3}}};
constexpr Spalte kZirkInnen = {{{0, 0}, {12.1, 5.4}, {9.8, 4.4}, {8.7, 3.9}, {7.7, 3.5},
                                {6.9, 3.1}, {6.6, 3.0}, {6.5, 2.9}, {6.4, 2.9}, {6.3, 2.8},
                                {6.3, 2.8}, {6.3, 2.8}}};
constexpr Spalte kOhneAussen = {{{0, 0}, {6.7, 1.0}, {5.4, 1.0}, {4.7, 1.0}, {4.0, 1.0},
                                 {3.4, 1.9}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}};
constexpr Spalte kOhneInnen = {{{0, 0}, {5.1, 2.3}, {4.2, 1.9}, {3.8, 1.7}, {3.3, 1.5},
                                {3.0, 1.3}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}};

// Orientation factor over tilt (rows 0..90° in steps of 15) and orientation (columns).
constexpr std::array<double, 9> kAzimutAchse = {-90, -60, -40, -20, 0, 20, 40, 60, 90};
constexpr std::array<std::array<float, 9>, 7> kOrientierung = {{
    {0.810f, 0.810f, 0.810f, 0.810f, 0.810f, 0.810f, 0.810f, 0.810f, 0.810f},
    {0.799f, 0.855f, 0.883f, 0.902f, 0.911f, 0.909f, 0.895f, 0.872f, 0.813f},
    {0.787f, 0.881f, 0.927f, 0.962f, 0.976f, 0.972f, 0.952f, 0.913f, 0.830f},
    {0.763f, 0.881f, 0.940f, 0.981f, 1.000f, 0.997f, 0.971f, 0.926f, 0.820f},
    {0.718f, 0.848f, 0.909f, 0.953f, 0.978f, 0.977f, 0.952f, 0.905f, 0.786f},
    {0.646f, 0.777f, 0.805f, 0.865f, 0.887f, 0.890f, 0.883f, 0.846f, 0.724f},
    {0.542f, 0.655f, 0.682f, 0.692f, 0.706f, 0.725f, 0.749f, 0.736f, 0.631f},
}};

constexpr double kWarmwasserBedarf = 12.5;  // kWh/(m²a)

bool Positiv(double x) { return std::isfinite(x) && x > 0.0; }

// Number of stores of at most 1000 l that hold the volume v.
double Speicheranzahl(double v) { return std::trunc((v - 1.0) / 1000.0) + 1.0; }

}  // namespace

double OhneRundungsrest(double x) { return (x < 0.0 && x > -1e-9) ? 0.0 : x; }

std::optional<double> CalcKollFlaecheDIN(bool VRK, bool Kombi, double A_N) {
  if (!Positiv(A_N)) return std::nullopt;
  double v = (VRK ? 0.066 : 0.09) * std::pow(static_cast<float>(A_N), 0.8);
  if (Kombi) v *= 1.8;
  return std::trunc(v * 10.0) / 10.0;
}

std::optional<double> CalcBereitschaftsverlust(double V1, double V2) {
  if (!Positiv(V1) || !std::isfinite(V2) || V2 < 0.0) return std::nullopt;
  if (V2 < 0.1) {
    const double n = Speicheranzahl(V1);
    if (n > 255) return std::nullopt;
    return n * (0.2 * std::pow(V1 / n, 0.4) + 0.4);
  }
  const double v = V1 + V2;
  if (v <= 1000.0) return (0.2 * std::pow(v, 0.4) + 0.4) * V1 / v;
  const double n = Speicheranzahl(v);
  if (n > 255) return std::nullopt;
  return n * (0.2 * std::pow(V1 / n + V2 / n, 0.4) + 0.4) * V1 / v;
}

std::optional<EnevVerteilung> CalcVerteilverlust(bool Zirkulation, bool VerteilungInnen,
                                                 double A_N) {
  if (!Positiv(A_N)) return std::nullopt;
  const Spalte& t = Zirkulation ? (VerteilungInnen ? kZirkInnen : kZirkAussen)
                                : (VerteilungInnen ? kOhneInnen : kOhneAussen);
  if (A_N < 100.0) return EnevVerteilung{t[1].q, t[1].qh};
  int k = 10;
  for (int i = 10; i >= 1; --i)
    if (kFlaechenAchse[i] > A_N) k = i - 1;
  const double f = (A_N - kFlaechenAchse[k]) / (kFlaechenAchse[k + 1] - kFlaechenAchse[k]);
  return EnevVerteilung{t[k].q + f * (t[k + 1].q - t[k].q), t[k].qh + f * (t[k + 1].qh - t[k].qh)};
}

std::optional<EnevSpeicher> CalcSpeicherverlust(bool SpeicherInnen, double A_N, double qBS) {
  if (!Positiv(A_N) || !std::isfinite(qBS) || qBS < 0.0) return std::nullopt;
  EnevSpeicher s;
  s.TUmgebung = SpeicherInnen ? 20.0 : 13.0;
  s.qTWs = ((50.0 - s.TUmgebung) * 1.2 / 45.0) * 350.0 * qBS / A_N;
  s.qhTWs = SpeicherInnen ? 0.4492857142857143 * s.qTWs : 0.0;
  return s;
}

std::optional<double> CalcOrientierungsfaktor(double Neigung, double Azimut) {
  if (!std::isfinite(Neigung) || !std::isfinite(Azimut) || Neigung < 0.0) return std::nullopt;
  // Columns s and s + 1 of the orientation axis.
  int s;
  if (Azimut <= -60) s = 0;
  else if (Azimut <= -40) s = 1;
  else if (Azimut <= -20) s = 2;
  else if (Azimut < 0) s = 3;
  else if (Azimut < 20) s = 4;
  else if (Azimut < 40) s = 5;
  else if (Azimut < 60) s = 6;
  else s = 7;
  double a, b;
  if (Neigung < 90.0) {
    const int j = static_cast<int>(std::trunc(Neigung / 15.0));
    const double t = (Neigung - j * 15.0) / 15.0;
    a = kOrientierung[j][s] + t * (kOrientierung[j + 1][s] - kOrientierung[j][s]);
    b = kOrientierung[j][s + 1] + t * (kOrientierung[j + 1][s + 1] - kOrientierung[j][s + 1]);
  } else {
    a = kOrientierung[6][s];
    b = kOrientierung[6][s + 1];
  }
  const double w = std::fabs(Azimut) < 60.0 ? 20.0 : 30.0;
  if (Azimut < 0) return b + (kAzimutAchse[s + 1] - Azimut) / w * (a - b);
  if (Azimut > 0) return a + (Azimut - kAzimutAchse[s]) / w * (b - a);
  return a;
}

std::optional<EnevBedarf> CalcWaermebedarfTW(bool Zirkulation, bool VerteilungInnen,
                                             bool SpeicherInnen, double A_N, double qBS) {
  const auto v = CalcVerteilverlust(Zirkulation, VerteilungInnen, A_N);
  const auto sp = CalcSpeicherverlust(SpeicherInnen, A_N, qBS);
  if (!v || !sp) return std::nullopt;
  EnevBedarf b{v->qTWd, v->qhTWd, sp->qTWs, sp->qhTWs, sp->TUmgebung, 0.0};
  b.QTW = (kWarmwasserBedarf + b.qTWd + b.qTWs) * A_N;
  return b;
}

std::optional<double> CalcSolarertragTW(const EnevEingaben& e, double x, double Q) {
  if (!Positiv(x) || !Positiv(Q) || !Positiv(e.Vaux) || !std::isfinite(e.Vsol) || e.Vsol < 0.0)
    return std::nullopt;
  const auto fOri = CalcOrientierungsfaktor(e.Neigung, e.Azimut);
  const auto sp = CalcSpeicherverlust(e.SpeicherInnen, e.Nutzflaeche, e.qBS);
  if (!fOri || !sp) return std::nullopt;
  const bool klein = e.KleineAnlage;
  const double E = klein ? (271 * e.Eta0 - 18.8 * e.K1 - 653 * e.K2 + 172 * e.IAM -
                            0.792 * e.Waermekap - 20.7) * x
                         : (355 * e.Eta0 - 26.8 * e.K1 - 992 * e.K2 + 221 * e.IAM -
                            0.655 * e.Waermekap) * x;
  const double fA = (klein ? -2.73 : -2.9) - 0.6 * std::log(x / Q);
  const double fL = klein ? 1.037 - 0.00185 * e.Rohrlaenge : 1.0;
  const double r = e.Vsol / Q;
  const double fV0 = 1.207 * std::pow(r, 0.07);
  double fV = fV0;
  if (klein) {
    fV = 5.305 * r + 0.8 - 27.02 * r * r;
    if (0.8 * fV0 > fV) fV = fV0;
  }
  const double fAux = klein ? 1.12 - 2.36 * e.Vaux / Q : 1.0;
  const double fQ = 1.22 - 0.464 * std::sqrt(Q) * e.qBS / e.Vaux;
  const double G = sp->qTWs * e.Nutzflaeche;
  const double fT = 47.0 / (50.0 - sp->TUmgebung);
  const double fC = 1.042857142857143;
  const double fE = e.NachheizElektrisch ? 1.0 : 0.8333333333333334;
  const float y = static_cast<float>(E * *fOri * fA * fL * fV * fAux * fQ + G * fT * fC * fE);
  if (!std::isfinite(y)) return std::nullopt;
  return y;
}

std::optional<EnevHilfsenergie> CalcHilfsenergie(double A_N, double alpha, double A_TW,
                                                 double A_Rest) {
  if (!Positiv(A_N) || !Positiv(A_TW) || !std::isfinite(alpha)) return std::nullopt;
  const float p = static_cast<float>(30.0 + 0.05 * A_N);
  EnevHilfsenergie h;
  if (A_N * alpha > 0) h.qTWHE = p * 1750.0 / (1000.0 * A_N * alpha);
  h.qHHE = h.qTWHE * OhneRundungsrest(A_Rest) / A_TW;
  return h;
}

EnevErgebnis CalcEnevErgebnis(const EnevEingaben& e) {
  EnevErgebnis r;
  r.Bedarf = CalcWaermebedarfTW(e.Zirkulation, e.VerteilungInnen, e.SpeicherInnen,
                                e.Nutzflaeche, e.qBS);
  r.KollFlaecheDIN = CalcKollFlaecheDIN(e.VRK, e.Kombi, e.Nutzflaeche);
  if (!r.Bedarf || !r.KollFlaecheDIN) return r;
  r.SpeicherVerlust = static_cast<float>(e.Nutzflaeche * r.Bedarf->qTWs);
  const double din = *r.KollFlaecheDIN;
  double start = (e.Kombi && e.KollFlaeche >= din) ? e.KollFlaeche - 0.8 * din / 1.8
                                                   : e.KollFlaeche;
  if (!Positiv(start)) return r;
  // The area share between 20 % and 100 % of the start, in steps of 5 %, with the largest
  // yield; on equal yields the smaller area stays.
  r.FlaecheTW = start;
  r.QTWsol = 0.0;
  const double schritt = start / 20.0;
  for (int i = 4; i <= 20; ++i) {
    const double x = i * schritt;
    const auto y = CalcSolarertragTW(e, x, r.Bedarf->QTW);
    if (!y) return r;
    if (*y > r.QTWsol) {
      r.FlaecheTW = x;
      r.QTWsol = *y;
    }
  }
  r.AlphaTW = r.QTWsol / r.Bedarf->QTW;
  const auto h = CalcHilfsenergie(e.Nutzflaeche, r.AlphaTW, r.FlaecheTW,
                                  OhneRundungsrest(e.KollFlaeche - r.FlaecheTW));
  if (!h) return r;
  r.qTWHE = h->qTWHE;
  r.qHHE = h->qHHE;
  r.SolarGueltig = true;
  return r;
}

}  // namespace tav::enev
