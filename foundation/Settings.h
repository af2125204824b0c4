#pragma once
// The settings file "Tavrel.ini" in the data folder (section "Tavrel"): print options, the
// printer, the print font and logo, the language, the simulated years, the import folders,
// window placements, the live-diagram curves and the dates of the catalogue updates offered.

#include <functional>
#include <string>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

class TTextTable;

// What the settings need from the system around them (printers and fonts come from the
// window system, which the computing core does not touch).
struct SettingsEnv {
  std::vector<std::string> Drucker;     // installed printers
  std::string AktuellerDrucker;         // the system's current printer
  // Nearest installed font for a name; the name itself when not set.
  std::function<std::string(const std::string& name)> PickFont;
  // Makes a printer the current one (when set).
  std::function<void(const std::string& name)> SelectPrinter;
  // The printers are looked up only when one is first needed (ResolvePrinter): asking the
  // system for its printers loads the print system, which a start has no use for. The
  // stored name is kept as read until then.
  bool DruckerSpaeter = false;
};

// Chooses the printer for the stored name: that printer when the system has it, otherwise
// the system's current one; none without printers.
void ResolvePrinter(SettingsState& st, const SettingsEnv& env);

// Letters of the report parts ("R", "E", "O", in this order); an empty set gives "R".
std::string DruckSeitenText(std::uint8_t seiten);
// The parts whose letters occur anywhere in Text.
std::uint8_t DruckSeitenAus(const std::string& text);

// Reads "Tavrel.ini" of DatenDir and applies it; a missing file or key gives the defaults,
// a damaged value its default. Switches the language (which reloads every text).
void LoadSettings(TavState& s, TTextTable& texts, const SettingsEnv& env);

// Writes "Tavrel.ini" with the current values (Drucker: the printer now selected; the
// caller puts the main window's placement into HMPos first), then records the data folder.
// Keys the program does not know are kept. False, with a message, when it cannot be written.
bool SaveSettings(TavState& s, const std::string& selectedPrinter);

// The imports of the update catalogues (the catalogue layer provides them).
// Each gives false when it could not write its catalogue or when its list had no room for
// some of the update's entries: the update is then offered again at the next start.
struct CatalogImports {
  std::function<bool(const std::string& file)> ImportKollektoren;
  std::function<bool(const std::string& file)> ImportOrte;
};

// Offers "KollNeu.dat" and "OrteNeu.dat" of Folder for import when they are newer than the
// update last offered. "Ask later" skips the next five starts.
void CheckCatalogFileDates(TavState& s, TTextTable& texts, const std::string& folder,
                           const CatalogImports& imports);

}  // namespace tav
