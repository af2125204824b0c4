// The current location: SelectOrt copies a catalogue entry into the working variables and
// brings the location's weather years into the store.

#include <filesystem>

#include "location/Orte.h"
#include "location/TavKlimgen.h"
#include "location/Wetter.h"
#include "foundation/AtomicFile.h"
#include "foundation/TavVar.h"

namespace tav {

bool SelectOrt(TavState& s, int index, OrtUmgebung& env) {
  // Deliberate: an index outside the list is refused rather than read past its end.
  if (index < 1 || index > s.cat.OrtAnzahl) return false;
  return SelectOrtDaten(s, s.cat.Orte[index], env);
}

bool SelectOrtDaten(TavState& s, const TOrt& o, OrtUmgebung& env) {
  LocationState& l = s.loc;
  s.plant.Standort = o.Name;
  l.OrtLand = o.Land;
  l.OrtPLZ = o.PLZ;
  l.GeoBreite = o.GeoBreite;
  l.GeoLaenge = o.GeoLaenge;
  l.OrtHoehe = o.Hoehe;
  for (int m = 1; m <= 12; ++m) {
    l.EinstrahlungMonat[m] = static_cast<float>(o.Einstrahlung[m]);
    l.LuftTempMonat[m] = static_cast<float>(o.LuftTemp[m]);
  }
  l.EinstrahlungMonat[0] = l.EinstrahlungMonat[12];
  l.EinstrahlungMonat[13] = l.EinstrahlungMonat[1];
  l.LuftTempMonat[0] = l.LuftTempMonat[12];
  l.LuftTempMonat[13] = l.LuftTempMonat[1];
  l.OrtTempZone = o.wsTempZone;
  l.OrtZeitzone = o.Zeitzone;
  // Cheap, and must follow the location also when the weather is already there.
  SetHemisphaere(s);
  l.WetterDatei = MakeWetterDateiName(l.GeoBreite, l.GeoLaenge);

  if (s.run.SolarklimadatenOK) return true;

  BusyStatus busy(env.status, "Initialisiere Solarklimadaten ...");
  std::error_code ec;
  const auto datei = FindFileNoCase(s.folders.DatenDir, l.WetterDatei);
  if (std::filesystem::exists(datei, ec)) {
    // Deliberate: used only when it holds this location's years and is sound; otherwise they
    // are made anew rather than another location's years, or a mixture, being simulated.
    const std::string standort = s.plant.Standort;
    if (LoadWetterDaten(s, datei.filename().string(), env.status, &standort) == WetterLaden::Ok) {
      env.status.Progress("100%");
      env.status.Pause(1000);
      s.run.SolarklimadatenOK = true;
      return true;
    }
  }
  env.synthese.Synthesise(s, env.status);
  return true;
}

}  // namespace tav
