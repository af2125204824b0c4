#pragma once
// The project file as a whole: the built-in standard project, loading the current project
// with the list of all stored projects, importing the projects of another file, deleting one.
//
// A project file without any section counts as missing (the standard project is written and
// loaded). When the current project number is not in the file, the first project is loaded
// and becomes the current number. Project sections are found by their number however the
// name is written ("Projekt 01", "projekt 1"); a second section of a number, and a section
// that is no project's ("Notizen"), is reported, never listed, and kept in the file.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

class ProjektKatalogDienste;

// Full path of "Projekte.dat" in the data folder (found without regard to case).
std::string ProjektDateiPfad(const TavState& s);

// Sets the working variables to the standard project ("Standard-Solaranlage" at "Freiburg")
// and writes it as project 1. False when it could not be written.
bool CreateStandardProjekt(TavState& s, ProjektKatalogDienste& d);
// The standard project's value of every number key of a project section (reals, whole
// numbers, Booleans as 0 or 1) and the working value it sets: one table for what the
// standard project holds and writes and for what the reader puts in place of a stored value
// it refuses (no number, outside its range or its field).
struct StandardWert {
  std::string_view Schluessel;
  double Wert;
  std::variant<float PlantState::*, bool PlantState::*, std::uint8_t PlantState::*,
               std::uint16_t PlantState::*>
      Feld;
  // The value stands for another key's (the second collector field is the first one's twin,
  // the heat demand of none is the plant type's): a refused value takes what a missing one
  // takes, never this one.
  bool VonAnderemSchluessel = false;
};
std::span<const StandardWert> StandardProjektWerte();
// The standard project's value of a number key of the project file (any letter case);
// nothing for a key outside the table.
std::optional<double> StandardProjektWert(std::string_view schluessel);
// The key's standard value stands for another key's (VonAnderemSchluessel).
bool StandardVonAnderemSchluessel(std::string_view schluessel);

// Fills Projektliste from the file, loads project ProjektNummer (or the first) into the
// working variables, resolves its catalogue names and sets the plant parameters.
void LoadProjekt(TavState& s, ProjektKatalogDienste& d);
// Fills Projektliste from the file as it is now (another program's projects too), waiting for
// another program's save under way; the open project stays as it is: its working values,
// number and modified flag, and what its next save compares with. Sections the list leaves
// out are not named again (loading did). False when the file is missing or cannot be read:
// the list then stays as it was.
bool ProjektlisteLesen(TavState& s, ProjektKatalogDienste& d);

// Appends every project of another project file under the smallest free numbers, in one
// rewrite of the project file; the last one imported becomes the current project, its
// catalogue names resolved. A file that is not a project file is refused with a message; a
// missing file, or nothing left to import, changes nothing. When the project file cannot be
// written, nothing is imported: the open project, the list and the file stay as they were,
// and the message names the import file and the open project that stays. True when projects
// were imported (the open project is then another one).
bool ImportProjekt(TavState& s, const std::string& fileName, ProjektKatalogDienste& d);

// Removes section "Projekt " + nummer from the project file at once. A number without a
// section changes nothing. False when the file could not be rewritten.
bool DeleteProjekt(TavState& s, std::int32_t nummer);
// The same for several projects in one rewrite: all of them go, or (false) none.
bool DeleteProjekte(TavState& s, const std::vector<std::int32_t>& nummern);

}  // namespace tav
