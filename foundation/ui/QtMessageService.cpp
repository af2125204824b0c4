#include "foundation/ui/QtMessageService.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "foundation/ui/IntMessageDialog.h"

namespace tav {

int QtMessageService::Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  // Shown at once: no pending events are processed first, so no half-finished handler runs
  // inside a message.
  TFormIntMessageDialog dialog(text, type, buttons, QApplication::activeWindow(), Caption());
  return dialog.Execute();
}

void QtMessageService::EndProgram() {
  // The fatal message has been confirmed; nothing of the caller may run on, and nothing is
  // saved: the state that caused the message is not to be trusted.
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace tav
