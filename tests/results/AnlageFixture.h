#pragma once
// The plant the system-description tests start from.

#include <memory>

#include "foundation/TavVar.h"

namespace tav::test {

// A small plant: type 1 with one unnamed 300-litre store, 200 litres a day from 10 to 45 °C.
inline std::unique_ptr<TavState> BaseState() {
  auto s = std::make_unique<TavState>();
  PlantState& p = s->plant;
  p.ProjektName = "Muster";
  p.Standort = "Würzburg";
  s->loc.GeoBreite = 49.8;
  p.Kollektor = "Sonnenfang 25";
  p.KollektorFlaeche = 5.0f;
  p.KollEta0 = 0.8f;
  p.KollK1 = 3.5f;
  p.KollK2 = 0.0f;
  p.KollektorMontage = 1;
  p.KollektorNeigung = 45.0f;
  p.KollektorAzimut = 0.0f;
  p.AnlagenTypNr = 1;
  p.SpeicherAnz = 1;
  p.Speicher1vol = 300.0f;
  p.Maximaltemp = 60.0f;
  p.Minimaltemp = 45.0f;
  p.Kaltwassertemp = 10.0f;
  p.Warmwassertemp = 45.0f;
  p.Warmwasserverbrauch = 8141.0f;  // 200 litres heated by 35 K
  return s;
}

}  // namespace tav::test
