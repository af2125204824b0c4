#include "app/AssistentGrafik.h"

#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "app/FormHilfen.h"
#include "foundation/TavUtil.h"

namespace tav {

using form::Q;

namespace {

constexpr const char* kQm = " m²";

// Curve colours of ring records 0..5.
const QColor kKurvenFarben[kRingSaetze] = {QColor(0, 128, 45),    QColor(0, 0, 0),
                                           QColor(69, 69, 69),    QColor(128, 128, 128),
                                           QColor(170, 170, 170), QColor(212, 212, 212)};

// A tidy axis top: the value raised to 1, 2, 2.5, 5 or 10 times its power of ten.
double AchsenMax(double v) {
  if (!(v > 0.0)) return 1.0;
  const double p = std::pow(10.0, std::floor(std::log10(v)));
  for (double s : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (v <= s * p * 1.0000001) return s * p;
  return 10.0 * p;
}

}  // namespace

namespace assistent {

QString Zahl(double x, int dezimalen) { return Q(FloatToCommaStr(1, static_cast<std::uint8_t>(dezimalen), static_cast<float>(x))); }
double Wert(const QLineEdit* e, bool* ok) {
  std::int32_t code = 0;
  const double v = StrToFloatComma(e->text().trimmed().toStdString(), code);
  const bool gut = code == 0 && !e->text().trimmed().isEmpty() && std::isfinite(v);
  if (ok) *ok = gut;
  return gut ? v : 0.0;
}

}  // namespace assistent

using assistent::Wert;
using assistent::Zahl;

// --- Chart ----------------------------------------------------------------------------------

TJahreskurven::TJahreskurven(QWidget* parent) : QWidget(parent) {
  setMinimumSize(360, 220);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TJahreskurven::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  // No scale before a run has a result to draw on it.
  if (!Dim || !(AchsenBasis > 0.0f)) return;
  QFont f = font();
  f.setPointSize(9);
  p.setFont(f);
  const QFontMetrics fm(f);
  const QRectF plot(fm.horizontalAdvance("00000 kWh/m²") + 8, 10,
                    width() - fm.horizontalAdvance("00000 kWh/m²") - 20 - 130, height() - 20 - 2 * fm.height());
  if (plot.width() < 40 || plot.height() < 40) return;
  const double top = AchsenMax(Absolut ? AchsenBasis : (ZielFlaeche > 0 ? AchsenBasis / ZielFlaeche : 0));
  const QString einheit = Absolut ? " kWh" : " kWh/m²";
  p.setPen(QColor(220, 220, 220));
  for (int i = 0; i <= 5; ++i) {
    const double y = plot.bottom() - plot.height() * i / 5.0;
    p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  }
  p.setPen(Qt::black);
  for (int i = 0; i <= 5; ++i) {
    const double y = plot.bottom() - plot.height() * i / 5.0;
    p.drawText(QRectF(0, y - fm.height() / 2.0, plot.left() - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
               Zahl(top * i / 5.0, 0) + einheit);
  }
  p.drawRect(plot);
  static const char* monate = "JFMAMJJASOND";
  for (int m = 0; m < 12; ++m) {
    const double x = plot.left() + plot.width() * (m + 0.5) / 12.0;
    p.drawText(QRectF(x - 8, plot.bottom() + 2, 16, fm.height()), Qt::AlignCenter, QString(QChar(monate[m])));
  }
  // Largest area first, each with its legend entry.
  std::array<int, kRingSaetze> folge{};
  for (int k = 0; k < kRingSaetze; ++k) folge[static_cast<std::size_t>(k)] = k;
  std::stable_sort(folge.begin(), folge.end(), [this](int a, int b) {
    return Dim->Ring[static_cast<std::size_t>(a)][0] > Dim->Ring[static_cast<std::size_t>(b)][0];
  });
  int zeile = 0;
  for (int k : folge) {
    const TErtragsSatz& rec = Dim->Ring[static_cast<std::size_t>(k)];
    if (!(rec[0] > 0.0f)) continue;
    const bool aktuell = std::fabs(rec[0] - AktFlaeche) < 0.001f;
    const double teiler = Absolut ? 1.0 : rec[0];
    QPainterPath pfad(QPointF(plot.left(), plot.bottom()));
    double summe = 0.0;
    for (int t = 1; t <= 365; ++t) {
      summe += rec[static_cast<std::size_t>(t)] / teiler;
      const double y = plot.bottom() - std::min(1.05, summe / top) * plot.height();
      pfad.lineTo(plot.left() + plot.width() * t / 365.0, y);
    }
    p.setPen(QPen(kKurvenFarben[k], aktuell ? 3.0 : 1.2));
    p.drawPath(pfad);
    const double ly = plot.top() + 4 + zeile++ * (fm.height() + 4);
    p.drawLine(QPointF(plot.right() + 10, ly + fm.height() / 2.0), QPointF(plot.right() + 30, ly + fm.height() / 2.0));
    p.setPen(Qt::black);
    QFont lf = f;
    lf.setBold(aktuell);
    p.setFont(lf);
    p.drawText(QRectF(plot.right() + 34, ly, 100, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               Zahl(rec[0], 2) + kQm);
    p.setFont(f);
  }
}

// --- Orientation picture ----------------------------------------------------------------------

TWinkelbild::TWinkelbild(QWidget* parent, QLineEdit* ng, QLineEdit* az) : QWidget(parent), ng_(ng), az_(az) {
  setMinimumSize(260, 120);
}

void TWinkelbild::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  const double h = height(), b = width() / 2.0;
  const double rad = 3.14159265358979 / 180.0;
  // Side view: ground line and the collector tilted by the angle.
  const QPointF fuss(b * 0.3, h * 0.8);
  p.setPen(QPen(QColor(0x37, 0x47, 0x4F), 1.5));
  p.drawLine(QPointF(10, h * 0.8), QPointF(b - 10, h * 0.8));
  // A field that holds no number yet (being typed) draws as its limit would.
  const double ngGrad = std::clamp(Wert(ng_), 0.0, 90.0), azGrad = std::clamp(Wert(az_), -180.0, 180.0);
  const double ng = ngGrad * rad, len = std::min(b * 0.55, h * 0.6);
  p.setPen(QPen(QColor(0xD3, 0x2F, 0x2F), 4));
  p.drawLine(fuss, fuss + QPointF(len * std::cos(ng), -len * std::sin(ng)));
  p.setPen(Qt::black);
  p.drawText(QRectF(0, 2, b, 18), Qt::AlignCenter, Zahl(ngGrad, ngGrad == std::round(ngGrad) ? 0 : 1) + "°");
  // Top view: compass with south at the bottom, the arrow turned by the azimuth.
  const QPointF m(b * 1.5, h * 0.6);
  const double r = std::min(b, h) * 0.27;
  p.setPen(QPen(QColor(0x37, 0x47, 0x4F), 1));
  p.drawEllipse(m, r, r);
  p.drawText(QRectF(m.x() - 10, m.y() + r + 1, 20, 14), Qt::AlignCenter, "S");
  p.drawText(QRectF(m.x() - 10, m.y() - r - 15, 20, 14), Qt::AlignCenter, "N");
  const double az = azGrad * rad;  // positive: west of south
  const QPointF spitze = m + QPointF(-r * std::sin(az), r * std::cos(az));
  p.setPen(QPen(QColor(0x19, 0x76, 0xD2), 3));
  p.drawLine(m, spitze);
  p.setPen(Qt::black);
  p.drawText(QRectF(b + 6, 2, b / 2, 18), Qt::AlignLeft | Qt::AlignVCenter, Zahl(azGrad, 1) + "°");
}

}  // namespace tav
