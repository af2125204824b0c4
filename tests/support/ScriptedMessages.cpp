#include "support/ScriptedMessages.h"

namespace tav::test {

bool ScriptedMessages::Contains(const std::string& fragment) const {
  for (const auto& m : shown) {
    if (m.text.find(fragment) != std::string::npos) return true;
  }
  return false;
}

std::string ScriptedMessages::All() const {
  std::string all;
  for (const auto& m : shown) all += m.text + "\n";
  return all;
}

int ScriptedMessages::Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  shown.push_back({text, type, buttons});
  if (!answers.empty()) {
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  for (TMsgDlgBtn b : {mbOK, mbYes}) {
    if (buttons & Btn(b)) return ModalResultOf(b);
  }
  for (int n = 0; n <= mbHelp; ++n) {
    if (buttons & (1u << n)) return ModalResultOf(static_cast<TMsgDlgBtn>(n));
  }
  return mrCancel;
}

void ScriptedMessages::EndProgram() { throw FatalMessage(shown.empty() ? "" : shown.back().text); }

}  // namespace tav::test
