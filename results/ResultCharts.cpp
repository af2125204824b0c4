#include "results/ResultCharts.h"

#include <algorithm>
#include <cmath>

#include "foundation/TavMathe.h"

namespace tav {
namespace {

std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

int Runde(double v) { return static_cast<int>(std::lround(v)); }

// Per-cent value of num / den, nothing without divisor.
std::optional<double> Prozent(double num, double den) {
  if (!std::isfinite(den) || den == 0.0) return std::nullopt;
  const double v = 100.0 * num / den;
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

void Balken(std::vector<TBalken>& out, int m, int x0, TBalkenSerie s, int a, int b, std::optional<double> v, int kappe) {
  if (!v) return;
  const int h = std::clamp(Runde(*v), 0, kappe);
  out.push_back({m, s, x0 + a, x0 + b, h});
}

// The total fraction: more solar heat than hot water and heating take still covers them once.
std::optional<double> Gedeckelt(std::optional<double> v) {
  if (v) v = std::min(*v, 100.0);
  return v;
}

}  // namespace

TMonatsAnteile MonatsAnteile(const ResultState& r, const PlantState& p, int m) {
  TMonatsAnteile a;
  const double S = r.SolarertragMonat[Idx(m)], H = r.SolHeizenMonat[Idx(m)], P = r.PoolWaermeMonat[Idx(m)];
  const double D = r.WWBedarfMonat[Idx(m)] + r.VerlustMonat[Idx(m)];
  const double I = r.KollEinstrahlungMonat[Idx(m)];
  const double heiz = p.Heizwaermebedarf * r.HeizanteilMonat[Idx(m)];
  if (p.Pool) a.Pool = Prozent(P, p.SolHeizung ? D + heiz : D);
  if (p.SolHeizung) {
    a.Warmwasser = Prozent(S - H - P, D);
    a.Gesamt = Gedeckelt(Prozent(S - P, D + heiz));
    a.NurWarmwasser = Prozent(S - H, D);
  } else {
    a.Warmwasser = Prozent(p.Pool ? S - P : S, D);
  }
  a.Deckung = Prozent(S, D);
  a.Wirkungsgrad = Prozent(S, I);
  return a;
}

std::vector<TBalken> DeckungsBalken(const ResultState& r, const PlantState& p) {
  std::vector<TBalken> out;
  const int k = kBalkenKappe;
  for (int m = 1; m <= 13; ++m) {
    const int x0 = 40 + 30 * (m - 1) + (m == 13 ? 10 : 0);
    const TMonatsAnteile a = MonatsAnteile(r, p, m);
    if (p.Pool) Balken(out, m, x0, TBalkenSerie::Pool, 0, 30, a.Pool, k);
    if (!p.SolHeizung) Balken(out, m, x0, TBalkenSerie::Warmwasser, p.Pool ? 4 : 3, p.Pool ? 26 : 27, a.Warmwasser, k);
    else Balken(out, m, x0, TBalkenSerie::Warmwasser, p.Pool ? 5 : 3, p.Pool ? 20 : 22, a.Warmwasser, k);
    if (p.SolHeizung) Balken(out, m, x0, TBalkenSerie::Gesamt, p.Pool ? 13 : 11, p.Pool ? 25 : 27, a.Gesamt, k);
    Balken(out, m, x0, TBalkenSerie::Wirkungsgrad, 9, 16, a.Wirkungsgrad, k);
  }
  return out;
}

std::vector<TBalken> DeckungsBalken2(const ResultState& r, const PlantState& p) {
  std::vector<TBalken> out;
  auto kappe150 = [](std::optional<double> v) -> std::optional<double> {
    if (v && Runde(*v) > kBalkenKappe2) return kBalkenKappe2 + 1.0;
    return v;
  };
  for (int m = 1; m <= 13; ++m) {
    const int x0 = 40 + 30 * (m - 1) + (m == 13 ? 5 : 0);
    const TMonatsAnteile a = MonatsAnteile(r, p, m);
    Balken(out, m, x0, TBalkenSerie::Warmwasser, 3, 27, kappe150(a.Deckung), kBalkenKappe2 + 1);
    if (p.SolHeizung) Balken(out, m, x0, TBalkenSerie::NurWarmwasser, 3, 27, kappe150(a.NurWarmwasser), kBalkenKappe2 + 1);
    // The efficiency is not capped; it stays within the picture all the same.
    Balken(out, m, x0, TBalkenSerie::Wirkungsgrad, 17, 30, a.Wirkungsgrad, kBalkenBasis2 / 2);
  }
  return out;
}

// ---------------------------------------------------------------------------------------

int KurvenKanal(TKurve k) {
  switch (k) {
    case TKurve::Einstrahlung: return 0;
    case TKurve::Leistung: return 1;
    case TKurve::TKoll: return 3;
    case TKurve::Speicher2Oben: return 7;
    case TKurve::Speicher2Unten: return 8;
    case TKurve::Speicher1Oben: return 5;
    case TKurve::Speicher1Unten: return 6;
    case TKurve::TKoll2: return 4;
    case TKurve::Einstrahlung2: return 11;
  }
  return 0;
}

bool IstEnergieKurve(TKurve k) {
  return k == TKurve::Einstrahlung || k == TKurve::Leistung || k == TKurve::Einstrahlung2;
}

int KurvenBreite(TKurvenAnsicht a, int monat) {
  switch (a) {
    case TKurvenAnsicht::Jahr: return 365;
    case TKurvenAnsicht::Monat: return 12 * TageProMonat[Idx(std::clamp(monat, 1, 12))];
    case TKurvenAnsicht::Tag: return 24 * 15;
  }
  return 365;
}

int TempY(double t) { return kKurveOben + Runde((1.0 - (t + 20.0) / 150.0) * 240.0); }

int EnergieY(double v, double maximum) { return kKurveBasis - Runde(v / maximum * 240.0); }

double SkalenSchritt(double maximum) {
  if (!(maximum > 0.0) || !std::isfinite(maximum)) return 0.0;
  const int n = static_cast<int>(std::floor(std::log10(maximum)));  // digits - 1
  const double p = std::pow(10.0, n);
  int L = static_cast<int>(maximum / p);
  L = std::clamp(L, 1, 9);
  if (L == 1) return 2.0 * p / 10.0;
  if (L <= 3) return 5.0 * p / 10.0;
  if (L <= 7) return p;
  return 2.0 * p;
}

namespace {

double Tagessumme(const ResultState& r, int jahr, int kanal, int tag) {
  const float* v = r.StundenErgebnis.Reihe(jahr, kanal) + Idx((tag - 1) * 24);
  double s = 0.0;
  for (int h = 0; h < 24; ++h) s += v[h];
  return s / 1000.0;
}

}  // namespace

std::optional<TEnergieSkala> EnergieSkala(const ResultState& r, int jahr, TKurvenAnsicht a, bool einstrahlung,
                                          bool leistung) {
  if (!einstrahlung && !leistung) return std::nullopt;
  const int kanal = KurvenKanal(einstrahlung ? TKurve::Einstrahlung : TKurve::Leistung);
  double maximum = 0.0;
  if (a == TKurvenAnsicht::Tag) {
    const float* v = r.StundenErgebnis.Reihe(jahr, kanal);
    for (int h = 0; h < kStundenProJahr; ++h) maximum = std::max(maximum, v[h] / 1000.0);
  } else {
    for (int t = 1; t <= 365; ++t) maximum = std::max(maximum, Tagessumme(r, jahr, kanal, t));
  }
  maximum *= 1.05;
  if (!(maximum > 0.0) || !std::isfinite(maximum)) return std::nullopt;
  return TEnergieSkala{maximum, SkalenSchritt(maximum)};
}

std::vector<TPunkt> KurvenPunkte(const ResultState& r, int jahr, TKurvenAnsicht a, int monat, int tag, TKurve k,
                                 double energieMaximum) {
  std::vector<TPunkt> out;
  const int kanal = KurvenKanal(k);
  const bool energie = IstEnergieKurve(k);
  if (energie && !(energieMaximum > 0.0)) return out;
  const float* v = r.StundenErgebnis.Reihe(jahr, kanal);
  auto y = [&](double wert) { return energie ? EnergieY(wert, energieMaximum) : TempY(wert); };
  switch (a) {
    case TKurvenAnsicht::Jahr:
      for (int t = 1; t <= 365; ++t) {
        double w = -100.0;
        if (energie) {
          w = Tagessumme(r, jahr, kanal, t);
        } else {
          for (int h = 0; h < 24; ++h) w = std::max(w, double(v[Idx((t - 1) * 24 + h)]));
        }
        out.push_back({kKurveLinks + t, y(w)});
      }
      break;
    case TKurvenAnsicht::Monat: {
      const int m = std::clamp(monat, 1, 12);
      const int erster = ErsterTagDesMonats(m);
      for (int d = 0; d < TageProMonat[Idx(m)]; ++d) {
        if (energie) {
          out.push_back({kKurveLinks + 12 * d + 6, y(Tagessumme(r, jahr, kanal, erster + d))});
        } else {
          for (int h = 0; h < 24; ++h) out.push_back({kKurveLinks + 12 * d + h / 2, y(v[Idx((erster + d - 1) * 24 + h)])});
        }
      }
      break;
    }
    case TKurvenAnsicht::Tag: {
      const int t = std::clamp(tag, 1, 365);
      for (int h = 0; h < 24; ++h) {
        const double w = v[Idx((t - 1) * 24 + h)];
        out.push_back({kKurveLinks + 15 * h + 7, y(energie ? w / 1000.0 : w)});
      }
      break;
    }
  }
  return out;
}

std::vector<TKurve> SichtbareKurven(const SettingsState& s, const PlantState& p, TKurvenAnsicht a) {
  std::vector<TKurve> out;
  if (s.plotE_Koll) out.push_back(TKurve::Einstrahlung);
  if (s.plotP_Anlg) out.push_back(TKurve::Leistung);
  if (s.plotT_Koll) out.push_back(TKurve::TKoll);
  const bool zweiSpeicher = p.AnlagenTypNr >= 4 && p.AnlagenTypNr <= 8;
  if (zweiSpeicher && s.plotA_To2) out.push_back(TKurve::Speicher2Oben);
  if (zweiSpeicher && s.plotA_Tu2) out.push_back(TKurve::Speicher2Unten);
  if (s.plotA_To) out.push_back(TKurve::Speicher1Oben);
  if (s.plotA_Tu) out.push_back(TKurve::Speicher1Unten);
  // The day view adds the second field's irradiation and temperature with their switches.
  const bool zweitesFeld = a == TKurvenAnsicht::Tag && p.OstWestKollektor;
  if (zweitesFeld && s.plotE_Koll) out.push_back(TKurve::Einstrahlung2);
  if (zweitesFeld && s.plotT_Koll) out.push_back(TKurve::TKoll2);
  return out;
}

// ---------------------------------------------------------------------------------------

int ErsterTagDesMonats(int monat) {
  int tag = 1;
  for (int m = 1; m < std::clamp(monat, 1, 12); ++m) tag += TageProMonat[Idx(m)];
  return tag;
}

void TKurvenStand::ZoomRein() {
  if (Ansicht == TKurvenAnsicht::Jahr) Ansicht = TKurvenAnsicht::Monat;
  else if (Ansicht == TKurvenAnsicht::Monat) Ansicht = TKurvenAnsicht::Tag;
}

void TKurvenStand::ZoomRaus() {
  if (Ansicht == TKurvenAnsicht::Tag) Ansicht = TKurvenAnsicht::Monat;
  else if (Ansicht == TKurvenAnsicht::Monat) Ansicht = TKurvenAnsicht::Jahr;
}

void TKurvenStand::Weiter() {
  if (Ansicht == TKurvenAnsicht::Monat) {
    Monat = Monat >= 12 ? 1 : Monat + 1;
    Tag = ErsterTagDesMonats(Monat);
  } else if (Ansicht == TKurvenAnsicht::Tag) {
    Tag = Tag >= 365 ? 1 : Tag + 1;
    std::int32_t m = 1, d = 1;
    DayOfYearToMonthDay(Tag, m, d);
    Monat = m;
  }
}

void TKurvenStand::Zurueck() {
  if (Ansicht == TKurvenAnsicht::Monat) {
    Monat = Monat <= 1 ? 12 : Monat - 1;
    Tag = ErsterTagDesMonats(Monat);
  } else if (Ansicht == TKurvenAnsicht::Tag) {
    Tag = Tag <= 1 ? 365 : Tag - 1;
    std::int32_t m = 1, d = 1;
    DayOfYearToMonthDay(Tag, m, d);
    Monat = m;
  }
}

void TKurvenStand::NaechstesJahr() { Jahr = Jahr >= 3 ? 1 : Jahr + 1; }

}  // namespace tav
