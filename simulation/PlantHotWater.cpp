// Hot-water plants (plant types 1 and 2): one solar store of two nodes from which hot water
// is drawn, with an auxiliary heater on the top node (AnlageTWW), a store followed by a
// flow-through heater (AnlageTWW4), or a store of unequal nodes with a flow-through heater
// (AnlageTWW3).
#include <algorithm>

#include "simulation/CollectorField.h"
#include "simulation/PlantCommon.h"
#include "simulation/StoreHelpers.h"

namespace tav {

void Speicher1Laden(SimContext& c, bool vonOben) {
  auto& s = c.s;
  const float qKoll = c.g.moment.QKoll;
  const float v = s.geo.SpKnotenVol1;
  float& oben = s.SpTemp[0];
  float& unten = s.SpTemp[1];
  if (vonOben && s.TKollAus > oben) {
    const float hub = s.TKollAus - unten;
    const float x = hub > 0.0f ? qKoll * s.frame.dt * 3.6f / (hub * 4.1868f) : v + 1.0f;
    if (x <= v) {
      const float altOben = oben;
      oben = PlugFlow(oben, s.TKollAus, x, v);
      unten = PlugFlow(unten, altOben, x, v);
      return;
    }
  }
  UntenLaden(c, unten, oben, v, qKoll);
}

namespace {

// The hot-water store's loading; books the collector power as the step's yield.
void SpeicherLaden(SimContext& c) {
  c.s.QSolar = c.g.moment.QKoll;
  Speicher1Laden(c, c.g.plant.BivSpTyp == 2);
}

}  // namespace

void PoolLaden(SimContext& c) {
  auto& s = c.s;
  float& qKoll = c.g.moment.QKoll;
  s.frame.QKollGemerkt = qKoll;
  const float leitwert = s.PoolWTdT > 0.0f ? s.PoolWTLeistung / s.PoolWTdT : 0.0f;
  for (int k = 0; k < 4; ++k) {
    c.g.moment.RuecklaufTemp = c.g.plant.PoolTemp + (leitwert > 0.0f ? qKoll / leitwert : 0.0f);
    CalcKollektorfeld(c);
  }
  if (qKoll > 0.0f) {
    s.QSolar = qKoll;
    s.QPool = qKoll * s.frame.dt;
  }
}

float VerlustUndZapfung(SimContext& c, float umgebung, bool durchlauferhitzer) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float v = s.geo.SpKnotenVol1;
  float& oben = s.SpTemp[0];
  float& unten = s.SpTemp[1];
  BucheVerlust(s, SpeicherVerlust(oben, unten, umgebung, s.SpVerlustKA1, v), true);
  s.QWW = ZapfEnergie(c);
  const float tZapf = durchlauferhitzer && oben <= p.Minimaltemp ? p.Warmwassertemp : oben;
  const float m = ZapfVolumen(c, s.QWW, tZapf);
  PruefeDurchfluss(c, m, v);
  ZapfPfropfen(c, oben, unten, m, v);
  return m;
}

void AnlageTWW(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const float v = s.geo.SpKnotenVol1;
  float& oben = s.SpTemp[0];
  float& unten = s.SpTemp[1];

  VerlustUndZapfung(c, f.TRaum, false);

  f.QKollGemerkt = qKoll;
  if (s.Einstrahlung1 > 0.0f) {
    if (s.PoolSaison) {
      if (qKoll > 0.0f && unten < p.PoolSpminTemp) {
        SpeicherLaden(c);
      } else {
        PoolLaden(c);
      }
    } else if (!(p.SolHeizung && s.Heiztag)) {
      if (qKoll > 0.0f && oben < p.Maximaltemp) SpeicherLaden(c);
    } else if (qKoll > 0.0f) {
      if (oben < p.MaxTempWinter) {
        SpeicherLaden(c);
      } else {
        s.QSolHeiz = qKoll * f.dt;
        s.QSolar = qKoll;
      }
    }
  }

  SetKollTemp(c, s.QSolar);
  CalcRuecklaufTemp(c, f.QKollGemerkt, unten);
  NachheizungOben(c, oben, v);
  if (p.AntiLegionella) AntiLegionellaHeizung(c, oben, unten, v, unten);
}

void AnlageTWW4(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const float v = s.geo.SpKnotenVol1;
  float& oben = s.SpTemp[0];
  float& unten = s.SpTemp[1];
  // This store stands outdoors.
  const float m = VerlustUndZapfung(c, c.g.moment.AussenTemp, true);

  if (qKoll > 0.0f && unten <= p.Maximaltemp) {
    UntenLaden(c, unten, oben, v, qKoll);
    s.QSolar = qKoll;
  }

  SetKollTemp(c, s.QSolar);
  CalcRuecklaufTemp(c, qKoll, unten);

  if (oben >= p.Minimaltemp) {
    s.SpTemp[2] = oben - 0.5f;
    s.QNachheiz = 0.0f;
  } else {
    s.SpTemp[2] = p.Warmwassertemp;
    s.QNachheiz = (p.Warmwassertemp - oben) * std::min(m, v) * kCWasser;
  }
  s.SpTemp[3] = s.SpTemp[2];
}

void AnlageTWW3(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const float vo = s.geo.SpObenVol;
  const float vu = s.geo.SpUntenVol;
  const float kw = p.Kaltwassertemp;
  float& oben = s.SpTemp[0];
  float& unten = s.SpTemp[1];

  // Each node loses in proportion to its share of the volume.
  const float ka = s.geo.SpFlaeche1 * p.SpeicherkWert * f.dt;
  BucheVerlust(s,
               KnotenVerlust(oben, f.TRaum, ka * 60.0f / 160.0f, vo) +
                   KnotenVerlust(unten, f.TRaum, ka * 100.0f / 160.0f, vu),
               true);
  s.QNachheiz = 0.0f;

  s.QWW = ZapfEnergie(c);
  if (s.QWW > 0.0f) {
    const float m = ZapfVolumen(c, s.QWW, oben);
    const float altOben = oben, altUnten = unten;
    auto pfropfen = [&](float x) {
      oben = PlugFlow(oben, unten, x, vo);
      unten = PlugFlow(unten, kw, x, vu);
    };
    auto ausSpeicher = [&] { return vo * kCWasser * (altOben - oben) + vu * kCWasser * (altUnten - unten); };
    float qs = 0.0f;
    if (unten < p.Minimaltemp) {
      // A top at or below the minimum has nothing to give; the heater serves the whole draw.
      if (oben > p.Minimaltemp) {
        const float mMax = (oben - p.Minimaltemp) * vo / (oben - unten);
        if (m < mMax) {
          pfropfen(m);
          qs = s.QWW;
        } else {
          oben = p.Minimaltemp;
          unten = PlugFlow(unten, kw, mMax, vu);
          qs = ausSpeicher();
        }
      }
    } else if (m < vo) {
      pfropfen(m);
      qs = s.QWW;
    } else {
      oben = altUnten;
      unten = PlugFlow(unten, kw, vo, vu);
      qs = ausSpeicher();
    }
    const float rest = s.QWW - qs;
    if (rest > 0.0f) {
      const float m2 = ZapfVolumen(c, rest, p.Warmwassertemp);
      PruefeDurchfluss(c, m2, vu);
      // Water above the set temperature needs no heater energy.
      s.QNachheiz = std::max(0.0f, (p.Warmwassertemp - unten) * std::min(m2, vu) * kCWasser);
      unten = PlugFlow(unten, kw, m2, vu);
    }
  }

  f.QKollGemerkt = qKoll;
  if (qKoll > 0.0f && oben < p.Maximaltemp) {
    unten += qKoll * f.dt / (kCWasser * vu);
    MischKnotenVol(unten, oben, vu, vo, 5.0f);
    s.QSolar = qKoll;
  }

  SetKollTemp(c, s.QSolar);
  CalcRuecklaufTemp(c, f.QKollGemerkt, unten);

  if (oben <= p.Minimaltemp) {
    s.QNachheiz += (p.Warmwassertemp - oben) * vo * kCWasser;
    oben = p.Warmwassertemp;
  }
}

}  // namespace tav
