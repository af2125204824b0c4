#pragma once
// The EnEV figures of a small hot-water plant, computed, for the printed EnEV sheet.

#include "enev/EnevCalc.h"
#include "enev/EnevDatei.h"

namespace tav::test {

// K2: the collector's quadratic loss coefficient (0: the sheet shows Eta0 and k).
inline enev::EnevStand EnevDruckStand(double k2 = 0.0) {
  enev::EnevStand st;
  auto& e = st.Eingaben;
  e.KollFlaeche = 5.7;
  e.Eta0 = 0.77;
  e.K1 = 3.5;
  e.K2 = k2;
  e.IAM = 0.9f;
  e.Waermekap = 6.4;
  e.Neigung = 45;
  e.Vsol = e.Vaux = 150;
  e.qBS = 1.179;
  e.KleineAnlage = true;
  st.Ergebnis = enev::CalcEnevErgebnis(e);
  return st;
}

}  // namespace tav::test
