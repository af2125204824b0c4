#pragma once
// The location catalogue "Orte.dat" (read, rebuilt from the built-in rows, imported and
// rewritten) and the current location (SelectOrt), which brings the location's three hourly
// weather years into the weather store.
//
// A bad catalogue never ends the program: the message names the file and the section, the
// file stays as it is, and the program goes on with what it could read (or with the built-in
// rows in memory). Sections with the same name are all kept. Numbers are read with a comma or
// a point and with leading blanks.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/StatusSink.h"

namespace tav {

namespace katalog {
struct ImportBilanz;
}
struct TavState;
struct TOrt;
class WetterSynthese;

// What making a location current needs besides the state: where to report progress and
// what synthesises weather years when no stored weather file serves.
struct OrtUmgebung {
  StatusSink& status;
  WetterSynthese& synthese;
};

// CalcZeitzone, the time zone of a longitude, is in foundation/TavMathe.h: the engine
// resolves a location without a zone by the same rule.
// Moves leading letters of PLZ to Land ("A-1010" -> "A" / "1010"); without any, "D" west of
// 14.8 degrees east, else "PL"; then strips leading blanks and "-" from PLZ.
void CalcLand(TOrt& ort);

// One location section as written to the file (UTF-8, CRLF line ends, ending with the empty
// line). Shared by the writer and the catalogue sorter so both write the same text.
void AppendOrtSection(std::string& out, int nummer, const TOrt& ort);
// The whole catalogue text of Orte[1..OrtAnzahl].
std::string OrteText(const TavState& s);

// The six built-in locations.
std::vector<TOrt> BuiltInOrte();

// Rounds the written values of a location (coordinates 0.1, monthly values 0.01) to what the
// file will hold, so that memory and file agree from the moment an entry is stored.
void RoundOrtToWritten(TOrt& ort);

// Full path of the catalogue in the data folder.
std::string OrteDateiPfad(const TavState& s);

// Rewrites the catalogue atomically. On failure the old file stays, a message is shown and
// the result is false.
bool WriteOrte(TavState& s, StatusSink& status);
// Replaces the list by the built-in rows and writes the file.
bool InitOrte(TavState& s, StatusSink& status);
// Loads the list once (OrteGeladen; again after a rewrite was refused because another program
// changed the file), resolves Standort to OrtNr and makes it current.
void ReadOrte(TavState& s, OrtUmgebung& env);
// Appends the locations of another catalogue whose names are new; rewrites the catalogue.
// Returns the number taken over; -1 when the file held no location;
// katalog::kImportNichtGeschrieben when the catalogue could not be written (then nothing is
// taken, and the message says so). `bilanz`, when given, gets what became of the file's entries.
int ImportOrte(TavState& s, const std::string& fileName, StatusSink& status,
               katalog::ImportBilanz* bilanz = nullptr);
// After a rewrite that was refused because another program changed the file: reads the
// list again and finds the project's location by its name (nothing when the list is current).
void LeseOrteNeuWennVeraltet(TavState& s, StatusSink& status);

// Index of the location named `standort` (last exact match wins); else the first of the
// nearest names with the warning. -1 only for an empty list.
int FindOrtNr(const TavState& s, const std::string& standort, bool warnen);

// Hemisphere values from GeoBreite: GeoBreiteBetrag, Hemisphaere, SinGeoBreite, CosGeoBreite.
void SetHemisphaere(TavState& s);
// Stored weather file name: "N" (north) or "S" (south) + |latitude| x 10 in three digits,
// "E"/"W" + |longitude| x 10 in three digits, ".wet". The digits are those of the values as
// the catalogue writes them (one decimal), so the name does not change between runs.
std::string MakeWetterDateiName(double breite, double laenge);

// Makes Orte[index] the current location and, while SolarklimadatenOK is clear, brings its
// weather years into the store (stored file of the same location, else synthesis). Returns
// false for an index outside 1..OrtAnzahl (nothing changes).
bool SelectOrt(TavState& s, int index, OrtUmgebung& env);
// The same for a location that is not in the catalogue (a built-in one). Writes nothing.
bool SelectOrtDaten(TavState& s, const TOrt& o, OrtUmgebung& env);

}  // namespace tav
