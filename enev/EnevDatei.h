#pragma once
// The EnEV exchange file ("enevxsim.dat"): the EnEV inputs of an outside EnEV calculation
// come in ("EnEV -> Sim", optionally a "Kollektor"), this program's parameters and the
// results of a simulation with EnEV parameters go back ("Sim -> EnEV Parameterliste",
// "Sim -> EnEV Ergebnisse"). Numbers are written with the decimal comma and read with comma
// or point; the file is rewritten atomically and its other sections stay as they are.

#include <string>
#include <vector>

#include "foundation/StatusSink.h"
#include "enev/EnevCalc.h"
#include "foundation/TavVar.h"

namespace tav::enev {

// The EnEV inputs and figures kept for the life of the program (the form's unit state).
struct EnevStand {
  EnevEingaben Eingaben;
  EnevErgebnis Ergebnis;
  std::string qBSProjekt;  // the project whose store q_B,S holds; another project starts afresh
  // The exchange file as this program last read or wrote it: the lines of the sections it
  // writes. A rewrite of that file refuses when another program changed them since.
  struct Dateistand {
    std::string Datei;
    std::vector<std::vector<std::string>> Abschnitte;
  } AufPlatte;
};

inline constexpr const char* kSektionImport = "EnEV -> Sim";
inline constexpr const char* kSektionKollektor = "Kollektor";
inline constexpr const char* kSektionParameter = "Sim -> EnEV Parameterliste";
inline constexpr const char* kSektionErgebnisse = "Sim -> EnEV Ergebnisse";

enum class EnevImport { Gelesen, DateiFehlt, KeineDaten };

// Reads "EnEV -> Sim" into the project and the EnEV inputs (a missing key keeps its value)
// and takes over a complete "Kollektor". A file without that section is refused and changes
// nothing. A project value outside the range the project file gives its key, or a text that
// is no number, keeps the current value and is named; a building of 500 m² or more is taken
// with circulation. A collector with a figure missing, 0 or out of its range is not taken,
// and the message says which. Every message goes through the message service.
EnevImport ImportEnevDaten(const std::string& fileName, TavState& s, EnevStand& e,
                           StatusSink& status);

// Writes the three sections; keys of "EnEV -> Sim" not written this time stay as they are.
// False (with a message) when the file could not be written, or when another program changed
// one of these sections since this program read or wrote the file (that change is kept).
bool WriteEnevSimDatei(const std::string& fileName, TavState& s, EnevStand& e);

// The month's key: prefix and the month with two digits ("QTWsol01").
std::string MonatsSchluessel(const char* prefix, int monat);

}  // namespace tav::enev

namespace tav::enev {
// The program's EnEV state (as G() for the rest); used only by app/ and the windows.
EnevStand& EnevProgrammStand();
}  // namespace tav::enev
