#pragma once
// The project record and the working variables: FillProjekt gathers the plant variables
// into a TProjekt (as stored in the project file), ApplyProjekt puts a record back into the
// plant variables with the bounds the engine needs. The plant dialog and the wizard use the
// same pair to keep a copy of the project while they are open.
//
// Storage sub-types the code texts of the storage-type table cannot name (a combi store 5,
// 10 or 12, an electric or thermosiphon store ...) travel in the record's code text as "#"
// and the number; the project file stores them in a key of their own (ProjektDatei.h).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/TavVar.h"

namespace tav {

// Working variables -> record. Reals are widened to double; Datum := jetzt. The fields of
// the second collector field are only taken with OstWestKollektor; otherwise the record
// keeps what it held.
void FillProjekt(const PlantState& p, TProjekt& r, double jetzt);

// Record -> working variables. Reals are narrowed to float; SpeicherAnz is held to 1..3,
// ZeitZoom raised to at least 5, Speichertauscherleistung to at least 20; without a second
// collector field the second field is derived from the first (azimuth turned by 180
// degrees). Datum is not applied.
void ApplyProjekt(const TProjekt& r, PlantState& p);

// The code text of storage-type group Nr (the last entry of SpeicherTypen whose Code equals
// Nr); Code is left as it was when no entry has that group.
void SpTypCodeText(std::uint8_t Nr, std::string& Code);

// The first n characters (code points) of a text.
std::string LinksZeichen(const std::string& text, std::size_t n);

// The number a record's storage code text carries as "#" + number, if it carries one.
std::optional<std::uint8_t> SpTypNummer(std::string_view recordText);

}  // namespace tav
