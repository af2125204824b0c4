#pragma once
// Lays a report out as rich text in a read-only text view.

#include <QTextEdit>
#include <string>

#include "results/ReportModel.h"

namespace tav {

// Clears Edit and writes the lines of Report in FontName, each paragraph with its tab stops
// (points, converted to the view's pixels) and the emphasis its spans record.
void ShowReport(QTextEdit* Edit, const TReport& Report, const std::string& FontName);

}  // namespace tav
