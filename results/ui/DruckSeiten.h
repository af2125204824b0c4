#pragma once
// Painting of the printed system descriptions (energy-balance, pool and ecology pages) and of
// the printed pool and ecology tables (content in results/DruckSeiten.h). Each routine draws
// on a page that the caller has opened and headed and closes with the footer; each returns
// the y below its last line and leaves the page font regular at its base size.

#include "foundation/TavVar.h"
#include "foundation/ui/Drucken.h"
#include "results/DruckSeiten.h"

namespace tav {

// Draws a block: each text at its column; a text whose column the previous text of its line
// reaches moves to its further column or a blank after it; a text that would pass the right
// margin shrinks down to 6 points and is then cut. With Grenze given, lines that would end
// below it close up so the last ends there. Returns the y below the lowest text.
int MaleBlock(TDruckBlatt& b, const TDruckBlock& block, int grenze = 0);

int PrintAnlageBilanz(TDruckBlatt& b, const TavState& s);
int PrintAnlagePool(TDruckBlatt& b, const TavState& s);
int PrintAnlageOeko(TDruckBlatt& b, const TavState& s);
int PrintPoolBilanz(TDruckBlatt& b, const TavState& s, int startZeile = 20);
int PrintOekoBilanz(TDruckBlatt& b, const TavState& s);

}  // namespace tav
