#include "app/GitterSuche.h"

#include <QKeyEvent>
#include <QTableWidget>
#include <algorithm>

namespace tav {

TGitterSuche::TGitterSuche(QObject* parent) : QObject(parent) {}

void TGitterSuche::Beobachte(QTableWidget* gitter, int spalte) {
  spalten_[gitter] = spalte;
  gitter->installEventFilter(this);
}

void TGitterSuche::Beende() {
  aktiv_ = false;
  text_.clear();
}

void TGitterSuche::Buchstabe(QTableWidget* gitter, int spalte, QChar c) {
  // A fresh search looks below the current row; an extended one keeps the current row when
  // it still matches.
  const int ab = gitter->currentRow() + (text_.isEmpty() ? 1 : 0);
  aktiv_ = true;
  const QString suche = text_ + c.toUpper();
  for (int z = std::max(0, ab); z < gitter->rowCount(); ++z) {
    const QTableWidgetItem* zelle = gitter->item(z, spalte);
    if (zelle && zelle->text().toUpper().startsWith(suche)) {
      text_ = suche;
      gitter->setCurrentCell(z, std::max(0, gitter->currentColumn()));
      gitter->scrollToItem(gitter->item(z, std::max(0, gitter->currentColumn())));
      return;
    }
  }
}

bool TGitterSuche::eventFilter(QObject* watched, QEvent* event) {
  auto* gitter = qobject_cast<QTableWidget*>(watched);
  const auto it = gitter ? spalten_.find(gitter) : spalten_.end();
  if (it == spalten_.end()) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) {
    Beende();
  } else if (event->type() == QEvent::ShortcutOverride) {
    // An accelerator (Alt + letter) reaches its button without a key press in the grid.
    if (static_cast<QKeyEvent*>(event)->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) Beende();
  } else if (event->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(event);
    const QString t = k->text();
    const bool buchstabe = t.size() == 1 && t[0].isLetter();
    const bool umschalt =
        k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (buchstabe && !umschalt) {
      Buchstabe(gitter, it->second, t[0]);
      return true;
    }
    const bool warAktiv = aktiv_;
    Beende();
    // A letter never goes to the grid's own search; Enter and Escape first end a search.
    if (buchstabe) return true;
    if (warAktiv && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Escape))
      return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tav
