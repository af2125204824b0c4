#include "catalogues/ui/FormEnerEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "catalogues/Energie.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/StatusSink.h"
#include "catalogues/ui/EditorKnoepfe.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"
#include "foundation/ui/SysUtilsQt.h"

namespace tav {

namespace {

// Texts the catalogue editor keeps as they stand.
const char* const kHintKWh = "Heizwert o.ä.";
const char* const kHintWinter = "bei Lufttemperatur unter 5°C";
const char* const kHintFH = "bei Lufttemperatur von 5 bis 15°C ";
const char* const kHintSommer = "bei Lufttemperatur über 15°C";
const char* const kEinheitFehlt = "Energieeinh.";
// The catalogue reader refuses less than this per unit.
constexpr double kMinKWh = 0.005;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

}  // namespace

std::vector<std::string> TFormEnerEdit::Einheiten(const CatalogueState& c) {
  std::vector<std::string> out;
  const int n = std::min<int>(c.EnergieAnzahl, static_cast<int>(c.Energietraeger.size()) - 1);
  for (int i = 1; i <= n; ++i) {
    const std::string& e = c.Energietraeger[static_cast<std::size_t>(i)].Einheit;
    if (std::find(out.begin(), out.end(), e) == out.end()) out.push_back(e);
  }
  return out;
}

TFormEnerEdit::TFormEnerEdit(TavState& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("FormEnerEdit");
  setWindowFlag(Qt::Tool);
  auto* gruppe = new QGroupBox(this);
  gruppe->setObjectName("GroupBox7");
  auto neuEdit = [&](const char* name) {
    auto* e = new QLineEdit(gruppe);
    e->setObjectName(name);
    e->installEventFilter(this);
    return e;
  };
  Edit40 = neuEdit("Edit40");
  ComboBox41 = new QComboBox(gruppe);
  ComboBox41->setObjectName("ComboBox41");
  ComboBox41->installEventFilter(this);
  Edit42 = neuEdit("Edit42");
  Edit42->setToolTip(QString::fromUtf8(kHintKWh));
  Edit43 = neuEdit("Edit43");
  Edit44 = neuEdit("Edit44");
  Edit44->setToolTip(QString::fromUtf8(kHintWinter));
  Edit45 = neuEdit("Edit45");
  Edit45->setToolTip(QString::fromUtf8(kHintFH));
  Edit46 = neuEdit("Edit46");
  Edit46->setToolTip(QString::fromUtf8(kHintSommer));
  for (QLineEdit* e : {Edit42, Edit43, Edit44, Edit45, Edit46}) {
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance("000000000") + 12);
  }
  auto label = [&](TX key, QWidget* buddy) {
    auto* l = new QLabel(Q(T(key)), gruppe);
    if (buddy) l->setBuddy(buddy);
    return l;
  };
  auto* g = new QGridLayout(gruppe);
  g->addWidget(label(TX::FormAnlageLabel36, Edit40), 0, 0);
  g->addWidget(Edit40, 0, 1, 1, 3);
  g->addWidget(label(TX::FormAnlageLabel34, ComboBox41), 1, 0);
  g->addWidget(ComboBox41, 1, 1, 1, 3);
  g->addWidget(label(TX::FormAnlageLabel37, Edit42), 2, 0);
  g->addWidget(Edit42, 2, 1);
  g->addWidget(label(TX::FormAnlageLabel35, Edit43), 3, 0);
  g->addWidget(Edit43, 3, 1);
  g->addWidget(new QLabel("kg", gruppe), 3, 2);
  Label41 = label(TX::FormAnlageLabel41, nullptr);
  Label41->setObjectName("Label41");
  g->addWidget(Label41, 4, 0, 1, 4);
  g->addWidget(label(TX::FormAnlageLabel42, Edit44), 5, 0);
  g->addWidget(Edit44, 5, 1);
  g->addWidget(new QLabel("%", gruppe), 5, 2);
  g->addWidget(label(TX::FormAnlageLabel43, Edit45), 6, 0);
  g->addWidget(Edit45, 6, 1);
  g->addWidget(new QLabel("%", gruppe), 6, 2);
  g->addWidget(label(TX::FormAnlageLabel44, Edit46), 7, 0);
  g->addWidget(Edit46, 7, 1);
  g->addWidget(new QLabel("%", gruppe), 7, 2);
  g->setColumnStretch(3, 1);

  QHBoxLayout* knoepfe = EditorKnoepfe(this, ButtonOK, ButtonCancel, [this] { return Speichere(); });
  auto* v = new QVBoxLayout(this);
  v->addWidget(gruppe);
  v->addLayout(knoepfe);
  gruppe->setTitle(Q(T(TX::FormAnlageGroupBox7)));
  setWindowTitle(Q(T(TX::FormEnerEditCaption)));
  setMinimumWidth(380);
}

int TFormEnerEdit::Bearbeite(int index) {
  if (index < 1 || index > s_.cat.EnergieAnzahl) return 2;
  index_ = index;
  const TEnergie& e = s_.cat.Energietraeger[static_cast<std::size_t>(index)];
  fuellen_ = true;
  Edit40->setText(Q(e.EnergieName));
  ComboBox41->clear();
  for (const std::string& u : Einheiten(s_.cat)) ComboBox41->addItem(Q(u));
  const int pos = ComboBox41->findText(Q(e.Einheit));
  if (pos < 0) ShowMessageLines(kEinheitFehlt);
  ComboBox41->setCurrentIndex(std::max(pos, 0));
  Edit42->setText(Q(FloatToCommaStr(1, 2, e.kWhinEinheit)));
  Edit43->setText(Q(FloatToCommaStr(1, 2, e.CO2inEinheit)));
  Edit44->setText(QString::number(e.NutzgradWinter));
  Edit45->setText(QString::number(e.NutzgradFruehlingHerbst));
  Edit46->setText(QString::number(e.NutzgradSommer));
  fuellen_ = false;
  Edit40->setFocus();
  return exec();
}

bool TFormEnerEdit::PruefeNutzgrad(QLineEdit* edit) {
  std::int32_t code = 0;
  const double v = StrToFloatComma(S(edit->text()), code);
  std::string meldung;
  QString korrektur;
  if (code != 0 || edit->text().trimmed().isEmpty()) {
    meldung = T(TX::FehlerWertunzulaessig);
    korrektur = "20";
  } else if (v < 20.0) {
    meldung = RemoveAmpersands(S(Label41->text())) + " " + T(TX::zuniedrig);
    korrektur = "20";
  } else if (v > 100.0) {
    meldung = RemoveAmpersands(S(Label41->text())) + " " + T(TX::zuhoch);
    korrektur = "100";
  } else {
    edit->setText(QString::number(static_cast<int>(std::lround(v))));
    return true;
  }
  edit->setText(korrektur);
  edit->setFocus();
  ShowMessageLines(meldung);
  return false;
}

bool TFormEnerEdit::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      focusNextChild();
      return true;
    }
    if (key == Qt::Key_Escape) {
      ButtonCancel->setFocus();
      return true;
    }
  }
  if (e->type() == QEvent::FocusOut && !fuellen_ && QApplication::focusWidget() != ButtonCancel &&
      (o == Edit44 || o == Edit45 || o == Edit46)) {
    if (PruefeNutzgrad(static_cast<QLineEdit*>(o)) && NutzgradGeaendert)
      NutzgradGeaendert(Edit44->text().toInt(), Edit45->text().toInt(), Edit46->text().toInt());
  }
  return QDialog::eventFilter(o, e);
}

bool TFormEnerEdit::Speichere() {
  for (QLineEdit* edit : {Edit44, Edit45, Edit46})
    if (!PruefeNutzgrad(edit)) return false;
  std::int32_t c1 = 0, c2 = 0;
  const double kwh = StrToFloatComma(S(Edit42->text()), c1);
  const double co2 = StrToFloatComma(S(Edit43->text()), c2);
  if (c1 != 0 || kwh < kMinKWh) {
    Edit42->setFocus();
    ShowMessageLines(T(TX::FehlerMinWert) + ": " + FloatToCommaStr(1, 3, static_cast<float>(kMinKWh)));
    return false;
  }
  if (c2 != 0 || co2 < 0.0) {
    Edit43->setFocus();
    ShowMessageLines(T(TX::FehlerWertunzulaessig));
    return false;
  }
  if (Edit40->text().trimmed().isEmpty()) {
    Edit40->setFocus();
    ShowMessageLines(T(TX::FehlerWertunzulaessig));
    return false;
  }
  TEnergie& e = s_.cat.Energietraeger[static_cast<std::size_t>(index_)];
  const TEnergie alt = e;
  e.EnergieName = S(Edit40->text().trimmed());
  e.Einheit = S(ComboBox41->currentText());
  e.kWhinEinheit = static_cast<float>(kwh);
  e.CO2inEinheit = static_cast<float>(co2);
  e.NutzgradWinter = static_cast<std::uint16_t>(Edit44->text().toInt());
  e.NutzgradFruehlingHerbst = static_cast<std::uint16_t>(Edit45->text().toInt());
  e.NutzgradSommer = static_cast<std::uint16_t>(Edit46->text().toInt());
  if (!WriteEnergie(s_, NullStatus())) {
    e = alt;  // the file stays as it was, and so does the list
    // Another program's catalogue is read again by the plant dialog: the carrier shown here
    // may be gone there, so the editor closes as cancelled.
    if (katalog::Veraltet(s_.cat.DateiStaende, EnergieDateiPfad(s_))) done(2);
    return false;
  }
  s_.run.ProjektGeaendert = true;
  s_.plant.EnergieNr = index_;
  SelectEnergie(s_, index_);
  return true;
}

}  // namespace tav
