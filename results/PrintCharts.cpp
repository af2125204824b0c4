#include "results/PrintCharts.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "foundation/Sums.h"

namespace tav {
namespace {

std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

double Endlich(double v) { return std::isfinite(v) ? v : 0.0; }

void Balken(std::vector<TDruckBalken>& out, int m, TBalkenSerie s, int a, int b, std::optional<double> v, int kappe) {
  if (!v) return;
  const int h = std::min(static_cast<int>(std::lround(*v)), kappe);
  if (h <= 0) return;
  const int o = 30 * (m - 1) + (m == 13 ? 15 : 0);
  out.push_back({m, s, o + a, o + b, h});
}

}  // namespace

std::vector<TDruckBalken> DruckDeckungsBalken(ResultState r, const PlantState& p) {
  CalcYearSums(r);
  std::vector<TDruckBalken> out;
  const int k = kDruckKappe;
  for (int m = 1; m <= 13; ++m) {
    const TMonatsAnteile a = MonatsAnteile(r, p, m);
    if (p.Pool) Balken(out, m, TBalkenSerie::Pool, 1, 30, a.Pool, k);
    if (!p.SolHeizung) {
      Balken(out, m, TBalkenSerie::Warmwasser, p.Pool ? 4 : 3, p.Pool ? 26 : 27, a.Warmwasser, k);
    } else {
      Balken(out, m, TBalkenSerie::Warmwasser, p.Pool ? 4 : 3, p.Pool ? 21 : 22, a.Warmwasser, k);
      Balken(out, m, TBalkenSerie::Gesamt, 11, p.Pool ? 26 : 27, a.Gesamt, k);
    }
    Balken(out, m, TBalkenSerie::Wirkungsgrad, 9, 16, a.Wirkungsgrad, k);
  }
  return out;
}

std::vector<TDruckBalken> DruckDeckungsBalken2(ResultState r, const PlantState& p) {
  CalcYearSums(r);
  std::vector<TDruckBalken> out;
  const int k = kDruckKappe2 + 1;
  for (int m = 1; m <= 13; ++m) {
    const TMonatsAnteile a = MonatsAnteile(r, p, m);
    Balken(out, m, TBalkenSerie::Warmwasser, 3, 27, a.Deckung, k);
    if (p.SolHeizung) Balken(out, m, TBalkenSerie::NurWarmwasser, 3, 27, a.NurWarmwasser, k);
    Balken(out, m, TBalkenSerie::Wirkungsgrad, 17, 30, a.Wirkungsgrad, k);
  }
  return out;
}

std::vector<std::pair<int, int>> StapelKaesten(int hoehe, int basis) {
  std::vector<std::pair<int, int>> out;
  if (hoehe <= 0) return out;
  int i = 3;
  for (; i < hoehe; i += 3) out.emplace_back(basis - 2 * i, basis - 2 * (i - 3));
  out.emplace_back(basis - 2 * hoehe, basis - 2 * (i - 3));
  return out;
}

double ErtragSkalaSchritt(double top) {
  if (!(top > 0.0) || !std::isfinite(top)) return 1.0;
  const std::string s = std::to_string(static_cast<long long>(std::llround(top)));
  const int n = static_cast<int>(s.size()) - 1;
  const double p = std::pow(10.0, n);
  const int d = static_cast<int>(top / p);
  double schritt = p / 10.0;
  if (d == 1) schritt = 2.0 * p / 10.0;
  else if (d == 2 || d == 3) schritt = 5.0 * p / 10.0;
  else if (d >= 4 && d <= 7) schritt = p;
  else if (d == 8 || d == 9) schritt = 2.0 * p;
  return std::max(1.0, std::trunc(schritt));
}

TErtragWerte ErtragWerte(const ResultState& r) {
  TErtragWerte w;
  double max = 0.0;
  for (int m = 1; m <= 12; ++m) {
    w.Ertrag[Idx(m)] = Endlich(r.SolarertragMonat[Idx(m)]) / 1000.0;
    w.Einsparung[Idx(m)] = Endlich(r.BrennstoffMonat[Idx(m)]) / 1000.0;
    w.Ertrag[13] += w.Ertrag[Idx(m)] / 12.0;
    w.Einsparung[13] += w.Einsparung[Idx(m)] / 12.0;
    max = std::max({max, w.Ertrag[Idx(m)], w.Einsparung[Idx(m)]});
  }
  if (!(max > 0.0) || !std::isfinite(max)) return w;
  w.Top = 1.05 * max;
  // The step is at least 1 kWh, so the loop always advances; below a top of 1 kWh even the
  // first line would stand above the chart.
  const double schritt = ErtragSkalaSchritt(w.Top);
  for (double v = schritt; v <= w.Top && (v == schritt || v <= w.Top - schritt); v += schritt) w.Raster.push_back(v);
  for (int m = 1; m <= 13; ++m) {
    w.HErtrag[Idx(m)] = static_cast<int>(std::lround(100.0 * w.Ertrag[Idx(m)] / w.Top));
    w.HEinsparung[Idx(m)] = static_cast<int>(std::lround(100.0 * w.Einsparung[Idx(m)] / w.Top));
  }
  return w;
}

}  // namespace tav
