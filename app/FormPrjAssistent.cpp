#include "app/FormPrjAssistent.h"
#include "app/AssistentGrafik.h"
#include "catalogues/SolPaket.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/ui/FeldTasten.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/KeptWindow.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SysUtilsQt.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <filesystem>

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "simulation/DayDriver.h"
#include "simulation/WerteBereiche.h"

namespace tav {

namespace {

// Texts the text table does not hold.
constexpr const char* kSeiteStart = "Start";
constexpr const char* kSeiteDimTWW = "Dim TWW";
constexpr const char* kSeiteDimSolHeiz = "Dim Solares Heizen";
constexpr const char* kKWhAbs = "kWh/a";
constexpr const char* kKWhSpez = "kWh/m²a";
constexpr const char* kGrad = "°C";
constexpr const char* kBerechnung = "Simulation läuft ...";
constexpr const char* kNichtGerechnet = "Simulation nicht ausgeführt: für diese Variante gibt es kein Ergebnis (–).";
constexpr const char* kStrich = "\xE2\x80\x93";  // en dash: a figure no run gave

// A fraction in per cent with one decimal, the dash when no run gave it.
QString Anteil(float prozent) { return std::isfinite(prozent) ? assistent::Zahl(prozent, 1) : QString(kStrich); }

constexpr int kHilfeAssistent = 870, kHilfeOrte = 871, kHilfeKollektor = 873;

// What a typed area (m²) or store volume (litres) of a sizing page may be.
constexpr double kFlaecheMin = 0.01, kFlaecheMax = 10000.0;
constexpr double kVolumenMin = 10.0, kVolumenMax = 100000.0;

QString Tq(TX k) { return Q(T(k)); }
// The message of a limit a figure passed, the limit shown with Dezimalen decimals.
std::string Grenze(TX meldung, double grenze, int dezimalen) {
  return T(meldung) + ": " + FloatToCommaStr(1, static_cast<std::uint8_t>(dezimalen), static_cast<float>(grenze));
}
using assistent::Wert;
using assistent::Zahl;

QToolButton* Pfeil(QWidget* parent, const char* name, Qt::ArrowType a) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setArrowType(a);
  b->setAutoRepeat(false);
  return b;
}

QLineEdit* Feld(QWidget* parent, const char* name, bool nurLesen = false, int breite = 90) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setReadOnly(nurLesen);
  e->setMaximumWidth(breite);
  e->setAlignment(Qt::AlignRight);
  if (nurLesen) e->setFocusPolicy(Qt::NoFocus);
  return e;
}

QLabel* Etikett(QWidget* parent, const char* name, const QString& text = {}) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

// --- Form -----------------------------------------------------------------------------------

struct TFormPrjAssistent::Sicherung {
  PlantState plant;
  LocationState loc;
  WeatherState weather;
  ResultState results;
  std::uint8_t simJahre = 1;
  bool solarklimadatenOK = false;
  std::uint8_t wetterDatensatz = 1;
  bool projektGeaendert = false;
};

TFormPrjAssistent::TFormPrjAssistent(QWidget* parent) : QDialog(parent), Lauf(EchterStillerLauf()) {
  setObjectName("FormPrjAssistent");
  // F1 is answered here (870, or 871/873 for the grid in front), not by the program-wide key.
  setProperty(kHelpByHook, true);
  setWindowFlag(Qt::FramelessWindowHint, true);
  setModal(true);
  setMinimumSize(760, 520);
  resize(900, 600);

  auto* haupt = new QVBoxLayout(this);
  LabelTitel = Etikett(this, "LabelTitel");
  QFont tf = LabelTitel->font();
  tf.setPointSize(tf.pointSize() + 4);
  tf.setBold(true);
  LabelTitel->setFont(tf);
  haupt->addWidget(LabelTitel);
  PageControl1 = new QStackedWidget(this);
  PageControl1->setObjectName("PageControl1");
  haupt->addWidget(PageControl1, 1);

  auto seite = [this](const char* name) {
    auto* w = new QWidget(PageControl1);
    w->setObjectName(name);
    PageControl1->addWidget(w);
    return w;
  };

  // Start
  TabSheetStart = seite("TabSheetStart");
  {
    auto* l = new QFormLayout(TabSheetStart);
    EditPrjName = new QLineEdit(TabSheetStart);
    EditPrjName->setObjectName("EditPrjName");
    auto* ln = Etikett(TabSheetStart, "LabelPrjName");
    ln->setBuddy(EditPrjName);
    l->addRow(ln, EditPrjName);
    StringGridOrte = new QTableWidget(TabSheetStart);
    StringGridOrte->setObjectName("StringGridOrte");
    StringGridOrte->setColumnCount(3);
    auto* lo = Etikett(TabSheetStart, "LabelOrt");
    lo->setBuddy(StringGridOrte);
    l->addRow(lo, StringGridOrte);
  }
  // Kollektortyp
  TabSheetKollektor = seite("TabSheetKollektor");
  {
    auto* l = new QGridLayout(TabSheetKollektor);
    auto* lk = Etikett(TabSheetKollektor, "LabelKollTyp");
    l->addWidget(lk, 0, 0);
    StringGridKollektor = new QTableWidget(TabSheetKollektor);
    lk->setBuddy(StringGridKollektor);
    StringGridKollektor->setObjectName("StringGridKollektor");
    StringGridKollektor->setColumnCount(1);
    l->addWidget(StringGridKollektor, 1, 0, 1, 1);
    auto* rechts = new QFormLayout;
    rechts->addRow(Etikett(TabSheetKollektor, "LabelKollOri"));
    // Tilt and azimuth: a field with its up-down and the unit.
    auto winkel = [this](const char* feld, const char* pfeile, int min, int max, TUpDown*& u) {
      QLineEdit* e = Feld(TabSheetKollektor, feld, false, 70);
      u = new TUpDown(e, min, max, 1, TabSheetKollektor);
      u->setObjectName(pfeile);
      u->ArrowKeys = true;
      auto* w = new QWidget(TabSheetKollektor);
      auto* h = new QHBoxLayout(w);
      h->setContentsMargins(0, 0, 0, 0);
      h->setSpacing(1);
      h->addWidget(e);
      h->addWidget(u);
      h->addWidget(new QLabel("°", w));
      h->addStretch();
      return std::pair<QLineEdit*, QWidget*>(e, w);
    };
    const auto [ng, ngZeile] = winkel("EditNg", "UpDownNg", 0, 90, UpDownNg);
    const auto [az, azZeile] = winkel("EditAz", "UpDownAz", -180, 180, UpDownAz);
    EditNg = ng;
    EditAz = az;
    findChild<QLabel*>("LabelKollOri")->setBuddy(EditNg);
    auto* lng = Etikett(TabSheetKollektor, "LabelNg");
    lng->setBuddy(EditNg);
    rechts->addRow(lng, ngZeile);
    auto* laz = Etikett(TabSheetKollektor, "LabelAz");
    laz->setBuddy(EditAz);
    rechts->addRow(laz, azZeile);
    ImageWinkelbild = new TWinkelbild(TabSheetKollektor, EditNg, EditAz);
    ImageWinkelbild->setObjectName("ImageWinkelbild");
    rechts->addRow(ImageWinkelbild);
    ImageKollSpezial = new QLabel(TabSheetKollektor);
    ImageKollSpezial->setObjectName("ImageKollSpezial");
    ImageKollSpezial->setFixedSize(160, 120);
    ImageKollSpezial->setAlignment(Qt::AlignCenter);
    rechts->addRow(ImageKollSpezial);
    // The picture the collector dialog shows for the same collector.
    connect(StringGridKollektor, &QTableWidget::currentCellChanged, this, [this](int zeile) {
      const CatalogueState& c = G().cat;
      if (zeile < 0 || zeile + 1 > c.KollektorAnzahl) return ImageKollSpezial->clear();
      const QImage& bild = LoadResBitmap(KollBildName(c.Kollektoren[static_cast<std::size_t>(zeile + 1)]));
      ImageKollSpezial->setPixmap(QPixmap::fromImage(bild).scaled(ImageKollSpezial->size(), Qt::KeepAspectRatio,
                                                                  Qt::SmoothTransformation));
    });
    l->addLayout(rechts, 1, 1);
    l->setColumnStretch(0, 3);
    l->setColumnStretch(1, 2);
    // Typed or stepped, every change of tilt or azimuth redraws the picture.
    for (QLineEdit* e : {EditNg, EditAz})
      connect(e, &QLineEdit::textChanged, ImageWinkelbild, qOverload<>(&QWidget::update));
    connect(EditNg, &QLineEdit::editingFinished, this, [this] { PruefeFeld(EditNg, 0, 90, 0, true); });
    connect(EditAz, &QLineEdit::editingFinished, this, [this] { PruefeFeld(EditAz, -180, 180, 1, true); });
  }
  // Wärmebedarf
  TabSheetQbedarf = seite("TabSheetQbedarf");
  {
    auto* l = new QGridLayout(TabSheetQbedarf);
    int z = 0;
    auto zeile = [&](const char* etikett, QWidget* feld, const char* einheit, QWidget* zusatz = nullptr) {
      auto* lb = Etikett(TabSheetQbedarf, etikett);
      lb->setBuddy(feld);
      l->addWidget(lb, z, 0);
      // A narrower field ends where the others end, so its figure and its arrow buttons
      // stand in the columns of the other figures and units.
      l->addWidget(feld, z, 1, Qt::AlignRight);
      if (zusatz) {
        l->addWidget(zusatz, z, 2);
      } else {
        auto* e = Etikett(TabSheetQbedarf, (std::string(etikett) + "Einheit").c_str());
        e->setProperty("einheit", einheit);
        l->addWidget(e, z, 2);
      }
      ++z;
    };
    EditTWW_Liter = Feld(TabSheetQbedarf, "EditTWW_Liter");
    EditT_WW = Feld(TabSheetQbedarf, "EditT_WW");
    EditTWWkWh = Feld(TabSheetQbedarf, "EditTWWkWh", true);
    EditTWWkWhJahr = Feld(TabSheetQbedarf, "EditTWWkWhJahr", true);
    zeile("LabelTWW", EditTWW_Liter, "LiterproTag");
    zeile("LabelT_WW", EditT_WW, "Grad");
    zeile("LabelTWWkWh", EditTWWkWh, "kWhproTag");
    zeile("LabelTWWkWhJahr", EditTWWkWhJahr, "kWhproJahr");
    CheckBoxSolarKombi = new QCheckBox(TabSheetQbedarf);
    CheckBoxSolarKombi->setObjectName("CheckBoxSolarKombi");
    l->addWidget(CheckBoxSolarKombi, z++, 0, 1, 4);
    EditQheiz = Feld(TabSheetQbedarf, "EditQheiz");
    EditQsumme = Feld(TabSheetQbedarf, "EditQsumme", true);
    EditThzgrz = Feld(TabSheetQbedarf, "EditThzgrz");
    EditKAfaktor = Feld(TabSheetQbedarf, "EditKAfaktor", false, 60);
    SpeedButtonupf = Pfeil(TabSheetQbedarf, "SpeedButtonupf", Qt::UpArrow);
    SpeedButtondnf = Pfeil(TabSheetQbedarf, "SpeedButtondnf", Qt::DownArrow);
    auto* knoepfe = new QWidget(TabSheetQbedarf);
    auto* kl = new QHBoxLayout(knoepfe);
    kl->setContentsMargins(0, 0, 0, 0);
    kl->addWidget(SpeedButtonupf);
    kl->addWidget(SpeedButtondnf);
    kl->addStretch();
    zeile("LabelQheiz", EditQheiz, "kWhproJahr");
    zeile("LabelQsumme", EditQsumme, "kWhproJahr");
    zeile("LabelThzgrz", EditThzgrz, "Grad");
    zeile("LabelKAfaktor", EditKAfaktor, "", knoepfe);
    l->setRowStretch(z, 1);
    l->setColumnStretch(4, 1);
    for (QLineEdit* e : {EditTWW_Liter, EditT_WW, EditQheiz})
      connect(e, &QLineEdit::textChanged, this, [this] { RechneBedarf(); });
    connect(EditTWW_Liter, &QLineEdit::editingFinished, this, [this] { PruefeFeld(EditTWW_Liter, 1, 10000, 0, true); });
    connect(EditT_WW, &QLineEdit::editingFinished, this, [this] { PruefeFeld(EditT_WW, 15, 80, 0, true); });
    connect(EditKAfaktor, &QLineEdit::editingFinished, this, [this] { PruefeFeld(EditKAfaktor, 1.1, 3.0, 1, true); });
    connect(EditThzgrz, &QLineEdit::editingFinished, this, [this] { PruefeThzgrz(true); });
    connect(EditQheiz, &QLineEdit::editingFinished, this, [this] { PruefeQheiz(true); });
    connect(CheckBoxSolarKombi, &QCheckBox::toggled, this, [this] { ZeigeHeizFelder(); });
    connect(SpeedButtonupf, &QToolButton::clicked, this, [this] { StufeKAfaktor(1); });
    connect(SpeedButtondnf, &QToolButton::clicked, this, [this] { StufeKAfaktor(-1); });
  }
  // Dim TWW
  TabSheetDimTWW = seite("TabSheetDimTWW");
  {
    auto* l = new QHBoxLayout(TabSheetDimTWW);
    ImageJahreskurve = new TJahreskurven(TabSheetDimTWW);
    ImageJahreskurve->setObjectName("ImageJahreskurve");
    l->addWidget(ImageJahreskurve, 1);
    auto* r = new QGridLayout;
    int z = 0;
    LabelKollN = Etikett(TabSheetDimTWW, "LabelKollN");
    LabelKollN->setWordWrap(true);
    LabelKollN->setMinimumHeight(2 * LabelKollN->fontMetrics().height() + 4);
    r->addWidget(LabelKollN, z++, 0, 1, 3);
    r->addWidget(Etikett(TabSheetDimTWW, "LabelKollA"), z++, 0, 1, 3);
    EditKollA = Feld(TabSheetDimTWW, "EditKollA");
    SpeedButtonup = Pfeil(TabSheetDimTWW, "SpeedButtonup", Qt::UpArrow);
    SpeedButtondn = Pfeil(TabSheetDimTWW, "SpeedButtondn", Qt::DownArrow);
    r->addWidget(EditKollA, z, 0);
    r->addWidget(SpeedButtonup, z, 1);
    r->addWidget(SpeedButtondn, z++, 2);
    LabelModAnz = Etikett(TabSheetDimTWW, "LabelModAnz");
    r->addWidget(LabelModAnz, z++, 0, 1, 3);
    r->addWidget(Etikett(TabSheetDimTWW, "LabelSpVol"), z++, 0, 1, 3);
    EditSpVol = Feld(TabSheetDimTWW, "EditSpVol");
    SpeedButtonup2 = Pfeil(TabSheetDimTWW, "SpeedButtonup2", Qt::UpArrow);
    SpeedButtondn2 = Pfeil(TabSheetDimTWW, "SpeedButtondn2", Qt::DownArrow);
    r->addWidget(EditSpVol, z, 0);
    r->addWidget(SpeedButtonup2, z, 1);
    r->addWidget(SpeedButtondn2, z++, 2);
    LabelSpN = Etikett(TabSheetDimTWW, "LabelSpN");
    r->addWidget(LabelSpN, z++, 0, 1, 3);
    // A package's store name belongs to the volume above, not to the fraction below.
    r->addItem(new QSpacerItem(0, 10, QSizePolicy::Minimum, QSizePolicy::Fixed), z++, 0);
    r->addWidget(Etikett(TabSheetDimTWW, "LabelDeckrate"), z++, 0, 1, 3);
    LabelDeckrateWert = Etikett(TabSheetDimTWW, "LabelDeckrateWert");
    QFont gf = LabelDeckrateWert->font();
    gf.setPointSize(gf.pointSize() + 6);
    gf.setBold(true);
    LabelDeckrateWert->setFont(gf);
    r->addWidget(LabelDeckrateWert, z++, 0, 1, 3);
    RadioButtonkWh_abs = new QRadioButton(kKWhAbs, TabSheetDimTWW);
    RadioButtonkWh_abs->setObjectName("RadioButtonkWh_abs");
    RadioButtonkWh_spez = new QRadioButton(kKWhSpez, TabSheetDimTWW);
    RadioButtonkWh_spez->setObjectName("RadioButtonkWh_spez");
    RadioButtonkWh_abs->setChecked(true);
    r->addWidget(RadioButtonkWh_abs, z++, 0, 1, 3);
    r->addWidget(RadioButtonkWh_spez, z++, 0, 1, 3);
    r->setRowStretch(z, 1);
    r->setColumnStretch(3, 1);
    auto* panel = new QWidget(TabSheetDimTWW);
    panel->setLayout(r);
    panel->setFixedWidth(240);
    l->addWidget(panel);
    connect(SpeedButtonup, &QToolButton::clicked, this, [this] { FlaecheSchritt(true); });
    connect(SpeedButtondn, &QToolButton::clicked, this, [this] { FlaecheSchritt(false); });
    connect(SpeedButtonup2, &QToolButton::clicked, this, [this] { SpeicherSchritt(true); });
    connect(SpeedButtondn2, &QToolButton::clicked, this, [this] { SpeicherSchritt(false); });
    connect(RadioButtonkWh_abs, &QRadioButton::toggled, this, [this] { ZeigeTWW(); });
    // Left with a text that is no allowed figure, the field says so and shows the one in force.
    connect(EditKollA, &QLineEdit::editingFinished, this, [this] {
      PruefeGroesse(EditKollA, kFlaecheMin, kFlaecheMax, G().plant.KollektorFlaeche, 2, true);
    });
    connect(EditSpVol, &QLineEdit::editingFinished, this, [this] {
      PruefeGroesse(EditSpVol, kVolumenMin, kVolumenMax, G().plant.Speicher1vol, 0, true);
    });
  }
  // Dim Solares Heizen
  TabSheetDimSolHeiz = seite("TabSheetDimSolHeiz");
  {
    auto* l = new QHBoxLayout(TabSheetDimSolHeiz);
    ImageJahreskurve_hz = new TJahreskurven(TabSheetDimSolHeiz);
    ImageJahreskurve_hz->setObjectName("ImageJahreskurve_hz");
    l->addWidget(ImageJahreskurve_hz, 1);
    auto* r = new QGridLayout;
    int z = 0;
    LabelKollN_hz = Etikett(TabSheetDimSolHeiz, "LabelKollN_hz");
    LabelKollN_hz->setWordWrap(true);
    LabelKollN_hz->setMinimumHeight(2 * LabelKollN_hz->fontMetrics().height() + 4);
    r->addWidget(LabelKollN_hz, z++, 0, 1, 3);
    r->addWidget(Etikett(TabSheetDimSolHeiz, "LabelKollA_hz"), z++, 0, 1, 3);
    EditKollA_hz = Feld(TabSheetDimSolHeiz, "EditKollA_hz");
    SpeedButtonup_hz = Pfeil(TabSheetDimSolHeiz, "SpeedButtonup_hz", Qt::UpArrow);
    SpeedButtondn_hz = Pfeil(TabSheetDimSolHeiz, "SpeedButtondn_hz", Qt::DownArrow);
    r->addWidget(EditKollA_hz, z, 0);
    r->addWidget(SpeedButtonup_hz, z, 1);
    r->addWidget(SpeedButtondn_hz, z++, 2);
    LabelModAnz_hz = Etikett(TabSheetDimSolHeiz, "LabelModAnz_hz");
    r->addWidget(LabelModAnz_hz, z++, 0, 1, 3);
    r->addWidget(Etikett(TabSheetDimSolHeiz, "LabelPSvolTitel"), z++, 0, 1, 3);
    LabelPSvol = Etikett(TabSheetDimSolHeiz, "LabelPSvol");
    r->addWidget(LabelPSvol, z++, 0, 1, 3);
    LabelSpN_hz = Etikett(TabSheetDimSolHeiz, "LabelSpN_hz");
    r->addWidget(LabelSpN_hz, z++, 0, 1, 3);
    r->addItem(new QSpacerItem(0, 10, QSizePolicy::Minimum, QSizePolicy::Fixed), z++, 0);
    r->addWidget(Etikett(TabSheetDimSolHeiz, "LabelDeckrate_hz"), z++, 0, 1, 3);
    LabelDeckratexTWW = Etikett(TabSheetDimSolHeiz, "LabelDeckratexTWW");
    LabelDeckratexHzg = Etikett(TabSheetDimSolHeiz, "LabelDeckratexHzg");
    LabelDeckratexges = Etikett(TabSheetDimSolHeiz, "LabelDeckratexges");
    for (QLabel* x : {LabelDeckratexTWW, LabelDeckratexHzg, LabelDeckratexges}) r->addWidget(x, z++, 0, 1, 3);
    QFont gf = LabelDeckratexges->font();
    gf.setBold(true);
    LabelDeckratexges->setFont(gf);
    RadioButtonkWh_abs_hz = new QRadioButton(kKWhAbs, TabSheetDimSolHeiz);
    RadioButtonkWh_abs_hz->setObjectName("RadioButtonkWh_abs_hz");
    RadioButtonkWh_spez_hz = new QRadioButton(kKWhSpez, TabSheetDimSolHeiz);
    RadioButtonkWh_spez_hz->setObjectName("RadioButtonkWh_spez_hz");
    RadioButtonkWh_abs_hz->setChecked(true);
    r->addWidget(RadioButtonkWh_abs_hz, z++, 0, 1, 3);
    r->addWidget(RadioButtonkWh_spez_hz, z++, 0, 1, 3);
    r->setRowStretch(z, 1);
    r->setColumnStretch(3, 1);
    auto* panel = new QWidget(TabSheetDimSolHeiz);
    panel->setLayout(r);
    panel->setFixedWidth(240);
    l->addWidget(panel);
    connect(SpeedButtonup_hz, &QToolButton::clicked, this, [this] { FlaecheSchrittHz(true); });
    connect(SpeedButtondn_hz, &QToolButton::clicked, this, [this] { FlaecheSchrittHz(false); });
    connect(RadioButtonkWh_abs_hz, &QRadioButton::toggled, this, [this](bool an) {
      (an ? RadioButtonkWh_abs : RadioButtonkWh_spez)->setChecked(true);
      ZeigeHeizung();
    });
    connect(EditKollA_hz, &QLineEdit::editingFinished, this, [this] {
      PruefeGroesse(EditKollA_hz, kFlaecheMin, kFlaecheMax, G().plant.KollektorFlaeche, 2, true);
    });
  }

  // Pakete
  TabSheetPakete = seite("TabSheetPakete");
  {
    auto* l = new QVBoxLayout(TabSheetPakete);
    auto* kopf = new QHBoxLayout;
    auto* lp = Etikett(TabSheetPakete, "LabelSolarpaket");
    kopf->addWidget(lp, 1);
    SpeedButtonAlleK = new QToolButton(TabSheetPakete);
    SpeedButtonAlleK->setObjectName("SpeedButtonAlleK");
    SpeedButtonAlleK->setCheckable(true);
    kopf->addWidget(SpeedButtonAlleK);
    l->addLayout(kopf);
    StringGridPakete = new QTableWidget(TabSheetPakete);
    StringGridPakete->setObjectName("StringGridPakete");
    StringGridPakete->setColumnCount(6);
    lp->setBuddy(StringGridPakete);
    l->addWidget(StringGridPakete, 1);
    connect(SpeedButtonAlleK, &QToolButton::clicked, this, [this] { FillPackageGrid(SpeedButtonAlleK->isChecked()); });
    connect(StringGridPakete, &QTableWidget::cellDoubleClicked, this, [this] { Weiter(); });
  }

  // Progress and buttons.
  auto* unten = new QHBoxLayout;
  ProgressBarDim = new QProgressBar(this);
  ProgressBarDim->setObjectName("ProgressBarDim");
  ProgressBarDim->setMaximumWidth(220);
  ProgressBarDim->hide();
  LabelStatus = Etikett(this, "LabelStatus");
  ButtonCancel = new QPushButton(this);
  ButtonCancel->setObjectName("ButtonCancel");
  BitBtnBackward = new QPushButton(this);
  BitBtnBackward->setObjectName("BitBtnBackward");
  BitBtnForward = new QPushButton(this);
  BitBtnForward->setObjectName("BitBtnForward");
  ButtonOK = new QPushButton(this);
  ButtonOK->setObjectName("ButtonOK");
  BitBtnPakete = new QPushButton(this);
  BitBtnPakete->setObjectName("BitBtnPakete");
  BitBtnPakete->hide();
  for (QPushButton* b : {BitBtnPakete, ButtonCancel, BitBtnBackward, BitBtnForward, ButtonOK}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(100);
  }
  unten->addWidget(BitBtnPakete);
  unten->addWidget(LabelStatus, 1);
  unten->addWidget(ProgressBarDim);
  unten->addWidget(ButtonCancel);
  unten->addWidget(BitBtnBackward);
  unten->addWidget(BitBtnForward);
  unten->addWidget(ButtonOK);
  haupt->addLayout(unten);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormPrjAssistent::reject);
  connect(BitBtnBackward, &QPushButton::clicked, this, &TFormPrjAssistent::Zurueck);
  connect(BitBtnForward, &QPushButton::clicked, this, &TFormPrjAssistent::Weiter);
  connect(ButtonOK, &QPushButton::clicked, this, &TFormPrjAssistent::accept);
  connect(BitBtnPakete, &QPushButton::clicked, this, &TFormPrjAssistent::ZeigePaketSeite);
  // From any control Escape only offers Cancel, so a slip of the key loses no input; a
  // second Escape, on Cancel, cancels.
  EscapeToButton(this, ButtonCancel);

  for (QTableWidget* t : {StringGridOrte, StringGridKollektor, StringGridPakete}) {
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the next control; in the grid it would select the next row.
    t->setTabKeyNavigation(false);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
  }
  StringGridKollektor->horizontalHeader()->hide();
  StringGridPakete->horizontalHeader()->setStretchLastSection(false);
  // Type-ahead: the locations by name (their first column is the postcode), the collectors
  // and packages by their first column.
  Suche = new TGitterSuche(this);
  Suche->Beobachte(StringGridOrte, 1);
  Suche->Beobachte(StringGridKollektor, 0);
  Suche->Beobachte(StringGridPakete, 0);
  connect(StringGridOrte, &QTableWidget::currentCellChanged, this, [this](int zeile, int spalte) {
    if (zeile >= 0 && spalte != 1) StringGridOrte->setCurrentCell(zeile, 1);
  });
  // The mouse over a page's background ends a search (and with it the refusal of page changes).
  for (QWidget* seite : {TabSheetStart, TabSheetKollektor, TabSheetQbedarf, TabSheetDimTWW, TabSheetDimSolHeiz,
                         TabSheetPakete}) {
    seite->setMouseTracking(true);
    seite->installEventFilter(this);
  }
  // Up, Down and Enter of the sizing fields (eventFilter).
  for (QLineEdit* e : {EditKollA, EditSpVol, EditKollA_hz}) e->installEventFilter(this);
  Beschriften();
}

TFormPrjAssistent::~TFormPrjAssistent() = default;

void TFormPrjAssistent::Beschriften() {
  setWindowTitle(Tq(TX::FormAssCaption));
  auto text = [this](const char* name, const QString& t) {
    if (auto* l = findChild<QLabel*>(name)) l->setText(t);
  };
  text("LabelPrjName", Tq(TX::FormAssPrjName));
  text("LabelOrt", Tq(TX::FormAssOrt));
  text("LabelKollTyp", Tq(TX::FormAssKollTyp));
  text("LabelKollOri", Tq(TX::FormAssKollOri));
  text("LabelNg", Tq(TX::Neigung));
  text("LabelAz", Tq(TX::Azimut));
  text("LabelTWW", Tq(TX::FormAssTWW));
  text("LabelT_WW", Tq(TX::FormAssT_warm));
  text("LabelTWWkWh", QString());
  text("LabelTWWkWhJahr", QString());
  text("LabelQheiz", Tq(TX::FormAssHzgbedarf));
  text("LabelQsumme", Tq(TX::Summe));
  text("LabelThzgrz", Tq(TX::FormAssThzgrz));
  text("LabelKAfaktor", Tq(TX::FormAssKAfaktor));
  text("LabelKollA", Tq(TX::FormAssKollA) + " [m²]");
  text("LabelKollA_hz", Tq(TX::FormAssKollA) + " [m²]");
  text("LabelSpVol", Tq(TX::FormAssSpVol) + " [" + Tq(TX::Liter) + "]");
  text("LabelPSvolTitel", Tq(TX::FormAssSpVol) + " [" + Tq(TX::Liter) + "]");
  text("LabelDeckrate", Tq(TX::Deckungsrate));
  text("LabelSolarpaket", Tq(TX::FormAssSolarpaket));
  SpeedButtonAlleK->setText(" " + Tq(TX::FormSButtonAlleK));
  BitBtnPakete->setText(Tq(TX::FormBButtonPakete));
  StringGridPakete->setHorizontalHeaderLabels({Tq(TX::Solarpaket), Tq(TX::Kollektor), Tq(TX::Anzahl),
                                               Tq(TX::Speicher), Tq(TX::Volumen), "Index"});
  text("LabelDeckrate_hz", Tq(TX::Deckungsrate));
  // Units beside the fields.
  for (QLabel* l : findChildren<QLabel*>()) {
    const QString e = l->property("einheit").toString();
    if (e == "LiterproTag") l->setText(Tq(TX::LiterproTag));
    else if (e == "Grad") l->setText(kGrad);
    else if (e == "kWhproTag") l->setText(Tq(TX::kWhproTag));
    else if (e == "kWhproJahr") l->setText(Tq(TX::kWhproJahr));
  }
  for (QLabel* l : {findChild<QLabel*>("LabelTWWkWh"), findChild<QLabel*>("LabelTWWkWhJahr")}) l->setText("=");
  CheckBoxSolarKombi->setText(Tq(TX::FormAssSolarKombi));
  EditKAfaktor->setToolTip(Tq(TX::FormAssKAfaktorHint));
  SpeedButtonupf->setToolTip(Tq(TX::FormAssKAfaktorHint));
  SpeedButtondnf->setToolTip(Tq(TX::FormAssKAfaktorHint));
  // The same column heads as the location dialog's list.
  StringGridOrte->setHorizontalHeaderLabels(
      {Tq(TX::FormOrtUnitPLZ), Tq(TX::Standort), Q(RemoveAmpersands(T(TX::FormOrtEditLCode)))});
  ButtonCancel->setText(Tq(TX::ButtonCancel));
  BitBtnForward->setText(Tq(TX::FormsButtonForward) + " >>");
  BitBtnForward->setToolTip(Tq(TX::FormsButtonForwardHint));
  BitBtnBackward->setText("<< " + Tq(TX::FormSimErgSpeedButton1));
  ButtonOK->setText(Tq(TX::ButtonOK));
}

void TFormPrjAssistent::FormShow() {
  TavState& g = G();
  fuellen_ = true;
  abbrechen_ = false;
  Suche->Beende();
  dim_ = AssistentDim{};
  sicherung_ = std::make_unique<Sicherung>(
      Sicherung{g.plant, g.loc, g.weather, g.results, g.settings.SimJahre, g.run.SolarklimadatenOK,
                g.run.WetterDatensatz, g.run.ProjektGeaendert});
  g.settings.SimJahre = 1;
  EditPrjName->setText(Q(g.plant.ProjektName));

  const CatalogueState& c = g.cat;
  StringGridOrte->setRowCount(c.OrtAnzahl);
  for (int i = 1; i <= c.OrtAnzahl; ++i) {
    const TOrt& o = c.Orte[static_cast<std::size_t>(i)];
    StringGridOrte->setItem(i - 1, 0, new QTableWidgetItem(Q(o.PLZ)));
    StringGridOrte->setItem(i - 1, 1, new QTableWidgetItem(Q(o.Name)));
    StringGridOrte->setItem(i - 1, 2, new QTableWidgetItem(Q(o.Land)));
  }
  StringGridOrte->resizeColumnToContents(0);
  StringGridOrte->setColumnWidth(1, 320);
  if (g.plant.OrtNr >= 1) StringGridOrte->setCurrentCell(g.plant.OrtNr - 1, 1);
  StringGridKollektor->setRowCount(c.KollektorAnzahl);
  for (int i = 1; i <= c.KollektorAnzahl; ++i)
    StringGridKollektor->setItem(i - 1, 0, new QTableWidgetItem(Q(c.Kollektoren[static_cast<std::size_t>(i)].Name)));
  if (g.plant.KollektorNr >= 1) StringGridKollektor->setCurrentCell(g.plant.KollektorNr - 1, 0);

  const float ng = std::clamp(g.plant.KollektorNeigung, 0.0f, 90.0f);
  const float az = std::clamp(g.plant.KollektorAzimut, -180.0f, 180.0f);
  UpDownNg->SetPosition(static_cast<int>(std::lround(ng)));
  UpDownAz->SetPosition(static_cast<int>(std::lround(az)));
  // A tilt with a fraction keeps it (one decimal, as the azimuth).
  EditNg->setText(Zahl(ng, ng == std::round(ng) ? 0 : 1));
  EditAz->setText(Zahl(az, 1));
  EditTWW_Liter->setText(Zahl(g.plant.Warmwasserverbrauch / 1000.0 * 3600.0 / 4.1868 / 45.0, 0));
  EditT_WW->setText("55");
  const std::uint8_t typ = sicherung_->plant.AnlagenTypNr;
  CheckBoxSolarKombi->setChecked(typ >= 6 && typ <= 8);
  EditQheiz->setText(Zahl(g.plant.Heizwaermebedarf / 1000.0, 0));
  EditThzgrz->setText(Zahl(g.plant.Heizgrenztemp, 0));
  EditKAfaktor->setText(Zahl(std::clamp<int>(g.plant.KAfaktor, 11, 30) / 10.0, 1));
  RechneBedarf();
  ZeigeHeizFelder();
  ButtonOK->hide();
  BitBtnPakete->hide();
  SpeedButtonAlleK->hide();
  SpeedButtonAlleK->setChecked(true);
  twwGerechnet_ = false;
  ProgressBarDim->hide();
  LabelStatus->clear();
  fuellen_ = false;
  ZeigeSeite(sStart);
}

void TFormPrjAssistent::ZeigeSeite(Seite s) {
  PageControl1->setCurrentIndex(s);
  const QString titel[] = {kSeiteStart, Q(RemoveAmpersands(T(TX::FormKollUnitTabSheet1))), Tq(TX::Waermebedarf),
                           kSeiteDimTWW, kSeiteDimSolHeiz, Q(RemoveAmpersands(T(TX::FormBButtonPakete)))};
  LabelTitel->setText(titel[s]);
  BitBtnBackward->setEnabled(s != sStart);
  switch (s) {
    case sStart:
      Schritt = 1;
      EditPrjName->setFocus();
      break;
    case sKollektor:
      Schritt = 2;
      StringGridKollektor->setFocus();
      break;
    case sQbedarf: {
      Schritt = 3;
      bool ok = false;
      const double min = HeizgrenzeMin();
      if (Wert(EditThzgrz, &ok) < min || !ok || (min > 25.0 && Wert(EditThzgrz) != min)) {
        if (CheckBoxSolarKombi->isChecked() && ok && Wert(EditThzgrz) < min)
          ShowMessageLines(Grenze(TX::FehlerMinWert, min, 0));
        EditThzgrz->setText(Zahl(min, 0));
      }
      // The package button only where a package list exists.
      BitBtnPakete->setVisible(std::filesystem::exists(std::filesystem::u8path(PaketDateiPfad(G()))));
      EditTWW_Liter->setFocus();
      break;
    }
    case sPakete:
      Schritt = 7;
      BitBtnPakete->hide();
      StringGridPakete->setFocus();
      break;
    case sDimTWW:
      Schritt = 4;
      BitBtnPakete->hide();
      break;
    case sDimSolHeiz:
      Schritt = 5;
      // No scale before the first heating run has a result.
      ImageJahreskurve_hz->Dim = nullptr;
      ImageJahreskurve_hz->update();
      break;
  }
  SetzeWeiter();
}

// The project file's bound (kWh a year): a larger demand would be stored as a value it refuses.
double TFormPrjAssistent::QheizMax() {
  const WertBereich* b = ProjektWertBereich("Heizwaermebedarf");
  return b ? b->Max / 1000.0 : 1e8;
}

double TFormPrjAssistent::HeizgrenzeMin() const { return CalcMinAussenTemp(G().weather) + 10.0; }

void TFormPrjAssistent::RechneBedarf() {
  // Only inputs within their limits make a demand: a text, or a temperature on its way to
  // being typed, shows none rather than a negative one.
  bool okL = false, okT = false, okQ = false;
  const double liter = Wert(EditTWW_Liter, &okL), t = Wert(EditT_WW, &okT), q = Wert(EditQheiz, &okQ);
  if (!okL || !okT || liter < 1.0 || liter > 10000.0 || t < 15.0 || t > 80.0) {
    for (QLineEdit* e : {EditTWWkWh, EditTWWkWhJahr, EditQsumme}) e->clear();
    return;
  }
  const double tag = WarmwasserKWhTag(liter, t);
  EditTWWkWh->setText(Zahl(tag, 2));
  EditTWWkWhJahr->setText(Zahl(tag * 365.0, 0));
  if (okQ && q >= 0.0 && q <= QheizMax()) EditQsumme->setText(Zahl(tag * 365.0 + q, 0));
  else EditQsumme->clear();
}

bool TFormPrjAssistent::PruefeFeld(QLineEdit* feld, double min, double max, int dezimalen, bool beimVerlassen) {
  if (fuellen_ || (beimVerlassen && ButtonCancel->hasFocus()) || !isVisible()) return true;
  bool ok = false;
  const double v = Wert(feld, &ok);
  if (!ok || v < min - 1e-9) {
    Melde(feld, Grenze(TX::FehlerMinWert, min, dezimalen), Zahl(min, dezimalen));
  } else if (v > max + 1e-9) {
    Melde(feld, Grenze(TX::FehlerMaxWert, max, dezimalen), Zahl(max, dezimalen));
  } else {
    return true;
  }
  return false;
}

void TFormPrjAssistent::Melde(QLineEdit* feld, const std::string& meldung, const QString& text) {
  fuellen_ = true;  // the message's focus change checks nothing
  ShowMessageLines(meldung);
  feld->setText(text);
  feld->setFocus();
  fuellen_ = false;
}

bool TFormPrjAssistent::PruefeQheiz(bool beimVerlassen) {
  if (fuellen_ || (beimVerlassen && ButtonCancel->hasFocus()) || !isVisible()) return true;
  const double max = QheizMax();
  bool ok = false;
  const double v = Wert(EditQheiz, &ok);
  if (!ok || v < 0.0) Melde(EditQheiz, T(TX::FehlerWertunzulaessig), "0");
  else if (v > max) Melde(EditQheiz, Grenze(TX::FehlerMaxWert, max, 0), Zahl(max, 0));
  else return true;
  return false;
}

bool TFormPrjAssistent::PruefeThzgrz(bool beimVerlassen) {
  return PruefeFeld(EditThzgrz, HeizgrenzeMin(), std::max(25.0, HeizgrenzeMin()), 0, beimVerlassen);
}

bool TFormPrjAssistent::PruefeSeite() {
  switch (PageControl1->currentIndex()) {
    case sKollektor:
      return PruefeFeld(EditNg, 0, 90, 0) && PruefeFeld(EditAz, -180, 180, 1);
    case sQbedarf:
    case sPakete:
      if (!PruefeFeld(EditTWW_Liter, 1, 10000, 0) || !PruefeFeld(EditT_WW, 15, 80, 0)) return false;
      return !CheckBoxSolarKombi->isChecked() ||
             (PruefeQheiz() && PruefeThzgrz() && PruefeFeld(EditKAfaktor, 1.1, 3.0, 1));
    case sDimTWW: {
      // A typed figure not yet run is run first and shown, rather than taken unseen.
      const PlantState& p = G().plant;
      if (!PruefeGroesse(EditKollA, kFlaecheMin, kFlaecheMax, p.KollektorFlaeche, 2) ||
          !PruefeGroesse(EditSpVol, kVolumenMin, kVolumenMax, p.Speicher1vol, 0))
        return false;
      if (EditKollA->text() != Zahl(p.KollektorFlaeche, 2)) return FlaecheGetippt(), false;
      if (EditSpVol->text() != Zahl(p.Speicher1vol, 0)) return VolumenGetippt(), false;
      return true;
    }
    case sDimSolHeiz:
      if (!PruefeGroesse(EditKollA_hz, kFlaecheMin, kFlaecheMax, G().plant.KollektorFlaeche, 2)) return false;
      if (EditKollA_hz->text() != Zahl(G().plant.KollektorFlaeche, 2)) return FlaecheGetipptHz(), false;
      return true;
    default:
      return true;
  }
}

bool TFormPrjAssistent::PruefeGroesse(QLineEdit* feld, double min, double max, double inKraft, int dezimalen,
                                      bool beimVerlassen) {
  if (fuellen_ || rechnet_ || (beimVerlassen && ButtonCancel->hasFocus()) || !isVisible()) return true;
  bool ok = false;
  const double v = Wert(feld, &ok);
  const QString zurueck = Zahl(inKraft, dezimalen);
  if (!ok) Melde(feld, T(TX::FehlerWertunzulaessig), zurueck);
  else if (v < min) Melde(feld, Grenze(TX::FehlerMinWert, min, 2), zurueck);
  else if (v > max) Melde(feld, Grenze(TX::FehlerMaxWert, max, 0), zurueck);
  else return true;
  return false;
}

void TFormPrjAssistent::FlaecheGetippt() {
  if (rechnet_ || !PruefeGroesse(EditKollA, kFlaecheMin, kFlaecheMax, G().plant.KollektorFlaeche, 2)) return;
  G().plant.KollektorFlaeche = static_cast<float>(Wert(EditKollA));
  if (Variante(1, [this](const StillerLauf& l) { RunAreaVariant(G(), dim_, l); })) ZeigeTWW();
}

void TFormPrjAssistent::VolumenGetippt() {
  PlantState& p = G().plant;
  if (rechnet_ || !PruefeGroesse(EditSpVol, kVolumenMin, kVolumenMax, p.Speicher1vol, 0)) return;
  const float vorher = p.Speicher1vol;
  const std::string name = p.SpeicherName;
  p.Speicher1vol = static_cast<float>(Wert(EditSpVol));
  p.SpeicherName.clear();
  const bool weiter = Variante(1, [&](const StillerLauf& l) {
    // A refused run leaves the ring to the store before: it comes back with it.
    if (!RunAreaVariant(G(), dim_, l)) {
      p.Speicher1vol = vorher;
      p.SpeicherName = name;
    }
  });
  if (!weiter) return;
  ZeigeTWW();
  FokusNachVariante();
}

void TFormPrjAssistent::FlaecheGetipptHz() {
  if (rechnet_ || !PruefeGroesse(EditKollA_hz, kFlaecheMin, kFlaecheMax, G().plant.KollektorFlaeche, 2)) return;
  G().plant.KollektorFlaeche = static_cast<float>(Wert(EditKollA_hz));
  if (!Variante(1, [this](const StillerLauf& l) { RunHeatingVariant(G(), dim_, l); })) return;
  ZeigeHeizung();
  FokusNachVariante();
}

// After a variant the focus offers what comes next: OK, else "weiter"; it presses neither.
void TFormPrjAssistent::FokusNachVariante() {
  if (ButtonOK->isVisible() && ButtonOK->isEnabled()) ButtonOK->setFocus();
  else if (BitBtnForward->isEnabled()) BitBtnForward->setFocus();
}

bool TFormPrjAssistent::OhneErgebnis() const {
  const int seite = PageControl1->currentIndex();
  if (seite == sDimSolHeiz) return !std::isfinite(dim_.Deckungsrate);
  // An area whose run was refused has no record, and no fraction either.
  return laufFehler_ && AreaNotInRing(dim_, G().plant.KollektorFlaeche);
}

// "weiter" only where it leads somewhere: not from the last page, not from a design the
// heating sizing cannot build on, not from an empty package list.
void TFormPrjAssistent::SetzeWeiter() {
  bool an = true;
  switch (PageControl1->currentIndex()) {
    case sPakete:
      an = StringGridPakete->rowCount() > 0;
      break;
    case sDimTWW:
      an = CheckBoxSolarKombi->isChecked() && twwGerechnet_;
      break;
    case sDimSolHeiz:
      an = false;
      break;
    default:
      break;
  }
  BitBtnForward->setEnabled(an && !rechnet_);
}

void TFormPrjAssistent::ZeigeHeizFelder() {
  const bool an = CheckBoxSolarKombi->isChecked();
  for (const char* name : {"LabelQheiz", "LabelQheizEinheit", "LabelQsumme", "LabelQsummeEinheit",
                           "LabelThzgrz", "LabelThzgrzEinheit", "LabelKAfaktor"})
    if (auto* w = findChild<QWidget*>(name)) w->setVisible(an);
  for (QWidget* w : {static_cast<QWidget*>(EditQheiz), static_cast<QWidget*>(EditQsumme),
                     static_cast<QWidget*>(EditThzgrz), static_cast<QWidget*>(EditKAfaktor),
                     static_cast<QWidget*>(SpeedButtonupf), static_cast<QWidget*>(SpeedButtondnf)})
    w->setVisible(an);
}

void TFormPrjAssistent::StufeKAfaktor(int zehntel) {
  bool ok = false;
  int f = static_cast<int>(std::lround(Wert(EditKAfaktor, &ok) * 10.0));
  if (!ok) f = 20;
  // Deliberate: down to 1,1, the field's own minimum; a 1,0 from the arrow would be refused
  // by the field's check on the next "weiter".
  f = std::clamp(f + zehntel, 11, 30);
  EditKAfaktor->setText(Zahl(f / 10.0, 1));
}

AssistentEingaben TFormPrjAssistent::Eingaben() const {
  AssistentEingaben e;
  e.ProjektName = EditPrjName->text().toStdString();
  e.KollektorNr = std::max(1, StringGridKollektor->currentRow() + 1);
  e.Neigung = static_cast<float>(std::clamp(Wert(EditNg), 0.0, 90.0));
  e.Azimut = static_cast<float>(std::clamp(Wert(EditAz), -180.0, 180.0));
  e.WWkWhTag = static_cast<float>(WarmwasserKWhTag(Wert(EditTWW_Liter), Wert(EditT_WW)));
  e.TWarm = static_cast<float>(Wert(EditT_WW));
  e.KAfaktor = static_cast<float>(std::clamp(Wert(EditKAfaktor), 1.1, 3.0));
  e.QheizKWh = static_cast<float>(std::max(0.0, Wert(EditQheiz)));
  e.Heizgrenze = static_cast<float>(Wert(EditThzgrz));
  return e;
}

StillerLauf TFormPrjAssistent::MitFortschritt() {
  return [this](TavState& g) {
    // After a run that could not start (its message shown) the others of this sizing are
    // skipped rather than repeating the message.
    if (abbrechen_ || laufFehler_) return false;
    const bool ok = Lauf(g);
    laufFehler_ = !ok;
    ProgressBarDim->setValue(std::min(ProgressBarDim->maximum(), ProgressBarDim->value() + 1));
    // Keeps the window painting and Cancel reachable between the runs.
    QApplication::processEvents();
    return ok;
  };
}

void TFormPrjAssistent::Beschaeftigt(bool an) {
  rechnet_ = an;
  // The pages are disabled while it runs: the focus comes back to where it was (an arrow key
  // in a field steps on from there).
  if (an) fokusVorher_ = focusWidget();
  for (QWidget* w : {static_cast<QWidget*>(BitBtnBackward), static_cast<QWidget*>(ButtonOK),
                     static_cast<QWidget*>(PageControl1)})
    w->setEnabled(!an);
  SetzeWeiter();
  if (!an && fokusVorher_ && fokusVorher_->isVisible() && fokusVorher_->isEnabled()) fokusVorher_->setFocus();
  if (an) {
    laufFehler_ = false;
    ProgressBarDim->setRange(0, laufZiel_);
    ProgressBarDim->setValue(0);
    ProgressBarDim->show();
    LabelStatus->setText(kBerechnung);
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    ProgressBarDim->hide();
    // A refused run is said (the engine named the reason), and its variant shows no figures.
    if (laufFehler_) LabelStatus->setText(kNichtGerechnet);
    else LabelStatus->clear();
    QApplication::restoreOverrideCursor();
  }
}

void TFormPrjAssistent::Weiter() {
  if (fuellen_ || rechnet_ || Suche->Aktiv()) return;
  TavState& g = G();
  const int seite = PageControl1->currentIndex();
  if (seite == sStart) {
    const int ort = StringGridOrte->currentRow() + 1;
    // Also the same location again while its weather is missing: its synthesis is tried anew.
    if (ort >= 1 && (ort != g.plant.OrtNr || !g.run.SolarklimadatenOK) && Hooks.OrtWaehlen) {
      BitBtnForward->setEnabled(false);
      g.run.SolarklimadatenOK = false;
      const bool ok = Hooks.OrtWaehlen(g, ort, *this);
      LabelStatus->clear();
      BitBtnForward->setEnabled(true);
      // Without the location's weather (the synthesis said why) no sizing runs on the years of
      // the location before.
      if (!ok || !g.run.SolarklimadatenOK) return;
    }
    ZeigeSeite(sKollektor);
  } else if (seite == sKollektor) {
    if (!PruefeSeite()) return;
    ZeigeSeite(sQbedarf);
  } else if (seite == sQbedarf) {
    if (!PruefeSeite()) return;
    ApplyWizardInputs(g, Eingaben());
    ZeigeSeite(sDimTWW);
    DimensioniereTWW();
  } else if (seite == sPakete) {
    UebernimmPaket();
  } else if (seite == sDimTWW && BitBtnForward->isEnabled()) {
    if (!PruefeSeite()) return;
    const AssistentEingaben e = Eingaben();
    PrepareSolarHeating(g, dim_, sicherung_->plant.AnlagenTypNr, e.QheizKWh, e.Heizgrenze);
    ZeigeSeite(sDimSolHeiz);
    DimensioniereHeizung();
  }
}

void TFormPrjAssistent::Zurueck() {
  if (fuellen_ || rechnet_ || Suche->Aktiv()) return;
  const int seite = PageControl1->currentIndex();
  if (seite == sStart) return;
  // The Pakete page is shown only on request: back from it, or from a sizing, is Wärmebedarf.
  ZeigeSeite(seite == sDimSolHeiz || seite == sPakete ? sQbedarf : static_cast<Seite>(seite - 1));
  dim_.LeereRing();
  VerlassePaketModus(G(), dim_);
  twwGerechnet_ = false;
  ButtonOK->hide();
  SpeedButtonAlleK->setChecked(false);
}

void TFormPrjAssistent::ZeigePaketSeite() {
  if (fuellen_ || rechnet_ || Suche->Aktiv()) return;
  // The package takes the demand page's figures: they are checked as "weiter" checks them.
  if (!PruefeSeite()) return;
  ButtonOK->hide();
  FillPackageGrid(false);
  ZeigeSeite(sPakete);
}

void TFormPrjAssistent::FillPackageGrid(bool alle) {
  TavState& g = G();
  CatalogueState& c = g.cat;
  const int k = StringGridKollektor->currentRow() + 1;
  const std::string name = k >= 1 && k <= c.KollektorAnzahl ? c.Kollektoren[static_cast<std::size_t>(k)].Name : std::string();
  WaehlePakete(c, name, CheckBoxSolarKombi->isChecked(), alle);
  StringGridPakete->setRowCount(0);
  for (std::size_t i = 0; i < c.Solarpakete.size(); ++i) {
    const TPaket& p = c.Solarpakete[i];
    if (!p.Anzeigen) continue;
    const int z = StringGridPakete->rowCount();
    StringGridPakete->insertRow(z);
    const QString zellen[] = {Q(p.Name), Q(p.Kollektor), QString::number(p.KollAnz), Q(p.Speicher),
                              QString::number(p.SpVol1 + p.SpVol2), QString::number(i + 1)};
    for (int s = 0; s < 6; ++s) StringGridPakete->setItem(z, s, new QTableWidgetItem(zellen[s]));
  }
  StringGridPakete->resizeColumnsToContents();
  // The collector text takes the room left, so the grid fills the page.
  StringGridPakete->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  if (StringGridPakete->rowCount() > 0) StringGridPakete->setCurrentCell(0, 0);
  SpeedButtonAlleK->show();
  SetzeWeiter();
}

void TFormPrjAssistent::UebernimmPaket() {
  TavState& g = G();
  const int zeile = StringGridPakete->currentRow();
  const QTableWidgetItem* zelle = zeile >= 0 ? StringGridPakete->item(zeile, 5) : nullptr;
  const int index = zelle ? zelle->text().toInt() : 0;
  if (index < 1 || index > static_cast<int>(g.cat.Solarpakete.size())) return;
  const TPaket paket = g.cat.Solarpakete[static_cast<std::size_t>(index - 1)];
  if (!PruefeSeite()) return;
  if (!ApplySolarPackage(g, dim_, Eingaben(), paket, CheckBoxSolarKombi->isChecked())) {
    ShowMessageLines(T(TX::FehlerWertunzulaessig) + ": " + paket.Name);
    return;
  }
  ZeigeSeite(sDimTWW);
  Schritt = 7;
  DimensioniereTWW();
}

void TFormPrjAssistent::DimensioniereTWW() {
  laufZiel_ = 2;
  Beschaeftigt(true);
  const bool ok = dim_.PaketModus ? SizeHotWaterFromPackage(G(), dim_, CheckBoxSolarKombi->isChecked(), MitFortschritt())
                                  : SizeHotWaterSystem(G(), dim_, CheckBoxSolarKombi->isChecked(), MitFortschritt());
  // A design whose runs were refused (the engine said why) is none: no OK, no heating on it.
  twwGerechnet_ = !laufFehler_;
  Beschaeftigt(false);
  if (abbrechen_) return reject();
  if (!ok) dim_.ZielFlaeche = G().plant.KollektorFlaeche;
  ZeigeTWW();
  FokusNachVariante();
}

void TFormPrjAssistent::DimensioniereHeizung() {
  if (RadioButtonkWh_spez->isChecked()) RadioButtonkWh_spez_hz->setChecked(true);
  LabelModAnz->clear();
  const float modul = ModulFlaecheOderEins(G().plant.KollModulFlaeche);
  laufZiel_ = std::max(2, static_cast<int>(dim_.ZielFlaeche * (G().plant.KAfaktor / 10.0f - 1.0f) / modul) + 2);
  Beschaeftigt(true);
  SizeHeatingSupport(G(), dim_, MitFortschritt(), [this](const AssistentDim&) { ZeigeHeizung(); });
  Beschaeftigt(false);
  if (abbrechen_) return reject();
  ZeigeHeizung();
  FokusNachVariante();
}

void TFormPrjAssistent::ZeigeTWW() {
  const PlantState& p = G().plant;
  EditKollA->setText(Zahl(p.KollektorFlaeche, 2));
  LabelModAnz->setText(Q(ModulAnzahlText(p.KollektorFlaeche, p.KollModulFlaeche)));
  const bool ohne = OhneErgebnis();
  LabelDeckrateWert->setText((ohne ? QString(kStrich) : Zahl(FractionForArea(dim_, p.KollektorFlaeche), 1)) + " %");
  // OK takes only figures a run gave; with the combi box the heating page comes first.
  if (!rechnet_) ButtonOK->setVisible(!CheckBoxSolarKombi->isChecked() && !ohne);
  EditSpVol->setText(Zahl(p.Speicher1vol, 0));
  LabelSpN->setText(Q(p.SpeicherName));
  LabelKollN->setText(Q(p.Kollektor));
  ImageJahreskurve->Dim = &dim_;
  ImageJahreskurve->Absolut = RadioButtonkWh_abs->isChecked();
  ImageJahreskurve->AktFlaeche = p.KollektorFlaeche;
  ImageJahreskurve->ZielFlaeche = dim_.ZielFlaeche;
  ImageJahreskurve->AchsenBasis = 2.0f * dim_.ErtragTWW;
  ImageJahreskurve->update();
}

void TFormPrjAssistent::ZeigeHeizung() {
  const PlantState& p = G().plant;
  EditKollA_hz->setText(Zahl(p.KollektorFlaeche, 2));
  LabelModAnz_hz->setText(Q(ModulAnzahlText(p.KollektorFlaeche, p.KollModulFlaeche)));
  LabelDeckratexTWW->setText(Anteil(dim_.DeckungTWW) + " " + Tq(TX::FormAssProzTWW));
  LabelDeckratexHzg->setText(Anteil(dim_.DeckungHeizung) + " " + Tq(TX::FormAssProzHzg));
  LabelDeckratexges->setText(Anteil(dim_.Deckungsrate) + " " + Tq(TX::FormAssProzges));
  LabelPSvol->setText(Zahl(p.Speicher1vol + (p.AnlagenTypNr == 6 ? p.Speicher2vol : 0.0f), 0) + " " + Tq(TX::Liter));
  LabelSpN_hz->setText(Q(p.SpeicherName));
  LabelKollN_hz->setText(Q(p.Kollektor));
  ImageJahreskurve_hz->Dim = &dim_;
  ImageJahreskurve_hz->Absolut = RadioButtonkWh_abs_hz->isChecked();
  ImageJahreskurve_hz->AktFlaeche = p.KollektorFlaeche;
  ImageJahreskurve_hz->ZielFlaeche = dim_.ZielFlaeche;
  ImageJahreskurve_hz->AchsenBasis = (1.8f + 0.07f * p.KAfaktor) * dim_.ErtragTWW;
  ImageJahreskurve_hz->update();
  if (!rechnet_) ButtonOK->setVisible(!OhneErgebnis());
}

bool TFormPrjAssistent::Variante(int laeufe, const std::function<void(const StillerLauf&)>& rechne) {
  laufZiel_ = laeufe;
  Beschaeftigt(true);
  rechne(MitFortschritt());
  Beschaeftigt(false);
  if (abbrechen_) reject();
  return !abbrechen_;
}

void TFormPrjAssistent::FlaecheSchritt(bool hoch) {
  if (rechnet_ || dim_.Ring[0][0] <= 0.0f) return;
  if (Variante(1, [&](const StillerLauf& l) { StepAreaVariant(G(), dim_, hoch, l); })) ZeigeTWW();
}

void TFormPrjAssistent::SpeicherSchritt(bool hoch) {
  if (rechnet_ || dim_.Ring[0][0] <= 0.0f) return;
  if (Variante(2, [&](const StillerLauf& l) { StepStoreVariant(G(), dim_, hoch, l); })) ZeigeTWW();
}

void TFormPrjAssistent::FlaecheSchrittHz(bool hoch) {
  if (rechnet_) return;
  if (Variante(1, [&](const StillerLauf& l) { StepHeatingVariant(G(), dim_, hoch, l); })) ZeigeHeizung();
}

void TFormPrjAssistent::accept() {
  if (rechnet_ || !ButtonOK->isVisible() || !PruefeSeite()) return;
  TavState& g = G();
  PlantState& p = g.plant;
  // The design temperature goes back to the project's; the nominal power is sized for it,
  // so the pair stays consistent (a temperature without heating demand keeps the wizard's).
  if (p.SolHeizung && p.Heizwaermebedarf > 0.0f) {
    const float q = HeizleistungFuer(g, sicherung_->plant.HeizTnorm);
    if (q > 0.0f) {
      p.HeizTnorm = sicherung_->plant.HeizTnorm;
      p.HeizQnorm = q;
    }
  } else {
    p.HeizTnorm = sicherung_->plant.HeizTnorm;
  }
  if (g.plant.OrtNr >= 1) p.Standort = g.cat.Orte[static_cast<std::size_t>(p.OrtNr)].Name;
  g.settings.SimJahre = sicherung_->simJahre;
  g.run.WeiterModus = true;
  g.run.ProjektGeaendert = true;
  g.run.Abbruch = false;
  sicherung_.reset();
  QDialog::accept();
}

void TFormPrjAssistent::reject() {
  // Escape in a grid ends its search first; Cancel waits for that.
  if (Suche->Aktiv()) return;
  if (rechnet_) {
    // The running sizing stops after its current run and closes the wizard then.
    abbrechen_ = true;
    return;
  }
  TavState& g = G();
  if (sicherung_) {
    g.plant = sicherung_->plant;
    g.loc = sicherung_->loc;
    g.weather = sicherung_->weather;
    g.results = sicherung_->results;
    g.settings.SimJahre = sicherung_->simJahre;
    g.run.SolarklimadatenOK = sicherung_->solarklimadatenOK;
    g.run.WetterDatensatz = sicherung_->wetterDatensatz;
    g.run.ProjektGeaendert = sicherung_->projektGeaendert;
    sicherung_.reset();
  }
  g.run.WeiterModus = false;
  g.run.Abbruch = true;
  QDialog::reject();
}

bool TFormPrjAssistent::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == EditKollA || watched == EditSpVol || watched == EditKollA_hz)) {
    const auto* k = static_cast<QKeyEvent*>(event);
    if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return QDialog::eventFilter(watched, event);
    // Up and Down are the field's step buttons.
    if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
      const bool hoch = k->key() == Qt::Key_Up;
      QToolButton* knopf = watched == EditKollA ? (hoch ? SpeedButtonup : SpeedButtondn)
                           : watched == EditSpVol ? (hoch ? SpeedButtonup2 : SpeedButtondn2)
                                                  : (hoch ? SpeedButtonup_hz : SpeedButtondn_hz);
      if (knopf->isVisible() && knopf->isEnabled() && !rechnet_) knopf->click();
      return true;
    }
    // Enter runs the typed figure and shows its variant; the key press ends here, so it
    // presses no button the focus then moves to.
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      if (watched == EditKollA) FlaecheGetippt();
      else if (watched == EditSpVol) VolumenGetippt();
      else FlaecheGetipptHz();
      return true;
    }
  }
  if (event->type() == QEvent::MouseMove && watched->parent() == PageControl1) {
    auto* seite = static_cast<QWidget*>(watched);
    if (!seite->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) Suche->Beende();
  }
  return QDialog::eventFilter(watched, event);
}

void TFormPrjAssistent::closeEvent(QCloseEvent* e) {
  e->ignore();
  reject();
}

void TFormPrjAssistent::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) {
    int kontext = kHilfeAssistent;
    if (StringGridOrte->hasFocus() || StringGridPakete->hasFocus()) kontext = kHilfeOrte;
    else if (StringGridKollektor->hasFocus()) kontext = kHilfeKollektor;
    if (Hooks.Hilfe) Hooks.Hilfe(kontext);
    return;
  }
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    // Enter on a focused button presses it (Escape then Enter cancels, on every page); a check
    // or radio box takes it like a field.
    QWidget* fokus = focusWidget();
    if (auto* b = qobject_cast<QAbstractButton*>(fokus);
        b && b->isEnabled() && (qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b))) {
      b->click();
      return;
    }
    if (!qobject_cast<QLineEdit*>(fokus) && !ButtonOK->isVisible()) return Weiter();
    focusNextChild();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TFormPrjAssistent::Status(const std::string& text) {
  LabelStatus->setText(Q(text));
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormPrjAssistent::Progress(const std::string& text) { Status(text); }

void TFormPrjAssistent::Pause(int ms) { StatusPause(ms); }

TFormPrjAssistent* FormPrjAssistent(QWidget* parent) {
  static QPointer<TFormPrjAssistent> form;
  static int sprache = 0;
  return &KeptWindow(form, sprache, [parent] { return new TFormPrjAssistent(parent); });
}

}  // namespace tav
