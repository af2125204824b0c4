#pragma once
// Report content of the results window: the energy balance, the ecology description and its
// two monthly tables (the screen table and the copy/print table), the pool description and
// the pool table. Each builder appends lines to a TReport (the description builders start
// it afresh). Copy = the export form for the clipboard and the printer: wider tab stops,
// title lines and the footnote.
//
// The monthly tables write the year slot 13 of the arrays they sum, as the screen always
// showed: the year row is the sum of the twelve months whatever slot 13 held.
// Every fraction whose divisor is 0 shows a dash; nothing prints "inf" or "nan".

#include <string>

#include "foundation/TavVar.h"
#include "results/ReportModel.h"

namespace tav {

// The field shown where a fraction has no divisor: as wide as A(Width, Decimals) of a number,
// the dash standing where its last digit would (a pool's warming of a few kelvin a day:
// LeerFeld(3, 1) under "0,7").
std::string LeerFeld(int Width, int Decimals = 0);
// How a share is bounded: a fraction covers its demand at most once (0..1), the hot-water
// fraction shows solar heat above its demand (from 0 up), the efficiency is shown as it is.
enum class AnteilGrenze { Bruch, AbNull, Keine };
// The share q bounded as g says.
double Begrenzt(double q, AnteilGrenze g);
// "dd.mm" of a day of the year; a day outside 1..366 (a pool season never set up) gives the
// dash of an empty field.
std::string TagDatum(int tagImJahr);

// Energy balance below the short system description.
void ReportEnergiebilanz(TReport& r, TavState& g, bool copy);
// Ecology table of the screen (whole numbers; the hot-water share with space heating).
void WriteOekoTabelle(TReport& r, TavState& g, bool copy);
// Description of the plant and of the conventional energy carrier (clears R).
void ReportOekoAnlage(TReport& r, const TavState& g, bool copy);
// Ecology table of the copy and the printout (one decimal).
void ReportOekoBilanz(TReport& r, TavState& g, bool copy);
// Pool description (clears R) and the monthly pool table.
void ReportPoolAnlage(TReport& r, const TavState& g, bool copy);
void ReportPoolBilanz(TReport& r, TavState& g, bool copy);

// Description lines shared with the system description.
std::string KollektorZeileKurz(const TavState& g);     // collector, areas, shading, name
std::string AusrichtungZeile(const PlantState& p);     // "" for an unknown mounting
std::string WarmwasserZeile(const PlantState& p, const std::string& gleich);
std::string VerschattungsZusatz(const PlantState& p);

}  // namespace tav
