#pragma once
// Heating-curve formulas of the space-heating circuit.

namespace tav {

// Heat load q (W), flow and return temperature (°C) of a radiator circuit (exponent 1.3) for
// the outdoor temperature taussen at the time of day stunde (night setback 22..5 h).
// A curve that cannot be evaluated (design outdoor temperature not below 20 °C, design flow not
// above 20 °C, design return not above 20 °C or not below the flow) gives no load.
void CalcHeizkreis(float& q, float& tVor, float& tRueck, float qNorm, float tNorm, float tVorNorm,
                   float tRueckNorm, float taussen, float stunde);

// True when CalcHeizkreis can evaluate the curve for these design values.
bool HeizkurveGueltig(float tNorm, float tVorNorm, float tRueckNorm);

// Litres of water that q (Wh) heats from 10 °C to t.
float WasserMenge(float t, float q);

}  // namespace tav
