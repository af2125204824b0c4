#pragma once
// The program-wide message service. Every message, warning, error and question of the
// system goes through one MessageService; the GUI installs the dialog-backed one, tests
// install a scripted one (tests/support/ScriptedMessages.h), headless tools the console one.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace tav {

// Dialog types, in the order of the message dialog's table.
enum TMsgDlgType : std::uint8_t {
  mtWarning = 0,
  mtError = 1,
  mtInformation = 2,
  mtConfirmation = 3,
  mtCustom = 4,
};

// Buttons: bit n of a TMsgDlgButtons set is member n.
enum TMsgDlgBtn : std::uint8_t {
  mbYes = 0, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
};

// A set of buttons. A type of its own: neither a single button nor a number converts to a
// set (a lone mbOK once became the set {No}); a set is made with Btn() and joined with "|".
// A set may name its default button: the one Enter presses and the answer when nobody is
// there to choose (DefaultAnswer); without one that is OK, else Yes.
class TMsgDlgButtons {
 public:
  constexpr TMsgDlgButtons() = default;  // the empty set
  constexpr bool Has(TMsgDlgBtn b) const { return (bits_ >> b) & 1u; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint16_t Bits() const { return bits_; }
  // The same set with `b` (one of its members) as its default button.
  constexpr TMsgDlgButtons WithDefault(TMsgDlgBtn b) const {
    TMsgDlgButtons r = *this;
    r.vorgabe_ = static_cast<std::uint8_t>(b + 1);
    return r;
  }
  constexpr bool HasDefault() const { return vorgabe_ != 0 && Has(DefaultButton()); }
  constexpr TMsgDlgBtn DefaultButton() const { return static_cast<TMsgDlgBtn>(vorgabe_ - 1); }
  friend constexpr TMsgDlgButtons Btn(TMsgDlgBtn b);
  // The members of both; the default of the first that has one.
  friend constexpr TMsgDlgButtons operator|(TMsgDlgButtons a, TMsgDlgButtons b) {
    TMsgDlgButtons r(static_cast<std::uint16_t>(a.bits_ | b.bits_));
    r.vorgabe_ = a.vorgabe_ != 0 ? a.vorgabe_ : b.vorgabe_;
    return r;
  }
  friend constexpr bool operator==(TMsgDlgButtons, TMsgDlgButtons) = default;

 private:
  constexpr explicit TMsgDlgButtons(std::uint16_t bits) : bits_(bits) {}
  std::uint16_t bits_ = 0;
  std::uint8_t vorgabe_ = 0;  // default button + 1; 0: none named
};
constexpr TMsgDlgButtons Btn(TMsgDlgBtn b) {
  return TMsgDlgButtons(static_cast<std::uint16_t>(1u << b));
}
constexpr TMsgDlgButtons mbOKOnly = Btn(mbOK);
constexpr TMsgDlgButtons mbYesNo = Btn(mbYes) | Btn(mbNo);
constexpr TMsgDlgButtons mbYesNoCancel = Btn(mbYes) | Btn(mbNo) | Btn(mbCancel);
constexpr TMsgDlgButtons mbOKCancel = Btn(mbOK) | Btn(mbCancel);
// A question whose "Yes" throws data away (replaces a file, deletes an entry or a project):
// "No" is its default, so Enter, and a service with nobody to ask, keep the data.
constexpr TMsgDlgButtons mbYesNoKeep = mbYesNo.WithDefault(mbNo);
constexpr TMsgDlgButtons mbYesNoCancelKeep = mbYesNoCancel.WithDefault(mbNo);
// The members by name in table order, e.g. "{Yes,No}", and a default named by the set
// ("{Yes,No default No}") (test output, console messages).
std::ostream& operator<<(std::ostream& out, TMsgDlgButtons buttons);

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
              mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// The modal result a button returns (Help returns 0).
int ModalResultOf(TMsgDlgBtn b);

// The answer when nobody is there to choose: the set's default button, else OK, else Yes,
// else the first button of the set; Cancel for an empty set.
int DefaultAnswer(TMsgDlgButtons buttons);

// "|" and CR LF both split lines; the result uses "\n" between lines.
std::string SplitMessageLines(const std::string& msg);

class MessageService {
 public:
  virtual ~MessageService() = default;

  // Result of the last message (6 = yes, 7 = no, ...).
  std::uint16_t DialogAntwort = 0;
  // Set by a caller before a message that must end the program.
  bool AbbruchFehler = false;
  // Program-wide success flag of searches and loaders; every message clears it.
  bool ErgebnisOK = false;

  // Shows Msg with the given type and buttons; returns the modal result of the button
  // pressed (2 when the dialog is closed without a button).
  int ShowIntMessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                        std::int32_t helpCtx = 0);
  // One-button message; "|" breaks lines. With AbbruchFehler set it is an error and the
  // program ends after it has been confirmed (EndProgram does not return).
  void ShowMessageLines(const std::string& msg);
  void ShowInfoMessage(const std::string& msg);
  // Question with buttons; the answer also goes to DialogAntwort.
  int Ask(const std::string& msg, TMsgDlgButtons buttons, TMsgDlgType type = mtConfirmation);
  // A message under a caption of its own instead of its type's title ("Achtung!").
  int ShowCaptionedMessage(const std::string& caption, const std::string& msg, TMsgDlgType type,
                           TMsgDlgButtons buttons);

 protected:
  // The caption of the message being presented; empty: the type's title.
  const std::string& Caption() const { return caption_; }
  // Presents the composed text (lines split by "\n") and returns the modal result.
  virtual int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
  // Ends the program after a fatal message. Must not return.
  [[noreturn]] virtual void EndProgram() = 0;

 private:
  std::string caption_;
};

// Writes messages to standard error and answers with the default answer (DefaultAnswer: a
// question that would throw data away is answered "No"); a fatal message exits with status 1.
// Serves headless tools and is the default.
class ConsoleMessageService : public MessageService {
 protected:
  int Present(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  [[noreturn]] void EndProgram() override;
};

// The program-wide service (a ConsoleMessageService until one is installed).
MessageService& Msg();
// Installs a service (nullptr restores the console one); returns the previous one.
MessageService* SetMessageService(MessageService* service);

// Holds back the one-button messages (ShowMessageLines, ShowInfoMessage) of this thread while
// it lives and shows them when the outermost such guard ends. A file's lock (FileWriteLock)
// holds one, so the lock is released before a message waits for the user; a question is not
// held back (its answer is needed at once), so it is asked before the lock is taken. A fatal message is never held back. With `zusammen` the
// held messages are shown as one, each after the other: the start-up's failures to write its
// files come as one list, not one box per file.
class MeldungenSpaeter {
 public:
  explicit MeldungenSpaeter(bool zusammen = false);
  ~MeldungenSpaeter();
  MeldungenSpaeter(const MeldungenSpaeter&) = delete;
  MeldungenSpaeter& operator=(const MeldungenSpaeter&) = delete;
};

// Shorthands for the program-wide service.
inline void ShowMessageLines(const std::string& msg) { Msg().ShowMessageLines(msg); }
inline void ShowInfoMessage(const std::string& msg) { Msg().ShowInfoMessage(msg); }
inline int ShowIntMessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                             std::int32_t helpCtx = 0) {
  return Msg().ShowIntMessageDlg(msg, type, buttons, helpCtx);
}

}  // namespace tav
