#pragma once
// The sums of the plant dialog without widgets: hot-water and fresh-water unit conversions, the
// insulation slider, the pool season from the outdoor temperature, the space-heating demand check,
// the savings of one kWh of solar heat, the quarter-hour texts and what each plant type shows.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "foundation/TextTable.h"

namespace tav {

struct PlantState;

// Litres of hot water per day <-> kWh per day between cold and hot water. No answer when the hot
// water is not warmer than the cold water.
std::optional<double> LiterZuKWh(double liter, double warm, double kalt);
std::optional<double> KWhZuLiter(double kwh, double warm, double kalt);

// Fresh-water station: power in W <-> draw in l/min, shown at 35 K, stored at 45 °C less cold water.
double FWELiterProMin(double watt);
double FWEWatt(double literProMin, double kaltwasser);

// Insulation slider 1..24 <-> store loss coefficient.
int DaemmungPosition(double kWert);
double DaemmungKWert(int position);

// Pool season from the outdoor temperature of each day (1..365): the first day above schwelle up
// to the day before the next day below it, else the year's end. A season that runs over the new
// year (southern sites: warm at both ends of the year) starts late and ends early (start > end).
// No warm day: 365 / 365.
std::pair<int, int> PoolSaison(const std::function<float(int)>& temperatur, float schwelle);

// The energy page's picture of the carrier named `name`: "WQ1" with the first product-line
// code of HeizerKennung, "WQ2" with the second but not the third, "WQ3" with the third, "WQ4"
// with the fourth; empty for none (the page then shows a grey area).
std::string HeizerBildName(const std::string& name);

// The space-heating demand check: the demand the heating design implies against the annual
// demand typed.
enum class HeizFarbe { Rot, Gruen };
struct HeizPruefung {
  bool knopfAktiv = false;         // "»" enabled
  bool warnung = false;            // the two differ by more than half
  std::optional<double> qnormKW;   // new nominal power to show, when it changes
  HeizFarbe farbe = HeizFarbe::Gruen;  // button red or green (the field then red or black)
};
// qnW nominal power in W, qaKWh annual demand in kWh; jahresbedarfWh(q) the year's demand in Wh of
// a design of q W (the location's climate). The check is skipped when the annual demand is 0.
HeizPruefung PruefeHeizbedarf(double qnW, double qaKWh,
                              const std::function<double(double)>& jahresbedarfWh);

// kWh of conventional energy one kWh of solar heat saves at an efficiency in per cent (at most 3).
double SparFaktor(int nutzgrad);
// Efficiency of the season of a mean outdoor temperature: winter below 5 °C, summer above 15.
int NutzgradBeiTemperatur(float temp, int winter, int fruehlingHerbst, int sommer);

// "h.mm - h.mm h" of quarter hour i (1..96): 26 gives "6.15 - 6.30 h".
std::string ViertelstundeText(int i);

// What the dialog shows for a plant type and its variant.
struct AnlageSicht {
  bool temp2 = false;        // switch-over temperature
  bool heizgrenze = false;
  bool speicher2 = false;    // second store volume
  bool maxTemp2 = false;
  bool anzahl = false;       // number of stores
  bool fwe = false;          // fresh-water station
  bool stuetzTemp = true;
  bool kaltEditierbar = true;
  bool antiLeg = false;
  bool pool = false;
  bool lowFlow = true;
  bool elektro = false;
  bool kombi = false;        // combi store kind
  bool kaskade = false;      // cascade kind
  bool heizkreis = false;    // connection of the heating circuit to the buffer
  bool solHeiz = false;      // page "Solares Heizen"
  bool gruppe5 = false;      // second-consumer heat exchanger
  bool gruppe6 = false;      // heating-circuit design
  bool durchlauf = false;    // store 1 is a flow-through heater (cascade 14)
  bool thermosiphon = false;
  TX labelSp1 = TX::FormAnlageLabel23a;  // store labels
  std::optional<TX> labelSp2;
  int hkItems = 4;           // connection items offered
};
AnlageSicht SichtFuer(const PlantState& p);

// Total store volume: n x (V1 + V2) for the types with two stores, n x V1 otherwise.
int GesamtVolumen(int typ, int anzahl, int v1, int v2);

}  // namespace tav
