#pragma once
// The storage catalogue "Speicher.dat": stores with their storage-type group (from a type
// code), plant scheme and two volumes. Read only; a missing file gives an empty list.

#include <string>

namespace tav {

struct TavState;
struct CatalogueState;

// Full path of the catalogue in the data folder.
std::string SpeicherDateiPfad(const TavState& s);
// Fills Speicherliste[1..SpeicherlisteAnzahl] from the file at `pfad` (every section in file
// order). A missing or empty file gives an empty list without a message; values that cannot
// be read keep their defaults and are reported with the section; a file with text but no
// store that has a name and a known type is reported ("Keine Speicherdaten gefunden").
void ReadSpeicher(CatalogueState& c, const std::string& pfad);

}  // namespace tav
