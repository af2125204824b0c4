#include "results/ui/ReportAnlage.h"

#include "results/AnlageReport.h"
#include "results/ui/RichReport.h"

namespace tav {

void ReportAnlage(QTextEdit* RichEdit, const TavState& S, bool LongForm) {
  ReportAnlage(RichEdit, S, LongForm, S.run.DruckAktiv);
}

void ReportAnlage(QTextEdit* RichEdit, const TavState& S, bool LongForm, bool PrintMode) {
  ShowReport(RichEdit, AnlageReport(S, LongForm, PrintMode), S.print.AnzeigeFont);
}

}  // namespace tav
