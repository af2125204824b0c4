#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QKeyEvent>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

#include "catalogues/KatalogDialogLogik.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "catalogues/Rohre.h"
#include "catalogues/test_orte_hilfen.h"
#include "catalogues/ui/FormKollektor.h"
#include "catalogues/ui/FormKollektorEdit.h"
#include "catalogues/ui/FormOrt.h"
#include "catalogues/ui/FormOrtTeile.h"
#include "foundation/TextTable.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/ui/ModalDriver.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/ResBitmap.h"
#include "support/gui/Lesefolge.h"
#include "support/gui/SeitenTasten.h"

namespace tav {
namespace {

void Grab(QWidget* w, const QString& name) {
  QDir().mkpath(TAV_SCREENS_DIR);
  EXPECT_TRUE(w->grab().save(QStringLiteral(TAV_SCREENS_DIR "/%1.png").arg(name))) << name.toStdString();
}

// A data folder with five locations, the built-in collectors and pipes, and a project on
// location 2 and collector 1.
struct Katalog : test::OrteFixture {
  Katalog() {
    Texts().LoadDefaults();
    auto& c = s().cat;
    for (int i = 1; i <= 5; ++i) c.Orte[i] = test::BeispielOrt("Stadt " + std::to_string(i), 45.0f + i);
    c.OrtAnzahl = 5;
    WriteOrte(s(), status);
    InitKollektoren(s(), status);
    InitRohre(s(), status);
    s().plant.RohrTyp = "*init*";
    ReadRohre(s(), status);
    s().plant.OrtNr = 2;
    SelectOrt(s(), 2, env);
    SelectKollektor(s(), 1);
    auto& p = s().plant;
    p.KollektorFlaeche = 10;
    p.KollektorNeigung = 45;
    p.KollektorFlow = 20;
    p.Solarkreislaenge = 12.5f;
    p.Speichertauscherleistung = 100;
    p.KollektorMontage = 3;
  }
  std::string Datei(const std::string& n) const { return dir.Read(n); }
};

// Runs act when the dialog's loop is up; act must close it.
int Modal(const std::function<int()>& run, std::function<void(QWidget*)> act) {
  test::WhenModal(std::move(act));
  return run();
}

TEST(FormOrt, CancelAfterTheWeatherPageLeavesProjectAndCatalogueAsTheyWere) {
  Katalog k;
  TFormOrt form(k.s(), k.synthese);
  const std::string orte = k.Datei("Orte.dat");
  const PlantState plant = k.s().plant;
  const float wetter = k.s().weather.WetterDaten.Werte[100];
  k.synthese.marker = 7.0f;
  const int r = Modal([&] { return form.Zeige(false); }, [&](QWidget*) {
    Grab(&form, "FormOrt");
    form.StringGrid1->setCurrentCell(4, 1);
    form.PageControl1->setCurrentIndex(1);
    SkyMapGrid g{};
    g[5] = 1;
    form.Image1->Setze(g);
    form.CheckBoxV->setChecked(true);
    Grab(&form, "FormOrt-Verschattung");
    form.PageControl1->setCurrentIndex(2);  // shows location 4's weather
    EXPECT_EQ(form.Label2->text(), "Stadt 4");
    Grab(&form, "FormOrt-Klimgen");
    form.ButtonCancel->click();
  });
  EXPECT_EQ(r, 2);
  EXPECT_EQ(k.s().plant.OrtNr, plant.OrtNr);
  EXPECT_EQ(k.s().plant.Standort, "Stadt 2");
  EXPECT_EQ(k.s().plant.SkyMapAktiv, plant.SkyMapAktiv);
  EXPECT_EQ(k.s().plant.SkyMapDaten, plant.SkyMapDaten);
  EXPECT_EQ(k.s().weather.WetterDaten.Werte[100], wetter);
  EXPECT_FALSE(k.s().run.ProjektGeaendert);
  EXPECT_EQ(k.Datei("Orte.dat"), orte);
}

TEST(FormOrt, OkMakesTheChosenLocationCurrentWithItsShadingMap) {
  Katalog k;
  TFormOrt form(k.s(), k.synthese);
  const int aufrufe = k.synthese.aufrufe;
  const int r = Modal([&] { return form.Zeige(false); }, [&](QWidget*) {
    form.StringGrid1->setCurrentCell(3, 1);
    form.PageControl1->setCurrentIndex(2);  // the weather of entry 3 is made here ...
    form.PageControl1->setCurrentIndex(1);
    form.Image1->MaleBei(QPoint(33 + 7 * 10, 44 + 7 * 5), Qt::LeftButton, Qt::ControlModifier);
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(k.s().plant.OrtNr, 3);
  EXPECT_EQ(k.s().plant.Standort, "Stadt 3");
  EXPECT_TRUE(k.s().plant.SkyMapAktiv);  // the first stroke ticks the box
  for (int j = 0; j < 18; ++j) EXPECT_EQ(SkyZelle(k.s().plant.SkyMapDaten, 10, j), j >= 5) << j;
  EXPECT_TRUE(k.s().run.SolarklimadatenOK);
  EXPECT_EQ(k.synthese.aufrufe, aufrufe + 1);  // ... and not made again on OK
  EXPECT_TRUE(k.s().run.ProjektGeaendert);
}

TEST(FormOrt, WeatherOnlyModeShowsOnlyTheWeatherPageAndAppliesNothing) {
  Katalog k;
  TFormOrt form(k.s(), k.synthese);
  const PlantState plant = k.s().plant;
  bool nurSeite3 = false, ohneCancel = false;
  Modal([&] { return form.Zeige(true); }, [&](QWidget*) {
    nurSeite3 = !form.PageControl1->isTabVisible(0) && !form.PageControl1->isTabVisible(1) &&
                form.PageControl1->currentIndex() == 2;
    ohneCancel = form.ButtonCancel->isHidden();
    Grab(&form, "FormOrt-nurWetter");
    form.close();
  });
  EXPECT_TRUE(nurSeite3);
  EXPECT_TRUE(ohneCancel);
  EXPECT_EQ(k.s().plant.OrtNr, plant.OrtNr);
  EXPECT_EQ(k.s().plant.Standort, plant.Standort);
  EXPECT_FALSE(k.s().run.ProjektGeaendert);
  EXPECT_FALSE(k.s().run.NurWetterdaten);
}

TEST(FormOrt, DeleteAskedShiftsTheProjectAndKeepsADamagedEntry) {
  Katalog k;
  // A section whose values could not be read stays in the file through a rewrite.
  std::string text = OrteText(k.s());
  text += "[Ort 6]\r\nName=Kaputt\r\nGeoBreite=abc\r\n\r\n";
  k.dir.Write("Orte.dat", text);
  k.s().cat.OrteGeladen = false;
  k.s().plant.Standort = "Stadt 4";
  ReadOrte(k.s(), k.env);
  ASSERT_EQ(k.s().cat.OrtAnzahl, 6);
  TFormOrt form(k.s(), k.synthese);
  // No to the deletion; then Yes to it and to the rewrite of the file read in part.
  k.msgs->answers = {mrNo, mrYes, mrYes};
  Modal([&] { return form.Zeige(false); }, [&](QWidget*) {
    form.StringGrid1->setCurrentCell(1, 1);
    form.Loeschen();  // answered No: nothing happens
    EXPECT_EQ(k.s().cat.OrtAnzahl, 6);
    form.Loeschen();  // Yes
    form.ButtonCancel->click();
  });
  // Both questions lose data on "Yes": Enter answers "No".
  int fragen = 0;
  for (const test::ShownMessage& m : k.msgs->shown) {
    if (!m.buttons.Has(mbYes)) continue;
    ++fragen;
    EXPECT_EQ(m.buttons, mbYesNoKeep) << m.text;
  }
  EXPECT_EQ(fragen, 3) << k.msgs->All();
  EXPECT_EQ(k.s().cat.OrtAnzahl, 5);
  EXPECT_EQ(k.s().plant.OrtNr, 3);  // Stadt 4 moved up, also after Cancel
  EXPECT_EQ(k.s().plant.Standort, "Stadt 4");
  const std::string datei = k.Datei("Orte.dat");
  EXPECT_EQ(datei.find("Stadt 1"), std::string::npos);
  EXPECT_NE(datei.find("Kaputt"), std::string::npos);

  // The last entry is protected.
  k.s().cat.OrtAnzahl = 1;
  k.msgs->shown.clear();
  form.Loeschen();
  EXPECT_TRUE(k.msgs->Contains("Letzter Ort darf nicht gelöscht werden!")) << k.msgs->All();
  EXPECT_EQ(k.s().cat.OrtAnzahl, 1);
}

void Tippe(QWidget* w, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (c.toUpper().unicode() - 'A'), mods, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

TEST(FormOrt, TypeAheadWeiterAndTheMeasuredDataSwitch) {
  Katalog k;
  auto& c = k.s().cat;
  c.Orte[3].Name = "Mulhouse";
  c.Orte[4].Name = "München";
  c.Orte[1].Name = "Murnau";
  TFormOrt form(k.s(), k.synthese);
  bool messKnopf = false;
  const int r = Modal([&] { return form.Zeige(false, true); }, [&](QWidget*) {
    messKnopf = form.SpeedButtonMessdatenE->isVisible();
    form.StringGrid1->setCurrentCell(2, 1);
    Tippe(form.StringGrid1, "mu");
    EXPECT_EQ(form.StringGrid1->currentRow(), 3);  // the first at or after the focused row
    Tippe(form.StringGrid1, "r");                   // wraps to row 1
    EXPECT_EQ(form.StringGrid1->currentRow(), 1);
    Tippe(form.StringGrid1, "q");                   // no match: dropped
    EXPECT_EQ(k.s().run.SuchText, "MUR");
    Tippe(form.StringGrid1, "s", Qt::ShiftModifier);  // ends the search
    EXPECT_EQ(k.s().run.SuchText, "");
    form.StringGrid1->setCurrentCell(5, 1);
    for (int i = 0; i < 3; ++i) form.SpeedButtonFastForward->click();  // past the last page
  });
  EXPECT_TRUE(messKnopf);
  EXPECT_EQ(r, 1);
  EXPECT_TRUE(k.s().run.WeiterModus);
  EXPECT_EQ(k.s().plant.OrtNr, 5);
}

// Another program changed the catalogue while the dialog was open: the deletion is refused,
// and the dialog shows the list as that program wrote it, so the next deletion is written
// onto it instead of being refused again.
TEST(KatalogDialoge, DeletionRefusedForAnotherProgramsChangeShowsItsList) {
  for (const bool orte : {false, true}) {
    SCOPED_TRACE(orte ? "locations" : "collectors");
    Katalog k;
    const std::string datei = orte ? "Orte.dat" : "Koll.dat";
    std::string fremd = k.Datei(datei);
    fremd += orte ? "[Ort 6]\r\nName=Fremdort\r\nEinstrahlung=1 1 1 1 1 1 1 1 1 1 1 1\r\n"
                    "LuftTemp=1 1 1 1 1 1 1 1 1 1 1 1\r\n\r\n"
                  : "[Kollektor 5]\r\nName=Fremdkollektor\r\nEta0=0,8\r\nk1=3\r\n\r\n";
    const int vorher = orte ? k.s().cat.OrtAnzahl : k.s().cat.KollektorAnzahl;
    TFormKollektor koll(k.s(), k.status);
    TFormOrt ort(k.s(), k.synthese);
    QTableWidget* grid = orte ? ort.StringGrid1 : koll.StringGrid1;
    // Yes to both deletions, and to the rewrite of the other program's file, which this
    // program reads only in part (its entry lacks values).
    k.msgs->answers = {mrYes, mrYes, mrYes};
    Modal([&] { return orte ? ort.Zeige(false) : koll.Zeige(); }, [&](QWidget*) {
      k.dir.Write(datei, fremd);
      grid->setCurrentCell(orte ? 5 : 3, orte ? 1 : 0);  // the last entry, not the project's
      orte ? ort.Loeschen() : koll.Loeschen();
      EXPECT_TRUE(k.msgs->Contains("von einem anderen Programm geändert")) << k.msgs->All();
      EXPECT_EQ(k.Datei(datei), fremd);
      EXPECT_EQ(orte ? k.s().cat.OrtAnzahl : k.s().cat.KollektorAnzahl, vorher + 1);
      EXPECT_EQ(grid->rowCount(), vorher + 1 + (orte ? 1 : 0));  // the location grid has a heading row
      k.msgs->shown.clear();
      grid->setCurrentCell(orte ? 6 : 4, orte ? 1 : 0);
      orte ? ort.Loeschen() : koll.Loeschen();
      (orte ? ort.ButtonCancel : koll.ButtonCancel)->click();
    });
    EXPECT_FALSE(k.msgs->Contains("von einem anderen Programm geändert")) << k.msgs->All();
    EXPECT_EQ(orte ? k.s().cat.OrtAnzahl : k.s().cat.KollektorAnzahl, vorher);
    EXPECT_EQ(k.Datei(datei).find(orte ? "Fremdort" : "Fremdkollektor"), std::string::npos);
  }
}

// A damaged entry is left out of the list: deleting another one would lose it from the file,
// so the deletion asks first; "No" keeps list, file and the project's collector as they were.
TEST(FormKollektor, DeletingFromACatalogueReadInPartAsksAndShiftsTheProjectsCollector) {
  for (const int antwort : {mrNo, mrYes}) {
    SCOPED_TRACE(antwort == mrYes ? "yes" : "no");
    Katalog k;
    std::string text = KollektorenText(k.s().cat);
    text += "[Kollektor 5]\r\nName=Kaputt\r\nEta0=abc\r\n\r\n";
    k.dir.Write("Koll.dat", text);
    k.s().cat.KollektorenGeladen = false;
    k.s().plant.Kollektor = k.s().cat.Kollektoren[3].Name;
    ReadKollektoren(k.s(), k.status);
    ASSERT_EQ(k.s().cat.KollektorAnzahl, 4);
    ASSERT_EQ(k.s().plant.KollektorNr, 3);
    const std::string vorher = k.Datei("Koll.dat");
    TFormKollektor form(k.s(), k.status);
    k.msgs->shown.clear();
    k.msgs->answers = {mrYes, antwort};
    Modal([&] { return form.Zeige(); }, [&](QWidget*) {
      form.StringGrid1->setCurrentCell(0, 0);
      form.Loeschen();
      form.ButtonCancel->click();
    });
    EXPECT_TRUE(k.msgs->Contains("[Kollektor 5]")) << k.msgs->All();
    EXPECT_EQ(k.s().cat.KollektorAnzahl, antwort == mrYes ? 3 : 4);
    EXPECT_EQ(k.s().plant.KollektorNr, antwort == mrYes ? 2 : 3);
    if (antwort == mrNo) {
      EXPECT_EQ(k.Datei("Koll.dat"), vorher);
    } else {
      EXPECT_EQ(k.Datei("Koll.dat").find("Kaputt"), std::string::npos);
    }
  }
}

// Progress label and busy cursor while the library makes the years; the picture of real years.
TEST(FormOrt, RecomputeShowsProgressAndTheYearsAgainstTheMeans) {
  Katalog k;
  auto& c = k.s().cat;
  for (int m = 1; m <= 12; ++m) c.Orte[2].Einstrahlung[m] = 3.6 - 3.0 * std::cos((m - 0.5) * M_PI / 6);
  TFormOrt form(k.s(), ProgrammKlimgenBridge());
  k.s().run.SolarklimadatenOK = false;
  SelectOrt(k.s(), 2, k.env);
  QString fortschritt;
  bool busyDabei = false;
  Modal([&] { return form.Zeige(true); }, [&](QWidget*) {
    auto* timer = new QTimer(&form);
    QObject::connect(timer, &QTimer::timeout, [&] {
      if (QApplication::overrideCursor()) busyDabei = true;
      if (!form.LabelFortschritt->text().isEmpty()) fortschritt = form.LabelFortschritt->text();
    });
    timer->start(1);
    form.SpeedButtonNeuRechnen->click();
    timer->stop();
    EXPECT_TRUE(k.s().run.SolarklimadatenOK);
    Grab(&form, "FormOrt-Klimgen-Jahre");
    const std::string datei = k.s().loc.WetterDatei;
    form.SpeedButtonWSspeichern->click();
    EXPECT_TRUE(std::filesystem::exists(k.dir / datei));
    EXPECT_TRUE(std::filesystem::exists(k.dir / "KlimgenData.txt"));
    EXPECT_EQ(form.Label4->text().toStdString(), datei);
    EXPECT_TRUE(form.SpeedButtonWSladen->isEnabled());
    // Another location at the same coordinates shares the file name: it does not take these
    // years (a save would then store them under its name).
    const std::string name = k.s().plant.Standort;
    const std::vector<float> werte = k.s().weather.WetterDaten.Werte;
    k.s().plant.Standort = "Zwilling";
    k.s().weather.WetterDaten.Werte.assign(werte.size(), 1.0f);
    k.msgs->shown.clear();
    form.SpeedButtonWSladen->click();
    EXPECT_TRUE(k.msgs->Contains(datei + " enthält die Wetterdaten eines anderen Standorts")) << k.msgs->All();
    EXPECT_EQ(k.s().weather.WetterDaten.Werte[0], 1.0f);
    k.s().plant.Standort = name;
    form.SpeedButtonWSladen->click();
    EXPECT_EQ(k.s().weather.WetterDaten.Werte, werte);
    EXPECT_TRUE(k.s().run.SolarklimadatenOK);
    form.SpeedButtonWSloeschen->click();
    EXPECT_FALSE(std::filesystem::exists(k.dir / datei));
    EXPECT_FALSE(form.SpeedButtonWSladen->isEnabled());
    form.ButtonOK->click();
  });
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(fortschritt.isEmpty());
  EXPECT_TRUE(busyDabei);
}

TEST(FormOrtEdit, ConvertsMonthlySumsRefusesRangesAndStoresOnOk) {
  Katalog k;
  TFormOrtEdit form(k.s(), k.status);
  const PlantState plant = k.s().plant;
  const int r = Modal([&] { return form.Bearbeite(4); }, [&](QWidget*) {
    EXPECT_EQ(form.LabelZzoneN->text(), "(CET/MEZ)");
    form.Einstrahlung[1]->setText("155");
    emit form.Einstrahlung[1]->editingFinished();
    EXPECT_EQ(form.Einstrahlung[1]->text(), "5,00");
    for (int m = 1; m <= 12; ++m) form.Einstrahlung[m]->setText("3");
    EXPECT_EQ(form.EditGhor->text(), "1095,00");
    form.EditZZone->setText("5");
    EXPECT_EQ(form.LabelZzoneN->text(), "");
    form.EditZZone->setText("1");
    Grab(&form, "FormOrtEdit");
    form.Edit27->setText("95");
    form.ButtonOK->click();  // refused: latitude
    EXPECT_TRUE(k.msgs->Contains("geo. Breite")) << k.msgs->All();
    form.Edit27->setText("47,5");
    form.Edit1->setText("Neustadt");
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(k.s().cat.Orte[4].Name, "Neustadt");
  EXPECT_FLOAT_EQ(k.s().cat.Orte[4].GeoBreite, 47.5f);
  EXPECT_NE(k.Datei("Orte.dat").find("Neustadt"), std::string::npos);
  EXPECT_EQ(k.s().plant.OrtNr, plant.OrtNr);  // the project's location waits for OK above
}

TEST(FormOrt, CancelAfterEditingTheProjectsEntryFollowsTheRewrittenEntry) {
  Katalog k;
  TFormOrt form(k.s(), k.synthese);
  Modal([&] { return form.Zeige(false); }, [&](QWidget*) {
    test::WhenModal([&](QWidget*) {
      form.FormOrtEdit->Edit1->setText("");
      form.FormOrtEdit->ButtonOK->click();  // refused: no name
      form.FormOrtEdit->Edit1->setText("Umbenannt");
      form.FormOrtEdit->ButtonOK->click();
    });
    form.Bearbeiten();  // the project's entry, row 2
    form.ButtonCancel->click();
  });
  EXPECT_TRUE(k.msgs->Contains("Name")) << k.msgs->All();
  EXPECT_EQ(k.s().plant.OrtNr, 2);
  EXPECT_EQ(k.s().plant.Standort, "Umbenannt");  // not a name the catalogue lost
  EXPECT_TRUE(k.s().run.SolarklimadatenOK);
}

TEST(FormSkyObjekt, RefusesEmptySizesAndRasterisesAnObject) {
  SkyMapGrid g{};
  test::ScopedMessages msgs;
  TFormSkyObjekt form;
  const int r = Modal([&] { return form.Trage(g); }, [&](QWidget*) {
    form.ButtonOK->click();  // distance 0
    EXPECT_TRUE(msgs->Contains("Entfernung '0' ?!?"));
    form.Edit1->setText("10");
    form.Edit2->setText("-3");
    form.ButtonOK->click();
    EXPECT_EQ(msgs->shown.size(), 2u);
    form.Edit2->setText("10");
    form.Edit3->setText("20");
    Grab(&form, "FormSkyObjekt");
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  EXPECT_TRUE(SkyZelle(g, 36, 17));
}

// The keys of the catalogues' edit dialogs: Tab goes in reading order, row by row, left to
// right (the location editor once jumped between the irradiation and temperature rows month
// by month); Enter in a field moves on without checking or closing anything (the
// shading-object dialog once complained at the first Enter), Escape goes to Cancel, and Enter
// there cancels.
TEST(KatalogDialogTasten, TabInReadingOrderEnterMovesOnEscapeToCancelEnterThereCancels) {
  Katalog k;
  SkyMapGrid g{};
  TFormSkyObjekt sky;
  TFormOrtEdit ortEdit(k.s(), k.status);
  const struct {
    const char* name;
    QDialog* form;
    QLineEdit* erstes;
    std::function<int()> zeige;
  } faelle[] = {
      {"FormSkyObjekt", &sky, sky.Edit1, [&] { return sky.Trage(g); }},
      {"FormOrtEdit", &ortEdit, ortEdit.Edit1, [&] { return ortEdit.Bearbeite(3); }},
  };
  for (const auto& fall : faelle) {
    std::string lesefolge = "not shown";
    Modal(fall.zeige, [&](QWidget* d) {
      lesefolge = test::GegenDieLesefolge(fall.erstes);
      static_cast<QDialog*>(d)->reject();
    });
    EXPECT_EQ(lesefolge, "") << fall.name;
    const std::size_t meldungen = k.msgs->shown.size();
    QWidget* nachEnter = nullptr;
    bool offenNachEnter = false, offenNachEscape = false, cancelFokus = false;
    const int r = Modal(fall.zeige, [&](QWidget* d) {
      d->activateWindow();
      QApplication::processEvents();
      fall.erstes->setFocus();
      test::Key(fall.erstes, Qt::Key_Return);
      nachEnter = QApplication::focusWidget();
      offenNachEnter = d->isVisible();
      if (!nachEnter) return static_cast<QDialog*>(d)->done(1);
      test::Key(nachEnter, Qt::Key_Escape);
      offenNachEscape = d->isVisible();
      auto* cancel = d->findChild<QPushButton*>("ButtonCancel");
      cancelFokus = cancel && cancel->hasFocus();
      if (!cancelFokus) return static_cast<QDialog*>(d)->done(1);
      test::Key(cancel, Qt::Key_Return);
      if (d->isVisible()) static_cast<QDialog*>(d)->done(1);  // keep the loop from hanging
    });
    EXPECT_TRUE(offenNachEnter) << fall.name;
    EXPECT_NE(nachEnter, fall.erstes) << fall.name;
    EXPECT_TRUE(nachEnter && fall.form->isAncestorOf(nachEnter)) << fall.name;
    EXPECT_TRUE(offenNachEscape) << fall.name;
    EXPECT_TRUE(cancelFokus) << fall.name;
    EXPECT_EQ(r, 2) << fall.name;
    EXPECT_EQ(k.msgs->shown.size(), meldungen) << fall.name << ": " << k.msgs->All();
  }
  EXPECT_EQ(g, SkyMapGrid{});
}

// A small fixed dialog: no maximise or minimise button, wide enough for its title.
TEST(FormSkyObjekt, FixedFrameWideEnoughForItsTitle) {
  SkyMapGrid g{};
  TFormSkyObjekt form;
  int breite = 0;
  Modal([&] { return form.Trage(g); }, [&](QWidget* d) {
    breite = d->width();
    form.ButtonCancel->click();
  });
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  QFont fett = QApplication::font();
  fett.setBold(true);
  EXPECT_GT(breite, QFontMetrics(fett).horizontalAdvance(form.windowTitle()));
}

TEST(FormMessdatenE, OkTakesTheValuesAndCancelKeepsEarlierData) {
  Katalog k;
  TFormMessdatenE form(k.s());
  std::string text;
  for (int i = 0; i < 8760; ++i) text += "250\n";
  int r = Modal([&] { return form.Zeige(); }, [&](QWidget*) {
    EXPECT_FALSE(form.ButtonOK->isEnabled());
    form.RichEdit1->setPlainText(QString::fromStdString(text));
    form.Button1->click();
    EXPECT_EQ(form.LabelR1->text(), "Koll. 1: 8760 Stundenwerte übernommen");
    Grab(&form, "FormMessdatenE");
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  EXPECT_TRUE(k.s().run.MessdatenAktiv);
  EXPECT_FLOAT_EQ(k.s().weather.Messdaten1[8760], 250.0f);
  r = Modal([&] { return form.Zeige(); }, [&](QWidget*) { form.ButtonCancel->click(); });
  EXPECT_EQ(r, 2);
  EXPECT_TRUE(k.s().run.MessdatenAktiv);
}

TEST(FormKollektor, OkWritesTheProjectWithTheFixedMounting) {
  Katalog k;  // the project holds the mounting 3 (tracked tilt)
  TFormKollektor form(k.s(), k.status);
  const std::string koll = k.Datei("Koll.dat");
  const int r = Modal([&] { return form.Zeige(); }, [&](QWidget*) {
    Grab(&form, "FormKollektor");
    // The fixed layout: no search, sort, curve or mounting page; the picture below the grid.
    for (QWidget* w : {static_cast<QWidget*>(form.KollSuchenSpeedButton),
                       static_cast<QWidget*>(form.KollSortSpeedButton),
                       static_cast<QWidget*>(form.Image2), static_cast<QWidget*>(form.Edit11)})
      EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(form.PageControl1->isTabVisible(3));
    EXPECT_FALSE(form.ImageKoll->isHidden());
    EXPECT_FALSE(form.SpeedButtonE4->isHidden());
    EXPECT_TRUE(form.Montage[0]->isChecked());
    const QRect raster = form.StringGrid1->geometry();
    EXPECT_GE(form.ImageKoll->y(), raster.bottom());
    EXPECT_EQ(form.ImageKoll->x(), raster.x());
    EXPECT_FALSE(form.ImageKoll->pixmap().isNull());
    form.StringGrid1->setCurrentCell(1, 0);
    form.PageControl1->setCurrentIndex(1);
    form.feld1.flaeche->setText("2*2,5");
    emit form.feld1.flaeche->editingFinished();
    EXPECT_EQ(form.feld1.flaeche->text(), "5,00");
    form.feld1.azimut->setValue(100);
    form.CheckBoxOstWest->setChecked(true);
    form.SpeedButtonOW->click();
    EXPECT_DOUBLE_EQ(form.feld2.azimut->value(), -80);
    EXPECT_FALSE(form.PageControl1->isTabVisible(3));
    Grab(&form, "FormKollektor-Parameter");
    form.CheckBoxOstWest->setChecked(false);
    EXPECT_FALSE(form.PageControl1->isTabVisible(3));
    form.PageControl1->setCurrentIndex(2);
    form.Edit10->setValue(17.5);
    Grab(&form, "FormKollektor-Solarkreis");
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  const PlantState& p = k.s().plant;
  EXPECT_EQ(p.KollektorNr, 2);
  EXPECT_FLOAT_EQ(p.KollektorFlaeche, 5.0f);
  EXPECT_FLOAT_EQ(p.KollektorAzimut, 100.0f);
  EXPECT_FLOAT_EQ(p.Solarkreislaenge, 17.5f);  // decimals kept
  EXPECT_FLOAT_EQ(p.Speichertauscherleistung, 100.0f);
  EXPECT_EQ(p.KollektorMontage, 1);
  EXPECT_FALSE(p.OstWestKollektor);
  EXPECT_EQ(k.Datei("Koll.dat"), koll);
}

// Ctrl+Tab in the grid turns the page and keeps the chosen collector; keypad "/" opens the
// help. In the location grid alike.
TEST(FormKollektor, CtrlTabTurnsThePageAndKeypadSlashOpensHelpInBothGrids) {
  Katalog k;
  LadeHilfe();
  k.s().plant.KollektorNr = 2;
  TFormKollektor koll(k.s(), k.status);
  TFormOrt ort(k.s(), k.synthese);
  const struct {
    const char* name;
    QDialog* dialog;
    std::function<int()> zeige;
    QTabWidget* seiten;
    QTableWidget* gitter;
    QPushButton* cancel;
  } faelle[] = {
      {"FormKollektor", &koll, [&] { return koll.Zeige(); }, koll.PageControl1, koll.StringGrid1,
       koll.ButtonCancel},
      {"FormOrt", &ort, [&] { return ort.Zeige(false); }, ort.PageControl1, ort.StringGrid1, ort.ButtonCancel},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Modal(f.zeige, [&](QWidget*) {
      f.seiten->setCurrentIndex(0);
      f.gitter->setFocus();
      const int zeile = f.gitter->currentRow();
      const auto taste = [&](int key, Qt::KeyboardModifiers mod) {
        QKeyEvent e(QEvent::KeyPress, key, mod);
        QApplication::sendEvent(f.gitter, &e);
      };
      taste(Qt::Key_Tab, Qt::ControlModifier);
      EXPECT_EQ(f.seiten->currentIndex(), 1);
      EXPECT_EQ(f.gitter->currentRow(), zeile);
      taste(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
      EXPECT_EQ(f.seiten->currentIndex(), 0);
      EXPECT_EQ(f.gitter->currentRow(), zeile);
      taste(Qt::Key_Slash, Qt::KeypadModifier);
      ASSERT_NE(HilfeFensterOffen(), nullptr);
      EXPECT_EQ(HilfeFensterOffen()->AktuelleSeite(), "de/ort.htm");
      HilfeFensterOffen()->close();
      f.cancel->click();
    });
  }
  EXPECT_EQ(k.s().plant.KollektorNr, 2);
}

// Ctrl+Tab and Ctrl+Shift+Tab walk the pages a dialog shows, from the focus it opened with and
// from a button outside the pages, and never bring up a hidden page: not the collector's
// mounting page (whose tracking choices OK would store), with or without the east-west field,
// nor the location pages of the weather-only mode.
TEST(KatalogDialogSeiten, CtrlTabNeverShowsAHiddenPage) {
  Katalog k;
  TFormKollektor koll(k.s(), k.status);
  TFormOrt ort(k.s(), k.synthese);
  const struct {
    const char* name;
    std::function<int()> zeige;
    QTabWidget* seiten;
    QPushButton* knopf;  // outside the pages
    std::vector<int> sichtbar;
  } faelle[] = {
      {"FormKollektor", [&] { return koll.Zeige(); }, koll.PageControl1, koll.ButtonOK, {0, 1, 2}},
      {"FormKollektor Ost-West",
       [&] {
         k.s().plant.OstWestKollektor = true;
         return koll.Zeige();
       },
       koll.PageControl1, koll.ButtonCancel, {0, 1, 2}},
      {"FormOrt", [&] { return ort.Zeige(false); }, ort.PageControl1, ort.ButtonOK, {0, 1, 2}},
      {"FormOrt Wetter", [&] { return ort.Zeige(true); }, ort.PageControl1, ort.ButtonOK, {2}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    std::vector<int> sichtbar, vor, zurueck;
    int start = -1, start2 = -1;
    Modal(f.zeige, [&](QWidget* d) {
      d->activateWindow();
      QApplication::processEvents();
      sichtbar = test::SichtbareSeiten(f.seiten);
      start = f.seiten->currentIndex();
      vor = test::SeitenNachTasten(f.seiten, true, 5);
      f.knopf->setFocus();
      start2 = f.seiten->currentIndex();
      zurueck = test::SeitenNachTasten(f.seiten, false, 5);
      static_cast<QDialog*>(d)->reject();
    });
    EXPECT_EQ(sichtbar, f.sichtbar);
    EXPECT_EQ(vor, test::ErwarteteSeiten(f.sichtbar, start, true, 5));
    EXPECT_EQ(zurueck, test::ErwarteteSeiten(f.sichtbar, start2, false, 5));
  }
  EXPECT_EQ(k.s().plant.KollektorMontage, 3);  // cancelled: as the project had it
}

// The location dialog: Enter in the grid goes to OK, Escape from the grid or a button goes to
// Cancel and leaves the dialog open; a second Escape cancels.
TEST(FormOrt, EscapeFromTheGridGoesToCancelFirst) {
  Katalog k;
  TFormOrt ort(k.s(), k.synthese);
  bool okFokus = false, offen = false, cancelFokus = false;
  const int r = Modal([&] { return ort.Zeige(false); }, [&](QWidget* d) {
    d->activateWindow();
    QApplication::processEvents();
    ort.StringGrid1->setFocus();
    test::Key(ort.StringGrid1, Qt::Key_Return);
    okFokus = ort.ButtonOK->hasFocus();
    ort.StringGrid1->setFocus();
    test::Key(ort.StringGrid1, Qt::Key_Escape);
    offen = d->isVisible();
    cancelFokus = ort.ButtonCancel->hasFocus();
    test::Key(ort.ButtonCancel, Qt::Key_Escape);
    if (d->isVisible()) ort.done(1);
  });
  EXPECT_TRUE(okFokus);
  EXPECT_TRUE(offen);
  EXPECT_TRUE(cancelFokus);
  EXPECT_EQ(r, 2);
}

// The collector dialog's keys: Enter in the grid takes the chosen collector and goes on to
// the field page, Enter moves on through the fields in their order and from the azimuth to
// the solar loop, and from there to OK, never closing the dialog; Escape from anywhere goes
// to Cancel and a second one cancels, which leaves the project as it was.
TEST(FormKollektor, EnterMovesOnThroughFieldsAndPagesEscapeGoesToCancel) {
  Katalog k;
  TFormKollektor form(k.s(), k.status);
  k.s().run.ProjektGeaendert = false;
  const PlantState vorher = k.s().plant;
  std::vector<std::string> weg;
  int nachGitter = 0;
  bool offen = true, cancelFokus = false;
  const int r = Modal([&] { return form.Zeige(); }, [&](QWidget* d) {
    d->activateWindow();
    QApplication::processEvents();
    form.StringGrid1->setCurrentCell(1, 0);
    test::Key(form.StringGrid1, Qt::Key_Return);
    nachGitter = k.s().plant.KollektorNr;
    for (int i = 0; i < 9 && d->isVisible(); ++i) {
      QWidget* fokus = QApplication::focusWidget();
      weg.push_back(fokus ? fokus->objectName().toStdString() : "-");
      if (fokus == form.ButtonOK) break;
      test::Key(fokus, Qt::Key_Return);
    }
    offen = d->isVisible();
    test::Key(form.ButtonOK, Qt::Key_Escape);
    cancelFokus = form.ButtonCancel->hasFocus() && d->isVisible();
    test::Key(form.ButtonCancel, Qt::Key_Escape);
    if (d->isVisible()) form.done(1);  // keeps the loop from hanging
  });
  EXPECT_EQ(nachGitter, 2);
  EXPECT_EQ(weg, (std::vector<std::string>{"Edit1", "Edit2", "Edit3", "Edit10", "ComboBox1", "Edit4", "ButtonOK"}));
  EXPECT_TRUE(offen);
  EXPECT_TRUE(cancelFokus);
  EXPECT_EQ(r, 2);
  EXPECT_EQ(k.s().plant.KollektorNr, vorher.KollektorNr);
  EXPECT_EQ(k.s().plant.Kollektor, vorher.Kollektor);
  EXPECT_EQ(k.s().plant.KollModulFlaeche, vorher.KollModulFlaeche);
  EXPECT_FALSE(k.s().run.ProjektGeaendert);
  EXPECT_TRUE(k.msgs->shown.empty()) << k.msgs->All();
}

// The collector editor is a dialog the collector dialog holds: the collector dialog's keys
// stay out of it, so Escape there is the editor's and never sends the focus to the
// collector dialog's Cancel behind it.
TEST(FormKollektor, ItsKeysStayOutOfTheEditor) {
  Katalog k;
  TFormKollektor form(k.s(), k.status);
  QWidget* fokusDanach = nullptr;
  Modal([&] { return form.Zeige(); }, [&](QWidget* d) {
    d->activateWindow();
    QApplication::processEvents();
    form.StringGrid1->setFocus();
    test::WhenModal([&](QWidget* e) {
      e->activateWindow();
      QApplication::processEvents();
      form.FormKollektorEdit->Edit1->setFocus();
      test::Key(form.FormKollektorEdit->Edit1, Qt::Key_Escape);
      fokusDanach = form.focusWidget();
      if (e->isVisible()) static_cast<QDialog*>(e)->reject();
    });
    form.Bearbeiten();
    form.ButtonCancel->click();
  });
  EXPECT_NE(fokusDanach, form.ButtonCancel);
}

// Leaving a field with a value outside its range names the range and sets the limit; the
// field keeps the focus. Towards Cancel only tilt and azimuth are left unchecked.
TEST(FormKollektor, LeavingAFieldOutsideItsRangeNamesTheLimit) {
  Katalog k;
  TFormKollektor form(k.s(), k.status);
  const struct {
    QWidget* feld;
    const char* getippt;
    const char* meldung;
    const char* danach;
    bool zuCancel;  // checked also on the way to Cancel
  } faelle[] = {
      {form.feld1.neigung, "95", "maximal zulässiger Wert: 90", "90,0", false},
      {form.feld1.neigung, "-5", "minimal erforderlicher Wert: 0", "0,0", false},
      {form.feld1.azimut, "200", "Unzulässiger Wert: Südabweichung", "180,0", false},
      {form.feld2.azimut, "-190", "Unzulässiger Wert: Südabweichung", "-180,0", false},
      {form.Edit4, "5", "minimal erforderlicher Wert: 12 l/m²h", "12,0", true},
      {form.Edit4, "200", "maximal zulässiger Wert: 150 l/m²h", "150,0", true},
      {form.feld1.flaeche, "0,3", "Kollektorfläche wenigstens 0,5 m²", "0,50", true},
      {form.feld2.flaeche, "400", "Kollektorfläche maximal 300,00 m²", "299,90", true},
  };
  k.s().plant.OstWestKollektor = true;
  Modal([&] { return form.Zeige(); }, [&](QWidget* d) {
    d->activateWindow();
    QApplication::processEvents();
    for (const auto& f : faelle) {
      SCOPED_TRACE(f.feld->objectName().toStdString() + " " + f.getippt);
      QWidget* feld = f.feld;
      auto* text = qobject_cast<QLineEdit*>(feld) ? qobject_cast<QLineEdit*>(feld) : feld->findChild<QLineEdit*>();
      for (int i = 0; i < form.PageControl1->count(); ++i)
        if (form.PageControl1->widget(i)->isAncestorOf(feld)) form.PageControl1->setCurrentIndex(i);
      feld->setFocus();
      // Towards Cancel: tilt and azimuth keep the value as typed for now, without a message.
      text->setText(f.getippt);
      k.msgs->shown.clear();
      form.ButtonCancel->setFocus();
      if (f.zuCancel) {
        EXPECT_TRUE(k.msgs->Contains(f.meldung)) << k.msgs->All();
        EXPECT_EQ(text->text().toStdString(), f.danach);
        EXPECT_TRUE(feld->hasFocus());
      } else {
        EXPECT_TRUE(k.msgs->shown.empty()) << k.msgs->All();
      }
      // Towards another control: the message, the limit, the focus back.
      k.msgs->shown.clear();
      feld->setFocus();
      text->setText(f.getippt);
      form.SpeedButtonFastForward->setFocus(Qt::TabFocusReason);
      EXPECT_TRUE(k.msgs->Contains(f.meldung)) << k.msgs->All();
      EXPECT_EQ(text->text().toStdString(), f.danach);
      EXPECT_TRUE(feld->hasFocus());
    }
    form.ButtonCancel->click();
  });
}

TEST(FormKollektor, CancelAndAreaLimitsAndViewingChangeNothing) {
  Katalog k;
  TFormKollektor form(k.s(), k.status);
  const std::string koll = k.Datei("Koll.dat");
  const PlantState vorher = k.s().plant;
  const int r = Modal([&] { return form.Zeige(); }, [&](QWidget*) {
    form.PageControl1->setCurrentIndex(1);
    form.feld1.flaeche->setText("400");
    emit form.feld1.flaeche->editingFinished();
    EXPECT_EQ(form.feld1.flaeche->text(), "299,90");
    form.feld1.flaeche->setText("0,3");
    emit form.feld1.flaeche->editingFinished();
    EXPECT_EQ(form.feld1.flaeche->text(), "0,50");
    form.PageControl1->setCurrentIndex(0);
    form.StringGrid1->setCurrentCell(2, 0);
    // The editor's OK makes its entry the project's collector and the grid follows it ...
    test::WhenModal([&](QWidget* d) {
      Grab(d, "FormKollektorEdit");
      form.FormKollektorEdit->ButtonOK->click();
    });
    form.Bearbeiten();
    EXPECT_EQ(k.s().plant.KollektorNr, 3);
    EXPECT_EQ(form.StringGrid1->currentRow(), 2);
    // ... and a copy the editor did not confirm is undone.
    test::WhenModal([&](QWidget*) { static_cast<QDialog*>(form.FormKollektorEdit)->reject(); });
    form.Neu();
    EXPECT_EQ(k.s().cat.KollektorAnzahl, 4);
    EXPECT_EQ(k.s().plant.KollektorNr, 3);
    form.ButtonCancel->click();
  });
  EXPECT_EQ(r, 2);
  EXPECT_EQ(k.Datei("Koll.dat"), koll);
  // Cancel: the project keeps the collector it had.
  EXPECT_EQ(k.s().plant.KollektorNr, vorher.KollektorNr);
  EXPECT_EQ(k.s().plant.Kollektor, vorher.Kollektor);
  EXPECT_EQ(k.s().plant.KollektorFlaeche, vorher.KollektorFlaeche);
  EXPECT_TRUE(k.msgs->Contains("Kollektorfläche maximal")) << k.msgs->All();
}

// A copy confirmed in the editor is written to the catalogue and becomes the project's
// collector when the dialog's OK follows.
TEST(FormKollektor, AddedCopyConfirmedInTheEditorIsStored) {
  Katalog k;
  k.s().cat.Kollektoren[2].Name = "Sonnwerk SW 2";
  TFormKollektor form(k.s(), k.status);
  const std::string name2 = k.s().cat.Kollektoren[2].Name;
  const int r = Modal([&] { return form.Zeige(); }, [&](QWidget*) {
    form.StringGrid1->setCurrentCell(1, 0);
    std::string gezeigt;
    test::WhenModal([&](QWidget*) {
      gezeigt = form.FormKollektorEdit->Edit1->text().toStdString();
      form.FormKollektorEdit->ButtonOK->click();
    });
    form.KollNeuSpeedButton->click();
    EXPECT_EQ(gezeigt, name2 + " (neu)");
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  const auto& c = k.s().cat;
  ASSERT_EQ(c.KollektorAnzahl, 5);
  EXPECT_EQ(c.Kollektoren[2].Name, name2 + " (neu)");
  EXPECT_EQ(c.Kollektoren[2].WkapC, 0.0f);
  EXPECT_EQ(c.Kollektoren[3].Name, name2);
  EXPECT_EQ(k.s().plant.KollektorNr, 2);
  EXPECT_EQ(k.s().plant.Kollektor, name2 + " (neu)");
  EXPECT_NE(k.Datei("Koll.dat").find(name2 + " (neu)"), std::string::npos);
}

TEST(FormKollektor, AreaStepsByWholeModulesOverTheFullRange) {
  Katalog k;
  k.s().cat.Kollektoren[1].ModulFlaeche = 2.5f;
  k.s().plant.KollektorFlaeche = 5;
  TFormKollektor form(k.s(), k.status);
  Modal([&] { return form.Zeige(); }, [&](QWidget*) {
    auto& f = form.feld1;
    EXPECT_EQ(f.modAnz->text(), "(2 Kollektoren)");
    f.anzahl->stepUp();
    EXPECT_EQ(f.flaeche->text(), "7,50");
    EXPECT_EQ(f.modAnz->text(), "(3 Kollektoren)");
    QKeyEvent hoch(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(f.flaeche, &hoch);
    EXPECT_EQ(f.flaeche->text(), "10,00");
    f.anzahl->setValue(130);  // beyond 300 m²
    EXPECT_EQ(f.flaeche->text(), "299,90");
    k.s().cat.Kollektoren[1].ModulFlaeche = 0.5f;
    f.anzahl->setValue(500);  // small modules reach the top of the range too
    EXPECT_EQ(f.flaeche->text(), "250,00");
    form.ButtonCancel->click();
  });
  EXPECT_FLOAT_EQ(k.s().plant.KollektorFlaeche, 5.0f);
}

// Every field label shows its whole text: the ink of the last glyph stays inside the label.
TEST(FormKollektorEdit, FieldLabelsAreNotCut) {
  Katalog k;
  TFormKollektorEdit form(k.s(), k.status);
  Modal([&] { return form.Bearbeite(1); }, [&](QWidget*) {
    auto* gruppe = form.findChild<QWidget*>("GroupBox1");
    ASSERT_TRUE(gruppe);
    int geprueft = 0;
    for (QLabel* l : gruppe->findChildren<QLabel*>()) {
      if (!l->buddy()) continue;  // units beside the fields
      QString text = l->text();
      text.remove('&');
      SCOPED_TRACE(text.toStdString());
      const QRectF tinte = QFontMetricsF(l->font()).boundingRect(text);
      EXPECT_LT(std::ceil(tinte.right()), l->contentsRect().width());
      ++geprueft;
    }
    EXPECT_GE(geprueft, 8);
    static_cast<QDialog*>(&form)->reject();
  });
}

// The editor shows every field read-only without a Cancel button; OK confirms the entry as
// stored (no rounding to the shown decimals) and makes it the project's collector.
TEST(FormKollektorEdit, ReadOnlyAndOkMakesTheEntryTheProjectsCollector) {
  Katalog k;
  auto& e = k.s().cat.Kollektoren[2];
  e.Eta0 = 0.8f;
  e.K1 = 4;
  e.K2 = 0.01f;
  e.qmVolumen = 1.234f;
  WriteKollektoren(k.s(), k.status);
  k.s().run.ProjektGeaendert = false;
  TFormKollektorEdit form(k.s(), k.status);
  const float aussen = k.s().moment.AussenTemp = 20.0f;
  const int r = Modal([&] { return form.Bearbeite(2); }, [&](QWidget*) {
    EXPECT_EQ(form.Label13->text(), "0,58");
    EXPECT_EQ(form.Label14->text(), "0,32");
    for (QLineEdit* f : {form.Edit1, form.EditQuelle, form.Edit2, form.Edit3, form.Edit4,
                         form.EditIAM, form.Edit5, form.Edit6}) {
      EXPECT_TRUE(f->isReadOnly()) << f->objectName().toStdString();
      EXPECT_EQ(f->focusPolicy(), Qt::NoFocus) << f->objectName().toStdString();
    }
    EXPECT_FALSE(form.ComboBox1->isEnabled());
    EXPECT_FALSE(form.RadioButton1->isEnabled());
    EXPECT_FALSE(form.RadioButton2->isEnabled());
    EXPECT_TRUE(form.ButtonCancel->isHidden());
    EXPECT_EQ(form.property(kHelpContext).toInt(), 372);
    EXPECT_EQ(form.Edit6->text(), "1,23");
    form.ButtonOK->click();
  });
  EXPECT_EQ(r, 1);
  EXPECT_EQ(k.s().plant.KollektorNr, 2);
  EXPECT_EQ(k.s().plant.Kollektor, e.Name);
  EXPECT_FLOAT_EQ(k.s().plant.KollK2, 0.01f);
  EXPECT_FLOAT_EQ(k.s().cat.Kollektoren[2].qmVolumen, 1.234f);  // not rounded to the shown "1,23"
  EXPECT_TRUE(k.s().run.ProjektGeaendert);
  EXPECT_EQ(k.s().moment.AussenTemp, aussen);
  // Closed otherwise: nothing changes.
  k.s().run.ProjektGeaendert = false;
  const int r2 = Modal([&] { return form.Bearbeite(3); }, [&](QWidget*) { static_cast<QDialog*>(&form)->reject(); });
  EXPECT_EQ(r2, 2);
  EXPECT_EQ(k.s().plant.KollektorNr, 2);
  EXPECT_FALSE(k.s().run.ProjektGeaendert);
}

TEST(KollBild, ModelCodesInTheNameChooseThePictureElseTheKind) {
  const struct { const char* name; bool vrk; const char* bild; } faelle[] = {
      {"Sonnenwerk Flach 2.5", false, "Koll1"}, {"XY Vakuum 30", true, "Koll2"},
      {"Tube CPC 12", true, "Koll3"},           {"Groß 10 m²", false, "Koll1"},
      {"Dach Großfläche", false, "Koll4"},      {"Poolabsorber", false, "Koll5"},
      {"flacher Kollektor", false, "Koll1"},        {"Heat Luft", false, "Koll6"},
      {"Röhre 20", true, "Koll2"},              {"Namenlos", false, "Koll1"},
  };
  for (const auto& f : faelle) {
    TKollektor k;
    k.Name = f.name;
    k.VRK = f.vrk;
    EXPECT_EQ(KollBildName(k), f.bild) << f.name;
  }
  QDir().mkpath(TAV_SCREENS_DIR);
  for (int i = 1; i <= 6; ++i) {
    const QString name = QString("Koll%1").arg(i);
    const QImage& bild = LoadResBitmap(name);
    EXPECT_NE(&bild, &ResBitmapPlaceholder()) << name.toStdString();
    EXPECT_TRUE(bild.save(QStringLiteral(TAV_SCREENS_DIR "/Picture-%1.png").arg(name)));
  }
}

}  // namespace
}  // namespace tav
