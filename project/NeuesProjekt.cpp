#include "project/NeuesProjekt.h"

#include <algorithm>
#include <vector>

#include "foundation/TavUtil.h"

namespace tav {

std::int32_t FreieProjektNummer(const CatalogueState& c, std::int32_t anzahl) {
  const std::int32_t n = std::clamp<std::int32_t>(anzahl, 0, kMaxProjekte);
  // Numbers 1..n+1: one of them is always free.
  std::vector<bool> belegt(static_cast<std::size_t>(n) + 2, false);
  for (std::int32_t i = 1; i <= n; ++i) {
    const std::uint16_t nr = c.Projektliste[static_cast<std::size_t>(i)].Nummer;
    if (nr >= 1 && nr <= n + 1) belegt[nr] = true;
  }
  std::int32_t nr = 1;
  while (belegt[static_cast<std::size_t>(nr)]) ++nr;
  return nr;
}

std::string EindeutigerProjektName(const CatalogueState& c, std::int32_t anzahl,
                                   std::string name) {
  const std::int32_t n = std::clamp<std::int32_t>(anzahl, 0, kMaxProjekte);
  const auto vorhanden = [&](const std::string& kandidat) {
    for (std::int32_t i = 1; i <= n; ++i)
      if (c.Projektliste[static_cast<std::size_t>(i)].ProjektName == kandidat) return true;
    return false;
  };
  while (vorhanden(name)) MakeUniqueName(name);
  return name;
}

}  // namespace tav
