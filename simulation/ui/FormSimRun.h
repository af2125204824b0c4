#pragma once
// TFormSimRun: the modal run window of the annual simulation. Start runs the simulation of
// the current project on the GUI thread; the window serves its events once per simulated
// day and in the pause wait, and its buttons only set the run flags. The live diagram
// grows every third day; the two live percentages follow it.

#include <QDialog>
#include <QWidget>
#include <memory>
#include <string>

#include "simulation/SimContext.h"
#include "simulation/SimRun.h"
#include "simulation/ui/LaufDiagramm.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tav {

// The picture of the live diagram.
class TLaufBild : public QWidget {
  Q_OBJECT
 public:
  explicit TLaufBild(QWidget* parent = nullptr);
  TLaufDiagramm Diagramm;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TFormSimRun : public QDialog, public SimObserver {
  Q_OBJECT
 public:
  explicit TFormSimRun(QWidget* parent = nullptr);
  ~TFormSimRun() override;

  QPushButton* BitBtnStart;
  QPushButton* BitBtnPause;
  QPushButton* BitBtnCancel;
  QPushButton* BitBtnErgebnisse;
  QPushButton* BitBtnKlimgen;
  QPushButton* BitBtnOptionen;
  QLabel* Label1;  // run time of the last run, kept hidden
  QGroupBox* GroupBox1;
  TLaufBild* ImageSimRun;
  QFrame* Panel1;
  QLabel* LDeckungsrateK;
  QLabel* LWirkungsgradK;
  QLabel* LDeckungsrateV;
  QLabel* LWirkungsgradV;

  // The status text last given to the main window.
  const std::string& Statustext() const { return status_; }
  bool Laeuft() const { return laeuft_; }
  // Outcome of the last run started here.
  SimErgebnis LetztesErgebnis() const { return ergebnis_; }
  // The engine state of the running or last run (null before the first).
  const SimState* Laufzustand() const { return s_.get(); }

  // Every way of closing passes here: anything but the results button cancels a run.
  void done(int r) override;
  void reject() override;

  // The run's observer.
  void StartJahr(int jahr) override;
  void ShowLaufwerte(const SimLaufwerte& werte, const SimState& s) override;
  void ProcessEvents(SimState& s) override;
  void PauseSlice(SimState& s, int ms) override;
  // The warning window beside this one while a flow warning asks its question.
  void ZeigeInfo(const std::string& zeilen) override;
  void VerbergeInfo() override;

 protected:
  // Fills the window before it appears, so its layout fits the texts from the first frame.
  void setVisible(bool visible) override;

 private:
  // Captions and hints from the text table.
  void Beschriften();
  void BitBtnStartClick();
  void BitBtnPauseClick();
  void BitBtnCancelClick();
  void BitBtnErgebnisseClick();
  void BitBtnKlimgenClick();
  void FinishSimRun();
  // Buttons of a window in which no run is going on ("Ergebnisse" aside).
  void Bereit();
  void LeeresDiagramm();
  void SetzeStatus(const std::string& text);
  void SetzeBeschaeftigt(bool an);

  std::unique_ptr<SimState> s_;
  bool laeuft_ = false;
  bool beschaeftigt_ = false;
  std::string status_;
  SimErgebnis ergebnis_ = SimErgebnis::Konfigurationsfehler;
};

// The program's run window (created on first use).
TFormSimRun& FormSimRun();

}  // namespace tav
