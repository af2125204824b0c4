#pragma once
// Heating-curve formulas of the space-heating circuit.

namespace tav {

// Heat load q (W), flow and return temperature (°C) of a radiator circuit (exponent 1.3) for
// the outdoor temperature taussen at the time of day stunde (night setback 22..5 h).
// A curve that cannot be evaluated (design outdoor temperature not below 20 °C, design flow not
// above 20 °C, design return not above 20 °C or not below the flow) gives no load.
void CalcHeizkreis(float& q, float& tVor, float& tRueck, float qNorm, float tNorm, float tVorNorm,
                   float tRueckNorm, float taussen, float stunde);

// The point of the heating curve last evaluated, with the inputs it was evaluated for.
struct HeizkurvenPunkt {
  float qNorm = 0.0f, tNorm = 0.0f, tVorNorm = 0.0f, tRueckNorm = 0.0f, taussen = 0.0f;
  bool nacht = false;
  bool gueltig = false;  // false until a first point has been evaluated
  float q = 0.0f, tVor = 0.0f, tRueck = 0.0f;
};

// CalcHeizkreis through the point last evaluated: outdoor temperature and night set-back
// change at most hourly, so the steps of an hour evaluate the curve once.
void CalcHeizkreis(HeizkurvenPunkt& zuletzt, float& q, float& tVor, float& tRueck, float qNorm, float tNorm,
                   float tVorNorm, float tRueckNorm, float taussen, float stunde);

// True when CalcHeizkreis can evaluate the curve for these design values.
bool HeizkurveGueltig(float tNorm, float tVorNorm, float tRueckNorm);

// Litres of water that q (Wh) heats from 10 °C to t.
float WasserMenge(float t, float q);

// Fresh-water station: split of a demand power p against the rating pn into two shares
// a + b = 1 (a at least 25 % and at most the load in per cent, both within 0..1).
void FWEAnteile(float& a, float& b, float p, float pn);

// Return temperature and flow value of the fresh-water station for the demand power p (W)
// at rating pn (W), hot-water temperature tww and buffer top tpuffer. A buffer less than
// 5 K above the target lowers the target in 5 K steps while the buffer is above 50 °C;
// ok is false when no result was produced (target below 40 °C or buffer too cold).
void FWERuecklauf(float& tRueck, float& fluss, bool& ok, float p, float pn, float tww, float tpuffer);

// Station characteristic at the load ratio r; tv receives the effective supply temperature.
float FWEKennwert(float& tv, float tww, float tpuffer, float r);

}  // namespace tav
