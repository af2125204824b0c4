#include "results/ui/ErgebnisDruck.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>

#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/AnlageReport.h"
#include "results/DruckBilanz.h"
#include "results/Uebersicht.h"
#include "results/ResultReports.h"
#include "results/ui/DruckDiagramme.h"
#include "results/ui/DruckSeiten.h"
#include "results/ui/ResultPainter.h"

namespace tav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The disclaimer lines at the foot of the summary sheet: 2 points smaller than the page,
// shrunk a point at a time until the widest fits the text width, but not below 6 points.
void Hinweise(TDruckBlatt& s, int y) {
  const TX texte[] = {TX::ReportDisclaimer1, TX::ReportDisclaimer2, TX::ReportDisclaimer3, TX::ReportDisclaimer4,
                      TX::ReportDisclaimer5};
  const int u = s.SB() / 209;
  const int grenze = s.RR() - s.RL() + static_cast<int>(std::lround(2.5 * u));
  int delta = -2;
  for (;;) {
    s.Schrift(delta);
    int breitest = 0;
    for (TX t : texte) breitest = std::max(breitest, s.Breite(Q(T(t))));
    if (breitest <= grenze || s.Rahmen().Punkt + delta <= 6) break;
    --delta;
  }
  const int zeile = std::min(s.Hoehe(), s.ZK() * 8 / 10);
  for (TX t : texte) {
    s.Text(s.RL(), y, Q(T(t)));
    y += zeile;
  }
  s.Schrift(0);
}

}  // namespace

void ZweizeiligerKollektor(TDruckBlatt& b, TReport& r, const std::string& name) {
  const int grenze = static_cast<int>(std::lround(45.0 * b.SB() / 209.0));
  const std::string kopf = T(TX::Kollektor) + ":\t";
  for (std::size_t i = 0; i < r.Lines.size(); ++i) {
    if (r.Lines[i].Text != kopf + name) continue;
    b.Schrift(0, true);
    const bool zuBreit = b.Breite(Q(name)) > grenze;
    b.Schrift(0);
    const std::string teil1 = SplitTextTwoLines(name, 1), teil2 = SplitTextTwoLines(name, 2);
    if (!zuBreit || teil1.empty() || teil2.empty()) return;
    TReportLine zweite = r.Lines[i];
    r.Lines[i].Text = kopf + teil1;
    zweite.Text = "\t" + teil2;
    for (TReportLine* l : {&r.Lines[i], &zweite})
      for (TReportSpan& sp : l->Spans) sp = {0, l->Text.size(), sp.Bold, sp.Underline};
    r.Lines.insert(r.Lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(zweite));
    return;
  }
}

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
  TReport r;
  switch (seite.Teil) {
    case TDruckTeilSeite::Report: {
      const int u = b.SB() / 209;
      int y = 9 * zk;
      if (!d.Schema.isNull()) {
        const int breite = static_cast<int>(std::lround(77.0 * u));
        y += b.Bild(d.Schema, b.RL() + (b.RR() - b.RL() - breite) / 2, y, breite) + zk;
      }
      r = AnlageReport(g, true, true);
      ZweizeiligerKollektor(b, r, g.plant.Kollektor);
      TReport ergebnisse = ErgebnisUebersicht(g);
      AddLine(r, "");
      for (auto& l : ergebnisse.Lines) r.Lines.push_back(std::move(l));
      // The disclaimers end above the footer line (five lines at the small font).
      const int hinweise = 58 * zh - 5 * (zk * 8 / 10);
      // Long descriptions close up so the sheet holds them above the disclaimers.
      const int zeile = r.Lines.empty() ? zk : std::min(zk, (hinweise - zk / 2 - y) / static_cast<int>(r.Lines.size()));
      MaleReport(b, r, y, std::max(1, zeile));
      Hinweise(b, hinweise);
      break;
    }
    case TDruckTeilSeite::Energie: {
      int y = PrintAnlageBilanz(b, g);
      // The table keeps its line 20 unless a long description reaches below it.
      y = PrintEnergiebilanz(b, g, std::max(20, (y + zh - 1) / zh));
      if (g.plant.AnlagenTypNr == 2) PrintDeckungsDiagramm2(b, g, y + zh / 2);
      else PrintDeckungsDiagramm(b, g, y + zh / 2);
      break;
    }
    case TDruckTeilSeite::Pool: {
      const int y = PrintAnlagePool(b, g);
      PrintPoolBilanz(b, g, std::max(20, (y + zh - 1) / zh));
      break;
    }
    case TDruckTeilSeite::Oeko: {
      PrintAnlageOeko(b, g);
      PrintOekoBilanz(b, g);
      PrintOekoDiagramm(b, g);
      break;
    }
  }
  b.Fuss(59, seite.Nummer);
}

}  // namespace tav
