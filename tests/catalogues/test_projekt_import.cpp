// A project import into a data folder whose project file cannot be written, with the real
// catalogues and weather: the open project keeps its location, weather and collector, and a
// run gives the very figures it gave before. Once the file can be written, the import makes
// the imported project current with its own location and weather.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogues/KatalogDienste.h"
#include "foundation/StatusSink.h"
#include "foundation/TavVar.h"
#include "location/TavKlimgen.h"
#include "project/ProjektLaden.h"
#include "simulation/SimContext.h"
#include "simulation/SimRun.h"
#include "support/ScriptedMessages.h"
#include "support/Schreibschutz.h"
#include "support/TempDir.h"

namespace tav::test {
namespace {

// A week of June, one weather year, two steps per hour: enough to tell two plants apart.
constexpr std::int32_t kErsterJuni1997 = 2450450 + 151;

std::vector<float> Woche(TavState& s) {
  s.settings.SimJahre = 1;
  s.moment.ErsterSimTag = kErsterJuni1997;
  s.moment.LetzterSimTag = kErsterJuni1997 + 6;
  s.plant.ZeitZoom = 2;
  SimState sim;
  SimObserver still;
  EXPECT_EQ(RunSimulation(s, sim, still), SimErgebnis::Fertig);
  std::vector<float> zahlen;
  for (int k = 1; k <= kMonatswerteAnzahl; ++k)
    for (int m = 1; m <= 13; ++m) zahlen.push_back(s.results.SimMonatswerte(k)[static_cast<std::size_t>(m)]);
  return zahlen;
}

// What the open project stands on: its name and number, location, weather and collector.
struct Offen {
  std::string name, standort, wetterDatei, kollektor;
  std::int32_t nummer, ortNr, kollektorNr, projekte;
  double breite;
  std::uint8_t anlagenTyp;
  float flaeche;
  bool geaendert, wetterOk;
  std::vector<float> wetter;
  explicit Offen(const TavState& s)
      : name(s.plant.ProjektName), standort(s.plant.Standort), wetterDatei(s.loc.WetterDatei),
        kollektor(s.plant.Kollektor), nummer(s.settings.ProjektNummer), ortNr(s.plant.OrtNr),
        kollektorNr(s.plant.KollektorNr), projekte(s.cat.ProjektAnzahl), breite(s.loc.GeoBreite),
        anlagenTyp(s.plant.AnlagenTypNr), flaeche(s.plant.KollektorFlaeche),
        geaendert(s.run.ProjektGeaendert), wetterOk(s.run.SolarklimadatenOK),
        wetter(s.weather.WetterDaten.Werte.begin(), s.weather.WetterDaten.Werte.end()) {}
  bool operator==(const Offen&) const = default;
};

TEST(ProjektImport, ImportIntoAFileThatCannotBeWrittenLeavesTheOpenProjectRunningAsBefore) {
  TempDir dir;
  TempDir quellen;
  ScopedMessages msgs;
  auto s = std::make_unique<TavState>();
  s->folders.DatenDir = dir.path().string() + "/";
  KlimgenBridge synthese;
  KatalogDienste dienste(NullStatus(), synthese);
  LadeKatalogeUndProjekt(*s, dienste);  // the standard project at Freiburg, its weather made
  ASSERT_EQ(s->plant.Standort, "Freiburg") << msgs->All();
  ASSERT_TRUE(s->run.SolarklimadatenOK);
  const std::vector<float> vorher = Woche(*s);
  const std::string datei = dir.Read("Projekte.dat");

  // A project elsewhere, of another size and plant type.
  quellen.Write("Sonnewalde.dat",
                "[Projekt 1]\r\nProjektName=Sonnewalde\r\nStandort=Sonnewalde\r\nKollektor=*init*\r\n"
                "KollektorFlaeche=9\r\nAnlagenTyp=Zwei-Speicher\r\nHeizgrenztemp=16\r\n"
                "Heiztauscherleistung=15000\r\n");
  const std::string quelle = (quellen / "Sonnewalde.dat").string();

  for (const SperrFall& f : kSperrFaelle) {
    SCOPED_TRACE(f.name);
    s->run.ProjektGeaendert = f.geaendert;
    const Offen offen(*s);
    msgs->shown.clear();
    {
      const Schreibsperre sperre(f.sperre, dir / "Projekte.dat");
      EXPECT_FALSE(ImportProjekt(*s, quelle, dienste));
    }
    EXPECT_TRUE(Offen(*s) == offen);
    EXPECT_EQ(s->plant.ProjektName, "Standard-Solaranlage");
    EXPECT_EQ(s->plant.Standort, "Freiburg");
    EXPECT_EQ(s->run.ProjektGeaendert, f.geaendert);
    EXPECT_EQ(dir.Read("Projekte.dat"), datei);
    EXPECT_TRUE(msgs->Contains(quelle)) << msgs->All();
    EXPECT_TRUE(msgs->Contains("Das geöffnete Projekt \"Standard-Solaranlage\" bleibt, wie es war."))
        << msgs->All();
    EXPECT_EQ(Woche(*s), vorher);
  }

  // Written, the import makes Sonnewalde current with its own weather: a run tells it apart.
  msgs->shown.clear();
  EXPECT_TRUE(ImportProjekt(*s, quelle, dienste));
  EXPECT_EQ(s->settings.ProjektNummer, 2) << msgs->All();
  EXPECT_EQ(s->plant.ProjektName, "Sonnewalde");
  EXPECT_EQ(s->plant.Standort, "Sonnewalde");
  EXPECT_FLOAT_EQ(s->loc.GeoBreite, 51.7f);
  EXPECT_TRUE(s->run.SolarklimadatenOK);
  EXPECT_FALSE(s->run.ProjektGeaendert);
  EXPECT_NE(Woche(*s), vorher);
}

}  // namespace
}  // namespace tav::test
