#pragma once
// Content of the printed system descriptions (energy-balance, pool and ecology pages) and of
// the printed pool and ecology tables: the texts of each line, the column each stands in and
// its emphasis. Positions that depend on text widths (a second item moving right when the
// first reaches its column) are settled by the printer side, which knows the fonts; tests
// read the content here. Everything is built from copies: the state's monthly arrays keep
// their annual totals.

#include <string>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

// One text of a printed line.
struct TDruckFeld {
  static constexpr int kRand = -1;    // at the left margin
  static constexpr int kDanach = -2;  // directly after the previous text of the line
  int Spalte = kRand;                 // kRand, kDanach or an index into the column positions
  std::string Text;
  bool Fett = false;
  int Groesse = 0;           // points beside the page's size
  bool Indiziert = false;    // holds "{\..}" subscript or "{/..}" superscript parts
  // Where the text goes when the previous text reaches into its column: a further column
  // (if that one is still free) or, kDanach, a blank after the previous text.
  int Ausweich = kDanach;
};

struct TDruckFeldZeile {
  int Zeile = 0;            // line number on the page (line n at n x line height)
  bool Angehoben = false;   // drawn a third of a line higher (the larger first line)
  std::vector<TDruckFeld> Felder;
};

// A printed block: column positions in 473ths of the page width, the line height (small or
// normal) and its lines.
struct TDruckBlock {
  std::vector<int> Tab;
  bool Klein = false;
  std::vector<TDruckFeldZeile> Zeilen;
  // Rules across the table: at these lines, from the left margin to column RegelSpalte plus
  // the width of RegelText, or to the end of a wider text of that column (a bold heading).
  // None for the descriptions.
  std::vector<int> Regeln;
  int RegelSpalte = 0;
  std::string RegelText;
};

// The system description above the energy-balance table (small lines from line 9).
TDruckBlock DruckAnlageBilanz(const TavState& g);
// The pool description above the pool table (normal lines from line 10).
TDruckBlock DruckAnlagePool(const TavState& g);
// The description of the plant and its energy carrier above the ecology table (small lines
// from line 9).
TDruckBlock DruckAnlageOeko(const TavState& g);

// The monthly pool table from line StartZeile: pool, heating (with space heating), hot water
// and the mean daily warming of the pool, then the specific collector yield.
TDruckBlock DruckPoolBilanz(const TavState& g, int startZeile = 20);
// The monthly ecology table from line 20: yield, saving, the saving in units of the energy
// carrier (unless it is counted in kWh) and the CO2 avoided (unless there is none).
TDruckBlock DruckOekoBilanz(const TavState& g);

}  // namespace tav
