#include "results/ui/ReportAnlage.h"

namespace tav {

// Placeholder until the description's content is computed.
void ReportAnlage(QTextEdit* RichEdit, const TavState&, bool) { RichEdit->clear(); }

}  // namespace tav
