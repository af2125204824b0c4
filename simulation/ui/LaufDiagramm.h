#pragma once
// The live diagram of the run window: a year of one pixel per day and one pixel per percent
// (0..200 %), with month lines, the 100 % line, a legend and up to four curves that grow
// while the run goes on. The curves are kept as points, so one routine paints the window,
// a grab or a printed page at any time.

#include <QPoint>
#include <QRect>
#include <array>
#include <vector>

class QPainter;

namespace tav {

class TLaufDiagramm {
 public:
  // The curves in the order the run delivers them.
  enum Kurve { kWirkungsgrad = 0, kDeckung = 1, kDeckungWW = 2, kPoolAnteil = 3 };
  static constexpr int kKurven = 4;

  // Pixel geometry of the picture at its natural size.
  static constexpr int DiagX0 = 35;      // left edge of the plot
  static constexpr int DiagY0 = 20;      // top edge of the plot
  static constexpr int DiagHoehe = 200;  // 0..200 %
  static constexpr int DiagTage = 365;   // one pixel per day of the simulated year
  static constexpr int kBreite = 580;
  static constexpr int kHoehe = 250;

  // The empty diagram: no curves; the hot-water coverage is shown with space heating or a
  // pool, the pool share with a pool.
  void Leeren(bool solHeizung, bool pool);
  // Every curve starts afresh at the next point (a new weather year): no line joins it to
  // the last point of the year before. The curves of earlier years stay, drawn paler.
  void ResetDiagrammPunkte();
  // The values (percent) of day simTag (1..365). A value that is not finite (no divisor yet)
  // is not drawn and breaks its curve.
  void Laufwerte(int simTag, const std::array<float, kKurven>& werte);

  // Paints the whole diagram scaled into ziel (at its natural size one unit is one pixel).
  void Zeichne(QPainter& painter, const QRect& ziel) const;

  bool ZeigtDeckungWW() const { return mitWW_; }
  bool ZeigtPool() const { return mitPool_; }
  // A connected run of points of one curve (x = day, y = percent, capped at 200) and the
  // weather year it belongs to (0 = the first since the diagram was emptied).
  struct Kurvenzug {
    int jahr = 0;
    std::vector<QPoint> punkte;
  };
  const std::vector<Kurvenzug>& Kurvenzuege(Kurve k) const { return zuege_[k]; }

 private:
  bool Gezeigt(int k) const { return k < 2 || (k == kDeckungWW && mitWW_) || (k == kPoolAnteil && mitPool_); }
  bool mitWW_ = false;
  bool mitPool_ = false;
  int jahr_ = 0;
  std::array<std::vector<Kurvenzug>, kKurven> zuege_;
  std::array<bool, kKurven> offen_{};  // the last run of the curve takes the next point
};

}  // namespace tav
