// The run window on a small clear-sky weather year: a run to the end, pause and resume, the
// ways of cancelling, the configuration check, the hooks to the main window, and the F5
// command. The window must leave what the engine computes untouched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/TavVar.h"
#include "foundation/ui/ModalDriver.h"
#include "location/Orte.h"
#include "location/TavKlimgen.h"
#include "simulation/SimRun.h"
#include "simulation/ui/FormInfo.h"
#include "simulation/ui/FormSimRun.h"
#include "simulation/ui/SimCommands.h"
#include "support/ScriptedMessages.h"
#include "support/gui/GrabScreen.h"
#include "tests/simulation/SimFixture.h"

namespace tav {
namespace {

// The program state of a hot-water plant with its weather, and a record of the hooks.
class RunWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    G() = TavState{};
    test::SetzeTrinkwasserAnlage(G());
    test::FuelleKlarhimmelWetter(G().weather);
    G().run.SolarklimadatenOK = true;  // the store holds the project location's years
    SimCommandHooks() = SimHooks{};
    SimCommandHooks().StatusText = [this](const std::string& t) { status.push_back(t); };
    SimCommandHooks().ErgebnisFreigeben = [this](bool an) { freigabe.push_back(an); };
    SimCommandHooks().ZeigeErgebnisse = [this] { ++ergebnisseGezeigt; };
  }
  void TearDown() override {
    SimCommandHooks() = SimHooks{};
    G() = TavState{};
  }

  // The same project run without the window.
  std::unique_ptr<TavState> Referenz() {
    auto ref = std::make_unique<TavState>(G());
    SimState s;
    EXPECT_EQ(RunSimulation(*ref, s, StillerBeobachter()), SimErgebnis::Fertig);
    return ref;
  }

  static void ErwarteGleicheErgebnisse(const TavState& a, const TavState& b) {
    for (const TMonatswert k : ResultState::SummenArrays) {
      for (int m = 1; m <= 13; ++m) {
        EXPECT_EQ(a.results.SimMonatswerte(k)[static_cast<std::size_t>(m)],
                  b.results.SimMonatswerte(k)[static_cast<std::size_t>(m)])
            << "array " << k << " month " << m;
      }
    }
  }

  // Calls act once per simulated day while a run goes on (and in the pause wait).
  static QTimer* JedenTag(QObject* besitzer, std::function<void()> act) {
    auto* t = new QTimer(besitzer);
    t->setInterval(0);
    QObject::connect(t, &QTimer::timeout, besitzer, act);
    t->start();
    return t;
  }

  static bool Beschaeftigt() { return QApplication::overrideCursor() != nullptr; }

  test::ScopedMessages msgs;
  std::vector<std::string> status;
  std::vector<bool> freigabe;
  int ergebnisseGezeigt = 0;
};

TEST_F(RunWindow, StartRunsToTheEndAndMakesTheResultsValid) {
  test::SetzeAnlage(G(), 6, true);  // all four curves
  G().settings.SimJahre = 3;
  const auto ref = Referenz();
  TFormSimRun form;
  form.show();
  EXPECT_EQ(form.windowTitle(), "Anlagensimulation");
  EXPECT_EQ(form.GroupBox1->title(), "Deckungsrate + Wirkungsgrad");
  EXPECT_EQ(form.LDeckungsrateK->text(), "Deckungsrate:");
  EXPECT_EQ(form.LDeckungsrateV->text(), "0 %");
  EXPECT_TRUE(form.BitBtnStart->isEnabled());
  EXPECT_FALSE(form.BitBtnPause->isEnabled());
  EXPECT_FALSE(form.BitBtnErgebnisse->isEnabled());
  EXPECT_FALSE(form.BitBtnKlimgen->isEnabled());  // no location dialog hooked in
  EXPECT_TRUE(form.BitBtnOptionen->isEnabled());
  EXPECT_FALSE(form.Label1->isVisible());

  // Half way through: the running state, and a grab.
  bool gesehen = false;
  JedenTag(&form, [&] {
    if (gesehen || !form.Laeuft() || G().run.WetterDatensatz != 2 || G().moment.SimTag < 180) return;
    gesehen = true;
    EXPECT_TRUE(form.BitBtnPause->isEnabled());
    for (QPushButton* b : {form.BitBtnStart, form.BitBtnErgebnisse, form.BitBtnKlimgen, form.BitBtnOptionen})
      EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(Beschaeftigt());
    EXPECT_EQ(form.Statustext(), "Simulationsrechnung läuft ...");
    EXPECT_FALSE(G().run.ErgebnisGueltig);
    EXPECT_NE(form.LWirkungsgradV->text(), "0 %");
    EXPECT_FALSE(test::GrabScreen(&form, "FormSimRun-running").isEmpty());
  });
  G().run.ErgebnisGueltig = true;  // an earlier run
  form.BitBtnStart->click();

  EXPECT_TRUE(gesehen);
  EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Fertig);
  EXPECT_TRUE(G().run.ErgebnisGueltig);
  EXPECT_EQ(freigabe, (std::vector<bool>{false, true}));
  EXPECT_EQ(form.Statustext(), "Simulationsrechnung fertig!");
  EXPECT_FALSE(Beschaeftigt());
  EXPECT_TRUE(form.BitBtnStart->isEnabled());
  EXPECT_TRUE(form.BitBtnErgebnisse->isEnabled());
  EXPECT_EQ(form.focusWidget(), form.BitBtnErgebnisse);
  EXPECT_FALSE(form.BitBtnPause->isEnabled());
  EXPECT_TRUE(form.Label1->text().endsWith(" ms"));
  EXPECT_FALSE(form.Label1->isVisible());
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  ErwarteGleicheErgebnisse(G(), *ref);
  EXPECT_GT(G().results.SolarertragMonat[13], 0.0f);
  // Every third day and day 365 make a point; each curve starts afresh in each weather year.
  for (int k = 0; k < TLaufDiagramm::kKurven; ++k) {
    const auto& zuege = form.ImageSimRun->Diagramm.Kurvenzuege(static_cast<TLaufDiagramm::Kurve>(k));
    ASSERT_EQ(zuege.size(), 3u) << k;
    for (int jahr = 0; jahr < 3; ++jahr) {
      const auto& zug = zuege[static_cast<std::size_t>(jahr)];
      EXPECT_EQ(zug.jahr, jahr) << k;
      EXPECT_EQ(zug.punkte.size(), 365u / 3 + 1) << k;
      EXPECT_EQ(zug.punkte.front().x(), 3) << k;
      EXPECT_EQ(zug.punkte.back().x(), 365) << k;
    }
  }
  EXPECT_FALSE(test::GrabScreen(&form, "FormSimRun-done").isEmpty());

  form.BitBtnErgebnisse->click();
  EXPECT_EQ(form.result(), mrOk);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(G().run.SimFertig);
  EXPECT_TRUE(G().run.SimGestartet);
  EXPECT_EQ(form.Statustext(), "");
}

TEST_F(RunWindow, WithoutAResultsWindowTheResultsButtonStaysOff) {
  SimCommandHooks().ZeigeErgebnisse = nullptr;
  TFormSimRun form;
  form.show();
  form.BitBtnStart->click();
  EXPECT_TRUE(G().run.ErgebnisGueltig);
  EXPECT_FALSE(form.BitBtnErgebnisse->isEnabled());
  EXPECT_EQ(form.focusWidget(), form.BitBtnStart);
}

TEST_F(RunWindow, PauseThenASecondClickFinishesWithTheSameResults) {
  const auto ref = Referenz();
  TFormSimRun form;
  form.show();
  int pausenTag = 0, tageInPause = -1;
  JedenTag(&form, [&] {
    if (!form.Laeuft() || pausenTag != 0 || G().moment.SimTag < 50) return;
    form.BitBtnPause->click();
    pausenTag = G().moment.SimTag;
    EXPECT_EQ(form.Statustext(), "Rechnung angehalten - Weiter mit erneutem Click auf [|| Pause]-Taste");
    EXPECT_FALSE(Beschaeftigt());
    // Resumed a while later: no day may have passed in between.
    QTimer::singleShot(120, &form, [&] {
      tageInPause = G().moment.SimTag - pausenTag;
      form.BitBtnPause->click();
      EXPECT_EQ(form.Statustext(), "Simulationsrechnung läuft ...");
      EXPECT_TRUE(Beschaeftigt());
    });
  });
  form.BitBtnStart->click();
  EXPECT_EQ(pausenTag, 50);
  EXPECT_EQ(tageInPause, 1);  // the pause takes effect after the day under way
  EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Fertig);
  EXPECT_TRUE(G().run.ErgebnisGueltig);
  ErwarteGleicheErgebnisse(G(), *ref);
}

TEST_F(RunWindow, CancelLeavesNoValidResultsAndNoYearTotals) {
  struct Fall {
    const char* name;
    std::function<void(TFormSimRun&)> abbrechen;
  };
  const std::vector<Fall> faelle = {
      {"Cancel button", [](TFormSimRun& f) { f.BitBtnCancel->click(); }},
      {"Cancel while paused",
       [](TFormSimRun& f) {
         f.BitBtnPause->click();
         f.BitBtnCancel->click();
       }},
      {"window closed", [](TFormSimRun& f) { f.reject(); }},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    SetUp();
    msgs->shown.clear();
    G().settings.SimJahre = 3;
    G().run.ErgebnisGueltig = true;  // an earlier run
    TFormSimRun form;
    form.show();
    bool abgebrochen = false;
    JedenTag(&form, [&] {
      if (abgebrochen || !form.Laeuft() || G().moment.SimTag < 100) return;
      abgebrochen = true;
      fall.abbrechen(form);
    });
    form.BitBtnStart->click();
    EXPECT_TRUE(abgebrochen);
    EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Abgebrochen);
    EXPECT_EQ(form.result(), mrCancel);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(G().run.ErgebnisGueltig);
    EXPECT_EQ(freigabe, (std::vector<bool>{false}));  // off when the run began, not on again
    EXPECT_FALSE(G().run.SimFertig);
    EXPECT_LE(G().moment.SimTag, 101);
    for (const TMonatswert k : ResultState::SummenArrays) EXPECT_EQ(G().results.SimMonatswerte(k)[13], 0.0f) << k;
    ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
    EXPECT_EQ(msgs->shown[0].text, "Rechnung abgebrochen !");
    EXPECT_FALSE(Beschaeftigt());
    EXPECT_EQ(form.Statustext(), "");
    freigabe.clear();
  }
}

// Records, for every message, whether the warning window was showing beside the run window.
class InfoProtokoll : public test::ScriptedMessages {
 public:
  std::vector<bool> infoSichtbar;
  std::vector<bool> beschaeftigt;

 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override {
    infoSichtbar.push_back(FormInfo().isVisible());
    beschaeftigt.push_back(QApplication::overrideCursor() != nullptr);
    return ScriptedMessages::Present(text, type, buttons);
  }
};

TEST_F(RunWindow, AFlowWarningShowsTheWarningWindowAndTheRunWindowStaysReady) {
  test::SetzeAnlage(G(), 4);
  G().plant.Speicher1vol = 20.0f;
  // A field the tiny store can take within a step, so that the run starts; the draw is
  // beyond the store whatever the sun did before.
  G().plant.KollektorFlaeche = 5.0f;
  G().plant.Warmwasserverbrauch = 30000.0f;
  InfoProtokoll protokoll;
  MessageService* vorher = SetMessageService(&protokoll);
  TFormSimRun form;
  form.show();
  form.BitBtnStart->click();
  SetMessageService(vorher);

  EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Abgebrochen);
  ASSERT_EQ(protokoll.shown.size(), 2u) << protokoll.All();
  EXPECT_NE(protokoll.shown[0].text.find("Wasserdurchfluss"), std::string::npos);
  EXPECT_EQ(protokoll.shown[1].text, "Rechnung abgebrochen !");
  EXPECT_EQ(protokoll.infoSichtbar, (std::vector<bool>{true, false}));
  EXPECT_EQ(protokoll.beschaeftigt, (std::vector<bool>{false, false}));
  // Beside the run window where the screen has room, and on the screen in any case.
  const QRect frei = form.screen()->availableGeometry();
  if (form.frameGeometry().right() + 8 + FormInfo().width() <= frei.right()) {
    EXPECT_GT(FormInfo().x(), form.frameGeometry().right());
  }
  EXPECT_TRUE(frei.contains(FormInfo().pos()));
  // The window stays open for another try: a new start, other options.
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.BitBtnStart->isEnabled());
  EXPECT_TRUE(form.BitBtnOptionen->isEnabled());
  EXPECT_FALSE(form.BitBtnPause->isEnabled());
  EXPECT_FALSE(form.BitBtnErgebnisse->isEnabled());
  EXPECT_FALSE(G().run.ErgebnisGueltig);
  EXPECT_EQ(form.Statustext(), "Rechnung abgebrochen !");
}

// A run whose results stop being numbers ends with its message; the window offers no results
// and stays ready for another start.
TEST_F(RunWindow, AResultThatIsNoNumberEndsTheRunWithoutResults) {
  G().weather.Wetter(1, WeatherState::kDirektNormal, 100 * 24 + 12) = INFINITY;
  TFormSimRun form;
  form.show();
  form.BitBtnStart->click();
  EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Ungueltig);
  EXPECT_TRUE(msgs->Contains("keine endliche Zahl")) << msgs->All();
  EXPECT_FALSE(G().run.ErgebnisGueltig);
  EXPECT_FALSE(form.BitBtnErgebnisse->isEnabled());
  EXPECT_TRUE(form.BitBtnStart->isEnabled());
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(Beschaeftigt());
  EXPECT_EQ(G().results.SolarertragMonat[4], 0.0f);
}

TEST_F(RunWindow, TheConfigurationCheckStopsABadProjectWithItsMessage) {
  G().plant.KollektorFlaeche = 0.0f;
  G().run.ErgebnisGueltig = true;  // the results of an earlier run stay
  TFormSimRun form;
  form.show();
  form.BitBtnStart->click();
  EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Konfigurationsfehler);
  EXPECT_TRUE(msgs->Contains("Die Simulation kann nicht starten:")) << msgs->All();
  EXPECT_TRUE(msgs->Contains("Die Kollektorfläche ist 0")) << msgs->All();
  EXPECT_TRUE(G().run.ErgebnisGueltig);
  EXPECT_TRUE(freigabe.empty());
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.BitBtnStart->isEnabled());
  EXPECT_FALSE(form.BitBtnPause->isEnabled());
  EXPECT_TRUE(form.BitBtnOptionen->isEnabled());
  EXPECT_FALSE(Beschaeftigt());
  EXPECT_EQ(form.Statustext(), "");
}

// A refused start after a finished run in the same showing: the results stay valid, but the
// window offers them no more ("Ergebnisse" goes off with every start and only a finished run
// puts it on); the main window still does.
TEST_F(RunWindow, ARefusedStartLeavesTheResultsButtonOff) {
  struct Fall {
    const char* name;
    std::function<void()> verderben;
  };
  const std::vector<Fall> faelle = {
      {"start check", [] { G().plant.KollektorFlaeche = 0.0f; }},
      {"no weather", [] { G().run.SolarklimadatenOK = false; }},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    SetUp();
    msgs->shown.clear();
    TFormSimRun form;
    form.show();
    form.BitBtnStart->click();
    ASSERT_EQ(form.LetztesErgebnis(), SimErgebnis::Fertig);
    ASSERT_TRUE(form.BitBtnErgebnisse->isEnabled());
    const auto vorher = G().results;
    freigabe.clear();
    fall.verderben();
    form.BitBtnStart->click();
    EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Konfigurationsfehler);
    EXPECT_TRUE(msgs->Contains("Die Simulation kann nicht starten:")) << msgs->All();
    EXPECT_TRUE(G().run.ErgebnisGueltig);
    EXPECT_TRUE(freigabe.empty());
    EXPECT_EQ(G().results.SolarertragMonat, vorher.SolarertragMonat);
    EXPECT_FALSE(form.BitBtnErgebnisse->isEnabled());
    EXPECT_TRUE(form.BitBtnStart->isEnabled());
    EXPECT_FALSE(form.BitBtnPause->isEnabled());
    EXPECT_TRUE(form.BitBtnOptionen->isEnabled());
    EXPECT_TRUE(form.isVisible());
    form.hide();
  }
}

// A location the weather library cannot use: its synthesis fails, the store keeps the years
// of the location before, and Start refuses rather than run on them. Results of before stay.
TEST_F(RunWindow, AfterAFailedSynthesisStartIsRefused) {
  const auto ref = Referenz();
  G().results = ref->results;
  G().run.ErgebnisGueltig = true;
  const std::vector<float> wetter = G().weather.WetterDaten.Werte;
  TOrt ort;
  ort.Name = "Nordpolferne";
  ort.GeoBreite = 95.0f;
  ort.GeoLaenge = 10.0f;
  ort.Hoehe = 100;
  ort.wsTempZone = 6;
  for (int m = 1; m <= 12; ++m) {
    ort.Einstrahlung[m] = 2.0;
    ort.LuftTemp[m] = 8.0;
  }
  G().cat.OrtAnzahl = 1;
  G().cat.Orte[1] = ort;
  G().run.SolarklimadatenOK = false;
  KlimgenBridge bruecke;
  OrtUmgebung env{NullStatus(), bruecke};
  SelectOrt(G(), 1, env);
  ASSERT_FALSE(G().run.SolarklimadatenOK);
  ASSERT_TRUE(msgs->Contains("Nordpolferne: Breite = 95°")) << msgs->All();
  ASSERT_EQ(G().weather.WetterDaten.Werte, wetter);

  msgs->shown.clear();
  TFormSimRun form;
  form.show();
  form.BitBtnStart->click();
  EXPECT_EQ(form.LetztesErgebnis(), SimErgebnis::Konfigurationsfehler);
  ASSERT_EQ(msgs->shown.size(), 1u) << msgs->All();
  EXPECT_EQ(msgs->shown[0].text, "Die Simulation kann nicht starten:\nKeine Wetterdaten für Nordpolferne");
  EXPECT_TRUE(G().run.ErgebnisGueltig);
  EXPECT_TRUE(freigabe.empty());
  ErwarteGleicheErgebnisse(G(), *ref);
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.BitBtnStart->isEnabled());
  EXPECT_FALSE(form.BitBtnPause->isEnabled());
  EXPECT_FALSE(Beschaeftigt());
  EXPECT_EQ(form.Statustext(), "");
  EXPECT_FALSE(test::GrabScreen(&form, "FormSimRun-ohneWetter").isEmpty());
}

TEST_F(RunWindow, KlimgenAndOptionsOpenTheirDialogs) {
  {
    TFormSimRun form;
    form.show();
    EXPECT_FALSE(form.BitBtnKlimgen->isEnabled());
  }
  bool nurWetter = false;
  SimCommandHooks().Klimgen = [&](QWidget* parent) {
    nurWetter = G().run.NurWetterdaten;
    EXPECT_NE(parent, nullptr);
  };
  TFormSimRun form;
  form.show();
  ASSERT_TRUE(form.BitBtnKlimgen->isEnabled());
  form.BitBtnKlimgen->click();
  EXPECT_TRUE(nurWetter);
  EXPECT_FALSE(G().run.NurWetterdaten);
  EXPECT_TRUE(form.BitBtnStart->isEnabled());

  QString geoeffnet;
  test::WhenModal([&](QWidget* dialog) {
    geoeffnet = dialog->objectName();
    test::Click(dialog, "ButtonCancel");
  });
  form.BitBtnOptionen->click();
  EXPECT_EQ(geoeffnet, "FormSimOpt");
}

TEST_F(RunWindow, F5OpensTheRunWindowInModeThreeAndTheToolInModeTwo) {
  int moment = 0, invalidiert = 0, modal = 0;
  std::vector<std::string> folge;
  SimCommandHooks().Momentanleistung = [&](QWidget*) { folge.push_back("Moment"); ++moment; };
  SimCommandHooks().InvalidateResults = [&] { folge.push_back("Invalidate"); ++invalidiert; };
  SimCommandHooks().ZeigeErgebnisseModal = [&] { ++modal; };
  SetzeRechenModus(2);
  SimulationBefehl(nullptr);
  EXPECT_EQ(folge, (std::vector<std::string>{"Invalidate", "Moment"}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  SetzeRechenModus(4);  // not a mode of the radio items
  EXPECT_EQ(G().run.RechenModus, 2);
  SetzeRechenModus(3);
  // The keyboard road: Enter on Start (focused when the window opens), then Enter on the
  // results button (focused after the run).
  test::WhenModal([](QWidget* dialog) {
    auto* start = dialog->findChild<QPushButton*>("BitBtnStart");
    ASSERT_EQ(dialog->focusWidget(), start);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(start, &enter);
    auto* ergebnisse = dialog->findChild<QPushButton*>("BitBtnErgebnisse");
    ASSERT_EQ(dialog->focusWidget(), ergebnisse);
    QKeyEvent enter2(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(ergebnisse, &enter2);
  });
  SimulationBefehl(nullptr);
  EXPECT_EQ(moment, 1);
  EXPECT_EQ(invalidiert, 2);
  EXPECT_TRUE(G().run.ErgebnisGueltig);
  EXPECT_EQ(ergebnisseGezeigt, 1);  // F5: modeless
  EXPECT_EQ(modal, 0);

  // The tool button's run shows the results modally.
  test::WhenModal([](QWidget* dialog) {
    test::Click(dialog, "BitBtnStart");
    test::Click(dialog, "BitBtnErgebnisse");
  });
  SimulationBefehl(nullptr, true);
  EXPECT_EQ(ergebnisseGezeigt, 1);
  EXPECT_EQ(modal, 1);
  EXPECT_EQ(invalidiert, 3);
}

}  // namespace
}  // namespace tav
