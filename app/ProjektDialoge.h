#pragma once
// The main window's commands for the project dialogs, the data folder, the about box and the
// three calculators. Each opens its window over parent, does what the window decided (load,
// save, delete, switch) and tells the main window through the hooks below; the return value
// is the window's modal result.

#include <functional>
#include <string>

class QWidget;

namespace tav {

class ProjektKatalogDienste;

struct ProjektHooks {
  // The catalogue and plant services of the program (loading and saving projects). Without
  // them the project and data-folder commands do nothing and return 2.
  ProjektKatalogDienste* Dienste = nullptr;
  // Redraws the plant scheme and the main window's project texts.
  std::function<void()> RefreshSchema;
  // The results no longer belong to the project: switches "Ergebnis" off.
  std::function<void()> InvalidateResults;
  // Shows the project-info dialog modally with the caption; its modal result (1 OK). Without
  // it the save dialog's "neues Projekt" button stays off.
  std::function<int(QWidget* parent, const std::string& caption)> ProjektInfo;
  // The settings were read again (another data folder): captions of the main window anew.
  std::function<void()> EinstellungenGeladen;
};

// The program's hooks; the main window fills them at start-up.
ProjektHooks& ProjektCommandHooks();

// "Speichern" (Ctrl+S, tool button): saves under a chosen or a new number. 1 saved, 2 not.
int ProjektSpeichernBefehl(QWidget* parent);
// "Wählen" (Ctrl+O, tool button "Oeffnen"): opens a stored project. 1 opened, 2 not.
int ProjektWaehlenBefehl(QWidget* parent);
// "Löschen": with at least two stored projects deletes the marked ones; else the warning
// "Nur ein Projekt gespeichert - das bleibt!". 1 deleted, 2 not.
int ProjektLoeschenBefehl(QWidget* parent);
// "Datenordner": moves to another data folder and reads everything from there. 1 switched.
int DatenordnerBefehl(QWidget* parent);
// "Info": the about box, placed at the main window's left + 273 and top + 73.
int ProgrammInfoBefehl(QWidget* parent);
// "Warmwasser" (Ctrl+W): the hot-water calculator, shown without waiting.
void WarmwasserBefehl(QWidget* parent);
// "Absorber-Drehung" (Ctrl+R): 1 when the absorber orientation was taken into the project.
int AbsorberDrehungBefehl(QWidget* parent);
// "Solarkreisvolumen" (Ctrl+V): the expansion-vessel calculator.
int SolarkreisVolBefehl(QWidget* parent);

}  // namespace tav
