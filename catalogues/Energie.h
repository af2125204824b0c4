#pragma once
// The energy-carrier catalogue: one file per language in the data folder (EnergieDatei,
// "Energie.dat" when no language has set it). Read once (again after a rewrite was refused
// because another program changed the file; the German file written from the built-in German
// rows when missing), the carrier in use resolved by name (also a name the carrier has in
// another language's file) or, after a change of language, by its language-independent
// signature, and rewritten by the energy-carrier editor.
//
// kWh per unit must be above 0 (it divides the saved heat in the ecology report): a section
// whose value is 0, or would be written as 0,00, is reported and left out. Values are kept in
// memory as the file holds them, so a project simulates the same before and after a restart.

#include <string>
#include <vector>

namespace tav {

struct TavState;
struct CatalogueState;
struct TEnergie;
class StatusSink;

// One section as written (UTF-8, CR LF, ending with the empty line).
void AppendEnergieSection(std::string& out, int nummer, const TEnergie& e);
std::string EnergieKatalogText(const CatalogueState& c);
// Rounds kWh and CO2 per unit to the two decimals the file holds.
void RoundEnergieToWritten(TEnergie& e);
// The eight built-in carriers (German in every language).
std::vector<TEnergie> BuiltInEnergie();
// "kWh" + kWh + "CO2" + CO2 three times + "WFS" + the three efficiencies, no separators.
std::string EnergieText(const TEnergie& e);

// Full path of the current language's file in the data folder.
std::string EnergieDateiPfad(const TavState& s);

// Rewrites the file atomically (the list first rounded to the written values). False with a
// message on failure; the old file stays.
bool WriteEnergie(TavState& s, StatusSink& status);
// Replaces the list by the built-in rows and writes the file.
bool DefaultEnergie(TavState& s, StatusSink& status);
// Loads the list unless EnergieGeladen (a file without a usable section, a language's own
// file that is empty, one cut short inside its last entry, or one naming a carrier twice is
// reported; the built-in rows serve when nothing usable is left) and resolves EnergieNr: with
// an empty signature by the name konvEnergie (EnergieNachName; else "*init*" the first entry
// silently; else, when another language's carrier file holds the name, that entry's figures
// and name, EnergieNr -1: no entry here has them; else, with a warning, the nearest name);
// with a signature the entry with that signature (of several, the entry in use before, else
// the first), with an information message, and when none has it the carrier in use as it is,
// EnergieNr -1. Then SelectEnergie.
void ReadEnergie(TavState& s, const std::string& signatur, StatusSink& status);
// The entry of the list that is the carrier a project names: the last entry of that name;
// else, when a carrier file of another language in the data folder holds the name, the
// entry with the same signature (of several, the one in the same row), so a project saved
// in one language finds its carrier in every other. -1 when neither.
int EnergieNachName(const TavState& s, const std::string& name);
// Copies Energietraeger[n] into the konv... variables. False for n outside 1..EnergieAnzahl.
bool SelectEnergie(TavState& s, int n);

}  // namespace tav
