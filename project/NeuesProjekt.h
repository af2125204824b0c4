#pragma once
// Number and name of a new project, taken from the list of stored projects.

#include <cstdint>
#include <functional>
#include <string>

#include "foundation/TavVar.h"

namespace tav {

class ProjektKatalogDienste;

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

// "Neues Projekt": the list is read from the file as it is now (another program's projects
// too); the open data become a new project under the smallest free number, their name made
// unique among the listed projects; `benennen` lets the user name it (the project-info dialog)
// and says whether to go on. The new project is then written under its number (or, should
// another program have taken that number meanwhile, the next one free in the file) and
// loaded. A list full by now is said ("Maximale Anzahl von Einträgen erreicht!"). Cancelled, or not written (the reason has been shown), the open project
// keeps its number, name, info, record and modified flag, so that its next save does not
// rename it. True when the new project was written and loaded.
bool NeuesProjektAnlegen(TavState& s, ProjektKatalogDienste& d,
                         const std::function<bool()>& benennen);

}  // namespace tav
