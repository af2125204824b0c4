#include "app/Schema.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include "foundation/ui/ResBitmap.h"

namespace tav {

namespace {
// Storage codes that pick a picture.
constexpr int kKaskadeSpeicher = 13;  // cascade with an auxiliary store (else a flow-through heater)
constexpr int kKombiMitWT = 10;       // combination store with a drinking-water heat exchanger

// The drawing of picture Name from the program's resources (empty: none).
QByteArray SvgDaten(const QString& name) {
  QFile f(QStringLiteral(":/pictures/%1.svg").arg(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Paints drawing Svg with its own size at Pos of the scheme's frame.
void MaleSvg(QPainter& p, const QByteArray& svg, const QPointF& pos) {
  QSvgRenderer r(svg);
  if (r.isValid()) r.render(&p, QRectF(pos, QSizeF(r.defaultSize())));
}
}  // namespace

QString SchemaBaseName(int anlagenTyp, int kaskadeTyp, int heizkreisTyp) {
  const bool variantOk = heizkreisTyp >= 1 && heizkreisTyp <= 4;
  const QChar variant = variantOk ? QChar(u'a' + (heizkreisTyp - 1)) : QChar();
  switch (anlagenTyp) {
    case 1: case 2: case 3: case 4:
      return QStringLiteral("Schema%1").arg(anlagenTyp);
    case 5:
      return kaskadeTyp == kKaskadeSpeicher ? QStringLiteral("Schema5") : QStringLiteral("Schema5DLE");
    case 6:
      // Only one combination-store picture is shown, whatever the heating-circuit variant.
      return QStringLiteral("Schema6b");
    case 7: case 8:
      return variantOk ? QStringLiteral("Schema%1%2").arg(anlagenTyp).arg(variant) : QString();
    default:
      return QString();
  }
}

std::vector<SchemaOverlay> SchemaOverlays(const PlantState& P) {
  std::vector<SchemaOverlay> list;
  const int typ = P.AnlagenTypNr;
  if (typ == 6 && P.KombiSpTyp == kKombiMitWT) {
    list.push_back({QStringLiteral("ImageKombiWT"), QPoint(105, 101), true, QSize(40, 97)});
  }
  if (P.Pool) {
    if (typ == 1) list.push_back({QStringLiteral("PoolClip"), QPoint(188, 95)});
    else list.push_back({QStringLiteral("PoolClip2"), QPoint(151, 206)});
  }
  if (P.AntiLegionella) {
    if (typ == 1) list.push_back({QStringLiteral("Schema1Legio"), QPoint(146, 138)});
    else if (typ == 4) list.push_back({QStringLiteral("Schema4Legio"), QPoint(146, 139)});
  }
  return list;
}

QByteArray SvgInGrau(const QByteArray& svg) {
  static const QRegularExpression farbe(QStringLiteral("#([0-9A-Fa-f]{6})\\b"));
  QString text = QString::fromUtf8(svg);
  QString aus;
  aus.reserve(text.size());
  qsizetype bis = 0;
  for (auto it = farbe.globalMatch(text); it.hasNext();) {
    const auto m = it.next();
    const QColor c(QLatin1Char('#') + m.captured(1));
    const int grau = qGray(c.rgb());
    aus += text.mid(bis, m.capturedStart() - bis) + QColor(grau, grau, grau).name(QColor::HexRgb).toUpper();
    bis = m.capturedEnd();
  }
  aus += text.mid(bis);
  return aus.toUtf8();
}

TDruckBild SchemaDruckBild(const PlantState& P) {
  TDruckBild b;
  b.Format = QSizeF(SchemaBreite, SchemaHoehe);
  const QString basis = SchemaBaseName(P.AnlagenTypNr, P.KaskadeTyp, P.HeizkreisTyp);
  const std::vector<SchemaOverlay> overlays = SchemaOverlays(P);
  b.Vektor = [basis, overlays](QPainter& p, const QRectF& ziel, bool grau) {
    const auto svg = [grau](const QString& name) {
      const QByteArray d = SvgDaten(name);
      return grau ? SvgInGrau(d) : d;
    };
    p.translate(ziel.topLeft());
    p.scale(ziel.width() / SchemaBreite, ziel.height() / SchemaHoehe);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRectF(0, 0, SchemaBreite, SchemaHoehe), Qt::white);
    if (!basis.isEmpty()) MaleSvg(p, svg(basis), QPointF(0, 0));
    for (const SchemaOverlay& o : overlays) {
      if (o.copy) {
        // A copied overlay replaces the scheme in its area.
        p.save();
        p.setClipRect(QRectF(o.pos, o.size));
        p.fillRect(QRectF(o.pos, o.size), Qt::white);
        MaleSvg(p, svg(o.name), QPointF(o.pos));
        p.restore();
      } else {
        MaleSvg(p, svg(o.name), QPointF(o.pos));
      }
    }
  };
  return b;
}

QImage ShowSchema(const TavState& S) {
  const PlantState& P = S.plant;
  const QImage& base = LoadResBitmap(SchemaBaseName(P.AnlagenTypNr, P.KaskadeTyp, P.HeizkreisTyp));
  const qreal dpr = base.devicePixelRatio() > 1.0 ? base.devicePixelRatio() : 1.0;

  // A white canvas of the scheme's size, so an empty or missing picture still gives a scheme.
  QImage img(QSize(SchemaBreite, SchemaHoehe) * dpr, QImage::Format_RGB32);
  img.setDevicePixelRatio(dpr);
  img.fill(Qt::white);
  QPainter p(&img);
  p.drawImage(QPointF(0, 0), base);
  for (const SchemaOverlay& o : SchemaOverlays(P)) {
    const QImage& pic = LoadResBitmap(o.name);
    if (o.copy) {
      const qreal r = pic.devicePixelRatio();
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(QRectF(o.pos, o.size), pic, QRectF(QPointF(0, 0), QSizeF(o.size) * r));
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
      p.drawImage(QPointF(o.pos), pic);
    }
  }
  return img;
}

}  // namespace tav
