// The about box (code word, links, folders) and the calculator windows: start values from
// the project, entries that are not numbers refused with the field's message, the absorber
// take-over, the expansion-vessel warning; a grab of each window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QFontMetricsF>
#include <functional>
#include <set>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

#include "app/FormAbsorberDreh.h"
#include "app/FormProgrammInfo.h"
#include "app/FormSolarkreisVol.h"
#include "app/FormWarmwasser.h"
#include "catalogues/ui/FormOrtTeile.h"
#include "foundation/ui/DialogZeile.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/TavMathe.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/ModalDriver.h"
#include "simulation/ui/SimCommands.h"
#include "support/ScriptedMessages.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

void Tippe(QWidget* w, const std::string& text) {
  for (char c : text) {
    QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(w, &k);
  }
}

TEST(FormProgrammInfo, CodeWordOnlyInTimeAfterTheClickAndExactly) {
  TavState s;
  s.folders.ProgDir = "/opt/tavrel/";
  s.folders.DatenDir = "/home/planer/Tavrel Daten/";
  s.folders.ProgDatum = EncodeDate(2009, 2, 13);
  TFormProgrammInfo f(s);
  f.show();
  // Name, version and owner line from the one source the printed pages and PDF files share.
  EXPECT_EQ(f.Label1->text(), QString::fromUtf8(kProgName));
  EXPECT_TRUE(f.LabelR->isVisible());
  EXPECT_EQ(f.LabelVersion->text(), QString::fromUtf8(kProgVersion) + "  :  13.02.2009");
  EXPECT_EQ(f.LabelCopyright->text(), QString::fromUtf8(kCopyright));
  EXPECT_EQ(f.EditDatVerz->text().toStdString(), s.folders.DatenDir);
  EXPECT_FALSE(f.SpeedButtonDatVerz->isVisible());
  test::GrabScreen(&f, "FormProgrammInfo");

  struct Fall {
    const char* name;
    bool klick;       // the program name clicked first
    const char* text;
    bool vorher;      // the flag before
    bool danach;
  };
  const Fall faelle[] = {
      {"in time", true, "wolkenbrot", false, true},
      {"other case", true, "Wolkenbrot", true, false},
      {"without the click", false, "wolkenbrot", false, false},
      {"too short", true, "wolken", true, false},
  };
  for (const Fall& c : faelle) {
    s.run.MeteoFreigabe = c.vorher;
    if (c.klick) f.Label1Click();
    Tippe(f.ButtonOK, c.text);
    if (c.klick) f.Timer1Timer();  // the five seconds are over
    // Without a click there is no timer, and the flag stays as it was.
    EXPECT_EQ(s.run.MeteoFreigabe, c.klick ? c.danach : c.vorher) << c.name;
    EXPECT_TRUE(f.isVisible()) << c.name;  // the letters typed are no accelerators of OK
  }

  // Typed after the five seconds: counts for nothing.
  f.Label1Click();
  f.Timer1->stop();
  f.Timer1Timer();
  Tippe(f.ButtonOK, "wolkenbrot");
  EXPECT_FALSE(s.run.MeteoFreigabe);

  // A second click starts again with an empty buffer.
  f.Label1Click();
  Tippe(f.ButtonOK, "wolken");
  f.Label1Click();
  Tippe(f.ButtonOK, "wolkenbrot");
  f.Timer1Timer();
  EXPECT_TRUE(s.run.MeteoFreigabe);
  EXPECT_EQ(f.Timer1->interval(), 5000);
}

// The contact lines beside the buttons keep clear of them, also when a line (the English
// one here) is the widest row of the box.
TEST(FormProgrammInfo, ContactLinesKeepClearOfTheButtons) {
  TavState s;
  s.folders.ProgDir = "/opt/tavrel/";
  s.folders.DatenDir = "/home/planer/Tavrel Daten/";
  const std::string vorher = Texts()[TX::Info4];
  Texts().Set(TX::Info4, "Projects and catalogues are kept in the data folder shown above.");
  {
    TFormProgrammInfo f(s);
    f.show();
    QApplication::processEvents();
    for (const QLabel* l : {f.LabelInfo1, f.LabelInfo2, f.LabelInfo3, f.LabelInfo4}) {
      const int textEnde = l->mapTo(&f, QPoint(0, 0)).x() + l->fontMetrics().horizontalAdvance(l->text());
      EXPECT_GE(f.ButtonHilfe->mapTo(&f, QPoint(0, 0)).x() - textEnde, 12) << l->text().toStdString();
    }
  }
  Texts().Set(TX::Info4, vorher);
}

TEST(FormProgrammInfo, LinksAndFoldersOpenWithTheDesktop) {
  TavState s;
  s.folders.ProgDir = "/opt/tavrel/";
  s.folders.DatenDir = "/home/planer/Tavrel Daten/";
  std::vector<std::string> geoeffnet;
  auto alt = TFormProgrammInfo::Oeffner();
  TFormProgrammInfo::Oeffner() = [&](const std::string& url) {
    geoeffnet.push_back(url);
    return true;
  };
  TFormProgrammInfo f(s);
  // The built-in texts give no web or mail address: both lines stay hidden.
  f.show();
  EXPECT_FALSE(f.LabelLink->isVisible());
  EXPECT_FALSE(f.LabelMail->isVisible());
  f.hide();
  // A language file that gives them shows them, and a click opens them.
  Texts().Set(TX::InfoLink, "www.tavrel.example");
  Texts().Set(TX::InfoMail, "info@tavrel.example");
  f.show();
  Texts().LoadDefaults();
  EXPECT_TRUE(f.LabelLink->isVisible());
  EXPECT_TRUE(f.LabelMail->isVisible());
  emit f.LabelLink->geklickt();
  emit f.LabelMail->geklickt();
  emit f.ImageDatVerz->geklickt();
  emit f.ImagePrgVerz->geklickt();
  TFormProgrammInfo::Oeffner() = alt;
  EXPECT_EQ(geoeffnet, (std::vector<std::string>{
                           "http://www.tavrel.example", "mailto:info@tavrel.example?subject=Tavrel 3.0",
                           "file:///home/planer/Tavrel Daten/", "file:///opt/tavrel/"}));
  EXPECT_TRUE(f.LabelLink->styleSheet().contains("#800080"));
  EXPECT_TRUE(f.LabelMail->styleSheet().contains("#800080"));
  EXPECT_EQ(f.LabelMail->toolTip().toStdString(), geoeffnet[1]);
}

// Where the desktop has no program to open a folder or an address (no file manager, no
// browser), the about box says so and names it, in every case; nothing is said when it opens.
TEST(FormProgrammInfo, WhatNothingCanOpenIsNamed) {
  test::ScopedMessages msgs;
  TavState s;
  s.folders.ProgDir = "/opt/tavrel/";
  s.folders.DatenDir = "/home/planer/Tavrel Daten/";
  auto alt = TFormProgrammInfo::Oeffner();
  bool geht = false;
  TFormProgrammInfo::Oeffner() = [&](const std::string&) { return geht; };
  TFormProgrammInfo f(s);
  Texts().Set(TX::InfoLink, "www.tavrel.example");
  Texts().Set(TX::InfoMail, "info@tavrel.example");
  f.show();
  Texts().LoadDefaults();
  const struct {
    TKlickLabel* wo;
    const char* genannt;
    const char* art;
  } faelle[] = {
      {f.ImageDatVerz, "/home/planer/Tavrel Daten/", "Dateimanager"},
      {f.ImagePrgVerz, "/opt/tavrel/", "Dateimanager"},
      {f.LabelLink, "http://www.tavrel.example", "Programm"},
      {f.LabelMail, "info@tavrel.example", "Programm"},
  };
  for (const auto& fall : faelle) {
    geht = false;
    msgs->shown.clear();
    emit fall.wo->geklickt();
    ASSERT_EQ(msgs->shown.size(), 1u) << fall.genannt;
    EXPECT_TRUE(msgs->Contains(fall.genannt)) << msgs->All();
    EXPECT_TRUE(msgs->Contains(fall.art)) << msgs->All();
    geht = true;
    msgs->shown.clear();
    emit fall.wo->geklickt();
    EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  }
  TFormProgrammInfo::Oeffner() = alt;
}

// The two small tools, the about box and the one-line and shading-object dialogs are fixed: no maximise or
// minimise button asked for, minimum and maximum size alike (so a window manager offers no
// resizing or maximising), and wide enough for their title in a title bar.
TEST(KleineDialoge, FixedAtTheirSizeAndWideEnoughForTheirTitle) {
  test::ScopedMessages msgs;
  TavState s;
  s.plant.KollektorNeigung = 35;
  s.plant.Speicher1vol = 300;
  TFormWarmwasser ww(s);
  TFormAbsorberDreh abs(s);
  TFormProgrammInfo info(s);
  TFormDialogZeile zeile;
  zeile.setWindowTitle("Neues Projekt");
  SkyMapGrid karte{};
  TFormSkyObjekt objekt;
  const struct {
    QDialog* d;
    std::function<void()> zeige;
  } faelle[] = {
      {&ww, [&] { ww.show(); }},
      {&abs, [&] {
         test::WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
         abs.exec();
       }},
      {&info, [&] { info.show(); }},
      {&zeile, [&] {
         test::WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
         zeile.exec();
       }},
      {&objekt, [&] {
         test::WhenModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
         objekt.Trage(karte);
       }},
  };
  for (const auto& f : faelle) {
    f.zeige();
    QApplication::processEvents();
    const std::string name = f.d->objectName().toStdString();
    EXPECT_FALSE(f.d->windowFlags() & Qt::WindowMaximizeButtonHint) << name;
    EXPECT_FALSE(f.d->windowFlags() & Qt::WindowMinimizeButtonHint) << name;
    EXPECT_EQ(f.d->minimumSize(), f.d->maximumSize()) << name;
    EXPECT_EQ(f.d->size(), f.d->minimumSize()) << name;
    EXPECT_GE(f.d->width(), TitleBarWidth(f.d->windowTitle())) << name;
    f.d->hide();
  }
}

TEST(FormWarmwasser, StartsFromTheProjectAndRefusesWhatIsNoNumber) {
  test::ScopedMessages msgs;
  TavState s;
  s.plant.Kaltwassertemp = 10.4f;
  s.plant.Warmwassertemp = 59.6f;
  s.plant.Speicher1vol = 300.0f;
  TFormWarmwasser f(s);
  f.show();
  EXPECT_FALSE(f.isModal());
  EXPECT_EQ(f.Edit1->text(), "10");
  EXPECT_EQ(f.Edit2->text(), "60");
  EXPECT_EQ(f.Edit3->text(), "300");
  EXPECT_EQ(f.Edit4->text(), "6");
  EXPECT_EQ(f.Label12->text(), "17,445 kWh");
  EXPECT_EQ(f.Label13->text(), "2,908 kW");
  test::GrabScreen(&f, "FormWarmwasser");

  f.Edit4->setText("0");
  f.Rechne();
  EXPECT_EQ(f.Edit4->text(), "0,1");
  EXPECT_EQ(f.Label13->text(), "174,450 kW");

  f.Edit3->setText("3OO");
  f.Rechne();
  EXPECT_TRUE(msgs->Contains("String enthält keine Zahl")) << msgs->All();
  EXPECT_EQ(f.Edit3->text(), "300");  // the last good entry
  EXPECT_EQ(f.Label12->text(), "17,445 kWh");

  // The spin arrows step the volume by 10 and recompute.
  f.UpDown3->Step(1);
  EXPECT_EQ(f.Edit3->text(), "310");
  EXPECT_TRUE(f.Label12->text().startsWith("18,02")) << f.Label12->text().toStdString();
  // Enter moves on in the cycle, from the last field back to the first.
  f.Edit4->setFocus();
  test::Key(f.Edit4, Qt::Key_Return);
  EXPECT_EQ(f.focusWidget(), f.Edit1);
}

// The tools' keys: Enter moves round their fixed cycle of fields (the last back to the first)
// and Escape closes the tool.
TEST(RechnerTasten, EnterGoesRoundTheCycleEscapeClosesTheTool) {
  test::ScopedMessages msgs;
  TavState s;  // the defaults of a new project
  TFormWarmwasser warm(s);
  TFormAbsorberDreh dreh(s);
  TFormSolarkreisVol vol(s);
  const struct {
    const char* name;
    QWidget* form;
    std::vector<QLineEdit*> zyklus;
  } faelle[] = {
      {"FormWarmwasser", &warm, {warm.Edit1, warm.Edit2, warm.Edit3, warm.Edit4}},
      {"FormAbsorberDreh", &dreh, {dreh.Edit1, dreh.Edit2, dreh.Edit3}},
      {"FormSolarkreisVol", &vol,
       {vol.EditKvol, vol.EditTdampf, vol.EditHstat, vol.EditRvol, vol.EditWTvol, vol.EditVvol, vol.EditpSV}},
  };
  for (const auto& fall : faelle) {
    fall.form->show();
    fall.form->activateWindow();
    QApplication::processEvents();
    for (std::size_t i = 0; i < fall.zyklus.size(); ++i) {
      QLineEdit* feld = fall.zyklus[i];
      feld->setFocus();
      test::Key(feld, Qt::Key_Return);
      EXPECT_EQ(fall.form->focusWidget(), fall.zyklus[(i + 1) % fall.zyklus.size()])
          << fall.name << " field " << i;
      EXPECT_TRUE(fall.form->isVisible()) << fall.name;
    }
    test::Key(fall.zyklus.front(), Qt::Key_Escape);
    EXPECT_FALSE(fall.form->isVisible()) << fall.name;
  }
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
}

TEST(FormAbsorberDreh, ProposalOnShowEntriesKeptOnRepaintAndTakeOver) {
  test::ScopedMessages msgs;
  TavState s;
  s.plant.KollektorNeigung = 30.0f;
  s.plant.KollektorAzimut = -90.0f;  // an east roof
  TFormAbsorberDreh f(s);
  f.show();
  EXPECT_EQ(f.Edit1->text(), "30");
  EXPECT_EQ(f.Edit2->text(), "-90");
  EXPECT_EQ(f.Edit3->text(), "30");
  test::GrabScreen(&f, "FormAbsorberDreh");

  f.Edit1->setText("30");
  f.Edit2->setText("10");
  f.Edit3->setText("20");
  f.repaint();
  QApplication::processEvents();
  EXPECT_EQ(f.Edit2->text(), "10");  // a repaint leaves the entries alone
  f.Rechne();
  EXPECT_EQ(f.Label12->text(), " 35,5 Grad");
  EXPECT_EQ(f.Label13->text(), " 46,1 Grad");

  s.run.ProjektGeaendert = false;
  f.Edit3->setText("x");
  f.Button1->click();  // refused: nothing taken over
  EXPECT_TRUE(msgs->Contains("String enthält keine Zahl"));
  EXPECT_FALSE(s.run.ProjektGeaendert);
  EXPECT_EQ(s.plant.KollektorAzimut, -90.0f);

  f.Edit3->setText("20");
  f.Button1->click();
  EXPECT_NEAR(s.plant.KollektorNeigung, 35.53f, 0.01f);
  EXPECT_NEAR(s.plant.KollektorAzimut, 46.05f, 0.01f);
  EXPECT_TRUE(s.run.ProjektGeaendert);
  f.ButtonEnde->click();
  EXPECT_EQ(f.result(), 1);
}

TEST(FormSolarkreisVol, StartValuesReportWarningAndCopy) {
  test::ScopedMessages msgs;
  TavState s;
  s.plant.KollektorFlaeche = 9.0f;
  s.plant.KollqmVolumen = 1.1f;
  s.plant.Solarkreislaenge = 15.0f;
  s.plant.RohrInnenDm = 20.0f;  // 0,314 l/m
  TFormSolarkreisVol f(s);
  f.show();
  EXPECT_EQ(f.EditKvol->text(), "10");
  EXPECT_EQ(f.EditTdampf->text(), "130");
  EXPECT_EQ(f.EditHstat->text(), "9");
  EXPECT_EQ(f.EditRvol->text(), "9,4");
  EXPECT_EQ(f.EditWTvol->text(), "5,0");
  EXPECT_EQ(f.EditVvol->text(), "3");
  EXPECT_EQ(f.EditpSV->text(), "6");
  EXPECT_EQ(f.ComboBoxMAGvol->currentText().toInt(), MagGroesseFuer(f.Ergebnis().Nennvolumen));
  EXPECT_TRUE(msgs->shown.empty()) << msgs->All();
  test::GrabScreen(&f, "FormSolarkreisVol");

  // The worked example, in a large font (a screen's, or a longer language's labels).
  QFont gross = f.RichEdit1->font();
  gross.setPointSize(16);
  f.RichEdit1->setFont(gross);
  f.EditKvol->setText("10");
  f.EditRvol->setText("20");
  f.EditWTvol->setText("5");
  f.EditVvol->setText("3");
  f.EditHstat->setText("10");
  f.ComboBoxMAGvol->setCurrentText("50");
  f.Rechne();
  EXPECT_EQ(f.LabelpGasW->text(), "  2,6 bar");
  EXPECT_EQ(f.LabelpKVW->text(), "  1,6 bar");
  EXPECT_TRUE(f.RichEdit1->toPlainText().contains("0,441"));
  EXPECT_TRUE(f.RichEdit1->toPlainText().contains("50 Liter (1 x 50)"));
  // Every label ends before the value column, the longest ("Kollektorstillstandstemperatur:")
  // too, so the values stand in one column.
  const QTextDocument* doc = f.RichEdit1->document();
  const QFontMetricsF fm(doc->defaultFont());
  std::set<double> spalten;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    const QString z = b.text();
    if (!z.contains('\t')) continue;
    const auto tabs = b.blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1) << z.toStdString();
    EXPECT_LT(fm.horizontalAdvance(z.section('\t', 0, 0)), tabs[0].position) << z.toStdString();
    spalten.insert(tabs[0].position);
  }
  EXPECT_EQ(spalten.size(), 1u);

  // A valve too weak for the pre-pressure: one warning, the valve raised in its field.
  f.EditpSV->setText("2");
  f.Rechne();
  ASSERT_EQ(msgs->shown.size(), 1u);
  EXPECT_TRUE(msgs->Contains("Benötigter Vordruck höher als möglicher Enddruck!"));
  EXPECT_EQ(f.EditpSV->text(), "4");
  f.Rechne();
  EXPECT_EQ(msgs->shown.size(), 1u);

  std::string status;
  SimCommandHooks().StatusText = [&](const std::string& t) { status = t; };
  f.BitBtn1->click();
  SimCommandHooks().StatusText = nullptr;
  EXPECT_EQ(status, "Text in Zwischenablage übernommen");
  EXPECT_TRUE(QApplication::clipboard()->text().contains("Druckfaktor:\t"));
  EXPECT_FALSE(s.run.DruckAktiv);
}

}  // namespace
}  // namespace tav
