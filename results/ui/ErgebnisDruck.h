#pragma once
// The printout of the results window: the summary sheet, the energy balance with its chart,
// the pool page and the ecology page, each in the common page frame. Every page is painted
// from a copy of the state, so printing never changes the monthly results.

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <vector>

#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "results/PrintSelection.h"
#include "results/ReportModel.h"

namespace tav {

struct TErgebnisDruck {
  std::vector<TDruckSeite> Seiten;  // the page sequence of the selection
  TSeitenrahmen Rahmen;
  TDruckBild Schema;                // the plant scheme of the main window (may be empty)
};

// The title of the results' print job (and of its PDF file): "Simulation - " + the project's
// name + the tail that names the selected sections.
QString DruckJobTitel(const TavState& g, const std::string& zusatz);

// Paints page N (1-based) of the printout; S is the state the pages describe.
void MaleErgebnisSeite(QPainter& pa, const QRectF& seiteMm, int n, const TErgebnisDruck& d, const TavState& s);
// Prints the monthly energy balance of S from line StartZeile on (header, 13 rows, rules,
// footnote and closing lines) in the texts of `texte`; returns the y below its last line.
int PrintEnergiebilanz(TDruckBlatt& b, const TavState& s, int startZeile,
                       const TTextTable& texte = Texts());

}  // namespace tav
