// The instantaneous-output tool offscreen: day and night views (grabbed), the restore of the
// project's mounting and tilt on close, copying text and picture, a bad date, the time
// stepping across midnight, and the modal opening from the simulation command in mode 2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>
#include <utility>
#include <vector>

#include "foundation/TavVar.h"
#include "foundation/ui/Drucken.h"
#include "simulation/ui/FormMoment.h"
#include "simulation/ui/SimCommands.h"
#include "support/ScriptedMessages.h"
#include "support/gui/GrabScreen.h"
#include "tests/foundation/ui/ModalDriver.h"
#include "tests/simulation/ui/MomentFixture.h"

namespace tav {
namespace {

void Projekt() { test::MomentProjekt(G()); }

struct Offen {
  test::ScopedMessages msgs;
  TFormMoment& f = FormMoment();
  Offen() {
    Projekt();
    f.show();
    QApplication::processEvents();
  }
  ~Offen() {
    if (f.isVisible()) f.done(mrOk);
  }
};

TEST(FormMoment, DayAndNightViews) {
  Offen o;
  auto& f = o.f;
  f.RadioButton3->click();  // summer
  f.TrackBarZeit->setValue(46);  // 11:30
  EXPECT_EQ(f.MaskEditZeit->text(), "11:30");
  EXPECT_TRUE(f.Ergebnis.Tagansicht);
  EXPECT_FALSE(f.Ergebnis.Nacht);
  EXPECT_TRUE(f.RichEdit1->toPlainText().contains("Momentanleistung am 21.06."));
  EXPECT_TRUE(f.RichEdit1->toPlainText().contains("Kollektorleistung"));
  EXPECT_FALSE(f.Bild.isNull());
  EXPECT_FALSE(test::GrabScreen(&f, "FormMoment-day").isEmpty());

  f.RadioButton5->click();  // winter
  f.TrackBarZeit->setValue(8);  // 2:00
  EXPECT_FALSE(f.Ergebnis.Tagansicht);
  const QString nacht = f.RichEdit1->toPlainText();
  EXPECT_TRUE(nacht.startsWith("Neumond\t"));
  EXPECT_EQ(nacht.count('\n'), 3);
  EXPECT_FALSE(f.BitBtnDruck->isEnabled());
  EXPECT_EQ(QColor(f.Bild.pixel(2, 140)), QColor(0, 0, 108));
  EXPECT_FALSE(test::GrabScreen(&f, "FormMoment-night").isEmpty());
  EXPECT_TRUE(o.msgs->shown.empty()) << o.msgs->All();
}

TEST(FormMoment, ClosingRestoresMountingTiltAndSecondField) {
  Offen o;
  auto& f = o.f;
  f.EditNg->setText("55");
  emit f.EditNg->editingFinished();
  EXPECT_EQ(G().plant.KollektorNeigung, 55.0f);
  EXPECT_NEAR(f.Eingabe.Neigung, 55.0, 1e-6);
  f.CheckBox2->setChecked(true);
  EXPECT_EQ(G().plant.KollektorMontage, 4);
  EXPECT_DOUBLE_EQ(f.Ergebnis.CosEinfall, 1.0);
  EXPECT_FALSE(f.EditNg->isEnabled());
  f.CheckBox2->setChecked(false);
  EXPECT_EQ(G().plant.KollektorMontage, 1);
  f.CheckBox2->setChecked(true);
  f.ButtonEnde->click();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(G().plant.KollektorMontage, 1);
  EXPECT_EQ(G().plant.KollektorNeigung, 30.0f);
  EXPECT_TRUE(G().plant.OstWestKollektor);
}

TEST(FormMoment, TiltStepperStepsTheTypedTilt) {
  Offen o;
  auto& f = o.f;
  ASSERT_EQ(f.UpDownNg->Associate(), f.EditNg);
  EXPECT_EQ(f.EditNg->text(), "30");
  // A typed but not yet confirmed tilt is the one stepped.
  f.EditNg->setText("40");
  f.UpDownNg->Auf->click();
  EXPECT_EQ(f.EditNg->text(), "41");
  EXPECT_EQ(G().plant.KollektorNeigung, 41.0f);
  EXPECT_NEAR(f.Eingabe.Neigung, 41.0, 1e-6);
  f.UpDownNg->Ab->click();
  f.UpDownNg->Ab->click();
  EXPECT_EQ(f.EditNg->text(), "39");
  EXPECT_EQ(G().plant.KollektorNeigung, 39.0f);
  // The ends of the range hold.
  f.EditNg->setText("90");
  f.UpDownNg->Auf->click();
  EXPECT_EQ(f.EditNg->text(), "90");
  EXPECT_EQ(G().plant.KollektorNeigung, 90.0f);
  EXPECT_TRUE(o.msgs->shown.empty()) << o.msgs->All();
}

TEST(FormMoment, CopiesTextAndPicture) {
  Offen o;
  std::string status;
  SimCommandHooks().StatusText = [&status](const std::string& s) { status = s; };
  o.f.RadioButton3->click();
  o.f.BitBtn2->click();
  const QString text = QApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith("Tavrel ")) << text.toStdString();
  EXPECT_TRUE(text.contains("Momentanleistung am 21.06."));
  const QString html = QApplication::clipboard()->mimeData()->html();
  EXPECT_TRUE(html.contains("Momentanleistung am 21.06.")) << html.toStdString();
  EXPECT_EQ(status, "Text in Zwischenablage übernommen");
  o.f.BitBtn3->click();
  const QImage bild = QApplication::clipboard()->image();
  EXPECT_EQ(bild.size(), QSize(424, 151));
  EXPECT_EQ(status, "Grafik in Zwischenablage übernommen");
  SimCommandHooks() = SimHooks{};
}

TEST(FormMoment, BadEntriesKeepTheLastValues) {
  Offen o;
  auto& f = o.f;
  f.RadioButton6->click();
  f.MaskEditDatum->setText("10.05.");
  emit f.MaskEditDatum->editingFinished();
  EXPECT_EQ(f.Eingabe.Monat, 5);
  f.MaskEditDatum->setText("31.02.");
  emit f.MaskEditDatum->editingFinished();
  EXPECT_TRUE(o.msgs->Contains("Bitte ein korrektes Datum eingeben"));
  EXPECT_EQ(f.MaskEditDatum->text(), "10.05.");
  EXPECT_EQ(f.Eingabe.Tag, 10);
  f.EditTFak->setText("1,5");
  emit f.EditTFak->editingFinished();
  EXPECT_EQ(o.msgs->shown.size(), 2u) << o.msgs->All();
  EXPECT_NE(f.EditTFak->text(), "1,5");
  f.EditRL->setText("abc");
  emit f.EditRL->editingFinished();
  EXPECT_TRUE(o.msgs->Contains("Bitte passenden Wert von -50 ... 400 eingeben"));
  // The day slider reaches 31 December and no further.
  EXPECT_EQ(f.TrackBarNT->maximum(), 365);
  f.TrackBarNT->setValue(365);
  EXPECT_EQ(f.MaskEditDatum->text(), "31.12.");
  EXPECT_EQ(f.Ergebnis.SimTag, 365);
}

TEST(FormMoment, TimeStepsWrapAroundMidnight) {
  Offen o;
  auto& f = o.f;
  f.TrackBarZeit->setValue(95);
  EXPECT_EQ(f.MaskEditZeit->text(), "23:45");
  f.UpDown1->Auf->click();
  EXPECT_EQ(f.MaskEditZeit->text(), "00:00");
  EXPECT_EQ(f.TrackBarZeit->value(), 0);
  f.UpDown1->Ab->click();
  EXPECT_EQ(f.MaskEditZeit->text(), "23:45");
  test::Key(f.MaskEditZeit, Qt::Key_Up);
  EXPECT_EQ(f.MaskEditZeit->text(), "00:00");
}

// Escape from a field, a check box or a track bar goes to "Ende" and leaves the tool open;
// from the date or a preset it closes the tool as cancelled; Enter on "Ende" then closes it.
// Enter on a check box moves on.
TEST(FormMoment, EscapeGoesToEndeFromTheFieldsAndClosesFromDateAndPresets) {
  const auto faelle = [](TFormMoment& f) {
    return std::vector<std::pair<QWidget*, bool>>{{f.EditTFak, false},     {f.MaskEditZeit, false},
                                                  {f.CheckBox1, false},    {f.TrackBarZeit, false},
                                                  {f.MaskEditDatum, true}, {f.RadioButton2, true}};
  };
  const std::size_t n = faelle(FormMoment()).size();
  for (std::size_t i = 0; i < n; ++i) {
    Offen o;
    auto& f = o.f;
    f.activateWindow();
    f.MaskEditDatum->setEnabled(true);
    const auto [w, schliesst] = faelle(f)[i];
    SCOPED_TRACE(w->objectName().toStdString());
    w->setFocus();
    test::Key(w, Qt::Key_Escape);
    EXPECT_EQ(f.isVisible(), !schliesst);
    if (schliesst) {
      EXPECT_EQ(f.result(), mrCancel);
      continue;
    }
    EXPECT_TRUE(f.ButtonEnde->hasFocus());
    test::Key(f.ButtonEnde, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), mrOk);
  }
  Offen o;
  o.f.activateWindow();
  o.f.CheckBox1->setFocus();
  test::Key(o.f.CheckBox1, Qt::Key_Return);
  EXPECT_TRUE(o.f.isVisible());
  EXPECT_FALSE(o.f.CheckBox1->hasFocus());
}

TEST(FormMoment, SimulationCommandInModeTwoOpensTheTool) {
  Projekt();
  test::ScopedMessages msgs;
  SimCommandHooks().Momentanleistung = [](QWidget* parent) { ShowMoment(parent); };
  G().run.RechenModus = 2;
  QString offen;
  test::WhenModal([&offen](QWidget* d) {
    offen = d->objectName();
    static_cast<QDialog*>(d)->reject();
  });
  SimulationBefehl(nullptr);
  EXPECT_EQ(offen, "FormMoment");
  SimCommandHooks() = SimHooks{};
  G().run.RechenModus = 3;
}

// The printed day report: the same lines as on screen in the print columns, into a PDF
// file; the page is grabbed as a picture. At night there is nothing to print.
TEST(FormMoment, PrintsTheDayReport) {
  Offen o;
  o.f.RadioButton3->click();
  EXPECT_TRUE(o.f.BitBtnDruck->isEnabled());
  const auto zeilen = MomentBericht(o.f.Eingabe, o.f.Ergebnis, G().plant, true, "Tavrel 3.0");
  const TSeitenMaler maler = [&zeilen](QPainter& pa, const QRectF& mm, int) {
    TSeitenrahmen rahmen;
    rahmen.Punkt = 11;
    TDruckBlatt seite(pa, mm, rahmen);
    MomentDruck(seite, zeilen);
  };
  const QImage seite = SeitenBild(maler, 1);
  // Text stands in the third column (240/393 of the page width beyond the margin).
  bool spalte3 = false;
  const int x3 = seite.width() / 10 + static_cast<int>(seite.width() * 240 / 393.0);
  for (int y = 0; y < seite.height() / 2 && !spalte3; ++y)
    for (int x = x3; x < x3 + 30 && !spalte3; ++x) spalte3 = qGray(seite.pixel(x, y)) < 128;
  EXPECT_TRUE(spalte3);
  QDir().mkpath(QStringLiteral(TAV_SCREENS_DIR));
  EXPECT_TRUE(seite.save(QStringLiteral(TAV_SCREENS_DIR) + "/Print-Moment-1.png"));

  const QString pdf = QDir::temp().absoluteFilePath("tav_moment_test.pdf");
  QFile::remove(pdf);
  EXPECT_TRUE(o.f.Drucke(pdf));
  QFile datei(pdf);
  ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
  EXPECT_TRUE(datei.read(5).startsWith("%PDF"));
  datei.close();
  QFile::remove(pdf);

  o.f.RadioButton5->click();
  o.f.TrackBarZeit->setValue(8);
  EXPECT_FALSE(o.f.BitBtnDruck->isEnabled());
  EXPECT_FALSE(o.f.Drucke(pdf));
  EXPECT_TRUE(o.msgs->shown.empty()) << o.msgs->All();
}

}  // namespace
}  // namespace tav
