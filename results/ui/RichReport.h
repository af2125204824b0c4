#pragma once
// Lays a report out as rich text in a read-only text view.

#include <QTextEdit>
#include <string>

#include "results/Report.h"

namespace tav {

// Clears Edit and writes the lines of Report in FontName, each paragraph with the report's
// tab stops (points, converted to the view's pixels) and each line in its emphasis.
void ShowReport(QTextEdit* Edit, const TReport& Report, const std::string& FontName);

}  // namespace tav
