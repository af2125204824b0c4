#pragma once
// Annual totals of the monthly result arrays, day-weighted month sums, the space-heating
// flag of a plant type, plant-type texts, the module count of a collector field, the value
// colour ramp, the diagram colours and the choice of a storage tank for a volume.

#include <array>
#include <cstdint>
#include <string>

#include "foundation/TavVar.h"

namespace tav {

class TTextTable;

// Slot 13 of each monthly result array := the sum of its months 1..12.
void CalcYearSums(ResultState& r);
// Sum of V[m] times the days of month m (daily means to an annual total); V[1..12].
double SumMonthsByDays(const std::array<double, 13>& v);
double SumMonthsByDaysS(const TMonatsArray& v);
// False exactly when all twelve values P[1..12] equal 100.
bool AnyMonthNot100(const std::array<std::int32_t, 13>& p);

// SolHeizung := whether plant type Typ supports space heating. An unknown type shows
// "A_Typ - SetSolHeizung" and leaves the flag.
void SetSolHeizung(PlantState& p, std::uint8_t typ);

// Colour ramp for values 0..100: blue (0), cyan (50), green (100); larger values are 100.
TRgb ValueToColor(std::int32_t v);

// The ten colours of the diagrams.
extern const std::array<TRgb, 10> DiagrammFarben;

// Text of the current plant type: the long form for reports and captions (with the pool),
// the short form for lists. An unknown type shows "A_Typ unbekannt" and gives "".
std::string PlantTypeText(const PlantState& p, const TTextTable& t, bool langForm);

// The module count beside a collector area, "(1 Kollektor)" / "(n Kollektoren)", when the
// area is a whole number of modules (within 0.01) of ModulFlaecheOderEins(modul) and that
// module is not 1 m²; else empty.
std::string ModulAnzahlText(float flaeche, float modul);

// Picks a tank of the storage list for plant type Typ and storage kind Kind that holds at
// least Vol1 (+ Vol2 for the two-store types 6 and 7). With Name naming a tank, steps on to
// the next suitable one. On success Name, Vol1 and (types 6 and 7) Vol2 take the tank's
// values; otherwise nothing changes and the result is false.
bool FindStorageForVolume(const CatalogueState& c, std::uint8_t typ, std::uint8_t kind,
                          std::string& name, std::uint16_t& vol2, std::uint16_t& vol1);

}  // namespace tav
