#pragma once
// What the result charts draw, computed without painting: the bars of the monthly chart in
// pixel coordinates, the curves of the hourly results as polylines, their scales. The
// window's painter routines only turn these into lines and fills.

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

// ---- Monthly bar chart -----------------------------------------------------------------

enum class TBalkenSerie : std::uint8_t { Wirkungsgrad, Warmwasser, Gesamt, Pool, NurWarmwasser };

struct TBalken {
  int Monat = 0;      // 1..12, 13 the year
  TBalkenSerie Serie{};
  int X1 = 0, X2 = 0; // horizontal extent, pixels
  int Hoehe = 0;      // per cent as drawn (after the cap); the bar spans Basis - 2 * Hoehe .. Basis
  int Top(int basis) const { return basis - 2 * Hoehe; }
};

inline constexpr int kBalkenBasis = 290;   // general chart: 0 %
inline constexpr int kBalkenKappe = 120;   // general chart: highest bar, per cent
inline constexpr int kBalkenBasis2 = 325;  // plant type 2: 0 %, top 150 %
inline constexpr int kBalkenKappe2 = 150;

// The fractions of month M (13: the year as its slot holds it) in per cent, as the charts
// draw them; none where the divisor is 0.
// Only the total fraction is capped at 100. The hot-water fractions keep a month whose solar
// heat exceeds the hot-water demand above 100 (the bars then stop at the chart's cap), as do
// the pool's heat and the efficiency.
struct TMonatsAnteile {
  std::optional<double> Pool;           // pool heat over hot water (and heating) demand
  std::optional<double> Warmwasser;     // solar hot water without pool (and heating) share
  std::optional<double> Gesamt;         // total fraction with heating, at most 100
  std::optional<double> Wirkungsgrad;   // solar yield over irradiation on the field
  std::optional<double> Deckung;        // plant type 2: solar yield over hot-water demand
  std::optional<double> NurWarmwasser;  // plant type 2 with heating: yield less heating share
};
TMonatsAnteile MonatsAnteile(const ResultState& r, const PlantState& p, int m);

// The bars of the general chart (every type but 2), in drawing order. A fraction without
// divisor gives no bar; negative values stand at 0.
std::vector<TBalken> DeckungsBalken(const ResultState& r, const PlantState& p);
// The bars of the plant-type-2 chart (fractions above 150 % drawn as 151; the efficiency
// is not capped).
std::vector<TBalken> DeckungsBalken2(const ResultState& r, const PlantState& p);

// ---- Curves ----------------------------------------------------------------------------

// The curves in drawing order, and the hourly-result channel each draws:
//   irradiation on the collector      channel 0 (W)
//   plant power                       channel 1 (W)
//   collector temperature             channel 3 (field 1)
//   store 2 top / bottom              channels 7 / 8
//   store 1 top / bottom              channels 5 / 6
//   collector temperature of field 2  channel 4 (day view with a second field)
//   irradiation on field 2            channel 11 (day view with a second field)
// Channels 5..10 hold the store nodes already reordered by the engine, so the first four
// of them are store 1 top, store 1 bottom, store 2 top, store 2 bottom for every plant.
enum class TKurve : std::uint8_t {
  Einstrahlung, Leistung, TKoll, Speicher2Oben, Speicher2Unten, Speicher1Oben, Speicher1Unten, TKoll2,
  Einstrahlung2
};
int KurvenKanal(TKurve k);
bool IstEnergieKurve(TKurve k);

enum class TKurvenAnsicht : std::uint8_t { Jahr = 1, Monat = 2, Tag = 3 };

inline constexpr int kKurveLinks = 50, kKurveOben = 25, kKurveBasis = 265;

// Plot width in pixels: 365 (year), 12 per day of the month, 360 (day).
int KurvenBreite(TKurvenAnsicht a, int monat);
// y of a temperature: -20 °C at the baseline, 130 °C at the top.
int TempY(double t);
// y of an energy value on a scale of Maximum (Maximum > 0).
int EnergieY(double v, double maximum);

struct TEnergieSkala {
  double Maximum = 0.0;  // kWh per day (year, month) or kW (day)
  double Schritt = 0.0;  // 0: no ticks
};
// Grid step for a scale maximum from its leading digit; 0 for a maximum that is not above 0.
double SkalenSchritt(double maximum);
// Energy scale of the view: 1.05 x the largest daily sum of the year (year and month view)
// or the largest hourly value (day view, kW), of the irradiation channel when it is shown,
// else of the plant power. Nothing when neither curve is shown or the maximum is 0.
std::optional<TEnergieSkala> EnergieSkala(const ResultState& r, int jahr, TKurvenAnsicht a, bool einstrahlung,
                                          bool leistung);

struct TPunkt {
  int X = 0, Y = 0;
};
// The polyline of one curve in the view (year: daily maximum of temperatures, daily sums of
// energies; month: hourly temperatures, daily sums of energies at day resolution; day:
// hourly values, powers in kW). Energy curves need the scale maximum.
std::vector<TPunkt> KurvenPunkte(const ResultState& r, int jahr, TKurvenAnsicht a, int monat, int tag, TKurve k,
                                 double energieMaximum);
// The curves the view draws with the given switches, in drawing order.
std::vector<TKurve> SichtbareKurven(const SettingsState& s, const PlantState& p, TKurvenAnsicht a);

// ---- Curve navigation ------------------------------------------------------------------

struct TKurvenStand {
  TKurvenAnsicht Ansicht = TKurvenAnsicht::Jahr;
  int Monat = 1;  // 1..12
  int Tag = 1;    // 1..365
  int Jahr = 1;   // the simulated weather year shown, 1..3 (the window's own)
  void ZoomRein();
  void ZoomRaus();
  void Weiter();
  void Zurueck();
  void NaechstesJahr();  // 1 -> 2 -> 3 -> 1
};
// First day of the year of a month (365-day calendar).
int ErsterTagDesMonats(int monat);

}  // namespace tav
