#include "app/RechnerForm.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"

namespace tav {

TUpDown::TUpDown(QLineEdit* associate, int min, int max, int increment, QWidget* parent)
    : QWidget(parent), Min(min), Max(max), Increment(increment), associate_(associate) {
  Up = new QToolButton(this);
  Down = new QToolButton(this);
  Up->setArrowType(Qt::UpArrow);
  Down->setArrowType(Qt::DownArrow);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(0);
  const int h = std::max(10, associate->sizeHint().height() / 2);
  for (QToolButton* b : {Up, Down}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setFixedSize(16, h);
    l->addWidget(b);
  }
  connect(Up, &QToolButton::clicked, this, [this] { Step(1); });
  connect(Down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, Min, Max);
  associate_->setText(QString::number(position_));
}

void TUpDown::Step(int direction) {
  std::int32_t code = 0;
  const double wert = StrToFloatComma(associate_->text().toStdString(), code);
  int pos = position_;
  if (code == 0 && std::isfinite(wert) && !associate_->text().trimmed().isEmpty())
    pos = static_cast<int>(std::lround(std::clamp(wert, -1e9, 1e9)));
  SetPosition(pos + direction * Increment);
  emit geklickt();
}

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
