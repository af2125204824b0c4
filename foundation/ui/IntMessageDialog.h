#pragma once
// TFormIntMessageDialog: the program's own message dialog. Title and button captions come
// from the text table at every call, so they follow the chosen language.

#include <QDialog>
#include <string>
#include <vector>

#include "foundation/Messages.h"

class QLabel;
class QPushButton;

namespace tav {

class TXiPanel;

class TFormIntMessageDialog : public QDialog {
  Q_OBJECT
 public:
  // Composes the dialog for Msg (lines split by "\n"), type and buttons.
  TFormIntMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        QWidget* parent = nullptr);

  // Runs the dialog; the modal result of the button pressed, 2 when closed without one.
  int Execute();

  // Object names of the buttons, in the order of the button set.
  static const char* ButtonName(TMsgDlgBtn b);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Compose(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons);

  TXiPanel* panel_ = nullptr;
  QLabel* icon_ = nullptr;
  QLabel* message_ = nullptr;
  std::vector<QPushButton*> buttons_;
  QPushButton* escapeButton_ = nullptr;
};

}  // namespace tav
