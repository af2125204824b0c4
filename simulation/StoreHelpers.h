#pragma once
// Store-node helpers shared by the plant models that need no run state: heat-exchanger
// coefficients, natural convection, immersed-coil exchange and node mixing.
// Temperatures °C, volumes litres, energies Wh, step lengths hours.

#include <algorithm>

namespace tav {

// Heat capacity of water, Wh per litre and kelvin.
inline constexpr float kCWasser = 1.163f;

// Heat-transfer coefficient of an exchanger, warm side first; 0 when the warm side is not warmer.
float CalcWTKoeffizient(float tw, float tk);

// Natural convection between two water temperatures: half the difference, Nusselt number and
// thermal conductivity of water at the mean temperature.
void CalcKonvektion(float& halbeDifferenz, float& nusselt, float& lambda, float t1, float t2);

// Immersed coil between two nodes (t1 gives, t2 takes). Energy is conserved and no node moves by
// more than a quarter of the difference in one step. Nodes without volume exchange nothing.
void CalcWTSpirale(float& t1, float& t2, float v1, float v2, float flaeche, float dt);

// Mixing at an inversion: when the upper node is less than schwelle warmer than the lower one,
// both take their (volume-weighted) mean.
void MischKnoten(float& unten, float& oben, float schwelle);
void MischKnotenVol(float& unten, float& oben, float vUnten, float vOben, float schwelle);

// Plug flow of the volume m through a node of volume v: the node keeps v - m of its water and
// takes m at tZu. m is capped at v, so no weight turns negative. Inline: the plant models call
// it many times per step from their own files, and link-time optimisation does not always
// inline it across them.
inline float PlugFlow(float t, float tZu, float m, float v) {
  if (v <= 0.0f) return t;
  const float x = std::clamp(m, 0.0f, v);
  return ((v - x) * t + x * tZu) / v;
}

}  // namespace tav
