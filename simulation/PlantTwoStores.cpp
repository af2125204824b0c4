// Second-consumer, two-store and cascade plants (plant types 3, 4 and 5).
#include <algorithm>
#include <cmath>

#include "simulation/CollectorField.h"
#include "simulation/PlantCommon.h"
#include "simulation/StoreHelpers.h"

namespace tav {

namespace {

// Passes of the second-consumer iteration; the collector power settles within a few.
constexpr int kZweitVerbraucherPaesse = 50;
// Pipe factor of the transfers between the two stores.
constexpr float kRohrFaktor = 0.98f;

// Circulation of SpMischVol through both stores: top1 <- bottom1 <- top2, top2 <- bottom2 <-
// old top1, with the pipe factor on the two transfers between the stores.
void UmwaelzungZweiSpeicher(SimState& s, float v1, float v2) {
  auto& t = s.SpTemp;
  const float vm = s.geo.SpMischVol;
  const float altOben = t[0];
  t[0] = PlugFlow(t[0], t[1], vm, v1);
  t[1] = PlugFlow(t[1], t[2] * kRohrFaktor, vm, v1);
  t[2] = PlugFlow(t[2], t[3], vm, v2);
  t[3] = PlugFlow(t[3], altOben * kRohrFaktor, vm, v2);
}

// Heats both nodes of store 1 that are below ziel to ziel; returns the heat.
float HeizeSpeicher1(SimState& s, float ziel, float v1) {
  float q = 0.0f;
  for (int k = 0; k < 2; ++k) {
    float& t = s.SpTemp[static_cast<std::size_t>(k)];
    if (t < ziel) {
      q += (ziel - t) * v1 * kCWasser;
      t = ziel;
    }
  }
  return q;
}

// Anti-legionella of the two-store plants: store 1 to 70 °C (only its nodes below it), the
// circulation between the stores, the mean rule on store 2. The counter follows bottom2.
void LegionellaZweiSpeicher(SimContext& c, float v1, float v2, bool beideKnoten) {
  auto& s = c.s;
  auto& t = s.SpTemp;
  const float zeit = c.g.moment.Tageszeit;
  if (s.LegioZaehler > 20.0f && s.QWW < 1e-7f && zeit > 1.0f && zeit < 4.0f) {
    if (t[0] < 70.0f) {
      if (beideKnoten) {
        s.QNachheiz += HeizeSpeicher1(s, 70.0f, v1);
      } else {
        // Added to the heater's energy of the step, so no heat goes unbooked.
        s.QNachheiz += (70.0f - t[0]) * v1 * kCWasser;
        t[0] = 70.0f;
      }
    }
    UmwaelzungZweiSpeicher(s, v1, v2);
    MischKnoten(t[3], t[2], 0.0f);
  }
  s.LegioZaehler = t[3] > 60.0f ? 0.0f : s.LegioZaehler + s.frame.dt;
}

void PruefeDurchflussZweiSpeicher(SimContext& c, float m, float v1, float v2) {
  PruefeDurchfluss(c, m, std::min(v1, v2));
}

}  // namespace

void AnlageZweitVerbraucher(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  float& qKoll = c.g.moment.QKoll;
  const float v = s.geo.SpKnotenVol1;
  float& oben = s.SpTemp[0];
  float& unten = s.SpTemp[1];

  VerlustUndZapfung(c, f.TRaum, false);

  f.QKollGemerkt = qKoll;
  if (s.Einstrahlung1 > 0.0f) {
    const float t8 = s.LuftTemp8;
    if (qKoll > 0.0f && ((unten < p.Maximaltemp && t8 > p.Heizgrenztemp) || unten < p.MaxTempWinter)) {
      UntenLaden(c, unten, oben, v, qKoll);
      s.QSolar = qKoll;
    } else if (t8 < p.Heizgrenztemp) {
      // The second consumer takes the collector heat; its exchanger sets the inlet.
      const float leitwert = p.HeiztauscherDeltaT > 0.0f ? p.Heiztauscherleistung / p.HeiztauscherDeltaT : 0.0f;
      const float a = std::max(p.KollektorFlaecheGesamt, 1e-6f);
      qKoll = 0.0f;
      for (int k = 0; k < kZweitVerbraucherPaesse; ++k) {
        const float alt = qKoll;
        c.g.moment.RuecklaufTemp = p.Heiztemp + (leitwert > 0.0f ? qKoll / leitwert : 0.0f);
        CalcKollektorfeld(c);
        if (std::fabs(qKoll - alt) / a < 1.0f || qKoll == 0.0f) break;
      }
      if (qKoll > 0.0f) {
        s.QSolar = qKoll;
        s.QSolHeiz = qKoll * f.dt;
      }
    }
  }

  SetKollTemp(c, s.QSolar);
  NachheizungOben(c, oben, v);
  CalcRuecklaufTemp(c, f.QKollGemerkt, unten);
}

void AnlageZweiSpeicher(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  float& qKoll = c.g.moment.QKoll;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2;
  auto& t = s.SpTemp;

  BucheVerlust(s, SpeicherVerlust(t[0], t[1], f.TRaum, s.SpVerlustKA1, v1), true);
  BucheVerlust(s, SpeicherVerlust(t[2], t[3], f.TRaum, s.SpVerlustKA2, v2), false);

  s.QWW = ZapfEnergie(c);
  const float m = ZapfVolumen(c, s.QWW, t[0]);
  PruefeDurchflussZweiSpeicher(c, m, v1, v2);
  t[0] = PlugFlow(t[0], t[1], m, v1);
  t[1] = PlugFlow(t[1], t[2], m, v1);
  t[2] = PlugFlow(t[2], t[3], m, v2);
  t[3] = PlugFlow(t[3], p.Kaltwassertemp, m, v2);

  f.QKollGemerkt = qKoll;
  bool speicher2 = false;
  if (s.Einstrahlung1 > 0.0f) {
    if (qKoll > 0.0f && t[1] <= p.Maximaltemp) {
      UntenLaden(c, t[1], t[0], v1, qKoll);
      s.QSolar = qKoll;
    } else if (t[3] <= p.Maximaltemp2) {
      SpeicherTauscherPaesse(c, t[3], 3);
      if (qKoll > 0.0f) {
        UntenLaden(c, t[3], t[2], v2, qKoll);
        s.QSolar = qKoll;
        speicher2 = true;
      }
    }
  }

  SetKollTemp(c, s.QSolar);
  // The next inlet follows the store the collector loaded.
  CalcRuecklaufTemp(c, f.QKollGemerkt, speicher2 ? t[3] : t[1]);
  NachheizungOben(c, t[0], v1);
  if (p.AntiLegionella) LegionellaZweiSpeicher(c, v1, v2, false);
}

void AnlageKaskade(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const bool speicher1 = p.KaskadeTyp == 13;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2;
  const float kw = p.Kaltwassertemp, ww = p.Warmwassertemp;
  auto& t = s.SpTemp;

  if (speicher1) BucheVerlust(s, SpeicherVerlust(t[0], t[1], f.TRaum, s.SpVerlustKA1, v1), true);
  BucheVerlust(s, SpeicherVerlust(t[2], t[3], f.TRaum, s.SpVerlustKA2, v2), true);

  s.QWW = ZapfEnergie(c);
  const float tZapf = speicher1 ? t[0] : (t[2] <= p.Minimaltemp ? ww : t[2]);
  const float m = ZapfVolumen(c, s.QWW, tZapf);
  PruefeDurchflussZweiSpeicher(c, m, speicher1 ? v1 : v2, v2);
  if (speicher1) {
    t[0] = PlugFlow(t[0], t[1], m, v1);
    t[1] = PlugFlow(t[1], t[2] * kRohrFaktor, m, v1);
  }
  t[2] = PlugFlow(t[2], t[3], m, v2);
  t[3] = PlugFlow(t[3], kw, m, v2);

  if (qKoll > 0.0f && t[3] <= p.Maximaltemp) {
    UntenLaden(c, t[3], t[2], v2, qKoll);
    if (speicher1 && t[0] + 10.0f < t[2]) UmwaelzungZweiSpeicher(s, v1, v2);
    s.QSolar = qKoll;
  }

  SetKollTemp(c, s.QSolar);
  CalcRuecklaufTemp(c, qKoll, t[3]);

  if (!speicher1) {
    // The flow-through heater: store 1's two values carry the tap temperature.
    if (t[2] < p.Minimaltemp) {
      t[0] = ww;
      s.QNachheiz = std::max(0.0f, (ww - t[2]) * std::min(m, v2) * kCWasser);
    } else {
      t[0] = t[2] - 0.5f;
      s.QNachheiz = 0.0f;
    }
    t[1] = t[0];
    // Without store 1 there is nothing to heat for anti-legionella.
    return;
  }
  s.QNachheiz = t[0] < p.Minimaltemp ? HeizeSpeicher1(s, ww, v1) : 0.0f;
  if (p.AntiLegionella) LegionellaZweiSpeicher(c, v1, v2, true);
}

}  // namespace tav
