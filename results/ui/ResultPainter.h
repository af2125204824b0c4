#pragma once
// Painting of the result charts and the rich-text layout of the reports. Each chart routine
// paints into the rectangle it is given (the chart's pixel coordinates start at its top
// left), so one routine serves the window, the clipboard and a printed page.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTextDocument>

#include "foundation/TavVar.h"
#include "results/ReportModel.h"
#include "results/ResultCharts.h"

namespace tav {

inline constexpr int kBalkenBildBreite = 520, kBalkenBildHoehe = 385;
inline constexpr int kKurvenBildBreite = 470, kKurvenBildHoehe = 300;

// The monthly bar chart (general variant, or the plant-type-2 variant).
void PaintDeckungsDiagramm(QPainter& pa, const QRect& rect, const TavState& g);
void PaintDeckungsDiagramm2(QPainter& pa, const QRect& rect, const TavState& g);
// The curves of the view in Stand.
void PaintKurven(QPainter& pa, const QRect& rect, const TavState& g, const TKurvenStand& stand);

// The chart as a picture of its own size.
QImage DeckungsBild(const TavState& g);
QImage KurvenBild(const TavState& g, const TKurvenStand& stand);

// Colour of a curve (the legend swatch shows the same).
QColor KurvenFarbe(TKurve k);

// Appends the report to Doc: one block per line, tab stops converted from points at the
// document's resolution (DotsPerInch) and widened by TabScale, bold and underline from the
// recorded spans.
void AppendReport(QTextDocument& doc, const TReport& r, double dotsPerInch, double tabScale = 1.0);
// The report as RTF (tab stops in twips), for the clipboard.
QByteArray ReportToRtf(const TReport& r, const QString& fontName, int pointSize);

}  // namespace tav
