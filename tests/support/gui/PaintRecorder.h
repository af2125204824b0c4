#pragma once
// A paint device that records what is painted on it instead of rasterising: every line,
// rectangle, polygon, text and picture with its bounding box in device pixels (pen width
// included), its pen and brush. Layout tests check positions, colours and page bounds on it
// at any paper size and resolution without the cost of a picture.

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <cmath>
#include <vector>

namespace tav::test {

struct TPrimitiv {
  enum Art { Linie, Rechteck, Polygon, Text, Bild, Pfad } Typ = Linie;
  QRectF Box;         // device pixels; lines and outlines include half the pen width
  QLineF Strecke;     // lines only
  QColor Stift;       // invalid: no pen
  double StiftBreite = 0.0;
  QColor Pinsel;      // invalid: no brush
  QString Inhalt;     // texts only
  QFont Schrift;      // texts only
  QSize Quelle;       // pictures only: the picture's size in its own pixels
};

class TRecorderEngine : public QPaintEngine {
 public:
  TRecorderEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  std::vector<TPrimitiv> Liste;

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  Type type() const override { return QPaintEngine::User; }

  void drawRects(const QRectF* r, int n) override {
    for (int i = 0; i < n; ++i) Neu(TPrimitiv::Rechteck, Welt().mapRect(r[i]), true);
  }
  void drawRects(const QRect* r, int n) override {
    for (int i = 0; i < n; ++i) {
      const QRectF f(r[i]);
      drawRects(&f, 1);
    }
  }
  void drawLines(const QLineF* l, int n) override {
    for (int i = 0; i < n; ++i) {
      const QLineF s = Welt().map(l[i]);
      Neu(TPrimitiv::Linie, QRectF(s.p1(), s.p2()).normalized(), false).Strecke = s;
    }
  }
  void drawLines(const QLine* l, int n) override {
    for (int i = 0; i < n; ++i) {
      const QLineF f(l[i]);
      drawLines(&f, 1);
    }
  }
  void drawPolygon(const QPointF* p, int n, PolygonDrawMode mode) override {
    QPolygonF poly;
    for (int i = 0; i < n; ++i) poly << p[i];
    Neu(TPrimitiv::Polygon, Welt().map(poly).boundingRect(), mode != PolylineMode);
  }
  void drawPolygon(const QPoint* p, int n, PolygonDrawMode mode) override {
    std::vector<QPointF> f(p, p + n);
    drawPolygon(f.data(), n, mode);
  }
  void drawPath(const QPainterPath& path) override {
    Neu(TPrimitiv::Pfad, Welt().map(path).boundingRect(), true);
  }
  void drawEllipse(const QRectF& r) override { Neu(TPrimitiv::Pfad, Welt().mapRect(r), true); }
  void drawPixmap(const QRectF& r, const QPixmap&, const QRectF& q) override {
    TPrimitiv& p = Neu(TPrimitiv::Bild, Welt().mapRect(r), false);
    p.Stift = QColor();
    p.Quelle = q.size().toSize();
  }
  void drawImage(const QRectF& r, const QImage&, const QRectF& q, Qt::ImageConversionFlags) override {
    TPrimitiv& p = Neu(TPrimitiv::Bild, Welt().mapRect(r), false);
    p.Stift = QColor();
    p.Quelle = q.size().toSize();
  }
  void drawTiledPixmap(const QRectF& r, const QPixmap&, const QPointF&) override {
    Neu(TPrimitiv::Bild, Welt().mapRect(r), false).Stift = QColor();
  }
  void drawTextItem(const QPointF& p, const QTextItem& t) override {
    const QFontMetricsF fm(t.font(), paintDevice());
    const QPointF o = Welt().map(p);
    TPrimitiv& r = Neu(TPrimitiv::Text,
                       QRectF(o.x(), o.y() - fm.ascent(), fm.horizontalAdvance(t.text()), fm.height()), false);
    r.Inhalt = t.text();
    r.Schrift = t.font();
    r.StiftBreite = 0.0;
  }

 private:
  QTransform Welt() const { return painter()->transform(); }

  TPrimitiv& Neu(TPrimitiv::Art art, QRectF box, bool pinsel) {
    TPrimitiv p;
    p.Typ = art;
    const QPen& pen = painter()->pen();
    if (pen.style() != Qt::NoPen) {
      p.Stift = pen.color();
      p.StiftBreite = std::max(1.0, pen.widthF());
      if (art != TPrimitiv::Text && art != TPrimitiv::Bild) {
        const double h = p.StiftBreite / 2.0;
        box.adjust(-h, -h, h, h);
      }
    }
    if (pinsel && painter()->brush().style() != Qt::NoBrush) p.Pinsel = painter()->brush().color();
    p.Box = box;
    Liste.push_back(p);
    return Liste.back();
  }
};

// A page of Mm millimetres at Dpi, recording.
class TRecorder : public QPaintDevice {
 public:
  TRecorder(QSizeF mm, int dpi) : mm_(mm), dpi_(dpi) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const std::vector<TPrimitiv>& Liste() const { return engine_.Liste; }
  int Breite() const { return static_cast<int>(std::lround(mm_.width() / 25.4 * dpi_)); }
  int Hoehe() const { return static_cast<int>(std::lround(mm_.height() / 25.4 * dpi_)); }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return Breite();
      case PdmHeight: return Hoehe();
      case PdmWidthMM: return static_cast<int>(std::lround(mm_.width()));
      case PdmHeightMM: return static_cast<int>(std::lround(mm_.height()));
      case PdmNumColors: return 1 << 24;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return dpi_;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return QPaintDevice::metric(m);
    }
  }

 private:
  QSizeF mm_;
  int dpi_;
  mutable TRecorderEngine engine_;
};

}  // namespace tav::test
