#pragma once
// TFormIntMessageDialog: the program's own message dialog. Title and button captions come
// from the text table at every call, so they follow the chosen language.

#include <QDialog>
#include <string>

#include "foundation/Messages.h"

class QPushButton;

namespace tav {

class TFormIntMessageDialog : public QDialog {
  Q_OBJECT
 public:
  // Composes the dialog for Msg (lines split by "\n"), type and buttons.
  // A non-empty caption replaces the type's title.
  TFormIntMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        QWidget* parent = nullptr, const std::string& caption = {});

  // Runs the dialog; the modal result of the button pressed, 2 when closed without one.
  int Execute();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Compose(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
               const std::string& caption);

  QPushButton* escapeButton_ = nullptr;
};

}  // namespace tav
