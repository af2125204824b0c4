#pragma once
// TFormInfo: the warning window beside the flow warnings of a run. It holds the advice lines
// of the warning while the message is open; it is shown and hidden without being modal.

#include <QDialog>
#include <string>

#include "simulation/SimContext.h"

class QPlainTextEdit;
class QPushButton;

namespace tav {

class TFormInfo : public QDialog {
  Q_OBJECT
 public:
  explicit TFormInfo(QWidget* parent = nullptr);

  // Clears the memo, fills it with the lines of zeilen ("|" splits them) and shows the window.
  void Zeige(const std::string& zeilen);
  // Hides the window again.
  void Verberge();

  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* ButtonOK = nullptr;
};

// The program's warning window (created on first use, lives as long as the program).
TFormInfo& FormInfo();

// An observer that shows the warning window beside the flow warnings and passes everything
// else on to the observer it wraps (the run window, or nothing).
class InfoBeobachter : public SimObserver {
 public:
  explicit InfoBeobachter(TFormInfo& form, SimObserver& weiter = StillerBeobachter()) : form_(form), weiter_(weiter) {}
  void StartJahr(int jahr) override { weiter_.StartJahr(jahr); }
  void ShowLaufwerte(const SimLaufwerte& werte, const SimState& s) override { weiter_.ShowLaufwerte(werte, s); }
  void ProcessEvents(SimState& s) override { weiter_.ProcessEvents(s); }
  void PauseSlice(SimState& s, int ms) override { weiter_.PauseSlice(s, ms); }
  void ZeigeInfo(const std::string& zeilen) override { form_.Zeige(zeilen); }
  void VerbergeInfo() override { form_.Verberge(); }

 private:
  TFormInfo& form_;
  SimObserver& weiter_;
};

}  // namespace tav
