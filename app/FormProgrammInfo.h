#pragma once
// TFormProgrammInfo: the about box. Name, version and build date, the program and data
// folders (a click on their pictures opens them), the edition's contact lines with a web
// and a mail link, the logo; and a code word that, typed within five seconds after a click
// on the program name, releases the weather import (MeteoFreigabe).

#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

#include "foundation/TavVar.h"
#include "simulation/ui/FormSimOpt.h"

class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace tav {

class TXiPanel;

class TFormProgrammInfo : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kCodeWort = "wolkenbrot";
  static constexpr int kCodeZeit = 5000;  // ms after the click on the program name

  explicit TFormProgrammInfo(TavState& s, QWidget* parent = nullptr);

  TXiPanel* XiPanel1;
  TKlickLabel* Label1;
  QLabel* LabelR;
  QLabel* LabelVer;
  QLabel* LabelVersion;
  QLabel* LabelCopyright;
  QLabel* LabelAdresse;
  QLineEdit* EditPrgVerz;
  QLineEdit* EditDatVerz;
  TKlickLabel* ImagePrgVerz;
  TKlickLabel* ImageDatVerz;
  QToolButton* SpeedButtonDatVerz;
  QLabel* LabelInfo1;
  QLabel* LabelInfo2;
  QLabel* LabelInfo3;
  QLabel* LabelInfo4;
  TKlickLabel* LabelLink;
  TKlickLabel* LabelMail;
  QLabel* ImageLogo;
  QPushButton* ButtonOK;
  QPushButton* ButtonHilfe;  // the about box's help page
  QTimer* Timer1;

  // Opens a URL (mailto:, http://, file://) with the desktop; false when no program of the
  // desktop could be started for it. Tests replace it.
  static std::function<bool(const std::string& url)>& Oeffner();
  // The data-folder button's action (hidden; the main window's menu does the same).
  std::function<void()> DatenordnerAktion;

  void Label1Click();
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  // Opens Url; where nothing can open it, says so, naming Was (the folder or the address).
  void Oeffne(const std::string& url, const std::string& was, bool ordner);

  TavState& s_;
  std::string puffer_;
};

}  // namespace tav
