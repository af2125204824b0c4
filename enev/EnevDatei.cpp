#include "enev/EnevDatei.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <set>
#include <tuple>

#include "catalogues/Kollektoren.h"
#include "project/ProjektRecord.h"
#include "foundation/AtomicFile.h"
#include "foundation/BigIni.h"
#include "foundation/CodePage.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "simulation/WerteBereiche.h"

namespace tav::enev {

namespace {

const char* const kNichtGefunden = "Datei EnEVxSim.dat nicht gefunden";
const char* const kKeineDaten = "Keine EnEV-Importdaten gefunden";
const char* const kUngueltig = "Ungültige Werte in %1, [EnEV -> Sim]:";
const char* const kKollektorNicht = "Der Kollektor in %1 wurde nicht übernommen.";
const char* const kKollektorErsatz = "Der Kollektor in %1 wird mit Ersatzwerten übernommen:";
const char* const kAnlagenTypFehler = "A_Typ - ";
const char* const kNichtGeschrieben = "Die Datei %1 konnte nicht geschrieben werden.\r\n%2";

std::string Ersetze(std::string text, const std::string& a, const std::string& b = {}) {
  if (auto p = text.find("%1"); p != std::string::npos) text.replace(p, 2, a);
  if (auto p = text.find("%2"); p != std::string::npos) text.replace(p, 2, b);
  return text;
}

const char* const kFremdGeaendert =
    "Die Datei %1 wurde inzwischen von einem anderen Programm geändert (Abschnitt [%2]).\r\n"
    "Sie wurde nicht geschrieben, damit jene Änderung nicht verloren geht. Laden Sie die "
    "EnEV-Daten neu.";

// The sections this program writes, in the order of the file.
constexpr const char* kEigeneSektionen[] = {kSektionImport, kSektionParameter, kSektionErgebnisse};

std::vector<std::vector<std::string>> EigeneAbschnitte(TBigIniFile& ini) {
  std::vector<std::vector<std::string>> abschnitte;
  for (const char* sektion : kEigeneSektionen) {
    std::vector<std::string> zeilen;
    ini.ReadSectionValues(sektion, zeilen);
    abschnitte.push_back(std::move(zeilen));
  }
  return abschnitte;
}

bool SelbeDatei(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

void MerkeStand(EnevStand& st, TBigIniFile& ini, const std::string& fileName) {
  st.AufPlatte.Datei = fileName;
  st.AufPlatte.Abschnitte = EigeneAbschnitte(ini);
}

void Zahl(TBigIniFile& ini, const char* sek, const char* key, double v, int dez = -1) {
  ini.WriteFloat(sek, key, dez < 0 ? v : RoundDecimals(static_cast<std::uint8_t>(dez), v));
}

// One message: the head, then each line on a line of its own.
void MeldeListe(std::string kopf, const std::vector<std::string>& zeilen) {
  for (const auto& z : zeilen) kopf += "|" + z;
  ShowMessageLines(kopf);
}

std::string Getrimmt(const std::string& t) {
  const auto a = t.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  return t.substr(a, t.find_last_not_of(" \t") - a + 1);
}

// A number key's text and value: empty text when the key is missing or empty, `zahl` false
// when the text is no number.
struct Eintrag {
  std::string text;
  double wert = 0.0;
  bool zahl = false;
};
Eintrag Lies(TBigIniFile& ini, const char* sek, const char* key) {
  Eintrag e;
  if (!ini.ValueExists(sek, key)) return e;
  e.text = Getrimmt(ini.ReadString(sek, key, ""));
  e.zahl = !e.text.empty() && IniParseFloat(e.text, e.wert) && std::isfinite(e.wert);
  return e;
}

// The shortest text that gives the value back, with the decimal comma: the project's values
// are floats, the EnEV inputs doubles.
std::string Wert(float x) { return WertText(x); }
std::string Wert(double x) {
  char puffer[32];
  const auto [ende, ec] = std::to_chars(puffer, puffer + sizeof puffer, x);
  std::string text(puffer, ec == std::errc() ? ende : puffer);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

// A number of "EnEV -> Sim" within min..max. A missing key keeps the current value; so does
// a text that is no number or a value outside, which is named in `fehler` with the value that
// stays in force.
template <typename T>
T ImportZahl(TBigIniFile& ini, const char* key, T jetzt, double min, double max,
             std::vector<std::string>& fehler) {
  if (!ini.ValueExists(kSektionImport, key)) return jetzt;
  const Eintrag e = Lies(ini, kSektionImport, key);
  if (e.zahl && e.wert >= min && e.wert <= max) return static_cast<T>(e.wert);
  fehler.push_back(Abgelehnt(key, e.text, e.zahl, min, max) + "; es gilt " + Wert(jetzt));
  return jetzt;
}

template <typename T>
T ImportZahl(TBigIniFile& ini, const EnevBereich& b, T jetzt, std::vector<std::string>& fehler) {
  return ImportZahl(ini, b.Schluessel, jetzt, b.Min, b.Max, fehler);
}

// A project value by the range the project file gives its key.
float ProjektZahl(TBigIniFile& ini, const char* key, float jetzt, std::vector<std::string>& fehler) {
  const WertBereich* b = ProjektWertBereich(key);
  return ImportZahl(ini, key, jetzt, b->Min, b->Max, fehler);
}

// A Boolean of "EnEV -> Sim": a whole number, 0 for false. A missing key keeps the current
// value; so does a text that is no whole number, which is named.
bool ImportBool(TBigIniFile& ini, const char* key, bool jetzt, std::vector<std::string>& fehler) {
  if (!ini.ValueExists(kSektionImport, key)) return jetzt;
  const std::string text = Getrimmt(ini.ReadString(kSektionImport, key, ""));
  std::int32_t w = 0;
  if (IniParseInt(text, w)) return w != 0;
  fehler.push_back(std::string(key) + " = " + Zitat(text) + " ist keine ganze Zahl; es gilt " +
                   (jetzt ? "1" : "0"));
  return jetzt;
}

}  // namespace

std::string Abgelehnt(std::string_view name, std::string_view text, bool zahl, double min, double max) {
  if (text.empty()) return std::string(name) + " ist leer";
  const std::string wer = std::string(name) + " = " + Zitat(text);
  if (!zahl) return wer + " ist keine Zahl";
  return wer + " liegt nicht zwischen " + IniFloatToStr(min) + " und " + IniFloatToStr(max);
}

std::string MonatsSchluessel(const char* prefix, int monat) {
  return std::string(prefix) + (monat < 10 ? "0" : "") + std::to_string(monat);
}

EnevImport ImportEnevDaten(const std::string& fileName, TavState& s, EnevStand& st,
                           StatusSink& status) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) {
    ShowMessageLines(kNichtGefunden);
    return EnevImport::DateiFehlt;
  }
  TBigIniFile ini(fileName);
  std::vector<std::string> werte;
  ini.ReadSectionValues(kSektionImport, werte);
  bool leer = true;
  for (const auto& w : werte)
    if (w.find('=') != std::string::npos) leer = false;
  if (ini.LoadError().empty()) MerkeStand(st, ini, fileName);
  if (!ini.LoadError().empty() || leer) {
    ShowMessageLines(ini.LoadError().empty() ? std::string(kKeineDaten) : ini.LoadError());
    ini.DiscardChanges();
    return EnevImport::KeineDaten;
  }
  const char* const S = kSektionImport;
  auto& p = s.plant;
  auto& e = st.Eingaben;
  std::vector<std::string> fehler;
  // What the section changes in the project is to be saved with it.
  const auto projektWerte = [&p] {
    return std::tuple(p.ProjektName, p.KollektorFlaeche, p.KollektorAzimut, p.KollektorNeigung,
                      p.Heizgrenztemp);
  };
  const auto projektVorher = projektWerte();
  e.Nutzflaeche = ImportZahl(ini, kBereichNutzflaeche, e.Nutzflaeche, fehler);
  e.Zirkulation = ImportBool(ini, "Zirkulation", e.Zirkulation, fehler);
  p.ProjektName = ini.ReadString(S, "Projektname", p.ProjektName);
  // The values the project file knows keep to its ranges, so the form shows and writes back
  // nothing a project could not hold. Deliberate: the collector area keeps to the collector
  // dialog's bounds, because a file's 0 m² would otherwise become the project's.
  p.KollektorFlaeche = ImportZahl(ini, kBereichKollektorFlaeche, p.KollektorFlaeche, fehler);
  p.KollektorAzimut = ProjektZahl(ini, "KollektorAzimut", p.KollektorAzimut, fehler);
  p.KollektorNeigung = ProjektZahl(ini, "KollektorNeigung", p.KollektorNeigung, fehler);
  s.run.EnevSummeQHeizung = ImportZahl(ini, kBereichSummeQHeizung, s.run.EnevSummeQHeizung, fehler);
  p.Heizgrenztemp = ProjektZahl(ini, "Heizgrenztemp", p.Heizgrenztemp, fehler);
  // The standby loss belongs to the project it was given for, and only a value taken makes it so:
  // a refused one leaves the loss and its project as they were.
  if (ini.ValueExists(S, kBereichqBs.Schluessel)) {
    const std::size_t abgelehnt = fehler.size();
    e.qBS = ImportZahl(ini, kBereichqBs, e.qBS, fehler);
    if (fehler.size() == abgelehnt) st.qBSProjekt = p.ProjektName;
  }
  e.VerteilungInnen = ImportBool(ini, "Verteilung_in_Huelle", e.VerteilungInnen, fehler);
  e.NachheizElektrisch = ImportBool(ini, "Sp_elektrisch", e.NachheizElektrisch, fehler);
  e.SpeicherInnen = ImportBool(ini, "Speicher_in_Huelle", e.SpeicherInnen, fehler);
  if (projektWerte() != projektVorher) s.run.ProjektGeaendert = true;
  if (!fehler.empty()) MeldeListe(Ersetze(kUngueltig, fileName), fehler);

  s.run.KollektorEditAnfrage = false;
  std::vector<std::string> koll;
  ini.ReadSectionValues(kSektionKollektor, koll);
  if (!koll.empty()) {
    const char* const K = kSektionKollektor;
    TKollektor r;
    r.Kurzname = ini.ReadString(K, "Hersteller", "");
    r.Name = ini.ReadString(K, "Modell", "");
    r.Norm.clear();
    r.Quelle = ini.ReadString(K, "Quelle", "");
    r.qmVolumen = 0.8f;
    // Every text and figure must be there; a figure of 0 makes no collector. One outside the
    // range a collector file gives it makes none either where it belongs to the efficiency
    // curve; any other takes the default the collector file's reader gives it, so the entry
    // appended is the one the catalogue reads back.
    std::string fehlt;
    std::vector<std::string> gruende;
    std::vector<std::string> ersetzt;
    const auto fehlend = [&](const char* name) { fehlt += (fehlt.empty() ? "" : ", ") + std::string(name); };
    if (r.Kurzname.empty()) fehlend("Hersteller");
    if (r.Name.empty()) fehlend("Modell");
    if (r.Quelle.empty()) fehlend("Quelle");
    auto kennwert = [&](const char* key, const char* bereich, float& ziel) {
      const Eintrag w = Lies(ini, K, key);
      if (w.text.empty()) {
        fehlend(key);
      } else if (!w.zahl) {
        gruende.push_back(Abgelehnt(key, w.text, false, 0.0, 0.0));
      } else if (w.wert == 0.0) {
        gruende.push_back("Ein Kollektor mit " + std::string(key) + " = 0 wird nicht übernommen.");
      } else if (const WertBereich* b = KollektorWertBereich(bereich); b && !ImBereich(*b, w.wert)) {
        if (const std::optional<float> ersatz = KollektorErsatzwert(bereich)) {
          ziel = *ersatz;
          ersetzt.push_back(Abgelehnt(key, w.text, true, b->Min, b->Max) + "; es gilt " + Wert(*ersatz));
        } else {
          gruende.push_back(Abgelehnt(key, w.text, true, b->Min, b->Max));
        }
      } else {
        ziel = static_cast<float>(w.wert);
      }
    };
    kennwert("Eta0", "Eta0", r.Eta0);
    kennwert("K1", "K1", r.K1);
    kennwert("K2", "K2", r.K2);
    kennwert("IAM50", "IAM50", r.IAM50);
    kennwert("WkapC", "WkapC", r.WkapC);
    kennwert("AModul", "ModulFlaeche", r.ModulFlaeche);
    // A missing "VRK" is a flat-plate collector; one that is no whole number is taken as one,
    // named, as the collector file's reader does.
    if (const Eintrag w = Lies(ini, K, "VRK"); !w.text.empty()) {
      std::int32_t vrk = 0;
      if (IniParseInt(w.text, vrk)) r.VRK = vrk != 0;
      else ersetzt.push_back("VRK = " + Zitat(w.text) + " ist keine ganze Zahl; es gilt 0");
    }
    if (!fehlt.empty()) gruende.insert(gruende.begin(), "Es fehlt: " + fehlt);
    if (!gruende.empty()) {
      MeldeListe(Ersetze(kKollektorNicht, fileName), gruende);
    } else {
      if (!ersetzt.empty()) MeldeListe(Ersetze(kKollektorErsatz, fileName), ersetzt);
      const PlantState vorher = s.plant;
      if (MatchKollektor(s, r)) {
        if (WriteKollektoren(s, status)) {
          s.run.KollektorEditAnfrage = true;
        } else {
          // Not in the file, so neither in the list nor the project's collector.
          --s.cat.KollektorAnzahl;
          s.plant = vorher;
          const std::string koll = KollDateiPfad(s);
          ShowMessageLines("Der Kollektor \"" + Zitat(r.Kurzname + " " + r.Name) + "\" aus " +
                           fileName + " wurde nicht übernommen, da " + koll +
                           " nicht geschrieben wurde.");
          if (katalog::Veraltet(s.cat.DateiStaende, koll)) ReadKollektoren(s, status);
        }
      }
      // Only a collector the project now really uses changes it (not one the list lacked room
      // for, nor one the catalogue could not take).
      if (s.plant.Kollektor != vorher.Kollektor || s.plant.KollektorNr != vorher.KollektorNr)
        s.run.ProjektGeaendert = true;
    }
  }
  ini.DiscardChanges();
  return EnevImport::Gelesen;
}

bool WriteEnevSimDatei(const std::string& fileName, TavState& s, EnevStand& st) {
  // The outside EnEV program may write its sections meanwhile: they are kept as they are now.
  // Messages wait until the lock is given up.
  const FileWriteLock sperre(fileName);
  if (!sperre.Ok()) {
    ShowMessageLines(sperre.Error());
    return false;
  }
  TBigIniFile ini(fileName);
  if (!ini.LoadError().empty()) {
    ShowMessageLines(Ersetze(kNichtGeschrieben, fileName, ini.LoadError()));
    return false;
  }
  // What another program wrote since this one read the file is not written over.
  if (!st.AufPlatte.Datei.empty() && SelbeDatei(st.AufPlatte.Datei, fileName)) {
    const auto jetzt = EigeneAbschnitte(ini);
    for (std::size_t i = 0; i < jetzt.size(); ++i) {
      if (i < st.AufPlatte.Abschnitte.size() && jetzt[i] == st.AufPlatte.Abschnitte[i]) continue;
      ShowMessageLines(Ersetze(kFremdGeaendert, fileName, kEigeneSektionen[i]));
      ini.DiscardChanges();
      return false;
    }
  }
  const auto& p = s.plant;
  const auto& e = st.Eingaben;
  const auto& r = st.Ergebnis;

  // "EnEV -> Sim": rewritten in its order. Deliberate: the keys only read here are kept,
  // because they are the outside program's data.
  {
    const char* const S = kSektionImport;
    std::vector<std::string> alt;
    ini.ReadSectionValues(S, alt);
    ini.EraseSection(S);
    ini.WriteString(S, "ProjektName", p.ProjektName);
    Zahl(ini, S, "Nutzflaeche", e.Nutzflaeche, 2);
    Zahl(ini, S, "KollektorFlaeche", p.KollektorFlaeche, 2);
    if (p.SolHeizung) {
      Zahl(ini, S, "SummeQHeizung", s.run.EnevSummeQHeizung, 2);
      Zahl(ini, S, "Heizgrenztemp", p.Heizgrenztemp);
    }
    Zahl(ini, S, "qBs", e.qBS, 3);
    ini.WriteBool(S, "Zirkulation", e.Zirkulation);
    ini.WriteBool(S, "Verteilung_in_Huelle", e.VerteilungInnen);
    ini.WriteBool(S, "Sp_elektrisch", e.NachheizElektrisch);
    ini.WriteBool(S, "Speicher_in_Huelle", e.SpeicherInnen);
    // The keys written this time replace theirs; every other line stays as it was (the
    // outside program's tilt and orientation, its heating figures when this plant has no
    // solar heating, keys this version does not know).
    std::vector<std::string> geschrieben;
    ini.ReadSection(S, geschrieben);
    std::vector<std::string>* zeilen = nullptr;
    ini.FindKey(S, "", zeilen, true);
    for (const auto& zeile : alt) {
      const auto gl = zeile.find('=');
      std::string key = zeile.substr(0, gl == std::string::npos ? 0 : gl);
      while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
      const bool eigen = std::any_of(geschrieben.begin(), geschrieben.end(),
                                     [&](const std::string& k) { return EqualsNoCase(k, key); });
      if (!key.empty() && !eigen) zeilen->push_back(zeile);
    }
  }

  const bool typOk = p.AnlagenTypNr >= 1 && p.AnlagenTypNr <= 8;
  {
    const char* const S = kSektionParameter;
    ini.EraseSection(S);
    ini.WriteString(S, "ProjektName", p.ProjektName);
    ini.WriteString(S, "Standort", p.Standort);
    ini.WriteString(S, "Kollektor", p.Kollektor);
    Zahl(ini, S, "KollektorFlaeche", p.KollektorFlaeche, 2);
    Zahl(ini, S, "KollektorAzimut", p.KollektorAzimut, 2);
    Zahl(ini, S, "KollektorNeigung", p.KollektorNeigung, 2);
    ini.WriteBool(S, "OstWestKollektor", p.OstWestKollektor);
    if (p.OstWestKollektor) {
      Zahl(ini, S, "KollektorFlaeche2", p.KollektorFlaeche2, 2);
      Zahl(ini, S, "KollektorAzimut2", p.KollektorAzimut2, 2);
      Zahl(ini, S, "KollektorNeigung2", p.KollektorNeigung2, 2);
    }
    Zahl(ini, S, "KollektorFlow", p.KollektorFlow);
    ini.WriteBool(S, "LFTkreis", p.LFTkreis);
    ini.WriteString(S, "AnlagenTyp", p.AnlagenTyp);
    std::string code;
    SpTypCodeText(p.KombiSpTyp, code);
    ini.WriteString(S, "KombiSpTyp", code);
    ini.WriteString(S, "RohrTyp", p.RohrTyp);
    ini.WriteString(S, "Zapfprofil", p.Zapfprofil);
    Zahl(ini, S, "Kaltwassertemp", p.Kaltwassertemp);
    Zahl(ini, S, "Warmwassertemp", p.Warmwassertemp);
    Zahl(ini, S, "Minimaltemp", p.Minimaltemp);
    Zahl(ini, S, "Maximaltemp", p.Maximaltemp);
    Zahl(ini, S, "Maximaltemp2", p.Maximaltemp2);
    Zahl(ini, S, "MaxTempWinter", p.MaxTempWinter);
    Zahl(ini, S, "Warmwasserverbrauch", p.Warmwasserverbrauch, 3);
    if (p.SolHeizung) Zahl(ini, S, "Heizgrenztemp", p.Heizgrenztemp);
    if (p.AnlagenTypNr == 8) {
      Zahl(ini, S, "FWEnennleistung", p.FWEnennleistung);
      Zahl(ini, S, "FWEdTmin", p.FWEdTmin);
    }
    Zahl(ini, S, "Speicher1vol", p.Speicher1vol);
    Zahl(ini, S, "Speicher2vol", p.Speicher2vol);
    Zahl(ini, S, "Speichertauscherleistung", p.Speichertauscherleistung, 3);
    Zahl(ini, S, "Solarkreislaenge", p.Solarkreislaenge, 3);
    ini.WriteString(S, "Rohrtype", p.RohrTyp);
    if (!typOk) {
      ShowMessageLines(std::string(kAnlagenTypFehler) + S);
    } else if (p.AnlagenTypNr == 3) {
      Zahl(ini, S, "Heiztemp", p.Heiztemp);
      Zahl(ini, S, "Heiztauscherleistung", p.Heiztauscherleistung);
      Zahl(ini, S, "HeiztauscherDeltaT", p.HeiztauscherDeltaT);
    } else if (p.AnlagenTypNr >= 6) {
      auto ganz = [](float v) { return static_cast<std::int32_t>(std::lround(v)); };
      ini.WriteInteger(S, "HeizQnorm", ganz(p.HeizQnorm));
      ini.WriteInteger(S, "HeizTnorm", ganz(p.HeizTnorm));
      ini.WriteInteger(S, "HeizTvor100", ganz(p.HeizTvor100));
      ini.WriteInteger(S, "HeizTrck100", ganz(p.HeizTrck100));
      ini.WriteInteger(S, "HeizkreisTyp", p.HeizkreisTyp);
    }
    ini.WriteInteger(S, "ZeitZoom", p.ZeitZoom);
    ini.WriteDateTime(S, "Datum", Now());
  }

  {
    const char* const S = kSektionErgebnisse;
    ini.EraseSection(S);
    // Only figures of a finished simulation with EnEV parameters, never an error state.
    if (s.run.ErgebnisGueltig && s.run.EnevSimQTW > 0 && r.Gueltig()) {
      Zahl(ini, S, "qTWd", r.Bedarf->qTWd, 2);
      Zahl(ini, S, "qhTWd", r.Bedarf->qhTWd, 2);
      Zahl(ini, S, "qTWs", r.Bedarf->qTWs, 2);
      Zahl(ini, S, "qhTWs", r.Bedarf->qhTWs, 2);
      Zahl(ini, S, "qTWgHEsol", r.qTWHE, 2);
      if (p.SolHeizung) Zahl(ini, S, "qHgHEsol", r.qHHE, 2);
      Zahl(ini, S, "QTWsol", s.run.EnevSimQTWsol, 2);
      Zahl(ini, S, "QTW", s.run.EnevSimQTW, 2);
      Zahl(ini, S, "alphaTWsol", s.run.EnevSimQTWsol / s.run.EnevSimQTW, 2);
      const auto& res = s.results;
      for (int m = 1; m <= 12; ++m) {
        const double tw = p.SolHeizung ? res.SolarertragMonat[m] - res.SolHeizenMonat[m]
                                       : res.SolarertragMonat[m];
        Zahl(ini, S, MonatsSchluessel("QTWsol", m).c_str(), tw / 1000.0, 1);
      }
      if (p.SolHeizung)
        for (int m = 1; m <= 12; ++m)
          Zahl(ini, S, MonatsSchluessel("QHgsol", m).c_str(), res.SolHeizenMonat[m] / 1000.0, 1);
    }
  }
  if (!ini.UpdateFile()) {
    ShowMessageLines(Ersetze(kNichtGeschrieben, fileName, ini.LastError()));
    ini.DiscardChanges();
    return false;
  }
  MerkeStand(st, ini, fileName);
  return true;
}

}  // namespace tav::enev

namespace tav::enev {
EnevStand& EnevProgrammStand() {
  static EnevStand stand;
  return stand;
}
}  // namespace tav::enev
