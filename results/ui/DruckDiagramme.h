#pragma once
// The printed charts of the results printout: the monthly efficiency and fraction chart of
// the energy-balance page and the yield bar chart of the ecology page. They draw on a page
// already headed, in chart units scaled to the page width, with pen widths that follow the
// page's pen factor; nothing below line 58 (the footer's). The state is only read.

#include "foundation/TavVar.h"
#include "foundation/ui/Drucken.h"

namespace tav {

// The monthly chart for every plant type but 2, its top at line 38 (or lower, at YMin, where
// the table above ends further down).
void PrintDeckungsDiagramm(TDruckBlatt& b, const TavState& g, int yMin = 0);
// The monthly chart of plant type 2, its top at line 41 (or at YMin).
void PrintDeckungsDiagramm2(TDruckBlatt& b, const TavState& g, int yMin = 0);
// The yield bar chart under the ecology table, its top at line 41.
void PrintOekoDiagramm(TDruckBlatt& b, const TavState& g);

}  // namespace tav
