// The main window's commands: what each tells the main window through the hooks, and the
// delete command's refusal with a single stored project.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "app/ProjektDialoge.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "project/test_projekt_fixture.h"
#include "foundation/TavMathe.h"
#include "foundation/ui/ModalDriver.h"

namespace tav {
namespace {

class Befehle : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = G();
    G() = TavState{};
    G().folders.DatenDir = dir.path().string() + "/";
    test::VollesProjekt(G().plant);
    for (int nr : {1, 2}) {
      G().settings.ProjektNummer = nr;
      G().plant.ProjektName = "Projekt " + std::to_string(nr);
      d.jetzt = EncodeDate(2026, 1, nr);
      ASSERT_TRUE(WriteProjektDat(ProjektDateiPfad(G()), G(), d));
    }
    G().settings.ProjektNummer = 1;
    LoadProjekt(G(), d);
    G().run.ErgebnisGueltig = true;
    auto& h = ProjektCommandHooks();
    h.Dienste = &d;
    h.RefreshSchema = [this] { ++refresh; };
    h.InvalidateResults = [this] { ++invalidate; };
    msgs->shown.clear();
  }
  void TearDown() override {
    ProjektCommandHooks() = ProjektHooks{};
    G() = saved;
  }

  test::TempDir dir;
  test::ScopedMessages msgs;
  test::FakeDienste d;
  TavState saved;
  int refresh = 0, invalidate = 0;
};

TEST_F(Befehle, OpenInvalidatesTheResultsAndRefreshes) {
  test::WhenModal([](QWidget* w) {
    auto* grid = w->findChild<QTableWidget*>("StringGrid1");
    grid->setCurrentCell(0, 1);  // project 2, the newest
    test::Click(w, "ButtonOK");
  });
  EXPECT_EQ(ProjektWaehlenBefehl(nullptr), 1);
  EXPECT_EQ(G().settings.ProjektNummer, 2);
  EXPECT_EQ(refresh, 1);
  EXPECT_EQ(invalidate, 1);
  EXPECT_FALSE(G().run.ErgebnisGueltig);

  // Cancelled: the scheme is refreshed all the same, the results stay.
  G().run.ErgebnisGueltig = true;
  test::WhenModal([](QWidget* w) { test::Click(w, "ButtonCancel"); });
  EXPECT_EQ(ProjektWaehlenBefehl(nullptr), 2);
  EXPECT_EQ(refresh, 2);
  EXPECT_EQ(invalidate, 1);
  EXPECT_TRUE(G().run.ErgebnisGueltig);
}

TEST_F(Befehle, DeleteNeedsTwoProjectsAndTheAbsorberTakeOverInvalidates) {
  // Another program deleted project 2: the list this one read still holds it, the file not.
  ASSERT_TRUE(DeleteProjekt(G(), 2));
  ASSERT_EQ(G().cat.ProjektAnzahl, 2);
  EXPECT_EQ(ProjektLoeschenBefehl(nullptr), 2);
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_EQ(msgs->shown[0].text, "Nur ein Projekt gespeichert - das bleibt!");
  EXPECT_EQ(msgs->shown[0].buttons, Btn(mbYes));

  test::WhenModal([](QWidget* w) {
    test::Click(w, "Button1");
    test::Click(w, "ButtonEnde");
  });
  EXPECT_EQ(AbsorberDrehungBefehl(nullptr), 1);
  EXPECT_TRUE(G().run.ProjektGeaendert);
  EXPECT_EQ(invalidate, 1);
  EXPECT_EQ(refresh, 1);

  // Without the catalogue services the project commands do nothing.
  ProjektCommandHooks().Dienste = nullptr;
  EXPECT_EQ(ProjektSpeichernBefehl(nullptr), 2);
  EXPECT_EQ(DatenordnerBefehl(nullptr), 2);
}

TEST_F(Befehle, DataFolderSwitchReloadsAndTellsTheMainWindow) {
  test::TempDir neu;
  int geladen = 0;
  ProjektCommandHooks().EinstellungenGeladen = [&] { ++geladen; };
  test::WhenModal([&](QWidget* w) {
    w->findChild<QRadioButton*>("RadioButtonNeuVerz")->setChecked(true);
    w->findChild<QLineEdit*>("EditNeuVerz")->setText(QString::fromStdString(neu.path().string()));
    test::Click(w, "ButtonOK");
  });
  EXPECT_EQ(DatenordnerBefehl(nullptr), 1);
  EXPECT_EQ(G().folders.DatenDir, neu.path().string() + "/");
  EXPECT_EQ(G().cat.ProjektAnzahl, 2);  // the copied project file, read from the new folder
  EXPECT_EQ(geladen, 1);
  EXPECT_EQ(invalidate, 1);
  EXPECT_EQ(refresh, 1);

  // Cancelled: nothing reloaded, the scheme refreshed.
  test::WhenModal([](QWidget* w) { test::Click(w, "ButtonCancel"); });
  EXPECT_EQ(DatenordnerBefehl(nullptr), 2);
  EXPECT_EQ(geladen, 1);
  EXPECT_EQ(refresh, 2);
  EXPECT_EQ(G().folders.DatenDir, neu.path().string() + "/");
}

}  // namespace
}  // namespace tav
