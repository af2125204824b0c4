#pragma once
// The year loop of the annual simulation: configuration check, plant set-up, five-day
// pre-run, every day of one or three weather years, the monthly result arrays averaged over
// the years, the EnEV store-loss calibration, and the silent run of the project wizard.

#include <string>

#include "foundation/TavVar.h"
#include "simulation/SimContext.h"

namespace tav {

enum class SimErgebnis {
  Fertig,               // the monthly arrays hold the averaged run with year totals
  Abgebrochen,          // cancelled or stopped by a model: partial sums, no year totals
  Konfigurationsfehler,  // the plant cannot be simulated; nothing was run or changed
  Ungueltig              // a result was no longer a finite number: reported, sums cleared
};

// Fewest time steps per hour a run accepts: the hour records need a step at or after each
// half hour.
inline constexpr int kMinZeitZoom = 2;

// Least specific flow (l/(m²h)) of the solar circuit a run accepts: below it the fluid
// carries hardly any of the collector's heat and the yield means nothing.
inline constexpr float kMinKollektorFlow = 1.0f;

// Most heating of the solar store by one time step in full sun that a run accepts (K). A step
// adds the collector's heat of the whole step at once, and the controller that stops the
// loading at the store's maximum acts only between steps: where one step could heat the store
// from freezing past boiling, it carries the store far beyond its maximum, the store then
// stays there for weeks without yield, and the results are steps instead of a curve.
inline constexpr float kMaxSchrittErwaermung = 100.0f;

// Heating (K) of a node of the store the collector loads by one time step at the highest
// irradiance of the weather store and the collector's optical efficiency (0 without a store).
float SchrittErwaermung(const PlantState& p);

// Most full runs of one EnEV calibration.
inline constexpr int kMaxEnevDurchlaeufe = 20;

// Problems that keep the plant from being simulated, one line each (empty when none).
std::string PruefeKonfiguration(const TavState& g);

// The whole run. A configuration problem is reported once and nothing runs.
SimErgebnis RunSimulation(TavState& g, SimState& s, SimObserver& obs);
// The wizard's silent run: calculation mode 4 for the run, the run flags restored after.
SimErgebnis RunSimSilent(TavState& g, SimState& s);

// One simulated day of the set calendar day: steps, boiler efficiency and fuel, history,
// pause wait.
void RunSimTag(SimContext& c);

// After a cancel: the message, and the month of the cancel loses its yield-side values; the
// other partial sums stay (not averaged, no year totals).
void AbortSimRun(ResultState& r, int simMonat);

// Boiler utilisation ratio (%) of the day from the ambient temperature at 8 h.
float TagesNutzgrad(const PlantState& p, float temp8);

// Clears the store nodes and sets the order of the layers in the hourly store.
void InitSpeicherTemp(const PlantState& p, SimState& s);
// Start temperatures of the store nodes by plant type; false for an unknown type.
bool SetzeStartTemperaturen(const PlantState& p, SimState& s);

// Live values from the running sums and the four-day means.
SimLaufwerte BerechneLaufwerte(const PlantState& p, const SimState& s);

// Why a run must not start on the weather store: it does not hold the current location's
// years (a synthesis failed, or none was made), so a run would use another location's
// weather. Empty when the years are there.
std::string WetterFehlt(const TavState& g);

}  // namespace tav
