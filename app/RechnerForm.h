#pragma once
// What the three calculator windows share: number fields with spin arrows (TUpDown), Enter
// moving on in a fixed cycle, Escape closing, a recomputation whenever a field is left or an
// arrow clicked, and the refusal of a field that holds no number.

#include <QDialog>
#include <QWidget>
#include <map>
#include <vector>

#include "foundation/ui/UpDown.h"

class QLineEdit;

namespace tav {

class TRechnerForm : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

 protected:
  // The fields of the Enter cycle, in order; each gets the key and focus handling.
  void SetzeFelder(std::vector<QLineEdit*> felder);
  // Recomputes from the fields.
  virtual void Rechne() = 0;
  // The number in the field; false after the field's message (the field then shows its last
  // good text again and has the focus).
  bool LeseZahl(QLineEdit* feld, double& wert);
  // A text that the calculation wrote itself counts as good.
  void SetzeText(QLineEdit* feld, const QString& text);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  bool meldend_ = false;  // a message is open: focus changes compute nothing

 private:
  std::vector<QLineEdit*> felder_;
  std::map<QLineEdit*, QString> gut_;
};

}  // namespace tav
