#pragma once
// Shared pieces of the project-file tests: catalogue services that record their calls
// and resolve nothing, a fixed clock, a temporary data folder and a fully set project.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/ProjektKatalogDienste.h"
#include "foundation/StatusSink.h"
#include "foundation/TavMathe.h"
#include "foundation/TavVar.h"
#include "simulation/PlantParams.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace tav::test {

// Named apart from the location tests' recorder: both live in one test executable.
struct ProjektStatusRecorder : StatusSink {
  std::vector<std::string> texte;
  void Status(const std::string& text) override { texte.push_back(text); }
};

// The catalogue readers only record the call (the collector reader also lists `kollektoren`);
// the plant-type services are the engine's own.
class FakeDienste : public ProjektKatalogDienste {
 public:
  std::vector<std::string> aufrufe;
  std::vector<std::string> kollektoren = {"Solar 1", "Flachkollektor FK 2", "Vakuum 3"};
  double jetzt = EncodeDate(2026, 12, 10) + EncodeTime(14, 30, 15);
  ProjektStatusRecorder status;

  void ReadOrte(TavState&) override { aufrufe.emplace_back("ReadOrte"); }
  void ReadKollektoren(TavState& s) override {
    aufrufe.emplace_back("ReadKollektoren");
    s.cat.KollektorAnzahl = static_cast<std::int16_t>(kollektoren.size());
    for (std::size_t i = 0; i < kollektoren.size(); ++i) s.cat.Kollektoren[i + 1].Name = kollektoren[i];
  }
  void ReadRohre(TavState&) override { aufrufe.emplace_back("ReadRohre"); }
  void ReadProfile(TavState&) override { aufrufe.emplace_back("ReadProfile"); }
  void ReadEnergie(TavState&, const std::string& name) override {
    aufrufe.push_back("ReadEnergie:" + name);
  }
  void CheckAnlagenTyp(PlantState& p) override {
    aufrufe.emplace_back("CheckAnlagenTyp");
    tav::CheckAnlagenTyp(p);
  }
  void SetAnlgParam(TavState& s, int n) override {
    aufrufe.push_back("SetAnlgParam:" + std::to_string(n));
    tav::SetAnlgParam(s.plant, n);
  }
  void SetSpeicherParam(TavState&) override { aufrufe.emplace_back("SetSpeicherParam"); }
  StatusSink& Status() override { return status; }
  double Jetzt() override { return jetzt; }
};

class ProjektTest : public ::testing::Test {
 protected:
  ProjektTest() { s.folders.DatenDir = dir.path().string() + "/"; }

  std::string Pfad() const { return (dir / "Projekte.dat").string(); }
  std::string Datei() const { return dir.Read("Projekte.dat"); }
  // Lines joined with CR LF, each section ending with the empty line, as the writer does.
  static std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text;
  }

  TempDir dir;
  ScopedMessages msgs;
  TavState s;
  FakeDienste d;
};

// The lines a hand-written section needs so that loading it says nothing: the keys whose
// missing-key default would be no usable plant.
inline const std::vector<std::string> kBrauchbareZeilen = {"KollektorFlaeche=6", "Heizgrenztemp=16",
                                                           "Heiztauscherleistung=15000"};

// A project with every setting away from its default and within the bounds loading keeps,
// so that it survives a save and a load unchanged.
inline void VollesProjekt(PlantState& p) {
  p.ProjektName = "Mehrfamilienhaus Öhringen €";
  p.Info1 = "Bauherr: Müller";
  p.Info2 = "Angebot 2026/17";
  p.Standort = "Würzburg";
  p.OrtNr = 17;
  p.Kollektor = "Flachkollektor FK 2";
  p.KollektorMontage = 1;
  p.KollektorFlaeche = 12.5f;
  p.KollektorAzimut = -15.25f;
  p.KollektorNeigung = 42.0f;
  p.OstWestKollektor = true;
  p.KollektorFlaeche2 = 7.75f;
  p.KollektorAzimut2 = 75.5f;
  p.KollektorNeigung2 = 20.0f;
  p.KollektorFlaecheGesamt = 20.25f;
  p.KollektorFlow = 37.3f;
  p.LFTkreis = true;
  p.SkyMapAktiv = true;
  for (int a = 1; a <= 72; ++a)
    for (int h = 1; h <= 18; ++h)  // a horizon whose text is far longer than 255 characters
      p.SkyMapDaten[static_cast<std::size_t>((a - 1) * 18 + (h - 1))] =
          static_cast<std::uint8_t>((a * 7 + h * 3) % 5 < 2);
  p.AnlagenTyp = std::string(AnlagenTypNamen[6]);
  p.AnlagenTypNr = 6;
  p.SpeicherName = "Kombi 800/200";
  p.KombiSpTyp = 5;
  p.BivSpTyp = 3;
  p.KaskadeTyp = 14;
  p.KombiSpeicherWT = 16;
  p.RohrTyp = "Cu 22x1";
  p.Zapfprofil = "Hotel";
  p.konvEnergie = "Erdgas";
  p.Kaltwassertemp = 12.0f;
  p.Warmwassertemp = 48.5f;
  p.Minimaltemp = 41.0f;
  p.Maximaltemp = 82.0f;
  p.Maximaltemp2 = 85.0f;
  p.MaxTempWinter = 60.0f;
  p.Warmwasserverbrauch = 12345.678f;
  p.Zirkulation = true;
  for (int q = 1; q <= 96; ++q) p.ZiZeiten[static_cast<std::size_t>(q)] = (q >= 25 && q < 41) || q % 7 == 0;
  p.ZiLaenge = 22.5f;
  p.ZiVol = 4.25f;
  p.ZiModus = 2;
  p.Pool = true;
  p.PoolTemp = 26.5f;
  p.PoolVol = 80.0f;
  p.PoolSpminTemp = 38.0f;
  p.PoolStart = 120;
  p.PoolEnde = 250;
  p.PoolWTdir = true;
  p.AntiLegionella = true;
  p.Heiztemp = 35.0f;
  p.Heizgrenztemp = 15.0f;
  p.Heizwaermebedarf = 18500000.0f;
  p.Heiztauscherleistung = 12000.0f;
  p.HeiztauscherDeltaT = 8.0f;
  p.FWEnennleistung = 40000.0f;
  p.FWEdTmin = 7.5f;
  p.Glykolanteil = 33.3f;
  p.Speicher1vol = 800.0f;
  p.Speicher2vol = 200.0f;
  p.SpeicherAnz = 2;
  p.SpeicherkWert = 0.275f;
  p.SpeicherkWert2 = 0.275f;
  p.Speichertauscherleistung = 45.5f;
  p.Solarkreislaenge = 18.125f;
  p.HeizQnorm = 12000.0f;
  p.HeizTnorm = -14.0f;
  p.HeizTvor100 = 60.0f;
  p.HeizTrck100 = 45.0f;
  p.HeizkreisTyp = 2;
  p.ZeitZoom = 10;
  p.KAfaktor = 35;
}

// Every working variable that a project stores, compared one by one.
inline void ErwarteGleichesProjekt(const PlantState& a, const PlantState& b) {
#define TAV_FELD(f) EXPECT_EQ(a.f, b.f) << #f
  TAV_FELD(ProjektName); TAV_FELD(Info1); TAV_FELD(Info2); TAV_FELD(Standort);
  TAV_FELD(Kollektor); TAV_FELD(KollektorMontage); TAV_FELD(KollektorFlaeche);
  TAV_FELD(KollektorAzimut); TAV_FELD(KollektorNeigung); TAV_FELD(KollektorFlaeche2);
  TAV_FELD(KollektorAzimut2); TAV_FELD(KollektorNeigung2); TAV_FELD(KollektorFlaecheGesamt);
  TAV_FELD(KollektorFlow); TAV_FELD(OstWestKollektor); TAV_FELD(LFTkreis);
  TAV_FELD(SkyMapAktiv); TAV_FELD(SkyMapDaten); TAV_FELD(AnlagenTyp); TAV_FELD(AnlagenTypNr);
  TAV_FELD(BivSpTyp); TAV_FELD(KaskadeTyp); TAV_FELD(KombiSpTyp); TAV_FELD(KombiSpeicherWT);
  TAV_FELD(SpeicherName); TAV_FELD(SpeicherAnz); TAV_FELD(Speicher1vol); TAV_FELD(Speicher2vol);
  TAV_FELD(SpeicherkWert); TAV_FELD(SpeicherkWert2); TAV_FELD(Speichertauscherleistung);
  TAV_FELD(RohrTyp); TAV_FELD(Solarkreislaenge); TAV_FELD(Glykolanteil); TAV_FELD(Zapfprofil);
  TAV_FELD(konvEnergie); TAV_FELD(Warmwasserverbrauch); TAV_FELD(Kaltwassertemp);
  TAV_FELD(Warmwassertemp); TAV_FELD(Minimaltemp); TAV_FELD(Maximaltemp); TAV_FELD(Maximaltemp2);
  TAV_FELD(MaxTempWinter); TAV_FELD(Heiztemp); TAV_FELD(Heizgrenztemp); TAV_FELD(Heizwaermebedarf);
  TAV_FELD(Heiztauscherleistung); TAV_FELD(HeiztauscherDeltaT); TAV_FELD(FWEnennleistung);
  TAV_FELD(FWEdTmin); TAV_FELD(HeizQnorm); TAV_FELD(HeizTnorm); TAV_FELD(HeizTvor100);
  TAV_FELD(HeizTrck100); TAV_FELD(HeizkreisTyp); TAV_FELD(KAfaktor); TAV_FELD(ZeitZoom);
  TAV_FELD(Zirkulation); TAV_FELD(ZiZeiten); TAV_FELD(ZiLaenge); TAV_FELD(ZiVol); TAV_FELD(ZiModus);
  TAV_FELD(Pool); TAV_FELD(PoolTemp); TAV_FELD(PoolVol); TAV_FELD(PoolSpminTemp);
  TAV_FELD(PoolStart); TAV_FELD(PoolEnde); TAV_FELD(PoolWTdir); TAV_FELD(AntiLegionella);
#undef TAV_FELD
}

}  // namespace tav::test
