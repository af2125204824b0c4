// The EnEV form offscreen: live figures, the forced circulation, the DIN buttons, the
// simulation button's rule, restore on close, the modified flag and the "-E" write-back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QButtonGroup>
#include <QTabBar>
#include <QTabWidget>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "enev/ui/FormEnev.h"
#include "foundation/BigIni.h"
#include "foundation/ui/ModalDriver.h"
#include "support/ScriptedMessages.h"
#include "support/gui/Lesefolge.h"
#include "support/TempDir.h"
#include "support/gui/GrabScreen.h"

using namespace tav;
using tav::test::ScopedMessages;
using tav::test::TempDir;

namespace {

struct FormFixture {
  TempDir dir;
  ScopedMessages msgs;
  std::unique_ptr<TavState> state = std::make_unique<TavState>();
  enev::EnevStand stand;
  std::unique_ptr<TFormEnev> form;
  int ortWahlen = 0;
  TOrt gewaehlt;
  int simLaeufe = 0;

  FormFixture(std::uint8_t typ = 1) {
    auto& s = *state;
    s.folders.DatenDir = dir.path().string() + "/";
    s.settings.EnEVDir = dir.path().string() + "/";
    auto& p = s.plant;
    p.ProjektName = "Haus A";
    p.Kollektor = "Sonnwerk & Co SW 2";
    p.KollEta0 = 0.77f;
    p.KollK1 = 3.5f;
    p.KollK2 = 0.02f;
    p.KollIAM50 = 0.9f;
    p.KollModulFlaeche = 2.0f;
    p.KollektorFlaeche = 6.0f;
    p.KollektorNeigung = 45;
    p.Solarkreislaenge = 10;
    p.Speicher1vol = 300;
    p.AnlagenTypNr = typ;
    p.SolHeizung = typ >= 2 && typ != 4 && typ != 5;
    p.SpeicherkWert = 1.5f;
    p.Warmwasserverbrauch = 5000;
    s.cat.OrtAnzahl = 2;
    s.cat.Orte[1].Name = "Freiburg";
    s.cat.Orte[2].Name = "Kiel";
    p.OrtNr = 2;
    s.run.SolarklimadatenOK = true;
    for (std::size_t i = 0; i < s.weather.WetterDaten.Werte.size(); i += 97)
      s.weather.WetterDaten.Werte[i] = static_cast<float>(i % 13);
    auto& h = EnevCommandHooks();
    h = EnevHooks{};
    h.OrtWaehlen = [this](TavState& st, const TOrt& ort) {
      ++ortWahlen;
      gewaehlt = ort;
      st.plant.Standort = ort.Name;
      if (!st.run.SolarklimadatenOK) st.weather.WetterDaten.Werte.assign(st.weather.WetterDaten.Werte.size(), 1.0f);
      return true;
    };
    h.SimRun = [this](QWidget*) {
      ++simLaeufe;
      auto& st = *state;
      EXPECT_TRUE(st.run.EnevSimModus);
      EXPECT_TRUE(st.run.EnevAbgleich);
      EXPECT_GT(st.run.EnevSpeicherverlust, 0.0f);
      for (int m = 1; m <= 12; ++m) st.results.SolarertragMonat[m] = 150000.0f;
      st.plant.SpeicherkWert = 9.9f;  // the calibration changed it
      st.run.ErgebnisGueltig = true;
      return true;
    };
    form = std::make_unique<TFormEnev>(s, stand);
  }
  ~FormFixture() { EnevCommandHooks() = EnevHooks{}; }
  TavState& s() { return *state; }
  TFormEnev& f() { return *form; }
  void Tippe(QLineEdit* e, const QString& t) {
    e->setFocus();
    e->selectAll();
    e->insert(t);  // as typed: textEdited and textChanged
  }
  // The file dialogs answer with these files of the test folder (the save dialog only when
  // one is named).
  void Dateien(const char* laden, const char* speichern = nullptr) {
    form->OeffnenDialog = [this, laden](auto&, auto&, auto&, auto&) {
      return QString::fromStdString((dir / laden).string());
    };
    if (speichern)
      form->SpeichernDialog = [this, speichern](auto&, auto&, auto&, auto&) {
        return QString::fromStdString((dir / speichern).string());
      };
  }
  template <class T>
  T* Teil(const char* name) {
    T* w = form->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
};

}  // namespace

TEST(FormEnev, ShowsProjectAndLiveFigures) {
  FormFixture x;
  x.f().FormShow();
  x.f().show();
  EXPECT_EQ(x.Teil<QLineEdit>("EditA_N")->text(), "180,00");
  EXPECT_EQ(x.Teil<QLabel>("LabelKollName")->text(), "Sonnwerk & Co SW 2");
  EXPECT_EQ(x.Teil<QLabel>("LabelVaux")->text(), "150,0");
  EXPECT_EQ(x.Teil<QLineEdit>("Edit5")->text(), "1,18");
  EXPECT_EQ(x.Teil<QLabel>("LabelFKVRK")->text(), "Flachkollektor");
  // The reference location is current but was never put into the catalogue.
  EXPECT_EQ(x.s().plant.Standort, "Normstandort-Würzburg");
  EXPECT_FLOAT_EQ(x.gewaehlt.LuftTemp[7], 18.6f);
  EXPECT_EQ(x.s().cat.OrtAnzahl, 2);
  EXPECT_TRUE(x.s().cat.Orte[3].Name.empty());
  const QString summe = x.f().LabelQtw[3][0]->text();
  x.Tippe(x.f().EditA_N, "200");
  EXPECT_NE(x.f().LabelQtw[3][0]->text(), summe);
  EXPECT_EQ(x.f().LabelQtw[0][1]->text().trimmed(), "12,5");
  // An empty area is no value: the figures are those of the area in force.
  x.Tippe(x.f().EditA_N, "");
  EXPECT_EQ(x.f().LabelQtw[3][0]->text(), summe);
  // An area of 0 computes nothing.
  x.Tippe(x.f().EditA_N, "0");
  EXPECT_EQ(x.f().LabelQtw[3][0]->text(), "–");
  EXPECT_EQ(x.f().LabelQtw[1][1]->text(), "–");
  x.Tippe(x.f().EditA_N, "180");
  QApplication::processEvents();
  EXPECT_FALSE(tav::test::GrabScreen(&x.f(), "FormEnev").isEmpty());
  x.f().BitBtnDINClick();
  EXPECT_EQ(x.f().PageControl1->currentIndex(), 1);
  EXPECT_TRUE(x.f().RichEdit1->toPlainText().contains("alpha TW,sol:"));
  EXPECT_TRUE(x.f().BitBtnCopyText->isEnabled());
  EXPECT_FALSE(tav::test::GrabScreen(&x.f(), "FormEnev-Ergebnis").isEmpty());
  x.f().FormClose();
}

TEST(FormEnev, LargeBuildingForcesCirculation) {
  FormFixture x;
  x.f().FormShow();
  TFormEnev::SetItemIndex(x.f().RadioGroupZ, 1);
  x.Tippe(x.f().EditA_N, "650");
  EXPECT_EQ(TFormEnev::ItemIndex(x.f().RadioGroupZ), 0);
  EXPECT_FALSE(x.f().RadioGroupZ->isEnabled());
  x.Tippe(x.f().EditA_N, "450");
  EXPECT_TRUE(x.f().RadioGroupZ->isEnabled());
  EXPECT_EQ(TFormEnev::ItemIndex(x.f().RadioGroupZ), 0);
  x.f().FormClose();
}

TEST(FormEnev, DinButtonsAndTheirRelease) {
  FormFixture x;
  x.f().FormShow();
  x.f().SpeedButton4->click();  // standby loss: DIN value
  EXPECT_EQ(x.f().Edit5->text(), "1,18");
  x.f().SpeedButton4->click();
  EXPECT_EQ(x.f().Edit5->text(), "1,18");
  x.Tippe(x.f().Edit5, "2");
  x.f().SpeedButton4->click();
  EXPECT_EQ(x.f().Edit5->text(), "1,18");
  x.f().SpeedButton4->click();
  EXPECT_EQ(x.f().Edit5->text(), "2,00");
  x.f().SpeedButtonA_C->click();
  EXPECT_EQ(x.f().EditAC->text(), "5,70");
  x.Tippe(x.f().EditAC, "7");
  EXPECT_FALSE(x.f().SpeedButtonA_C->isChecked());
  x.f().SpeedButton2->click();
  EXPECT_EQ(x.f().Edit3->text(), "0,90");
  // Up-down steps whole modules of 2 m².
  x.f().UpDown1->findChild<QToolButton*>("Auf")->click();
  EXPECT_EQ(x.f().EditAC->text(), "8,00");
  x.f().FormClose();
}

// The area's up-down and arrow keys step whole modules of the project's collector; one
// without a module area steps 1 m² a module.
TEST(FormEnev, AreaStepsByWholeModulesAndOneSquareMetreWithoutAModuleArea) {
  struct Fall {
    float modul;
    const char *start, *auf, *ab;
    int position;
  };
  for (const Fall& f : {Fall{0.0f, "5,5", "6,00", "5,00", 5}, Fall{1.9f, "5", "5,70", "3,80", 2}}) {
    SCOPED_TRACE(f.modul);
    FormFixture x;
    x.s().plant.KollModulFlaeche = f.modul;
    x.f().FormShow();
    x.Tippe(x.f().EditAC, f.start);
    x.f().UpDown1->findChild<QToolButton*>("Auf")->click();
    EXPECT_EQ(x.f().EditAC->text(), f.auf);
    QKeyEvent ab(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(x.f().EditAC, &ab);
    EXPECT_EQ(x.f().EditAC->text(), f.ab);
    EXPECT_EQ(x.f().UpDown1->Position(), f.position);
    EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
    x.f().FormClose();
  }
}

// The keys with the form up: Enter in a field moves on and computes nothing; Escape goes to
// "Ende" from a field or a button and closes from there, so Escape then Enter closes; Enter on
// a focused button presses that button, never "Solarertrag nach DIN 4701-10" behind it.
TEST(FormEnev, EnterMovesOnEscapeGoesToEndeAndEnterPressesTheFocusedButton) {
  const auto taste = [](int key) { tav::test::Key(QApplication::focusWidget(), key); };
  struct Fall {
    const char* name;
    std::function<void(FormFixture&)> bediene;  // runs inside the open form, must close it
    int ergebnis, simLaeufe;
  } faelle[] = {
      {"Enter in the area field, Escape, Enter",
       [&](FormFixture& x) {
         x.f().EditA_N->setFocus();
         taste(Qt::Key_Return);
         EXPECT_NE(QApplication::focusWidget(), x.f().EditA_N);
         EXPECT_EQ(x.f().PageControl1->currentIndex(), 0);
         EXPECT_FALSE(x.f().BitBtnCopyText->isEnabled());
         taste(Qt::Key_Escape);
         EXPECT_TRUE(x.f().ButtonEnde->hasFocus());
         EXPECT_TRUE(x.f().isVisible());
         taste(Qt::Key_Return);
       },
       2, 0},
      {"Escape from a button and a radio button, Escape on Ende",
       [&](FormFixture& x) {
         x.f().BitBtnEnEVExport->setFocus();
         taste(Qt::Key_Escape);
         EXPECT_TRUE(x.f().ButtonEnde->hasFocus());
         x.f().RadioButtonGA->setFocus();
         taste(Qt::Key_Escape);
         EXPECT_TRUE(x.f().ButtonEnde->hasFocus());
         EXPECT_TRUE(x.f().isVisible());
         taste(Qt::Key_Escape);
       },
       0, 0},
      {"Enter and Space on the focused simulation button",
       [&](FormFixture& x) {
         x.f().BitBtnSim->setFocus();
         taste(Qt::Key_Return);
         EXPECT_EQ(x.simLaeufe, 1);
         QKeyEvent druck(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
         QKeyEvent los(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
         QApplication::sendEvent(x.f().BitBtnSim, &druck);
         QApplication::sendEvent(x.f().BitBtnSim, &los);
         x.f().ButtonEnde->click();
       },
       2, 2},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.name);
    FormFixture x;
    tav::test::WhenModal([&](QWidget*) { c.bediene(x); });
    EXPECT_EQ(x.f().Ausfuehren(), c.ergebnis);
    EXPECT_EQ(x.simLaeufe, c.simLaeufe);
    EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
  }
}

TEST(FormEnev, SimButtonFollowsThePlantType) {
  struct Fall {
    std::uint8_t typ;
    bool klein, kombi, erwartet;
  } faelle[] = {{7, true, true, false}, {7, false, true, true}, {7, false, false, true},
                {1, true, false, true},  {1, false, false, false}, {1, true, true, false},
                {3, true, true, true},   {3, true, false, false}};
  for (const auto& c : faelle) {
    FormFixture x(c.typ);
    x.f().FormShow();
    (c.klein ? x.f().RadioButtonKA : x.f().RadioButtonGA)->click();
    x.f().RadioGroupSolHeiz->findChild<QButtonGroup*>()->button(c.kombi ? 1 : 0)->click();
    EXPECT_EQ(x.f().BitBtnSim->isEnabled(), c.erwartet)
        << int(c.typ) << " " << c.klein << " " << c.kombi;
    x.f().FormClose();
  }
  FormFixture zwei(2);  // type 2 is shown and computed as type 1 without solar heating
  zwei.f().FormShow();
  EXPECT_EQ(zwei.s().plant.AnlagenTypNr, 1);
  EXPECT_EQ(TFormEnev::ItemIndex(zwei.f().RadioGroupSolHeiz), 0);
  zwei.f().FormClose();
  EXPECT_EQ(zwei.s().plant.AnlagenTypNr, 2);
  EXPECT_TRUE(zwei.s().plant.SolHeizung);
}

TEST(FormEnev, CloseRestoresTheProjectAndMarksAChangedArea) {
  FormFixture x;
  int geaendert = 0;
  EnevCommandHooks().ProjektGeaendert = [&] { ++geaendert; };
  const auto wetter = x.s().weather.WetterDaten.Werte;
  x.f().FormShow();
  EXPECT_NE(x.s().weather.WetterDaten.Werte, wetter);  // reference climate
  x.f().BitBtnSim->click();
  EXPECT_EQ(x.simLaeufe, 1);
  EXPECT_TRUE(x.f().RichEdit1->toPlainText().contains("Anlagentyp:\tBrauchwarmwasser"));
  EXPECT_TRUE(x.f().BitBtnSimErg->isEnabled() == false);  // no results window hook
  x.f().FormClose();
  const auto& p = x.s().plant;
  EXPECT_EQ(x.s().weather.WetterDaten.Werte, wetter);
  EXPECT_EQ(p.OrtNr, 2);
  EXPECT_EQ(x.s().cat.OrtAnzahl, 2);  // the reference location never joins the catalogue
  EXPECT_FLOAT_EQ(p.SpeicherkWert, 1.5f);
  EXPECT_FLOAT_EQ(p.Warmwasserverbrauch, 5000.0f);
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 6.0f);
  EXPECT_FALSE(x.s().run.ProjektGeaendert);
  EXPECT_EQ(geaendert, 0);
  EXPECT_EQ(x.s().run.EnevErgebnisModus, 2);

  x.f().FormShow();
  x.Tippe(x.f().EditAC, "8");
  x.f().FormClose();
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 8.0f);
  EXPECT_TRUE(x.s().run.ProjektGeaendert);
  EXPECT_EQ(geaendert, 1);
}

// The project's location had no weather (its synthesis failed): the reference years made
// while the form was open do not make the restored store pass for the project's weather.
TEST(FormEnev, CloseKeepsMissingWeatherMissing) {
  FormFixture x;
  x.s().run.SolarklimadatenOK = false;
  bool okBeimProjektort = true;
  int projektort = 0;
  EnevCommandHooks().OrtWaehlen = [&](TavState& st, const TOrt& ort) {
    st.plant.Standort = ort.Name;
    if (ort.Name == "Kiel") {
      ++projektort;
      okBeimProjektort = st.run.SolarklimadatenOK;  // the synthesis that fails again
    } else {
      st.run.SolarklimadatenOK = true;  // the reference climate's years were made
    }
    return true;
  };
  x.f().FormShow();
  ASSERT_TRUE(x.s().run.SolarklimadatenOK);
  x.f().FormClose();
  EXPECT_EQ(projektort, 1);
  EXPECT_FALSE(okBeimProjektort);  // asked for the project's years anew
  EXPECT_FALSE(x.s().run.SolarklimadatenOK);
  EXPECT_EQ(x.s().plant.Standort, "Kiel");
}

TEST(FormEnev, StandbyLossBelongsToTheProject) {
  FormFixture x;
  x.f().FormShow();
  x.Tippe(x.f().Edit5, "2,5");
  x.f().FormClose();
  x.f().FormShow();
  EXPECT_EQ(x.f().Edit5->text(), "2,50");  // same project: kept
  x.f().FormClose();
  x.s().plant.ProjektName = "Haus B";
  x.f().FormShow();
  EXPECT_EQ(x.f().Edit5->text(), "1,18");  // another project: the DIN value
  x.f().FormClose();
}

TEST(FormEnev, EnevModeWritesResultsAndKeepsThemOnClose) {
  FormFixture x;
  x.s().run.EnevStart = true;
  x.f().FormShow();
  EXPECT_FALSE(x.f().BitBtnEnEVImport->isVisibleTo(&x.f()));
  EXPECT_TRUE(x.f().GroupBox5->isVisibleTo(&x.f()));
  EXPECT_EQ(x.f().LabelEneVxSimStatus->text(), "aktiv");
  x.f().BitBtnSim->click();
  EXPECT_EQ(x.f().LabelEneVxSimStatus->text(), "Ergebnisse gespeichert!");
  // Tabbing through fields changes nothing, so the results stay.
  x.f().EditA_N->setFocus();
  x.f().Edit3->setFocus();
  x.f().FormClose();
  TBigIniFile ini((x.dir / "enevxsim.dat").string());
  EXPECT_TRUE(ini.ValueExists(enev::kSektionErgebnisse, "QTW"));
  EXPECT_EQ(ini.ReadString(enev::kSektionErgebnisse, "QTWsol06", ""), "150");
  ini.DiscardChanges();
}

TEST(FormEnev, ImportAndExportButtons) {
  FormFixture x;
  x.dir.Write("eingang.dat", "[EnEV -> Sim]\nNutzflaeche=240\nZirkulation=1\nqBs=1,5\n");
  x.Dateien("eingang.dat", "ausgang");
  int geaendert = 0;
  EnevCommandHooks().ProjektGeaendert = [&] { ++geaendert; };
  x.f().FormShow();
  x.f().BitBtnEnEVImport->click();
  EXPECT_EQ(x.f().EditA_N->text(), "240,00");
  EXPECT_EQ(x.f().Edit5->text(), "1,50");
  // EnEV inputs alone leave the project as it was.
  EXPECT_FALSE(x.s().run.ProjektGeaendert);
  EXPECT_EQ(geaendert, 0);
  x.f().BitBtnEnEVExport->click();
  TBigIniFile ini((x.dir / "ausgang.dat").string());
  EXPECT_EQ(ini.ReadString(enev::kSektionImport, "Nutzflaeche", ""), "240");
  ini.DiscardChanges();
  // A file that tilts the collector changes the project: its results are no longer valid.
  x.dir.Write("eingang.dat", "[EnEV -> Sim]\nKollektorNeigung=30\n");
  x.f().BitBtnEnEVImport->click();
  EXPECT_TRUE(x.s().run.ProjektGeaendert);
  EXPECT_EQ(geaendert, 1);
  x.f().FormClose();
  EXPECT_FLOAT_EQ(x.s().plant.KollektorNeigung, 30.0f);
  EXPECT_TRUE(x.s().run.ProjektGeaendert);
  EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
}

TEST(FormEnev, CopyCarriesTheTitleAndTooMuchHeatingIsRefused) {
  FormFixture x(6);
  x.f().FormShow();
  x.f().BitBtnDINClick();
  const QFont vorher = x.f().RichEdit1->font();
  x.f().BitBtnCopyText->click();
  const QString kopie = QApplication::clipboard()->text();
  EXPECT_TRUE(kopie.contains("Tavrel 3.0 - Auswertung nach EnEV / DIN 4701-10")) << kopie.toStdString();
  EXPECT_TRUE(kopie.contains("Solaranlage zur Heizungsunterstützung (Kombianlage)"));
  EXPECT_EQ(x.f().RichEdit1->font(), vorher);
  EXPECT_FALSE(x.f().RichEdit1->toPlainText().contains("Tavrel 3.0"));
  // On screen the q lines are two points smaller than the lines around them.
  const QTextDocument* doc = x.f().RichEdit1->document();
  const auto groesse = [&](const QString& anfang) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      if (!b.text().startsWith(anfang)) continue;
      QTextCursor c(b);
      c.movePosition(QTextCursor::NextCharacter);
      const QTextCharFormat f = c.charFormat();
      return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                       : doc->defaultFont().pointSizeF();
    }
    return -1.0;
  };
  const double normal = groesse("Nutzfläche AN:");
  ASSERT_GT(normal, 2.0);
  for (const char* q : {"q TW,d\t", "q h TW,d\t", "q TW,s\t", "q h TW,s\t"})
    EXPECT_DOUBLE_EQ(groesse(q), normal - 2.0) << q;

  ASSERT_TRUE(x.f().EditSumqh->isEnabled());
  x.Tippe(x.f().EditSumqh, "350");
  emit x.f().EditSumqh->editingFinished();
  EXPECT_TRUE(x.msgs->Contains("300 kWh/a _pro_Quadratmeter_ sind zu viel!")) << x.msgs->All();
  EXPECT_EQ(x.f().EditSumqh->text(), "60");
  x.f().FormClose();
}

namespace {

// What closing the form in EnEV mode leaves: the section "EnEV -> Sim" of the exchange file
// and the inputs the figures were computed with.
struct Nachher {
  std::vector<std::string> import;
  std::tuple<double, double, double, float, double> eingaben;  // A_N, q_B,S, A_C, IAM, heat capacity
};
Nachher Schliessen(FormFixture& x) {
  x.f().FormClose();
  Nachher n;
  TBigIniFile ini((x.dir / "enevxsim.dat").string());
  ini.ReadSectionValues(enev::kSektionImport, n.import);
  ini.DiscardChanges();
  const auto& e = x.stand.Eingaben;
  n.eingaben = {e.Nutzflaeche, e.qBS, e.KollFlaeche, e.IAM, e.Waermekap};
  return n;
}

}  // namespace

// A text typed into a number field counts once it is a number within the field's range (the
// ranges the exchange file's import keeps to). Any other text, an empty one too (but where
// that means "not known"), is named once when the field is left and the field gets back the
// value in force; nothing is computed with it, and closing in EnEV mode writes back the value
// in force, also while the field still holds the text.
TEST(FormEnev, NumberFieldsKeepToTheirRanges) {
  const struct {
    const char* feld;
    const char* name;
    std::vector<const char*> ausserhalb;
    bool keineZahlGenannt;  // false: a text that is no number means "not known"
  } felder[] = {
      {"EditA_N", "Nutzfläche", {"1e30", "-7", "1000000,5"}, true},
      {"Edit5", "Bereitschafts-W.verlust", {"1e30", "-7", "1000,1"}, true},
      {"EditAC", "Kollektorfläche", {"1e30", "-7", "0", "0,4", "300,5"}, true},
      {"Edit1c", "Heizgrenze", {"1e30", "-30", "60"}, true},
      {"Edit3", "IAM 50°", {"1e30", "-7", "1,6"}, true},
      {"Edit4", "eff. Wärmekapazität", {"1e30", "-7"}, true},
      {"EditSumqh", "Summe Heizwärmebedarf", {"-7"}, false},
  };
  // A combination plant in EnEV mode: every field is open and written back.
  const auto fixture = [] {
    auto x = std::make_unique<FormFixture>(3);
    x->s().run.EnevStart = true;
    x->s().plant.Heizgrenztemp = 15;
    x->f().FormShow();
    return x;
  };
  const Nachher vorher = [&] {
    auto x = fixture();
    return Schliessen(*x);
  }();
  ASSERT_FALSE(vorher.import.empty());
  for (const auto& f : felder) {
    std::vector<std::pair<const char*, bool>> texte;
    for (const char* t : f.ausserhalb) texte.emplace_back(t, true);
    if (f.keineZahlGenannt)
      for (const char* t : {"nan", "inf", "viel", ""}) texte.emplace_back(t, false);
    for (const auto& [text, zahl] : texte) {
      SCOPED_TRACE(std::string(f.feld) + " " + text);
      auto x = fixture();
      QLineEdit* e = x->Teil<QLineEdit>(f.feld);
      ASSERT_TRUE(e->isEnabled());
      const QString inKraft = e->text();
      const QString summe = x->f().LabelQtw[3][0]->text();
      x->Tippe(e, text);
      EXPECT_EQ(x->f().LabelQtw[3][0]->text(), summe);
      emit e->editingFinished();
      ASSERT_EQ(x->msgs->shown.size(), 1u) << x->msgs->All();
      const std::string& meldung = x->msgs->shown[0].text;
      const std::string grund = *text ? std::string(f.name) + " = " + text +
                                            (zahl ? " liegt nicht zwischen" : " ist keine Zahl")
                                      : std::string(f.name) + " ist leer";
      EXPECT_NE(meldung.find(grund), std::string::npos) << meldung;
      EXPECT_NE(meldung.find("es gilt " + inKraft.toStdString()), std::string::npos) << meldung;
      EXPECT_EQ(e->text(), inKraft);
      // Typed again, and the form closed with the text still in the field.
      x->Tippe(e, text);
      const Nachher n = Schliessen(*x);
      EXPECT_EQ(n.import, vorher.import);
      EXPECT_EQ(n.eingaben, vorher.eingaben);
      EXPECT_EQ(x->msgs->shown.size(), 1u) << x->msgs->All();
    }
  }
}

// The value in force is the one before the typing began, not what a part of the text gave on
// the way; a value the form puts in (a module step) or a valid value typed and left is in
// force. The ends of a range are taken.
TEST(FormEnev, ARefusedFieldGetsBackTheValueBeforeTheTyping) {
  FormFixture x;
  x.f().FormShow();
  QLineEdit* a = x.f().EditA_N;
  a->setFocus();
  a->selectAll();
  for (const QChar c : QString("2000000")) a->insert(c);  // 200000 on the way
  emit a->editingFinished();
  EXPECT_EQ(a->text(), "180,00");
  EXPECT_TRUE(x.msgs->Contains("Nutzfläche = 2000000 liegt nicht zwischen 0 und 1000000; es gilt 180,00"))
      << x.msgs->All();
  // No circulation was forced on the way either.
  EXPECT_TRUE(x.f().RadioGroupZ->isEnabled());
  x.Tippe(a, "250");
  emit a->editingFinished();
  x.Tippe(a, "-7");
  emit a->editingFinished();
  EXPECT_EQ(a->text(), "250");
  EXPECT_DOUBLE_EQ(x.stand.Eingaben.Nutzflaeche, 250.0);
  x.f().UpDown1->findChild<QToolButton*>("Auf")->click();
  EXPECT_EQ(x.f().EditAC->text(), "8,00");
  x.Tippe(x.f().EditAC, "-7");
  emit x.f().EditAC->editingFinished();
  EXPECT_EQ(x.f().EditAC->text(), "8,00");
  EXPECT_EQ(x.msgs->shown.size(), 3u) << x.msgs->All();
  const std::pair<QLineEdit*, const char*> taken[] = {
      {a, "1000000"}, {x.f().Edit5, "1000"}, {x.f().Edit3, "1,5"}, {x.f().Edit4, "0"}, {a, "0"}};
  for (const auto& [e, text] : taken) {
    x.Tippe(e, text);
    emit e->editingFinished();
    EXPECT_EQ(e->text(), text);
  }
  EXPECT_EQ(x.msgs->shown.size(), 3u) << x.msgs->All();
  x.f().FormClose();
}

TEST(FormEnev, PoolIsLeftOutWhileOpenAndRestoredOnClose) {
  FormFixture x;
  x.s().plant.Pool = true;
  x.f().FormShow();
  ASSERT_EQ(x.msgs->shown.size(), 1u) << x.msgs->All();
  const auto& warnung = x.msgs->shown[0];
  EXPECT_NE(warnung.text.find("Schwimmbad kann in EnEV-Rechnung"), std::string::npos);
  // A warning under its own caption, confirmed with OK (a lone OK once became the set {No}).
  EXPECT_EQ(warnung.type, mtWarning);
  EXPECT_EQ(warnung.caption, "Achtung!");
  EXPECT_EQ(warnung.buttons, mbOKOnly);
  EXPECT_FALSE(x.s().plant.Pool);
  x.f().FormClose();
  EXPECT_TRUE(x.s().plant.Pool);
}

// The collector area keeps to what the collector dialog lets through (at least 0,5 m²): an
// emptied field, 0 or 0,4 is named when the field is left and the area in force stays, for
// the project too when the form closes with the text still there; 0,5 is taken.
// Opening and closing the form changes nothing: an area with more decimals than the field
// shows stays exact and the project unchanged; a typed area is taken as typed.
TEST(FormEnev, AnAreaLeftAsItCameStaysExact) {
  const struct {
    const char* getippt;  // nullptr: nothing typed
    float flaeche;
    bool geaendert;
  } faelle[] = {{nullptr, 6.125f, false}, {"6,13", 6.125f, false}, {"7", 7.0f, true}};
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.getippt ? c.getippt : "nothing typed");
    FormFixture x;
    x.s().plant.KollektorFlaeche = 6.125f;
    x.f().FormShow();
    EXPECT_EQ(x.f().EditAC->text(), "6,13");
    if (c.getippt) x.Tippe(x.f().EditAC, c.getippt);
    x.f().FormClose();
    EXPECT_FLOAT_EQ(x.s().plant.KollektorFlaeche, c.flaeche);
    EXPECT_EQ(x.s().run.ProjektGeaendert, c.geaendert);
  }
}

TEST(FormEnev, CollectorAreaKeepsToTheCollectorDialogsBounds) {
  const struct {
    const char* text;
    const char* meldung;  // nullptr: taken
    float flaeche;        // the project's after closing
  } faelle[] = {
      {"", "Kollektorfläche ist leer; es gilt 6,00", 6.0f},
      {"0", "Kollektorfläche = 0 liegt nicht zwischen 0,5 und 300; es gilt 6,00", 6.0f},
      {"0,4", "Kollektorfläche = 0,4 liegt nicht zwischen 0,5 und 300; es gilt 6,00", 6.0f},
      {"0,5", nullptr, 0.5f},
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.text);
    FormFixture x;
    x.f().FormShow();
    x.Tippe(x.f().EditAC, c.text);
    emit x.f().EditAC->editingFinished();
    if (c.meldung) {
      ASSERT_EQ(x.msgs->shown.size(), 1u) << x.msgs->All();
      EXPECT_EQ(x.msgs->shown[0].text, c.meldung);
      EXPECT_EQ(x.f().EditAC->text(), "6,00");
    } else {
      EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
    }
    x.Tippe(x.f().EditAC, c.text);
    x.f().FormClose();
    EXPECT_FLOAT_EQ(x.s().plant.KollektorFlaeche, c.flaeche);
    EXPECT_EQ(x.s().run.ProjektGeaendert, c.meldung == nullptr);
  }
  // A project's area below the bounds (its file may hold it) is what the form gives back when
  // nothing was typed; a module step goes to the least area, not to one small module.
  FormFixture x;
  x.s().plant.KollektorFlaeche = 0.2f;
  x.s().plant.KollModulFlaeche = 0.3f;
  x.f().FormShow();
  EXPECT_EQ(x.f().EditAC->text(), "0,20");
  x.f().FormClose();
  EXPECT_FLOAT_EQ(x.s().plant.KollektorFlaeche, 0.2f);
  EXPECT_FALSE(x.s().run.ProjektGeaendert);
  x.f().FormShow();
  x.f().UpDown1->findChild<QToolButton*>("Ab")->click();
  EXPECT_EQ(x.f().EditAC->text(), "0,50");
  x.f().FormClose();
  EXPECT_FLOAT_EQ(x.s().plant.KollektorFlaeche, 0.5f);
  EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
}

// Deleted while shown, its focused field holding a text it refuses: the field loses the
// focus as the dialog hides in its end, after the form's fields are gone, and no handler of
// the form runs (none names the text).
TEST(FormEnev, DeletedWhileShownRunsNoHandler) {
  for (const char* feld : {"EditAC", "EditSumqh", "EditA_N"}) {
    SCOPED_TRACE(feld);
    FormFixture x(3);  // a combination plant: every field open
    x.f().FormShow();
    x.f().show();
    x.f().activateWindow();
    for (int i = 0; i < 200 && !x.f().isActiveWindow(); ++i) {
      QApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    QLineEdit* e = x.Teil<QLineEdit>(feld);
    x.Tippe(e, "abc");
    ASSERT_TRUE(e->hasFocus());
    x.form.reset();
    EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
  }
}

// Enter walks from "Nutzfläche" through the form's controls, each reached with its focus
// frame, and computes nothing on the way; Enter on "Solarertrag nach DIN 4701-10" computes.
// A choice group is entered at its checked choice, as Tab does (Enter once stopped on the
// unchecked one, where Space would have flipped it).
TEST(FormEnev, EnterWalksTheControlsWithAFocusFrameAndOnlyTheComputeButtonComputes) {
  FormFixture x;
  std::vector<std::string> ohneRahmen, gerechnet, ungewaehlt;
  bool erreicht = false, nachKnopf = false;
  tav::test::WhenModal([&](QWidget*) {
    x.f().EditA_N->setFocus();
    for (int i = 0; i < 60 && QApplication::focusWidget() != x.f().BitBtnDIN; ++i) {
      QWidget* von = QApplication::focusWidget();
      tav::test::Key(von, Qt::Key_Return);
      QWidget* w = QApplication::focusWidget();
      ASSERT_NE(w, von) << von->objectName().toStdString();
      const std::string name = w->objectName().toStdString() + "/" + w->metaObject()->className();
      QStyleOption o;
      o.initFrom(w);
      if (!(o.state & QStyle::State_HasFocus) || !(o.state & QStyle::State_KeyboardFocusChange))
        ohneRahmen.push_back(name);
      if (x.f().PageControl1->currentIndex() != 0 || x.f().BitBtnCopyText->isEnabled())
        gerechnet.push_back(name);
      if (auto* r = qobject_cast<QRadioButton*>(w); r && !r->isChecked()) ungewaehlt.push_back(name);
    }
    erreicht = x.f().BitBtnDIN->hasFocus();
    tav::test::Key(x.f().BitBtnDIN, Qt::Key_Return);
    nachKnopf = x.f().PageControl1->currentIndex() == 1 && x.f().BitBtnCopyText->isEnabled();
    x.f().ButtonEnde->click();
  });
  EXPECT_EQ(x.f().Ausfuehren(), 2);
  EXPECT_TRUE(erreicht);
  EXPECT_TRUE(ohneRahmen.empty()) << ohneRahmen.front();
  EXPECT_TRUE(gerechnet.empty()) << gerechnet.front();
  EXPECT_EQ(ungewaehlt, std::vector<std::string>{});
  EXPECT_TRUE(nachKnopf);
  EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
}

// Tab and Enter walk the input page as it reads: the building and store column top to bottom
// (the hot-water groups side by side, then the store's and the heating's), then the collector
// and plant column, then the buttons under the page. Tab once jumped to the right column after
// the first groups and came back for the store.
TEST(FormEnev, TabAndEnterWalkTheInputPageInReadingOrder) {
  FormFixture x;
  std::string tab = "not shown", enter = "not shown";
  std::vector<std::string> tabFolge;
  tav::test::WhenModal([&](QWidget*) {
    TFormEnev& f = x.f();
    std::vector<const QWidget*> spalten;
    for (const char* name : {"SpalteLinks", "SpalteRechts"})
      if (auto* w = f.findChild<QWidget*>(name)) spalten.push_back(w);
    f.findChild<QRadioButton*>("RadioGroupSolHeiz_1")->click();  // every building field open
    EXPECT_TRUE(f.EditSumqh->isEnabled());
    // Round the window from the page tabs, which read first.
    const std::vector<QWidget*> folge = tav::test::TabFolge(f.PageControl1->findChild<QTabBar*>());
    for (QWidget* w : folge) tabFolge.push_back(tav::test::Benannt(w));
    tab = tav::test::GegenDieLesefolge(folge, spalten);
    // Enter up to the first button under the page (Enter there presses it).
    std::vector<QWidget*> enterFolge{f.EditA_N};
    f.EditA_N->setFocus();
    for (int i = 0; i < 60 && !qobject_cast<QPushButton*>(QApplication::focusWidget()); ++i) {
      tav::test::Key(QApplication::focusWidget(), Qt::Key_Return);
      enterFolge.push_back(QApplication::focusWidget());
    }
    enter = tav::test::GegenDieLesefolge(enterFolge, spalten);
    // Every field and group of both columns is on the Tab walk, in that order.
    const auto stelle = [&](QWidget* w) {
      for (std::size_t i = 0; i < folge.size(); ++i)
        if (folge[i] == w || w->isAncestorOf(folge[i])) return static_cast<int>(i);
      return -1;
    };
    std::vector<int> stellen;
    for (QWidget* w : std::initializer_list<QWidget*>{f.EditA_N, f.EditSumqh, f.Edit1c, f.RadioGroupZ, f.RadioGroupV,
                                                      f.RadioGroupS, f.RadioGroupNachheiz, f.Edit5, f.EditAC,
                                                      f.Edit3, f.Edit4, f.RadioGroupSolHeiz, f.BitBtnDIN, f.ButtonEnde})
      stellen.push_back(stelle(w));
    EXPECT_TRUE(std::is_sorted(stellen.begin(), stellen.end()) &&
                std::find(stellen.begin(), stellen.end(), -1) == stellen.end())
        << ::testing::PrintToString(stellen);
    f.ButtonEnde->click();
  });
  x.f().Ausfuehren();
  EXPECT_EQ(tab, "") << ::testing::PrintToString(tabFolge);
  EXPECT_EQ(enter, "");
}

// An imported file that names another project gives it its own standby loss unless the file's
// "qBs" is taken; a refused one never leaves the former project's loss in the field.
TEST(FormEnev, AnImportedProjectKeepsNoStrangersStandbyLoss) {
  const struct {
    const char* zeilen;
    const char* qBS;
  } faelle[] = {
      {"Projektname=Haus B\nqBs=abc", "1,18"},  // refused: the DIN value of Haus B
      {"Projektname=Haus B\nqBs=3", "3,00"},
      {"Projektname=Haus B", "1,18"},
      {"qBs=abc", "2,50"},  // the same project: its loss stays
  };
  for (const auto& c : faelle) {
    SCOPED_TRACE(c.zeilen);
    FormFixture x;
    x.dir.Write("eingang.dat", std::string("[EnEV -> Sim]\n") + c.zeilen + "\n");
    x.Dateien("eingang.dat");
    x.f().FormShow();
    x.Tippe(x.f().Edit5, "2,5");
    emit x.f().Edit5->editingFinished();
    x.f().BitBtnEnEVImport->click();
    EXPECT_EQ(x.f().Edit5->text().toStdString(), c.qBS);
    x.f().FormClose();
    x.f().FormShow();  // and it stays the project's
    EXPECT_EQ(x.f().Edit5->text().toStdString(), c.qBS);
    x.f().FormClose();
  }
}

// A large building imported without circulation is computed and written back with it: the
// form's 500 m² rule holds for what it is given, not only for what is typed.
TEST(FormEnev, ImportedLargeBuildingIsComputedWithCirculation) {
  FormFixture x;
  x.dir.Write("eingang.dat", "[EnEV -> Sim]\nNutzflaeche=625\nZirkulation=0\n");
  x.Dateien("eingang.dat", "ausgang.dat");
  x.f().FormShow();
  x.f().BitBtnEnEVImport->click();
  EXPECT_EQ(TFormEnev::ItemIndex(x.f().RadioGroupZ), 0);
  EXPECT_FALSE(x.f().RadioGroupZ->isEnabled());
  EXPECT_TRUE(x.stand.Eingaben.Zirkulation);
  x.f().BitBtnEnEVExport->click();
  TBigIniFile ini((x.dir / "ausgang.dat").string());
  EXPECT_EQ(ini.ReadString(enev::kSektionImport, "Zirkulation", ""), "1");
  ini.DiscardChanges();
  x.f().FormClose();
  EXPECT_TRUE(x.msgs->shown.empty()) << x.msgs->All();
}
