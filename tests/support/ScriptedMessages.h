#pragma once
// A message service for tests: records every message and answers from a script.
// Install it for one test with ScopedMessages; a fatal message throws FatalMessage so
// that the code after it does not run on.

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/Messages.h"

namespace tav::test {

struct FatalMessage : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ShownMessage {
  std::string text;  // lines split by "\n"
  TMsgDlgType type;
  TMsgDlgButtons buttons;
  std::string caption;  // empty: the type's title
};

class ScriptedMessages : public MessageService {
 public:
  std::vector<ShownMessage> shown;
  // Answers given in order; when empty, the default answer (DefaultAnswer).
  std::deque<int> answers;
  // Runs once when the next question (a message offering Yes) is shown, before it is
  // answered: what another program does while the question is open.
  std::function<void()> whileAsking;

  bool Contains(const std::string& fragment) const;
  std::string All() const;  // every text shown, one per line, for failure output

 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  [[noreturn]] void EndProgram() override;
};

// Installs a ScriptedMessages as the program-wide service for its lifetime.
class ScopedMessages {
 public:
  ScopedMessages() : previous_(SetMessageService(&messages)) {}
  ~ScopedMessages() { SetMessageService(previous_); }
  ScopedMessages(const ScopedMessages&) = delete;
  ScopedMessages& operator=(const ScopedMessages&) = delete;
  ScriptedMessages* operator->() { return &messages; }
  ScriptedMessages messages;

 private:
  MessageService* previous_;
};

}  // namespace tav::test
