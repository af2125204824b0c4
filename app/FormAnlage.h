#pragma once
// TFormAnlage: the plant dialog. Six pages (plant type and options with the scheme, temperatures /
// consumption / stores, circulation, solar space heating, pool, conventional energy) edit the plant
// of the current project. Showing fills every field from the plant state and keeps a copy; every
// choice updates the scheme at once; OK checks every field again and stores them (a field the user
// did not touch keeps its stored value exactly); Cancel puts the copy back, the modified flag too.

#include <QDialog>
#include <QMap>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "foundation/TavVar.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace tav {

class TZiGrid;
class TSparDiagramm;
class TFormEnerEdit;
class TFormProfilEdit;

// Opens the plant dialog on a page (0 = plant type; the "Energie" command passes SeiteEnergie).
// Returns the modal result: 1 = OK (the plant may have changed), 2 = Cancel (nothing changed).
// After OK RunState::WeiterModus tells whether "weiter" ran past the last page.
// Statuszeile: the main window's status line (the grid's drawing hint). PlantChanged tells
// whether OK changed any plant variable (then the scheme and the results are out of date).
int ShowAnlageDialog(QWidget* parent, int Seite = 0,
                     const std::function<void(const std::string&)>& Statuszeile = {},
                     bool* PlantChanged = nullptr);
inline constexpr int SeiteEnergie = 5;

// The plant variables as comparable lines (the project's keys and what the dialog writes beside).
std::vector<std::pair<std::string, std::string>> PlantZeilen(const PlantState& p);

class TFormAnlage : public QDialog {
  Q_OBJECT
 public:
  explicit TFormAnlage(QWidget* parent = nullptr);

  // Shows the dialog modally on a page (-1 keeps the last page) and returns its result.
  int Zeige(int seite = -1);
  // Fills every field from the plant state and keeps the copy for Cancel (what showing does).
  void Fuelle();
  // Checks every visible field; the first bad one gets its message and the focus.
  bool PruefeAlle();
  // The check of one field as when it loses the focus; false when it was corrected.
  bool Pruefe(QLineEdit* edit);
  // Next visible page; past the last one the dialog closes with OK and WeiterModus set.
  void Weiter();
  // The hot-water field between litres and kWh per day.
  void WechsleEinheit();
  bool EinheitLiter() const { return literModus_; }
  // Pool season from the temperature threshold field.
  void PoolSaisonAusTemperatur();
  // The space-heating demand check and the "»" button.
  void HeizbedarfPruefen();
  void NennleistungAusBedarf();
  // Load-profile commands: edit, new, delete.
  void ProfilBearbeiten();
  void ProfilNeu();
  void ProfilLoeschen();
  void EnergieBearbeiten();

  void done(int r) override;

  // After closing: whether OK changed any plant variable.
  bool AnlageGeaendert = false;
  // The main window's status line: the drawing hint while the mouse is over the circulation grid.
  std::function<void(const std::string&)> Statuszeile;

  QTabWidget* PageControl1;
  QWidget *TabSheet1, *TabSheet2, *TabSheetZ, *TabSheetSolHeiz, *TabSheetPool, *TabSheet4;
  // Plant type and options.
  QGroupBox* GroupBoxATyp;
  QRadioButton *RadioButtonA1, *RadioButtonA2, *RadioButtonA3, *RadioButtonA1_TSS, *RadioButtonA4,
      *RadioButtonA5, *RadioButtonA6, *RadioButtonA7, *RadioButtonA8;
  QCheckBox *CheckBoxElektro, *CheckBoxLFT, *CheckBoxAntiLeg, *CheckBoxPool, *CheckBoxZirku;
  QGroupBox *RadioGroupKombiPS, *RadioGroupKaskade, *RadioGroupHK, *RadioGroupPoolWT;
  std::array<QRadioButton*, 3> KombiItems{};
  std::array<QRadioButton*, 2> KaskadeItems{};
  std::array<QRadioButton*, 5> HKItems{};
  std::array<QRadioButton*, 2> PoolWTItems{};
  QLabel* ImageSchema;
  // Temperatures, consumption, stores, fresh-water station.
  QGroupBox *GroupBox1, *GroupBox2, *GroupBoxSpeicher, *GroupBoxFWE;
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit4b, *Edit5, *EditHzGr, *EditFWEQ, *EditFWEdTmin;
  QLineEdit *Edit7, *Edit8, *Edit9;
  QLabel *Label14, *LabelEQTWW, *LabelVol, *LabelVol2, *LabelSp1, *LabelSp2, *LabelGesVolV, *LabelSpK;
  QPushButton *SpeedButton1, *SpeedButton2, *SpeedButtonPrfNeu, *SpeedButtonPrfDel, *SpeedButtonSpVol;
  QComboBox* ComboBox1;
  QSpinBox* EditSpAnz;
  QWidget* PanelAnzSp;
  QSlider* TrackBar1;
  // Circulation.
  QRadioButton *RadioButtonZ1, *RadioButtonZ2;
  TZiGrid* ImageZ;
  QLabel* LabelZeit;
  QLineEdit *EditZL, *EditZV;
  // Solar space heating.
  QGroupBox *GroupBoxQheiz, *GroupBox5, *GroupBox6;
  QLineEdit *EditQheiz, *EditQnorm, *Edit24, *Edit25, *Edit26, *Edit20, *Edit21, *Edit22;
  QPushButton* SpeedButton2kW;
  // Pool.
  QLineEdit *EditPoolT, *EditPoolV, *MaskEditPoolStart, *MaskEditPoolEnde, *EditPoolSpminT, *EditPoolHzGr;
  QPushButton *SpeedButtonPool1, *SpeedButtonPool2;
  // Conventional energy.
  QComboBox* ComboBox3;
  QLabel *LabelE41, *LabelE42, *LabelE43, *LabelE44, *LabelE45, *LabelE46;
  QPushButton* EnerBearbeitenSpeedButton;
  TSparDiagramm* Image1;
  QLabel* ImageWQ;  // the heater of the carrier's product line
  QPushButton *ButtonOK, *ButtonCancel, *SpeedButtonFastForward;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Baue();
  void Anpassen();
  void Laden();
  void Speichern();
  void TypWahl(int typ);
  void Schema();
  void PoolSeite();
  void ZeigeEnergie(int n);
  // Chooses energieNr_ in the carrier list (none, with the project's name, when outside it).
  void ZeigeEnergieWahl();
  void FuelleProfile();
  // After an editor's rewrite was refused because another program changed the profile or
  // carrier catalogue (its change taken back): the lists as that program wrote them.
  void NachFremderAenderung();
  void GesamtVolumenZeigen();
  void SpeicherWaehlen();
  bool Geaendert(QLineEdit* e) const;
  void Zeige(QLineEdit* e, const std::string& text);
  QString LabelOhne(QLineEdit* e) const;
  bool Fehler(QLineEdit* e, const std::string& meldung, const QString& korrektur);

  PlantState kopie_;
  bool geaendertVorher_ = false;
  std::vector<TProfil> profileVorher_;
  int profilAnzahlVorher_ = 0;
  bool aufbau_ = false;     // the dialog fills itself: choice handlers do nothing
  bool pruefung_ = false;   // a field check is showing its message
  bool schliesst_ = false;
  bool ersteAnzeige_ = true;
  bool literModus_ = true;
  int energieNr_ = 0;
  QMap<QLineEdit*, QString> gezeigt_;  // the text each field was filled with
  QMap<QLineEdit*, QLabel*> labels_;
  TFormEnerEdit* enerEdit_ = nullptr;
  TFormProfilEdit* profilEdit_ = nullptr;
};

}  // namespace tav
