#pragma once
// TFormKollektor: the project's collector type from the catalogue (with curve and picture,
// add-as-copy, delete, view and edit, search, sort), collector field 1 and the optional
// east-west field 2, the solar loop and the mounting. OK writes the project; Cancel leaves
// it as it was (catalogue changes are written at once and stay). Enter moves on through the
// fields and pages (in the grid it takes the chosen collector first), Escape goes to Cancel;
// a field outside its range is named on leaving it and set to the limit.

#include <QDialog>
#include <utility>

#include "foundation/TavVar.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace tav {

class KennlinieBild;
class KollSkizze;
class StatusSink;
class TFormKollektorEdit;

class TFormKollektor : public QDialog {
  Q_OBJECT
 public:
  TFormKollektor(TavState& s, StatusSink& status, QWidget* parent = nullptr);

  static constexpr int kHoehe = 482;  // designed client height

  // Fills the dialog from the project and runs it: OK 1, Cancel 2.
  int Zeige();

  // One collector field's controls.
  struct Feld {
    QLineEdit* flaeche;
    QSpinBox* anzahl;
    QLabel* modAnz;
    QDoubleSpinBox* neigung;
    QDoubleSpinBox* azimut;
  };

  QTabWidget* PageControl1;
  QTableWidget* StringGrid1;
  QPushButton *KollBearbeitenSpeedButton, *KollNeuSpeedButton, *KollLoeschenSpeedButton,
      *KollSuchenSpeedButton, *KollSortSpeedButton;
  KennlinieBild* Image2;
  QLabel* ImageKoll;
  Feld feld1, feld2;
  QCheckBox* CheckBoxOstWest;
  QGroupBox* GroupBoxKoll2;
  QPushButton* SpeedButtonOW;
  KollSkizze* Image1;
  QDoubleSpinBox *Edit10, *Edit4, *Edit11;
  QComboBox* ComboBox1;
  QLabel* LabelVolStrom;
  QPushButton* SpeedButtonE4;
  QRadioButton* Montage[4];
  QPushButton *ButtonOK, *ButtonCancel, *SpeedButtonFastForward;
  TFormKollektorEdit* FormKollektorEdit;

  // Catalogue operations on the focused row.
  void Bearbeiten();
  void Neu();
  void Loeschen();
  void Sortiere(int modus);
  void Suche();

 protected:
  void accept() override;
  void reject() override;
 public:
  // Every way out stores the place (AFPos) where the next opening shows it.
  void done(int r) override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void FillKollList();
  // After a rewrite was refused because another program changed the catalogue (the change
  // here taken back): the list as that program wrote it, shown.
  void NachFremderAenderung();
  void FillKollForm();
  int Zeile() const;  // focused row, 1-based entry
  void ZeigeEintrag();
  void UpdateModulAnzeige(Feld& f);
  void StepArea(Feld& f, bool up);
  bool PruefeFlaeche(Feld& f);
  // The range rule of a number field (tilt, azimuth, flow, exchanger): false, with its
  // message and the limit in the field, when the value lies outside.
  bool PruefeGrenze(QDoubleSpinBox* feld);
  bool PruefeAlle();
  void FokusZurueck(QWidget* feld);
  void EnterWeiter(QWidget* feld);
  void NaechsteSeite();
  void UpdateVolStrom();
  void UpdateMontage();
  void SetzeOstWest(bool an);
  void ApplyKollForm();
  float Modul() const;

  void FestesLayout();

  TavState& s_;
  StatusSink& status_;
  bool fuellen_ = false;
  bool pruefung_ = false;  // a field's message is up
  // The project as the dialog found it, for Cancel (Enter in the grid already applies).
  PlantState kopie_;
  bool geaendertKopie_ = false;
  bool katalogGeaendert_ = false;  // an entry was added, edited or deleted
  bool ersteAnzeige_ = true;
  // The project's collector when the dialog opened (following the rows as entries are added
  // or deleted): the editor's OK makes its entry the project's collector, Cancel goes back.
  int nrBeimOeffnen_ = 0;
  std::pair<QLabel*, QLabel*> Label27b;  // caption and unit of the store exchanger
};

}  // namespace tav
