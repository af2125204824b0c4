#pragma once
// What every engine routine works on: the program state, the engine's run state and the
// observer that watches the run. Tests and silent runs pass their own instances.

#include <chrono>
#include <string>
#include <thread>

#include "foundation/TavVar.h"
#include "simulation/SimState.h"

namespace tav {

// Watches a run. The run window implements it on the GUI thread; its buttons set the run
// flags of SimState (PauseAktiv, AbbruchAnfrage). The defaults do nothing.
class SimObserver {
 public:
  virtual ~SimObserver() = default;
  // At the start of each weather year of a run (the live diagram starts its curves anew).
  virtual void StartJahr(int /*jahr*/) {}
  // Every third simulated day, on day 365 and at the end of a finished run.
  virtual void ShowLaufwerte(const SimLaufwerte& /*werte*/, const SimState& /*s*/) {}
  // Once per simulated day: serve pending window events.
  virtual void ProcessEvents(SimState& /*s*/) {}
  // The warning window beside a flow warning: shown with the warning's lines ("|" splits
  // them) before the message, hidden once the message is closed.
  virtual void ZeigeInfo(const std::string& /*zeilen*/) {}
  virtual void VerbergeInfo() {}
  // One slice of the pause wait: serve window events for about ms milliseconds.
  virtual void PauseSlice(SimState& /*s*/, int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

struct SimContext {
  TavState& g;
  SimState& s;
  SimObserver& obs;
};

// An observer that does nothing (silent runs, tests).
SimObserver& StillerBeobachter();

}  // namespace tav
