#include "project/ui/FormProjektInfo.h"

#include <QLabel>
#include <QLineEdit>

#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

TFormProjektInfo::TFormProjektInfo(TavState& s, QWidget* parent)
    : TFormDialogZeile(parent), s_(s) {
  setObjectName("FormProjektInfo");
  setWindowTitle(QString::fromStdString(T(TX::FormPrjInfoCaption)));
}

void TFormProjektInfo::FormShow() {
  TFormDialogZeile::FormShow();
  Label1->setText(QString::fromStdString(T(TX::FormPrjInfoLabel1)));
  Label2->setText(QString::fromStdString(T(TX::FormPrjInfoLabel2)));
  Edit1->setText(QString::fromStdString(s_.plant.ProjektName));
  Edit2->setText(QString::fromStdString(s_.plant.Info1));
  Edit3->setText(QString::fromStdString(s_.plant.Info2));
  Edit1->setFocus();
}

void TFormProjektInfo::done(int result) {
  if (result == 1) {
    s_.plant.ProjektName = Edit1->text().toStdString();
    s_.plant.Projekt.ProjektName = s_.plant.ProjektName;
    s_.plant.Info1 = Edit2->text().toStdString();
    s_.plant.Info2 = Edit3->text().toStdString();
    s_.run.ProjektGeaendert = true;
    s_.run.Abbruch = false;
  } else {
    s_.run.Abbruch = true;
  }
  TFormDialogZeile::done(result);
}

}  // namespace tav
