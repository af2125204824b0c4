#include "simulation/ui/FormSimOpt.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/FeldTasten.h"

namespace tav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QString FaktorText(int zehntel) { return Q(FloatToCommaStr(1, 1, static_cast<float>(zehntel) / 10.0f)); }

}  // namespace

bool TKlickLabel::event(QEvent* e) {
  // The accelerator of the caption acts like a click instead of only focusing a buddy.
  if (e->type() == QEvent::Shortcut) {
    emit geklickt();
    return true;
  }
  return QLabel::event(e);
}

void TKlickLabel::mousePressEvent(QMouseEvent* e) {
  QLabel::mousePressEvent(e);
  emit geklickt();
}

TFormSimOpt::TFormSimOpt(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSimOpt");
  auto benenne = [](QWidget* w, const char* name) {
    w->setObjectName(name);
    return w;
  };

  GroupBox1 = new QGroupBox(this);
  benenne(GroupBox1, "GroupBox1");
  Label1 = new QLabel(GroupBox1);
  benenne(Label1, "Label1");
  Edit1 = new QLineEdit(GroupBox1);
  benenne(Edit1, "Edit1");
  Edit1->setMaxLength(3);
  Edit1->setFixedWidth(Edit1->fontMetrics().horizontalAdvance("0000") + 16);
  Edit1->setAlignment(Qt::AlignRight);
  Label1->setBuddy(Edit1);
  Label2 = new QLabel(GroupBox1);
  benenne(Label2, "Label2");
  TrackBar1 = new QSlider(Qt::Horizontal, GroupBox1);
  benenne(TrackBar1, "TrackBar1");
  TrackBar1->setRange(kZoomMin, kZoomMax);
  TrackBar1->setPageStep(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(1);
  TrackBar1->setMinimumWidth(200);
  Label3 = new TKlickLabel(GroupBox1);
  benenne(Label3, "Label3");
  Label3->setBuddy(TrackBar1);
  Label4 = new TKlickLabel(GroupBox1);
  benenne(Label4, "Label4");
  Label4->setBuddy(TrackBar1);

  auto* g1 = new QGridLayout(GroupBox1);
  g1->addWidget(Label1, 0, 0, 1, 2);
  g1->addWidget(Edit1, 0, 2, Qt::AlignRight);
  g1->addWidget(Label2, 1, 0, 1, 3);
  g1->addWidget(Label3, 2, 0);
  g1->addWidget(TrackBar1, 2, 1);
  g1->addWidget(Label4, 2, 2);
  g1->setColumnStretch(1, 1);

  GroupBox2 = new QGroupBox(this);
  benenne(GroupBox2, "GroupBox2");
  RadioButton1Jahr = new QRadioButton(GroupBox2);
  benenne(RadioButton1Jahr, "RadioButton1Jahr");
  RadioButton3Jahre = new QRadioButton(GroupBox2);
  benenne(RadioButton3Jahre, "RadioButton3Jahre");
  auto* g2 = new QHBoxLayout(GroupBox2);
  g2->addWidget(RadioButton1Jahr);
  g2->addWidget(RadioButton3Jahre);
  g2->addStretch();

  GroupBox3 = new QGroupBox(this);
  benenne(GroupBox3, "GroupBox3");
  LabelKAfaktor = new QLabel(GroupBox3);
  benenne(LabelKAfaktor, "LabelKAfaktor");
  EditKAfaktor = new QLineEdit(GroupBox3);
  benenne(EditKAfaktor, "EditKAfaktor");
  EditKAfaktor->setMaxLength(5);
  EditKAfaktor->setFixedWidth(Edit1->width());
  EditKAfaktor->setAlignment(Qt::AlignRight);
  LabelKAfaktor->setBuddy(EditKAfaktor);
  SpeedButtonupf = new QToolButton(GroupBox3);
  benenne(SpeedButtonupf, "SpeedButtonupf");
  SpeedButtonupf->setArrowType(Qt::UpArrow);
  SpeedButtondnf = new QToolButton(GroupBox3);
  benenne(SpeedButtondnf, "SpeedButtondnf");
  SpeedButtondnf->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {SpeedButtonupf, SpeedButtondnf}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
  }
  auto* g3 = new QHBoxLayout(GroupBox3);
  g3->addWidget(LabelKAfaktor);
  g3->addStretch();
  g3->addWidget(EditKAfaktor);
  g3->addWidget(SpeedButtonupf);
  g3->addWidget(SpeedButtondnf);

  ButtonOK = new QPushButton(this);
  benenne(ButtonOK, "ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(this);
  benenne(ButtonCancel, "ButtonCancel");
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(ButtonOK);
  knoepfe->addWidget(ButtonCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addWidget(GroupBox2);
  layout->addWidget(GroupBox3);
  layout->addLayout(knoepfe);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(Edit1, TrackBar1);
  setTabOrder(TrackBar1, RadioButton1Jahr);
  setTabOrder(RadioButton1Jahr, RadioButton3Jahre);
  setTabOrder(RadioButton3Jahre, EditKAfaktor);
  setTabOrder(EditKAfaktor, ButtonOK);
  setTabOrder(ButtonOK, ButtonCancel);

  connect(TrackBar1, &QSlider::valueChanged, this, [this](int wert) {
    ZoomWahl = wert;
    Edit1->setText(QString::number(wert));
  });
  connect(Label3, &TKlickLabel::geklickt, this, [this] {
    TrackBar1->setValue(kZoomMin);
    TrackBar1->setFocus();
  });
  connect(Label4, &TKlickLabel::geklickt, this, [this] {
    TrackBar1->setValue(kZoomMax);
    TrackBar1->setFocus();
  });
  connect(SpeedButtonupf, &QToolButton::clicked, this, [this] { StufeKAfaktor(1); });
  connect(SpeedButtondnf, &QToolButton::clicked, this, [this] { StufeKAfaktor(-1); });
  connect(ButtonOK, &QPushButton::clicked, this, &TFormSimOpt::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormSimOpt::reject);
  Edit1->installEventFilter(this);
  EditKAfaktor->installEventFilter(this);
  // Escape goes to Cancel first, from any control; a second Escape there cancels.
  EscapeToButton(this, ButtonCancel);
  Beschriften();
}

void TFormSimOpt::Beschriften() {
  setWindowTitle(Q(T(TX::FormSimOptCaption)));
  GroupBox1->setTitle(Q(T(TX::FormSimOptGroupBox1)));
  Label1->setText(Q(T(TX::FormSimOptLabel1)));
  Label2->setText(Q(T(TX::FormSimOptLabel2)));
  Label3->setText(Q(T(TX::FormSimOptLabel3)));
  Label4->setText(Q(T(TX::FormSimOptLabel4)));
  GroupBox2->setTitle(Q(T(TX::FormSimOptGroupBox2)));
  RadioButton1Jahr->setText(Q(T(TX::FormSimOptRadioButton1Jahr)));
  RadioButton3Jahre->setText(Q(T(TX::FormSimOptRadioButton3Jahre)));
  GroupBox3->setTitle(Q(T(TX::FormAssCaption)));
  LabelKAfaktor->setText(Q(T(TX::FormAssKAfaktor)));
  LabelKAfaktor->setToolTip(Q(T(TX::FormAssKAfaktorHint)));
  EditKAfaktor->setToolTip(Q(T(TX::FormAssKAfaktorHint)));
  ButtonOK->setText(Q(T(TX::ButtonOK)));
  ButtonCancel->setText(Q(T(TX::ButtonCancel)));
  GroupBox3->setVisible(true);
}

void TFormSimOpt::setVisible(bool visible) {
  if (!visible || isVisible()) {
    QDialog::setVisible(visible);
    return;
  }
  Beschriften();

  const auto& g = G();
  // Older projects may hold fewer steps; the dialog offers the range it accepts.
  ZoomWahl = std::clamp<int>(g.plant.ZeitZoom, kZoomMin, kZoomMax);
  TrackBar1->setValue(ZoomWahl);
  Edit1->setText(QString::number(ZoomWahl));
  (g.settings.SimJahre == 1 ? RadioButton1Jahr : RadioButton3Jahre)->setChecked(true);
  faktorZuletzt_ = std::clamp<int>(g.plant.KAfaktor, kFaktorMin, kFaktorMax);
  EditKAfaktor->setText(FaktorText(faktorZuletzt_));
  layout()->activate();
  QDialog::setVisible(true);
  // With its focus frame: a slider draws none for a focus the keyboard did not bring.
  KeyFocus(TrackBar1, Qt::OtherFocusReason);
}

bool TFormSimOpt::PruefeZoom() {
  try {
    ZoomWahl = CheckIntRange(S(Edit1->text()), kZoomMin, kZoomMax);
  } catch (const std::runtime_error& e) {  // not a number, or out of range
    pruefend_ = true;
    ShowMessageLines(e.what());
    pruefend_ = false;
    Edit1->setText(QString::number(ZoomWahl));
    Edit1->setFocus();
    Edit1->selectAll();
    return false;
  }
  TrackBar1->setValue(ZoomWahl);
  return true;
}

bool TFormSimOpt::PruefeKAfaktor() {
  std::int32_t code = 0;
  const double wert = StrToFloatComma(S(EditKAfaktor->text()), code);
  std::string meldung;
  QString ersatz;
  if (code != 0 || EditKAfaktor->text().trimmed().isEmpty() || !std::isfinite(wert)) {
    meldung = ENonsenseInput().what();
    ersatz = FaktorText(faktorZuletzt_);
  } else if (wert < kFaktorMin / 10.0 - 1e-9) {
    meldung = T(TX::FehlerMinWert) + ": 1,1";
    ersatz = FaktorText(kFaktorMin);
  } else if (wert > kFaktorMax / 10.0 + 1e-9) {
    meldung = T(TX::FehlerMaxWert) + ": 3,0";
    ersatz = FaktorText(kFaktorMax);
  } else {
    faktorZuletzt_ = static_cast<int>(std::lround(wert * 10.0));
    return true;
  }
  pruefend_ = true;
  ShowMessageLines(meldung);
  pruefend_ = false;
  EditKAfaktor->setText(ersatz);
  EditKAfaktor->setFocus();
  EditKAfaktor->selectAll();
  return false;
}

void TFormSimOpt::StufeKAfaktor(int schritt) {
  std::int32_t code = 0;
  const double wert = StrToFloatComma(S(EditKAfaktor->text()), code);
  int f = (code == 0 && std::isfinite(wert) && !EditKAfaktor->text().trimmed().isEmpty())
              ? static_cast<int>(std::lround(std::clamp(wert, 0.0, 100.0) * 10.0))
              : faktorZuletzt_;
  // Deliberate: the arrows stop at 1,1, the least value the field accepts, not at 1,0.
  f = std::clamp(f + schritt, kFaktorMin, kFaktorMax);
  faktorZuletzt_ = f;
  EditKAfaktor->setText(FaktorText(f));
}

bool TFormSimOpt::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == EditKAfaktor) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StufeKAfaktor(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut && !pruefend_ && isVisible()) {
    const auto grund = static_cast<QFocusEvent*>(event)->reason();
    // Deliberate: leaving for Cancel, another window or a menu checks nothing, only a move
    // inside the dialog does, so that Cancel is never held up by a field it discards.
    const bool imDialog = grund == Qt::TabFocusReason || grund == Qt::BacktabFocusReason ||
                          grund == Qt::MouseFocusReason || grund == Qt::ShortcutFocusReason ||
                          grund == Qt::OtherFocusReason;
    if (imDialog && QApplication::focusWidget() != ButtonCancel) {
      if (watched == Edit1) PruefeZoom();
      if (watched == EditKAfaktor) PruefeKAfaktor();
    }
  }
  return QDialog::eventFilter(watched, event);
}

// OK and Enter alike. Deliberate: Enter stores the weather years' choice too, because
// leaving it out lost what the user chose in the dialog.
void TFormSimOpt::accept() {
  if (!PruefeZoom() || !PruefeKAfaktor()) return;
  auto& g = G();
  g.plant.ZeitZoom = static_cast<std::uint8_t>(ZoomWahl);
  g.plant.Projekt.ZeitZoom = g.plant.ZeitZoom;
  g.settings.SimJahre = RadioButton1Jahr->isChecked() ? 1 : 3;
  g.plant.KAfaktor = static_cast<std::uint16_t>(faktorZuletzt_);
  done(mrOk);
}

void TFormSimOpt::reject() { done(mrCancel); }

TFormSimOpt& FormSimOpt() {
  static TFormSimOpt* form = new TFormSimOpt;
  return *form;
}

}  // namespace tav
