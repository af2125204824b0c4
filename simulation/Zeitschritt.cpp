#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "simulation/CollectorField.h"
#include "simulation/PlantCommon.h"
#include "simulation/SolarPhysics.h"
#include "simulation/StoreHelpers.h"

namespace tav {

AnlagenModell ModellFuer(const PlantState& p) {
  switch (p.AnlagenTypNr) {
    case 1:
    case 2:
      if (p.BivSpTyp == 4) return AnlageTWW4;
      if (p.BivSpTyp == 3) return AnlageTWW3;
      return AnlageTWW;
    case 3:
      return AnlageZweitVerbraucher;
    case 4:
      return AnlageZweiSpeicher;
    case 5:
      return AnlageKaskade;
    case 6:
      if (p.KombiSpTyp == 7) return AnlageKombi7;
      if (p.KombiSpTyp == 9) return AnlageKombi9;
      if (p.KombiSpTyp == 12) return AnlageKombi12;
      return AnlageKombi;
    case 7:
      return AnlageTWWPuffer;
    case 8:
      return AnlagePufferFWE;
    default:
      return nullptr;
  }
}

void Zeitschritt(SimContext& c, float dt) {
  auto& s = c.s;
  auto& f = s.frame;
  f.dt = dt;
  f.TRaum = c.g.moment.RaumTemp;
  s.QSolHeiz = s.QWW = s.QPool = s.QSolar = 0.0f;
  f.QKollGemerkt = 0.0f;
  s.TKoll1 = s.TKoll2 = c.g.moment.AussenTemp;
  f.MischSchwelle = 10.0f;
  if (const AnlagenModell modell = ModellFuer(c.g.plant)) modell(c);
  if (c.g.plant.OstWestKollektor && s.QSolar == 0.0f && c.g.moment.QKoll > 0.0f) {
    s.QKoll1 = 0.0f;
    s.QKoll2 = 0.0f;
  }
  // Only plants with a second store have one to watch; single-store models keep other
  // values (the tap temperature) in that slot.
  if (c.g.plant.AnlagenTypNr >= 4 && s.SpTemp[2] > 120.0f && !s.Abbruch) {
    ShowMessageLines("Speicher 2 ist auf " + FloatToPointStr(2, 0, s.SpTemp[2]) + "°C");
    s.AbbruchAnfrage = true;
  }
}

float KnotenVerlust(float& t, float tUmgebung, float ka, float volumen) {
  if (volumen <= 0.0f) return 0.0f;
  // A node cannot lose more than brings it to the surrounding temperature in one step; this
  // keeps very large loss coefficients from making the node oscillate.
  const float anteil = std::clamp(ka / (volumen * kCWasser), 0.0f, 1.0f);
  const float abfall = (t - tUmgebung) * anteil;
  t -= abfall;
  return abfall * volumen * kCWasser;
}

float SpeicherVerlust(float& oben, float& unten, float tUmgebung, float ka, float v) {
  return KnotenVerlust(oben, tUmgebung, ka, v) + KnotenVerlust(unten, tUmgebung, ka, v);
}

void BucheVerlust(SimState& s, float verlust, bool speicher1) {
  s.QVerlust = verlust;
  s.QVerlustSumme += verlust;
  if (speicher1) s.QVerlustSumme2 += verlust;
}

float ZapfEnergie(const SimContext& c) {
  const auto& p = c.g.plant;
  const int h = std::clamp(static_cast<int>(std::trunc(c.g.moment.Tageszeit)), 0, 24);
  return static_cast<float>(p.AktZapfprofil[static_cast<std::size_t>(h)]) * c.s.WWTagesEnergie / 100.0f *
         c.s.frame.dt;
}

float ZapfVolumen(const SimContext& c, float qww, float tOben) {
  if (qww <= 0.0f) return 0.0f;
  const auto& p = c.g.plant;
  float dT = tOben - p.Kaltwassertemp;
  if (dT < 0.1f) dT = p.Warmwassertemp - p.Kaltwassertemp;
  return dT >= 0.1f ? qww / (dT * kCWasser) : 0.0f;
}

void PruefeDurchfluss(SimContext& c, float m, float volumen) {
  if (m > 0.9f * volumen && !c.s.Abbruch) {
    // One warning per stop: a second draw in the same step only repeats the request.
    if (!c.s.AbbruchAnfrage) ZeigeDurchflussWarnung(c);
    c.s.AbbruchAnfrage = true;
  }
}

void ZapfPfropfen(SimContext& c, float& oben, float& unten, float m, float v) {
  oben = PlugFlow(oben, unten, m, v);
  unten = PlugFlow(unten, c.g.plant.Kaltwassertemp, m, v);
}

void UntenLaden(SimContext& c, float& unten, float& oben, float v, float q) {
  unten += q * c.s.frame.dt / (kCWasser * v);
  MischKnoten(unten, oben, c.s.frame.MischSchwelle);
}

void NachheizungOben(SimContext& c, float& oben, float v) {
  const auto& p = c.g.plant;
  if (oben < p.Minimaltemp) {
    c.s.QNachheiz = (p.Warmwassertemp - oben) * v * kCWasser;
    oben = p.Warmwassertemp;
  } else {
    c.s.QNachheiz = 0.0f;
  }
}

void AntiLegionellaHeizung(SimContext& c, float& oben, float& unten, float v, const float& geprueft) {
  auto& s = c.s;
  const float t = c.g.moment.Tageszeit;
  if (s.LegioZaehler > 20.0f && s.QWW < 1e-7f && t > 1.0f && t < 4.0f) {
    if (oben < 70.0f) {
      // Added to the heater's energy of this step, so no heat goes unbooked.
      s.QNachheiz += (70.0f - oben) * v * kCWasser;
      oben = 70.0f;
    }
    const float altOben = oben;
    oben = PlugFlow(oben, unten, s.geo.SpMischVol, v);
    unten = PlugFlow(unten, altOben * 0.99f, s.geo.SpMischVol, v);
  }
  s.LegioZaehler = geprueft > 60.0f ? 0.0f : s.LegioZaehler + s.frame.dt;
}

namespace {
// Collector inlet behind the store exchanger that passes q onto the node t; false (rueck
// untouched) when the field, the exchanger or the flow is missing.
bool TauscherRuecklauf(const PlantState& p, float q, float t, float& rueck) {
  if (!(p.KollektorFlaecheGesamt > 0.0f && p.Speichertauscherleistung > 0.0f && p.KollektorFlow > 0.0f)) return false;
  rueck = t + q / p.KollektorFlaecheGesamt * (1.0f / p.Speichertauscherleistung - 1.8f / (3.8f * p.KollektorFlow));
  return true;
}
}  // namespace

void CalcRuecklaufTemp(SimContext& c, float q, float t) {
  float& rueck = c.g.moment.RuecklaufTemp;
  if (!(c.g.moment.QKoll > 0.0f && TauscherRuecklauf(c.g.plant, q, t, rueck))) rueck = t + 5.0f;
}

void SpeicherTauscherPaesse(SimContext& c, float t, int paesse) {
  float& rueck = c.g.moment.RuecklaufTemp;
  for (int k = 0; k < paesse; ++k) {
    if (!TauscherRuecklauf(c.g.plant, c.g.moment.QKoll, t, rueck)) rueck = t;
    CalcKollektorfeld(c);
  }
}

void SetKollTemp(SimContext& c, float qSolar) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  auto stillstand = [&](float einstrahlung, float flaeche) {
    const float g = flaeche > 0.0f ? einstrahlung / flaeche : 0.0f;
    return CalcStillstandTemp(p.KollEta0, p.KollK1, p.KollK2, g, c.g.moment.AussenTemp);
  };
  if (!p.OstWestKollektor) {
    s.TKoll1 = qSolar <= 0.0f ? stillstand(s.EinstrWirksam1, p.KollektorFlaeche) : s.TKollAus;
    return;
  }
  if (qSolar <= 0.0f) {
    s.TKoll1 = stillstand(s.EinstrWirksam1, p.KollektorFlaeche);
    s.TKoll2 = stillstand(s.EinstrWirksam2, p.KollektorFlaeche2);
  } else if (s.KollFeld == 1) {
    s.TKoll1 = s.TKollAus;
    s.TKoll2 = s.QKoll2 <= 0.0f ? stillstand(s.EinstrWirksam2, p.KollektorFlaeche2) : s.TKollAus;
  } else {
    s.TKoll2 = s.TKollAus;
    s.TKoll1 = s.QKoll1 <= 0.0f ? stillstand(s.EinstrWirksam1, p.KollektorFlaeche) : s.TKollAus;
  }
}

void CheckLowFlow(SimContext& c, float m, float v) {
  if (m > 0.8f * v && !c.s.Abbruch) {
    auto& zoom = c.g.plant.ZeitZoom;
    const auto alt = zoom;
    if (zoom < 10) {
      zoom = 10;
    } else if (zoom < 15) {
      ++zoom;
    }
    std::string text = T(TX::LowFlowUeberschritten);
    // The finer step is the project's from now on: saved with it, and the user told so.
    if (zoom != alt) {
      c.g.run.ProjektGeaendert = true;
      text += "|" + TextMit(TX::ZeitZoomErhoeht, {std::to_string(alt), std::to_string(zoom)});
    }
    ShowMessageLines(text);
    c.s.AbbruchAnfrage = true;
  }
}

namespace {
// A flow warning: the warning window holds the advice lines while the message is open; the
// message carries them too, so a run without windows loses nothing.
void ZeigeWarnung(SimContext& c, const std::string& hinweise, const std::string& frage) {
  c.obs.ZeigeInfo(hinweise);
  ShowMessageLines(hinweise + "||" + frage);
  c.obs.VerbergeInfo();
}
}  // namespace

void ZeigeDurchflussWarnung(SimContext& c) {
  ZeigeWarnung(c,
               " Der Wasserdurchfluss eines Zeitschrittes| ist größer als das entsprechende Speichervolumen|"
               " Mögliche Abhilfe:| - Speicher vergrößern| - Nachheiztemperatur anheben|"
               " - Rechenschritt verkürzen (ZeitZoom)",
               "Speichervolumen? Verbrauch? Nachheiztemp.? ZeitZoom?");
}

void ZeigeHeizDurchflussWarnung(SimContext& c, float dt) {
  // The heating circuit draws its water in sub-steps of a tenth of the step, and the check
  // compares the flow of one of them: that span is the one named.
  const float minuten = dt / static_cast<float>(kHeizTeilschritte) * 60.0f;
  std::string text = " Der Heizwasserdurchfluss innerhalb " + FloatToPointStr(1, 0, minuten) +
                     " min| ist größer als das entsprechende Pufferspeichervolumen| Mögliche Abhilfe:|"
                     " - Speicher vergrößern";
  if (c.g.plant.ZeitZoom < 15) text += "| - Rechenschritt verkürzen (ZeitZoom)";
  ZeigeWarnung(c, text, "Pufferspeichervolumen? ZeitZoom?");
  c.s.AbbruchAnfrage = true;
}

}  // namespace tav
