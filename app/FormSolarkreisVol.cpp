#include "app/FormSolarkreisVol.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "catalogues/Rohre.h"
#include "app/FormHilfen.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/ui/RichReport.h"
#include "simulation/ui/SimCommands.h"

namespace tav {

using namespace form;

namespace {

// Hint of the vapour-temperature field (the text table has none for it).
constexpr const char* kTdampfHint = "Temperatur, ab der Dampf im Kollektor auftreten darf";
constexpr int kTabBildschirm = 125, kTabKopie = 155;

// The value column moves right where a label (a long word, another language) would reach past
// the tab stop, so every value stays in one column. Tab stops are in points.
TReport MitPassendemTab(TReport r, const QFont& font, double dpi, int tabStop) {
  const QFontMetricsF fm(font);
  double breit = 0.0;
  for (const TReportLine& z : r.Lines) {
    const auto tab = z.Text.find('\t');
    if (tab != std::string::npos) breit = std::max(breit, fm.horizontalAdvance(Q(z.Text.substr(0, tab))));
  }
  const int noetig = static_cast<int>(std::ceil(breit * 72.0 / dpi)) + 6;
  if (noetig <= tabStop) return r;
  r.Tabs = {noetig};
  for (TReportLine& z : r.Lines)
    if (!z.Tabs.empty()) z.Tabs = {noetig};
  return r;
}

}  // namespace

TFormSolarkreisVol::TFormSolarkreisVol(TavState& s, QWidget* parent) : TRechnerForm(parent), s_(s) {
  setObjectName("FormSolarkreisVol");
  setWindowTitle("Auslegung für das Ausdehnungsgefäß");
  LabelKvol = Named(new QLabel(this), "LabelKvol");
  LabelTdampf = Named(new QLabel(this), "LabelTdampf");
  LabelHstat = Named(new QLabel(this), "LabelHstat");
  LabelRvol = Named(new QLabel(this), "LabelRvol");
  LabelWTvol = Named(new QLabel(this), "LabelWTvol");
  LabelVvol = Named(new QLabel(this), "LabelVvol");
  LabelpSV = Named(new QLabel(this), "LabelpSV");
  LabelMAGvol = Named(new QLabel(this), "LabelMAGvol");
  LabelpGas = Named(new QLabel(this), "LabelpGas");
  LabelpKV = Named(new QLabel(this), "LabelpKV");
  Label9 = Named(new QLabel(this), "Label9");
  EditKvol = Named(new QLineEdit(this), "EditKvol");
  EditTdampf = Named(new QLineEdit(this), "EditTdampf");
  EditHstat = Named(new QLineEdit(this), "EditHstat");
  EditRvol = Named(new QLineEdit(this), "EditRvol");
  EditWTvol = Named(new QLineEdit(this), "EditWTvol");
  EditVvol = Named(new QLineEdit(this), "EditVvol");
  EditpSV = Named(new QLineEdit(this), "EditpSV");
  for (QLineEdit* e : {EditKvol, EditTdampf, EditHstat, EditRvol, EditWTvol, EditVvol, EditpSV}) {
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("000000") + 12);
  }
  EditTdampf->setToolTip(kTdampfHint);
  UpDownKvol = Named(new TUpDown(EditKvol, 1, 300, 1, this), "UpDownKvol");
  UpDownTdampf = Named(new TUpDown(EditTdampf, 100, 170, 1, this), "UpDownTdampf");
  UpDownHstat = Named(new TUpDown(EditHstat, 0, 30, 1, this), "UpDownHstat");
  UpDownVvol = Named(new TUpDown(EditVvol, 3, 110, 1, this), "UpDownVvol");
  UpDownpSV = Named(new TUpDown(EditpSV, 2, 15, 1, this), "UpDownpSV");
  ComboBoxMAGvol = Named(new QComboBox(this), "ComboBoxMAGvol");
  LabelpGasW = Named(new QLabel(this), "LabelpGasW");
  LabelpKVW = Named(new QLabel(this), "LabelpKVW");
  ErgebnisLabels({LabelpGasW, LabelpKVW}, "000,0 bar");
  RichEdit1 = Named(new QTextEdit(this), "RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setTabChangesFocus(true);
  RichEdit1->setMinimumSize(380, 300);
  BitBtn1 = Named(new QPushButton(this), "BitBtn1");
  Button1 = Named(new QPushButton(this), "Button1");
  LabelKvol->setBuddy(EditKvol);
  LabelTdampf->setBuddy(EditTdampf);
  LabelHstat->setBuddy(EditHstat);
  LabelRvol->setBuddy(EditRvol);
  LabelWTvol->setBuddy(EditWTvol);
  LabelVvol->setBuddy(EditVvol);
  LabelpSV->setBuddy(EditpSV);
  LabelMAGvol->setBuddy(ComboBoxMAGvol);

  auto* g = new QGridLayout;
  int r = 0;
  const auto feld = [&](QLabel* l, QLineEdit* e, TUpDown* u, const QString& einheit) {
    g->addWidget(l, r, 0);
    g->addWidget(e, r, 1);
    if (u) g->addWidget(u, r, 2);
    g->addWidget(new QLabel(einheit, this), r, 3);
    ++r;
  };
  const QString liter = Q(T(TX::Liter));
  feld(LabelKvol, EditKvol, UpDownKvol, liter);
  feld(LabelTdampf, EditTdampf, UpDownTdampf, "°C");
  feld(LabelHstat, EditHstat, UpDownHstat, "m");
  feld(LabelRvol, EditRvol, nullptr, liter);
  feld(LabelWTvol, EditWTvol, nullptr, liter);
  feld(LabelVvol, EditVvol, UpDownVvol, liter);
  feld(LabelpSV, EditpSV, UpDownpSV, "bar");
  g->addWidget(LabelMAGvol, r, 0);
  g->addWidget(ComboBoxMAGvol, r, 1, 1, 2);
  g->addWidget(new QLabel(liter, this), r, 3);
  ++r;
  g->setRowMinimumHeight(r++, 10);
  g->addWidget(LabelpGas, r, 0);
  g->addWidget(LabelpGasW, r, 1, 1, 3);
  ++r;
  g->addWidget(LabelpKV, r, 0);
  g->addWidget(LabelpKVW, r, 1, 1, 3);
  ++r;
  g->addWidget(Label9, r, 0, 1, 4);
  g->setRowStretch(r + 1, 1);
  auto* links = new QVBoxLayout;
  links->addLayout(g, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BitBtn1);
  knoepfe->addStretch();
  knoepfe->addWidget(Button1);
  links->addLayout(knoepfe);
  auto* l = new QHBoxLayout(this);
  l->addLayout(links);
  l->addWidget(RichEdit1, 1);
  // Tab through the left column to its buttons, then to the report beside it.
  setTabOrder(Button1, RichEdit1);

  SetzeFelder({EditKvol, EditTdampf, EditHstat, EditRvol, EditWTvol, EditVvol, EditpSV});
  for (TUpDown* u : {UpDownTdampf, UpDownHstat, UpDownVvol, UpDownpSV})
    connect(u, &TUpDown::geklickt, this, [this] { Rechne(); });
  connect(UpDownKvol, &TUpDown::geklickt, this, [this] {
    NeueVorlage();
    Rechne();
  });
  connect(ComboBoxMAGvol, &QComboBox::currentIndexChanged, this, [this] {
    if (!aufbau_) Rechne();
  });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { TextKopieren(); });
  connect(Button1, &QPushButton::clicked, this, [this] { done(2); });
}

void TFormSolarkreisVol::NeueVorlage() {
  double vk = 0, vr = 0, vw = 0;
  if (!LeseZahl(EditKvol, vk) || !LeseZahl(EditRvol, vr) || !LeseZahl(EditWTvol, vw)) return;
  UpDownVvol->SetPosition(static_cast<int>(std::lround(VorlageVorschlag(vk, vr, vw))));
  SetzeText(EditVvol, EditVvol->text());
}

void TFormSolarkreisVol::showEvent(QShowEvent* event) {
  aufbau_ = true;
  setWindowTitle(Q(T(TX::FormSvolCaption)));
  LabelKvol->setText(Q(T(TX::FormSvolLabelKvol)));
  LabelTdampf->setText(Q(T(TX::FormSvolLabelTdampf)));
  LabelHstat->setText(Q(T(TX::FormSvolLabelHstat)));
  LabelRvol->setText(Q(T(TX::FormSvolLabelRvol)));
  LabelWTvol->setText(Q(T(TX::FormSvolLabelWTvol)));
  LabelVvol->setText(Q(T(TX::FormSvolLabelVvol)));
  LabelpSV->setText(Q(T(TX::FormSvolLabelpSV)));
  LabelMAGvol->setText(Q(T(TX::FormSvolLabelMAGvol)));
  LabelpGas->setText(Q(T(TX::FormSvolLabelpGas)));
  LabelpKV->setText(Q(T(TX::FormSvolLabelpKV)));
  Label9->setText(Q(T(TX::FormSvolLabel9)));
  Label9->hide();
  BitBtn1->setText(Q(T(TX::FormSvolBitBtn1)));
  Button1->setText(Q(T(TX::FormSvolButton1)));

  const PlantState& p = s_.plant;
  const double vk = std::round(double(p.KollektorFlaeche) * double(p.KollqmVolumen));
  const double vr = 2.0 * double(p.Solarkreislaenge) * double(RohrLiterProMeter(p));
  const double vw = double(p.KollektorFlaeche) * 5.0 / 9.0;
  SetzeText(EditKvol, QString::number(vk));
  SetzeText(EditTdampf, "130");
  SetzeText(EditHstat, "9");
  SetzeText(EditRvol, Komma(1, 1, vr));
  SetzeText(EditWTvol, Komma(1, 1, vw));
  SetzeText(EditpSV, "6");
  NeueVorlage();
  ComboBoxMAGvol->clear();
  for (int g : kMagGroessen) ComboBoxMAGvol->addItem(QString::number(g));
  ComboBoxMAGvol->setCurrentText("50");
  aufbau_ = false;
  Rechne();
  aufbau_ = true;
  ComboBoxMAGvol->setCurrentText(QString::number(MagGroesseFuer(ergebnis_.Nennvolumen)));
  aufbau_ = false;
  Rechne();
  LayoutJetzt(this);
  TRechnerForm::showEvent(event);
  EditKvol->setFocus();
}

void TFormSolarkreisVol::Rechne() {
  if (aufbau_) return;
  MagEingaben ein;
  if (!LeseZahl(EditKvol, ein.Kollektorvolumen) || !LeseZahl(EditTdampf, ein.Verdampfung) ||
      !LeseZahl(EditHstat, ein.Hoehe) || !LeseZahl(EditRvol, ein.Leitungsvolumen) ||
      !LeseZahl(EditWTvol, ein.Tauschervolumen) || !LeseZahl(EditVvol, ein.Vorlage) ||
      !LeseZahl(EditpSV, ein.Sicherheitsventil))
    return;
  ein.Groesse = ComboBoxMAGvol->currentText().toDouble();
  ergebnis_ = BerechneMAG(ein);
  const MagEingaben& x = ergebnis_.Ein;
  // Corrected entries are shown as used.
  if (x.Kollektorvolumen != ein.Kollektorvolumen) SetzeText(EditKvol, "1,0");
  if (x.Verdampfung != ein.Verdampfung) SetzeText(EditTdampf, "180");
  if (x.Leitungsvolumen != ein.Leitungsvolumen) SetzeText(EditRvol, "1");
  if (x.Tauschervolumen != ein.Tauschervolumen) SetzeText(EditWTvol, "1");
  if (x.Hoehe != ein.Hoehe) SetzeText(EditHstat, QString::number(x.Hoehe));
  if (x.Vorlage != ein.Vorlage) SetzeText(EditVvol, Komma(1, 1, x.Vorlage));
  if (x.Sicherheitsventil != ein.Sicherheitsventil && !ergebnis_.VordruckFehler)
    SetzeText(EditpSV, QString::number(x.Sicherheitsventil));
  LabelpGasW->setText(Komma(5, 1, ergebnis_.Vordruck) + " bar");
  LabelpKVW->setText(Komma(5, 1, ergebnis_.MinDruckKollektor) + " bar");
  if (ergebnis_.VordruckFehler) {
    meldend_ = true;  // the focus moving to the valve field computes nothing meanwhile
    ShowMessageLines(T(TX::Vordruckfehler));
    UpDownpSV->SetPosition(static_cast<int>(std::lround(x.Sicherheitsventil)));
    SetzeText(EditpSV, EditpSV->text());
    EditpSV->setFocus();
    meldend_ = false;
  }
  Bericht(kTabBildschirm);
}

void TFormSolarkreisVol::Bericht(int tabStop) {
  const std::string titel = s_.folders.ProgName + " " + s_.folders.ProgVersion + " - " +
                            T(TX::FormSvolLabelErgTitel);
  QFont font = RichEdit1->font();
  font.setFamily(Q(s_.print.AnzeigeFont));
  ShowReport(RichEdit1, MitPassendemTab(MagBericht(ergebnis_, titel, tabStop), font, RichEdit1->logicalDpiX(), tabStop),
             s_.print.AnzeigeFont);
}

void TFormSolarkreisVol::TextKopieren() {
  s_.run.DruckAktiv = true;
  const std::string titel = s_.folders.ProgName + " " + s_.folders.ProgVersion + " - " +
                            T(TX::FormSvolLabelErgTitel);
  QTextEdit kopie;
  QFont f(Q(s_.print.AnzeigeFont));
  f.setPointSize(11);
  kopie.setFont(f);
  ShowReport(&kopie, MitPassendemTab(MagBericht(ergebnis_, titel, kTabKopie), f, kopie.logicalDpiX(), kTabKopie),
             s_.print.AnzeigeFont);
  auto* daten = new QMimeData;
  daten->setHtml(kopie.document()->toHtml());
  daten->setText(kopie.document()->toPlainText());
  QApplication::clipboard()->setMimeData(daten);
  s_.run.DruckAktiv = false;
  Bericht(kTabBildschirm);
  if (const auto& status = SimCommandHooks().StatusText) status(T(TX::MeldungTextinZA));
}

}  // namespace tav
