#include "results/DruckSeiten.h"

#include <algorithm>
#include <cmath>

#include "foundation/PrintLayout.h"
#include "foundation/Sums.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/AnlageReport.h"
#include "results/ResultReports.h"

namespace tav {
namespace {

using F = TDruckFeld;

std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

std::string C(int w, int d, double x) {
  return FloatToCommaStr(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d), static_cast<float>(x));
}
std::string P(int w, int d, double x) { return FloatToPointStr(w, d, x); }
std::string A(int w, int d, double x) {
  return FloatToCommaStrAligned(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d), static_cast<float>(x));
}
std::string Grad(double t) { return P(2, 0, t) + "°C"; }

bool Teilbar(double d) { return std::isfinite(d) && d != 0.0; }

// Fixed labels of the three-coefficient characteristic.
constexpr const char* kN0 = "n0";
constexpr const char* kA1 = "a1";
constexpr const char* kA2 = "a2";
constexpr const char* kKWh = "[kWh]";
// Shown for the daily litres when hot water is not warmer than cold water.
constexpr const char* kKeineLiter = "-";
// Heat of one litre of water per kelvin, kWh.
constexpr double kWasserKWhProLiterK = 0.001163;

// Lines of a description: the first one larger and raised, the others one below the other.
class Zeilen {
 public:
  Zeilen(TDruckBlock& b, int erste) : b_(b), zeile_(erste) {}
  // A new line; its texts follow with Feld.
  Zeilen& Neu() {
    b_.Zeilen.push_back({zeile_++, false, {}});
    return *this;
  }
  Zeilen& Feld(int spalte, std::string text, bool fett = false, int groesse = 0) {
    b_.Zeilen.back().Felder.push_back({spalte, std::move(text), fett, groesse});
    return *this;
  }
  // A line of a bold label (":" appended) and its value in the first column.
  Zeilen& Label(const std::string& label, std::string wert) {
    return Neu().Feld(F::kRand, label + ":", true).Feld(0, std::move(wert));
  }
  TDruckFeld& Letztes() { return b_.Zeilen.back().Felder.back(); }
  // "Projekt:" and the project name, 2 points larger, raised a third of a line.
  void Projekt(const std::string& name) {
    Neu().Feld(F::kRand, T(TX::Projekt) + ":", true, 2).Feld(0, name, false, 2);
    b_.Zeilen.back().Angehoben = true;
  }

 private:
  TDruckBlock& b_;
  int zeile_;
};

std::vector<int> Spalten(std::initializer_list<int> k) { return k; }

// Location and latitude; the latitude at column 1, or at 2 (and further right) when the name
// reaches column 1.
void Standort(Zeilen& z, const TavState& g, bool immerSpalte2) {
  const auto& p = g.plant;
  z.Label(T(TX::Standort), p.Standort);
  z.Feld(immerSpalte2 ? 2 : 1, T(TX::geogrBreite) + ":" + C(5, 1, g.loc.GeoBreite) + "°" + VerschattungsZusatz(p));
  z.Letztes().Ausweich = 2;
}

// The collector area with the module count (or the two fields' areas) 2 points smaller
// after it, and the collector's name in column 1.
void Kollektor(Zeilen& z, const PlantState& p) {
  const std::string m2 = T(TX::m_2);
  if (p.OstWestKollektor) {
    z.Label(T(TX::Kollektor), C(1, 2, p.KollektorFlaecheGesamt) + " " + m2);
    z.Feld(F::kDanach, "  (" + C(3, 1, p.KollektorFlaeche) + "+" + C(3, 1, p.KollektorFlaeche2) + ")", false, -2);
  } else {
    z.Label(T(TX::Kollektor), C(1, 2, p.KollektorFlaeche) + " " + m2);
    if (std::string n = ModulAnzahl(p.KollektorFlaeche, p.KollModulFlaeche); !n.empty())
      z.Feld(F::kDanach, std::move(n), false, -2);
  }
  z.Feld(1, p.Kollektor);
}

void Kennlinie(Zeilen& z, const PlantState& p) {
  const std::string m2 = T(TX::m_2);
  if (p.KollK2 == 0.0f)
    z.Label(T(TX::Kennlinie), T(TX::Eta0) + " = " + C(3, 3, p.KollEta0) + " / " + T(TX::kWert) + " = " +
                                  C(3, 3, p.KollK1) + " W/(" + m2 + "K)");
  else
    z.Label(T(TX::Kennlinie), std::string(kN0) + " = " + C(3, 3, p.KollEta0) + "   " + kA1 + " = " +
                                  C(3, 3, p.KollK1) + " W/(" + m2 + "K)   " + kA2 + " = " + C(4, 4, p.KollK2) +
                                  " W/(" + m2 + "K²)");
}

void Ausrichtung(Zeilen& z, const PlantState& p) {
  switch (p.KollektorMontage) {
    case 1:
      if (p.OstWestKollektor) {
        z.Label(T(TX::Neigung), C(5, 1, p.KollektorNeigung) + "/" + C(1, 1, p.KollektorNeigung2) + "°");
        z.Feld(1, T(TX::Azimut) + ": " + C(1, 1, p.KollektorAzimut) + "/" + C(1, 1, p.KollektorAzimut2) + "°");
      } else {
        z.Label(T(TX::Neigung), C(1, 1, p.KollektorNeigung) + "°");
        z.Feld(1, T(TX::Azimut) + ": " + C(1, 1, p.KollektorAzimut) + "°");
      }
      break;
    case 2:
      z.Label(T(TX::Neigung), C(1, 1, p.KollektorNeigung) + "°, " + T(TX::VerAchs));
      break;
    case 3:
      z.Label(T(TX::Azimut), C(1, 1, p.KollektorAzimut) + "°, " + T(TX::HorAchs));
      break;
    case 4:
      z.Label(T(TX::KollAusrichtung), T(TX::AutoNach));
      break;
    default:
      break;
  }
}

std::string TZeile(const PlantState& p) {
  return "max. " + P(2, 0, p.Maximaltemp) + "°C / min. " + P(2, 0, p.Minimaltemp) + "°C";
}

// A named store with its volume in column 1 (n stores: "n x V/n"), an unnamed one with the
// volume alone.
void BenannterSpeicher(Zeilen& z, const PlantState& p, const std::string& label) {
  const int n = std::max<int>(p.SpeicherAnz, 1);
  const std::string liter = " " + T(TX::Liter);
  if (p.SpeicherName.empty()) {
    z.Label(label, P(1, 0, p.Speicher1vol) + liter);
    return;
  }
  z.Label(label, p.SpeicherName);
  z.Feld(1, n == 1 ? P(1, 0, p.Speicher1vol) + liter : P(1, 0, n) + " x " + P(1, 0, p.Speicher1vol / n) + liter);
}

void Speicher(Zeilen& z, const PlantState& p) {
  const std::string liter = " " + T(TX::Liter);
  const double v1 = p.Speicher1vol, v2 = p.Speicher2vol;
  const int n = std::max<int>(p.SpeicherAnz, 1);
  switch (p.AnlagenTypNr) {
    case 1:
    case 2:
    case 3:
      BenannterSpeicher(z, p, T(TX::Speicher));
      z.Neu().Feld(0, TZeile(p));
      break;
    case 4:
      z.Label(T(TX::Speicher) + " 1", P(6, 0, v1) + liter + " ").Feld(1, T(TX::Temperatur) + " :").Feld(2, TZeile(p));
      z.Label(T(TX::Speicher) + " 2", P(1, 0, v2) + liter + "   (" + T(TX::Vorwaermspeicher) + ")")
          .Feld(2, "max. " + Grad(p.Maximaltemp2));
      break;
    case 5:
      if (p.KaskadeTyp == 13) {
        z.Label(T(TX::Speicher) + " 1", P(1, 0, v1) + liter)
            .Feld(1, "min. " + Grad(p.Minimaltemp))
            .Feld(2, "(" + T(TX::Boiler) + ", " + T(TX::kesselseitig) + ")");
        z.Label(T(TX::Speicher) + " 2", P(1, 0, v2) + liter)
            .Feld(1, "max. " + Grad(p.Maximaltemp))
            .Feld(2, "(" + T(TX::Solarspeicher) + ")");
      } else {
        // The solar store of this cascade is no boiler: the heater is a flow heater.
        z.Label(T(TX::Solarspeicher), P(1, 0, v2) + liter).Feld(1, "max. " + Grad(p.Maximaltemp));
        z.Label(T(TX::Durchlauferhitzer), T(TX::TempAbk)).Feld(1, "min. " + Grad(p.Minimaltemp));
      }
      break;
    case 6: {
      const std::string ltr = " " + T(TX::LtrAbk), hw = T(TX::Heiz_Warmwasser);
      if (p.SpeicherName.empty())
        z.Label(T(TX::Kombipuffer), P(1, 0, v1) + " + " + P(3, 0, v2) + ltr + " (" + hw + ")");
      else if (n == 1)
        z.Label(T(TX::Kombipuffer), p.SpeicherName + "  (" + P(1, 0, v1) + " + " + P(1, 0, v2) + ltr + " " + hw + ")");
      else
        z.Label(T(TX::Kombipuffer), p.SpeicherName + "  (" + P(1, 0, n) + " x [" + P(1, 0, v1 / n) + " + " +
                                        P(1, 0, v2 / n) + ltr + " " + hw + "])");
      z.Neu().Feld(0, TZeile(p));
      break;
    }
    case 7:
      z.Label(T(TX::WWspeicher), P(6, 0, v1) + liter).Feld(1, T(TX::Temperatur) + " :").Feld(2, TZeile(p));
      z.Label(T(TX::Pufferspeicher), P(2, 0, v2) + liter).Feld(2, "max. " + Grad(p.Maximaltemp2));
      break;
    case 8:
      BenannterSpeicher(z, p, T(TX::Pufferspeicher));
      // The fresh-water module needs the store FWEdTmin above the hot-water temperature.
      z.Neu().Feld(0, T(TX::Temperatur) + " : max. " + Grad(p.Maximaltemp) + " / min. " +
                          Grad(double(p.Warmwassertemp) + p.FWEdTmin));
      break;
    default:
      break;
  }
  const bool mitSchaltung = (p.AnlagenTypNr >= 1 && p.AnlagenTypNr <= 4) || p.AnlagenTypNr == 7 ||
                            (p.AnlagenTypNr == 5 && p.KaskadeTyp == 13);
  if (p.AntiLegionella && mitSchaltung) z.Neu().Feld(0, T(TX::AntiLegionella));
}

void Waermebedarf(Zeilen& z, const PlantState& p, const std::string& gleich) {
  const double dT = double(p.Warmwassertemp) - p.Kaltwassertemp;
  const std::string liter =
      dT > 0.0 ? P(2, 0, p.Warmwasserverbrauch / (dT * kWasserKWhProLiterK * 1000.0)) : kKeineLiter;
  z.Label(T(TX::Waermebedarf), C(2, 2, p.Warmwasserverbrauch / 1000.0) + " " + T(TX::kWhproTag) + gleich)
      .Feld(1, liter + " " + T(TX::LiterproTag) + " " + T(TX::von) + " " + P(2, 0, p.Kaltwassertemp) + "°C " +
                   T(TX::auf) + " " + Grad(p.Warmwassertemp));
}

std::string Aussen(const PlantState& p) { return T(TX::bei_T_aussen) + " < " + Grad(p.Heizgrenztemp); }

// The heat demand and the heating circuit of the heating plants 6 to 8, printed whatever its
// design load.
void Heizkreis(Zeilen& z, const PlantState& p) {
  z.Neu().Feld(0, C(1, 0, p.Heizwaermebedarf / 1000.0) + " " + T(TX::kWhproJahr) + " " + T(TX::HeizWaermebedarf));
  z.Label(T(TX::Solares_Heizen), Aussen(p) + " ")
      .Feld(1, T(TX::Heizkreis) + ": " + P(2, 0, p.HeizTvor100) + "/" + P(2, 0, p.HeizTrck100) + "°C, " +
                   P(2, 0, p.HeizQnorm / 1000.0) + " kW " + T(TX::bei) + " " + Grad(p.HeizTnorm));
}

void HeizungBilanz(Zeilen& z, const PlantState& p) {
  switch (p.AnlagenTypNr) {
    case 2:
      z.Label(T(TX::Heizfunktion), Aussen(p) + " " + T(TX::und) + " " + T(TX::T_sp) + " > " + Grad(p.MaxTempWinter));
      break;
    case 3:
      z.Neu().Feld(0, C(1, 0, p.Heizwaermebedarf / 1000.0) + " " + T(TX::kWhproJahr) + " " + T(TX::HeizWaermebedarf));
      z.Label(T(TX::Heizleistung), P(4, 0, p.Heiztauscherleistung / 1000.0) + " kW " + T(TX::bei) + " dT = " +
                                       P(2, 0, p.HeiztauscherDeltaT) + " K " + T(TX::PrimSek) + ", " + P(4, 0, p.Heiztemp) +
                                       "°C " + T(TX::imSekRuecklauf));
      z.Label(T(TX::Heizfunktion), Aussen(p) + "  " + T(TX::und) + " " + T(TX::T_spu) + " > " + Grad(p.MaxTempWinter));
      break;
    case 6:
    case 7:
    case 8:
      Heizkreis(z, p);
      break;
    default:
      break;
  }
}

// The head both small-line descriptions share: project, location, collector, (the
// characteristic on the energy page) and orientation.
void Kopfzeilen(Zeilen& z, const TavState& g, bool bilanz) {
  z.Projekt(g.plant.ProjektName);
  Standort(z, g, !bilanz);
  Kollektor(z, g.plant);
  if (bilanz) Kennlinie(z, g.plant);
  Ausrichtung(z, g.plant);
}

constexpr TX kAnlagenNamen[] = {TX::Anlage1, TX::Anlage2, TX::Anlage3, TX::Anlage4,
                                TX::Anlage5, TX::Anlage6, TX::Anlage7, TX::Anlage8};

}  // namespace

TDruckBlock DruckAnlageBilanz(const TavState& g) {
  const auto& p = g.plant;
  TDruckBlock b;
  b.Tab = Spalten({90, 185, 250, 270, 310});
  b.Klein = true;
  Zeilen z(b, 9);
  Kopfzeilen(z, g, true);
  const bool bekannt = p.AnlagenTypNr >= 1 && p.AnlagenTypNr <= 8;
  z.Label(T(TX::Anlagentyp), bekannt ? PlantTypeText(p, Texts(), true) : std::string());
  Speicher(z, p);
  Waermebedarf(z, p, " =");
  if (p.SolHeizung) HeizungBilanz(z, p);
  return b;
}

TDruckBlock DruckAnlagePool(const TavState& g) {
  const auto& p = g.plant;
  TDruckBlock b;
  b.Tab = Spalten({96, 185});
  Zeilen z(b, 10);
  z.Projekt(p.ProjektName);
  z.Neu().Feld(F::kRand, T(TX::PoolWT) + " " + RemoveAmpersands(T(p.PoolWTdir ? TX::FormAnlageWTdirekt : TX::FormAnlageWTindirekt)),
               true);
  Kollektor(z, p);
  Ausrichtung(z, p);
  z.Label(T(TX::Poolinhalt), C(1, 1, p.PoolVol) + " m³");
  z.Label(T(TX::Nutzung_vom), TagDatum(p.PoolStart) + "  " + T(TX::bis) + "   " + TagDatum(p.PoolEnde));
  z.Label(T(TX::Pooltemperatur), C(1, 0, p.PoolTemp) + "°");
  // In languages whose label is wider than the first column the value follows the label.
  z.Label(T(TX::Mindesttemperatur) + " " + T(TX::im_Speicher), C(1, 1, p.PoolSpminTemp) + "°C");
  return b;
}

TDruckBlock DruckAnlageOeko(const TavState& g) {
  const auto& p = g.plant;
  TDruckBlock b;
  b.Tab = Spalten({87, 175, 250, 270});
  b.Klein = true;
  Zeilen z(b, 9);
  Kopfzeilen(z, g, false);
  const int typ = p.AnlagenTypNr;
  z.Label(T(TX::Anlagentyp), typ >= 1 && typ <= 8 ? T(kAnlagenNamen[typ - 1]) : std::string());
  Waermebedarf(z, p, "  =");
  if (p.SolHeizung) {
    if (typ == 2)
      z.Label(T(TX::Heizfunktion), Aussen(p) + " " + T(TX::und) + "  " + T(TX::T_sp) + " > " + Grad(p.MaxTempWinter));
    else if (typ == 3)
      z.Label(T(TX::Solares_Heizen), TextMit(TX::AufTemperaturniveau, {Grad(p.Heiztemp)}) + ", " + Aussen(p) + " " +
                                         T(TX::und) + " " + T(TX::T_spu_kurz) + " > " + Grad(p.MaxTempWinter));
    else if (typ >= 6 && typ <= 8)
      Heizkreis(z, p);
  }
  z.Label(T(TX::KonvEnergie), p.konvEnergie);
  z.Neu().Feld(0, "1 " + p.konvEinheit + " = " + C(1, 1, p.konvKWhinEinheit) + " kWh " + T(TX::Nutzenergie) + " " +
                      T(TX::und) + " " + C(1, 2, p.konvCO2inEinheit) + " kg " + T(TX::CO2Belastung));
  z.Letztes().Indiziert = true;
  z.Label(T(TX::Nutzungsgrad), P(2, 0, p.konvNutzgradWinter) + "% / " + P(2, 0, p.konvNutzgradFruehlingHerbst) +
                                   "% / " + P(2, 0, p.konvNutzgradSommer) + "%")
      .Feld(1, T(TX::beiBetriebinWFHS));
  z.Neu().Feld(0, T(TX::Winter5Sommer15), false, -2);
  return b;
}

TDruckBlock DruckPoolBilanz(const TavState& g, int startZeile) {
  const auto& p = g.plant;
  ResultState res = g.results;  // the year sums go into the copy
  CalcYearSums(res);
  const bool H = p.SolHeizung;
  TDruckBlock b;
  b.Tab = H ? Spalten({65, 130, 185, 250}) : Spalten({65, 130, 190});
  const std::string kelvin = "[" + T(TX::KelvinproTag) + "]";
  TDruckFeldZeile kopf{startZeile, false, {}}, einheit{startZeile + 1, false, {}};
  int s = 0;
  const auto spalte = [&](TX titel, const std::string& e) {
    kopf.Felder.push_back({s, T(titel), true});
    einheit.Felder.push_back({s++, e});
  };
  spalte(TX::TabPool, kKWh);
  if (H) spalte(TX::TabHeizung, kKWh);
  spalte(TX::TabTrinkwasser, kKWh);
  spalte(TX::TabErwaermung, kelvin);
  b.Zeilen = {kopf, einheit};

  // Wh that warm the whole pool by one kelvin; no volume leaves the warming empty.
  const double waermekap = p.PoolVol * 1000.0 * g.moment.cWasser;
  const int breite = H ? 3 : 2;
  for (int m = 1; m <= 13; ++m) {
    const double Pw = res.PoolWaermeMonat[Idx(m)], Hz = res.SolHeizenMonat[Idx(m)];
    const double tage = m <= 12 ? MonatsTage[Idx(m)] : 365.0;
    TDruckFeldZeile z{startZeile + 1 + m, false, {{F::kRand, Texts().Monatsnamen[Idx(m)] + ":"}}};
    int c = 0;
    z.Felder.push_back({c++, A(6, 0, Pw / 1000.0), true});
    if (H) z.Felder.push_back({c++, A(7, 0, Hz / 1000.0)});
    z.Felder.push_back({c++, A(7, 0, (res.SolarertragMonat[Idx(m)] - Pw - Hz) / 1000.0)});
    z.Felder.push_back({c++, Teilbar(waermekap) ? A(breite, 1, SafeDiv(Pw / tage, waermekap)) : LeerFeld(3, 1)});
    b.Zeilen.push_back(std::move(z));
  }
  const std::string spez = T(TX::SpezKollErtrag) + ": ";
  const double flaeche = p.KollektorFlaecheGesamt;
  b.Zeilen.push_back({startZeile + 16, false,
                      {{F::kRand, spez},
                       {F::kDanach,
                        Teilbar(flaeche) ? FloatToPointStr(5, 0, SafeDiv(res.SolarertragMonat[13], flaeche * 1000.0)) +
                                               " kWh/" + T(TX::m_2)
                                         : LeerFeld(5),
                        true}}});
  b.Regeln = {startZeile + 2, startZeile + 14};
  b.RegelSpalte = s - 1;
  b.RegelText = kelvin;
  return b;
}

TDruckBlock DruckOekoBilanz(const TavState& g) {
  constexpr int start = 20;
  const auto& p = g.plant;
  // Slot 13 as the sum of the months, in a copy.
  TMonatsArray ertrag = g.results.SolarertragMonat, einsparung = g.results.BrennstoffMonat;
  ertrag[13] = einsparung[13] = 0.0f;
  for (int m = 1; m <= 12; ++m) {
    ertrag[13] += ertrag[Idx(m)];
    einsparung[13] += einsparung[Idx(m)];
  }
  const double kwh = p.konvKWhinEinheit, co2 = p.konvCO2inEinheit;
  const bool mitCO2 = double(einsparung[13]) * co2 != 0.0;
  const bool mitEinheit = kwh != 1.0;

  TDruckBlock b;
  b.Tab = Spalten({65, 130, 190, 270});
  TDruckFeldZeile k1{start, false, {{0, T(TX::TabSolarertrag_a), true}, {1, T(TX::TabEnergieeinsp_a), true}}};
  TDruckFeldZeile k2{start + 1, false, {{0, T(TX::TabSolarertrag_b), true}, {1, T(TX::TabEnergieeinsp_b), true}}};
  TDruckFeldZeile e{start + 2, false, {{0, kKWh}, {1, kKWh}}};
  if (mitEinheit) e.Felder.push_back({2, "[" + p.konvEinheit + "]"});
  if (mitCO2) {
    k1.Felder.push_back({3, T(TX::CO2idx) + "-", true, 0, true});
    k2.Felder.push_back({3, T(TX::TabEinsparung_b), true});
    e.Felder.push_back({3, "[kg]"});
  }
  b.Zeilen = {k1, k2, e};
  for (int m = 1; m <= 13; ++m) {
    const double S = einsparung[Idx(m)] / 1000.0;
    TDruckFeldZeile z{start + 2 + m, false, {{F::kRand, Texts().Monatsnamen[Idx(m)] + ":"}}};
    z.Felder.push_back({0, A(8, 1, ertrag[Idx(m)] / 1000.0)});
    z.Felder.push_back({1, A(8, 1, S)});
    // A carrier without its kWh per unit leaves its units and its CO2 empty.
    if (mitEinheit) z.Felder.push_back({2, Teilbar(kwh) ? A(7, 1, SafeDiv(S, kwh)) : LeerFeld(7, 1), true});
    if (mitCO2) z.Felder.push_back({3, Teilbar(kwh) ? A(7, 1, SafeDiv(S, kwh) * co2) : LeerFeld(7, 1)});
    b.Zeilen.push_back(std::move(z));
  }
  b.Regeln = {start + 3, start + 15};
  b.RegelSpalte = 3;
  b.RegelText = T(TX::TabEinsparung_b);
  return b;
}

}  // namespace tav
