#include "simulation/ui/FormMoment.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/Drucken.h"
#include "foundation/ui/FeldTasten.h"
#include "simulation/SolarPhysics.h"
#include "simulation/ui/SimCommands.h"

namespace tav {

namespace {

// Messages of the tool's entries.
constexpr const char* kDatumFalsch = "Bitte ein korrektes Datum eingeben";
constexpr const char* kZeitFalsch = "Bitte eine korrekte Uhrzeit eingeben";
constexpr const char* kTFakFalsch = "Bitte passenden Wert von 2 ... 20 eingeben";
constexpr const char* kRLFalsch = "Bitte passenden Wert von -50 ... 400 eingeben";
constexpr const char* kTAFalsch = "Bitte passenden Wert von -50 ... 100 eingeben";
constexpr const char* kNgFalsch = "Bitte passenden Wert von 0 .. 90 eingeben";
// Night colours of the report and the picture.
const QColor kNachtBericht(0, 0, 105);
const QColor kNachtBild(0, 0, 108);
constexpr int kBildBreite = 424, kBildHoehe = 151;
constexpr int kX0 = 22, kY0 = 30;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Zahl(double x, int stellen) { return Q(FloatToCommaStr(1, static_cast<std::uint8_t>(stellen), static_cast<float>(x))); }
QString Zwei(int n) { return QString::number(n).rightJustified(2, '0'); }

QPointF Himmel(double azimut, double hoehe) { return {kX0 + 180.0 + azimut, kY0 + 90.0 - hoehe}; }

void Kreuz(QPainter& g, QPointF p, const QString& text) {
  g.drawLine(p + QPointF(-5, 0), p + QPointF(5, 0));
  g.drawLine(p + QPointF(0, -5), p + QPointF(0, 5));
  if (!text.isEmpty()) g.drawText(p + QPointF(7, -3), text);
}

void Himmelsbild(QPainter& g, const MomentErgebnis& r, const LocationState& loc, const PlantState& p,
                 const MomentEingabe& e) {
  g.fillRect(QRect(0, 0, kBildBreite, kBildHoehe), Qt::white);
  QFont f = g.font();
  f.setPixelSize(10);
  g.setFont(f);
  if (p.SkyMapAktiv) {
    for (int sektor = 1; sektor <= 72; ++sektor)
      for (int band = 1; band <= 18; ++band) {
        if (!p.SkyMapDaten[static_cast<std::size_t>((sektor - 1) * 18 + band - 1)]) continue;
        const double az = KompassAzimut(-180.0 + (sektor - 1) * 5.0 + 2.5, loc.GeoBreite) - 2.5;
        const QPointF ecke = Himmel(az, band * 5.0);
        g.fillRect(QRectF(ecke, QSizeF(5, 5)), QColor(192, 192, 192));
      }
  }
  g.setPen(QColor(128, 128, 128));
  for (int i = 1; i <= 2; ++i) g.drawLine(QPointF(kX0, kY0 + 30 * i), QPointF(kX0 + 361, kY0 + 30 * i));
  for (int i = 1; i <= 11; ++i) g.drawLine(QPointF(kX0 + 30 * i, kY0), QPointF(kX0 + 30 * i, kY0 + 91));
  g.setPen(Qt::black);
  g.drawPolyline(QPolygonF({QPointF(kX0, kY0), QPointF(kX0, kY0 + 91), QPointF(kX0 + 361, kY0 + 91),
                            QPointF(kX0 + 361, kY0)}));
  for (int i = 0; i < 3; ++i) g.drawText(QPointF(2, kY0 + 30 * i + 4), QString("%1°").arg(90 - 30 * i));
  // The initials of the compass points in the program's language ("O" for Ost, "E" for East).
  const TX himmelsrichtung[] = {TX::Nord, TX::Ost, TX::Sued, TX::West, TX::Nord};
  for (int i = 0; i < 5; ++i)
    g.drawText(QPointF(18 + 90 * i, kY0 + 104), QString::fromStdString(T(himmelsrichtung[i])).left(1));

  // Collector orientation.
  double kAz = e.Azimut, kNg = e.Neigung;
  switch (e.Montage) {
    case 2:
      kAz = r.SonnenAzimut + 0.1;
      break;
    case 3:
      kAz = r.NachfAzimut;
      kNg = r.NachfNeigung;
      break;
    case 4:
      kAz = r.SonnenAzimut + 1.0;
      kNg = 90.0 - std::max(r.SonnenHoehe, 0.0) + 1.0;
      break;
    default:
      break;
  }
  kAz = KompassAzimut(kAz, loc.GeoBreite);
  g.setPen(QPen(Qt::blue, 1));
  const QString kollektor = Q(T(TX::MomentKollektorausrichtung));
  Kreuz(g, Himmel(kAz, kNg), QString());
  Kreuz(g, QPointF(255, 14), QString());
  g.drawText(QPointF(264, 11), kollektor);

  // Sun path and the sun of the instant.
  g.setPen(QPen(Qt::red, 1));
  const auto bahn = Sonnenbahn(r, loc);
  for (std::size_t i = 1; i < bahn.size(); ++i) {
    // A path that crosses north (azimuth ±180) continues at the other edge.
    if (std::fabs(bahn[i].Azimut - bahn[i - 1].Azimut) > 180.0) continue;
    g.drawLine(Himmel(bahn[i - 1].Azimut, bahn[i - 1].Hoehe), Himmel(bahn[i].Azimut, bahn[i].Hoehe));
  }
  if (!r.Nacht) {
    Kreuz(g, Himmel(r.SonnenAzimutKompass, r.SonnenHoehe), QString());
    g.drawText(QPointF(kX0 + 2, 14), Q(T(TX::MomentSonnenposition)) + ": " + Zahl(r.SonnenHoehe, 1) + "° / " +
                                         Zahl(r.SonnenAzimutKompass, 1) + "°");
  }
}

void Mondbild(QPainter& g, const MomentErgebnis& r, const MomentEingabe& e) {
  g.fillRect(QRect(0, 0, kBildBreite, kBildHoehe), kNachtBild);
  QFont f = g.font();
  f.setPixelSize(11);
  g.setFont(f);
  g.setPen(Qt::white);
  g.drawText(QPointF(4, 14), "Mondphase am " + Q(DateToDotStr(e.Tag, e.Monat, e.Jahr)));
  const double cx = 200, cy = 70, rad = 40;
  g.setPen(QColor(192, 192, 192));
  QPointF alt(cx + rad, cy);
  for (int i = 1; i <= 60; ++i) {
    const QPointF neu(cx + std::trunc(rad * CosG(6.0 * i)), cy + std::trunc(rad * SinG(6.0 * i)));
    g.drawLine(alt, neu);
    alt = neu;
  }
  g.setPen(QPen(Qt::white, 1));
  auto bogen = [&](double winkel) {
    const double fak = CosG(winkel);
    QPointF vor(cx, cy - rad);
    for (int j = 1; j <= 10; ++j) {
      const QPointF p(cx + std::trunc(rad * SinG(18.0 * j) * fak), cy - std::trunc(rad * CosG(18.0 * j)));
      g.drawLine(vor, p);
      vor = p;
    }
  };
  const double phase = r.MondPhase;
  if (phase <= 180.0) {
    for (int w = 1; w <= std::lround(phase); ++w) bogen(w);
    bogen(phase);
  } else {
    const double p2 = phase - 180.0;
    for (int w = 180; w >= std::lround(p2); --w) bogen(w);
    bogen(p2);
  }
}

}  // namespace

void MomentGrafik(QPainter& painter, const QRect& rect, const MomentEingabe& e, const MomentErgebnis& r,
                  const LocationState& loc, const PlantState& p) {
  painter.save();
  painter.translate(rect.topLeft());
  painter.scale(static_cast<double>(rect.width()) / kBildBreite, static_cast<double>(rect.height()) / kBildHoehe);
  painter.setClipRect(QRect(0, 0, kBildBreite, kBildHoehe));
  if (r.Tagansicht) {
    Himmelsbild(painter, r, loc, p, e);
  } else {
    Mondbild(painter, r, e);
  }
  painter.restore();
}

void MomentDruck(TDruckBlatt& seite, const std::vector<MomentZeile>& zeilen) {
  const int anteile[4] = {100, 170, 240, 320};
  std::array<int, 4> spalte{};
  for (std::size_t i = 0; i < 4; ++i)
    spalte[i] = static_cast<int>(std::lround(seite.SB() * anteile[i] / 393.0));
  seite.P.setPen(Qt::black);
  seite.P.setBrush(Qt::NoBrush);
  int n = 2;
  for (const auto& z : zeilen) {
    seite.Schrift(z.Kopf ? 2 : 0, z.Kopf);
    const QStringList teile = Q(z.Text).split('\t');
    for (int i = 0; i < teile.size(); ++i) {
      const int x = i == 0 ? seite.RL() : seite.RL() + spalte[static_cast<std::size_t>(std::min(i - 1, 3))];
      // On paper each part starts at its column: no blanks before it, none doubled in it.
      const QString teil = teile[i].simplified();
      if (!teil.isEmpty()) seite.Text(x, n * seite.ZH(), teil);
    }
    // The heading stands apart from the lines around it.
    n += z.Kopf ? 2 : 1;
  }
  // The footer of every printed page: owner line, date and page.
  seite.Schrift(0);
  seite.Fuss(59, 1);
}

TFormMoment::TFormMoment(QWidget* parent) : QDialog(parent) {
  setObjectName("FormMoment");
  auto name = [](QObject* o, const char* n) { o->setObjectName(n); };
  auto zahlFeld = [this, &name](const char* n, int breite) {
    auto* e = new QLineEdit(this);
    name(e, n);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(breite, '0')) + 14);
    e->setAlignment(Qt::AlignRight);
    e->installEventFilter(this);
    return e;
  };
  RadioButton1 = new QRadioButton(this);
  RadioButton2 = new QRadioButton(this);
  RadioButton3 = new QRadioButton(this);
  RadioButton4 = new QRadioButton(this);
  RadioButton5 = new QRadioButton(this);
  RadioButton6 = new QRadioButton(this);
  const char* rbNamen[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5", "RadioButton6"};
  QRadioButton* rbs[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6};
  for (int i = 0; i < 6; ++i) name(rbs[i], rbNamen[i]);
  RadioButton1->setChecked(true);
  MaskEditDatum = zahlFeld("MaskEditDatum", 6);
  MaskEditDatum->setInputMask("99.99.");
  MaskEditDatum->setEnabled(false);
  TrackBarNT = new QSlider(Qt::Horizontal, this);
  name(TrackBarNT, "TrackBarNT");
  TrackBarNT->setRange(1, 365);
  TrackBarNT->setPageStep(30);
  TrackBarNT->setTickPosition(QSlider::TicksBelow);
  TrackBarNT->setTickInterval(30);
  Label2 = new QLabel(this);
  name(Label2, "Label2");
  MaskEditZeit = zahlFeld("MaskEditZeit", 5);
  MaskEditZeit->setInputMask("99:99");
  Label2->setBuddy(MaskEditZeit);
  UpDown1 = new TUpDown(0, 95, this);
  name(UpDown1, "UpDown1");
  TrackBarZeit = new QSlider(Qt::Horizontal, this);
  name(TrackBarZeit, "TrackBarZeit");
  TrackBarZeit->setRange(0, 95);
  TrackBarZeit->setPageStep(4);
  TrackBarZeit->setTickPosition(QSlider::TicksBelow);
  TrackBarZeit->setTickInterval(12);
  Label4 = new QLabel(this);
  name(Label4, "Label4");
  EditTFak = zahlFeld("EditTFak", 4);
  Label4->setBuddy(EditTFak);
  TrackBarTFak = new QSlider(Qt::Horizontal, this);
  name(TrackBarTFak, "TrackBarTFak");
  TrackBarTFak->setRange(2, 20);
  TrackBarTFak->setTickPosition(QSlider::TicksBelow);
  TrackBarTFak->setTickInterval(2);
  Label5 = new QLabel(this);
  name(Label5, "Label5");
  Label6 = new QLabel(this);
  name(Label6, "Label6");
  Label7 = new QLabel(this);
  name(Label7, "Label7");
  EditRL = zahlFeld("EditRL", 5);
  Label7->setBuddy(EditRL);
  UpDownRL = new TUpDown(0, 150, this);
  name(UpDownRL, "UpDownRL");
  CheckBox1 = new QCheckBox(this);
  name(CheckBox1, "CheckBox1");
  Label9 = new QLabel(this);
  name(Label9, "Label9");
  EditTA = zahlFeld("EditTA", 5);
  Label9->setBuddy(EditTA);
  CheckBoxTA = new QCheckBox(this);
  name(CheckBoxTA, "CheckBoxTA");
  CheckBoxTA->setChecked(true);
  Label11 = new QLabel(this);
  name(Label11, "Label11");
  EditNg = zahlFeld("EditNg", 4);
  Label11->setBuddy(EditNg);
  // Tied to its field: a step starts from the tilt typed there and writes the new one back.
  UpDownNg = new TUpDown(EditNg, 0, 90, 1, this);
  name(UpDownNg, "UpDownNg");
  LabelNg = new QLabel(this);
  name(LabelNg, "LabelNg");
  CheckBox2 = new QCheckBox(this);
  name(CheckBox2, "CheckBox2");
  RichEdit1 = new QTextEdit(this);
  name(RichEdit1, "RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setTabChangesFocus(true);
  RichEdit1->setMinimumSize(470, 300);
  Image1 = new QLabel(this);
  name(Image1, "Image1");
  Image1->setFixedSize(kBildBreite, kBildHoehe);
  BitBtnDruck = new QPushButton(this);
  name(BitBtnDruck, "BitBtnDruck");
  BitBtn2 = new QPushButton(this);
  name(BitBtn2, "BitBtn2");
  BitBtn3 = new QPushButton(this);
  name(BitBtn3, "BitBtn3");
  ButtonEnde = new QPushButton(this);
  name(ButtonEnde, "ButtonEnde");
  ButtonEnde->setDefault(false);
  ButtonEnde->setAutoDefault(false);
  for (auto* b : {BitBtnDruck, BitBtn2, BitBtn3}) b->setAutoDefault(false);

  // Layout: the entries on the left, report and picture on the right, buttons below.
  // Each column a widget of its own, so Tab reads the inputs down before the report beside.
  auto* spalteLinks = new QWidget(this);
  spalteLinks->setObjectName("SpalteLinks");
  auto* links = new QVBoxLayout(spalteLinks);
  links->setContentsMargins(0, 0, 0, 0);
  auto* datum = new QGroupBox(this);
  auto* dl = new QGridLayout(datum);
  for (int i = 0; i < 5; ++i) dl->addWidget(rbs[i], i, 0, 1, 2);
  dl->addWidget(RadioButton6, 5, 0);
  dl->addWidget(MaskEditDatum, 5, 1, Qt::AlignLeft);
  dl->addWidget(TrackBarNT, 6, 0, 1, 2);
  links->addWidget(datum);
  auto* zeit = new QGridLayout;
  zeit->addWidget(Label2, 0, 0);
  auto* zeitFeld = new QHBoxLayout;
  zeitFeld->setSpacing(1);
  zeitFeld->addWidget(MaskEditZeit);
  zeitFeld->addWidget(UpDown1);
  zeitFeld->addStretch();
  zeit->addLayout(zeitFeld, 0, 1);
  zeit->addWidget(TrackBarZeit, 1, 0, 1, 2);
  zeit->addWidget(Label4, 2, 0);
  zeit->addWidget(EditTFak, 2, 1, Qt::AlignLeft);
  auto* tfak = new QHBoxLayout;
  tfak->addWidget(Label5);
  tfak->addWidget(TrackBarTFak, 1);
  tfak->addWidget(Label6);
  zeit->addLayout(tfak, 3, 0, 1, 2);
  zeit->addWidget(Label7, 4, 0);
  auto* rl = new QHBoxLayout;
  rl->setSpacing(1);
  rl->addWidget(EditRL);
  rl->addWidget(UpDownRL);
  rl->addStretch();
  zeit->addLayout(rl, 4, 1);
  zeit->addWidget(CheckBox1, 5, 0, 1, 2);
  zeit->addWidget(Label9, 6, 0);
  zeit->addWidget(EditTA, 6, 1, Qt::AlignLeft);
  zeit->addWidget(CheckBoxTA, 7, 0, 1, 2);
  zeit->addWidget(Label11, 8, 0);
  auto* ng = new QHBoxLayout;
  ng->setSpacing(1);
  ng->addWidget(EditNg);
  ng->addWidget(UpDownNg);
  ng->addSpacing(6);
  ng->addWidget(LabelNg);
  ng->addStretch();
  zeit->addLayout(ng, 8, 1);
  zeit->addWidget(CheckBox2, 9, 0, 1, 2);
  links->addLayout(zeit);
  links->addStretch();
  auto* spalteRechts = new QWidget(this);
  spalteRechts->setObjectName("SpalteRechts");
  auto* rechts = new QVBoxLayout(spalteRechts);
  rechts->setContentsMargins(0, 0, 0, 0);
  rechts->addWidget(RichEdit1, 1);
  rechts->addWidget(Image1, 0, Qt::AlignHCenter);
  auto* oben = new QHBoxLayout;
  oben->addWidget(spalteLinks);
  oben->addWidget(spalteRechts, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  for (auto* b : {BitBtnDruck, BitBtn2, BitBtn3, ButtonEnde}) knoepfe->addWidget(b);
  auto* alles = new QVBoxLayout(this);
  alles->addLayout(oben, 1);
  alles->addLayout(knoepfe);

  // Handlers.
  const QDate heute = QDate::currentDate();
  jahr_ = heute.year();
  auto preset = [this](int tag, int monat) {
    if (aufbau_) return;
    MaskEditDatum->setEnabled(false);
    SetzeDatum(tag, monat);
    Berechne();
  };
  connect(RadioButton1, &QRadioButton::clicked, this, [preset, heute] { preset(heute.day(), heute.month()); });
  connect(RadioButton2, &QRadioButton::clicked, this, [preset] { preset(21, 3); });
  connect(RadioButton3, &QRadioButton::clicked, this, [preset] { preset(21, 6); });
  connect(RadioButton4, &QRadioButton::clicked, this, [preset] { preset(23, 9); });
  connect(RadioButton5, &QRadioButton::clicked, this, [preset] { preset(21, 12); });
  connect(RadioButton6, &QRadioButton::clicked, this, [this] {
    MaskEditDatum->setEnabled(true);
    MaskEditDatum->setFocus();
  });
  connect(MaskEditDatum, &QLineEdit::editingFinished, this, [this] { Berechne(); });
  connect(TrackBarNT, &QSlider::valueChanged, this, [this](int n) { TagGeschoben(n); });
  connect(UpDown1, &TUpDown::geklickt, this, [this](bool auf) {
    ZeitSchritt(auf ? 1 : -1);
    MaskEditZeit->setFocus();
  });
  connect(TrackBarZeit, &QSlider::valueChanged, this, [this](int v) {
    if (aufbau_) return;
    SetzeZeit(v);
    Berechne();
  });
  connect(MaskEditZeit, &QLineEdit::editingFinished, this, [this] { Berechne(); });
  connect(TrackBarTFak, &QSlider::valueChanged, this, [this](int v) {
    if (aufbau_) return;
    truebung_ = v;
    EditTFak->setText(Zahl(v, 1));
    Berechne();
  });
  connect(EditTFak, &QLineEdit::editingFinished, this, [this] {
    if (LiesZahl(EditTFak, 2.0, 20.0, kTFakFalsch, truebung_)) {
      const bool vorher = aufbau_;
      aufbau_ = true;
      TrackBarTFak->setValue(static_cast<int>(std::lround(truebung_)));
      aufbau_ = vorher;
      Berechne();
    }
  });
  connect(EditRL, &QLineEdit::editingFinished, this, [this] {
    if (LiesZahl(EditRL, -50.0, 400.0, kRLFalsch, ruecklauf_)) Berechne();
  });
  connect(UpDownRL, &TUpDown::geklickt, this, [this](bool auf) {
    const int v = std::clamp(static_cast<int>(std::lround(ruecklauf_)) + (auf ? 1 : -1), UpDownRL->Min, UpDownRL->Max);
    ruecklauf_ = v;
    EditRL->setText(QString::number(v));
    Berechne();
  });
  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool an) {
    EditRL->setEnabled(!an);
    UpDownRL->setEnabled(!an);
    if (!aufbau_) Berechne();
  });
  connect(EditTA, &QLineEdit::editingFinished, this, [this] {
    if (LiesZahl(EditTA, -50.0, 100.0, kTAFalsch, aussen_)) Berechne();
  });
  connect(CheckBoxTA, &QCheckBox::toggled, this, [this](bool an) {
    EditTA->setEnabled(!an);
    if (!aufbau_) Berechne();
  });
  connect(CheckBox2, &QCheckBox::toggled, this, [this](bool an) {
    if (aufbau_) return;
    G().plant.KollektorMontage = an ? 4 : gesichertMontage_;
    SetNeigungsAnzeige();
    Berechne();
  });
  const auto neigungLesen = [this] {
    double ng = G().plant.KollektorNeigung;
    if (LiesZahl(EditNg, 0.0, 90.0, kNgFalsch, ng)) {
      G().plant.KollektorNeigung = static_cast<float>(ng);
      Berechne();
    }
  };
  connect(EditNg, &QLineEdit::editingFinished, this, neigungLesen);
  connect(UpDownNg, &TUpDown::geklickt, this, [this, neigungLesen](bool) {
    // A tilt typed or stepped here is a fixed plane's tilt.
    const auto& p = G().plant;
    if (p.KollektorMontage == 3 || p.KollektorMontage == 4) return;
    if (EditNg->isEnabled()) EditNg->setFocus();
    neigungLesen();
  });
  connect(BitBtnDruck, &QPushButton::clicked, this, [this] { Drucke(); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { KopiereText(); });
  connect(BitBtn3, &QPushButton::clicked, this, [this] { KopiereGrafik(); });
  connect(ButtonEnde, &QPushButton::clicked, this, [this] { done(mrOk); });
  // The keys of the fields reach the check boxes, track bars and presets too.
  for (QWidget* w : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, RadioButton3, RadioButton4,
                                                    RadioButton5, RadioButton6, CheckBox1, CheckBoxTA, CheckBox2,
                                                    TrackBarNT, TrackBarZeit, TrackBarTFak})
    w->installEventFilter(this);
  // None of the buttons is a default one, so Enter presses a button only where it has the
  // focus ("Ende" after Escape).
  ButtonEnterKeys(this);
  Beschriften();
  resize(940, 600);
}

void TFormMoment::Beschriften() {
  setWindowTitle(Q(T(TX::FormMomentCaption)));
  const QDate heute = QDate::currentDate();
  RadioButton1->setText(Q(T(TX::FormMomentRadioButton1)) + " - " + Zwei(heute.day()) + "." + Zwei(heute.month()) + ".");
  RadioButton2->setText(Q(T(TX::FormMomentRadioButton2)));
  RadioButton3->setText(Q(T(TX::FormMomentRadioButton3)));
  RadioButton4->setText(Q(T(TX::FormMomentRadioButton4)));
  RadioButton5->setText(Q(T(TX::FormMomentRadioButton5)));
  RadioButton6->setText(Q(T(TX::FormMomentRadioButton6)));
  Label2->setText(Q(T(TX::FormMomentLabel2)));
  Label4->setText(Q(T(TX::FormMomentLabel4)));
  EditTFak->setToolTip(QString::fromUtf8("atmosph. Trübungsfaktor (TL)"));
  TrackBarTFak->setToolTip(EditTFak->toolTip());
  Label5->setText(Q(T(TX::FormMomentLabel5)));
  Label6->setText(Q(T(TX::FormMomentLabel6)));
  Label7->setText(Q(T(TX::FormMomentLabel7)));
  CheckBox1->setText(Q(T(TX::FormMomentCheckbox1)));
  Label9->setText(Q(T(TX::FormMomentLabel9)));
  CheckBoxTA->setText(Q(T(TX::FormMomentCheckboxAussentemp)));
  Label11->setText(Q(T(TX::FormMomentLabel11)));
  LabelNg->setText(Q(T(TX::FormMomentLabelNg)));
  CheckBox2->setText(Q(T(TX::FormMomentCheckbox2)));
  BitBtnDruck->setText(Q(T(TX::FormMomentBitBtnDruck)));
  BitBtnDruck->setToolTip(Q(T(TX::FormMomentBitBtnDruckHint)));
  BitBtn2->setText(Q(T(TX::FormMomentBitBtn2)));
  BitBtn2->setToolTip(Q(T(TX::FormMomentBitBtn2Hint)));
  BitBtn3->setText(Q(T(TX::FormMomentBitBtn3)));
  BitBtn3->setToolTip(Q(T(TX::FormMomentBitBtn3Hint)));
  ButtonEnde->setText(Q(T(TX::FormMomentButtonEnde)));
}

void TFormMoment::showEvent(QShowEvent* e) {
  auto& p = G().plant;
  if (!gesichert_) {
    gesichertMontage_ = p.KollektorMontage;
    gesichertOstWest_ = p.OstWestKollektor;
    gesichertNeigung_ = p.KollektorNeigung;
    gesichert_ = true;
  }
  aufbau_ = true;
  Beschriften();
  const QDate heute = QDate::currentDate();
  jahr_ = heute.year();
  if (RadioButton1->isChecked()) SetzeDatum(heute.day(), heute.month());
  else if (RadioButton2->isChecked()) SetzeDatum(21, 3);
  else if (RadioButton3->isChecked()) SetzeDatum(21, 6);
  else if (RadioButton4->isChecked()) SetzeDatum(23, 9);
  else if (RadioButton5->isChecked()) SetzeDatum(21, 12);
  else SetzeDatum(tagZuletzt_, monatZuletzt_);
  SetzeZeit(48);
  truebung_ = std::clamp<double>(G().moment.TruebungsFaktor, 2.0, 20.0);
  EditTFak->setText(Zahl(truebung_, 1));
  TrackBarTFak->setValue(static_cast<int>(std::lround(truebung_)));
  EditRL->setText(Zahl(ruecklauf_, 0));
  EditTA->setText(Zahl(aussen_, 0));
  EditRL->setEnabled(!CheckBox1->isChecked());
  UpDownRL->setEnabled(!CheckBox1->isChecked());
  EditTA->setEnabled(!CheckBoxTA->isChecked());
  CheckBox2->setChecked(p.KollektorMontage == 4);
  SetNeigungsAnzeige();
  aufbau_ = false;
  Berechne();
  QDialog::showEvent(e);
  MaskEditZeit->setFocus();
}

void TFormMoment::done(int r) {
  // The tool's tilt and mounting edits are for the instant only.
  if (gesichert_) {
    auto& p = G().plant;
    p.KollektorMontage = gesichertMontage_;
    p.OstWestKollektor = gesichertOstWest_;
    p.KollektorNeigung = gesichertNeigung_;
    gesichert_ = false;
  }
  if (SimCommandHooks().StatusText) SimCommandHooks().StatusText("");
  QDialog::done(r);
}

bool TFormMoment::eventFilter(QObject* o, QEvent* ev) {
  if (ev->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(ev);
    if (o == MaskEditZeit && (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down)) {
      ZeitSchritt(k->key() == Qt::Key_Up ? 1 : -1);
      return true;
    }
    if (k->key() == Qt::Key_Escape && !(k->modifiers() & ~Qt::KeypadModifier)) {
      // From the date and the presets Escape closes the tool as cancelled; from every other
      // control it goes to "Ende".
      if (o == MaskEditDatum || qobject_cast<QRadioButton*>(o)) done(mrCancel);
      else ButtonEnde->setFocus(Qt::OtherFocusReason);
      return true;
    }
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !qobject_cast<QRadioButton*>(o)) {
      // Enter confirms the field and moves on; it never closes the tool.
      if (auto* w = qobject_cast<QWidget*>(o)) {
        if (auto* e = qobject_cast<QLineEdit*>(w)) emit e->editingFinished();
        focusNextChild();
      }
      return true;
    }
  }
  return QDialog::eventFilter(o, ev);
}

void TFormMoment::SetzeDatum(int tag, int monat) {
  const bool vorher = aufbau_;
  aufbau_ = true;
  MaskEditDatum->setText(Zwei(tag) + "." + Zwei(monat) + ".");
  if (monat == 2 && tag == 29) TrackBarNT->setValue(60);
  else TrackBarNT->setValue(std::clamp<int>(MonthDayToDayOfYear(monat, tag, 0), 1, 365));
  aufbau_ = vorher;
}

void TFormMoment::TagGeschoben(int n) {
  if (aufbau_) return;
  std::int32_t monat = 1, tag = 1;
  DayOfYearToMonthDay(std::clamp(n, 1, 365), monat, tag);
  if (!RadioButton6->isChecked()) RadioButton6->setChecked(true);
  MaskEditDatum->setEnabled(true);
  SetzeDatum(tag, monat);
  Berechne();
}

void TFormMoment::SetzeZeit(int viertel) {
  viertel = ((viertel % 96) + 96) % 96;
  const bool vorher = aufbau_;
  aufbau_ = true;
  MaskEditZeit->setText(Zwei(viertel / 4) + ":" + Zwei(viertel % 4 * 15));
  UpDown1->SetPosition(viertel);
  TrackBarZeit->setValue(viertel);
  aufbau_ = vorher;
}

void TFormMoment::ZeitSchritt(int richtung) {
  const QStringList teile = MaskEditZeit->text().split(':');
  bool ok1 = false, ok2 = false;
  const int h = teile.value(0).trimmed().toInt(&ok1), mi = teile.value(1).trimmed().toInt(&ok2);
  int q = 48;
  if (ok1 && ok2 && h >= 0 && h < 24 && mi >= 0 && mi < 60) {
    q = static_cast<int>(std::lround((h + mi / 60.0) * 4.0));
  } else {
    ShowMessageLines(kZeitFalsch);
  }
  SetzeZeit(q + richtung);
  Berechne();
}

bool TFormMoment::LiesZahl(QLineEdit* edit, double min, double max, const char* meldung, double& wert) {
  try {
    wert = CheckFloatRange(edit->text().trimmed().toStdString(), min, max);
    return true;
  } catch (const ERangeViolation& ex) {
    ShowMessageLines(ex.what());
  } catch (const std::exception&) {
    ShowMessageLines(meldung);
  }
  edit->setText(Zahl(wert, edit == EditTFak ? 1 : 0));
  edit->setFocus();
  return false;
}

void TFormMoment::SetNeigungsAnzeige() {
  const auto& p = G().plant;
  UpDownNg->SetPosition(static_cast<int>(std::lround(p.KollektorNeigung)));
  const bool fest = p.KollektorMontage != 3 && p.KollektorMontage != 4;
  EditNg->setEnabled(fest);
  UpDownNg->setEnabled(fest);
  const bool vorher = aufbau_;
  aufbau_ = true;
  CheckBox2->setChecked(p.KollektorMontage == 4);
  aufbau_ = vorher;
}

void TFormMoment::Berechne() {
  if (aufbau_) return;
  // Date: "dd.mm." of this year; a date not in the calendar keeps the last one.
  const QStringList d = MaskEditDatum->text().split('.');
  bool ok1 = false, ok2 = false;
  const int tag = d.value(0).trimmed().toInt(&ok1), monat = d.value(1).trimmed().toInt(&ok2);
  if (ok1 && ok2 && IsValidDate(jahr_, monat, tag)) {
    tagZuletzt_ = tag;
    monatZuletzt_ = monat;
  } else {
    ShowMessageLines(kDatumFalsch);
    SetzeDatum(tagZuletzt_, monatZuletzt_);
    MaskEditDatum->setFocus();
  }
  // Time: "hh:mm"; a bad time keeps the last one.
  const QStringList z = MaskEditZeit->text().split(':');
  const int h = z.value(0).trimmed().toInt(&ok1), mi = z.value(1).trimmed().toInt(&ok2);
  double uhr = viertelZuletzt_ / 4.0;
  if (ok1 && ok2 && h >= 0 && h < 24 && mi >= 0 && mi < 60) {
    uhr = h + mi / 60.0;
  } else {
    ShowMessageLines(kZeitFalsch);
    SetzeZeit(viertelZuletzt_);
    MaskEditZeit->setFocus();
  }
  viertelZuletzt_ = static_cast<int>(std::lround(uhr * 4.0)) % 96;

  const auto& p = G().plant;
  Eingabe.Tag = tagZuletzt_;
  Eingabe.Monat = monatZuletzt_;
  Eingabe.Jahr = jahr_;
  Eingabe.Uhrzeit = uhr;
  Eingabe.Truebung = truebung_;
  Eingabe.Ruecklauf = ruecklauf_;
  Eingabe.RLStillstand = CheckBox1->isChecked();
  Eingabe.AussenNachNatur = CheckBoxTA->isChecked();
  Eingabe.Aussen = aussen_;
  Eingabe.Montage = p.KollektorMontage;
  Eingabe.Neigung = p.KollektorNeigung;
  Eingabe.Azimut = p.KollektorAzimut;
  Ergebnis = BerechneMoment(Eingabe, G().loc, p);
  G().moment.TruebungsFaktor = static_cast<float>(truebung_);

  if (Eingabe.AussenNachNatur) {
    aussen_ = Ergebnis.AussenTemp;
    EditTA->setText(Zahl(aussen_, 0));
  }
  if (Eingabe.RLStillstand) EditRL->setText(Zahl(Ergebnis.RuecklaufTemp, 0));
  if (p.KollektorMontage == 3) UpDownNg->SetPosition(static_cast<int>(std::lround(Ergebnis.NachfNeigung)));

  ZeigeBericht(MomentBericht(Eingabe, Ergebnis, p, false, ""), !Ergebnis.Tagansicht);
  BitBtnDruck->setEnabled(Ergebnis.Tagansicht);
  Bild = QImage(kBildBreite, kBildHoehe, QImage::Format_RGB32);
  QPainter g(&Bild);
  g.setRenderHint(QPainter::Antialiasing, false);
  MomentGrafik(g, Bild.rect(), Eingabe, Ergebnis, G().loc, p);
  g.end();
  Image1->setPixmap(QPixmap::fromImage(Bild));
}

namespace {

// Lays the report lines into Doc: tab stops, the heading bold and larger, the text colour.
void FuelleBericht(QTextDocument& doc, const std::vector<MomentZeile>& zeilen, const QColor& farbe, int punkt) {
  doc.clear();
  QFont schrift(Q(G().print.AnzeigeFont));
  schrift.setPointSize(punkt);
  doc.setDefaultFont(schrift);
  QTextCursor c(&doc);
  QTextBlockFormat bf;
  QList<QTextOption::Tab> tabs;
  for (int x : {170, 250, 330}) tabs.append(QTextOption::Tab(x * punkt / 9.0, QTextOption::LeftTab));
  bf.setTabPositions(tabs);
  bool erste = true;
  for (const auto& z : zeilen) {
    if (!erste) c.insertBlock();
    erste = false;
    c.setBlockFormat(bf);
    QTextCharFormat cf;
    cf.setForeground(farbe);
    if (z.Kopf) {
      cf.setFontWeight(QFont::Bold);
      cf.setFontPointSize(punkt + 2);
    }
    c.insertText(Q(z.Text), cf);
  }
}

}  // namespace

void TFormMoment::ZeigeBericht(const std::vector<MomentZeile>& zeilen, bool nacht) {
  QPalette pal = RichEdit1->palette();
  pal.setColor(QPalette::Base, nacht ? kNachtBericht : QColor(Qt::white));
  pal.setColor(QPalette::Text, nacht ? QColor(Qt::white) : QColor(Qt::black));
  RichEdit1->setPalette(pal);
  FuelleBericht(*RichEdit1->document(), zeilen, nacht ? QColor(Qt::white) : QColor(Qt::black), 9);
  RichEdit1->moveCursor(QTextCursor::Start);
}

void TFormMoment::KopiereText() {
  const auto zeilen = MomentBericht(Eingabe, Ergebnis, G().plant, true,
                                    G().folders.ProgName + " " + G().folders.ProgVersion);
  QString text;
  for (const auto& z : zeilen) text += Q(z.Text) + "\n";
  // Rich text in the display font at 11 points, and the plain lines.
  QTextDocument doc;
  FuelleBericht(doc, zeilen, Ergebnis.Tagansicht ? QColor(Qt::black) : kNachtBericht, 11);
  auto* daten = new QMimeData;
  daten->setHtml(doc.toHtml());
  daten->setText(text);
  QApplication::clipboard()->setMimeData(daten);
  if (SimCommandHooks().StatusText) SimCommandHooks().StatusText(T(TX::MeldungTextinZA));
}

bool TFormMoment::Drucke(const QString& pdfDatei) {
  if (!Ergebnis.Tagansicht) return false;
  const auto zeilen = MomentBericht(Eingabe, Ergebnis, G().plant, true,
                                    G().folders.ProgName + " " + G().folders.ProgVersion);
  const TSeitenMaler maler = [zeilen](QPainter& pa, const QRectF& mm, int) {
    TSeitenrahmen rahmen = TSeitenrahmen::Aus(G());
    rahmen.Font = Q(G().print.AnzeigeFont);
    rahmen.Punkt = 11;
    TDruckBlatt seite(pa, mm, rahmen);
    MomentDruck(seite, zeilen);
  };
  return tav::Drucke(this, G(), Q(T(TX::FormMomentCaption)), 1, maler, pdfDatei) == TDruckErgebnis::Gedruckt;
}

void TFormMoment::KopiereGrafik() {
  QApplication::clipboard()->clear();
  QApplication::clipboard()->setImage(Bild);
  if (SimCommandHooks().StatusText) SimCommandHooks().StatusText(T(TX::MeldungGrafikinZA));
}

TFormMoment& FormMoment() {
  static TFormMoment* form = new TFormMoment;
  return *form;
}

int ShowMoment(QWidget* parent) {
  auto& f = FormMoment();
  G().run.RechenModus = 2;
  if (parent) f.move(parent->window()->frameGeometry().center() - f.rect().center());
  return f.exec();
}

}  // namespace tav
