// Imports of outside weather files that add a location to the catalogue: monthly files
// ("MN4") and hourly files (header line "hy\tG_Gh\tTa").

#include <filesystem>
#include <set>
#include <stdexcept>

#include "location/Orte.h"
#include "location/OrteLesen.h"
#include "project/ProjektRecord.h"
#include "location/Wetter.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/KatalogDiensteDatei.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

constexpr std::size_t kNamensLaenge = 32;  // names are cut to this before " (Meteo)"
constexpr char kMeteo[] = " (Meteo)";
constexpr int kMN5Zeilen = 8764;           // name, coordinates, a free line, header, 8760 hours

// An import error whose text is shown below the file's name.
struct ImportFehler : std::runtime_error {
  using std::runtime_error::runtime_error;
};

bool NameVorhanden(const TavState& s, const std::string& name) {
  for (int n = 1; n <= s.cat.OrtAnzahl; ++n)
    if (s.cat.Orte[n].Name == name) return true;
  return false;
}

// One leading and one trailing double quote removed.
std::string OhneAnfuehrung(std::string t) {
  if (!t.empty() && t.front() == '"') t.erase(0, 1);
  if (!t.empty() && t.back() == '"') t.pop_back();
  return t;
}

std::string Getrimmt(const std::string& t) {
  std::size_t a = 0;
  std::size_t e = t.size();
  while (a < e && static_cast<unsigned char>(t[a]) <= ' ') ++a;
  while (e > a && static_cast<unsigned char>(t[e - 1]) <= ' ') --e;
  return t.substr(a, e - a);
}

// Splits at every separator.
std::vector<std::string> Felder(const std::string& zeile, char trenner) {
  std::vector<std::string> felder;
  std::size_t start = 0;
  for (;;) {
    const std::size_t pos = zeile.find(trenner, start);
    if (pos == std::string::npos) {
      felder.push_back(zeile.substr(start));
      return felder;
    }
    felder.push_back(zeile.substr(start, pos - start));
    start = pos + 1;
  }
}

// How the numbers of a coordinates line are separated.
enum class KopfForm {
  Komma,        // by commas (blanks beside them allowed)
  Leerzeichen,  // by blanks only
  Gemischt      // some by commas, some by blanks only: no form at all
};

// The numbers of a coordinates line, as texts. Separated by blanks (a comma right behind a
// number is part of the separator, a comma inside a number its decimal comma) or, in a line
// without blanks, by commas, the numbers then with the decimal point. In the comma form a
// decimal comma cannot be told from a separator ("48,5,7,8" may be 48,5 / 7,8 or 48 / 5 /
// 7 / 8), so a line with more fields than `anzahl` (a last empty one allowed) is refused:
// nothing is returned. `kommaAmEnde` tells whether the last number had a comma behind it,
// `form` how the numbers were separated.
std::vector<std::string> KopfFelder(const std::string& zeile, std::size_t anzahl, bool& kommaAmEnde,
                                    KopfForm& form) {
  const std::string z = Getrimmt(zeile);
  std::vector<std::string> felder;
  kommaAmEnde = false;
  form = KopfForm::Komma;
  if (z.find_first_of(" \t") != std::string::npos) {
    std::size_t mitKomma = 0;  // numbers with a comma behind them, the last one not counted
    std::size_t pos = 0;
    while ((pos = z.find_first_not_of(" \t", pos)) != std::string::npos) {
      const std::size_t ende = std::min(z.find_first_of(" \t", pos), z.size());
      std::string feld = z.substr(pos, ende - pos);
      if (kommaAmEnde) ++mitKomma;
      kommaAmEnde = feld.back() == ',';
      if (kommaAmEnde) feld.pop_back();
      if (!feld.empty()) felder.push_back(feld);
      pos = ende;
    }
    if (mitKomma == 0) form = KopfForm::Leerzeichen;
    else if (felder.empty() || mitKomma != felder.size() - 1) form = KopfForm::Gemischt;
  } else {
    felder = Felder(z, ',');
    kommaAmEnde = felder.size() > anzahl && felder.back().empty();
    if (kommaAmEnde) felder.pop_back();
  }
  if (felder.size() != anzahl) return {};
  return felder;
}

// A number of an imported line within min..max; blanks around it are allowed, a blank inside
// ("4 8,5") makes it no number rather than 48,5.
double StrengeZahl(const std::string& feld, double min, double max) {
  if (Getrimmt(feld).find_first_of(" \t") != std::string::npos) throw ENonsenseInput();
  return CheckFloatRange(feld, min, max);
}

// Reads a whole outside file as lines; false (with the message already shown) when it
// is missing or unreadable.
bool LeseZeilen(const std::string& fileName, const std::string& fehlt, const std::string& fehler,
                std::vector<std::string>& zeilen) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) {
    ShowMessageLines(fehlt);
    return false;
  }
  std::string bytes;
  std::string grund;
  if (!ReadWholeFile(fileName, bytes, &grund, kMaxImportBytes)) {
    ShowMessageLines(fehler + "|" + grund);
    return false;
  }
  zeilen = SplitLines(DecodeText(bytes, CodePage::Cp1252));
  return true;
}

// Appends a new location, rewrites the catalogue and makes the entry the project's. When
// the catalogue cannot be written the entry is taken out again and the project keeps its
// location: false, with the message.
bool Uebernehmen(TavState& s, TOrt ort, const std::string& fileName, StatusSink& status) {
  ort.PLZ.clear();
  ort.wsTempZone = 6;
  RoundOrtToWritten(ort);
  s.cat.Orte[++s.cat.OrtAnzahl] = std::move(ort);
  if (!WriteOrte(s, status)) {
    s.cat.Orte[s.cat.OrtAnzahl] = TOrt{};
    --s.cat.OrtAnzahl;
    ShowMessageLines(katalog::NichtImportiert(fileName, OrteDateiPfad(s)));
    LeseOrteNeuWennVeraltet(s, status);
    return false;
  }
  s.plant.OrtNr = s.cat.OrtAnzahl;
  return true;
}

// The list is full: the location of the file is not taken (and nothing is written).
bool ListeVoll(const TavState& s, const std::string& fileName) {
  if (s.cat.OrtAnzahl < kMaxOrte) return false;
  ShowMessageLines(TextMit(TX::StandortNichtUebernommen, {fileName}) + "|" +
                   katalog::ListeVoll(OrteDateiPfad(s), kMaxOrte));
  return true;
}

}  // namespace

std::string UniqueMeteoName(const TavState& s, const std::string& name) {
  // Each step appends the suffix to the candidate (cut first when long). When cutting makes
  // the step repeat itself, a counted suffix keeps the candidates distinct.
  std::string kandidat = name;
  std::set<std::string> versucht;
  while (NameVorhanden(s, kandidat)) {
    versucht.insert(kandidat);
    const std::string basis = Utf8Length(kandidat) > kNamensLaenge
                                  ? LinksZeichen(kandidat, kNamensLaenge)
                                  : kandidat;
    std::string naechster = basis + kMeteo;
    if (versucht.count(naechster)) {
      const std::string kurz = LinksZeichen(name, kNamensLaenge);
      for (int n = 2;; ++n) {
        naechster = kurz + " (Meteo " + std::to_string(n) + ")";
        if (!NameVorhanden(s, naechster)) return naechster;
      }
    }
    kandidat = naechster;
  }
  return kandidat;
}

bool ReadMeteoDatei(TavState& s, const std::string& fileName, StatusSink& status) {
  const std::string fehlerIn = TextMit(TX::ImportFehlerIn, {fileName});
  std::vector<std::string> zeilen;
  if (!LeseZeilen(fileName, TextMit(TX::ImportDateiFehlt, {fileName}), fehlerIn, zeilen))
    return false;
  if (zeilen.size() < 4) {
    ShowMessageLines(fehlerIn);
    return false;
  }
  std::string name = OhneAnfuehrung(zeilen[3]);
  const std::size_t erstes = name.find_first_not_of(' ');
  name.erase(0, erstes == std::string::npos ? name.size() : erstes);
  if (name.empty()) {
    ShowMessageLines(fehlerIn);
    return false;
  }
  if (ListeVoll(s, fileName)) return false;
  TOrt ort;
  ort.Name = UniqueMeteoName(s, name);
  try {
    if (zeilen.size() < 20) throw ImportFehler("");
    // Latitude, longitude (west positive in the file), altitude, each followed by a comma.
    bool kommaAmEnde = false;
    KopfForm form = KopfForm::Komma;
    const std::vector<std::string> kopf = KopfFelder(zeilen[4], 3, kommaAmEnde, form);
    if (kopf.empty() || !kommaAmEnde) throw ImportFehler(T(TX::ImportKopfzeile) + " \"" + Zitat(zeilen[4]) + "\": " + T(TX::ImportKopfUnklar));
    ort.GeoBreite = static_cast<float>(StrengeZahl(kopf[0], 0, 65));
    ort.GeoLaenge = static_cast<float>(-StrengeZahl(kopf[1], -180, 180));
    ort.Hoehe = CheckIntRange(kopf[2], 1, 3000);
    for (int m = 1; m <= 12; ++m) {
      std::string rest = zeilen[7 + m];
      std::string feld[5];
      for (int f = 0; f < 5; ++f) {
        // Every field up to the temperature must be followed by a tab.
        if (rest.find('\t') == std::string::npos) throw ImportFehler("");
        NextTabField(rest, feld[f]);
      }
      ort.Einstrahlung[m] = static_cast<double>(CheckIntRange(feld[1], 0, 999)) / MonatsTage[m];
      ort.LuftTemp[m] = StrengeZahl(feld[4], -50, 50);
    }
  } catch (const std::exception& e) {
    const std::string detail = e.what();
    ShowMessageLines(detail.empty() ? fehlerIn : fehlerIn + "|" + detail);
    return false;
  }
  ort.Land.clear();
  ort.Zeitzone = CalcZeitzone(ort.GeoLaenge);
  return Uebernehmen(s, std::move(ort), fileName, status);
}

bool ReadMN5Datei(TavState& s, const std::string& fileName, StatusSink& status) {
  std::vector<std::string> zeilen;
  if (!LeseZeilen(fileName, fileName + " " + T(TX::Meldung_nichtgefunden),
                  ReplaceHashMark(T(TX::FehlerDateiLesen), fileName), zeilen))
    return false;
  std::string kopf = zeilen.size() >= 4 ? zeilen[3] : std::string();
  kopf = StripChars(kopf, " <>");
  if (zeilen.size() != kMN5Zeilen || kopf != "hy\tG_Gh\tTa") {
    ShowMessageLines(ReplaceHashMark(T(TX::FehlerDateiLesen), fileName) + " (Header)");
    return false;
  }
  auto problem = [&](const std::string& detail) {
    ShowMessageLines(TextMit(TX::ImportProblem, {fileName}) + "\r\n" + detail);
    return false;
  };

  // Line 1: the name, perhaps with a two-letter country code behind a blank.
  TOrt ort;
  std::u32string name = Utf8ToCodePoints(OhneAnfuehrung(zeilen[0]));
  ort.Land.clear();
  if (name.size() >= 3 && name[name.size() - 3] == U' ') {
    const std::string code = CodePointsToUtf8(name.substr(name.size() - 2));
    static const std::pair<const char*, const char*> kLaender[] = {
        {"GM", "D"}, {"AU", "A"}, {"FR", "F"}, {"IT", "I"}, {"SP", "E"}};
    ort.Land = code;
    for (const auto& [von, nach] : kLaender)
      if (code == von) ort.Land = nach;
    name.resize(name.size() - 3);
  }
  std::string ortName = CodePointsToUtf8(name);
  if (ortName.empty()) ortName = zeilen[1];
  if (ListeVoll(s, fileName)) return false;
  ort.Name = UniqueMeteoName(s, ortName);

  // Line 2: latitude, longitude, altitude, time zone. The older files separate them by
  // commas and count the time zone west positive, the newer ones by blanks and east
  // positive. The form decides the sign, never the line's length: a comma line of more
  // digits is still west positive, a short blank line still east positive.
  try {
    bool kommaAmEnde = false;
    KopfForm form = KopfForm::Komma;
    const std::vector<std::string> f = KopfFelder(zeilen[1], 4, kommaAmEnde, form);
    if (f.empty() || form == KopfForm::Gemischt) throw ImportFehler("");
    ort.GeoBreite = static_cast<float>(StrengeZahl(f[0], 24, 65));
    ort.GeoLaenge = static_cast<float>(StrengeZahl(f[1], -180, 180));
    ort.Hoehe = CheckIntRange(f[2], 0, 3000);
    const std::int32_t tz = CheckIntRange(f[3], -12, 12);
    ort.Zeitzone = static_cast<std::int8_t>(form == KopfForm::Komma ? -tz : tz);
  } catch (const std::exception&) {
    return problem(T(TX::ImportKopfdaten) + ": \"" + Zitat(zeilen[1]) + "\"\r\n" + T(TX::ImportKopfUnklar));
  }

  // Lines 5..8764: the hours in month order.
  int zeile = 4;
  for (int m = 1; m <= 12; ++m) {
    double summeG = 0.0;
    double summeT = 0.0;
    for (int h = 0; h < MonatsTage[m] * 24; ++h, ++zeile) {
      const std::string& text = zeilen[static_cast<std::size_t>(zeile)];
      try {
        const std::size_t tab1 = text.find('\t');
        const std::size_t tab2 = tab1 == std::string::npos ? tab1 : text.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) throw ImportFehler("");
        summeG += CheckIntRange(text.substr(tab1 + 1, tab2 - tab1 - 1), 0, 1200);
        summeT += StrengeZahl(text.substr(tab2 + 1), -40, 50);
      } catch (const std::exception&) {
        return problem(TextMit(TX::ImportDatenzeile, {Zitat(text)}));
      }
    }
    ort.Einstrahlung[m] = summeG / MonatsTage[m] / 1000.0;
    ort.LuftTemp[m] = summeT / (MonatsTage[m] * 24.0);
  }
  return Uebernehmen(s, std::move(ort), fileName, status);
}

}  // namespace tav
