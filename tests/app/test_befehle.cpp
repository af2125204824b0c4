// The main window's commands wired to the windows of the other layers: each opens its window,
// and the hooks back to the main window (results on and off, the "-E" start) do their part.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/Befehle.h"
#include "app/ProjektDialoge.h"
#include "catalogues/Kollektoren.h"
#include "catalogues/ui/FormKollektor.h"
#include "enev/ui/FormEnev.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/Language.h"
#include "foundation/TextTable.h"
#include "foundation/ui/HilfeFenster.h"
#include "simulation/ui/SimCommands.h"
#include "tests/app/AppFixture.h"
#include "tests/app/JedeAnlagenart.h"
#include "tests/foundation/ui/ModalDriver.h"
#include "support/gui/Lesefolge.h"

namespace tav {
namespace {

// The hooks are the program's; each test leaves them empty again for the tests after it.
class Verdrahtung : public ::testing::Test {
 protected:
  // The started program's main window with every command wired, shown unless told not to.
  static Hauptmenu& Verdrahtet(test::AppFixture& app, bool zeigen = true) {
    VerbindeFenster(*app.window);
    if (zeigen) app.window->show();
    return *app.window;
  }
  void TearDown() override {
    SimCommandHooks() = SimHooks{};
    ProjektCommandHooks() = ProjektHooks{};
  }
};

QString OffenerDialog(const std::function<void()>& befehl) {
  QString name;
  test::WhenModal([&name](QWidget* dialog) {
    name = dialog->objectName();
    static_cast<QDialog*>(dialog)->reject();
  });
  befehl();
  return name;
}

// Shows the main window and lets its start-up timers run until the dialog they open has
// written its name.
void ZeigeUndWarte(Hauptmenu& w, const QString& name) {
  w.show();
  for (int i = 0; i < 200 && name.isEmpty(); ++i) {
    QApplication::processEvents();
    QThread::msleep(5);
  }
}

// The page F1 opens in the window in front, as the help window shows it afterwards.
std::string HilfeNachF1(QWidget* fenster) {
  QWidget* fokus = fenster->focusWidget() ? fenster->focusWidget() : fenster;
  test::Key(fokus, Qt::Key_F1);
  return HilfeFensterOffen() ? HilfeFensterOffen()->AktuelleSeite() : std::string();
}

// The "?" menu opens the contents; after the about box's code word it also shows the
// weather-import button.
TEST_F(Verdrahtung, HelpMenuOpensTheContentsAndRevealsTheWeatherImport) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  auto* hilfe = w.findChild<QAction*>("Hilfe1");
  ASSERT_NE(hilfe, nullptr);
  EXPECT_TRUE(hilfe->isEnabled());
  hilfe->trigger();
  ASSERT_NE(HilfeFensterOffen(), nullptr);
  EXPECT_TRUE(HilfeFensterOffen()->isVisible());
  EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/index.htm");
  EXPECT_TRUE(w.SpeedButtonMeteoImport->isHidden());
  G().run.MeteoFreigabe = true;
  hilfe->trigger();
  EXPECT_FALSE(w.SpeedButtonMeteoImport->isHidden());
  HilfeFensterOffen()->close();
}

// F1 in the main window and in every dialog its commands open: the page of that window, of
// its page in front, or of the grid in front (the wizard through its own hook).
TEST_F(Verdrahtung, F1OpensThePageOfTheWindowInFront) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  EXPECT_EQ(HilfeNachF1(&w), "de/hauptfenster.htm");

  const struct {
    const char* befehl;
    std::string seite;
  } faelle[] = {
      {"Speichern", "de/projekt.htm#speichern"},
      {"Waehlen", "de/projekt.htm#waehlen"},
      {"Datenordner", "de/datenordner.htm"},
      {"Info", "de/programminfo.htm"},
      {"AbsorberDrehung", "de/absorberdrehung.htm"},
      {"Solarkreisvolumen", "de/solarkreisvolumen.htm"},
      {"Druckoptionen", "de/druckoptionen.htm"},
      {"Anlage", "de/anlage.htm"},
      {"Energie", "de/anlage.htm#energie"},
      {"Ort", "de/ort.htm"},
      {"Kollektor", "de/kollektor.htm#kollektortyp"},
      {"Optionen", "de/simoptionen.htm"},
      {"SpeedButtonAssistent", "de/assistent.htm"},
  };
  for (const auto& f : faelle) {
    std::string seite;
    test::WhenModal([&seite](QWidget* d) {
      seite = HilfeNachF1(d);
      static_cast<QDialog*>(d)->reject();
    });
    if (auto* a = w.findChild<QAction*>(f.befehl)) a->trigger();
    else w.findChild<QToolButton*>(f.befehl)->click();
    EXPECT_EQ(seite, f.seite) << f.befehl;
  }

  // The plant dialog's type group names the plant type in use.
  std::string typ;
  test::WhenModal([&typ](QWidget* d) {
    typ = HilfeNachF1(d->findChild<QWidget*>("RadioButtonA2"));
    static_cast<QDialog*>(d)->reject();
  });
  w.findChild<QAction*>("Anlage")->trigger();
  const PlantState& p = G().plant;
  EXPECT_EQ(typ, p.AnlagenTypNr == 1 && p.BivSpTyp == 4
                     ? std::string("de/anlage.htm#thermosiphon")
                     : "de/anlage.htm#typ" + std::to_string(p.AnlagenTypNr));

  // The location and collector dialogs: the page in front, wherever the focus stands (on the
  // buttons, or left behind on a page turned away), in both languages.
  const struct {
    const char* befehl;
    std::vector<std::string> seiten;  // of the pages shown, in order
  } mitSeiten[] = {
      {"Ort", {"ort.htm", "ort.htm#verschattung", "klimgen.htm"}},
      {"Kollektor", {"kollektor.htm#kollektortyp", "kollektor.htm#parameter", "kollektor.htm#solarkreis"}},
  };
  for (const int sprache : {kDeutschNr, 3}) {
    SwitchLanguage(G(), Texts(), sprache);
    const std::string sp = sprache == kDeutschNr ? "de/" : "en/";
    for (const auto& f : mitSeiten) {
      std::vector<std::string> seiten;
      test::WhenModal([&seiten](QWidget* d) {
        auto* pages = d->findChild<QTabWidget*>("PageControl1");
        for (const char* fokus : {"ButtonOK", "StringGrid1"}) {
          for (int i = 0; i < pages->count(); ++i) {
            if (!pages->isTabVisible(i)) continue;
            d->findChild<QWidget*>(fokus)->setFocus();
            pages->setCurrentIndex(i);
            seiten.push_back(HilfeNachF1(d));
          }
        }
        static_cast<QDialog*>(d)->reject();
      });
      w.findChild<QAction*>(f.befehl)->trigger();
      ASSERT_EQ(seiten.size(), 2 * f.seiten.size()) << f.befehl;
      for (std::size_t i = 0; i < seiten.size(); ++i)
        EXPECT_EQ(seiten[i], sp + f.seiten[i % f.seiten.size()]) << f.befehl << " " << i;
    }
  }
  SwitchLanguage(G(), Texts(), kDeutschNr);

  // The about box's help button.
  test::WhenModal([](QWidget* d) {
    d->findChild<QPushButton*>("ButtonHilfe")->click();
    static_cast<QDialog*>(d)->reject();
  });
  HilfeFensterOffen()->Zeige("de/index.htm");
  w.findChild<QAction*>("Info")->trigger();
  EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/programminfo.htm");

  // The help follows the program's language.
  SwitchLanguage(G(), Texts(), 3);
  EXPECT_EQ(HilfeNachF1(&w), "en/hauptfenster.htm");
  SwitchLanguage(G(), Texts(), kDeutschNr);
  EXPECT_EQ(HilfeNachF1(&w), "de/hauptfenster.htm");
  HilfeFensterOffen()->close();
}

// Every dialog the main window's commands open stands on the same place at its second opening
// as at its first: where it belongs (the about box beside the main window, the run
// window and the options centred on the desktop), else centred over the main window.
TEST_F(Verdrahtung, EveryDialogOpensOnTheSamePlaceEachTime) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  G().settings.AFPos = TFensterPos{};  // the data-folder dialog has no stored place yet
  w.setGeometry(QRect(QPoint(20, 30), w.minimumSize()));
  QApplication::processEvents();
  const QRect haupt = w.frameGeometry();
  const QRect schirm = QGuiApplication::primaryScreen()->availableGeometry();
  enum Platz { UeberHaupt, Info, Schirm };
  const struct {
    const char* befehl;
    Platz platz;
  } faelle[] = {
      {"Projektinfo", UeberHaupt}, {"Neu", UeberHaupt},  {"Speichern", UeberHaupt},
      {"Waehlen", UeberHaupt},     {"Datenordner", UeberHaupt}, {"Druckoptionen", UeberHaupt},
      {"AbsorberDrehung", UeberHaupt}, {"Solarkreisvolumen", UeberHaupt}, {"Info", Info},
      {"Optionen", Schirm},        {"Start", Schirm},
  };
  for (const auto& f : faelle) {
    std::vector<QRect> orte;
    for (int mal = 0; mal < 2; ++mal) {
      test::WhenModal([&orte](QWidget* d) {
        orte.push_back(d->frameGeometry());
        static_cast<QDialog*>(d)->reject();
      });
      w.findChild<QAction*>(f.befehl)->trigger();
    }
    ASSERT_EQ(orte.size(), 2u) << f.befehl;
    EXPECT_EQ(orte[1].topLeft(), orte[0].topLeft()) << f.befehl;
    if (f.platz == Info) {
      EXPECT_EQ(orte[0].topLeft(), haupt.topLeft() + QPoint(273, 73));
    } else {
      const QPoint mitte = (f.platz == Schirm ? schirm : haupt).center();
      // Give or take the few pixels a layout adds when it is shown.
      EXPECT_LE((orte[0].center() - mitte).manhattanLength(), 6) << f.befehl << " " << orte[0].x() << "," << orte[0].y() << " " << orte[0].width() << "x" << orte[0].height() << " over " << mitte.x() << "," << mitte.y();
    }
  }
}

// Tab goes through the project and set-up dialogs in reading order, row by row, left to right
// (the save dialog's "neues Projekt" button once came after Cancel).
TEST_F(Verdrahtung, TabGoesInReadingOrderThroughTheDialogs) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  for (const char* befehl : {"Projektinfo", "Speichern", "Waehlen", "Datenordner", "Druckoptionen", "AbsorberDrehung"}) {
    std::string fehler = "not shown";
    test::WhenModal([&fehler](QWidget* d) {
      fehler = test::GegenDieLesefolge(d->focusWidget() ? d->focusWidget() : d);
      static_cast<QDialog*>(d)->reject();
    });
    w.findChild<QAction*>(befehl)->trigger();
    EXPECT_EQ(fehler, "") << befehl;
  }
}

// The big dialogs alike, page by page, each walked round from its page tabs.
TEST_F(Verdrahtung, TabGoesInReadingOrderThroughEveryPageOfTheBigDialogs) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  for (const char* befehl : {"Ort", "Kollektor", "Anlage", "Optionen", "Solarkreisvolumen", "SpeedButtonMoment",
                             "SpeedButtonAssistent"}) {
    std::string fehler = "not shown";
    test::WhenModal([&fehler](QWidget* d) {
      fehler = test::GegenDieLesefolgeJeSeite(d);
      if (auto* a = qobject_cast<TFormAnlage*>(d))
        test::JedeAnlagenart(*a, [&] { fehler += test::GegenDieLesefolgeJeSeite(d); });
      static_cast<QDialog*>(d)->reject();
    });
    if (auto* knopf = w.findChild<QToolButton*>(befehl)) knopf->click();
    else w.findChild<QAction*>(befehl)->trigger();
    EXPECT_EQ(fehler, "") << befehl;
  }
  // The hot-water tool beside the main window.
  w.findChild<QAction*>("Warmwasser")->trigger();
  auto* ww = w.findChild<QWidget*>("FormWarmwasser");
  ASSERT_NE(ww, nullptr);
  ww->activateWindow();
  QApplication::setActiveWindow(ww);
  EXPECT_EQ(test::GegenDieLesefolgeJeSeite(ww), "");
  EXPECT_GT(test::TabFolge(ww->findChild<QLineEdit*>("Edit1")).size(), 3u);  // it walked
  ww->close();
}

TEST_F(Verdrahtung, RunWindowAndOptionsOpenFromTheMainWindow) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);

  auto* start = w.findChild<QAction*>("Start");
  auto* optionen = w.findChild<QAction*>("Optionen");
  auto* knopf = w.findChild<QToolButton*>("SpeedButtonSimulation");
  ASSERT_TRUE(start && optionen && knopf);
  EXPECT_TRUE(start->isEnabled());
  EXPECT_TRUE(optionen->isEnabled());
  EXPECT_TRUE(knopf->isEnabled());

  EXPECT_EQ(OffenerDialog([&] { start->trigger(); }), "FormSimRun");
  EXPECT_EQ(OffenerDialog([&] { knopf->click(); }), "FormSimRun");
  EXPECT_EQ(G().run.RechenModus, 3);
  EXPECT_EQ(OffenerDialog([&] { optionen->trigger(); }), "FormSimOpt");
}

// The wizard from its tool button: OK after the hot-water design saves the project and
// opens the run window; Cancel opens nothing more.
TEST_F(Verdrahtung, TheWizardsOkSavesAndStartsTheAnnualSimulation) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  G().run.SolarklimadatenOK = true;
  QString lauf;
  test::WhenModal([&lauf](QWidget* d) {
    ASSERT_EQ(d->objectName(), "FormPrjAssistent");
    auto* weiter = d->findChild<QPushButton*>("BitBtnForward");
    auto* kombi = d->findChild<QCheckBox*>("CheckBoxSolarKombi");
    weiter->click();
    weiter->click();
    kombi->setChecked(false);
    weiter->click();
    // The save command asks for the number (the current one is proposed), then the run
    // window opens.
    test::WhenModal([&lauf](QWidget* speichern) {
      EXPECT_EQ(speichern->objectName(), "FormProjektSpeichern");
      test::WhenModal([&lauf](QWidget* run) {
        lauf = run->objectName();
        static_cast<QDialog*>(run)->reject();
      });
      test::Click(speichern, "ButtonOK");
    });
    test::Click(d, "ButtonOK");
  });
  w.SpeedButtonAssistent->click();
  EXPECT_EQ(lauf, "FormSimRun");
  EXPECT_FALSE(G().run.WeiterModus);
  EXPECT_TRUE(std::filesystem::exists(app.Daten("Projekte.dat")));
}

TEST_F(Verdrahtung, AFinishedRunEnablesTheResultsCommand) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app, false);
  EXPECT_FALSE(w.Ergebnis->isEnabled());
  SimCommandHooks().ErgebnisFreigeben(true);
  EXPECT_TRUE(w.Ergebnis->isEnabled());
  SimCommandHooks().ErgebnisFreigeben(false);
  EXPECT_FALSE(w.Ergebnis->isEnabled());
}

TEST_F(Verdrahtung, ResultsOpenFromF6AndCloseWhenTheProjectChanges) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  G().run.ErgebnisGueltig = true;
  SimCommandHooks().ErgebnisFreigeben(true);
  w.Ergebnis->trigger();
  auto* ergebnisse = w.findChild<QWidget*>("FormSimErg");
  ASSERT_NE(ergebnisse, nullptr);
  EXPECT_TRUE(ergebnisse->isVisible());
  EXPECT_FALSE(ergebnisse->isModal());

  w.InvalidateResults();
  EXPECT_FALSE(ergebnisse->isVisible());
  EXPECT_FALSE(w.Ergebnis->isEnabled());
  EXPECT_FALSE(G().run.ErgebnisGueltig);

  // After the tool button's run the same window is modal, and modeless again afterwards.
  G().run.ErgebnisGueltig = true;
  bool modal = false;
  test::WhenModal([&](QWidget* fenster) {
    modal = fenster == ergebnisse;
    fenster->close();
  });
  ASSERT_TRUE(SimCommandHooks().ZeigeErgebnisseModal);
  SimCommandHooks().ZeigeErgebnisseModal();
  EXPECT_TRUE(modal);
  EXPECT_FALSE(ergebnisse->isVisible());
  w.Ergebnis->setEnabled(true);
  w.Ergebnis->trigger();
  EXPECT_FALSE(ergebnisse->isModal());
  // Modeless, but the main window's: transient for it, so the window manager keeps it above.
  EXPECT_EQ(ergebnisse->parentWidget(), &w);
  EXPECT_EQ(ergebnisse->windowType(), Qt::Dialog);
  EXPECT_TRUE(ergebnisse->windowFlags() & Qt::WindowMaximizeButtonHint);
  w.InvalidateResults();
  // After F5's run alike.
  G().run.ErgebnisGueltig = true;
  SimCommandHooks().ZeigeErgebnisse();
  EXPECT_TRUE(ergebnisse->isVisible());
  EXPECT_FALSE(ergebnisse->isModal());
  EXPECT_EQ(ergebnisse->parentWidget(), &w);
  w.InvalidateResults();
}

// "Detaillierte Ergebnisse" in the modal EnEV form: the results window comes up modal over
// it, the active window in front, still the main window's; the form goes on after it closed.
TEST_F(Verdrahtung, EnevDetailedResultsAreTheActiveModalWindow) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  EnevCommandHooks().SimRun = [](QWidget*) {
    for (int m = 1; m <= 12; ++m) G().results.SolarertragMonat[m] = 120000.0f;
    G().run.ErgebnisGueltig = true;
    return true;
  };
  QString modal, aktiv;
  QWidget* eltern = nullptr;
  bool knopfAn = false, formNachher = false;
  test::WhenModal([&](QWidget* form) {
    form->findChild<QPushButton*>("BitBtnSim")->click();
    auto* knopf = form->findChild<QPushButton*>("BitBtnSimErg");
    knopfAn = knopf->isEnabled();
    // Watches for the results window while the button's click waits for it.
    auto* uhr = new QTimer(form);
    uhr->setInterval(5);
    QObject::connect(uhr, &QTimer::timeout, uhr, [&, uhr, versuche = 0]() mutable {
      QWidget* m = QApplication::activeModalWidget();
      if ((!m || m->objectName() != "FormSimErg") && ++versuche < 400) return;
      uhr->stop();
      if (!m) return;
      modal = m->objectName();
      QApplication::processEvents();
      aktiv = QApplication::activeWindow() ? QApplication::activeWindow()->objectName() : QString();
      eltern = m->parentWidget();
      m->close();
    });
    uhr->start();
    if (knopfAn) knopf->click();
    uhr->stop();
    formNachher = QApplication::activeModalWidget() == form;
    form->findChild<QPushButton*>("ButtonEnde")->click();
  });
  w.findChild<QAction*>("Enev")->trigger();
  EXPECT_TRUE(knopfAn);
  EXPECT_EQ(modal, "FormSimErg");
  EXPECT_EQ(aktiv, "FormSimErg");
  EXPECT_EQ(eltern, &w);
  EXPECT_TRUE(formNachher);
  EnevCommandHooks() = EnevHooks{};
}

TEST_F(Verdrahtung, PlantDialogOpensFromItsMenuItemsAndButton) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  for (const char* name : {"Anlage", "Energie"}) {
    auto* a = w.findChild<QAction*>(name);
    ASSERT_NE(a, nullptr) << name;
    EXPECT_TRUE(a->isEnabled()) << name;
    EXPECT_EQ(OffenerDialog([&] { a->trigger(); }), "FormAnlage") << name;
  }
  auto* knopf = w.findChild<QToolButton*>("SpeedButtonAnlage");
  ASSERT_NE(knopf, nullptr);
  EXPECT_EQ(OffenerDialog([&] { knopf->click(); }), "FormAnlage");
  EXPECT_FALSE(G().run.ProjektGeaendert);
}

// Each command of the project, catalogue and calculator windows opens its window (a hidden
// item through its action, as its short-cut does).
TEST_F(Verdrahtung, ProjectCatalogueAndCalculatorCommandsOpenTheirWindows) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  const struct {
    const char* befehl;
    const char* fenster;
  } faelle[] = {
      {"Speichern", "FormProjektSpeichern"}, {"Waehlen", "FormProjektWaehlen"},
      {"Datenordner", "FormVerzWechsel"},    {"Info", "FormProgrammInfo"},
      {"AbsorberDrehung", "FormAbsorberDreh"}, {"Solarkreisvolumen", "FormSolarkreisVol"},
      {"Ort", "FormOrt"},                    {"Kollektor", "FormKollektor"},
  };
  for (const auto& f : faelle) {
    auto* a = w.findChild<QAction*>(f.befehl);
    ASSERT_NE(a, nullptr) << f.befehl;
    // Qt reports a hidden action as disabled; its trigger still runs.
    if (a->isVisible()) {
      EXPECT_TRUE(a->isEnabled()) << f.befehl;
    }
    EXPECT_EQ(OffenerDialog([&] { a->trigger(); }), f.fenster) << f.befehl;
  }
  // One stored project: deleting is refused with the Part's message, no window.
  app.msgs->shown.clear();
  w.findChild<QAction*>("Loeschen")->trigger();
  ASSERT_FALSE(app.msgs->shown.empty());
  EXPECT_EQ(app.msgs->shown[0].text, "Nur ein Projekt gespeichert - das bleibt!");
  // The hot-water calculator stays open beside the main window.
  w.findChild<QAction*>("Warmwasser")->trigger();
  auto* ww = w.findChild<QWidget*>("FormWarmwasser");
  ASSERT_NE(ww, nullptr);
  EXPECT_TRUE(ww->isVisible());
  EXPECT_FALSE(ww->isModal());
  EXPECT_TRUE(SimCommandHooks().Klimgen != nullptr);
}

TEST_F(Verdrahtung, MomentCommandsOpenTheToolInModeTwo) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  auto* menu = w.findChild<QAction*>("Momentanleistung");
  auto* knopf = w.findChild<QToolButton*>("SpeedButtonMoment");
  auto* start = w.findChild<QAction*>("Start");
  ASSERT_TRUE(menu && knopf && start);
  EXPECT_TRUE(knopf->isEnabled());
  EXPECT_EQ(OffenerDialog([&] { knopf->click(); }), "FormMoment");
  EXPECT_EQ(G().run.RechenModus, 2);
  EXPECT_TRUE(w.Momentanleistung->isChecked());
  // F5 in mode 2 drops the results, then opens the tool, not the run window.
  G().run.ErgebnisGueltig = true;
  w.Ergebnis->setEnabled(true);
  bool ungueltigBeimOeffnen = false;
  test::WhenModal([&](QWidget* dialog) {
    ungueltigBeimOeffnen = !G().run.ErgebnisGueltig && !w.Ergebnis->isEnabled();
    EXPECT_EQ(dialog->objectName(), "FormMoment");
    static_cast<QDialog*>(dialog)->reject();
  });
  start->trigger();
  EXPECT_TRUE(ungueltigBeimOeffnen);
  // The menu item only chooses the mode; the tool button opens the tool.
  w.SetRechenModus(3);
  QString geoeffnet;
  QTimer wache;
  wache.setInterval(5);
  QObject::connect(&wache, &QTimer::timeout, [&] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      geoeffnet = d->objectName();
      d->reject();
    }
  });
  wache.start();
  menu->trigger();
  QElapsedTimer uhr;
  uhr.start();
  while (uhr.elapsed() < 100) QApplication::processEvents(QEventLoop::AllEvents, 10);
  wache.stop();
  EXPECT_EQ(geoeffnet, "");
  EXPECT_EQ(G().run.RechenModus, 2);
  EXPECT_TRUE(w.Momentanleistung->isChecked());
  EXPECT_FALSE(w.AnlagenSimulation->isChecked());
  SimCommandHooks() = SimHooks{};
  G().run.RechenModus = 3;
}

// A title of the menu bar that opens a dialog itself (Alt and its letter, or a click) loses
// its highlight before the dialog comes up, instead of keeping it while the dialog is open.
TEST_F(Verdrahtung, MenuTitleThatOpensADialogLosesItsHighlight) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  for (const char* name : {"Ort", "Anlage", "Energie", "Kollektor"}) {
    SCOPED_TRACE(name);
    auto* titel = w.findChild<QAction*>(name);
    ASSERT_NE(titel, nullptr);
    w.menuBar()->setActiveAction(titel);
    ASSERT_EQ(w.menuBar()->activeAction(), titel);
    QString dialog;
    QAction* markiert = titel;
    test::WhenModal([&](QWidget* d) {
      dialog = d->objectName();
      markiert = w.menuBar()->activeAction();
      static_cast<QDialog*>(d)->reject();
    });
    titel->trigger();
    EXPECT_FALSE(dialog.isEmpty());
    EXPECT_EQ(markiert, nullptr);
  }
}

TEST_F(Verdrahtung, DruckoptionenOpensThePrintSetUp) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  auto* druckoptionen = w.findChild<QAction*>("Druckoptionen");
  ASSERT_NE(druckoptionen, nullptr);
  EXPECT_EQ(OffenerDialog([&] { druckoptionen->trigger(); }), "FormKopftext");
}

TEST_F(Verdrahtung, EnevCommandOpensTheEnevForm) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  auto* enev = w.findChild<QAction*>("Enev");
  auto* knopf = w.findChild<QToolButton*>("SpeedButtonENEV");
  ASSERT_TRUE(enev && knopf);
  EXPECT_TRUE(enev->isEnabled());
  EXPECT_TRUE(knopf->isEnabled());
  const int orte = G().cat.OrtAnzahl;
  EXPECT_EQ(OffenerDialog([&] { enev->trigger(); }), "FormEnev");
  EXPECT_EQ(OffenerDialog([&] { knopf->click(); }), "FormEnev");
  EXPECT_EQ(G().cat.OrtAnzahl, orte);
  EXPECT_EQ(G().run.EnevErgebnisModus, 2);
  EnevCommandHooks() = EnevHooks{};
}

// Every file of a folder with its size and time of last writing.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> Dateien(
    const std::filesystem::path& ordner) {
  std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> liste;
  for (const auto& e : std::filesystem::recursive_directory_iterator(ordner))
    if (e.is_regular_file()) liste[e.path().string()] = {e.file_size(), e.last_write_time()};
  return liste;
}

// The reference location is built in: the form makes its weather, but neither the location
// catalogue nor any file of the data folder changes, not even while the form is open.
TEST_F(Verdrahtung, EnevReferenceLocationLeavesCatalogueAndDataFolderAlone) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app);
  G().run.SolarklimadatenOK = true;
  const auto vorher = Dateien(G().folders.DatenDir);
  ASSERT_FALSE(vorher.empty());
  const int orte = G().cat.OrtAnzahl;
  const std::string standort = G().plant.Standort;
  const int synthesen = app.wetter.aufrufe;
  std::string offenStandort;
  int offenOrte = -1;
  test::WhenModal([&](QWidget* dialog) {
    offenStandort = G().plant.Standort;
    offenOrte = G().cat.OrtAnzahl;
    static_cast<QDialog*>(dialog)->reject();
  });
  w.findChild<QAction*>("Enev")->trigger();
  EXPECT_EQ(offenStandort, "Normstandort-Würzburg");
  EXPECT_EQ(offenOrte, orte);
  EXPECT_EQ(app.wetter.aufrufe, synthesen + 1);  // the reference weather, made in memory
  EXPECT_EQ(G().cat.OrtAnzahl, orte);
  EXPECT_EQ(G().plant.Standort, standort);
  EXPECT_EQ(Dateien(G().folders.DatenDir), vorher);
  EnevCommandHooks() = EnevHooks{};
}

// A collector the EnEV import appended is shown once in the collector editor when the main
// window has come up, on the project's collector; the collector dialog's height becomes the
// dialogs' reference height.
TEST_F(Verdrahtung, CollectorEditorOpensOnceAfterTheImportAppendedACollector) {
  test::AppFixture app;
  Hauptmenu& w = Verdrahtet(app, false);
  G().settings.AFPos.Hoehe = 0;
  ASSERT_TRUE(SelectKollektor(G(), G().cat.KollektorAnzahl));
  G().run.KollektorEditAnfrage = true;
  QString name, gezeigt;
  int geoeffnet = 0;
  test::WhenModal([&](QWidget* dialog) {
    ++geoeffnet;
    name = dialog->objectName();
    gezeigt = dialog->findChild<QLineEdit*>("Edit1")->text();
    dialog->findChild<QPushButton*>("ButtonOK")->click();
  });
  ZeigeUndWarte(w, name);
  EXPECT_EQ(name, "FormKollektorEdit");
  EXPECT_EQ(gezeigt.toStdString(), G().cat.Kollektoren[G().cat.KollektorAnzahl].Name);
  EXPECT_FALSE(G().run.KollektorEditAnfrage);
  EXPECT_EQ(G().plant.KollektorNr, G().cat.KollektorAnzahl);
  EXPECT_EQ(G().settings.AFPos.Hoehe, TFormKollektor::kHoehe);
  EXPECT_EQ(geoeffnet, 1);
}

// Started with "-E": the exchange file is imported at start, the EnEV form opens as the work
// surface and its results are in the file when it closes.
TEST_F(Verdrahtung, EnevStartImportsOpensAndWritesBack) {
  test::AppFixture app([](const test::TempDir&) {
    G().run.EnevStart = true;
    const std::filesystem::path daten(G().folders.DatenDir);
    std::filesystem::create_directories(daten);
    std::ofstream(daten / "EnEVxSim.dat", std::ios::binary)
        << "[EnEV -> Sim]\r\nProjektName=Haus E\r\nNutzflaeche=222,5\r\nZirkulation=1\r\n"
           "KollektorNeigung=40\r\n";
  });
  EXPECT_DOUBLE_EQ(enev::EnevProgrammStand().Eingaben.Nutzflaeche, 222.5);
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  EnevCommandHooks().SimRun = [](QWidget*) {
    for (int m = 1; m <= 12; ++m) G().results.SolarertragMonat[m] = 120000.0f;
    G().run.ErgebnisGueltig = true;
    return true;
  };
  QString name, flaeche;
  test::WhenModal([&](QWidget* dialog) {
    name = dialog->objectName();
    flaeche = dialog->findChild<QLineEdit*>("EditA_N")->text();
    dialog->findChild<QPushButton*>("BitBtnSim")->click();
    dialog->findChild<QPushButton*>("ButtonEnde")->click();
  });
  ZeigeUndWarte(w, name);
  EXPECT_EQ(name, "FormEnev");
  EXPECT_EQ(flaeche, "222,50");
  // The form was the work surface: with it closed the program has ended.
  QApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
  const auto datei = FindFileNoCase(G().folders.DatenDir, "enevxsim.dat");
  TBigIniFile ini(datei.string());
  EXPECT_EQ(ini.ReadString("Sim -> EnEV Ergebnisse", "QTWsol03", ""), "120");
  EXPECT_EQ(ini.ReadString("EnEV -> Sim", "KollektorNeigung", ""), "40");
  EXPECT_EQ(ini.ReadString("EnEV -> Sim", "ProjektName", ""), "Haus E");
  ini.DiscardChanges();
  EnevCommandHooks() = EnevHooks{};
  enev::EnevProgrammStand() = enev::EnevStand{};
}

}  // namespace
}  // namespace tav
