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
#include "catalogues/ui/KatalogUi.h"
#include "foundation/Messages.h"
#include "foundation/StrSolver.h"
#include "foundation/TavUtil.h"
#include "simulation/SolarPhysics.h"
#include "simulation/WerteBereiche.h"

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

  for (QLineEdit* e : {Edit2, Edit3, Edit4, EditIAM, Edit5, Edit6})
    connect(e, &QLineEdit::editingFinished, this, [this, e] {
      if (!ButtonCancel->hasFocus()) Pruefe(e);
      UpdateKennwerte();
    });
}

int TFormKollektorEdit::Bearbeite(int nr, bool neu) {
  nr_ = nr;
  neu_ = neu;
  geaendert_ = false;
  setWindowTitle(QT(TX::FormKollEditCaption));
  Fuelle();
  Edit1->setFocus();
  return exec();
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
  anfang_ = {Edit1->text(),   ComboBox1->currentText(), EditQuelle->text(), Edit2->text(),
             Edit3->text(),   Edit4->text(),            EditIAM->text(),    Edit5->text(),
             Edit6->text(),   RadioButton2->isChecked() ? "1" : "0"};
  UpdateKennwerte();
}

TKollektor TFormKollektorEdit::AusFeldern() const {
  TKollektor k = s_.cat.Kollektoren[nr_];
  k.Eta0 = static_cast<float>(ZahlAus(Edit2->text()));
  k.K1 = static_cast<float>(ZahlAus(Edit3->text()));
  k.K2 = static_cast<float>(ZahlAus(Edit4->text()));
  return k;
}

void TFormKollektorEdit::UpdateKennwerte() {
  const TKollektor k = AusFeldern();
  Label13->setText(Komma(CurveEta(800, 40, k.K2, k.K1, k.Eta0), 2, 3));
  Label14->setText(Komma(CurveEta(800, 80, k.K2, k.K1, k.Eta0), 2, 3));
  // The stagnation estimate uses a hot summer day; the instantaneous tool's own ambient
  // temperature is left alone.
  Label15->setText(Komma(CalcStillstandTemp(k.Eta0, k.K1, k.K2, 1000.0f, 32.0f), 0, 3) + " °C");
  Image2->Setze(k);
}

bool TFormKollektorEdit::Pruefe(QLineEdit* e) {
  std::string meldung;
  QString neu;
  if (e == Edit6) {
    TStrSolver solver;
    solver.SetTermString(e->text().toStdString());
    if (!solver.OK()) {
      e->setText(Komma(s_.cat.Kollektoren[nr_].qmVolumen, 2));
      return false;
    }
    const double hoechstens = KollektorWertBereich("qmVolumen")->Max;
    if (solver.Ergebnis() < 0.1) {
      meldung = T(TX::FehlerMinWert) + " 0,1";
      neu = "0,10";
    } else if (solver.Ergebnis() > hoechstens) {
      neu = QString::number(hoechstens).replace('.', ',');
      meldung = T(TX::FehlerMaxWert) + ": " + neu.toStdString();
    } else {
      const QString t = Komma(solver.Ergebnis(), 2);
      if (t != e->text()) e->setText(t);
    }
  } else {
    bool ok = false;
    const double v = ZahlAus(e->text(), &ok);
    // Above, what the collector file takes back when it is read.
    const auto hoechstens = [](std::string_view key) { return KollektorWertBereich(key)->Max; };
    struct Grenze { QLineEdit* e; double min, max; const char* minText; };
    const Grenze grenzen[] = {{Edit2, 0.01, hoechstens("Eta0"), "0,01"},
                              {Edit3, 0.01, hoechstens("K1"), "0,01"},
                              {Edit4, 0, hoechstens("K2"), "0"},
                              {Edit5, 0.1, hoechstens("ModulFlaeche"), "0,1"},
                              {EditIAM, 0.75, 1.2, "0,750"}};
    for (const auto& g : grenzen) {
      if (g.e != e) continue;
      if (!ok || v < g.min) {
        meldung = T(TX::FehlerMinWert) + ": " + g.minText;
        neu = g.minText;
      } else if (v > g.max) {
        neu = g.e == EditIAM ? QString("1,200") : QString::number(g.max).replace('.', ',');
        meldung = T(TX::FehlerMaxWert) + ": " + neu.toStdString();
      }
    }
  }
  if (meldung.empty()) return true;
  e->setText(neu);
  ShowMessageLines(meldung);
  e->setFocus();
  return false;
}

void TFormKollektorEdit::reject() { done(2); }

void TFormKollektorEdit::accept() {
  for (QLineEdit* e : {Edit2, Edit3, Edit4, EditIAM, Edit5, Edit6})
    if (!Pruefe(e)) return;
  if (Edit1->text().trimmed().isEmpty()) {  // the project finds its collector by name
    ShowMessageLines(T(TX::FehlerWertunzulaessig) + ": " + RemoveAmpersands(T(TX::FormKollEditLabel1)));
    Edit1->setFocus();
    return;
  }
  const std::array<QString, 10> jetzt = {
      Edit1->text(), ComboBox1->currentText(), EditQuelle->text(), Edit2->text(),
      Edit3->text(), Edit4->text(),            EditIAM->text(),    Edit5->text(),
      Edit6->text(), RadioButton2->isChecked() ? "1" : "0"};
  TKollektor& k = s_.cat.Kollektoren[nr_];
  auto zahl = [&](int i) { return static_cast<float>(ZahlAus(jetzt[i])); };
  for (int i = 0; i < 10; ++i) {
    if (jetzt[i] == anfang_[i]) continue;
    geaendert_ = true;
    switch (i) {
      case 0: k.Name = jetzt[0].toStdString(); break;
      case 1: k.Norm = jetzt[1].toStdString(); break;
      case 2: k.Quelle = jetzt[2].toStdString(); break;
      case 3: k.Eta0 = zahl(3); break;
      case 4: k.K1 = zahl(4); break;
      case 5: k.K2 = zahl(5); break;
      case 6: k.IAM50 = zahl(6); break;
      case 7: k.ModulFlaeche = zahl(7); break;
      case 8: k.qmVolumen = zahl(8); break;
      case 9: k.VRK = RadioButton2->isChecked(); break;
    }
  }
  if (geaendert_ || neu_) {
    if (!WriteKollektoren(s_, status_)) return;  // message shown; the dialog stays open
    s_.run.ProjektGeaendert = true;
    // The project's collector follows its edited catalogue values.
    if (s_.plant.KollektorNr == nr_) SelectKollektor(s_, nr_);
  }
  QDialog::accept();
}

}  // namespace tav
