#pragma once
// The two drawings of the plant dialog, each a widget of its own painted from its state: the
// circulation grid of 2 x 48 quarter hours, and the monthly diagram of the conventional energy one
// kWh of solar heat saves.

#include <QWidget>
#include <array>
#include <functional>

class QPainter;

namespace tav {

// The circulation pump times: left button paints cells on, right button off; hovering shows the
// quarter hour. Cell (column c, row r) lies at x 8c+1..8(c+1), y 36r+21..36(r+1)+20.
class TZiGrid : public QWidget {
  Q_OBJECT
 public:
  explicit TZiGrid(QWidget* parent = nullptr);

  // [1..96]: quarter hour i = 48 x row + column + 1.
  std::array<bool, 97> Zeiten{};

  void SetZeiten(const std::array<bool, 97>& z);
  // Quarter hour (1..96) under a point of the grid, 0 outside the cells.
  static int IndexBei(QPoint p);
  static QRect ZellRechteck(int index);

  static constexpr QRgb kAn = qRgb(240, 208, 16);
  static constexpr QRgb kAus = qRgb(202, 207, 250);

 signals:
  // Hover text ("6.15 - 6.30 h"), empty when the mouse leaves the cells.
  void Zeit(const QString& text);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;

 private:
  void Male(int index, Qt::MouseButtons buttons);
};

// Efficiencies of the carrier and the outdoor temperature of a day (1..365) at 8 h.
struct SparDaten {
  int winter = 80, fruehlingHerbst = 75, sommer = 60;
  std::function<float(int)> luftTemp;
};

// Draws the savings diagram with its origin (35, 40) in a 287 x 266 area at the top left of area.
void DrawMonatsDiagramm(QPainter& painter, const QRect& area, const SparDaten& d);

class TSparDiagramm : public QWidget {
  Q_OBJECT
 public:
  explicit TSparDiagramm(QWidget* parent = nullptr);
  void SetDaten(const SparDaten& d);
  const SparDaten& Daten() const { return daten_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  SparDaten daten_;
};

}  // namespace tav
