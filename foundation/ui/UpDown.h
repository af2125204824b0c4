#pragma once
// TUpDown: the up-down beside a number field, shared by every window that has one. Two arrow
// buttons (repeating while held) step a whole-number position by Increment within Min..Max.
// With an associate field each step starts from the number the field holds (so a typed value
// is stepped, not the last position) and writes the new position back; with ArrowKeys the
// field's Up and Down keys step as the arrows do. A window with a rule of its own (a clock
// that wraps, a count of collector modules) handles `geklickt` and sets the position itself.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tav {

class TUpDown : public QWidget {
  Q_OBJECT
 public:
  TUpDown(int min, int max, QWidget* parent = nullptr);
  TUpDown(QLineEdit* associate, int min, int max, int increment = 1, QWidget* parent = nullptr);

  int Min, Max, Increment = 1;
  // Up and Down in the associate field step the position.
  bool ArrowKeys = false;

  int Position() const { return position_; }
  // Sets the position (held within Min..Max) and writes it into the associate field.
  void SetPosition(int position);
  // One step up (+1) or down (-1), as a click on an arrow: from the associate's number when
  // it holds one (a fraction steps to the next whole number), else from the position; then
  // `geklickt`.
  void Step(int direction);
  QLineEdit* Associate() const { return associate_; }

  QToolButton* Auf;
  QToolButton* Ab;

 signals:
  void geklickt(bool auf);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* associate_ = nullptr;
  int position_ = 0;
};

}  // namespace tav
