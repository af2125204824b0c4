// The commands wired to the windows of other layers: F5 and the "Simulation" tool button open
// the run window, "Optionen" the options dialog, a finished run enables "Ergebnis", which
// opens the results window until the project changes.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QToolButton>

#include "app/Befehle.h"
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

TEST(Befehle, MomentCommandsOpenTheToolInModeTwo) {
  test::AppFixture app;
  Hauptmenu& w = *app.window;
  VerbindeFenster(w);
  w.show();
  auto* menu = w.findChild<QAction*>("Momentanleistung");
  auto* knopf = w.findChild<QToolButton*>("SpeedButtonMoment");
  auto* start = w.findChild<QAction*>("Start");
  ASSERT_TRUE(menu && knopf && start);
  EXPECT_TRUE(knopf->isEnabled());
  EXPECT_EQ(OffenerDialog([&] { knopf->click(); }), "FormMoment");
  EXPECT_EQ(G().run.RechenModus, 2);
  EXPECT_TRUE(w.Momentanleistung->isChecked());
  // F5 in mode 2 opens the tool, not the run window.
  EXPECT_EQ(OffenerDialog([&] { start->trigger(); }), "FormMoment");
  w.SetRechenModus(3);
  EXPECT_EQ(OffenerDialog([&] { menu->trigger(); }), "FormMoment");
  EXPECT_EQ(G().run.RechenModus, 2);
  SimCommandHooks() = SimHooks{};
  G().run.RechenModus = 3;
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
