#pragma once
// TXiButton: the program's gradient push button. A click closes its dialog with ModalResult
// when that is not 0.

#include <QPushButton>

namespace tav {

class TXiButton : public QPushButton {
  Q_OBJECT
 public:
  explicit TXiButton(QWidget* parent = nullptr);
  int ModalResult = 0;
};

}  // namespace tav
