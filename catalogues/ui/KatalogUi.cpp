#include "catalogues/ui/KatalogUi.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QPainter>
#include <array>
#include <string_view>

#include "foundation/TavUtil.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"
#include "simulation/SolarPhysics.h"

namespace tav {

QString Komma(double x, int dezimalen, int breite) {
  return Q(FloatToPointStr(breite, dezimalen, x)).replace('.', ',').trimmed();
}

double ZahlAus(const QString& text, bool* ok) {
  std::int32_t code = 0;
  const double v = StrToFloatComma(text.toStdString(), code);
  if (ok) *ok = code == 0 && !text.trimmed().isEmpty();
  return v;
}

QWidget* MitEinheit(QLineEdit* feld, const QString& einheit, QWidget* parent) {
  auto* w = new QWidget(parent);
  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(0, 0, 0, 0);
  feld->setMaximumWidth(90);
  h->addWidget(feld);
  h->addWidget(new QLabel(einheit, w));
  h->addStretch();
  return w;
}

bool GitterHilfeTaste(const QKeyEvent& k) {
  if (k.key() != Qt::Key_Slash || !(k.modifiers() & Qt::KeypadModifier)) return false;
  ZeigeHilfeKontext(501);
  return true;
}

QPushButton* Knopf(const QString& text, const char* name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QHBoxLayout* KnopfZeile(QDialog* d, QPushButton*& ok, QPushButton*& cancel, QWidget* links) {
  ok = Knopf(QT(TX::ButtonOK), "ButtonOK", d);
  ok->setDefault(true);
  cancel = Knopf(QT(TX::ButtonCancel), "ButtonCancel", d);
  QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
  auto* zeile = new QHBoxLayout();
  if (links) zeile->addWidget(links);
  zeile->addStretch();
  zeile->addWidget(ok);
  zeile->addWidget(cancel);
  return zeile;
}

void DialogStatus::Zeige(const std::string& text) {
  if (label_) label_->setText(Q(text));
  // Paint the progress now; clicks and keys wait until the work is done.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DialogStatus::Status(const std::string& text) { Zeige(text); }
void DialogStatus::Progress(const std::string& text) { Zeige(text); }

void DialogStatus::Pause(int ms) { StatusPause(ms); }

void DialogStatus::Busy(bool on) {
  if (on) {
    if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0 && --busy_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void DrawKollKennlinie(QPainter& p, const TKollektor& k) {
  p.save();
  p.fillRect(QRect(0, 0, 150, 150), Qt::white);
  const QColor grau(0x80, 0x80, 0x80);
  QFont f = p.font();
  f.setPixelSize(10);
  p.setFont(f);
  const QFontMetrics fm(f);
  p.setPen(Qt::black);
  p.drawLine(32, 25, 32, 125);
  p.drawLine(32, 125, 132, 125);
  for (int j = 1; j <= 5; ++j) {
    const int y = 125 - 20 * j;
    p.setPen(grau);
    p.drawLine(33, y, 132, y);
    p.setPen(Qt::black);
    const QString t = QString::number(20 * j) + "%";
    p.drawText(QRect(0, y - 8, 30, 16), Qt::AlignRight | Qt::AlignVCenter, t);
  }
  for (int j = 0; j <= 10; ++j) {
    p.setPen(grau);
    p.drawLine(32 + 10 * j, 123, 32 + 10 * j, j % 5 == 0 && j > 0 ? 129 : 127);
  }
  p.setPen(Qt::black);
  p.drawText(QPoint(14, 130 + fm.ascent()), "x =");
  for (int j : {5, 10}) {
    const QString t = Komma(j / 100.0, 2);
    p.drawText(QPoint(32 + 10 * j - fm.horizontalAdvance(t) / 2, 130 + fm.ascent()), t);
  }
  p.setPen(QPen(QColor(0xFF, 0, 0), 1));
  QPoint vorher(32, 125 - static_cast<int>(100 * k.Eta0));
  for (int j = 1; j <= 10; ++j) {
    const float eta = CalcKollEta(k.Eta0, k.K1, k.K2, 8.0f * j, 800.0f);
    const QPoint q(32 + 10 * j, 125 - static_cast<int>(100 * eta));
    p.drawLine(vorher, q);
    vorher = q;
  }
  p.restore();
}

KennlinieBild::KennlinieBild(QWidget* parent) : QWidget(parent) {
  setFixedSize(150, 150);
  setToolTip(QT(TX::Kennlinie));
}

void KennlinieBild::Setze(const TKollektor& k) {
  k_ = k;
  setToolTip("'" + QT(TX::Kennlinie) + " " + Q(k.Name) + "'");
  update();
}

void KennlinieBild::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawKollKennlinie(p, k_);
}

namespace {
// Model codes: the text after the first three characters is looked for in the name; the
// "VK-" prefix marks evacuated tubes.
constexpr std::array<std::string_view, 6> Modellkennung = {
    "FK-Flach", "VK-Vakuum", "VK-CPC", "FK-Großfläche", "FK-absorber", "FK-Luft"};
}  // namespace

QString KollBildName(const TKollektor& k) {
  for (std::size_t i = 0; i < Modellkennung.size(); ++i)
    if (NameTailInText(Modellkennung[i], k.Name)) return "Koll" + QString::number(i + 1);
  for (std::size_t i = 0; i < Modellkennung.size(); ++i)
    if (HasVKPrefix(Modellkennung[i], k.VRK)) return "Koll" + QString::number(i + 1);
  return "Koll1";
}

}  // namespace tav
