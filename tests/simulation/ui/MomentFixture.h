#pragma once
// A collector field at 50° north for the instantaneous-output tool.

#include "foundation/TavVar.h"

namespace tav::test {

inline void MomentProjekt(TavState& g) {
  g.loc.GeoBreite = 50.0;
  g.loc.GeoLaenge = 10.0;
  g.loc.OrtZeitzone = 1;
  for (auto& t : g.loc.LuftTempMonat) t = 12.0f;
  g.plant.KollektorFlaeche = 8.0f;
  g.plant.KollEta0 = 0.8f;
  g.plant.KollK1 = 3.5f;
  g.plant.KollK2 = 0.015f;
  g.plant.KollektorFlow = 40.0f;
  g.plant.KollektorMontage = 1;
  g.plant.KollektorNeigung = 30.0f;
  g.plant.KollektorAzimut = 0.0f;
  g.plant.OstWestKollektor = true;
}

}  // namespace tav::test
