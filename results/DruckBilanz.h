#pragma once
// The printed energy-balance table as content: the cells of each line with the column they
// stand in, the column positions (in 473ths of the page width) and the closing lines. The
// printer side places them; tests read them here. Built from a copy: the monthly arrays of
// the state are left as they are. The texts are the session's unless another table is given
// (the EnEV sheet prints it in German in every language).

#include <string>
#include <vector>

#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

struct TDruckZelle {
  int Spalte = -1;  // index into the column positions; -1: at the left margin
  std::string Text;
  bool Fett = false;
};

struct TDruckZeile {
  int Zeile = 0;  // lines below the table's first line
  std::vector<TDruckZelle> Zellen;
};

struct TDruckEnergiebilanz {
  std::vector<int> Tab;                // column positions, 473ths of the page width
  std::vector<TDruckZeile> Zeilen;     // three header lines (bold, bold, units), then months 1..12 and the year
  std::string Fussnote;                // empty: none; 2 points smaller at line 16.5
  std::string Summe;                   // the pool or total-fraction line; empty: none
  int SummenZeile = 17;                // line of the summary line (drawn a third line higher)
  std::string SpezText, SpezWert;      // the specific yield on the line after: label, bold value
};

TDruckEnergiebilanz DruckEnergiebilanz(const TavState& g, const TTextTable& texte = Texts());

}  // namespace tav
