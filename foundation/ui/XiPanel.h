#pragma once
// TXiPanel: the background panel of the program's dialogs. For now a plain panel filling its
// dialog; the gradient painting and colour schemes come with the panel of its own.

#include <QWidget>

namespace tav {

class TXiPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TXiPanel(QWidget* parent = nullptr);
};

}  // namespace tav
