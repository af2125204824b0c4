#pragma once
// The project dialogs: save the current data under a project number (TFormProjektSpeichern),
// open a stored project (TFormProjektWaehlen) and delete stored projects
// (TFormProjektLoeschen). All three list the project file's index newest first; each grid row
// keeps its project record, so the project acted on is the one picked, whatever its name.

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/TavVar.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tav {

class ProjektKatalogDienste;
class TXiButton;
class TXiPanel;

// One row of a project grid.
struct ProjektZeile {
  std::uint16_t Nummer = 0;
  std::string Name;  // cut to 60 characters
  float Datum = 0.0f;
  std::string VollerName;  // as stored, for the row's tool tip
};
inline constexpr std::size_t kProjektNameBreite = 60;

// The index as grid rows, newest first; projects of the same date keep their file order.
// With aktuellesZuerst the current project (number aktuelleNummer) comes first and shows
// aktuellerName.
std::vector<ProjektZeile> ProjektZeilen(const CatalogueState& c, std::int32_t aktuelleNummer,
                                        bool aktuellesZuerst, const std::string& aktuellerName);
// A name for the overwrite question: longer than 28 characters gives its first 25 + "...".
std::string KurzerProjektName(const std::string& name);

class TFormProjektSpeichern : public QDialog {
  Q_OBJECT
 public:
  TFormProjektSpeichern(TavState& s, ProjektKatalogDienste& d, QWidget* parent = nullptr);

  TXiPanel* XiPanel1;
  QLabel* Label1;
  QTableWidget* StringGrid1;
  QToolButton* SpeedButton1;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;
  TXiButton* XiButtonNeuesProjekt;

  // The project number of the last confirm.
  std::int32_t ProjektWahl = 0;
  // The rows as shown.
  const std::vector<ProjektZeile>& Zeilen() const { return zeilen_; }

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  virtual void FormShow();
  // OK, double click or Enter in the grid.
  virtual void Bestaetigen();
  // Double click in the grid.
  virtual void GridDoppelklick() { Bestaetigen(); }
  void FillGrid(bool aktuellesZuerst);
  void SelectRow(int row);
  // The number of the selected row; 0 when none.
  std::int32_t GewaehlteNummer() const;

  TavState& s_;
  ProjektKatalogDienste& d_;
  std::vector<ProjektZeile> zeilen_;

 private:
  void SaveAsChosen();
  void NeuesProjekt();
};

class TFormProjektWaehlen : public TFormProjektSpeichern {
  Q_OBJECT
 public:
  TFormProjektWaehlen(TavState& s, ProjektKatalogDienste& d, QWidget* parent = nullptr);

 protected:
  void FormShow() override;
  void Bestaetigen() override;
};

class TFormProjektLoeschen : public TFormProjektSpeichern {
  Q_OBJECT
 public:
  TFormProjektLoeschen(TavState& s, ProjektKatalogDienste& d, QWidget* parent = nullptr);

 protected:
  void FormShow() override;
  void Bestaetigen() override;
  void GridDoppelklick() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tav
