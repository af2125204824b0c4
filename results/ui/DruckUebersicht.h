#pragma once
// The printed summary sheet, the first page of a results printout: project and location,
// the plant scheme, collector field, stores, heater, hot water, space heating and pool, the
// results of the year and the disclaimers. It lays the page out on its own grid: the unit
// u = page width / 209, columns at round(u * k) from the left margin, lines of the small
// line height with the scheme on line 18.

#include <QImage>
#include <array>
#include <string>
#include <vector>

#include "foundation/TavVar.h"
#include "foundation/ui/Drucken.h"

namespace tav {

// The sheet's line numbers (in small line heights) and column offsets.
struct TUebersichtRaster {
  static constexpr int Bildzeile = 18;  // the scheme's line; blocks are placed relative to it
  double U = 0.0;                       // page width / 209
  std::array<int, 7> Tab{};             // round(U * k), k = 15, 35, 45, 50, 82, 123, 130
  explicit TUebersichtRaster(int seitenBreite);
};

// Paints the sheet of G below the page header that B already holds, with the plant scheme
// Schema (null or empty: none). The footer is the caller's. G is only read.
void PrintUebersicht(TDruckBlatt& b, const TavState& g, const TDruckBild& schema);

// The collector name as the sheet prints it: one line, or two (split near 1/2.2 of its
// length at a blank or after a hyphen) when it is wider in bold than 45 units.
std::vector<std::string> KollektorZeilen(TDruckBlatt& b, const std::string& name);

// The point size of the disclaimers: from the page's size down a point at a time until the
// widest of them fits the text width plus 2.5 units, but never below 6.
int HinweisPunkt(TDruckBlatt& b);

}  // namespace tav
