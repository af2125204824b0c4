#include "results/ui/RichReport.h"

#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>
#include <unordered_map>

#include "results/ui/ResultPainter.h"

namespace tav {

namespace {

// The family the screen asks for: the report font when it is installed, else its
// metric-compatible stand-in, else `standard`. A family that is not installed would make
// every text layout search all fonts for a fallback.
QString BildschirmFamilie(const QString& name, const QString& standard) {
  // Standard containers, not QHash: gcc 12 warns falsely about QHash's span allocation once
  // link-time optimisation inlines it here (-Walloc-size-larger-than).
  static std::unordered_map<QString, QString> gefunden;
  if (const auto it = gefunden.find(name); it != gefunden.end()) return it->second;
  struct Ersatz {
    QString name;
    QStringList familien;
  };
  static const Ersatz kErsatz[] = {
      {QStringLiteral("arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}},
      {QStringLiteral("times new roman"), {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")}},
      {QStringLiteral("courier new"), {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")}}};
  QStringList kandidaten{name};
  for (const Ersatz& e : kErsatz)
    if (e.name == name.toLower()) kandidaten += e.familien;
  const QStringList installiert = QFontDatabase::families();
  QString familie = standard;
  for (const QString& k : kandidaten) {
    if (installiert.contains(k, Qt::CaseInsensitive)) {
      familie = k;
      break;
    }
  }
  gefunden.emplace(name, familie);
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
