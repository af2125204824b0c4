#pragma once
// The wizard's two drawings, each a widget of its own painted from its state: the yield chart
// of the ring on the sizing pages, and the orientation picture of the collector page. With the
// wizard's number form (decimal comma), which its fields share.

#include <QString>
#include <QWidget>

#include "planning/AssistentDim.h"

class QLineEdit;

namespace tav {

namespace assistent {
// x with the decimal comma and `dezimalen` decimals.
QString Zahl(double x, int dezimalen);
// The field's number; 0 with *ok false when it holds none.
double Wert(const QLineEdit* e, bool* ok = nullptr);
}  // namespace assistent

// The yield chart of the ring: cumulative daily yields per record.
class TJahreskurven : public QWidget {
 public:
  explicit TJahreskurven(QWidget* parent = nullptr);
  const AssistentDim* Dim = nullptr;
  bool Absolut = true;
  float AktFlaeche = 0.0f;
  float AchsenBasis = 0.0f;  // kWh the vertical axis is based on
  float ZielFlaeche = 1.0f;
  QSize minimumSizeHint() const override { return {360, 220}; }

 protected:
  void paintEvent(QPaintEvent*) override;
};

// Orientation picture: side view of the tilt, top view of the azimuth, read from the two fields
// at each paint.
class TWinkelbild : public QWidget {
 public:
  TWinkelbild(QWidget* parent, QLineEdit* ng, QLineEdit* az);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QLineEdit* ng_;
  QLineEdit* az_;
};

}  // namespace tav
