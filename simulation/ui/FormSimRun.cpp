#include "simulation/ui/FormSimRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/SysUtilsQt.h"
#include "simulation/ui/FormInfo.h"
#include "simulation/ui/SimCommands.h"

namespace tav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Prozent(float wert) {
  if (!std::isfinite(wert)) return QStringLiteral("_ %");
  return Q(FloatToPointStr(1, 0, wert)) + " %";
}

constexpr float kKeinWert = std::numeric_limits<float>::quiet_NaN();

}  // namespace

TLaufBild::TLaufBild(QWidget* parent) : QWidget(parent) {
  setFixedSize(TLaufDiagramm::kBreite, TLaufDiagramm::kHoehe);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLaufBild::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Diagramm.Zeichne(p, rect());
}

TFormSimRun::TFormSimRun(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSimRun");
  auto knopf = [this](const char* name, QStyle::StandardPixmap bild) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(bild));
    // Enter presses the focused button: F5, Enter (start), Enter (results).
    b->setAutoDefault(true);
    return b;
  };
  BitBtnStart = knopf("BitBtnStart", QStyle::SP_MediaPlay);
  BitBtnPause = knopf("BitBtnPause", QStyle::SP_MediaPause);
  BitBtnCancel = knopf("BitBtnCancel", QStyle::SP_DialogCancelButton);
  BitBtnErgebnisse = knopf("BitBtnErgebnisse", QStyle::SP_FileDialogDetailedView);
  BitBtnKlimgen = knopf("BitBtnKlimgen", QStyle::SP_BrowserReload);
  BitBtnOptionen = knopf("BitBtnOptionen", QStyle::SP_FileDialogContentsView);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->hide();

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName("GroupBox1");
  ImageSimRun = new TLaufBild(GroupBox1);
  ImageSimRun->setObjectName("ImageSimRun");
  Panel1 = new QFrame(GroupBox1);
  Panel1->setObjectName("Panel1");
  auto label = [this](const char* name) {
    auto* l = new QLabel(Panel1);
    l->setObjectName(name);
    return l;
  };
  LDeckungsrateK = label("LDeckungsrateK");
  LDeckungsrateV = label("LDeckungsrateV");
  LWirkungsgradK = label("LWirkungsgradK");
  LWirkungsgradV = label("LWirkungsgradV");
  for (QLabel* v : {LDeckungsrateV, LWirkungsgradV}) {
    QFont f = v->font();
    f.setBold(true);
    v->setFont(f);
    v->setText("_ %");
    v->setMinimumWidth(v->fontMetrics().horizontalAdvance("-0000 %"));
    v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  auto* werte = new QHBoxLayout(Panel1);
  werte->setContentsMargins(TLaufDiagramm::DiagX0, 0, 0, 0);
  werte->addWidget(LDeckungsrateK);
  werte->addWidget(LDeckungsrateV);
  werte->addSpacing(40);
  werte->addWidget(LWirkungsgradK);
  werte->addWidget(LWirkungsgradV);
  werte->addStretch();
  auto* gruppe = new QVBoxLayout(GroupBox1);
  gruppe->addWidget(ImageSimRun);
  gruppe->addWidget(Panel1);

  // The run's buttons on the left, what leads elsewhere on the right.
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BitBtnStart);
  knoepfe->addWidget(BitBtnPause);
  knoepfe->addWidget(BitBtnCancel);
  knoepfe->addStretch();
  knoepfe->addWidget(BitBtnErgebnisse);
  knoepfe->addWidget(BitBtnKlimgen);
  knoepfe->addWidget(BitBtnOptionen);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addLayout(knoepfe);
  layout->addWidget(Label1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(BitBtnStart, &QPushButton::clicked, this, &TFormSimRun::BitBtnStartClick);
  connect(BitBtnPause, &QPushButton::clicked, this, &TFormSimRun::BitBtnPauseClick);
  connect(BitBtnCancel, &QPushButton::clicked, this, &TFormSimRun::BitBtnCancelClick);
  connect(BitBtnErgebnisse, &QPushButton::clicked, this, &TFormSimRun::BitBtnErgebnisseClick);
  connect(BitBtnKlimgen, &QPushButton::clicked, this, &TFormSimRun::BitBtnKlimgenClick);
  connect(BitBtnOptionen, &QPushButton::clicked, this, [this] { ShowSimOpt(this); });
  Beschriften();
}

TFormSimRun::~TFormSimRun() { SetzeBeschaeftigt(false); }

void TFormSimRun::Beschriften() {
  setWindowTitle(Q(T(TX::FormSimRunCaption)));
  GroupBox1->setTitle(Q(T(TX::FormSimRunGroupBox1)));
  BitBtnStart->setText(Q(T(TX::FormSimRunBitBtnStart)));
  BitBtnStart->setToolTip(Q(T(TX::FormSimRunBitBtnStartHint)));
  BitBtnPause->setText(Q(T(TX::FormSimRunBitBtnPause)));
  BitBtnErgebnisse->setText(Q(T(TX::FormSimRunBitBtnErgebnisse)));
  BitBtnKlimgen->setText(Q(T(TX::FormSimRunBitBtnKlimgen)));
  BitBtnKlimgen->setToolTip(Q(T(TX::FormSimRunBitBtnKlimgenHint)));
  BitBtnOptionen->setText(Q(T(TX::FormSimRunBitBtnOptionen)));
  BitBtnCancel->setText(Q(T(TX::ButtonCancel)));
  LDeckungsrateK->setText(Q(T(TX::Deckungsrate) + ":"));
  LWirkungsgradK->setText(Q(T(TX::Wirkungsgrad) + ":"));
}

void TFormSimRun::setVisible(bool visible) {
  if (!visible || isVisible() || laeuft_) {
    QDialog::setVisible(visible);
    return;
  }
  Beschriften();
  Label1->hide();
  G().run.SimFertig = false;
  s_ = std::make_unique<SimState>();
  s_->PauseAktiv = true;
  Bereit();
  BitBtnErgebnisse->setEnabled(false);
  LDeckungsrateV->setText("0 %");
  LWirkungsgradV->setText("0 %");
  LeeresDiagramm();
  layout()->activate();
  QDialog::setVisible(true);
  BitBtnStart->setFocus();
  // Once per showing the pointer goes to Start.
  QTimer::singleShot(3, this, [this] {
    if (isVisible() && !laeuft_) MoveMouseToControl(BitBtnStart, true);
  });
}

void TFormSimRun::Bereit() {
  const auto& hooks = SimCommandHooks();
  BitBtnStart->setEnabled(true);
  BitBtnPause->setEnabled(false);
  BitBtnKlimgen->setEnabled(static_cast<bool>(hooks.Klimgen));
  BitBtnOptionen->setEnabled(true);
}

void TFormSimRun::LeeresDiagramm() {
  ImageSimRun->Diagramm.Leeren(G().plant.SolHeizung, G().plant.Pool);
  ImageSimRun->update();
}

void TFormSimRun::SetzeStatus(const std::string& text) {
  status_ = text;
  if (const auto& hook = SimCommandHooks().StatusText) hook(text);
}

void TFormSimRun::SetzeBeschaeftigt(bool an) {
  if (an == beschaeftigt_) return;
  beschaeftigt_ = an;
  if (an) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TFormSimRun::BitBtnStartClick() {
  if (laeuft_) return;
  auto& g = G();
  // Deliberate: the store may still hold the years of the location before (a synthesis
  // failed): no run on another location's weather. The results of before stay.
  if (const std::string fehlt = WetterFehlt(g); !fehlt.empty()) {
    ergebnis_ = SimErgebnis::Konfigurationsfehler;
    // As after every start that does not finish: the results of before are offered again
    // only through the main window.
    BitBtnErgebnisse->setEnabled(false);
    ShowMessageLines(T(TX::SimKannNichtStarten) + "|" + fehlt);
    BitBtnStart->setFocus();
    return;
  }
  laeuft_ = true;
  s_ = std::make_unique<SimState>();
  s_->PauseAktiv = false;
  g.run.SimFertig = false;
  BitBtnPause->setEnabled(true);
  BitBtnPause->setFocus();
  for (QPushButton* b : {BitBtnStart, BitBtnErgebnisse, BitBtnKlimgen, BitBtnOptionen}) b->setEnabled(false);
  SetzeBeschaeftigt(true);
  LeeresDiagramm();
  SetzeStatus(T(TX::MeldungRechnunglauft));
  MoveMouseToControl(BitBtnPause, true);
  Label1->clear();

  QElapsedTimer uhr;
  uhr.start();
  ergebnis_ = RunSimulation(g, *s_, *this);
  Label1->setText(QString::number(uhr.elapsed()) + " ms");
  laeuft_ = false;
  SetzeBeschaeftigt(false);

  if (ergebnis_ == SimErgebnis::Fertig) {
    FinishSimRun();
    return;
  }
  // Cancelled (the partial sums are no results) or not started (the results stay as they were,
  // and "Ergebnisse" stays off as the start left it: only a finished run offers results here).
  if (!isVisible()) return;  // closed during the run: the closing emptied the status
  SetzeStatus(ergebnis_ == SimErgebnis::Abgebrochen ? T(TX::MeldungRechnungabgebrochen) : std::string());
  // Deliberate: the window is ready for another start (Start, weather, options) after a run
  // that a plant model stopped or the start check refused, instead of keeping the running
  // state with only Pause and Cancel, in which the user could do nothing but close it.
  Bereit();
  BitBtnStart->setFocus();
}

void TFormSimRun::FinishSimRun() {
  auto& g = G();
  g.run.ErgebnisGueltig = true;
  if (const auto& hook = SimCommandHooks().ErgebnisFreigeben) hook(true);
  SetzeStatus(T(TX::MeldungRechnungfertig));
  Bereit();
  BitBtnErgebnisse->setEnabled(g.run.ErgebnisGueltig && static_cast<bool>(SimCommandHooks().ZeigeErgebnisse));
  QPushButton* weiter = BitBtnErgebnisse->isEnabled() ? BitBtnErgebnisse : BitBtnStart;
  weiter->setFocus();
  MoveMouseToControl(weiter, true);
}

void TFormSimRun::BitBtnPauseClick() {
  if (!laeuft_) return;
  if (s_->PauseAktiv) {
    SetzeStatus(T(TX::MeldungRechnunglauft));
    SetzeBeschaeftigt(true);
    s_->PauseAktiv = false;
  } else {
    SetzeStatus(T(TX::MeldungRechnungangehalten));
    SetzeBeschaeftigt(false);
    s_->PauseAktiv = true;
  }
}

void TFormSimRun::BitBtnCancelClick() {
  if (laeuft_ && s_->PauseAktiv) BitBtnPauseClick();
  if (laeuft_) s_->AbbruchAnfrage = true;
  SetzeStatus(T(TX::MeldungRechnungabgebrochen));
  SetzeBeschaeftigt(false);
  done(mrCancel);
}

void TFormSimRun::BitBtnErgebnisseClick() {
  auto& g = G();
  g.run.SimGestartet = true;
  SetzeStatus("");
  if (const auto& hook = SimCommandHooks().ErgebnisFreigeben) hook(true);
  g.run.SimFertig = true;
  done(mrOk);
}

void TFormSimRun::BitBtnKlimgenClick() {
  const auto& hook = SimCommandHooks().Klimgen;
  if (!hook || laeuft_) return;
  BitBtnStart->setEnabled(false);
  BitBtnErgebnisse->setEnabled(false);
  LeeresDiagramm();
  ImageSimRun->repaint();
  auto& run = G().run;
  run.NurWetterdaten = true;
  hook(this);
  run.NurWetterdaten = false;
  BitBtnStart->setEnabled(true);
}

void TFormSimRun::done(int r) {
  if (r != mrOk && s_) {
    // A run going on stops at the end of its day.
    s_->PauseAktiv = false;
    s_->Abbruch = true;
    s_->AbbruchAnfrage = true;
  }
  SetzeStatus("");
  G().run.EnevSimModus = false;
  QDialog::done(r);
}

void TFormSimRun::reject() { done(mrCancel); }

void TFormSimRun::StartJahr(int jahr) {
  if (jahr == 1) {
    // A new pass (the first, or the next of an EnEV calibration) overwrites the results.
    auto& g = G();
    if (g.run.ErgebnisGueltig) {
      g.run.ErgebnisGueltig = false;
      if (const auto& hook = SimCommandHooks().ErgebnisFreigeben) hook(false);
    }
    LeeresDiagramm();
  } else {
    ImageSimRun->Diagramm.ResetDiagrammPunkte();
  }
}

void TFormSimRun::ShowLaufwerte(const SimLaufwerte& werte, const SimState& s) {
  LDeckungsrateV->setText(Prozent(werte.Deckungsrate));
  LWirkungsgradV->setText(Prozent(werte.Wirkungsgrad));
  // A value whose divisor is still 0 (no irradiation, no demand) is no point of a curve.
  const bool sonne = s.MittelEinstrahlung != 0.0f;
  const bool bedarf = s.MittelWWBedarf + s.MittelVerlust != 0.0f;
  ImageSimRun->Diagramm.Laufwerte(G().moment.SimTag, {sonne ? werte.MittelWirkungsgrad : kKeinWert,
                                                      bedarf ? werte.MittelDeckung : kKeinWert,
                                                      bedarf ? werte.MittelDeckungWW : kKeinWert,
                                                      bedarf ? werte.MittelPool : kKeinWert});
  ImageSimRun->update();
}

void TFormSimRun::ProcessEvents(SimState&) { QApplication::processEvents(); }

// The buttons are served during the wait: Pause resumes, Cancel ends the run.
void TFormSimRun::PauseSlice(SimState&, int ms) { DelayWithMessages(ms); }

void TFormSimRun::ZeigeInfo(const std::string& zeilen) {
  // The question waits for the user: no busy pointer over it.
  SetzeBeschaeftigt(false);
  TFormInfo& info = FormInfo();
  info.adjustSize();
  const QRect hier = frameGeometry();
  QPoint ort(hier.right() + 8, hier.top());
  if (const QScreen* screen = this->screen()) {
    const QRect frei = screen->availableGeometry();
    if (ort.x() + info.width() > frei.right()) ort.setX(std::max(frei.left(), hier.left() - info.width() - 8));
  }
  info.move(ort);
  info.Zeige(zeilen);
}

void TFormSimRun::VerbergeInfo() { FormInfo().Verberge(); }

TFormSimRun& FormSimRun() {
  static TFormSimRun* form = new TFormSimRun;
  return *form;
}

}  // namespace tav
