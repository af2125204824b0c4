#pragma once
// The EnEV exchange file ("enevxsim.dat"): the EnEV inputs of an outside EnEV calculation
// come in ("EnEV -> Sim", optionally a "Kollektor"), this program's parameters and the
// results of a simulation with EnEV parameters go back ("Sim -> EnEV Parameterliste",
// "Sim -> EnEV Ergebnisse"). Numbers are written with the decimal comma and read with comma
// or point; the file is rewritten atomically and its other sections stay as they are.

#include <string>
#include <string_view>
#include <vector>

#include "catalogues/KatalogDialogLogik.h"
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

// Plausible ranges of the EnEV inputs that the exchange file brings (the project's values keep
// to the ranges of the project file, the collector area to its own below): a useful floor area up to a large city quarter; a store
// standby loss up to what the DIN standard value reaches (255 stores of 1000 l, about
// 910 kWh/d); the heating demand the form accepts.
struct EnevBereich {
  const char* Schluessel;  // the key in "EnEV -> Sim"
  double Min, Max;
};
inline constexpr EnevBereich kBereichNutzflaeche{"Nutzflaeche", 0.0, 1e6};        // m²
inline constexpr EnevBereich kBereichqBs{"qBs", 0.0, 1000.0};                    // kWh/d
inline constexpr EnevBereich kBereichSummeQHeizung{"SummeQHeizung", 0.0, 300.0};  // kWh/(m²a)
// The collector area as the collector dialog lets it through.
inline constexpr EnevBereich kBereichKollektorFlaeche{"KollektorFlaeche", kMinKollektorFlaeche,
                                                      kMaxKollektorFlaeche};  // m²

// Why a value is refused, as the import and the form name it: "<name> ist leer" for an empty
// text, "<name> = <text> ist keine Zahl" when the text is no number, else "<name> = <text>
// liegt nicht zwischen <min> und <max>".
std::string Abgelehnt(std::string_view name, std::string_view text, bool zahl, double min, double max);

// Reads "EnEV -> Sim" into the project and the EnEV inputs (a missing key keeps its value)
// and takes over a complete "Kollektor". A file without that section is refused and changes
// nothing. A value outside its range (the project file's for a project value, the ranges
// above for the EnEV inputs), a text that is no number or a Boolean that is no whole number
// keeps the current value and is named (a refused "qBs" leaves qBSProjekt as it was; a taken
// one makes the section's project its owner). A project value the section changes marks the
// project changed. A file that is not there: "Datei EnEVxSim.dat nicht gefunden". A collector
// with a text or figure missing, a figure of 0 or unreadable, or a figure of its efficiency
// curve out of its range is not taken, and the message says which; it is taken when any other
// figure out of its range takes the collector file's default (KollektorErsatzwert) and a
// "VRK" that is no whole number makes a flat-plate collector, each named in a message.
// Every message goes through the message service.
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
