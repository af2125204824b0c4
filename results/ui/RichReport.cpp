#include "results/ui/RichReport.h"

#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace tav {

void ShowReport(QTextEdit* Edit, const TReport& Report, const std::string& FontName) {
  Edit->clear();
  QTextDocument* doc = Edit->document();
  QFont font = Edit->font();
  font.setFamily(QString::fromStdString(FontName));
  doc->setDefaultFont(font);

  const double pixelsPerPoint = Edit->logicalDpiX() / 72.0;
  QList<QTextOption::Tab> tabs;
  for (int stop : Report.TabStops)
    tabs.append(QTextOption::Tab(stop * pixelsPerPoint, QTextOption::LeftTab));
  QTextBlockFormat block;
  block.setTabPositions(tabs);

  QTextCursor cursor(doc);
  cursor.beginEditBlock();
  bool first = true;
  for (const TReportLine& line : Report.Lines) {
    QTextCharFormat chars;
    chars.setFontWeight(line.Bold ? QFont::Bold : QFont::Normal);
    chars.setFontUnderline(line.Underline);
    if (first) {
      cursor.setBlockFormat(block);
      cursor.setBlockCharFormat(chars);
      first = false;
    } else {
      cursor.insertBlock(block, chars);
    }
    cursor.insertText(QString::fromStdString(line.Text), chars);
  }
  cursor.endEditBlock();
  Edit->moveCursor(QTextCursor::Start);
}

}  // namespace tav
