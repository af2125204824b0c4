#include "foundation/Messages.h"

#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

namespace tav {

namespace {

struct HaltMeldung {
  std::string text;
  bool info = false;
};

// Per thread: two programs' worth of saves may run in the tests' threads at once.
thread_local int t_tiefe = 0;
thread_local bool t_zusammen = false;
thread_local std::vector<HaltMeldung> t_gehalten;

bool Halte(const std::string& msg, bool info, bool fatal) {
  if (t_tiefe == 0 || fatal) return false;
  t_gehalten.push_back({msg, info});
  return true;
}

}  // namespace

MeldungenSpaeter::MeldungenSpaeter(bool zusammen) {
  if (t_tiefe++ == 0) t_zusammen = zusammen;
}

MeldungenSpaeter::~MeldungenSpaeter() {
  if (--t_tiefe > 0) return;
  std::vector<HaltMeldung> liste = std::move(t_gehalten);
  t_gehalten.clear();
  if (liste.empty()) return;
  try {
    if (t_zusammen && liste.size() > 1) {
      std::string alle;
      for (const HaltMeldung& g : liste) alle += (alle.empty() ? "" : "||") + g.text;
      Msg().ShowMessageLines(alle);
      return;
    }
    for (const HaltMeldung& g : liste) {
      if (g.info)
        Msg().ShowInfoMessage(g.text);
      else
        Msg().ShowMessageLines(g.text);
    }
  } catch (...) {
    // a test's message service that throws: nothing may leave a destructor
  }
}


int ModalResultOf(TMsgDlgBtn b) {
  static constexpr int results[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry,
                                    mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
  return b <= mbHelp ? results[b] : mrNone;
}

int DefaultAnswer(TMsgDlgButtons buttons) {
  if (buttons.HasDefault()) return ModalResultOf(buttons.DefaultButton());
  for (TMsgDlgBtn b : {mbOK, mbYes}) {
    if (buttons.Has(b)) return ModalResultOf(b);
  }
  for (int n = 0; n <= mbHelp; ++n) {
    if (buttons.Has(static_cast<TMsgDlgBtn>(n))) return ModalResultOf(static_cast<TMsgDlgBtn>(n));
  }
  return mrCancel;
}

std::ostream& operator<<(std::ostream& out, TMsgDlgButtons buttons) {
  static constexpr const char* names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                          "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  out << '{';
  const char* sep = "";
  for (int n = 0; n <= mbHelp; ++n) {
    if (!buttons.Has(static_cast<TMsgDlgBtn>(n))) continue;
    out << sep << names[n];
    sep = ",";
  }
  if (buttons.HasDefault()) out << " default " << names[buttons.DefaultButton()];
  return out << '}';
}

std::string SplitMessageLines(const std::string& msg) {
  std::string out;
  out.reserve(msg.size());
  for (std::size_t i = 0; i < msg.size(); ++i) {
    const char c = msg[i];
    if (c == '|') {
      out += '\n';
    } else if (c == '\r') {
      out += '\n';
      if (i + 1 < msg.size() && msg[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

int MessageService::ShowIntMessageDlg(const std::string& msg, TMsgDlgType type,
                                      TMsgDlgButtons buttons, std::int32_t /*helpCtx*/) {
  return Present(SplitMessageLines(msg), type, buttons);
}

void MessageService::ShowMessageLines(const std::string& msg) {
  ErgebnisOK = false;
  const bool fatal = AbbruchFehler;
  if (Halte(msg, false, fatal)) return;
  DialogAntwort = static_cast<std::uint16_t>(
      ShowIntMessageDlg(msg, fatal ? mtError : mtWarning, mbOKOnly));
  if (fatal) EndProgram();
}

void MessageService::ShowInfoMessage(const std::string& msg) {
  ErgebnisOK = false;
  if (Halte(msg, true, false)) return;
  DialogAntwort = static_cast<std::uint16_t>(ShowIntMessageDlg(msg, mtInformation, mbOKOnly));
}

int MessageService::Ask(const std::string& msg, TMsgDlgButtons buttons, TMsgDlgType type) {
  ErgebnisOK = false;
  const int r = ShowIntMessageDlg(msg, type, buttons);
  DialogAntwort = static_cast<std::uint16_t>(r);
  return r;
}

int MessageService::ShowCaptionedMessage(const std::string& caption, const std::string& msg,
                                         TMsgDlgType type, TMsgDlgButtons buttons) {
  ErgebnisOK = false;
  // Put back also when a fatal message throws in a test.
  struct Zurueck {
    std::string& ziel;
    std::string alt;
    ~Zurueck() { ziel = std::move(alt); }
  } zurueck{caption_, std::exchange(caption_, caption)};
  const int r = ShowIntMessageDlg(msg, type, buttons);
  DialogAntwort = static_cast<std::uint16_t>(r);
  return r;
}

int ConsoleMessageService::Present(const std::string& text, TMsgDlgType type,
                                   TMsgDlgButtons buttons) {
  static constexpr const char* kind[] = {"Warnung", "Fehler", "Information", "Bestätigung", ""};
  std::cerr << "Tavrel";
  if (!Caption().empty()) {
    std::cerr << " (" << Caption() << ")";
  } else if (type < mtCustom) {
    std::cerr << " (" << kind[type] << ")";
  }
  std::cerr << ": " << text << '\n';
  return DefaultAnswer(buttons);
}

void ConsoleMessageService::EndProgram() { std::exit(1); }

namespace {
ConsoleMessageService& ConsoleService() {
  static ConsoleMessageService console;
  return console;
}
MessageService* g_service = nullptr;
}  // namespace

MessageService& Msg() { return g_service ? *g_service : ConsoleService(); }

MessageService* SetMessageService(MessageService* service) {
  MessageService* previous = g_service ? g_service : &ConsoleService();
  g_service = service;
  return previous;
}

}  // namespace tav
