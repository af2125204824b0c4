#include "simulation/Moment.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "simulation/CollectorField.h"
#include "simulation/PlantParams.h"
#include "simulation/SimContext.h"
#include "simulation/SolarPhysics.h"

namespace tav {

namespace {

// Day of the 365-day simulated year: 29 February counts as 1 March, so no look-up of the
// year's tables runs past day 365.
int SimTagVon(int monat, int tag) {
  monat = std::clamp(monat, 1, 12);
  tag = std::clamp(tag, 1, 31);
  if (monat == 2 && tag == 29) return MonthDayToDayOfYear(3, 1, 0);
  return std::clamp<int>(MonthDayToDayOfYear(monat, std::min<int>(tag, TageProMonat[monat]), 0), 1, 365);
}

// True sun elevation (negative below the horizon) in the engine's frame.
double RoheSonnenhoehe(double phi, double delta, double sonnenzeit) {
  const double omega = (12.0 - sonnenzeit) * 15.0;
  const double s = std::clamp(SinG(delta) * SinG(phi) + CosG(phi) * CosG(omega) * CosG(delta), -1.0, 1.0);
  return std::asin(s) * kGradProRad;
}

// Cosine of incidence on the collector plane for the mounting. Deliberate: a value above 1 is
// capped at 1 whatever its size, never an internal error that ends the program: the formulas
// give at most 1 plus rounding, and ending the program would lose unsaved work.
double CosEinfallMoment(int montage, double h, double a, double neigung, double kollAzimut) {
  double q;
  switch (montage) {
    case 1:
    case 3:
      q = CosG(h) * SinG(neigung) * CosG(a - kollAzimut) + SinG(h) * CosG(neigung);
      break;
    case 2:
      q = SinG(h + neigung);
      break;
    default:
      q = 1.0;
      break;
  }
  return std::min(q, 1.0);
}

// A scratch program state for the engine routines: they work on a TavState, but the tool's
// computation must not touch the program's.
TavState& Arbeitszustand() {
  thread_local std::unique_ptr<TavState> g = std::make_unique<TavState>();
  return *g;
}

std::string Zahl(double x, int stellen) { return FloatToCommaStr(1, static_cast<std::uint8_t>(stellen), static_cast<float>(x)); }

// A power with its unit prefix: "850 W", "1,25 kW" (one blank before the unit).
std::string Leistung(double w) {
  std::string praefix;
  const double x = ZahlMitPraefix(std::max(w, 0.0), praefix);
  const int stellen = praefix == "  " ? 0 : 2;
  praefix.erase(0, praefix.find_first_not_of(' '));
  return Zahl(x, stellen) + " " + praefix + "W";
}

}  // namespace

double KompassAzimut(double azimut, double geoBreite) {
  if (geoBreite >= 0) return azimut;
  // The engine mirrors a southern site into the north: north and south swap, east and west stay.
  return azimut >= 0 ? 180.0 - azimut : -180.0 - azimut;
}

std::string MomentUhrzeit(double stunden) {
  int minuten = static_cast<int>(std::lround(stunden * 60.0));
  minuten = ((minuten % 1440) + 1440) % 1440;
  const std::string mm = std::to_string(minuten % 60);
  return std::to_string(minuten / 60) + ":" + (mm.size() < 2 ? "0" + mm : mm);
}

MomentErgebnis BerechneMoment(const MomentEingabe& e, const LocationState& ort, const PlantState& anlage) {
  MomentErgebnis r;
  TavState& g = Arbeitszustand();
  g.loc = ort;
  g.plant = anlage;
  g.plant.KollektorMontage = static_cast<std::uint8_t>(std::clamp(e.Montage, 1, 4));
  g.plant.KollektorNeigung = static_cast<float>(std::clamp(e.Neigung, 0.0, 90.0));
  g.plant.KollektorAzimut = static_cast<float>(e.Azimut);
  g.plant.OstWestKollektor = false;  // the tool computes one field
  SimState s;
  SimContext c{g, s, StillerBeobachter()};
  auto& loc = g.loc;
  auto& p = g.plant;
  auto& m = g.moment;
  InitOrtSonne(loc);

  r.SimTag = SimTagVon(e.Monat, e.Tag);
  m.SimTag = static_cast<std::int16_t>(r.SimTag);
  m.SimJahr = static_cast<std::uint16_t>(e.Jahr);
  m.SimMonat = static_cast<std::uint16_t>(e.Monat);
  m.SimMonatsTag = static_cast<std::uint16_t>(e.Tag);
  m.Tageszeit = static_cast<float>(e.Uhrzeit);
  m.TruebungsFaktor = static_cast<float>(std::clamp(e.Truebung, 1.0, 20.0));
  g.run.WetterDatensatz = 1;

  // Deliberate: time zone "none given" (25) counts as the zone of the longitude, as in the
  // year run; the tool would otherwise show the sun 25 hours off.
  const auto zone = GeltendeZeitzone(loc.OrtZeitzone, static_cast<float>(loc.GeoLaenge));
  r.ZeitzonenKorrektur = ZeitzonenDifferenz(zone, loc.GeoLaenge);
  r.SonnenzeitKorrektur = CalcZeitgleichung(r.SimTag) - r.ZeitzonenKorrektur;
  r.Deklination = WirksameDeklination(loc, r.SimTag);
  const double phi = loc.GeoBreiteBetrag, delta = r.Deklination, k = r.SonnenzeitKorrektur;
  s.ZeitzonenKorrektur = r.ZeitzonenKorrektur;
  s.SonnenzeitKorrektur = k;
  s.SonnenDeklination = delta;

  double h = 0.0, a = 0.0;
  CalcSonnenstand(h, a, phi, delta, 12.0);
  r.SonnenHoeheMax = RoheSonnenhoehe(phi, delta, 12.0);
  CalcSonnenstand(h, a, phi, delta, 12.0 + k);
  r.SonnenHoehe12 = h;
  r.SonnenAzimut12 = KompassAzimut(a, loc.GeoBreite);
  float auf = 0.0f, unter = 0.0f;
  CalcSonnenzeiten(auf, unter, delta, phi, k);
  r.Sonnenaufgang = auf;
  r.Sonnenuntergang = unter;
  if (90.0 - std::fabs(delta) >= phi && phi < 90.0) {
    // At sunrise sin h = 0: cos A = -sin delta / cos phi.
    const double cosA = std::clamp(-SinG(delta) / CosG(phi), -1.0, 1.0);
    r.AzimutDaemmerung = std::fabs(KompassAzimut(-std::acos(cosA) * kGradProRad, loc.GeoBreite));
  }
  r.TagesEinstrahlungExtra = std::max(0.0, CalcExtraterrSumme(r.SimTag, phi, delta, r.Sonnenuntergang + k));

  // The sun of the instant; every sun value the physics reads is set here.
  const double sonnenzeit = e.Uhrzeit + k;
  r.SonnenHoehe = RoheSonnenhoehe(phi, delta, sonnenzeit);
  CalcSonnenstand(h, a, phi, delta, sonnenzeit);
  r.Nacht = r.SonnenHoehe <= 0.0;
  r.SonnenAzimut = r.Nacht ? 0.0 : a;
  r.SonnenAzimutKompass = r.Nacht ? 0.0 : KompassAzimut(a, loc.GeoBreite);
  r.Tagansicht = r.Sonnenaufgang - 1.0 < e.Uhrzeit && e.Uhrzeit < r.Sonnenuntergang + 1.0;
  s.SonnenHoehe = r.Nacht ? 0.0 : r.SonnenHoehe;
  s.SonnenAzimut = r.SonnenAzimut;
  s.SinSonnenHoehe = r.Nacht ? 0.0 : SinG(r.SonnenHoehe);
  s.CosSonnenHoehe = CosG(s.SonnenHoehe);
  s.SinSonnenAzimut = SinG(s.SonnenAzimut);
  s.CosSonnenAzimut = CosG(s.SonnenAzimut);

  // Ambient and inlet temperatures; the ambient used is the whole degree shown.
  r.AussenTemp = e.AussenNachNatur ? std::round(CalcLuftTemp(loc, r.SimTag, static_cast<float>(e.Uhrzeit)))
                                   : std::clamp(e.Aussen, -50.0, 100.0);
  m.AussenTemp = static_cast<float>(r.AussenTemp);
  r.SkyMap = p.SkyMapAktiv;

  if (!r.Nacht) {
    if (p.KollektorMontage == 3) {
      CalcNachfuehrung(s.NachfNeigung, s.NachfAzimut, s.SonnenHoehe, s.SonnenAzimut, p.KollektorAzimut);
      r.CosEinfall = CosEinfallMoment(3, s.SonnenHoehe, s.SonnenAzimut, s.NachfNeigung, s.NachfAzimut);
      r.NachfNeigung = s.NachfNeigung;
      r.NachfAzimut = s.NachfAzimut;
    } else {
      r.CosEinfall = CosEinfallMoment(p.KollektorMontage, s.SonnenHoehe, s.SonnenAzimut, p.KollektorNeigung,
                                      p.KollektorAzimut);
    }
    s.CosEinfall1 = static_cast<float>(r.CosEinfall);
    s.Verschattet = p.SkyMapAktiv && IstVerschattet(p, static_cast<float>(s.SonnenAzimut),
                                                    static_cast<float>(s.SonnenHoehe));
    CalcKlarhimmel(c);
    if (p.KollektorMontage == 4) r.NachfNeigung = s.NachfNeigung;
  }
  r.Verschattet = s.Verschattet;
  r.DirektNormal = s.DirektNormal;
  r.DiffusHorizontal = s.DiffusHorizontal;
  r.EinstrDirekt = s.EinstrDirekt1;
  r.EinstrDiffus = s.EinstrDiffus1;
  r.EinstrGesamt = s.EinstrGesamt1;
  r.GlobalKollektor = r.Verschattet ? r.EinstrGesamt - r.EinstrDirekt : r.EinstrGesamt;

  const double flaeche = p.KollektorFlaeche;
  const double gWirksam = flaeche > 0.0 ? r.GlobalKollektor / flaeche : 0.0;
  r.Stagnation = e.RLStillstand;
  r.RuecklaufTemp = e.RLStillstand
                        ? CalcStillstandTemp(p.KollEta0, p.KollK1, p.KollK2, static_cast<float>(gWirksam),
                                             static_cast<float>(r.AussenTemp))
                        : std::clamp(e.Ruecklauf, -50.0, 400.0);
  m.RuecklaufTemp = static_cast<float>(r.RuecklaufTemp);

  if (r.Nacht) {
    // No sun, no gain: the collector stands at the ambient temperature.
    r.QKoll = 0.0;
    r.KollEta = 0.0;
    r.TKollAus = r.AussenTemp;
  } else {
    CalcKollektorfeld(c);
    r.QKoll = m.QKoll;
    r.KollEta = s.KollEta;
    r.TKollAus = s.TKollAus;
  }
  r.MondPhasen = CalcMondphasen(e.Tag, e.Monat, e.Jahr, r.MondPhase);
  return r;
}

Himmelspunkt SonneUm(const MomentErgebnis& r, const LocationState& loc, double uhrzeit) {
  const double phi = std::fabs(loc.GeoBreite);
  double h = 0.0, a = 0.0;
  CalcSonnenstand(h, a, phi, r.Deklination, uhrzeit + r.SonnenzeitKorrektur);
  return {h > 0.0 ? KompassAzimut(a, loc.GeoBreite) : 0.0, RoheSonnenhoehe(phi, r.Deklination, uhrzeit + r.SonnenzeitKorrektur)};
}

std::vector<Himmelspunkt> Sonnenbahn(const MomentErgebnis& r, const LocationState& loc, int n) {
  std::vector<Himmelspunkt> bahn;
  if (r.Sonnenuntergang <= r.Sonnenaufgang || n < 1) return bahn;
  for (int i = 0; i <= n; ++i) {
    const double t = r.Sonnenaufgang + (r.Sonnenuntergang - r.Sonnenaufgang) * i / n;
    Himmelspunkt pkt = SonneUm(r, loc, t);
    pkt.Hoehe = std::max(pkt.Hoehe, 0.0);
    bahn.push_back(pkt);
  }
  return bahn;
}

std::vector<MomentZeile> MomentBericht(const MomentEingabe& e, const MomentErgebnis& r, const PlantState& p,
                                       bool mitProgramm, const std::string& programm) {
  std::vector<MomentZeile> z;
  auto zeile = [&z](std::string text, bool kopf = false) { z.push_back({std::move(text), kopf}); };
  const std::string datum = DateToDotStr(e.Tag, e.Monat, e.Jahr);
  if (!r.Tagansicht) {
    const std::array<TX, 4> namen = {TX::Neumond, TX::ErstViertel, TX::Vollmond, TX::LetztViertel};
    for (std::size_t i = 0; i < 4; ++i) {
      const auto& ph = r.MondPhasen[i];
      zeile(T(namen[i]) + "\t" + (ph.Jahr ? DateToDotStr(ph.Tag, ph.Monat, ph.Jahr) : std::string("-")));
    }
    return z;
  }
  if (mitProgramm) {
    zeile(programm);
    zeile("");
  }
  const std::string uhr = MomentUhrzeit(e.Uhrzeit);
  zeile(T(TX::MomentKopfzeile_a) + " " + datum + " / " + uhr + " h", true);
  if (e.Uhrzeit <= r.Sonnenaufgang || e.Uhrzeit >= r.Sonnenuntergang) {
    zeile(" " + T(TX::Momentnachts));
  } else if (e.Uhrzeit <= 12.0) {
    zeile(" " + MomentUhrzeit(e.Uhrzeit - r.Sonnenaufgang) + " h " + T(TX::MomentnachSA));
  } else {
    zeile(" " + MomentUhrzeit(r.Sonnenuntergang - e.Uhrzeit) + " h " + T(TX::MomentvorSU));
  }
  switch (std::clamp(e.Montage, 1, 4)) {
    case 1:
      zeile(T(TX::Neigung) + ":\t" + Zahl(e.Neigung, 0) + "°\t" + T(TX::Azimut) + ": " + Zahl(e.Azimut, 0) + "°");
      break;
    case 2:
      zeile(T(TX::Neigung) + ":\t" + Zahl(e.Neigung, 0) + "°, " + T(TX::VerAchs));
      break;
    case 3:
      zeile(T(TX::Neigung) + ":\t" + Zahl(r.NachfNeigung, 0) + "°\t" + T(TX::Azimut) + ": " +
            Zahl(r.NachfAzimut, 0) + "°");
      break;
    default:
      zeile(T(TX::KollAusrichtung) + ":\t" + T(TX::AutoNach));
      break;
  }
  zeile(T(TX::MomentSonnenhoechst) + ":\t" + Zahl(r.SonnenHoeheMax, 1) + "°");
  zeile(T(TX::MomentAzimutDaemmerung) + ":\t+/- " + Zahl(r.AzimutDaemmerung, 1) + "°");
  if (!r.Nacht) {
    zeile(T(TX::MomentSonnenhoehe) + " " + uhr + " h:\t" + Zahl(r.SonnenHoehe, 1) + "°\t" + T(TX::Azimut) + " " +
          uhr + " h: " + Zahl(r.SonnenAzimutKompass, 1) + "°");
  }
  zeile(T(TX::MomentDirektesLicht) + ":\t" + Zahl(r.DirektNormal, 0) + " W/m²\t(TL = " + Zahl(e.Truebung, 1) + ")");
  zeile(T(TX::MomentDiffusesLicht) + ":\t" + Zahl(r.DiffusHorizontal, 0) + " W/m²");
  const double flaeche = p.KollektorFlaeche;
  zeile(T(TX::MomentEinstrahlungauf) + "\t  1 m²\t" + Zahl(flaeche, 0) + " m²    \t  [cos I = " +
        Zahl(r.CosEinfall, 2) + "]");
  std::string notiz;
  if (r.SkyMap && !r.Nacht) {
    notiz = r.Verschattet ? "  = 0 W " + T(TX::MomentwegenVerschattung) + "!" : "  (" + T(TX::MomentkeinSchatten) + ")";
  }
  auto jeM2 = [flaeche](double w) { return flaeche > 0.0 ? w / flaeche : 0.0; };
  zeile(T(TX::Momentdirekt) + ":\t" + Zahl(jeM2(r.EinstrDirekt), 0) + " W/m²\t" + Leistung(r.EinstrDirekt) + "\t" + notiz);
  zeile(T(TX::Momentdiffus) + ":\t" + Zahl(jeM2(r.EinstrDiffus), 0) + " W/m²\t" + Leistung(r.EinstrDiffus));
  zeile(T(TX::Momentglobal) + ":\t" + Zahl(jeM2(r.GlobalKollektor), 0) + " W/m²\t" + Leistung(r.GlobalKollektor));
  zeile(T(TX::MomentKollektorleistung) + "   ---------------->\t\t" + Leistung(r.QKoll), true);
  if (r.Stagnation) {
    zeile(T(TX::MomentStagnationstemp) + ":\t" + Zahl(r.RuecklaufTemp, 0) + " °C\t" + T(TX::MomentbeiAussentemp) +
          ": " + Zahl(r.AussenTemp, 0) + " °C");
  } else if (r.QKoll > 0.0) {
    zeile(T(TX::Wirkungsgrad) + ":\t" + Zahl(r.KollEta * 100.0, 0) + " %\t" + T(TX::bei_T_aussen) + ": " +
          Zahl(r.AussenTemp, 0) + " °C");
    zeile(T(TX::MomentVorlauftemp) + ":\t" + Zahl(r.TKollAus, 1) + " °C\t" + T(TX::MomentSpreizung) + ": " +
          Zahl(r.TKollAus - r.RuecklaufTemp, 1) + " K");
    zeile(T(TX::MomentRuecklauftemp) + ":\t" + Zahl(r.RuecklaufTemp, 1) + " °C\t" + T(TX::MomentTkollzuTumgeb) + ": " +
          Zahl((r.TKollAus + r.RuecklaufTemp) / 2.0 - r.AussenTemp, 1) + " K");
  } else {
    zeile(T(TX::MomentRuecklauftemp) + ":\t" + Zahl(r.RuecklaufTemp, 1) + " °C\t" + T(TX::bei_T_aussen) + ": " +
          Zahl(r.AussenTemp, 0) + " °C");
  }
  return z;
}

}  // namespace tav
