#pragma once
// TFormAbsorberDreh: the true tilt and azimuth of absorbers mounted on an inclined roof and
// rotated about their own axis in the roof plane, with a proposed rotation; the result can
// be taken into the project as the collector orientation.

#include "app/RechnerForm.h"
#include "foundation/TavVar.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

class TFormAbsorberDreh : public TRechnerForm {
  Q_OBJECT
 public:
  explicit TFormAbsorberDreh(TavState& s, QWidget* parent = nullptr);

  QLabel* LabelDach;
  QLabel* LabelDachNg;
  QLabel* LabelDachAz;
  QLabel* LabelWinkel;
  QLabel* LabelAbsorber;
  QLabel* LabelAbsNg;
  QLabel* LabelAbsAz;
  QLabel* Label2;
  QLabel* Label4;
  QLabel* Label7;
  QLineEdit* Edit1;  // roof tilt
  QLineEdit* Edit2;  // roof azimuth
  QLineEdit* Edit3;  // rotation
  TUpDown* UpDown1;
  TUpDown* UpDown2;
  TUpDown* UpDown3;
  QLabel* Label12;  // absorber tilt
  QLabel* Label13;  // absorber azimuth
  QPushButton* Button1;
  QPushButton* ButtonEnde;

  // The results of the last computation.
  double AbsNeigung = 0.0, AbsAzimut = 0.0;
  // The orientation was taken into the project since the window was shown.
  bool Uebernommen = false;

  void Rechne() override;
  void Uebernehmen();
  // Escape and the close button: as "Ende".
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TavState& s_;
  bool gueltig_ = false;  // the last computation read every field
};

}  // namespace tav
