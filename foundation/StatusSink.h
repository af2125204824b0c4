#pragma once
// Where catalogue and file code reports what it is doing: the main window's status line,
// the splash screen's progress label and the busy cursor. The GUI implements it with its
// widgets; tests and silent runs pass NullStatus() or a recording sink. Catalogue code never
// touches widgets and never pumps events itself; its pauses go through the sink.

#include <string>

namespace tav {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  // Text for the status line; an empty text clears it.
  virtual void Status(const std::string& text) { (void)text; }
  // Progress label of the splash screen ("33%").
  virtual void Progress(const std::string& text) { (void)text; }
  // Busy (hourglass) cursor on or off.
  virtual void Busy(bool on) { (void)on; }
  // A short pause in the work that leaves its last text standing a moment, the windows kept
  // painted; a sink without windows does not wait.
  virtual void Pause(int ms) { (void)ms; }
};

// A sink that shows nothing.
inline StatusSink& NullStatus() {
  static StatusSink none;
  return none;
}

// Busy cursor and status text for the lifetime of the guard; both are cleared at the end,
// also when the guarded work leaves by an exception.
class BusyStatus {
 public:
  BusyStatus(StatusSink& sink, const std::string& text) : sink_(sink) {
    sink_.Status(text);
    sink_.Busy(true);
  }
  ~BusyStatus() {
    sink_.Busy(false);
    sink_.Status("");
  }
  BusyStatus(const BusyStatus&) = delete;
  BusyStatus& operator=(const BusyStatus&) = delete;

 private:
  StatusSink& sink_;
};

}  // namespace tav
