#pragma once
// The message service of the GUI program: every message in the program's own dialog.

#include "foundation/Messages.h"

namespace tav {

class QtMessageService : public MessageService {
 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  [[noreturn]] void EndProgram() override;
};

}  // namespace tav
