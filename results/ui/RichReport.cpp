#include "results/ui/RichReport.h"

#include <QTextCursor>
#include <QTextDocument>

#include "results/ui/ResultPainter.h"

namespace tav {

void ShowReport(QTextEdit* Edit, const TReport& Report, const std::string& FontName) {
  Edit->clear();
  QTextDocument* doc = Edit->document();
  QFont font = Edit->font();
  font.setFamily(QString::fromStdString(FontName));
  doc->setDefaultFont(font);
  AppendReport(*doc, Report, Edit->logicalDpiX());
  Edit->moveCursor(QTextCursor::Start);
}

}  // namespace tav
