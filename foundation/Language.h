#pragma once
// The user-interface language: the language list, the help file of a language and the
// switch that reloads every text.

#include <functional>
#include <string>

#include "foundation/TavVar.h"

namespace tav {

class TTextTable;

// Number (1..15) of the German entry of the language list.
inline constexpr int kDeutschNr = 2;

// Fills the language list with the fifteen fixed languages. The caption of a language is
// the key "SpracheCaption" of its file in ProgDir, else "&" + the name with a capital first
// letter. Visible: German always, the others when their file exists.
void FillLanguageList(CatalogueState& c, const std::string& progDir);
bool LanguageFileExists(const std::string& progDir, const std::string& sprache);

// Number of the language named Sprache (without regard to case); German when the name is
// unknown, so that an odd settings value never switches to another language.
int LanguageNumber(const CatalogueState& c, const std::string& sprache);

// The help file for a language: HilfeBasis + "_" + code + ".chm", then ".hlp", then the
// German HilfeBasis + ".chm"; empty when none exists. German takes HilfeBasis + ".chm".
// Exists tells whether a file of ProgDir exists (a real or a test file system).
std::string HelpFileFor(const std::string& progDir, const std::string& sprache,
                        const std::string& kuerzel,
                        const std::function<bool(const std::string& path)>& exists);

// The help file of the language in use (Sprache), by HelpFileFor; a name "exists" when the
// program's help has pages in its language (Hilfe().DateiVorhanden).
std::string HilfeDateiDerSprache(const TavState& s);

// Switches to language L (1..15; anything else means German): Sprache, the help file, the
// energy-carrier file of the language, SprachDatei and every text, the month and plant-type
// names. Then calls the switch listener (the main window's menus and buttons). Returns true
// when the energy-carrier file stayed the same.
bool SwitchLanguage(TavState& s, TTextTable& texts, int l);

// The two-letter code of language L ("de", "en", ...), German for a number out of range.
std::string LanguageCode(const CatalogueState& c, int l);

// Counts the language switches. A window built with the texts of one language compares it
// to see whether the texts changed since.
int LanguageGeneration();

// Called after every language switch with the new number; the main window re-labels its
// menus and tool buttons there. An empty function removes the listener.
void SetLanguageSwitchListener(std::function<void(int l)> listener);

}  // namespace tav
