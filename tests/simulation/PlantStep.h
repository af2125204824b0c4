#pragma once
// One step of a plant model of types 3 to 8 on the fixture plant: geometry, loss coefficients
// and a sunny moment as a run sets them, and the store energy of the nodes the model owns.

#include <functional>
#include <utility>
#include <vector>

#include "simulation/CollectorField.h"
#include "simulation/PlantCommon.h"
#include "simulation/PlantParams.h"
#include "simulation/StoreHelpers.h"
#include "tests/simulation/SimFixture.h"

namespace tav::test {

struct Variante {
  const char* name;
  int typ;
  bool pool;
  std::function<void(PlantState&)> setze;
};

inline void Richte(SimWelt& w, const Variante& v) {
  test::SetzeAnlage(*w.g, v.typ, v.pool);
  v.setze(w.g->plant);
}

// One step of a plant with a sunny moment, store geometry and loss coefficients as a run sets
// them.
struct Schritt {
  SimWelt w{WetterParameter{}, false};
  SimContext c{*w.g, *w.s, StillerBeobachter()};
  PlantState& p = w.g->plant;
  SimState& s = *w.s;
  float dt = 0.2f;

  explicit Schritt(const Variante& v) {
    Richte(w, v);
    Vorbereiten();
  }
  Schritt(int typ, const std::function<void(PlantState&)>& setze = {}, bool pool = false)
      : Schritt(Variante{"", typ, pool, setze ? setze : [](PlantState&) {}}) {}
  // Isolates one rule: no losses, no hot-water draw, no irradiance, no collector power.
  void Ruhig() {
    p.SpeicherkWert = p.SpeicherkWert2 = 0.0f;
    s.SpVerlustKA1 = s.SpVerlustKA2 = 0.0f;
    s.WWTagesEnergie = 0.0f;
    s.Einstrahlung1 = 0.0f;
    w.g->moment.QKoll = 0.0f;
  }
  float& T(int i) { return s.SpTemp[static_cast<std::size_t>(i)]; }
  void Vorbereiten() {
    p.KollektorFlaecheGesamt = p.KollektorFlaeche;
    SetSpeicherParam(p, s.geo);
    s.SpVerlustKA1 = s.geo.SpFlaeche1 * p.SpeicherkWert * dt / 2.0f;
    s.SpVerlustKA2 = s.geo.SpFlaeche2 * p.SpeicherkWert2 * dt / 2.0f;
    s.WWTagesEnergie = 4000.0f;
    s.PoolWTLeistung = p.KollektorFlaecheGesamt * 700.0f;
    s.PoolWTdT = 10.0f;
    s.TFWERueck = p.Kaltwassertemp + 5.0f;
    SonnigerMoment(*w.g, s, 2.0f);
    w.g->moment.AussenTemp = 2.0f;
    w.g->moment.Tageszeit = 12.4f;
    w.g->moment.SimTag = 100;
    s.LuftTemp8 = CalcLuftTemp(w.g->loc, 100, 8.0f);
  }
  // The store nodes the model owns with their volumes.
  std::vector<std::pair<int, float>> Knoten() const {
    const auto& g = s.geo;
    const int typ = p.AnlagenTypNr;
    if (typ == 3) return {{0, g.SpKnotenVol1}, {1, g.SpKnotenVol1}};
    if (typ == 5 && p.KaskadeTyp == 14) return {{2, g.SpKnotenVol2}, {3, g.SpKnotenVol2}};
    if (typ == 8) return {{0, g.SpViertelVol1}, {1, g.SpViertelVol1}, {2, g.SpViertelVol1}, {3, g.SpViertelVol1}};
    if (typ == 6 && p.KombiSpTyp == 12) {
      std::vector<std::pair<int, float>> k;
      for (int i = 0; i < 12; ++i) k.emplace_back(i, g.SpKnotenVolN[static_cast<std::size_t>(i)]);
      return k;
    }
    if (typ == 6 && (p.KombiSpTyp == 7 || p.KombiSpTyp == 9)) {
      return {{0, g.SpObenVol}, {1, g.SpUntenVol}, {2, g.Sp2ObenVol}, {3, g.Sp2UntenVol}};
    }
    return {{0, g.SpKnotenVol1}, {1, g.SpKnotenVol1}, {2, g.SpKnotenVol2}, {3, g.SpKnotenVol2}};
  }
  double U() const {
    double u = 0.0;
    for (const auto& [i, v] : Knoten()) u += kCWasser * v * s.SpTemp[static_cast<std::size_t>(i)];
    return u;
  }
  void Lauf() { Zeitschritt(c, dt); }
};


}  // namespace tav::test
