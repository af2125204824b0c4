#include "results/ui/RichReport.h"

#include <QFontDatabase>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>

#include "results/ui/ResultPainter.h"

namespace tav {

namespace {

// The family the screen asks for: the report font when it is installed, else its
// metric-compatible stand-in, else `standard`. A family that is not installed would make
// every text layout search all fonts for a fallback.
QString BildschirmFamilie(const QString& name, const QString& standard) {
  static QHash<QString, QString> gefunden;
  if (const auto it = gefunden.constFind(name); it != gefunden.constEnd()) return *it;
  static const QHash<QString, QStringList> kErsatz = {
      {QStringLiteral("arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}},
      {QStringLiteral("times new roman"), {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")}},
      {QStringLiteral("courier new"), {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")}}};
  const QStringList installiert = QFontDatabase::families();
  QString familie = standard;
  for (const QString& k : QStringList{name} + kErsatz.value(name.toLower())) {
    if (installiert.contains(k, Qt::CaseInsensitive)) {
      familie = k;
      break;
    }
  }
  gefunden.insert(name, familie);
  return familie;
}

}  // namespace

void ShowReport(QTextEdit* Edit, const TReport& Report, const std::string& FontName) {
  Edit->clear();
  QTextDocument* doc = Edit->document();
  QFont font = Edit->font();
  font.setFamily(BildschirmFamilie(QString::fromStdString(FontName), font.family()));
  doc->setDefaultFont(font);
  AppendReport(*doc, Report, Edit->logicalDpiX());
  Edit->moveCursor(QTextCursor::Start);
}

}  // namespace tav
