#include "catalogues/ui/FormProfilEdit.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "catalogues/Profile.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/StatusSink.h"
#include "catalogues/ui/EditorKnoepfe.h"
#include "foundation/Messages.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/SeitenTasten.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {

// Texts the editor keeps as they stand.
const char* const kNegativ = "Keine negativen Prozentangaben";
const char* const kMax50 = "Maximal 50% Tagesverbrauch in einer Stunde";
const char* const kAuf100 = "= 100 %";
const char* const kMonatsNamen[] = {"", "Jan", "Feb", "Mar", "Apr", "Mai", "Jun",
                                    "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
constexpr int kNameMax = 45;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
QString Komma1(double x) { return Q(FloatToCommaStr(1, 1, static_cast<float>(x))); }

}  // namespace

TTagesProfil::TTagesProfil(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setFixedSize(385, 112);
}

void TTagesProfil::SetWerte(const std::array<int, 24>& w) {
  werte_ = w;
  update();
}

int TTagesProfil::Summe() const {
  int s = 0;
  for (int v : werte_) s += v;
  return s;
}

void TTagesProfil::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(30, 10, 30, 93);
  p.drawLine(30, 93, 370, 93);
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygon({QPoint(28, 10), QPoint(30, 3), QPoint(32, 10)}));
  p.drawPolygon(QPolygon({QPoint(370, 91), QPoint(377, 93), QPoint(370, 95)}));
  QFont f = font();
  f.setPixelSize(10);
  p.setFont(f);
  p.drawText(10, 13 + 9, "%");
  const std::pair<int, const char*> achse[] = {{22, "0"}, {110, "6"}, {192, "12"}, {277, "18"}, {363, "24 h"}};
  for (auto [x, t] : achse) p.drawText(x, 96 + 11, t);
  p.setPen(QPen(Qt::gray, 1));
  for (int k = 1; k <= 5; ++k) p.drawLine(28, 93 - 16 * k, 366, 93 - 16 * k);
  p.setPen(QPen(Summe() == 100 ? Qt::blue : Qt::red, 1));
  p.setBrush(Qt::NoBrush);
  QPolygon linie;
  linie << QPoint(31, 92);
  for (int i = 1; i <= 24; ++i) {
    const int v = std::clamp(werte_[static_cast<std::size_t>(i - 1)], 0, 55);
    const int y = 92 - static_cast<int>(std::lround(v * 8.0 / 5.0));
    linie << QPoint((i - 1) * 14 + 31, y) << QPoint(i * 14 + 31, y) << QPoint(i * 14 + 31, 92);
  }
  p.drawPolyline(linie);
}

TFormProfilEdit::TFormProfilEdit(TavState& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("FormProfilEdit");
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(kNameMax);
  Edit1->installEventFilter(this);
  auto* nameLabel = new QLabel(Q(T(TX::FormProfEditLabel1)), this);
  nameLabel->setBuddy(Edit1);
  SpeedButton1 = new QPushButton(Q(T(TX::FormProfEditSpeedButton1)), this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setCheckable(true);
  connect(SpeedButton1, &QPushButton::clicked, this, [this](bool an) {
    JahresprofilAn(an);
    if (an) PageControl1->setCurrentWidget(TabSheet2);
  });

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageKeys(this, PageControl1);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  PageControl1->addTab(TabSheet1, Q(T(TX::FormProfEditTabSheet1)));
  PageControl1->addTab(TabSheet2, Q(T(TX::FormProfEditTabSheet2)));

  // Day page: four rows of six hours, the drawing and the sum.
  auto* tag = new QVBoxLayout(TabSheet1);
  tag->addWidget(new QLabel(Q(T(TX::FormProfEditLabel2)), TabSheet1));
  auto* stunden = new QGridLayout;
  for (int h = 0; h < 24; ++h) {
    auto* box = new QSpinBox(TabSheet1);
    box->setObjectName(QString("Edit%1").arg(h + 2));
    box->setRange(-99, 99);  // out-of-range entries get their message when the field is left
    box->setAlignment(Qt::AlignRight);
    box->setToolTip(QString("%1 - %2 ").arg(h).arg(h + 1) + Q(T(TX::FormProfEditUhr)));
    box->installEventFilter(this);
    connect(box, &QSpinBox::valueChanged, this, [this] {
      if (!fuellen_) Zeichne();
    });
    Stunden[static_cast<std::size_t>(h)] = box;
    const int zeile = h / 6, spalte = h % 6;
    auto* l = new QLabel(QString("%1-%2").arg(h).arg(h + 1), TabSheet1);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setBuddy(box);
    stunden->addWidget(l, zeile, 2 * spalte);
    stunden->addWidget(box, zeile, 2 * spalte + 1);
  }
  tag->addLayout(stunden);
  Image1 = new TTagesProfil(TabSheet1);
  Panel1 = new QLabel(TabSheet1);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::StyledPanel);
  auto* unten = new QHBoxLayout;
  unten->addWidget(Image1);
  unten->addWidget(Panel1, 0, Qt::AlignBottom);
  unten->addStretch();
  tag->addLayout(unten);

  // Year page: factor, kWh and reference per month; the averages and the rescale button.
  auto* jahr = new QGridLayout(TabSheet2);
  jahr->addWidget(new QLabel(Q(T(TX::FormProfEditLabel3)), TabSheet2), 0, 0, 1, 4);
  for (int m = 1; m <= 12; ++m) {
    const int zeile = 1 + (m - 1) % 6, sp = (m - 1) / 6 * 4;
    auto* box = new QSpinBox(TabSheet2);
    box->setObjectName(QString("Edit") + kMonatsNamen[m]);
    box->setRange(0, 200);
    box->setAlignment(Qt::AlignRight);
    box->installEventFilter(this);
    connect(box, &QSpinBox::valueChanged, this, [this] {
      if (!fuellen_) UpdateJahresprofil();
    });
    Monate[static_cast<std::size_t>(m)] = box;
    auto* r = new QRadioButton(Q(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3), TabSheet2);
    r->setObjectName(QString("RadioButton%1").arg(m));
    Bezug[static_cast<std::size_t>(m)] = r;
    auto* kwh = new QLabel(TabSheet2);
    kwh->setObjectName(QString("LabelkWh") + kMonatsNamen[m]);
    kwh->setMinimumWidth(kwh->fontMetrics().horizontalAdvance("00,0 kWh/d"));
    MonatKWh[static_cast<std::size_t>(m)] = kwh;
    jahr->addWidget(r, zeile, sp);
    jahr->addWidget(box, zeile, sp + 1);
    jahr->addWidget(kwh, zeile, sp + 2);
  }
  Bezug[13] = new QRadioButton(Q(T(TX::Durchschnitt)), TabSheet2);
  Bezug[13]->setObjectName("RadioButton13");
  LabelSchnittPrz = new QLabel(TabSheet2);
  LabelSchnittPrz->setObjectName("LabelSchnittPrz");
  LabelkWhSchnitt = new QLabel(TabSheet2);
  LabelkWhSchnitt->setObjectName("LabelkWhSchnitt");
  LabelkWhd = new QLabel(TabSheet2);
  LabelkWhd->setObjectName("LabelkWhd");
  SpeedButton2 = new QPushButton(QString::fromUtf8(kAuf100), TabSheet2);
  SpeedButton2->setObjectName("SpeedButton2");
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { Skaliere(); });
  jahr->addWidget(Bezug[13], 7, 0);
  jahr->addWidget(LabelSchnittPrz, 7, 1);
  jahr->addWidget(LabelkWhSchnitt, 7, 2);
  jahr->addWidget(SpeedButton2, 7, 5);
  jahr->addWidget(LabelkWhd, 8, 0, 1, 4);
  jahr->setColumnMinimumWidth(3, 20);

  QHBoxLayout* knoepfe = EditorKnoepfe(this, ButtonOK, ButtonCancel, [this] { return Speichere(); });

  auto* kopf = new QHBoxLayout;
  kopf->addWidget(nameLabel);
  kopf->addWidget(Edit1, 1);
  kopf->addWidget(SpeedButton1);
  auto* v = new QVBoxLayout(this);
  v->addLayout(kopf);
  v->addWidget(PageControl1);
  v->addLayout(knoepfe);
  setWindowTitle(Q(T(TX::FormProfEditCaption)));
}

void TFormProfilEdit::JahresprofilAn(bool an) {
  SpeedButton1->setChecked(an);
  ShowPage(PageControl1, PageControl1->widget(1), an);
  if (an) UpdateJahresprofil();
}

void TFormProfilEdit::Fuelle(int index, double tagesKWh) {
  index_ = index;
  tagesKWh_ = tagesKWh;
  const TProfil& p = s_.cat.Profile[static_cast<std::size_t>(index)];
  fuellen_ = true;
  Edit1->setText(Q(p.Name));
  for (int h = 0; h < 12; ++h) {
    Stunden[static_cast<std::size_t>(h)]->setValue(p.Vormittag[static_cast<std::size_t>(h + 1)]);
    Stunden[static_cast<std::size_t>(h + 12)]->setValue(p.Nachmittag[static_cast<std::size_t>(h + 1)]);
  }
  const bool jahr = AnyMonthNot100(p.Monate);
  for (int m = 1; m <= 12; ++m)
    Monate[static_cast<std::size_t>(m)]->setValue(jahr ? p.Monate[static_cast<std::size_t>(m)] : 100);
  Bezug[13]->setChecked(true);
  fuellen_ = false;
  JahresprofilAn(jahr);
  UpdateJahresprofil();
  Zeichne();
  PageControl1->setCurrentWidget(TabSheet1);
}

int TFormProfilEdit::Bearbeite(int index, double tagesKWh) {
  if (index < 1 || index > s_.cat.ProfilAnzahl) return 2;
  Fuelle(index, tagesKWh);
  Edit1->setFocus();
  // Placed each time: left to itself, a window shown again lands a title bar lower.
  CentreOnDesktop(this);
  return exec();
}

void TFormProfilEdit::Zeichne() {
  std::array<int, 24> w{};
  for (int h = 0; h < 24; ++h) w[static_cast<std::size_t>(h)] = Stunden[static_cast<std::size_t>(h)]->value();
  Image1->SetWerte(w);
  Panel1->setText(Q(T(TX::Summe)) + ": " + QString::number(Image1->Summe()));
}

double TFormProfilEdit::Jahresmittel() const {
  double s = 0.0;
  for (int m = 1; m <= 12; ++m)
    s += MonatsTage[static_cast<std::size_t>(m)] * Monate[static_cast<std::size_t>(m)]->value();
  return s / 365.0;
}

void TFormProfilEdit::UpdateJahresprofil() {
  for (int m = 1; m <= 12; ++m)
    MonatKWh[static_cast<std::size_t>(m)]->setText(
        Komma1(Monate[static_cast<std::size_t>(m)]->value() * tagesKWh_ / 100.0) + " kWh/d");
  LabelkWhd->setText(Komma1(tagesKWh_) + " " + Q(T(TX::kWhproTag)));
  const double a = Jahresmittel();
  LabelSchnittPrz->setText(Komma1(a) + "%");
  LabelkWhSchnitt->setText(Komma1(a * tagesKWh_ / 100.0) + " kWh/d");
}

bool TFormProfilEdit::Skaliere() {
  double r = 0.0;
  for (int m = 1; m <= 12; ++m)
    if (Bezug[static_cast<std::size_t>(m)]->isChecked()) r = Monate[static_cast<std::size_t>(m)]->value();
  if (Bezug[13]->isChecked()) r = RoundDecimals(1, Jahresmittel());
  if (r <= 0.0) {
    ShowMessageLines(T(TX::FehlerWertunzulaessig));
    return false;
  }
  const double f = 100.0 / r;
  fuellen_ = true;
  for (int m = 1; m <= 12; ++m) {
    QSpinBox* b = Monate[static_cast<std::size_t>(m)];
    b->setValue(std::clamp(static_cast<int>(std::lround(b->value() * f)), 0, 200));
  }
  fuellen_ = false;
  UpdateJahresprofil();
  return true;
}

bool TFormProfilEdit::PruefeStunde(QSpinBox* box) {
  box->interpretText();
  const int v = box->value();
  if (v >= 0 && v <= 50) return true;
  box->setValue(v < 0 ? 0 : 50);
  box->setFocus();
  ShowMessageLines(v < 0 ? kNegativ : kMax50);
  return false;
}

bool TFormProfilEdit::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (o == Edit1) Stunden[0]->setFocus(); else focusNextChild();
      return true;
    }
    if (key == Qt::Key_Escape) {
      ButtonCancel->setFocus();
      return true;
    }
  }
  if (e->type() == QEvent::FocusOut && !fuellen_ && QApplication::focusWidget() != ButtonCancel) {
    for (QSpinBox* b : Stunden)
      if (o == b) PruefeStunde(b);
  }
  return QDialog::eventFilter(o, e);
}

bool TFormProfilEdit::Speichere() {
  for (QSpinBox* b : Stunden)
    if (!PruefeStunde(b)) return false;
  std::string name = S(Edit1->text().trimmed());
  if (name.empty()) {
    Edit1->setFocus();
    ShowMessageLines(T(TX::FehlerWertunzulaessig));
    return false;
  }
  // Projects find their profile by name: a name another profile has gets a number.
  auto vergeben = [&](const std::string& n) {
    for (int i = 1; i <= s_.cat.ProfilAnzahl; ++i)
      if (i != index_ && s_.cat.Profile[static_cast<std::size_t>(i)].Name == n) return true;
    return false;
  };
  while (vergeben(name)) MakeUniqueName(name);
  const std::vector<TProfil> alt(s_.cat.Profile);
  const int altAnzahl = s_.cat.ProfilAnzahl;
  TProfil& p = s_.cat.Profile[static_cast<std::size_t>(index_)];
  p.Name = name;
  for (int h = 0; h < 12; ++h) {
    p.Vormittag[static_cast<std::size_t>(h + 1)] = Stunden[static_cast<std::size_t>(h)]->value();
    p.Nachmittag[static_cast<std::size_t>(h + 1)] = Stunden[static_cast<std::size_t>(h + 12)]->value();
  }
  for (int m = 1; m <= 12; ++m)
    p.Monate[static_cast<std::size_t>(m)] =
        SpeedButton1->isChecked() ? std::clamp(Monate[static_cast<std::size_t>(m)]->value(), 0, 200) : 100;
  SortProfile(s_.cat);
  if (!WriteProfile(s_, NullStatus())) {
    s_.cat.Profile = alt;
    s_.cat.ProfilAnzahl = altAnzahl;
    // Another program's catalogue is read again by the plant dialog: the profile shown here
    // may be gone there, so the editor closes as cancelled.
    if (katalog::Veraltet(s_.cat.DateiStaende, ProfilDateiPfad(s_))) done(2);
    return false;
  }
  s_.run.ProjektGeaendert = true;
  s_.plant.Zapfprofil = name;
  ReadProfile(s_, NullStatus());
  return true;
}

}  // namespace tav
