#include "simulation/SimRun.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "simulation/CollectorField.h"
#include "simulation/DayDriver.h"
#include "simulation/HeatingCircuit.h"
#include "simulation/PlantParams.h"
#include "simulation/SolarPhysics.h"
#include "simulation/StoreHelpers.h"
#include "simulation/WerteBereiche.h"

namespace tav {

SimObserver& StillerBeobachter() {
  static SimObserver still;
  return still;
}

namespace {

// Day of the 365-day simulation year of the first simulated day (a leap day counts as 28 February).
int StartTagDesJahres(std::int32_t ersterSimTag) {
  const TKalenderDatum d = JulianDayToDate(ersterSimTag);
  const int tag = std::min<int>(d.Tag, TageProMonat[static_cast<std::size_t>(d.Monat)]);
  return MonthDayToDayOfYear(d.Monat, tag, 0);
}

// Sets the calendar of the simulated day: the offset from the first day counts in a
// 365-day year whatever the year of the day numbers.
void SetzeSimTag(SimContext& c, int startTag, int offset) {
  auto& m = c.g.moment;
  const int tag = ((startTag - 1 + offset) % 365 + 365) % 365 + 1;
  std::int32_t monat = 1, monatsTag = 1;
  DayOfYearToMonthDay(tag, monat, monatsTag);
  c.s.SimTagNr = m.ErsterSimTag + offset;
  m.SimTag = static_cast<std::int16_t>(tag);
  m.SimMonat = static_cast<std::uint16_t>(monat);
  m.SimMonatsTag = static_cast<std::uint16_t>(monatsTag);
  m.SimJahr = static_cast<std::uint16_t>(JulianDayToDate(c.s.SimTagNr).Jahr);
  c.s.Schaltjahr = false;
}

float Prozent(float zaehler, float nenner) { return nenner != 0.0f ? zaehler / nenner * 100.0f : 0.0f; }

bool HeizkreisPasst(const PlantState& p) {
  const int hk = p.HeizkreisTyp;
  switch (p.AnlagenTypNr) {
    case 6:
      if (p.KombiSpTyp == 12) return hk == 1 || hk == 2 || hk == 5;
      return hk >= 1 && hk <= 4;
    case 7:
    case 8:
      return hk >= 1 && hk <= 4;
    default:
      return true;
  }
}

bool KombiSpTypBekannt(int k) { return k >= 5 && k <= 12; }

// Volume of the store the collector loads first: store 2 in the cascade, else store 1.
float SolarSpeicherVolumen(const PlantState& p) { return p.AnlagenTypNr == 5 ? p.Speicher2vol : p.Speicher1vol; }

// Area of both collector fields.
float FelderFlaeche(const PlantState& p) {
  return p.KollektorFlaeche + (p.OstWestKollektor ? p.KollektorFlaeche2 : 0.0f);
}

// The node volumes of the combi variants with unequal nodes must all hold water.
bool KombiKnotenGueltig(const PlantState& p) {
  if (p.KombiSpTyp == 9) {
    const double oben = Kombi9ObenVol(p);
    if (!(oben > 0.0 && oben < p.Speicher1vol)) return false;
  }
  if (p.KombiSpTyp != 7) return true;
  SpeicherGeometrie geo;
  SetSpeicherParam(p, geo);
  return geo.SpObenVol > 0.0f && geo.SpUntenVol > 0.0f && geo.Sp2ObenVol > 0.0f && geo.Sp2UntenVol > 0.0f;
}

// The value of a monthly array that is not a finite number at `slot`, by its German name
// for the message; nullptr when all are finite. Checked once a day: cheap against the steps.
const char* NichtEndlich(const ResultState& r, std::size_t slot) {
  static constexpr std::array<std::pair<TMonatswert, const char*>, 11> kNamen = {{
      {mwSolarertrag, "der Solarertrag"}, {mwBrennstoff, "die eingesparte Energie"},
      {mwWWBedarf, "der Warmwasserbedarf"}, {mwVerlust, "der Speicherverlust"},
      {mwVerlust1, "der Verlust von Speicher 1"}, {mwNachheizung, "die Nachheizung"},
      {mwSolHeizen, "die solare Heizung"}, {mwPoolWaerme, "die Poolwärme"},
      {mwHeizbedarf, "der Heizwärmebedarf"}, {mwKollEinstrahlung, "die Einstrahlung"},
      {mwHeizanteil, "der Monatsanteil des Heizwärmebedarfs"}}};
  for (const auto& [k, name] : kNamen)
    if (!std::isfinite(r.SimMonatswerte(k)[slot])) return name;
  return nullptr;
}

// Ends a run whose results are no longer numbers: says which and when, and clears the
// partial sums so that no table shows them.
SimErgebnis Ungueltig(ResultState& r, const char* was, const std::string& wann) {
  ShowMessageLines("Die Simulation wurde " + wann + " abgebrochen: " + was +
                   " ist keine endliche Zahl mehr.|Bitte die Werte der Anlage prüfen.");
  ResetSimMonatswerte(r);
  r.HeizanteilMonat.fill(0.0f);
  return SimErgebnis::Ungueltig;
}

// Steps 1..11 of one run: set-up, pre-run, the years, averaging.
SimErgebnis EinLauf(SimContext& c) {
  auto& g = c.g;
  auto& s = c.s;
  auto& p = g.plant;
  auto& r = g.results;

  InitOrtSonne(g.loc);
  // Deliberate: time zone "none given" (25) counts as the zone of the longitude, as the
  // catalogue reader takes it; a location that never passed the reader (one just edited)
  // would otherwise run 25 hours off.
  const auto laenge = static_cast<float>(g.loc.GeoLaenge);
  s.ZeitzonenKorrektur = HourMinusLongitude(GeltendeZeitzone(g.loc.OrtZeitzone, laenge), g.loc.GeoLaenge);
  auto sinCos = [](float grad, float& sn, float& cs) {
    sn = static_cast<float>(SinG(grad));
    cs = static_cast<float>(CosG(grad));
  };
  sinCos(p.KollektorNeigung, s.SinNeigung1, s.CosNeigung1);
  if (p.OstWestKollektor) sinCos(p.KollektorNeigung2, s.SinNeigung2, s.CosNeigung2);
  p.KollektorFlaecheGesamt = p.KollektorFlaeche + (p.OstWestKollektor ? p.KollektorFlaeche2 : 0.0f);
  SetSpeicherParam(p, s.geo);

  InitSpeicherTemp(p, s);
  s.StundeZaehler = 0;
  s.ModellZaehler.fill(0);
  ResetSimMonatswerte(r);
  if (p.SolHeizung) CalcHeizbedarfMonat(r, g.loc, 10000.0f, p.HeizTnorm, p.Heizgrenztemp);
  s.PoolWTLeistung = p.KollektorFlaecheGesamt * 700.0f;
  s.PoolWTdT = 10.0f;
  SetzeStartTemperaturen(p, s);
  s.LegioZaehler = 0.0f;
  // The station's return and the low-flow drop start fresh, so no run depends on the last.
  s.TFWERueck = p.Kaltwassertemp + 5.0f;
  s.LFTdT = 0.0f;
  s.QNachheiz = s.QHeizBedarf = s.QVerlust = 0.0f;
  s.AbbruchAnfrage = false;
  s.Abbruch = false;
  g.run.SimGestartet = true;
  g.run.WetterDatensatz = 1;

  const int startTag = StartTagDesJahres(g.moment.ErsterSimTag);
  for (int k = 0; k <= 4; ++k) {
    SetzeSimTag(c, startTag, k - 6);
    RunSimTag(c);
  }

  s.SummeSolarertrag = s.SummeSolHeizen = s.SummePoolWaerme = s.SummeWWBedarf = 0.0f;
  s.SummeHeizbedarf = s.SummeVerlust = s.SummeEinstrahlung = 0.0f;
  ClearWochenWerte(s);
  ResetSimMonatswerte(r);

  const int jahre = std::clamp<int>(g.settings.SimJahre, 1, kWetterSaetze);
  const int tage = std::clamp(g.moment.LetzterSimTag - g.moment.ErsterSimTag + 1, 1, 365);
  for (int jahr = 1; jahr <= jahre; ++jahr) {
    s.StundeZaehler = 0;
    c.obs.StartJahr(jahr);
    g.run.WetterDatensatz = static_cast<std::uint8_t>(jahr);
    for (int d = 0; d < tage; ++d) {
      SetzeSimTag(c, startTag, d);
      RunSimTag(c);
      const auto mo = static_cast<std::size_t>(g.moment.SimMonat);
      s.SummeSolarertrag += s.TagSolarertrag / 1000.0f;
      s.SummeSolHeizen += s.TagSolHeizen / 1000.0f;
      s.SummePoolWaerme += s.TagPoolWaerme / 1000.0f;
      s.SummeWWBedarf += p.Warmwasserverbrauch / 1000.0f;
      s.SummeHeizbedarf += p.Heizwaermebedarf * r.HeizanteilMonat[mo] / MonatsTage[mo] / 1000.0f;
      s.SummeVerlust += s.QVerlustSumme / 1000.0f;
      s.SummeEinstrahlung += s.TagEinstrahlung / 1000.0f;
      if (g.moment.SimTag % 3 == 0 || g.moment.SimTag == 365) c.obs.ShowLaufwerte(BerechneLaufwerte(p, s), s);
      r.SolarertragMonat[mo] += s.TagSolarertrag;
      r.BrennstoffMonat[mo] += s.TagBrennstoff;
      r.NachheizungMonat[mo] += s.TagNachheizung;
      r.WWBedarfMonat[mo] += s.WWTagesEnergie;
      r.VerlustMonat[mo] += s.QVerlustSumme;
      r.Verlust1Monat[mo] += s.QVerlustSumme2;
      r.SolHeizenMonat[mo] += s.TagSolHeizen;
      r.PoolWaermeMonat[mo] += s.TagPoolWaerme;
      r.HeizbedarfMonat[mo] += s.TagHeizbedarf;
      r.KollEinstrahlungMonat[mo] += s.TagEinstrahlung;
      if (const char* was = NichtEndlich(r, mo)) {
        return Ungueltig(r, was, "am " + std::to_string(g.moment.SimMonatsTag) + "." +
                                     std::to_string(g.moment.SimMonat) + ".");
      }
      if (s.Abbruch) {
        AbortSimRun(r, g.moment.SimMonat);
        return SimErgebnis::Abgebrochen;
      }
      c.obs.ProcessEvents(s);
    }
  }

  for (int m = 1; m <= 12; ++m) {
    for (const TMonatswert k : ResultState::SummenArrays) r.SimMonatswerte(k)[static_cast<std::size_t>(m)] /= jahre;
    if (r.HeizbedarfMonat[static_cast<std::size_t>(m)] < 1.0f && r.SolHeizenMonat[static_cast<std::size_t>(m)] < 0.0f) {
      r.SolHeizenMonat[static_cast<std::size_t>(m)] = 0.0f;
    }
  }
  return SimErgebnis::Fertig;
}

}  // namespace

void AbortSimRun(ResultState& r, int simMonat) {
  Msg().DialogAntwort = static_cast<std::uint16_t>(ShowIntMessageDlg(T(TX::MeldungRechnungabgebrochen), mtWarning, mbOKOnly));
  const auto mo = static_cast<std::size_t>(std::clamp(simMonat, 1, 12));
  r.SolarertragMonat[mo] = r.BrennstoffMonat[mo] = r.NachheizungMonat[mo] = 0.0f;
  r.KollEinstrahlungMonat[mo] = 0.0f;
}

float TagesNutzgrad(const PlantState& p, float temp8) {
  if (temp8 < 5.0f) return p.konvNutzgradWinter;
  if (temp8 <= 15.0f) return p.konvNutzgradFruehlingHerbst;
  return p.konvNutzgradSommer;
}

void RunSimTag(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  RunSimSchritte(c, p.ZeitZoom * 24);
  const float nutzgrad = TagesNutzgrad(p, s.LuftTemp8);
  s.TagBrennstoff = nutzgrad > 0.0f ? s.TagSolarertrag / (nutzgrad / 100.0f) : 0.0f;
  CloseSimTag(s, p.Warmwasserverbrauch);
  // A cancel ends the wait as well.
  while (s.PauseAktiv && !s.AbbruchAnfrage) c.obs.PauseSlice(s, 20);
}

void InitSpeicherTemp(const PlantState& p, SimState& s) {
  s.SpTemp.fill(0.0f);
  static constexpr std::array<std::uint8_t, 7> kNormal = {0, 1, 2, 3, 4, 5, 6};
  static constexpr std::array<std::uint8_t, 7> kKombi12 = {0, 6, 5, 3, 1, 4, 2};
  s.SchichtReihenfolge = (p.AnlagenTypNr == 6 && p.KombiSpTyp == 12) ? kKombi12 : kNormal;
}

bool SetzeStartTemperaturen(const PlantState& p, SimState& s) {
  const float ww = p.Warmwassertemp, kw = p.Kaltwassertemp;
  auto& t = s.SpTemp;
  switch (p.AnlagenTypNr) {
    case 1:
    case 2:
    case 3:
      t[0] = ww;
      t[1] = kw;
      return true;
    case 4:
    case 5:
      t[0] = ww;
      t[1] = ww;
      t[2] = (ww + kw) / 2.0f;
      t[3] = kw;
      return true;
    case 6:
      if (p.KombiSpTyp == 12) {
        for (int k = 1; k <= 6; ++k) {
          const float stufe = (ww - kw) * static_cast<float>(k - 1) / 5.0f + kw;
          t[static_cast<std::size_t>(k - 1)] = stufe + 10.0f;
          t[static_cast<std::size_t>(k + 5)] = stufe + 5.0f;
        }
        return true;
      }
      [[fallthrough]];
    case 7:
      t[0] = ww;
      t[1] = kw + 5.0f;
      t[2] = ww;
      t[3] = kw + 5.0f;
      return true;
    case 8:
      t[0] = ww + p.FWEdTmin;
      t[1] = ww;
      t[2] = p.HeizTrck100 + 5.0f;
      t[3] = p.HeizTrck100;
      return true;
    default:
      ShowMessageLines(T(TX::StartATypUnbekannt));
      return false;
  }
}

std::string WetterFehlt(const TavState& g) {
  return g.run.SolarklimadatenOK ? std::string() : TextMit(TX::KeineWetterdatenFuer, {g.plant.Standort});
}

SimLaufwerte BerechneLaufwerte(const PlantState& p, const SimState& s) {
  SimLaufwerte w;
  w.Deckungsrate = p.SolHeizung
                       ? Prozent(s.SummeSolarertrag - s.SummePoolWaerme, s.SummeWWBedarf + s.SummeVerlust + s.SummeHeizbedarf)
                       : Prozent(s.SummeSolarertrag - s.SummeSolHeizen - s.SummePoolWaerme, s.SummeWWBedarf + s.SummeVerlust);
  w.Wirkungsgrad = Prozent(s.SummeSolarertrag, s.SummeEinstrahlung);
  const float bedarf = s.MittelWWBedarf + s.MittelVerlust;
  w.MittelWirkungsgrad = Prozent(s.MittelSolarertrag, s.MittelEinstrahlung);
  w.MittelDeckung = Prozent(s.MittelSolarertrag, bedarf);
  w.MittelDeckungWW = Prozent(s.MittelSolarertrag - s.MittelSolHeizen - s.MittelPoolWaerme, bedarf);
  w.MittelPool = Prozent(s.MittelPoolWaerme, bedarf);
  return w;
}

float SchrittErwaermung(const PlantState& p) {
  const double knoten = SolarSpeicherVolumen(p) / 2.0;
  if (!(knoten > 0.0) || p.ZeitZoom < 1) return 0.0f;
  const double leistung = static_cast<double>(FelderFlaeche(p)) * kMaxEinstrahlung * std::max(0.0f, p.KollEta0);
  const double waerme = leistung / p.ZeitZoom;
  return static_cast<float>(waerme / (kCWasser * knoten));
}

std::string PruefeKonfiguration(const TavState& g) {
  const auto& p = g.plant;
  std::string fehler;
  auto melde = [&fehler](std::string_view text) {
    if (!fehler.empty()) fehler += "|";
    fehler += text;
  };
  const int typ = p.AnlagenTypNr;
  if (typ < 1 || typ > kAnlagenTypen) melde(T(TX::StartATypUnbekannt));
  if (p.ZeitZoom < kMinZeitZoom) melde(T(TX::StartZuWenigeSchritte));
  if (p.KollektorMontage < 1 || p.KollektorMontage > kMontagen) melde(T(TX::StartMontageUnbekannt));
  // A value outside its range is named with the range; a zero within it gets its own words.
  const std::string ausserhalb = WerteAusserhalb(p);
  if (!ausserhalb.empty()) melde(ausserhalb);
  if (p.KollektorFlaeche == 0.0f) melde(T(TX::StartKollFlaecheNull));
  if (p.OstWestKollektor && p.KollektorFlaeche2 == 0.0f) melde(T(TX::StartKollFlaeche2Null));
  if (p.KollektorFlow == 0.0f) {
    melde(T(TX::StartFlowNull));
  } else if (p.KollektorFlow > 0.0f && p.KollektorFlow < kMinKollektorFlow) {
    melde(TextMit(TX::StartFlowZuKlein, {WertText(p.KollektorFlow), WertText(kMinKollektorFlow)}));
  }
  if (p.Speichertauscherleistung == 0.0f) melde(T(TX::StartSpTauscherNull));
  const bool ohneSpeicher1 = typ == 5 && p.KaskadeTyp != 13;
  if (!ohneSpeicher1 && p.Speicher1vol == 0.0f) melde(TextMit(TX::StartSpeicherNull, {"1"}));
  if (typ >= 4 && typ <= 7 && p.Speicher2vol == 0.0f) melde(TextMit(TX::StartSpeicherNull, {"2"}));
  // Deliberate: a field whose step the engine cannot resolve is refused rather than giving
  // results that look like any other.
  if (const float erwaermung = SchrittErwaermung(p); erwaermung > kMaxSchrittErwaermung) {
    // An area far outside its range gives a heating no integer holds; it is refused anyway.
    const double bis = std::min(static_cast<double>(erwaermung), 1e9);
    const std::string kelvin = std::to_string(static_cast<long long>(std::ceil(bis)));
    melde(TextMit(TX::SchrittZuGrob, {WertText(FelderFlaeche(p)), WertText(SolarSpeicherVolumen(p)), kelvin,
                                      WertText(kMaxSchrittErwaermung)}));
  }
  if (p.konvNutzgradWinter == 0 || p.konvNutzgradFruehlingHerbst == 0 || p.konvNutzgradSommer == 0) {
    melde(T(TX::StartNutzgradNull));
  }
  if (typ == 6 && !KombiSpTypBekannt(p.KombiSpTyp)) melde(T(TX::StartKombipufferUnbekannt));
  if (!HeizkreisPasst(p)) melde(T(TX::StartHKTypUnbekannt));
  if (typ == 6 && KombiSpTypBekannt(p.KombiSpTyp) && !KombiKnotenGueltig(p)) {
    melde(T(TX::StartKombiKnotenLeer));
  }
  if (typ == 3 && !(p.Heiztauscherleistung > 0.0f && p.HeiztauscherDeltaT > 0.0f)) {
    melde(T(TX::StartHeizTauscherNull));
  }
  if (typ == 8 && !(p.FWEnennleistung > 0.0f)) melde(T(TX::StartFWENull));
  // Otherwise the demand is booked while nothing can be drawn from the store.
  if (p.Warmwasserverbrauch > 0.0f && !(p.Warmwassertemp > p.Kaltwassertemp)) {
    melde(T(TX::StartWWUeberKW));
  }
  // The auxiliary heater keeps the store at the tap temperature: above the store's limit, the
  // collector could never load it.
  if (p.Warmwassertemp > p.Maximaltemp) {
    melde(TextMit(TX::StartWWUeberMax, {WertText(p.Warmwassertemp), WertText(p.Maximaltemp)}));
  }
  // The fresh-water station's plant has no auxiliary set temperature of its own.
  if (typ != 8 && p.Minimaltemp > p.Maximaltemp) {
    melde(TextMit(TX::StartMinUeberMax, {WertText(p.Minimaltemp), WertText(p.Maximaltemp)}));
  }
  if (p.SolHeizung && !HeizkurveGueltig(p.HeizTnorm, 75.0f, 55.0f)) {
    melde(T(TX::StartNormTemp));
  }
  if (typ >= 6 && typ <= 8 && !HeizkurveGueltig(p.HeizTnorm, p.HeizTvor100, p.HeizTrck100)) {
    melde(T(TX::StartHeizkurve));
  }
  const auto spanne = g.moment.LetzterSimTag - g.moment.ErsterSimTag + 1;
  if (spanne < 1 || spanne > 366) melde(T(TX::StartZeitraum));
  return fehler;
}

SimErgebnis RunSimulation(TavState& g, SimState& s, SimObserver& obs) {
  const std::string fehler = PruefeKonfiguration(g);
  if (!fehler.empty()) {
    ShowMessageLines(T(TX::SimKannNichtStarten) + "|" + fehler);
    return SimErgebnis::Konfigurationsfehler;
  }
  SimContext c{g, s, obs};
  s.EnevDurchlaeufe = 0;
  for (;;) {
    ++s.EnevDurchlaeufe;
    const SimErgebnis e = EinLauf(c);
    if (e != SimErgebnis::Fertig) return e;
    if (!g.run.EnevSimModus) break;
    if (s.EnevDurchlaeufe >= kMaxEnevDurchlaeufe) {
      ShowMessageLines("Der Abgleich der Speicherverluste mit EnEV konvergiert nicht.");
      g.run.EnevSimModus = false;
      break;
    }
    CheckEnevAbgleich(g.run, g.results, g.plant.SpeicherkWert, s.Verlust1Jahr, true);
  }
  CheckEnevAbgleich(g.run, g.results, g.plant.SpeicherkWert, s.Verlust1Jahr, false);
  g.moment.SimMonat = 13;
  BildeJahressummen(g.results);
  // Finite months may still add up beyond the float range.
  if (const char* was = NichtEndlich(g.results, 13)) return Ungueltig(g.results, was, "in der Jahressumme");
  obs.ShowLaufwerte(BerechneLaufwerte(g.plant, s), s);
  return SimErgebnis::Fertig;
}

SimErgebnis RunSimSilent(TavState& g, SimState& s) {
  const std::uint8_t modus = g.run.RechenModus;
  g.run.SimLaeuft = true;
  g.run.RechenModus = 4;
  s.PauseAktiv = false;
  const SimErgebnis e = RunSimulation(g, s, StillerBeobachter());
  g.run.RechenModus = modus;
  g.run.SimLaeuft = false;
  return e;
}

}  // namespace tav
