#include "enev/ui/FormEnev.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

#include "enev/EnevBericht.h"
#include "enev/ui/EnevDruck.h"
#include "catalogues/KatalogDialogLogik.h"
#include "foundation/AtomicFile.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "results/ui/RichReport.h"
#include "simulation/DayDriver.h"
#include "simulation/WerteBereiche.h"
#include "foundation/ui/FeldTasten.h"
#include "foundation/ui/SeitenTasten.h"

namespace tav {

namespace {

// The form's own texts.
const char* const kCaption = "EnEV / DIN 4701-10";
const char* const kDinStandard = "DIN-Standardwert";
const char* const kStrich = "–";
const char* const kReferenzOrt = "Normstandort-Würzburg";
const char* const kReferenzStrahlung = "0.79  1.25 2.47 4.06  5.07  5.8   5.9   4.39  3.24  1.8  0.94 0.52";
const char* const kReferenzTemperatur = "-0.1  0.2  5.1  8.7  13.7  16.0  18.6  18.3  14.9  10.3  4.1  1.9";
const char* const kUnbekannterTyp = "unbekannter Anlagentyp";
const char* const kAchtung = "Achtung!";
const char* const kPoolWarnung = "Schwimmbad kann in EnEV-Rechnung \r\nnicht berücksichtigt werden!";
const char* const kZuViel = "300 kWh/a _pro_Quadratmeter_ sind zu viel!";
const char* const kAktiv = "aktiv";
const char* const kGespeichert = "Ergebnisse gespeichert!";
const char* const kFilter = "EnEV-Dateien (*.DAT *.dat)";
const char* const kHinweis[] = {"", "Bitte die Angabe für die Nutzfläche (A N) sowie die weiteren",
                                "Eingangsparameter überprüfen und dann die Berechnung starten!", "",
                                "Die Simulationsrechnung ist nur bei passendem Anlagentyp möglich."};

QString Q(const std::string& t) { return QString::fromStdString(t); }
QString Z(std::uint8_t w, std::uint8_t d, double x) {
  return std::isfinite(x) ? Q(FloatToCommaStr(w, d, static_cast<float>(x))) : QString(kStrich);
}
double Zahl(const QLineEdit* e) {
  std::int32_t code = 0;
  const double v = StrToFloatComma(e->text().toStdString(), code);
  return code == 0 && std::isfinite(v) ? v : 0.0;
}

// The number of a range field's text, whatever its range. Where a text that is no number
// means "not known" (an empty one, "?", the dash the form shows for no value) it is 0;
// elsewhere such a text is no value.
std::optional<double> FeldZahl(const QString& text, bool keineZahlIstNull) {
  const QString t = text.trimmed();
  std::int32_t code = 1;
  double v = 0.0;
  if (!t.isEmpty() && t != QString::fromUtf8(kStrich)) v = StrToFloatComma(t.toStdString(), code);
  if (code != 0) return keineZahlIstNull ? std::optional(0.0) : std::nullopt;
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

// The number of a range field's text within min..max; nothing for any other text.
std::optional<double> BereichsWert(const QString& text, double min, double max, bool keineZahlIstNull) {
  const std::optional<double> v = FeldZahl(text, keineZahlIstNull);
  if (!v || *v < min || *v > max) return std::nullopt;
  return v;
}

QGroupBox* RadioGroup(const char* name, const char* titel, std::initializer_list<const char*> items,
                      bool nebeneinander = false) {
  auto* g = new QGroupBox(QString::fromUtf8(titel));
  g->setObjectName(name);
  QBoxLayout* l = nebeneinander ? static_cast<QBoxLayout*>(new QHBoxLayout(g)) : new QVBoxLayout(g);
  l->setContentsMargins(8, 4, 8, 4);
  l->setSpacing(2);
  auto* bg = new QButtonGroup(g);
  int i = 0;
  for (const char* it : items) {
    auto* r = new QRadioButton(QString::fromUtf8(it));
    r->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
    bg->addButton(r, i++);
    l->addWidget(r);
  }
  return g;
}

QToolButton* DinKnopfNeu(const char* name) {
  auto* b = new QToolButton;
  b->setObjectName(name);
  b->setText(kDinStandard);
  b->setToolTip(kDinStandard);
  b->setCheckable(true);
  return b;
}

}  // namespace

// The exchange file of the data folder, found without regard to case (the outside program
// may spell it "EnEVxSim.dat").
std::string TFormEnev::ExchangeDatei() const {
  return FindFileNoCase(s_.folders.DatenDir, std::string(EnevSimDatei)).string();
}

EnevHooks& EnevCommandHooks() {
  static EnevHooks h;
  return h;
}

TFormEnev* FormEnev(QWidget* parent) {
  // Owned by its parent; made anew should the parent go before the program ends.
  static QPointer<TFormEnev> f;
  if (!f) f = new TFormEnev(G(), enev::EnevProgrammStand(), parent);
  return f;
}

TFormEnev::TFormEnev(TavState& s, enev::EnevStand& stand, QWidget* parent)
    : QDialog(parent), s_(s), st_(stand) {
  setObjectName("FormEnev");
  setWindowTitle(kCaption);
  Build();
  if (s_.run.FirmenVersion) {
    BitBtnEnEVImport->hide();
    BitBtnEnEVExport->hide();
  }
}

// The hide of QDialog's destructor makes a focused field emit editingFinished after the
// fields' list is gone: no handler of the form runs from here on.
TFormEnev::~TFormEnev() {
  for (QObject* teil : findChildren<QObject*>()) QObject::disconnect(teil, nullptr, this, nullptr);
}

int TFormEnev::ItemIndex(QGroupBox* g) {
  auto* bg = g->findChild<QButtonGroup*>();
  return bg ? bg->checkedId() : -1;
}

void TFormEnev::SetItemIndex(QGroupBox* g, int i) {
  if (auto* bg = g->findChild<QButtonGroup*>())
    if (auto* b = bg->button(i)) b->setChecked(true);
}

void TFormEnev::Build() {
  auto* haupt = new QVBoxLayout(this);
  PageControl1 = new QTabWidget;
  PageControl1->setObjectName("PageControl1");
  PageKeys(this, PageControl1);
  haupt->addWidget(PageControl1, 1);

  // --- Page "Eingabedaten": building and store at the left, collector and plant at the right.
  auto* seite = new QWidget;
  seite->setObjectName("TabSheetEingabe");
  auto* spalten = new QHBoxLayout(seite);
  // Each column a widget of its own, so Tab reads one column down before the next.
  const auto spalte = [spalten](const char* name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    spalten->addWidget(w, 1);
    return l;
  };
  QVBoxLayout* links = spalte("SpalteLinks");
  QVBoxLayout* rechts = spalte("SpalteRechts");

  auto edit = [](const char* name, const char* hint) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setToolTip(QString::fromUtf8(hint));
    e->setMaximumWidth(90);
    e->setAlignment(Qt::AlignRight);
    return e;
  };
  auto label = [](const char* name = "") {
    auto* l = new QLabel;
    l->setObjectName(name);
    return l;
  };

  auto* gebaeude = new QGroupBox("Gebäude");
  auto* gg = new QGridLayout(gebaeude);
  // One row of the building group: label (buddy of the field), field, unit.
  const auto zeile = [gg](int r, QLabel* l, QLineEdit* e, const char* einheit) {
    l->setBuddy(e);
    gg->addWidget(l, r, 0);
    gg->addWidget(e, r, 1);
    gg->addWidget(new QLabel(QString::fromUtf8(einheit)), r, 2);
  };
  EditA_N = edit("EditA_N", "A N");
  zeile(0, new QLabel("&Nutzfläche"), EditA_N, "m²");
  EditSumqh = edit("EditSumqh", "Zahlenangabe aus vollständiger ENEV Berechnung oder '?'");
  auto* lS = new QLabel("Summe Heizwärmebedarf\nqh ... + qd + qs");
  lS->setObjectName("LabelSumqh");
  zeile(1, lS, EditSumqh, "kWh/m²a");
  Edit1c = edit("Edit1c", "Grenztemperatur der Heizperiode \"theta HG\"");
  auto* lH = new QLabel("Heizgrenze");
  lH->setObjectName("LabelHeizgrenze");
  zeile(2, lH, Edit1c, "°C");
  gg->setColumnStretch(0, 1);
  links->addWidget(gebaeude);

  RadioGroupZ = RadioGroup("RadioGroupZ", "Warmwasser-Zirkulation", {"mit &Zirkulation", "&ohne Zirkulation"});
  RadioGroupV = RadioGroup("RadioGroupV", "Warmwasserverteilung",
                           {"innerhalb der therm. Hülle", "außerhalb der therm. Hülle"});
  RadioGroupNachheiz = RadioGroup("RadioGroupNachheiz", "Speicher-Nachheizung",
                                  {"&indirekt (Öl- o. Gaskessel o.ä.)", "elek&trisch"}, true);
  RadioGroupS = RadioGroup("RadioGroupS", "Warmwasserspeicher",
                           {"innerhalb der therm. Hülle", "außerhalb der therm. Hülle"}, true);
  auto* zweiGruppen = new QGridLayout;
  zweiGruppen->addWidget(RadioGroupZ, 0, 0);
  zweiGruppen->addWidget(RadioGroupV, 0, 1);
  zweiGruppen->addWidget(RadioGroupS, 1, 0, 1, 2);
  zweiGruppen->addWidget(RadioGroupNachheiz, 2, 0, 1, 2);
  links->addLayout(zweiGruppen);

  auto* speicher = new QGroupBox("Speicher");
  auto* sg = new QGridLayout(speicher);
  LabelVaux = label("LabelVaux");
  LabelVsol = label("LabelVsol");
  sg->addWidget(new QLabel("Bereitschaftsvol."), 0, 0);
  sg->addWidget(LabelVaux, 0, 1);
  sg->addWidget(new QLabel("Liter"), 0, 2);
  sg->addWidget(new QLabel("Solar-Volumen"), 1, 0);
  sg->addWidget(LabelVsol, 1, 1);
  sg->addWidget(new QLabel("Liter"), 1, 2);
  Edit5 = edit("Edit5", "q B,S");
  SpeedButton4 = DinKnopfNeu("SpeedButton4");
  sg->addWidget(new QLabel("Bereitschafts-W.verlust"), 2, 0);
  sg->addWidget(Edit5, 2, 1);
  sg->addWidget(new QLabel("kWh/d"), 2, 2);
  sg->addWidget(SpeedButton4, 2, 3);
  sg->setColumnStretch(0, 1);
  links->addWidget(speicher);

  auto* tw = new QGroupBox("Trinkwassererwärmung");
  tw->setObjectName("GroupBoxTW");
  auto* tg = new QGridLayout(tw);
  tg->addWidget(new QLabel("kWh/a"), 0, 1, Qt::AlignRight);
  tg->addWidget(new QLabel("kWh/m2a"), 0, 2, Qt::AlignRight);
  const char* zeilen[] = {"Q tw", "Q tw,d", "Q tw,s", "Summe"};
  for (int i = 0; i < 4; ++i) {
    tg->addWidget(new QLabel(zeilen[i]), i + 1, 0);
    for (int j = 0; j < 2; ++j) {
      LabelQtw[i][j] = label();
      LabelQtw[i][j]->setObjectName(QStringLiteral("LabelQtw%1%2").arg(i).arg(j));
      LabelQtw[i][j]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (i == 3) LabelQtw[i][j]->setStyleSheet("font-weight: bold");
      tg->addWidget(LabelQtw[i][j], i + 1, j + 1);
    }
  }
  tg->setColumnStretch(0, 1);
  links->addWidget(tw);
  links->addStretch(1);

  auto* koll = new QGroupBox("Kollektortyp");
  auto* kg = new QGridLayout(koll);
  LabelKollName = label("LabelKollName");
  LabelKollName->setWordWrap(true);
  LabelKollName->setTextFormat(Qt::PlainText);
  LabelFKVRK = label("LabelFKVRK");
  kg->addWidget(LabelKollName, 0, 0, 1, 4);
  kg->addWidget(LabelFKVRK, 1, 0, 1, 4);
  EditAC = edit("EditAC", "A C");
  EditAC->setMinimumWidth(70);
  UpDown1 = new TUpDown(1, 200);
  UpDown1->setObjectName("UpDown1");
  SpeedButtonA_C = DinKnopfNeu("SpeedButtonA_C");
  auto* lAC = new QLabel("Kollektorfläc&he");
  lAC->setBuddy(EditAC);
  auto* acZeile = new QHBoxLayout;
  acZeile->setSpacing(2);
  acZeile->addWidget(EditAC);
  acZeile->addWidget(UpDown1);
  kg->addWidget(lAC, 2, 0);
  kg->addLayout(acZeile, 2, 1);
  kg->addWidget(new QLabel("m²"), 2, 2);
  kg->addWidget(SpeedButtonA_C, 2, 3);
  LabelEdit2 = label("LabelEdit2");
  kg->addWidget(LabelEdit2, 3, 1, 1, 3);
  LabelNeigung = label("LabelNeigung");
  LabelAusrichtung = label("LabelAusrichtung");
  LabelSolkreis = label("LabelSolkreis");
  kg->addWidget(new QLabel("Kollektorneigung"), 4, 0);
  kg->addWidget(LabelNeigung, 4, 1);
  kg->addWidget(new QLabel("Kollektorausrichtung"), 5, 0);
  kg->addWidget(LabelAusrichtung, 5, 1);
  kg->addWidget(new QLabel("Länge Solarleitungen"), 6, 0);
  kg->addWidget(LabelSolkreis, 6, 1);
  LabelEta0 = label("LabelEta0");
  Labelk1 = label("Labelk1");
  Labelk2 = label("Labelk2");
  kg->addWidget(new QLabel("Eta 0"), 7, 0);
  kg->addWidget(LabelEta0, 7, 1);
  kg->addWidget(new QLabel("k1"), 8, 0);
  kg->addWidget(Labelk1, 8, 1);
  kg->addWidget(new QLabel("W/m²K"), 8, 2);
  kg->addWidget(new QLabel("k2"), 9, 0);
  kg->addWidget(Labelk2, 9, 1);
  kg->addWidget(new QLabel("W/m²K²"), 9, 2);
  Edit3 = edit("Edit3", "IAM 50°");
  SpeedButton2 = DinKnopfNeu("SpeedButton2");
  auto* lIam = new QLabel("IAM &50°");
  lIam->setBuddy(Edit3);
  kg->addWidget(lIam, 10, 0);
  kg->addWidget(Edit3, 10, 1);
  kg->addWidget(SpeedButton2, 10, 3);
  Edit4 = edit("Edit4", "eff. Wärmekapazität");
  SpeedButton3 = DinKnopfNeu("SpeedButton3");
  kg->addWidget(new QLabel("eff. Wärmekapazität"), 11, 0);
  kg->addWidget(Edit4, 11, 1);
  kg->addWidget(new QLabel("kJ/m²K"), 11, 2);
  kg->addWidget(SpeedButton3, 11, 3);
  for (QLabel* l : {LabelNeigung, LabelAusrichtung, LabelSolkreis, LabelEta0, Labelk1, Labelk2})
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  kg->setColumnStretch(0, 1);
  rechts->addWidget(koll);

  auto* anlage = new QGroupBox("Solaranlagentyp");
  auto* ag = new QVBoxLayout(anlage);
  LabelAnlgName = label("LabelAnlgName");
  ag->addWidget(LabelAnlgName);
  auto* din = new QGroupBox("Anlagentyp nach DIN");
  auto* dl = new QHBoxLayout(din);
  RadioButtonKA = new QRadioButton("\"&Kleine Anlage\"");
  RadioButtonKA->setObjectName("RadioButtonKA");
  RadioButtonGA = new QRadioButton("\"&Große Anlage\"");
  RadioButtonGA->setObjectName("RadioButtonGA");
  dl->addWidget(RadioButtonKA);
  dl->addWidget(RadioButtonGA);
  ag->addWidget(din);
  RadioGroupSolHeiz = RadioGroup("RadioGroupSolHeiz", "Anlagentyp",
                                 {"nur Warmwasserbereitung", "Kombi-Anlage (Solares Heizen)"});
  ag->addWidget(RadioGroupSolHeiz);
  LabelWarn1 = label("LabelWarn1");
  LabelWarn1->setText("\"Ost-West\"-Kollektoranlage");
  LabelWarn2 = label("LabelWarn2");
  LabelWarn2->setText("nicht nach DIN rechenbar");
  for (QLabel* l : {LabelWarn1, LabelWarn2}) {
    l->setStyleSheet("color: #B71C1C; font-weight: bold");
    ag->addWidget(l);
  }
  rechts->addWidget(anlage);
  rechts->addStretch(1);
  PageControl1->addTab(seite, "Eingabedaten");

  // --- Page "Ergebnis".
  auto* erg = new QWidget;
  erg->setObjectName("TabSheetErgebnis");
  auto* el = new QVBoxLayout(erg);
  RichEdit1 = new QTextEdit;
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setTabChangesFocus(true);
  el->addWidget(RichEdit1, 1);
  auto* ek = new QHBoxLayout;
  BitBtnDruck = new QPushButton("&Drucken");
  BitBtnDruck->setObjectName("BitBtnDruck");
  BitBtnCopyText = new QPushButton("Te&xt");
  BitBtnCopyText->setObjectName("BitBtnCopyText");
  BitBtnCopyText->setToolTip("Ergebnistext in Zwischenablage kopieren");
  ek->addStretch(1);
  ek->addWidget(BitBtnCopyText);
  ek->addWidget(BitBtnDruck);
  el->addLayout(ek);
  PageControl1->addTab(erg, "Ergebnis");

  // --- Buttons under the pages.
  auto* unten = new QHBoxLayout;
  BitBtnDIN = new QPushButton("Solarertrag nach DIN 4701-10");
  BitBtnDIN->setObjectName("BitBtnDIN");
  BitBtnSim = new QPushButton("Tavrel-Simulation");
  BitBtnSim->setObjectName("BitBtnSim");
  BitBtnSim->setToolTip("Tavrel-Simulation mit ENEV-Parametern");
  // Deliberate: accelerators apart from "&Drucken", "&Ende" and each other (see the text table).
  BitBtnSimErg = new QPushButton("Detaillierte E&rgebnisse");
  BitBtnSimErg->setObjectName("BitBtnSimErg");
  BitBtnEnEVImport = new QPushButton("EnEV-Daten &laden");
  BitBtnEnEVImport->setObjectName("BitBtnEnEVImport");
  BitBtnEnEVImport->setToolTip("Daten aus EnEVxSim.dat importieren");
  BitBtnEnEVExport = new QPushButton("EnEV-Daten &speichern");
  BitBtnEnEVExport->setObjectName("BitBtnEnEVExport");
  BitBtnEnEVExport->setToolTip("Daten in EnEVxSim.dat exportieren");
  GroupBox5 = new QGroupBox("EnEVxSim.dat");
  GroupBox5->setObjectName("GroupBox5");
  auto* g5 = new QHBoxLayout(GroupBox5);
  LabelEneVxSimStatus = label("LabelEneVxSimStatus");
  g5->addWidget(LabelEneVxSimStatus);
  ButtonEnde = new QPushButton("&Ende");
  ButtonEnde->setObjectName("ButtonEnde");
  for (QWidget* w : std::initializer_list<QWidget*>{BitBtnDIN, BitBtnSim, BitBtnSimErg,
                                                     BitBtnEnEVImport, BitBtnEnEVExport})
    unten->addWidget(w);
  unten->addWidget(GroupBox5);
  unten->addStretch(1);
  unten->addWidget(ButtonEnde);
  haupt->addLayout(unten);
  // No default button: Enter computes only on "Solarertrag nach DIN 4701-10" itself.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

  // --- Behaviour.
  BereichsFelder();
  connect(EditA_N, &QLineEdit::textChanged, this, [this] { EditA_NChange(); });
  for (QLineEdit* e : {EditSumqh, Edit1c})
    connect(e, &QLineEdit::textEdited, this, [this] { Geaendert(); });
  connect(EditSumqh, &QLineEdit::editingFinished, this, [this] { EditSumqhExit(); });
  // Typing in a field releases its DIN button.
  const std::pair<QLineEdit*, QToolButton*> paare[] = {
      {EditAC, SpeedButtonA_C}, {Edit3, SpeedButton2}, {Edit4, SpeedButton3}, {Edit5, SpeedButton4}};
  for (auto [e, b] : paare)
    connect(e, &QLineEdit::textEdited, this, [this, b = b] {
      b->setChecked(false);
      Geaendert();
    });
  for (QToolButton* b : {SpeedButtonA_C, SpeedButton2, SpeedButton3, SpeedButton4})
    connect(b, &QToolButton::clicked, this, [this, b] { DinKnopf(b); });
  for (QGroupBox* g : {RadioGroupZ, RadioGroupV, RadioGroupNachheiz, RadioGroupS})
    connect(g->findChild<QButtonGroup*>(), &QButtonGroup::idClicked, this, [this] { Geaendert(); });
  connect(RadioGroupSolHeiz->findChild<QButtonGroup*>(), &QButtonGroup::idClicked, this,
          [this] { RadioGroupSolHeizClick(); });
  for (QRadioButton* r : {RadioButtonKA, RadioButtonGA})
    connect(r, &QRadioButton::clicked, this, [this] {
      if (fuellen_) return;
      st_.Eingaben.KleineAnlage = RadioButtonKA->isChecked();
      UpdateEnevSimButton();
      Geaendert();
    });
  connect(UpDown1, &TUpDown::geklickt, this, [this](bool up) { StepEnevKollFlaeche(up); });
  connect(BitBtnDIN, &QPushButton::clicked, this, [this] { BitBtnDINClick(); });
  connect(BitBtnSim, &QPushButton::clicked, this, [this] { BitBtnSimClick(); });
  connect(BitBtnSimErg, &QPushButton::clicked, this, [this] {
    if (EnevCommandHooks().Ergebnisse) EnevCommandHooks().Ergebnisse(this);
  });
  connect(BitBtnCopyText, &QPushButton::clicked, this, [this] { BitBtnCopyTextClick(); });
  connect(BitBtnEnEVImport, &QPushButton::clicked, this, [this] { BitBtnEnEVImportClick(); });
  connect(BitBtnEnEVExport, &QPushButton::clicked, this, [this] { BitBtnEnEVExportClick(); });
  connect(ButtonEnde, &QPushButton::clicked, this, [this] { done(2); });
  connect(BitBtnDruck, &QPushButton::clicked, this,
          [this] { PrintEnevBericht(this, s_, st_, s_.run.EnevErgebnisModus); });
  // Enter moves on from a field and presses a focused button (never the default one behind
  // it); Escape goes to "Ende" from every control and closes from there.
  EditFieldKeys(this, ButtonEnde);
  ChoiceEnterKeys(this, ButtonEnde);
  EscapeToButton(this, ButtonEnde);
  // The collector area's own keys (arrows, Enter on to IAM) come first.
  EditAC->installEventFilter(this);
  resize(880, 690);
  setMinimumSize(800, 640);
}

// The number fields and their ranges: those of the exchange file's import (and of the project
// and collector files, whose values the form shows and the run takes), so that the form
// computes, runs and writes back nothing the program would refuse to read. Deliberate: a
// refused text (an empty one too) keeps the value in force, named, instead of counting as 0,
// and the collector area keeps to the collector dialog's bounds, because a blank or 0 gave the
// project 0 m² on closing.
void TFormEnev::BereichsFelder() {
  const WertBereich& heizgrenze = *ProjektWertBereich("Heizgrenztemp");
  const WertBereich& iam = *KollektorWertBereich("IAM50");
  const WertBereich& wkap = *KollektorWertBereich("WkapC");
  using enev::kBereichNutzflaeche, enev::kBereichqBs, enev::kBereichSummeQHeizung,
      enev::kBereichKollektorFlaeche;
  felder_ = {
      {EditA_N, "Nutzfläche", kBereichNutzflaeche.Min, kBereichNutzflaeche.Max, false, {}},
      {EditSumqh, "Summe Heizwärmebedarf", kBereichSummeQHeizung.Min, kBereichSummeQHeizung.Max, true, {}},
      {Edit1c, "Heizgrenze", heizgrenze.Min, heizgrenze.Max, false, {}},
      {Edit5, "Bereitschafts-W.verlust", kBereichqBs.Min, kBereichqBs.Max, false, {}},
      {EditAC, "Kollektorfläche", kBereichKollektorFlaeche.Min, kBereichKollektorFlaeche.Max, false, {}},
      {Edit3, "IAM 50°", iam.Min, iam.Max, false, {}},
      {Edit4, "eff. Wärmekapazität", wkap.Min, wkap.Max, false, {}},
  };
  for (std::size_t i = 0; i < felder_.size(); ++i) {
    // Connected first, so that the text in force is current for every other handler. What the
    // form writes is in force even outside the range (a project's area as its file holds it),
    // so closing gives the project back what it had.
    connect(felder_[i].Edit, &QLineEdit::textChanged, this, [this, i](const QString& text) {
      BereichsFeld& f = felder_[i];
      if (!f.Edit->isModified() && FeldZahl(text, f.KeineZahlIstNull)) f.Gilt = text;
    });
    // The heating demand's own check comes first (EditSumqhExit).
    if (felder_[i].Edit != EditSumqh)
      connect(felder_[i].Edit, &QLineEdit::editingFinished, this, [this, i] { FeldVerlassen(felder_[i]); });
  }
}

TFormEnev::BereichsFeld& TFormEnev::Feld(const QLineEdit* e) {
  return *std::find_if(felder_.begin(), felder_.end(), [e](const BereichsFeld& f) { return f.Edit == e; });
}

double TFormEnev::Wert(const QLineEdit* e) {
  const BereichsFeld& f = Feld(e);
  if (const auto v = BereichsWert(e->text(), f.Min, f.Max, f.KeineZahlIstNull)) return *v;
  return FeldZahl(f.Gilt, f.KeineZahlIstNull).value_or(0.0);
}

void TFormEnev::FeldVerlassen(BereichsFeld& f) {
  if (fuellen_) return;
  const QString text = f.Edit->text().trimmed();
  if (BereichsWert(text, f.Min, f.Max, f.KeineZahlIstNull)) {
    f.Gilt = f.Edit->text();
    return;
  }
  std::int32_t code = 0;
  StrToFloatComma(text.toStdString(), code);
  const QString gilt = f.Gilt.trimmed().isEmpty() ? QStringLiteral("0") : f.Gilt.trimmed();
  const std::string meldung = enev::Abgelehnt(f.Name, text.toStdString(), code == 0, f.Min, f.Max) +
                              "; es gilt " + gilt.toStdString();
  // The text in force goes back before the message takes the focus, so nothing is named twice.
  f.Edit->setText(f.Gilt);
  f.Edit->setFocus();
  ShowMessageLines(meldung);
}

bool TFormEnev::eventFilter(QObject* o, QEvent* e) {
  if (o == EditAC && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
      StepEnevKollFlaeche(k->key() == Qt::Key_Up);
      return true;
    }
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      KeyFocus(Edit3, Qt::TabFocusReason);
      return true;
    }
    if (k->key() == Qt::Key_Escape) {
      KeyFocus(ButtonEnde, Qt::OtherFocusReason);
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

void TFormEnev::ReferenzOrtWaehlen() {
  // The reference climate is built in: it never enters the user's location catalogue, and
  // its weather years live only in the store while the form is open.
  TOrt o;
  o.Name = kReferenzOrt;
  o.GeoBreite = 49.8f;
  o.GeoLaenge = 9.8f;
  o.Hoehe = 259;
  o.Zeitzone = 1;
  o.wsTempZone = 6;
  o.PLZ = "D";
  float werte[12];
  std::uint8_t fehler = 0;
  ParseSingleList(kReferenzStrahlung, 12, fehler, werte);
  for (int m = 1; m <= 12; ++m) o.Einstrahlung[m] = werte[m - 1];
  ParseSingleList(kReferenzTemperatur, 12, fehler, werte);
  for (int m = 1; m <= 12; ++m) o.LuftTemp[m] = werte[m - 1];
  s_.run.SolarklimadatenOK = false;
  if (EnevCommandHooks().OrtWaehlen) EnevCommandHooks().OrtWaehlen(s_, o);
}

void TFormEnev::FormShow() {
  fuellen_ = true;
  offen_ = true;
  const QString drucker = QPrinterInfo::defaultPrinterName();
  BitBtnDruck->setToolTip(drucker.isEmpty() ? QStringLiteral("PDF") : drucker);
  auto& p = s_.plant;
  sich_ = Sicherung{};
  sich_.OrtNr = p.OrtNr;
  sich_.AnlagenTypNr = p.AnlagenTypNr;
  sich_.KollektorFlaeche = p.KollektorFlaeche;
  sich_.KollektorFlaeche2 = p.KollektorFlaeche2;
  sich_.IAM50 = p.KollIAM50;
  sich_.Heizgrenztemp = p.Heizgrenztemp;
  sich_.SpeicherkWert = p.SpeicherkWert;
  sich_.Warmwasserverbrauch = p.Warmwasserverbrauch;
  sich_.Heizwaermebedarf = p.Heizwaermebedarf;
  sich_.HeizQnorm = p.HeizQnorm;
  sich_.SolHeizung = p.SolHeizung;
  sich_.Pool = p.Pool;
  sich_.SolarklimadatenOK = s_.run.SolarklimadatenOK;
  wetter_ = s_.weather.WetterDaten.Werte;
  ReferenzOrtWaehlen();

  auto& e = st_.Eingaben;
  e.Waermekap = p.KollWkapC > 0 ? p.KollWkapC : (p.KollVRK ? 11.0 : 6.4);
  const double v1 = p.Speicher1vol, v2 = p.Speicher2vol;
  double vsol = e.Vsol, vaux = e.Vaux;
  switch (p.AnlagenTypNr) {
    case 1: case 2: case 3: case 7: case 8: vsol = v1 / 2; vaux = v1 / 2; break;
    case 4: vsol = v1 / 2 + v2; vaux = v1 / 2; break;
    case 5: vsol = v2; vaux = v1; break;
    case 6: vsol = vaux = (v1 + v2) / 2; break;
    default: ShowMessageLines(kUnbekannterTyp);
  }
  e.Vsol = std::trunc(vsol * 10) / 10;
  e.Vaux = std::trunc(vaux * 10) / 10;
  QbsDesProjekts();
  if (e.qBS == 0.0) e.qBS = enev::CalcBereitschaftsverlust(e.Vaux, e.Vsol).value_or(0.0);
  FillEnevForm();
  ResetEnevErgebnis();
  PageControl1->setCurrentIndex(0);
  EditA_N->setFocus();
  fuellen_ = false;
  // Deliberate: the 500 m² rule of the circulation is applied once the form is filled, so a
  // stored "ohne Zirkulation" never stands (locked) beside a large building and is never
  // computed with.
  EditA_NChange();
  ShowEnevWerte();
  const bool enevModus = s_.run.EnevStart;
  BitBtnEnEVImport->setVisible(!enevModus && !s_.run.FirmenVersion);
  BitBtnEnEVExport->setVisible(!enevModus && !s_.run.FirmenVersion);
  GroupBox5->setVisible(enevModus);
  LabelEneVxSimStatus->setText(kAktiv);
  UpDown1->SetPosition(20);
}

// Deliberate: q_B,S belongs to the project it was given for; another project (one opened
// since, or named by an imported file) starts from its own DIN value instead of keeping a
// stranger's store loss.
void TFormEnev::QbsDesProjekts() {
  if (st_.qBSProjekt == s_.plant.ProjektName) return;
  auto& e = st_.Eingaben;
  e.qBS = enev::CalcBereitschaftsverlust(e.Vaux, e.Vsol).value_or(0.0);
  st_.qBSProjekt = s_.plant.ProjektName;
}

void TFormEnev::FillEnevForm() {
  const bool warFuellen = fuellen_;
  fuellen_ = true;
  auto& p = s_.plant;
  auto& e = st_.Eingaben;
  for (QToolButton* b : {SpeedButtonA_C, SpeedButton2, SpeedButton3, SpeedButton4}) b->setChecked(false);
  EditA_N->setText(Z(1, 2, e.Nutzflaeche));
  if (p.AnlagenTypNr == 2) {
    p.AnlagenTypNr = 1;
    p.SolHeizung = false;
  }
  LabelAnlgName->setText(p.AnlagenTypNr < AnlagenTypNamen.size()
                             ? Q(std::string(AnlagenTypNamen[p.AnlagenTypNr])) : QString());
  SetItemIndex(RadioGroupSolHeiz, p.SolHeizung ? 1 : 0);
  e.Kombi = p.SolHeizung;
  for (QWidget* w : std::initializer_list<QWidget*>{EditSumqh, Edit1c, findChild<QLabel*>("LabelSumqh"),
                                                   findChild<QLabel*>("LabelHeizgrenze")})
    w->setEnabled(p.SolHeizung);
  BitBtnSim->setEnabled(true);
  kleineAnlageTyp_ = p.AnlagenTypNr != 7;
  e.KleineAnlage = kleineAnlageTyp_;
  (e.KleineAnlage ? RadioButtonKA : RadioButtonGA)->setChecked(true);
  EditSumqh->setText(s_.run.EnevSummeQHeizung == 0 ? QString("?") : Z(1, 2, s_.run.EnevSummeQHeizung));
  Edit1c->setText(Z(1, 0, p.Heizgrenztemp));
  SetItemIndex(RadioGroupZ, e.Zirkulation ? 0 : 1);
  SetItemIndex(RadioGroupV, e.VerteilungInnen ? 0 : 1);
  SetItemIndex(RadioGroupNachheiz, e.NachheizElektrisch ? 1 : 0);
  SetItemIndex(RadioGroupS, e.SpeicherInnen ? 0 : 1);
  LabelKollName->setText(Q(p.Kollektor));  // plain text: "&" shows as it stands
  e.VRK = p.KollVRK;
  LabelFKVRK->setText(p.KollVRK ? "Röhrenkollektor" : "Flachkollektor");
  e.KollFlaeche = p.KollektorFlaeche;
  const bool zwei = p.OstWestKollektor;
  EditAC->setVisible(!zwei);
  UpDown1->setVisible(!zwei);
  SpeedButtonA_C->setVisible(!zwei);
  BitBtnDIN->setEnabled(!zwei);
  LabelWarn1->setVisible(zwei);
  LabelWarn2->setVisible(zwei);
  LabelEdit2->setVisible(zwei);
  if (zwei) {
    LabelEdit2->setText(Z(1, 2, p.KollektorFlaeche) + " + " + Z(1, 2, p.KollektorFlaeche2) + " m²");
    LabelNeigung->setText(Z(3, 1, p.KollektorNeigung) + "/" + Z(3, 1, p.KollektorNeigung2) + "°");
    LabelAusrichtung->setText(Z(3, 1, p.KollektorAzimut) + "/" + Z(3, 1, p.KollektorAzimut2) + "°");
  } else {
    EditAC->setText(Z(1, 2, e.KollFlaeche));
    LabelNeigung->setText(Z(3, 1, p.KollektorNeigung) + "°");
    LabelAusrichtung->setText(Z(3, 1, p.KollektorAzimut) + "°");
  }
  LabelSolkreis->setText(Z(3, 1, 2 * p.Solarkreislaenge) + " m");
  LabelEta0->setText(Z(1, 3, p.KollEta0));
  Labelk1->setText(Z(1, 3, p.KollK1));
  Labelk2->setText(Z(1, 4, p.KollK2));
  e.IAM = p.KollIAM50;
  Edit3->setText(Z(1, 2, e.IAM));
  Edit4->setText(Z(1, 1, e.Waermekap));
  LabelVaux->setText(Z(3, 1, e.Vaux));
  LabelVsol->setText(Z(3, 1, e.Vsol));
  Edit5->setText(Z(1, 2, e.qBS));
  if (p.Pool) {
    Msg().ShowCaptionedMessage(kAchtung, kPoolWarnung, mtWarning, mbOKOnly);
    p.Pool = false;
  }
  fuellen_ = warFuellen;
}

void TFormEnev::ReadEnevForm() {
  auto& p = s_.plant;
  auto& e = st_.Eingaben;
  e.Nutzflaeche = Wert(EditA_N);
  e.KleineAnlage = RadioButtonKA->isChecked();
  s_.run.EnevSummeQHeizung = static_cast<float>(Wert(EditSumqh));  // "?" is 0
  p.Heizgrenztemp = static_cast<float>(Wert(Edit1c));
  e.KollFlaeche = p.OstWestKollektor ? p.KollektorFlaeche + p.KollektorFlaeche2 : Wert(EditAC);
  e.Neigung = p.KollektorNeigung;
  e.Azimut = p.KollektorAzimut;
  e.Rohrlaenge = 2.0 * p.Solarkreislaenge;
  e.IAM = static_cast<float>(Wert(Edit3));
  e.Waermekap = Wert(Edit4);
  e.qBS = Wert(Edit5);
  e.Eta0 = p.KollEta0;
  e.K1 = p.KollK1;
  e.K2 = p.KollK2;
  e.Kombi = ItemIndex(RadioGroupSolHeiz) == 1;
  if (!e.Kombi && p.AnlagenTypNr >= 6 && p.AnlagenTypNr <= 8) p.HeizQnorm = 0;
  e.Zirkulation = ItemIndex(RadioGroupZ) == 0;
  e.VerteilungInnen = ItemIndex(RadioGroupV) == 0;
  e.NachheizElektrisch = ItemIndex(RadioGroupNachheiz) == 1;
  e.SpeicherInnen = ItemIndex(RadioGroupS) == 0;
}

void TFormEnev::ShowEnevWerte() {
  ReadEnevForm();
  auto& r = st_.Ergebnis;
  r = enev::CalcEnevErgebnis(st_.Eingaben);
  if (r.Bedarf) s_.run.EnevSpeicherverlust = r.SpeicherVerlust;
  const double aN = st_.Eingaben.Nutzflaeche;
  const double nan = std::nan("");
  const auto& b = r.Bedarf;
  const double proM2[4] = {b ? 12.5 : nan, b ? b->qTWd : nan, b ? b->qTWs : nan, b ? b->QTW / aN : nan};
  for (int i = 0; i < 4; ++i) {
    LabelQtw[i][0]->setText(Z(8, 1, i == 3 ? (b ? b->QTW : nan) : proM2[i] * aN));
    LabelQtw[i][1]->setText(Z(5, 1, proM2[i]));
  }
}

void TFormEnev::WriteEnevHinweis() {
  RichEdit1->clear();
  QStringList zeilen;
  for (const char* z : kHinweis) zeilen << QString::fromUtf8(z);
  RichEdit1->setPlainText(zeilen.join('\n'));
}

void TFormEnev::ResetEnevErgebnis() {
  WriteEnevHinweis();
  BitBtnCopyText->setEnabled(false);
  BitBtnDruck->setEnabled(false);
  BitBtnSimErg->setEnabled(false);
  LabelEneVxSimStatus->setText(kAktiv);
  s_.run.ErgebnisGueltig = false;
}

void TFormEnev::UpdateEnevSimButton() {
  if (fuellen_) return;
  const auto& p = s_.plant;
  const auto& e = st_.Eingaben;
  const bool pufferTyp = p.AnlagenTypNr >= 6 && p.AnlagenTypNr <= 8;
  BitBtnSim->setEnabled(e.KleineAnlage == kleineAnlageTyp_ &&
                        (e.Kombi == p.SolHeizung || pufferTyp) &&
                        static_cast<bool>(EnevCommandHooks().SimRun));
}

void TFormEnev::Geaendert() {
  if (fuellen_) return;
  ShowEnevWerte();
  ResetEnevErgebnis();
}

void TFormEnev::EditA_NChange() {
  if (fuellen_) return;
  const double a = Wert(EditA_N);
  if (a > 0) {
    if (a < 500) {
      RadioGroupZ->setEnabled(true);
    } else {
      // The DIN table has no figures for large buildings without circulation.
      SetItemIndex(RadioGroupZ, 0);
      RadioGroupZ->setEnabled(false);
    }
  }
  SpeedButtonA_C->setChecked(false);
  Geaendert();
}

void TFormEnev::RadioGroupSolHeizClick() {
  if (fuellen_) return;
  st_.Eingaben.Kombi = ItemIndex(RadioGroupSolHeiz) == 1;
  if (SpeedButtonA_C->isChecked()) {
    ReadEnevForm();
    const auto din = enev::CalcKollFlaecheDIN(st_.Eingaben.VRK, st_.Eingaben.Kombi, st_.Eingaben.Nutzflaeche);
    fuellen_ = true;
    if (din) EditAC->setText(Z(1, 2, *din));
    else SpeedButtonA_C->setChecked(false);
    fuellen_ = false;
  }
  UpdateEnevSimButton();
  for (QWidget* w : std::initializer_list<QWidget*>{EditSumqh, Edit1c, findChild<QLabel*>("LabelSumqh"),
                                                   findChild<QLabel*>("LabelHeizgrenze")})
    w->setEnabled(st_.Eingaben.Kombi);
  Geaendert();
}

void TFormEnev::DinKnopf(QToolButton* b) {
  if (fuellen_) return;
  auto& p = s_.plant;
  auto& e = st_.Eingaben;
  const bool an = b->isChecked();
  fuellen_ = true;
  if (b == SpeedButtonA_C) {
    ReadEnevForm();
    const auto din = enev::CalcKollFlaecheDIN(e.VRK, e.Kombi, e.Nutzflaeche);
    if (an && !din) {
      // No DIN area for this building: the area in force stays.
      b->setChecked(false);
    } else {
      e.KollFlaeche = an ? *din : sich_.KollektorFlaeche;
      EditAC->setText(Z(1, 2, e.KollFlaeche));
    }
  } else if (b == SpeedButton2) {
    e.IAM = an ? (p.KollVRK ? 0.99f : 0.9f) : sich_.IAM50;
    Edit3->setText(Z(1, 2, e.IAM));
  } else if (b == SpeedButton3) {
    if (an) e.Waermekap = p.KollVRK ? 11.0 : 6.4;
    else if (p.KollWkapC > 0) e.Waermekap = p.KollWkapC;
    Edit4->setText(Z(1, 1, e.Waermekap));
  } else if (b == SpeedButton4) {
    if (an) {
      // Without a standby volume there is no DIN value: the loss in force stays.
      qBSVorher_ = Wert(Edit5);
      const auto q = enev::CalcBereitschaftsverlust(e.Vaux, e.Vsol);
      if (q) Edit5->setText(Z(1, 2, *q));
      else b->setChecked(false);
    } else {
      Edit5->setText(Z(1, 2, qBSVorher_));
    }
  }
  fuellen_ = false;
  Geaendert();
}

void TFormEnev::StepEnevKollFlaeche(bool up) {
  const TModulSchritt schritt = StepModuleArea(up, static_cast<float>(Wert(EditAC)), s_.plant.KollModulFlaeche);
  // Within the collector dialog's bounds, as its own steps (a small module's one module
  // would be less than the least area).
  std::string grenze;
  EditAC->setText(Z(1, 2, BegrenzeFlaeche(schritt.Flaeche, grenze)));
  SpeedButtonA_C->setChecked(false);
  UpDown1->SetPosition(schritt.Anzahl);
  EditAC->setFocus();
  Geaendert();
}

void TFormEnev::EditSumqhExit() {
  if (fuellen_) return;
  const double v = Zahl(EditSumqh);
  s_.run.EingabeWert = v;
  if (v > enev::kBereichSummeQHeizung.Max) {
    // The field holds its new value before the message takes the focus, which leaves it again.
    EditSumqh->setText("60");
    EditSumqh->setFocus();
    ShowMessageLines(kZuViel);
    Geaendert();
    return;
  }
  FeldVerlassen(Feld(EditSumqh));
}

void TFormEnev::WriteEnevBericht() {
  ShowReport(RichEdit1, enev::EnevBericht(s_, st_, s_.run.EnevErgebnisModus, false), s_.print.AnzeigeFont);
  RichEdit1->moveCursor(QTextCursor::Start);
}

void TFormEnev::BitBtnDINClick() {
  ReadEnevForm();
  st_.Ergebnis = enev::CalcEnevErgebnis(st_.Eingaben);
  s_.run.EnevErgebnisModus = enev::kEnevAuswertung;
  WriteEnevBericht();
  BitBtnCopyText->setEnabled(true);
  BitBtnDruck->setEnabled(true);
  BitBtnSimErg->setEnabled(false);
  PageControl1->setCurrentIndex(1);
}

void TFormEnev::BitBtnSimClick() {
  auto& h = EnevCommandHooks();
  if (!h.SimRun) return;
  auto& p = s_.plant;
  auto& run = s_.run;
  auto& e = st_.Eingaben;
  run.EnevErgebnisModus = enev::kEnevSimulation;
  ReadEnevForm();
  auto r = enev::CalcEnevErgebnis(e);
  if (!r.Bedarf) {
    ShowEnevWerte();
    return;
  }
  if (!p.OstWestKollektor) {
    p.KollektorFlaeche = static_cast<float>(e.KollFlaeche);
    p.KollektorFlaecheGesamt = p.KollektorFlaeche;
  }
  p.KollIAM50 = e.IAM;
  if (run.EnevSummeQHeizung > 0) {
    p.Heizwaermebedarf = static_cast<float>(e.Nutzflaeche * run.EnevSummeQHeizung * 1000.0);
    if (p.AnlagenTypNr >= 6 && p.AnlagenTypNr <= 8 && e.Kombi) {
      for (int m = 1; m <= 13; ++m) s_.results.HeizbedarfMonat[m] = 0;
      // The demand spread over the months as a design load of 1000 W at -12 °C gives the
      // design load that yields the annual demand.
      CalcHeizbedarfMonat(s_.results, s_.loc, 1000.0f, -12.0f, p.Heizgrenztemp);
      const double h13 = s_.results.HeizbedarfMonat[13];
      if (h13 > 0) p.HeizQnorm = static_cast<float>(std::round(p.Heizwaermebedarf * 1000.0 / h13 / 100.0) * 100.0);
    }
  }
  const auto& b = *r.Bedarf;
  p.Warmwasserverbrauch = static_cast<float>((12.5 + b.qTWd) * e.Nutzflaeche / 365.0 * 1000.0);
  st_.Ergebnis = r;
  // The run calibrates store 1's loss coefficient against the DIN storage loss.
  run.EnevSpeicherverlust = r.SpeicherVerlust;
  run.EnevSimModus = true;
  run.EnevAbgleich = true;
  run.SimGestartet = false;
  run.RechenModus = 3;
  run.ErgebnisGueltig = false;
  const bool fertig = h.SimRun(this);
  run.EnevSimModus = false;
  run.EnevAbgleich = false;
  if (p.AnlagenTypNr >= 6 && p.AnlagenTypNr <= 8 && p.HeizQnorm == 0) p.SolHeizung = false;
  if (!fertig || !run.ErgebnisGueltig) return;
  run.EnevSimQTW = static_cast<float>((12.5 + b.qTWd) * e.Nutzflaeche + r.SpeicherVerlust);
  double tw = 0, hz = 0;
  for (int m = 1; m <= 12; ++m) {
    const double ertrag = s_.results.SolarertragMonat[m];
    const double heizen = p.SolHeizung ? s_.results.SolHeizenMonat[m] : 0.0;
    tw += ertrag - heizen;
    hz += heizen;
  }
  run.EnevSimQTWsol = static_cast<float>(tw / 1000.0);
  run.EnevSimQHsol = static_cast<float>(hz / 1000.0);
  run.EnevSimqHsol = static_cast<float>(run.EnevSimQHsol / e.Nutzflaeche);
  run.EnevSimAlphaTW = run.EnevSimQTW > 0 ? run.EnevSimQTWsol / run.EnevSimQTW : 0.0f;
  WriteEnevBericht();
  BitBtnCopyText->setEnabled(true);
  BitBtnDruck->setEnabled(true);
  BitBtnSimErg->setEnabled(static_cast<bool>(h.Ergebnisse));
  PageControl1->setCurrentIndex(1);
  if (run.EnevStart) {
    ReadEnevForm();
    if (enev::WriteEnevSimDatei(ExchangeDatei(), s_, st_))
      LabelEneVxSimStatus->setText(kGespeichert);
  }
}

void TFormEnev::BitBtnCopyTextClick() {
  const enev::EnevStand& st = st_;
  const TReport b = enev::EnevBericht(s_, st, s_.run.EnevErgebnisModus, true);
  QTextEdit tmp;
  ShowReport(&tmp, b, s_.print.AnzeigeFont);
  QFont f(Q(s_.print.AnzeigeFont), 11);
  tmp.selectAll();
  tmp.setCurrentFont(f);
  auto* mime = new QMimeData;
  mime->setHtml(tmp.document()->toHtml());
  mime->setText(Q(b.PlainText()));
  QApplication::clipboard()->setMimeData(mime);
}

void TFormEnev::BitBtnEnEVImportClick() {
  PageControl1->setCurrentIndex(0);
  const QString ordner = Q(s_.settings.EnEVDir);
  const QString datei = OeffnenDialog ? OeffnenDialog("EnEV-Daten laden", ordner, "enevxsim.dat", kFilter)
                                      : QString();
  if (!datei.isEmpty()) {
    // A project the file changes (collector area, tilt...) has results no longer its own.
    const bool vorher = s_.run.ProjektGeaendert;
    s_.run.ProjektGeaendert = false;
    enev::ImportEnevDaten(datei.toStdString(), s_, st_, NullStatus());
    QbsDesProjekts();
    const bool geaendert = s_.run.ProjektGeaendert;
    s_.run.ProjektGeaendert = vorher || geaendert;
    if (geaendert && EnevCommandHooks().ProjektGeaendert) EnevCommandHooks().ProjektGeaendert();
    s_.settings.EnEVDir = QFileInfo(datei).absolutePath().toStdString() + "/";
  }
  fuellen_ = true;
  FillEnevForm();
  fuellen_ = false;
  EditA_NChange();  // the 500 m² rule after filling, as on show
  ShowEnevWerte();
  ResetEnevErgebnis();
}

void TFormEnev::BitBtnEnEVExportClick() {
  ReadEnevForm();
  st_.Ergebnis = enev::CalcEnevErgebnis(st_.Eingaben);
  const QString ordner = Q(s_.settings.EnEVDir);
  QString datei = SpeichernDialog ? SpeichernDialog("EnEV-Daten speichern", ordner, "enevxsim.dat", kFilter)
                                  : QString();
  if (datei.isEmpty()) return;
  if (QFileInfo(datei).suffix().isEmpty()) datei += ".dat";
  s_.settings.EnEVDir = QFileInfo(datei).absolutePath().toStdString() + "/";
  enev::WriteEnevSimDatei(datei.toStdString(), s_, st_);
}

int TFormEnev::Ausfuehren() {
  FormShow();
  const int r = exec();
  FormClose();
  return r;
}

void TFormEnev::closeEvent(QCloseEvent* e) { QDialog::closeEvent(e); }

void TFormEnev::FormClose() {
  if (!offen_) return;
  offen_ = false;
  auto& p = s_.plant;
  bool flaecheGeaendert = false;
  if (!p.OstWestKollektor) {
    // A field still showing the area as it came keeps the area exact: the field's two
    // decimals must not round the project's figure and mark it changed.
    const bool wieGekommen = EditAC->text() == Z(1, 2, sich_.KollektorFlaeche);
    const float neu = wieGekommen ? sich_.KollektorFlaeche : static_cast<float>(Wert(EditAC));
    flaecheGeaendert = neu != sich_.KollektorFlaeche;
    p.KollektorFlaeche = neu;
  }
  if (s_.run.EnevStart) {
    ReadEnevForm();
    st_.Ergebnis = enev::CalcEnevErgebnis(st_.Eingaben);
    enev::WriteEnevSimDatei(ExchangeDatei(), s_, st_);
  }
  p.AnlagenTypNr = sich_.AnlagenTypNr;
  p.KollektorFlaeche2 = sich_.KollektorFlaeche2;
  p.KollIAM50 = sich_.IAM50;
  p.Heizgrenztemp = sich_.Heizgrenztemp;
  p.SpeicherkWert = sich_.SpeicherkWert;
  p.Warmwasserverbrauch = sich_.Warmwasserverbrauch;
  p.Heizwaermebedarf = sich_.Heizwaermebedarf;
  p.HeizQnorm = sich_.HeizQnorm;
  p.SolHeizung = sich_.SolHeizung;
  p.Pool = sich_.Pool;
  p.KollektorFlaecheGesamt = p.OstWestKollektor ? p.KollektorFlaeche + p.KollektorFlaeche2 : p.KollektorFlaeche;
  // The store and its flag go back together: years the project's location never had (its
  // synthesis failed before) must not become valid by this form closing.
  s_.weather.WetterDaten.Werte = wetter_;
  s_.run.SolarklimadatenOK = sich_.SolarklimadatenOK;
  p.OrtNr = sich_.OrtNr;
  if (EnevCommandHooks().OrtWaehlen && sich_.OrtNr >= 1 && sich_.OrtNr <= s_.cat.OrtAnzahl)
    EnevCommandHooks().OrtWaehlen(s_, s_.cat.Orte[sich_.OrtNr]);
  s_.run.EnevErgebnisModus = 2;
  if (flaecheGeaendert) {
    s_.run.ProjektGeaendert = true;
    if (EnevCommandHooks().ProjektGeaendert) EnevCommandHooks().ProjektGeaendert();
  }
}

}  // namespace tav
