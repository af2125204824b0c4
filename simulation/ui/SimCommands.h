#pragma once
// The simulation commands of the main window and the hooks through which the run window
// reaches the main window and windows of other layers. Hooks left empty switch their
// button off (the results button, "Klimgen") or do nothing (status text).

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace tav {

struct SimHooks {
  // The simple text of the main window's status bar; an empty text clears it.
  std::function<void(const std::string& text)> StatusText;
  // Enables (true) or disables the main window's "Ergebnis" (F6): true after a finished run,
  // false while a new run overwrites the results.
  std::function<void(bool gueltig)> ErgebnisFreigeben;
  // Opens the results window modeless. Without it the run window's results button stays off.
  std::function<void()> ZeigeErgebnisse;
  // Shows the results window and returns when it is closed (after the tool button's run).
  std::function<void()> ZeigeErgebnisseModal;
  // Drops the results (the main window's "Ergebnis" off, the results window closed) before a
  // new calculation.
  std::function<void()> InvalidateResults;
  // Shows the location dialog modally in its weather-only mode (it may make new weather
  // years). Without it the run window's weather button stays off.
  std::function<void(QWidget* parent)> Klimgen;
  // Opens the instantaneous-output tool (calculation mode 2).
  std::function<void(QWidget* parent)> Momentanleistung;
};

// The program's hooks; the main window fills them at start-up.
SimHooks& SimCommandHooks();

// Opens the run window modally over parent. Returns its modal result: 1 when the user asked
// for the results, 2 cancelled, 0 closed otherwise. Whether the result arrays hold a finished
// run is G().run.ErgebnisGueltig (also true after a finished run closed without the results
// button).
int ShowSimRun(QWidget* parent);
// Opens the options dialog modally; true when OK stored its values.
bool ShowSimOpt(QWidget* parent);

// F5 and the "Simulation" tool button: in calculation mode 3 the run window, and the results
// window when the run window was left through its results button (modal after the tool
// button, modeless after F5); in mode 2 the instantaneous-output tool; nothing in other
// modes. Modes 2 and 3 drop the old results first.
void SimulationBefehl(QWidget* parent, bool ergebnisseModal = false);
// The radio items "Momentanleistung" (2) and "AnlagenSimulation" (3).
void SetzeRechenModus(std::uint8_t modus);

}  // namespace tav
