// What the plant dialog's buttons and choices do: the hot-water unit, the pool season from
// the temperature curve, the space-heating demand check, the plant type, and the load-profile
// and energy-carrier editors.
#include "app/FormAnlage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "app/AnlageGrafik.h"
#include "app/FormAnlageHilfen.h"
#include "catalogues/Energie.h"
#include "catalogues/Profile.h"
#include "catalogues/ui/FormEnerEdit.h"
#include "catalogues/ui/FormProfilEdit.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Messages.h"
#include "foundation/StatusSink.h"
#include "foundation/ui/SysUtilsQt.h"
#include "planning/AnlageRechnen.h"
#include "simulation/CollectorField.h"
#include "simulation/DayDriver.h"
#include "simulation/PlantParams.h"

namespace tav {

using namespace anlage;

// --- Hot-water unit, pool season ---------------------------------------------------------

void TFormAnlage::WechsleEinheit() {
  const PlantState& P = G().plant;
  double warm = 0, kalt = 0, v = 0;
  Zahl(Edit2, warm);
  Zahl(Edit1, kalt);
  const bool unberuehrt = !Geaendert(Edit7);
  if (!Term(Edit7, v)) v = 0;
  std::optional<double> neu;
  if (unberuehrt) {
    const double kwh = P.Warmwasserverbrauch / 1000.0;
    neu = literModus_ ? std::optional<double>(kwh) : KWhZuLiter(kwh, P.Warmwassertemp, P.Kaltwassertemp);
  } else {
    neu = literModus_ ? LiterZuKWh(v, warm, kalt) : KWhZuLiter(v, warm, kalt);
  }
  if (!neu) {
    ShowMessageLines(S(LabelOhne(Edit2)) + " " + T(TX::zuniedrig));
    return;
  }
  literModus_ = !literModus_;
  Edit7->setText(Komma(*neu, literModus_ ? 0 : 2));
  if (unberuehrt) gezeigt_[Edit7] = Edit7->text();
  Label14->setText(literModus_ ? Txt(TX::LiterproTag) : Txt(TX::kWhproTag));
  SpeedButton1->setText(literModus_ ? Txt(TX::FormAnlageSpeedButton1b) : Txt(TX::FormAnlageSpeedButton1a));
  Edit7->setFocus();
}

void TFormAnlage::PoolSaisonAusTemperatur() {
  double schwelle = 0;
  if (!Zahl(EditPoolHzGr, schwelle)) {
    Fehler(EditPoolHzGr, T(TX::FehlerWertunzulaessig), QString());
    return;
  }
  const auto [start, ende] = PoolSaison([](int tag) { return CalcLuftTemp(G().loc, tag, 8.0f); },
                                        static_cast<float>(schwelle));
  MaskEditPoolStart->setText(TagText(start));
  MaskEditPoolEnde->setText(TagText(ende));
}

// --- Space-heating demand ----------------------------------------------------------------

namespace {
double JahresHeizbedarf(double qnW, float tNorm, float hzGr) {
  ResultState r;  // a scratch copy: the project's result arrays stay as they are
  CalcHeizbedarfMonat(r, G().loc, static_cast<float>(qnW), tNorm, hzGr);
  return r.HeizbedarfMonat[13];
}
}  // namespace

void TFormAnlage::HeizbedarfPruefen() {
  double qn = 0, qa = 0, tn = 0, tg = 0;
  Zahl(EditQnorm, qn);
  Term(EditQheiz, qa);
  Zahl(Edit24, tn);
  Zahl(EditHzGr, tg);
  if (G().plant.AnlagenTypNr == 3) tn = -12.0;
  const auto r = PruefeHeizbedarf(qn * 1000.0, qa, [&](double q) {
    return JahresHeizbedarf(q, static_cast<float>(tn), static_cast<float>(tg));
  });
  SpeedButton2kW->setEnabled(r.knopfAktiv);
  // While the dialog fills itself it only colours: the stored power is shown as it is.
  if (r.warnung && !aufbau_) {
    pruefung_ = true;
    ShowMessageLines(T(TX::FehlerHeizlast));
    pruefung_ = false;
    EditQnorm->setFocus();
  }
  if (r.qnormKW && !aufbau_) EditQnorm->setText(Komma(*r.qnormKW, 1));
  auto farbe = [](QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
  };
  const bool rot = r.farbe == HeizFarbe::Rot;
  farbe(SpeedButton2kW, rot ? QColor(255, 0, 0) : QColor(0, 128, 0));
  farbe(EditQnorm, rot ? QColor(255, 0, 0) : QColor(Qt::black));
}

void TFormAnlage::NennleistungAusBedarf() {
  double qa = 0, tn = 0, tg = 0;
  if (Term(EditQheiz, qa)) {
    Zahl(Edit24, tn);
    Zahl(EditHzGr, tg);
    if (G().plant.AnlagenTypNr == 3) tn = -12.0;
    EditQheiz->setText(Komma(qa, 0));
    const double jahr = JahresHeizbedarf(1000.0, static_cast<float>(tn), static_cast<float>(tg));
    EditQnorm->setText(Komma(jahr > 0.0 ? qa * 1000.0 / jahr : 0.0, 1));
  }
  HeizbedarfPruefen();
}

// --- Plant type --------------------------------------------------------------------------

void TFormAnlage::TypWahl(int typ) {
  if (aufbau_) return;
  PlantState& P = G().plant;
  int biv = 0;
  if (typ == 1) {
    if (CheckBoxElektro->isChecked()) biv = 1;
    else if (P.AnlagenTypNr == 1 && (P.BivSpTyp == 2 || P.BivSpTyp == 3 || P.BivSpTyp == 4)) biv = P.BivSpTyp;
  }
  // The button of the type in use clicked again changes nothing.
  if (typ == P.AnlagenTypNr && (typ != 1 || biv == P.BivSpTyp)) return;
  if (!RadioButtonA1->isChecked()) CheckBoxElektro->setChecked(false);
  if (CheckBoxElektro->isChecked()) {
    CheckBoxPool->setChecked(false);
    CheckBoxAntiLeg->setChecked(false);
  }
  Speichern();
  SetAnlgParam(P, typ);
  if (typ == 1) P.BivSpTyp = static_cast<std::uint8_t>(biv);
  if (typ == 8) P.Kaltwassertemp = 10.0f;  // the fresh-water station is rated at 10 °C cold water
  aufbau_ = true;
  Anpassen();
  if (!SpeedButtonSpVol->isHidden()) {
    SpeicherWaehlen();
    GesamtVolumenZeigen();
  }
  Speichern();
  Laden();
  aufbau_ = false;
  Schema();
}

// --- Load profiles and energy carriers ---------------------------------------------------

namespace {
double TagesKWh(const TFormAnlage& f) {
  double v = 0, warm = 0, kalt = 0;
  if (!Term(f.Edit7, v)) return G().plant.Warmwasserverbrauch / 1000.0;
  if (!f.EinheitLiter()) return v;
  Zahl(f.Edit2, warm);
  Zahl(f.Edit1, kalt);
  return LiterZuKWh(v, warm, kalt).value_or(0.0);
}
}  // namespace

void TFormAnlage::NachFremderAenderung() {
  TavState& g = G();
  if (katalog::Veraltet(g.cat.DateiStaende, ProfilDateiPfad(g))) {
    ReadProfile(g, NullStatus());  // the project's profile found again by its name
    FuelleProfile();
  }
  if (katalog::Veraltet(g.cat.DateiStaende, EnergieDateiPfad(g))) {
    const auto name = [&g](int i) -> const std::string& {
      return g.cat.Energietraeger[static_cast<std::size_t>(i)].EnergieName;
    };
    const std::string gezeigt =
        energieNr_ >= 1 && energieNr_ <= g.cat.EnergieAnzahl ? name(energieNr_) : std::string();
    ReadEnergie(g, "", NullStatus());
    const int nr = katalog::LetzterMitNamen(g.cat.EnergieAnzahl, gezeigt, name);
    energieNr_ = nr >= 1 ? nr : g.plant.EnergieNr;
    const bool war = aufbau_;
    aufbau_ = true;
    ComboBox3->clear();
    for (int i = 1; i <= g.cat.EnergieAnzahl; ++i) ComboBox3->addItem(Q(name(i)));
    if (energieNr_ >= 1) ComboBox3->setCurrentIndex(energieNr_ - 1);
    aufbau_ = war;
    ZeigeEnergie(energieNr_);
  }
}

void TFormAnlage::ProfilBearbeiten() {
  const int k = ComboBox1->currentIndex() + 1;
  G().plant.TagesVerbrauch = static_cast<float>(TagesKWh(*this));
  if (profilEdit_->Bearbeite(k, G().plant.TagesVerbrauch) == 1) FuelleProfile();
  NachFremderAenderung();
}

void TFormAnlage::ProfilNeu() {
  CatalogueState& c = G().cat;
  if (c.ProfilAnzahl >= kMaxProfile) {
    ShowMessageLines(T(TX::WarnungMaxAnzahl));
    return;
  }
  const int k = std::max(1, ComboBox1->currentIndex() + 1);
  const int vorher = ComboBox1->currentIndex();
  TProfil neu = c.Profile[static_cast<std::size_t>(k)];
  ShortenWithEllipsis(neu.Name, T(TX::neu));
  auto vergeben = [&](const std::string& n) {
    for (int i = 1; i <= c.ProfilAnzahl; ++i)
      if (c.Profile[static_cast<std::size_t>(i)].Name == n) return true;
    return false;
  };
  while (vergeben(neu.Name)) MakeUniqueName(neu.Name);
  ++c.ProfilAnzahl;
  c.Profile[static_cast<std::size_t>(c.ProfilAnzahl)] = neu;
  ComboBox1->addItem(Q(neu.Name));
  ComboBox1->setCurrentIndex(c.ProfilAnzahl - 1);
  G().plant.TagesVerbrauch = static_cast<float>(TagesKWh(*this));
  if (profilEdit_->Bearbeite(c.ProfilAnzahl, G().plant.TagesVerbrauch) == 1) {
    FuelleProfile();
  } else {
    c.Profile[static_cast<std::size_t>(c.ProfilAnzahl)] = TProfil{};
    --c.ProfilAnzahl;
    ComboBox1->removeItem(ComboBox1->count() - 1);
    ComboBox1->setCurrentIndex(vorher);
  }
  NachFremderAenderung();
}

void TFormAnlage::ProfilLoeschen() {
  TavState& g = G();
  CatalogueState& c = g.cat;
  const int k = ComboBox1->currentIndex() + 1;
  if (c.ProfilAnzahl <= 1) {
    ShowMessageLines(T(TX::WarnungMinimum1));
    return;
  }
  if (k < 1) return;
  const std::string frage = ReplaceHashMark(T(TX::DatenLoeschenAbfrage), c.Profile[static_cast<std::size_t>(k)].Name);
  if (Msg().Ask(frage, mbYesNoKeep) != mrYes) return;
  const std::vector<TProfil> alt = c.Profile;
  for (int i = k; i < c.ProfilAnzahl; ++i) c.Profile[static_cast<std::size_t>(i)] = c.Profile[static_cast<std::size_t>(i + 1)];
  c.Profile[static_cast<std::size_t>(c.ProfilAnzahl)] = TProfil{};
  --c.ProfilAnzahl;
  if (!WriteProfile(g, NullStatus())) {
    c.Profile = alt;
    ++c.ProfilAnzahl;
    NachFremderAenderung();
    return;
  }
  g.run.ProjektGeaendert = true;
  PlantState& P = g.plant;
  if (P.ProfilNr == k) {
    P.ProfilNr = std::min(k, c.ProfilAnzahl);
    SelectProfil(g, P.ProfilNr);
  } else if (P.ProfilNr > k) {
    --P.ProfilNr;
  }
  FuelleProfile();
}

void TFormAnlage::EnergieBearbeiten() {
  enerEdit_->NutzgradGeaendert = [this](int w, int fh, int so) {
    LabelE44->setText(QString::number(w));
    LabelE45->setText(QString::number(fh));
    LabelE46->setText(QString::number(so));
    SparDaten d = Image1->Daten();
    d.winter = w;
    d.fruehlingHerbst = fh;
    d.sommer = so;
    Image1->SetDaten(d);
  };
  PlaceFrameAt(enerEdit_, FrameOrigin(this) + QPoint(7, 56));
  enerEdit_->Bearbeite(energieNr_);
  const bool war = aufbau_;
  aufbau_ = true;
  if (energieNr_ >= 1 && energieNr_ <= G().cat.EnergieAnzahl) {
    ComboBox3->setItemText(energieNr_ - 1, Q(G().cat.Energietraeger[static_cast<std::size_t>(energieNr_)].EnergieName));
    ComboBox3->setCurrentIndex(energieNr_ - 1);
  }
  aufbau_ = war;
  ZeigeEnergie(energieNr_);
  NachFremderAenderung();
}

}  // namespace tav
