#include "foundation/ui/XiButton.h"

#include <QDialog>

namespace tav {

TXiButton::TXiButton(QWidget* parent) : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, [this] {
    if (ModalResult == 0) return;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
      if (auto* d = qobject_cast<QDialog*>(w)) {
        d->done(ModalResult);
        return;
      }
  });
}

}  // namespace tav
