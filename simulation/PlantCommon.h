#pragma once
// The time step, the plant-type dispatch and the rules every plant model shares: losses,
// draw-off, the flow checks, auxiliary heating, anti-legionella heating, the solar-circuit
// step and the collector-inlet update. Each plant model lives in its own file and is called
// by Zeitschritt with the step frame in SimState::frame.

#include "simulation/SimContext.h"

namespace tav {

// One simulation step of length dt hours, after the collector field of the step.
void Zeitschritt(SimContext& c, float dt);

// A plant model: one step of one plant type.
using AnlagenModell = void (*)(SimContext& c);
// The model Zeitschritt runs for the current plant (nullptr for a plant type outside 1..8).
AnlagenModell ModellFuer(const PlantState& p);

// Plant models by plant type (1, 2: hot water; 3..5: second consumer, two stores, cascade;
// 6: combi store and its variants; 7: hot-water store with buffer; 8: buffer with fresh-water
// station).
void AnlageTWW(SimContext& c);
void AnlageTWW4(SimContext& c);
void AnlageTWW3(SimContext& c);
void AnlageZweitVerbraucher(SimContext& c);
void AnlageZweiSpeicher(SimContext& c);
void AnlageKaskade(SimContext& c);
void AnlageKombi(SimContext& c);
void AnlageKombi7(SimContext& c);
void AnlageKombi9(SimContext& c);
void AnlageKombi12(SimContext& c);
void AnlageTWWPuffer(SimContext& c);
void AnlagePufferFWE(SimContext& c);

// --- Shared rules ------------------------------------------------------------------------

// Sub-steps per simulation step of the space heating and of the exchanges between stores.
inline constexpr int kHeizTeilschritte = 10;

// Loss of one node against tUmgebung over the step with the loss coefficient ka (Wh/K):
// lowers the node (at most to tUmgebung) and returns the loss (Wh).
float KnotenVerlust(float& t, float tUmgebung, float ka, float volumen);
// Losses of both nodes of a two-node store of node volume v; returns their sum (Wh).
float SpeicherVerlust(float& oben, float& unten, float tUmgebung, float ka, float v);
// Books a step's store loss into QVerlust and the day sums (store 1 also into the second sum).
void BucheVerlust(SimState& s, float verlust, bool speicher1);

// Hot-water energy of the step (Wh) from the draw-off profile.
float ZapfEnergie(const SimContext& c);
// Volume (litres) that delivers qww from a top node at tOben: falls back to the design
// temperature when the top node is not above the cold water, so the volume stays finite.
float ZapfVolumen(const SimContext& c, float qww, float tOben);
// Flow check: a volume above 0.9 node volumes stops the run with the flow warning.
void PruefeDurchfluss(SimContext& c, float m, float volumen);
// Plug flow of m through a two-node store: top <- bottom <- cold water (m capped at v).
void ZapfPfropfen(SimContext& c, float& oben, float& unten, float m, float v);

// The collector heat q of the step into the bottom node of volume v; at an inversion the
// bottom node mixes with the top node.
void UntenLaden(SimContext& c, float& unten, float& oben, float v, float q);
// Loads the two nodes of store 1 from the collector for one step: with vonOben, while the
// collector outlet is warmer than the top node, from the top by plug flow, otherwise into the
// bottom node. A top loading that would move more than a node's volume (or has no lift over
// the bottom node) heats the bottom node instead.
void Speicher1Laden(SimContext& c, bool vonOben);

// Auxiliary heater on the top node: below Minimaltemp it heats the node to Warmwassertemp.
void NachheizungOben(SimContext& c, float& oben, float v);
// Anti-legionella heating of a two-node store; geprueft is the node whose temperature
// above 60 °C resets the counter (read after the heating).
void AntiLegionellaHeizung(SimContext& c, float& oben, float& unten, float v, const float& geprueft);

// Losses of store 1 against umgebung, then the step's draw-off by plug flow through store 1.
// With a flow-through heater behind the store, a top at or below the minimum gives water that
// the heater brings to the set temperature. Returns the volume drawn.
float VerlustUndZapfung(SimContext& c, float umgebung, bool durchlauferhitzer);
// The pool takes the collector heat through its exchanger: four inlet passes of the field.
void PoolLaden(SimContext& c);
// The collector loads through the store exchanger onto the node t: the inlet follows the
// exchanger over the given number of passes of the collector field.
void SpeicherTauscherPaesse(SimContext& c, float t, int paesse);

// --- Space heating from a buffer -----------------------------------------------------------

// Two nodes of a buffer that feeds the heating circuit, with their volumes.
struct HeizPuffer {
  float& oben;
  float& unten;
  float vOben;
  float vUnten;
};
// Heating curve of the step into QHeizLeistung, THeizVor, THeizRueck; QHeizBedarf records the
// demand for every circuit type. Returns the per-sub-step volume of circuit types 3 and 4
// (for 95 % of the load).
float HeizkurveDesSchritts(SimContext& c);
// Too much heating water for the node volume v: the warning once, the run stops after the
// step. True when the heating of the step must end.
bool HeizDurchflussZuGross(SimContext& c, float mH, float v);
// One sub-step of circuit types 1 and 2: the heater keeps the top at the flow temperature,
// the circuit draws a tenth of the demand from the top and returns into the bottom (or the
// top for type 2 when the return is not colder than the bottom). False when the flow is too
// large for the top node (the heating of the step ends).
bool HeizTeilschritt12(SimContext& c, HeizPuffer b);
// Space heating of the combi stores in ten sub-steps (circuit types 1..4); gewichtet mixes the
// two nodes by their volumes.
void KombiHeizen(SimContext& c, HeizPuffer b, bool gewichtet);
// Pool heated from the buffer node unten (volume v), at most 99 % of the collector power.
void PoolAusKombi(SimContext& c, float& unten, float v);
// Solar share of the heating: 70 % of the collector heat of the step.
void SolarHeizAnteil(SimContext& c);

// Collector inlet for the next step from the store node t and the collector power q.
void CalcRuecklaufTemp(SimContext& c, float q, float t);
// Collector temperatures for the hourly store (stagnation when a field gives nothing).
void SetKollTemp(SimContext& c, float qSolar);
// Low-flow circuit check: raises ZeitZoom for the next run and stops this one.
void CheckLowFlow(SimContext& c, float m, float v);
// The two flow warnings; both stop the run. The heating warning takes the step length dt
// (hours) and names the span of one heating sub-step, dt / 10, in minutes.
void ZeigeDurchflussWarnung(SimContext& c);
void ZeigeHeizDurchflussWarnung(SimContext& c, float dt);

}  // namespace tav
