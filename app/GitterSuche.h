#pragma once
// TGitterSuche: type-ahead in the wizard's grids. A letter key (without Shift, Ctrl or Alt)
// starts or extends the search text; the upper-cased text is compared with the beginning of
// the grid's search column in the rows below the current one, and the first match becomes
// the current row; a letter that finds nothing is dropped from the text again. An extending
// letter also accepts the current row, so "JEN" stays on "Jena" rather than moving past it.
// Any other key ends the search and then does what it always does, except Enter and Escape,
// which only end it (a second press moves on or cancels). Leaving the grid ends it too.

#include <QObject>
#include <QString>
#include <map>

class QTableWidget;

namespace tav {

class TGitterSuche : public QObject {
  Q_OBJECT
 public:
  explicit TGitterSuche(QObject* parent = nullptr);

  // Searches `gitter` on column `spalte`.
  void Beobachte(QTableWidget* gitter, int spalte);
  bool Aktiv() const { return aktiv_; }
  const QString& Text() const { return text_; }
  void Beende();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Buchstabe(QTableWidget* gitter, int spalte, QChar c);

  std::map<QTableWidget*, int> spalten_;
  bool aktiv_ = false;
  QString text_;
};

}  // namespace tav
