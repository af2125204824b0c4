#pragma once
// The system description laid out as rich text: the long form beside the main window's scheme,
// the short form in the results window.

#include <QTextEdit>

#include "foundation/TavVar.h"

namespace tav {

// Clears RichEdit and writes the description of the plant in S; for paper and the clipboard
// (S.run.DruckAktiv set) with the widened tab stops and the title line.
void ReportAnlage(QTextEdit* RichEdit, const TavState& S, bool LongForm);
// The same with the print mode given explicitly.
void ReportAnlage(QTextEdit* RichEdit, const TavState& S, bool LongForm, bool PrintMode);

}  // namespace tav
