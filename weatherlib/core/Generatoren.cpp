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
// Bound on the hourly chain's value within which its bounds are trusted.
constexpr double kYMax = 1e4;
// Bound on the hourly draws of one call of the hourly generator. The attempts of a day and
// their tolerance steps are bounded, but a year of days that each need the last steps takes
// seconds: a day that its hours' mean curve misses by far is matched, if at all, only by
// a rare draw at the widest tolerance. The years of real climates need a twelfth of this at
// most (the polar ones the most); the weather of every call within it is the same draw for
// draw.
constexpr long kMaxStundenZuege = 2'000'000;

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
  // x_i^(gamma+1) = step^(gamma+1) i^(gamma+1); i^(gamma+1) is the product of the powers
  // of its factors, so only the primes among the grid's i need an exponential. The few
  // roundings more lie far below the margin tol_ the bounds keep.
  struct Zerlegung {
    std::array<double, kPunkte + 1> lnI{};
    std::array<short, kPunkte + 1> teiler{};  // smallest prime factor of i
  };
  static const Zerlegung zerlegung = [] {
    Zerlegung t;
    for (int i = 2; i <= kPunkte; ++i) {
      t.lnI[i] = std::log(static_cast<double>(i));
      int p = 2;
      while (i % p != 0) ++p;
      t.teiler[i] = static_cast<short>(p);
    }
    return t;
  }();
  const double g1 = v.gamma + 1.0, schrittPotenz = std::exp(g1 * std::log(schritt_));
  std::array<double, kPunkte + 1> potenz{};  // i^(gamma+1)
  potenz[1] = 1.0;
  f_[0] = 0.0;
  for (int i = 1; i <= kPunkte; ++i) {
    if (i > 1) {
      const int p = zerlegung.teiler[i];
      potenz[i] = p == i ? std::exp(g1 * zerlegung.lnI[i]) : potenz[p] * potenz[i / p];
    }
    const double f = v.c * (schrittPotenz * potenz[i]) * v.b(i * schritt_);
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
    double g[kPunkte + 1]{};
    for (int i = 1; i <= kPunkte; ++i) {
      const double s = static_cast<double>(i) / kPunkte;
      g[i] = std::sqrt(-2.0 * std::log(s) / s);
    }
    // The margin covers the rounding of the table and of the value.
    for (int i = 1; i < kPunkte; ++i) {
      gu_[i] = g[i + 1] * (1.0 - 1e-12);
      go_[i] = g[i] * (1.0 + 1e-12);
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
    const double gu = gu_[i], go = go_[i];
    const double a = static_cast<double>(sd) * p.u1;
    return a >= 0.0 ? std::pair{a * gu, a * go} : std::pair{a * go, a * gu};
  }

 private:
  // Lower and upper bound of the factor over grid cell [i, i + 1) of s.
  double gu_[kPunkte]{}, go_[kPunkte]{};
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
      std::array<double, 31> zs{}, xu{}, xo{};
      std::array<Zufall::Paar, 31> paare{};
      for (int versuch = 1;; ++versuch) {
        // Most draws of a month fail already on the bounds of its days' normal draws that
        // the uniform pairs give without a logarithm; only the others are worked out.
        Summen grob;
        double zm1u = 0.0, zm1o = 0.0, zm2u = 0.0, zm2o = 0.0;
        for (int d = 0; d < n; ++d) {
          paare[d] = z.Rng.PolarPaar();
          const auto [yu, yo] = polar.Grenzen(sdY, paare[d]);
          // The first days' terms of earlier days are zero, so one formula bounds all days.
          double zu = 0.2653 * zm1u + yu + 0.0041 * zm2u;
          double zo = 0.2653 * zm1o + yo + 0.0041 * zm2o;
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
          const auto [lo, hi] = schranken.Grenzen(tafel.Grenzen(zd).first, tafel.Grenzen(zd).second);
          xu[d] = boden(lo);
          xo[d] = boden(hi);
          genau.sxU += xu[d];
          genau.sxO += xo[d];
          genau.sxxO += std::max((xu[d] - 1.0) * (xu[d] - 1.0), (xo[d] - 1.0) * (xo[d] - 1.0));
        }
        if (scheitert(genau, 0.0)) continue;
        // Each day solved takes its bounds' place in the sums, so a draw that fails after all
        // mostly shows it before its last days are solved.
        double sx = 0.0, sxx = 0.0;
        bool verfehlt = false;
        for (int d = 0; d < n && !verfehlt; ++d) {
          double x = v.Invers(Wahrscheinlichkeit(zs[d]), x0);
          ktd[d] = x * ktm;
          if (ktd[d] < 0.05) {
            ktd[d] = 0.05;
            x = 0.05 / ktm;
          }
          sx += x;
          sxx += (x - 1.0) * (x - 1.0);
          genau.sxU += x - xu[d];
          genau.sxO += x - xo[d];
          genau.sxxO += (x - 1.0) * (x - 1.0) - std::max((xu[d] - 1.0) * (xu[d] - 1.0), (xo[d] - 1.0) * (xo[d] - 1.0));
          verfehlt = d + 1 < n && scheitert(genau, 1e-9);
        }
        if (verfehlt) continue;
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
  long zuege = 0;
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
    // The daylight hours in order with what an attempt needs of them; mean and spread
    // depend on the sun alone, not on the draw.
    struct Stunde {
      int k;
      double kmax, ktm, sigma, extra, rand;
    };
    std::array<Stunde, 24> hs{};
    int nh = 0;
    // Bounds decide only where their rounding is known to be small (see below).
    bool schranken = true;
    for (int k = 0; k < 24; ++k) {
      const double kmax = K(Stunden, KLIM_K_KTMAX, basis + k);
      if (!(kmax > 0.0)) continue;
      const double sh = SinG(K(Stunden, KLIM_K_HOEHE, basis + k));
      Stunde& st = hs[nh++];
      st.k = k;
      st.kmax = kmax;
      st.ktm = lambda + eps * std::exp(-kappa / sh);
      st.sigma = a * std::exp(b * (1.0 - sh));
      st.extra = K(Stunden, KLIM_K_EXTRA, basis + k);
      // Rounding of sigma y + ktm for |y| up to kYMax, with room to spare.
      st.rand = 1e-9 * (1.0 + st.sigma * kYMax + std::fabs(st.ktm));
      schranken = schranken && st.extra >= 0.0 && st.sigma >= 0.0 && std::isfinite(st.rand);
    }
    // Most attempts of a day miss its clearness. Each hour's draw is first judged on bounds
    // of its normal draw that the uniform pair gives without a logarithm, and the attempt
    // on the bounds of its hours; values are worked out only where the bounds cannot
    // decide. The accepted pairs are kept, so the exact values, when needed, come out as a
    // plain run of the draws gives them. Bounds on the chain's value are widened by a fixed
    // margin per hour, far above the rounding while |y| stays below kYMax (|phi1| < 1, so
    // rounding does not grow along the chain); beyond that the value is worked out.
    static const PolarTafel polar;
    std::array<Zufall::Paar, 24> paare{};
    std::array<double, 24> kth{};
    int toleranz = 2;
    int versuch = 0;
    double kg = 0.0;
    for (;;) {
      double yu = 0.0, yo = 0.0;  // bounds on the chain's value after the last accepted hour
      double yGenau = 0.0;        // its exact value over the first iGenau hours
      int iGenau = 0;
      auto bisGenau = [&](int bis) {
        for (; iGenau < bis; ++iGenau) {
          const double r = Zufall::PolarWert(s, paare[iGenau]);
          yGenau = iGenau == 0 ? r : phi1 * yGenau + r;
        }
      };
      double summeU = 0.0, summeO = 0.0;
      for (int i = 0; i < nh; ++i) {
        const Stunde& st = hs[i];
        bool ok = false;
        for (int zug = 1; zug <= 1501 && !ok; ++zug) {
          // Deliberate: beyond the call's bound the day counts as not matched ("kh I").
          if (++zuege > kMaxStundenZuege) throw EKlimgen(kKhTag, "kh I");
          const Zufall::Paar paar = z.Rng.PolarPaar();
          auto [yyU, yyO] = polar.Grenzen(s, paar);
          if (i > 0) {
            if (phi1 >= 0.0) {
              yyU += phi1 * yu;
              yyO += phi1 * yo;
            } else {
              yyU += phi1 * yo;
              yyO += phi1 * yu;
            }
          }
          yyU -= 1e-9;
          yyO += 1e-9;
          double vU = st.sigma * yyU + st.ktm - st.rand, vO = st.sigma * yyO + st.ktm + st.rand;
          const bool tragfaehig = schranken && yyU > -kYMax && yyO < kYMax;
          if (tragfaehig && (vO <= 0.0 || vU > st.kmax)) continue;  // fails for every value
          if (!tragfaehig || !(vU > 0.0 && vO <= st.kmax)) {      // undecided: the exact value
            bisGenau(i);
            const double r = Zufall::PolarWert(s, paar);
            const double yy = i == 0 ? r : phi1 * yGenau + r;
            const double v = st.sigma * yy + st.ktm;
            if (!(v > 0.0 && v <= st.kmax)) continue;
            yGenau = yy;
            iGenau = i + 1;
            yyU = yyO = yy;
            vU = vO = v;
          }
          paare[i] = paar;
          yu = yyU;
          yo = yyO;
          summeU += std::max(vU, 0.0) * st.extra;
          summeO += std::min(vO, st.kmax) * st.extra;
          ok = true;
        }
        if (!ok) throw EKlimgen(kKhStunde, "kh II");
      }
      ++versuch;
      if (versuch > 1500 && toleranz < grenze) {
        ++toleranz;
        versuch = 1;
      }
      double kgU = summeU / 1000.0 / s0, kgO = summeO / 1000.0 / s0;
      kgU -= 1e-9 * (1.0 + std::fabs(kgU));
      kgO += 1e-9 * (1.0 + std::fabs(kgO));
      const double abstand = kt < kgU ? kgU - kt : (kt > kgO ? kt - kgO : 0.0);
      const bool verfehlt = schranken && abstand * 100.0 / kt >= toleranz * (1.0 + 1e-9) + 1e-9;
      if (!verfehlt) {
        // The attempt may match: its hours' exact values, in the order the draws made them.
        kth.fill(0.0);
        double y = 0.0, summe = 0.0;
        for (int i = 0; i < nh; ++i) {
          const double r = Zufall::PolarWert(s, paare[i]);
          y = i == 0 ? r : phi1 * y + r;
          kth[hs[i].k] = hs[i].sigma * y + hs[i].ktm;
          summe += kth[hs[i].k] * K(Stunden, KLIM_K_EXTRA, basis + hs[i].k);
        }
        kg = summe / 1000.0 / s0;
        if (std::fabs(kg - kt) * 100.0 / kt < toleranz) break;
      }
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
