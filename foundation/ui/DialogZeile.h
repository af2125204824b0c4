#pragma once
// TFormDialogZeile: a small input dialog with up to three lines; TFormWortSuche, the search
// term dialog built on it; and the find-next searches of the catalogue lists and grids.

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tav {

class TXiPanel;

class TFormDialogZeile : public QDialog {
  Q_OBJECT
 public:
  explicit TFormDialogZeile(QWidget* parent = nullptr);

  TXiPanel* XiPanel1;
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;

  // One line only: Edit2, Edit3 and ButtonCancel hidden, ButtonOK moved up, the form shrunk.
  void CompactLayout();
  // Closing the window without a button (Escape, the close button) is Cancel: 2.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Captions of the buttons from the text table.
  virtual void FormShow();
};

class TFormWortSuche : public TFormDialogZeile {
  Q_OBJECT
 public:
  explicit TFormWortSuche(QWidget* parent = nullptr);
  // True when the dialog was closed without OK.
  bool Abbruch() const { return abbruch_; }

 protected:
  void FormShow() override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool abbruch_ = true;
};

// Asks for a search term; empty when the dialog was cancelled or the term left empty. The
// dialog offers the last term again, so Return alone finds the next match.
std::string AskSearchTerm(QWidget* parent = nullptr);

// Selects the next row of Grid whose text in column 1 contains the asked term; a message
// when there is none. True when a row was found. The first FixedRows rows are headings and
// are not searched.
bool SearchGrid(QTableWidget* grid, int fixedRows = 0);
// The same over a list: Index becomes the position of the next item (from FirstRow on)
// that contains the term.
bool SearchList(const std::vector<std::string>& list, int firstRow, int& index,
                QWidget* parent = nullptr);

}  // namespace tav
