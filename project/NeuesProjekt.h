#pragma once
// Number and name of a new project, taken from the list of stored projects.

#include <cstdint>
#include <string>

#include "foundation/TavVar.h"

namespace tav {

// The smallest number >= 1 that none of Projektliste[1..anzahl] carries.
std::int32_t FreieProjektNummer(const CatalogueState& c, std::int32_t anzahl);

// Name made unique among Projektliste[1..anzahl] (exact, case-sensitive comparison):
// " (2)", then counting up, until no entry carries it.
std::string EindeutigerProjektName(const CatalogueState& c, std::int32_t anzahl,
                                   std::string name);

// A new project can be created: the project file holds fewer than 600 projects.
inline bool NeuesProjektMoeglich(const CatalogueState& c) {
  return c.ProjektAnzahl < kMaxProjekte;
}

}  // namespace tav
