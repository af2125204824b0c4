#include "project/ProjektRecord.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "project/ProjektSkyMap.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "simulation/PlantParams.h"

namespace tav {

namespace {

using SpTypLookUp = std::uint8_t (*)(std::string_view);

// Code text of a storage sub-type as the record holds it: the table's code text when the
// reader's look-up gives the same number back, else "#" + the number, so that no choice of
// the plant dialog is lost between saving and loading.
std::string SpTypRecordText(std::uint8_t nr, std::string code, SpTypLookUp lookUp) {
  if (lookUp(code) == nr) return code;
  return "#" + std::to_string(nr);
}

std::uint8_t SpTypAusRecord(const std::string& text, SpTypLookUp lookUp) {
  if (auto nr = SpTypNummer(text)) return *nr;
  return lookUp(text);
}

// Double to float; values beyond the float range become its largest value.
float Narrow(double x) {
  constexpr double grenze = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(x, -grenze, grenze));
}

}  // namespace

std::string LinksZeichen(const std::string& text, std::size_t n) {
  if (Utf8Length(text) <= n) return text;
  return CodePointsToUtf8(Utf8ToCodePoints(text).substr(0, n));
}

void SpTypCodeText(std::uint8_t Nr, std::string& Code) {
  for (std::size_t i = 1; i <= SpeicherTypAnzahl; ++i) {
    if (SpeicherTypen[i].Code == Nr) Code = std::string(SpeicherTypen[i].Name);
  }
}

std::optional<std::uint8_t> SpTypNummer(std::string_view recordText) {
  if (recordText.size() < 2 || recordText.front() != '#') return std::nullopt;
  unsigned value = 0;
  const char* first = recordText.data() + 1;
  const char* last = recordText.data() + recordText.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

void FillProjekt(const PlantState& p, TProjekt& r, double jetzt) {
  r.ProjektName = p.ProjektName;
  r.Info1 = p.Info1;
  r.Info2 = p.Info2;
  r.Standort = p.Standort;
  r.OrtNr = static_cast<std::uint16_t>(std::clamp<std::int32_t>(p.OrtNr, 0, 65535));
  r.Kollektor = p.Kollektor;
  // A mounting number outside the table stores the fixed mounting.
  const int montage = (p.KollektorMontage >= 1 && p.KollektorMontage <= kMontagen)
                          ? p.KollektorMontage
                          : 1;
  r.KollektorMontage = std::string(MontageTexte[static_cast<std::size_t>(montage)]);

  r.KollektorFlaeche = p.KollektorFlaeche;
  r.KollektorAzimut = p.KollektorAzimut;
  r.KollektorNeigung = p.KollektorNeigung;
  r.OstWestKollektor = p.OstWestKollektor;
  if (p.OstWestKollektor) {
    r.KollektorFlaeche2 = p.KollektorFlaeche2;
    r.KollektorAzimut2 = p.KollektorAzimut2;
    r.KollektorNeigung2 = p.KollektorNeigung2;
  }
  r.KollektorFlow = p.KollektorFlow;
  r.LFTkreis = p.LFTkreis;

  std::string kombi, biv;
  SpTypCodeText(p.KombiSpTyp, kombi);
  SpTypCodeText(p.BivSpTyp, biv);
  r.KombiSpTyp = SpTypRecordText(p.KombiSpTyp, kombi, FindSpTypNrOr11);
  r.BivSpTyp = SpTypRecordText(p.BivSpTyp, biv, FindSpTypNr);
  // The heat-exchanger store type has no code text of its own in the file; only a value the
  // reader would not restore by itself is kept.
  r.KombiSpeicherWT = SpTypRecordText(p.KombiSpeicherWT, std::string(), FindSpTypNr16);
  r.KaskadeTyp = p.KaskadeTyp == 13 ? "2SP" : "DLE";

  r.SkyMap = p.SkyMapAktiv ? EncodeSkyMap(p.SkyMapDaten) : std::string();

  r.AnlagenTypNr = p.AnlagenTypNr;
  r.AnlagenTyp = p.AnlagenTyp;
  r.SpeicherName = p.SpeicherName;
  r.Zapfprofil = p.Zapfprofil;
  r.konvEnergie = p.konvEnergie;

  r.Kaltwassertemp = p.Kaltwassertemp;
  r.Warmwassertemp = p.Warmwassertemp;
  r.Minimaltemp = p.Minimaltemp;
  r.Maximaltemp = p.Maximaltemp;
  r.Maximaltemp2 = p.Maximaltemp2;
  r.MaxTempWinter = p.MaxTempWinter;
  r.Heiztemp = p.Heiztemp;
  r.Heizgrenztemp = p.Heizgrenztemp;
  r.Heizwaermebedarf = p.Heizwaermebedarf;
  r.Heiztauscherleistung = p.Heiztauscherleistung;
  r.HeiztauscherDeltaT = p.HeiztauscherDeltaT;
  r.FWEnennleistung = p.FWEnennleistung;
  r.FWEdTmin = p.FWEdTmin;
  r.Glykolanteil = p.Glykolanteil;
  r.Speicher1vol = p.Speicher1vol;
  r.Speicher2vol = p.Speicher2vol;
  r.SpeicherAnz = p.SpeicherAnz;
  r.SpeicherkWert = p.SpeicherkWert;
  r.Speichertauscherleistung = p.Speichertauscherleistung;
  r.Solarkreislaenge = p.Solarkreislaenge;
  r.RohrTyp = p.RohrTyp;
  r.Warmwasserverbrauch = p.Warmwasserverbrauch;

  r.Zirkulation = p.Zirkulation;
  r.ZiZeiten = EncodeDaySchedule(p.ZiZeiten);
  r.ZiLaenge = p.ZiLaenge;
  r.ZiVol = p.ZiVol;
  r.ZiModus = p.ZiModus;

  r.Pool = p.Pool;
  r.PoolTemp = p.PoolTemp;
  r.PoolVol = p.PoolVol;
  r.PoolSpminTemp = p.PoolSpminTemp;
  r.PoolStart = p.PoolStart;
  r.PoolEnde = p.PoolEnde;
  r.PoolWTdir = p.PoolWTdir;
  r.AntiLegionella = p.AntiLegionella;

  r.HeizQnorm = p.HeizQnorm;
  r.HeizTnorm = p.HeizTnorm;
  r.HeizTvor100 = p.HeizTvor100;
  r.HeizTrck100 = p.HeizTrck100;
  r.HeizkreisTyp = p.HeizkreisTyp;
  r.ZeitZoom = p.ZeitZoom;
  // The record holds a byte; a larger factor is stored as the largest it can hold.
  r.KAfaktor = static_cast<std::uint8_t>(std::min<std::uint16_t>(p.KAfaktor, 255));

  r.Datum = jetzt;
}

void ApplyProjekt(const TProjekt& r, PlantState& p) {
  // r may be p.Projekt itself: that is safe, as nothing below writes p.Projekt.
  p.ProjektName = r.ProjektName;
  p.Info1 = r.Info1;
  p.Info2 = r.Info2;
  p.Standort = r.Standort;
  p.OrtNr = r.OrtNr;
  p.Kollektor = LinksZeichen(r.Kollektor, 50);

  // A loaded project has the fixed mounting whatever text it holds: no dialog keeps another
  // mounting, and the tracking ones exist only inside the instantaneous-output tool.
  p.KollektorMontage = 1;

  p.KollektorFlaeche = Narrow(r.KollektorFlaeche);
  p.KollektorAzimut = Narrow(r.KollektorAzimut);
  p.KollektorNeigung = Narrow(r.KollektorNeigung);
  p.OstWestKollektor = r.OstWestKollektor;
  if (p.OstWestKollektor) {
    p.KollektorFlaeche2 = Narrow(r.KollektorFlaeche2);
    p.KollektorAzimut2 = Narrow(r.KollektorAzimut2);
    p.KollektorNeigung2 = Narrow(r.KollektorNeigung2);
    p.KollektorFlaecheGesamt = p.KollektorFlaeche + p.KollektorFlaeche2;
  } else {
    p.KollektorFlaeche2 = p.KollektorFlaeche;
    p.KollektorNeigung2 = p.KollektorNeigung;
    p.KollektorAzimut2 = p.KollektorAzimut + 180.0f;
    if (p.KollektorAzimut2 > 180.0f) p.KollektorAzimut2 -= 360.0f;
    p.KollektorFlaecheGesamt = p.KollektorFlaeche;
  }
  p.KollektorFlow = Narrow(r.KollektorFlow);
  p.LFTkreis = r.LFTkreis;

  // An empty horizon switches shading off but keeps the grid for a later switch-on.
  if (r.SkyMap.empty()) {
    p.SkyMapAktiv = false;
  } else {
    p.SkyMapAktiv = true;
    DecodeSkyMap(r.SkyMap, p.SkyMapDaten);
  }

  p.Zapfprofil = r.Zapfprofil;
  p.konvEnergie = r.konvEnergie;
  p.Kaltwassertemp = Narrow(r.Kaltwassertemp);
  p.Warmwassertemp = Narrow(r.Warmwassertemp);
  p.Minimaltemp = Narrow(r.Minimaltemp);
  p.Maximaltemp = Narrow(r.Maximaltemp);
  p.Maximaltemp2 = Narrow(r.Maximaltemp2);
  p.MaxTempWinter = Narrow(r.MaxTempWinter);
  p.Heiztemp = Narrow(r.Heiztemp);
  p.Heizgrenztemp = Narrow(r.Heizgrenztemp);
  p.Heizwaermebedarf = Narrow(r.Heizwaermebedarf);
  p.Heiztauscherleistung = Narrow(r.Heiztauscherleistung);
  p.HeiztauscherDeltaT = Narrow(r.HeiztauscherDeltaT);
  p.FWEnennleistung = Narrow(r.FWEnennleistung);
  p.FWEdTmin = Narrow(r.FWEdTmin);
  p.Glykolanteil = Narrow(r.Glykolanteil);
  p.Speicher1vol = Narrow(r.Speicher1vol);
  p.Speicher2vol = Narrow(r.Speicher2vol);

  p.SpeicherAnz = static_cast<std::uint8_t>(IntClamp(r.SpeicherAnz, 1, 3));

  p.AnlagenTyp = LinksZeichen(r.AnlagenTyp, 20);
  p.AnlagenTypNr = static_cast<std::uint8_t>(std::min<std::uint16_t>(r.AnlagenTypNr, 255));

  p.BivSpTyp = SpTypAusRecord(r.BivSpTyp, FindSpTypNr);
  p.KombiSpTyp = SpTypAusRecord(r.KombiSpTyp, FindSpTypNrOr11);
  p.KombiSpeicherWT = SpTypAusRecord(r.KombiSpeicherWT, FindSpTypNr16);
  // The cascade kind is kept as stored: the plant dialog offers both and the engine
  // treats them differently.
  p.KaskadeTyp = r.KaskadeTyp == "DLE" ? 14 : 13;

  p.SpeicherName = r.SpeicherName;
  p.SpeicherkWert = Narrow(r.SpeicherkWert);
  p.SpeicherkWert2 = Narrow(r.SpeicherkWert);
  p.Speichertauscherleistung = std::max(Narrow(r.Speichertauscherleistung), 20.0f);
  p.Solarkreislaenge = Narrow(r.Solarkreislaenge);
  p.RohrTyp = r.RohrTyp;
  p.Warmwasserverbrauch = Narrow(r.Warmwasserverbrauch);

  p.Zirkulation = r.Zirkulation;
  DecodeDaySchedule(r.ZiZeiten, p.ZiZeiten);
  p.ZiLaenge = Narrow(r.ZiLaenge);
  p.ZiVol = Narrow(r.ZiVol);
  p.ZiModus = r.ZiModus;

  p.Pool = r.Pool;
  p.PoolTemp = Narrow(r.PoolTemp);
  p.PoolVol = Narrow(r.PoolVol);
  p.PoolSpminTemp = Narrow(r.PoolSpminTemp);
  p.PoolStart = r.PoolStart;
  p.PoolEnde = r.PoolEnde;
  p.PoolWTdir = r.PoolWTdir;
  p.AntiLegionella = r.AntiLegionella;

  p.HeizQnorm = Narrow(r.HeizQnorm);
  p.HeizTnorm = Narrow(r.HeizTnorm);
  p.HeizTvor100 = Narrow(r.HeizTvor100);
  p.HeizTrck100 = Narrow(r.HeizTrck100);
  p.HeizkreisTyp = r.HeizkreisTyp;
  p.KAfaktor = r.KAfaktor;

  p.ZeitZoom = std::max<std::uint8_t>(r.ZeitZoom, 5);
}

}  // namespace tav
