#include "planning/AssistentDim.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "catalogues/Kollektoren.h"
#include "foundation/Sums.h"
#include "foundation/TavUtil.h"
#include "simulation/DayDriver.h"
#include "simulation/HeatingCircuit.h"
#include "simulation/PlantParams.h"
#include "simulation/SimRun.h"
#include "simulation/SimState.h"
#include "foundation/TavMathe.h"

namespace tav {

namespace {

constexpr std::array<int, 13> kMonatsTage = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr float kGleich = 0.001f;  // areas within this are the same variant
// Design flow and return (°C) of a heating circuit the wizard adds to a hot-water project.
constexpr float kWizardVorlauf = 55.0f, kWizardRuecklauf = 40.0f;

float Bedarf(const ResultState& r) { return (r.WWBedarfMonat[13] + r.VerlustMonat[13]) / 1000.0f; }

// Yield, demand and fraction of the last run, the daily curve into TagesErtrag.
void LiesLauf(TavState& g, AssistentDim& d) {
  CalcYearSums(g.results);
  d.Jahresbedarf = Bedarf(g.results);
  d.JahresErtrag = SumDailyYields(g, g.plant.TagesErtrag);
  d.Deckungsrate = d.Jahresbedarf > 0.0f ? d.JahresErtrag / d.Jahresbedarf * 100.0f : 0.0f;
  g.plant.TagesErtrag[0] = g.plant.KollektorFlaeche;
}

bool Laufe(TavState& g, AssistentDim& d, const StillerLauf& lauf) {
  ++d.Laeufe;
  return lauf(g);
}

// The temperatures, store losses, exchanger, circuit length and zoom the wizard fixes for
// every plant it sizes.
void FesteTemperaturen(PlantState& p, float tWarm) {
  p.Kaltwassertemp = 10.0f;
  p.Warmwassertemp = tWarm;
  p.Minimaltemp = p.Warmwassertemp - 1.0f;
  p.Maximaltemp = p.Warmwassertemp + 20.0f;
  p.SpeicherkWert = 0.3f;
  p.SpeicherkWert2 = 0.3f;
  p.Speichertauscherleistung = 60.0f;
  p.Solarkreislaenge = 0.1f * p.KollektorFlaeche + 12.0f;
  p.Pool = false;
  p.ZeitZoom = 15;
}

void InRing(AssistentDim& d, int k, const TErtragsSatz& rec, float deckung) {
  d.Ring[static_cast<std::size_t>(k)] = rec;
  d.RingDeckung[static_cast<std::size_t>(k)] = deckung;
}

}  // namespace

StillerLauf EchterStillerLauf() {
  auto s = std::make_shared<SimState>();
  return [s](TavState& g) {
    *s = SimState{};
    return RunSimSilent(g, *s) == SimErgebnis::Fertig;
  };
}

// --- Pure rules ---------------------------------------------------------------------------

double WarmwasserKWhTag(double liter, double tWarm) { return (tWarm - 10.0) * 4.1868 * liter / 3600.0; }

float ScaleAreaTo95(const TMonatsArray& ertrag, const TMonatsArray& bedarf1,
                    const TMonatsArray& bedarf2, float flaeche) {
  float fmax = 0.0f;
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m);
    const float bedarf = bedarf1[i] + bedarf2[i];
    const float f = bedarf > 0.0f ? ertrag[i] / bedarf * 100.0f : 95.0f;
    fmax = std::max(fmax, f);
  }
  return fmax <= 0.0f ? flaeche : flaeche * 95.0f / fmax;
}

float ErsteFlaeche(float wwWhTag, float einstrahlungJahr, bool vrk) {
  if (einstrahlungJahr <= 0.0f) return 0.0f;
  const float f = vrk ? 0.8f : 1.4f;
  return (f * wwWhTag / 2300.0f + f) * 1000.0f / einstrahlungJahr;
}

int ModulAnzahl(float flaeche, float modulFlaeche) {
  const double n = std::round(static_cast<double>(flaeche) / ModulFlaecheOderEins(modulFlaeche));
  return static_cast<int>(std::clamp(std::isnan(n) ? 1.0 : n, 1.0, static_cast<double>(kMaxModule)));
}

float AufModule(float ziel, float modulFlaeche, bool kombi) {
  if (!(ziel > 0.0f)) return ziel;
  const float a = static_cast<float>(ModulAnzahl(ziel, modulFlaeche)) * ModulFlaecheOderEins(modulFlaeche);
  if (kombi && std::fabs(a - ziel) / ziel > 0.1f) return ziel;
  return a;
}

std::pair<float, float> SpeicherGrenzen(float flaeche, bool vrk) {
  return vrk ? std::pair{flaeche * 30.0f, flaeche * 120.0f} : std::pair{flaeche * 25.0f, flaeche * 100.0f};
}

float SpeicherSchritt(float vol, bool hoch, float flaeche, bool vrk) {
  const auto [unten, oben] = SpeicherGrenzen(flaeche, vrk);
  const float v = vol + (hoch ? 50.0f : -50.0f);
  return (hoch ? v > oben : v < unten) ? vol : v;
}

float FWENennleistung(float wwWhTag) {
  const long k = std::lround(wwWhTag / 1000.0f);
  const int q = k < 10 ? 20 : k < 15 ? 30 : k < 30 ? 40 : k < 60 ? 50 : k < 100 ? 60 : 100;
  return static_cast<float>(q * 60000.0 * 4.1868 / 3600.0 * 35.0);
}

bool HeizSchleifeEnde(float flaechenFaktor, int kaFaktor, float flaeche, float volumen) {
  return flaechenFaktor * 10.0f > static_cast<float>(kaFaktor) + 1e-4f || flaeche * 50.0f > volumen;
}

// --- Steps on the state -------------------------------------------------------------------

void ApplyWizardInputs(TavState& g, const AssistentEingaben& e) {
  PlantState& p = g.plant;
  p.KAfaktor = static_cast<std::uint16_t>(std::lround(std::clamp(e.KAfaktor, 1.1f, 3.0f) * 10.0f));
  p.ProjektName = e.ProjektName;
  p.KollektorNr = static_cast<std::int16_t>(e.KollektorNr);
  p.KollektorNeigung = e.Neigung;
  p.KollektorAzimut = e.Azimut;
  p.Warmwasserverbrauch = e.WWkWhTag * 1000.0f;
  SelectKollektor(g, e.KollektorNr);
  p.KollektorMontage = 1;
  // The plant type first: its change adapts the volumes of the plant before (a combi store's
  // second volume would be added to the guess), the guess then stands as computed.
  SetAnlgParam(p, 1);
  const float einstrahlung = static_cast<float>(SumMonthsByDaysS(g.loc.EinstrahlungMonat));
  const float a = ErsteFlaeche(p.Warmwasserverbrauch, einstrahlung, p.KollVRK);
  // Without irradiation figures the first guess falls back to one module per 1.5 kWh a day.
  p.KollektorFlaeche = a > 0.0f ? a : std::max(1.0f, p.Warmwasserverbrauch / 1500.0f);
  const float v = p.KollektorFlaeche * (p.KollVRK ? 70.0f : 50.0f);
  p.Speicher1vol = std::max(50.0f, std::round(v / 50.0f) * 50.0f);
  // The guess is no catalogue store: a name of before (a package's) would stand beside it.
  p.SpeicherName.clear();
  p.OstWestKollektor = false;
  p.KollektorFlow = 50.0f;
  p.LFTkreis = false;
  p.AntiLegionella = false;
  p.SkyMapAktiv = false;
  p.BivSpTyp = 0;
  FesteTemperaturen(p, e.TWarm);
}

float SumDailyYields(const TavState& g, TErtragsSatz& rec) {
  const int jahr = std::clamp<int>(g.run.WetterDatensatz, 1, kWetterSaetze);
  const ResultState& r = g.results;
  int tag = 1;
  float summe = 0.0f;
  for (int m = 1; m <= 12; ++m) {
    const int erster = tag;
    double monat = 0.0;
    for (int t = 0; t < kMonatsTage[static_cast<std::size_t>(m)]; ++t, ++tag) {
      double tagSumme = 0.0;
      for (int h = 0; h < 24; ++h) tagSumme += r.Stunde(jahr, 1, (tag - 1) * 24 + h);
      rec[static_cast<std::size_t>(tag)] = static_cast<float>(std::max(0.0, tagSumme) / 1000.0);
      monat += rec[static_cast<std::size_t>(tag)];
    }
    // The hourly store samples the power once an hour; the month's integrated yield is the
    // figure the fractions use, so the days are scaled to it.
    const double ziel = r.SolarertragMonat[static_cast<std::size_t>(m)] / 1000.0;
    const double faktor = monat > 0.0 ? ziel / monat : 0.0;
    for (int t = erster; t < tag; ++t) {
      rec[static_cast<std::size_t>(t)] = static_cast<float>(rec[static_cast<std::size_t>(t)] * faktor);
      summe += rec[static_cast<std::size_t>(t)];
    }
  }
  rec[366] = summe;
  return summe;
}

namespace {
// The hot-water design: a run of the current plant, the area that brings the best month to
// 95 %, snapped, and its run. With a package its own run is the reference curve and its area
// comes back at the end; otherwise the design run is the reference.
bool AuslegungTWW(TavState& g, AssistentDim& d, bool kombi, const StillerLauf& lauf, bool paket) {
  PlantState& p = g.plant;
  const float paketFlaeche = p.KollektorFlaeche;
  d.LeereRing();
  d.VariantenPos = 0;
  // A run that could not start leaves the results of before: nothing to size from.
  if (!Laufe(g, d, lauf)) return false;
  CalcYearSums(g.results);
  if (!(g.results.SolarertragMonat[13] > 0.0f)) return false;
  if (paket) {
    LiesLauf(g, d);
    InRing(d, 0, p.TagesErtrag, d.Deckungsrate);
  }
  const float vorher = p.KollektorFlaeche;
  d.ZielFlaeche = ScaleAreaTo95(g.results.SolarertragMonat, g.results.WWBedarfMonat,
                                g.results.VerlustMonat, p.KollektorFlaeche);
  p.KollektorFlaeche = AufModule(d.ZielFlaeche, p.KollModulFlaeche, kombi);
  d.ZielFlaeche = p.KollektorFlaeche;
  if (!Laufe(g, d, lauf)) {
    // What a refused run left behind is no design: the area of before stays, the ring empty.
    p.KollektorFlaeche = vorher;
    d.ZielFlaeche = vorher;
    d.LeereRing();
    return false;
  }
  LiesLauf(g, d);
  if (!paket) InRing(d, 0, p.TagesErtrag, d.Deckungsrate);
  d.ErtragTWW = d.JahresErtrag;
  d.SpezErtragTWW = p.KollektorFlaeche > 0.0f ? d.JahresErtrag / p.KollektorFlaeche : 0.0f;
  if (paket) p.KollektorFlaeche = paketFlaeche;
  return true;
}
}  // namespace

bool SizeHotWaterSystem(TavState& g, AssistentDim& d, bool kombi, const StillerLauf& lauf) {
  return AuslegungTWW(g, d, kombi, lauf, false);
}

bool SizeHotWaterFromPackage(TavState& g, AssistentDim& d, bool kombi, const StillerLauf& lauf) {
  return AuslegungTWW(g, d, kombi, lauf, true);
}

bool RunAreaVariant(TavState& g, AssistentDim& d, const StillerLauf& lauf) {
  // A refused run is no variant: the results it left (of before, or cleared) stay out of the ring.
  if (!Laufe(g, d, lauf)) return false;
  LiesLauf(g, d);
  d.VariantenPos = d.VariantenPos + 1 > 5 ? 1 : d.VariantenPos + 1;
  InRing(d, d.VariantenPos, g.plant.TagesErtrag, d.Deckungsrate);
  return true;
}

bool RunBaseVariant(TavState& g, AssistentDim& d, const StillerLauf& lauf) {
  const float flaeche = g.plant.KollektorFlaeche;
  g.plant.KollektorFlaeche = d.ZielFlaeche;
  const bool ok = Laufe(g, d, lauf);
  if (ok) {
    d.LeereRing(1);
    LiesLauf(g, d);
    d.VariantenPos = 0;
    InRing(d, 0, g.plant.TagesErtrag, d.Deckungsrate);
  }
  g.plant.KollektorFlaeche = flaeche;
  return ok;
}

float FractionForArea(const AssistentDim& d, float flaeche) {
  float f = 0.0f;
  for (int k = 0; k < kRingSaetze; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (d.Ring[i][0] > 0.0f && std::fabs(d.Ring[i][0] - flaeche) < kGleich) f = d.RingDeckung[i];
  }
  return f;
}

bool AreaNotInRing(const AssistentDim& d, float flaeche) {
  for (const auto& rec : d.Ring)
    if (rec[0] > 0.0f && std::fabs(rec[0] - flaeche) < kGleich) return false;
  return true;
}

float StepAreaVariant(TavState& g, AssistentDim& d, bool hoch, const StillerLauf& lauf) {
  PlantState& p = g.plant;
  p.KollektorFlaeche = StepModuleArea(hoch, p.KollektorFlaeche, p.KollModulFlaeche, kMaxModule).Flaeche;
  if (AreaNotInRing(d, p.KollektorFlaeche)) RunAreaVariant(g, d, lauf);
  return p.KollektorFlaeche;
}

float StepStoreVariant(TavState& g, AssistentDim& d, bool hoch, const StillerLauf& lauf) {
  PlantState& p = g.plant;
  const float volumen = p.Speicher1vol;
  const std::string name = p.SpeicherName;
  p.Speicher1vol = SpeicherSchritt(p.Speicher1vol, hoch, p.KollektorFlaeche, p.KollVRK);
  p.SpeicherName.clear();
  if (!RunBaseVariant(g, d, lauf)) {
    // The ring belongs to the store before: it comes back with the ring.
    p.Speicher1vol = volumen;
    p.SpeicherName = name;
    return p.Speicher1vol;
  }
  if (std::fabs(p.KollektorFlaeche - d.ZielFlaeche) >= kGleich) RunAreaVariant(g, d, lauf);
  return p.Speicher1vol;
}

void SizeHeatingStorage(TavState& g, const AssistentDim& d) {
  PlantState& p = g.plant;
  p.Speicher1vol = p.KollektorFlaeche * d.FlaechenFaktor * 45.0f * (p.KollVRK ? 1.5f : 1.0f);
  p.SpeicherName.clear();
  if (p.AnlagenTypNr == 6) {
    const bool gross = p.WWBedarfEinheiten >= 4.0f;
    std::uint16_t v1 = gross ? 860 : 620;
    std::uint16_t v2 = gross ? 50 : 40;
    FindStorageForVolume(g.cat, 6, p.KombiSpTyp, p.SpeicherName, v2, v1);
    p.SpeicherAnz = p.WWBedarfEinheiten >= 20.0f ? 3 : p.WWBedarfEinheiten >= 10.0f ? 2 : 1;
    p.Speicher2vol = static_cast<float>(p.SpeicherAnz * v2);
    p.Speicher1vol = static_cast<float>(p.SpeicherAnz * v1);
  } else {
    p.Speicher1vol = std::round(p.Speicher1vol / 50.0f) * 50.0f;
  }
  p.Speicher1vol = std::max(p.Speicher1vol, 100.0f);
}

float HeizleistungFuer(TavState& g, float tNorm) {
  PlantState& p = g.plant;
  g.results.HeizbedarfMonat.fill(0.0f);
  CalcHeizbedarfMonat(g.results, g.loc, 1000.0f, tNorm, p.Heizgrenztemp);
  const float h = g.results.HeizbedarfMonat[13];
  return h > 0.0f ? p.Heizwaermebedarf / h * 1000.0f : 0.0f;
}

void PrepareSolarHeating(TavState& g, AssistentDim& d, std::uint8_t gesichertTyp,
                         float qheizKWh, float heizgrenze) {
  PlantState& p = g.plant;
  p.WWBedarfEinheiten = p.Warmwasserverbrauch / 1000.0f / 2.3f;
  if (d.PaketModus) {
    // Deliberate: a package keeps its plant type, area and store here; sizing a store anew
    // would drop the package the user chose.
    d.FlaechenFaktor = d.ZielFlaeche > 0.0f ? p.KollektorFlaeche / d.ZielFlaeche : 1.0f;
    if (p.AnlagenTypNr == 8) p.FWEnennleistung = FWENennleistung(p.Warmwasserverbrauch);
  } else {
    p.KollektorFlaeche = d.ZielFlaeche;
    d.FlaechenFaktor = 1.0f;
    // The plant type first: it decides the store rule and adapts the volumes.
    if (gesichertTyp == 8) {
      p.FWEnennleistung = FWENennleistung(p.Warmwasserverbrauch);
      SetAnlgParam(p, 8);
    } else {
      SetAnlgParam(p, 6);
      p.KombiSpTyp = SpeicherTypen[StandardKombiSpTyp].Code;
    }
    SizeHeatingStorage(g, d);
  }
  p.Maximaltemp = std::min(p.Warmwassertemp + 30.0f, 90.0f);
  p.HeizTnorm = static_cast<float>(CalcMinAussenTemp(g.weather) + 2);
  p.Heizgrenztemp = heizgrenze;
  p.Heizwaermebedarf = std::max(0.0f, qheizKWh) * 1000.0f;
  p.HeizQnorm = HeizleistungFuer(g, p.HeizTnorm);
  // A project that had no heating circuit gets a low-temperature one, or no run could start.
  if (!HeizkurveGueltig(p.HeizTnorm, p.HeizTvor100, p.HeizTrck100)) {
    p.HeizTvor100 = kWizardVorlauf;
    p.HeizTrck100 = kWizardRuecklauf;
  }
}

bool RunHeatingVariant(TavState& g, AssistentDim& d, const StillerLauf& lauf) {
  PlantState& p = g.plant;
  const ResultState& r = g.results;
  if (!Laufe(g, d, lauf)) {
    // No figures for this area: none of another run pass for them.
    d.Deckungsrate = d.DeckungTWW = d.DeckungHeizung = std::numeric_limits<float>::quiet_NaN();
    d.LeereRing(1);
    return false;
  }
  LiesLauf(g, d);
  const float wwWh = r.WWBedarfMonat[13] + r.VerlustMonat[13];
  const float gesamt = p.Heizwaermebedarf / 1000.0f + d.Jahresbedarf;
  d.Deckungsrate = gesamt > 0.0f ? d.JahresErtrag / gesamt * 100.0f : 0.0f;
  d.DeckungTWW = wwWh > 0.0f ? (r.SolarertragMonat[13] - r.SolHeizenMonat[13]) / wwWh * 100.0f : 0.0f;
  d.DeckungHeizung = p.Heizwaermebedarf > 0.0f
                         ? std::min(100.0f, r.SolHeizenMonat[13] / p.Heizwaermebedarf * 100.0f)
                         : 0.0f;
  InRing(d, 1, p.TagesErtrag, d.Deckungsrate);
  return true;
}

float StepHeatingVariant(TavState& g, AssistentDim& d, bool hoch, const StillerLauf& lauf) {
  PlantState& p = g.plant;
  p.KollektorFlaeche = StepModuleArea(hoch, p.KollektorFlaeche, p.KollModulFlaeche, kMaxModule).Flaeche;
  d.FlaechenFaktor = d.ZielFlaeche > 0.0f ? p.KollektorFlaeche / d.ZielFlaeche : 1.0f;
  if (!d.PaketModus) SizeHeatingStorage(g, d);
  RunHeatingVariant(g, d, lauf);
  return p.KollektorFlaeche;
}

float SizeHeatingSupport(TavState& g, AssistentDim& d, const StillerLauf& lauf,
                         const LaufMeldung& meldung) {
  PlantState& p = g.plant;
  d.LeereRing(1);
  if (d.PaketModus) {
    // Deliberate: the package as it stands; the loop sizes a store for every area it tries.
    RunHeatingVariant(g, d, lauf);
    if (meldung) meldung(d);
    return p.KollektorFlaeche;
  }
  const float modul = ModulFlaecheOderEins(p.KollModulFlaeche);
  float a = static_cast<float>(ModulAnzahl(d.ZielFlaeche, modul)) * modul;
  for (int pass = 0; pass < kMaxHeizSchritte && a + modul <= kMaxModule * modul; ++pass) {
    a += modul;
    p.KollektorFlaeche = a;
    d.FlaechenFaktor = d.ZielFlaeche > 0.0f ? a / d.ZielFlaeche : 1.0f;
    SizeHeatingStorage(g, d);
    const float v = p.Speicher1vol + (p.AnlagenTypNr == 6 ? p.Speicher2vol : 0.0f);
    if (HeizSchleifeEnde(d.FlaechenFaktor, p.KAfaktor, a, v)) break;
    const bool ok = RunHeatingVariant(g, d, lauf);
    if (meldung) meldung(d);
    if (!ok) break;  // nothing to compare: the area before is the design
    const float spez = g.results.SolarertragMonat[13] / 1000.0f / a;
    if (spez < d.SpezErtragTWW) break;
  }
  a = std::max(modul, a - modul);
  p.KollektorFlaeche = a;
  d.FlaechenFaktor = d.ZielFlaeche > 0.0f ? a / d.ZielFlaeche : 1.0f;
  SizeHeatingStorage(g, d);
  RunHeatingVariant(g, d, lauf);
  if (meldung) meldung(d);
  return a;
}

namespace {
// The last n characters (code points) of a UTF-8 text.
std::string_view RechteZeichen(std::string_view s, std::size_t n) {
  std::size_t pos = s.size();
  while (pos > 0 && n > 0) {
    --pos;
    if ((static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80) --n;
  }
  return s.substr(pos);
}
std::size_t Zeichen(std::string_view s) {
  std::size_t n = 0;
  for (char ch : s) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return n;
}
bool PasstZurKombi(const TPaket& p, bool kombi) { return kombi ? (p.TypNr >= 6 && p.TypNr <= 8) : p.TypNr == 1; }
}  // namespace

int WaehlePakete(CatalogueState& c, const std::string& kollName, bool kombi, bool alle) {
  for (TPaket& p : c.Solarpakete) {
    std::int32_t best = 10000;
    p.Text.clear();
    const std::size_t laenge = Zeichen(p.Kollektor);
    for (int k = 1; k <= c.KollektorAnzahl && k < static_cast<int>(c.Kollektoren.size()); ++k) {
      const std::string& name = c.Kollektoren[static_cast<std::size_t>(k)].Name;
      const std::string_view vergleich = Zeichen(name) > laenge ? RechteZeichen(name, laenge) : std::string_view(name);
      const std::int32_t d = StringDistance(vergleich, p.Kollektor);
      if (d < best) {
        best = d;
        p.Text = name;
      }
    }
  }
  auto liste = [&](int toleranz) {
    int n = 0;
    for (TPaket& p : c.Solarpakete) {
      const bool ja = PasstZurKombi(p, kombi) && (toleranz < 0 || StringDistance(p.Text, kollName) <= toleranz);
      p.Anzeigen = ja ? 1 : 0;
      n += ja;
    }
    return n;
  };
  if (!alle) {
    for (int t = 1; t <= 11; ++t) {
      const int n = liste(t);
      if (n > 0) return n;
    }
  }
  return liste(-1);
}

bool ApplySolarPackage(TavState& g, AssistentDim& d, const AssistentEingaben& e, const TPaket& paket,
                       bool kombi) {
  PlantState& p = g.plant;
  std::uint16_t distanz = 0;
  const int nr = FindKollektor(g.cat, paket.Text, distanz);
  if (nr < 1 || paket.KollAnz == 0) return false;
  if (!d.PaketModus) d.VorPaket = {p.Speicher2vol, p.KombiSpTyp, p.SpeicherAnz};
  if (kombi) {
    // The fixed plant values the package does not carry, guessed on the package's collector.
    AssistentEingaben paketE = e;
    paketE.KollektorNr = nr;
    ApplyWizardInputs(g, paketE);
  }
  p.KAfaktor = static_cast<std::uint16_t>(std::lround(std::clamp(e.KAfaktor, 1.1f, 3.0f) * 10.0f));
  p.ProjektName = e.ProjektName;
  p.KollektorNeigung = e.Neigung;
  p.KollektorAzimut = e.Azimut;
  p.Warmwasserverbrauch = e.WWkWhTag * 1000.0f;
  p.KollektorNr = static_cast<std::int16_t>(nr);
  SelectKollektor(g, nr);
  p.KollektorMontage = 1;
  // Deliberate: the plant type before the package's figures. A type change adapts the volumes
  // of the plant before (adds a second volume to the first, or takes it off), which made
  // "Solarspeicher 300" a 350 l store and a 700 + 50 l combi store 650 + 50 l.
  SetAnlgParam(p, paket.TypNr);
  p.KollektorFlaeche = static_cast<float>(paket.KollAnz) * ModulFlaecheOderEins(p.KollModulFlaeche);
  p.SpeicherName = paket.Speicher;
  p.Speicher1vol = paket.SpVol1;
  if (paket.SpVol2 != 0) p.Speicher2vol = paket.SpVol2;
  p.SpeicherAnz = 1;  // one package, one store
  p.OstWestKollektor = false;
  p.KollektorFlow = 50.0f;
  p.LFTkreis = false;
  p.SkyMapAktiv = false;
  if (p.AnlagenTypNr == 1) p.BivSpTyp = FindSpTypNr(paket.BivSpTyp);
  if (p.AnlagenTypNr == 6) p.KombiSpTyp = FindSpTypNrOr11(paket.BivSpTyp);
  // Checks the store arrangement (a run derives its geometry itself).
  SpeicherGeometrie geo;
  SetSpeicherParam(p, geo);
  FesteTemperaturen(p, e.TWarm);
  d.PaketModus = true;
  return true;
}

void VerlassePaketModus(TavState& g, AssistentDim& d) {
  if (!d.PaketModus) return;
  PlantState& p = g.plant;
  p.SpeicherName.clear();
  p.Speicher2vol = d.VorPaket.Speicher2vol;
  p.KombiSpTyp = d.VorPaket.KombiSpTyp;
  p.SpeicherAnz = d.VorPaket.SpeicherAnz;
  d.PaketModus = false;
}

}  // namespace tav
