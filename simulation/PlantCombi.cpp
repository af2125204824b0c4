// Combi store for space-heating support (plant type 6): the buffer (store 1) is loaded by the
// collector and feeds the heating circuit; the drinking-water store 2 inside it takes its heat
// through its wall. Also the space-heating sub-steps the other buffer models share.
#include <algorithm>

#include "simulation/HeatingCircuit.h"
#include "simulation/PlantCommon.h"
#include "simulation/StoreHelpers.h"

namespace tav {

namespace {

// Loads store 1 from the collector; one sub-type loads from the top.
void KombiLaden(SimContext& c) { Speicher1Laden(c, c.g.plant.KombiSpTyp == 11); }

// Drinking-water plug flow through store 2 and the exchange of both node pairs with store 1
// over the coil area (the whole area for each pair) for the span dt.
void KombiZapfen(SimContext& c, float m, float dt) {
  auto& s = c.s;
  auto& t = s.SpTemp;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2, a = s.geo.SpFlaeche2;
  ZapfPfropfen(c, t[2], t[3], m, v2);
  CalcWTSpirale(t[0], t[2], v1, v2, a, dt);
  CalcWTSpirale(t[1], t[3], v1, v2, a, dt);
}

}  // namespace

void PoolAusKombi(SimContext& c, float& unten, float v) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (!(p.PoolTemp + 5.0f < unten && unten > p.PoolSpminTemp) || !(s.PoolWTdT > 0.0f)) return;
  const float qp = std::min((unten - p.PoolTemp) * s.PoolWTLeistung / s.PoolWTdT, 0.99f * c.g.moment.QKoll);
  s.QPool = qp * s.frame.dt;
  unten -= s.QPool / (kCWasser * v);
}

float HeizkurveDesSchritts(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  CalcHeizkreis(s.Heizkurve, s.QHeizLeistung, s.THeizVor, s.THeizRueck, p.HeizQnorm, p.HeizTnorm, p.HeizTvor100,
                p.HeizTrck100, c.g.moment.AussenTemp, c.g.moment.Tageszeit);
  // Every circuit type records its demand, so delivered heat is never shown against 0.
  s.QHeizBedarf = s.QHeizLeistung * s.frame.dt;
  const float spreizung = s.THeizVor - s.THeizRueck;
  float mH = 0.0f;
  if (s.QHeizLeistung > 0.0f && spreizung > 0.0f) {
    mH = s.QHeizBedarf * 0.95f / kHeizTeilschritte / (spreizung * kCWasser);
  }
  return mH;
}

bool HeizDurchflussZuGross(SimContext& c, float mH, float v) {
  if (!(mH > 0.9f * v)) return false;
  if (!c.s.Abbruch && !c.s.AbbruchAnfrage) ZeigeHeizDurchflussWarnung(c, c.s.frame.dt);
  c.s.AbbruchAnfrage = true;
  return true;
}

bool HeizTeilschritt12(SimContext& c, HeizPuffer b) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (b.oben < s.THeizVor) {
    s.QNachheiz += (s.THeizVor - b.oben) * b.vOben * kCWasser;
    b.oben = s.THeizVor;
  }
  const float dT = b.oben - s.THeizRueck;
  const float mH = dT > 0.0f ? s.QHeizBedarf / kHeizTeilschritte / (dT * kCWasser) : 0.0f;
  if (HeizDurchflussZuGross(c, mH, b.vOben)) return false;
  if (s.QHeizLeistung > 0.0f) {
    if (p.HeizkreisTyp == 1 || s.THeizRueck < b.unten) {
      b.oben = PlugFlow(b.oben, b.unten, mH, b.vOben);
      b.unten = PlugFlow(b.unten, s.THeizRueck, mH, b.vUnten);
    } else {
      b.oben = PlugFlow(b.oben, s.THeizRueck, mH, b.vOben);
    }
  }
  return true;
}

void KombiHeizen(SimContext& c, HeizPuffer b, bool gewichtet) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (!(p.HeizQnorm > 0.0f && s.Heiztag)) return;
  const float mH = HeizkurveDesSchritts(c);
  const int hk = p.HeizkreisTyp;
  // Other circuit types are refused before the run.
  if (hk < 1 || hk > 4) return;
  for (int k = 0; k < kHeizTeilschritte; ++k) {
    if (hk <= 2) {
      if (!HeizTeilschritt12(c, b)) return;
      continue;
    }
    if (HeizDurchflussZuGross(c, mH, b.vUnten)) return;
    const float tr = s.THeizRueck;
    if (hk == 3) {
      if (tr < b.unten) {
        s.QSolHeiz += (b.unten - tr) * mH * kCWasser;
      } else {
        s.QNachheiz += (tr - b.unten) * mH * kCWasser;
      }
      b.unten = PlugFlow(b.unten, tr, mH, b.vUnten);
      if (gewichtet) {
        MischKnotenVol(b.unten, b.oben, b.vUnten, b.vOben, 0.0f);
      } else {
        MischKnoten(b.unten, b.oben, 0.0f);
      }
    } else if (b.unten - 3.0f > tr) {
      s.QSolHeiz += (b.unten - tr) * mH * kCWasser;
      b.unten = PlugFlow(b.unten, tr, mH, b.vUnten);
    }
  }
}

void SolarHeizAnteil(SimContext& c) {
  const auto& p = c.g.plant;
  if (p.HeizQnorm > 0.0f && (p.HeizkreisTyp == 1 || p.HeizkreisTyp == 2)) {
    c.s.QSolHeiz += c.g.moment.QKoll * c.s.frame.dt * 0.7f;
  }
}

void AnlageKombi(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2;
  const float ww = p.Warmwassertemp, kw = p.Kaltwassertemp;
  auto& t = s.SpTemp;
  const bool hk12 = p.HeizkreisTyp == 1 || p.HeizkreisTyp == 2;

  s.QNachheiz = 0.0f;
  s.QHeizBedarf = 0.0f;
  BucheVerlust(s, SpeicherVerlust(t[0], t[1], f.TRaum, s.SpVerlustKA1, v1), true);
  if (hk12) s.QSolHeiz -= s.QVerlust;

  KombiHeizen(c, {t[0], t[1], v1, v1}, false);

  if (p.KombiSpTyp == 6) {
    if (t[2] < p.Minimaltemp - 2.0f) {
      s.QNachheiz += (ww - t[2]) * v2 * kCWasser;
      t[2] = ww;
    }
  } else if (t[0] < p.Minimaltemp) {
    s.QNachheiz += (ww - t[0]) * v1 * kCWasser;
    t[0] = ww;
  }

  f.QKollGemerkt = qKoll;
  if (s.Einstrahlung1 > 0.0f) {
    if (s.PoolSaison && p.PoolWTdir) {
      if (qKoll > 0.0f && t[1] < p.PoolSpminTemp) {
        KombiLaden(c);
        s.QSolar = qKoll;
      } else {
        PoolLaden(c);
      }
    } else if (qKoll > 0.0f && t[1] < p.Maximaltemp) {
      KombiLaden(c);
      if (s.PoolSaison) {
        PoolAusKombi(c, t[1], v1);
        MischKnoten(t[1], t[0], f.MischSchwelle);
      } else {
        SolarHeizAnteil(c);
      }
      s.QSolar = qKoll;
    }
  }

  SetKollTemp(c, s.QSolar);

  s.QWW = ZapfEnergie(c);
  const float m = ZapfVolumen(c, s.QWW, t[2]);
  switch (p.KombiSpTyp) {
    case 5:
    case 6:
      PruefeDurchfluss(c, m, v2);
      KombiZapfen(c, m, f.dt);
      break;
    case 8:
    case 10:
    case 11:
      if (m < 0.6f * v2) {
        KombiZapfen(c, m, f.dt);
      } else {
        // A large draw in two halves of the step, so the coil can recharge in between.
        const float m1 = 0.6f * v2;
        const float rest = std::max(0.0f, s.QWW - m1 * kCWasser * (t[2] - kw));
        KombiZapfen(c, m1, f.dt / 2.0f);
        const float m2 = ZapfVolumen(c, rest, t[2]);
        PruefeDurchfluss(c, m2, v2);
        KombiZapfen(c, m2, f.dt / 2.0f);
      }
      break;
    default:
      // Other sub-types are refused before the run.
      break;
  }

  CalcRuecklaufTemp(c, f.QKollGemerkt, t[1]);
}

}  // namespace tav
