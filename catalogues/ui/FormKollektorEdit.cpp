#include "catalogues/ui/FormKollektorEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogues/KatalogDialogLogik.h"
#include "catalogues/Kollektoren.h"
#include "foundation/KatalogDiensteDatei.h"
#include "catalogues/ui/KatalogUi.h"
#include "foundation/TavUtil.h"
#include "foundation/ui/HilfeFenster.h"
#include "foundation/ui/SysUtilsQt.h"
#include "simulation/SolarPhysics.h"

namespace tav {

namespace {
constexpr const char* kHintIAM = "Einstrahlwinkel-Korrekturfaktor";
constexpr const char* kHintKennlinie = "Kollektor-Kennlinie";

QLineEdit* Feld(const char* name, QWidget* parent, int maxLen = 0) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  if (maxLen) e->setMaxLength(maxLen);
  return e;
}
}  // namespace

TFormKollektorEdit::TFormKollektorEdit(TavState& s, StatusSink& status, QWidget* parent)
    : QDialog(parent), s_(s), status_(status) {
  setObjectName("FormKollektorEdit");
  resize(658, 482);
  auto* g1 = new QGroupBox(this);
  g1->setObjectName("GroupBox1");
  Edit1 = Feld("Edit1", g1, 45);
  RadioButton1 = new QRadioButton(QT(TX::FormKollEditRadioButton1), g1);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton2 = new QRadioButton(QT(TX::FormKollEditRadioButton2), g1);
  RadioButton2->setObjectName("RadioButton2");
  ComboBox1 = new QComboBox(g1);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(true);
  for (auto n : NormListe) ComboBox1->addItem(QString::fromUtf8(n.data(), n.size()));
  EditQuelle = Feld("EditQuelle", g1, 45);
  Edit2 = Feld("Edit2", g1);
  Edit3 = Feld("Edit3", g1);
  Edit4 = Feld("Edit4", g1);
  EditIAM = Feld("EditIAM", g1);
  EditIAM->setToolTip(kHintIAM);
  Edit5 = Feld("Edit5", g1);
  Edit6 = Feld("Edit6", g1);
  Edit6->setToolTip(QT(TX::EditTermSolverHint));

  auto* form = new QFormLayout(g1);
  auto mitEinheit = [g1](QLineEdit* e, const QString& einheit) { return MitEinheit(e, einheit, g1); };
  auto* art = new QWidget(g1);
  auto* artL = new QHBoxLayout(art);
  artL->setContentsMargins(0, 0, 0, 0);
  artL->addWidget(RadioButton1);
  artL->addWidget(RadioButton2);
  artL->addStretch();
  form->addRow(QT(TX::FormKollEditLabel1), Edit1);
  form->addRow("", art);
  form->addRow(QT(TX::FormKollEditLabel2), ComboBox1);
  form->addRow(QT(TX::FormKollEditLabelQuelle), EditQuelle);
  form->addRow(QT(TX::FormKollEditLabel3), mitEinheit(Edit2, ""));
  form->addRow(QT(TX::FormKollEditLabel4), mitEinheit(Edit3, "W/m²K"));
  form->addRow(QT(TX::FormKollEditLabel5), mitEinheit(Edit4, "W/m²K²"));
  form->addRow(QT(TX::FormKollEditLabel18), mitEinheit(EditIAM, ""));
  form->addRow(QT(TX::FormKollEditLabel6), mitEinheit(Edit5, "m²"));
  form->addRow(QT(TX::FormKollEditLabel7), mitEinheit(Edit6, QT(TX::Liter) + "/m²"));
  for (QLineEdit* e : {Edit1, EditQuelle, Edit2, Edit3, Edit4, EditIAM, Edit5, Edit6})
    if (auto* l = qobject_cast<QLabel*>(form->labelForField(e))) l->setBuddy(e);
  // A label is exactly as wide as its text's advance, and the text is clipped there: a last
  // glyph that reaches past it ("Institut / Test") loses its right edge. Two pixels of room.
  for (int z = 0; z < form->rowCount(); ++z)
    if (QLayoutItem* i = form->itemAt(z, QFormLayout::LabelRole))
      if (auto* l = qobject_cast<QLabel*>(i->widget())) l->setMinimumWidth(l->sizeHint().width() + 2);

  auto* g2 = new QGroupBox(this);
  g2->setObjectName("GroupBox2");
  Label13 = new QLabel(g2);
  Label13->setObjectName("Label13");
  Label14 = new QLabel(g2);
  Label14->setObjectName("Label14");
  Label15 = new QLabel(g2);
  Label15->setObjectName("Label15");
  Image2 = new KennlinieBild(g2);
  Image2->setObjectName("Image2");
  Image2->setToolTip(kHintKennlinie);
  auto* kw = new QFormLayout();
  kw->addRow("Eta (x=0.05):", Label13);
  kw->addRow("Eta (x=0.10):", Label14);
  kw->addRow(QT(TX::FormKollEditLabel30) + "\n" + QT(TX::FormKollEditLabel31), Label15);
  auto* g2l = new QVBoxLayout(g2);
  g2l->addLayout(kw);
  g2l->addWidget(Image2, 0, Qt::AlignHCenter);
  g2l->addStretch();

  auto* oben = new QHBoxLayout();
  oben->addWidget(g1, 3);
  oben->addWidget(g2, 2);
  auto* unten = KnopfZeile(this, ButtonOK, ButtonCancel);
  auto* v = new QVBoxLayout(this);
  v->addLayout(oben);
  v->addLayout(unten);

  SetKollEditReadOnly();
}

void TFormKollektorEdit::SetKollEditReadOnly() {
  // Shown, not typed: read-only fields in the window's colour, out of the tab order.
  for (QLineEdit* e : {Edit1, EditQuelle, Edit2, Edit3, Edit4, EditIAM, Edit5, Edit6}) {
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setFrame(false);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    e->setPalette(pal);
  }
  ComboBox1->setFocusPolicy(Qt::NoFocus);
  ComboBox1->setEnabled(false);
  RadioButton1->setEnabled(false);
  RadioButton2->setEnabled(false);
  ButtonCancel->hide();
  setProperty(kHelpContext, 372);
}

int TFormKollektorEdit::Bearbeite(int nr) {
  nr_ = nr;
  setWindowTitle(QT(TX::FormKollEditCaption));
  Fuelle();
  ButtonOK->setFocus();
  PlaceKeptDialog(this, s_.settings.AFPos);
  return exec();
}

void TFormKollektorEdit::done(int r) {
  s_.settings.AFPos = PositionOf(this);
  QDialog::done(r);
}

void TFormKollektorEdit::Fuelle() {
  const TKollektor& k = s_.cat.Kollektoren[nr_];
  Edit1->setText(Q(k.Name));
  ComboBox1->setEditText(Q(k.Norm));
  EditQuelle->setText(Q(k.Quelle));
  Edit2->setText(Komma(k.Eta0, 3));
  Edit3->setText(Komma(k.K1, 3));
  Edit4->setText(Komma(k.K2, 4));
  EditIAM->setText(Komma(k.IAM50, 3));
  Edit5->setText(Komma(k.ModulFlaeche, 3));
  Edit6->setText(Komma(k.qmVolumen, 2));
  RadioButton1->setChecked(!k.VRK);
  RadioButton2->setChecked(k.VRK);
  UpdateKennwerte();
}

void TFormKollektorEdit::UpdateKennwerte() {
  const TKollektor& k = s_.cat.Kollektoren[nr_];
  Label13->setText(Komma(CurveEta(800, 40, k.K2, k.K1, k.Eta0), 2, 3));
  Label14->setText(Komma(CurveEta(800, 80, k.K2, k.K1, k.Eta0), 2, 3));
  // The stagnation estimate uses a hot summer day; the instantaneous tool's own ambient
  // temperature is left alone.
  Label15->setText(Komma(CalcStillstandTemp(k.Eta0, k.K1, k.K2, 1000.0f, 32.0f), 0, 3) + " °C");
  Image2->Setze(k);
}

void TFormKollektorEdit::reject() { done(2); }

void TFormKollektorEdit::accept() {
  // The fields only show the entry, so it is written as it is: rounding it to the shown
  // decimals would lose digits of the catalogue's figures.
  if (!WriteKollektoren(s_, status_)) {
    // Message shown. Another program's catalogue is read again by the collector dialog: the
    // entry shown here may be gone there, so the editor closes as cancelled.
    if (katalog::Veraltet(s_.cat.DateiStaende, KollDateiPfad(s_))) reject();
    return;  // otherwise the dialog stays open
  }
  s_.run.ProjektGeaendert = true;
  SelectKollektor(s_, nr_);
  QDialog::accept();
}

}  // namespace tav
