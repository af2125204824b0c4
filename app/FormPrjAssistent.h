#pragma once
// TFormPrjAssistent: the project wizard. Pages Start (name, location), Kollektortyp (collector
// and orientation), Wärmebedarf (hot water, heating support), Dim TWW (hot-water design and
// its variants) and Dim Solares Heizen (heating support, only with the combi box). The sizing
// runs silent one-year simulations (planning/AssistentDim.h) with the progress shown and the
// window responsive. OK keeps the sized plant and asks the main window to continue
// (WeiterModus); Cancel puts the plant, the location, the weather and the results back as
// they were when the wizard opened.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/AssistentGrafik.h"
#include "planning/AssistentDim.h"
#include "app/GitterSuche.h"
#include "foundation/StatusSink.h"
#include "foundation/ui/UpDown.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QToolButton;

namespace tav {

// What the wizard needs from the rest of the program; the main window fills it.
struct AssistentHooks {
  // Makes location ortNr current and brings its weather years (SelectOrt with the program's
  // weather synthesis), progress to `status`. Without it the location cannot change.
  std::function<bool(TavState& g, int ortNr, StatusSink& status)> OrtWaehlen;
  // Opens the help page of a context number (870 the wizard, 871 the location grid, 873 the
  // collector grid).
  std::function<void(int kontext)> Hilfe;
};

class TFormPrjAssistent : public QDialog, public StatusSink {
  Q_OBJECT
 public:
  // Pakete last: it is shown only on request, between Wärmebedarf and Dim TWW.
  enum Seite { sStart, sKollektor, sQbedarf, sDimTWW, sDimSolHeiz, sPakete };

  explicit TFormPrjAssistent(QWidget* parent = nullptr);
  ~TFormPrjAssistent() override;

  AssistentHooks Hooks;
  // The engine of the sizing runs (the real silent run unless a test replaces it).
  StillerLauf Lauf;

  QStackedWidget* PageControl1;
  QWidget* TabSheetStart;
  QWidget* TabSheetKollektor;
  QWidget* TabSheetQbedarf;
  QWidget* TabSheetDimTWW;
  QWidget* TabSheetDimSolHeiz;
  QWidget* TabSheetPakete;
  QLabel* LabelTitel;
  // Start
  QLineEdit* EditPrjName;
  QTableWidget* StringGridOrte;
  // Kollektortyp
  QTableWidget* StringGridKollektor;
  QLineEdit* EditNg;
  TUpDown* UpDownNg;
  QLineEdit* EditAz;
  TUpDown* UpDownAz;
  QWidget* ImageWinkelbild;
  QLabel* ImageKollSpezial;  // picture of the selected collector's kind
  // Wärmebedarf
  QLineEdit* EditTWW_Liter;
  QLineEdit* EditT_WW;
  QLineEdit* EditTWWkWh;
  QLineEdit* EditTWWkWhJahr;
  QCheckBox* CheckBoxSolarKombi;
  QLineEdit* EditQheiz;
  QLineEdit* EditQsumme;
  QLineEdit* EditThzgrz;
  QLineEdit* EditKAfaktor;
  QToolButton* SpeedButtonupf;
  QToolButton* SpeedButtondnf;
  // Pakete (columns: name, collector, modules, store, volume, package index)
  QTableWidget* StringGridPakete;
  QToolButton* SpeedButtonAlleK;
  // Dim TWW
  TJahreskurven* ImageJahreskurve;
  QLineEdit* EditKollA;
  QToolButton* SpeedButtonup;
  QToolButton* SpeedButtondn;
  QLabel* LabelModAnz;
  QLabel* LabelDeckrateWert;
  QLineEdit* EditSpVol;
  QToolButton* SpeedButtonup2;
  QToolButton* SpeedButtondn2;
  QLabel* LabelSpN;
  QLabel* LabelKollN;
  QRadioButton* RadioButtonkWh_abs;
  QRadioButton* RadioButtonkWh_spez;
  // Dim Solares Heizen
  TJahreskurven* ImageJahreskurve_hz;
  QLineEdit* EditKollA_hz;
  QToolButton* SpeedButtonup_hz;
  QToolButton* SpeedButtondn_hz;
  QLabel* LabelModAnz_hz;
  QLabel* LabelDeckratexTWW;
  QLabel* LabelDeckratexHzg;
  QLabel* LabelDeckratexges;
  QLabel* LabelPSvol;
  QLabel* LabelSpN_hz;
  QLabel* LabelKollN_hz;
  QRadioButton* RadioButtonkWh_abs_hz;
  QRadioButton* RadioButtonkWh_spez_hz;
  // Buttons and progress
  QProgressBar* ProgressBarDim;
  QLabel* LabelStatus;
  QPushButton* ButtonCancel;
  QPushButton* BitBtnBackward;
  QPushButton* BitBtnForward;
  QPushButton* ButtonOK;
  QPushButton* BitBtnPakete;

  int Schritt = 1;
  // A solar package was taken from the Pakete page (the sizing's own flag).
  bool PaketModus() const { return dim_.PaketModus; }
  // Type-ahead in the three grids (SucheAktiv): no page changes while it runs.
  TGitterSuche* Suche;
  const AssistentDim& Dim() const { return dim_; }

  // Fills the pages from the state and takes the copies Cancel restores.
  void FormShow();
  void Weiter();
  // Lists the packages for the selected collector (every one that suits the combi box with
  // `alle`).
  void FillPackageGrid(bool alle);
  void Zurueck();
  void accept() override;
  void reject() override;

  // StatusSink: weather synthesis of a new location.
  void Status(const std::string& text) override;
  void Progress(const std::string& text) override;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Sicherung;
  void Beschriften();
  void ZeigeSeite(Seite s);
  void RechneBedarf();
  // A number field against its limits: a value outside, or a text, gets its message and the
  // limit, and the focus. `beimVerlassen`: the field is being left, which towards Cancel
  // checks nothing; "weiter" and OK check their page whatever has the focus.
  bool PruefeFeld(QLineEdit* feld, double min, double max, int dezimalen, bool beimVerlassen = false);
  bool PruefeQheiz(bool beimVerlassen = false);
  bool PruefeThzgrz(bool beimVerlassen = false);
  bool PruefeSeite();
  void Melde(QLineEdit* feld, const std::string& meldung, const QString& text);
  // A typed area or volume of a sizing page: a number within its limits, else its message and
  // the figure in force again. False when refused.
  bool PruefeGroesse(QLineEdit* feld, double min, double max, double inKraft, int dezimalen,
                     bool beimVerlassen = false);
  void FlaecheGetippt();
  void VolumenGetippt();
  void FlaecheGetipptHz();
  void SetzeWeiter();
  // Runs a variant's `laeufe` silent runs with the progress shown; false when Cancel, pressed
  // meanwhile, closed the wizard.
  bool Variante(int laeufe, const std::function<void(const StillerLauf&)>& rechne);
  void FokusNachVariante();
  bool OhneErgebnis() const;
  void ZeigeHeizFelder();
  void StufeKAfaktor(int zehntel);
  void DimensioniereTWW();
  void ZeigePaketSeite();
  void UebernimmPaket();
  void DimensioniereHeizung();
  void ZeigeTWW();
  void ZeigeHeizung();
  void FlaecheSchritt(bool hoch);
  void FlaecheSchrittHz(bool hoch);
  void SpeicherSchritt(bool hoch);
  void Beschaeftigt(bool an);
  double HeizgrenzeMin() const;
  static double QheizMax();
  StillerLauf MitFortschritt();
  AssistentEingaben Eingaben() const;

  AssistentDim dim_;
  std::unique_ptr<Sicherung> sicherung_;
  bool fuellen_ = false;   // FormInit: the pages are being filled
  bool rechnet_ = false;   // a sizing is running
  bool abbrechen_ = false; // Cancel pressed during a sizing
  bool laufFehler_ = false; // a run of this sizing could not start
  bool twwGerechnet_ = false; // the hot-water design ran: the heating sizing can build on it
  int laufZiel_ = 1;
  QPointer<QWidget> fokusVorher_;  // the focus when a sizing began
};

// The program's one wizard, made on first use.
TFormPrjAssistent* FormPrjAssistent(QWidget* parent = nullptr);

}  // namespace tav
