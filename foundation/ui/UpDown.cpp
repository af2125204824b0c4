#include "foundation/ui/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "foundation/TavUtil.h"

namespace tav {

TUpDown::TUpDown(int min, int max, QWidget* parent) : TUpDown(nullptr, min, max, 1, parent) {}

TUpDown::TUpDown(QLineEdit* associate, int min, int max, int increment, QWidget* parent)
    : QWidget(parent), Min(min), Max(max), Increment(increment), associate_(associate),
      position_(std::clamp(0, min, max)) {
  Auf = new QToolButton(this);
  Ab = new QToolButton(this);
  Auf->setObjectName("Auf");
  Ab->setObjectName("Ab");
  Auf->setArrowType(Qt::UpArrow);
  Ab->setArrowType(Qt::DownArrow);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(0);
  // The pair stands as high as the field beside it.
  const int h = std::max(10, (associate ? associate->sizeHint().height() : QLineEdit().sizeHint().height()) / 2);
  for (QToolButton* b : {Auf, Ab}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setFixedSize(16, h);
    l->addWidget(b);
  }
  connect(Auf, &QToolButton::clicked, this, [this] { Step(1); });
  connect(Ab, &QToolButton::clicked, this, [this] { Step(-1); });
  if (associate_) associate_->installEventFilter(this);
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, Min, Max);
  if (associate_) associate_->setText(QString::number(position_));
}

void TUpDown::Step(int direction) {
  int neu = position_ + direction * Increment;
  if (associate_) {
    std::int32_t code = 0;
    const QString text = associate_->text().trimmed();
    const double wert = StrToFloatComma(text.toStdString(), code);
    // A number with a fraction goes to the next whole step in the arrow's direction
    // (12,5 up gives 13, down 12).
    if (code == 0 && std::isfinite(wert) && !text.isEmpty()) {
      const double w = std::clamp(wert, -1e9, 1e9);
      neu = static_cast<int>(direction > 0 ? std::floor(w) : std::ceil(w)) + direction * Increment;
    }
  }
  SetPosition(neu);
  emit geklickt(direction > 0);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == associate_ && ArrowKeys && isEnabled() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tav
