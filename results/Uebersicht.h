#pragma once
// The results block of the printed summary sheet: demands, solar yield, fractions and the
// key figures of the year. Sums the months itself; the state is not changed.

#include "foundation/TavVar.h"
#include "results/ReportModel.h"

namespace tav {

TReport ErgebnisUebersicht(const TavState& g);

}  // namespace tav
