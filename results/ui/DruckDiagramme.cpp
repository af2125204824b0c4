#include "results/ui/DruckDiagramme.h"

#include <algorithm>
#include <cmath>
#include <QFontMetrics>
#include <QStringList>
#include <vector>

#include "foundation/TextTable.h"
#include "results/PrintCharts.h"

namespace tav {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Nothing of a chart goes below this line: the footer follows at line 59.
constexpr int kZeileUnten = 58;

// Chart units on the page: 481 units across 66 % of the page width, starting 8 % of the
// page width right of the left margin.
struct TAchsen {
  int X0 = 0, Y0 = 0;
  double Fx = 1.0, Fy = 1.0;
  int X(double x) const { return X0 + static_cast<int>(std::lround(x * Fx)); }
  int Y(double y) const { return Y0 + static_cast<int>(std::lround(y * Fy)); }
};

TAchsen Achsen(const TDruckBlatt& b) {
  TAchsen a;
  a.X0 = b.RL() + b.SB() * 8 / 100;
  a.Fx = (b.SB() * 66 / 100) / 481.0;
  a.Fy = a.Fx;
  return a;
}

QRectF Kasten(const TAchsen& a, double x1, double y1, double x2, double y2) {
  return QRectF(QPointF(a.X(x1), a.Y(y1)), QPointF(a.X(x2), a.Y(y2)));
}

struct TFarbe {
  QColor Stift, Pinsel;
};

// Pen and brush of a series, in colour or in greys for a monochrome printer.
TFarbe SerienFarbe(TBalkenSerie s, bool farbe, bool solHeizung) {
  const QColor schwarz(Qt::black);
  switch (s) {
    case TBalkenSerie::Wirkungsgrad: return {schwarz, farbe ? QColor(204, 218, 240) : QColor(128, 128, 128)};
    case TBalkenSerie::Warmwasser:
    case TBalkenSerie::NurWarmwasser:
      if (farbe) return {schwarz, solHeizung ? QColor(163, 188, 227) : QColor(98, 143, 206)};
      return {schwarz, solHeizung ? QColor(212, 212, 212) : QColor(244, 244, 244)};
    case TBalkenSerie::Gesamt: return {schwarz, farbe ? QColor(98, 143, 206) : QColor(170, 170, 170)};
    case TBalkenSerie::Pool:
      return {farbe ? schwarz : QColor(69, 69, 69), farbe ? QColor(204, 218, 240) : QColor(Qt::white)};
  }
  return {schwarz, Qt::white};
}

// ---- Legend ----------------------------------------------------------------------------

struct TEintrag {
  TFarbe Farbe;
  QStringList Zeilen;  // the label, a line each
  QString Klein;       // a note under it, a point smaller
};

// Text broken at blanks into lines no wider than Breite (a single word stays whole).
QStringList Umbruch(TDruckBlatt& b, const QString& text, int breite) {
  QStringList zeilen;
  for (const QString& wort : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!zeilen.isEmpty() && b.Breite(zeilen.back() + QLatin1Char(' ') + wort) <= breite)
      zeilen.back() += QLatin1Char(' ') + wort;
    else
      zeilen.push_back(wort);
  }
  return zeilen;
}

// The legend of the monthly charts in rows under the month labels: the entries flow from X0
// to the right margin and wrap into a further row where the next would not fit; a label
// wider than a row wraps at its blanks, so no text is cut. Returns the legend's height;
// paints it from Oben when Malen is set. Chart font in place.
int Legende(TDruckBlatt& b, const std::vector<TEintrag>& eintraege, int x0, int oben, bool malen) {
  // Line steps a pixel above the font's height, so the lines of an entry never overlap.
  const int th = b.Hoehe() + 1;
  b.Schrift(-3);
  const int kth = b.Hoehe() + 1;
  b.Schrift(-2);
  const int kh = th * 3 / 4, kb = kh * 4 / 3, luecke = kh / 2, abstand = 2 * kh;
  const int platz = std::max(1, b.RR() - x0 - kb - luecke);
  int x = x0, y = oben, reihe = 0;
  for (const TEintrag& e : eintraege) {
    QStringList zeilen;
    for (const QString& z : e.Zeilen) zeilen += Umbruch(b, z, platz);
    int breit = 0;
    for (const QString& z : zeilen) breit = std::max(breit, b.Breite(z));
    b.Schrift(-3);
    const QStringList klein = e.Klein.isEmpty() ? QStringList() : Umbruch(b, e.Klein, platz);
    for (const QString& z : klein) breit = std::max(breit, b.Breite(z));
    b.Schrift(-2);
    const int breite = kb + luecke + breit;
    const int hoehe = static_cast<int>(zeilen.size()) * th + static_cast<int>(klein.size()) * kth;
    if (x > x0 && x + breite > b.RR()) {
      x = x0;
      y += reihe + th / 6;
      reihe = 0;
    }
    if (malen) {
      b.P.setPen(QPen(e.Farbe.Stift, b.Stift(1.5)));
      b.P.setBrush(e.Farbe.Pinsel);
      b.P.drawRect(QRect(x, y + (th - kh) / 2, kb, kh));
      b.P.setPen(Qt::black);
      b.P.setBrush(Qt::NoBrush);
      int yz = y;
      for (const QString& z : zeilen) {
        b.Text(x + kb + luecke, yz, z);
        yz += th;
      }
      b.Schrift(-3);
      for (const QString& z : klein) {
        b.Text(x + kb + luecke, yz, z);
        yz += kth;
      }
      b.Schrift(-2);
    }
    reihe = std::max(reihe, hoehe);
    x += breite + abstand;
  }
  return y + reihe - oben;
}

// Height under the baseline that the month labels and a legend of that height take.
int UnterDerGrundlinie(int th, int legende) { return th / 4 + th + th / 3 + legende; }

// ---- Monthly efficiency and fraction chart ---------------------------------------------

// Both monthly charts: the general one from (0, 50) to (415, 300), top 125 %, with the white
// line at the 120 % cap; the plant-type-2 one from (0, 0), top 150 %, vertically compressed
// by 130/150, with break marks at the top of its axes.
void MonatsDiagramm(TDruckBlatt& b, const TavState& g, bool typ2, int yMin) {
  const auto& p = g.plant;
  const bool farbe = b.Rahmen().Farbe;
  const auto farbeVon = [&](TBalkenSerie s) {
    // Type 2 shows the whole fraction darker and its hot-water-only share over it lighter.
    if (typ2 && s == TBalkenSerie::Warmwasser && p.SolHeizung) s = TBalkenSerie::Gesamt;
    return SerienFarbe(s, farbe, p.SolHeizung);
  };
  b.Schrift(-2);
  const int th = b.Hoehe();

  std::vector<TEintrag> eintraege;
  eintraege.push_back({farbeVon(TBalkenSerie::Wirkungsgrad), {Q(T(TX::Wirkungsgrad))}, {}});
  if (typ2) {
    eintraege.push_back({farbeVon(TBalkenSerie::Warmwasser), {Q(T(TX::Deckungsrate))}, {}});
    if (p.SolHeizung)
      eintraege.push_back({farbeVon(TBalkenSerie::NurWarmwasser), {Q(T(TX::Deckungsrate)), Q(T(TX::nurWW))}, {}});
  } else {
    eintraege.push_back({farbeVon(TBalkenSerie::Warmwasser), {Q(T(TX::Deckungsrate)), Q(T(TX::Warmwasser))}, {}});
    if (p.SolHeizung)
      eintraege.push_back({farbeVon(TBalkenSerie::Gesamt), {Q(T(TX::Deckungsrate)), Q(T(TX::gesamt))},
                           p.Pool ? Q("(" + T(TX::nurTWWuHeiz) + ")") : QString()});
    if (p.Pool)
      eintraege.push_back({farbeVon(TBalkenSerie::Pool),
                           {Q(T(TX::TabPool)), Q("(" + T(p.SolHeizung ? TX::relTWWuHeizBedarf : TX::relTWWBedarf) + ")")},
                           {}});
  }

  // Placement: the frame's top below the table above; month labels and legend between the
  // baseline and line 58, the chart lowered in height where the page would not hold them.
  TAchsen a = Achsen(b);
  const int oben = typ2 ? 0 : 50;
  const double fy = typ2 ? a.Fx * 130.0 / 150.0 : a.Fx;
  a.Y0 = std::max((typ2 ? 41 : 38) * b.ZH(), yMin - static_cast<int>(std::lround(oben * fy)));
  const int legende = Legende(b, eintraege, a.X0, 0, false);
  const int platz = kZeileUnten * b.ZH() - a.Y0 - UnterDerGrundlinie(th, legende);
  a.Fy = std::clamp(platz / static_cast<double>(kDruckBasis), fy / 4.0, fy);

  b.P.setPen(QPen(Qt::black, b.Stift(2)));
  b.P.setBrush(Qt::white);
  b.P.drawPolyline(QPolygon({QPoint(a.X(0), a.Y(oben)), QPoint(a.X(0), a.Y(kDruckBasis)),
                             QPoint(a.X(415), a.Y(kDruckBasis)), QPoint(a.X(415), a.Y(oben))}));
  for (int k = 1; k <= 5; ++k) {
    const int y = kDruckBasis - 40 * k;
    b.P.drawLine(a.X(0), a.Y(y), a.X(415), a.Y(y));
    b.Text(b.RL(), a.Y(y) - th / 2, QString::number(20 * k) + "%");
  }
  const int monate = a.Y(kDruckBasis) + th / 4;
  for (int m = 1; m <= 12; ++m) {
    const QString t = Q(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3);
    b.Text(a.X(30 * (m - 1) + 15) - b.Breite(t) / 2, monate, t);
  }
  b.Text(a.X(373), monate, Q(T(TX::Jahresschnitt)));
  Legende(b, eintraege, a.X0, monate + th + th / 3, true);

  // Bars as stacks of boxes, each bar outlined at double the pen width; the efficiency one box.
  const int stift = b.Stift(1.5);
  const auto balken = typ2 ? DruckDeckungsBalken2(g.results, p) : DruckDeckungsBalken(g.results, p);
  for (const TDruckBalken& z : balken) {
    const TFarbe f = farbeVon(z.Serie);
    b.P.setPen(QPen(f.Stift, stift));
    b.P.setBrush(f.Pinsel);
    if (z.Serie == TBalkenSerie::Wirkungsgrad) {
      b.P.drawRect(Kasten(a, z.A, kDruckBasis - 2 * z.Hoehe, z.B, kDruckBasis));
      continue;
    }
    for (const auto& [t, u] : StapelKaesten(z.Hoehe)) b.P.drawRect(Kasten(a, z.A, t, z.B, u));
    b.P.setPen(QPen(f.Stift, 2 * stift));
    b.P.setBrush(Qt::NoBrush);
    b.P.drawRect(Kasten(a, z.A, kDruckBasis - 2 * z.Hoehe, z.B, kDruckBasis));
  }
  if (typ2) {
    // Break marks: the axes go on above 150 %.
    b.P.setPen(QPen(Qt::black, b.Stift(2)));
    for (int x : {0, 415})
      for (int y : {8, 14}) b.P.drawLine(a.X(x - 5), a.Y(y + 3), a.X(x + 5), a.Y(y - 3));
  } else {
    // A gap in every bar that reaches the cap; flat ends, so it leaves the frame whole. The
    // bars' top edge, which the white line covers, is drawn again: they end inside the chart
    // with the gap just below their top rather than run off it.
    b.P.setPen(QPen(Qt::white, 4 * stift, Qt::SolidLine, Qt::FlatCap));
    b.P.drawLine(a.X(2), a.Y(kDruckKappeY), a.X(413), a.Y(kDruckKappeY));
    for (const TDruckBalken& z : balken) {
      if (z.Hoehe < kDruckKappe) continue;
      b.P.setPen(QPen(farbeVon(z.Serie).Stift, 2 * stift, Qt::SolidLine, Qt::SquareCap));
      b.P.drawLine(a.X(z.A), a.Y(kDruckKappeY), a.X(z.B), a.Y(kDruckKappeY));
    }
  }
  b.P.setPen(Qt::black);
  b.P.setBrush(Qt::white);
  b.Schrift(0);
}

}  // namespace

void PrintDeckungsDiagramm(TDruckBlatt& b, const TavState& g, int yMin) { MonatsDiagramm(b, g, false, yMin); }

void PrintDeckungsDiagramm2(TDruckBlatt& b, const TavState& g, int yMin) { MonatsDiagramm(b, g, true, yMin); }

// ---- Yield bar chart -------------------------------------------------------------------

void PrintOekoDiagramm(TDruckBlatt& b, const TavState& g) {
  const TErtragWerte w = ErtragWerte(g.results);
  const bool farbe = b.Rahmen().Farbe;
  const QColor cErtrag = farbe ? QColor(204, 218, 240) : QColor(244, 244, 244);
  const QColor cEinsparung = farbe ? QColor(98, 143, 206) : QColor(170, 170, 170);
  b.Schrift(-2);
  const int th = b.Hoehe();
  TAchsen a = Achsen(b);
  a.Y0 = 41 * b.ZH();
  // The month labels end above line 58; on a short page the chart is lowered in height.
  const double platz = (kZeileUnten * b.ZH() - a.Y0 - th) / 205.0;
  a.Fy = std::clamp(platz, 0.325 * a.Fx, 1.3 * a.Fx);

  b.P.setBrush(Qt::white);
  b.P.setPen(QPen(Qt::black, b.Stift(2)));
  b.P.drawPolyline(QPolygon(
      {QPoint(a.X(0), a.Y(0)), QPoint(a.X(0), a.Y(200)), QPoint(a.X(415), a.Y(200)), QPoint(a.X(415), a.Y(0))}));
  if (w.Top > 0.0) {
    b.P.setPen(QPen(Qt::black, b.Stift()));
    // The values right-aligned in six digits' width from the left margin.
    const int rechts = b.RL() + b.Breite(QStringLiteral("000000"));
    for (double v : w.Raster) {
      const double y = 2.0 * (100.0 - 100.0 * v / w.Top);
      b.P.drawLine(a.X(0), a.Y(y), a.X(415), a.Y(y));
      b.TextRechts(rechts, a.Y(y) - th / 2, QString::number(std::lround(v)));
    }
    b.Text(b.RL(), a.Y(10) - th / 2, QStringLiteral(" kWh"));
  }
  for (int m = 1; m <= 12; ++m)
    b.Text(a.X(30 * (m - 1) + 3), a.Y(205), Q(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3));
  b.Text(a.X(373), a.Y(205), Q(T(TX::Monatsdurchschnitt)));

  // Legend right of the chart, its labels under the boxes; moved left where a label would
  // pass the right margin.
  const QString l1 = Q(T(TX::Solarertrag)), l2 = Q(T(TX::Energieeinsparung));
  const int dx = std::min(0, b.RR() - (a.X(430) + std::max(b.Breite(l1), b.Breite(l2))));
  const int stift = b.Stift(1.5);
  b.P.setPen(QPen(Qt::black, stift));
  b.P.setBrush(cErtrag);
  b.P.drawRect(Kasten(a, 430, 20, 445, 40).translated(dx, 0));
  b.P.setBrush(cEinsparung);
  b.P.drawRect(Kasten(a, 430, 60, 445, 80).translated(dx, 0));
  b.P.setBrush(Qt::white);
  b.Text(a.X(430) + dx, a.Y(42), l1);
  b.Text(a.X(430) + dx, a.Y(82), l2);

  // The saving bar first, the yield bar over it; the average pair 15 units right of December.
  for (int m = 1; m <= 13; ++m) {
    const double o = 30.0 * (m - 1) + (m == 13 ? 15.0 : 0.0);
    const auto idx = static_cast<std::size_t>(m);
    const auto balken = [&](double x1, double x2, int h, const QColor& c) {
      if (h <= 0) return;
      b.P.setBrush(c);
      b.P.drawRect(Kasten(a, o + x1, 2.0 * (100 - std::min(h, 100)), o + x2, 200));
    };
    balken(9, 29, w.HEinsparung[idx], cEinsparung);
    balken(0, 21, w.HErtrag[idx], cErtrag);
  }
  b.P.setBrush(Qt::white);
  b.P.setPen(Qt::black);
  b.Schrift(0);
}

}  // namespace tav
