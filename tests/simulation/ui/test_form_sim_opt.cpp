// The options dialog as a table: OK, Enter, Cancel and Escape, entries out of range (the
// field's message, the dialog stays open), the spin buttons and the slider labels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>
#include <functional>
#include <string>
#include <vector>

#include "foundation/TavVar.h"
#include "foundation/ui/ModalDriver.h"
#include "simulation/ui/FormSimOpt.h"
#include "support/ScriptedMessages.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

struct Werte {
  int zoom, jahre, faktor;
  bool operator==(const Werte&) const = default;
};

struct Fall {
  const char* name;
  Werte vorher;
  std::function<void(TFormSimOpt&)> bediene;  // runs inside the open dialog, must close it
  int ergebnis;
  Werte nachher;
  std::vector<std::string> meldungen;
};

void Setze(TFormSimOpt& d, const char* zoom, bool einJahr, const char* faktor) {
  if (zoom) d.Edit1->setText(zoom);
  (einJahr ? d.RadioButton1Jahr : d.RadioButton3Jahre)->setChecked(true);
  if (faktor) d.EditKAfaktor->setText(faktor);
}

// OK with a bad entry: the dialog stays open with the field reset; then Cancel.
std::function<void(TFormSimOpt&)> Abgewiesen(const char* zoom, const char* faktor, QString zoomDanach,
                                             QString faktorDanach) {
  return [=](TFormSimOpt& d) {
    Setze(d, zoom, true, faktor);
    d.ButtonOK->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Edit1->text(), zoomDanach);
    EXPECT_EQ(d.EditKAfaktor->text(), faktorDanach);
    d.ButtonCancel->click();
  };
}

TEST(FormSimOpt, StoresAllThreeOnOkAndEnterAndNothingOnCancel) {
  const Werte standard{8, 3, 20};
  const std::vector<Fall> faelle = {
      {"OK", standard,
       [](TFormSimOpt& d) {
         d.TrackBar1->setValue(12);
         Setze(d, nullptr, true, "2,5");
         d.ButtonOK->click();
       },
       mrOk, {12, 1, 25}, {}},
      {"Enter in the steps field", {10, 1, 20},
       [](TFormSimOpt& d) {
         Setze(d, "6", false, "1,4");
         d.Edit1->setFocus();
         test::Key(d.Edit1, Qt::Key_Return);
       },
       mrOk, {6, 3, 14}, {}},
      {"Enter on the slider", standard,
       [](TFormSimOpt& d) {
         Setze(d, nullptr, true, "3");
         d.TrackBar1->setValue(15);
         test::Key(d.TrackBar1, Qt::Key_Enter);
       },
       mrOk, {15, 1, 30}, {}},
      {"Cancel", standard,
       [](TFormSimOpt& d) {
         Setze(d, "12", true, "2,9");
         d.ButtonCancel->click();
       },
       mrCancel, standard, {}},
      {"Escape goes to Cancel from any control, a second one cancels", standard,
       [](TFormSimOpt& d) {
         Setze(d, "12", true, "2,9");
         d.activateWindow();
         for (QWidget* w : std::initializer_list<QWidget*>{d.Edit1, d.TrackBar1, d.RadioButton1Jahr, d.ButtonOK}) {
           w->setFocus();
           test::Key(w, Qt::Key_Escape);
           EXPECT_TRUE(d.isVisible()) << w->objectName().toStdString();
           EXPECT_TRUE(d.ButtonCancel->hasFocus()) << w->objectName().toStdString();
         }
         EXPECT_EQ(d.Edit1->text(), "12");
         test::Key(d.ButtonCancel, Qt::Key_Escape);
       },
       mrCancel, standard, {}},
      {"steps below 5", standard, Abgewiesen("4", "2,0", "8", "2,0"), mrCancel, standard,
       {"4 liegt unter dem Minimumwert 5"}},
      {"steps above 15", standard, Abgewiesen("16", "2,0", "8", "2,0"), mrCancel, standard,
       {"16 liegt über dem Maximumwert 15"}},
      {"steps not a number", standard, Abgewiesen("x", "2,0", "8", "2,0"), mrCancel, standard,
       {"String enthält keine Zahl"}},
      {"factor below 1,1", standard, Abgewiesen("9", "1,0", "9", "1,1"), mrCancel, standard,
       {"minimal erforderlicher Wert: 1,1"}},
      {"factor above 3,0", standard, Abgewiesen("9", "3,5", "9", "3,0"), mrCancel, standard,
       {"maximal zulässiger Wert: 3,0"}},
      {"factor not a number", standard, Abgewiesen("9", "abc", "9", "2,0"), mrCancel, standard,
       {"String enthält keine Zahl"}},
      {"a bad factor set right, then OK", standard,
       [](TFormSimOpt& d) {
         Setze(d, "9", true, "0,5");
         d.ButtonOK->click();
         d.ButtonOK->click();  // the field now holds the least factor
       },
       mrOk, {9, 1, 11}, {"minimal erforderlicher Wert: 1,1"}},
      {"spin buttons stop at 3,0 and 1,1", standard,
       [](TFormSimOpt& d) {
         Setze(d, nullptr, true, "2,9");
         d.SpeedButtonupf->click();
         d.SpeedButtonupf->click();
         EXPECT_EQ(d.EditKAfaktor->text(), "3,0");
         d.EditKAfaktor->setText("1,2");
         test::Key(d.EditKAfaktor, Qt::Key_Down);
         test::Key(d.EditKAfaktor, Qt::Key_Down);
         EXPECT_EQ(d.EditKAfaktor->text(), "1,1");
         d.ButtonOK->click();
       },
       mrOk, {8, 1, 11}, {}},
      {"the labels set the slider's ends", standard,
       [](TFormSimOpt& d) {
         emit d.Label4->geklickt();
         EXPECT_EQ(d.Edit1->text(), "15");
         emit d.Label3->geklickt();
         EXPECT_EQ(d.Edit1->text(), "5");
         d.ButtonOK->click();
       },
       mrOk, {5, 3, 20}, {}},
      {"an old project's 2 steps shows as 5", {2, 1, 20},
       [](TFormSimOpt& d) {
         EXPECT_EQ(d.Edit1->text(), "5");
         EXPECT_EQ(d.TrackBar1->value(), 5);
         EXPECT_TRUE(d.RadioButton1Jahr->isChecked());
         d.ButtonCancel->click();
       },
       mrCancel, {2, 1, 20}, {}},
  };

  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    test::ScopedMessages msgs;
    auto& g = G();
    g.plant.ZeitZoom = static_cast<std::uint8_t>(f.vorher.zoom);
    g.plant.Projekt.ZeitZoom = g.plant.ZeitZoom;
    g.settings.SimJahre = static_cast<std::uint8_t>(f.vorher.jahre);
    g.plant.KAfaktor = static_cast<std::uint16_t>(f.vorher.faktor);
    TFormSimOpt dialog;
    bool bedient = false;
    test::WhenModal([&](QWidget* offen) {
      bedient = offen == &dialog;
      f.bediene(dialog);
      if (dialog.isVisible()) dialog.done(99);  // the case did not close it
    });
    const int ergebnis = dialog.exec();
    EXPECT_TRUE(bedient);
    EXPECT_EQ(ergebnis, f.ergebnis);
    EXPECT_EQ((Werte{g.plant.ZeitZoom, g.settings.SimJahre, g.plant.KAfaktor}), f.nachher)
        << g.plant.ZeitZoom + 0 << " " << g.settings.SimJahre + 0 << " " << g.plant.KAfaktor;
    EXPECT_EQ(g.plant.Projekt.ZeitZoom, ergebnis == mrOk ? f.nachher.zoom : f.vorher.zoom);
    std::vector<std::string> texte;
    for (const auto& m : msgs->shown) texte.push_back(m.text);
    EXPECT_EQ(texte, f.meldungen);
  }
}

TEST(FormSimOpt, CaptionsAndGrab) {
  G().plant.ZeitZoom = 10;
  G().settings.SimJahre = 3;
  G().plant.KAfaktor = 20;
  TFormSimOpt dialog;
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Simulationsoptionen");
  EXPECT_EQ(dialog.ButtonOK->text(), "&OK");
  EXPECT_EQ(dialog.ButtonCancel->text(), "Ab&brechen");
  EXPECT_TRUE(dialog.ButtonOK->isDefault());
  EXPECT_EQ(dialog.TrackBar1->minimum(), 5);
  EXPECT_EQ(dialog.TrackBar1->maximum(), 15);
  EXPECT_EQ(dialog.EditKAfaktor->text(), "2,0");
  EXPECT_FALSE(test::GrabScreen(&dialog, "FormSimOpt").isEmpty());
  dialog.reject();
}

// The dialog opens with the focus on the slider, and shows it there: a slider draws no frame
// for a focus that the keyboard did not bring, so the user once saw no focus at all.
TEST(FormSimOpt, OpensWithAVisibleFocusOnTheSlider) {
  TFormSimOpt dialog;
  bool rahmen = false, aufRegler = false;
  test::WhenModal([&](QWidget*) {
    aufRegler = dialog.TrackBar1->hasFocus();
    QStyleOption o;
    o.initFrom(dialog.TrackBar1);
    rahmen = (o.state & QStyle::State_HasFocus) && (o.state & QStyle::State_KeyboardFocusChange);
    dialog.reject();
  });
  dialog.exec();
  EXPECT_TRUE(aufRegler);
  EXPECT_TRUE(rahmen);
}

}  // namespace
}  // namespace tav
