#pragma once
// The headless annual simulation of a data folder, as the developer tool "tavsim" runs it:
// settings, catalogues and the project file are loaded the way the program does at start-up,
// the project's location made current (stored weather file or synthesis), the year simulated
// without any window, and the thirteen monthly result arrays given as a tab-separated table.

#include <cstdint>
#include <string>
#include <vector>

namespace tav {

struct TavState;
struct ResultState;
class WetterSynthese;

struct TavsimOptionen {
  std::string datenDir;
  int projekt = 0;               // project number; 0: the one the settings name
  int jahre = 0;                 // 1 or 3 weather years; 0: as the settings say
  int zoom = 0;                  // steps per hour; 0: as the project says
  bool wetterSpeichern = false;  // store synthesised years as the location's weather file
};

// Reads the arguments after the program name: DATA_DIR [--project N] [--years 1|3]
// [--zoom Z] [--save-weather]. False with a message-ready text on a usage error.
bool ParseTavsimArgumente(const std::vector<std::string>& args, TavsimOptionen& opt,
                          std::string& fehler);

struct TavsimErgebnis {
  long long schritte = 0;  // simulation steps run (pre-run included)
  double wallMs = 0.0;     // wall-clock time of the simulation itself
  std::string fehler;      // why the run failed; empty on success
};

// Loads and simulates into `s` (a fresh state). `synthese` replaces the weather library when
// given. True when the year was simulated; otherwise erg.fehler says why.
bool TavsimLauf(TavState& s, const TavsimOptionen& opt, TavsimErgebnis& erg,
                WetterSynthese* synthese = nullptr);

// Header "month" + the names of the thirteen monthly arrays, rows 1..13 (13 = the year) in
// kWh with a decimal point (the heating shares as they are), then "# steps N wall_ms T".
std::string TavsimTabelle(const ResultState& r, const TavsimErgebnis& erg);

}  // namespace tav
