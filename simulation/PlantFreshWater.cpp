// Buffer store with fresh-water station (plant type 8): one buffer of four equal nodes (node 0
// the top) serves the space heating and a station that heats the drinking water on demand. The
// collector loads it through an internal coil, an external exchanger with stratified return, or
// the low-flow path.
#include <algorithm>

#include "simulation/HeatingCircuit.h"
#include "simulation/PlantCommon.h"
#include "simulation/StoreHelpers.h"

namespace tav {

namespace {

// The internal coil in the lower half of the buffer.
constexpr std::uint8_t kWendel = 15;

struct Puffer {
  SimState& s;
  float vq;
  float& T(int i) { return s.SpTemp[static_cast<std::size_t>(i)]; }
  void Zufluss(int i, float tZu, float m) { T(i) = PlugFlow(T(i), tZu, m, vq); }
  // Mean of each neighbour pair whose upper node is less than schwelle warmer.
  void Mischen(float schwelle) {
    for (int i = 1; i <= 3; ++i) MischKnoten(T(i), T(i - 1), schwelle);
  }
};

// Solar share of the heating: 70 % of the collector heat (this plant has no load test here).
void SolarHeizAnteil8(SimContext& c) {
  const int hk = c.g.plant.HeizkreisTyp;
  if (hk == 1 || hk == 2) c.s.QSolHeiz += c.g.moment.QKoll * c.s.frame.dt * 0.7f;
}

// Solar loading through the coil or the external exchanger; false when no heat entered (a
// collector outlet not above the nodes it reaches gives nothing).
bool PufferLaden(SimContext& c, Puffer& b) {
  auto& s = c.s;
  const float qKoll = c.g.moment.QKoll;
  const float dt = s.frame.dt;
  const float tk = s.TKollAus;
  if (c.g.plant.KombiSpeicherWT == kWendel) {
    const float d2 = std::max(tk - b.T(2), 0.0f), d3 = std::max(tk - b.T(3), 0.0f);
    if (!(d2 + d3 > 0.0f)) return false;
    b.T(2) += qKoll * d2 / (d2 + d3) * dt / (kCWasser * b.vq);
    b.T(3) += qKoll * d3 / (d2 + d3) * dt / (kCWasser * b.vq);
    return true;
  }
  const float hub = tk - b.T(3);
  if (!(hub > 0.0f)) return false;
  const float x = qKoll * dt * 3.6f / (hub * 4.1868f);
  if (x > b.vq) {
    // More than a node per step cannot be layered; the heat goes into the bottom node.
    b.T(3) += qKoll * dt / (kCWasser * b.vq);
    return true;
  }
  // The heated water enters the highest node that is warmer than it; the nodes below move down.
  b.Zufluss(3, b.T(2), x);
  if (tk < b.T(2)) {
    b.Zufluss(2, tk, x);
    return true;
  }
  b.Zufluss(2, b.T(1), x);
  if (tk < b.T(1)) {
    b.Zufluss(1, tk, x);
    return true;
  }
  b.Zufluss(1, b.T(0), x);
  b.Zufluss(0, tk, x);
  return true;
}

// The pool takes heat from the two lower nodes, at most 90 % of the collector power.
void PoolAusPuffer(SimContext& c, Puffer& b) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  if (!(p.PoolTemp + 5.0f < b.T(2) && b.T(2) > p.PoolSpminTemp) || !(s.PoolWTdT > 0.0f)) return;
  const float qp = std::min((b.T(2) - p.PoolTemp) * s.PoolWTLeistung / s.PoolWTdT, 0.9f * c.g.moment.QKoll);
  s.QPool = qp * s.frame.dt;
  const float e = (b.T(2) - b.T(3)) * kCWasser * b.vq;
  if (e > s.QPool) {
    b.T(2) -= s.QPool / (kCWasser * b.vq);
  } else {
    b.T(2) = b.T(3) - (s.QPool - e) / (2.0f * kCWasser * b.vq);
    b.T(3) = b.T(2);
  }
}

// Loading through the coil or the exchanger; books the yield only for heat that entered.
bool LadenUndMischen(SimContext& c, Puffer& b) {
  if (!PufferLaden(c, b)) return false;
  b.Mischen(4.0f);
  c.s.QSolar = c.g.moment.QKoll;
  return true;
}

void SolarLaden(SimContext& c, Puffer& b) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float qKoll = c.g.moment.QKoll;
  if (p.LFTkreis) {
    s.LFTdT = p.KollektorFlaecheGesamt > 0.0f ? (qKoll / p.KollektorFlaecheGesamt) / 650.0f * 8.0f : 0.0f;
    const float ts = s.TKollAus - s.LFTdT;
    if (!(b.T(3) < p.Maximaltemp && ts - b.T(3) > 2.0f)) return;
    const float x = qKoll * s.frame.dt * 3.6f / ((ts - b.T(3)) * 4.1868f);
    CheckLowFlow(c, x, b.vq);
    if (ts > b.T(0) && b.T(0) < p.Maximaltemp) {
      for (int i = 3; i >= 1; --i) b.Zufluss(i, b.T(i - 1), x);
      b.Zufluss(0, ts, x);
    } else {
      b.Zufluss(3, b.T(2), x);
      b.Zufluss(2, ts, x);
    }
    b.Mischen(0.0f);
    s.QSolar = qKoll;
    if (s.PoolSaison) {
      PoolAusPuffer(c, b);
    } else {
      SolarHeizAnteil8(c);
    }
    return;
  }
  if (s.PoolSaison && p.PoolWTdir) {
    if (qKoll > 0.0f && b.T(2) < p.PoolSpminTemp) {
      if (LadenUndMischen(c, b)) SolarHeizAnteil8(c);
    } else {
      PoolLaden(c);
    }
    return;
  }
  if (!(qKoll > 0.0f && b.T(2) < p.Maximaltemp) || !LadenUndMischen(c, b)) return;
  if (s.PoolSaison) {
    PoolAusPuffer(c, b);
  } else {
    SolarHeizAnteil8(c);
  }
}

void PufferHeizen(SimContext& c, Puffer& b) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  // Without a heat load the buffer is not kept at flow temperature for nothing.
  if (!s.Heiztag || !(p.HeizQnorm > 0.0f)) return;
  const float mH = HeizkurveDesSchritts(c);
  const int hk = p.HeizkreisTyp;
  const float tr = s.THeizRueck;
  for (int k = 0; k < kHeizTeilschritte; ++k) {
    if (hk == 1 || hk == 2) {
      if (b.T(1) < s.THeizVor) {
        for (int i = 0; i <= 1; ++i) {
          if (b.T(i) < s.THeizVor) {
            s.QNachheiz += (s.THeizVor - b.T(i)) * b.vq * kCWasser;
            b.T(i) = s.THeizVor;
          }
        }
      }
      const float dT = b.T(1) - tr;
      const float m = dT > 0.0f ? s.QHeizBedarf / kHeizTeilschritte / (dT * kCWasser) : 0.0f;
      if (HeizDurchflussZuGross(c, m, b.vq)) return;
      if (!(s.QHeizLeistung > 0.0f)) continue;
      if (hk == 1 || tr < b.T(2)) {
        b.Zufluss(1, b.T(2), m);
        b.Zufluss(2, b.T(3), m);
        b.Zufluss(3, tr, m);
      } else {
        b.Zufluss(1, tr, m);
      }
      continue;
    }
    if (hk != 3 && hk != 4) return;  // refused before the run
    if (HeizDurchflussZuGross(c, mH, b.vq)) return;
    if (hk == 3) {
      if (tr < b.T(2)) {
        s.QSolHeiz += (b.T(2) - tr) * mH * kCWasser;
      } else {
        s.QNachheiz += (tr - b.T(2)) * mH * kCWasser;
      }
      b.Zufluss(2, b.T(3), mH);
      b.Zufluss(3, tr, mH);
      for (int i = 3; i >= 1; --i) MischKnoten(b.T(i), b.T(i - 1), 0.0f);
    } else if (b.T(2) - 3.0f > tr) {
      s.QSolHeiz += (b.T(2) - tr) * mH * kCWasser;
      b.Zufluss(2, b.T(3), mH);
      b.Zufluss(3, tr, mH);
    }
  }
}

// Hot water through the station: supply top-up, the two load shares, the plug flow of the
// station's return up through the buffer. A demand above the rating is served up to the
// rating; the heater covers the rest.
void FrischwasserStation(SimContext& c, Puffer& b) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float vorlauf = p.Warmwassertemp + p.FWEdTmin;
  if (vorlauf > b.T(0)) {
    const float ziel = vorlauf + 2.0f;
    if (ziel > b.T(1)) {
      s.QNachheiz += (ziel - b.T(1)) * b.vq * kCWasser;
      b.T(1) = b.T(0);
      b.T(0) = ziel;
    }
  }
  s.QWW = ZapfEnergie(c);
  if (!(s.QWW > 0.0f) || !(s.frame.dt > 0.0f)) return;
  const float pn = p.FWEnennleistung;
  const float leistung = s.QWW / s.frame.dt;
  const float gedeckt = pn > 0.0f && leistung > pn ? pn / leistung : 1.0f;
  const float qStation = s.QWW * gedeckt;
  s.QNachheiz += s.QWW - qStation;
  float a = 0.0f, bAnteil = 0.0f;
  FWEAnteile(a, bAnteil, leistung, pn);
  const float anteile[2] = {a, bAnteil};
  const float lasten[2] = {pn, 0.5f * pn};
  for (int k = 0; k < 2; ++k) {
    if (!(anteile[k] > 0.0f)) continue;
    float tr = 0.0f, fluss = 0.0f;
    bool ok = false;
    FWERuecklauf(tr, fluss, ok, lasten[k], pn, p.Warmwassertemp, b.T(0));
    // The station heats cold water, so its return is never colder than that.
    if (ok) s.TFWERueck = std::max(tr, p.Kaltwassertemp);
    const float q = qStation * anteile[k];
    const float hub = b.T(0) - s.TFWERueck;
    if (!(hub > 0.1f)) {
      s.QNachheiz += q;  // a buffer no warmer than the return gives nothing
      continue;
    }
    const float m = q / (hub * kCWasser);
    PruefeDurchfluss(c, m, b.vq);
    for (int i = 0; i <= 2; ++i) b.Zufluss(i, b.T(i + 1), m);
    b.Zufluss(3, s.TFWERueck, m);
  }
}

}  // namespace

void AnlagePufferFWE(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  Puffer b{s, s.geo.SpViertelVol1};

  s.QNachheiz = 0.0f;
  s.QHeizBedarf = 0.0f;
  s.SpVerlustKA1 = s.geo.SpFlaeche1 * p.SpeicherkWert * f.dt / 4.0f;
  s.SpVerlustKA2 = s.geo.SpFlaeche2 * p.SpeicherkWert * f.dt;
  float verlust = KnotenVerlust(b.T(0), f.TRaum, s.SpVerlustKA2, b.vq);
  for (int i = 1; i <= 3; ++i) verlust += KnotenVerlust(b.T(i), f.TRaum, s.SpVerlustKA1, b.vq);
  BucheVerlust(s, verlust, true);
  if (p.HeizkreisTyp == 1 || p.HeizkreisTyp == 2) s.QSolHeiz -= s.QVerlust;

  f.QKollGemerkt = c.g.moment.QKoll;
  if (s.Einstrahlung1 > 0.0f) SolarLaden(c, b);

  SetKollTemp(c, s.QSolar);
  PufferHeizen(c, b);
  FrischwasserStation(c, b);

  if (p.LFTkreis) {
    c.g.moment.RuecklaufTemp = b.T(3) + s.LFTdT;
  } else {
    CalcRuecklaufTemp(c, f.QKollGemerkt, b.T(3));
  }
}

}  // namespace tav
