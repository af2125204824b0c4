#pragma once
// Hauptmenu: the main window. Banner, tool-button bar with its orange marker, the plant
// scheme beside the system description, status bar and main menu; closing asks to save a
// modified project. The window works on the program-wide state G().
//
// A command stays disabled until its window is wired in (app/Befehle.cpp does so for all at
// start-up): with WireCommand (menu item and tool button by their object names) or, for the
// set-up chain location -> plant -> collector, with the chain's dialog functions.

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

#include "foundation/StatusSink.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QTextEdit;
class QTimer;
class QToolButton;

namespace tav {

struct TavState;
class TFormProjektInfo;
class KatalogDienste;
class WetterSynthese;

class Hauptmenu : public QMainWindow, public StatusSink {
  Q_OBJECT
 public:
  // `synthese` makes weather years for a location without a stored weather file.
  explicit Hauptmenu(WetterSynthese& synthese, QWidget* parent = nullptr);
  ~Hauptmenu() override;

  // --- Components -----------------------------------------------------------------------
  QLabel* ImageBanner;
  QLabel* ImageSchrift;    // lettering at the right of the banner
  QLabel* ImageSchriftli;  // lettering at the left, hidden
  QLabel* ImageLogo;       // logo place at the top right, empty
  QWidget* ShapeButtonleiste;
  QToolButton* SpeedButtonNeu;
  QToolButton* SpeedButtonOeffnen;
  QToolButton* SpeedButtonSpeichern;
  QToolButton* SpeedButtonAssistent;
  QToolButton* SpeedButtonOrt;
  QToolButton* SpeedButtonAnlage;
  QToolButton* SpeedButtonKollektor;
  QToolButton* SpeedButtonMeteoImport;
  QToolButton* SpeedButtonMoment;
  QToolButton* SpeedButtonSimulation;
  QToolButton* SpeedButtonENEV;
  QFrame* ShapeOrange;
  QLabel* ImageSchema;
  QMenu* PopupMenuKopieren;
  QTextEdit* RichEditProjekt;
  QTimer* TimerAnlgParameter;
  QTimer* TimerInfo;

  // Menus and their items, named as the object names.
  QMenu* Datei;
  QAction* Neu;
  QAction* Projektinfo;
  QAction* Waehlen;
  QAction* Speichern;
  QAction* Loeschen;
  QAction* ImportProjekt;
  QAction* ExportProjekt;
  QAction* Datenordner;
  QAction* Druckoptionen;
  QAction* Erfassungsbogen1;
  QAction* KundenAnschreiben1;
  QAction* Beenden;
  QMenu* Simulation;
  QAction* Rechenmodus;
  QAction* Momentanleistung;
  QAction* AnlagenSimulation;
  QAction* Start;
  QAction* Ergebnis;
  QAction* Optionen;
  QAction* Ort;
  QAction* Anlage;
  QAction* Energie;
  QAction* Kollektor;
  QMenu* Extra;
  QAction* AbsorberDrehung;
  QAction* Warmwasser;
  QAction* Solarkreisvolumen;
  QAction* Enev;
  QMenu* Import;
  QAction* KolldatImport;
  QAction* OrtedatImport;
  QAction* Meteonorm4dat;
  QAction* MN5hourdat;
  QMenu* Sprachwahl;
  QAction* Sprache[16];  // [1..15]: Sprache01 .. Sprache15
  QAction* Info;
  QAction* Hilfe1;
  QAction* GrafikKopieren;

  // --- Start-up -------------------------------------------------------------------------
  // After the data start-up, before the window is shown: language menu, captions, the
  // scheme and description, the stored placement (once; off every screen it comes back).
  void FormShow();
  // Shown maximised: as the user left it, and by default until a placement is stored.
  bool StartsMaximised() const;

  // --- Shared routines ------------------------------------------------------------------
  // Composes the scheme of the current plant and rewrites the description.
  void RefreshSchema();
  // Moves the marker under a tool button; nullptr (a menu item) hides it.
  void MarkToolButton(QToolButton* button);
  // 2 instantaneous output, 3 annual simulation; the two radio items follow.
  void SetRechenModus(int modus);
  // Results command off, results no longer valid, results window closed.
  void InvalidateResults();
  // Closes the results window (set once that window is built).
  std::function<void()> CloseResults;
  // Language item i (1..15) clicked.
  void Sprache01Click(int i);
  // Captions and hints of menus and tool buttons from the text table.
  void Retranslate();
  // The close question; true when the window may close.
  bool FormCloseQuery();
  bool SaveSettingsOnClose();

  // --- Dialog chain and wired windows ---------------------------------------------------
  // The location, plant and collector dialogs: each shows its dialog modally; the chain
  // continues while the dialog sets WeiterModus. Set once those dialogs are built.
  std::function<void()> FormOrt;
  std::function<void(bool energiePage)> FormAnlage;  // the energy page first when asked
  std::function<void()> FormKollektor;
  // The location editor, shown on a newly imported weather location (MeteoImport set).
  std::function<void()> FormOrtEdit;
  // The collector editor on the project's collector, which the EnEV import appended to the
  // catalogue (KollektorEditAnfrage); and the collector dialog's height, the reference of the
  // dialogs' shared placement.
  std::function<void()> FormKollektorEdit;
  std::function<int()> KollektorDialogHoehe;
  void ShowOrtDialog();
  void ShowAnlageDialog();
  void ShowKollektorDialog();
  // Enables the menu items and tool buttons of the chain's dialogs that are set.
  void UpdateChainEnabled();
  // Enables the menu item with this object name (and the tool button of the same command),
  // or the tool button of this object name, and runs `handler` when it is chosen instead of
  // what ran before ("Ergebnis" stays disabled until the run window enables it). A tool button shows the marker while its handler runs. After the
  // collector dialog's "continue" the chain clicks SpeedButtonSpeichern, then
  // SpeedButtonENEV (with "-E") or SpeedButtonSimulation, so wiring those buttons wires the
  // chain's end too. The chain's own dialogs are wired through FormOrt, FormAnlage and
  // FormKollektor, not here.
  void WireCommand(const QString& name, std::function<void()> handler);

  // --- Commands built here (public for tests and for the wiring) ---------------------
  void NeuesProjekt();
  void ProjektInfoZeigen();
  void ProjektSpeichern();
  void ProjektImportieren();
  void ProjektExportieren();
  void KollektorenImportieren();
  void OrteImportieren();
  void WetterImportieren(bool stuendlich);
  void GrafikKopierenClick();

  // File dialogs, replaceable for tests: (caption, folder, proposed name, filter) -> file
  // chosen or empty.
  using DateiDialog = std::function<QString(const QString& caption, const QString& folder,
                                            const QString& name, const QString& filter)>;
  DateiDialog OeffnenDialog;
  DateiDialog SpeichernDialog;

  TFormProjektInfo* FormProjektInfo();
  // The program's catalogue services, reporting to this window's status bar.
  KatalogDienste Dienste();
  // What makes weather years for a location without a stored weather file.
  WetterSynthese& Synthese() const { return synthese_; }
  // Runs once, just after the first paint and before ErsterPaint is signalled: the start-up's
  // work that waits for the window to be on the screen (the location's weather years).
  std::function<void()> NachErstemPaint;

  // StatusSink: the status bar, the busy cursor and the pauses of the work it shows.
  void Status(const std::string& text) override;
  void Busy(bool on) override;
  void Pause(int ms) override;

 signals:
  // The window has been painted for the first time and NachErstemPaint has run.
  void ErsterPaint();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolButtons();
  void BuildLanguageMenu();
  void PlaceLettering();
  void ApplyPlacement();
  void TimerAnlgParameterTimer();
  void TimerInfoTimer();
  void UpdateNeuEnabled();
  // Runs a tool button's command with the marker under the button.
  void MitMarker(QToolButton* button, const std::function<void()>& befehl);
  // One dialog of the set-up chain with its marker; true when it was left with "continue".
  bool KettenDialog(QToolButton* button, const std::function<void()>& zeigen);
  QToolButton* ToolButtonFuer(const QString& actionName) const;
  std::string ProjektDatei() const;

  TavState& s_;
  WetterSynthese& synthese_;
  TFormProjektInfo* formProjektInfo_ = nullptr;
  QActionGroup* rechenmodusGruppe_ = nullptr;
  std::map<QString, QToolButton*> knopfFuer_;  // action name -> its tool button
  bool ersterPaint_ = true;
};

}  // namespace tav
