#pragma once
// A simulated year of a fixture plant in the program-wide state, for the results window
// and its printout.

#include <gtest/gtest.h>

#include "foundation/TavVar.h"
#include "simulation/SimRun.h"
#include "tests/simulation/SimFixture.h"

namespace tav {

enum class Anlage { Warmwasser, KombiPool, Typ7OhneLast, ZweiFelder };

// Puts the fixture plant into the program-wide state and runs one year.
inline void Simuliere(Anlage a) {
  test::SimWelt w;
  auto& g = *w.g;
  if (a == Anlage::KombiPool) {
    test::SetzeAnlage(g, 6, true);
    g.plant.PoolVol = 40.0f;
  }
  if (a == Anlage::ZweiFelder) {  // the hot-water plant on an east and a west roof
    g.plant.OstWestKollektor = true;
    g.plant.KollektorAzimut = -90.0f;
    g.plant.KollektorAzimut2 = 90.0f;
    g.plant.KollektorFlaeche2 = g.plant.KollektorFlaeche;
    g.plant.KollektorNeigung2 = g.plant.KollektorNeigung;
  }
  if (a == Anlage::Typ7OhneLast) {
    test::SetzeAnlage(g, 7, false);
    g.plant.HeizQnorm = 0.0f;
  }
  g.plant.ProjektName = a == Anlage::Warmwasser ? "Einfamilienhaus" : "Kombianlage mit Bad";
  g.plant.Standort = "Teststadt";
  g.plant.Kollektor = "Flachkollektor FK 2.5";
  g.plant.KollektorFlaecheGesamt =
      g.plant.KollektorFlaeche + (g.plant.OstWestKollektor ? g.plant.KollektorFlaeche2 : 0.0f);
  g.plant.konvEnergie = "Heizöl";
  g.plant.konvEinheit = "Liter Öl";
  g.plant.konvKWhinEinheit = 10.0f;
  g.plant.konvCO2inEinheit = 2.68f;
  if (a != Anlage::Warmwasser) g.plant.Heizwaermebedarf = 12'000'000.0f;
  ASSERT_EQ(RunSimulation(g, *w.s, StillerBeobachter()), SimErgebnis::Fertig);
  g.run.ErgebnisGueltig = true;
  g.run.WetterDatensatz = 1;
  G() = std::move(g);
}

}  // namespace tav
