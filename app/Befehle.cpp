#include "app/Befehle.h"

#include <QAction>

#include "app/Hauptmenu.h"
#include "foundation/ui/FormKopftext.h"
#include "results/ui/FormSimErg.h"
#include "results/ui/ResultsCommands.h"
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

  // The results window: modeless, from F6 and from the run window's results button; a change
  // of the project closes it.
  const auto zeigeErgebnisse = [&w] {
    const bool neu = !FormSimErgExists();
    TFormSimErg* f = ShowSimErg(&w);
    if (f && neu) {
      f->SchemaBild = [&w] { return w.ImageSchema->pixmap().toImage(); };
      QObject::connect(f, &TFormSimErg::statusMessage, &w,
                       [&w](const QString& text) { w.Status(text.toStdString()); });
    }
  };
  sim.ZeigeErgebnisse = zeigeErgebnisse;
  w.WireCommand(QStringLiteral("Ergebnis"), zeigeErgebnisse);
  w.CloseResults = [] { InvalidateResults(); };

  // Print set-up, from the file menu.
  w.WireCommand(QStringLiteral("Druckoptionen"), [&w] { ShowKopftext(&w); });
}

}  // namespace tav
