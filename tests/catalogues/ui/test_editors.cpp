// The energy-carrier and load-profile editors: field checks with their messages, Cancel changes
// nothing, OK rewrites the catalogue with the entry at its place (profiles sorted, names unique),
// the day-profile sum and colour, the year profile's mean and rescaling, and a grab of each.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <functional>
#include <string>
#include <vector>

#include "catalogues/Energie.h"
#include "catalogues/Profile.h"
#include "foundation/StatusSink.h"
#include "catalogues/ui/FormEnerEdit.h"
#include "catalogues/ui/FormProfilEdit.h"
#include "foundation/TavVar.h"
#include "foundation/ui/ModalDriver.h"
#include "foundation/ui/SysUtilsQt.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/gui/GrabScreen.h"
#include "support/gui/Lesefolge.h"

namespace tav {
namespace {

using test::ScopedMessages;
using test::TempDir;
using test::WhenModal;

class Editoren : public ::testing::Test {
 protected:
  void SetUp() override {
    s.folders.DatenDir = dir.path().string() + "/";
    const auto energie = BuiltInEnergie();
    s.cat.EnergieAnzahl = static_cast<int>(energie.size());
    for (std::size_t i = 0; i < energie.size(); ++i) s.cat.Energietraeger[i + 1] = energie[i];
    s.cat.EnergieGeladen = true;
    s.cat.ProfilAnzahl = 2;
    for (int i = 1; i <= 2; ++i) {
      TProfil& p = s.cat.Profile[static_cast<std::size_t>(i)];
      p.Name = i == 1 ? "Haus" : "Pension";
      for (int h = 1; h <= 12; ++h) p.Vormittag[static_cast<std::size_t>(h)] = h <= 4 ? 5 : 4;
      for (int h = 1; h <= 12; ++h) p.Nachmittag[static_cast<std::size_t>(h)] = 4;
    }
  }
  TempDir dir;
  TavState s;
};

TEST_F(Editoren, EnergyUnitsAreListedOnce) {
  s.cat.EnergieAnzahl = 3;
  s.cat.Energietraeger[1].Einheit = "kWh el";
  s.cat.Energietraeger[2].Einheit = "m³";
  s.cat.Energietraeger[3].Einheit = "kWh el";
  EXPECT_EQ(TFormEnerEdit::Einheiten(s.cat), (std::vector<std::string>{"kWh el", "m³"}));
}

TEST_F(Editoren, EnergyEfficiencyAndKWhChecksKeepTheEditorOpen) {
  TFormEnerEdit form(s);
  const TEnergie vorher = s.cat.Energietraeger[2];
  ScopedMessages msgs;
  WhenModal([](QWidget* d) {
    auto* f = static_cast<TFormEnerEdit*>(d);
    f->Edit44->setText("15");
    f->ButtonOK->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->Edit44->text(), "20");
    f->Edit45->setText("150");
    f->ButtonOK->click();
    EXPECT_EQ(f->Edit45->text(), "100");
    f->Edit42->setText("0,001");
    f->ButtonOK->click();
    EXPECT_TRUE(f->isVisible());
    f->ButtonCancel->click();
  });
  EXPECT_EQ(form.Bearbeite(2), 2);
  EXPECT_EQ(msgs->shown.size(), 3u) << msgs->All();
  EXPECT_EQ(msgs->shown[0].text, "Anlagennutzungsgrad zu niedrig");
  EXPECT_EQ(msgs->shown[1].text, "Anlagennutzungsgrad zu hoch");
  EXPECT_EQ(s.cat.Energietraeger[2].NutzgradWinter, vorher.NutzgradWinter);
  EXPECT_FALSE(std::filesystem::exists(EnergieDateiPfad(s)));
  EXPECT_EQ(form.Bearbeite(0), 2);  // no selection opens nothing
  EXPECT_EQ(form.Bearbeite(s.cat.EnergieAnzahl + 1), 2);
}

TEST_F(Editoren, EnergyOkRewritesTheCatalogueWithTheEntryInPlace) {
  TFormEnerEdit form(s);
  ScopedMessages msgs;
  WhenModal([](QWidget* d) {
    auto* f = static_cast<TFormEnerEdit*>(d);
    f->Edit40->setText("Pellets neu");
    f->Edit44->setText("85");
    test::GrabScreen(f, "FormEnerEdit");
    f->ButtonOK->click();
  });
  EXPECT_EQ(form.Bearbeite(3), 1);
  EXPECT_EQ(s.plant.EnergieNr, 3);
  EXPECT_EQ(s.plant.konvEnergie, "Pellets neu");
  EXPECT_EQ(s.plant.konvNutzgradWinter, 85);
  EXPECT_TRUE(s.run.ProjektGeaendert);
  TavState wieder;
  wieder.folders.DatenDir = s.folders.DatenDir;
  wieder.plant.konvEnergie = "Pellets neu";
  ReadEnergie(wieder, "", NullStatus());
  EXPECT_EQ(wieder.cat.EnergieAnzahl, s.cat.EnergieAnzahl);
  EXPECT_EQ(wieder.cat.Energietraeger[3].EnergieName, "Pellets neu");
  EXPECT_EQ(wieder.cat.Energietraeger[3].NutzgradWinter, 85);
  EXPECT_EQ(wieder.cat.Energietraeger[2].EnergieName, s.cat.Energietraeger[2].EnergieName);
}

// The load-profile editor opens centred on the desktop at every opening, also after the user
// moved it; the energy-carrier editor opened by no one who places it follows the rule for
// every dialog: centred over the main window, each time on the same place.
TEST_F(Editoren, EditorsOpenEachTimeOnTheirOwnPlace) {
  InstallDialogPlaces();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget haupt;
  haupt.setObjectName("Hauptmenu");
  haupt.setGeometry(area.left() + 70, area.top() + 30, 640, 480);
  haupt.show();
  TFormEnerEdit energie(s);
  TFormProfilEdit profil(s);
  const struct {
    const char* name;
    QPushButton* cancel;
    QRect ueber;  // what it is centred on
    std::function<int()> zeige;
  } faelle[] = {
      {"energy carrier", energie.ButtonCancel, haupt.frameGeometry(), [&] { return energie.Bearbeite(1); }},
      {"load profile", profil.ButtonCancel, area, [&] { return profil.Bearbeite(1, 8.0); }},
  };
  for (const auto& f : faelle) {
    std::vector<QPoint> orte;
    for (int mal = 0; mal < 3; ++mal) {
      WhenModal([&](QWidget* d) {
        orte.push_back(d->frameGeometry().topLeft());
        // Centred give or take the few pixels the layout adds when it is shown.
        EXPECT_LE((d->frameGeometry().center() - f.ueber.center()).manhattanLength(), 6)
            << f.name << " " << mal;
        d->move(d->pos() + QPoint(40, 25));
        f.cancel->click();
      });
      EXPECT_EQ(f.zeige(), 2) << f.name;
    }
    ASSERT_EQ(orte.size(), 3u) << f.name;
    EXPECT_EQ(orte[1], orte[0]) << f.name;
    EXPECT_EQ(orte[2], orte[0]) << f.name;
  }
}

// Tab goes in reading order through both editors: row by row, left to right.
TEST_F(Editoren, TabGoesInReadingOrder) {
  TFormEnerEdit energie(s);
  TFormProfilEdit profil(s);
  const struct {
    const char* name;
    QWidget* erstes;
    std::function<int()> zeige;
  } faelle[] = {
      {"energy carrier", energie.Edit40, [&] { return energie.Bearbeite(1); }},
      {"load profile", profil.Edit1, [&] { return profil.Bearbeite(1, 8.0); }},
  };
  for (const auto& f : faelle) {
    std::string fehler = "not shown";
    WhenModal([&](QWidget* d) {
      fehler = test::GegenDieLesefolge(f.erstes);
      static_cast<QDialog*>(d)->reject();
    });
    f.zeige();
    EXPECT_EQ(fehler, "") << f.name;
  }
}

TEST_F(Editoren, DayProfileSumColourAndHourChecks) {
  TFormProfilEdit form(s);
  form.Fuelle(1, 10.0);
  EXPECT_EQ(form.Panel1->text(), "Summe: 100");
  EXPECT_EQ(form.Image1->Summe(), 100);
  form.Stunden[3]->setValue(6);
  EXPECT_EQ(form.Panel1->text(), "Summe: 101");
  EXPECT_TRUE(form.PageControl1->isTabVisible(1) == false);
  EXPECT_FALSE(form.SpeedButton1->isChecked());
  ScopedMessages msgs;
  WhenModal([](QWidget* d) {
    auto* f = static_cast<TFormProfilEdit*>(d);
    f->Stunden[5]->setValue(60);
    f->ButtonOK->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->Stunden[5]->value(), 50);
    f->Stunden[5]->setValue(-3);
    f->ButtonOK->click();
    EXPECT_EQ(f->Stunden[5]->value(), 0);
    f->ButtonCancel->click();
  });
  EXPECT_EQ(form.Bearbeite(1, 10.0), 2);
  ASSERT_EQ(msgs->shown.size(), 2u) << msgs->All();
  EXPECT_EQ(msgs->shown[0].text, "Maximal 50% Tagesverbrauch in einer Stunde");
  EXPECT_EQ(msgs->shown[1].text, "Keine negativen Prozentangaben");
  EXPECT_EQ(s.cat.Profile[1].Vormittag[6], 4);
  EXPECT_FALSE(std::filesystem::exists(ProfilDateiPfad(s)));
}

TEST_F(Editoren, YearProfileMeanAndRescaling) {
  const int monate[] = {0, 80, 80, 90, 100, 110, 120, 120, 120, 110, 100, 90, 80};
  for (int m = 1; m <= 12; ++m) s.cat.Profile[1].Monate[static_cast<std::size_t>(m)] = monate[m];
  TFormProfilEdit form(s);
  form.Fuelle(1, 10.0);
  EXPECT_TRUE(form.SpeedButton1->isChecked());
  EXPECT_TRUE(form.PageControl1->isTabVisible(1));
  EXPECT_NEAR(form.Jahresmittel(), 36540.0 / 365.0, 1e-9);
  EXPECT_EQ(form.LabelSchnittPrz->text(), "100,1%");
  EXPECT_EQ(form.MonatKWh[1]->text(), "8,0 kWh/d");
  ASSERT_TRUE(form.Skaliere());  // the average is the reference
  for (int m = 1; m <= 12; ++m)
    EXPECT_EQ(form.Monate[static_cast<std::size_t>(m)]->value(), std::lround(monate[m] * 100.0 / 100.1)) << m;
  // A month as reference; 200 stays 200 when scaled up.
  form.Monate[6]->setValue(200);
  form.Bezug[1]->setChecked(true);
  ASSERT_TRUE(form.Skaliere());
  EXPECT_EQ(form.Monate[1]->value(), 100);
  EXPECT_EQ(form.Monate[6]->value(), 200);
  // A reference of 0 is refused and changes nothing.
  form.Monate[2]->setValue(0);
  form.Bezug[2]->setChecked(true);
  ScopedMessages msgs;
  EXPECT_FALSE(form.Skaliere());
  EXPECT_EQ(form.Monate[1]->value(), 100);
  EXPECT_EQ(msgs->shown.size(), 1u);
  form.PageControl1->setCurrentWidget(form.TabSheet2);
  form.show();
  test::GrabScreen(&form, "FormProfilEdit-Jahresprofil");
  form.PageControl1->setCurrentWidget(form.TabSheet1);
  test::GrabScreen(&form, "FormProfilEdit-Tagesprofil");
  form.hide();
}

TEST_F(Editoren, ProfileOkStoresSortsWithAUniqueNameAndHundredsWithoutYearProfile) {
  s.cat.Profile[2].Monate[3] = 90;
  TFormProfilEdit form(s);
  ScopedMessages msgs;
  WhenModal([](QWidget* d) {
    auto* f = static_cast<TFormProfilEdit*>(d);
    f->Edit1->setText("Haus");       // the other profile's name
    f->SpeedButton1->click();        // year profile off: every month 100
    f->ButtonOK->click();
  });
  EXPECT_EQ(form.Bearbeite(2, 8.0), 1);
  EXPECT_EQ(s.cat.ProfilAnzahl, 2);
  EXPECT_EQ(s.cat.Profile[1].Name, "Haus");
  EXPECT_EQ(s.cat.Profile[2].Name, "Haus (2)");
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(s.cat.Profile[2].Monate[static_cast<std::size_t>(m)], 100);
  EXPECT_EQ(s.plant.Zapfprofil, "Haus (2)");
  EXPECT_EQ(s.plant.ProfilNr, 2);
  EXPECT_TRUE(std::filesystem::exists(ProfilDateiPfad(s)));
}

}  // namespace
}  // namespace tav
