#pragma once
// Plausible ranges of the plant's real values: what the plant and collector dialogs let a
// user enter, or wider where the project wizard sizes further. The project and collector
// readers replace a stored value outside its range by the default and name the key; the
// start check refuses a plant holding such a value, naming it, so that no run computes with it.

#include <span>
#include <string>
#include <string_view>

#include "foundation/TavVar.h"

namespace tav {

struct WertBereich {
  std::string_view Schluessel;  // the key in the file, also the name in messages
  double Min, Max;
  float PlantState::*Feld;      // the working value
};

inline bool ImBereich(const WertBereich& b, double wert) { return wert >= b.Min && wert <= b.Max; }

// The project's values, by their keys in the project file.
std::span<const WertBereich> ProjektWertBereiche();
// A collector's values, by their keys in the collector file (the plant's copy of the chosen one).
std::span<const WertBereich> KollektorWertBereiche();
// The range of a key of the project file, or nullptr when the key has none.
const WertBereich* ProjektWertBereich(std::string_view schluessel);
const WertBereich* KollektorWertBereich(std::string_view schluessel);

// One line per working value outside its range: key, value and the range (empty when all fit).
std::string WerteAusserhalb(const PlantState& p);

}  // namespace tav
