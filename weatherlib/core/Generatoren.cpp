// Stochastic half of the synthesis: daily and hourly clearness, diffuse/direct split.
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "core/Intern.h"
#include "core/Klimgen.h"

namespace tav::klimgen {

double Zufall::RandG(float sd) { return PolarWert(sd, PolarPaar()); }

namespace {

// Below this drawn monthly mean the floor of 0.05 on the daily clearness lifts so many days
// that no draw of the month reaches mean and variance together; every such candidate would
// end in "kd II" after ten thousand futile draws. Dark months near the plausibility limit
// of 0.15 reach it with a few per cent probability per candidate.
constexpr double kKTmMinimum = 0.1;
// Bound on the passes of the clear-sky ceiling over one month.
constexpr int kMaxDeckelDurchgaenge = 20;

}  // namespace

Verteilung::Verteilung(double ktm) {
  sigma2 = ktm <= 0.2 ? 0.1926 : (ktm <= 0.67801047120418848164 ? 0.269 - 0.382 * ktm : 0.01);
  gamma = 0.5 * std::sqrt(8.0 / sigma2 + 9.0) - 2.5;
  u = (gamma + 3.0) / (gamma + 1.0);
  c = (gamma + 1.0) * (gamma + 2.0) / std::pow(u, gamma + 1.0);
}

double Verteilung::Dichte(double x) const { return c * std::pow(x, gamma) * (1.0 - x / u); }
double Verteilung::F(double x) const { return c * std::pow(x, gamma + 1.0) * b(x); }
double Verteilung::b(double x) const { return 1.0 / (gamma + 1.0) - x / (u * (gamma + 2.0)); }

// Newton on g(x) = C x^(g+1) - p / b(x) from x0 until |g| < 0.001. g has the sign of
// F(x) - p and changes it once on [0, U], so a step that leaves the bracket is replaced by
// bisection and x never leaves the domain of the power. g and its derivative at x share one
// power: x^g = x^(g+1) / x.
double Verteilung::Invers(double p, double x0) const {
  double x = std::clamp(x0, 0.0, u);
  if (x != start_) {
    start_ = x;
    startPotenz_ = std::pow(x, gamma + 1.0);
  }
  double potenz = startPotenz_;  // x^(g+1) of the current x
  auto g = [&] { return c * potenz - p / b(x); };
  auto gStrich = [&] {
    const double bx = b(x);
    const double xg = x > 0.0 ? potenz / x : std::pow(x, gamma);
    return c * (gamma + 1.0) * xg - p / (u * (gamma + 2.0) * bx * bx);
  };
  double lo = 0.0, hi = u;
  double gx = g();
  long schritte = 0;
  do {
    if (gx < 0.0) lo = x; else hi = x;
    const double d = gStrich();
    double xn = d != 0.0 ? x - gx / d : lo;
    if (!(xn > lo && xn < hi)) xn = 0.5 * (lo + hi);
    x = xn;
    potenz = std::pow(x, gamma + 1.0);
    gx = g();
    if (++schritte > 100000) throw EKlimgen(kKdNewton, "kd I");
  } while (std::fabs(gx) >= 0.001);
  return x;
}

InversSchranken::InversSchranken(const Verteilung& v)
    : u_(v.u), schritt_(v.u / kPunkte), tol_(0.001 / (v.gamma + 1.0) + 1e-9) {
  // x_i^(gamma+1) = exp((gamma+1) (ln step + ln i)): one exponential per grid point.
  static const auto lnI = [] {
    std::array<double, kPunkte + 1> t{};
    for (int i = 1; i <= kPunkte; ++i) t[i] = std::log(static_cast<double>(i));
    return t;
  }();
  const double g1 = v.gamma + 1.0, lnSchritt = std::log(schritt_);
  f_[0] = 0.0;
  for (int i = 1; i <= kPunkte; ++i) {
    const double f = v.c * std::exp(g1 * (lnSchritt + lnI[i])) * v.b(i * schritt_);
    f_[i] = std::max(f, f_[i - 1]);  // rounding near U must not break the order
  }
  int i = 0;
  for (int k = 0; k <= kFaecher; ++k) {
    const double q = static_cast<double>(k) / kFaecher;
    while (i < kPunkte && f_[i + 1] <= q) ++i;
    fach_[k] = static_cast<short>(i);
  }
}

int InversSchranken::Index(double q) const {
  if (!(q >= 0.0)) return -1;
  int i = fach_[q >= 1.0 ? kFaecher : static_cast<int>(q * kFaecher)];
  while (i < kPunkte && f_[i + 1] <= q) ++i;
  return i;
}

namespace {

// The probability a day's normal draw z stands for, as the generator computes it.
double Wahrscheinlichkeit(double z) {
  const double r = std::sqrt(1.0 - std::exp(-2.0 * z * z / kPi));
  return z > 0.0 ? (1.0 + r) / 2.0 : (1.0 - r) / 2.0;
}

// The same probability tabulated on a fine grid of z: two neighbouring entries bound it
// (it rises with z), which is all the rejection test needs.
class WahrscheinlichkeitsTafel {
 public:
  static constexpr double kRand = 8.0;
  static constexpr int kPunkte = 8192;
  WahrscheinlichkeitsTafel() {
    for (int k = 0; k <= kPunkte; ++k) p_[k] = Wahrscheinlichkeit(-kRand + k * kSchritt);
    for (int k = 0; k < kPunkte; ++k) steigend_ = steigend_ && p_[k] <= p_[k + 1];
  }
  // True when the entries never fall, so that the bounds of two values bound all between.
  bool Steigend() const { return steigend_; }
  // Lowest and highest probability of z.
  std::pair<double, double> Grenzen(double z) const {
    if (!(z >= -kRand)) return {0.0, p_[0]};
    if (!(z < kRand)) return {p_[kPunkte], 1.0};
    const int k = std::min(static_cast<int>((z + kRand) / kSchritt), kPunkte - 1);
    return {p_[k], p_[k + 1]};
  }

 private:
  static constexpr double kSchritt = 2.0 * kRand / kPunkte;
  double p_[kPunkte + 1];
  bool steigend_ = true;
};

// Bounds on a normal draw from its uniform pair without the logarithm: the factor
// sqrt(-2 ln s / s) falls with s, so its values at the ends of a grid cell of s bound it.
class PolarTafel {
 public:
  static constexpr int kPunkte = 4096;
  PolarTafel() {
    for (int i = 1; i <= kPunkte; ++i) {
      const double s = static_cast<double>(i) / kPunkte;
      g_[i] = std::sqrt(-2.0 * std::log(s) / s);
    }
  }
  // Lowest and highest value Zufall::PolarWert(sd, p) may have; the value itself below the
  // first cell, where the factor grows without bound.
  std::pair<double, double> Grenzen(float sd, Zufall::Paar p) const {
    const int i = static_cast<int>(p.s * kPunkte);
    if (i < 1) {
      const double y = Zufall::PolarWert(sd, p);
      return {y, y};
    }
    // The margin covers the rounding of the table and of the value.
    const double gu = g_[i + 1] * (1.0 - 1e-12), go = g_[i] * (1.0 + 1e-12);
    const double a = static_cast<double>(sd) * p.u1;
    return a >= 0.0 ? std::pair{a * gu, a * go} : std::pair{a * go, a * gu};
  }

 private:
  double g_[kPunkte + 1]{};
};

}  // namespace

void kd_Generator(Zustand& z, int Kandidat, TKlimMonate& Monate, TKlimTage& Tage, float Breite,
                  float Laenge) {
  const double phi = std::fabs(static_cast<double>(Breite));
  const float sdY = static_cast<float>(std::sqrt(0.929596733647115808));
  int tag0 = 1;
  for (int m = 1; m <= 12; ++m) {
    const int n = kMonatsTage[m - 1];
    const double kt = M(Monate, KLIM_M_KT, m);
    double ktm = kt;
    if (z.Generieren) {
      const double c = (phi > 50.0 && Laenge < 2.0) ? 0.23 : 0.3;
      const double sd = (-c * (kt - 0.725) + 0.045) * kt;
      ktm = kt + z.Rng.RandG(static_cast<float>(sd));
      if (kt > 0.0 && ktm < kKTmMinimum) ktm = kKTmMinimum;
      if (kt <= 0.0) ktm = 0.0;
      MK(Monate, m, Kandidat) = static_cast<float>(ktm);
    }
    std::array<double, 31> ktd{}, q{};
    auto s0 = [&](int d) { return static_cast<double>(T(Tage, KLIM_T_EXTRA, tag0 + d)); };
    auto s1 = [&](int d) { return static_cast<double>(T(Tage, KLIM_T_KLAR, tag0 + d)); };
    auto quote = [&](int d) { return s1(d) > 0.0 ? ktd[d] * s0(d) / s1(d) : 0.0; };

    if (ktm > 0.0) {  // a month of polar night stays dark
      const Verteilung v(ktm);
      const InversSchranken schranken(v);
      const double x0 = ktm <= 0.4 ? 1.4 : (ktm <= 0.6 ? 1.2 : 1.15);
      // A day's x as the month's statistics take it: at least what gives ktd = 0.05.
      auto boden = [&](double x) { return x * ktm < 0.05 ? 0.05 / ktm : x; };
      static const WahrscheinlichkeitsTafel tafel;
      static const PolarTafel polar;
      // Bounds on the month's sums of x and (x - 1)^2 from the bounds on each day's x, for
      // a day's normal draw z within [zu, zo].
      struct Summen {
        double sxU = 0.0, sxO = 0.0, sxxO = 0.0;
      };
      auto tagDazu = [&](Summen& su, double zu, double zo) __attribute__((always_inline)) {
        const auto [lo, hi] = schranken.Grenzen(tafel.Grenzen(zu).first, tafel.Grenzen(zo).second);
        const double xu = boden(lo), xo = boden(hi);
        su.sxU += xu;
        su.sxO += xo;
        su.sxxO += std::max((xu - 1.0) * (xu - 1.0), (xo - 1.0) * (xo - 1.0));
      };
      // A draw that fails for every x within the bounds needs no solving; the margin
      // covers rounding in the sums (and, with extra, the wider bounds of the draws).
      auto scheitert = [&](const Summen& su, double extra) {
        constexpr double kRand = 1e-9;
        const double r = kRand + extra;
        return su.sxO / n < 0.99 - r || su.sxU / n > 1.01 + r || su.sxxO / n < v.sigma2 - r;
      };
      std::array<double, 31> zs{};
      std::array<Zufall::Paar, 31> paare{};
      for (int versuch = 1;; ++versuch) {
        // Most draws of a month fail already on the bounds of its days' normal draws that
        // the uniform pairs give without a logarithm; only the others are worked out.
        Summen grob;
        double zm1u = 0.0, zm1o = 0.0, zm2u = 0.0, zm2o = 0.0;
        for (int d = 0; d < n; ++d) {
          paare[d] = z.Rng.PolarPaar();
          const auto [yu, yo] = polar.Grenzen(sdY, paare[d]);
          double zu = d == 0 ? yu : (d == 1 ? 0.2653 * zm1u + yu : 0.2653 * zm1u + yu + 0.0041 * zm2u);
          double zo = d == 0 ? yo : (d == 1 ? 0.2653 * zm1o + yo : 0.2653 * zm1o + yo + 0.0041 * zm2o);
          zu -= 1e-12 * (1.0 + std::fabs(zu));
          zo += 1e-12 * (1.0 + std::fabs(zo));
          zm2u = zm1u;
          zm2o = zm1o;
          zm1u = zu;
          zm1o = zo;
          tagDazu(grob, zu, zo);
        }
        if (versuch > 10000) throw EKlimgen(kKdMonat, "kd II");
        if (tafel.Steigend() && scheitert(grob, 1e-7)) continue;
        double zm1 = 0.0, zm2 = 0.0;
        Summen genau;
        for (int d = 0; d < n; ++d) {
          const double y = Zufall::PolarWert(sdY, paare[d]);
          const double zd = d == 0 ? y : (d == 1 ? 0.2653 * zm1 + y : 0.2653 * zm1 + y + 0.0041 * zm2);
          zm2 = zm1;
          zm1 = zd;
          zs[d] = zd;
          tagDazu(genau, zd, zd);
        }
        if (scheitert(genau, 0.0)) continue;
        double sx = 0.0, sxx = 0.0;
        for (int d = 0; d < n; ++d) {
          double x = v.Invers(Wahrscheinlichkeit(zs[d]), x0);
          ktd[d] = x * ktm;
          if (ktd[d] < 0.05) {
            ktd[d] = 0.05;
            x = 0.05 / ktm;
          }
          sx += x;
          sxx += (x - 1.0) * (x - 1.0);
        }
        if (sxx / n >= v.sigma2 && std::fabs(1.0 - sx / n) < 0.01) break;
      }
      for (int d = 0; d < n; ++d) q[d] = quote(d);
      // Clear-sky ceiling: a day above its maximum is set near clear sky and its excess
      // goes to a day of the month with a middling clear-sky ratio. An excess moved to an
      // earlier day can lift that day over its own ceiling, where no hourly draw could ever
      // match it; further passes clip such days in turn. Without a backward move the first
      // pass is the only one.
      for (int durchgang = 0; durchgang < kMaxDeckelDurchgaenge; ++durchgang) {
        bool zurueck = false;
        for (int d = 0; d < n; ++d) {
          if (!(ktd[d] > T(Tage, KLIM_T_KTMAX, tag0 + d))) continue;
          const double alt = ktd[d];
          const double faktor = 1.0 + z.Rng.RandG(0.025f);
          ktd[d] = s0(d) > 0.0 ? faktor * s1(d) / s0(d) : 0.0;
          q[d] = quote(d);
          const double excess = alt - ktd[d];
          for (int versuch = 0; versuch <= 100; ++versuch) {
            const double u = z.Rng.Uniform();
            const double ziel = versuch < 50 ? std::trunc(u * 20.0 + 70.0) / 100.0 : std::trunc(u * 35.0 + 55.0) / 100.0;
            int treffer = -1;
            for (int k = 0; k < n && treffer < 0; ++k)
              if (0.975 * ziel < q[k] && q[k] < 1.025 * ziel) treffer = k;
            if (treffer >= 0) {
              ktd[treffer] += excess;
              q[treffer] = quote(treffer);
              zurueck = zurueck || treffer < d;
              break;
            }
          }
        }
        if (!zurueck) break;
      }
    }
    for (int d = 0; d < n; ++d) {
      const int tag = tag0 + d;
      const double global = ktd[d] * s0(d);
      if (Kandidat >= 1) {
        TK(Tage, KLIM_T_KANDIDAT_KT, tag, Kandidat) = static_cast<float>(ktd[d]);
        TK(Tage, KLIM_T_KANDIDAT_GLOBAL, tag, Kandidat) = static_cast<float>(global);
      } else {
        T(Tage, KLIM_T_KT, tag) = static_cast<float>(ktd[d]);
        T(Tage, KLIM_T_GLOBAL, tag) = static_cast<float>(global);
      }
    }
    tag0 += n;
  }
}

void kh_Generator(Zustand& z, TKlimStunden& Stunden, const TKlimTage& Tage) {
  for (int j = 1; j <= KLIM_TAGE; ++j) {
    const int basis = (j - 1) * 24;
    const double kt = T(Tage, KLIM_T_KT, j);
    const double s0 = T(Tage, KLIM_T_EXTRA, j);
    bool hell = false;
    for (int k = 0; k < 24; ++k) hell = hell || K(Stunden, KLIM_K_KTMAX, basis + k) > 0.0f;
    // Writes an hour's clearness with its global and its ratio to clear sky (0 at night).
    auto setze = [&](int h, double v) {
      const double global = v * K(Stunden, KLIM_K_EXTRA, h);
      const double klar = K(Stunden, KLIM_K_KLAR, h);
      K(Stunden, KLIM_K_KT, h) = static_cast<float>(v);
      K(Stunden, KLIM_K_GLOBAL, h) = static_cast<float>(global);
      K(Stunden, KLIM_K_VERHAELTNIS, h) = klar > 0.0 ? static_cast<float>(global / klar) : 0.0f;
    };
    // A day without a daylight hour, or without sun in its clearness, has nothing to share
    // out; trying to match it would never succeed.
    if (!hell || !(kt > 0.0) || !(s0 > 0.0)) {
      for (int k = 0; k < 24; ++k) setze(basis + k, 0.0);
      continue;
    }
    // A day whose clearness lies beyond what its hours can deliver at their maxima (an
    // excess moved onto it after its ceiling was checked, or a day of very low sun) could
    // never be matched; it gets the clearest sky its hours allow.
    double erreichbar = 0.0;
    for (int k = 0; k < 24; ++k)
      erreichbar += std::max(0.0f, K(Stunden, KLIM_K_KTMAX, basis + k)) * K(Stunden, KLIM_K_EXTRA, basis + k);
    if (kt >= erreichbar / 1000.0 / s0) {
      for (int k = 0; k < 24; ++k) setze(basis + k, std::max(0.0f, K(Stunden, KLIM_K_KTMAX, basis + k)));
      continue;
    }
    const double lambda = -0.19 + 1.12 * kt + 0.24 * std::exp(-8.0 * kt);
    const double eps = 0.32 - 1.6 * (kt - 0.5) * (kt - 0.5);
    const double kappa = 0.19 + 2.27 * kt * kt - 2.51 * kt * kt * kt;
    const double a = 0.14 * std::exp(-20.0 * (kt - 0.35) * (kt - 0.35));
    const double b = 3.0 * (kt - 0.45) * (kt - 0.45) + 16.0 * std::pow(kt, 5.0);
    const double phi1 = 0.2 + 1.71 * kt - 2.12 * kt * kt;
    const float s = static_cast<float>(std::sqrt(std::max(0.0, 1.0 - phi1 * phi1)));
    double w = 0.0;
    for (int k = 0; k < 24; ++k) w += kt * K(Stunden, KLIM_K_EXTRA, basis + k);
    const int grenze = w < 300 ? 20 : (w < 500 ? 15 : (w < 1000 ? 12 : (w < 2000 ? 8 : 3)));
    // Mean and spread of each daylight hour depend on the sun alone, not on the draw.
    std::array<double, 24> ktmH{}, sigmaH{};
    for (int k = 0; k < 24; ++k) {
      if (!(K(Stunden, KLIM_K_KTMAX, basis + k) > 0.0f)) continue;
      const double sh = SinG(K(Stunden, KLIM_K_HOEHE, basis + k));
      ktmH[k] = lambda + eps * std::exp(-kappa / sh);
      sigmaH[k] = a * std::exp(b * (1.0 - sh));
    }
    int toleranz = 2;
    int versuch = 0;
    std::array<double, 24> kth{};
    double kg = 0.0;
    for (;;) {
      double y = 0.0;
      bool erste = true;
      double summe = 0.0;
      for (int k = 0; k < 24; ++k) {
        const int h = basis + k;
        const double kmax = K(Stunden, KLIM_K_KTMAX, h);
        if (!(kmax > 0.0)) {
          kth[k] = 0.0;
          continue;
        }
        bool ok = false;
        for (int zug = 1; zug <= 1501 && !ok; ++zug) {
          const double r = z.Rng.RandG(s);
          const double yy = erste ? r : phi1 * y + r;
          const double v = sigmaH[k] * yy + ktmH[k];
          if (v > 0.0 && v <= kmax) {
            kth[k] = v;
            y = yy;
            ok = true;
          }
        }
        if (!ok) throw EKlimgen(kKhStunde, "kh II");
        erste = false;
        summe += kth[k] * K(Stunden, KLIM_K_EXTRA, h);
      }
      kg = summe / 1000.0 / s0;
      ++versuch;
      if (versuch > 1500 && toleranz < grenze) {
        ++toleranz;
        versuch = 1;
      }
      if (std::fabs(kg - kt) * 100.0 / kt < toleranz) break;
      if (versuch >= 1501) throw EKlimgen(kKhTag, "kh I");
    }
    for (int k = 0; k < 24; ++k) {
      const int h = basis + k;
      const double kmax = K(Stunden, KLIM_K_KTMAX, h);
      if (!(kmax > 0.0)) {
        setze(h, 0.0);
        continue;
      }
      double v = std::min(kth[k] - kg + kt, kmax);
      if (v < 0.0) v = 0.01;
      setze(h, v);
    }
  }
}

namespace {
double DiffusAnteilBogen(double kt, double ku, double fmin) {
  const double v = (std::sin(((kt - 0.2) / (ku - 0.2) - 0.5) * kPi) + 1.0) / 2.0;
  return 1.0 - v * v * (1.0 - fmin);
}
}  // namespace

void Diffus_Direkt_Anteil(int Zone, TKlimStunden& Stunden) {
  const bool sueden = Zone >= 10 && Zone <= 13;
  for (int h = 0; h < KLIM_STUNDEN; ++h) {
    const double kt = K(Stunden, KLIM_K_KT, h);
    const double el = K(Stunden, KLIM_K_HOEHE, h);
    const double sh = SinG(el);
    if (!(kt > 0.0) || !(sh > 0.0)) {
      K(Stunden, KLIM_K_DIREKT, h) = 0.0f;
      K(Stunden, KLIM_K_DIFFUS, h) = 0.0f;
      K(Stunden, KLIM_K_DNI, h) = 0.0f;
      continue;
    }
    const bool hoch = el > 35.0 && !sueden;
    const double a1 = hoch ? 0.43 : 0.46, a2 = hoch ? 0.15 : 0.12;
    const double a3 = hoch ? 0.87 : 0.82, a4 = hoch ? 0.56 : 0.51;
    const double e = std::exp(-0.06 * el);
    const double ku = a3 - a4 * e;
    const double fmin = a1 * e + a2;
    const double kr = 1.09 * ku;
    double f = 1.0;
    if (kt > kr) {
      f = 1.0 - kr * (1.0 - DiffusAnteilBogen(kr, ku, fmin)) / kt;
    } else if (kt > 0.2) {
      f = DiffusAnteilBogen(kt, ku, fmin);
    }
    const double global = K(Stunden, KLIM_K_GLOBAL, h);
    const double direkt = (1.0 - f) * global;
    K(Stunden, KLIM_K_DIFFUS, h) = static_cast<float>(f * global);
    K(Stunden, KLIM_K_DIREKT, h) = static_cast<float>(direkt);
    K(Stunden, KLIM_K_DNI, h) = static_cast<float>(direkt / sh);
  }
}

}  // namespace tav::klimgen
