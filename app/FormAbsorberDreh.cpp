#include "app/FormAbsorberDreh.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "planning/Rechner.h"
#include "app/FormHilfen.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

using namespace form;

namespace {

QString Winkel(double x) { return Komma(5, 1, x) + " " + Q(T(TX::Grad)); }

}  // namespace

TFormAbsorberDreh::TFormAbsorberDreh(TavState& s, QWidget* parent) : TRechnerForm(parent), s_(s) {
  setObjectName("FormAbsorberDreh");
  SetFixedDialogFrame(this);
  setWindowTitle("Drehung von Absorberflächen");
  LabelDach = Named(new QLabel(this), "LabelDach");
  LabelDachNg = Named(new QLabel(this), "LabelDachNg");
  LabelDachAz = Named(new QLabel(this), "LabelDachAz");
  LabelWinkel = Named(new QLabel(this), "LabelWinkel");
  LabelAbsorber = Named(new QLabel(this), "LabelAbsorber");
  LabelAbsNg = Named(new QLabel(this), "LabelAbsNg");
  LabelAbsAz = Named(new QLabel(this), "LabelAbsAz");
  Label2 = Named(new QLabel(this), "Label2");
  Label4 = Named(new QLabel(this), "Label4");
  Label7 = Named(new QLabel(this), "Label7");
  Fett({LabelDach, LabelAbsorber});
  Edit1 = Named(new QLineEdit(this), "Edit1");
  Edit2 = Named(new QLineEdit(this), "Edit2");
  Edit3 = Named(new QLineEdit(this), "Edit3");
  for (QLineEdit* e : {Edit1, Edit2, Edit3}) {
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("-00000") + 12);
  }
  UpDown1 = Named(new TUpDown(Edit1, 1, 89, 1, this), "UpDown1");
  UpDown2 = Named(new TUpDown(Edit2, -180, 180, 1, this), "UpDown2");
  UpDown3 = Named(new TUpDown(Edit3, -45, 45, 1, this), "UpDown3");
  LabelDachNg->setBuddy(Edit1);
  LabelDachAz->setBuddy(Edit2);
  LabelWinkel->setBuddy(Edit3);
  Label12 = Named(new QLabel(this), "Label12");
  Label13 = Named(new QLabel(this), "Label13");
  ErgebnisLabels({Label12, Label13}, "-0000,0 Grad");
  Button1 = Named(new QPushButton(this), "Button1");
  ButtonEnde = Named(new QPushButton(this), "ButtonEnde");

  auto* g = new QGridLayout;
  g->addWidget(LabelDach, 0, 0, 1, 4);
  g->addWidget(LabelDachNg, 1, 0);
  g->addWidget(Edit1, 1, 1);
  g->addWidget(UpDown1, 1, 2);
  g->addWidget(Label2, 1, 3);
  g->addWidget(LabelDachAz, 2, 0);
  g->addWidget(Edit2, 2, 1);
  g->addWidget(UpDown2, 2, 2);
  g->addWidget(Label4, 2, 3);
  g->setRowMinimumHeight(3, 8);
  g->addWidget(LabelWinkel, 4, 0);
  g->addWidget(Edit3, 4, 1);
  g->addWidget(UpDown3, 4, 2);
  g->addWidget(Label7, 4, 3);
  g->setRowMinimumHeight(5, 12);
  g->addWidget(LabelAbsorber, 6, 0, 1, 4);
  g->addWidget(LabelAbsNg, 7, 0);
  g->addWidget(Label12, 7, 1, 1, 3);
  g->addWidget(LabelAbsAz, 8, 0);
  g->addWidget(Label13, 8, 1, 1, 3);
  g->setColumnStretch(0, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(Button1);
  knoepfe->addStretch();
  knoepfe->addWidget(ButtonEnde);
  auto* l = new QVBoxLayout(this);
  l->addLayout(g);
  l->addSpacing(8);
  l->addLayout(knoepfe);
  setMinimumWidth(300);

  SetzeFelder({Edit1, Edit2, Edit3});
  for (TUpDown* u : {UpDown1, UpDown2, UpDown3})
    connect(u, &TUpDown::geklickt, this, [this] { Rechne(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Uebernehmen(); });
  connect(ButtonEnde, &QPushButton::clicked, this, [this] { done(Uebernommen ? 1 : 2); });
}

void TFormAbsorberDreh::reject() { done(Uebernommen ? 1 : 2); }

void TFormAbsorberDreh::showEvent(QShowEvent* event) {
  // Texts and start values once per showing; repaints leave the user's entries alone.
  setWindowTitle(Q(T(TX::FormAbsDrehCaption)));
  LabelDach->setText(Q(T(TX::FormAbsDrehLabelDach)));
  LabelDachNg->setText(Q(T(TX::FormAbsDrehLabelNg)));
  LabelDachAz->setText(Q(T(TX::FormAbsDrehLabelAz)));
  LabelWinkel->setText(Q(T(TX::FormAbsDrehLabelWinkel)));
  LabelAbsorber->setText(Q(T(TX::FormAbsDrehLabelAbs)));
  LabelAbsNg->setText(Q(T(TX::Neigung)));
  LabelAbsAz->setText(Q(T(TX::Azimut)));
  for (QLabel* l : {Label2, Label4, Label7}) l->setText(Q(T(TX::Grad)));
  Button1->setText(Q(T(TX::FormAbsDrehButton1)));
  Button1->setToolTip(Q(T(TX::FormAbsDrehButton1Hint)));
  ButtonEnde->setText(Q(T(TX::FormAbsDrehButtonEnde)));
  Uebernommen = false;
  const PlantState& p = s_.plant;
  UpDown1->SetPosition(static_cast<int>(std::lround(p.KollektorNeigung)));
  UpDown2->SetPosition(static_cast<int>(std::lround(p.KollektorAzimut)));
  UpDown3->SetPosition(VorschlagDrehwinkel(UpDown1->Position(), UpDown2->Position()));
  for (QLineEdit* e : {Edit1, Edit2, Edit3}) SetzeText(e, e->text());
  Rechne();
  LayoutJetzt(this);
  // A small tool of fixed size: no maximise or minimise button, the whole title shown.
  FixDialogSize(this);
  TRechnerForm::showEvent(event);
  Edit1->setFocus();
}

void TFormAbsorberDreh::Rechne() {
  gueltig_ = false;
  double n = 0, a = 0, w = 0;
  if (!LeseZahl(Edit1, n) || !LeseZahl(Edit2, a) || !LeseZahl(Edit3, w)) return;
  // Outside the spin limits the formulas break down (a flat roof, a quarter turn): the
  // entry is held at the limit.
  const auto halte = [this](QLineEdit* e, TUpDown* u, double& x) {
    if (x < u->Min || x > u->Max) {
      x = std::clamp(x, double(u->Min), double(u->Max));
      SetzeText(e, QString::number(x));
    }
  };
  halte(Edit1, UpDown1, n);
  halte(Edit2, UpDown2, a);
  halte(Edit3, UpDown3, w);
  const AbsorberLage l = BerechneAbsorber(n, a, w);
  AbsNeigung = l.Neigung;
  AbsAzimut = l.Azimut;
  Label12->setText(Winkel(AbsNeigung));
  Label13->setText(Winkel(AbsAzimut));
  gueltig_ = true;
}

void TFormAbsorberDreh::Uebernehmen() {
  Rechne();  // a field typed in but not yet left counts
  if (!gueltig_) return;
  s_.plant.KollektorNeigung = static_cast<float>(AbsNeigung);
  s_.plant.KollektorAzimut = static_cast<float>(AbsAzimut);
  s_.run.ProjektGeaendert = true;
  Uebernommen = true;
}

}  // namespace tav
