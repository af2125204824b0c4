#include "results/ui/FormSimErg.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/PrintSelection.h"
#include "foundation/ui/FormKopftext.h"
#include "foundation/ui/SysUtilsQt.h"
#include "results/ui/ErgebnisDruck.h"
#include "results/ResultReports.h"
#include "results/ui/ReportAnlage.h"
#include "results/ui/ResultPainter.h"
#include "simulation/DayDriver.h"
#include "foundation/ui/SeitenTasten.h"

namespace tav {
namespace {

// Texts the window shows that have no text-table entry.
constexpr const char* kTabelleInZA = "Tabelle in Zwischenablage übernommen";

// The screen reports' tab stops suit an 8-point font; the window shows 10 points and widens
// the stops to match, as the copy form does.
constexpr int kSchirmPunkte = 10;
constexpr double kSchirmTabs = kSchirmPunkte / 8.0;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(TX k) { return QString::fromStdString(T(k)); }

struct LegendenEintrag {
  const char* name;
  TX text;
  TKurve kurve;
  bool SettingsState::*schalter;
};
constexpr std::array<LegendenEintrag, 7> kLegende = {{
    {"CheckBoxLegE_Koll", TX::FormSimErgplE_Koll, TKurve::Einstrahlung, &SettingsState::plotE_Koll},
    {"CheckBoxLegP_Anlg", TX::FormSimErgplP_Anlg, TKurve::Leistung, &SettingsState::plotP_Anlg},
    {"CheckBoxLegT_koll", TX::FormSimErgplT_Koll, TKurve::TKoll, &SettingsState::plotT_Koll},
    {"CheckBoxLegA_To1", TX::FormSimErgplA_To1, TKurve::Speicher1Oben, &SettingsState::plotA_To},
    {"CheckBoxLegA_Tu1", TX::FormSimErgplA_Tu1, TKurve::Speicher1Unten, &SettingsState::plotA_Tu},
    {"CheckBoxLegA_To2", TX::FormSimErgplA_To2, TKurve::Speicher2Oben, &SettingsState::plotA_To2},
    {"CheckBoxLegA_Tu2", TX::FormSimErgplA_Tu2, TKurve::Speicher2Unten, &SettingsState::plotA_Tu2},
}};

template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QTextEdit* ReportBox(const char* name) {
  auto* e = Named(new QTextEdit, name);
  e->setReadOnly(true);
  e->setTabChangesFocus(true);
  e->setLineWrapMode(QTextEdit::NoWrap);
  return e;
}

double Dpi(const QWidget* w) { return w ? w->logicalDpiX() : 96.0; }

QFont AnzeigeFont(int pt) { return QFont(Q(G().print.AnzeigeFont), pt); }

void SetReport(QTextEdit* e, const TReport& r) {
  e->clear();
  e->document()->setDefaultFont(AnzeigeFont(kSchirmPunkte));
  AppendReport(*e->document(), r, Dpi(e), kSchirmTabs);
}

// The laid-out document back as report lines, so the clipboard's RTF carries the whole
// text, the system description included.
TReport ReportAusDokument(const QTextDocument& doc, double dpi) {
  TReport r;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    TReportLine line;
    for (const auto& t : b.blockFormat().tabPositions()) line.Tabs.push_back(static_cast<int>(std::lround(t.position * 72.0 / dpi)));
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      const std::string text = f.text().toStdString();
      const bool fett = f.charFormat().fontWeight() >= QFont::Bold, unter = f.charFormat().fontUnderline();
      if ((fett || unter) && !text.empty()) line.Spans.push_back({line.Text.size(), text.size(), fett, unter});
      line.Text += text;
    }
    r.Lines.push_back(std::move(line));
  }
  return r;
}

QPointer<TFormSimErg>& Instanz() {
  static QPointer<TFormSimErg> form;
  return form;
}

}  // namespace

TFormSimErg::TFormSimErg(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("FormSimErg");
  auto* haupt = new QVBoxLayout(this);

  PageControl1 = Named(new QTabWidget, "PageControl1");
  PageKeys(this, PageControl1);
  TabSheet1 = Named(new QWidget, "TabSheet1");
  TabSheetPool = Named(new QWidget, "TabSheetPool");
  TabSheet2 = Named(new QWidget, "TabSheet2");
  TabSheet3 = Named(new QWidget, "TabSheet3");
  TabSheet4 = Named(new QWidget, "TabSheet4");
  RichEdit1 = ReportBox("RichEdit1");
  RichEditPool = ReportBox("RichEditPool");
  RichEditOeko = ReportBox("RichEditOeko");
  (new QVBoxLayout(TabSheet1))->addWidget(RichEdit1);
  (new QVBoxLayout(TabSheetPool))->addWidget(RichEditPool);
  (new QVBoxLayout(TabSheet2))->addWidget(RichEditOeko);
  Image1 = Named(new QLabel, "Image1");
  Image1->setAlignment(Qt::AlignCenter);
  (new QVBoxLayout(TabSheet3))->addWidget(Image1);

  // Curves: the picture, the navigation beside it and the legend below.
  Image2 = Named(new QLabel, "Image2");
  Image2->setFixedSize(kKurvenBildBreite, kKurvenBildHoehe);
  Label1 = Named(new QLabel, "Label1");
  QFont fett = Label1->font();
  fett.setBold(true);
  Label1->setFont(fett);
  SpeedButton1 = Named(new QPushButton, "SpeedButton1");
  SpeedButton2 = Named(new QPushButton, "SpeedButton2");
  SpeedButton3 = Named(new QPushButton, "SpeedButton3");
  SpeedButton4 = Named(new QPushButton, "SpeedButton4");
  SpeedButton5 = Named(new QPushButton, "SpeedButton5");
  auto* nav = new QVBoxLayout;
  nav->addWidget(Label1);
  for (auto* b : {SpeedButton4, SpeedButton3, SpeedButton1, SpeedButton2, SpeedButton5}) nav->addWidget(b);
  nav->addStretch();
  GroupBox2 = Named(new QGroupBox, "GroupBox2");
  auto* leg = new QGridLayout(GroupBox2);
  for (std::size_t i = 0; i < kLegende.size(); ++i) {
    auto* swatch = new QLabel;
    swatch->setObjectName(QString("Shape%1").arg(i + 1));
    swatch->setFixedSize(14, 14);
    swatch->setStyleSheet(QString("background:%1; border:1px solid white;").arg(KurvenFarbe(kLegende[i].kurve).name()));
    Legende[i] = Named(new QCheckBox, kLegende[i].name);
    const int zeile = static_cast<int>(i % 4), spalte = static_cast<int>(i / 4) * 2;
    leg->addWidget(swatch, zeile, spalte);
    leg->addWidget(Legende[i], zeile, spalte + 1);
    connect(Legende[i], &QCheckBox::toggled, this, [this, i](bool an) { LegendeGeklickt(static_cast<int>(i), an); });
  }
  auto* kurvenOben = new QHBoxLayout;
  kurvenOben->addWidget(Image2);
  kurvenOben->addLayout(nav);
  auto* kurven = new QVBoxLayout(TabSheet4);
  kurven->addLayout(kurvenOben);
  kurven->addWidget(GroupBox2);
  kurven->addStretch();

  PageControl1->addTab(TabSheet1, QString());
  PageControl1->addTab(TabSheetPool, QString());
  PageControl1->addTab(TabSheet2, QString());
  PageControl1->addTab(TabSheet3, QString());
  PageControl1->addTab(TabSheet4, QString());
  haupt->addWidget(PageControl1, 1);

  // Copy buttons, the print group and the close button.
  BitBtn2 = Named(new QPushButton, "BitBtn2");
  BitBtnPool = Named(new QPushButton, "BitBtnPool");
  BitBtnOeko = Named(new QPushButton, "BitBtnOeko");
  BitBtn4 = Named(new QPushButton, "BitBtn4");
  BitBtn5 = Named(new QPushButton, "BitBtn5");
  kopie_ = new QGridLayout;
  auto* kopie = kopie_;
  kopie->addWidget(BitBtn2, 0, 0);
  kopie->addWidget(BitBtnPool, 0, 1);
  kopie->addWidget(BitBtnOeko, 0, 2);
  kopie->addWidget(BitBtn4, 1, 0);
  kopie->addWidget(BitBtn5, 1, 1);
  GroupBox1 = Named(new QGroupBox, "GroupBox1");
  BitBtnDruck = Named(new QPushButton, "BitBtnDruck");
  BitBtnDruckOpt = Named(new QPushButton("…"), "BitBtnDruckOpt");
  CheckBoxReport = Named(new QCheckBox, "CheckBoxReport");
  CheckBox1 = Named(new QCheckBox, "CheckBox1");
  CheckBox2 = Named(new QCheckBox, "CheckBox2");
  CheckBoxAlles = Named(new QCheckBox, "CheckBoxAlles");
  auto* druck = new QGridLayout(GroupBox1);
  druck->addWidget(BitBtnDruck, 0, 0);
  druck->addWidget(BitBtnDruckOpt, 1, 0);
  druck->addWidget(CheckBoxReport, 0, 1);
  druck->addWidget(CheckBox1, 1, 1);
  druck->addWidget(CheckBox2, 0, 2);
  druck->addWidget(CheckBoxAlles, 1, 2);
  ButtonEnde = Named(new QPushButton, "ButtonEnde");
  auto* unten = new QHBoxLayout;
  unten->addLayout(kopie);
  unten->addStretch();
  unten->addWidget(GroupBox1);
  unten->addStretch();
  unten->addWidget(ButtonEnde, 0, Qt::AlignBottom);
  haupt->addLayout(unten);

  connect(ButtonEnde, &QPushButton::clicked, this, [this] {
    SpeichereAuswahl();
    close();
  });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { KopiereText(0); });
  connect(BitBtnOeko, &QPushButton::clicked, this, [this] { KopiereText(1); });
  connect(BitBtnPool, &QPushButton::clicked, this, [this] { KopiereText(2); });
  connect(BitBtn4, &QPushButton::clicked, this, [this] { KopiereGrafik(false); });
  connect(BitBtn5, &QPushButton::clicked, this, [this] { KopiereGrafik(true); });
  for (auto* c : {CheckBoxReport, CheckBox1, CheckBox2})
    connect(c, &QCheckBox::clicked, this, [this] {
      CheckBoxAlles->setChecked(CheckBoxReport->isChecked() && CheckBox1->isChecked() && CheckBox2->isChecked());
    });
  connect(CheckBoxAlles, &QCheckBox::clicked, this, [this](bool an) {
    if (!an) return;
    for (auto* c : {CheckBoxReport, CheckBox1, CheckBox2}) c->setChecked(true);
  });
  // Navigation of the curves.
  connect(SpeedButton4, &QPushButton::clicked, this, [this] {
    stand_.ZoomRein();
    AnsichtGeaendert();
  });
  connect(SpeedButton3, &QPushButton::clicked, this, [this] {
    stand_.ZoomRaus();
    AnsichtGeaendert();
  });
  connect(SpeedButton2, &QPushButton::clicked, this, [this] {
    stand_.Weiter();
    AnsichtGeaendert();
  });
  connect(SpeedButton1, &QPushButton::clicked, this, [this] {
    stand_.Zurueck();
    AnsichtGeaendert();
  });
  connect(SpeedButton5, &QPushButton::clicked, this, [this] {
    stand_.NaechstesJahr();
    AnsichtGeaendert();
  });

  connect(BitBtnDruck, &QPushButton::clicked, this, [this] { Drucken(); });
  connect(BitBtnDruckOpt, &QPushButton::clicked, this, [this] {
    ShowKopftext(this);
    BitBtnDruck->setToolTip(Q(ChosenPrinter(G())));
  });
  // Nothing to print without a section: the print button follows the selection.
  for (auto* c : {CheckBoxReport, CheckBox1, CheckBox2, CheckBoxAlles})
    connect(c, &QCheckBox::toggled, this, [this] { BitBtnDruck->setEnabled(DruckAuswahl() != 0); });
  ButtonEnde->setDefault(true);
  // Escape ends the window as its one button does.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, ButtonEnde, &QPushButton::click);
  resize(820, 640);
  setMinimumSize(720, 560);
}

void TFormSimErg::Fuellen() {
  auto& g = G();
  auto& p = g.plant;
  setWindowTitle(Q(TX::FormSimErgCaption));
  ButtonEnde->setText(Q(TX::FormSimErgButtonEnde));
  PageControl1->setTabText(0, Q(TX::FormSimErgTabSheet1var));
  PageControl1->setTabText(1, Q(TX::FormSimErgTabSheetPool));
  PageControl1->setTabText(2, Q(TX::FormSimErgTabSheet2));
  PageControl1->setTabText(3, Q(TX::FormSimErgTabSheet3));
  PageControl1->setTabText(4, Q(TX::FormSimErgTabSheet4));
  BitBtn2->setText(Q(TX::FormSimErgBitBtn2));
  BitBtn2->setToolTip(Q(TX::FormSimErgBitBtn2Hint));
  BitBtnPool->setText(Q(TX::FormSimErgBitBtnPool));
  BitBtnPool->setToolTip(Q(TX::FormSimErgBitBtnPoolHint));
  BitBtnOeko->setText(Q(TX::FormSimErgBitBtn3));
  BitBtnOeko->setToolTip(Q(TX::FormSimErgBitBtn3Hint));
  BitBtn4->setText(Q(TX::FormSimErgBitBtn4));
  BitBtn4->setToolTip(Q(TX::FormSimErgBitBtn4Hint));
  BitBtn5->setText(Q(TX::FormSimErgBitBtn5));
  BitBtn5->setToolTip(Q(Texts().FormSimErgBitBtn5Hint2));
  BitBtnDruck->setText(Q(TX::FormSimErgBitBtn1));
  BitBtnDruck->setToolTip(Q(ChosenPrinter(g)));
  BitBtnDruckOpt->setToolTip(Q(RemoveAmpersands(T(TX::HmenuDruckoptionen))));
  CheckBoxReport->setText(Q(TX::FormSimErgCheckboxReport));
  CheckBox1->setText(Q(TX::FormSimErgCheckbox1));
  CheckBox2->setText(Q(TX::FormSimErgCheckbox2));
  CheckBoxAlles->setText(Q(TX::FormSimErgCheckboxAlles));
  SpeedButton1->setText(Q(TX::FormSimErgSpeedButton1));
  SpeedButton2->setText(Q(TX::FormSimErgSpeedButton2));
  SpeedButton3->setText(Q(TX::FormSimErgSpeedButton3));
  SpeedButton4->setText(Q(TX::FormSimErgSpeedButton4));

  const std::uint8_t seiten = DruckSeitenBeimZeigen(g.settings.DruckSeiten);
  g.settings.DruckSeiten = seiten;
  CheckBoxReport->setChecked(seiten & dsReport);
  CheckBox1->setChecked(seiten & dsEnergiebilanz);
  CheckBox2->setChecked(seiten & dsOekologie);
  CheckBoxAlles->setChecked(AllesGewaehlt(seiten));
  BitBtnDruck->setEnabled(DruckAuswahl() != 0);

  SpeedButton5->setVisible(g.settings.SimJahre != 1);
  SpeedButton5->setText(Q(TX::FormSimErgSpeedButton5) + " 2");
  fuellen_ = true;
  for (std::size_t i = 0; i < kLegende.size(); ++i) {
    Legende[i]->setText(Q(kLegende[i].text));
    Legende[i]->setChecked(g.settings.*kLegende[i].schalter);
  }
  fuellen_ = false;
  // Plants with one store have no store-2 curves.
  const bool zweiSpeicher = p.AnlagenTypNr >= 4 && p.AnlagenTypNr <= 8;
  for (std::size_t i = 5; i < 7; ++i) Legende[i]->setEnabled(zweiSpeicher);
  stand_ = TKurvenStand();
  Label1->setText(Q(TX::FormSimErgJahresverlauf));
  SpeedButton1->setEnabled(false);
  SpeedButton2->setEnabled(false);

  // Heating types without a design load show no heating while the window is open.
  if (p.AnlagenTypNr >= 6 && p.AnlagenTypNr <= 8 && p.HeizQnorm == 0.0f && p.SolHeizung) {
    p.SolHeizung = false;
    solHeizungGeaendert_ = true;
  }
  if (p.SolHeizung) CalcHeizbedarfMonat(g.results, g.loc, 10000.0f, p.HeizTnorm, p.Heizgrenztemp);

  RichEdit1->document()->setDefaultFont(AnzeigeFont(kSchirmPunkte));
  ReportAnlage(RichEdit1, g, false);
  TReport energie;
  ReportEnergiebilanz(energie, g, false);
  AppendReport(*RichEdit1->document(), energie, Dpi(RichEdit1), kSchirmTabs);
  Image1->setPixmap(QPixmap::fromImage(DeckungsBild(g)));
  DrawKurven();
  TReport oeko;
  ReportOekoAnlage(oeko, g, false);
  WriteOekoTabelle(oeko, g, false);
  SetReport(RichEditOeko, oeko);

  // Without a pool the ecology copy button takes the pool button's place.
  BitBtnPool->setVisible(p.Pool);
  kopie_->removeWidget(BitBtnOeko);
  kopie_->addWidget(BitBtnOeko, 0, p.Pool ? 2 : 1);
  layout()->activate();
  ShowPage(PageControl1, TabSheetPool, p.Pool);
  if (p.Pool) {
    TReport pool;
    ReportPoolAnlage(pool, g, false);
    ReportPoolBilanz(pool, g, false);
    SetReport(RichEditPool, pool);
  } else {
    RichEditPool->clear();
  }
  if (erste_) {
    PageControl1->setCurrentWidget(TabSheet1);
    erste_ = false;
  }
}

void TFormSimErg::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  Fuellen();
  // The pointer rests on the close button after opening (best effort: some platforms
  // refuse to move it), and the button has the focus.
  QTimer::singleShot(3, this, [this] {
    ButtonEnde->setFocus();
    QCursor::setPos(ButtonEnde->mapToGlobal(ButtonEnde->rect().center()));
    G().run.DialogFuellen = false;
  });
}

void TFormSimErg::closeEvent(QCloseEvent* e) {
  auto& p = G().plant;
  SetSolHeizung(p, p.AnlagenTypNr);
  solHeizungGeaendert_ = false;
  emit statusMessage(QString());
  QWidget::closeEvent(e);
}

void TFormSimErg::DrawKurven() {
  Image2->setPixmap(QPixmap::fromImage(KurvenBild(G(), stand_)));
}

void TFormSimErg::AnsichtGeaendert() {
  static constexpr TX kName[] = {TX::FormSimErgJahresverlauf, TX::FormSimErgMonatsverlauf, TX::FormSimErgTagesverlauf};
  Label1->setText(Q(kName[static_cast<int>(stand_.Ansicht) - 1]));
  const bool blaettern = stand_.Ansicht != TKurvenAnsicht::Jahr;
  SpeedButton1->setEnabled(blaettern);
  SpeedButton2->setEnabled(blaettern);
  // The caption names the year the next click shows.
  SpeedButton5->setText(Q(TX::FormSimErgSpeedButton5) + " " + QString::number(stand_.Jahr % 3 + 1));
  DrawKurven();
}

void TFormSimErg::LegendeGeklickt(int i, bool an) {
  if (fuellen_ || G().run.DialogFuellen) return;
  G().settings.*kLegende[static_cast<std::size_t>(i)].schalter = an;
  DrawKurven();
}

std::uint8_t TFormSimErg::DruckAuswahl() const {
  return DruckSeitenAus(CheckBoxReport->isChecked(), CheckBox1->isChecked(), CheckBox2->isChecked());
}

std::string TFormSimErg::DruckTitel() const {
  return DruckTitelZusatz(CheckBoxAlles->isChecked(), CheckBoxReport->isChecked(), CheckBox1->isChecked(),
                          CheckBox2->isChecked(), CheckBoxReport->text().toStdString(), CheckBox1->text().toStdString(),
                          CheckBox2->text().toStdString());
}

TErgebnisDruck TFormSimErg::DruckAuftrag() const {
  const auto& g = G();
  TErgebnisDruck d;
  d.Seiten = DruckSeitenFolge(DruckAuswahl(), g.plant.Pool);
  d.Rahmen = TSeitenrahmen::Aus(g);
  if (SchemaBild) d.Schema = SchemaBild();
  return d;
}

bool TFormSimErg::Drucken(const QString& pdfDatei) {
  auto& g = G();
  SpeichereAuswahl();
  const TErgebnisDruck d = DruckAuftrag();
  if (d.Seiten.empty()) return false;
  const TavState stand = g;
  const QString titel = DruckJobTitel(g, DruckTitel());
  return tav::Drucke(
             this, g, titel, static_cast<int>(d.Seiten.size()),
             [&](QPainter& pa, const QRectF& mm, int n) { MaleErgebnisSeite(pa, mm, n, d, stand); },
             pdfDatei) == TDruckErgebnis::Gedruckt;
}

void TFormSimErg::SpeichereAuswahl() { G().settings.DruckSeiten = DruckAuswahl(); }

void TFormSimErg::KopiereText(int welcher) {
  auto& g = G();
  // The export form is built in a document of its own: the screen keeps its report.
  g.run.DruckAktiv = true;
  QTextEdit puffer;
  puffer.document()->setDefaultFont(AnzeigeFont(welcher == 0 ? 10 : 11));
  TReport r;
  if (welcher == 0) {
    ReportAnlage(&puffer, g, false);
    ReportEnergiebilanz(r, g, true);
  } else if (welcher == 1) {
    ReportOekoAnlage(r, g, true);
    ReportOekoBilanz(r, g, true);
  } else {
    ReportPoolAnlage(r, g, true);
    ReportPoolBilanz(r, g, true);
  }
  g.run.DruckAktiv = false;
  const double dpi = Dpi(this);
  AppendReport(*puffer.document(), r, dpi);
  auto* mime = new QMimeData;
  mime->setText(puffer.document()->toPlainText());
  mime->setHtml(puffer.document()->toHtml());
  mime->setData("text/rtf", ReportToRtf(ReportAusDokument(*puffer.document(), dpi), Q(g.print.AnzeigeFont),
                                        welcher == 0 ? 10 : 11));
  QApplication::clipboard()->setMimeData(mime);

  QWidget* seite[] = {TabSheet1, TabSheet2, TabSheetPool};
  PageControl1->setCurrentWidget(seite[welcher]);
  emit statusMessage(welcher == 0 ? Q(TX::MeldungTextinZA) : QString::fromUtf8(kTabelleInZA));
}

void TFormSimErg::KopiereGrafik(bool kurven) {
  PageControl1->setCurrentWidget(kurven ? TabSheet4 : TabSheet3);
  QApplication::clipboard()->setImage((kurven ? Image2 : Image1)->pixmap().toImage());
  emit statusMessage(Q(TX::MeldungGrafikinZA));
}

TFormSimErg& FormSimErg() {
  auto& f = Instanz();
  if (!f) f = new TFormSimErg;
  return *f;
}

bool FormSimErgExists() { return !Instanz().isNull(); }

}  // namespace tav
