#include "project/ProjektDatei.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "project/NeuesProjekt.h"
#include "project/ProjektKatalogDienste.h"
#include "project/ProjektLaden.h"
#include "project/ProjektRecord.h"
#include "foundation/StatusSink.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TextTable.h"
#include "simulation/SimRun.h"
#include "simulation/WerteBereiche.h"

namespace tav {

namespace {

// Texts of this unit, German as the program shows them.
constexpr std::string_view kAbbruch = "ABBRUCH: ";
constexpr std::string_view kATypWrite = "A_Typ - WriteProjektDat";
constexpr std::string_view kUngueltigeWerte = "Ungültige Werte in ";

// Project `nummer` of the file was changed by another program, so it was not saved.
std::string FremdGeaendertText(std::int32_t nummer, const std::string& fileName) {
  return TextMit(TX::ProjektFremdGeaendert, {std::to_string(nummer), fileName}) + "|" +
         T(TX::ProjektFremdNichtGespeichert);
}

// Keys written only for the storage sub-types that have no code text of their own.
// Deliberate: an extra key, because the code text alone cannot name such a sub-type and a
// reload would turn it into another storage type.
constexpr std::string_view kBivSpTypNr = "BivSpTypNr";
constexpr std::string_view kKombiSpTypNr = "KombiSpTypNr";
constexpr std::string_view kKombiSpeicherWTNr = "KombiSpeicherWTNr";

// Every key this version reads or writes. Deliberate: lines with other keys are kept on
// saving (a save rebuilds the section in place), so what another version stored is not lost.
constexpr std::string_view kBekannteSchluessel[] = {
    "ProjektName", "Info1", "Info2", "Standort", "Kollektor", "KollektorMontage",
    "KollektorFlaeche", "KollektorAzimut", "KollektorNeigung", "OstWestKollektor",
    "KollektorFlaeche2", "KollektorAzimut2", "KollektorNeigung2", "KollektorFlow", "LFTkreis",
    "SkyMap", "AnlagenTyp", "SpeicherName", "KombiSpTyp", "KaskadeTyp", "BivSpTyp", "RohrTyp",
    "Zapfprofil", "konvEnergie", "Kaltwassertemp", "Warmwassertemp", "Minimaltemp",
    "Maximaltemp", "Maximaltemp2", "MaxTempWinter", "Warmwasserverbrauch", "Pool", "PoolTemp",
    "PoolVol", "PoolSpminTemp", "PoolStart", "PoolEnde", "PoolWTdir", "AntiLegionella",
    "Heiztemp", "Heizgrenztemp", "Heizwaermebedarf", "Heiztauscherleistung",
    "HeiztauscherDeltaT", "FWEnennleistung", "Glykolanteil", "Speicher1vol", "Speicher2vol",
    "SpeicherAnz", "SpeicherkWert", "Speichertauscherleistung", "Solarkreislaenge", "Rohrtype",
    "HeizQnorm", "HeizTnorm", "HeizTvor100", "HeizTrck100", "HeizkreisTyp", "ZeitZoom", "Datum",
    "KombiSpeicherWT", "Zirkulation", "ZiZeiten", "ZiLaenge", "ZiVol", "ZiModus", "FWEdTmin",
    "KAfaktor", kBivSpTypNr, kKombiSpTypNr, kKombiSpeicherWTNr};

bool IstBekannt(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  const std::string_view key = line.substr(0, eq);
  return std::any_of(std::begin(kBekannteSchluessel), std::end(kBekannteSchluessel),
                     [&](std::string_view k) { return EqualsNoCase(k, key); });
}

// Keys whose missing-key default is no usable plant (a 999 m² field, a heat exchanger of
// 15 W, heating up to 50 °C outside): when missing they take the standard project's value too,
// and are named.
constexpr std::string_view kFehlendUnbrauchbar[] = {"KollektorFlaeche", "KollektorFlaeche2",
                                                   "Heiztauscherleistung", "Heizgrenztemp"};

// Reads the section's keys in the reading order; dependent defaults need it. A number key
// whose text cannot be read as its kind of number, or lies outside its range or field, is
// listed in `ungueltig` and named in `zeilen` with its text and the value that takes its
// place: the standard project's (the one table of ProjektLaden.h), or, where that value
// stands for another key's, what a missing key takes. Saving would otherwise replace the
// user's text without a word.
class SektionLeser {
 public:
  SektionLeser(TBigIniFile& ini, std::string_view sektion, std::vector<std::string>& ungueltig,
               std::vector<std::string>& zeilen)
      : ini_(ini), sektion_(sektion), ungueltig_(ungueltig), zeilen_(zeilen) {}

  std::string Text(std::string_view key, const std::string& def) {
    return ini_.ReadString(sektion_, key, def);
  }
  // `fehlend`: what replaces a missing (or, for the second field, a refused) value of the
  // keys above, when not the standard project's value.
  double Real(std::string_view key, double def, std::optional<double> fehlend = std::nullopt) {
    const bool unbrauchbar = std::any_of(std::begin(kFehlendUnbrauchbar), std::end(kFehlendUnbrauchbar),
                                         [&](std::string_view k) { return k == key; });
    const double wennFehlend = unbrauchbar ? fehlend.value_or(StandardProjektWert(key).value_or(def)) : def;
    // A refused value of the second field or the heat demand is as good as a missing one:
    // both give one plant.
    const double statt = StandardVonAnderemSchluessel(key) ? wennFehlend : Statt(key, def);
    if (!Vorhanden(key)) {
      if (unbrauchbar) zeilen_.push_back(std::string(key) + " fehlt; es gilt " + IniFloatToStr(wennFehlend));
      return wennFehlend;
    }
    const std::string text = Text(key, "");
    double v = def;
    if (!IniParseFloat(text, v)) return Ungueltig(key, text, "ist keine Zahl", statt);
    if (const WertBereich* b = ProjektWertBereich(key); b && !ImBereich(*b, v)) {
      return Ungueltig(key, text, Zwischen(IniFloatToStr(b->Min), IniFloatToStr(b->Max)), statt);
    }
    return v;
  }
  bool Bool(std::string_view key, bool def) { return Ganz(key, def ? 1 : 0) != 0; }
  bool Vorhanden(std::string_view key) { return ini_.ValueExists(sektion_, key); }
  // A whole number that may take any value of its type.
  std::int32_t Ganz(std::string_view key, std::int32_t def) {
    if (!Vorhanden(key)) return def;
    const std::string text = Text(key, "");
    std::int32_t v = def;
    const auto statt = static_cast<std::int32_t>(Statt(key, def));
    if (!IniParseInt(text, v)) return Ungueltig(key, text, "ist keine ganze Zahl", statt);
    if (const WertBereich* b = ProjektWertBereich(key); b && !ImBereich(*b, v)) {
      return Ungueltig(key, text, Zwischen(IniFloatToStr(b->Min), IniFloatToStr(b->Max)), statt);
    }
    return v;
  }
  // An integer that must lie within lo..hi (its field or its range).
  std::int32_t Ganz(std::string_view key, std::int32_t def, std::int32_t lo, std::int32_t hi) {
    if (!Vorhanden(key)) return def;
    const std::string text = Text(key, "");
    std::int32_t v = def;
    const auto statt = static_cast<std::int32_t>(Statt(key, def));
    if (!IniParseInt(text, v)) return Ungueltig(key, text, "ist keine ganze Zahl", statt);
    if (v < lo || v > hi) return Ungueltig(key, text, Zwischen(std::to_string(lo), std::to_string(hi)), statt);
    return v;
  }
  std::uint8_t Byte(std::string_view key, std::int32_t def) {
    return static_cast<std::uint8_t>(Ganz(key, def, 0, 255));
  }
  // A day of the year.
  std::uint16_t Tag(std::string_view key, std::int32_t def) {
    const TagBereich* b = ProjektTagBereich(key);
    return static_cast<std::uint16_t>(Ganz(key, def, b->Min, b->Max));
  }
  // A storage sub-type: the number key, when present and valid, wins over the code text.
  std::string SpTyp(std::string_view nrKey, const std::string& codeText) {
    if (!Vorhanden(nrKey)) return codeText;
    const std::string text = Text(nrKey, "");
    std::int32_t nr = -1;
    if (!IniParseInt(text, nr)) return Ungueltig(nrKey, text, "ist keine ganze Zahl", codeText);
    if (nr < 0 || nr > 255) return Ungueltig(nrKey, text, Zwischen("0", "255"), codeText);
    return "#" + std::to_string(nr);
  }
  TDateTime Datum(std::string_view key, TDateTime def) {
    if (!Vorhanden(key)) return def;
    const std::string text = Text(key, "");
    TDateTime v = def;
    if (!IniStrToDateTime(text, v)) {
      ungueltig_.emplace_back(key);
      zeilen_.push_back(std::string(key) + " = " + Zitat(text) + " ist kein Datum; es gilt " + IniDateTimeToStr(def));
      return def;
    }
    return v;
  }

 private:
  // The standard project's value of a number key (the missing-key default for a key outside
  // the table, or whose standard value stands for another key's).
  static double Statt(std::string_view key, double def) {
    if (StandardVonAnderemSchluessel(key)) return def;
    return StandardProjektWert(key).value_or(def);
  }
  static std::string Zwischen(const std::string& lo, const std::string& hi) {
    return "liegt nicht zwischen " + lo + " und " + hi;
  }
  static std::string ErsatzText(double x) { return IniFloatToStr(x); }
  static std::string ErsatzText(std::int32_t x) { return std::to_string(x); }
  static std::string ErsatzText(const std::string& x) { return "\"" + x + "\""; }

  template <typename T>
  T Ungueltig(std::string_view key, const std::string& text, const std::string& grund, T statt) {
    ungueltig_.emplace_back(key);
    zeilen_.push_back(std::string(key) + " = " + Zitat(text) + " " + grund + "; es gilt " + ErsatzText(statt));
    return statt;
  }

  TBigIniFile& ini_;
  std::string sektion_;
  std::vector<std::string>& ungueltig_;
  std::vector<std::string>& zeilen_;
};

// Value texts of the writer.
std::string Bool01(bool b) { return b ? "1" : "0"; }
std::string Real(double x) { return IniFloatToStr(x); }
std::string Gerundet(double x, std::uint8_t stellen) { return IniFloatToStr(RoundDecimals(stellen, x)); }
// A real written as a whole number, halves to the even neighbour.
std::string AlsGanzzahl(double x) { return std::to_string(RoundToInt(x)); }

// The text the file holds for a storage sub-type: the record's "#" form has none.
std::string SpTypDateiText(const std::string& recordText) {
  return SpTypNummer(recordText) ? std::string() : recordText;
}

bool SelbeDatei(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec1, ec2;
  const fs::path pa = fs::weakly_canonical(a, ec1), pb = fs::weakly_canonical(b, ec2);
  if (ec1 || ec2) return fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
  return pa == pb;
}

bool Gelistet(const CatalogueState& c, std::int32_t nummer) {
  for (std::int32_t i = 1; i <= c.ProjektAnzahl; ++i)
    if (c.Projektliste[static_cast<std::size_t>(i)].Nummer == nummer) return true;
  return false;
}

// True when saving project `nummer` into `ini` (the file `datei` as it is now) would replace
// what another program wrote since this one read the file: its own section changed or
// appeared, or, under a number the open list does not hold, a section appeared.
bool FremdGeaendert(TBigIniFile& ini, const std::string& datei, std::int32_t nummer,
                    const TavState& s) {
  const RunState::ProjektStand& stand = s.run.ProjektAufPlatte;
  if (stand.Datei.empty() || !SelbeDatei(stand.Datei, datei)) return false;
  const std::string sektion = ProjektSektionIn(ini, nummer);
  if (!ini.SectionExists(sektion)) return false;  // deleted meanwhile: saving loses nothing
  if (stand.Nummer != nummer) return !Gelistet(s.cat, nummer);
  if (!stand.Vorhanden) return true;
  std::vector<std::string> zeilen;
  ini.ReadSectionValues(sektion, zeilen);
  return zeilen != stand.Zeilen;
}

}  // namespace

void MerkeProjektStand(RunState& run, TBigIniFile& ini, const std::string& datei,
                       std::int32_t nummer) {
  RunState::ProjektStand& stand = run.ProjektAufPlatte;
  stand.Datei = datei;
  stand.Nummer = nummer;
  const std::string sektion = ProjektSektionIn(ini, nummer);
  stand.Vorhanden = ini.SectionExists(sektion);
  stand.Zeilen.clear();
  if (stand.Vorhanden) ini.ReadSectionValues(sektion, stand.Zeilen);
}

std::string ProjektSektion(std::int32_t nummer) { return "Projekt " + std::to_string(nummer); }

std::optional<std::int32_t> ProjektNummerAus(std::string_view sektion) {
  constexpr std::string_view kProjekt = "Projekt ";
  if (sektion.size() < kProjekt.size() || !EqualsNoCase(sektion.substr(0, kProjekt.size()), kProjekt))
    return std::nullopt;
  std::string_view rest = sektion.substr(kProjekt.size());
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  if (rest.empty() || rest.size() > 5) return std::nullopt;
  std::int32_t n = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n > 65535) return std::nullopt;
  return n;
}

bool IstProjektDatei(const std::vector<std::string>& sektionen) {
  return std::any_of(sektionen.begin(), sektionen.end(),
                     [](const std::string& name) { return ProjektNummerAus(name).has_value(); });
}

std::string ProjektSektionIn(TBigIniFile& ini, std::int32_t nummer) {
  std::vector<std::string> sektionen;
  ini.ReadSections(sektionen);
  for (const auto& name : sektionen)
    if (ProjektNummerAus(name) == nummer) return name;
  return ProjektSektion(nummer);
}

std::string KeineProjektDateiText(const std::string& fileName) {
  return fileName + " ist keine korrekte Projekt-Datei";
}

std::string StandardProjektName(std::int32_t n) { return "Projekt " + std::to_string(n) + ".0"; }

void ReadProjektRecord(TBigIniFile& ini, std::string_view sektion, std::int32_t listIndex,
                       double jetzt, TProjekt& r, std::vector<std::string>& ungueltig,
                       std::vector<std::string>* zeilen) {
  std::vector<std::string> ohne;
  SektionLeser in(ini, sektion, ungueltig, zeilen ? *zeilen : ohne);
  r.ProjektName = in.Text("ProjektName", StandardProjektName(listIndex));
  r.Info1 = in.Text("Info1", "");
  r.Info2 = in.Text("Info2", "");
  r.Standort = in.Text("Standort", "*** unbekannt ***");
  r.Kollektor = in.Text("Kollektor", "*** fehlt ***");
  r.KollektorMontage = in.Text("KollektorMontage", "fest");
  r.KollektorFlaeche = in.Real("KollektorFlaeche", 999.0);
  r.KollektorAzimut = in.Real("KollektorAzimut", 0.0);
  r.KollektorNeigung = in.Real("KollektorNeigung", 30.0);
  r.OstWestKollektor = in.Bool("OstWestKollektor", false);
  if (r.OstWestKollektor) {
    // The second field of the standard project would be the first field's twin.
    r.KollektorFlaeche2 = in.Real("KollektorFlaeche2", 999.0, r.KollektorFlaeche);
    r.KollektorAzimut2 = in.Real("KollektorAzimut2", 0.0);
    r.KollektorNeigung2 = in.Real("KollektorNeigung2", 30.0);
  }
  r.KollektorFlow = in.Real("KollektorFlow", 50.0);
  r.LFTkreis = in.Bool("LFTkreis", false);
  const bool kombiWT = in.Bool("KombiSpeicherWT", false);
  r.KombiSpTyp = in.SpTyp(kKombiSpTypNr, in.Text("KombiSpTyp", kombiWT ? "1" : "0"));
  r.KombiSpeicherWT = in.SpTyp(kKombiSpeicherWTNr, std::string());
  r.KaskadeTyp = in.Text("KaskadeTyp", "2SP");
  r.BivSpTyp = in.SpTyp(kBivSpTypNr, in.Text("BivSpTyp", "Classic"));
  r.SkyMap = in.Text("SkyMap", "");
  r.AnlagenTyp = in.Text("AnlagenTyp", std::string(AnlagenTypNamen[1]));
  r.SpeicherName = in.Text("SpeicherName", "");
  r.RohrTyp = in.Text("RohrTyp", "*init*");
  r.Zapfprofil = in.Text("Zapfprofil", "*init*");
  r.konvEnergie = in.Text("konvEnergie", "*init*");
  r.Kaltwassertemp = in.Real("Kaltwassertemp", 10.0);
  r.Warmwassertemp = in.Real("Warmwassertemp", 50.0);
  r.Minimaltemp = in.Real("Minimaltemp", 40.0);
  r.Maximaltemp = in.Real("Maximaltemp", 70.0);
  r.Maximaltemp2 = in.Real("Maximaltemp2", 80.0);
  r.MaxTempWinter = in.Real("MaxTempWinter", 55.0);
  r.Warmwasserverbrauch = in.Real("Warmwasserverbrauch", 10000.0);
  r.Zirkulation = in.Bool("Zirkulation", false);
  r.ZiZeiten = LinksZeichen(in.Text("ZiZeiten", ""), 24);
  r.ZiLaenge = in.Real("ZiLaenge", 10.0);
  r.ZiVol = in.Real("ZiVol", 3.0);
  r.ZiModus = in.Byte("ZiModus", 1);
  r.Pool = in.Bool("Pool", false);
  r.PoolTemp = in.Real("PoolTemp", 28.0);
  r.PoolVol = in.Real("PoolVol", 50.0);
  r.PoolSpminTemp = in.Real("PoolSpminTemp", 40.0);
  r.PoolStart = in.Tag("PoolStart", 105);
  r.PoolEnde = in.Tag("PoolEnde", 258);
  r.PoolWTdir = in.Bool("PoolWTdir", false);
  r.AntiLegionella = in.Bool("AntiLegionella", false);
  r.Heiztemp = in.Real("Heiztemp", 30.0);
  r.Heizgrenztemp = in.Real("Heizgrenztemp", 50.0);
  r.Heizwaermebedarf = in.Real("Heizwaermebedarf", 20000000.0);
  r.Heiztauscherleistung = in.Real("Heiztauscherleistung", 15.0);
  r.HeiztauscherDeltaT = in.Real("HeiztauscherDeltaT", 10.0);
  r.FWEnennleistung = in.Real("FWEnennleistung", 48846.0);
  r.FWEdTmin = in.Real("FWEdTmin", 5.0);
  r.Glykolanteil = in.Real("Glykolanteil", 40.0);
  r.Speicher1vol = in.Real("Speicher1vol", 750.0);
  r.Speicher2vol = in.Real("Speicher2vol", 300.0);
  r.SpeicherAnz = in.Byte("SpeicherAnz", 1);
  r.SpeicherkWert = in.Real("SpeicherkWert", 0.3);
  r.Speichertauscherleistung = in.Real("Speichertauscherleistung", 50.0);
  r.Solarkreislaenge = in.Real("Solarkreislaenge", 15.0);
  r.HeizQnorm = in.Real("HeizQnorm", 15000.0);
  r.HeizTnorm = in.Ganz("HeizTnorm", -16);
  r.HeizTvor100 = in.Ganz("HeizTvor100", 55);
  r.HeizTrck100 = in.Ganz("HeizTrck100", 40);
  r.HeizkreisTyp = in.Byte("HeizkreisTyp", 2);
  // Fewer steps than a run takes are reported; 2 to 4 are raised to 5 silently on applying.
  r.ZeitZoom = static_cast<std::uint8_t>(in.Ganz("ZeitZoom", 5, kMinZeitZoom, 255));
  r.KAfaktor = in.Byte("KAfaktor", 20);
  r.Datum = in.Datum("Datum", jetzt);
}

void ReadProjektDat(TBigIniFile& ini, std::string_view sektion, std::int32_t listIndex,
                    double jetzt, PlantState& p, const std::string& datei) {
  std::vector<std::string> ungueltig, zeilen;
  ReadProjektRecord(ini, sektion, listIndex, jetzt, p.Projekt, ungueltig, &zeilen);
  if (!zeilen.empty()) {
    const std::string wo = datei.empty() ? std::string() : datei + ", ";
    std::string text = std::string(kUngueltigeWerte) + wo + "[" + Zitat(sektion) + "] (" +
                       Zitat(p.Projekt.ProjektName) + "):";
    for (const auto& zeile : zeilen) text += "|" + zeile;
    ShowMessageLines(text);
  }
  ApplyProjekt(p.Projekt, p);
}

std::vector<std::pair<std::string, std::string>> ProjektZeilen(const TProjekt& r,
                                                                const PlantState& p) {
  std::vector<std::pair<std::string, std::string>> z;
  z.reserve(80);
  const auto add = [&](std::string_view key, std::string value) {
    z.emplace_back(std::string(key), std::move(value));
  };
  add("ProjektName", r.ProjektName);
  if (!r.Info1.empty()) add("Info1", r.Info1);
  if (!r.Info2.empty()) add("Info2", r.Info2);
  add("Standort", r.Standort);
  add("Kollektor", r.Kollektor);
  add("KollektorMontage", r.KollektorMontage);
  add("KollektorFlaeche", Gerundet(r.KollektorFlaeche, 2));
  add("KollektorAzimut", Gerundet(r.KollektorAzimut, 2));
  add("KollektorNeigung", Gerundet(r.KollektorNeigung, 2));
  add("OstWestKollektor", Bool01(r.OstWestKollektor));
  if (r.OstWestKollektor) {
    add("KollektorFlaeche2", Gerundet(r.KollektorFlaeche2, 2));
    add("KollektorAzimut2", Gerundet(r.KollektorAzimut2, 2));
    add("KollektorNeigung2", Gerundet(r.KollektorNeigung2, 2));
  }
  add("KollektorFlow", Real(r.KollektorFlow));
  add("LFTkreis", Bool01(r.LFTkreis));
  if (!r.SkyMap.empty()) add("SkyMap", r.SkyMap);
  add("AnlagenTyp", r.AnlagenTyp);
  if (!r.SpeicherName.empty()) add("SpeicherName", r.SpeicherName);
  add("KombiSpTyp", SpTypDateiText(r.KombiSpTyp));
  if (auto nr = SpTypNummer(r.KombiSpTyp)) add(kKombiSpTypNr, std::to_string(*nr));
  if (auto nr = SpTypNummer(r.KombiSpeicherWT)) add(kKombiSpeicherWTNr, std::to_string(*nr));
  add("KaskadeTyp", r.KaskadeTyp);
  if (p.BivSpTyp != 0) {
    add("BivSpTyp", SpTypDateiText(r.BivSpTyp));
    if (auto nr = SpTypNummer(r.BivSpTyp)) add(kBivSpTypNr, std::to_string(*nr));
  }
  add("RohrTyp", r.RohrTyp);
  add("Zapfprofil", r.Zapfprofil);
  add("konvEnergie", r.konvEnergie);
  add("Kaltwassertemp", Real(r.Kaltwassertemp));
  add("Warmwassertemp", Real(r.Warmwassertemp));
  add("Minimaltemp", Real(r.Minimaltemp));
  add("Maximaltemp", Real(r.Maximaltemp));
  add("Maximaltemp2", Real(r.Maximaltemp2));
  add("MaxTempWinter", Real(r.MaxTempWinter));
  add("Warmwasserverbrauch", Gerundet(r.Warmwasserverbrauch, 3));
  // Deliberate: keys older versions read but never wrote are written, because the user sets
  // them and a reload would otherwise put back the reader's default: the circulation page of
  // the plant dialog edits these five, the plant dialog "FWEdTmin" and the options dialog and
  // the wizard "KAfaktor" (both written below, where the reader takes them).
  add("Zirkulation", Bool01(r.Zirkulation));
  add("ZiZeiten", r.ZiZeiten);
  add("ZiLaenge", Real(r.ZiLaenge));
  add("ZiVol", Real(r.ZiVol));
  add("ZiModus", std::to_string(r.ZiModus));
  if (r.Pool) {
    add("Pool", "1");
    add("PoolTemp", Real(r.PoolTemp));
    add("PoolVol", Real(r.PoolVol));
    add("PoolSpminTemp", Real(r.PoolSpminTemp));
    add("PoolStart", std::to_string(r.PoolStart));
    add("PoolEnde", std::to_string(r.PoolEnde));
    add("PoolWTdir", Bool01(r.PoolWTdir));
  }
  if (r.AntiLegionella) add("AntiLegionella", "1");
  add("Heiztemp", Real(r.Heiztemp));
  add("Heizgrenztemp", Real(r.Heizgrenztemp));
  add("Heizwaermebedarf", Real(r.Heizwaermebedarf));
  add("Heiztauscherleistung", Real(r.Heiztauscherleistung));
  add("HeiztauscherDeltaT", Real(r.HeiztauscherDeltaT));
  add("FWEnennleistung", Real(r.FWEnennleistung));
  add("FWEdTmin", Real(r.FWEdTmin));  // written on purpose: see the circulation keys
  add("Glykolanteil", Real(r.Glykolanteil));
  add("Speicher1vol", Real(r.Speicher1vol));
  add("Speicher2vol", Real(r.Speicher2vol));
  add("SpeicherAnz", std::to_string(r.SpeicherAnz));
  add("SpeicherkWert", Gerundet(r.SpeicherkWert, 3));
  add("Speichertauscherleistung", Gerundet(r.Speichertauscherleistung, 3));
  add("Solarkreislaenge", Gerundet(r.Solarkreislaenge, 3));
  add("Rohrtype", r.RohrTyp);
  if (p.AnlagenTypNr >= 6 && p.AnlagenTypNr <= 8) {
    add("HeizQnorm", AlsGanzzahl(r.HeizQnorm));
    add("HeizTnorm", AlsGanzzahl(r.HeizTnorm));
    add("HeizTvor100", AlsGanzzahl(r.HeizTvor100));
    add("HeizTrck100", AlsGanzzahl(r.HeizTrck100));
    add("HeizkreisTyp", std::to_string(r.HeizkreisTyp));
  } else if (p.AnlagenTypNr < 1 || p.AnlagenTypNr > 8) {
    ShowMessageLines(std::string(kATypWrite));
  }
  add("ZeitZoom", std::to_string(r.ZeitZoom));
  add("KAfaktor", std::to_string(r.KAfaktor));  // written on purpose: see the circulation keys
  add("Datum", IniDateTimeToStr(r.Datum));
  return z;
}

bool IstLeereDatei(const std::string& fileName) {
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes, nullptr, kMaxKatalogBytes)) return false;
  // A UTF-8 file keeps its byte-order mark when its last project is deleted.
  if (HasUtf8Bom(bytes)) bytes.erase(0, 3);
  return std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\x1a';
  });
}

bool LadeProjektDatei(const std::string& fileName, TBigIniFile& ini) {
  ini.LoadFile(fileName, kMaxKatalogBytes);
  if (ini.LoadError().empty()) return true;
  ShowMessageLines(ini.LoadError());
  return false;
}

bool SchreibeProjektDatei(const std::string& fileName, const TBigIniFile& ini) {
  std::string bytes;
  std::string fehler;
  if (!ini.ExactFileImage(bytes, fehler)) {
    ShowMessageLines(NotWrittenText(fileName, fehler));
    return false;
  }
  if (WriteFileAtomic(fileName, bytes, &fehler)) return true;
  ShowMessageLines(fehler + "|" + T(TX::ProjektdateiUnveraendert));
  return false;
}

std::vector<std::string> FremdeZeilen(TBigIniFile& ini, std::string_view sektion) {
  std::vector<std::string> zeilen, fremd;
  ini.ReadSectionValues(sektion, zeilen);
  std::copy_if(zeilen.begin(), zeilen.end(), std::back_inserter(fremd),
               [](const std::string& line) { return !IstBekannt(line); });
  return fremd;
}

ProjektAbschnitt AbschnittAus(const PlantState& p, std::int32_t nummer, double jetzt,
                              TProjekt& r, std::vector<std::string> fremd) {
  FillProjekt(p, r, jetzt);
  ProjektAbschnitt a;
  a.Nummer = nummer;
  a.Zeilen = ProjektZeilen(r, p);
  a.Fremd = std::move(fremd);
  return a;
}

bool SchreibeProjektAbschnitte(const std::string& fileName, const TavState& s,
                               std::vector<ProjektAbschnitt>& abschnitte,
                               TBigIniFile* geschrieben, std::int32_t* fremd) {
  // Another program on the same data folder (a second instance, the headless simulation)
  // saves through the same lock: the file read below is the one this save replaces, so its
  // other projects are kept as they are now. Its messages wait until the lock is given up.
  const FileWriteLock sperre(fileName);
  if (!sperre.Ok()) {
    ShowMessageLines(sperre.Error() + "|" + T(TX::ProjektdateiUnveraendert));
    return false;
  }
  // The object holds the file in memory only; the file is rewritten below, in one piece.
  TBigIniFile eigenes;
  TBigIniFile& ini = geschrieben ? *geschrieben : eigenes;
  std::error_code ec;
  if (std::filesystem::exists(fileName, ec) && !IstLeereDatei(fileName)) {
    if (!LadeProjektDatei(fileName, ini)) return false;
    std::vector<std::string> sektionen;
    ini.ReadSections(sektionen);
    // The data folder's own project file is one even when only other sections are left in
    // it (its last project deleted beside a hand-written "[Notizen]"); text without any
    // section is not.
    const bool eigene = !sektionen.empty() &&
                        std::filesystem::path(fileName).lexically_normal() ==
                            std::filesystem::path(ProjektDateiPfad(s)).lexically_normal();
    if (!eigene && !IstProjektDatei(sektionen)) {
      ShowMessageLines(std::string(kAbbruch) + KeineProjektDateiText(fileName));
      return false;
    }
  }

  // A new project whose number another program gave a project meanwhile takes the smallest
  // number that the file as it is now, the list and this write leave free.
  std::set<std::int32_t> belegt;
  {
    std::vector<std::string> sektionen;
    ini.ReadSections(sektionen);
    for (const auto& name : sektionen)
      if (const auto n = ProjektNummerAus(name)) belegt.insert(*n);
    for (std::int32_t i = 1; i <= std::min(s.cat.ProjektAnzahl, kMaxProjekte); ++i)
      belegt.insert(s.cat.Projektliste[static_cast<std::size_t>(i)].Nummer);
    for (const ProjektAbschnitt& a : abschnitte)
      if (!a.Neu) belegt.insert(a.Nummer);
  }
  for (ProjektAbschnitt& a : abschnitte) {
    if (!a.Neu) continue;
    if (ini.SectionExists(ProjektSektionIn(ini, a.Nummer)) || !belegt.insert(a.Nummer).second) {
      std::int32_t n = 1;
      while (belegt.count(n)) ++n;
      if (n > 65535) {
        ShowMessageLines(FremdGeaendertText(a.Nummer, fileName));
        return false;
      }
      a.Nummer = n;
      belegt.insert(n);
    }
  }
  for (const ProjektAbschnitt& a : abschnitte) {
    if (FremdGeaendert(ini, fileName, a.Nummer, s)) {
      if (fremd)
        *fremd = a.Nummer;
      else
        ShowMessageLines(FremdGeaendertText(a.Nummer, fileName) + " " + T(TX::ProjektFremdAuswege));
      return false;
    }
  }

  for (const ProjektAbschnitt& a : abschnitte) {
    // The project's own section, however its name is written ("Projekt 01", "projekt 1").
    const std::string sektion = ProjektSektionIn(ini, a.Nummer);
    // The section is rebuilt where it stands (a new one goes to the end): the known keys in
    // their order, then the lines this version does not know, as they were.
    std::vector<std::string> fremd = FremdeZeilen(ini, sektion);
    fremd.insert(fremd.end(), a.Fremd.begin(), a.Fremd.end());
    std::vector<std::string>* liste = nullptr;
    ini.FindKey(sektion, "", liste, true);
    liste->clear();
    for (const auto& [key, value] : a.Zeilen) ini.WriteString(sektion, key, value);
    ini.FindKey(sektion, "", liste, false);
    liste->insert(liste->end(), fremd.begin(), fremd.end());
  }

  return SchreibeProjektDatei(fileName, ini);
}

namespace {

// The working variables as section ProjektNummer; `neu`: as a new project, whose number moves
// on to a free one should another program have taken it (ProjektNummer follows). `fremd`: see
// SchreibeProjektAbschnitte.
bool SchreibeOffenesProjekt(const std::string& fileName, TavState& s, ProjektKatalogDienste& d,
                            bool neu, std::int32_t* fremd) {
  PlantState& p = s.plant;
  // The record is filled aside: a save that fails leaves it as it was.
  TProjekt r = p.Projekt;
  TBigIniFile ini;
  std::vector<ProjektAbschnitt> abschnitte = {AbschnittAus(p, s.settings.ProjektNummer, d.Jetzt(), r)};
  abschnitte.front().Neu = neu;
  if (!SchreibeProjektAbschnitte(fileName, s, abschnitte, &ini, fremd)) return false;
  s.settings.ProjektNummer = abschnitte.front().Nummer;
  p.Projekt = std::move(r);
  // Only the own project file is watched: an export elsewhere is no load.
  const RunState::ProjektStand& stand = s.run.ProjektAufPlatte;
  if (stand.Datei.empty() || SelbeDatei(stand.Datei, fileName))
    MerkeProjektStand(s.run, ini, fileName, s.settings.ProjektNummer);
  s.run.ProjektGeaendert = false;
  d.Status().Status(T(TX::ProjektdatenAbgespeichert));
  return true;
}

}  // namespace

bool WriteNeuesProjekt(const std::string& fileName, TavState& s, ProjektKatalogDienste& d) {
  return SchreibeOffenesProjekt(fileName, s, d, true, nullptr);
}

bool WriteProjektDat(const std::string& fileName, TavState& s, ProjektKatalogDienste& d) {
  std::int32_t fremd = 0;
  if (SchreibeOffenesProjekt(fileName, s, d, false, &fremd)) return true;
  if (fremd == 0) return false;
  // Another program changed this project since it was loaded. Rather than leave the user with
  // changes that cannot be saved, the refusal offers a number of its own, free on disk now,
  // the name made unique among the projects as they are now.
  std::string text = FremdGeaendertText(fremd, fileName);
  const bool neuMoeglich = ProjektlisteLesen(s, d) && NeuesProjektMoeglich(s.cat);
  if (!neuMoeglich) {
    ShowMessageLines(text + " " + T(TX::ProjektFremdAuswege));
    return false;
  }
  PlantState& p = s.plant;
  const std::int32_t nummer = s.settings.ProjektNummer;
  const std::string name = p.ProjektName;
  s.settings.ProjektNummer = FreieProjektNummer(s.cat, s.cat.ProjektAnzahl);
  text += "|" + ReplaceHashMark(T(TX::ProjektNeueNummerAbfrage), std::to_string(s.settings.ProjektNummer));
  if (Msg().Ask(text, mbYesNo) == mrYes) {
    p.ProjektName = EindeutigerProjektName(s.cat, s.cat.ProjektAnzahl, name);
    if (WriteNeuesProjekt(fileName, s, d)) {
      ProjektlisteLesen(s, d);
      return true;
    }
  }
  s.settings.ProjektNummer = nummer;
  p.ProjektName = name;
  return false;
}

}  // namespace tav
