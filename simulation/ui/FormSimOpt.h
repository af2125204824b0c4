#pragma once
// TFormSimOpt: the simulation options. Steps per hour (slider and field, 5..15), one or three
// weather years, and the largest collector-area factor the project wizard may apply
// (1,1..3,0). OK and Enter store all three; Cancel changes nothing; a bad entry gets its
// message and the dialog stays open.

#include <QDialog>
#include <QLabel>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace tav {

// A label that acts on a click and on its accelerator.
class TKlickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void geklickt();

 protected:
  bool event(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
};

class TFormSimOpt : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kZoomMin = 5, kZoomMax = 15;
  static constexpr int kFaktorMin = 11, kFaktorMax = 30;  // tenths

  explicit TFormSimOpt(QWidget* parent = nullptr);

  QGroupBox* GroupBox1;
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label2;
  QSlider* TrackBar1;
  TKlickLabel* Label3;
  TKlickLabel* Label4;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;
  QGroupBox* GroupBox2;
  QRadioButton* RadioButton1Jahr;
  QRadioButton* RadioButton3Jahre;
  QGroupBox* GroupBox3;
  QLineEdit* EditKAfaktor;
  QToolButton* SpeedButtonupf;
  QToolButton* SpeedButtondnf;
  QLabel* LabelKAfaktor;

  // Steps per hour chosen in the dialog.
  int ZoomWahl = kZoomMin;

  // OK (the button, or Enter anywhere): checks both fields, stores and closes; a bad field
  // keeps the dialog open.
  void accept() override;
  // Escape and the close button: Cancel (2), nothing stored.
  void reject() override;

 protected:
  // Fills the window before it appears, so its layout fits the texts from the first frame.
  void setVisible(bool visible) override;

 private:
  // Captions and hints from the text table.
  void Beschriften();
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool PruefeZoom();
  bool PruefeKAfaktor();
  void StufeKAfaktor(int schritt);
  bool pruefend_ = false;  // a check's message is open: its focus changes check nothing
  int faktorZuletzt_ = 20;  // the last good factor (tenths), for a field that holds no number
};

// The program's options dialog (created on first use).
TFormSimOpt& FormSimOpt();

}  // namespace tav
