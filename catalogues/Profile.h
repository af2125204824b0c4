#pragma once
// The load-profile catalogue "Profil.dat": 24 hourly shares and 12 monthly factors in per
// cent per profile. Read (built-in file written when missing) with the project's profile
// resolved and made current, rewritten and sorted by the profile editor.
//
// A profile whose numbers cannot be read is reported (file and section) and left out; the
// file stays as it is and the program goes on.

#include <string>

namespace tav {

struct TavState;
struct CatalogueState;
struct TProfil;
class StatusSink;

// The built-in file text (UTF-8, CR LF), profile names from the current text table.
std::string ProfileBuiltInText();
// One profile section as the writer writes it. Every value is right-aligned in 4 characters
// and always separated from the one before by at least one blank.
void AppendProfilSection(std::string& out, int nummer, const TProfil& p);
std::string ProfileText(const CatalogueState& c);
// Full path of the catalogue in the data folder.
std::string ProfilDateiPfad(const TavState& s);

// Writes the built-in file.
bool InitProfile(TavState& s, StatusSink& status);
// Reads the catalogue (every call), resolves Zapfprofil (exact, last wins; "*init*" the first;
// else the nearest name, where a name containing NORMAL also tries NORMAL replaced by a
// trailing STANDARD; with a warning) and makes it current. ProfilNr stays -1 only when the
// list is empty.
void ReadProfile(TavState& s, StatusSink& status);
// Makes Profile[index] current (warns when its shares do not add up to 100). False for an
// index outside 1..ProfilAnzahl.
bool SelectProfil(TavState& s, int index);
// Rewrites the catalogue atomically; false with a message on failure (the old file stays).
bool WriteProfile(TavState& s, StatusSink& status);
// Sorts Profile[1..ProfilAnzahl] by upper-case name (equal names keep their order).
void SortProfile(CatalogueState& c);

}  // namespace tav
