#include "foundation/TavVar.h"

#include <stdexcept>
#include <utility>

namespace tav {

std::string EnergieDateiName(std::string_view kuerzel) {
  std::string name(EnergieBasis);
  if (kuerzel != "de") {
    name += '_';
    name += kuerzel;
  }
  name += ".dat";
  return name;
}

CatalogueState::CatalogueState() {
  // The language list is fixed; captions come from the language files later.
  for (int i = 1; i <= kMaxSprachen; ++i) {
    SprachListe[i].Name = std::string(SprachTabelle[i].Name);
    SprachListe[i].Kuerzel = std::string(SprachTabelle[i].Kuerzel);
  }
}

TMonatsArray& ResultState::SimMonatswerte(int k) {
  return const_cast<TMonatsArray&>(std::as_const(*this).SimMonatswerte(k));
}

const TMonatsArray& ResultState::SimMonatswerte(int k) const {
  switch (k) {
    case mwSolarertrag: return SolarertragMonat;
    case mwBrennstoff: return BrennstoffMonat;
    case mwWWBedarf: return WWBedarfMonat;
    case mwVerlust: return VerlustMonat;
    case mwVerlust1: return Verlust1Monat;
    case mwNachheizung: return NachheizungMonat;
    case mwSolHeizen: return SolHeizenMonat;
    case mwPoolWaerme: return PoolWaermeMonat;
    case mwHeizbedarf: return HeizbedarfMonat;
    case mwKollEinstrahlung: return KollEinstrahlungMonat;
    case mwReserve11: return Reserve11Monat;
    case mwHeizanteil: return HeizanteilMonat;
    case mwReserve13: return Reserve13Monat;
    default: break;
  }
  throw std::out_of_range("SimMonatswerte: slot " + std::to_string(k));
}

TavState& G() {
  static TavState state;
  return state;
}

}  // namespace tav
