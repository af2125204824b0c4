#include "foundation/KatalogDiensteDatei.h"

#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <new>

#include "foundation/StatusSink.h"
#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/Messages.h"
#include "foundation/TavUtil.h"
#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav::katalog {

namespace {

constexpr std::string_view kTeilweiseGelesen =
    "Nicht alle Einträge der Datei konnten gelesen werden; beim Überschreiben geht verloren:";
constexpr std::string_view kTrotzdem = "Datei trotzdem überschreiben?";
// Sections named in a line of the question; a longer list is cut.
constexpr std::size_t kSektionenZeigen = 5;
constexpr char kFehlt[] = "\x01";  // default that tells a missing key from any stored text

std::string_view Getrimmt(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

Ladung LadeText(const std::string& pfad, std::string& text, std::uint64_t* stand = nullptr,
                std::string* grund = nullptr) {
  std::error_code ec;
  if (stand) *stand = DateiStand({});
  if (!std::filesystem::exists(pfad, ec)) return Ladung::Fehlt;
  std::string bytes;
  std::string fehler;
  if (!ReadWholeFile(pfad, bytes, &fehler, kMaxKatalogBytes)) {
    ShowMessageLines(fehler);
    if (grund) *grund = fehler;
    return Ladung::Unlesbar;
  }
  if (stand) *stand = DateiStand(bytes);
  if (OhneInhalt(bytes)) return Ladung::Fehlt;
  text = DecodeText(bytes, CodePage::Cp1252);
  return Ladung::Ok;
}

// Runs a step of taking a catalogue in; running out of memory on the way is the file's
// failure with its message, not the program's end.
template <class Schritt>
Ladung OhneSpeicherAbbruch(const std::string& pfad, Schritt&& schritt, std::string* grund = nullptr) {
  try {
    return schritt();
  } catch (const std::bad_alloc&) {
    const std::string text = ReadFailureText(pfad, T(TX::GrundSpeicher));
    ShowMessageLines(text);
    if (grund) *grund = text;
    return Ladung::Unlesbar;
  }
}

// "1 Eintrag", "3 Einträge".
std::string Eintraege(std::size_t n) {
  return std::to_string(n) + (n == 1 ? " Eintrag" : " Einträge");
}

// "[A], [B], ...": the first sections named, a longer list cut (its count is said before it).
std::string SektionsListe(const std::vector<std::string>& sektionen) {
  std::string t;
  for (std::size_t i = 0; i < sektionen.size() && i < kSektionenZeigen; ++i)
    t += (i ? ", [" : "[") + Zitat(sektionen[i]) + "]";
  if (sektionen.size() > kSektionenZeigen) t += ", ...";
  return t;
}

// The state of a file this program read whole or wrote: nothing missing, nothing to read again.
KatalogDateiStand GanzGelesen(std::uint64_t stand) {
  KatalogDateiStand st;
  st.Stand = stand;
  return st;
}

// Asks before a file read only in part is replaced; true when it may be written.
bool DarfUeberschreiben(const DateiStaende* staende, const std::string& pfad) {
  if (!staende) return true;
  const auto it = staende->find(pfad);
  if (it == staende->end() || it->second.Luecken.empty()) return true;
  std::string frage = pfad + ":|" + std::string(kTeilweiseGelesen);
  for (const std::string& l : it->second.Luecken) frage += "|- " + l;
  frage += "|" + std::string(kTrotzdem);
  // "Yes" loses what the question names: Enter, and nobody there to answer, keep the file.
  return Msg().Ask(frage, mbYesNoKeep, mtWarning) == mrYes;
}

// What tells a file that cannot be read apart from another without reading it: which file
// it is (a rewrite renames a new one over it), its size and its last change. 0 when there is
// none.
std::uint64_t MerkmalStand(const std::string& pfad) {
  struct stat st {};
  if (::stat(pfad.c_str(), &st) != 0) return 0;
  const std::string merkmale = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" +
                               std::to_string(st.st_size) + ":" + std::to_string(st.st_mtim.tv_sec) +
                               "." + std::to_string(st.st_mtim.tv_nsec);
  return DateiStand(merkmale);
}

}  // namespace

std::string_view ZeichenAnfang(std::string_view text, std::size_t n) {
  std::size_t pos = 0;
  char32_t c = 0;
  for (std::size_t i = 0; i < n && NextCodePoint(text, pos, c); ++i) {
  }
  return text.substr(0, pos);
}

std::int32_t NamensDistanz(std::string_view a, std::string_view b) {
  return StringDistance(ZeichenAnfang(a, kNamensVergleich), ZeichenAnfang(b, kNamensVergleich));
}

bool OhneInhalt(std::string_view bytes) { return NurLeerraum(bytes); }

std::string DatenPfad(const TavState& s, std::string_view name) {
  return FindFileNoCase(s.folders.DatenDir, std::string(name)).string();
}

std::uint64_t DateiStand(std::string_view bytes) {
  // FNV-1a: a change by another program is to be noticed, not an attacker kept out.
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h ^ bytes.size();
}

Ladung LadeKatalog(const std::string& pfad, TBigIniFile& ini, DateiStaende* staende) {
  std::uint64_t stand = 0;
  std::string grund;
  const Ladung l = OhneSpeicherAbbruch(
      pfad,
      [&] {
        std::string gelesen;
        const Ladung l = LadeText(pfad, gelesen, &stand, &grund);
        if (l == Ladung::Ok) ini.LoadFromText(gelesen);
        return l;
      },
      &grund);
  if (l == Ladung::Unlesbar) ini.Clear();  // no half-read catalogue
  if (staende) {
    KatalogDateiStand& st = (*staende)[pfad] = KatalogDateiStand{};
    st.Stand = stand;
    if (l == Ladung::Unlesbar) {
      // Its content is not known, and a rewrite would replace all of it; the question says
      // so. What another program does to it meanwhile is told by the file's marks.
      st.StandBekannt = false;
      st.Stand = MerkmalStand(pfad);
      st.Luecken.push_back("der ganze Inhalt, da die Datei nicht gelesen werden konnte (" +
                           Zitat(grund) + ")");
    }
  }
  return l;
}

void NotiereLuecke(DateiStaende* staende, const std::string& pfad, std::string was) {
  if (staende) (*staende)[pfad].Luecken.push_back(std::move(was));
}

std::string LueckeZuviele(int uebrig, int hoechstens) {
  return Eintraege(static_cast<std::size_t>(uebrig)) + " über der Höchstzahl von " +
         std::to_string(hoechstens);
}

std::string LueckeAusgelassen(const std::vector<std::string>& sektionen) {
  return "wegen fehlerhafter Angaben nicht übernommen: " + Eintraege(sektionen.size()) + " (" +
         SektionsListe(sektionen) + ")";
}

std::string LueckeErsatzwerte(const std::vector<std::string>& sektionen) {
  return "nicht lesbare Angaben (an ihrer Stelle würden Ersatzwerte geschrieben): " +
         Eintraege(sektionen.size()) + " (" + SektionsListe(sektionen) + ")";
}

std::string LueckeKeinEintrag() {
  return "der ganze Text der Datei, da sie keinen lesbaren Eintrag enthält";
}

std::string NichtImportiert(const std::string& quelle, const std::string& katalog) {
  return "Die Daten aus " + quelle + " wurden nicht übernommen, da " + katalog +
         " nicht geschrieben wurde.";
}

std::string ListeVoll(const std::string& katalog, int hoechstens) {
  return T(TX::WarnZuvieleE) + " " + katalog + " " + TextMit(TX::HoechstensEintraege, {std::to_string(hoechstens)});
}

namespace {

// "1 entry", "3 entries" in the session's language (the import's account).
std::string EintraegeText(int n) {
  return n == 1 ? T(TX::EinEintrag) : TextMit(TX::NEintraege, {std::to_string(n)});
}

}  // namespace

int SchliesseImportAb(const ImportBilanz& bilanz, std::string_view was, const std::string& quelle,
                      const std::string& katalog, int hoechstens,
                      const std::function<bool()>& schreibe,
                      const std::function<void()>& zuruecknehmen) {
  if (bilanz.uebernommen > 0 && !schreibe()) {
    // The catalogue file is as it was (the reason was said or the user declined): so is the
    // list.
    ShowMessageLines(NichtImportiert(quelle, katalog));
    zuruecknehmen();
    return kImportNichtGeschrieben;
  }
  std::string text = TextMit(TX::ImportBilanz, {std::to_string(bilanz.gelesen), std::string(was),
                                                 std::to_string(bilanz.uebernommen)});
  const auto grund = [&text](int anzahl, const std::string& warum) {
    if (anzahl > 0) text += "|- " + EintraegeText(anzahl) + " " + warum;
  };
  grund(bilanz.vorhanden, T(TX::ImportSchonInListe));
  grund(bilanz.fehlerhaft, T(TX::ImportFehlerhaft));
  grund(bilanz.zuviele, TextMit(TX::ImportNichtUebernommen, {ListeVoll(katalog, hoechstens)}));
  if (bilanz.uebernommen == 0) text += "|" + TextMit(TX::KatalogBleibt, {katalog});
  // A list that is full or entries that cannot be read are a problem to see to; entries
  // already there are none.
  if (bilanz.zuviele > 0 || bilanz.fehlerhaft > 0)
    ShowMessageLines(text);
  else
    ShowInfoMessage(text);
  return bilanz.uebernommen;
}

bool Veraltet(const DateiStaende& staende, const std::string& pfad) {
  const auto it = staende.find(pfad);
  return it != staende.end() && it->second.Veraltet;
}

Ladung LadeZeilen(const std::string& pfad, std::vector<std::string>& zeilen) {
  return OhneSpeicherAbbruch(pfad, [&] {
    std::string text;
    const Ladung l = LadeText(pfad, text);
    if (l == Ladung::Ok) {
      zeilen.clear();
      ForEachLine(text, [&zeilen](std::string_view z) {
        if (!z.empty()) zeilen.emplace_back(z);
      });
    }
    return l;
  });
}

bool LeseZahl(std::string_view text, double& wert) {
  text = Getrimmt(text);
  // A blank inside ("4 8,5") is a typing error, not the number 48,5.
  if (text.empty() || text.find_first_of(" \t") != std::string_view::npos) return false;
  std::int32_t code = 0;
  const double w = StrToFloatComma(text, code);
  if (code != 0) return false;
  wert = w;
  return true;
}

bool LeseGanzzahl(std::string_view text, long long& wert) {
  text = Getrimmt(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  long long w = 0;
  const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), w);
  if (ec != std::errc() || p != text.data() + text.size()) return false;
  wert = w;
  return true;
}

float AufGeschrieben(float x, std::uint8_t dezimalen) {
  double w = 0.0;
  if (!LeseZahl(FloatToCommaStr(1, dezimalen, x), w)) return x;
  return static_cast<float>(w);
}

void Probleme::Melde() {
  if (texte_.empty()) return;
  // A long list is shortened on screen; the count says how many there were.
  constexpr std::size_t kZeigen = 15;
  std::string text = datei_ + ":";
  for (std::size_t k = 0; k < texte_.size() && k < kZeigen; ++k) text += "|" + texte_[k];
  if (texte_.size() > kZeigen) text += "|... (" + std::to_string(texte_.size()) + ")";
  ShowMessageLines(text);
  texte_.clear();
}

bool SektionsLeser::Hat(std::string_view key) const {
  return ini_.ReadStringAt(index_, key, kFehlt) != kFehlt;
}

std::string SektionsLeser::Text(std::string_view key, const std::string& vorgabe) const {
  return ini_.ReadStringAt(index_, key, vorgabe);
}

std::string SektionsLeser::TextOhneRand(std::string_view key, const std::string& vorgabe) const {
  return std::string(Getrimmt(Text(key, vorgabe)));
}

float SektionsLeser::Zahl(std::string_view key, float vorgabe) {
  return Zahl(key, vorgabe, -3.0e38, 3.0e38);
}

float SektionsLeser::Zahl(std::string_view key, float vorgabe, double min, double max) {
  const std::string t = ini_.ReadStringAt(index_, key, kFehlt);
  if (t == kFehlt) return vorgabe;
  double w = 0.0;
  if (!LeseZahl(t, w) || !(w > -3.0e38 && w < 3.0e38)) {
    MarkiereFehler(std::string(key) + " = " + Zitat(Getrimmt(t), 40) + " ist keine Zahl");
    return vorgabe;
  }
  if (!(w >= min && w <= max)) {
    MarkiereFehler(std::string(key) + " = " + Zitat(Getrimmt(t), 40) + " liegt nicht zwischen " +
                   IniFloatToStr(min) + " und " + IniFloatToStr(max));
    return vorgabe;
  }
  return static_cast<float>(w);
}

long long SektionsLeser::Ganzzahl(std::string_view key, long long vorgabe, long long min,
                                  long long max) {
  const std::string t = ini_.ReadStringAt(index_, key, kFehlt);
  if (t == kFehlt) return vorgabe;
  long long w = 0;
  if (!LeseGanzzahl(t, w) || w < min || w > max) {
    fehlerhaft_ = true;
    return vorgabe;
  }
  return w;
}

bool SektionsLeser::Wahr(std::string_view key, bool vorgabe) {
  const std::string t = ini_.ReadStringAt(index_, key, kFehlt);
  if (t == kFehlt || Getrimmt(t).empty()) return vorgabe;
  long long w = 0;
  if (!LeseGanzzahl(t, w)) {
    fehlerhaft_ = true;
    return vorgabe;
  }
  return w != 0;
}

std::string SektionsLeser::FehlerText() const {
  return ReplaceHashMark(T(TX::ZahlenangabenPruefen), Zitat(Name()));
}

TextEncoding KatalogKodierung(const std::string& pfad, const std::string& text) {
  std::string bytes;
  std::error_code ec;
  if (std::filesystem::exists(pfad, ec)) ReadWholeFile(pfad, bytes);
  TextEncoding kodierung = TextEncoding::Cp1252;
  DecodeText(bytes, CodePage::Cp1252, &kodierung);
  return EncodingForWrite(text, kodierung, EncodingEvident(bytes));
}

bool KatalogBytes(const std::string& pfad, const std::string& text, std::string& bytes,
                  std::string& meldung) {
  std::string problem;
  if (EncodeTextExact(text, KatalogKodierung(pfad, text), bytes, &problem)) return true;
  meldung = NotWrittenText(pfad, problem);
  return false;
}

bool SchreibeKatalog(const std::string& pfad, const std::string& text,
                     const std::string& statusName, const std::string& fehlerText,
                     StatusSink& status, DateiStaende* staende) {
  std::string bytes;
  std::string fehler;
  if (!KatalogBytes(pfad, text, bytes, fehler)) {
    ShowMessageLines(fehlerText + "|" + fehler);
    return false;
  }
  // Asked before the lock is taken: no other program waits while the question is open.
  if (!DarfUeberschreiben(staende, pfad)) return false;
  // Another program on the same data folder rewrites its catalogues under the same lock;
  // messages wait until it is given up.
  const FileWriteLock sperre(pfad);
  if (!sperre.Ok()) {
    ShowMessageLines(fehlerText + "|" + sperre.Error());
    return false;
  }
  if (staende) {
    const auto bekannt = staende->find(pfad);
    std::error_code ec;
    // A file deleted meanwhile holds nothing that the rewrite could lose. Also after the
    // user's "Yes" to replacing a file read in part: that answer was about the file as it was
    // read, not about what another program wrote since (perhaps while the question was open).
    if (bekannt != staende->end() && std::filesystem::exists(pfad, ec)) {
      std::string jetzt;
      const bool gelesen = ReadWholeFile(pfad, jetzt, &fehler, kMaxKatalogBytes);
      if (gelesen && jetzt == bytes) {
        // Another program wrote exactly this text (two first starts writing the same
        // built-in catalogue): nothing to lose, nothing to write.
        (*staende)[pfad] = GanzGelesen(DateiStand(bytes));
        return true;
      }
      if (bekannt->second.StandBekannt && !gelesen) {
        // What is there now cannot be read (a folder, no permission): not replaced either.
        ShowMessageLines(fehlerText + "|" + fehler);
        return false;
      }
      const std::uint64_t stand =
          bekannt->second.StandBekannt ? DateiStand(jetzt) : MerkmalStand(pfad);
      if (stand != bekannt->second.Stand) {
        bekannt->second.Veraltet = true;
        ShowMessageLines(fehlerText + "|" + TextMit(TX::KatalogFremdGeaendert, {pfad}));
        return false;
      }
    }
  }
  status.Status(ReplaceHashMark(T(TX::DateiSchreiben), statusName));
  const bool ok = WriteFileAtomic(pfad, bytes, &fehler);
  status.Status("");
  if (!ok) ShowMessageLines(fehlerText + "|" + fehler);
  // What was written is the file now, read whole.
  if (ok && staende) (*staende)[pfad] = GanzGelesen(DateiStand(bytes));
  return ok;
}

void MeldeErsatz(const std::string& gesucht, const std::string& grund,
                 const std::string& gewaehlt) {
  ShowMessageLines("\"" + Zitat(gesucht) + "\" " + grund + "\r\n" + T(TX::gewaehlt) + ": " + Zitat(gewaehlt));
}

void Zeile(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
  out += "\r\n";
}

}  // namespace tav::katalog
