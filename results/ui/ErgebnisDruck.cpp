#include "results/ui/ErgebnisDruck.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QFontMetrics>

#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/AnlageReport.h"
#include "results/DruckBilanz.h"
#include "results/PrintCharts.h"
#include "results/ResultReports.h"
#include "results/ui/DruckUebersicht.h"
#include "results/ui/ResultPainter.h"

namespace tav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The chart as a sharp picture (three times its screen size) for paper.
QImage ChartFuerPapier(const TavState& g) {
  constexpr int k = 3;
  QImage bild(kBalkenBildBreite * k, kBalkenBildHoehe * k, QImage::Format_RGB32);
  bild.setDotsPerMeterX(3780);  // 96 dpi: the chart's fonts as on screen
  bild.setDotsPerMeterY(3780);
  bild.fill(Qt::white);
  QPainter pa(&bild);
  pa.scale(k, k);
  if (g.plant.AnlagenTypNr == 2)
    PaintDeckungsDiagramm2(pa, QRect(0, 0, kBalkenBildBreite, kBalkenBildHoehe), g);
  else
    PaintDeckungsDiagramm(pa, QRect(0, 0, kBalkenBildBreite, kBalkenBildHoehe), g);
  return bild;
}

// A picture fitted into the box (X, Y, W, H) with its aspect kept, centred across.
void BildImKasten(TDruckBlatt& s, const QImage& bild, int x, int y, int w, int h) {
  if (bild.isNull() || w <= 0 || h <= 0) return;
  const int breite = std::min(w, static_cast<int>(static_cast<double>(h) * bild.width() / bild.height()));
  s.Bild(bild, x + (w - breite) / 2, y, breite);
}

// The yield bar chart below the ecology table: solar yield and energy saving per month in
// kWh, a thirteenth pair for the monthly average (computed here; the arrays keep their
// annual totals), with the kWh grid and a legend at its right.
void ErtragDiagramm(TDruckBlatt& b, const TavState& g) {
  const auto& r = g.results;
  std::array<double, 14> ertrag{}, einsparung{};
  double max = 0.0;
  for (int m = 1; m <= 12; ++m) {
    ertrag[m] = r.SolarertragMonat[static_cast<std::size_t>(m)] / 1000.0;
    einsparung[m] = r.BrennstoffMonat[static_cast<std::size_t>(m)] / 1000.0;
    ertrag[13] += ertrag[m] / 12.0;
    einsparung[13] += einsparung[m] / 12.0;
  }
  for (int m = 1; m <= 13; ++m) max = std::max({max, ertrag[m], einsparung[m]});
  const int x0 = b.RL() + b.SB() * 8 / 100, y0 = 41 * b.ZH();
  const double ux = (b.SB() * 66 / 100) / 481.0, uy = 1.3 * ux;
  const auto X = [&](double x) { return x0 + static_cast<int>(std::lround(x * ux)); };
  const auto Y = [&](double y) { return y0 + static_cast<int>(std::lround(y * uy)); };
  const bool farbe = b.Rahmen().Farbe;
  const QColor cErtrag = farbe ? QColor(204, 218, 240) : QColor(244, 244, 244);
  const QColor cEinsparung = farbe ? QColor(98, 143, 206) : QColor(170, 170, 170);
  b.Schrift(-2);
  b.P.setPen(QPen(Qt::black, b.Stift()));
  b.P.setBrush(Qt::NoBrush);
  b.P.drawPolyline(QPolygon({QPoint(X(0), Y(0)), QPoint(X(0), Y(200)), QPoint(X(415), Y(200)), QPoint(X(415), Y(0))}));
  const int th = b.Hoehe();
  if (max > 0.0) {
    // Scale and grid: none without a maximum; the step is at least 1 kWh.
    const double top = 1.05 * max;
    const double schritt = ErtragSkalaSchritt(top);
    for (double v = schritt; v == schritt || v <= top - schritt; v += schritt) {
      const double yb = 2.0 * (100.0 - 100.0 * v / top);
      b.P.setPen(QPen(Qt::gray, b.Stift(0.5)));
      b.P.drawLine(X(0), Y(yb), X(415), Y(yb));
      b.P.setPen(Qt::black);
      b.Text(b.RL(), Y(yb) - th / 2, QString::number(std::lround(v)));
    }
    b.P.setPen(Qt::black);
    b.Text(b.RL(), Y(10) - th / 2, QStringLiteral(" kWh"));
    b.P.setPen(QPen(Qt::black, b.Stift(0.5)));
    for (int m = 1; m <= 13; ++m) {
      const double o = 30.0 * (m - 1) + (m == 13 ? 15.0 : 0.0);
      const auto balken = [&](double a, double e, double wert, const QColor& c) {
        if (!(wert > 0.0)) return;
        b.P.setBrush(c);
        b.P.drawRect(QRect(QPoint(X(o + a), Y(2.0 * (100.0 - 100.0 * std::min(wert, top) / top))), QPoint(X(o + e), Y(200))));
      };
      balken(9, 29, einsparung[m], cEinsparung);
      balken(0, 21, ertrag[m], cErtrag);
    }
  }
  b.P.setBrush(Qt::NoBrush);
  for (int m = 1; m <= 12; ++m)
    b.Text(X(30.0 * (m - 1) + 3), Y(205), QString::fromStdString(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3));
  b.Text(X(373), Y(205), Q(T(TX::Monatsdurchschnitt)));
  // Legend at the right of the chart, moved left where its texts would pass the right edge.
  const QString l1 = Q(T(TX::Solarertrag)), l2 = Q(T(TX::Energieeinsparung));
  const int breite = X(447) - X(430) + std::max(b.Breite(l1), b.Breite(l2));
  const int dx = std::min(0, b.RR() - (X(430) + breite));
  b.P.setPen(QPen(Qt::black, b.Stift(0.5)));
  b.P.setBrush(cErtrag);
  b.P.drawRect(QRect(QPoint(X(430) + dx, Y(20)), QPoint(X(445) + dx, Y(40))));
  b.P.setBrush(cEinsparung);
  b.P.drawRect(QRect(QPoint(X(430) + dx, Y(60)), QPoint(X(445) + dx, Y(80))));
  b.P.setBrush(Qt::NoBrush);
  b.Text(X(447) + dx, Y(30) - th / 2, l1);
  b.Text(X(447) + dx, Y(70) - th / 2, l2);
  b.Schrift(0);
}

}  // namespace

int MaleReport(TDruckBlatt& s, const TReport& r, int y, int zeile) {
  const double ptPx = s.P.device()->logicalDpiX() / 72.0;
  std::size_t erste = 0;
  // The title line of the export form repeats the page's band: left out, with the gap after it.
  if (!r.Lines.empty() && r.Lines[0].Underlined()) {
    erste = 1;
    if (r.Lines.size() > 1 && r.Lines[1].Text.empty()) erste = 2;
  }
  for (std::size_t i = erste; i < r.Lines.size(); ++i) {
    const TReportLine& l = r.Lines[i];
    const bool unterstrichen = l.Underlined();
    std::size_t start = 0;
    int spalte = 0, x = s.RL();
    for (;;) {
      const std::size_t tab = l.Text.find('\t', start);
      const std::string zelle = l.Text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
      bool fett = l.WhollyBold();
      for (const TReportSpan& sp : l.Spans)
        if (sp.Bold && start < sp.Start + sp.Length && start + zelle.size() > sp.Start) fett = true;
      if (spalte > 0) {
        const int stop = spalte - 1 < static_cast<int>(l.Tabs.size())
                             ? s.RL() + static_cast<int>(std::lround(l.Tabs[spalte - 1] * ptPx))
                             : x;
        x = std::max(x, stop);
      }
      s.Schrift(l.SizeDelta, fett, unterstrichen);
      QString text = Q(zelle);
      // A text wider than the rest of the line shrinks down to 6 points, then is cut.
      for (int delta = l.SizeDelta - 1; s.Breite(text) > s.RR() - x && s.Rahmen().Punkt + delta >= 6; --delta)
        s.Schrift(delta, fett, unterstrichen);
      if (s.Breite(text) > s.RR() - x)
        text = QFontMetrics(s.P.font(), s.P.device()).elidedText(text, Qt::ElideRight, std::max(0, s.RR() - x));
      s.Text(x, y, text);
      x += s.Breite(text) + s.Breite(QStringLiteral(" "));
      if (tab == std::string::npos) break;
      start = tab + 1;
      ++spalte;
    }
    y += zeile;
  }
  s.Schrift(0);
  return y;
}

int PrintEnergiebilanz(TDruckBlatt& b, const TavState& s, int startZeile) {
  const TDruckEnergiebilanz t = DruckEnergiebilanz(s);
  const int zh = b.ZH();
  const auto X = [&](int spalte) {
    if (spalte < 0 || spalte >= static_cast<int>(t.Tab.size())) return b.RL();
    return b.RL() + static_cast<int>(std::lround(static_cast<double>(b.SB()) * t.Tab[static_cast<std::size_t>(spalte)] / 473.0));
  };
  for (std::size_t i = 0; i < t.Zeilen.size(); ++i) {
    const TDruckZeile& z = t.Zeilen[i];
    for (const TDruckZelle& c : z.Zellen) {
      b.Schrift(0, i < 2 || c.Fett);
      b.Text(X(c.Spalte), (startZeile + z.Zeile) * zh, Q(c.Text));
    }
  }
  b.Schrift(0);
  if (!t.Fussnote.empty()) {
    b.Schrift(-2);
    b.Text(b.RL(), static_cast<int>((startZeile + 16.5) * zh), Q(t.Fussnote));
    b.Schrift(0);
  }
  int zeile = startZeile + t.SummenZeile;
  if (!t.Summe.empty()) {
    b.Text(b.RL(), zeile * zh - zh / 3, Q(t.Summe));
    ++zeile;
  }
  b.Text(b.RL(), zeile * zh - zh / 3, Q(t.SpezText));
  b.Schrift(0, true);
  b.Text(b.RL() + b.Breite(Q(t.SpezText)), zeile * zh - zh / 3, Q(t.SpezWert));
  b.Schrift(0);
  // The rules under the units and above the year, as wide as the last heading.
  const int rechts = X(static_cast<int>(t.Tab.size()) - 1) + b.Breite(Q(T(TX::TabWirkungsgrad_a)));
  b.P.setPen(QPen(Qt::black, b.Stift()));
  for (int l : {3, 15}) b.P.drawLine(b.RL(), (startZeile + l) * zh, rechts, (startZeile + l) * zh);
  return (zeile + 1) * zh - zh / 3;
}

void MaleErgebnisSeite(QPainter& pa, const QRectF& seiteMm, int n, const TErgebnisDruck& d, const TavState& s) {
  if (n < 1 || n > static_cast<int>(d.Seiten.size())) return;
  const TDruckSeite& seite = d.Seiten[static_cast<std::size_t>(n - 1)];
  // The reports total the months into slot 13 of their arrays: they work on a copy.
  TavState g = s;
  g.run.DruckAktiv = true;
  TDruckBlatt b(pa, seiteMm, d.Rahmen);
  b.Kopf(Q(T(seite.Kopf)));
  b.Schrift(0);
  const int zh = b.ZH(), zk = b.ZK();
  const int unten = 58 * zh;  // everything above the footer line
  TReport r;
  switch (seite.Teil) {
    case TDruckTeilSeite::Report:
      PrintUebersicht(b, g, d.Schema);
      break;
    case TDruckTeilSeite::Energie: {
      r = AnlageReport(g, false, true);
      int y = MaleReport(b, r, 9 * zk, zk);
      // The table keeps its line 20 unless a long description reaches below it.
      y = PrintEnergiebilanz(b, g, std::max(20, (y + zk / 2 + zh - 1) / zh));
      const int y0 = std::max(38 * zh, y + zh / 2);
      const int x0 = b.RL() + b.SB() * 8 / 100;
      BildImKasten(b, ChartFuerPapier(g), x0, y0, b.SB() * 66 / 100, unten - y0);
      break;
    }
    case TDruckTeilSeite::Pool: {
      ReportPoolAnlage(r, g, true);
      int y = MaleReport(b, r, 10 * zh, zh);
      TReport bilanz;
      ReportPoolBilanz(bilanz, g, true);
      const int zeile = std::min(zh, (unten - y) / std::max(1, static_cast<int>(bilanz.Lines.size())));
      MaleReport(b, bilanz, std::max(y + zh / 2, 20 * zh), std::max(1, zeile));
      break;
    }
    case TDruckTeilSeite::Oeko: {
      ReportOekoAnlage(r, g, true);
      int y = MaleReport(b, r, 9 * zk, zk);
      TReport bilanz;
      ReportOekoBilanz(bilanz, g, true);
      const int y1 = std::max(y + zk / 2, 20 * zh);
      const int zeile = std::min(zk, (unten - y1) / std::max(1, static_cast<int>(bilanz.Lines.size())));
      MaleReport(b, bilanz, y1, std::max(1, std::min(zeile, (41 * zh - zh / 2 - y1) / std::max<int>(1, bilanz.Lines.size()))));
      ErtragDiagramm(b, g);
      break;
    }
  }
  b.Fuss(59, seite.Nummer);
}

}  // namespace tav
