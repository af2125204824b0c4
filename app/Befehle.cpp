#include "app/Befehle.h"

#include <QAction>

#include "app/Hauptmenu.h"
#include "simulation/ui/SimCommands.h"

namespace tav {

void VerbindeFenster(Hauptmenu& w) {
  SimHooks& sim = SimCommandHooks();
  sim.StatusText = [&w](const std::string& text) { w.Status(text); };
  sim.ErgebnisFreigeben = [&w](bool gueltig) { w.Ergebnis->setEnabled(gueltig); };

  // F5 and the "Simulation" tool button: the run window in mode 3 (the button sets mode 3).
  w.WireCommand(QStringLiteral("Start"), [&w] { SimulationBefehl(&w); });
  w.WireCommand(QStringLiteral("SpeedButtonSimulation"), [&w] { SimulationBefehl(&w); });
  w.WireCommand(QStringLiteral("Optionen"), [&w] { ShowSimOpt(&w); });
}

}  // namespace tav
