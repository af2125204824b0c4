// The live diagram: where points land, the 200 % cap, values below the axis, values that
// are no numbers, the break at a new weather year, and which curves a plant shows.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <limits>

#include "simulation/ui/LaufDiagramm.h"

namespace tav {
namespace {

using D = TLaufDiagramm;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

const QColor kGruen(0x00, 0x80, 0x00), kRot(0xFF, 0x00, 0x00), kLila(0x80, 0x00, 0x80),
    kMarine(0x00, 0x00, 0x80);

QImage Bild(const D& d) {
  QImage img(D::kBreite, D::kHoehe, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPainter p(&img);
  d.Zeichne(p, img.rect());
  return img;
}

// Pixel of day tag at percent wert.
int X(int tag) { return D::DiagX0 + tag; }
int Y(int wert) { return D::DiagY0 + D::DiagHoehe - wert; }

// The colour at (x, y) or one pixel beside it (lines are two pixels wide).
bool Nahe(const QImage& img, int x, int y, const QColor& farbe) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (img.rect().contains(x + dx, y + dy) && img.pixelColor(x + dx, y + dy) == farbe) return true;
  return false;
}

// The colour anywhere in the plot (the legend to its right left out), or in the whole picture.
bool Irgendwo(const QImage& img, const QColor& farbe, bool nurKurven = false) {
  const int breite = nurKurven ? D::DiagX0 + D::DiagTage + 2 : img.width();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < breite; ++x)
      if (img.pixelColor(x, y) == farbe) return true;
  return false;
}

TEST(LaufDiagramm, PointsLandAtTheirDayAndPercentAndTheFirstDrawsNothing) {
  D d;
  d.Leeren(false, false);
  d.Laufwerte(30, {50, 80, 10, 10});
  QImage img = Bild(d);
  EXPECT_FALSE(Irgendwo(img, kGruen, true));  // one point is no line yet
  EXPECT_FALSE(Irgendwo(img, kRot, true));
  EXPECT_EQ(img.pixelColor(X(1), Y(100)), QColor(0x80, 0x80, 0x80));  // the 100 % line
  EXPECT_EQ(img.pixelColor(D::DiagX0, Y(50)), QColor(Qt::black));       // the frame
  EXPECT_EQ(img.pixelColor(X(365), Y(150)), QColor(Qt::black));

  d.Laufwerte(33, {50, 80, 10, 10});
  d.Laufwerte(36, {70.4f, 80, 10, 10});
  img = Bild(d);
  EXPECT_TRUE(Nahe(img, X(31), Y(50), kGruen));
  EXPECT_TRUE(Nahe(img, X(36), Y(70), kGruen));   // 70.4 rounds to 70
  EXPECT_TRUE(Nahe(img, X(34), Y(80), kRot));
  EXPECT_EQ(img.pixelColor(X(45), Y(50)), QColor(Qt::white));  // nothing beyond the last day
  // Without space heating and pool only the two first curves exist.
  EXPECT_FALSE(Irgendwo(img, kLila));
  EXPECT_FALSE(Irgendwo(img, kMarine));
  EXPECT_TRUE(d.Kurvenzuege(D::kDeckungWW).empty());
}

TEST(LaufDiagramm, ValuesAboveTwoHundredSitAtTheTopAndNegativeOnesBelowTheAxis) {
  D d;
  d.Leeren(false, false);
  for (int tag : {150, 153, 156}) d.Laufwerte(tag, {250, -10, 0, 0});
  const QImage img = Bild(d);
  EXPECT_TRUE(Nahe(img, X(153), D::DiagY0, kGruen));
  for (int y = 0; y < D::DiagY0 - 1; ++y) EXPECT_NE(img.pixelColor(X(153), y), kGruen) << y;
  EXPECT_TRUE(Nahe(img, X(153), Y(-10), kRot));  // 10 px under the axis
  EXPECT_EQ(d.Kurvenzuege(D::kWirkungsgrad)[0].punkte[0].y(), 200);
}

TEST(LaufDiagramm, ValuesThatAreNoNumbersBreakTheCurve) {
  D d;
  d.Leeren(false, false);
  const std::array<float, 6> werte = {50, kNaN, 50, kInf, 50, 50};
  for (int i = 0; i < 6; ++i) d.Laufwerte(3 * (i + 1) * 10, {werte[i], -1e30f, 0, 0});
  const QImage img = Bild(d);
  EXPECT_EQ(img.pixelColor(X(45), Y(50)), QColor(Qt::white));   // between day 30 and 90
  EXPECT_EQ(img.pixelColor(X(105), Y(50)), QColor(Qt::white));  // between day 90 and 150
  EXPECT_TRUE(Nahe(img, X(165), Y(50), kGruen));                // day 150 to 180
  const auto& zuege = d.Kurvenzuege(D::kWirkungsgrad);
  ASSERT_EQ(zuege.size(), 3u);
  EXPECT_EQ(zuege[2].punkte.size(), 2u);
  // A huge negative value is kept far below the picture, not wrapped round.
  EXPECT_LT(d.Kurvenzuege(D::kDeckung)[0].punkte[0].y(), -1000);
}

TEST(LaufDiagramm, EveryCurveStartsAfreshInTheNextWeatherYear) {
  D d;
  d.Leeren(true, true);
  const std::array<float, 4> werte = {50, 60, 70, 80};
  for (int tag : {360, 363, 365}) d.Laufwerte(tag, werte);
  d.ResetDiagrammPunkte();
  for (int tag : {3, 6}) d.Laufwerte(tag, werte);
  const QImage img = Bild(d);
  const std::array<QColor, 4> farben = {kGruen, kRot, kLila, kMarine};
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(d.Kurvenzuege(static_cast<D::Kurve>(k)).size(), 2u);
    // A line from day 365 back to day 1 would cross the middle of the year.
    EXPECT_EQ(img.pixelColor(X(180), Y(static_cast<int>(werte[k]))), QColor(Qt::white));
    // The year before stays, paler; the year under way in its full colour.
    const QColor alt = img.pixelColor(X(362), Y(static_cast<int>(werte[k])));
    EXPECT_NE(alt, QColor(Qt::white));
    EXPECT_GT(alt.lightness(), farben[k].lightness());
    EXPECT_TRUE(Nahe(img, X(5), Y(static_cast<int>(werte[k])), farben[k]));
  }
  // The legend strokes of the hot-water coverage and the pool share.
  EXPECT_TRUE(Nahe(img, 437, 170, kLila));
  EXPECT_TRUE(Nahe(img, 437, 200, kMarine));
}

TEST(LaufDiagramm, PaintsScaledIntoAnyRectangle) {
  D d;
  d.Leeren(false, false);
  for (int tag : {30, 33, 36}) d.Laufwerte(tag, {50, 80, 0, 0});
  QImage img(2 * D::kBreite + 20, 2 * D::kHoehe + 20, QImage::Format_RGB32);
  img.fill(Qt::black);
  {
    QPainter p(&img);
    d.Zeichne(p, QRect(20, 20, 2 * D::kBreite, 2 * D::kHoehe));
  }
  EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::black));  // outside the rectangle untouched
  EXPECT_TRUE(Nahe(img, 20 + 2 * X(33), 20 + 2 * Y(50), kGruen));
}

}  // namespace
}  // namespace tav
