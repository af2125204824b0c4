#include "app/AnlageGrafik.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "planning/AnlageRechnen.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TZiGrid::TZiGrid(QWidget* parent) : QWidget(parent) {
  setObjectName("ImageZ");
  setFixedSize(414, 100);
  setMouseTracking(true);
}

void TZiGrid::SetZeiten(const std::array<bool, 97>& z) {
  Zeiten = z;
  update();
}

int TZiGrid::IndexBei(QPoint p) {
  if (p.x() < 1 || p.x() > 383 || p.y() < 21 || p.y() > 92) return 0;
  const int c = std::min(p.x() / 8, 47);
  const int r = std::min((p.y() - 21) / 36, 1);
  return 48 * r + c + 1;
}

QRect TZiGrid::ZellRechteck(int index) {
  const int c = (index - 1) % 48, r = (index - 1) / 48;
  return QRect(QPoint(8 * c + 1, 36 * r + 21), QPoint(8 * (c + 1) - 1, 36 * (r + 1) + 19));
}

void TZiGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  for (int i = 1; i <= 96; ++i) p.fillRect(ZellRechteck(i), QColor(Zeiten[i] ? kAn : kAus));
  p.setPen(QPen(Qt::blue, 1));
  for (int n = 1; n <= 11; ++n) p.drawLine(32 * n, 21, 32 * n, 92);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(192, 3, 192, 20);
  // Hours above the columns, every third.
  QFont f = font();
  f.setPixelSize(9);
  p.setFont(f);
  for (int h = 0; h <= 12; h += 3)
    p.drawText(QRect(std::max(1, 32 * h - 10), 4, 20, 14), h == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter,
               QString::number(h));
}

void TZiGrid::Male(int index, Qt::MouseButtons buttons) {
  if (index == 0) return;
  if (buttons & Qt::RightButton) {
    Zeiten[index] = false;
  } else if (buttons & Qt::LeftButton) {
    Zeiten[index] = true;
  } else {
    return;
  }
  update(ZellRechteck(index));
}

void TZiGrid::mousePressEvent(QMouseEvent* e) { Male(IndexBei(e->position().toPoint()), e->buttons()); }

void TZiGrid::mouseMoveEvent(QMouseEvent* e) {
  const int i = IndexBei(e->position().toPoint());
  if (i == 0) {
    emit Zeit(QString());
    return;
  }
  emit Zeit(Q(ViertelstundeText(i)));
  Male(i, e->buttons());
}

void TZiGrid::leaveEvent(QEvent*) { emit Zeit(QString()); }

void DrawMonatsDiagramm(QPainter& p, const QRect& area, const SparDaten& d) {
  p.save();
  p.translate(area.topLeft());
  p.fillRect(QRect(0, 0, 287, 266), Qt::white);
  const int x0 = 35, y0 = 40, breite = 144, hoehe = 165;
  const TTextTable& t = Texts();
  QFont titel = p.font();
  titel.setBold(true);
  titel.setPointSize(10);
  p.setFont(titel);
  p.setPen(QColor(34, 139, 34));
  p.drawText(QRect(0, 6, 287, 20), Qt::AlignHCenter | Qt::AlignTop, Q(t.Text(TX::FormAnlageLabel56)));
  QFont normal = p.font();
  normal.setBold(false);
  normal.setPointSize(8);
  p.setFont(normal);
  const QFontMetrics fm(normal);

  // Bars first, axes over them.
  for (int m = 1; m <= 12; ++m) {
    const float temp = d.luftTemp ? d.luftTemp(30 * m - 15) : 10.0f;
    const int e = NutzgradBeiTemperatur(temp, d.winter, d.fruehlingHerbst, d.sommer);
    const double f = SparFaktor(e);
    const TRgb c = ValueToColor(e);
    const int oben = y0 + static_cast<int>(std::lround((3.0 - f) * 55.0));
    p.fillRect(QRect(QPoint(x0 + 12 * m - 10, oben), QPoint(x0 + 12 * m - 1, y0 + hoehe - 1)),
               QColor(c.R, c.G, c.B));
  }

  p.setPen(QPen(Qt::black, 1));
  p.drawRect(x0, y0, breite, hoehe);
  for (int k = 1; k <= 5; ++k) {
    const double v = k * 0.5;
    const int y = y0 + static_cast<int>(std::lround((3.0 - v) * 55.0));
    p.drawLine(x0, y, x0 + 8, y);
    const QString s = Q(FloatToCommaStr(1, k % 2 == 0 ? 0 : 1, static_cast<float>(v)));
    p.drawText(QRect(0, y - 8, x0 - 7, 16), Qt::AlignRight | Qt::AlignVCenter, s);
  }
  p.drawText(QRect(2, y0 - 16, 60, 14), Qt::AlignLeft | Qt::AlignVCenter, "kWh");
  p.drawText(QRect(2, y0 + hoehe + 20, 140, 14), Qt::AlignLeft | Qt::AlignVCenter, Q(t.Text(TX::KonvEnergie)));
  for (int m = 1; m <= 12; ++m) {
    const QString b = Q(t.Monatsnamen[static_cast<std::size_t>(m)]).left(1);
    p.drawText(QRect(x0 + 12 * (m - 1), y0 + hoehe + 2, 12, 14), Qt::AlignCenter, b);
  }

  // Right axis: outdoor temperature, -10..25 °C at 3 px per kelvin.
  const int xr = x0 + breite;
  auto yT = [&](double temp) { return y0 + 150 - static_cast<int>(std::lround((temp + 10.0) * 3.0)); };
  p.setPen(QPen(Qt::blue, 1));
  for (int temp = -10; temp <= 25; temp += 5) {
    const int y = yT(temp);
    const int lang = (temp == 5 || temp == 15) ? 8 : 4;
    p.drawLine(xr, y, xr + lang, y);
    p.drawText(QRect(xr + 6 + 4, y - 8, 40, 16), Qt::AlignLeft | Qt::AlignVCenter,
               Q(FloatToPointStr(4, 0, temp)).trimmed());
  }
  p.drawText(QRect(xr + 6, y0 - 16, 40, 14), Qt::AlignLeft | Qt::AlignVCenter, "°C");
  p.drawText(QRect(120, y0 + hoehe + 20, 287 - 122, 14), Qt::AlignRight | Qt::AlignVCenter, Q(t.Text(TX::Luft)));
  if (d.luftTemp) {
    QPainterPath kurve;
    for (int tag = 1; tag <= 365; tag += 2) {
      const QPointF pt(x0 + breite * (tag - 0.5) / 365.0, yT(d.luftTemp(tag)));
      if (tag == 1) kurve.moveTo(pt); else kurve.lineTo(pt);
    }
    p.setPen(QPen(Qt::blue, 2));
    p.setClipRect(QRect(x0, y0, breite + 1, hoehe + 1));
    p.drawPath(kurve);
  }
  p.restore();
}

TSparDiagramm::TSparDiagramm(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setFixedSize(287, 266);
}

void TSparDiagramm::SetDaten(const SparDaten& d) {
  daten_ = d;
  update();
}

void TSparDiagramm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawMonatsDiagramm(p, rect(), daten_);
}

}  // namespace tav
