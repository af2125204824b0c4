#pragma once
// Weather files: a location's three synthesised years stored as ".wet" in the data folder
// (saved, reloaded), their text export "KlimgenData.txt", and the two imports of outside
// weather files that add a location (monthly "MN4" files, hourly files with the header
// "hy\tG_Gh\tTa").

#include <cstddef>
#include <string>

#include "foundation/StatusSink.h"

namespace tav {

struct TavState;

// Layout of a ".wet" file: a 50-byte name field, then the three years of the store, each
// three channels of 8760 little-endian IEEE floats.
constexpr std::size_t WetNameBytes = 50;
constexpr std::size_t WetJahrBytes = 3 * 8760 * 4;
constexpr std::size_t WetDateiBytes = WetNameBytes + 3 * WetJahrBytes;  // 315,410

enum class WetterLaden {
  Ok,
  Fehlt,           // no such file
  Beschaedigt,     // unreadable, wrong length or values that are not numbers
  AndererStandort  // a stored year of another location (name field differs)
};

// Writes the store into the data folder under `name` (atomic). Refused when the store does
// not hold valid weather. Failures show a message; the result tells whether it was written.
bool SaveWetterDaten(TavState& s, const std::string& name, StatusSink& status);
// Reads `name` from the data folder into the store. The store changes only when the whole
// file was read and is sound. With `standort` given, a file whose name field differs is not
// loaded (no message). Missing and damaged files are reported.
WetterLaden LoadWetterDaten(TavState& s, const std::string& name, StatusSink& status,
                            const std::string* standort = nullptr);
// The tab-separated text export of the store into the data folder.
bool ExportKlimgenDaten(const TavState& s, const std::string& name, StatusSink& status);

// Monthly outside weather file (full path). True when a location was added; then the
// catalogue is rewritten and OrtNr is the new entry. A catalogue that cannot be written
// adds nothing (false, with the message).
bool ReadMeteoDatei(TavState& s, const std::string& fileName, StatusSink& status);
// Hourly outside weather file (full path), same result.
bool ReadMN5Datei(TavState& s, const std::string& fileName, StatusSink& status);

// `name` made unique among the catalogue's names by appending " (Meteo)" (names longer than
// 32 characters are cut to 32 first); never returns a name already in the list.
std::string UniqueMeteoName(const TavState& s, const std::string& name);

}  // namespace tav
