#pragma once
// Plausible ranges of the plant's real values: what the plant and collector dialogs let a
// user enter, or wider where the project wizard sizes further. The project reader replaces a
// stored value outside its range by the standard project's value and names key, value and
// replacement; the collector reader names key and value and leaves the entry out when the
// value belongs to its efficiency curve (Eta0, K1, K2), else replaces it by the value of a
// missing key (KollektorErsatzwert, catalogues/Kollektoren.h). The start check refuses a plant
// holding such a value, naming it, so that no run computes with it.

#include <cstdint>
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

// The pool season's first and last day: days of the year (a leap year's 366th included).
struct TagBereich {
  std::string_view Schluessel;
  int Min, Max;
  std::uint16_t PlantState::*Feld;
};
std::span<const TagBereich> ProjektTagBereiche();
const TagBereich* ProjektTagBereich(std::string_view schluessel);

// One line per working value outside its range: key, value and the range (empty when all fit).
// The pool days count only with the pool switched on.
std::string WerteAusserhalb(const PlantState& p);

// The shortest text that gives the working value back, with the decimal comma.
std::string WertText(float x);

}  // namespace tav
