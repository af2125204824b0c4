#pragma once
// FormSplash: the start-up picture with its progress label, shown while the data start-up
// runs (the current location's weather years may be synthesised then). It is the start-up's
// status sink: progress goes to Label1 and is painted at once.

#include <QWidget>

#include "foundation/StatusSink.h"

class QLabel;

namespace tav {

class FormSplash : public QWidget, public StatusSink {
  Q_OBJECT
 public:
  explicit FormSplash(QWidget* parent = nullptr);

  QLabel* ImageStartF;  // the picture, the splash's size
  QLabel* Label1;       // progress ("10%" until the first progress text, then "33%", ...)
  QLabel* Label2;       // the edition line

  void Progress(const std::string& text) override;
  void Status(const std::string& text) override;
  void Busy(bool on) override;
  void Pause(int ms) override;

 private:
  void Repaint();
};

}  // namespace tav
