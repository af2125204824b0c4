#include "results/ui/ErgebnisDruck.h"

#include <algorithm>
#include <cmath>


#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/AnlageReport.h"
#include "results/DruckBilanz.h"
#include "results/ResultReports.h"
#include "results/ui/DruckDiagramme.h"
#include "results/ui/DruckSeiten.h"
#include "results/ui/DruckUebersicht.h"
#include "results/ui/ResultPainter.h"

namespace tav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QString DruckJobTitel(const TavState& g, const std::string& zusatz) {
  return Q(T(TX::Simulation) + " - " + g.plant.ProjektName + zusatz);
}

int PrintEnergiebilanz(TDruckBlatt& b, const TavState& s, int startZeile, const TTextTable& texte) {
  const TDruckEnergiebilanz t = DruckEnergiebilanz(s, texte);
  const int zh = b.ZH();
  const auto X = [&](int spalte) {
    if (spalte < 0 || spalte >= static_cast<int>(t.Tab.size())) return b.RL();
    return b.RL() + static_cast<int>(std::lround(static_cast<double>(b.SB()) * t.Tab[static_cast<std::size_t>(spalte)] / 473.0));
  };
  // The two heading lines in one size, the largest (down to 6 points) in which every heading
  // ends a blank before the next heading of its line, or the right margin.
  int kopf = 0;
  for (;; --kopf) {
    b.Schrift(kopf, true);
    bool passt = true;
    for (std::size_t i = 0; i < 2 && i < t.Zeilen.size(); ++i) {
      const auto& zellen = t.Zeilen[i].Zellen;
      for (std::size_t k = 0; k < zellen.size(); ++k) {
        const int grenze = k + 1 < zellen.size() ? X(zellen[k + 1].Spalte) : b.RR();
        passt = passt && X(zellen[k].Spalte) + b.Breite(Q(zellen[k].Text) + QStringLiteral(" ")) <= grenze;
      }
    }
    if (passt || b.Rahmen().Punkt + kopf <= 6) break;
  }
  // The rules reach past the widest text of the last column, its bold heading included.
  const int letzte = static_cast<int>(t.Tab.size()) - 1;
  int regelEnde = 0;
  for (std::size_t i = 0; i < t.Zeilen.size(); ++i) {
    const TDruckZeile& z = t.Zeilen[i];
    for (const TDruckZelle& c : z.Zellen) {
      b.Schrift(i < 2 ? kopf : 0, i < 2 || c.Fett);
      b.Text(X(c.Spalte), (startZeile + z.Zeile) * zh, Q(c.Text));
      if (c.Spalte == letzte) regelEnde = std::max(regelEnde, X(c.Spalte) + b.Breite(Q(c.Text)));
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
  const int rechts = std::max(X(letzte) + b.Breite(Q(texte[TX::TabWirkungsgrad_a])), regelEnde);
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
  const int zh = b.ZH();
  switch (seite.Teil) {
    case TDruckTeilSeite::Report:
      PrintUebersicht(b, g, d.Schema);
      break;
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
