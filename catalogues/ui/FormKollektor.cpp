#include "catalogues/ui/FormKollektor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "catalogues/KatalogDialogLogik.h"
#include "catalogues/Kollektoren.h"
#include "foundation/KatalogDiensteDatei.h"
#include "catalogues/Rohre.h"
#include "catalogues/Sortierer.h"
#include "catalogues/ui/FormKollektorEdit.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/Messages.h"
#include "foundation/StrSolver.h"
#include "foundation/Sums.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/ui/DialogZeile.h"
#include "foundation/ui/FeldTasten.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SeitenTasten.h"

namespace tav {

namespace {
// The total flow's unit: the language's word for litres, per hour.
constexpr const char* kProStunde = "/h";
constexpr const char* kTauscherEinheit = "W/K (m²)";
constexpr const char* kSortMitte = "x = 0,0&5";
constexpr const char* kSortHoch = "x = 0,&1";
constexpr const char* kGruen = "#2D8000";
}  // namespace

// Side and top view of field 1: tilt against the ground, azimuth against north.
class KollSkizze : public QWidget {
 public:
  explicit KollSkizze(QWidget* parent) : QWidget(parent) { setFixedSize(160, 160); }
  void Setze(double neigung, double azimut) {
    neigung_ = neigung;
    azimut_ = azimut;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const double w = width() / 100.0, h = height() / 100.0;
    auto P = [&](double x, double y) { return QPointF(x * w, y * h); };
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(P(5, 35), P(35, 35));
    p.setPen(QPen(QColor(0xCD, 0, 0), 2));
    p.drawLine(P(5, 34), P(5 + 30 * CosDeg(neigung_), 34 - 30 * SinDeg(neigung_)));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(P(93, 95), P(93, 83));
    p.drawLine(P(93, 83), P(91, 87));
    p.drawLine(P(93, 83), P(95, 87));
    p.drawText(QRectF(P(86, 72), P(100, 82)), Qt::AlignCenter, "N");
    // Top view: collector outline, its mark and the arrow of its direction.
    static const double pts[17][2] = {{15, 8}, {15, -8}, {-15, -8}, {-15, 8}, {15, 0}, {-15, 0},
                                      {5, 6},  {5, 2},   {-5, 2},   {-5, 6},  {0, 10}, {0, 22},
                                      {1, 20}, {-1, 20}, {10, -2},  {10, 2},  {0, 5}};
    QPointF q[17];
    for (int i = 0; i < 17; ++i) {
      // North up: azimuth 0 (south) points down, west (positive) to the left.
      const double x = RotateY(azimut_, pts[i][0], pts[i][1]);
      const double y = RotateX(azimut_, pts[i][0], pts[i][1]);
      q[i] = P(x * 1.6 + 60, y * 1.6 + 60);
    }
    p.setPen(QPen(QColor(0xFF, 0, 0), 2));
    p.setBrush(QColor(0xFF, 0, 0, 90));
    p.drawPolygon(q, 4);
    p.drawLine(q[4], q[5]);
    p.setPen(QPen(QColor(0, 0, 0xFF), 1));
    p.setBrush(QColor(0x80, 0x80, 0x80));
    const QPointF mark[4] = {q[6], q[7], q[8], q[9]};
    p.drawPolygon(mark, 4);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(q[10], q[11]);
    p.drawLine(q[11], q[12]);
    p.drawLine(q[11], q[13]);
  }

 private:
  double neigung_ = 0, azimut_ = 0;
};

namespace {


// A number field whose arrows step within Min..Max (wrapping around when asked) while any
// number can be typed: a typed value outside is named when the field is left, not refused
// key by key.
class GrenzFeld : public QDoubleSpinBox {
 public:
  GrenzFeld(double min, double max, QWidget* parent) : QDoubleSpinBox(parent), min_(min), max_(max) {
    setRange(-99999.0, 99999.0);
  }
  double Min() const { return min_; }
  double Max() const { return max_; }
  void stepBy(int steps) override {
    double v = std::trunc(value()) + steps * singleStep();
    if (wrapping() && v > max_) v = min_ + (v - max_);
    else if (wrapping() && v < min_) v = max_ - (min_ - v);
    setValue(std::clamp(v, min_, max_));
    selectAll();
  }

 protected:
  StepEnabled stepEnabled() const override {
    if (wrapping()) return StepUpEnabled | StepDownEnabled;
    StepEnabled e = StepNone;
    if (value() < max_) e |= StepUpEnabled;
    if (value() > min_) e |= StepDownEnabled;
    return e;
  }

 private:
  double min_, max_;
};

QDoubleSpinBox* Zahlfeld(const char* name, double min, double max, int dezimalen,
                         QWidget* parent, bool frei = false) {
  QDoubleSpinBox* e = frei ? new GrenzFeld(min, max, parent) : new QDoubleSpinBox(parent);
  e->setObjectName(name);
  e->setLocale(QLocale(QLocale::German));
  if (!frei) e->setRange(min, max);
  e->setDecimals(dezimalen);
  e->setKeyboardTracking(false);
  e->setMaximumWidth(110);
  return e;
}

}  // namespace

TFormKollektor::TFormKollektor(TavState& s, StatusSink& status, QWidget* parent)
    : QDialog(parent), s_(s), status_(status) {
  setObjectName("FormKollektor");
  setProperty(kHelpContext, 301);
  resize(658, kHoehe);
  FormKollektorEdit = new TFormKollektorEdit(s, status, this);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageKeys(this, PageControl1);

  // Page 1: collector type.
  auto* t1 = new QWidget();
  t1->setObjectName("TabSheet1");
  StringGrid1 = new QTableWidget(t1);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setColumnCount(1);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->verticalHeader()->setDefaultSectionSize(20);
  // Tab leaves the grid; it never moves the chosen collector.
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->installEventFilter(this);
  KollBearbeitenSpeedButton = Knopf(QT(TX::FormKollUnitKollBearbeitenSpeedButton),
                                    "KollBearbeitenSpeedButton", t1);
  KollNeuSpeedButton = Knopf(QT(TX::FormKollUnitKollNeuSpeedButton), "KollNeuSpeedButton", t1);
  KollLoeschenSpeedButton =
      Knopf(QT(TX::FormKollUnitKollLoeschenSpeedButton), "KollLoeschenSpeedButton", t1);
  KollSuchenSpeedButton =
      Knopf(QT(TX::FormKollUnitKollSuchenSpeedButton), "KollSuchenSpeedButton", t1);
  KollSortSpeedButton = Knopf(QT(TX::FormKollUnitKollSortSpeedButton), "KollSortSpeedButton", t1);
  Image2 = new KennlinieBild(t1);
  Image2->setObjectName("Image2");
  ImageKoll = new QLabel(t1);
  ImageKoll->setObjectName("ImageKoll");
  ImageKoll->setFixedSize(160, 100);
  ImageKoll->setAlignment(Qt::AlignCenter);
  // The grid with the collector's picture below it; the buttons beside the grid's top.
  auto* liste = new QVBoxLayout();
  liste->addWidget(StringGrid1, 1);
  liste->addWidget(ImageKoll, 0, Qt::AlignLeft);
  auto* knoepfe = new QVBoxLayout();
  for (auto* b : {KollBearbeitenSpeedButton, KollNeuSpeedButton, KollLoeschenSpeedButton,
                  KollSuchenSpeedButton, KollSortSpeedButton})
    knoepfe->addWidget(b);
  knoepfe->addWidget(Image2);
  knoepfe->addStretch();
  auto* l1 = new QHBoxLayout(t1);
  l1->addLayout(liste, 1);
  l1->addLayout(knoepfe);
  PageControl1->addTab(t1, QT(TX::FormKollUnitTabSheet1));

  // Page 2: the fields.
  auto* t2 = new QWidget();
  t2->setObjectName("TabSheet2");
  auto baueFeld = [this](QGroupBox* g, const char* suffix) {
    Feld f;
    f.flaeche = new QLineEdit(g);
    f.flaeche->setObjectName(QString("Edit1") + suffix);
    f.flaeche->setToolTip(QT(TX::EditTermSolverHint));
    f.flaeche->setStyleSheet(QString("color: ") + kGruen);
    f.flaeche->setMaximumWidth(90);
    f.flaeche->installEventFilter(this);
    f.anzahl = new QSpinBox(g);
    f.anzahl->setObjectName(QString("UpDown1") + suffix);
    // Any module count up to the largest field, however small the module.
    f.anzahl->setRange(1, 100000);
    f.anzahl->setToolTip(QT(TX::Kollektoren));
    f.modAnz = new QLabel(g);
    f.modAnz->setObjectName(QString("LabelModAnz") + suffix);
    f.neigung = Zahlfeld((QString("Edit2") + suffix).toUtf8().constData(), 0, 90, 1, g, true);
    f.azimut = Zahlfeld((QString("Edit3") + suffix).toUtf8().constData(), -180, 180, 1, g, true);
    f.azimut->setWrapping(true);
    auto* grid = new QGridLayout(g);
    // The second field's captions repeat the first's: their accelerators stay with field 1.
    const auto caption = [suffix](TX key) {
      return *suffix ? Q(RemoveAmpersands(T(key))) : QT(key);
    };
    auto* lf = new QLabel(caption(TX::FormKollUnitLabel1), g);
    lf->setBuddy(f.flaeche);
    grid->addWidget(lf, 0, 0);
    grid->addWidget(f.flaeche, 0, 1);
    grid->addWidget(new QLabel("m²", g), 0, 2);
    // The up-down counts modules: named, so it reads as more than a bare number.
    auto* lz = new QLabel(QT(TX::Anzahl), g);
    lz->setObjectName(QString("LabelAnzahl") + suffix);
    lz->setBuddy(f.anzahl);
    grid->addWidget(lz, 0, 3);
    grid->addWidget(f.anzahl, 0, 4);
    grid->addWidget(f.modAnz, 0, 5);
    auto* ln = new QLabel(caption(TX::FormKollUnitLabel3), g);
    ln->setBuddy(f.neigung);
    grid->addWidget(ln, 1, 0);
    grid->addWidget(f.neigung, 1, 1);
    grid->addWidget(new QLabel(QT(TX::Grad), g), 1, 2);
    auto* la = new QLabel(caption(TX::FormKollUnitLabel5), g);
    la->setBuddy(f.azimut);
    grid->addWidget(la, 2, 0);
    grid->addWidget(f.azimut, 2, 1);
    grid->addWidget(new QLabel(QT(TX::Grad), g), 2, 2);
    grid->setColumnStretch(5, 1);
    return f;
  };
  auto* g2 = new QGroupBox(QT(TX::FormKollUnitGroupBox2), t2);
  g2->setObjectName("GroupBox2");
  feld1 = baueFeld(g2, "");
  GroupBoxKoll2 = new QGroupBox(QT(TX::FormKollUnitGroupBox2) + " 2", t2);
  GroupBoxKoll2->setObjectName("GroupBoxKoll2");
  feld2 = baueFeld(GroupBoxKoll2, "Koll2");
  SpeedButtonOW = Knopf(QT(TX::FormKollUnitSpeedButtonOW), "SpeedButtonOW", GroupBoxKoll2);
  static_cast<QGridLayout*>(GroupBoxKoll2->layout())->addWidget(SpeedButtonOW, 3, 0, 1, 6);
  CheckBoxOstWest = new QCheckBox(QT(TX::FormKollUnitCheckBoxOstWest), t2);
  CheckBoxOstWest->setObjectName("CheckBoxOstWest");
  Image1 = new KollSkizze(t2);
  Image1->setObjectName("Image1");
  auto* links2 = new QVBoxLayout();
  links2->addWidget(g2);
  links2->addWidget(CheckBoxOstWest);
  links2->addWidget(GroupBoxKoll2);
  links2->addStretch();
  auto* l2 = new QHBoxLayout(t2);
  l2->addLayout(links2, 1);
  l2->addWidget(Image1, 0, Qt::AlignTop);
  PageControl1->addTab(t2, QT(TX::FormKollUnitTabSheet2));

  // Page 3: solar loop.
  auto* t3 = new QWidget();
  t3->setObjectName("TabSheet3");
  auto* g4 = new QGroupBox(QT(TX::FormKollUnitGroupBox4), t3);
  g4->setObjectName("GroupBox4");
  // Deliberate: pipe length, flow and exchanger rating show one decimal, not whole numbers,
  // because a value typed or stored with a decimal (12,5 m) would be rounded away on OK.
  Edit10 = Zahlfeld("Edit10", 0, 1000, 1, g4);
  ComboBox1 = new QComboBox(g4);
  ComboBox1->setObjectName("ComboBox1");
  Edit4 = Zahlfeld("Edit4", 12, 150, 1, g4, true);
  LabelVolStrom = new QLabel(g4);
  LabelVolStrom->setObjectName("LabelVolStrom");
  SpeedButtonE4 = Knopf(QT(TX::Standardwert), "SpeedButtonE4", g4);
  SpeedButtonE4->setToolTip(QT(TX::Standardwert));
  Edit11 = Zahlfeld("Edit11", 20, 500, 1, g4, true);
  auto* grid3 = new QGridLayout(g4);
  auto zeile3 = [&](int r, const QString& text, QWidget* w, const QString& einheit) {
    auto* l = new QLabel(text, g4);
    l->setBuddy(w);
    grid3->addWidget(l, r, 0);
    grid3->addWidget(w, r, 1);
    auto* e = new QLabel(einheit, g4);
    grid3->addWidget(e, r, 2);
    return std::pair{l, e};
  };
  zeile3(0, QT(TX::FormKollUnitLabel15), Edit10, QT(TX::FormKollUnitLabel16));
  grid3->addWidget(new QLabel(QT(TX::FormKollUnitLabelAbstand), g4), 1, 1, 1, 4);
  zeile3(2, QT(TX::FormKollUnitLabel17), ComboBox1, "");
  zeile3(3, QT(TX::FormKollUnitLabel10), Edit4, QT(TX::FormKollUnitLabel11));
  grid3->addWidget(SpeedButtonE4, 3, 3);
  grid3->addWidget(LabelVolStrom, 4, 1, 1, 3);
  Label27b = zeile3(5, QT(TX::FormKollUnitLabel27b) + "\n" + QT(TX::FormKollUnitLabel27c), Edit11,
                    kTauscherEinheit);
  grid3->setColumnStretch(4, 1);
  grid3->setRowStretch(6, 1);
  auto* l3 = new QVBoxLayout(t3);
  l3->addWidget(g4);
  PageControl1->addTab(t3, QT(TX::FormKollUnitTabSheet3));

  // Page 4: mounting.
  auto* t4 = new QWidget();
  t4->setObjectName("TabSheet4");
  auto* rg = new QGroupBox(QT(TX::FormKollUnitRadioGroup1), t4);
  rg->setObjectName("RadioGroup1");
  auto* rgl = new QVBoxLayout(rg);
  auto* gruppe = new QButtonGroup(this);
  const TX items[4] = {TX::FormKollUnitRadioGroupItems0, TX::FormKollUnitRadioGroupItems1,
                       TX::FormKollUnitRadioGroupItems2, TX::FormKollUnitRadioGroupItems3};
  for (int i = 0; i < 4; ++i) {
    Montage[i] = new QRadioButton(QT(items[i]), rg);
    Montage[i]->setObjectName("RadioGroup1Item" + QString::number(i));
    gruppe->addButton(Montage[i], i);
    rgl->addWidget(Montage[i]);
  }
  auto* l4 = new QVBoxLayout(t4);
  l4->addWidget(rg);
  l4->addStretch();
  PageControl1->addTab(t4, QT(TX::FormKollUnitTabSheet4));

  SpeedButtonFastForward = Knopf(QT(TX::FormsButtonForward), "SpeedButtonFastForward", this);
  SpeedButtonFastForward->setToolTip(QT(TX::FormsButtonForwardHint));
  auto* unten = KnopfZeile(this, ButtonOK, ButtonCancel, SpeedButtonFastForward);
  auto* v = new QVBoxLayout(this);
  v->addWidget(PageControl1);
  v->addLayout(unten);

  // Wiring.
  connect(SpeedButtonFastForward, &QPushButton::clicked, this, [this] {
    int i = PageControl1->currentIndex();
    do i = (i + 1) % PageControl1->count();
    while (!PageControl1->isTabVisible(i) && i != 0);
    if (i == 0) {
      s_.run.WeiterModus = true;
      accept();
    } else {
      PageControl1->setCurrentIndex(i);
    }
  });
  connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this] {
    if (!fuellen_) ZeigeEintrag();
  });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { Bearbeiten(); });
  connect(KollBearbeitenSpeedButton, &QPushButton::clicked, this, [this] { Bearbeiten(); });
  connect(KollNeuSpeedButton, &QPushButton::clicked, this, [this] { Neu(); });
  connect(KollLoeschenSpeedButton, &QPushButton::clicked, this, [this] { Loeschen(); });
  connect(KollSuchenSpeedButton, &QPushButton::clicked, this, [this] { Suche(); });
  auto* sortMenu = new QMenu(this);
  sortMenu->setObjectName("PopupMenu2");
  sortMenu->addAction(QT(TX::FormKollUnitAlfabetisch), this, [this] { Sortiere(0); })
      ->setObjectName("MenuItem6");
  sortMenu->addAction(kSortMitte, this, [this] { Sortiere(1); })->setObjectName("MenuItem7");
  sortMenu->addAction(kSortHoch, this, [this] { Sortiere(2); })->setObjectName("MenuItem8");
  connect(KollSortSpeedButton, &QPushButton::clicked, this,
          [sortMenu] { sortMenu->popup(QCursor::pos()); });
  for (Feld* f : {&feld1, &feld2}) {
    connect(f->flaeche, &QLineEdit::editingFinished, this, [this, f] {
      if (!ButtonCancel->hasFocus() && !pruefung_) PruefeFlaeche(*f);
    });
    connect(f->flaeche, &QLineEdit::textEdited, f->modAnz, &QLabel::clear);
    connect(f->anzahl, &QSpinBox::valueChanged, this, [this, f](int n) {
      if (fuellen_) return;
      const float m = Modul();
      const int vorher = static_cast<int>(std::lround(ZahlAus(f->flaeche->text()) / m));
      if (std::abs(n - vorher) == 1) {
        StepArea(*f, n > vorher);
      } else if (n != vorher) {  // a count typed in
        std::string meldung;
        f->flaeche->setText(Komma(BegrenzeFlaeche(n * m, meldung), 2));
        UpdateModulAnzeige(*f);
        UpdateVolStrom();
      }
    });
    connect(f->neigung, &QDoubleSpinBox::valueChanged, this, [this] {
      Image1->Setze(feld1.neigung->value(), feld1.azimut->value());
    });
    connect(f->azimut, &QDoubleSpinBox::valueChanged, this, [this] {
      Image1->Setze(feld1.neigung->value(), feld1.azimut->value());
    });
  }
  connect(CheckBoxOstWest, &QCheckBox::toggled, this, [this](bool an) {
    if (!fuellen_) SetzeOstWest(an);
  });
  connect(SpeedButtonOW, &QPushButton::clicked, this, [this] {
    fuellen_ = true;
    feld2.flaeche->setText(feld1.flaeche->text());
    feld2.neigung->setValue(feld1.neigung->value());
    feld2.azimut->setValue(AzimutGegenueber(static_cast<float>(feld1.azimut->value())));
    fuellen_ = false;
    UpdateModulAnzeige(feld2);
    UpdateVolStrom();
  });
  connect(SpeedButtonE4, &QPushButton::clicked, this, [this] {
    Edit4->setValue(StandardFlow(s_.cat.Kollektoren[Zeile()].Name));
  });
  connect(Edit4, &QDoubleSpinBox::valueChanged, this, [this] { UpdateVolStrom(); });
  connect(gruppe, &QButtonGroup::idClicked, this, [this] { UpdateMontage(); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int i) {
    if (i == 2) UpdateVolStrom();
  });

  // Keys: Enter on a button presses it and moves on from a field in the order below;
  // Escape goes to Cancel from anywhere (a second Escape there cancels).
  EditFieldKeys(this, ButtonCancel);
  EscapeToButton(this, ButtonCancel);
  for (QWidget* w : std::initializer_list<QWidget*>{
           feld1.flaeche, feld1.anzahl, feld1.neigung, feld1.azimut, feld2.flaeche, feld2.anzahl,
           feld2.neigung, feld2.azimut, CheckBoxOstWest, Edit10, ComboBox1, Edit4, Edit11})
    w->installEventFilter(this);  // before the shared keys
}

float TFormKollektor::Modul() const {
  return ModulFlaecheOderEins(s_.cat.Kollektoren[Zeile()].ModulFlaeche);
}

int TFormKollektor::Zeile() const {
  const int r = StringGrid1->currentRow();
  return std::clamp(r + 1, 1, std::max<int>(1, s_.cat.KollektorAnzahl));
}

void TFormKollektor::FillKollList() {
  const bool vorher = fuellen_;
  fuellen_ = true;
  StringGrid1->setRowCount(s_.cat.KollektorAnzahl);
  for (int i = 1; i <= s_.cat.KollektorAnzahl; ++i)
    StringGrid1->setItem(i - 1, 0, new QTableWidgetItem(Q(s_.cat.Kollektoren[i].Name)));
  fuellen_ = vorher;
}

void TFormKollektor::NachFremderAenderung() {
  if (!katalog::Veraltet(s_.cat.DateiStaende, KollDateiPfad(s_))) return;
  const std::string zeile = s_.cat.Kollektoren[Zeile()].Name;
  const std::string beimOeffnen =
      nrBeimOeffnen_ >= 1 && nrBeimOeffnen_ <= s_.cat.KollektorAnzahl ? s_.cat.Kollektoren[nrBeimOeffnen_].Name
                                                                     : std::string();
  ReadKollektoren(s_, status_);  // finds the project's collector again by its name
  std::uint16_t d = 0;
  if (!beimOeffnen.empty()) {
    const int nr = FindKollektor(s_.cat, beimOeffnen, d);
    nrBeimOeffnen_ = d == 0 ? nr : s_.plant.KollektorNr;
  }
  FillKollList();
  StringGrid1->setCurrentCell(std::max(0, FindKollektor(s_.cat, zeile, d) - 1), 0);
  ZeigeEintrag();
}

void TFormKollektor::ZeigeEintrag() {
  const TKollektor& k = s_.cat.Kollektoren[Zeile()];
  Image2->Setze(k);
  const QImage& bild = LoadResBitmap(KollBildName(k));
  ImageKoll->setPixmap(QPixmap::fromImage(bild).scaled(ImageKoll->size(), Qt::KeepAspectRatio,
                                                       Qt::SmoothTransformation));
  UpdateModulAnzeige(feld1);
  if (CheckBoxOstWest->isChecked()) UpdateModulAnzeige(feld2);
}

void TFormKollektor::FillKollForm() {
  fuellen_ = true;
  const PlantState& p = s_.plant;
  FillKollList();
  const int nr = std::clamp<int>(p.KollektorNr, 1, std::max<int>(1, s_.cat.KollektorAnzahl));
  StringGrid1->setCurrentCell(nr - 1, 0);
  StringGrid1->scrollToItem(StringGrid1->item(nr - 1, 0), QAbstractItemView::PositionAtCenter);
  auto fuelle = [](Feld& f, float a, float n, float az) {
    f.flaeche->setText(Komma(a, 2));
    f.neigung->setValue(n);
    f.azimut->setValue(az);
  };
  fuelle(feld1, p.KollektorFlaeche, p.KollektorNeigung, p.KollektorAzimut);
  fuelle(feld2, p.KollektorFlaeche2, p.KollektorNeigung2, p.KollektorAzimut2);
  CheckBoxOstWest->setChecked(p.OstWestKollektor);
  GroupBoxKoll2->setVisible(p.OstWestKollektor);
  Edit10->setValue(p.Solarkreislaenge);
  ComboBox1->clear();
  for (int i = 1; i <= s_.cat.RohrAnzahl; ++i) ComboBox1->addItem(Q(s_.cat.Rohre[i].RohrName));
  ComboBox1->setCurrentIndex(p.RohrNr >= 1 && p.RohrNr <= s_.cat.RohrAnzahl ? p.RohrNr - 1 : 0);
  Edit11->setValue(p.Speichertauscherleistung);
  Edit4->setValue(p.KollektorFlow);
  // A project stored with another mounting is shown, and stored on OK, as fixed.
  FestesLayout();
  UpdateMontage();
  Image1->Setze(p.KollektorNeigung, p.KollektorAzimut);
  fuellen_ = false;
  ZeigeEintrag();
  UpdateVolStrom();
}

void TFormKollektor::UpdateModulAnzeige(Feld& f) {
  const float m = Modul();
  const float a = static_cast<float>(ZahlAus(f.flaeche->text()));
  const bool vorher = fuellen_;
  fuellen_ = true;
  f.anzahl->setValue(std::max(1, static_cast<int>(std::lround(a / m))));
  fuellen_ = vorher;
  f.modAnz->setText(Q(ModulAnzahlText(a, m)));
}

void TFormKollektor::StepArea(Feld& f, bool up) {
  const float a = static_cast<float>(ZahlAus(f.flaeche->text()));
  std::string meldung;
  f.flaeche->setText(Komma(BegrenzeFlaeche(StepModuleArea(up, a, Modul()).Flaeche, meldung), 2));
  UpdateModulAnzeige(f);
  UpdateVolStrom();
}

bool TFormKollektor::PruefeFlaeche(Feld& f) {
  TStrSolver solver;
  solver.SetTermString(f.flaeche->text().toStdString());
  const PlantState& p = s_.plant;
  if (!solver.OK()) {
    f.flaeche->setText(Komma(&f == &feld1 ? p.KollektorFlaeche : p.KollektorFlaeche2, 2));
    UpdateModulAnzeige(f);
    return false;
  }
  std::string meldung;
  const float a = BegrenzeFlaeche(static_cast<float>(solver.Ergebnis()), meldung);
  f.flaeche->setText(Komma(a, 2));
  UpdateModulAnzeige(f);
  UpdateVolStrom();
  if (meldung.empty()) return true;
  pruefung_ = true;
  ShowMessageLines(meldung);
  pruefung_ = false;
  FokusZurueck(f.flaeche);
  return false;
}

bool TFormKollektor::PruefeGrenze(QDoubleSpinBox* feld) {
  const auto* g = dynamic_cast<const GrenzFeld*>(feld);
  if (!g) return true;
  feld->interpretText();
  const double v = feld->value();
  if (v >= g->Min() && v <= g->Max()) return true;
  const bool unten = v < g->Min();
  const double grenze = unten ? g->Min() : g->Max();
  std::string meldung;
  if (feld == feld1.azimut || feld == feld2.azimut) {
    meldung = T(TX::FehlerWertunzulaessig) + ": " + T(TX::Azimut);
  } else {
    meldung = T(unten ? TX::FehlerMinWert : TX::FehlerMaxWert) + ": " + FloatToCommaStr(1, 0, static_cast<float>(grenze));
    if (feld == Edit4) meldung += " l/m²h";
    else if (feld == Edit11) meldung += std::string(" ") + kTauscherEinheit;
  }
  pruefung_ = true;
  ShowMessageLines(meldung);
  pruefung_ = false;
  feld->setValue(grenze);
  FokusZurueck(feld);
  return false;
}

// Every field that is shown, as OK stores them.
bool TFormKollektor::PruefeAlle() {
  for (Feld* f : {&feld1, &feld2}) {
    if (f == &feld2 && !CheckBoxOstWest->isChecked()) continue;
    if (!PruefeFlaeche(*f) || !PruefeGrenze(f->neigung) || !PruefeGrenze(f->azimut)) return false;
  }
  if (!PruefeGrenze(Edit4)) return false;
  return Edit11->isHidden() || PruefeGrenze(Edit11);
}

// A refused field gets the focus back, on its page.
void TFormKollektor::FokusZurueck(QWidget* feld) {
  for (int i = 0; i < PageControl1->count(); ++i)
    if (PageControl1->widget(i)->isAncestorOf(feld)) PageControl1->setCurrentIndex(i);
  feld->setFocus(Qt::OtherFocusReason);
  if (auto* e = qobject_cast<QLineEdit*>(feld)) e->selectAll();
  if (auto* z = qobject_cast<QAbstractSpinBox*>(feld)) z->selectAll();
}

void TFormKollektor::NaechsteSeite() {
  if (!TurnPage(PageControl1, true)) return;
  QWidget* seite = PageControl1->currentWidget();
  if (seite->isAncestorOf(feld1.flaeche)) feld1.flaeche->setFocus(Qt::TabFocusReason);
  else if (seite->isAncestorOf(Edit10)) Edit10->setFocus(Qt::TabFocusReason);
  else StringGrid1->setFocus(Qt::TabFocusReason);
}

// Enter in a field: its check, then on to the next field as the dialog lists them (from the
// azimuth to the next page, from the last field of the solar loop to OK).
void TFormKollektor::EnterWeiter(QWidget* w) {
  if (auto* z = qobject_cast<QDoubleSpinBox*>(w); z && !PruefeGrenze(z)) return;
  QWidget* ziel = nullptr;
  for (Feld* f : {&feld1, &feld2}) {
    if (w == f->flaeche && !PruefeFlaeche(*f)) return;
    if (w == f->flaeche || w == f->anzahl) ziel = f->neigung;
    else if (w == f->neigung) ziel = f->azimut;
    else if (w == f->azimut) return NaechsteSeite();
  }
  if (w == Edit10) ziel = ComboBox1;
  else if (w == ComboBox1) ziel = Edit4;
  else if (w == Edit4) ziel = s_.plant.LFTkreis || Edit11->isHidden() ? static_cast<QWidget*>(ButtonOK) : Edit11;
  else if (w == Edit11) ziel = ButtonOK;
  if (ziel && ziel->isEnabled() && ziel->isVisibleTo(this))
    ziel->setFocus(Qt::TabFocusReason);
  else
    focusNextChild();
}

void TFormKollektor::UpdateVolStrom() {
  const double flow = Edit4->value();
  QString t = Komma(ZahlAus(feld1.flaeche->text()) * flow, 0);
  if (CheckBoxOstWest->isChecked())
    t += " + " + Komma(ZahlAus(feld2.flaeche->text()) * flow, 0);
  LabelVolStrom->setText(t + " " + QT(TX::Liter) + kProStunde);
}

void TFormKollektor::UpdateMontage() {
  int i = 0;
  while (i < 3 && !Montage[i]->isChecked()) ++i;
  feld1.azimut->setEnabled(i != 1 && i != 3);
  feld1.neigung->setEnabled(i != 2 && i != 3);
}

void TFormKollektor::SetzeOstWest(bool an) {
  GroupBoxKoll2->setVisible(an);
  if (an) UpdateModulAnzeige(feld2);
  UpdateVolStrom();
}

// The dialog's fixed layout: no search or sort, no curve, the collector's picture instead;
// the mounting is fixed (its page hidden), the store exchanger's rating is not asked here.
void TFormKollektor::FestesLayout() {
  KollSuchenSpeedButton->hide();
  KollSortSpeedButton->hide();
  Image2->hide();
  ImageKoll->show();
  ShowPage(PageControl1, PageControl1->widget(3), false);
  Montage[0]->setChecked(true);
  Label27b.first->hide();
  Label27b.second->hide();
  Edit11->hide();
  SpeedButtonE4->show();
}

void TFormKollektor::ApplyKollForm() {
  PlantState& p = s_.plant;
  s_.run.ProjektGeaendert = true;
  SelectKollektor(s_, Zeile());
  p.KollektorFlaeche = static_cast<float>(ZahlAus(feld1.flaeche->text()));
  p.KollektorNeigung = static_cast<float>(feld1.neigung->value());
  p.KollektorAzimut = static_cast<float>(feld1.azimut->value());
  p.KollektorFlow = static_cast<float>(Edit4->value());
  p.OstWestKollektor = CheckBoxOstWest->isChecked();
  if (p.OstWestKollektor) {
    p.KollektorFlaeche2 = static_cast<float>(ZahlAus(feld2.flaeche->text()));
    p.KollektorNeigung2 = static_cast<float>(feld2.neigung->value());
    p.KollektorAzimut2 = static_cast<float>(feld2.azimut->value());
  }
  p.KollektorFlaecheGesamt =
      p.OstWestKollektor ? p.KollektorFlaeche + p.KollektorFlaeche2 : p.KollektorFlaeche;
  p.Solarkreislaenge = static_cast<float>(Edit10->value());
  int rohr = ComboBox1->currentIndex() + 1;
  if (rohr < 1 || rohr > s_.cat.RohrAnzahl) {
    ShowMessageLines(T(TX::FehlerWertunzulaessig) + ": " + RemoveAmpersands(T(TX::FormKollUnitLabel17)));
    rohr = 1;
  }
  SelectRohr(s_, rohr);
  int m = 0;
  while (m < 3 && !Montage[m]->isChecked()) ++m;
  p.KollektorMontage = static_cast<std::uint8_t>(m + 1);
}

void TFormKollektor::reject() {
  // Cancel leaves the project as it was, whatever Enter in the grid or the editor's OK wrote
  // into it; the catalogue stays as written, and the project's collector follows its entry.
  const int nr = nrBeimOeffnen_;
  s_.plant = kopie_;
  s_.run.ProjektGeaendert = geaendertKopie_ || katalogGeaendert_;
  if (nr >= 1 && nr <= s_.cat.KollektorAnzahl && (katalogGeaendert_ || kopie_.KollektorNr != nr))
    SelectKollektor(s_, nr);
  done(2);
}

void TFormKollektor::accept() {
  if (!PruefeAlle()) return;
  ApplyKollForm();
  QDialog::accept();
}

int TFormKollektor::Zeige() {
  setWindowTitle(QT(TX::FormKollUnitCaption));
  s_.run.WeiterModus = false;
  nrBeimOeffnen_ = s_.plant.KollektorNr;
  kopie_ = s_.plant;
  geaendertKopie_ = s_.run.ProjektGeaendert;
  katalogGeaendert_ = false;
  FillKollForm();
  if (ersteAnzeige_) {
    PageControl1->setCurrentIndex(0);
    StringGrid1->setFocus();
    ersteAnzeige_ = false;
  }
  PlaceKeptDialog(this, s_.settings.AFPos);
  return exec();
}

void TFormKollektor::done(int r) {
  s_.settings.AFPos = PositionOf(this);
  QDialog::done(r);
}

void TFormKollektor::Bearbeiten() {
  const int nr = Zeile();
  s_.run.KollEditNr = static_cast<std::int16_t>(nr);
  s_.settings.AFPos = PositionOf(this);  // the editor opens over the dialog
  if (FormKollektorEdit->Bearbeite(nr) == QDialog::Accepted) katalogGeaendert_ = true;
  FillKollList();
  StringGrid1->setCurrentCell(nr - 1, 0);
  ZeigeEintrag();
  NachFremderAenderung();
  StringGrid1->setFocus();
}

void TFormKollektor::Neu() {
  if (s_.cat.KollektorAnzahl >= kMaxKollektoren) {
    ShowMessageLines(T(TX::WarnungMaxAnzahl));
    return;
  }
  const int s = Zeile();
  auto& c = s_.cat;
  FuegeKopieEin(c.Kollektoren, c.KollektorAnzahl, s, &TKollektor::Name, T(TX::neu));
  c.Kollektoren[s].WkapC = 0;
  // The project's collector moves down with the entries behind the copy.
  const auto vorher = s_.plant.KollektorNr;
  const int vorherBeimOeffnen = nrBeimOeffnen_;
  if (s_.plant.KollektorNr >= s) ++s_.plant.KollektorNr;
  if (nrBeimOeffnen_ >= s) ++nrBeimOeffnen_;
  s_.run.KollEditNr = static_cast<std::int16_t>(s);
  s_.settings.AFPos = PositionOf(this);
  if (FormKollektorEdit->Bearbeite(s) == QDialog::Accepted) {
    katalogGeaendert_ = true;
    FillKollList();
    StringGrid1->setCurrentCell(s - 1, 0);
  } else {
    NimmKopieZurueck(c.Kollektoren, c.KollektorAnzahl, s);
    s_.plant.KollektorNr = vorher;
    nrBeimOeffnen_ = vorherBeimOeffnen;
  }
  ZeigeEintrag();
  NachFremderAenderung();
}

void TFormKollektor::Loeschen() {
  auto& c = s_.cat;
  const int d = Zeile();
  if (c.KollektorAnzahl <= 1) {
    ShowMessageLines(T(TX::WarnungMinimum1));
    return;
  }
  if (Msg().Ask(ReplaceHashMark(T(TX::DatenLoeschenAbfrage), c.Kollektoren[d].Name), mbYesNoKeep) !=
      mrYes)
    return;
  const std::vector<TKollektor> vorher(c.Kollektoren.begin(),
                                       c.Kollektoren.begin() + c.KollektorAnzahl + 1);
  const auto anzahlVorher = c.KollektorAnzahl;
  LoescheEintrag(c.Kollektoren, c.KollektorAnzahl, d);
  if (!WriteKollektoren(s_, status_)) {  // nothing lost: the list stays as the file is
    std::copy(vorher.begin(), vorher.end(), c.Kollektoren.begin());
    c.KollektorAnzahl = anzahlVorher;
    NachFremderAenderung();
    return;
  }
  s_.run.ProjektGeaendert = true;
  katalogGeaendert_ = true;
  bool geloescht = false;
  const int nr = NrNachLoeschen(s_.plant.KollektorNr, d, c.KollektorAnzahl, geloescht);
  if (geloescht) SelectKollektor(s_, nr);
  else s_.plant.KollektorNr = static_cast<std::int16_t>(nr);
  bool auchGeloescht = false;
  nrBeimOeffnen_ = NrNachLoeschen(nrBeimOeffnen_, d, c.KollektorAnzahl, auchGeloescht);
  FillKollList();
  StringGrid1->setCurrentCell(std::min<int>(d, c.KollektorAnzahl) - 1, 0);
  ZeigeEintrag();
}

void TFormKollektor::Suche() {
  SearchGrid(StringGrid1, 0);
  ZeigeEintrag();
}

void TFormKollektor::Sortiere(int modus) {
  const std::string name = s_.cat.Kollektoren[Zeile()].Name;
  SortKollektoren(s_, static_cast<std::uint8_t>(modus), status_);
  FillKollList();
  // The project's collector is found again by its name after the new order.
  std::uint16_t dist = 0;
  const int nr = FindKollektor(s_.cat, s_.plant.Kollektor, dist);
  if (nr >= 1 && dist == 0) s_.plant.KollektorNr = static_cast<std::int16_t>(nr);
  const int beimOeffnen = FindKollektor(s_.cat, kopie_.Kollektor, dist);
  if (beimOeffnen >= 1 && dist == 0) {
    nrBeimOeffnen_ = beimOeffnen;
    kopie_.KollektorNr = static_cast<std::int16_t>(beimOeffnen);
  }
  const int zeile = FindKollektor(s_.cat, name, dist);
  StringGrid1->setCurrentCell(std::max(0, zeile - 1), 0);
  ZeigeEintrag();
}

bool TFormKollektor::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusOut && !fuellen_ && !pruefung_ && isVisible()) {
    // Leaving a number field checks it, unless the focus goes to another window; tilt and
    // azimuth are not checked on the way to Cancel either.
    const auto grund = static_cast<QFocusEvent*>(e)->reason();
    const bool imDialog = grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason;
    QWidget* neu = QApplication::focusWidget();
    const bool winkel = o == feld1.neigung || o == feld1.azimut || o == feld2.neigung || o == feld2.azimut;
    if (imDialog && !(winkel && neu == ButtonCancel) && isAncestorOf(neu)) {
      if (auto* z = qobject_cast<QDoubleSpinBox*>(o)) PruefeGrenze(z);
      for (Feld* f : {&feld1, &feld2})
        if (o == f->flaeche) PruefeFlaeche(*f);
    }
    return QDialog::eventFilter(o, e);
  }
  if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);
  auto* k = static_cast<QKeyEvent*>(e);
  const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
  if (o == StringGrid1) {
    if (GitterHilfeTaste(*k)) return true;
    switch (k->key()) {
      case Qt::Key_Insert: Neu(); return true;
      case Qt::Key_Delete: Loeschen(); return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (k->modifiers() & Qt::ControlModifier) {
          Bearbeiten();
        } else {
          // The chosen collector becomes the project's (its module area counts from now),
          // then on to the field page.
          ApplyKollForm();
          NaechsteSeite();
        }
        return true;
      default: break;
    }
    const QString t = k->text();
    if (t.size() == 1 && IstSuchBuchstabe(t[0].unicode()) &&
        !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      std::vector<std::string> namen;
      for (int i = 1; i <= s_.cat.KollektorAnzahl; ++i) namen.push_back(s_.cat.Kollektoren[i].Name);
      if (auto r = TypeAhead(namen, 0, StringGrid1->currentRow(), s_.run.SuchText, t[0].unicode()))
        StringGrid1->setCurrentCell(*r, 0);
      return true;
    }
    s_.run.SuchText.clear();
  } else if ((k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) &&
             (o == feld1.flaeche || o == feld2.flaeche)) {
    StepArea(o == feld1.flaeche ? feld1 : feld2, k->key() == Qt::Key_Up);
    return true;
  } else if (enter && !(k->modifiers() & ~Qt::KeypadModifier) && o->isWidgetType()) {
    EnterWeiter(static_cast<QWidget*>(o));
    return true;
  }
  return QDialog::eventFilter(o, e);
}

void TFormKollektor::keyPressEvent(QKeyEvent* e) {
  // An Enter that no control took never falls through to OK: a button presses itself,
  // anything else moves on.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(e->modifiers() & ~Qt::KeypadModifier)) {
    if (auto* knopf = qobject_cast<QAbstractButton*>(focusWidget())) knopf->click();
    else focusNextChild();
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace tav
