#pragma once
// TFormKopftext: the print set-up ("Druckoptionen"): the four header lines of "Kopf.txt",
// printing without header, the date in the footer, black-and-white or colour, the print
// font, the printer and the print logo with its preview. OK stores the header lines and
// the settings; Cancel restores the colour mode and the logo (a printer chosen meanwhile
// stays chosen).

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TFormKopftext : public QDialog {
  Q_OBJECT
 public:
  explicit TFormKopftext(QWidget* parent = nullptr);

  QPlainTextEdit* MemoKopftext;
  QCheckBox *CheckBox1, *CheckBox2;
  QLabel *Label1, *LabelFont, *LabelDruckername, *ImageLogo;
  QRadioButton *RadioButton1, *RadioButton2;
  QComboBox* ComboBoxFont;
  QPushButton *ButtonDruckerEinrichten, *ButtonOK, *ButtonCancel;
  QGroupBox* GroupBox2;
  QToolButton *SpeedButtonLogoladen, *SpeedButtonLogoloeschen;

  // Draws the logo preview (diagonals when there is none).
  void ShowLogo();
  // Loads the logo file Datei (the picture dialog's choice); the setting changes only when
  // it loaded.
  bool LogoLaden(const std::string& datei);

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int r) override;

 private:
  void Beschriften();  // captions from the text table
  void FarbeGeklickt();
  void DruckerEinrichten();
  std::uint8_t farbModusAlt_ = 0;
  std::string logoDateiAlt_;
};

// The program's print set-up dialog (created on first use).
TFormKopftext& FormKopftext();
// Shows it modally; returns 1 for OK, 2 for Cancel.
int ShowKopftext(QWidget* parent);

}  // namespace tav
