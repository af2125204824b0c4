#pragma once
// Plant-type parameters and storage-type look-ups: adapting the plant to a new plant type,
// the store geometry the models need, the plant-type name check and number prefixes.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/TavVar.h"
#include "simulation/SimState.h"

namespace tav {

// Adapts volumes, temperature limits, pool flags and ZeitZoom to the new plant type n (the
// current AnlagenTypNr is the old one), then sets the type, its name, SolHeizung and
// HeizkreisTyp and derives the geometry into geo (when given).
void SetAnlgParam(PlantState& p, int n, SpeicherGeometrie* geo = nullptr);

// Store geometry of the current plant type. Returns false (with the message "A_Typ
// unbekannt") for a plant type outside 1..8; an unknown combi sub-type only warns.
bool SetSpeicherParam(const PlantState& p, SpeicherGeometrie& geo);

// The flag the reports read: the plant type is not 2.
inline bool AnlagenTypFlag(const PlantState& p) { return p.AnlagenTypNr != 2; }

// Sets AnlagenTypNr from the stored name AnlagenTyp (mapped through AnlagenTypZuordnung).
void CheckAnlagenTyp(PlantState& p);

// Storage-type look-ups by code text; the last equal entry of the table wins.
std::uint8_t FindSpTypNr(std::string_view code);       // 0 when not found
std::uint8_t FindSpTypNrOr11(std::string_view code);   // 11 when not found (17 gives 11 too)
std::uint8_t FindSpTypNrOr17(std::string_view code);   // 17 when not found
std::uint8_t FindSpTypNr16(std::string_view code);     // always 16

// X scaled for display with its prefix text (two blanks, " k", " M", " G", "E6 M", "E9 M", "****").
double ZahlMitPraefix(double x, std::string& praefix);

// Upper node volume of store 1 around the inner cylinder of Kombi 9 (litres); outside
// 0..Speicher1vol when the cylinder is too tall for the store.
double Kombi9ObenVol(const PlantState& p);

// Cylinder of v litres, three diameters high: radius in metres.
double ZylinderRadius(double v);

}  // namespace tav
