// No two controls shown together share an accelerator, in German and in English, in the main
// window, its menus and every window its commands open (each page of a window with pages).
// One Alt and a letter must do what the caption says, not only move between two controls
// (Alt+B on "&Bearbeiten" beside "Ab&brechen" once cancelled the plant dialog).
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <string>

#include "app/Befehle.h"
#include "app/FormAnlage.h"
#include "catalogues/ui/FormEnerEdit.h"
#include "catalogues/ui/FormKollektor.h"
#include "catalogues/ui/FormOrtTeile.h"
#include "catalogues/ui/FormProfilEdit.h"
#include "app/ProjektDialoge.h"
#include "enev/ui/FormEnev.h"
#include "foundation/Language.h"
#include "simulation/ui/SimCommands.h"
#include "support/gui/GrabScreen.h"
#include "support/gui/Kuerzel.h"
#include "tests/app/AppFixture.h"
#include "tests/app/JedeAnlagenart.h"
#include "tests/foundation/ui/ModalDriver.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

using test::kEnglischNr;
using test::MitEnglisch;

// The main window in the session's language: German as started, or English from the menu.
struct Fenster {
  explicit Fenster(bool englisch) : app(MitEnglisch), w(*app.window) {
    VerbindeFenster(w);
    w.show();
    if (englisch) w.Sprache[kEnglischNr]->trigger();
  }
  ~Fenster() {
    w.Sprache[kDeutschNr]->trigger();
    SimCommandHooks() = SimHooks{};
    ProjektCommandHooks() = ProjektHooks{};
    EnevCommandHooks() = EnevHooks{};
  }
  std::function<void()> Aktion(const char* name) {
    return [this, name] { w.findChild<QAction*>(name)->trigger(); };
  }
  test::AppFixture app;
  Hauptmenu& w;
};

struct Englisch : Fenster, ::testing::Test {
  Englisch() : Fenster(true) {}
};

struct Kuerzel : Fenster, ::testing::TestWithParam<bool> {
  Kuerzel() : Fenster(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(Sprachen, Kuerzel, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "English" : "German"; });

TEST_P(Kuerzel, MainWindowAndItsMenusShareNoAccelerator) {
  ASSERT_EQ(G().settings.Sprache, GetParam() ? "english" : "deutsch");
  EXPECT_EQ(test::GeteilteKuerzel(&w), "");
}

TEST_P(Kuerzel, NoTwoControlsOfAWindowShareAnAccelerator) {
  const struct {
    const char* fenster;
    std::function<void()> befehl;
  } faelle[] = {
      {"FormProjektInfo", Aktion("Projektinfo")},
      {"FormProjektSpeichern", Aktion("Speichern")},
      {"FormProjektWaehlen", Aktion("Waehlen")},
      {"FormVerzWechsel", Aktion("Datenordner")},
      {"FormProgrammInfo", Aktion("Info")},
      {"FormKopftext", Aktion("Druckoptionen")},
      {"FormAbsorberDreh", Aktion("AbsorberDrehung")},
      {"FormSolarkreisVol", Aktion("Solarkreisvolumen")},
      {"FormOrt", Aktion("Ort")},
      {"FormKollektor", Aktion("Kollektor")},
      {"FormKollektorEdit", [this] { w.FormKollektorEdit(); }},
      {"FormAnlage", Aktion("Anlage")},
      {"FormSimRun", Aktion("Start")},
      {"FormSimOpt", Aktion("Optionen")},
      {"FormMoment", [this] { w.SpeedButtonMoment->click(); }},
      {"FormPrjAssistent", [this] { w.SpeedButtonAssistent->click(); }},
      {"FormEnev", Aktion("Enev")},
  };
  for (const auto& f : faelle) {
    std::string name, geteilt;
    test::WhenModal([&](QWidget* d) {
      name = d->objectName().toStdString();
      geteilt = test::GeteilteKuerzel(d);
      if (auto* a = qobject_cast<TFormAnlage*>(d))
        test::JedeAnlagenart(*a, [&] { geteilt += test::GeteilteKuerzel(d); });
      // The collector dialog with the east-west field.
      if (auto* k = qobject_cast<TFormKollektor*>(d)) {
        k->CheckBoxOstWest->click();
        geteilt += test::GeteilteKuerzel(d);
      }
      static_cast<QDialog*>(d)->reject();
    });
    f.befehl();
    EXPECT_EQ(name, f.fenster);
    EXPECT_EQ(geteilt, "") << f.fenster;
    G().run.RechenModus = 3;
  }
  // The editors and small dialogs the catalogue and plant dialogs open, made in English.
  {
    TFormProfilEdit profil(G());
    TFormEnerEdit energie(G());
    TFormOrtEdit ort(G(), NullStatus());
    TFormSkyObjekt objekt;
    TFormMessdatenE messdaten(G());
    SkyMapGrid karte{};
    const struct {
      QDialog* fenster;
      std::function<int()> zeige;
    } editoren[] = {
        {&profil, [&] { return profil.Bearbeite(1, 8.0); }},
        {&energie, [&] { return energie.Bearbeite(1); }},
        {&ort, [&] { return ort.Bearbeite(1); }},
        {&objekt, [&] { return objekt.Trage(karte); }},
        {&messdaten, [&] { return messdaten.Zeige(); }},
    };
    for (const auto& e : editoren) {
      std::string geteilt;
      bool offen = false;
      test::WhenModal([&](QWidget* d) {
        offen = d == e.fenster;
        geteilt = test::GeteilteKuerzel(d);
        static_cast<QDialog*>(d)->reject();
      });
      e.zeige();
      EXPECT_TRUE(offen) << e.fenster->objectName().toStdString();
      EXPECT_EQ(geteilt, "") << e.fenster->objectName().toStdString();
    }
  }
  // The windows that stay open beside the main window.
  w.findChild<QAction*>("Warmwasser")->trigger();
  auto* ww = w.findChild<QWidget*>("FormWarmwasser");
  ASSERT_NE(ww, nullptr);
  EXPECT_EQ(test::GeteilteKuerzel(ww), "");
  ww->close();
  G().run.ErgebnisGueltig = true;
  G().plant.Pool = true;  // with the pool page
  SimCommandHooks().ErgebnisFreigeben(true);
  w.Ergebnis->trigger();
  auto* ergebnisse = w.findChild<QWidget*>("FormSimErg");
  ASSERT_NE(ergebnisse, nullptr);
  EXPECT_EQ(test::GeteilteKuerzel(ergebnisse), "");
  ergebnisse->close();
}

// Alt with a key that is no accelerator never types into a field, whatever the window and the
// kind of field (a number field, a spin box, a term field, a folder name); the key alone still
// types, and so does Ctrl+Alt, the AltGr of some systems.
TEST_F(Englisch, AltWithAKeyThatIsNoAcceleratorNeverTypesIntoAField) {
  const auto text = [](QWidget* feld) {
    if (auto* e = qobject_cast<QLineEdit*>(feld)) return e->text();
    if (auto* s = qobject_cast<QAbstractSpinBox*>(feld)) return s->text();
    return QString("?");
  };
  const auto taste = [](QWidget* feld, int key, Qt::KeyboardModifiers mod, const QString& zeichen) {
    QKeyEvent press(QEvent::KeyPress, key, mod, zeichen);
    QApplication::sendEvent(feld, &press);
  };
  // Types into the field of the window in front: Alt and the key, the key alone, Ctrl+Alt.
  const auto pruefe = [&](QWidget* fenster, const char* name, int key, const QString& zeichen) {
    std::string fehler;
    QWidget* feld = nullptr;  // the window's own, not one of an editor it holds
    for (QWidget* k : fenster->findChildren<QWidget*>(name))
      if (k->window() == fenster) feld = k;
    if (!feld) return std::string("no field ") + name;
    for (QWidget* w = feld; w && w != fenster; w = w->parentWidget())  // its page in front
      if (auto* seiten = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
        if (seiten->indexOf(w) >= 0) seiten->setCurrentWidget(w);
    feld->setFocus();
    const QString vorher = text(feld);
    taste(feld, key, Qt::AltModifier, zeichen);
    if (text(feld) != vorher) fehler += " Alt typed: " + text(feld).toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(feld)) e->selectAll();
    if (auto* e = qobject_cast<QAbstractSpinBox*>(feld)) e->selectAll();
    taste(feld, key, Qt::NoModifier, zeichen);
    if (text(feld) == vorher) fehler += " the key alone typed nothing";
    const QString danach = text(feld);
    taste(feld, Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, "@");
    if (qobject_cast<QLineEdit*>(feld) && text(feld) == danach) fehler += " Ctrl+Alt typed nothing";
    return fehler;
  };
  const struct {
    const char* fenster;
    std::function<void()> befehl;
    const char* feld;
    int key;
    const char* zeichen;
  } faelle[] = {
      {"FormKollektor", Aktion("Kollektor"), "Edit3", Qt::Key_2, "2"},  // azimuth
      {"FormKollektor", Aktion("Kollektor"), "Edit1", Qt::Key_2, "2"},  // area, a term
      {"FormAnlage", Aktion("Anlage"), "Edit2", Qt::Key_2, "2"},
      {"FormAnlage", Aktion("Anlage"), "EditSpAnz", Qt::Key_2, "2"},
      {"FormProjektInfo", Aktion("Projektinfo"), "Edit1", Qt::Key_Q, "q"},  // a name
      {"FormOrtEdit", [] { TFormOrtEdit(G(), NullStatus()).Bearbeite(1); }, "Edit26", Qt::Key_5, "5"},
  };
  for (const auto& f : faelle) {
    std::string name, fehler;
    test::WhenModal([&](QWidget* d) {
      name = d->objectName().toStdString();
      fehler = pruefe(d, f.feld, f.key, f.zeichen);
      static_cast<QDialog*>(d)->reject();
    });
    f.befehl();
    EXPECT_EQ(name, f.fenster);
    EXPECT_EQ(fehler, "") << f.fenster << " " << f.feld;
  }
  // A window beside the main window alike.
  w.findChild<QAction*>("Warmwasser")->trigger();
  auto* ww = w.findChild<QWidget*>("FormWarmwasser");
  ASSERT_NE(ww, nullptr);
  EXPECT_EQ(pruefe(ww, "Edit1", Qt::Key_2, "2"), "");
  ww->close();
}

}  // namespace
}  // namespace tav
