#include "location/Orte.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string_view>

#include "foundation/KatalogDiensteDatei.h"
#include "location/OrteLesen.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/TavMathe.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

// Texts of this unit that are not in the text table.
constexpr std::string_view kSchreibfehler = "Schreibfehler beim Aktualisieren der Standortedatei";
constexpr std::string_view kKeineOrtsdaten1 = "Keine Ortsdaten in ";
constexpr std::string_view kKeineOrtsdaten2 = " gefunden";

// One row of the built-in catalogue: the values as text, parsed like a catalogue line.
struct BuiltInRow {
  const char* name;
  const char* plz;
  float breite;
  float laenge;
  std::int32_t hoehe;
  const char* einstrahlung;
  const char* lufttemp;
};

constexpr BuiltInRow kBuiltIn[] = {
    {"Hitzacker", "29456", 53.1f, 11.0f, 14,
     "0.57 1.15 2.36 3.55 4.75 5.40 4.88 4.36 2.88 1.52 0.71 0.42",
     "0.10 0.50 3.80 8.20 12.90 16.30 18.20 17.60 14.30 9.60 5.20 1.90"},
    {"Sonnewalde", "03249", 51.7f, 13.7f, 101,
     "0.68 1.32 2.35 3.61 4.46 4.73 4.67 4.04 2.91 1.68 0.80 0.47",
     "0.00 0.00 4.50 8.30 14.10 16.20 18.50 18.00 14.20 10.10 4.30 1.60"},
    {"Strahlungen", "97618", 50.3f, 10.2f, 350,
     "0.80 1.55 2.59 3.92 4.82 5.45 5.14 4.41 3.33 1.80 0.83 0.61",
     "-0.90 0.70 4.80 8.90 13.40 16.70 18.40 17.60 14.30 8.80 4.40 0.70"},
    {"Solar", "91161", 49.3f, 11.2f, 412,
     "0.90 1.67 2.77 4.14 5.13 5.60 5.41 4.62 3.74 2.11 1.00 0.69",
     "-1.70 0.10 3.50 8.00 12.70 16.00 17.80 16.90 13.50 8.20 3.10 -0.50"},
    {"Warmbronn", "71229", 48.8f, 9.0f, 507,
     "1.07 1.68 3.05 4.23 5.21 5.26 5.42 4.58 3.71 2.25 1.08 0.82",
     "0.00 1.00 5.20 9.00 13.20 16.30 18.50 17.80 14.80 9.90 5.00 0.70"},
    {"Freiburg", "79", 48.0f, 7.9f, 269,
     "1.05 1.71 2.87 4.14 4.94 5.73 5.61 4.55 3.77 2.23 1.16 0.82",
     "1.00 1.90 6.20 10.20 14.40 17.50 19.30 18.60 15.50 9.90 5.20 1.80"},
};

// A monthly value: right-aligned in 6 with 2 decimals; a text that fills the width gets a
// blank in front so that neighbouring values never run together.
void AppendMonatswerte(std::string& out, const std::array<double, 13>& werte) {
  for (int m = 1; m <= 12; ++m) {
    std::string t = FloatToCommaStr(6, 2, static_cast<float>(werte[m]));
    if (t.front() != ' ') out += ' ';
    out += t;
  }
}

std::string RechtsBuendig(std::string t, std::size_t breite) {
  if (t.size() < breite) t.insert(0, breite - t.size(), ' ');
  return t;
}

// The location names by position, for the name searches.
auto OrtNamen(const CatalogueState& cat) {
  return [&cat](int n) -> const std::string& { return cat.Orte[n].Name; };
}

// The built-in rows in memory (no file written).
void SetBuiltInOrte(CatalogueState& cat) {
  katalog::SetzeListe(BuiltInOrte(), cat.Orte, cat.OrtAnzahl);
}

}  // namespace

void CalcLand(TOrt& ort) {
  ort.Land.clear();
  std::size_t pos = 0;
  char32_t c = 0;
  while (pos < ort.PLZ.size()) {
    std::size_t next = pos;
    if (!NextCodePoint(ort.PLZ, next, c) || !IstBuchstabe(c)) break;
    ort.Land.append(ort.PLZ, pos, next - pos);
    pos = next;
  }
  ort.PLZ.erase(0, pos);
  if (ort.Land.empty()) ort.Land = ort.GeoLaenge < 14.8f ? "D" : "PL";
  std::size_t start = 0;
  while (start < ort.PLZ.size() && (ort.PLZ[start] == ' ' || ort.PLZ[start] == '-')) ++start;
  ort.PLZ.erase(0, start);
}

void AppendOrtSection(std::string& out, int nummer, const TOrt& ort) {
  out += "[Ort " + std::to_string(nummer) + "]\r\n";
  katalog::Zeile(out, "Name", ort.Name);
  katalog::Zeile(out, "Land", ort.Land);
  katalog::Zeile(out, "PLZ", ort.PLZ);
  katalog::Zeile(out, "GeoBreite", FloatToCommaStr(4, 1, ort.GeoBreite));
  katalog::Zeile(out, "GeoLaenge", FloatToCommaStr(4, 1, ort.GeoLaenge));
  katalog::Zeile(out, "Hoehe", RechtsBuendig(std::to_string(ort.Hoehe), 4));
  out += "Einstrahlung=";
  AppendMonatswerte(out, ort.Einstrahlung);
  out += "\r\nLuftTemp=";
  AppendMonatswerte(out, ort.LuftTemp);
  out += "\r\n";
  katalog::Zeile(out, "wsTempZone", std::to_string(ort.wsTempZone));
  katalog::Zeile(out, "Zeitzone", std::to_string(ort.Zeitzone));
  out += "\r\n";
}

std::string OrteText(const TavState& s) {
  std::string out;
  for (int n = 1; n <= s.cat.OrtAnzahl; ++n) AppendOrtSection(out, n, s.cat.Orte[n]);
  return out;
}

std::vector<TOrt> BuiltInOrte() {
  std::vector<TOrt> rows;
  for (const BuiltInRow& r : kBuiltIn) {
    TOrt o;
    o.Name = r.name;
    o.Land.clear();
    o.PLZ = r.plz;
    o.GeoBreite = r.breite;
    o.GeoLaenge = r.laenge;
    o.Hoehe = r.hoehe;
    ParseMonatsliste(r.einstrahlung, o.Einstrahlung);
    ParseMonatsliste(r.lufttemp, o.LuftTemp);
    o.Zeitzone = 1;
    o.wsTempZone = 6;
    rows.push_back(std::move(o));
  }
  return rows;
}

void RoundOrtToWritten(TOrt& ort) {
  auto runde = [](float x, std::uint8_t dez) {
    std::int32_t code = 0;
    return StrToFloatComma(FloatToCommaStr(1, dez, x), code);
  };
  ort.GeoBreite = static_cast<float>(runde(ort.GeoBreite, 1));
  ort.GeoLaenge = static_cast<float>(runde(ort.GeoLaenge, 1));
  for (int m = 1; m <= 12; ++m) {
    ort.Einstrahlung[m] = runde(static_cast<float>(ort.Einstrahlung[m]), 2);
    ort.LuftTemp[m] = runde(static_cast<float>(ort.LuftTemp[m]), 2);
  }
}

std::string OrteDateiPfad(const TavState& s) { return katalog::DatenPfad(s, OrteDatei); }

bool WriteOrte(TavState& s, StatusSink& status) {
  // A catalogue read only in part is rewritten only when the user agrees (SchreibeKatalog).
  const std::string pfad = OrteDateiPfad(s);
  return katalog::SchreibeKatalog(pfad, OrteText(s), std::string(OrteDatei),
                                  std::string(kSchreibfehler), status, &s.cat.DateiStaende);
}

bool InitOrte(TavState& s, StatusSink& status) {
  SetBuiltInOrte(s.cat);
  return WriteOrte(s, status);
}

namespace {

// Loads the catalogue into the list; reports every problem and never leaves the list empty.
void LoadOrteList(TavState& s, StatusSink& status) {
  const std::string pfad = OrteDateiPfad(s);
  TBigIniFile ini;
  switch (katalog::LadeKatalog(pfad, ini, &s.cat.DateiStaende)) {
    case katalog::Ladung::Fehlt:  // missing, or nothing but blanks: rebuilt
      InitOrte(s, status);
      return;
    case katalog::Ladung::Unlesbar:  // reported; the file is kept, the built-in rows serve
      SetBuiltInOrte(s.cat);
      return;
    case katalog::Ladung::Ok:
      break;
  }
  OrteLeser leser(ini, pfad);
  if (leser.Anzahl() == 0) {
    ShowMessageLines(std::string(kKeineOrtsdaten1) + pfad + std::string(kKeineOrtsdaten2));
    katalog::NotiereLuecke(&s.cat.DateiStaende, pfad, katalog::LueckeKeinEintrag());
    SetBuiltInOrte(s.cat);
    return;
  }
  // A section with values that cannot be read is kept with substitutes (and named); a
  // rewrite would put the substitutes in place of the file's text.
  std::vector<std::string> ersetzt;
  int n = 0;
  for (int i = 0; i < leser.Anzahl() && n < kMaxOrte; ++i) {
    ++n;
    s.cat.Orte[n] = leser.Lese(i, n, OrteLeser::NameDefault::MitDezimale);
    if (leser.SektionFehlerhaft(i)) ersetzt.push_back(leser.SektionsName(i));
  }
  s.cat.OrtAnzahl = n;
  if (leser.Anzahl() > kMaxOrte) {
    leser.ZuvieleEintraege();
    katalog::NotiereLuecke(&s.cat.DateiStaende, pfad,
                           katalog::LueckeZuviele(leser.Anzahl() - kMaxOrte, kMaxOrte));
  }
  if (!ersetzt.empty())
    katalog::NotiereLuecke(&s.cat.DateiStaende, pfad, katalog::LueckeErsatzwerte(ersetzt));
  leser.Melde();
}

}  // namespace

int FindOrtNr(const TavState& s, const std::string& standort, bool warnen) {
  const auto name = OrtNamen(s.cat);
  int nr = katalog::LetzterMitNamen(s.cat.OrtAnzahl, standort, name);
  if (nr != -1 || s.cat.OrtAnzahl < 1) return nr;
  std::int32_t best = 0;
  nr = katalog::NaechsterEintrag(s.cat.OrtAnzahl, standort, name, best);
  if (warnen) katalog::MeldeErsatz(standort, T(TX::MeldungOrtnichtgefunden), s.cat.Orte[nr].Name);
  return nr;
}

void ReadOrte(TavState& s, OrtUmgebung& env) {
  const std::int32_t vorher = s.plant.OrtNr;
  // Read again after a rewrite was refused because another program changed the file.
  if (!s.cat.OrteGeladen || katalog::Veraltet(s.cat.DateiStaende, OrteDateiPfad(s))) {
    LoadOrteList(s, env.status);
    s.cat.OrteGeladen = true;
  }
  s.plant.OrtNr = FindOrtNr(s, s.plant.Standort, true);
  if (s.plant.OrtNr != vorher) s.run.SolarklimadatenOK = false;
  if (s.plant.OrtNr >= 1) SelectOrt(s, s.plant.OrtNr, env);
}

void LeseOrteNeuWennVeraltet(TavState& s, StatusSink& status) {
  if (!katalog::Veraltet(s.cat.DateiStaende, OrteDateiPfad(s))) return;
  LoadOrteList(s, status);
  s.cat.OrteGeladen = true;
  // The project's location by its name in the file as it is now; another entry (or the same
  // one changed) has its weather made anew when the location is next made current.
  const std::int32_t nr = FindOrtNr(s, s.plant.Standort, true);
  if (nr != s.plant.OrtNr || nr < 1 || s.cat.Orte[nr].GeoBreite != s.loc.GeoBreite ||
      s.cat.Orte[nr].GeoLaenge != s.loc.GeoLaenge)
    s.run.SolarklimadatenOK = false;
  s.plant.OrtNr = nr;
}

int ImportOrte(TavState& s, const std::string& fileName, StatusSink& status,
               katalog::ImportBilanz* ergebnis) {
  TBigIniFile ini;
  if (katalog::LadeKatalog(fileName, ini) == katalog::Ladung::Unlesbar) return -1;
  OrteLeser leser(ini, fileName, /*nurOrtSektionen=*/true);
  const int k = leser.Anzahl();
  if (k == 0) {
    ShowMessageLines(std::string(kKeineOrtsdaten1) + fileName + std::string(kKeineOrtsdaten2));
    return -1;
  }
  const std::int32_t anzahlVorher = s.cat.OrtAnzahl;
  katalog::ImportBilanz bilanz;
  bilanz.gelesen = k;
  int i = 0;
  for (; i < k && s.cat.OrtAnzahl < kMaxOrte; ++i) {
    TOrt ort = leser.Lese(i, i + 1, OrteLeser::NameDefault::Ganzzahl);
    // A section with unreadable values is not taken into the catalogue.
    if (leser.SektionFehlerhaft(i)) {
      ++bilanz.fehlerhaft;
      continue;
    }
    RoundOrtToWritten(ort);
    if (katalog::LetzterMitNamen(s.cat.OrtAnzahl, ort.Name, OrtNamen(s.cat)) != -1) {
      ++bilanz.vorhanden;
      continue;
    }
    s.cat.Orte[++s.cat.OrtAnzahl] = std::move(ort);
    ++bilanz.uebernommen;
  }
  bilanz.zuviele = k - i;
  if (ergebnis) *ergebnis = bilanz;
  leser.Melde();
  return katalog::SchliesseImportAb(
      bilanz, T(TX::ImportOrte), fileName, OrteDateiPfad(s), kMaxOrte, [&] { return WriteOrte(s, status); },
      [&] {
        // A file another program changed is read again.
        s.cat.OrtAnzahl = anzahlVorher;
        LeseOrteNeuWennVeraltet(s, status);
      });
}

void SetHemisphaere(TavState& s) {
  LocationState& l = s.loc;
  l.GeoBreiteBetrag = std::fabs(l.GeoBreite);
  l.Hemisphaere = l.GeoBreite < 0 ? -1 : 1;
  l.SinGeoBreite = static_cast<float>(SinDeg(l.GeoBreiteBetrag));
  l.CosGeoBreite = static_cast<float>(CosDeg(l.GeoBreiteBetrag));
}

namespace {

// Tenths of a coordinate as the catalogue writes it ("7,9" -> 79), without sign.
std::string Zehntel(std::string_view geschrieben) {
  std::string ziffern;
  for (char c : geschrieben)
    if (c >= '0' && c <= '9') ziffern += c;
  std::size_t start = 0;
  while (start + 1 < ziffern.size() && ziffern[start] == '0') ++start;
  ziffern.erase(0, start);
  if (ziffern.size() < 3) ziffern.insert(0, 3 - ziffern.size(), '0');
  return ziffern;
}

}  // namespace

// Deliberate: "S" for a southern latitude, because a southern and a northern location at the
// same distance from the equator and the same longitude would otherwise share one file.
std::string MakeWetterDateiName(double breite, double laenge) {
  const std::string b = FloatToCommaStr(1, 1, static_cast<float>(breite));
  const std::string l = FloatToCommaStr(1, 1, static_cast<float>(laenge));
  const bool sued = b.find('-') != std::string::npos;
  const bool west = l.find('-') != std::string::npos;
  return std::string(sued ? "S" : "N") + Zehntel(b) + (west ? "W" : "E") + Zehntel(l) + ".wet";
}

}  // namespace tav
