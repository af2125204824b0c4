#include "results/DruckBilanz.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "foundation/PrintLayout.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "results/ResultReports.h"

namespace tav {
namespace {

std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

std::string A(int w, double x) {
  return FloatToCommaStrAligned(static_cast<std::uint8_t>(w), 0, static_cast<float>(x));
}

bool Teilbar(double d) { return std::isfinite(d) && d != 0.0; }

// A share in per cent, bounded as the screen bounds it; no divisor leaves the field empty.
std::string Prozent(int w, double num, double den, AnteilGrenze g) {
  if (!Teilbar(den)) return LeerFeld(w);
  return A(w, 100.0 * Begrenzt(SafeDiv(num, den), g));
}

}  // namespace

TDruckEnergiebilanz DruckEnergiebilanz(const TavState& g, const TTextTable& texte) {
  const auto& p = g.plant;
  ResultState res = g.results;  // the year sums go into the copy
  CalcYearSums(res);
  std::array<std::int32_t, 13> faktoren{};
  for (int m = 1; m <= 12; ++m) faktoren[Idx(m)] = static_cast<std::int32_t>(std::lround(p.WWMonatsfaktor[Idx(m)]));
  const bool F = AnyMonthNot100(faktoren);
  const int typ = p.AnlagenTypNr;
  const bool H = p.SolHeizung && typ != 2;

  TDruckEnergiebilanz t;
  t.Tab = p.SolHeizung ? std::vector<int>{52, 94, 136, 176, 217, 260, 300, 340}
                       : std::vector<int>{60, 110, 160, 217, 268, 322};
  TDruckZeile k1{0, {{-1, texte[TX::Monat]}}}, k2{1, {}}, k3{2, {}};
  int s = 0;
  auto spalte = [&](const std::string& a, const std::string& b, const char* einheit) {
    k1.Zellen.push_back({s, a});
    k2.Zellen.push_back({s, b});
    k3.Zellen.push_back({s, einheit});
    ++s;
  };
  spalte(texte[TX::TabSolarertrag_a], texte[TX::TabSolarertrag_b], "  [kWh]");
  if (p.SolHeizung && typ == 2) spalte(texte[TX::TabUeberschuss_a], texte[TX::TabUeberschuss_b], "  [kWh]");
  if (H) spalte(texte[TX::TabSolHeizen_a], texte[TX::TabSolHeizen_b], "  [kWh]");
  spalte(texte[TX::TabEinstrahlung_a], texte[TX::TabEinstrahlung_b], "  [kWh]");
  spalte(texte[TX::TabFremdenergie_a],
         texte[TX::TabFremdenergie_b] + (p.SolHeizung && typ >= 6 && typ <= 8 ? " **" : ""), "  [kWh]");
  if (F) spalte(texte[TX::TabTWWbedarf_a], texte[TX::TabTWWbedarf_b], "  [kWh]");
  if (!H) {
    spalte(texte[TX::TabDeckungsrate_a], texte[TX::TabDeckungsrate_b], "  [%]");
  } else {
    k1.Zellen.push_back({s, texte[TX::Deckungsrate]});
    spalte("", texte[TX::TabDeckungsrateWW_b], "  [%]");
    spalte("", texte[TX::TabDeckungsrateHz_b], "  [%]");
  }
  spalte(texte[TX::TabWirkungsgrad_a], texte[TX::TabWirkungsgrad_b], "  [%]");
  std::erase_if(k1.Zellen, [](const TDruckZelle& z) { return z.Text.empty(); });
  t.Tab.resize(static_cast<std::size_t>(s));
  t.Zeilen = {k1, k2, k3};

  for (int m = 1; m <= 13; ++m) {
    const double S = res.SolarertragMonat[Idx(m)], Hz = res.SolHeizenMonat[Idx(m)];
    const double Pw = res.PoolWaermeMonat[Idx(m)], I = res.KollEinstrahlungMonat[Idx(m)];
    const double D = res.WWBedarfMonat[Idx(m)] + res.VerlustMonat[Idx(m)];
    TDruckZeile z{2 + m, {{-1, texte.Monatsnamen[Idx(m)] + ":"}}};
    int c = 0;
    z.Zellen.push_back({c++, A(7, S / 1000.0), true});
    if (p.SolHeizung) z.Zellen.push_back({c++, A(7, Hz / 1000.0)});
    z.Zellen.push_back({c++, A(7, I / 1000.0)});
    z.Zellen.push_back({c++, A(7, res.NachheizungMonat[Idx(m)] / 1000.0)});
    if (F) z.Zellen.push_back({c++, A(7, D / 1000.0)});
    z.Zellen.push_back({c++, Prozent(5, p.SolHeizung ? S - Hz - Pw : S - Pw, D, AnteilGrenze::AbNull)});
    if (H) {
      // No heated share or no heating demand: no heating fraction, 0 as on the screen.
      const double anteil = res.HeizanteilMonat[Idx(m)], bedarf = p.Heizwaermebedarf * anteil;
      z.Zellen.push_back({c++, anteil < 0.002 || !Teilbar(bedarf) ? A(4, 0.0) : Prozent(4, Hz, bedarf, AnteilGrenze::Bruch)});
    }
    z.Zellen.push_back({c++, Prozent(5, S, I, AnteilGrenze::Keine)});
    t.Zeilen.push_back(std::move(z));
  }

  if (p.SolHeizung) {
    if (typ == 2 || typ == 3)
      t.Fussnote = "*: " + texte[TX::SolUeber] + " (" + texte[TX::Teil_d_SolErtrag] + ")";
    else if (typ >= 6 && typ <= 8)
      t.Fussnote = "*: " + texte[TX::Teil_d_SolErtrag] + "    **: " + texte[TX::NurFuerTWW];
  }
  t.SummenZeile = p.SolHeizung ? 18 : 17;
  if (p.Pool) {
    t.Summe = texte[TX::PoolkWhpera] + ": " +
              FloatToCommaStr(7, 0, static_cast<float>(res.PoolWaermeMonat[13] / 1000.0)) + " " +
              texte[TX::kWhproJahr];
  } else if (H) {
    const double den = res.WWBedarfMonat[13] + res.VerlustMonat[13] + p.Heizwaermebedarf * res.HeizanteilMonat[13];
    const double f = std::clamp(SafeDiv(res.SolarertragMonat[13], den), 0.0, 1.0);
    t.Summe = texte[TX::fsavTWWHz] + ": " +
              (Teilbar(den) ? FloatToPointStr(5, 1, static_cast<float>(100.0 * f)) + "%" : LeerFeld(5));
  }
  t.SpezText = texte[TX::SpezKollErtrag] + ": ";
  const double flaeche = p.KollektorFlaecheGesamt;
  t.SpezWert = Teilbar(flaeche)
                   ? FloatToPointStr(5, 0, static_cast<float>(res.SolarertragMonat[13] / (flaeche * 1000.0))) +
                         " kWh/" + texte[TX::m_2]
                   : LeerFeld(5);
  return t;
}

}  // namespace tav
