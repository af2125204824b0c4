#pragma once
// TFormKollektorEdit: one entry of the collector catalogue with its efficiency at x = 0.05
// and 0.10, the estimated stagnation temperature and the curve. OK writes back only the
// fields the user changed and rewrites the catalogue; merely viewing an entry changes nothing.

#include <QDialog>
#include <array>

#include "foundation/TavVar.h"

class QLabel;
class QLineEdit;
class QComboBox;
class QRadioButton;
class QPushButton;

namespace tav {

class KennlinieBild;
class StatusSink;

class TFormKollektorEdit : public QDialog {
  Q_OBJECT
 public:
  TFormKollektorEdit(TavState& s, StatusSink& status, QWidget* parent = nullptr);

  // Shows entry nr (1-based) and runs the dialog. OK: 1, Cancel: 2. A new copy (neu) is
  // written on OK even when nothing was changed in it.
  int Bearbeite(int nr, bool neu = false);
  // True when the last OK changed anything.
  bool Geaendert() const { return geaendert_; }

  QLineEdit *Edit1, *EditQuelle, *Edit2, *Edit3, *Edit4, *EditIAM, *Edit5, *Edit6;
  QComboBox* ComboBox1;
  QRadioButton *RadioButton1, *RadioButton2;
  QLabel *Label13, *Label14, *Label15;
  KennlinieBild* Image2;
  QPushButton *ButtonOK, *ButtonCancel;

 protected:
  void accept() override;
  void reject() override;

 private:
  void Fuelle();
  void UpdateKennwerte();
  // Corrects an out-of-range field with its message; false when something was corrected.
  bool Pruefe(QLineEdit* e);
  TKollektor AusFeldern() const;

  TavState& s_;
  StatusSink& status_;
  int nr_ = 0;
  bool neu_ = false;
  bool geaendert_ = false;
  std::array<QString, 10> anfang_;  // texts as shown on opening
};

}  // namespace tav
