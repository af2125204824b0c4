#include <gtest/gtest.h>

#include <QDialog>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <set>
#include <tuple>

#include "ModalDriver.h"
#include "foundation/TextTable.h"
#include "foundation/ui/DialogZeile.h"
#include "foundation/ui/XiButton.h"
#include "foundation/ui/XiPanel.h"
#include "support/gui/GrabScreen.h"

namespace tav {
namespace {

std::tuple<int, int, int> Rgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }
std::tuple<int, int, int> Rgb(QRgb c) { return {qRed(c), qGreen(c), qBlue(c)}; }

TEST(XiPanel, SchemesAndCustomColours) {
  TXiPanel panel;
  EXPECT_EQ(panel.ColorScheme(), TXiPanel::csDesert);
  EXPECT_EQ(panel.FillDirection(), fdVertical);
  EXPECT_EQ(Rgb(panel.ColorFace()), std::make_tuple(255, 255, 255));
  EXPECT_EQ(Rgb(panel.ColorGrad()), std::make_tuple(255, 225, 164));
  EXPECT_EQ(Rgb(panel.ColorLight()), std::make_tuple(213, 143, 0));
  EXPECT_EQ(Rgb(panel.ColorDark()), std::make_tuple(155, 105, 0));

  panel.SetColorScheme(TXiPanel::csSilver);
  panel.SetColor(TXiPanel::ciGrad, QColor(10, 20, 30));
  EXPECT_EQ(panel.ColorScheme(), TXiPanel::csCustom);
  EXPECT_EQ(Rgb(panel.ColorGrad()), std::make_tuple(10, 20, 30));
  EXPECT_EQ(Rgb(panel.ColorFace()), std::make_tuple(255, 255, 255));
  EXPECT_EQ(Rgb(panel.ColorLight()), std::make_tuple(125, 125, 125));
  EXPECT_EQ(Rgb(panel.ColorDark()), std::make_tuple(98, 98, 98));
  // csCustom keeps what is set; a named scheme loads its colours again.
  panel.SetColorScheme(TXiPanel::csCustom);
  EXPECT_EQ(Rgb(panel.ColorGrad()), std::make_tuple(10, 20, 30));
  panel.SetColorScheme(TXiPanel::csSky);
  EXPECT_EQ(Rgb(panel.ColorGrad()), std::make_tuple(193, 224, 255));
  EXPECT_EQ(Rgb(panel.ColorDark()), std::make_tuple(0, 89, 179));
}

TEST(XiPanel, ColourOfLine) {
  const QColor black(0, 0, 0), white(255, 255, 255), grey(128, 128, 128);
  const struct {
    QColor face, grad;
    int line, lines;
    std::tuple<int, int, int> rgb;
  } cases[] = {
      {black, white, 0, 3, {0, 0, 0}},        // first line: the start colour
      {black, white, 2, 3, {255, 255, 255}},  // last line: the end colour
      {black, white, 1, 3, {128, 128, 128}},  // 127.5 rounds up
      {white, black, 1, 4, {170, 170, 170}},
      {grey, grey, 0, 100, {128, 128, 128}},  // equal colours: flat
      {grey, grey, 57, 100, {128, 128, 128}},
      {grey, grey, 99, 100, {128, 128, 128}},
      {black, white, 0, 1, {0, 0, 0}},        // a one-line area divides by nothing
      {black, white, 0, 0, {0, 0, 0}},        // nor does an empty one
      {QColor(255, 0, 10), QColor(0, 255, 20), 1, 2, {0, 255, 20}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Rgb(GradientLineColor(c.face, c.grad, c.line, c.lines)), c.rgb)
        << c.line << "/" << c.lines;
}

TEST(XiPanel, PaintsGradientInEachDirection) {
  TXiPanel panel;
  panel.SetBevels(TXiPanel::bvNone, TXiPanel::bvNone, 0);
  panel.SetColor(TXiPanel::ciFace, QColor(0, 0, 0));
  panel.SetColor(TXiPanel::ciGrad, QColor(0, 0, 255));
  panel.resize(40, 20);
  const struct {
    TFillDirection direction;
    QPoint first, last;
  } cases[] = {
      {fdVertical, {20, 0}, {20, 19}},
      {fdHorizontal, {0, 10}, {39, 10}},
      {fdDiagonal, {0, 0}, {39, 19}},
  };
  for (const auto& c : cases) {
    panel.SetFillDirection(c.direction);
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(Rgb(image.pixel(c.first)), std::make_tuple(0, 0, 0)) << c.direction;
    EXPECT_EQ(Rgb(image.pixel(c.last)), std::make_tuple(0, 0, 255)) << c.direction;
  }
  // Areas of a single line or column paint their start colour.
  for (const QSize size : {QSize(40, 1), QSize(1, 20), QSize(1, 1)}) {
    panel.resize(size);
    for (TFillDirection d : {fdVertical, fdHorizontal, fdDiagonal}) {
      panel.SetFillDirection(d);
      const QImage image = panel.grab().toImage();
      ASSERT_FALSE(image.isNull());
      if (d == fdVertical && size.height() == 1) {
        EXPECT_EQ(Rgb(image.pixel(size.width() - 1, 0)), std::make_tuple(0, 0, 0));
      }
    }
  }
}

TEST(XiPanel, BevelFramesInTheirColours) {
  TXiPanel panel;
  panel.SetColorScheme(TXiPanel::csSilver);
  panel.SetBevels(TXiPanel::bvRaised, TXiPanel::bvLowered, 2);
  panel.resize(60, 40);
  const QImage image = panel.grab().toImage();
  // Outer raised: light top-left, dark bottom-right; inner lowered: the other way round.
  EXPECT_EQ(Rgb(image.pixel(10, 0)), std::make_tuple(125, 125, 125));
  EXPECT_EQ(Rgb(image.pixel(10, 39)), std::make_tuple(98, 98, 98));
  EXPECT_EQ(Rgb(image.pixel(10, 2)), std::make_tuple(98, 98, 98));
  EXPECT_EQ(Rgb(image.pixel(10, 37)), std::make_tuple(125, 125, 125));

  TXiPanel shown;
  shown.SetColorScheme(TXiPanel::csSilver);
  shown.SetCaption("csSilver, vertikal");
  shown.resize(240, 80);
  EXPECT_FALSE(test::GrabScreen(&shown, "XiPanel").isEmpty());
}

TEST(XiPanel, InputDialogStandsOnTheSilverPanel) {
  Texts().LoadDefaults();
  TFormDialogZeile dialog;
  dialog.Label1->setText("&Projektname:");
  dialog.Edit1->setText("Familie Berger");
  dialog.Label2->setText("Info:");
  dialog.show();
  auto* panel = dialog.findChild<TXiPanel*>("XiPanel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->ColorScheme(), TXiPanel::csSilver);
  EXPECT_EQ(panel->FillDirection(), fdVertical);
  EXPECT_EQ(panel->geometry(), dialog.rect());
  EXPECT_FALSE(test::GrabScreen(&dialog, "FormDialogZeile").isEmpty());
}

TEST(XiButton, NewButtonAndSchemes) {
  TXiButton button;
  EXPECT_EQ(button.size(), QSize(75, 25));
  EXPECT_EQ(button.ColorScheme(), TXiButton::csNeoDesert);
  EXPECT_TRUE(button.Gradient());
  EXPECT_TRUE(button.HotTrack());
  EXPECT_EQ(button.Spacing(), 4);
  EXPECT_EQ(Rgb(button.Color(0)), std::make_tuple(255, 236, 198));
  EXPECT_EQ(Rgb(button.Color(1)), std::make_tuple(255, 190, 55));
  EXPECT_EQ(Rgb(button.Color(12)), std::make_tuple(255, 186, 43));
  EXPECT_EQ(Rgb(button.Color(24)), std::make_tuple(255, 128, 64));
  // The hot, pressed and disabled faces of a new button run to white.
  for (int i : {7, 13, 19}) EXPECT_EQ(Rgb(button.Color(i)), std::make_tuple(255, 255, 255)) << i;
  EXPECT_EQ(Rgb(TXiButton::SchemeColors(TXiButton::csNeoDesert)[7]), std::make_tuple(240, 163, 0));

  button.SetColor(TXiButton::ciOver + TXiButton::ciFace, QColor(1, 2, 3));
  EXPECT_EQ(button.ColorScheme(), TXiButton::csCustom);
  EXPECT_EQ(Rgb(button.Color(6)), std::make_tuple(1, 2, 3));
  button.SetGradient(false);
  button.SetColorScheme(TXiButton::csSilver);
  EXPECT_EQ(button.ColorScheme(), TXiButton::csSilver);
  EXPECT_TRUE(button.Gradient());
  EXPECT_EQ(Rgb(button.Color(1)), std::make_tuple(222, 224, 218));

  // Every named scheme: its own face and gradient, the one disabled set, black text.
  std::set<std::tuple<int, int, int, int, int, int>> faces;
  for (int s = TXiButton::csNeoDesert; s < TXiButton::csCustom; ++s) {
    const auto c = TXiButton::SchemeColors(static_cast<TXiButton::TColorScheme>(s));
    faces.insert(std::tuple_cat(Rgb(c[0]), Rgb(c[1])));
    EXPECT_EQ(Rgb(c[18]), std::make_tuple(238, 238, 238)) << s;
    EXPECT_EQ(Rgb(c[19]), std::make_tuple(255, 255, 255)) << s;
    EXPECT_EQ(Rgb(c[20]), std::make_tuple(210, 210, 210)) << s;
    EXPECT_EQ(Rgb(c[21]), std::make_tuple(255, 255, 255)) << s;
    EXPECT_EQ(Rgb(c[22]), std::make_tuple(128, 128, 128)) << s;
    EXPECT_EQ(Rgb(c[23]), std::make_tuple(128, 128, 128)) << s;
    for (int t : {5, 11, 17}) EXPECT_EQ(Rgb(c[t]), std::make_tuple(0, 0, 0)) << s << " " << t;
  }
  EXPECT_EQ(faces.size(), 12u);
}

TEST(XiButton, DisabledColoursWinOverHot) {
  QWidget host;
  auto* button = new TXiButton(&host);
  button->SetGradient(false);
  host.resize(100, 40);
  host.show();
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(button, &enter);
  EXPECT_EQ(button->VisualState(), TXiButton::vsHot);
  EXPECT_EQ(Rgb(button->grab().toImage().pixel(8, 12)), std::make_tuple(255, 231, 179));

  button->setEnabled(false);
  QApplication::sendEvent(button, &enter);
  EXPECT_EQ(button->ActiveColorSet(), TXiButton::ciDisabled);
  EXPECT_EQ(Rgb(button->grab().toImage().pixel(8, 12)), std::make_tuple(238, 238, 238));

  EXPECT_EQ(TXiButton::ColorSetFor(true, TXiButton::vsNormal), 0);
  EXPECT_EQ(TXiButton::ColorSetFor(true, TXiButton::vsPressed), 12);
  for (auto s : {TXiButton::vsNormal, TXiButton::vsHot, TXiButton::vsPressed})
    EXPECT_EQ(TXiButton::ColorSetFor(false, s), 18);

  // Without hot tracking the mouse leaves the button as it is.
  TXiButton plain(&host);
  plain.SetHotTrack(false);
  QApplication::sendEvent(&plain, &enter);
  EXPECT_EQ(plain.VisualState(), TXiButton::vsNormal);
}

TEST(XiButton, ClickClosesTheModalDialogWithItsResult) {
  const struct {
    int modalResult;
    bool cancelByEscape;
    int expected;
  } cases[] = {{1, false, 1}, {7, false, 7}, {2, true, 2}};
  for (const auto& c : cases) {
    QDialog dialog;
    auto* layout = new QHBoxLayout(&dialog);
    auto* button = new TXiButton("&OK", &dialog);
    button->setObjectName("XiButtonOK");
    button->ModalResult = c.modalResult;
    button->SetCancel(c.cancelByEscape);
    layout->addWidget(button);
    // A button of result 0 leaves the dialog open.
    auto* stay = new TXiButton("&Hilfe", &dialog);
    stay->setObjectName("XiButtonHilfe");
    layout->addWidget(stay);
    test::WhenModal([&](QWidget* d) {
      test::Click(d, "XiButtonHilfe");
      if (c.cancelByEscape)
        test::Key(stay, Qt::Key_Escape);
      else
        test::Click(d, "XiButtonOK");
    });
    EXPECT_EQ(dialog.exec(), c.expected) << c.modalResult;
    EXPECT_EQ(button->VisualState(), TXiButton::vsNormal);
  }
}

TEST(XiButton, ReturnClicksAndSpacePresses) {
  QDialog dialog;
  auto* button = new TXiButton("&Ja", &dialog);
  button->ModalResult = 6;
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QApplication::sendEvent(button, &space);
  EXPECT_EQ(button->VisualState(), TXiButton::vsPressed);
  QKeyEvent spaceUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
  QApplication::sendEvent(button, &spaceUp);
  EXPECT_NE(button->VisualState(), TXiButton::vsPressed);
  EXPECT_EQ(dialog.result(), 6);  // released Space clicks

  QDialog second;
  auto* ok = new TXiButton("&OK", &second);
  ok->ModalResult = 1;
  test::WhenModal([ok](QWidget*) { test::Key(ok, Qt::Key_Return); });
  EXPECT_EQ(second.exec(), 1);
}

TEST(XiButton, Grab) {
  TXiPanel strip;
  strip.SetColorScheme(TXiPanel::csSilver);
  auto* rows = new QVBoxLayout(&strip);
  for (auto scheme : {TXiButton::csNeoDesert, TXiButton::csNeoSky, TXiButton::csSilver}) {
    auto* row = new QHBoxLayout;
    const char* captions[] = {"&Normal", "&Heiß", "&Gedrückt", "&Gesperrt"};
    for (int i = 0; i < 4; ++i) {
      auto* b = new TXiButton(captions[i], &strip);
      b->SetColorScheme(scheme);
      b->setFixedSize(90, 25);
      row->addWidget(b);
      if (i == 1) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b, &enter);
      }
      if (i == 2) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(b, &space);
      }
      if (i == 3) b->setEnabled(false);
    }
    rows->addLayout(row);
  }
  strip.adjustSize();
  EXPECT_FALSE(test::GrabScreen(&strip, "XiButton").isEmpty());
}

}  // namespace
}  // namespace tav
