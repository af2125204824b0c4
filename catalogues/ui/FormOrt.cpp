#include "catalogues/ui/FormOrt.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "catalogues/KatalogDialogLogik.h"
#include "foundation/KatalogDiensteDatei.h"
#include "location/Orte.h"
#include "catalogues/Sortierer.h"
#include "location/TavKlimgen.h"
#include "location/Wetter.h"
#include "catalogues/ui/FormOrtTeile.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/AtomicFile.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/DialogZeile.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/SeitenTasten.h"
#include "foundation/ui/FeldTasten.h"

namespace tav {

namespace {
constexpr const char* kMessKnopf = "Einstrahlungs-Messdaten";
constexpr const char* kMessHinweis = "Einstrahlung auf Kollektorebene";
constexpr const char* kKlimgenText = "KlimgenData.txt";
constexpr const char* kEinheit = "kWh/m²d";

}  // namespace

// The three weather years' monthly sums (circles) against the location's monthly means
// (steps), 20 pixels per kWh/m²d and 30 pixels per month.
class KlimgenChart : public QWidget {
 public:
  explicit KlimgenChart(QWidget* parent) : QWidget(parent) { setFixedSize(544, 221); }
  std::array<double, 13> mittel{};
  std::array<std::array<double, 13>, 4> jahre{};  // [1..3][1..12] daily means
  bool mitJahren = false;
  bool leer = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (leer) {
      p.fillRect(rect(), QColor(0xD4, 0xD4, 0xD4));
      return;
    }
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRect(0, 0, width(), height()));
    QFont f = p.font();
    f.setPixelSize(11);
    p.setFont(f);
    const QFontMetrics fm(f);
    p.setPen(QPen(QColor(0xD4, 0xD4, 0xD4), 1));
    for (int i = 1; i <= 6; ++i) p.drawLine(29, 175 - 20 * i, 390, 175 - 20 * i);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(30, 35, 30, 175);
    p.drawLine(30, 175, 390, 175);
    const QPointF pfeil[3] = {{27, 45}, {30, 35}, {33, 45}};
    p.setBrush(Qt::black);
    p.drawPolygon(pfeil, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::black);
    for (int i = 1; i <= 6; ++i) p.drawText(18, 175 - 20 * i + fm.ascent() / 2 - 1, QString::number(i));
    p.drawText(2, 10 + fm.ascent() / 2, kEinheit);
    // Values above the top of the chart are drawn at its top.
    auto y = [](double v) { return std::max(25, 175 - static_cast<int>(std::lround(20 * v))); };
    p.setPen(QPen(QColor(0, 0, 0xFF), 1));
    QPoint a(31, y(mittel[1]));
    for (int m = 1; m <= 12; ++m) {
      const QPoint b((m - 1) * 30 + 31, y(mittel[m])), c(m * 30 + 31, y(mittel[m]));
      p.drawLine(a, b);
      p.drawLine(b, c);
      a = c;
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(410, 45, 75, 70);
    const QColor farben[4] = {{}, QColor(0, 0, 0x80), QColor(0x80, 0, 0), QColor(0x80, 0x80, 0)};
    for (int k = 1; k <= 3; ++k) {
      p.setPen(QPen(farben[k], 2));
      if (mitJahren)
        for (int m = 1; m <= 12; ++m)
          p.drawEllipse(QPoint(30 * m + 31 - 25 + 5 * k, y(jahre[k][m])), 3, 3);
      p.drawEllipse(QPoint(425, 45 + 15 * k), 3, 3);
      p.setPen(Qt::black);
      p.drawText(435, 45 + 15 * k + fm.ascent() / 2 - 1, QT(TX::Jahr) + " " + QString::number(k));
    }
    for (int m = 1; m <= 12; ++m)
      p.drawText((m - 1) * 30 + 33, 185 + fm.ascent(), Q(Texts().Monatsnamen[m]).left(3));
  }
};

TFormOrt::TFormOrt(TavState& s, WetterSynthese& synthese, QWidget* parent)
    : QDialog(parent), s_(s), synthese_(synthese) {
  setObjectName("FormOrt");
  setProperty(kHelpContext, 501);
  resize(658, 482);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageKeys(this, PageControl1);

  // Page 1: the catalogue.
  TabSheet1 = new QWidget();
  TabSheet1->setObjectName("TabSheet1");
  StringGrid1 = new QTableWidget(TabSheet1);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setColumnCount(3);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setColumnWidth(0, 94);
  StringGrid1->setColumnWidth(1, 396);
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->verticalHeader()->setDefaultSectionSize(20);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->installEventFilter(this);
  OrtBearbeitenSpeedButton = Knopf(QT(TX::FormOrtUnitOrtBearbeitenSpeedButton),
                                   "OrtBearbeitenSpeedButton", TabSheet1);
  OrtNeuSpeedButton = Knopf(QT(TX::FormOrtUnitOrtNeuSpeedButton), "OrtNeuSpeedButton", TabSheet1);
  OrtLoeschenSpeedButton =
      Knopf(QT(TX::FormOrtUnitOrtLoeschenSpeedButton), "OrtLoeschenSpeedButton", TabSheet1);
  OrtSuchenSpeedButton =
      Knopf(QT(TX::FormOrtUnitOrtSuchenSpeedButton), "OrtSuchenSpeedButton", TabSheet1);
  OrtSortSpeedButton = Knopf(QT(TX::FormOrtUnitOrtSortSpeedButton), "OrtSortSpeedButton", TabSheet1);
  SpeedButtonMessdatenE = Knopf(kMessKnopf, "SpeedButtonMessdatenE", TabSheet1);
  SpeedButtonMessdatenE->setToolTip(kMessHinweis);
  SpeedButtonMessdatenE->hide();
  auto* knoepfe = new QHBoxLayout();
  for (auto* b : {OrtBearbeitenSpeedButton, OrtNeuSpeedButton, OrtLoeschenSpeedButton,
                  OrtSuchenSpeedButton, OrtSortSpeedButton})
    knoepfe->addWidget(b);
  knoepfe->addStretch();
  knoepfe->addWidget(SpeedButtonMessdatenE);
  auto* l1 = new QVBoxLayout(TabSheet1);
  l1->addWidget(StringGrid1);
  l1->addLayout(knoepfe);
  PageControl1->addTab(TabSheet1, QT(TX::FormOrtUnitTabSheet1));

  // Page 2: horizon shading.
  TabSheet2 = new QWidget();
  TabSheet2->setObjectName("TabSheet2");
  TabSheet2->setProperty(kHelpContext, 521);
  Image1 = new SkyMapBild(TabSheet2);
  Image1->setObjectName("Image1");
  CheckBoxV = new QCheckBox(QT(TX::FormOrtUnitCheckBox1), TabSheet2);
  CheckBoxV->setObjectName("CheckBoxV");
  BitBtn1 = Knopf(QT(TX::FormOrtUnitBitBtn1), "BitBtn1", TabSheet2);
  BitBtn2 = Knopf(QT(TX::FormOrtUnitBitBtn2), "BitBtn2", TabSheet2);
  LabelMaus = new QLabel(TabSheet2);
  LabelMaus->setObjectName("LabelMaus");
  LabelMaus->setWordWrap(true);
  auto* k2 = new QHBoxLayout();
  k2->addWidget(CheckBoxV);
  k2->addStretch();
  k2->addWidget(BitBtn1);
  k2->addWidget(BitBtn2);
  auto* l2 = new QVBoxLayout(TabSheet2);
  l2->addWidget(Image1, 0, Qt::AlignHCenter);
  l2->addWidget(LabelMaus);
  l2->addStretch();
  l2->addLayout(k2);
  PageControl1->addTab(TabSheet2, QT(TX::FormOrtUnitTabSheet2));

  // Page 3: the weather years.
  TabSheet3 = new QWidget();
  TabSheet3->setObjectName("TabSheet3");
  TabSheet3->setProperty(kHelpContext, 761);
  ImageKlimgenJahre = new KlimgenChart(TabSheet3);
  ImageKlimgenJahre->setObjectName("ImageKlimgenJahre");
  auto* l3grid = new QGridLayout();
  auto* label1 = new QLabel(QT(TX::FormOrtUnitLabel1) + ":", TabSheet3);
  label1->setObjectName("Label1");
  Label2 = new QLabel(TabSheet3);
  Label2->setObjectName("Label2");
  auto* label3 = new QLabel(QT(TX::FormOrtUnitLabel3) + ":", TabSheet3);
  label3->setObjectName("Label3");
  Label4 = new QLabel(TabSheet3);
  Label4->setObjectName("Label4");
  for (QLabel* l : {Label2, Label4}) l->setStyleSheet("color: navy");
  l3grid->addWidget(label1, 0, 0);
  l3grid->addWidget(Label2, 0, 1);
  l3grid->addWidget(label3, 1, 0);
  l3grid->addWidget(Label4, 1, 1);
  l3grid->setColumnStretch(1, 1);
  SpeedButtonWSladen = Knopf(QT(TX::FormOrtUnitSpeedButtonWSladen), "SpeedButtonWSladen", TabSheet3);
  SpeedButtonWSspeichern =
      Knopf(QT(TX::FormOrtUnitSpeedButtonWSspeichern), "SpeedButtonWSspeichern", TabSheet3);
  SpeedButtonWSloeschen =
      Knopf(QT(TX::FormOrtUnitSpeedButtonWSloeschen), "SpeedButtonWSloeschen", TabSheet3);
  SpeedButtonNeuRechnen =
      Knopf(QT(TX::FormOrtUnitSpeedButtonNeuRechnen), "SpeedButtonNeuRechnen", TabSheet3);
  LabelFortschritt = new QLabel(TabSheet3);
  LabelFortschritt->setObjectName("LabelFortschritt");
  auto* k3 = new QHBoxLayout();
  for (auto* b : {SpeedButtonWSladen, SpeedButtonWSspeichern, SpeedButtonWSloeschen,
                  SpeedButtonNeuRechnen})
    k3->addWidget(b);
  k3->addWidget(LabelFortschritt, 1);
  auto* l3 = new QVBoxLayout(TabSheet3);
  l3->addLayout(l3grid);
  l3->addWidget(ImageKlimgenJahre, 0, Qt::AlignHCenter);
  l3->addStretch();
  l3->addLayout(k3);
  PageControl1->addTab(TabSheet3, QT(TX::FormOrtUnitTabSheet3));

  SpeedButtonFastForward = Knopf(QT(TX::FormsButtonForward), "SpeedButtonFastForward", this);
  SpeedButtonFastForward->setToolTip(QT(TX::FormsButtonForwardHint));
  auto* unten = KnopfZeile(this, ButtonOK, ButtonCancel, SpeedButtonFastForward);
  // Escape from the grid or any button goes to Cancel first (a second one cancels).
  EscapeToButton(this, ButtonCancel);
  auto* v = new QVBoxLayout(this);
  v->addWidget(PageControl1);
  v->addLayout(unten);

  status_ = new DialogStatus(LabelFortschritt);
  FormOrtEdit = new TFormOrtEdit(s, *status_, this);
  FormSkyObjekt = new TFormSkyObjekt(this);
  FormMessdatenE = new TFormMessdatenE(s, this);

  connect(SpeedButtonFastForward, &QPushButton::clicked, this, [this] {
    const int i = PageControl1->currentIndex();
    if (i + 1 >= PageControl1->count()) {
      s_.run.WeiterModus = true;
      accept();
    } else {
      PageControl1->setCurrentIndex(i + 1);
    }
  });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { Bearbeiten(); });
  connect(OrtBearbeitenSpeedButton, &QPushButton::clicked, this, [this] { Bearbeiten(); });
  connect(OrtNeuSpeedButton, &QPushButton::clicked, this, [this] { Neu(); });
  connect(OrtLoeschenSpeedButton, &QPushButton::clicked, this, [this] { Loeschen(); });
  connect(OrtSuchenSpeedButton, &QPushButton::clicked, this, [this] { SearchGrid(StringGrid1, 1); });
  connect(SpeedButtonMessdatenE, &QPushButton::clicked, this, [this] {
    FormMessdatenE->Zeige();
    StringGrid1->setFocus();
  });
  auto* sortMenu = new QMenu(this);
  sortMenu->setObjectName("PopupMenu2");
  sortMenu->addAction(QT(TX::FormOrtUnitAlfabetisch), this, [this] { Sortiere(0); })
      ->setObjectName("MenuItem6");
  sortMenu->addAction(QT(TX::FormOrtUnitGeoBreite), this, [this] { Sortiere(3); })
      ->setObjectName("MenuItem7");
  sortMenu->addAction(QT(TX::FormOrtUnitPLZ), this, [this] { Sortiere(4); })
      ->setObjectName("MenuItem8");
  connect(OrtSortSpeedButton, &QPushButton::clicked, this,
          [sortMenu] { sortMenu->popup(QCursor::pos()); });
  StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this, sortMenu](QPoint pos) {
    QMenu m(this);
    m.addAction(QT(TX::FormOrtUnitPopSuchen), this, [this] { SearchGrid(StringGrid1, 1); });
    m.addAction(QT(TX::FormOrtUnitPopBearbeiten), this, [this] { Bearbeiten(); });
    m.addAction(QT(TX::FormOrtUnitPopLoeschen), this, [this] { Loeschen(); });
    m.addAction(QT(TX::FormOrtUnitPopHinzufuegen), this, [this] { Neu(); });
    sortMenu->setTitle(QT(TX::FormOrtUnitPopSortieren));
    m.addMenu(sortMenu);
    m.exec(StringGrid1->viewport()->mapToGlobal(pos));
  });

  connect(Image1, &SkyMapBild::Gemalt, this, [this] { CheckBoxV->setChecked(true); });
  connect(Image1, &SkyMapBild::Hinweis, LabelMaus, &QLabel::setText);
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    CheckBoxV->setChecked(false);
    Image1->Setze(SkyMapGrid{});
  });
  connect(BitBtn2, &QPushButton::clicked, this, [this] {
    SkyMapGrid g = Image1->Karte;
    if (FormSkyObjekt->Trage(g) == QDialog::Accepted) {
      Image1->Setze(g);
      CheckBoxV->setChecked(true);
    }
  });

  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int i) {
    if (i == 2 && !nurWetter_) WetterSeite();
  });
  connect(SpeedButtonWSspeichern, &QPushButton::clicked, this, [this] {
    if (SaveWetterDaten(s_, s_.loc.WetterDatei, *status_))
      ExportKlimgenDaten(s_, kKlimgenText, *status_);
    ShowKlimgenTab();
  });
  connect(SpeedButtonWSladen, &QPushButton::clicked, this, [this] {
    const auto datei = FindFileNoCase(s_.folders.DatenDir, s_.loc.WetterDatei);
    std::error_code ec;
    if (std::filesystem::exists(datei, ec)) {
      // Two locations at the same coordinates share the file name: the years of the other
      // one would pass for this one's and be saved under its name.
      const std::string standort = s_.plant.Standort;
      const WetterLaden w = LoadWetterDaten(s_, datei.filename().string(), *status_, &standort);
      if (w == WetterLaden::Ok) s_.run.SolarklimadatenOK = true;
      if (w == WetterLaden::AndererStandort)
        ShowMessageLines(TextMit(TX::WetterAndererStandort, {datei.filename().string(), standort}));
    }
    ShowKlimgenTab();
  });
  connect(SpeedButtonWSloeschen, &QPushButton::clicked, this, [this] {
    DeleteDatei(FindFileNoCase(s_.folders.DatenDir, s_.loc.WetterDatei).string());
    ShowKlimgenTab();
  });
  connect(SpeedButtonNeuRechnen, &QPushButton::clicked, this, [this] {
    setEnabled(false);
    {
      BusyStatus busy(*status_, "Initialisiere Solarklimadaten ...");
      s_.run.SolarklimadatenOK = false;
      synthese_.Synthesise(s_, *status_);
    }
    setEnabled(true);
    ShowKlimgenTab();
  });
}

TFormOrt::~TFormOrt() { delete status_; }

void TFormOrt::Merke() { vorher_ = {s_.plant, s_.loc, s_.weather, s_.run}; }

int TFormOrt::Zeile() const {
  return std::clamp(StringGrid1->currentRow(), 1, std::max(1, s_.cat.OrtAnzahl));
}

void TFormOrt::FillOrtGrid(int zeile) {
  StringGrid1->setHorizontalHeaderLabels(
      {QT(TX::FormOrtUnitPLZ), QT(TX::Standort), Q(RemoveAmpersands(T(TX::FormOrtEditLCode)))});
  StringGrid1->setRowCount(s_.cat.OrtAnzahl + 1);
  StringGrid1->setRowHidden(0, true);  // the grid's own header takes the heading row
  for (int i = 1; i <= s_.cat.OrtAnzahl; ++i) {
    const TOrt& o = s_.cat.Orte[i];
    StringGrid1->setItem(i, 0, new QTableWidgetItem(Q(o.PLZ)));
    StringGrid1->setItem(i, 1, new QTableWidgetItem(Q(o.Name)));
    StringGrid1->setItem(i, 2, new QTableWidgetItem(Q(o.Land)));
  }
  zeile = std::clamp(zeile, 1, std::max(1, s_.cat.OrtAnzahl));
  StringGrid1->setCurrentCell(zeile, 1);
  StringGrid1->scrollToItem(StringGrid1->item(zeile, 1), QAbstractItemView::PositionAtCenter);
}

void TFormOrt::NachFremderAenderung() {
  if (!katalog::Veraltet(s_.cat.DateiStaende, OrteDateiPfad(s_))) return;
  const std::string name = s_.cat.Orte[Zeile()].Name;
  // Indices follow the names in the list as read now.
  LeseOrteNeuWennVeraltet(s_, *status_);
  vorher_.plant.OrtNr = FindOrtNr(s_, vorher_.plant.Standort, false);
  wetterFuer_ = -1;
  FillOrtGrid(FindOrtNr(s_, name, false));
}

bool TFormOrt::SelectOrt(int nr) {
  OrtUmgebung env{*status_, synthese_};
  setEnabled(false);
  const bool ok = tav::SelectOrt(s_, nr, env);
  setEnabled(true);
  return ok;
}

int TFormOrt::Zeige(bool nurWetterdaten, bool messdaten) {
  setWindowTitle(QT(TX::FormOrtUnitCaption));
  nurWetter_ = nurWetterdaten;
  s_.run.NurWetterdaten = nurWetterdaten;
  s_.run.WeiterModus = false;
  s_.run.SucheAktiv = false;
  s_.run.SuchText.clear();
  Merke();
  wetterFuer_ = s_.run.SolarklimadatenOK ? s_.plant.OrtNr : -1;
  projektOrtBearbeitet_ = false;
  FillOrtGrid(s_.plant.OrtNr);
  Image1->Setze(s_.plant.SkyMapDaten);
  CheckBoxV->setChecked(s_.plant.SkyMapAktiv);
  LabelMaus->clear();
  LabelFortschritt->clear();
  SpeedButtonMessdatenE->setVisible(messdaten);
  ShowPage(PageControl1, PageControl1->widget(0), !nurWetterdaten);
  ShowPage(PageControl1, PageControl1->widget(1), !nurWetterdaten);
  SpeedButtonFastForward->setVisible(!nurWetterdaten);
  ButtonCancel->setVisible(!nurWetterdaten);
  if (nurWetterdaten) {
    PageControl1->setCurrentIndex(2);
    ShowKlimgenTab();
  } else {
    PageControl1->setCurrentIndex(0);
    StringGrid1->setFocus();
  }
  PlaceKeptDialog(this, s_.settings.AFPos);
  const int r = exec();
  s_.run.NurWetterdaten = false;
  return r;
}

void TFormOrt::WetterSeite() {
  // The chosen location's weather is shown without making it the project's location; Cancel
  // brings the project's own back.
  const int nr = Zeile();
  if (nr != wetterFuer_ || !s_.run.SolarklimadatenOK) {
    s_.run.SolarklimadatenOK = false;
    Label2->setText(Q(s_.cat.Orte[nr].Name));
    Label4->setText("...");
    ImageKlimgenJahre->leer = true;
    ImageKlimgenJahre->update();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  SelectOrt(nr);
  wetterFuer_ = s_.run.SolarklimadatenOK ? nr : -1;
  ShowKlimgenTab();
}

void TFormOrt::ShowKlimgenTab() {
  const LocationState& l = s_.loc;
  Label2->setText(Q(s_.plant.Standort));
  const auto datei = FindFileNoCase(s_.folders.DatenDir, l.WetterDatei);
  std::error_code ec;
  const bool da = !l.WetterDatei.empty() && std::filesystem::exists(datei, ec);
  Label4->setText(da ? Q(l.WetterDatei) : "*** " + QT(TX::nichtvorhanden) + " ***");
  SpeedButtonWSladen->setEnabled(da);
  SpeedButtonWSloeschen->setEnabled(da);
  SpeedButtonWSspeichern->setEnabled(s_.run.SolarklimadatenOK);
  SpeedButtonWSladen->setToolTip(Q(ReplaceHashMark(T(TX::FormOrtUnitSpeedButtonWSladHint), l.WetterDatei)));
  SpeedButtonWSspeichern->setToolTip(Q(ReplaceHashMark(T(TX::FormOrtUnitSpeedButtonWSspcHint), l.WetterDatei)));
  SpeedButtonWSloeschen->setToolTip(Q(ReplaceHashMark(T(TX::FormOrtUnitSpeedButtonWSloeHint), l.WetterDatei)));
  KlimgenChart& c = *ImageKlimgenJahre;
  c.leer = false;
  for (int m = 1; m <= 12; ++m) c.mittel[m] = l.EinstrahlungMonat[m];
  c.mitJahren = s_.run.SolarklimadatenOK;
  if (c.mitJahren) {
    const TKlimOrt ort = MakeKlimOrt(s_);
    const auto lib = GelinkteKlimgenBibliothek();
    for (int k = 1; k <= 3; ++k) {
      float summen[12] = {};
      if (lib.CalcMonatssummen(&ort, s_.weather.WetterDaten.Reihe(k, 0), summen) != 0) {
        c.mitJahren = false;
        break;
      }
      for (int m = 1; m <= 12; ++m) c.jahre[k][m] = summen[m - 1] / TageProMonat[m];
    }
  }
  c.update();
}

void TFormOrt::accept() {
  if (!nurWetter_) {
    const int nr = Zeile();
    s_.run.ProjektGeaendert = true;
    // The store keeps weather only when it is that of the chosen entry as it stands now.
    if (nr != wetterFuer_) s_.run.SolarklimadatenOK = false;
    s_.plant.OrtNr = nr;
    s_.plant.SkyMapAktiv = CheckBoxV->isChecked();
    s_.plant.SkyMapDaten = Image1->Karte;
    if (!SelectOrt(nr)) return;
  }
  QDialog::accept();
}

void TFormOrt::reject() {
  if (nurWetter_) {  // the weather-only mode has no Cancel: closing is OK
    QDialog::accept();
    return;
  }
  s_.plant = vorher_.plant;
  s_.loc = vorher_.loc;
  s_.weather = vorher_.weather;
  s_.run = vorher_.run;
  if (projektOrtBearbeitet_) {
    // The project's own entry was rewritten: its location follows the entry as it now is.
    s_.run.SolarklimadatenOK = false;
    SelectOrt(s_.plant.OrtNr);
  }
  done(2);
}

void TFormOrt::done(int r) {
  // The weather-only mode keeps the place of the full dialog.
  if (!nurWetter_) s_.settings.AFPos = PositionOf(this);
  QDialog::done(r);
}

void TFormOrt::Bearbeiten() {
  const int nr = Zeile();
  s_.run.OrtEditNr = nr;
  s_.settings.AFPos = PositionOf(this);  // the editor opens over the dialog
  if (FormOrtEdit->Bearbeite(nr) == QDialog::Accepted) {
    // The changed entry is written; the project takes it on OK of this dialog.
    if (nr == vorher_.plant.OrtNr) {
      vorher_.run.ProjektGeaendert = true;
      projektOrtBearbeitet_ = true;
    }
    if (nr == wetterFuer_) wetterFuer_ = -1;
    FillOrtGrid(nr);
  }
  NachFremderAenderung();
  StringGrid1->setFocus();
}

void TFormOrt::Neu() {
  auto& c = s_.cat;
  if (c.OrtAnzahl >= kMaxOrte) {
    ShowMessageLines(T(TX::WarnungMaxAnzahl));
    return;
  }
  const int s = Zeile();
  FuegeKopieEin(c.Orte, c.OrtAnzahl, s, &TOrt::Name, T(TX::neu));
  wetterFuer_ = -1;
  auto schiebe = [s](std::int32_t& nr, int um) { if (nr >= s) nr += um; };
  schiebe(s_.plant.OrtNr, 1);
  schiebe(vorher_.plant.OrtNr, 1);
  s_.run.OrtEditNr = s;
  s_.settings.AFPos = PositionOf(this);
  if (FormOrtEdit->Bearbeite(s) == QDialog::Accepted) {
    FillOrtGrid(s);
    return;
  }
  NimmKopieZurueck(c.Orte, c.OrtAnzahl, s);
  schiebe(s_.plant.OrtNr, -1);
  schiebe(vorher_.plant.OrtNr, -1);
  FillOrtGrid(s);
  NachFremderAenderung();
}

void TFormOrt::Loeschen() {
  auto& c = s_.cat;
  const int d = Zeile();
  if (c.OrtAnzahl <= 1) {
    ShowMessageLines(T(TX::FormOrtFehlerLetzterOrt));
    return;
  }
  if (Msg().Ask(ReplaceHashMark(T(TX::DatenLoeschenAbfrage), c.Orte[d].Name), mbYesNoKeep) != mrYes)
    return;
  const std::vector<TOrt> liste(c.Orte.begin(), c.Orte.begin() + c.OrtAnzahl + 1);
  const int anzahl = c.OrtAnzahl;
  LoescheEintrag(c.Orte, c.OrtAnzahl, d);
  if (!WriteOrte(s_, *status_)) {  // the file is as it was; so is the list
    std::copy(liste.begin(), liste.end(), c.Orte.begin());
    c.OrtAnzahl = anzahl;
    NachFremderAenderung();
    return;
  }
  wetterFuer_ = -1;
  bool geloescht = false;
  const int nr = NrNachLoeschen(vorher_.plant.OrtNr, d, c.OrtAnzahl, geloescht);
  if (geloescht) {
    // The project's location is gone: its successor becomes the project's location now,
    // whatever the dialog's end.
    s_.plant = vorher_.plant;
    s_.loc = vorher_.loc;
    s_.weather = vorher_.weather;
    s_.plant.OrtNr = nr;
    s_.run.SolarklimadatenOK = false;
    s_.run.ProjektGeaendert = true;
    SelectOrt(nr);
    vorher_.plant = s_.plant;
    vorher_.loc = s_.loc;
    vorher_.weather = s_.weather;
    vorher_.run.SolarklimadatenOK = s_.run.SolarklimadatenOK;
    wetterFuer_ = s_.run.SolarklimadatenOK ? nr : -1;
  } else {
    vorher_.plant.OrtNr = nr;
    bool dummy = false;
    s_.plant.OrtNr = NrNachLoeschen(s_.plant.OrtNr, d, c.OrtAnzahl, dummy);
  }
  vorher_.run.ProjektGeaendert = true;
  s_.run.ProjektGeaendert = true;
  FillOrtGrid(std::min(d, c.OrtAnzahl));
}

void TFormOrt::Sortiere(int modus) {
  const std::string name = s_.cat.Orte[Zeile()].Name;
  const std::string land = s_.cat.Orte[Zeile()].Land;
  const std::string projekt = vorher_.plant.Standort;
  OrtUmgebung env{*status_, synthese_};
  SortOrte(s_, static_cast<std::uint8_t>(modus), land, env);
  wetterFuer_ = -1;
  // Indices follow the names in the new order.
  vorher_.plant.OrtNr = FindOrtNr(s_, projekt, false);
  s_.plant.OrtNr = FindOrtNr(s_, s_.plant.Standort, false);
  FillOrtGrid(FindOrtNr(s_, name, false));
}

bool TFormOrt::eventFilter(QObject* o, QEvent* e) {
  if (o != StringGrid1 || e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);
  auto* k = static_cast<QKeyEvent*>(e);
  if (GitterHilfeTaste(*k)) return true;
  switch (k->key()) {
    case Qt::Key_Insert: Neu(); return true;
    case Qt::Key_Delete: Loeschen(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (k->modifiers() & Qt::ControlModifier) Bearbeiten();
      else ButtonOK->setFocus();
      return true;
    default: break;
  }
  const QString t = k->text();
  if (t.size() == 1 && IstSuchBuchstabe(t[0].unicode()) &&
      !(k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
    std::vector<std::string> namen(1);
    for (int i = 1; i <= s_.cat.OrtAnzahl; ++i) namen.push_back(s_.cat.Orte[i].Name);
    s_.run.SucheAktiv = true;
    if (auto r = TypeAhead(namen, 1, StringGrid1->currentRow(), s_.run.SuchText, t[0].unicode()))
      StringGrid1->setCurrentCell(*r, 1);
    return true;
  }
  s_.run.SuchText.clear();
  s_.run.SucheAktiv = false;
  return QDialog::eventFilter(o, e);
}

}  // namespace tav
