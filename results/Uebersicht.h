#pragma once
// The results block of the printed summary sheet: heat demand, solar fractions, key figures
// and the solar yield by use, row by row with the line each stands on. Sums the months
// itself; the state is not changed.

#include <string>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

struct TUebersichtZeile {
  int Zeile = 0;          // lines below the block's heading
  std::string Abschnitt;  // section label at the left margin; empty: none
  std::string Text;       // row label
  std::string Wert;       // value; "{/..}" marks a superscript
  bool Unterstrichen = false;  // the value is underlined (the last addend of a sum)
};

struct TUebersichtErgebnisse {
  std::string Titel;
  std::vector<TUebersichtZeile> Zeilen;
  // Heading and rows, one per line, the columns separated by tabs.
  std::string PlainText() const;
};

TUebersichtErgebnisse ErgebnisUebersicht(const TavState& g);

}  // namespace tav
