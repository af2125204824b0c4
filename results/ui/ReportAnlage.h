#pragma once
// The system description laid out as rich text: the long form beside the main window's scheme,
// the short form in the results window.

#include <QTextEdit>

#include "foundation/TavVar.h"

namespace tav {

// Clears RichEdit and writes the description of the plant in S.
void ReportAnlage(QTextEdit* RichEdit, const TavState& S, bool LongForm);

}  // namespace tav
