#pragma once
// What the project file code needs of the rest of the program: the catalogue readers that
// turn the names stored in a project into catalogue entries, the plant-type services that
// adapt the plant to its type, the status line and the clock. The program passes its real
// services; tests and silent runs pass fakes, so loading a project needs no catalogue file.

#include <string>

namespace tav {

struct TavState;
struct PlantState;
class StatusSink;

class ProjektKatalogDienste {
 public:
  virtual ~ProjektKatalogDienste() = default;

  // Catalogue readers. Each reads its catalogue and looks up the project's stored name
  // (Standort, Kollektor, RohrTyp, Zapfprofil, the energy carrier): "*init*" takes the
  // catalogue's default entry silently, an unknown name is replaced by a catalogue entry
  // with a message naming both; the chosen entry becomes current.
  virtual void ReadOrte(TavState& s) = 0;
  virtual void ReadKollektoren(TavState& s) = 0;
  virtual void ReadRohre(TavState& s) = 0;
  virtual void ReadProfile(TavState& s) = 0;
  virtual void ReadEnergie(TavState& s, const std::string& name) = 0;

  // Plant-type services: AnlagenTypNr from the stored plant-type name (of any plant, such as
  // a project read aside before it is opened); the plant's parameters for a type; the derived
  // store geometry.
  virtual void CheckAnlagenTyp(PlantState& p) = 0;
  virtual void SetAnlgParam(TavState& s, int anlagenTyp) = 0;
  virtual void SetSpeicherParam(TavState& s) = 0;

  // Where "Projektdaten abgespeichert" and the like are shown.
  virtual StatusSink& Status();

  // The current date and time as a day serial (days since 30.12.1899, the time of day as
  // the fraction). Saving stamps the project with it.
  virtual double Jetzt();
};

}  // namespace tav
