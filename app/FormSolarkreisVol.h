#pragma once
// TFormSolarkreisVol: sizes the membrane expansion vessel of the solar circuit from the
// volumes of collectors, pipes and heat exchanger, the water reserve, the static height, the
// safety valve and the vapour temperature; shows the pressures and a report that can be
// copied. It reads the project and changes nothing in it.

#include "planning/Rechner.h"
#include "app/RechnerForm.h"
#include "foundation/TavVar.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace tav {

class TFormSolarkreisVol : public TRechnerForm {
  Q_OBJECT
 public:
  explicit TFormSolarkreisVol(TavState& s, QWidget* parent = nullptr);

  QLabel* LabelKvol;
  QLabel* LabelTdampf;
  QLabel* LabelHstat;
  QLabel* LabelRvol;
  QLabel* LabelWTvol;
  QLabel* LabelVvol;
  QLabel* LabelpSV;
  QLabel* LabelMAGvol;
  QLabel* LabelpGas;
  QLabel* LabelpKV;
  QLabel* Label9;  // the stagnation temperature (hidden)
  QLineEdit* EditKvol;
  QLineEdit* EditTdampf;
  QLineEdit* EditHstat;
  QLineEdit* EditRvol;
  QLineEdit* EditWTvol;
  QLineEdit* EditVvol;
  QLineEdit* EditpSV;
  TUpDown* UpDownKvol;
  TUpDown* UpDownTdampf;
  TUpDown* UpDownHstat;
  TUpDown* UpDownVvol;
  TUpDown* UpDownpSV;
  QComboBox* ComboBoxMAGvol;
  QLabel* LabelpGasW;
  QLabel* LabelpKVW;
  QTextEdit* RichEdit1;
  QPushButton* BitBtn1;
  QPushButton* Button1;

  // The last sizing.
  const MagErgebnis& Ergebnis() const { return ergebnis_; }

  void Rechne() override;
  // Copies the report (wider tab stop, display font at 11 points) to the clipboard.
  void TextKopieren();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Bericht(int tabStop);
  void NeueVorlage();

  TavState& s_;
  bool aufbau_ = false;  // filling the fields: no computation
  MagErgebnis ergebnis_;
};

}  // namespace tav
