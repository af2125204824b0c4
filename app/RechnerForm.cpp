#include "app/RechnerForm.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"

namespace tav {

void TRechnerForm::SetzeFelder(std::vector<QLineEdit*> felder) {
  felder_ = std::move(felder);
  for (QLineEdit* f : felder_) f->installEventFilter(this);
}

void TRechnerForm::SetzeText(QLineEdit* feld, const QString& text) {
  feld->setText(text);
  gut_[feld] = text;
}

bool TRechnerForm::LeseZahl(QLineEdit* feld, double& wert) {
  std::int32_t code = 0;
  const QString text = feld->text();
  wert = StrToFloatComma(text.toStdString(), code);
  if (code == 0 && std::isfinite(wert) && !text.trimmed().isEmpty()) {
    gut_[feld] = text;
    return true;
  }
  // The focus moving to the refused field must not start another computation meanwhile.
  meldend_ = true;
  ShowMessageLines(ENonsenseInput().what());
  const auto it = gut_.find(feld);
  feld->setText(it != gut_.end() ? it->second : QString("0"));
  feld->setFocus();
  feld->selectAll();
  meldend_ = false;
  return false;
}

bool TRechnerForm::eventFilter(QObject* watched, QEvent* event) {
  auto* feld = qobject_cast<QLineEdit*>(watched);
  const auto it = std::find(felder_.begin(), felder_.end(), feld);
  if (feld && it != felder_.end()) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // On to the next field of the cycle; leaving this one recomputes.
        QLineEdit* naechstes = (it + 1 == felder_.end()) ? felder_.front() : *(it + 1);
        if (naechstes == feld) {
          Rechne();
        } else {
          naechstes->setFocus(Qt::TabFocusReason);
          naechstes->selectAll();
        }
        return true;
      }
      if (key == Qt::Key_Escape) {
        reject();
        return true;
      }
    }
    if (event->type() == QEvent::FocusOut && !meldend_ && isVisible()) {
      const auto grund = static_cast<QFocusEvent*>(event)->reason();
      // Another window or a menu taking the focus is no leaving of the field.
      if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason) Rechne();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TRechnerForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tav
