#include "app/Befehle.h"

#include <QAction>
#include <QToolButton>
#include <algorithm>

#include "app/FormPrjAssistent.h"
#include "app/Hauptmenu.h"
#include "catalogues/Orte.h"
#include "foundation/TavVar.h"
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
    if (f && neu)
      QObject::connect(f, &TFormSimErg::statusMessage, &w,
                       [&w](const QString& text) { w.Status(text.toStdString()); });
  };
  sim.ZeigeErgebnisse = zeigeErgebnisse;
  w.WireCommand(QStringLiteral("Ergebnis"), zeigeErgebnisse);
  w.CloseResults = [] { InvalidateResults(); };

  // The project wizard over the main window's client part; after OK the project is saved and
  // the annual simulation starts, as at the end of the set-up chain.
  w.WireCommand(QStringLiteral("SpeedButtonAssistent"), [&w] { AssistentBefehl(w); });
}

void AssistentBefehl(Hauptmenu& w) {
  TFormPrjAssistent* f = FormPrjAssistent(&w);
  f->Hooks.OrtWaehlen = [&w](TavState& g, int ortNr, StatusSink& status) {
    OrtUmgebung env{status, w.Synthese()};
    return SelectOrt(g, ortNr, env);
  };
  const QRect r = w.geometry();
  const int oben = G().screen.KleinerBildschirm ? 121 : 159;
  f->setGeometry(r.left() + 3, r.top() + oben, std::max(f->minimumWidth(), r.width() - 6),
                 std::max(f->minimumHeight(), r.height() - oben - 3));
  f->FormShow();
  f->exec();
  w.InvalidateResults();
  w.RefreshSchema();
  if (G().run.WeiterModus) {
    G().run.WeiterModus = false;
    w.SpeedButtonSpeichern->click();
    if (w.SpeedButtonSimulation->isEnabled()) w.SpeedButtonSimulation->click();
  }
}

}  // namespace tav
