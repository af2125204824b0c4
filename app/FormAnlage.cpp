#include "app/FormAnlage.h"

#include <QPointer>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "app/AnlageGrafik.h"
#include "app/FormAnlageHilfen.h"
#include "planning/AnlageRechnen.h"
#include "app/Schema.h"
#include "catalogues/Energie.h"
#include "catalogues/Profile.h"
#include "foundation/StatusSink.h"
#include "catalogues/ui/FormEnerEdit.h"
#include "catalogues/ui/FormProfilEdit.h"
#include "foundation/Messages.h"
#include "foundation/StrSolver.h"
#include "foundation/Sums.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/FeldTasten.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/KeptWindow.h"
#include "foundation/ui/ResBitmap.h"
#include "foundation/ui/SysUtilsQt.h"
#include "simulation/CollectorField.h"
#include "simulation/DayDriver.h"
#include "simulation/PlantParams.h"
#include "simulation/WerteBereiche.h"
#include "foundation/ui/SeitenTasten.h"

namespace tav {

using namespace anlage;

namespace {

// Captions the dialog keeps as they stand.
const char* const kZirkulation = "Zirkulation";
const char* const kNachZeit = "nach Z&eit";
const char* const kNachZeitTemp = "nach Zeit und &Temperatur";
const char* const kLaenge = "&Länge";
const char* const kWasserinhalt = "&Wasserinhalt";
const char* const kZeitVorm = "0 - 12 h";
const char* const kZeitNachm = "12 - 24 h";
const char* const kKWhProJahr = "kWh/a";
const char* const kZweikW = "»";

// The heater picture of the energy page and the grey of its area without a picture.
constexpr int kHeizerBildBreite = 160;
constexpr int kHeizerBildHoehe = 120;
const QColor kHeizerGrau(212, 212, 212);

template <typename T>
std::string Bits(T v) {
  if constexpr (std::is_floating_point_v<T>) {
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof v);
    return std::to_string(b);
  } else {
    return std::to_string(v);
  }
}

}  // namespace

std::vector<std::pair<std::string, std::string>> PlantZeilen(const PlantState& p) {
  std::vector<std::pair<std::string, std::string>> z;
#define TAV_FELD(f) z.emplace_back(#f, Bits(p.f))
#define TAV_TEXT(f) z.emplace_back(#f, p.f)
  TAV_TEXT(AnlagenTyp); TAV_FELD(AnlagenTypNr); TAV_FELD(BivSpTyp); TAV_FELD(KaskadeTyp);
  TAV_FELD(KombiSpTyp); TAV_FELD(KombiSpeicherWT); TAV_TEXT(SpeicherName); TAV_FELD(SpeicherAnz);
  TAV_FELD(Speicher1vol); TAV_FELD(Speicher2vol); TAV_FELD(SpeicherkWert); TAV_FELD(SpeicherkWert2);
  TAV_TEXT(Zapfprofil); TAV_FELD(ProfilNr); TAV_FELD(Warmwasserverbrauch); TAV_FELD(Kaltwassertemp);
  TAV_FELD(Warmwassertemp); TAV_FELD(Minimaltemp); TAV_FELD(Maximaltemp); TAV_FELD(Maximaltemp2);
  TAV_FELD(MaxTempWinter); TAV_FELD(Heiztemp); TAV_FELD(Heizgrenztemp); TAV_FELD(Heizwaermebedarf);
  TAV_FELD(Heiztauscherleistung); TAV_FELD(HeiztauscherDeltaT); TAV_FELD(FWEnennleistung);
  TAV_FELD(FWEdTmin); TAV_FELD(HeizQnorm); TAV_FELD(HeizTnorm); TAV_FELD(HeizTvor100);
  TAV_FELD(HeizTrck100); TAV_FELD(HeizkreisTyp); TAV_FELD(ZeitZoom); TAV_FELD(Zirkulation);
  TAV_FELD(ZiLaenge); TAV_FELD(ZiVol); TAV_FELD(ZiModus); TAV_FELD(Pool); TAV_FELD(PoolTemp);
  TAV_FELD(PoolVol); TAV_FELD(PoolSpminTemp); TAV_FELD(PoolStart); TAV_FELD(PoolEnde);
  TAV_FELD(PoolWTdir); TAV_FELD(AntiLegionella); TAV_FELD(LFTkreis); TAV_FELD(SolHeizung);
  TAV_FELD(EnergieNr); TAV_TEXT(konvEnergie); TAV_TEXT(konvEinheit); TAV_FELD(konvKWhinEinheit);
  TAV_FELD(konvCO2inEinheit); TAV_FELD(konvNutzgradWinter); TAV_FELD(konvNutzgradFruehlingHerbst);
  TAV_FELD(konvNutzgradSommer);
#undef TAV_FELD
#undef TAV_TEXT
  z.emplace_back("ZiZeiten", EncodeDaySchedule(p.ZiZeiten));
  std::string profil;
  for (int i = 1; i <= 24; ++i) profil += Bits(p.AktZapfprofil[static_cast<std::size_t>(i)]) + " ";
  for (int m = 1; m <= 12; ++m) profil += Bits(p.WWMonatsfaktor[static_cast<std::size_t>(m)]) + " ";
  z.emplace_back("Profil", profil);
  return z;
}

TFormAnlage::TFormAnlage(QWidget* parent) : QDialog(parent) {
  setObjectName("FormAnlage");
  Baue();
  enerEdit_ = new TFormEnerEdit(G(), this);
  profilEdit_ = new TFormProfilEdit(G(), this);
}

void TFormAnlage::Baue() {
  auto name = [](auto* w, const char* n) {
    w->setObjectName(n);
    return w;
  };
  PageControl1 = name(new QTabWidget(this), "PageControl1");
  PageKeys(this, PageControl1);
  TabSheet1 = name(new QWidget, "TabSheet1");
  TabSheet2 = name(new QWidget, "TabSheet2");
  TabSheetZ = name(new QWidget, "TabSheetZ");
  TabSheetSolHeiz = name(new QWidget, "TabSheetSolHeiz");
  TabSheetPool = name(new QWidget, "TabSheetPool");
  TabSheet4 = name(new QWidget, "TabSheet4");
  PageControl1->addTab(TabSheet1, Txt(TX::FormAnlageTabSheet1));
  PageControl1->addTab(TabSheet2, Txt(TX::FormAnlageTabSheet2));
  PageControl1->addTab(TabSheetZ, QString::fromUtf8(kZirkulation));
  PageControl1->addTab(TabSheetSolHeiz, Txt(TX::FormAnlageTabSheetSolHeiz));
  PageControl1->addTab(TabSheetPool, Txt(TX::FormAnlageTabSheetPool));
  PageControl1->addTab(TabSheet4, Txt(TX::FormAnlageTabSheet4));
  // The season threshold is asked afresh each time the pool page comes up.
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int i) {
    if (PageControl1->widget(i) == TabSheetPool) EditPoolHzGr->clear();
  });
  // Help of the page in front: type and consumption, solar heating, conventional energy;
  // the circulation and pool pages open their part of the plant page.
  for (QWidget* seite : {TabSheet1, TabSheet2}) seite->setProperty(kHelpContext, 400);
  TabSheetSolHeiz->setProperty(kHelpContext, 460);
  TabSheet4->setProperty(kHelpContext, 491);
  TabSheetZ->setProperty(kHelpKeyword, "anlage#zirkulation");
  TabSheetPool->setProperty(kHelpKeyword, "anlage#pool");

  // A numeric field with its label and unit in a grid row.
  auto feld = [&](QGridLayout* g, int row, const QString& caption, const char* n, const QString& einheit,
                  QWidget* parent) {
    auto* e = name(new QLineEdit(parent), n);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("0000000") + 12);
    e->installEventFilter(this);
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString("Label") + n);
    l->setBuddy(e);
    auto* u = new QLabel(einheit, parent);
    u->setObjectName(QString("Unit") + n);
    g->addWidget(l, row, 0);
    g->addWidget(e, row, 1);
    g->addWidget(u, row, 2);
    labels_[e] = l;
    return e;
  };
  const QString grad = "°C";

  // Page 1: plant type, options, scheme.
  GroupBoxATyp = name(new QGroupBox(Txt(TX::Anlagentyp), TabSheet1), "GroupBoxATyp");
  auto radio = [&](TX key, const char* n) { return name(new QRadioButton(Txt(key), GroupBoxATyp), n); };
  RadioButtonA1 = radio(TX::FormAnlageSchema1, "RadioButtonA1");
  RadioButtonA2 = radio(TX::FormAnlageSchema2, "RadioButtonA2");
  RadioButtonA3 = radio(TX::FormAnlageSchema3, "RadioButtonA3");
  RadioButtonA1_TSS = radio(TX::FormAnlageSchema1_TSS, "RadioButtonA1_TSS");
  RadioButtonA4 = radio(TX::FormAnlageSchema4, "RadioButtonA4");
  RadioButtonA5 = radio(TX::FormAnlageSchema5, "RadioButtonA5");
  RadioButtonA6 = radio(TX::FormAnlageSchema6, "RadioButtonA6");
  RadioButtonA7 = radio(TX::FormAnlageSchema7, "RadioButtonA7");
  RadioButtonA8 = radio(TX::FormAnlageSchema8, "RadioButtonA8");
  auto* typLayout = new QVBoxLayout(GroupBoxATyp);
  for (QRadioButton* b : {RadioButtonA1, RadioButtonA6, RadioButtonA8, RadioButtonA5, RadioButtonA4,
                          RadioButtonA7, RadioButtonA3, RadioButtonA2, RadioButtonA1_TSS})
    typLayout->addWidget(b);
  RadioButtonA2->hide();
  RadioButtonA1_TSS->hide();
  const std::pair<QRadioButton*, int> typen[] = {{RadioButtonA1, 1}, {RadioButtonA2, 2}, {RadioButtonA3, 3},
                                                 {RadioButtonA4, 4}, {RadioButtonA5, 5}, {RadioButtonA6, 6},
                                                 {RadioButtonA7, 7}, {RadioButtonA8, 8}};
  for (auto [b, typ] : typen) connect(b, &QRadioButton::clicked, this, [this, t = typ] { TypWahl(t); });

  CheckBoxElektro = name(new QCheckBox(Txt(TX::FormAnlageCheckBoxElektro), TabSheet1), "CheckBoxElektro");
  CheckBoxLFT = name(new QCheckBox(Txt(TX::FormAnlageCheckBoxLFT), TabSheet1), "CheckBoxLFT");
  CheckBoxAntiLeg = name(new QCheckBox(Txt(TX::FormAnlageCheckBoxAntiLeg), TabSheet1), "CheckBoxAntiLeg");
  CheckBoxPool = name(new QCheckBox(Txt(TX::FormAnlageCheckBoxPool), TabSheet1), "CheckBoxPool");
  CheckBoxZirku = name(new QCheckBox(QString::fromUtf8("&Zirkulation"), TabSheet1), "CheckBoxZirku");
  CheckBoxZirku->hide();
  connect(CheckBoxElektro, &QCheckBox::clicked, this, [this] { TypWahl(1); });
  connect(CheckBoxLFT, &QCheckBox::clicked, this, [this](bool an) {
    G().plant.LFTkreis = an;
    PoolSeite();
    Schema();
  });
  connect(CheckBoxAntiLeg, &QCheckBox::clicked, this, [this](bool an) {
    G().plant.AntiLegionella = an;
    Schema();
  });
  connect(CheckBoxPool, &QCheckBox::clicked, this, [this](bool an) {
    if (aufbau_) return;
    G().plant.Pool = an;
    PoolSeite();
    Schema();
  });

  auto gruppe = [&](QWidget* parent, const QString& titel, const char* n, const std::vector<QString>& items,
                    QRadioButton** ziel) {
    auto* g = name(new QGroupBox(titel, parent), n);
    auto* v = new QVBoxLayout(g);
    auto* bg = new QButtonGroup(g);
    for (std::size_t i = 0; i < items.size(); ++i) {
      ziel[i] = new QRadioButton(items[i], g);
      ziel[i]->setObjectName(QString("%1Item%2").arg(n).arg(i));
      bg->addButton(ziel[i], static_cast<int>(i));
      v->addWidget(ziel[i]);
    }
    return g;
  };
  RadioGroupKombiPS = gruppe(TabSheet1, Txt(TX::KombiSpeicherCaption), "RadioGroupKombiPS",
                             {Txt(TX::KombiSpeicherTT), Txt(TX::KombiSpeicherWT), Txt(TX::KombiSpeicherTTSH)},
                             KombiItems.data());
  RadioGroupKaskade = gruppe(TabSheet1, Txt(TX::FormAnlageKaskCaption), "RadioGroupKaskade",
                             {Txt(TX::FormAnlageKaskSp), Txt(TX::FormAnlageKaskDLE)}, KaskadeItems.data());
  const int kombiCodes[] = {5, 10, 12};
  for (int i = 0; i < 3; ++i)
    connect(KombiItems[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, c = kombiCodes[i]] {
      if (aufbau_) return;
      Speichern();
      G().plant.KombiSpTyp = static_cast<std::uint8_t>(c);
      aufbau_ = true;
      Anpassen();
      aufbau_ = false;
      Schema();
    });
  for (int i = 0; i < 2; ++i)
    connect(KaskadeItems[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] {
      if (aufbau_) return;
      Speichern();
      G().plant.KaskadeTyp = i == 1 ? 14 : 13;
      aufbau_ = true;
      Anpassen();
      aufbau_ = false;
      Schema();
    });

  ImageSchema = name(new QLabel(TabSheet1), "ImageSchema");
  ImageSchema->setFixedSize(SchemaBreite, SchemaHoehe);
  ImageSchema->setFrameShape(QFrame::NoFrame);
  auto* links = new QVBoxLayout;
  links->addWidget(GroupBoxATyp);
  links->addWidget(CheckBoxElektro);
  links->addWidget(CheckBoxLFT);
  links->addWidget(CheckBoxAntiLeg);
  links->addWidget(CheckBoxPool);
  links->addWidget(RadioGroupKombiPS);
  links->addWidget(RadioGroupKaskade);
  links->addStretch();
  auto* seite1 = new QHBoxLayout(TabSheet1);
  seite1->addLayout(links, 1);
  seite1->addWidget(ImageSchema, 0, Qt::AlignTop);

  // Page 2: temperatures, consumption, stores, fresh-water station.
  GroupBox1 = name(new QGroupBox(Txt(TX::FormAnlageGroupBox1), TabSheet2), "GroupBox1");
  auto* g1 = new QGridLayout(GroupBox1);
  Edit1 = feld(g1, 0, Txt(TX::FormAnlageLabel1), "Edit1", grad, GroupBox1);
  Edit2 = feld(g1, 1, Txt(TX::FormAnlageLabel3), "Edit2", grad, GroupBox1);
  Edit3 = feld(g1, 2, Txt(TX::FormAnlageLabel5), "Edit3", grad, GroupBox1);
  Edit4 = feld(g1, 3, Txt(TX::FormAnlageLabel7), "Edit4", grad, GroupBox1);
  Edit4b = feld(g1, 4, Txt(TX::FormAnlageLabel8), "Edit4b", grad, GroupBox1);
  Edit5 = feld(g1, 5, Txt(TX::FormAnlageLabel9), "Edit5", grad, GroupBox1);
  EditHzGr = feld(g1, 6, Txt(TX::FormAnlageLabel11), "EditHzGr", grad, GroupBox1);
  g1->setRowStretch(7, 1);

  GroupBox2 = name(new QGroupBox(Txt(TX::FormAnlageGroupBox2), TabSheet2), "GroupBox2");
  auto* g2 = new QGridLayout(GroupBox2);
  Edit7 = feld(g2, 0, Txt(TX::FormAnlageLabel13), "Edit7", Txt(TX::LiterproTag), GroupBox2);
  Edit7->setToolTip(Txt(TX::EditTermSolverHint));
  Label14 = qobject_cast<QLabel*>(g2->itemAtPosition(0, 2)->widget());
  Label14->setObjectName("Label14");
  Label14->setMinimumWidth(Label14->fontMetrics().horizontalAdvance(Txt(TX::LiterproTag)) + 4);
  SpeedButton1 = name(new QPushButton(Txt(TX::FormAnlageSpeedButton1b), GroupBox2), "SpeedButton1");
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { WechsleEinheit(); });
  g2->addWidget(SpeedButton1, 0, 3, Qt::AlignLeft);
  g2->addWidget(name(new QLabel("Q " + Txt(TX::Warmwasser), GroupBox2), "LabelQWarmwasser"), 1, 0);
  LabelEQTWW = name(new QLabel(GroupBox2), "LabelEQTWW");
  LabelEQTWW->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  g2->addWidget(LabelEQTWW, 1, 1);
  g2->addWidget(new QLabel(QString::fromUtf8(kKWhProJahr), GroupBox2), 1, 2);
  auto* profilLabel = new QLabel(Txt(TX::FormAnlageLabel33), GroupBox2);
  ComboBox1 = name(new QComboBox(GroupBox2), "ComboBox1");
  ComboBox1->installEventFilter(this);
  profilLabel->setBuddy(ComboBox1);
  g2->addWidget(profilLabel, 2, 0);
  g2->addWidget(ComboBox1, 2, 1, 1, 3);
  SpeedButton2 = name(new QPushButton(Txt(TX::FormAnlageSpeedButton2), GroupBox2), "SpeedButton2");
  SpeedButtonPrfNeu = name(new QPushButton(Txt(TX::FormAnlageSpeedButtonPrfNeu), GroupBox2), "SpeedButtonPrfNeu");
  SpeedButtonPrfDel = name(new QPushButton(Txt(TX::FormAnlageSpeedButtonPrfDel), GroupBox2), "SpeedButtonPrfDel");
  auto* prf = new QHBoxLayout;
  prf->addWidget(SpeedButton2);
  prf->addWidget(SpeedButtonPrfNeu);
  prf->addWidget(SpeedButtonPrfDel);
  prf->addStretch();
  g2->addLayout(prf, 3, 0, 1, 4);
  g2->setColumnStretch(3, 1);
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { ProfilBearbeiten(); });
  connect(SpeedButtonPrfNeu, &QPushButton::clicked, this, [this] { ProfilNeu(); });
  connect(SpeedButtonPrfDel, &QPushButton::clicked, this, [this] { ProfilLoeschen(); });

  GroupBoxSpeicher = name(new QGroupBox(Txt(TX::FormAnlageGroupBoxSpeicher), TabSheet2), "GroupBoxSpeicher");
  auto* gs = new QGridLayout(GroupBoxSpeicher);
  Edit8 = feld(gs, 0, Txt(TX::FormAnlageLabelVol), "Edit8", Txt(TX::Liter), GroupBoxSpeicher);
  LabelVol = labels_[Edit8];
  LabelSp1 = name(new QLabel(GroupBoxSpeicher), "LabelSp1");
  gs->addWidget(LabelSp1, 1, 0, 1, 4);
  Edit9 = feld(gs, 2, Txt(TX::FormAnlageLabelVol2), "Edit9", Txt(TX::Liter), GroupBoxSpeicher);
  LabelVol2 = labels_[Edit9];
  LabelSp2 = name(new QLabel(GroupBoxSpeicher), "LabelSp2");
  gs->addWidget(LabelSp2, 3, 0, 1, 4);
  SpeedButtonSpVol = name(new QPushButton("...", GroupBoxSpeicher), "SpeedButtonSpVol");
  SpeedButtonSpVol->setToolTip(Txt(TX::Speicherwaehlen));
  SpeedButtonSpVol->setFixedWidth(SpeedButtonSpVol->fontMetrics().horizontalAdvance("...") + 16);
  gs->addWidget(SpeedButtonSpVol, 0, 3);
  connect(SpeedButtonSpVol, &QPushButton::clicked, this, [this] {
    SpeicherWaehlen();
    GesamtVolumenZeigen();
  });
  TrackBar1 = name(new QSlider(Qt::Horizontal, GroupBoxSpeicher), "TrackBar1");
  TrackBar1->setRange(1, 24);
  TrackBar1->hide();
  TrackBar1->setEnabled(false);
  LabelSpK = name(new QLabel(GroupBoxSpeicher), "LabelSpK");
  LabelSpK->hide();
  PanelAnzSp = name(new QWidget(GroupBoxSpeicher), "PanelAnzSp");
  auto* pa = new QHBoxLayout(PanelAnzSp);
  pa->setContentsMargins(0, 0, 0, 0);
  auto* anzLabel = new QLabel(Txt(TX::FormAnlageLabelSpAnz), PanelAnzSp);
  EditSpAnz = name(new QSpinBox(PanelAnzSp), "EditSpAnz");
  EditSpAnz->setRange(1, 3);
  EditSpAnz->installEventFilter(this);
  anzLabel->setBuddy(EditSpAnz);
  connect(EditSpAnz, &QSpinBox::valueChanged, this, [this] { GesamtVolumenZeigen(); });
  LabelGesVolV = name(new QLabel(PanelAnzSp), "LabelGesVolV");
  LabelGesVolV->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LabelGesVolV->setMinimumWidth(LabelGesVolV->fontMetrics().horizontalAdvance("00000"));
  pa->addWidget(anzLabel);
  pa->addWidget(EditSpAnz);
  pa->addSpacing(12);
  pa->addWidget(new QLabel(Txt(TX::FormAnlageLabelGesVol), PanelAnzSp));
  pa->addWidget(LabelGesVolV);
  pa->addWidget(new QLabel(Txt(TX::Liter), PanelAnzSp));
  pa->addStretch();
  gs->addWidget(PanelAnzSp, 4, 0, 1, 4);
  gs->setRowStretch(5, 1);
  gs->setColumnStretch(3, 1);
  for (QLineEdit* e : {Edit8, Edit9})
    connect(e, &QLineEdit::textEdited, this, [this] {
      GroupBoxSpeicher->setTitle(Txt(TX::FormAnlageGroupBoxSpeicher));
      GesamtVolumenZeigen();
    });

  GroupBoxFWE = name(new QGroupBox(Txt(TX::FormAnlageGroupBoxFWE), TabSheet2), "GroupBoxFWE");
  auto* gf = new QGridLayout(GroupBoxFWE);
  EditFWEQ = feld(gf, 0, Txt(TX::FormAnlageLabelFWEQ), "EditFWEQ", "l/min", GroupBoxFWE);
  EditFWEdTmin = feld(gf, 1, Txt(TX::FormAnlageLabelFWEdTmin), "EditFWEdTmin", "K", GroupBoxFWE);
  auto* note = new QLabel(Txt(TX::FormAnlageLabel19), GroupBoxFWE);
  note->setWordWrap(true);
  gf->addWidget(note, 2, 0, 1, 3);

  auto* seite2 = new QGridLayout(TabSheet2);
  seite2->addWidget(GroupBox1, 0, 0, 2, 1);
  seite2->addWidget(GroupBox2, 0, 1);
  seite2->addWidget(GroupBoxSpeicher, 1, 1);
  seite2->addWidget(GroupBoxFWE, 2, 0);
  seite2->setColumnStretch(1, 1);
  seite2->setRowStretch(3, 1);

  // Page "Zirkulation".
  auto* gb3 = name(new QGroupBox(Txt(TX::FormAnlageBetriebsw), TabSheetZ), "GroupBox3");
  RadioButtonZ1 = name(new QRadioButton(QString::fromUtf8(kNachZeit), gb3), "RadioButtonZ1");
  RadioButtonZ2 = name(new QRadioButton(QString::fromUtf8(kNachZeitTemp), gb3), "RadioButtonZ2");
  auto* z3 = new QHBoxLayout(gb3);
  z3->addWidget(RadioButtonZ1);
  z3->addWidget(RadioButtonZ2);
  z3->addStretch();
  auto* gb4 = name(new QGroupBox(TabSheetZ), "GroupBox4");
  gb4->setMouseTracking(true);
  gb4->installEventFilter(this);
  ImageZ = new TZiGrid(gb4);
  LabelZeit = name(new QLabel(gb4), "LabelZeit");
  LabelZeit->setMinimumWidth(LabelZeit->fontMetrics().horizontalAdvance("23.45 - 24.00 h") + 8);
  connect(ImageZ, &TZiGrid::Zeit, this, [this](const QString& t) {
    LabelZeit->setText(t);
    if (Statuszeile) Statuszeile(t.isEmpty() ? std::string() : T(TX::FormOrtStatusBarMaus1));
  });
  auto* z4 = new QGridLayout(gb4);
  z4->addWidget(LabelZeit, 0, 1);
  auto* zeilen = new QVBoxLayout;
  zeilen->addSpacing(22);
  zeilen->addWidget(name(new QLabel(QString::fromUtf8(kZeitVorm), gb4), "LabelZvorm"));
  zeilen->addSpacing(14);
  zeilen->addWidget(name(new QLabel(QString::fromUtf8(kZeitNachm), gb4), "Label75"));
  zeilen->addStretch();
  z4->addLayout(zeilen, 1, 0);
  z4->addWidget(ImageZ, 1, 1);
  z4->setColumnStretch(2, 1);
  auto* gb8 = name(new QGroupBox(TabSheetZ), "GroupBox8");
  auto* z8 = new QGridLayout(gb8);
  EditZL = feld(z8, 0, QString::fromUtf8(kLaenge), "EditZL", "m", gb8);
  EditZV = feld(z8, 1, QString::fromUtf8(kWasserinhalt), "EditZV", Txt(TX::Liter), gb8);
  z8->setColumnStretch(3, 1);
  auto* seiteZ = new QVBoxLayout(TabSheetZ);
  seiteZ->addWidget(gb3);
  seiteZ->addWidget(gb4);
  seiteZ->addWidget(gb8);
  seiteZ->addStretch();

  // Page "Solares Heizen".
  GroupBoxQheiz = name(new QGroupBox(Txt(TX::FormAnlageGroupBoxQheiz), TabSheetSolHeiz), "GroupBoxQheiz");
  auto* gq = new QGridLayout(GroupBoxQheiz);
  EditQheiz = feld(gq, 0, Txt(TX::FormAnlageLabelQheiz), "EditQheiz", QString::fromUtf8(kKWhProJahr), GroupBoxQheiz);
  EditQheiz->setToolTip(Txt(TX::EditTermSolverHint));
  gq->setColumnStretch(3, 1);
  GroupBox6 = name(new QGroupBox(Txt(TX::FormAnlageGroupBox6), TabSheetSolHeiz), "GroupBox6");
  auto* g6 = new QGridLayout(GroupBox6);
  EditQnorm = feld(g6, 0, Txt(TX::FormAnlageLabel48), "EditQnorm", "kW", GroupBox6);
  SpeedButton2kW = name(new QPushButton(QString::fromUtf8(kZweikW), GroupBox6), "SpeedButton2kW");
  SpeedButton2kW->setFixedWidth(SpeedButton2kW->fontMetrics().horizontalAdvance("»»") + 16);
  SpeedButton2kW->setToolTip(Q(RemoveAmpersands(T(TX::FormAnlageLabelQheiz)) + " -> " +
                               RemoveAmpersands(T(TX::FormAnlageLabel48))));
  connect(SpeedButton2kW, &QPushButton::clicked, this, [this] { NennleistungAusBedarf(); });
  g6->addWidget(SpeedButton2kW, 0, 3);
  Edit24 = feld(g6, 1, Txt(TX::FormAnlageLabel52), "Edit24", grad, GroupBox6);
  Edit25 = feld(g6, 2, Txt(TX::FormAnlageLabel50), "Edit25", grad, GroupBox6);
  Edit26 = feld(g6, 3, Txt(TX::FormAnlageLabel54), "Edit26", grad, GroupBox6);
  g6->setColumnStretch(4, 1);
  GroupBox5 = name(new QGroupBox(Txt(TX::FormAnlageGroupBox5), TabSheetSolHeiz), "GroupBox5");
  auto* g5 = new QGridLayout(GroupBox5);
  Edit20 = feld(g5, 0, Txt(TX::FormAnlageLabel27), "Edit20", "kW", GroupBox5);
  Edit21 = feld(g5, 1, Txt(TX::FormAnlageLabel29), "Edit21", "K", GroupBox5);
  Edit22 = feld(g5, 2, Txt(TX::FormAnlageLabel31), "Edit22", grad, GroupBox5);
  g5->setColumnStretch(3, 1);
  RadioGroupHK = gruppe(TabSheetSolHeiz, Txt(TX::FormAnlageRadioGroup2), "RadioGroupHK",
                        {Txt(TX::HK_Typ1), Txt(TX::HK_Typ2), Txt(TX::HK_Typ3), Txt(TX::HK_Typ4),
                         Txt(TX::HK_Typ5)},
                        HKItems.data());
  for (int i = 0; i < 5; ++i)
    connect(HKItems[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] {
      if (aufbau_) return;
      G().plant.HeizkreisTyp = static_cast<std::uint8_t>(i + 1);
      Schema();
    });
  auto* seiteH = new QGridLayout(TabSheetSolHeiz);
  seiteH->addWidget(GroupBoxQheiz, 0, 0);
  seiteH->addWidget(GroupBox6, 1, 0);
  seiteH->addWidget(GroupBox5, 1, 1);
  seiteH->addWidget(RadioGroupHK, 2, 0, 1, 2);
  seiteH->setRowStretch(3, 1);
  seiteH->setColumnStretch(1, 1);

  // Page "Schwimmbad".
  auto* gp = name(new QGroupBox(TabSheetPool), "GroupBoxPool1");
  auto* gpl = new QGridLayout(gp);
  EditPoolT = feld(gpl, 0, Txt(TX::FormAnlagePoolTemp), "EditPoolT", grad, gp);
  EditPoolV = feld(gpl, 1, Txt(TX::FormAnlagePoolVol), "EditPoolV", Q("m³"), gp);
  MaskEditPoolStart = feld(gpl, 2, Txt(TX::FormAnlageNutzungvon), "MaskEditPoolStart", Txt(TX::bis), gp);
  MaskEditPoolStart->setInputMask("99.99");
  MaskEditPoolEnde = name(new QLineEdit(gp), "MaskEditPoolEnde");
  MaskEditPoolEnde->setInputMask("99.99");
  MaskEditPoolEnde->setFixedWidth(MaskEditPoolStart->width());
  MaskEditPoolEnde->setAlignment(Qt::AlignRight);
  MaskEditPoolEnde->installEventFilter(this);
  labels_[MaskEditPoolEnde] = labels_[MaskEditPoolStart];
  gpl->addWidget(MaskEditPoolEnde, 2, 3);
  SpeedButtonPool1 = name(new QPushButton(Txt(TX::FormAnlageSpButton1), gp), "SpeedButtonPool1");
  connect(SpeedButtonPool1, &QPushButton::clicked, this, [this] {
    MaskEditPoolStart->setText(TagText(1));
    MaskEditPoolEnde->setText(TagText(365));
  });
  gpl->addWidget(SpeedButtonPool1, 2, 4);
  EditPoolHzGr = feld(gpl, 3, QString(), "EditPoolHzGr", grad, gp);
  SpeedButtonPool2 = name(new QPushButton(Txt(TX::FormAnlageSpButton2), gp), "SpeedButtonPool2");
  gpl->removeWidget(labels_[EditPoolHzGr]);
  labels_[EditPoolHzGr]->hide();
  labels_[EditPoolHzGr] = nullptr;
  gpl->addWidget(SpeedButtonPool2, 3, 0);
  setTabOrder(SpeedButtonPool2, EditPoolHzGr);  // the button stands left of its field
  connect(SpeedButtonPool2, &QPushButton::clicked, this, [this] { PoolSaisonAusTemperatur(); });
  EditPoolSpminT = feld(gpl, 4, Txt(TX::FormAnlageSpMintemp), "EditPoolSpminT", grad, gp);
  gpl->addWidget(new QLabel(Txt(TX::FormAnlageimSpeicher), gp), 4, 3, 1, 2);
  gpl->setColumnStretch(5, 1);
  RadioGroupPoolWT = gruppe(TabSheetPool, Txt(TX::FormAnlageWT), "RadioGroupPoolWT",
                            {Txt(TX::FormAnlageWTdirekt), Txt(TX::FormAnlageWTindirekt)}, PoolWTItems.data());
  RadioGroupPoolWT->hide();
  auto* seiteP = new QVBoxLayout(TabSheetPool);
  seiteP->addWidget(gp);
  seiteP->addWidget(RadioGroupPoolWT);
  seiteP->addStretch();

  // Page "konv. Energie".
  auto* gb7 = name(new QGroupBox(Txt(TX::FormAnlageGroupBox7), TabSheet4), "GroupBox7");
  auto* g7 = new QGridLayout(gb7);
  auto* quelle = new QLabel(Txt(TX::FormAnlageLabel36), gb7);
  ComboBox3 = name(new QComboBox(gb7), "ComboBox3");
  ComboBox3->installEventFilter(this);
  quelle->setBuddy(ComboBox3);
  g7->addWidget(quelle, 0, 0);
  g7->addWidget(ComboBox3, 0, 1, 1, 3);
  auto wert = [&](int row, TX key, const char* n, const QString& einheit) {
    g7->addWidget(new QLabel(Txt(key), gb7), row, 0);
    auto* l = name(new QLabel(gb7), n);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g7->addWidget(l, row, 1);
    g7->addWidget(new QLabel(einheit, gb7), row, 2);
    return l;
  };
  LabelE41 = wert(1, TX::FormAnlageLabel34, "LabelE41", QString());
  LabelE42 = wert(2, TX::FormAnlageLabel37, "LabelE42", QString());
  LabelE43 = wert(3, TX::FormAnlageLabel35, "LabelE43", "kg");
  g7->addWidget(new QLabel(Txt(TX::FormAnlageLabel41), gb7), 4, 0, 1, 3);
  LabelE44 = wert(5, TX::FormAnlageLabel42, "LabelE44", "%");
  LabelE45 = wert(6, TX::FormAnlageLabel43, "LabelE45", "%");
  LabelE46 = wert(7, TX::FormAnlageLabel44, "LabelE46", "%");
  LabelE44->setToolTip(Q("bei Lufttemperatur unter 5°C"));
  LabelE45->setToolTip(Q("bei Lufttemperatur von 5 bis 15°C"));
  LabelE46->setToolTip(Q("bei Lufttemperatur über 15°C"));
  EnerBearbeitenSpeedButton =
      name(new QPushButton(Txt(TX::FormAnlageEnerBearbeitenSpeedButton), gb7), "EnerBearbeitenSpeedButton");
  g7->addWidget(EnerBearbeitenSpeedButton, 8, 0, 1, 2, Qt::AlignLeft);
  ImageWQ = name(new QLabel(gb7), "ImageWQ");
  ImageWQ->setFixedSize(kHeizerBildBreite, kHeizerBildHoehe);
  g7->addWidget(ImageWQ, 9, 0, 1, 4, Qt::AlignLeft | Qt::AlignTop);
  g7->setRowStretch(10, 1);
  g7->setColumnStretch(3, 1);
  connect(EnerBearbeitenSpeedButton, &QPushButton::clicked, this, [this] { EnergieBearbeiten(); });
  connect(ComboBox3, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (aufbau_ || i < 0) return;
    energieNr_ = i + 1;
    ZeigeEnergie(energieNr_);
  });
  Image1 = new TSparDiagramm(TabSheet4);
  auto* seite4 = new QHBoxLayout(TabSheet4);
  seite4->addWidget(gb7, 1);
  seite4->addWidget(Image1, 0, Qt::AlignTop);

  // Buttons.
  ButtonOK = name(new QPushButton(Txt(TX::ButtonOK)), "ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = name(new QPushButton(Txt(TX::ButtonCancel)), "ButtonCancel");
  SpeedButtonFastForward = name(new QPushButton(Txt(TX::FormsButtonForward)), "SpeedButtonFastForward");
  SpeedButtonFastForward->setToolTip(Txt(TX::FormsButtonForwardHint));
  connect(ButtonOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(2); });
  connect(SpeedButtonFastForward, &QPushButton::clicked, this, [this] { Weiter(); });
  // Escape from any control (OK, where the dialog opens) goes to Cancel; there it cancels.
  EscapeToButton(this, ButtonCancel);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(SpeedButtonFastForward);
  knoepfe->addStretch();
  knoepfe->addWidget(ButtonOK);
  knoepfe->addWidget(ButtonCancel);
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(PageControl1);
  haupt->addLayout(knoepfe);
  for (QLineEdit* e : {Edit7, EditQheiz}) {
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, QColor(0, 128, 45));
    e->setPalette(pal);
  }
  // Wide enough for all six page tabs.
  setMinimumSize(std::max(760, PageControl1->tabBar()->sizeHint().width() + 40), 500);
}

// --- Filling -----------------------------------------------------------------------------

void TFormAnlage::Fuelle() {
  PlantState& P = G().plant;
  kopie_ = P;
  geaendertVorher_ = G().run.ProjektGeaendert;
  aufbau_ = true;
  literModus_ = true;
  // The combo lists of the catalogues.
  FuelleProfile();
  ComboBox3->clear();
  for (int i = 1; i <= G().cat.EnergieAnzahl; ++i)
    ComboBox3->addItem(Q(G().cat.Energietraeger[static_cast<std::size_t>(i)].EnergieName));
  Anpassen();
  ButtonOK->setFocus();
  aufbau_ = false;
  if (ersteAnzeige_) {
    PageControl1->setCurrentWidget(TabSheet1);
    ersteAnzeige_ = false;
  }
}

void TFormAnlage::FuelleProfile() {
  const bool war = aufbau_;
  aufbau_ = true;
  ComboBox1->clear();
  for (int i = 1; i <= G().cat.ProfilAnzahl; ++i)
    ComboBox1->addItem(Q(G().cat.Profile[static_cast<std::size_t>(i)].Name));
  ComboBox1->setCurrentIndex(std::clamp(G().plant.ProfilNr, 1, std::max(1, G().cat.ProfilAnzahl)) - 1);
  aufbau_ = war;
}

void TFormAnlage::Anpassen() {
  PlantState& P = G().plant;
  const AnlageSicht s = SichtFuer(P);
  auto zeile = [&](QLineEdit* e, bool an) {
    e->setVisible(an);
    if (QLabel* l = labels_.value(e)) l->setVisible(an);
    if (auto* u = e->parentWidget()->findChild<QLabel*>(QString("Unit") + e->objectName())) u->setVisible(an);
  };
  Edit1->setEnabled(s.kaltEditierbar);
  zeile(Edit3, s.stuetzTemp);
  zeile(Edit5, s.temp2);
  zeile(EditHzGr, s.heizgrenze);
  zeile(Edit4b, s.maxTemp2);
  zeile(Edit9, s.speicher2 && !s.thermosiphon);
  zeile(Edit8, !s.durchlauf);
  PanelAnzSp->setVisible(s.anzahl);
  GroupBoxFWE->setVisible(s.fwe);
  CheckBoxElektro->setVisible(s.elektro);
  CheckBoxLFT->setVisible(s.lowFlow);
  CheckBoxAntiLeg->setVisible(s.antiLeg);
  CheckBoxPool->setVisible(s.pool);
  RadioGroupKombiPS->setVisible(s.kombi);
  RadioGroupKaskade->setVisible(s.kaskade);
  GroupBox5->setVisible(s.gruppe5);
  GroupBox6->setVisible(s.gruppe6);
  SpeedButton2kW->setVisible(s.gruppe6);
  RadioGroupHK->setVisible(s.heizkreis);
  ShowPage(PageControl1, TabSheetSolHeiz, s.solHeiz);

  // Store labels.
  LabelVol->setText(s.durchlauf ? Txt(TX::Durchlauferhitzer) : Txt(TX::FormAnlageLabelVol));
  LabelSp1->setVisible(!s.durchlauf);
  LabelSp1->setText("(" + (s.thermosiphon ? Q(RemoveAmpersands(T(TX::FormAnlageSchema1_TSS))) : Txt(s.labelSp1)) + ")");
  LabelSp2->setVisible(s.labelSp2.has_value() && Edit9->isVisibleTo(GroupBoxSpeicher));
  if (s.labelSp2) LabelSp2->setText("(" + Txt(*s.labelSp2) + ")");

  // Which catalogue stores fit.
  int schema = 0, code = 0;
  if (P.AnlagenTypNr == 1 || P.AnlagenTypNr == 3) schema = 1, code = P.BivSpTyp;
  if (P.AnlagenTypNr == 6) schema = 6, code = P.KombiSpTyp;
  if (P.AnlagenTypNr == 8) schema = 8, code = P.KombiSpeicherWT;
  bool passt = false;
  for (int i = 1; i <= G().cat.SpeicherlisteAnzahl && schema != 0; ++i) {
    const TSpeicher& sp = G().cat.Speicherliste[static_cast<std::size_t>(i)];
    passt = passt || (sp.Schema == schema && sp.SpTypN == code);
  }
  SpeedButtonSpVol->setVisible(passt);

  // Heating-circuit connection.
  if (P.AnlagenTypNr == 6 && P.KombiSpTyp == 12) P.HeizkreisTyp = 5;
  if (P.HeizkreisTyp > s.hkItems) P.HeizkreisTyp = 2;
  HKItems[4]->setVisible(s.hkItems == 5);
  if (P.HeizkreisTyp >= 1) HKItems[static_cast<std::size_t>(P.HeizkreisTyp - 1)]->setChecked(true);

  // The plant-type button; type 1's variants keep their own state.
  QRadioButton* knopf = RadioButtonA1;
  switch (P.AnlagenTypNr) {
    case 2: knopf = RadioButtonA2; break;
    case 3: knopf = RadioButtonA3; break;
    case 4: knopf = RadioButtonA4; break;
    case 5: knopf = RadioButtonA5; break;
    case 6: knopf = RadioButtonA6; break;
    case 7: knopf = RadioButtonA7; break;
    case 8: knopf = RadioButtonA8; break;
    default: break;
  }
  knopf->setChecked(true);
  // Type 1 keeps its store variant (2..4) in the help context of the type group.
  GroupBoxATyp->setProperty(kHelpContext, 4000 + 10 * P.AnlagenTypNr +
                                              (P.AnlagenTypNr == 1 && P.BivSpTyp >= 2 ? P.BivSpTyp : 0));
  CheckBoxElektro->setChecked(P.AnlagenTypNr == 1 && P.BivSpTyp == 1);
  const QString schemaName =
      P.AnlagenTypNr == 1 && P.BivSpTyp == 4 ? Txt(TX::FormAnlageSchema1_TSS) : knopf->text();
  setWindowTitle(Txt(TX::FormAnlageCaption) + " - " + Q(RemoveAmpersands(S(schemaName))));
  KaskadeItems[P.KaskadeTyp == 14 ? 1 : 0]->setChecked(true);
  // A combi store no item names shows the first item; its code stays until an item is clicked.
  const int kombi = P.KombiSpTyp == 10 ? 1 : P.KombiSpTyp == 12 ? 2 : 0;
  for (int i = 0; i < 3; ++i) {
    KombiItems[static_cast<std::size_t>(i)]->setAutoExclusive(false);
    KombiItems[static_cast<std::size_t>(i)]->setChecked(i == kombi);
    KombiItems[static_cast<std::size_t>(i)]->setAutoExclusive(true);
  }
  CheckBoxLFT->setChecked(P.LFTkreis && s.lowFlow);
  CheckBoxAntiLeg->setChecked(P.AntiLegionella && s.antiLeg);
  CheckBoxPool->setChecked(P.Pool);
  CheckBoxZirku->setChecked(P.Zirkulation);
  ShowPage(PageControl1, TabSheetZ, P.Zirkulation);
  PoolSeite();
  Laden();
  HeizbedarfPruefen();
  Schema();
}

void TFormAnlage::Zeige(QLineEdit* e, const std::string& text) {
  e->setText(Q(text));
  gezeigt_[e] = e->text();
}

void TFormAnlage::Laden() {
  const PlantState& P = G().plant;
  auto zahl = [&](QLineEdit* e, double x, int dez) { Zeige(e, FloatToCommaStr(1, static_cast<std::uint8_t>(dez), static_cast<float>(x))); };
  zahl(Edit1, P.AnlagenTypNr == 8 ? 10.0 : P.Kaltwassertemp, 0);
  zahl(Edit2, P.Warmwassertemp, 0);
  zahl(Edit3, P.Minimaltemp, 0);
  zahl(Edit4, P.Maximaltemp, 0);
  zahl(Edit4b, P.Maximaltemp2, 0);
  zahl(Edit5, P.MaxTempWinter, 0);
  zahl(EditHzGr, P.Heizgrenztemp, 0);
  Zeige(EditFWEQ, FloatToPointStr(1, 0, FWELiterProMin(P.FWEnennleistung)));
  Zeige(EditFWEdTmin, FloatToPointStr(1, 0, P.FWEdTmin));
  // Hot water in litres unless hot water is not above cold water.
  const auto liter = KWhZuLiter(P.Warmwasserverbrauch / 1000.0, P.Warmwassertemp, P.Kaltwassertemp);
  literModus_ = liter.has_value();
  if (literModus_) zahl(Edit7, *liter, 0); else zahl(Edit7, P.Warmwasserverbrauch / 1000.0, 2);
  Label14->setText(literModus_ ? Txt(TX::LiterproTag) : Txt(TX::kWhproTag));
  SpeedButton1->setText(literModus_ ? Txt(TX::FormAnlageSpeedButton1b) : Txt(TX::FormAnlageSpeedButton1a));
  LabelEQTWW->setText(Komma(P.Warmwasserverbrauch / 1000.0 * 365.0, 0));
  FuelleProfile();
  EditSpAnz->setValue(std::clamp<int>(P.SpeicherAnz, 1, 3));
  const int n = std::clamp<int>(P.SpeicherAnz, 1, 3);
  zahl(Edit8, P.Speicher1vol / n, 0);
  zahl(Edit9, P.Speicher2vol / n, 0);
  TrackBar1->setValue(DaemmungPosition(P.SpeicherkWert));
  LabelSpK->setText(Komma(P.SpeicherkWert, 2));
  GroupBoxSpeicher->setTitle(Txt(TX::FormAnlageGroupBoxSpeicher) +
                             (P.SpeicherName.empty() ? QString() : " " + Q(P.SpeicherName)));
  GesamtVolumenZeigen();
  zahl(Edit20, P.Heiztauscherleistung / 1000.0, 0);
  zahl(Edit21, P.HeiztauscherDeltaT, 0);
  zahl(Edit22, P.Heiztemp, 0);
  zahl(EditQnorm, P.HeizQnorm / 1000.0, 1);
  zahl(Edit24, P.HeizTnorm, 0);
  zahl(Edit25, P.HeizTvor100, 0);
  zahl(Edit26, P.HeizTrck100, 0);
  zahl(EditQheiz, P.Heizwaermebedarf / 1000.0, 0);
  ImageZ->SetZeiten(P.ZiZeiten);
  LabelZeit->clear();
  zahl(EditZL, P.ZiLaenge, 1);
  zahl(EditZV, P.ZiVol, 1);
  (P.ZiModus == 1 ? RadioButtonZ1 : RadioButtonZ2)->setChecked(true);
  zahl(EditPoolT, P.PoolTemp, 0);
  zahl(EditPoolV, P.PoolVol, 1);
  Zeige(MaskEditPoolStart, S(TagText(P.PoolStart)));
  Zeige(MaskEditPoolEnde, S(TagText(P.PoolEnde)));
  zahl(EditPoolSpminT, P.PoolSpminTemp, 0);
  energieNr_ = P.EnergieNr;
  ZeigeEnergieWahl();
  ZeigeEnergie(energieNr_);
}

void TFormAnlage::PoolSeite() {
  const bool an = CheckBoxPool->isChecked() && !CheckBoxPool->isHidden();
  ShowPage(PageControl1, TabSheetPool, an);
  if (an) PoolWTItems[0]->setChecked(true);
  EditPoolHzGr->clear();
}

void TFormAnlage::Schema() { ImageSchema->setPixmap(QPixmap::fromImage(ShowSchema(G()))); }

void TFormAnlage::GesamtVolumenZeigen() {
  double v1 = 0, v2 = 0;
  Zahl(Edit8, v1);
  Zahl(Edit9, v2);
  LabelGesVolV->setText(QString::number(GesamtVolumen(G().plant.AnlagenTypNr, EditSpAnz->value(),
                                                      static_cast<int>(std::lround(v1)),
                                                      static_cast<int>(std::lround(v2)))));
}

void TFormAnlage::SpeicherWaehlen() {
  PlantState& P = G().plant;
  int schema = 0, code = 0;
  if (P.AnlagenTypNr == 1 || P.AnlagenTypNr == 3) schema = 1, code = P.BivSpTyp;
  else if (P.AnlagenTypNr == 6) schema = 6, code = P.KombiSpTyp;
  else if (P.AnlagenTypNr == 8) schema = 8, code = P.KombiSpeicherWT;
  if (schema == 0) {
    ShowMessageLines("A_Typ unbekannt");
    return;
  }
  double v1 = 0, v2 = 0;
  Zahl(Edit8, v1);
  Zahl(Edit9, v2);
  auto u1 = static_cast<std::uint16_t>(std::clamp(std::lround(v1), 0L, 65535L));
  auto u2 = static_cast<std::uint16_t>(std::clamp(std::lround(v2), 0L, 65535L));
  std::string name = P.SpeicherName;
  if (!FindStorageForVolume(G().cat, static_cast<std::uint8_t>(schema), static_cast<std::uint8_t>(code), name, u2, u1))
    return;
  P.SpeicherName = name;
  GroupBoxSpeicher->setTitle(Txt(TX::FormAnlageGroupBoxSpeicher) + " " + Q(name));
  Edit8->setText(QString::number(u1));
  Edit9->setText(QString::number(u2));
}

void TFormAnlage::ZeigeEnergieWahl() {
  if (energieNr_ >= 1 && energieNr_ <= ComboBox3->count()) {
    ComboBox3->setCurrentIndex(energieNr_ - 1);
  } else {
    // The project's carrier is in no entry of the list: its name, with no entry chosen.
    ComboBox3->setPlaceholderText(Q(G().plant.konvEnergie));
    ComboBox3->setCurrentIndex(-1);
  }
}

void TFormAnlage::ZeigeEnergie(int n) {
  const CatalogueState& c = G().cat;
  SparDaten d;
  d.luftTemp = [](int tag) { return CalcLuftTemp(G().loc, tag, 8.0f); };
  // Outside the list (-1): the project's own carrier, as another language's file holds it.
  const bool imListe = n >= 1 && n <= c.EnergieAnzahl;
  TEnergie eigener;
  if (!imListe) {
    const PlantState& p = G().plant;
    eigener.EnergieName = p.konvEnergie;
    eigener.Einheit = p.konvEinheit;
    eigener.kWhinEinheit = p.konvKWhinEinheit;
    eigener.CO2inEinheit = p.konvCO2inEinheit;
    eigener.NutzgradWinter = p.konvNutzgradWinter;
    eigener.NutzgradFruehlingHerbst = p.konvNutzgradFruehlingHerbst;
    eigener.NutzgradSommer = p.konvNutzgradSommer;
  }
  const TEnergie& e = imListe ? c.Energietraeger[static_cast<std::size_t>(n)] : eigener;
  LabelE41->setText(Q(e.Einheit));
  LabelE42->setText(Q(FloatToCommaStrAligned(4, 1, e.kWhinEinheit)).trimmed());
  LabelE43->setText(Q(FloatToCommaStrAligned(4, 1, e.CO2inEinheit)).trimmed());
  LabelE44->setText(Punkt(e.NutzgradWinter, 0));
  LabelE45->setText(Punkt(e.NutzgradFruehlingHerbst, 0));
  LabelE46->setText(Punkt(e.NutzgradSommer, 0));
  d.winter = e.NutzgradWinter;
  d.fruehlingHerbst = e.NutzgradFruehlingHerbst;
  d.sommer = e.NutzgradSommer;
  EnerBearbeitenSpeedButton->setEnabled(imListe);
  Image1->SetDaten(d);
  // The heater of the carrier's product line, else an empty grey area.
  const std::string bild = HeizerBildName(e.EnergieName);
  const QImage& heizer = bild.empty() ? ResBitmapPlaceholder() : LoadResBitmap(Q(bild));
  if (&heizer != &ResBitmapPlaceholder()) {
    ImageWQ->setPixmap(QPixmap::fromImage(heizer).scaled(ImageWQ->size(), Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation));
  } else {
    QPixmap grau(ImageWQ->size());
    grau.fill(kHeizerGrau);
    ImageWQ->setPixmap(grau);
  }
}

// --- Storing -----------------------------------------------------------------------------

bool TFormAnlage::Geaendert(QLineEdit* e) const { return e->text() != gezeigt_.value(e); }

void TFormAnlage::Speichern() {
  PlantState& P = G().plant;
  const PlantState alt = P;
  // A field the user did not touch keeps its stored value exactly.
  auto lies = [&](QLineEdit* e, float& ziel, double faktor = 1.0) {
    double v = 0;
    if (Geaendert(e) && Zahl(e, v)) ziel = static_cast<float>(v * faktor);
  };
  if (!CheckBoxLFT->isHidden()) P.LFTkreis = CheckBoxLFT->isChecked();
  if (!CheckBoxAntiLeg->isHidden()) P.AntiLegionella = CheckBoxAntiLeg->isChecked();
  if (!CheckBoxElektro->isHidden() && P.AnlagenTypNr == 1) {
    if (CheckBoxElektro->isChecked()) P.BivSpTyp = 1;
    else if (P.BivSpTyp == 1) P.BivSpTyp = 0;
  }
  lies(Edit1, P.Kaltwassertemp);
  lies(Edit2, P.Warmwassertemp);
  lies(Edit3, P.Minimaltemp);
  lies(Edit4, P.Maximaltemp);
  lies(Edit4b, P.Maximaltemp2);
  lies(Edit5, P.MaxTempWinter);
  lies(EditHzGr, P.Heizgrenztemp);
  double v = 0;
  if (Geaendert(EditFWEQ) && Zahl(EditFWEQ, v)) P.FWEnennleistung = static_cast<float>(FWEWatt(v, P.Kaltwassertemp));
  lies(EditFWEdTmin, P.FWEdTmin);
  // Hot water: what was typed, in its unit; litres follow a change of the temperatures.
  if (Geaendert(Edit7)) {
    if (Term(Edit7, v) && v >= 0.0) {
      if (!literModus_) P.Warmwasserverbrauch = static_cast<float>(v * 1000.0);
      else if (auto k = LiterZuKWh(v, P.Warmwassertemp, P.Kaltwassertemp)) P.Warmwasserverbrauch = static_cast<float>(*k * 1000.0);
    }
  } else if (literModus_ && (P.Warmwassertemp != alt.Warmwassertemp || P.Kaltwassertemp != alt.Kaltwassertemp)) {
    const auto l = KWhZuLiter(alt.Warmwasserverbrauch / 1000.0, alt.Warmwassertemp, alt.Kaltwassertemp);
    const auto k = l ? LiterZuKWh(*l, P.Warmwassertemp, P.Kaltwassertemp) : std::nullopt;
    if (k) P.Warmwasserverbrauch = static_cast<float>(*k * 1000.0);
  }
  const int profil = ComboBox1->currentIndex() + 1;
  if (profil >= 1 && profil != P.ProfilNr) SelectProfil(G(), profil);
  const int n = EditSpAnz->value();
  const int nAlt = std::clamp<int>(alt.SpeicherAnz, 1, 3);
  P.SpeicherAnz = static_cast<std::uint8_t>(n);
  for (auto [e, ziel] : {std::pair{Edit8, &P.Speicher1vol}, std::pair{Edit9, &P.Speicher2vol}}) {
    if (Geaendert(e)) {
      if (Zahl(e, v)) *ziel = static_cast<float>(v * n);
    } else if (n != nAlt) {
      *ziel = *ziel / nAlt * n;
    }
  }
  lies(Edit20, P.Heiztauscherleistung, 1000.0);
  lies(Edit21, P.HeiztauscherDeltaT);
  lies(Edit22, P.Heiztemp);
  lies(EditQnorm, P.HeizQnorm, 1000.0);
  lies(Edit24, P.HeizTnorm);
  lies(Edit25, P.HeizTvor100);
  lies(Edit26, P.HeizTrck100);
  if (Geaendert(EditQheiz) && Term(EditQheiz, v) && v >= 0.0) P.Heizwaermebedarf = static_cast<float>(v * 1000.0);
  P.ZiZeiten = ImageZ->Zeiten;
  lies(EditZL, P.ZiLaenge);
  lies(EditZV, P.ZiVol);
  P.ZiModus = RadioButtonZ1->isChecked() ? 1 : 2;
  if (!CheckBoxPool->isHidden()) P.Pool = CheckBoxPool->isChecked();
  lies(EditPoolT, P.PoolTemp);
  lies(EditPoolV, P.PoolVol);
  lies(EditPoolSpminT, P.PoolSpminTemp);
  for (auto [e, ziel] : {std::pair{MaskEditPoolStart, &P.PoolStart}, std::pair{MaskEditPoolEnde, &P.PoolEnde}})
    if (Geaendert(e))
      if (const int t = TagAus(e->text())) *ziel = static_cast<std::uint16_t>(t);
  if (energieNr_ >= 1 && energieNr_ != P.EnergieNr) SelectEnergie(G(), energieNr_);
}

// --- Closing -----------------------------------------------------------------------------

void TFormAnlage::done(int r) {
  if (schliesst_) return;
  if (r != 1) r = 2;  // Escape and the window's close box are Cancel
  TavState& g = G();
  if (r == 1) {
    if (!PruefeAlle()) return;
    Speichern();
    AnlageGeaendert = PlantZeilen(kopie_) != PlantZeilen(g.plant);
    g.run.ProjektGeaendert = geaendertVorher_ || AnlageGeaendert;
  } else {
    // Everything back as it was; catalogue entries by name, since the profile list may have
    // been changed meanwhile.
    AnlageGeaendert = false;
    g.plant = kopie_;
    g.run.ProjektGeaendert = geaendertVorher_;
    int gefunden = 0;
    for (int i = 1; i <= g.cat.ProfilAnzahl; ++i)
      if (g.cat.Profile[static_cast<std::size_t>(i)].Name == g.plant.Zapfprofil) gefunden = i;
    if (gefunden) g.plant.ProfilNr = gefunden;
    else if (g.plant.ProfilNr > g.cat.ProfilAnzahl) g.plant.ProfilNr = g.cat.ProfilAnzahl;
    // The carrier as a project load finds it, also by a name of another language's file.
    if (const int nr = EnergieNachName(g, g.plant.konvEnergie); nr >= 1) g.plant.EnergieNr = nr;
  }
  schliesst_ = true;
  g.settings.AFPos = PositionOf(this);
  QDialog::done(r);
  schliesst_ = false;
}

int TFormAnlage::Zeige(int seite) {
  G().run.WeiterModus = false;
  Fuelle();
  if (seite >= 0 && seite < PageControl1->count() && PageControl1->isTabVisible(seite))
    PageControl1->setCurrentIndex(seite);
  if (seite == SeiteEnergie) ComboBox3->setFocus();
  PlaceKeptDialog(this, G().settings.AFPos);
  return exec();
}

void TFormAnlage::Weiter() {
  const int n = PageControl1->count();
  for (int i = PageControl1->currentIndex() + 1; i < n; ++i) {
    if (PageControl1->isTabVisible(i)) {
      PageControl1->setCurrentIndex(i);
      return;
    }
  }
  G().run.WeiterModus = true;
  done(1);
  if (isVisible()) G().run.WeiterModus = false;  // a bad field kept the dialog open
}

int ShowAnlageDialog(QWidget* parent, int Seite, const std::function<void(const std::string&)>& Statuszeile,
                     bool* PlantChanged) {
  static QPointer<TFormAnlage> form;
  static int sprache = 0;
  KeptWindow(form, sprache, [parent] { return new TFormAnlage(parent); });
  if (Statuszeile) form->Statuszeile = Statuszeile;
  const int r = form->Zeige(Seite);
  if (form->Statuszeile) form->Statuszeile(std::string());
  if (PlantChanged) *PlantChanged = form->AnlageGeaendert;
  return r;
}

}  // namespace tav
