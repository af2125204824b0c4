#pragma once
// TFormSimErg: the results window. After a run it shows the energy balance below the short
// system description, the pool report, the ecology report, the monthly bar chart and the
// curves of the hourly results; every text and chart can be copied. It owns no results:
// each show rebuilds everything from the state. The print selection is kept here; the
// print command prints it (disabled while nothing is selected).

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>
#include <array>

#include "foundation/TavVar.h"
#include "results/ResultCharts.h"
#include "results/ui/ErgebnisDruck.h"
#include <functional>

class QGridLayout;
class QGroupBox;

namespace tav {

class TFormSimErg : public QWidget {
  Q_OBJECT
 public:
  explicit TFormSimErg(QWidget* parent = nullptr);

  // Rebuilds every page from the state (what the window does each time it is shown).
  void Fuellen();
  // Redraws the curve picture for the current view.
  void DrawKurven();
  const TKurvenStand& KurvenStand() const { return stand_; }
  // Pages of the print selection as the window will print them (empty: nothing).
  std::uint8_t DruckAuswahl() const;
  // Tail of the print job's title for the current selection.
  std::string DruckTitel() const;
  // The printout of the selection, and printing it (to the printer, or into PdfDatei when
  // given); true when the job ran.
  TErgebnisDruck DruckAuftrag() const;
  bool Drucken(const QString& pdfDatei = {});
  // The plant scheme of the main window for the summary sheet.
  std::function<TDruckBild()> SchemaBild;

  QPushButton* ButtonEnde = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget *TabSheet1 = nullptr, *TabSheetPool = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr, *TabSheet4 = nullptr;
  QTextEdit *RichEdit1 = nullptr, *RichEditPool = nullptr, *RichEditOeko = nullptr;
  QLabel *Image1 = nullptr, *Image2 = nullptr, *Label1 = nullptr;
  QPushButton *BitBtn2 = nullptr, *BitBtnPool = nullptr, *BitBtnOeko = nullptr, *BitBtn4 = nullptr, *BitBtn5 = nullptr;
  QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
  QPushButton *BitBtnDruck = nullptr, *BitBtnDruckOpt = nullptr;
  QCheckBox *CheckBoxReport = nullptr, *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBoxAlles = nullptr;
  QPushButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr, *SpeedButton4 = nullptr,
              *SpeedButton5 = nullptr;
  std::array<QCheckBox*, 7> Legende{};

 signals:
  // A text for the main window's status bar ("" clears it).
  void statusMessage(const QString& text);

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void KopiereText(int welcher);
  void KopiereGrafik(bool kurven);
  void SpeichereAuswahl();
  void AnsichtGeaendert();
  void LegendeGeklickt(int i, bool an);

  QGridLayout* kopie_ = nullptr;  // the copy buttons
  // Deliberate: the curves' view and weather year belong to the window; setting the
  // program-wide weather year changed what a later run or printout used.
  TKurvenStand stand_;
  bool erste_ = true;
  bool fuellen_ = false;  // the legend boxes are being set, not clicked
  bool solHeizungGeaendert_ = false;
};

// The program's results window (created on first use).
TFormSimErg& FormSimErg();
bool FormSimErgExists();

}  // namespace tav
