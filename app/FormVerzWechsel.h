#pragma once
// TFormVerzWechsel: moves the data folder (catalogues, project file, settings) between the
// standard folder and another one. A new or empty folder is filled with the data of the old
// one; a folder that already holds data is only switched to, nothing in it is overwritten.

#include <QDialog>
#include <string>

#include "foundation/TavVar.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class ProjektKatalogDienste;
class TXiPanel;

// The switch behind OK: sets Abbruch, and clears it only when DatenDir now is `neu` (with
// one trailing "/"). Asks whether to save a modified project into the old folder, writes
// the old folder's settings, creates or checks the new folder, fills it when it is new or
// empty, and records it for the next start. A folder that cannot be created or written is
// reported and DatenDir stays; so does it when the project to be saved cannot be written.
void DatenordnerWechseln(TavState& s, ProjektKatalogDienste& d, std::string neu);

// After a switch: the settings and every catalogue read at start-up, read again from the new
// folder, and the current project loaded from there.
void DatenNeuLaden(TavState& s, ProjektKatalogDienste& d);

class TFormVerzWechsel : public QDialog {
  Q_OBJECT
 public:
  TFormVerzWechsel(TavState& s, ProjektKatalogDienste& d, QWidget* parent = nullptr);

  TXiPanel* XiPanel1;
  QLabel* LabelInfoH;
  QLabel* LabelInfo1;
  QLabel* LabelInfo2;
  QRadioButton* RadioButtonStdVerz;
  QLineEdit* EditStdVerz;
  QRadioButton* RadioButtonNeuVerz;
  QLineEdit* EditNeuVerz;
  QToolButton* SpeedButtonDatVerz;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;

  void done(int result) override;
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Durchsuchen();

  TavState& s_;
  ProjektKatalogDienste& d_;
};

}  // namespace tav
