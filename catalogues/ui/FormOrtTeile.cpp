#include "catalogues/ui/FormOrtTeile.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

#include "catalogues/KatalogDialogLogik.h"
#include "foundation/KatalogDiensteDatei.h"
#include "location/Orte.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/Messages.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/ui/FeldTasten.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {
constexpr const char* kEntfernungNull = "Entfernung '0' ?!?";
constexpr const char* kObjektHinweisD = "Entfernung von Kollektor bis Objekt";
constexpr const char* kObjektHinweisB = "Breite des Objekts am Boden";
constexpr const char* kMessCaption = "Einstrahlung auf Kollektorebene";
constexpr const char* kMessLabel = "Einstrahlungs-Messwerte [W/m²]";
constexpr const char* kMessEinfuegen = "aus Zwischenablage einfügen";
constexpr const char* kMessUebernehmen = "Übernehmen";
constexpr const char* kWestOst = "- West, + Ost";
constexpr const char* kEinstrEinheit = "kWh/m²d";
constexpr const char* kZeitzoneHinweis = "Stunden zu UTC; 25 = keine Angabe (aus der Länge)";
constexpr const char* kMussGroesserNull = "Der Wert muss größer als 0 sein";
const QColor kHimmel(173, 214, 239);
const QColor kSchatten(0x80, 0x80, 0x80);

QLineEdit* Feld(const QString& name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}
}  // namespace

// ---------------------------------------------------------------------------------------

SkyMapBild::SkyMapBild(QWidget* parent) : QWidget(parent) {
  setFixedSize(587, 238);
  setMouseTracking(true);
}

void SkyMapBild::Setze(const SkyMapGrid& g) {
  Karte = g;
  update();
}

void SkyMapBild::Zeichne(QPainter& p) const {
  p.fillRect(QRect(0, 0, 587, 238), Qt::white);
  p.fillRect(QRect(31, 41, 503, 126), kHimmel);
  p.setPen(kSchatten);
  for (int i = 1; i <= 71; ++i) p.drawLine(7 * i + 30, 41, 7 * i + 30, 165);
  for (int i = 1; i <= 17; ++i) p.drawLine(31, 7 * i + 40, 533, 7 * i + 40);
  for (int k = 0; k < SkyMapSpalten; ++k)
    for (int j = 0; j < SkyMapZeilen; ++j)
      if (SkyZelle(Karte, k, j)) p.fillRect(QRect(31 + 7 * k, 41 + 7 * j, 6, 6), kSchatten);
  p.setPen(Qt::black);
  p.drawRect(30, 40, 504, 126);
  QFont f = p.font();
  f.setPixelSize(11);
  p.setFont(f);
  const QFontMetrics fm(f);
  auto mitte = [&](int x, const QString& t) {
    p.drawText(x - fm.horizontalAdvance(t) / 2, 181 + fm.ascent(), t);
  };
  p.drawLine(30, 166, 30, 176);
  mitte(30, QT(TX::Nord));
  const TX namen[3] = {TX::Ost, TX::Sued, TX::West};
  for (int i = 0; i < 3; ++i) {
    p.drawLine(156 + 126 * i, 41, 156 + 126 * i, 176);
    mitte(156 + 126 * i, QT(namen[i]));
  }
  p.drawLine(534, 166, 534, 176);
  p.drawText(534 - fm.horizontalAdvance(QT(TX::Nord)) * 3 / 4, 181 + fm.ascent(), QT(TX::Nord));
  const int ys[4] = {166, 124, 82, 40};
  for (int i = 0; i < 4; ++i)
    p.drawText(QRect(0, ys[i] - 8, 23, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(30 * i) + "°");
  p.drawLine(23, 124, 534, 124);
  p.drawLine(23, 82, 534, 82);
  p.drawLine(23, 166, 30, 166);
  p.drawLine(23, 40, 30, 40);
  if (!info_.isEmpty()) p.drawText(QRect(380, 1, 200, 38), Qt::AlignLeft | Qt::AlignVCenter, info_);
}

void SkyMapBild::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Zeichne(p);
}

void SkyMapBild::MaleBei(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  if (!(buttons & (Qt::LeftButton | Qt::RightButton))) return;
  if (pos.x() <= 30 || pos.x() >= 534 || pos.y() <= 40 || pos.y() >= 166) return;
  const int k = (pos.x() - 30) / 7, j = (pos.y() - 40) / 7;
  const bool leer = std::all_of(Karte.begin(), Karte.end(), [](auto c) { return c == 0; });
  MaleSkySpalte(Karte, k, j, buttons & Qt::RightButton, mods & Qt::ControlModifier);
  if (leer) emit Gemalt();
  update();
}

void SkyMapBild::mousePressEvent(QMouseEvent* e) {
  MaleBei(e->position().toPoint(), e->buttons(), e->modifiers());
}

void SkyMapBild::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (pos.x() <= 30 || pos.x() >= 534 || pos.y() <= 40 || pos.y() >= 166) {
    leaveEvent(nullptr);
    return;
  }
  const int k = (pos.x() - 30) / 7, j = (pos.y() - 40) / 7;
  if (k == letzteK_ && j == letzteJ_) return;
  letzteK_ = k;
  letzteJ_ = j;
  emit Hinweis(QT(TX::FormOrtStatusBarMaus1) + "  -  " + QT(TX::FormOrtStatusBarMaus2));
  info_ = QString("Elevation: %1 .. %2\nAzimut: %3 .. %4")
              .arg(85 - 5 * j, 4).arg(90 - 5 * j, 4).arg(5 * k - 180, 4).arg(5 * k - 175, 4);
  MaleBei(pos, e->buttons(), e->modifiers());
  update();
}

void SkyMapBild::leaveEvent(QEvent*) {
  letzteK_ = letzteJ_ = -1;
  info_.clear();
  emit Hinweis("");
  update();
}

// ---------------------------------------------------------------------------------------

TFormSkyObjekt::TFormSkyObjekt(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSkyObjekt");
  setProperty(kHelpContext, 521);
  resize(300, 227);
  auto* form = new QFormLayout();
  auto zeile = [&](const char* name, TX label, const QString& einheit, const char* hint) {
    auto* e = Feld(name, this);
    e->setText("0");
    if (hint) e->setToolTip(hint);
    QWidget* w = MitEinheit(e, einheit, this);
    form->addRow(QT(label), w);
    if (auto* l = qobject_cast<QLabel*>(form->labelForField(w))) l->setBuddy(e);
    return e;
  };
  Edit1 = zeile("Edit1", TX::FormSkyObjLabel1, "m", kObjektHinweisD);
  Edit2 = zeile("Edit2", TX::FormSkyObjLabel3, "m", nullptr);
  Edit3 = zeile("Edit3", TX::FormSkyObjLabel5, "m", kObjektHinweisB);
  Edit4 = zeile("Edit4", TX::FormSkyObjLabel7, QT(TX::Grad), nullptr);
  auto* unten = KnopfZeile(this, ButtonOK, ButtonCancel);
  auto* v = new QVBoxLayout(this);
  v->addLayout(form);
  v->addStretch();
  v->addLayout(unten);
  // A small fixed dialog: no maximise or minimise, wide enough for its title.
  SetFixedDialogFrame(this);
  EditFieldKeys(this, ButtonCancel);
}

int TFormSkyObjekt::Trage(SkyMapGrid& g) {
  g_ = &g;
  setWindowTitle(QT(TX::FormSkyObjCaption));
  FixDialogSize(this);
  Edit1->setFocus();
  Edit1->selectAll();
  return exec();
}

void TFormSkyObjekt::reject() { done(2); }

void TFormSkyObjekt::accept() {
  std::int32_t code = 0;
  auto ganz = [&](QLineEdit* e) { return StrToIntComma(e->text().toStdString(), code); };
  const int d = ganz(Edit1), h = ganz(Edit2), b = ganz(Edit3), a = ganz(Edit4);
  if (d == 0) {
    ShowMessageLines(kEntfernungNull);
    Edit1->setFocus();
    return;
  }
  // A negative or zero size describes no object.
  for (auto [wert, e, label] : {std::tuple{d, Edit1, TX::FormSkyObjLabel1},
                                std::tuple{h, Edit2, TX::FormSkyObjLabel3},
                                std::tuple{b, Edit3, TX::FormSkyObjLabel5}}) {
    if (wert > 0) continue;
    ShowMessageLines(RemoveAmpersands(T(label)) + ": " + kMussGroesserNull);
    e->setFocus();
    return;
  }
  SkyObjektEintragen(*g_, d, h, b, a);
  QDialog::accept();
}

// ---------------------------------------------------------------------------------------

TFormMessdatenE::TFormMessdatenE(TavState& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("FormMessdatenE");
  resize(445, 529);
  auto* l1 = new QLabel(kMessLabel, this);
  l1->setObjectName("Label1");
  BitBtn2 = Knopf(kMessEinfuegen, "BitBtn2", this);
  RichEdit1 = new QPlainTextEdit(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Tab goes on to the next control; pasted rows keep the tabs between their two fields.
  RichEdit1->setTabChangesFocus(true);
  Button1 = Knopf(kMessUebernehmen, "Button1", this);
  LabelR1 = new QLabel(this);
  LabelR1->setObjectName("LabelR1");
  LabelR2 = new QLabel(this);
  LabelR2->setObjectName("LabelR2");
  connect(BitBtn2, &QPushButton::clicked, this,
          [this] { RichEdit1->setPlainText(QGuiApplication::clipboard()->text()); });
  connect(Button1, &QPushButton::clicked, this, [this] { Uebernehmen(); });
  auto* oben = new QHBoxLayout();
  oben->addWidget(l1);
  oben->addStretch();
  oben->addWidget(BitBtn2);
  auto* mitte = new QHBoxLayout();
  auto* ergebnis = new QVBoxLayout();
  ergebnis->addWidget(LabelR1);
  ergebnis->addWidget(LabelR2);
  mitte->addWidget(Button1, 0, Qt::AlignTop);
  mitte->addLayout(ergebnis, 1);
  auto* unten = KnopfZeile(this, ButtonOK, ButtonCancel);
  ButtonOK->setDefault(false);  // Return in the text field is a new line
  auto* v = new QVBoxLayout(this);
  v->addLayout(oben);
  v->addWidget(RichEdit1, 1);
  v->addLayout(mitte);
  v->addLayout(unten);
}

int TFormMessdatenE::Zeige() {
  setWindowTitle(kMessCaption);
  LabelR1->clear();
  LabelR2->clear();
  ButtonOK->setEnabled(false);
  return exec();
}

void TFormMessdatenE::Uebernehmen() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  MessdatenErgebnis r = ParseMessdaten(RichEdit1->toPlainText().toStdString(),
                                       s_.plant.OstWestKollektor);
  QApplication::restoreOverrideCursor();
  LabelR1->setText(Q(r.zeile1));
  LabelR2->setText(Q(r.zeile2));
  ButtonOK->setEnabled(r.ok);
  if (r.ok) {
    feld1_ = std::move(r.feld1);
    feld2_ = std::move(r.feld2);
  }
}

void TFormMessdatenE::reject() { done(2); }

void TFormMessdatenE::accept() {
  if (!ButtonOK->isEnabled()) return;
  s_.weather.Messdaten1 = feld1_;
  if (s_.plant.OstWestKollektor) s_.weather.Messdaten2 = feld2_;
  s_.run.MessdatenAktiv = true;
  QDialog::accept();
}

// ---------------------------------------------------------------------------------------

TFormOrtEdit::TFormOrtEdit(TavState& s, StatusSink& status, QWidget* parent)
    : QDialog(parent), s_(s), status_(status) {
  setObjectName("FormOrtEdit");
  setProperty(kHelpContext, 523);
  resize(658, 482);
  auto* g = new QGroupBox(this);
  g->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(g);
  auto label = [&](TX key, QWidget* buddy, int r, int c) {
    auto* l = new QLabel(QT(key), g);
    l->setBuddy(buddy);
    grid->addWidget(l, r, c);
  };
  Edit1 = Feld("Edit1", g);
  Edit1->setMaxLength(45);
  EditLCode = Feld("EditLCode", g);
  Edit26 = Feld("Edit26", g);
  Edit27 = Feld("Edit27", g);
  Edit27b = Feld("Edit27b", g);
  Edit27b->setToolTip(kWestOst);
  Edit28 = Feld("Edit28", g);
  ComboBox1 = new QComboBox(g);
  ComboBox1->setObjectName("ComboBox1");
  EditZZone = Feld("EditZZone", g);
  EditZZone->setToolTip(kZeitzoneHinweis);
  EditZZone->setMaximumWidth(50);
  LabelZzoneN = new QLabel(g);
  LabelZzoneN->setObjectName("LabelZzoneN");
  label(TX::FormOrtEditLabel1, Edit1, 0, 0);
  grid->addWidget(Edit1, 0, 1, 1, 5);
  label(TX::FormOrtEditLCode, EditLCode, 0, 6);
  grid->addWidget(EditLCode, 0, 7, 1, 2);
  label(TX::FormOrtEditLabel30, Edit26, 1, 0);
  grid->addWidget(Edit26, 1, 1, 1, 2);
  label(TX::FormOrtEditLabel37, Edit28, 1, 3);
  grid->addWidget(Edit28, 1, 4);
  grid->addWidget(new QLabel("m", g), 1, 5);
  label(TX::FormOrtEditLabel31, Edit27, 2, 0);
  grid->addWidget(Edit27, 2, 1, 1, 2);
  label(TX::FormOrtEditLabel35, Edit27b, 2, 3);
  grid->addWidget(Edit27b, 2, 4);
  grid->addWidget(new QLabel(QT(TX::Grad), g), 2, 5);
  label(TX::FormOrtEditLabelZzone, EditZZone, 2, 6);
  grid->addWidget(EditZZone, 2, 7);
  grid->addWidget(LabelZzoneN, 2, 8, 1, 6);
  label(TX::FormOrtEditLabel39, ComboBox1, 3, 0);
  grid->addWidget(ComboBox1, 3, 1, 1, 8);

  // Monthly values: one column per month, the year at the right.
  auto* monate = new QGridLayout();
  monate->setHorizontalSpacing(3);
  auto* le = new QLabel(QT(TX::FormOrtEditLabel2), g);
  auto* lt = new QLabel(QT(TX::FormOrtEditLabel3), g);
  monate->addWidget(le, 1, 0);
  monate->addWidget(new QLabel(kEinstrEinheit, g), 2, 0);
  monate->addWidget(lt, 3, 0);
  monate->addWidget(new QLabel("°C", g), 4, 0);
  for (int m = 1; m <= 12; ++m) {
    auto* ml = new QLabel(Q(Texts().Monatsnamen[m]).left(3), g);
    ml->setObjectName(QString("LabelMonat%1").arg(m));
    ml->setAlignment(Qt::AlignCenter);
    monate->addWidget(ml, 0, m);
    Einstrahlung[m] = Feld(QString("Edit%1").arg(m + 1), g);
    Temperatur[m] = Feld(QString("Edit%1").arg(m + 13), g);
    for (QLineEdit* e : {Einstrahlung[m], Temperatur[m]}) {
      e->setMinimumWidth(38);
      e->setAlignment(Qt::AlignRight);
    }
    monate->addWidget(Einstrahlung[m], 1, m, 2, 1, Qt::AlignVCenter);
    monate->addWidget(Temperatur[m], 3, m, 2, 1, Qt::AlignVCenter);
    connect(Einstrahlung[m], &QLineEdit::editingFinished, this, [this, m] {
      QLineEdit* e = Einstrahlung[m];
      bool ok = false;
      const double v = ZahlAus(e->text(), &ok);
      if (ok && v > 10) e->setText(Komma(TagesmittelAusEingabe(v, m), 2));
    });
    connect(Einstrahlung[m], &QLineEdit::textChanged, this, [this] { Summen(); });
    connect(Temperatur[m], &QLineEdit::textChanged, this, [this] { Summen(); });
  }
  le->setBuddy(Einstrahlung[1]);
  lt->setBuddy(Temperatur[1]);
  auto* lj = new QLabel(QT(TX::Jahr), g);
  lj->setObjectName("LabelJahr");
  lj->setAlignment(Qt::AlignCenter);
  monate->addWidget(lj, 0, 13);
  EditGhor = Feld("EditGhor", g);
  EditTmit = Feld("EditTmit", g);
  for (QLineEdit* e : {EditGhor, EditTmit}) {
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setMinimumWidth(60);
    e->setAlignment(Qt::AlignRight);
  }
  monate->addWidget(EditGhor, 1, 13, 2, 1, Qt::AlignVCenter);
  monate->addWidget(EditTmit, 3, 13, 2, 1, Qt::AlignVCenter);
  grid->addLayout(monate, 5, 0, 1, 14);
  grid->setRowMinimumHeight(4, 12);
  grid->setRowStretch(6, 1);
  connect(EditZZone, &QLineEdit::textChanged, this, [this](const QString& t) {
    std::int32_t code = 0;
    LabelZzoneN->setText(Q(ZeitzoneText(StrToIntComma(t.toStdString(), code))));
  });

  auto* unten = KnopfZeile(this, ButtonOK, ButtonCancel);
  auto* v = new QVBoxLayout(this);
  v->addWidget(g, 1);
  v->addLayout(unten);
  // Tab (and Enter) in reading order: the fields row by row, then the twelve irradiations,
  // then the twelve temperatures, then the buttons.
  std::vector<QWidget*> reihe{Edit1, EditLCode, Edit26, Edit28, Edit27, Edit27b, EditZZone, ComboBox1};
  for (int m = 1; m <= 12; ++m) reihe.push_back(Einstrahlung[m]);
  for (int m = 1; m <= 12; ++m) reihe.push_back(Temperatur[m]);
  reihe.push_back(ButtonOK);
  reihe.push_back(ButtonCancel);
  for (std::size_t i = 1; i < reihe.size(); ++i) setTabOrder(reihe[i - 1], reihe[i]);
  EditFieldKeys(this, ButtonCancel);
}

void TFormOrtEdit::Summen() {
  std::array<double, 13> e{}, t{};
  for (int m = 1; m <= 12; ++m) {
    e[m] = ZahlAus(Einstrahlung[m]->text());
    t[m] = ZahlAus(Temperatur[m]->text());
  }
  EditGhor->setText(Komma(SumMonthsByDays(e), 2));
  EditTmit->setText(Komma(SumMonthsByDays(t) / 365.0, 1, 3));
}

int TFormOrtEdit::Bearbeite(int nr, bool import) {
  nr_ = nr;
  import_ = import;
  setWindowTitle(QT(TX::FormOrtEditCaption));
  const TOrt& o = s_.cat.Orte[nr];
  ComboBox1->clear();
  for (int z = 0; z < 8; ++z)
    ComboBox1->addItem(QT(static_cast<TX>(static_cast<int>(TX::KlimgenTempZone1) + z)));
  Edit1->setText(Q(o.Name));
  EditLCode->setText(Q(o.Land));
  Edit26->setText(Q(o.PLZ));
  Edit27->setText(Komma(o.GeoBreite, 1));
  Edit27b->setText(Komma(o.GeoLaenge, 1));
  Edit28->setText(QString::number(o.Hoehe));
  ComboBox1->setCurrentIndex(std::clamp<int>(o.wsTempZone, 1, 8) - 1);
  EditZZone->setText(QString::number(o.Zeitzone));
  for (int m = 1; m <= 12; ++m) {
    Einstrahlung[m]->setText(Komma(o.Einstrahlung[m], 2));
    Temperatur[m]->setText(Komma(o.LuftTemp[m], 1, 3));
  }
  Summen();
  ButtonCancel->setVisible(!import);
  Edit1->setFocus();
  PlaceKeptDialog(this, s_.settings.AFPos);
  return exec();
}

void TFormOrtEdit::done(int r) {
  s_.settings.AFPos = PositionOf(this);
  QDialog::done(r);
}

bool TFormOrtEdit::Speichere() {
  struct Pruefung { QLineEdit* e; TX label; double min, max; bool ganz; };
  std::vector<Pruefung> liste = {{Edit27, TX::FormOrtEditLabel31, -90, 90, false},
                                 {Edit27b, TX::FormOrtEditLabel35, -180, 180, false},
                                 {Edit28, TX::FormOrtEditLabel37, -500, 9000, true},
                                 {EditZZone, TX::FormOrtEditLabelZzone, -12, 14, true}};
  for (int m = 1; m <= 12; ++m) {
    liste.push_back({Einstrahlung[m], TX::FormOrtEditLabel2, 0, 10, false});
    liste.push_back({Temperatur[m], TX::FormOrtEditLabel3, -70, 50, false});
  }
  if (Edit1->text().trimmed().isEmpty()) {  // a location is found by its name
    ShowMessageLines(T(TX::FehlerWertunzulaessig) + ": " + RemoveAmpersands(T(TX::FormOrtEditLabel1)));
    Edit1->setFocus();
    return false;
  }
  std::vector<double> werte;
  for (const auto& p : liste) {
    const std::string text = p.e->text().toStdString();
    bool gut = false;
    double v = 0;
    std::int32_t code = 0;
    if (p.ganz) {
      v = StrToIntComma(text, code);
      gut = code == 0 && ((v >= p.min && v <= p.max) || (p.e == EditZZone && v == kKeineZeitzone));
    } else {
      v = StrToFloatComma(text, code);
      gut = code == 0 && !text.empty() && v >= p.min && v <= p.max;
    }
    if (!gut) {
      std::string feld = RemoveAmpersands(T(p.label));
      for (int m = 1; m <= 12; ++m)
        if (p.e == Einstrahlung[m] || p.e == Temperatur[m]) feld += " " + Texts().Monatsnamen[m];
      ShowMessageLines(T(TX::FehlerWertunzulaessig) + ": " + feld + " (" +
                       FloatToCommaStr(1, 0, static_cast<float>(p.min)) + " .. " +
                       FloatToCommaStr(1, 0, static_cast<float>(p.max)) + ")");
      p.e->setFocus();
      p.e->selectAll();
      return false;
    }
    werte.push_back(v);
  }
  TOrt& o = s_.cat.Orte[nr_];
  const TOrt vorher = o;
  o.Name = Edit1->text().toStdString();
  o.Land = EditLCode->text().toStdString();
  o.PLZ = Edit26->text().toStdString();
  o.GeoBreite = static_cast<float>(werte[0]);
  o.GeoLaenge = static_cast<float>(werte[1]);
  o.Hoehe = static_cast<std::int32_t>(werte[2]);
  o.Zeitzone = static_cast<std::int8_t>(werte[3]);
  o.wsTempZone = static_cast<std::uint8_t>(ComboBox1->currentIndex() + 1);
  for (int m = 1; m <= 12; ++m) {
    o.Einstrahlung[m] = werte[4 + 2 * (m - 1)];
    o.LuftTemp[m] = werte[5 + 2 * (m - 1)];
  }
  RoundOrtToWritten(o);
  if (!WriteOrte(s_, status_)) {
    o = vorher;
    // Another program's catalogue is read again by the location dialog: the entry shown
    // here may be gone there, so the editor closes as cancelled.
    if (katalog::Veraltet(s_.cat.DateiStaende, OrteDateiPfad(s_))) done(2);
    return false;
  }
  s_.run.ProjektGeaendert = true;
  return true;
}

void TFormOrtEdit::accept() {
  if (Speichere()) QDialog::accept();
}

void TFormOrtEdit::reject() {
  // An imported location is always taken over.
  if (import_) {
    accept();
    return;
  }
  done(2);
}

}  // namespace tav
