#pragma once
// Re-ordering the collector and location catalogues from their selection dialogs: the list is
// sorted, the whole catalogue rewritten in the new order through the catalogues' own section
// writers (atomic replace) and loaded again, so that section numbers follow the order.
// Entries with equal names are all kept. A write failure aborts the sort with a message and
// leaves the catalogue, in memory and on disk, as it was.

#include <cstdint>
#include <string>

namespace tav {

struct TavState;
struct CatalogueState;
struct OrtUmgebung;
class StatusSink;

// Mode 0 by name; 1 by the efficiency at x = 0.05 (40 K), any other by that at x = 0.1
// (80 K), both at 800 W/m², ascending. False when the catalogue could not be rewritten.
bool SortKollektoren(TavState& s, std::uint8_t modus, StatusSink& status);
// The sort key of a collector for modes other than 0: Eta0 - x K1 - 800 x² K2.
float KollektorSortWert(float eta0, float k1, float k2, std::uint8_t modus);

// Mode 0 by country and name, 3 by latitude (north first), 4 by country, postcode and name;
// the locations of `land` come first. Any other mode rewrites the current order. False when
// the catalogue could not be rewritten.
bool SortOrte(TavState& s, std::uint8_t modus, const std::string& land, OrtUmgebung& env);
// The first three characters of `land` in capitals, padded to three, then "-".
std::string OrtSortPrefix(const std::string& land);

// Deletes the file when it exists; every error is swallowed.
void DeleteDatei(const std::string& name);
// Position 1..15 of the first language whose name equals `name` (case-sensitive); 1 when none.
std::uint8_t FindSprache(const CatalogueState& c, const std::string& name);

}  // namespace tav
