#pragma once
// One simulated day in ZeitZoom x 24 steps and the bookkeeping around it: the day balance,
// the hourly result store, the day-end split of the solar yield, the seven-day history, the
// monthly arrays' reset, the monthly space-heating shares, the design outdoor temperature and
// the EnEV store-loss check.

#include "foundation/TavVar.h"
#include "simulation/SimContext.h"

namespace tav {

// Runs the day SimTag/SimMonat of weather year WetterDatensatz in n steps; leaves the day
// balance in SimState (TagSolarertrag, TagNachheizung, ...).
void RunSimSchritte(SimContext& c, int n);

// Shifts the seven-day history, stores the day (with the daily hot-water base demand) and
// forms the four-day means.
void CloseSimTag(SimState& s, float warmwasserverbrauch);
// Zeroes the seven-day history.
void ClearWochenWerte(SimState& s);

// Zeroes slots 1..13 of every monthly result array but the heating shares.
void ResetSimMonatswerte(ResultState& r);
// Slot 13 := sum of slots 1..12 for the arrays the year loop fills.
void BildeJahressummen(ResultState& r);

// Monthly space-heating demand of a design heat load (only when HeizbedarfMonat is all 0)
// and the monthly shares HeizanteilMonat.
void CalcHeizbedarfMonat(ResultState& r, const LocationState& loc, float qNorm, float tNorm,
                         float heizgrenze);

// Design outdoor temperature: the mean of the three weather years' lowest hourly
// temperatures, rounded half to even (50 when no hour is colder).
int CalcMinAussenTemp(const WeatherState& w);

// The simulated annual loss of store 1 (kWh) into jahresverlust; with scale set, the store
// loss coefficient kWert is scaled to the EnEV target unless within 3 %, which ends the
// calibration (EnevSimModus cleared). Returns the ratio target / loss (1 without loss).
float CheckEnevAbgleich(RunState& run, const ResultState& r, float& kWert, float& jahresverlust,
                        bool scale);

// Day-end split of the solar yield between hot water, space heating and pool for the plants
// with a heating circuit (types 6, 7 and 8).
void TagesAufteilung(const PlantState& p, SimState& s);

}  // namespace tav
