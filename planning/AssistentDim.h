#pragma once
// The project wizard's sizing: first guess from the demand and the location's irradiation,
// the hot-water design (the best month reaches 95 % solar fraction, snapped to whole
// modules), the ring of area variants whose daily yield curves the wizard draws, the store
// rules and the heating-support loop. Every run is a silent one-year simulation of the state
// handed in; no window is involved, so tests and benchmarks drive it directly.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/TavVar.h"

namespace tav {

inline constexpr int kRingSaetze = 6;   // record 0 the reference, 1..5 the variants
inline constexpr int kMaxModule = 500;  // module counts are clamped to 1..kMaxModule
inline constexpr int kMaxHeizSchritte = 200;  // pass limit of the heating loop

// One ring record: [0] the collector area (0 = empty), [1..365] daily yields (kWh),
// [366] the annual yield (kWh).
using TErtragsSatz = std::array<float, 367>;

struct AssistentDim {
  std::array<TErtragsSatz, kRingSaetze> Ring{};
  // Solar fraction (%) of the run that filled each record: the figure shown for its area.
  std::array<float, kRingSaetze> RingDeckung{};
  int VariantenPos = 0;       // record written last (0 after a reset, then 1..5)
  float ZielFlaeche = 0.0f;   // design area of the hot-water sizing, m²
  float JahresErtrag = 0.0f;  // kWh of the last run
  float ErtragTWW = 0.0f;     // kWh of the hot-water design
  float Jahresbedarf = 0.0f;  // consumer demand of the last run, kWh
  float Deckungsrate = 0.0f;  // overall solar fraction of the last run, %
  float DeckungTWW = 0.0f;
  float DeckungHeizung = 0.0f;
  float FlaechenFaktor = 1.0f;
  float SpezErtragTWW = 0.0f;  // kWh/m² of the hot-water design
  int Laeufe = 0;              // silent runs made
  // A solar package is the plant (ApplySolarPackage) until the user leaves it
  // (VerlassePaketModus): its store is never sized anew meanwhile.
  bool PaketModus = false;
  // What the package replaced that no later step of the sizing sets again.
  struct PaketVorher {
    float Speicher2vol = 0.0f;
    std::uint8_t KombiSpTyp = 11;
    std::uint8_t SpeicherAnz = 1;
  } VorPaket;

  void LeereRing(int ab = 0) {
    for (int k = ab; k < kRingSaetze; ++k) Ring[static_cast<std::size_t>(k)][0] = 0.0f;
  }
};

// One silent one-year run of the state; false when nothing usable came out (a
// configuration problem or a cancel).
using StillerLauf = std::function<bool(TavState&)>;
// The engine's silent driver (calculation mode 4, run flags and RechenModus restored).
StillerLauf EchterStillerLauf();
// Called after every run, e.g. to show progress and keep a window responsive.
using LaufMeldung = std::function<void(const AssistentDim&)>;

// What the wizard's input pages hand to the first guess.
struct AssistentEingaben {
  std::string ProjektName;
  int KollektorNr = 1;         // catalogue index
  float Neigung = 45.0f;
  float Azimut = 0.0f;
  float WWkWhTag = 0.0f;       // hot-water heat per day
  float TWarm = 55.0f;
  float KAfaktor = 2.0f;       // largest enlargement factor (1.1..3.0)
  float QheizKWh = 0.0f;       // space-heating demand per year
  float Heizgrenze = 15.0f;
};

// --- Pure rules ---------------------------------------------------------------------------
// Hot-water heat per day (kWh) of `liter` litres heated from 10 °C to tWarm.
double WarmwasserKWhTag(double liter, double tWarm);
// Area (m²) that brings the best month to 95 %: a month without demand counts as 95 %;
// without any yield the area stays.
float ScaleAreaTo95(const TMonatsArray& ertrag, const TMonatsArray& bedarf1,
                    const TMonatsArray& bedarf2, float flaeche);
// First-guess area from the daily hot-water heat (Wh) and the annual irradiation (kWh/m²);
// 0 without irradiation.
float ErsteFlaeche(float wwWhTag, float einstrahlungJahr, bool vrk);
// Nearest whole module count for an area, clamped to 1..kMaxModule; modules are counted
// with ModulFlaecheOderEins (a module area of 0 counts 1 m² a module).
int ModulAnzahl(float flaeche, float modulFlaeche);
// The hot-water design area: `ziel` snapped to whole modules (counted as ModulAnzahl does);
// a combi plant keeps the unsnapped area when snapping moves it by more than 10 %.
float AufModule(float ziel, float modulFlaeche, bool kombi);
// Store volume bounds (litres) for an area: 30..120 l/m² for vacuum tubes, 25..100 l/m² else.
std::pair<float, float> SpeicherGrenzen(float flaeche, bool vrk);
// One 50-litre step within those bounds; a step that leaves them is taken back.
float SpeicherSchritt(float vol, bool hoch, float flaeche, bool vrk);
// Nominal power (W) of a fresh-water station for the daily hot-water heat (Wh).
float FWENennleistung(float wwWhTag);
// Stop test of the heating loop: beyond the enlargement factor or the store too small.
bool HeizSchleifeEnde(float flaechenFaktor, int kaFaktor, float flaeche, float volumen);

// --- Steps on the state -------------------------------------------------------------------
// The first guess and the fixed plant settings from the input pages (collector selected): a
// hot-water plant whose store is the guess, so no store name of before stays beside it.
void ApplyWizardInputs(TavState& g, const AssistentEingaben& e);
// Daily yields of the last run into rec[1..365] (each month scaled to the month's yield, so
// the curves and the fractions use the same figures), their sum into rec[366] and returned.
float SumDailyYields(const TavState& g, TErtragsSatz& rec);
// The hot-water design after the first guess: two runs. False when the first run fails or
// yields nothing (the first guess stays, the ring stays empty).
bool SizeHotWaterSystem(TavState& g, AssistentDim& d, bool kombi, const StillerLauf& lauf);
// A run of the current area into the next ring record 1..5. False when the run was refused:
// the ring is as it was, the area has no record.
bool RunAreaVariant(TavState& g, AssistentDim& d, const StillerLauf& lauf);
// The reference (ZielFlaeche) again into record 0, records 1..5 emptied. False when the run
// was refused: the ring is as it was.
bool RunBaseVariant(TavState& g, AssistentDim& d, const StillerLauf& lauf);
// Solar fraction shown for an area: that of the last record with this area, 0 when none.
float FractionForArea(const AssistentDim& d, float flaeche);
bool AreaNotInRing(const AssistentDim& d, float flaeche);
// Module step of the hot-water page: the new area, run when not yet in the ring.
float StepAreaVariant(TavState& g, AssistentDim& d, bool hoch, const StillerLauf& lauf);
// Store step of the hot-water page: new volume, reference and current area run again; when
// the reference run is refused the volume of before stays (and is returned).
float StepStoreVariant(TavState& g, AssistentDim& d, bool hoch, const StillerLauf& lauf);

// --- Solar packages ------------------------------------------------------------------------
// Gives each package in Text the catalogue collector nearest to its maker's collector text (a
// longer catalogue name is compared by its last characters) and flags (Anzeigen) the packages
// the wizard lists: those whose Text lies within the smallest tolerance 1..11 of `kollName`
// that finds any and whose plant type suits the combi box (1 without, 6..8 with); with `alle`
// or when no tolerance finds one, every package that suits the combi box. Returns the count.
int WaehlePakete(CatalogueState& c, const std::string& kollName, bool kombi, bool alle);
// Takes a package as the plant: its collector, modules, stores, plant type and store
// arrangement, with the wizard's inputs and fixed settings as in the first guess
// (anti-legionella stays; with `kombi` the first guess, on the package's collector, comes
// first); its area is the module count times ModulFlaecheOderEins of the collector's module
// area, its volumes and store name exactly the package's whatever the plant was before.
// Sets d.PaketModus. False when the package has no modules; nothing changes then.
bool ApplySolarPackage(TavState& g, AssistentDim& d, const AssistentEingaben& e, const TPaket& paket,
                       bool kombi = false);
// Leaves package mode: what only the package set (its store name, second volume, combi store
// arrangement and store count) goes back to what it was before. Nothing without package mode.
void VerlassePaketModus(TavState& g, AssistentDim& d);
// The hot-water design of a package: record 0 the package's run, the design area as in
// SizeHotWaterSystem, then the package's area again. False when a run fails or yields nothing.
bool SizeHotWaterFromPackage(TavState& g, AssistentDim& d, bool kombi, const StillerLauf& lauf);

// Heating support: plant type (6, or 8 when the project was type 8), stores, design load. In
// package mode the package's plant type, area and stores stay; only the design load is set.
void PrepareSolarHeating(TavState& g, AssistentDim& d, std::uint8_t gesichertTyp,
                         float qheizKWh, float heizgrenze);
void SizeHeatingStorage(TavState& g, const AssistentDim& d);
// A heating run of the current area into ring record 1 with its three fractions. False when
// the run was refused: the fractions are then no numbers (shown as a dash), record 1 empty.
bool RunHeatingVariant(TavState& g, AssistentDim& d, const StillerLauf& lauf);
// Module step of the heating page: the new area with its enlargement factor and stores (the
// package's stay in package mode), and its heating run as RunHeatingVariant makes it. Returns
// the new area.
float StepHeatingVariant(TavState& g, AssistentDim& d, bool hoch, const StillerLauf& lauf);
// The heating loop: add modules while the specific yield stays at the hot-water design's,
// then one module back; a refused run ends the loop there. In package mode the package is
// run as it stands (the loop sizes a store for every area). Returns the final area.
float SizeHeatingSupport(TavState& g, AssistentDim& d, const StillerLauf& lauf,
                         const LaufMeldung& meldung = {});
// Nominal heating power (W) for the annual demand at this design temperature; the monthly
// demand is recomputed. 0 when the temperature gives no heating demand.
float HeizleistungFuer(TavState& g, float tNorm);

}  // namespace tav
