#pragma once
// TFormWarmwasser: heat and heating power to warm a volume of water from a cold to a warm
// temperature within a period. A modeless tool; it starts from the project's values and
// changes nothing in the project.

#include "app/RechnerForm.h"
#include "foundation/TavVar.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

class TFormWarmwasser : public TRechnerForm {
  Q_OBJECT
 public:
  explicit TFormWarmwasser(TavState& s, QWidget* parent = nullptr);

  QGroupBox* GroupBox1;
  QLabel* Label1;  // kalt
  QLabel* Label2;  // warm
  QLabel* Label3;  // Volumen
  QLabel* Label4;  // Zeitraum
  QLabel* Label5;  // Wärmemenge
  QLabel* Label6;  // Heizleistung
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  TUpDown* UpDown1;
  TUpDown* UpDown2;
  TUpDown* UpDown3;
  QLabel* Label12;
  QLabel* Label13;
  QPushButton* Button1;

  void Rechne() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TavState& s_;
  QLabel* liter_;
};

}  // namespace tav
