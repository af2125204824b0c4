#pragma once
// The parts of the location dialog: the horizon shading picture (painted from its 72 x 18
// cell model), the shading-object dialog, the measured-data import and the location editor.

#include <QDialog>
#include <QWidget>
#include <array>
#include <vector>

#include "project/ProjektSkyMap.h"
#include "foundation/TavVar.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tav {

class StatusSink;

// The shading chart: 587 x 238, plot x 30..534 and y 40..166, 7 pixels per cell. Left
// button paints, right button erases, with Ctrl down to the horizon.
class SkyMapBild : public QWidget {
  Q_OBJECT
 public:
  explicit SkyMapBild(QWidget* parent = nullptr);
  SkyMapGrid Karte{};
  void Setze(const SkyMapGrid& g);
  // Paints under the pixel (x, y) as a mouse with these buttons and modifiers would.
  void MaleBei(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
  // Paints the chart and the map into a picture of the widget's size.
  void Zeichne(QPainter& p) const;

 signals:
  void Gemalt();                   // the first stroke after the picture was cleared
  void Hinweis(const QString& t);  // text for the status line

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;

 private:
  int letzteK_ = -1, letzteJ_ = -1;
  QString info_;
};

// TFormSkyObjekt: distance, height, width and azimuth of a shading object.
class TFormSkyObjekt : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSkyObjekt(QWidget* parent = nullptr);
  // Runs the dialog; on OK the object is rasterised into g. OK 1, Cancel 2.
  int Trage(SkyMapGrid& g);
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
  QPushButton *ButtonOK, *ButtonCancel;

 protected:
  void accept() override;
  void reject() override;

 private:
  SkyMapGrid* g_ = nullptr;
};

// TFormMessdatenE: pasted hourly irradiation on the collector plane for one or two fields.
// OK takes the values into the run; Cancel keeps what was accepted before.
class TFormMessdatenE : public QDialog {
  Q_OBJECT
 public:
  TFormMessdatenE(TavState& s, QWidget* parent = nullptr);
  int Zeige();
  QPlainTextEdit* RichEdit1;
  QPushButton *BitBtn2, *Button1, *ButtonOK, *ButtonCancel;
  QLabel *LabelR1, *LabelR2;

 protected:
  void accept() override;
  void reject() override;

 private:
  void Uebernehmen();
  TavState& s_;
  std::vector<float> feld1_, feld2_;
};

// TFormOrtEdit: one location entry with its annual irradiation sum and mean temperature.
// OK checks the ranges, stores the entry and rewrites the catalogue.
class TFormOrtEdit : public QDialog {
  Q_OBJECT
 public:
  TFormOrtEdit(TavState& s, StatusSink& status, QWidget* parent = nullptr);
  // Edits Orte[nr]; in import mode there is no Cancel and closing always stores.
  int Bearbeite(int nr, bool import = false);

  QLineEdit *Edit1, *EditLCode, *Edit26, *Edit27, *Edit27b, *Edit28, *EditZZone, *EditGhor,
      *EditTmit;
  QComboBox* ComboBox1;
  QLabel* LabelZzoneN;
  std::array<QLineEdit*, 13> Einstrahlung{};  // [1..12]: Edit2 .. Edit13
  std::array<QLineEdit*, 13> Temperatur{};    // [1..12]: Edit14 .. Edit25
  QPushButton *ButtonOK, *ButtonCancel;

 protected:
  void accept() override;
  void reject() override;
 public:
  // Every way out stores the place (AFPos) where the next opening shows it.
  void done(int r) override;

 private:
  void Summen();
  bool Speichere();
  TavState& s_;
  StatusSink& status_;
  int nr_ = 0;
  bool import_ = false;
};

}  // namespace tav
