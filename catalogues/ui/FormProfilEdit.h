#pragma once
// TFormProfilEdit: edits one hot-water load profile: its name, the share of the day's draw in each
// hour (0..50 %, drawn as bars: blue when they add up to 100, red otherwise) and optionally twelve
// monthly factors (0..200 %) that can be rescaled so a month or the year's mean becomes 100 %.
// OK stores the profile, sorts and rewrites the catalogue and reads it again; Cancel changes nothing.

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace tav {

struct TavState;

// The day profile drawn from 24 hourly shares.
class TTagesProfil : public QWidget {
  Q_OBJECT
 public:
  explicit TTagesProfil(QWidget* parent = nullptr);
  void SetWerte(const std::array<int, 24>& w);
  const std::array<int, 24>& Werte() const { return werte_; }
  int Summe() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::array<int, 24> werte_{};
};

class TFormProfilEdit : public QDialog {
  Q_OBJECT
 public:
  explicit TFormProfilEdit(TavState& s, QWidget* parent = nullptr);

  // Opens the editor for profile index (1..ProfilAnzahl) with the day's hot water in kWh; returns
  // the modal result (1 = OK). An index outside the catalogue opens nothing and returns 2.
  int Bearbeite(int index, double tagesKWh);
  // Fills the fields without opening the window (tests and Bearbeite).
  void Fuelle(int index, double tagesKWh);

  QLineEdit* Edit1;
  QPushButton* SpeedButton1;  // "mit Jahresprofil"
  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  std::array<QSpinBox*, 24> Stunden{};  // Edit2..Edit25
  std::array<QSpinBox*, 13> Monate{};   // [1..12] EditJan..EditDez
  std::array<QLabel*, 13> MonatKWh{};   // [1..12]
  std::array<QRadioButton*, 14> Bezug{};  // [1..12] months, [13] the average
  TTagesProfil* Image1;
  QLabel* Panel1;
  QLabel* LabelkWhd;
  QLabel* LabelSchnittPrz;
  QLabel* LabelkWhSchnitt;
  QPushButton* SpeedButton2;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;

  // Sets every month so that the chosen reference becomes 100 %; false (with a message) when the
  // reference is 0.
  bool Skaliere();
  // Days-weighted mean of the month fields in per cent.
  double Jahresmittel() const;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Zeichne();
  void UpdateJahresprofil();
  bool PruefeStunde(QSpinBox* box);
  bool Speichere();
  void JahresprofilAn(bool an);
  TavState& s_;
  int index_ = 0;
  double tagesKWh_ = 0.0;
  bool fuellen_ = false;
};

}  // namespace tav
