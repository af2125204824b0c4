#include "app/Befehle.h"

#include <QAction>

#include "app/Hauptmenu.h"
#include "catalogues/Orte.h"
#include "enev/ui/FormEnev.h"
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

  // The EnEV form: the "EnEV" command and tool button, which also end the set-up chain when
  // the program was started with "-E"; in that mode the form opens once the main window
  // shows, as the program's work surface.
  EnevHooks& enev = EnevCommandHooks();
  enev.OrtWaehlen = [&w](TavState& s, int index) {
    OrtUmgebung env{w, w.Synthese()};
    return SelectOrt(s, index, env);
  };
  enev.SimRun = [](QWidget* parent) {
    ShowSimRun(parent);
    return G().run.ErgebnisGueltig;
  };
  enev.Ergebnisse = [](QWidget* parent) { ShowSimErg(parent); };
  enev.ProjektGeaendert = [&w] {
    w.InvalidateResults();
    w.RefreshSchema();
  };
  const auto zeigeEnev = [&w] {
    FormEnev(&w)->Ausfuehren();
    w.RefreshSchema();
  };
  w.WireCommand(QStringLiteral("Enev"), zeigeEnev);
  if (G().run.EnevStart)
    QObject::connect(&w, &Hauptmenu::ErsterPaint, &w, zeigeEnev, Qt::QueuedConnection);

  // Print set-up, from the file menu.
  w.WireCommand(QStringLiteral("Druckoptionen"), [&w] { ShowKopftext(&w); });
}

}  // namespace tav
