#pragma once
// The pipe catalogue "Rohr.dat": written only when missing (eight built-in pipes named in the
// language of that start), read into Rohre[1..25], and the project's pipe resolved and made
// the current pipe of the solar circuit.

#include <string>

namespace tav {

struct TavState;
struct PlantState;
class StatusSink;

// The built-in file text (UTF-8, CR LF), pipe names from the current text table.
std::string RohreBuiltInText();
// Full path of the catalogue in the data folder.
std::string RohrDateiPfad(const TavState& s);
// Writes the built-in file. False with a message when it cannot be written.
bool InitRohre(TavState& s, StatusSink& status);
// Loads the list once (RohreGeladen; at most 25 sections, further ones ignored), resolves
// RohrTyp (exact name, last wins; else pipe 2, or pipe 1 in a one-pipe file, with a warning
// unless "*init*") and sets the current pipe values.
void ReadRohre(TavState& s, StatusSink& status);
// Makes Rohre[index] the current pipe. False for an index outside 1..RohrAnzahl.
bool SelectRohr(TavState& s, int index);
// Fluid content of the current pipe, litres per metre: pi x InnenDm² / 4 / 1000.
float RohrLiterProMeter(const PlantState& p);

}  // namespace tav
