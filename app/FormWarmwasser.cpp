#include "app/FormWarmwasser.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "planning/Rechner.h"
#include "app/FormHilfen.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

using namespace form;

TFormWarmwasser::TFormWarmwasser(TavState& s, QWidget* parent) : TRechnerForm(parent), s_(s) {
  setObjectName("FormWarmwasser");
  SetFixedDialogFrame(this);
  setWindowTitle("Warmwasser und Wärme");
  setModal(false);
  GroupBox1 = Named(new QGroupBox(this), "GroupBox1");
  Label1 = Named(new QLabel(GroupBox1), "Label1");
  Label2 = Named(new QLabel(GroupBox1), "Label2");
  Label3 = Named(new QLabel(this), "Label3");
  Label4 = Named(new QLabel(this), "Label4");
  Label5 = Named(new QLabel(this), "Label5");
  Label6 = Named(new QLabel(this), "Label6");
  Edit1 = Named(new QLineEdit(GroupBox1), "Edit1");
  Edit2 = Named(new QLineEdit(GroupBox1), "Edit2");
  Edit3 = Named(new QLineEdit(this), "Edit3");
  Edit4 = Named(new QLineEdit(this), "Edit4");
  for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4}) {
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("0000000") + 12);
  }
  UpDown1 = Named(new TUpDown(Edit1, 0, 110, 1, GroupBox1), "UpDown1");
  UpDown2 = Named(new TUpDown(Edit2, 0, 110, 1, GroupBox1), "UpDown2");
  UpDown3 = Named(new TUpDown(Edit3, 1, 30000, 10, this), "UpDown3");
  Label1->setBuddy(Edit1);
  Label2->setBuddy(Edit2);
  Label3->setBuddy(Edit3);
  Label4->setBuddy(Edit4);
  Label12 = Named(new QLabel(this), "Label12");
  Label13 = Named(new QLabel(this), "Label13");
  ErgebnisLabels({Label12, Label13}, "000000,000 kWh");
  Button1 = Named(new QPushButton(this), "Button1");

  auto* temp = new QGridLayout(GroupBox1);
  temp->addWidget(Label1, 0, 0);
  temp->addWidget(Edit1, 0, 1);
  temp->addWidget(UpDown1, 0, 2);
  temp->addWidget(new QLabel("°C", GroupBox1), 0, 3);
  temp->addWidget(Label2, 1, 0);
  temp->addWidget(Edit2, 1, 1);
  temp->addWidget(UpDown2, 1, 2);
  temp->addWidget(new QLabel("°C", GroupBox1), 1, 3);
  temp->setColumnStretch(0, 1);
  auto* g = new QGridLayout;
  liter_ = new QLabel(this);
  g->addWidget(Label3, 0, 0);
  g->addWidget(Edit3, 0, 1);
  g->addWidget(UpDown3, 0, 2);
  g->addWidget(liter_, 0, 3);
  g->addWidget(Label4, 1, 0);
  g->addWidget(Edit4, 1, 1);
  g->addWidget(new QLabel("h", this), 1, 3);
  g->setColumnStretch(0, 1);
  auto* erg = new QGridLayout;
  erg->addWidget(Label5, 0, 0);
  erg->addWidget(Label12, 0, 1);
  erg->addWidget(Label6, 1, 0);
  erg->addWidget(Label13, 1, 1);
  erg->setColumnStretch(0, 1);
  auto* knopf = new QHBoxLayout;
  knopf->addStretch();
  knopf->addWidget(Button1);
  auto* l = new QVBoxLayout(this);
  l->addWidget(GroupBox1);
  l->addLayout(g);
  l->addSpacing(8);
  l->addLayout(erg);
  l->addSpacing(8);
  l->addLayout(knopf);
  setMinimumWidth(280);

  SetzeFelder({Edit1, Edit2, Edit3, Edit4});
  for (TUpDown* u : {UpDown1, UpDown2, UpDown3})
    connect(u, &TUpDown::geklickt, this, [this] { Rechne(); });
  connect(Button1, &QPushButton::clicked, this, [this] { close(); });
}

void TFormWarmwasser::showEvent(QShowEvent* event) {
  setWindowTitle(Q(T(TX::FormWWCaption)));
  GroupBox1->setTitle(Q(T(TX::FormWWTemperatur)));
  Label1->setText(Q(T(TX::FormWWkalt)));
  Label2->setText(Q(T(TX::FormWWwarm)));
  Label3->setText(Q(T(TX::FormWWVolumen)));
  liter_->setText(Q(T(TX::Liter)));
  Label4->setText(Q(T(TX::FormWWZeit)));
  Label5->setText(Q(T(TX::FormWWQ) + ":"));
  Label6->setText(Q(T(TX::Heizleistung) + ":"));
  Button1->setText(Q(T(TX::FormWWButton1)));
  const PlantState& p = s_.plant;
  UpDown1->SetPosition(static_cast<int>(std::lround(p.Kaltwassertemp)));
  UpDown2->SetPosition(static_cast<int>(std::lround(p.Warmwassertemp)));
  UpDown3->SetPosition(static_cast<int>(std::lround(p.Speicher1vol)));
  SetzeText(Edit1, Edit1->text());
  SetzeText(Edit2, Edit2->text());
  SetzeText(Edit3, Edit3->text());
  SetzeText(Edit4, "6");
  Rechne();
  LayoutJetzt(this);
  // A small tool of fixed size: no maximise or minimise button, the whole title shown.
  FixDialogSize(this);
  TRechnerForm::showEvent(event);
  Edit1->setFocus();
}

void TFormWarmwasser::Rechne() {
  double kalt = 0, warm = 0, volumen = 0, zeit = 0;
  if (!LeseZahl(Edit1, kalt) || !LeseZahl(Edit2, warm) || !LeseZahl(Edit3, volumen) ||
      !LeseZahl(Edit4, zeit))
    return;
  const WarmwasserErgebnis e = BerechneWarmwasser(kalt, warm, volumen, zeit);
  if (zeit < kMinZeitraum) SetzeText(Edit4, "0,1");
  Label12->setText(Komma(5, 3, e.Waerme) + " kWh");
  Label13->setText(Komma(5, 3, e.Leistung) + " kW");
}

}  // namespace tav
