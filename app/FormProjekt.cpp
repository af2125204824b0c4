#include "app/FormProjekt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "app/ProjektDialoge.h"
#include "project/NeuesProjekt.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "app/FormHilfen.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/DialogZeile.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/XiButton.h"
#include "foundation/ui/XiPanel.h"

namespace tav {

using namespace form;

namespace {

std::string ErsteZeichen(const std::string& s, std::size_t n) {
  const std::u32string cp = Utf8ToCodePoints(s);
  return cp.size() <= n ? s : CodePointsToUtf8(std::u32string_view(cp).substr(0, n));
}

}  // namespace

std::vector<ProjektZeile> ProjektZeilen(const CatalogueState& c, std::int32_t aktuelleNummer,
                                        bool aktuellesZuerst, const std::string& aktuellerName) {
  std::vector<ProjektZeile> zeilen;
  const std::int32_t n = std::clamp<std::int32_t>(c.ProjektAnzahl, 0, kMaxProjekte);
  for (std::int32_t i = 1; i <= n; ++i) {
    const TProjDat& p = c.Projektliste[static_cast<std::size_t>(i)];
    zeilen.push_back({p.Nummer, p.ProjektName, p.Datum, p.ProjektName});
  }
  const auto aktuell = [&](const ProjektZeile& z) {
    return aktuellesZuerst && z.Nummer == aktuelleNummer;
  };
  // Stable: projects saved within the same minutes (the date is single precision) keep
  // their file order.
  std::stable_sort(zeilen.begin(), zeilen.end(), [&](const ProjektZeile& a, const ProjektZeile& b) {
    if (aktuell(a) != aktuell(b)) return aktuell(a);
    return a.Datum > b.Datum;
  });
  for (ProjektZeile& z : zeilen) {
    if (aktuell(z)) z.Name = z.VollerName = aktuellerName;
    // Shown like the padded list line: at most 60 characters, no trailing blanks.
    z.Name = ErsteZeichen(z.Name, kProjektNameBreite);
    while (!z.Name.empty() && z.Name.back() == ' ') z.Name.pop_back();
  }
  return zeilen;
}

std::string KurzerProjektName(const std::string& name) {
  if (Utf8Length(name) <= 28) return name;
  return ErsteZeichen(name, 25) + "...";
}

// ---------------------------------------------------------------------------------------

TFormProjektSpeichern::TFormProjektSpeichern(TavState& s, ProjektKatalogDienste& d,
                                             QWidget* parent)
    : QDialog(parent), s_(s), d_(d) {
  setObjectName("FormProjektSpeichern");
  setWindowTitle("Projekt speichern");
  XiPanel1 = Named(new TXiPanel(this), "XiPanel1");
  XiPanel1->SetColorScheme(TXiPanel::csSilver);
  Label1 = Named(new QLabel(XiPanel1), "Label1");
  Label1->setWordWrap(true);
  StringGrid1 = Named(new QTableWidget(XiPanel1), "StringGrid1");
  StringGrid1->setColumnCount(3);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(
      std::max(17, StringGrid1->fontMetrics().height() + 4));
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid1->horizontalHeader()->setStretchLastSection(false);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->setWordWrap(false);
  StringGrid1->installEventFilter(this);
  StringGrid1->viewport()->installEventFilter(this);
  Label1->setBuddy(StringGrid1);

  SpeedButton1 = Named(new QToolButton(XiPanel1), "SpeedButton1");
  SpeedButton1->setIcon(QIcon(QPixmap::fromImage(LoadResBitmap("GlyphSuche"))));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  // Made in the order Tab takes them, left to right.
  XiButtonNeuesProjekt = Named(new TXiButton(XiPanel1), "XiButtonNeuesProjekt");
  XiButtonNeuesProjekt->SetColorScheme(TXiButton::csNeoSilver);
  ButtonOK = Named(new QPushButton(XiPanel1), "ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = Named(new QPushButton(XiPanel1), "ButtonCancel");

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(SpeedButton1);
  knoepfe->addStretch();
  knoepfe->addWidget(XiButtonNeuesProjekt);
  knoepfe->addSpacing(12);
  knoepfe->addWidget(ButtonOK);
  knoepfe->addWidget(ButtonCancel);
  auto* innen = new QVBoxLayout(XiPanel1);
  innen->setContentsMargins(12, 10, 12, 12);
  innen->addWidget(Label1);
  innen->addWidget(StringGrid1, 1);
  innen->addLayout(knoepfe);
  auto* aussen = new QVBoxLayout(this);
  aussen->setContentsMargins(0, 0, 0, 0);
  aussen->addWidget(XiPanel1);
  resize(560, 420);
  setMinimumSize(420, 260);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { Bestaetigen(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(2); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SearchGrid(StringGrid1); });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { GridDoppelklick(); });
  connect(XiButtonNeuesProjekt, &QPushButton::clicked, this, [this] { NeuesProjekt(); });
}

void TFormProjektSpeichern::reject() { done(2); }

void TFormProjektSpeichern::showEvent(QShowEvent* event) {
  setResult(0);
  FormShow();
  LayoutJetzt(this);
  QDialog::showEvent(event);
}

void TFormProjektSpeichern::FormShow() {
  setWindowTitle(Q(T(TX::FormProjektSpeichernCaption)));
  Label1->setText(Q(T(TX::FormProjektSpeichernLabel1a) + " '" + s_.plant.ProjektName + "' " +
                    T(TX::FormProjektSpeichernLabel1b) + ":"));
  XiButtonNeuesProjekt->setText(Q(T(TX::FormProjektSpeichernButton)));
  ButtonOK->setText(Q(T(TX::ButtonOK)));
  ButtonCancel->setText(Q(T(TX::ButtonCancel)));
  SpeedButton1->setToolTip(Q(T(TX::FormSuche)));
  XiButtonNeuesProjekt->show();
  XiButtonNeuesProjekt->setEnabled(s_.cat.ProjektAnzahl < kMaxProjekte &&
                                   static_cast<bool>(ProjektCommandHooks().ProjektInfo));
  StringGrid1->setHorizontalHeaderLabels(
      {Q(T(TX::NrAbk)), Q(T(TX::Projektname)), Q(T(TX::Datum))});
  FillGrid(false);
  for (int r = 0; r < static_cast<int>(zeilen_.size()); ++r) {
    if (zeilen_[static_cast<std::size_t>(r)].Nummer == s_.settings.ProjektNummer) SelectRow(r);
  }
  StringGrid1->setFocus();
}

void TFormProjektSpeichern::FillGrid(bool aktuellesZuerst) {
  zeilen_ = ProjektZeilen(s_.cat, s_.settings.ProjektNummer, aktuellesZuerst,
                          s_.plant.ProjektName);
  StringGrid1->clearContents();
  StringGrid1->setRowCount(static_cast<int>(zeilen_.size()));
  for (int r = 0; r < static_cast<int>(zeilen_.size()); ++r) {
    const ProjektZeile& z = zeilen_[static_cast<std::size_t>(r)];
    auto* nr = new QTableWidgetItem(QString::number(z.Nummer));
    nr->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StringGrid1->setItem(r, 0, nr);
    auto* name = new QTableWidgetItem(Q(z.Name));
    if (z.VollerName != z.Name) name->setToolTip(Q(z.VollerName));
    StringGrid1->setItem(r, 1, name);
    StringGrid1->setItem(r, 2, new QTableWidgetItem(Q(DateTimeToDotStr(z.Datum))));
  }
  const QFontMetrics fm = StringGrid1->fontMetrics();
  StringGrid1->setColumnWidth(0, fm.horizontalAdvance("000000"));
  StringGrid1->setColumnWidth(2, fm.horizontalAdvance("00.00.00000") + 8);
  StringGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  StringGrid1->clearSelection();
  if (!zeilen_.empty()) SelectRow(0);
}

void TFormProjektSpeichern::SelectRow(int row) {
  if (row < 0 || row >= StringGrid1->rowCount()) return;
  StringGrid1->setCurrentCell(row, 1);
  StringGrid1->selectRow(row);
}

std::int32_t TFormProjektSpeichern::GewaehlteNummer() const {
  const int row = StringGrid1->currentRow();
  if (row < 0 || row >= static_cast<int>(zeilen_.size())) return 0;
  return zeilen_[static_cast<std::size_t>(row)].Nummer;
}

bool TFormProjektSpeichern::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Bestaetigen();
      return true;
    }
    if (key == Qt::Key_Escape) {
      done(2);
      return true;
    }
  }
  // The right mouse button on the grid searches it.
  if (watched == StringGrid1->viewport() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    SearchGrid(StringGrid1);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormProjektSpeichern::Bestaetigen() {
  const std::int32_t nummer = GewaehlteNummer();
  if (nummer == 0) return;
  ProjektWahl = nummer;
  SaveAsChosen();
}

void TFormProjektSpeichern::SaveAsChosen() {
  int antwort = mrYes;
  if (ProjektWahl != s_.settings.ProjektNummer) {
    std::string name = "???";
    for (const ProjektZeile& z : zeilen_) {
      if (z.Nummer == ProjektWahl) name = z.Name;
    }
    antwort = Msg().Ask(ReplaceHashMark(T(TX::Projektueberschreiben), KurzerProjektName(name)),
                        mbYesNoCancelKeep);
  }
  if (antwort == mrNo) {
    done(2);
    return;
  }
  if (antwort != mrYes) return;  // Cancel: back to the grid
  const std::int32_t vorher = s_.settings.ProjektNummer;
  s_.settings.ProjektNummer = ProjektWahl;
  if (!WriteProjektDat(ProjektDateiPfad(s_), s_, d_)) {
    // Reported by the writer; the data stay in memory under their old number.
    s_.settings.ProjektNummer = vorher;
    return;
  }
  LoadProjekt(s_, d_);
  done(1);
}

void TFormProjektSpeichern::NeuesProjekt() {
  const auto& hooks = ProjektCommandHooks();
  if (!hooks.ProjektInfo) return;
  // The list keeps its count until the new project is written and the list read again: a
  // slot beyond the count may still hold a deleted project's number, which would count the
  // new number as listed and let the save write over a section another program made.
  if (!NeuesProjektMoeglich(s_.cat)) {
    XiButtonNeuesProjekt->setEnabled(false);
    ShowMessageLines(T(TX::WarnungMaxAnzahl));
    return;
  }
  // Cancelled or not written, the open project stays as it was and so does the dialog.
  if (!NeuesProjektAnlegen(s_, d_, [&] {
        return hooks.ProjektInfo(this, T(TX::FormPrjInfoNeuCaption)) == mrOk;
      }))
    return;
  ProjektWahl = s_.settings.ProjektNummer;
  done(1);
}

// ---------------------------------------------------------------------------------------

TFormProjektWaehlen::TFormProjektWaehlen(TavState& s, ProjektKatalogDienste& d, QWidget* parent)
    : TFormProjektSpeichern(s, d, parent) {
  setObjectName("FormProjektWaehlen");
}

void TFormProjektWaehlen::FormShow() {
  setWindowTitle(Q(T(TX::FormProjektWaehlenCaption)));
  ButtonOK->setText(Q(T(TX::ButtonOK)));
  ButtonCancel->setText(Q(T(TX::ButtonCancel)));
  SpeedButton1->setToolTip(Q(T(TX::FormSuche)));
  Label1->clear();
  Label1->hide();
  XiButtonNeuesProjekt->hide();
  // The same headers as the save and delete dialogs, so they follow the language too.
  StringGrid1->setHorizontalHeaderLabels(
      {Q(T(TX::NrAbk)), Q(T(TX::Projektname)), Q(T(TX::Datum))});
  FillGrid(false);
  for (int r = 0; r < static_cast<int>(zeilen_.size()); ++r) {
    if (zeilen_[static_cast<std::size_t>(r)].Nummer == s_.settings.ProjektNummer) SelectRow(r);
  }
  StringGrid1->setFocus();
}

void TFormProjektWaehlen::Bestaetigen() {
  const std::int32_t nummer = GewaehlteNummer();
  if (nummer == 0) return;
  ProjektWahl = nummer;
  const int antwort = s_.run.ProjektGeaendert
                          ? Msg().Ask(T(TX::AktuelleDatenSpeichernAbfrage), mbYesNoCancel)
                          : mrNo;
  if (antwort != mrYes && antwort != mrNo) return;  // Cancel: back to the grid
  // A failed save keeps the dialog open, so the unsaved data are not replaced.
  if (antwort == mrYes && !WriteProjektDat(ProjektDateiPfad(s_), s_, d_)) return;
  s_.settings.ProjektNummer = ProjektWahl;
  LoadProjekt(s_, d_);
  done(1);
}

// ---------------------------------------------------------------------------------------

TFormProjektLoeschen::TFormProjektLoeschen(TavState& s, ProjektKatalogDienste& d,
                                           QWidget* parent)
    : TFormProjektSpeichern(s, d, parent) {
  setObjectName("FormProjektLoeschen");
  StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
}

void TFormProjektLoeschen::FormShow() {
  setWindowTitle(Q(T(TX::FormProjektLoeschenCaption)));
  Label1->setText(Q(T(TX::FormProjektLoeschenLabel1) + ":"));
  ButtonOK->setText(Q(T(TX::ButtonOK)));
  ButtonCancel->setText(Q(T(TX::ButtonCancel)));
  SpeedButton1->setToolTip(Q(T(TX::FormSuche)));
  XiButtonNeuesProjekt->hide();
  StringGrid1->setHorizontalHeaderLabels(
      {Q(T(TX::NrAbk)), Q(T(TX::Projektname)), Q(T(TX::Datum))});
  FillGrid(true);
  StringGrid1->clearSelection();
  SelectRow(zeilen_.size() > 1 ? 1 : 0);
  StringGrid1->setFocus();
}

void TFormProjektLoeschen::GridDoppelklick() { ButtonOK->setFocus(); }

bool TFormProjektLoeschen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(event);
    // A typed character or Enter goes on to the OK button; arrows and page keys still move
    // the selection, and Escape cancels.
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      ButtonOK->setFocus();
      return true;
    }
    if (k->key() == Qt::Key_Escape) {
      done(2);
      return true;
    }
    if (!k->text().isEmpty() && k->text().at(0).isPrint()) {
      ButtonOK->setFocus();
      return true;
    }
    return false;
  }
  return TFormProjektSpeichern::eventFilter(watched, event);
}

void TFormProjektLoeschen::Bestaetigen() {
  // The marked rows: the contiguous range, else the current row.
  int oben = StringGrid1->currentRow(), unten = oben;
  const auto bereiche = StringGrid1->selectedRanges();
  if (!bereiche.isEmpty()) {
    oben = bereiche.front().topRow();
    unten = bereiche.front().bottomRow();
    for (const auto& b : bereiche) {
      oben = std::min(oben, b.topRow());
      unten = std::max(unten, b.bottomRow());
    }
  }
  const int anzahl = static_cast<int>(zeilen_.size());
  if (oben < 0 || unten >= anzahl || oben > unten) return;
  if (oben == 0 && unten == anzahl - 1) {
    // At least one project stays: it becomes the current one.
    ShowMessageLines(T(TX::WarnungMinimum1));
    return;
  }
  const int antwort = Msg().Ask(
      T(oben == unten ? TX::ProjektLoeschenAbfrage_a : TX::ProjektLoeschenAbfrage_b),
      mbYesNoCancelKeep);
  if (antwort == mrNo) {
    done(2);
    return;
  }
  if (antwort != mrYes) return;

  bool aktuellGeloescht = false;
  std::vector<std::int32_t> nummern;
  for (int r = oben; r <= unten; ++r) {
    nummern.push_back(zeilen_[static_cast<std::size_t>(r)].Nummer);
    if (nummern.back() == s_.settings.ProjektNummer) aktuellGeloescht = true;
  }
  // All in one rewrite: when it fails (reported), nothing is deleted, the open project stays
  // as it was and so does the dialog.
  if (!DeleteProjekte(s_, nummern)) return;
  if (aktuellGeloescht) {
    // The first remaining row becomes the current project.
    const int neu = oben > 0 ? 0 : unten + 1;
    s_.settings.ProjektNummer = zeilen_[static_cast<std::size_t>(neu)].Nummer;
    s_.run.ProjektGeaendert = false;
  }
  LoadProjekt(s_, d_);
  s_.run.SolarklimadatenOK = false;
  done(1);
}

}  // namespace tav
