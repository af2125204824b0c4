// The three climate-region tables that the program hands to the weather library with every
// synthesis call: turbidity zones, temperature zones and climate zones. Built once, never
// changed afterwards.
#pragma once

#include <array>
#include <string_view>

#include "weatherlib/include/Klimgen1_1.h"

namespace tav {

struct KlimaTabellen {
  // Entries 0..20; 1..14 are filled, 0 and 15..20 stay zero.
  std::array<TKlimTruebung, KLIM_TRUEBUNG_EINTRAEGE> TruebungsZonen{};
  // Zones 1..20 at index 0..19; zones 1..8 are filled.
  std::array<TKlimTempZone, KLIM_TEMPZONE_EINTRAEGE> TempZonen{};
  // Zones 1..20 at index 0..19; zones 1..7 are filled.
  std::array<TKlimKlimaZone, KLIM_KLIMAZONE_EINTRAEGE> KlimaZonen{};
};

// Fills the tables with the program's contents (entries not listed are zeroed).
void FillKlimaTabellen(KlimaTabellen& t);

// The program-wide tables, built on first use.
const KlimaTabellen& ProgrammKlimaTabellen();

// Names of the zones (UTF-8); an empty view for an entry without a name. The name slot of
// a filled entry holds its own entry number, the reference into these lists.
std::string_view TruebungsZoneName(int zone);
std::string_view TempZoneName(int zone);

}  // namespace tav
