#include "foundation/ui/DialogZeile.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextSearch.h"
#include "foundation/TextTable.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/XiPanel.h"

namespace tav {

namespace {

constexpr int kBreite = 344;  // the dialog's width where its title needs no more

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

// "TERM" + " " + the not-found text; the term as it was compared, in upper case.
void ShowNotFound(const std::string& term) {
  ShowMessageLines("\"" + UpperCaseText(term) + "\" " + T(TX::Meldung_nichtgefunden));
}

// Asks for the term and finds the next of Rows after Current; a term not found is reported,
// a cancelled search is not. ErgebnisOK stays cleared until the caller has selected the row.
std::optional<int> AskAndFindNext(const std::vector<std::string>& rows, int firstRow,
                                  int current, QWidget* parent) {
  const std::string term = AskSearchTerm(parent);
  if (term.empty()) return std::nullopt;
  Msg().ErgebnisOK = false;
  const std::optional<int> hit = FindNextRow(rows, firstRow, current, term);
  if (!hit) ShowNotFound(term);
  return hit;
}

}  // namespace

TFormDialogZeile::TFormDialogZeile(QWidget* parent) : QDialog(parent) {
  setObjectName("FormDialogZeile");
  SetFixedDialogFrame(this);
  setWindowTitle("Dialog mit Zeile(n)");
  setFont(QFont("Arial"));
  XiPanel1 = Named(new TXiPanel(this), "XiPanel1");
  XiPanel1->SetColorScheme(TXiPanel::csSilver);
  XiPanel1->SetFillDirection(fdVertical);
  Label1 = Named(new QLabel(XiPanel1), "Label1");
  Label2 = Named(new QLabel(XiPanel1), "Label2");
  Edit1 = Named(new QLineEdit(XiPanel1), "Edit1");
  Edit2 = Named(new QLineEdit(XiPanel1), "Edit2");
  Edit3 = Named(new QLineEdit(XiPanel1), "Edit3");
  ButtonOK = Named(new QPushButton(XiPanel1), "ButtonOK");
  ButtonCancel = Named(new QPushButton(XiPanel1), "ButtonCancel");
  Label1->setBuddy(Edit1);
  Label2->setBuddy(Edit2);

  Label1->setGeometry(12, 10, 320, 18);
  Edit1->setGeometry(12, 30, 320, 22);
  Label2->setGeometry(12, 58, 320, 18);
  Edit2->setGeometry(12, 78, 320, 22);
  Edit3->setGeometry(12, 106, 320, 22);
  ButtonOK->setGeometry(12, 140, 100, 26);
  ButtonCancel->setGeometry(232, 140, 100, 26);
  resize(kBreite, 178);
  XiPanel1->setGeometry(rect());

  ButtonOK->setDefault(true);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(2); });
  for (QLineEdit* e : {Edit1, Edit2, Edit3}) e->installEventFilter(this);
}

void TFormDialogZeile::CompactLayout() {
  Edit2->hide();
  Edit3->hide();
  ButtonCancel->hide();
  Label2->hide();
  // The button moves into the freed space below the first line.
  ButtonOK->move(ButtonOK->x(), Edit1->y() + Edit1->height() + 10);
  int lowestTop = 0;
  int lowestHeight = 0;
  for (QWidget* w : XiPanel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isHidden() || w->y() < lowestTop) continue;
    lowestTop = w->y();
    lowestHeight = w->height();
  }
  const int h = lowestTop + static_cast<int>(std::lround(2.5 * lowestHeight));
  setFixedHeight(h);
  XiPanel1->setGeometry(0, 0, width(), h);
}

void TFormDialogZeile::reject() { done(2); }

void TFormDialogZeile::showEvent(QShowEvent* event) {
  FormShow();
  // Fixed at its own size (the compact one's height), widened to the title it has now.
  FixDialogSize(this, QSize(kBreite, height()));
  // Without a place of its own: over the main window, at every opening alike.
  CentreOverMainWindow(this);
  XiPanel1->setGeometry(0, 0, width(), height());
  QDialog::showEvent(event);
}

void TFormDialogZeile::FormShow() {
  ButtonCancel->setText(QString::fromStdString(T(TX::ButtonCancel)));
  ButtonOK->setText(QString::fromStdString(T(TX::ButtonOK)));
}

bool TFormDialogZeile::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      (watched == Edit1 || watched == Edit2 || watched == Edit3)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      done(1);
      return true;
    }
    if (key == Qt::Key_Escape) {
      done(2);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

TFormWortSuche::TFormWortSuche(QWidget* parent) : TFormDialogZeile(parent) {
  setObjectName("FormWortSuche");
  setWindowTitle("Suche");
  Label1->setText("&Suchbegriff:");
}

void TFormWortSuche::FormShow() {
  TFormDialogZeile::FormShow();
  setWindowTitle(QString::fromStdString(T(TX::FormSuche)));
  Label1->setText(QString::fromStdString(T(TX::FormSuchbegriff) + ":"));
  CompactLayout();
  Edit1->setFocus();
  Edit1->selectAll();  // typing replaces the term offered
}

void TFormWortSuche::done(int result) {
  abbruch_ = result != 1;
  TFormDialogZeile::done(result);
}

bool TFormWortSuche::eventFilter(QObject* watched, QEvent* event) {
  // A double click on the term confirms it.
  if (watched == Edit1 && event->type() == QEvent::MouseButtonDblClick) {
    done(1);
    return true;
  }
  return TFormDialogZeile::eventFilter(watched, event);
}

std::string AskSearchTerm(QWidget* parent) {
  // The search dialog keeps its text from one search to the next.
  static std::string lastTerm;
  TFormWortSuche dialog(parent);
  dialog.Edit1->setText(QString::fromStdString(lastTerm));
  dialog.exec();
  lastTerm = dialog.Edit1->text().toStdString();
  if (dialog.Abbruch()) return std::string();
  return lastTerm;
}

bool SearchGrid(QTableWidget* grid, int fixedRows) {
  std::vector<std::string> rows;
  rows.reserve(static_cast<std::size_t>(grid->rowCount()));
  for (int r = 0; r < grid->rowCount(); ++r) {
    const QTableWidgetItem* item = grid->columnCount() > 1 ? grid->item(r, 1) : nullptr;
    rows.push_back(item ? item->text().toStdString() : std::string());
  }
  const std::optional<int> hit = AskAndFindNext(rows, fixedRows, grid->currentRow(), grid);
  if (!hit) return false;
  grid->setCurrentCell(*hit, 1);
  grid->selectRow(*hit);
  Msg().ErgebnisOK = true;
  return true;
}

bool SearchList(const std::vector<std::string>& list, int firstRow, int& index,
                QWidget* parent) {
  const std::optional<int> hit = AskAndFindNext(list, firstRow, index, parent);
  if (!hit) return false;
  index = *hit;
  Msg().ErgebnisOK = true;
  return true;
}

}  // namespace tav
