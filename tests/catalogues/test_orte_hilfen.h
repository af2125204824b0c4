#pragma once
// Shared pieces of the catalogue, location and weather-file tests: a state with its data folder
// in a temporary folder, scripted messages, a recording status sink, a fake weather synthesis
// and sample entries.

#include <memory>
#include <string>
#include <vector>

#include "location/Orte.h"
#include "location/TavKlimgen.h"
#include "foundation/TavVar.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav::test {

class RecordingStatus : public StatusSink {
 public:
  std::vector<std::string> status;
  std::vector<std::string> progress;
  // Texts and pauses in their order: "S:" status text, "P:" progress, "W:" pause in ms.
  std::vector<std::string> ablauf;
  int busy = 0;
  void Status(const std::string& text) override {
    status.push_back(text);
    ablauf.push_back("S:" + text);
  }
  void Progress(const std::string& text) override {
    progress.push_back(text);
    ablauf.push_back("P:" + text);
  }
  void Busy(bool on) override { busy += on ? 1 : -1; }
  void Pause(int ms) override { ablauf.push_back("W:" + std::to_string(ms)); }
};

// Stands in for the weather library: fills the store with a marker value.
class FakeSynthese : public WetterSynthese {
 public:
  int aufrufe = 0;
  bool gelingt = true;
  float marker = 42.0f;
  bool Synthesise(TavState& s, StatusSink&) override {
    ++aufrufe;
    if (!gelingt) {
      s.run.SolarklimadatenOK = false;
      return false;
    }
    std::fill(s.weather.WetterDaten.Werte.begin(), s.weather.WetterDaten.Werte.end(), marker);
    s.run.SolarklimadatenOK = true;
    return true;
  }
};

struct OrteFixture {
  TempDir dir;
  ScopedMessages msgs;
  std::unique_ptr<TavState> state = std::make_unique<TavState>();
  RecordingStatus status;
  FakeSynthese synthese;
  OrtUmgebung env{status, synthese};

  OrteFixture() { state->folders.DatenDir = dir.path().string() + "/"; }
  TavState& s() { return *state; }
  std::string orteDatei() const { return (dir / "Orte.dat").string(); }
};

// One location with every field set.
inline TOrt BeispielOrt(const std::string& name, float breite = 48.0f, float laenge = 7.9f) {
  TOrt o;
  o.Name = name;
  o.Land = "D";
  o.PLZ = "79100";
  o.GeoBreite = breite;
  o.GeoLaenge = laenge;
  o.Hoehe = 269;
  for (int m = 1; m <= 12; ++m) {
    o.Einstrahlung[m] = 0.5 + 0.25 * m;
    o.LuftTemp[m] = -2.0 + 1.5 * m;
  }
  o.Zeitzone = 1;
  o.wsTempZone = 6;
  return o;
}

// One collector with every figure set.
inline TKollektor BeispielKollektor(const std::string& name, float eta0 = 0.8f, float k1 = 3.5f,
                                    float k2 = 0.015f) {
  TKollektor k;
  k.Name = name;
  k.Norm = "EN 12975";
  k.Quelle = "Prüfbericht";
  k.Eta0 = eta0;
  k.K1 = k1;
  k.K2 = k2;
  k.IAM50 = 0.95f;
  k.WkapC = 7.5f;
  k.VRK = false;
  k.ModulFlaeche = 2.51f;
  k.qmVolumen = 0.75f;
  return k;
}

// A catalogue text of `anzahl` sections named "Ort 1".., locations "Stadt 1"...
inline std::string KatalogText(int anzahl, int erste = 1) {
  std::string t;
  for (int n = erste; n < erste + anzahl; ++n)
    AppendOrtSection(t, n, BeispielOrt("Stadt " + std::to_string(n)));
  return t;
}

}  // namespace tav::test
