#pragma once
// The program's catalogue services for the project file: the real catalogue readers of the
// data folder, the engine's plant-type services and a status sink. The main window and the
// headless tools pass one of these to the project load.

#include "project/ProjektKatalogDienste.h"
#include "simulation/SimState.h"

namespace tav {

class WetterSynthese;

class KatalogDienste : public ProjektKatalogDienste {
 public:
  // `synthese` makes the weather years of a location without a stored weather file.
  KatalogDienste(StatusSink& status, WetterSynthese& synthese)
      : status_(status), synthese_(synthese) {}

  void ReadOrte(TavState& s) override;
  void ReadKollektoren(TavState& s) override;
  void ReadRohre(TavState& s) override;
  void ReadProfile(TavState& s) override;
  // The project's carrier is resolved by its name: `name` becomes konvEnergie and the
  // catalogue is read with an empty signature.
  void ReadEnergie(TavState& s, const std::string& name) override;

  void CheckAnlagenTyp(PlantState& p) override;
  void SetAnlgParam(TavState& s, int anlagenTyp) override;
  void SetSpeicherParam(TavState& s) override;

  StatusSink& Status() override { return status_; }

  // Store geometry of the last SetAnlgParam / SetSpeicherParam.
  SpeicherGeometrie Geometrie;

 private:
  StatusSink& status_;
  WetterSynthese& synthese_;
};

// Reads every catalogue of the data folder the way the program does when its main window is
// first shown: the package list and the store list (they name no project entry), then the
// project file with its current project, which resolves location, collector, pipe, load
// profile and energy carrier.
void LadeKatalogeUndProjekt(TavState& s, KatalogDienste& d);

}  // namespace tav
