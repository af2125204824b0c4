#pragma once
// What the three calculator windows share: number fields with spin arrows, Enter moving on
// in a fixed cycle, Escape closing, a recomputation whenever a field is left or an arrow
// clicked, and the refusal of a field that holds no number.

#include <QDialog>
#include <QWidget>
#include <map>
#include <vector>

class QLineEdit;
class QToolButton;

namespace tav {

// Spin arrows beside a field: a click steps the field's whole number by Increment within
// Min..Max and writes it back.
class TUpDown : public QWidget {
  Q_OBJECT
 public:
  TUpDown(QLineEdit* associate, int min, int max, int increment = 1, QWidget* parent = nullptr);
  int Min, Max, Increment;
  int Position() const { return position_; }
  // Sets the position (within Min..Max) and writes it into the field.
  void SetPosition(int position);
  // One step up (+1) or down (-1), as a click on an arrow.
  void Step(int direction);
  QToolButton* Up;
  QToolButton* Down;
 signals:
  void geklickt();

 private:
  QLineEdit* associate_;
  int position_ = 0;
};

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
