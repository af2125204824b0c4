#pragma once
// TFormMoment: the instantaneous-output tool (calculation mode 2). Date (presets, free
// "dd.mm." or the day slider), clock time in quarter hours, turbidity, inlet and ambient
// temperature, tilt and two-axis tracking; every change recomputes. By day the report and
// the sky diagram, by night the moon phase and the next principal phases. Text and picture
// go to the clipboard. The project's mounting and tilt are restored when the tool closes.

#include <QDialog>
#include <QImage>
#include <QRect>

#include "foundation/ui/UpDown.h"
#include "simulation/Moment.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QSlider;
class QTextEdit;
class QToolButton;

namespace tav {

// The sky diagram by day (sky-map cells, grid, collector marker, sun path, sun cross) or the
// moon picture by night, drawn in the 424 x 151 pixel frame scaled into rect.
void MomentGrafik(QPainter& painter, const QRect& rect, const MomentEingabe& e, const MomentErgebnis& r,
                  const LocationState& loc, const PlantState& p);

class TDruckBlatt;
// The day report on a printed page: line n at n line heights, labels at the left margin, the
// tab-separated parts at the columns 100, 170, 240 and 320 of 393 of the page width, the
// heading two points larger than the body.
void MomentDruck(TDruckBlatt& seite, const std::vector<MomentZeile>& zeilen);

class TFormMoment : public QDialog {
  Q_OBJECT
 public:
  explicit TFormMoment(QWidget* parent = nullptr);

  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QRadioButton* RadioButton5;
  QRadioButton* RadioButton6;
  QLineEdit* MaskEditDatum;
  QSlider* TrackBarNT;
  QLabel* Label2;
  QLineEdit* MaskEditZeit;
  TUpDown* UpDown1;
  QSlider* TrackBarZeit;
  QLabel* Label4;
  QLineEdit* EditTFak;
  QSlider* TrackBarTFak;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  QLineEdit* EditRL;
  TUpDown* UpDownRL;
  QCheckBox* CheckBox1;
  QLabel* Label9;
  QLineEdit* EditTA;
  QCheckBox* CheckBoxTA;
  QLabel* Label11;
  QLineEdit* EditNg;
  TUpDown* UpDownNg;
  QLabel* LabelNg;
  QCheckBox* CheckBox2;
  QTextEdit* RichEdit1;
  QLabel* Image1;
  QPushButton* BitBtnDruck;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QPushButton* ButtonEnde;

  // The last computation and its input.
  MomentEingabe Eingabe;
  MomentErgebnis Ergebnis;
  QImage Bild;

  // Recomputes from the controls and shows report and picture.
  void Berechne();
  // Copies the report (with the program line) or the picture to the clipboard.
  void KopiereText();
  void KopiereGrafik();
  // Prints the day report (printer, or a PDF file where no printer is installed). PdfDatei
  // given: into that file.
  bool Drucke(const QString& pdfDatei = {});

  // Closes the tool and restores the project's mounting, tilt and second field.
  void done(int r) override;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* ev) override;

 private:
  void Beschriften();
  void SetzeDatum(int tag, int monat);
  void TagGeschoben(int n);
  void ZeitSchritt(int richtung);
  void SetzeZeit(int viertel);
  bool LiesZahl(QLineEdit* edit, double min, double max, const char* meldung, double& wert);
  void SetNeigungsAnzeige();
  void ZeigeBericht(const std::vector<MomentZeile>& zeilen, bool nacht);

  bool aufbau_ = false;
  int jahr_ = 2026;
  int tagZuletzt_ = 21, monatZuletzt_ = 6;
  int viertelZuletzt_ = 48;
  double truebung_ = 3.5, ruecklauf_ = 20.0, aussen_ = 20.0;
  std::uint8_t gesichertMontage_ = 1;
  bool gesichertOstWest_ = false;
  float gesichertNeigung_ = 45.0f;
  bool gesichert_ = false;
};

// The program's tool (created on first use); ShowMoment opens it modally.
TFormMoment& FormMoment();
int ShowMoment(QWidget* parent);

}  // namespace tav
