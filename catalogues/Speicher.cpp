#include "catalogues/Speicher.h"

#include "foundation/KatalogDiensteDatei.h"
#include "foundation/TavVar.h"
#include "simulation/PlantParams.h"

namespace tav {

std::string SpeicherDateiPfad(const TavState& s) {
  return katalog::DatenPfad(s, SpeicherDatei);
}

void ReadSpeicher(CatalogueState& c, const std::string& pfad) {
  c.Speicherliste.assign(1, TSpeicher{});
  c.SpeicherlisteAnzahl = 0;
  TBigIniFile ini;
  if (katalog::LadeKatalog(pfad, ini) != katalog::Ladung::Ok) return;
  katalog::Probleme probleme(pfad);
  int brauchbar = 0;  // stores with a name and a known type
  for (int i = 0; i < ini.SectionCount(); ++i) {
    katalog::SektionsLeser l(ini, i);
    TSpeicher sp;
    sp.Name = l.TextOhneRand("Name", "?");
    sp.SpTypN = FindSpTypNrOr17(l.TextOhneRand("SpTypN", "?"));
    sp.Schema = static_cast<std::uint16_t>(l.Ganzzahl("Schema", 0, 0, 65535));
    sp.SpVol1 = static_cast<std::uint16_t>(l.Ganzzahl("SpVol1", 300, 0, 65535));
    sp.SpVol2 = static_cast<std::uint16_t>(l.Ganzzahl("SpVol2", 0, 0, 65535));
    if (sp.Name == "?" || sp.SpTypN == kSpTypUnbekannt)
      sp.Schema = 0;
    else
      ++brauchbar;
    if (l.Fehlerhaft()) probleme.Add(l.FehlerText());
    c.Speicherliste.push_back(std::move(sp));
  }
  c.SpeicherlisteAnzahl = static_cast<std::int32_t>(c.Speicherliste.size()) - 1;
  if (brauchbar == 0) probleme.Add("Keine Speicherdaten gefunden");
  probleme.Melde();
}

}  // namespace tav
