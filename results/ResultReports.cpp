#include "results/ResultReports.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "foundation/Messages.h"
#include "foundation/Sums.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"

namespace tav {
namespace {

// Texts that the reports carry as they stand (no text-table entries).
constexpr const char* kCO2 = "CO2-";
constexpr const char* kKg = "[kg]";
constexpr const char* kKWh = "[kWh]";
constexpr const char* kProzent = "[%]";
constexpr const char* kStrich = "\xE2\x80\x93";  // en dash
constexpr const char* kLowFlow = "), Low-Flow";
constexpr const char* kUnbekannt = "A_Typ unbekannt";

std::string A(int w, int d, double x) {
  return FloatToCommaStrAligned(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d), static_cast<float>(x));
}
std::string C(int w, int d, double x) {
  return FloatToCommaStr(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(d), static_cast<float>(x));
}
std::string P(int w, int d, double x) { return FloatToPointStr(w, d, x); }

std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

bool Teilbar(double divisor) { return std::isfinite(divisor) && divisor != 0.0; }

// A(w, d) of num / den, or the dash field when there is no divisor.
std::string Anteil(int w, double num, double den, double faktor = 100.0) {
  if (!Teilbar(den)) return LeerFeld(w);
  const double v = faktor * num / den;
  return std::isfinite(v) ? A(w, 0, v) : LeerFeld(w);
}

// The hot-water fraction in per cent, A(w, 0): a month whose solar heat exceeds its
// hot-water demand shows above 100, as the printed balance and the charts show it; a balance
// below 0 stands at 0; the dash field without a demand.
std::string Deckungsanteil(int w, double num, double den) {
  if (!Teilbar(den)) return LeerFeld(w);
  const double f = num / den;
  return std::isfinite(f) ? A(w, 0, 100.0 * std::max(f, 0.0)) : LeerFeld(w);
}

std::string Monatskopf(int m) {
  std::string s = Texts().Monatsnamen[Idx(m)] + ":";
  if (Utf8Length(s) > 16) s = CodePointsToUtf8(Utf8ToCodePoints(s).substr(0, 16));
  return s;
}

std::string Blanks(int n) { return n > 0 ? std::string(Idx(n), ' ') : std::string(); }

// "[unit]" of the carrier, empty for a carrier measured in kWh, padded with blanks.
std::string EinheitFeld(const PlantState& p) {
  const std::string u = p.konvKWhinEinheit == 1.0f ? std::string() : "[" + p.konvEinheit + "]";
  return u + Blanks(14 - 2 * static_cast<int>(Utf8Length(u)));
}

std::vector<int> Stops(std::initializer_list<int> l) { return std::vector<int>(l); }

void TitelZeile(TReport& r, const TavState& g, TX titel) {
  AddLine(r, g.folders.ProgName + " " + g.folders.ProgVersion + " - " + T(titel), true, true);
  AddLine(r, "");
}

void SpezErtragZeile(TReport& r, const TavState& g) {
  const float flaeche = g.plant.KollektorFlaecheGesamt;
  const std::string y = Teilbar(flaeche) ? P(5, 0, g.results.SolarertragMonat[13] / (flaeche * 1000.0)) + " kWh/" + T(TX::m_2)
                                         : std::string(kStrich);
  TLineBuilder().Add(T(TX::SpezKollErtrag) + ": ").Add(y, true).AppendTo(r);
}

}  // namespace

std::string LeerFeld(int Width, int Decimals) {
  // Two blanks are one digit wide, the decimal comma half of one.
  return Blanks(2 * (Width - 1) - (Decimals > 0 ? 1 : 0)) + kStrich;
}

double Begrenzt(double q, AnteilGrenze g) {
  if (g != AnteilGrenze::Keine) q = std::max(q, 0.0);
  if (g == AnteilGrenze::Bruch) q = std::min(q, 1.0);
  return q;
}

std::string TagDatum(int tagImJahr) {
  if (tagImJahr < 1 || tagImJahr > 366) return LeerFeld(1);
  std::int32_t monat = 1, tag = 1;
  DayOfYearToMonthDay(tagImJahr, monat, tag);
  return DateToDotStr(tag, monat, -1);
}

std::string VerschattungsZusatz(const PlantState& p) {
  return p.SkyMapAktiv ? " - " + T(TX::mitVerschattung) : std::string();
}

std::string KollektorZeileKurz(const TavState& g) {
  const auto& p = g.plant;
  const std::string tail = p.OstWestKollektor ? " + " + C(2, 2, p.KollektorFlaeche2) + " " + T(TX::m_2) : " " + T(TX::m_2);
  return T(TX::Kollektor) + ":\t" + C(2, 2, p.KollektorFlaeche) + tail + VerschattungsZusatz(p) + "\t" + p.Kollektor;
}

std::string AusrichtungZeile(const PlantState& p) {
  switch (p.KollektorMontage) {
    case 1:
      if (p.OstWestKollektor)
        return T(TX::Neigung) + ":\t" + C(2, 1, p.KollektorNeigung) + "/" + C(2, 1, p.KollektorNeigung2) + "°\t" +
               T(TX::Azimut) + ": " + C(2, 1, p.KollektorAzimut) + "/" + C(2, 1, p.KollektorAzimut2) + "°";
      return T(TX::Neigung) + ":\t" + C(2, 1, p.KollektorNeigung) + "°" + "\t" + T(TX::Azimut) + ": " +
             C(2, 1, p.KollektorAzimut) + "°";
    case 2: return T(TX::Neigung) + ":\t" + C(2, 1, p.KollektorNeigung) + "°, " + T(TX::VerAchs);
    case 3: return T(TX::Azimut) + ":\t" + C(2, 1, p.KollektorAzimut) + "°, " + T(TX::HorAchs);
    case 4: return T(TX::KollAusrichtung) + ":\t" + T(TX::AutoNach);
    default: return std::string();
  }
}

std::string WarmwasserZeile(const PlantState& p, const std::string& gleich) {
  const double dt = p.Warmwassertemp - p.Kaltwassertemp;
  const std::string liter = dt > 0.0 ? P(2, 0, p.Warmwasserverbrauch / (dt * 0.001163 * 1000.0)) : std::string(kStrich);
  return T(TX::Waermebedarf) + ":\t" + C(2, 2, p.Warmwasserverbrauch / 1000.0) + " " + T(TX::kWhproTag) + gleich + "\t" +
         liter + " " + T(TX::LiterproTag) + " " + T(TX::von) + " " + P(2, 0, p.Kaltwassertemp) + "°C " + T(TX::auf) +
         " " + P(2, 0, p.Warmwassertemp) + "°C";
}

// ---------------------------------------------------------------------------------------

void ReportEnergiebilanz(TReport& r, TavState& g, bool copy) {
  const auto& p = g.plant;
  auto& res = g.results;
  std::array<std::int32_t, 13> faktoren{};
  for (int m = 1; m <= 12; ++m) faktoren[Idx(m)] = static_cast<std::int32_t>(std::lround(p.WWMonatsfaktor[Idx(m)]));
  const bool F = AnyMonthNot100(faktoren);
  const bool H = p.SolHeizung && p.AnlagenTypNr != 2;
  const std::size_t N = 5 + (p.SolHeizung ? 2 : 0) + (F ? 1 : 0);

  AddLine(r, "");
  std::vector<int> tabs = p.SolHeizung ? Stops({60, 105, 146, 193, 242, 290, 330, 370}) : Stops({60, 110, 160, 217, 268, 322});
  tabs.resize(std::min(N, tabs.size()));
  r.Tabs = copy ? ScaleTabsRound(tabs, 1.2) : tabs;

  std::string l1 = T(TX::Monat), l2, l3;
  auto spalte = [&](const std::string& a, const std::string& b, const std::string& c) {
    l1 += "\t" + a;
    l2 += "\t" + b;
    l3 += "\t" + c;
  };
  spalte(T(TX::TabSolarertrag_a), T(TX::TabSolarertrag_b), kKWh);
  if (p.SolHeizung && p.AnlagenTypNr != 2) spalte(T(TX::TabSolHeizen_a), T(TX::TabSolHeizen_b), kKWh);
  if (p.SolHeizung && p.AnlagenTypNr == 2) spalte(T(TX::TabUeberschuss_a), T(TX::TabUeberschuss_b), kKWh);
  spalte(T(TX::TabEinstrahlung_a), T(TX::TabEinstrahlung_b), kKWh);
  spalte(T(TX::TabFremdenergie_a), T(TX::TabFremdenergie_b), kKWh);
  if (F) spalte(T(TX::TabTWWbedarf_a), T(TX::TabTWWbedarf_b), kKWh);
  if (!H) {
    spalte(PadLeftNbsp(T(TX::TabDeckungsrate_a), 8), PadLeftNbsp(T(TX::TabDeckungsrate_b), 8), kProzent);
  } else {
    // One heading over both fraction columns.
    l1 += "\t" + PadLeftNbsp(T(TX::Deckungsrate), 14);
    l2 += "\t" + T(TX::TabDeckungsrateWW_b) + "\t" + T(TX::TabDeckungsrateHz_b);
    l3 += std::string("\t") + kProzent + "\t" + kProzent;
  }
  spalte(T(TX::TabWirkungsgrad_a), T(TX::TabWirkungsgrad_b), std::string(kProzent) + "    ");
  l3 = ReplaceAll(l3, "[", "  [");
  if (H) {
    // The one fraction heading spans both fraction columns: its line has no stop between
    // them, so the next heading stands over its own column whatever the heading's length.
    const std::vector<int> alle = r.Tabs;
    r.Tabs.erase(r.Tabs.begin() + static_cast<std::ptrdiff_t>(N - 2));
    AddLine(r, l1, true);
    r.Tabs = alle;
  } else {
    AddLine(r, l1, true);
  }
  AddLine(r, l2, true);
  AddLine(r, l3, false, true);
  CalcYearSums(res);

  for (int i = 1; i <= 13; ++i) {
    const double S = res.SolarertragMonat[Idx(i)], Hz = res.SolHeizenMonat[Idx(i)], Pw = res.PoolWaermeMonat[Idx(i)];
    const double I = res.KollEinstrahlungMonat[Idx(i)], D = res.WWBedarfMonat[Idx(i)] + res.VerlustMonat[Idx(i)];
    TLineBuilder z(false, i == 12);
    z.Add(Monatskopf(i)).Tab().Add(A(6, 0, S / 1000.0), true);
    if (p.SolHeizung) z.Cell(A(6, 0, Hz / 1000.0));
    z.Cell(A(7, 0, I / 1000.0)).Cell(A(7, 0, res.NachheizungMonat[Idx(i)] / 1000.0));
    if (F) z.Cell(A(7, 0, D / 1000.0));
    z.Cell(Deckungsanteil(4, p.SolHeizung ? S - Hz - Pw : S - Pw, D));
    if (H) {
      const double anteil = res.HeizanteilMonat[Idx(i)];
      const double bedarf = p.Heizwaermebedarf * anteil;
      double f = 0.0;  // no heating demand: no heating share
      if (anteil >= 0.002 && Teilbar(bedarf)) f = std::min(1.0, Hz / bedarf);
      z.Cell(A(4, 0, 100.0 * f));
    }
    z.Cell(Anteil(4, S, I));
    z.AppendTo(r);
  }
  AddLine(r, "");

  if (p.SolHeizung && copy) {
    const int typ = p.AnlagenTypNr;
    if (typ == 2 || typ == 3) {
      AddLine(r, "*: " + T(TX::SolUeber) + " (" + T(TX::Teil_d_SolErtrag) + ")");
      AddLine(r, "");
    } else if (typ >= 6 && typ <= 8) {
      AddLine(r, "*: " + T(TX::Teil_d_SolErtrag));
      AddLine(r, "");
    } else if (typ < 1 || typ > 8) {
      ShowMessageLines(kUnbekannt);
    }
  }
  if (p.Pool) {
    AddLine(r, T(TX::PoolkWhpera) + ": " + C(7, 0, res.PoolWaermeMonat[13] / 1000.0) + " " + T(TX::kWhproJahr));
  } else if (H) {
    const double den = res.WWBedarfMonat[13] + res.VerlustMonat[13] + p.Heizwaermebedarf * res.HeizanteilMonat[13];
    // The total fraction keeps its decimal point.
    const std::string f = Teilbar(den) ? P(5, 1, 100.0 * std::min(1.0, res.SolarertragMonat[13] / den)) + "%" : kStrich;
    AddLine(r, T(TX::fsavTWWHz) + ": " + f);
  }
  AddLine(r, "");
  SpezErtragZeile(r, g);
}

// ---------------------------------------------------------------------------------------

void WriteOekoTabelle(TReport& r, TavState& g, bool copy) {
  const auto& p = g.plant;
  auto& res = g.results;
  res.SolarertragMonat[13] = 0.0f;
  res.BrennstoffMonat[13] = 0.0f;
  AddLine(r, "");
  const std::vector<int> tabs = p.SolHeizung ? Stops({65, 115, 160, 210, 270}) : Stops({65, 130, 185, 245});
  r.Tabs = copy ? ScaleTabsRound(tabs, 1.3) : tabs;
  const std::string einheit = EinheitFeld(p);
  if (!p.SolHeizung) {
    AddLine(r, T(TX::Monat) + "\t" + T(TX::TabSolarertrag_a) + "\t" + T(TX::TabEnergieeinsp_a) + "\t\t" + kCO2, true);
    AddLine(r, "\t" + T(TX::TabSolarertrag_b) + "\t" + T(TX::TabEnergieeinsp_b) + "\t\t" + T(TX::TabEinsparung_b), true);
    AddLine(r, std::string("\t") + kKWh + "\t" + kKWh + "\t" + einheit + "\t" + kKg + "    ", true);
  } else {
    AddLine(r, T(TX::Monat) + "\t" + T(TX::Solarertrag) + "\t\t" + T(TX::TabEnergieeinsp_a) + "\t\t" + kCO2, true);
    AddLine(r, "\t" + T(TX::TabDeckungsrateWW_b) + "\t" + T(TX::gesamt) + "\t" + T(TX::TabEinsparung_b) + "\t\t" +
                   T(TX::TabEinsparung_b),
            true);
    AddLine(r, std::string("\t") + kKWh + "\t" + kKWh + "\t" + kKWh + "\t" + einheit + "\t" + kKg + "    ", true);
  }

  const float kwh = p.konvKWhinEinheit;
  for (int m = 1; m <= 13; ++m) {
    if (m <= 12) {
      res.SolarertragMonat[13] += res.SolarertragMonat[Idx(m)];
      res.BrennstoffMonat[13] += res.BrennstoffMonat[Idx(m)];
    }
    const double S = res.SolarertragMonat[Idx(m)], E = res.BrennstoffMonat[Idx(m)] / 1000.0;
    const bool mitTraeger = Teilbar(kwh);
    const double Q = mitTraeger ? E / kwh : 0.0;
    const std::string q = mitTraeger && kwh != 1.0f ? A(5, 0, Q) : std::string();
    const std::string co2 = mitTraeger ? A(5, 0, Q * p.konvCO2inEinheit) : std::string();
    // The carrier quantity is the figure in bold; for a kWh carrier it is the saving itself.
    const bool qFett = !q.empty();
    TLineBuilder z(false, m == 12);
    z.Add(Monatskopf(m)).Tab();
    if (p.SolHeizung) z.Add(A(6, 0, (S - res.SolHeizenMonat[Idx(m)]) / 1000.0)).Tab();
    z.Add(A(6, 0, S / 1000.0)).Cell(A(6, 0, E), !qFett).Cell(q, qFett).Cell(co2);
    z.AppendTo(r);
  }
  AddLine(r, "");
}

// ---------------------------------------------------------------------------------------

void ReportOekoAnlage(TReport& r, const TavState& g, bool copy) {
  const auto& p = g.plant;
  r = TReport();
  const std::vector<int> tabs = Stops({80, 165, 225, 280});
  r.Tabs = copy ? ScaleTabsTrunc(tabs, 1.25) : tabs;
  if (copy) TitelZeile(r, g, TX::OekoBilanz);
  AddLine(r, T(TX::Projekt) + ":\t" + p.ProjektName, true);
  AddLine(r, T(TX::Standort) + ":\t" + p.Standort + "\t" + T(TX::geogrBreite) + ": " + C(2, 1, g.loc.GeoBreite) + "°" +
                 VerschattungsZusatz(p));
  const std::string tail = p.OstWestKollektor ? " + " + C(2, 2, p.KollektorFlaeche2) + " " + T(TX::m_2) : " " + T(TX::m_2);
  AddLine(r, T(TX::Apertur) + ":\t" + C(2, 2, p.KollektorFlaeche) + tail + "\t" + p.Kollektor);
  if (const std::string a = AusrichtungZeile(p); !a.empty()) AddLine(r, a);

  const int typ = p.AnlagenTypNr;
  std::string typText;
  if (typ >= 1 && typ <= 8) {
    typText = Texts().AnlagenKurzNamen[Idx(typ)];
    if (typ >= 6) typText += " (" + P(1, 0, p.HeizkreisTyp) + (typ == 8 && p.LFTkreis ? kLowFlow : ")");
  } else {
    ShowMessageLines(kUnbekannt);
  }
  if (p.Pool) typText += ", " + T(TX::TabPool);
  AddLine(r, T(TX::Anlagentyp) + ":\t" + typText);
  AddLine(r, WarmwasserZeile(p, "  ="));

  // Heating lines only while the plant heats, as in the other reports.
  if (p.SolHeizung) {
    AddLine(r, "\t" + C(1, 0, p.Heizwaermebedarf / 1000.0) + " " + T(TX::kWhproJahr) + " " + T(TX::HeizWaermebedarf));
    const std::string aussen = T(TX::bei_T_aussen) + " < " + P(1, 0, p.Heizgrenztemp) + "°C";
    if (typ == 2) {
      AddLine(r, T(TX::Heizfunktion) + ":\t" + aussen + " " + T(TX::und) + "  " + T(TX::T_sp) + " > " +
                     P(2, 0, p.MaxTempWinter) + "°C");
    } else if (typ == 3) {
      AddLine(r, T(TX::Heizleistung) + ":\t" + P(1, 0, p.Heiztauscherleistung / 1000.0) + " kW " + T(TX::bei) +
                     " dT = " + P(2, 0, p.HeiztauscherDeltaT) + " K " + T(TX::PrimSek) + ", " + P(4, 0, p.Heiztemp) + "°C " +
                     T(TX::imSekRuecklauf));
      AddLine(r, T(TX::Heizfunktion) + ":\t" + aussen + "  " + T(TX::und) + " " + T(TX::T_spu) + " > " +
                     P(2, 0, p.MaxTempWinter) + "°C");
    } else if (typ >= 6 && typ <= 8) {
      AddLine(r, T(TX::Solares_Heizen) + ":\t" + aussen + " \t" + T(TX::Heizkreis) + ": " + P(2, 0, p.HeizTvor100) +
                     "/" + P(2, 0, p.HeizTrck100) + "°C, " + P(2, 0, p.HeizQnorm / 1000.0) + " kW " + T(TX::bei) + " " +
                     P(2, 0, p.HeizTnorm) + "°C");
    }
  }
  AddLine(r, T(TX::KonvEnergie) + ":\t" + p.konvEnergie, true);
  AddLine(r, T(TX::Nutzungsgrad) + ":\t" + P(3, 0, p.konvNutzgradWinter) + "% / " + P(3, 0, p.konvNutzgradFruehlingHerbst) +
                 "% / " + P(3, 0, p.konvNutzgradSommer) + "% " + T(TX::beiBetriebinWFHS));
}

void ReportOekoBilanz(TReport& r, TavState& g, bool copy) {
  const auto& p = g.plant;
  auto& res = g.results;
  res.SolarertragMonat[13] = 0.0f;
  res.BrennstoffMonat[13] = 0.0f;
  AddLine(r, "");
  const std::vector<int> tabs = Stops({60, 135, 185, 245, 300});
  r.Tabs = copy ? ScaleTabsRound(tabs, 1.3) : tabs;
  AddLine(r, T(TX::Monat) + "\t" + T(TX::TabSolarertrag_a) + "\t" + T(TX::TabEnergieeinsp_a) + "  \t\t" + kCO2, true);
  AddLine(r, "\t" + T(TX::TabSolarertrag_b) + "\t" + T(TX::TabEnergieeinsp_b) + "\t\t" + T(TX::TabEinsparung_b), true);
  AddLine(r, std::string("\t") + kKWh + "\t" + kKWh + "\t" + EinheitFeld(p) + "\t" + kKg + "    ", true, true);

  const float kwh = p.konvKWhinEinheit;
  for (int i = 1; i <= 13; ++i) {
    if (i <= 12) {
      res.SolarertragMonat[13] += res.SolarertragMonat[Idx(i)];
      res.BrennstoffMonat[13] += res.BrennstoffMonat[Idx(i)];
    }
    const double S = res.BrennstoffMonat[Idx(i)] / 1000.0;
    const bool mitTraeger = Teilbar(kwh);
    const std::string v = mitTraeger && kwh != 1.0f ? A(7, 1, S / kwh) : std::string();
    const std::string co2 = mitTraeger ? A(7, 1, S / kwh * p.konvCO2inEinheit) : std::string();
    const bool vFett = !v.empty();
    TLineBuilder z(false, i == 12);
    z.Add(Monatskopf(i)).Tab().Add(A(7, 1, res.SolarertragMonat[Idx(i)] / 1000.0));
    z.Cell(A(7, 1, S), !vFett).Cell(v, vFett).Cell(co2);
    z.AppendTo(r);
  }
  AddLine(r, "");
}

// ---------------------------------------------------------------------------------------

void ReportPoolAnlage(TReport& r, const TavState& g, bool copy) {
  const auto& p = g.plant;
  r = TReport();
  const std::vector<int> tabs = Stops({120, 195, 245, 310});
  r.Tabs = copy ? ScaleTabsTrunc(tabs, 1.25) : tabs;
  if (copy) TitelZeile(r, g, TX::PoolBilanz);
  AddLine(r, T(TX::Projekt) + ":\t" + p.ProjektName, true);
  AddLine(r, T(TX::PoolWT) + " " + RemoveAmpersands(T(p.PoolWTdir ? TX::FormAnlageWTdirekt : TX::FormAnlageWTindirekt)));
  AddLine(r, KollektorZeileKurz(g));
  if (const std::string a = AusrichtungZeile(p); !a.empty()) AddLine(r, a);
  AddLine(r, T(TX::Poolinhalt) + ":\t" + C(1, 1, p.PoolVol) + " m³");
  AddLine(r, T(TX::Nutzung_vom) + ":\t" + TagDatum(p.PoolStart) + "  " + T(TX::bis) + "   " + TagDatum(p.PoolEnde));
  AddLine(r, T(TX::Pooltemperatur) + ":\t" + C(1, 0, p.PoolTemp) + "°");
  AddLine(r, T(TX::Mindesttemperatur) + " " + T(TX::im_Speicher) + ": " + C(1, 1, p.PoolSpminTemp) + "°");
  AddLine(r, "");
}

void ReportPoolBilanz(TReport& r, TavState& g, bool copy) {
  const auto& p = g.plant;
  auto& res = g.results;
  AddLine(r, "");
  const std::vector<int> tabs = p.SolHeizung ? Stops({52, 114, 165, 228, 237, 285}) : Stops({55, 120, 180, 230, 285});
  r.Tabs = copy ? ScaleTabsRound(tabs, 1.3) : tabs;
  std::string l1 = T(TX::Monat) + "\t" + T(TX::TabPool) + "\t", l2 = std::string("\t") + kKWh + "\t" + kKWh + "\t";
  if (p.SolHeizung) {
    l1 += T(TX::TabHeizung) + "\t";
    l2 += std::string(kKWh) + "\t";
  }
  l1 += T(TX::TabTrinkwasser) + "\t" + T(TX::TabErwaermung);
  l2 += "[" + T(TX::KelvinproTag) + "]    ";
  AddLine(r, l1, true);
  AddLine(r, l2, true, true);
  CalcYearSums(res);

  const double waermekap = p.PoolVol * 1000.0 * 1.163;  // Wh per K of the pool water
  for (int i = 1; i <= 13; ++i) {
    const double Pw = res.PoolWaermeMonat[Idx(i)], Hz = res.SolHeizenMonat[Idx(i)];
    const double tage = i <= 12 ? MonatsTage[Idx(i)] : 365.0;
    const int breite = p.SolHeizung ? 2 : 3;
    std::string erwaermung = Teilbar(waermekap) ? A(breite, 1, Pw / tage / waermekap) : LeerFeld(3, 1);
    TLineBuilder z(false, i == 12);
    z.Add(Monatskopf(i)).Tab().Add(A(7, 0, Pw / 1000.0), true);
    if (p.SolHeizung) z.Cell(A(6, 0, Hz / 1000.0));
    z.Cell(A(6, 0, (res.SolarertragMonat[Idx(i)] - Pw - Hz) / 1000.0)).Cell(erwaermung);
    z.AppendTo(r);
  }
  AddLine(r, "");
  SpezErtragZeile(r, g);
}

}  // namespace tav
