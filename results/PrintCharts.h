#pragma once
// What the printed charts draw, computed without painting: the bars of the monthly
// efficiency and fraction chart in chart units and the values and kWh scale of the yield
// bar chart. Every routine works on its own copy of the monthly results.

#include <array>
#include <utility>
#include <vector>

#include "foundation/TavVar.h"
#include "results/ResultCharts.h"

namespace tav {

// ---- Monthly efficiency and fraction chart ---------------------------------------------

// One printed bar: month 1..12 (13 the year), its series, its extent A..B in chart units from
// the chart's left edge (month m's slot starts at 30 (m - 1), the year's 15 units further),
// and its height in per cent (above 0, capped).
struct TDruckBalken {
  int Monat = 0;
  TBalkenSerie Serie{};
  int A = 0, B = 0;
  int Hoehe = 0;
};

inline constexpr int kDruckBasis = 300;     // chart units of the 0 % line; 2 units are 1 %
inline constexpr int kDruckKappe = 120;     // general chart: highest bar, per cent
inline constexpr int kDruckKappeY = 60;     // its y, where the white cap line runs
inline constexpr int kDruckKappe2 = 150;    // plant type 2: the frame's top, per cent

// Bars of the general chart in drawing order: pool, hot water, total (with heating), then
// the efficiency. The year is the sum of the months (R is taken as a copy); a fraction
// without divisor, or not above 0, gives no bar.
std::vector<TDruckBalken> DruckDeckungsBalken(ResultState r, const PlantState& p);
// Bars of the plant-type-2 chart: the fraction, with heating the hot-water-only share over
// it, then the efficiency; above 150 % drawn as 151.
std::vector<TDruckBalken> DruckDeckungsBalken2(ResultState r, const PlantState& p);

// The boxes a bar of Hoehe per cent is printed as, instead of hatching: one box for every
// 3 %, then the rest; each as (top, bottom) in chart units above Basis.
std::vector<std::pair<int, int>> StapelKaesten(int hoehe, int basis = kDruckBasis);

// ---- Yield bar chart -------------------------------------------------------------------

// Grid step of the yield chart for a scale top of Top kWh: by the leading digit d of Top
// (rounded to whole kWh, n + 1 digits): d = 1 -> 2·10^(n-1), d = 2, 3 -> 5·10^(n-1),
// d = 4..7 -> 10^n, d = 8, 9 -> 2·10^n, else 10^(n-1). Never below 1.
double ErtragSkalaSchritt(double top);

struct TErtragWerte {
  std::array<double, 14> Ertrag{}, Einsparung{};  // kWh of months 1..12; 13: the monthly average
  double Top = 0.0;                               // 1.05 x the largest month, kWh; 0: no scale
  std::vector<double> Raster;                     // the grid lines' values, kWh
  std::array<int, 14> HErtrag{}, HEinsparung{};   // bar heights, per cent of Top
};
// Solar yield and energy saving of R by month for the yield chart; the arrays are read,
// never written. No grid and no bars where the largest month is not above 0.
TErtragWerte ErtragWerte(const ResultState& r);

}  // namespace tav
