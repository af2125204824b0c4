#pragma once
// TFormOrt: the project's location from the catalogue (add-as-copy, edit, delete, search,
// sort, type-ahead), its horizon shading map and the three synthetic weather years of the
// location (shown against its monthly means, saved, loaded, deleted, made anew). OK makes
// the chosen location current; Cancel leaves the project exactly as it was. In the
// weather-only mode only the weather page is shown and nothing is applied.

#include <QDialog>
#include <array>

#include "foundation/TavVar.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tav {

class DialogStatus;
class KlimgenChart;
class SkyMapBild;
class TFormMessdatenE;
class TFormOrtEdit;
class TFormSkyObjekt;
class WetterSynthese;

class TFormOrt : public QDialog {
  Q_OBJECT
 public:
  TFormOrt(TavState& s, WetterSynthese& synthese, QWidget* parent = nullptr);
  ~TFormOrt() override;

  // Runs the dialog: OK 1, Cancel 2. messdaten shows the measured-data button ("-M").
  int Zeige(bool nurWetterdaten, bool messdaten = false);

  QTabWidget* PageControl1;
  QWidget *TabSheet1, *TabSheet2, *TabSheet3;
  QTableWidget* StringGrid1;
  QPushButton *OrtBearbeitenSpeedButton, *OrtNeuSpeedButton, *OrtLoeschenSpeedButton,
      *OrtSuchenSpeedButton, *OrtSortSpeedButton, *SpeedButtonMessdatenE;
  SkyMapBild* Image1;
  QCheckBox* CheckBoxV;
  QPushButton *BitBtn1, *BitBtn2;
  QLabel* LabelMaus;
  KlimgenChart* ImageKlimgenJahre;
  QLabel *Label2, *Label4, *LabelFortschritt;
  QPushButton *SpeedButtonWSladen, *SpeedButtonWSspeichern, *SpeedButtonWSloeschen,
      *SpeedButtonNeuRechnen;
  QPushButton *ButtonOK, *ButtonCancel, *SpeedButtonFastForward;
  TFormOrtEdit* FormOrtEdit;
  TFormSkyObjekt* FormSkyObjekt;
  TFormMessdatenE* FormMessdatenE;

  void Bearbeiten();
  void Neu();
  void Loeschen();
  void Sortiere(int modus);
  int Zeile() const;  // the selected location, 1-based

 protected:
  void accept() override;
  void reject() override;
 public:
  // Every way out stores the place (AFPos) where the next opening shows it.
  void done(int r) override;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void FillOrtGrid(int zeile);
  // After a rewrite was refused because another program changed the catalogue (the change
  // here taken back): the list as that program wrote it, shown.
  void NachFremderAenderung();
  void WetterSeite();
  void ShowKlimgenTab();
  bool SelectOrt(int nr);
  struct Projekt {
    PlantState plant;
    LocationState loc;
    WeatherState weather;
    RunState run;
  };
  void Merke();

  TavState& s_;
  WetterSynthese& synthese_;
  DialogStatus* status_;
  Projekt vorher_;
  bool nurWetter_ = false;
  int wetterFuer_ = -1;
  bool projektOrtBearbeitet_ = false;  // the project's own entry was edited  // the entry whose weather years are in the store, -1 unknown
};

}  // namespace tav
