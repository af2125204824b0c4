#include "app/Befehle.h"

#include <QAction>
#include <QToolButton>
#include <algorithm>
#include <optional>

#include "app/FormAnlage.h"
#include "app/FormPrjAssistent.h"
#include "app/Hauptmenu.h"
#include "app/Schema.h"
#include "app/ProjektDialoge.h"
#include "catalogues/KatalogDienste.h"
#include "location/Orte.h"
#include "catalogues/ui/CatalogueCommands.h"
#include "project/ui/FormProjektInfo.h"
#include "enev/ui/FormEnev.h"
#include "foundation/TavVar.h"
#include "foundation/ui/Drucken.h"
#include "foundation/ui/FormKopftext.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"
#include "results/ui/FormSimErg.h"
#include "results/ui/ResultsCommands.h"
#include "simulation/ui/FormMoment.h"
#include "simulation/ui/SimCommands.h"

namespace tav {

namespace {

// The catalogue services the project commands load and save through; they live as long as the
// window they report to.
std::optional<KatalogDienste>& ProgrammDienste() {
  static std::optional<KatalogDienste> dienste;
  return dienste;
}

}  // namespace

void VerbindeFenster(Hauptmenu& w) {
  // The program-wide hooks reach this window: they go with it, so that no window opened
  // afterwards (the instantaneous-output tool, a printout) calls into a window that is gone.
  static const Hauptmenu* verbunden = nullptr;
  verbunden = &w;
  QObject::connect(&w, &QObject::destroyed, [fenster = &w] {
    if (verbunden != fenster) return;  // another window has taken the hooks over
    verbunden = nullptr;
    SimCommandHooks() = {};
    ProjektCommandHooks() = {};
    EnevCommandHooks() = {};
    DruckHooks().Status = nullptr;
    ProgrammDienste().reset();
  });

  SimHooks& sim = SimCommandHooks();
  sim.StatusText = [&w](const std::string& text) { w.Status(text); };
  // Every printout (results, instantaneous output, EnEV) says on it where it went.
  DruckHooks().Status = [&w](const QString& text) { w.Status(text.toStdString()); };
  sim.ErgebnisFreigeben = [&w](bool gueltig) { w.Ergebnis->setEnabled(gueltig); };

  // F5 and the "Simulation" tool button: the run window in mode 3 (the button sets mode 3);
  // after the button the results window is modal, after F5 modeless.
  w.WireCommand(QStringLiteral("Start"), [&w] { SimulationBefehl(&w); });
  w.WireCommand(QStringLiteral("SpeedButtonSimulation"), [&w] { SimulationBefehl(&w, true); });
  w.WireCommand(QStringLiteral("Optionen"), [&w] { ShowSimOpt(&w); });
  sim.InvalidateResults = [&w] { w.InvalidateResults(); };

  // The results window: modeless from F6 and from the run window's results button; a change
  // of the project closes it.
  const auto verbindeErgebnisse = [&w](TFormSimErg* f) {
    if (!f || f->property("verbunden").toBool()) return;
    f->setProperty("verbunden", true);
    f->SchemaBild = [] { return SchemaDruckBild(G().plant); };
    QObject::connect(f, &TFormSimErg::statusMessage, &w,
                     [&w](const QString& text) { w.Status(text.toStdString()); });
  };
  const auto zeigeErgebnisse = [&w, verbindeErgebnisse] { verbindeErgebnisse(ShowSimErg(&w)); };
  sim.ZeigeErgebnisse = zeigeErgebnisse;
  sim.ZeigeErgebnisseModal = [&w, verbindeErgebnisse] { ShowSimErgModal(&w, verbindeErgebnisse); };
  w.WireCommand(QStringLiteral("Ergebnis"), zeigeErgebnisse);
  w.CloseResults = [] { InvalidateResults(); };

  // The plant dialog: "Anlage" and its tool button on the first page, "Energie" on the energy
  // page; the plant step of the set-up chain.
  w.FormAnlage = [&w](bool energiePage) {
    bool geaendert = false;
    ShowAnlageDialog(&w, energiePage ? SeiteEnergie : 0,
                     [&w](const std::string& text) { w.Status(text); }, &geaendert);
    if (geaendert) w.InvalidateResults();
  };
  // Location and collector dialogs: their menu items and tool buttons, the set-up chain, the
  // run window's weather button, and the location editor after a weather import.
  w.FormOrt = [&w] { ShowOrtDialog(&w); };
  w.FormKollektor = [&w] { ShowKollektorDialog(&w); };
  w.FormOrtEdit = [&w] { ShowOrtEditImport(&w); };
  w.FormKollektorEdit = [&w] { ShowKollektorEditor(&w); };
  w.KollektorDialogHoehe = [] { return KollektorDialogHoehe(); };
  sim.Klimgen = [](QWidget* parent) { ShowOrtDialog(parent, true); };
  w.UpdateChainEnabled();

  // Project dialogs, data folder, about box and the three calculators.
  ProgrammDienste().emplace(w.Dienste());
  ProjektHooks& projekt = ProjektCommandHooks();
  projekt.Dienste = &*ProgrammDienste();
  projekt.RefreshSchema = [&w] { w.RefreshSchema(); };
  projekt.InvalidateResults = [&w] { w.InvalidateResults(); };
  projekt.ProjektInfo = [&w](QWidget*, const std::string& caption) {
    TFormProjektInfo* dlg = w.FormProjektInfo();
    dlg->setWindowTitle(DialogTitle(QString::fromStdString(caption)));
    return dlg->exec();
  };
  projekt.EinstellungenGeladen = [&w] { w.Retranslate(); };
  w.WireCommand(QStringLiteral("Speichern"), [&w] { ProjektSpeichernBefehl(&w); });
  w.WireCommand(QStringLiteral("Waehlen"), [&w] { ProjektWaehlenBefehl(&w); });
  w.WireCommand(QStringLiteral("Loeschen"), [&w] { ProjektLoeschenBefehl(&w); });
  w.WireCommand(QStringLiteral("Datenordner"), [&w] { DatenordnerBefehl(&w); });
  w.WireCommand(QStringLiteral("Info"), [&w] { ProgrammInfoBefehl(&w); });
  w.WireCommand(QStringLiteral("Warmwasser"), [&w] { WarmwasserBefehl(&w); });
  w.WireCommand(QStringLiteral("AbsorberDrehung"), [&w] { AbsorberDrehungBefehl(&w); });
  w.WireCommand(QStringLiteral("Solarkreisvolumen"), [&w] { SolarkreisVolBefehl(&w); });

  // The project wizard over the main window's client part; after OK the project is saved and
  // the annual simulation starts, as at the end of the set-up chain.
  w.WireCommand(QStringLiteral("SpeedButtonAssistent"), [&w] { AssistentBefehl(w); });

  // The instantaneous-output tool: the "Moment" button sets mode 2 and opens it, F5 opens it
  // in mode 2; the menu item "Momentanleistung" only chooses the mode.
  sim.Momentanleistung = [](QWidget* parent) { ShowMoment(parent); };
  w.WireCommand(QStringLiteral("SpeedButtonMoment"), [&w] { ShowMoment(&w); });

  // The EnEV form: the "EnEV" command and tool button, which also end the set-up chain when
  // the program was started with "-E"; in that mode the form opens once the main window
  // shows, as the program's work surface.
  EnevHooks& enev = EnevCommandHooks();
  enev.OrtWaehlen = [&w](TavState& s, const TOrt& ort) {
    OrtUmgebung env{w, w.Synthese()};
    return SelectOrtDaten(s, ort, env);
  };
  enev.SimRun = [](QWidget* parent) {
    ShowSimRun(parent);
    return G().run.ErgebnisGueltig;
  };
  // Opened from the modal EnEV form, the results window is modal too, so it comes up in
  // front and usable; it stays the main window's.
  enev.Ergebnisse = [&w, verbindeErgebnisse](QWidget*) { ShowSimErgModal(&w, verbindeErgebnisse); };
  enev.ProjektGeaendert = [&w] {
    w.InvalidateResults();
    w.RefreshSchema();
  };
  const auto zeigeEnev = [&w] {
    FormEnev(&w)->Ausfuehren();
    w.RefreshSchema();
  };
  w.WireCommand(QStringLiteral("Enev"), zeigeEnev);
  // Started from an outside EnEV program, the form is the whole session: once it has written
  // the results back, the program ends (through the main window's close, which still asks to
  // save a changed project and stays open when that is cancelled).
  if (G().run.EnevStart)
    QObject::connect(
        &w, &Hauptmenu::ErsterPaint, &w,
        [&w, zeigeEnev] {
          zeigeEnev();
          w.close();
        },
        Qt::QueuedConnection);

  // Print set-up, from the file menu.
  w.WireCommand(QStringLiteral("Druckoptionen"), [&w] { ShowKopftext(&w); });

  // Help: F1 in every window opens its page; "?" the contents (the main window then shows the
  // weather-import button once the about box's code word was typed).
  LadeHilfeSprachen();
  InstalliereHilfeTaste();
  // Every dialog on the same place at every opening.
  InstallDialogPlaces();
  w.WireCommand(QStringLiteral("Hilfe1"), [] { ZeigeHilfeInhalt(); });
}

void AssistentBefehl(Hauptmenu& w) {
  TFormPrjAssistent* f = FormPrjAssistent(&w);
  // The wizard opens its help itself (870, or 871/873 for the grid in front).
  f->Hooks.Hilfe = [](int kontext) { ZeigeHilfeKontext(kontext); };
  f->Hooks.OrtWaehlen = [&w](TavState& g, int ortNr, StatusSink& status) {
    OrtUmgebung env{status, w.Synthese()};
    if (!SelectOrt(g, ortNr, env)) return false;
    // The wizard's OK names the project's location by this number.
    g.plant.OrtNr = ortNr;
    return true;
  };
  const QRect r = w.frameGeometry();
  const int oben = G().screen.KleinerBildschirm ? 121 : 159;
  // Never below the top of the project text, so none of it shows above the wizard's heading
  // (title and menu bars differ in height between desktops).
  const int text = w.RichEditProjekt->parentWidget()->mapToGlobal(QPoint(0, 0)).y();
  const int top = std::min(r.top() + oben, text);
  f->setGeometry(r.left() + 3, top, std::max(f->minimumWidth(), r.width() - 6),
                 std::max(f->minimumHeight(), r.top() + r.height() - 3 - top));
  MarkPlaced(f);
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
