// Hot-water store with a buffer store (plant type 7): store 1 holds the hot water, the buffer
// (store 2) serves the space heating and recharges store 1 through an exchanger; the collector
// loads store 1 first and the buffer second.
#include <algorithm>

#include "simulation/PlantCommon.h"
#include "simulation/StoreHelpers.h"

namespace tav {

namespace {

// Heat through the exchanger from tWarm to store 1 in one sub-step, limited so that the two
// sides at most meet (eta: share of the heat that reaches store 1).
float TauscherWaerme(SimContext& c, float tWarm, float tKalt, float vWarm, float eta) {
  const auto& s = c.s;
  const float dT = tWarm - tKalt;
  if (!(dT > 0.0f)) return 0.0f;
  const float q = CalcWTKoeffizient(tWarm, tKalt) * s.geo.SpWTFlaeche1 * dT * s.frame.dt / kHeizTeilschritte;
  const float v1 = s.geo.SpKnotenVol1;
  const float kehr = (vWarm > 0.0f ? 1.0f / vWarm : 0.0f) + eta / v1;
  return std::min(q, dT * kCWasser / kehr);
}

// Space heating from the buffer (circuit types 1..4) in ten sub-steps.
void PufferHeizen(SimContext& c) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float v2 = s.geo.SpKnotenVol2;
  auto& t = s.SpTemp;
  // Without a heat load the buffer is not kept at flow temperature for nothing.
  if (!s.Heiztag || !(p.HeizQnorm > 0.0f)) return;
  const float mH = HeizkurveDesSchritts(c);
  const int hk = p.HeizkreisTyp;
  for (int k = 0; k < kHeizTeilschritte; ++k) {
    if (hk == 1 || hk == 2) {
      if (!HeizTeilschritt12(c, {t[2], t[3], v2, v2})) return;
      continue;
    }
    if (hk != 3 && hk != 4) return;  // refused before the run
    if (HeizDurchflussZuGross(c, mH, v2)) return;
    const float tr = s.THeizRueck;
    if (hk == 4 && tr >= t[3]) continue;
    if (tr > t[2]) s.QNachheiz += (tr - t[2]) * mH * kCWasser;
    t[2] = PlugFlow(t[2], t[3], mH, v2);
    t[3] = PlugFlow(t[3], tr, mH, v2);
    MischKnoten(t[3], t[2], s.frame.MischSchwelle);
  }
}

// Recharge of store 1 from the buffer top; the buffer's return goes to its top (circuit types
// 1..3) or to its bottom (4).
void Nachladen(SimContext& c, float eta, float obergrenze, bool rueckUnten) {
  auto& s = c.s;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2;
  auto& t = s.SpTemp;
  if (!(t[0] < obergrenze && t[0] + 5.0f < t[2])) return;
  for (int k = 0; k < kHeizTeilschritte; ++k) {
    const float q = TauscherWaerme(c, t[2], t[0], rueckUnten ? 0.0f : v2, eta);
    if (rueckUnten) {
      const float tr = t[0] + (t[2] - t[0]) * 2.0f / 3.0f;
      const float m = t[2] > tr ? q / ((t[2] - tr) * kCWasser) : 0.0f;
      t[2] = PlugFlow(t[2], t[3], m, v2);
      t[3] = PlugFlow(t[3], tr, m, v2);
    } else {
      t[2] -= q / (kCWasser * v2);
      MischKnoten(t[3], t[2], 0.0f);
    }
    t[0] += eta * q / (kCWasser * v1);
    s.QSolHeiz -= q;
    s.TagErtragAbzug += (1.0f - eta) * q;
    if (!(t[0] < obergrenze && t[0] + 3.0f <= t[2])) break;
  }
}

// Auxiliary heating of store 1 by circuit type, in at most ten sub-steps.
void NachheizungSpeicher1(SimContext& c, int hk) {
  auto& s = c.s;
  const auto& p = c.g.plant;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2;
  const float ts = p.Warmwassertemp + 10.0f;
  auto& t = s.SpTemp;
  if (!(t[0] < p.Minimaltemp)) return;
  // Entered below the minimum, the block runs at least one sub-step and stops once the store
  // has reached the set temperature.
  for (int k = 0; k < kHeizTeilschritte; ++k) {
    if (hk == 1 || hk == 2) {
      // The heater brings the buffer top to the supply temperature, which feeds the exchanger.
      if (t[2] < ts) {
        s.QNachheiz += (ts - t[2]) * v2 * kCWasser;
        t[2] = ts;
      }
      const float q = TauscherWaerme(c, t[2], t[0], v2, 0.97f);
      t[2] -= q / (kCWasser * v2);
      t[0] += 0.97f * q / (kCWasser * v1);
      s.QSolHeiz -= q;
    } else if (hk == 3) {
      // Water from the buffer top, heated to the supply temperature, returns to the top.
      const float q = TauscherWaerme(c, ts, t[0], 0.0f, 0.97f);
      t[0] += 0.97f * q / (kCWasser * v1);
      const float tr = t[0] + (ts - t[0]) * 2.0f / 3.0f;
      const float m = ts > tr ? q / ((ts - tr) * kCWasser) : 0.0f;
      s.QNachheiz += std::max(0.0f, ts - t[2]) * m * kCWasser;
      t[2] = PlugFlow(t[2], tr, m, v2);
      MischKnoten(t[3], t[2], s.frame.MischSchwelle);
    } else {
      // The heater feeds the exchanger directly; the buffer is not touched.
      const float q = TauscherWaerme(c, ts, t[0], 0.0f, 1.0f);
      t[0] += q / (kCWasser * v1);
      s.QNachheiz += q;
    }
    if (!(t[0] < p.Warmwassertemp)) break;
  }
}

}  // namespace

void AnlageTWWPuffer(SimContext& c) {
  auto& s = c.s;
  auto& f = s.frame;
  const auto& p = c.g.plant;
  float& qKoll = c.g.moment.QKoll;
  const float v1 = s.geo.SpKnotenVol1, v2 = s.geo.SpKnotenVol2;
  auto& t = s.SpTemp;
  const int hk = p.HeizkreisTyp;

  s.QNachheiz = 0.0f;
  s.QHeizBedarf = 0.0f;
  // Store 1's loss goes into both sums; the buffer's loss reaches the balance through the
  // heater on heating days and through the yield deduction on the others.
  const float verlust1 = SpeicherVerlust(t[0], t[1], f.TRaum, s.SpVerlustKA1, v1);
  BucheVerlust(s, verlust1, true);
  const float verlust2 = SpeicherVerlust(t[2], t[3], f.TRaum, s.SpVerlustKA2, v2);
  s.QVerlust = verlust1 + verlust2;
  if (!s.Heiztag) {
    s.QSolHeiz -= verlust2;
    s.TagErtragAbzug += verlust2;
  }

  s.QWW = ZapfEnergie(c);
  const float m = ZapfVolumen(c, s.QWW, t[0]);
  PruefeDurchfluss(c, m, v1);
  ZapfPfropfen(c, t[0], t[1], m, v1);

  PufferHeizen(c);

  f.QKollGemerkt = qKoll;
  if (s.Einstrahlung1 > 0.0f) {
    if (qKoll > 0.0f && t[1] <= p.Maximaltemp) {
      UntenLaden(c, t[1], t[0], v1, qKoll);
      s.QSolar = qKoll;
    } else if (t[3] < p.Maximaltemp2) {
      SpeicherTauscherPaesse(c, t[3], 4);
      if (qKoll > 0.0f) {
        UntenLaden(c, t[3], t[2], v2, qKoll);
        s.QSolHeiz += qKoll * f.dt;
        s.QSolar = qKoll;
      }
    }
  }

  SetKollTemp(c, s.QSolar);

  if (hk >= 1 && hk <= 4) {
    const float eta = hk <= 2 ? 0.97f : 0.93f;
    Nachladen(c, eta, hk == 4 ? p.Warmwassertemp : p.Warmwassertemp + 5.0f, hk == 4);
    NachheizungSpeicher1(c, hk);
  }

  CalcRuecklaufTemp(c, f.QKollGemerkt, t[1]);
}

}  // namespace tav
