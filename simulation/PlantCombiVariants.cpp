// Combi-store variants of plant type 6: tank in tank with unequal nodes (Kombi 7), inner
// cylinder (Kombi 9) and the six-node store loaded through an immersed solar coil, with the
// drinking water in six nodes of its own (Kombi 12).
#include <algorithm>

#include "simulation/PlantCommon.h"
#include "simulation/StoreHelpers.h"

namespace tav {

namespace {

// Losses, space heating and auxiliary heater of store 1 with unequal nodes (Kombi 7 and 9).
void UngleicheKnotenSpeicher1(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float vo = s.geo.SpObenVol, vu = s.geo.SpUntenVol;
  auto& t = s.SpTemp;
  s.QNachheiz = 0.0f;
  s.QHeizBedarf = 0.0f;
  BucheVerlust(s,
               KnotenVerlust(t[0], s.frame.TRaum, s.SpVerlustKA1, vo) +
                   KnotenVerlust(t[1], s.frame.TRaum, s.SpVerlustKA1, vu),
               true);
  if (p.HeizkreisTyp == 1 || p.HeizkreisTyp == 2) s.QSolHeiz -= s.QVerlust;
  KombiHeizen(c, {t[0], t[1], vo, vu}, true);
  if (t[0] < p.Minimaltemp) {
    s.QNachheiz += (p.Warmwassertemp - t[0]) * vo * kCWasser;
    t[0] = p.Warmwassertemp;
  }
}

// Whether the collector loads the store this step (test node unten); in the pool season the
// pool loop takes the heat otherwise.
bool VarianteLaedt(SimContext& c, float unten) {
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  return qKoll > 0.0f && unten < (c.s.PoolSaison ? p.PoolSpminTemp : p.Maximaltemp);
}

void Kombi7Laden(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const float qKoll = c.g.moment.QKoll;
  const float vo = s.geo.Sp2ObenVol, vu = s.geo.Sp2UntenVol;
  float& oben = s.SpTemp[2];
  float& unten = s.SpTemp[3];
  if (s.TKollAus > oben) {
    const float hub = s.TKollAus - unten;
    const float x = hub > 0.0f ? qKoll * f.dt * 3.6f / (hub * 4.1868f) : vo + vu;
    if (x <= std::min(vo, vu)) {
      const float altOben = oben;
      oben = PlugFlow(oben, s.TKollAus, x, vo);
      unten = PlugFlow(unten, altOben, x, vu);
      return;
    }
  }
  unten += qKoll * f.dt / (kCWasser * vu);
  MischKnotenVol(unten, oben, vu, vo, 1.0f);
}

// Solar part of Kombi 7 and 9: laden loads the store when VarianteLaedt allows, otherwise the
// pool loop may take the heat; then the solar-circuit step. True when the store was loaded.
bool VarianteSolar(SimContext& c, void (*laden)(SimContext&)) {
  auto& s = c.s;
  const float qKoll = c.g.moment.QKoll;
  s.frame.QKollGemerkt = qKoll;
  bool geladen = false;
  if (s.Einstrahlung1 > 0.0f) {
    if (VarianteLaedt(c, s.SpTemp[1])) {
      laden(c);
      s.QSolar = qKoll;
      SolarHeizAnteil(c);
      geladen = true;
    } else if (s.PoolSaison) {
      PoolLaden(c);
    }
  }
  SetKollTemp(c, s.QSolar);
  return geladen;
}

// Hot-water energy of the step and the volume it draws from the top of store 2 (flow check
// against the upper node).
float ZapfMengeSpeicher2(SimContext& c) {
  auto& s = c.s;
  s.QWW = ZapfEnergie(c);
  const float m = ZapfVolumen(c, s.QWW, s.SpTemp[2]);
  PruefeDurchfluss(c, m, s.geo.Sp2ObenVol);
  return m;
}

// --- Kombi 12 ------------------------------------------------------------------------------

struct Knoten12 {
  SimState& s;
  float& T(int i) { return s.SpTemp[static_cast<std::size_t>(i)]; }
  float V(int i) const { return s.geo.SpKnotenVolN[static_cast<std::size_t>(i)]; }
  // Node i takes m of the water of node i - 1 (or of tZu).
  void Zufluss(int i, float tZu, float m) { T(i) = PlugFlow(T(i), tZu, m, V(i)); }
};

// One coil pass through a node: the fluid gives heat to a colder node only (a controller stops
// the pump rather than cool the store), at most 95 % of what brings it to the node temperature.
void KoilKnoten(float& knoten, float& fluid, float& summe, float dt, float leistung, float flaeche, float flow,
                float volumen) {
  const float dT = fluid - knoten;
  const float cf = flaeche * flow * 3.8f / 3.6f;
  if (!(dT > 0.0f) || !(cf > 0.0f) || !(volumen > 0.0f)) return;
  float q = flaeche * leistung * dT;
  const float qMax = cf * dT;
  if (q > qMax) q = 0.95f * qMax;
  summe += q;
  knoten += q * dt / (kCWasser * volumen);
  fluid -= q / cf;
}

void KoilLaden(SimContext& c, Knoten12& n) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  s.QSolar = 0.0f;
  float fluid = s.TKollAus;
  auto pass = [&](int i) {
    KoilKnoten(n.T(i), fluid, s.QSolar, s.frame.dt, p.Speichertauscherleistung / 2.0f, p.KollektorFlaecheGesamt,
               p.KollektorFlow, n.V(i));
  };
  if (fluid > n.T(4)) {
    for (int i = 4; i >= 2; --i) pass(i);
  }
  pass(1);
  pass(0);
  c.g.moment.RuecklaufTemp = fluid;
  for (int i = 1; i <= 5; ++i) MischKnoten(n.T(i - 1), n.T(i), s.frame.MischSchwelle);
}

// The heater circulates water from node 3, heats it to tZiel and returns it to the top of the
// chain 4 (or 4..5); one tenth of its rating per pass. Returns the heat it gave.
float NachheizUmlauf(Knoten12& n, float tZiel, int oberster, float qZehntel) {
  const float hub = tZiel - n.T(3);
  if (!(hub > 0.0f) || !(qZehntel > 0.0f)) return 0.0f;
  float mA = qZehntel / (hub * kCWasser);
  for (int i = 3; i <= oberster; ++i) mA = std::min(mA, n.V(i));
  for (int i = 3; i < oberster; ++i) n.Zufluss(i, n.T(i + 1), mA);
  n.Zufluss(oberster, tZiel, mA);
  return mA * hub * kCWasser;
}

void Kombi12Heizen(SimContext& c, Knoten12& n) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (!(p.HeizQnorm > 0.0f && s.Heiztag)) return;
  HeizkurveDesSchritts(c);
  const int hk = p.HeizkreisTyp;
  // Other circuit types are refused before the run.
  if (hk != 1 && hk != 2 && hk != 5) return;
  const float qZehntel = s.geo.NachheizLeistung * s.frame.dt / kHeizTeilschritte;
  const float spreizung = s.THeizVor - s.THeizRueck;
  const float tr = s.THeizRueck;
  for (int k = 0; k < kHeizTeilschritte; ++k) {
    if (n.T(4) < s.THeizVor) s.QNachheiz += NachheizUmlauf(n, s.THeizVor + 5.0f, 4, qZehntel);
    const float mH = spreizung > 0.0f ? s.QHeizBedarf / kHeizTeilschritte / (spreizung * kCWasser) : 0.0f;
    if (HeizDurchflussZuGross(c, mH, n.V(4))) return;
    if (!(s.QHeizLeistung > 0.0f)) continue;
    if (hk != 5) {
      if (n.T(1) > tr) {
        for (int i = 4; i >= 2; --i) n.Zufluss(i, n.T(i - 1), mH);
        n.Zufluss(1, tr, mH);
      } else {
        n.Zufluss(4, n.T(3), mH);
        n.Zufluss(3, tr, mH);
      }
    } else if (n.T(1) > s.THeizVor) {
      // Node 1 alone is warm enough to feed the circuit.
      const float dT = n.T(1) - tr;
      n.Zufluss(1, tr, dT > 0.0f ? s.QHeizBedarf / kHeizTeilschritte / (dT * kCWasser) : 0.0f);
    } else {
      // Water from node 4 is mixed in to reach the flow temperature; a top no warmer than
      // node 1 has nothing to add.
      const float hub = n.T(4) - n.T(1);
      const float mX = hub > 0.0f ? std::clamp((s.THeizVor - n.T(1)) * mH / hub, 0.0f, mH) : 0.0f;
      for (int i = 4; i >= 2; --i) n.Zufluss(i, n.T(i - 1), mX);
      n.Zufluss(1, tr, mH);
      MischKnoten(n.T(0), n.T(1), s.frame.MischSchwelle);
    }
  }
}

}  // namespace

void AnlageKombi7(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const auto& geo = s.geo;
  auto& t = s.SpTemp;

  UngleicheKnotenSpeicher1(c);
  // The bottom exchange grows with the collector power that loaded store 2.
  float faktorUnten = 3.0f;
  if (VarianteSolar(c, Kombi7Laden) && p.KollektorFlaecheGesamt > 0.0f) {
    faktorUnten = 3.0f + (qKoll / p.KollektorFlaecheGesamt) / 90.0f;
  }

  const float m = ZapfMengeSpeicher2(c);
  t[2] = PlugFlow(t[2], t[3], m, geo.Sp2ObenVol);
  t[3] = PlugFlow(t[3], p.Kaltwassertemp, m, geo.Sp2UntenVol);
  CalcWTSpirale(t[0], t[2], geo.SpObenVol, geo.Sp2ObenVol, 2.5f * geo.WTFlaecheOben, s.frame.dt);
  CalcWTSpirale(t[1], t[3], geo.SpUntenVol, geo.Sp2UntenVol, faktorUnten * geo.WTFlaecheUnten, s.frame.dt);

  CalcRuecklaufTemp(c, s.frame.QKollGemerkt, t[3]);
}

void AnlageKombi9(SimContext& c) {
  auto& s = c.s;
  const auto& geo = s.geo;
  const float kw = c.g.plant.Kaltwassertemp;
  auto& t = s.SpTemp;

  UngleicheKnotenSpeicher1(c);
  VarianteSolar(c, [](SimContext& k) {
    auto& sk = k.s;
    sk.SpTemp[1] += k.g.moment.QKoll * sk.frame.dt / (kCWasser * sk.geo.SpUntenVol);
    MischKnotenVol(sk.SpTemp[1], sk.SpTemp[0], sk.geo.SpUntenVol, sk.geo.SpObenVol, 2.0f);
  });

  const float m = ZapfMengeSpeicher2(c);
  const float vo = geo.Sp2ObenVol, vu = geo.Sp2UntenVol;
  if (m < 0.9f * vu) {
    t[2] = PlugFlow(t[2], t[3], m, vo);
    t[3] = PlugFlow(t[3], kw, m, vu);
  } else {
    // The small lower node passes on what it can; the rest of the draw enters the top node as
    // cold water.
    const float u = 0.9f * vu;
    const float altUnten = t[3];
    t[2] = PlugFlow(t[2], altUnten, u, vo);
    t[2] = PlugFlow(t[2], kw, m - u, vo);
    t[3] = PlugFlow(altUnten, kw, u, vu);
  }
  CalcWTSpirale(t[1], t[3], geo.SpUntenVol, vu, geo.WTFlaecheUnten, s.frame.dt);
  CalcWTSpirale(t[0], t[2], geo.SpObenVol, vo, geo.WTFlaecheOben, s.frame.dt);

  CalcRuecklaufTemp(c, s.frame.QKollGemerkt, t[1]);
}

void AnlageKombi12(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const auto& geo = s.geo;
  Knoten12 n{s};
  const int hk = p.HeizkreisTyp;
  const bool solarHeizen = hk == 1 || hk == 2 || hk == 5;

  s.QNachheiz = 0.0f;
  s.QHeizBedarf = 0.0f;
  const float ka = geo.SpFlaeche1 * p.SpeicherkWert * f.dt / 6.0f;
  float verlust = 0.0f;
  for (int i = 5; i >= 0; --i) {
    const float q = KnotenVerlust(n.T(i), f.TRaum, ka, n.V(i));
    verlust += q;
    s.QVerlustSumme += q;
    if (i >= 3) s.QVerlustSumme2 += q;
    if (solarHeizen) s.QSolHeiz -= q;
  }
  s.QVerlust = verlust;

  Kombi12Heizen(c, n);

  if (n.T(5) < p.Warmwassertemp) {
    s.QNachheiz += NachheizUmlauf(n, p.Warmwassertemp + 5.0f, 5, geo.NachheizLeistung * f.dt / kHeizTeilschritte);
  }

  f.QKollGemerkt = qKoll;
  if (s.Einstrahlung1 > 0.0f) {
    if (s.PoolSaison && p.PoolWTdir) {
      if (qKoll > 0.0f && n.T(1) < p.PoolSpminTemp) {
        KoilLaden(c, n);
      } else {
        PoolLaden(c);
        if (c.g.moment.QKoll > 0.0f) CalcRuecklaufTemp(c, f.QKollGemerkt, n.T(0));
      }
    } else if (qKoll > 0.0f && n.T(1) < p.Maximaltemp) {
      KoilLaden(c, n);
      if (!s.PoolSaison) {
        SolarHeizAnteil(c);
        if (hk == 5 && p.HeizQnorm > 0.0f) s.QSolHeiz += qKoll * f.dt * 0.7f;
      } else {
        PoolAusKombi(c, n.T(1), n.V(1));
      }
    }
  }

  SetKollTemp(c, s.QSolar);

  s.QWW = ZapfEnergie(c);
  const float m = ZapfVolumen(c, s.QWW, n.T(11));
  PruefeDurchfluss(c, m, n.V(6));
  for (int i = 11; i >= 7; --i) n.Zufluss(i, n.T(i - 1), m);
  n.Zufluss(6, p.Kaltwassertemp, m);
  CalcWTSpirale(n.T(5), n.T(11), n.V(5), n.V(11), geo.WTFlaecheOben, f.dt);
  for (int j = 0; j < 5; ++j) CalcWTSpirale(n.T(4 - j), n.T(10 - j), n.V(4 - j), n.V(10 - j), geo.WTFlaecheUnten, f.dt);

  if (s.QSolar == 0.0f) CalcRuecklaufTemp(c, f.QKollGemerkt, n.T(0));
}

}  // namespace tav
