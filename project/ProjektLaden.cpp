#include "project/ProjektLaden.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "project/ProjektDatei.h"
#include "project/ProjektKatalogDienste.h"
#include "project/ProjektRecord.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

constexpr std::string_view kOffenBleibt_a = "|Das geöffnete Projekt \"";
constexpr std::string_view kOffenBleibt_b = "\" bleibt, wie es war.";

// "Zuviele Projekte in" the file, with how many it holds and how many the list takes.
std::string ZuvieleProjekteText(const std::string& datei, std::size_t anzahl,
                                const std::string& zusatz) {
  std::string kopf = T(TX::WarnZuvieleProj);
  TrimTrailingBlanks(kopf);
  return kopf + " " + TextMit(TX::ProjekteAnzahl, {datei, std::to_string(anzahl), std::to_string(kMaxProjekte)}) +
         " " + zusatz;
}

// The project list entry of a section.
TProjDat ListenEintrag(TBigIniFile& ini, const std::string& sektion, std::int32_t nummer,
                       double jetzt) {
  TProjDat e;
  e.ProjektName = ini.ReadString(sektion, "ProjektName", StandardProjektName(nummer));
  e.Info1 = ini.ReadString(sektion, "Info1", "");
  e.Info2 = ini.ReadString(sektion, "Info2", "");
  e.Nummer = static_cast<std::uint16_t>(nummer);
  e.Datum = static_cast<float>(ini.ReadDateTime(sektion, "Datum", jetzt));
  return e;
}

// The smallest positive number that no listed project has and no section of the file holds
// (a project beyond the list's capacity is not listed, and must not be overwritten).
std::int32_t FreieNummer(const CatalogueState& c, const std::set<std::int32_t>& inDatei) {
  std::set<std::int32_t> belegt = inDatei;
  for (std::int32_t i = 1; i <= c.ProjektAnzahl; ++i)
    belegt.insert(c.Projektliste[static_cast<std::size_t>(i)].Nummer);
  std::int32_t n = 1;
  while (belegt.count(n)) ++n;
  return n;
}

// The project numbers of the file's sections (none when it is missing or unreadable).
std::set<std::int32_t> NummernIn(const std::string& pfad) {
  std::set<std::int32_t> nummern;
  TBigIniFile ini;
  ini.LoadFile(pfad);
  std::vector<std::string> sektionen;
  ini.ReadSections(sektionen);
  for (const auto& name : sektionen)
    if (const auto n = ProjektNummerAus(name)) nummern.insert(*n);
  return nummern;
}

// Catalogue names of the loaded project resolved, in the order the readers depend on.
void KatalogeAufloesen(TavState& s, ProjektKatalogDienste& d) {
  d.ReadOrte(s);
  d.ReadKollektoren(s);
  d.ReadRohre(s);
  d.ReadProfile(s);
  d.ReadEnergie(s, s.plant.konvEnergie);
}

enum class Geladen { Ja, KeinProjekt, Unlesbar };

// Fills the project list from the file's sections (`sektionen`, as `ini` holds them) and
// returns the section name of each entry. `melden`: sections not listed (no number, a number
// twice, beyond the list's capacity) are named.
std::vector<std::string> ListeFuellen(CatalogueState& c, TBigIniFile& ini,
                                      const std::vector<std::string>& sektionen,
                                      const std::string& pfad, double jetzt, bool melden) {
  std::vector<std::string> gelistet;  // section name of each list entry
  std::string ohneNummer;
  std::string doppelt;  // "[Projekt 1] ... [Projekt 01]" of the first number used twice
  std::map<std::int32_t, std::string> ersteSektion;  // number -> its first section
  bool zuviele = false;
  for (const auto& name : sektionen) {
    const auto n = ProjektNummerAus(name);
    if (!n) {
      if (ohneNummer.empty()) ohneNummer = name;
      continue;
    }
    // A second section of the same number ("Projekt 1" beside "Projekt 01") is not listed:
    // saving the project writes the first one only.
    const std::string& erster = ersteSektion.try_emplace(*n, name).first->second;
    if (erster != name) {
      if (doppelt.empty())
        doppelt = TextMit(TX::ProjektDoppelt, {Zitat(name), Zitat(erster), pfad});
      continue;
    }
    if (static_cast<std::int32_t>(gelistet.size()) == kMaxProjekte) {
      zuviele = true;
      break;
    }
    gelistet.push_back(name);
    c.Projektliste[gelistet.size()] = ListenEintrag(ini, name, *n, jetzt);
  }
  c.ProjektAnzahl = static_cast<std::int32_t>(gelistet.size());
  if (!melden) return gelistet;
  if (zuviele) {
    std::set<std::int32_t> nummern;
    for (const auto& name : sektionen)
      if (const auto n = ProjektNummerAus(name)) nummern.insert(*n);
    ShowMessageLines(ZuvieleProjekteText(pfad, nummern.size(), T(TX::ProjekteUebrige)));
  }
  if (!ohneNummer.empty())
    ShowMessageLines(TextMit(TX::ProjektOhneNummer, {Zitat(ohneNummer), pfad}));
  // The same name twice: the later sections are kept in the file but never read.
  if (doppelt.empty() && ini.HasDuplicates())
    doppelt = TextMit(TX::ProjektMehrfach, {Zitat(ini.DuplicateSectionNames().front()), pfad});
  if (!doppelt.empty()) ShowMessageLines(doppelt);
  return gelistet;
}

// Lists the file's projects and loads the current one.
Geladen ListeUndProjektLaden(TavState& s, ProjektKatalogDienste& d, const std::string& pfad) {
  TBigIniFile ini;
  ini.LoadFile(pfad, kMaxKatalogBytes);
  if (!ini.LoadError().empty()) {
    // One message; the file stays as it is and the standard project is used in memory only.
    ShowMessageLines(ini.LoadError() + "|" + T(TX::ProjektNurImSpeicher));
    s.cat.ProjektAnzahl = 0;
    return Geladen::Unlesbar;
  }
  std::vector<std::string> sektionen;
  ini.ReadSections(sektionen);
  if (sektionen.empty()) return Geladen::KeinProjekt;

  const double jetzt = d.Jetzt();
  const std::vector<std::string> gelistet = ListeFuellen(s.cat, ini, sektionen, pfad, jetzt, true);
  if (gelistet.empty()) return Geladen::KeinProjekt;

  CatalogueState& c = s.cat;
  std::int32_t found = -1;
  for (std::int32_t i = 1; i <= c.ProjektAnzahl; ++i) {
    if (c.Projektliste[static_cast<std::size_t>(i)].Nummer == s.settings.ProjektNummer) found = i;
  }
  if (found < 0) {
    // The current number is gone (deleted, or another data folder): the first project
    // becomes current, so that saving it does not copy it under the stale number.
    found = 1;
    s.settings.ProjektNummer = c.Projektliste[1].Nummer;
  }
  ReadProjektDat(ini, gelistet[static_cast<std::size_t>(found - 1)], found, jetzt, s.plant, pfad);
  MerkeProjektStand(s.run, ini, pfad, s.settings.ProjektNummer);
  return Geladen::Ja;
}

}  // namespace

std::string ProjektDateiPfad(const TavState& s) {
  return FindFileNoCase(s.folders.DatenDir, std::string(ProjekteDatei)).string();
}

namespace {

using P = PlantState;

// The standard project: a hot-water plant of 6 m² facing south. The keys older files never
// held (circulation, "FWEdTmin", "KAfaktor") and those it writes only for another plant
// (pool, second collector field, heating design) hold what readers assume for a missing key,
// so an old file and the standard project's own load alike; its second field is the first
// one's twin as loading makes it. Its heat demand is none: it heats no rooms. These values
// stand for those of other keys (the first field, the plant type), so they never replace a
// refused value of another project (VonAnderemSchluessel).
constexpr StandardWert kStandardWerte[] = {
    {"KollektorFlaeche", 6.0, &P::KollektorFlaeche},
    {"KollektorAzimut", 0.0, &P::KollektorAzimut},
    {"KollektorNeigung", 35.0, &P::KollektorNeigung},
    {"OstWestKollektor", 0, &P::OstWestKollektor},
    {"KollektorFlaeche2", 6.0, &P::KollektorFlaeche2, true},
    {"KollektorAzimut2", 180.0, &P::KollektorAzimut2, true},
    {"KollektorNeigung2", 35.0, &P::KollektorNeigung2, true},
    {"KollektorFlow", 50.0, &P::KollektorFlow},
    {"LFTkreis", 0, &P::LFTkreis},
    {"Kaltwassertemp", 10.0, &P::Kaltwassertemp},
    {"Warmwassertemp", 45.0, &P::Warmwassertemp},
    {"Minimaltemp", 42.0, &P::Minimaltemp},
    {"Maximaltemp", 75.0, &P::Maximaltemp},
    {"Maximaltemp2", 75.0, &P::Maximaltemp2},
    {"MaxTempWinter", 55.0, &P::MaxTempWinter},
    {"Warmwasserverbrauch", 8000.0, &P::Warmwasserverbrauch},
    {"Zirkulation", 0, &P::Zirkulation},
    {"ZiLaenge", 10.0, &P::ZiLaenge},
    {"ZiVol", 3.0, &P::ZiVol},
    {"ZiModus", 1, &P::ZiModus},
    {"Pool", 0, &P::Pool},
    {"PoolTemp", 28.0, &P::PoolTemp},
    {"PoolVol", 50.0, &P::PoolVol},
    {"PoolSpminTemp", 40.0, &P::PoolSpminTemp},
    {"PoolStart", 105, &P::PoolStart},
    {"PoolEnde", 258, &P::PoolEnde},
    {"PoolWTdir", 0, &P::PoolWTdir},
    {"AntiLegionella", 0, &P::AntiLegionella},
    {"Heiztemp", 30.0, &P::Heiztemp},
    {"Heizgrenztemp", 16.0, &P::Heizgrenztemp},
    {"Heizwaermebedarf", 0.0, &P::Heizwaermebedarf, true},  // none for its plant type
    {"Heiztauscherleistung", 15000.0, &P::Heiztauscherleistung},
    {"HeiztauscherDeltaT", 10.0, &P::HeiztauscherDeltaT},
    {"FWEnennleistung", 48846.0, &P::FWEnennleistung},
    {"FWEdTmin", 5.0, &P::FWEdTmin},
    {"Glykolanteil", 40.0, &P::Glykolanteil},
    {"Speicher1vol", 300.0, &P::Speicher1vol},
    {"Speicher2vol", 100.0, &P::Speicher2vol},
    {"SpeicherAnz", 1, &P::SpeicherAnz},
    {"SpeicherkWert", 0.3, &P::SpeicherkWert},
    {"Speichertauscherleistung", 60.0, &P::Speichertauscherleistung},
    {"Solarkreislaenge", 15.0, &P::Solarkreislaenge},
    {"HeizQnorm", 15000.0, &P::HeizQnorm},
    {"HeizTnorm", -16.0, &P::HeizTnorm},
    {"HeizTvor100", 55.0, &P::HeizTvor100},
    {"HeizTrck100", 40.0, &P::HeizTrck100},
    {"HeizkreisTyp", 2, &P::HeizkreisTyp},
    {"ZeitZoom", 5, &P::ZeitZoom},
    {"KAfaktor", 20, &P::KAfaktor},
};

}  // namespace

std::span<const StandardWert> StandardProjektWerte() { return kStandardWerte; }

std::optional<double> StandardProjektWert(std::string_view schluessel) {
  for (const StandardWert& w : kStandardWerte)
    if (EqualsNoCase(w.Schluessel, schluessel)) return w.Wert;
  return std::nullopt;
}

bool StandardVonAnderemSchluessel(std::string_view schluessel) {
  for (const StandardWert& w : kStandardWerte)
    if (EqualsNoCase(w.Schluessel, schluessel)) return w.VonAnderemSchluessel;
  return false;
}

namespace {

// The working variables become the standard project; nothing is written.
void StandardProjektSetzen(TavState& s, ProjektKatalogDienste& d) {
  // Nothing of the project before (the one just deleted) carries over.
  s.plant = PlantState{};
  PlantState& p = s.plant;
  // The catalogue names first: the readers below resolve them.
  p.Standort = "Freiburg";
  p.Kollektor = "*init*";
  p.RohrTyp = "*init*";
  p.Zapfprofil = "*init*";
  p.konvEnergie = "*init*";

  d.ReadOrte(s);
  d.ReadKollektoren(s);
  d.ReadRohre(s);
  d.ReadProfile(s);

  // The standard collector is the catalogue's last flat-plate collector, else its first.
  const CatalogueState& c = s.cat;
  const std::int32_t anzahl = std::min<std::int32_t>(c.KollektorAnzahl, kMaxKollektoren);
  if (anzahl >= 1) {
    std::string name = c.Kollektoren[1].Name;
    for (std::int32_t i = 1; i <= anzahl; ++i) {
      const std::string& k = c.Kollektoren[static_cast<std::size_t>(i)].Name;
      if (UpperCaseText(k).find("FLACHKOLLEKTOR") != std::string::npos) name = k;
    }
    p.Kollektor = LinksZeichen(name, 50);
  }

  p.ProjektName = "Standard-Solaranlage";
  p.Info1 = "Musterprojekt";
  p.Info2.clear();

  p.KollektorMontage = 1;
  p.AnlagenTypNr = 1;
  p.AnlagenTyp = LinksZeichen(std::string(AnlagenTypNamen[1]), 20);
  for (const StandardWert& w : kStandardWerte)
    std::visit([&](auto feld) { p.*feld = static_cast<std::remove_reference_t<decltype(p.*feld)>>(w.Wert); },
               w.Feld);
  p.SpeicherkWert2 = p.SpeicherkWert;
  p.KollektorFlaecheGesamt = p.KollektorFlaeche;

  s.settings.ProjektNummer = 1;
}

}  // namespace

bool CreateStandardProjekt(TavState& s, ProjektKatalogDienste& d) {
  StandardProjektSetzen(s, d);
  return WriteProjektDat(ProjektDateiPfad(s), s, d);
}

void LoadProjekt(TavState& s, ProjektKatalogDienste& d) {
  const std::string pfad = ProjektDateiPfad(s);
  s.run.ProjektAufPlatte = {};
  std::error_code ec;
  Geladen stand = std::filesystem::exists(pfad, ec)
                      ? ListeUndProjektLaden(s, d, pfad)
                      : Geladen::KeinProjekt;
  bool geladen = stand == Geladen::Ja;
  if (stand == Geladen::Unlesbar) {
    StandardProjektSetzen(s, d);
    d.ReadEnergie(s, s.plant.konvEnergie);
  } else if (!geladen) {
    // No project yet (first start, or the last one deleted): the standard project is
    // written and loaded. When it cannot be written, it stays in memory unlisted.
    s.cat.ProjektAnzahl = 0;
    if (CreateStandardProjekt(s, d)) geladen = ListeUndProjektLaden(s, d, pfad) == Geladen::Ja;
    if (!geladen) d.ReadEnergie(s, s.plant.konvEnergie);
  }
  if (geladen) KatalogeAufloesen(s, d);
  d.CheckAnlagenTyp(s.plant);
  d.SetAnlgParam(s, s.plant.AnlagenTypNr);
  s.run.ProjektGeaendert = false;
}

bool ProjektlisteLesen(TavState& s, ProjektKatalogDienste& d) {
  const std::string pfad = ProjektDateiPfad(s);
  std::error_code ec;
  if (!std::filesystem::exists(pfad, ec)) return false;
  TBigIniFile ini;
  {
    // Another program's save under way is waited for: the list is the file as it is now.
    const FileWriteLock sperre(pfad);
    if (!sperre.Ok()) return false;  // the save that follows names it
    ini.LoadFile(pfad, kMaxKatalogBytes);
  }
  if (!ini.LoadError().empty()) return false;
  std::vector<std::string> sektionen;
  ini.ReadSections(sektionen);
  ListeFuellen(s.cat, ini, sektionen, pfad, d.Jetzt(), false);
  return true;
}

bool ImportProjekt(TavState& s, const std::string& fileName, ProjektKatalogDienste& d) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) return false;
  // The import file is only read, never written; its section list stays as it is for the
  // whole import while the project file is rewritten for each project taken over.
  TBigIniFile quelle;
  if (!LadeProjektDatei(fileName, quelle)) return false;
  std::vector<std::string> alle;
  quelle.ReadSections(alle);
  if (!IstProjektDatei(alle)) {
    ShowMessageLines(KeineProjektDateiText(fileName));
    return false;
  }
  // Only project sections are projects; other sections of the file ("Notizen") are not.
  std::vector<std::string> sektionen;
  std::copy_if(alle.begin(), alle.end(), std::back_inserter(sektionen),
               [](const std::string& name) { return ProjektNummerAus(name).has_value(); });
  CatalogueState& c = s.cat;
  std::int32_t anzahl = static_cast<std::int32_t>(sektionen.size());
  if (c.ProjektAnzahl + anzahl > kMaxProjekte) {
    const std::size_t inDatei = sektionen.size();
    anzahl = std::max<std::int32_t>(0, kMaxProjekte - c.ProjektAnzahl);
    ShowMessageLines(ZuvieleProjekteText(
        fileName, inDatei,
        TextMit(TX::ProjekteListeHaelt, {std::to_string(c.ProjektAnzahl), std::to_string(anzahl)})));
  }
  if (anzahl <= 0) return false;  // nothing to take over: the current project is not saved either

  // Each project is read into a copy of the working variables, and all of them go into the
  // project file in one rewrite. Until the file holds them, the open project, the list and
  // the file stay as they were; so does everything when the file cannot be written.
  const std::string pfad = ProjektDateiPfad(s);
  const double jetzt = d.Jetzt();
  std::set<std::int32_t> belegt = NummernIn(pfad);
  std::vector<ProjektAbschnitt> abschnitte;
  std::vector<TProjDat> eintraege;
  std::unique_ptr<PlantState> letzter;
  for (std::int32_t i = 1; i <= anzahl; ++i) {
    const std::string& sektion = sektionen[static_cast<std::size_t>(i - 1)];
    const std::int32_t n = FreieNummer(c, belegt);
    belegt.insert(n);
    auto p = std::make_unique<PlantState>(s.plant);
    // A project without a name is named after its new number, in the list and in the file.
    ReadProjektDat(quelle, sektion, n, jetzt, *p, fileName);
    d.CheckAnlagenTyp(*p);
    abschnitte.push_back(AbschnittAus(*p, n, jetzt, p->Projekt, FremdeZeilen(quelle, sektion)));
    abschnitte.back().Neu = true;
    TProjDat e;
    e.ProjektName = p->ProjektName;
    e.Info1 = p->Info1;
    e.Info2 = p->Info2;
    e.Nummer = static_cast<std::uint16_t>(n);
    e.Datum = static_cast<float>(p->Projekt.Datum);
    eintraege.push_back(std::move(e));
    letzter = std::move(p);
  }
  TBigIniFile geschrieben;
  {
    const MeldungenSpaeter zusammen(true);  // the writer's reason and what it means, as one
    if (!SchreibeProjektAbschnitte(pfad, s, abschnitte, &geschrieben)) {
      ShowMessageLines(katalog::NichtImportiert(fileName, pfad) + std::string(kOffenBleibt_a) +
                       Zitat(s.plant.ProjektName) + std::string(kOffenBleibt_b));
      return false;
    }
  }

  // The file holds every imported project (under the numbers the write found free): the list
  // takes them, and the last one becomes the open project with its catalogue names resolved
  // (location and weather, collector ...).
  for (std::size_t i = 0; i < eintraege.size(); ++i) {
    eintraege[i].Nummer = static_cast<std::uint16_t>(abschnitte[i].Nummer);
    c.Projektliste[static_cast<std::size_t>(++c.ProjektAnzahl)] = std::move(eintraege[i]);
  }
  s.settings.ProjektNummer = abschnitte.back().Nummer;
  s.plant = std::move(*letzter);
  MerkeProjektStand(s.run, geschrieben, pfad, s.settings.ProjektNummer);
  KatalogeAufloesen(s, d);
  d.SetAnlgParam(s, s.plant.AnlagenTypNr);
  d.SetSpeicherParam(s);
  // Saved once more with the names as resolved. Should that fail, the project stands in the
  // file as imported, and open as resolved, not yet saved.
  const MeldungenSpaeter zusammen(true);
  if (WriteProjektDat(pfad, s, d)) return true;
  s.run.ProjektGeaendert = true;
  ShowMessageLines(TextMit(TX::ProjekteImportiertUngespeichert, {fileName, Zitat(s.plant.ProjektName)}));
  return true;
}

bool DeleteProjekt(TavState& s, std::int32_t nummer) { return DeleteProjekte(s, {nummer}); }

bool DeleteProjekte(TavState& s, const std::vector<std::int32_t>& nummern) {
  const std::string pfad = ProjektDateiPfad(s);
  std::error_code ec;
  if (!std::filesystem::exists(pfad, ec)) return true;
  const FileWriteLock sperre(pfad);  // the other projects as they are now, see WriteProjektDat
  if (!sperre.Ok()) {
    ShowMessageLines(sperre.Error());
    return false;
  }
  TBigIniFile ini;
  if (!LadeProjektDatei(pfad, ini)) return false;
  bool geloescht = false;
  for (const std::int32_t nummer : nummern) {
    const std::string sektion = ProjektSektionIn(ini, nummer);
    if (!ini.SectionExists(sektion)) continue;
    ini.EraseSection(sektion);
    geloescht = true;
  }
  return !geloescht || SchreibeProjektDatei(pfad, ini);
}

}  // namespace tav
