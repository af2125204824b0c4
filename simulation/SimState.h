#pragma once
// The engine's own run state: the variables of the sun, the collector field, the stores,
// the step and the day that the data model does not hold. One instance per run (or per
// silent sizing run), passed by reference together with the program state.

#include <array>
#include <cstdint>

#include "simulation/HeatingCircuit.h"
#include "simulation/SolarPhysics.h"


namespace tav {

// Store geometry derived from the plant's storage values (volumes litres, areas m²).
struct SpeicherGeometrie {
  float SpKnotenVol1 = 0.0f;    // one of the two nodes of store 1
  float SpKnotenVol2 = 0.0f;    // one of the two nodes of store 2
  float SpViertelVol1 = 0.0f;   // a quarter of store 1
  float SpMischVol = 0.0f;      // volume exchanged per step during anti-legionella heating
  float SpFlaeche1 = 0.0f;      // loss surface of store 1
  float SpFlaeche2 = 0.0f;      // loss surface of store 2
  float SpObenVol = 0.0f;       // upper node of store 1 (unequal-node variants)
  float SpUntenVol = 0.0f;      // lower node of store 1
  float Sp2ObenVol = 0.0f;      // upper node of store 2 (combi variants)
  float Sp2UntenVol = 0.0f;     // lower node of store 2
  float WTFlaecheOben = 0.0f;   // exchange areas between store 2 and store 1
  float WTFlaecheUnten = 0.0f;
  std::array<float, 12> SpKnotenVolN{};  // node volumes of the six-node combi store
  float NachheizLeistung = 0.0f;         // auxiliary-heater rating, W
  float SpWTFlaeche1 = 0.0f;             // exchanger factor of store 1
};

// Values of the current step that the plant models share with Zeitschritt.
struct StepFrame {
  float dt = 0.0f;             // step length, hours
  float TRaum = 20.0f;         // temperature of the room around the stores
  float MischSchwelle = 10.0f; // node-mixing threshold, K
  float QKollGemerkt = 0.0f;   // collector power before the model changed it
};

// Live values of the run window, percent; 0 where a divisor is still 0.
struct SimLaufwerte {
  float Deckungsrate = 0.0f;
  float Wirkungsgrad = 0.0f;
  // The four values of the live diagram from the four-day means.
  float MittelWirkungsgrad = 0.0f;
  float MittelDeckung = 0.0f;
  float MittelDeckungWW = 0.0f;
  float MittelPool = 0.0f;
};

struct SimState {
  // Run control: set by the observer (run window), read by the loops. Separate from the
  // program's dialog-cancel flag.
  bool PauseAktiv = false;
  bool AbbruchAnfrage = false;  // a model or the user asks to stop; becomes Abbruch after the step
  bool Abbruch = false;         // the run stops after the current day

  SpeicherGeometrie geo;
  StepFrame frame;

  // Location and orientation of the run.
  double ZeitzonenKorrektur = 0.0;   // clock time minus local mean solar time, hours
  float SinNeigung1 = 0.0f, CosNeigung1 = 1.0f, SinNeigung2 = 0.0f, CosNeigung2 = 1.0f;
  // Sine and cosine of the fixed azimuths of the two fields; set with the day.
  double SinAzimut1 = 0.0, CosAzimut1 = 1.0, SinAzimut2 = 0.0, CosAzimut2 = 1.0;

  // Step timing and sun.
  double SchrittDauer = 0.0;
  double HalbeSchrittDauer = 0.0;
  double SonnenzeitKorrektur = 0.0;
  double SonnenDeklination = 0.0;
  TagesSonne SonneDesTages;  // sines and cosines of latitude and declination of the day
  double SonnenHoehe = 0.0, SonnenAzimut = 0.0;
  double SinSonnenHoehe = 0.0, CosSonnenHoehe = 1.0;
  double SinSonnenAzimut = 0.0, CosSonnenAzimut = 1.0;
  float CosEinfall1 = 0.0f, CosEinfall2 = 0.0f;
  float NachfNeigung = 0.0f, NachfAzimut = 0.0f;
  bool Verschattet = false;
  bool Heiztag = false;
  bool PoolSaison = false;
  // Model air temperature of the day at 8 h, which decides the heating day; set once per day.
  float LuftTemp8 = 0.0f;

  // Irradiance block (W/m² for the weather values, W on the fields).
  float DirektNormal = 0.0f, DiffusHorizontal = 0.0f;
  float EinstrDirekt1 = 0.0f, EinstrDiffus1 = 0.0f, EinstrGesamt1 = 0.0f, EinstrWirksam1 = 0.0f;
  float EinstrDirekt2 = 0.0f, EinstrDiffus2 = 0.0f, EinstrGesamt2 = 0.0f, EinstrWirksam2 = 0.0f;
  float Einstrahlung1 = 0.0f;
  float DiffusAnteil = 0.0f, ExtraterrHorizontal = 0.0f, Exzentrizitaet = 1.0f;

  // Collector field (QKoll and RuecklaufTemp are in the moment state).
  float QKoll1 = 0.0f, QKoll2 = 0.0f;
  std::uint8_t KollFeld = 1;
  float TKollAus = 0.0f, TKollMittel = 0.0f, KollDeltaT = 0.0f, KollEta = 0.0f;
  float TKoll1 = 0.0f, TKoll2 = 0.0f;
  float PoolWTLeistung = 0.0f, PoolWTdT = 10.0f;

  // Stores and step energies (Wh per step, powers W).
  std::array<float, 14> SpTemp{};
  std::array<std::uint8_t, 7> SchichtReihenfolge = {0, 1, 2, 3, 4, 5, 6};  // [1..6]
  float SpVerlustKA1 = 0.0f, SpVerlustKA2 = 0.0f;
  float QSolar = 0.0f, QNachheiz = 0.0f, QSolHeiz = 0.0f, QPool = 0.0f, QHeizBedarf = 0.0f;
  float QWW = 0.0f, QVerlust = 0.0f;
  float QVerlustSumme = 0.0f, QVerlustSumme2 = 0.0f;
  float QHeizLeistung = 0.0f, THeizVor = 0.0f, THeizRueck = 0.0f;
  HeizkurvenPunkt Heizkurve;  // the heating curve's point of the last step
  float LegioZaehler = 0.0f;
  float TagErtragAbzug = 0.0f;
  float TFWERueck = 0.0f;   // return temperature of the fresh-water station
  float LFTdT = 0.0f;       // temperature drop over the low-flow solar exchanger of the step

  // Counters of the plant models (zeroed at run start), a second node array of the models
  // and their start-of-day flag (both reset each day).
  std::array<std::int32_t, 3> ModellZaehler{};
  std::array<float, 14> SpTempTag{};
  bool TagesBeginn = false;

  // Day balance, Wh.
  float TagEinstrahlung = 0.0f, TagSolarertrag = 0.0f, TagBrennstoff = 0.0f, WWTagesEnergie = 0.0f;
  float TagHeizbedarf = 0.0f, TagNachheizung = 0.0f, TagSolHeizen = 0.0f, TagPoolWaerme = 0.0f;
  // Values of the previous step for the trapezoid sums.
  float AltNachheiz = 0.0f, AltSolHeiz = 0.0f, AltPool = 0.0f, AltHeizBedarf = 0.0f;
  float AltEinstrahlung = 0.0f, AltSolar = 0.0f;

  // Seven-day history ([1..7], slot 7 the newest day) and four-day means.
  std::array<float, 8> WocheEinstrahlung{}, WocheSolarertrag{}, WocheNachheizung{},
      WocheSolHeizen{}, WochePoolWaerme{}, WocheWWBedarf{}, WocheVerlust{};
  float MittelEinstrahlung = 0.0f, MittelSolarertrag = 0.0f, MittelNachheizung = 0.0f,
        MittelSolHeizen = 0.0f, MittelPoolWaerme = 0.0f, MittelWWBedarf = 0.0f,
        MittelVerlust = 0.0f;

  // Running sums for the live display, kWh.
  float SummeSolarertrag = 0.0f, SummeSolHeizen = 0.0f, SummePoolWaerme = 0.0f,
        SummeWWBedarf = 0.0f, SummeHeizbedarf = 0.0f, SummeVerlust = 0.0f,
        SummeEinstrahlung = 0.0f;

  std::int16_t StundeZaehler = 0;  // next hour record of the current weather year
  bool Schaltjahr = false;
  std::int32_t SimTagNr = 0;       // day number being simulated
  float Verlust1Jahr = 0.0f;       // simulated annual loss of store 1, kWh
  std::int32_t EnevDurchlaeufe = 0;  // full runs made by the last EnEV calibration
};

}  // namespace tav
