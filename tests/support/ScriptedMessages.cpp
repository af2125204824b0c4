#include "support/ScriptedMessages.h"

#include <utility>

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
  shown.push_back({text, type, buttons, Caption()});
  if (whileAsking && buttons.Has(mbYes)) std::exchange(whileAsking, nullptr)();
  if (!answers.empty()) {
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  return DefaultAnswer(buttons);
}

void ScriptedMessages::EndProgram() { throw FatalMessage(shown.empty() ? "" : shown.back().text); }

}  // namespace tav::test
