// The commands wired to the windows of other layers: F5 and the "Simulation" tool button open
// the run window, "Optionen" the options dialog, a finished run enables "Ergebnis", which
// opens the results window until the project changes.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QThread>
#include <QToolButton>
#include <QApplication>
#include "foundation/AtomicFile.h"

#include <QPushButton>
#include <QLineEdit>
#include <fstream>

#include "app/Befehle.h"
#include "enev/ui/FormEnev.h"
#include "foundation/BigIni.h"
#include "simulation/ui/SimCommands.h"
#include "tests/app/AppFixture.h"
#include "tests/foundation/ui/ModalDriver.h"

namespace tav {
namespace {

QString OffenerDialog(const std::function<void()>& befehl) {
  QString name;
  test::WhenModal([&name](QWidget* dialog) {
    name = dialog->objectName();
    static_cast<QDialog*>(dialog)->reject();
  });
  befehl();
  return name;
}

TEST(Befehle, RunWindowAndOptionsOpenFromTheMainWindow) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();

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
  SimCommandHooks() = SimHooks{};
}

TEST(Befehle, AFinishedRunEnablesTheResultsCommand) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  EXPECT_FALSE(w.Ergebnis->isEnabled());
  SimCommandHooks().ErgebnisFreigeben(true);
  EXPECT_TRUE(w.Ergebnis->isEnabled());
  SimCommandHooks().ErgebnisFreigeben(false);
  EXPECT_FALSE(w.Ergebnis->isEnabled());
  SimCommandHooks() = SimHooks{};
}

TEST(Befehle, ResultsOpenFromF6AndCloseWhenTheProjectChanges) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();
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
  SimCommandHooks() = SimHooks{};
}

TEST(Befehle, EnevCommandOpensTheEnevForm) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();
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
  SimCommandHooks() = SimHooks{};
  EnevCommandHooks() = EnevHooks{};
}

// Started with "-E": the exchange file is imported at start, the EnEV form opens as the work
// surface and its results are in the file when it closes.
TEST(Befehle, EnevStartImportsOpensAndWritesBack) {
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
  w.show();
  for (int i = 0; i < 200 && name.isEmpty(); ++i) {
    QApplication::processEvents();
    QThread::msleep(5);
  }
  EXPECT_EQ(name, "FormEnev");
  EXPECT_EQ(flaeche, "222,50");
  const auto datei = FindFileNoCase(G().folders.DatenDir, "enevxsim.dat");
  TBigIniFile ini(datei.string());
  EXPECT_EQ(ini.ReadString("Sim -> EnEV Ergebnisse", "QTWsol03", ""), "120");
  EXPECT_EQ(ini.ReadString("EnEV -> Sim", "KollektorNeigung", ""), "40");
  EXPECT_EQ(ini.ReadString("EnEV -> Sim", "ProjektName", ""), "Haus E");
  ini.DiscardChanges();
  SimCommandHooks() = SimHooks{};
  EnevCommandHooks() = EnevHooks{};
  enev::EnevProgrammStand() = enev::EnevStand{};
}

TEST(Befehle, DruckoptionenOpensThePrintSetUp) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();
  auto* druckoptionen = w.findChild<QAction*>("Druckoptionen");
  ASSERT_NE(druckoptionen, nullptr);
  EXPECT_EQ(OffenerDialog([&] { druckoptionen->trigger(); }), "FormKopftext");
}

}  // namespace
}  // namespace tav
