#pragma once
// The data start-up: everything the program loads before its main window is shown. It runs
// once, from main(), with the splash screen as its status sink.

#include <string>
#include <vector>

#include "location/TavKlimgen.h"
#include "foundation/TavVar.h"

namespace tav {

class TTextTable;
class StatusSink;
class WetterSynthese;
struct SettingsEnv;

// In order: the language list; the data folder (present: newer delivered files copied in;
// missing: created with its parents, seeded and recorded; impossible: the fatal message
// "Kann Datenordner ... nicht anlegen"; read-only: said once, or the files that could not be
// written listed in one message); the settings (with the language); the brand
// edition's scrambled collector catalogue; the package and store lists; the current project
// with its catalogues and its location's weather (stored file or synthesis); the offer of
// newer delivered catalogues. Folders, defaults and the command line are set before.
void DatenStart(TavState& s, TTextTable& texts, const SettingsEnv& env, StatusSink& status,
                WetterSynthese& synthese);

// Stands in for the weather synthesis while the data start-up runs, so that the main window
// is on the screen before the location's weather years are made: it only notes that they are
// owed. A stored weather file of the location is still read at once. Deliberate: the window
// comes first, because the start otherwise waited seconds with nothing but the splash.
class WetterNachStart : public WetterSynthese {
 public:
  bool Synthesise(TavState& s, StatusSink& status) override;
  // True while the start-up owes the current location's weather years.
  bool Offen() const { return offen_; }
  // Makes the owed years with `synthese`, reporting to `status`; nothing when none are owed
  // or the location's weather has come meanwhile.
  void Nachholen(TavState& s, WetterSynthese& synthese, StatusSink& status);

 private:
  bool offen_ = false;
};

// The fatal text for a data folder that cannot be created.
std::string DatenordnerFehlerText(const std::string& datenDir);
// The start's one message on a data folder that cannot be written: folder, reason, and that
// changes will not be saved.
std::string DatenordnerNurLesenText(const std::string& datenDir, const std::string& grund);
// The message on the delivered files that could not be written into a data folder that
// takes files otherwise: the folder, then Fehler, a line each.
std::string DateienNichtGeschriebenText(const std::string& datenDir, const std::vector<std::string>& fehler);

}  // namespace tav
