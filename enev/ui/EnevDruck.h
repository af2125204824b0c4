#pragma once
// The printed EnEV report: the page frame titled "Auswertung"/"Simulation nach EnEV / DIN
// 4701-10", the report's lines from line 9 in three columns and, after a simulation, the
// energy balance from line 38.

#include <QPainter>
#include <QRectF>

#include "enev/EnevDatei.h"

class QWidget;

namespace tav {

// Paints the page onto the painter; Mm is the page in millimetres.
void PrintEnevSeite(QPainter& pa, const QRectF& mm, TavState& s, const enev::EnevStand& st,
                    int modus);
// The print command: the chosen printer, or a PDF file (PdfDatei given, or where no printer
// is installed). True when the page was printed.
bool PrintEnevBericht(QWidget* parent, TavState& s, const enev::EnevStand& st, int modus,
                      const QString& pdfDatei = {});

}  // namespace tav
