#pragma once
// A paint device of a page (A4 or Letter at a resolution) that records every primitive
// painted on it: its kind, its bounding rectangle in device pixels and, for text, the text
// and font. Layout tests read the record instead of pixels.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTransform>
#include <climits>
#include <cmath>
#include <vector>

namespace tav::test {

struct TGezeichnet {
  enum Art { Text, Bild, Linie, Flaeche } art = Text;
  QRectF rect;  // device pixels
  QString text;
  double punkt = 0.0;
  bool fett = false, unter = false;
};

class TAufzeichnungsEngine : public QPaintEngine {
 public:
  TAufzeichnungsEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  std::vector<TGezeichnet> Liste;

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& s) override {
    if (s.state() & QPaintEngine::DirtyTransform) t_ = s.transform();
    if (s.state() & QPaintEngine::DirtyPen) stift_ = s.pen().widthF();
  }
  void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { Neu(TGezeichnet::Bild, r); }
  void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    Neu(TGezeichnet::Bild, r);
  }
  void drawTextItem(const QPointF& p, const QTextItem& ti) override {
    TGezeichnet g;
    g.art = TGezeichnet::Text;
    g.rect = t_.mapRect(QRectF(p.x(), p.y() - ti.ascent(), ti.width(), ti.ascent() + ti.descent()));
    g.text = ti.text();
    g.punkt = ti.font().pointSizeF();
    g.fett = ti.font().bold();
    g.unter = ti.font().underline();
    Liste.push_back(g);
  }
  void drawLines(const QLineF* l, int n) override {
    for (int i = 0; i < n; ++i)
      Neu(TGezeichnet::Linie, QRectF(l[i].p1(), l[i].p2()).normalized().adjusted(-stift_ / 2, -stift_ / 2, stift_ / 2, stift_ / 2));
  }
  void drawRects(const QRectF* r, int n) override {
    for (int i = 0; i < n; ++i) Neu(TGezeichnet::Flaeche, r[i]);
  }
  void drawPolygon(const QPointF* p, int n, PolygonDrawMode) override {
    QPolygonF poly;
    for (int i = 0; i < n; ++i) poly << p[i];
    Neu(TGezeichnet::Flaeche, poly.boundingRect());
  }
  void drawPath(const QPainterPath& path) override { Neu(TGezeichnet::Flaeche, path.boundingRect()); }

 private:
  void Neu(TGezeichnet::Art art, const QRectF& r) {
    TGezeichnet g;
    g.art = art;
    g.rect = t_.mapRect(r);
    Liste.push_back(g);
  }
  QTransform t_;
  double stift_ = 0.0;
};

// A page of Mm (width x height in millimetres) at Dpi.
class TAufzeichnungsSeite : public QPaintDevice {
 public:
  TAufzeichnungsSeite(QSizeF mm, int dpi) : mm_(mm), dpi_(dpi) {}
  ~TAufzeichnungsSeite() override = default;
  QPaintEngine* paintEngine() const override { return &engine_; }
  std::vector<TGezeichnet>& Liste() { return engine_.Liste; }
  int Breite() const { return metric(PdmWidth); }
  int Hoehe() const { return metric(PdmHeight); }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return static_cast<int>(std::lround(mm_.width() / 25.4 * dpi_));
      case PdmHeight: return static_cast<int>(std::lround(mm_.height() / 25.4 * dpi_));
      case PdmWidthMM: return static_cast<int>(mm_.width());
      case PdmHeightMM: return static_cast<int>(mm_.height());
      case PdmNumColors: return INT_MAX;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return dpi_;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  QSizeF mm_;
  int dpi_;
  mutable TAufzeichnungsEngine engine_;
};

}  // namespace tav::test
