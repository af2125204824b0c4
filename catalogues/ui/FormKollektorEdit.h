#pragma once
// TFormKollektorEdit: one entry of the collector catalogue with its efficiency at x = 0.05
// and 0.10, the estimated stagnation temperature and the curve. Every field is read-only and
// there is no Cancel button: OK confirms the entry, rewrites the catalogue and makes the entry
// the project's collector; closing the window otherwise changes nothing.

#include <QDialog>

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

  // Shows entry nr (1-based) and runs the dialog. OK: 1, closed otherwise: 2.
  int Bearbeite(int nr);

  QLineEdit *Edit1, *EditQuelle, *Edit2, *Edit3, *Edit4, *EditIAM, *Edit5, *Edit6;
  QComboBox* ComboBox1;
  QRadioButton *RadioButton1, *RadioButton2;
  QLabel *Label13, *Label14, *Label15;
  KennlinieBild* Image2;
  QPushButton *ButtonOK, *ButtonCancel;

 protected:
  void accept() override;
  void reject() override;
 public:
  // Every way out stores the place (AFPos) where the next opening shows it.
  void done(int r) override;

 private:
  void Fuelle();
  void UpdateKennwerte();
  void SetKollEditReadOnly();

  TavState& s_;
  StatusSink& status_;
  int nr_ = 0;
};

}  // namespace tav
