#include "project/NeuesProjekt.h"

#include <algorithm>
#include <vector>

#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

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

bool NeuesProjektAnlegen(TavState& s, ProjektKatalogDienste& d,
                         const std::function<bool()>& benennen) {
  CatalogueState& c = s.cat;
  // The projects as the file holds them now: another program on the same data folder may have
  // added some since this one read the list, and their numbers and names are taken.
  ProjektlisteLesen(s, d);
  if (!NeuesProjektMoeglich(c)) {
    ShowMessageLines(T(TX::WarnungMaxAnzahl));
    return false;
  }
  PlantState& p = s.plant;
  const std::int32_t nummer = s.settings.ProjektNummer;
  const std::string name = p.ProjektName, info1 = p.Info1, info2 = p.Info2;
  const TProjekt record = p.Projekt;
  const bool geaendert = s.run.ProjektGeaendert;

  s.settings.ProjektNummer = FreieProjektNummer(c, c.ProjektAnzahl);
  p.ProjektName = EindeutigerProjektName(c, c.ProjektAnzahl, p.ProjektName);
  if (benennen() && WriteNeuesProjekt(ProjektDateiPfad(s), s, d)) {
    LoadProjekt(s, d);
    return true;
  }
  s.settings.ProjektNummer = nummer;
  p.ProjektName = name;
  p.Info1 = info1;
  p.Info2 = info2;
  p.Projekt = record;
  s.run.ProjektGeaendert = geaendert;
  return false;
}

}  // namespace tav
