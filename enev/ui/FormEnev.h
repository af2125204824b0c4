#pragma once
// The EnEV form "EnEV / DIN 4701-10": the building's useful area and DIN choices, the DIN
// standard values, the live hot-water figures, the assessment report, the simulation with
// EnEV parameters and the exchange file. It works on a built-in reference climate while it is
// open and gives the project back as it found it (but for the collector area chosen here).

#include <QDialog>
#include <functional>
#include <vector>

#include "enev/EnevDatei.h"
#include "foundation/TavVar.h"
#include "foundation/ui/UpDown.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QWidget;

namespace tav {

// How the form reaches the main window and the windows of other layers; the main window
// fills them. An empty hook switches its button off.
struct EnevHooks {
  // Makes `ort` the current location (its weather years made when SolarklimadatenOK is
  // clear); the catalogue and the data folder stay as they are.
  std::function<bool(TavState& s, const TOrt& ort)> OrtWaehlen;
  // The run window, modally: true when a run finished.
  std::function<bool(QWidget* parent)> SimRun;
  // The results window, modally: returns when it is closed.
  std::function<void(QWidget* parent)> Ergebnisse;
  // The project has changed under the main window (scheme, results, title).
  std::function<void()> ProjektGeaendert;
};
EnevHooks& EnevCommandHooks();

class TFormEnev : public QDialog {
  Q_OBJECT
 public:
  TFormEnev(TavState& s, enev::EnevStand& stand, QWidget* parent = nullptr);
  ~TFormEnev() override;

  // Prepares the form for the current project (FormShow). Exec() = FormShow + modal run +
  // FormClose.
  void FormShow();
  int Ausfuehren();
  void FormClose();

  // File dialogs, replaceable for tests: (caption, folder, proposed name, filter).
  using DateiDialog = std::function<QString(const QString&, const QString&, const QString&,
                                            const QString&)>;
  DateiDialog OeffnenDialog;
  DateiDialog SpeichernDialog;

  // --- Components (object names as the form's parts) ---
  QTabWidget* PageControl1;
  QLineEdit* EditA_N;
  QLineEdit* EditSumqh;
  QLineEdit* Edit1c;
  QGroupBox* RadioGroupZ;
  QGroupBox* RadioGroupV;
  QGroupBox* RadioGroupNachheiz;
  QGroupBox* RadioGroupS;
  QLabel* LabelVaux;
  QLabel* LabelVsol;
  QLineEdit* Edit5;
  QToolButton* SpeedButton4;
  QLabel* LabelKollName;
  QLabel* LabelFKVRK;
  QLineEdit* EditAC;
  TUpDown* UpDown1;
  QToolButton* SpeedButtonA_C;
  QLabel* LabelEdit2;
  QLabel* LabelNeigung;
  QLabel* LabelAusrichtung;
  QLabel* LabelSolkreis;
  QLabel* LabelEta0;
  QLabel* Labelk1;
  QLabel* Labelk2;
  QLineEdit* Edit3;
  QToolButton* SpeedButton2;
  QLineEdit* Edit4;
  QToolButton* SpeedButton3;
  QLabel* LabelAnlgName;
  QRadioButton* RadioButtonKA;
  QRadioButton* RadioButtonGA;
  QGroupBox* RadioGroupSolHeiz;
  QLabel* LabelWarn1;
  QLabel* LabelWarn2;
  QLabel* LabelQtw[4][2];  // rows Q tw, Q tw,d, Q tw,s, Summe; columns kWh/a, kWh/m²a
  QTextEdit* RichEdit1;
  QPushButton* BitBtnDruck;
  QPushButton* BitBtnCopyText;
  QPushButton* BitBtnDIN;
  QPushButton* BitBtnSim;
  QPushButton* BitBtnSimErg;
  QPushButton* BitBtnEnEVImport;
  QPushButton* BitBtnEnEVExport;
  QGroupBox* GroupBox5;
  QLabel* LabelEneVxSimStatus;
  QPushButton* ButtonEnde;

  // Index of the checked item of a radio group made by this form.
  static int ItemIndex(QGroupBox* group);
  static void SetItemIndex(QGroupBox* group, int index);

  void FillEnevForm();
  void ReadEnevForm();
  void ShowEnevWerte();
  void ResetEnevErgebnis();
  void UpdateEnevSimButton();
  void BitBtnDINClick();
  void BitBtnSimClick();
  void BitBtnCopyTextClick();
  void BitBtnEnEVImportClick();
  void BitBtnEnEVExportClick();
  void WriteEnevBericht();

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  struct Sicherung {
    int OrtNr = -1;
    std::uint8_t AnlagenTypNr = 1;
    float KollektorFlaeche = 0, KollektorFlaeche2 = 0, IAM50 = 0, Heizgrenztemp = 0,
          SpeicherkWert = 0, Warmwasserverbrauch = 0, Heizwaermebedarf = 0, HeizQnorm = 0;
    bool SolHeizung = false, Pool = false, SolarklimadatenOK = false;
  };
  // A number field that keeps to a range: a text typed counts once it is a number within the
  // range; until then the text in force does, and leaving the field with any other text (an
  // empty one too) names it and puts the text in force back. What the form writes into the
  // field itself (filling, the DIN buttons, the module steps) is in force at once.
  struct BereichsFeld {
    QLineEdit* Edit;
    const char* Name;       // the caption, in messages
    double Min, Max;
    bool KeineZahlIstNull;  // "?", an empty text or one that is no number means "not known": 0
    QString Gilt;           // the text in force
  };
  void Build();
  void BereichsFelder();
  BereichsFeld& Feld(const QLineEdit* e);
  double Wert(const QLineEdit* e);  // the field's number within its range, else the one in force
  void FeldVerlassen(BereichsFeld& f);
  void WriteEnevHinweis();
  void StepEnevKollFlaeche(bool up);
  void EditA_NChange();
  void Geaendert();  // a field or choice changed: figures anew, results invalid
  void RadioGroupSolHeizClick();
  void DinKnopf(QToolButton* b);
  void EditSumqhExit();
  void ReferenzOrtWaehlen();
  void QbsDesProjekts();
  std::string ExchangeDatei() const;

  TavState& s_;
  enev::EnevStand& st_;
  Sicherung sich_;
  std::vector<BereichsFeld> felder_;
  std::vector<float> wetter_;
  bool fuellen_ = false;
  bool offen_ = false;
  bool kleineAnlageTyp_ = true;
  double qBSVorher_ = 0.0;
};

// The one form, made on first use.
TFormEnev* FormEnev(QWidget* parent);

}  // namespace tav
