#pragma once
// File handling shared by the catalogue readers and writers of collectors, pipes, load
// profiles, energy carriers and stores: loading a catalogue into the INI class (a missing or
// empty file told apart from an unreadable one), reading one section's values with the
// problems collected for one message naming file and sections, and the atomic rewrite.

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/BigIni.h"
#include "foundation/TavMathe.h"

namespace tav {

struct TavState;
struct KatalogDateiStand;
class StatusSink;

namespace katalog {

enum class Ladung {
  Ok,
  Fehlt,     // no such file, or nothing in it but blanks and line ends
  Unlesbar,  // exists but cannot be read (the message is shown)
};

// A file image of nothing but blanks and line ends (perhaps behind a UTF-8 byte-order mark):
// such a catalogue counts as missing.
bool OhneInhalt(std::string_view bytes);

// Full path of `name` in the data folder, found without regard to case.
std::string DatenPfad(const TavState& s, std::string_view name);

// What this program knows of each catalogue file, by path (see CatalogueState::DateiStaende).
using DateiStaende = std::map<std::string, KatalogDateiStand>;
// The content stamp of a file image; a missing file counts as an empty one.
std::uint64_t DateiStand(std::string_view bytes);

// Loads the file into `ini` (code page 1252, or UTF-8 when the file is UTF-8). With
// `staende`, what was read is noted there under the path; a file that cannot be read is
// noted as read in part (a rewrite would replace all of it).
Ladung LadeKatalog(const std::string& pfad, TBigIniFile& ini, DateiStaende* staende = nullptr);

// A catalogue read only in part is not rewritten from that part without the user's word.
// The reader notes what its list did not take in; a rewrite through SchreibeKatalog then
// asks first, naming the file and what would be lost ("No" leaves the file as it is).
void NotiereLuecke(DateiStaende* staende, const std::string& pfad, std::string was);
// The standard lines: more sections than the list takes; entries left out as invalid;
// entries kept with substitutes for values that could not be read; no readable entry.
std::string LueckeZuviele(int uebrig, int hoechstens);
std::string LueckeAusgelassen(const std::vector<std::string>& sektionen);
std::string LueckeErsatzwerte(const std::vector<std::string>& sektionen);
std::string LueckeKeinEintrag();
// What an import of catalogue entries returns when it could not write its catalogue.
inline constexpr int kImportNichtGeschrieben = -2;
// The message of an import whose catalogue could not be written: nothing of `quelle` was
// taken (the reason was said before, or the user declined the rewrite).
std::string NichtImportiert(const std::string& quelle, const std::string& katalog);
// The list of the catalogue `katalog` (full path) takes no more entries: names the file and
// the list's limit.
std::string ListeVoll(const std::string& katalog, int hoechstens);

// What an import of catalogue entries made of the entries its file holds.
struct ImportBilanz {
  int gelesen = 0;      // entries found in the file
  int uebernommen = 0;  // appended to the list
  int vorhanden = 0;    // not taken: the list holds an entry of that name
  int fehlerhaft = 0;   // not taken: values that cannot be read (named in a message of their own)
  int zuviele = 0;      // not taken: the list was full
};
// Ends an import of entries into the list of `katalog` (full path, list of `hoechstens`).
// An import that took nothing writes nothing and asks nothing. Else the catalogue is
// rewritten by `schreibe`; when that fails the message says that nothing of `quelle` was
// taken and `zuruecknehmen` takes the entries out of the list again. The closing message says how many
// entries (`was`: "Orten", "Kollektoren") were read and taken and why the others were not.
// Returns the number taken, or kImportNichtGeschrieben.
int SchliesseImportAb(const ImportBilanz& bilanz, std::string_view was, const std::string& quelle,
                      const std::string& katalog, int hoechstens,
                      const std::function<bool()>& schreibe,
                      const std::function<void()>& zuruecknehmen);
// Whether a rewrite was refused because another program changed the file, so the list is to
// be read again (the catalogue's reader does it when it is next called).
bool Veraltet(const DateiStaende& staende, const std::string& pfad);
// The file's text lines (decoded), for the line-based package list; empty lines are left out.
// A file that is no regular file, is larger than kMaxKatalogBytes or does not fit into memory
// is Unlesbar, with its message shown.
Ladung LadeZeilen(const std::string& pfad, std::vector<std::string>& zeilen);

// Number forms of the catalogue files: a decimal comma or point, blanks around allowed but
// none inside; a whole number without any decimals.
bool LeseZahl(std::string_view text, double& wert);
bool LeseGanzzahl(std::string_view text, long long& wert);

// x as the file will hold it with the given decimals (what a rewrite and re-read gives).
float AufGeschrieben(float x, std::uint8_t dezimalen);

// Problems found in one file, shown together in one message headed by the file name.
class Probleme {
 public:
  explicit Probleme(std::string datei) : datei_(std::move(datei)) {}
  void Add(std::string text) { texte_.push_back(std::move(text)); }
  bool Leer() const { return texte_.empty(); }
  // Shows the problems (nothing when there were none) and forgets them.
  void Melde();

 private:
  std::string datei_;
  std::vector<std::string> texte_;
};

// Reads the values of one section (by its position, so that sections with the same name
// are all seen). A value that is there but cannot be read, or lies outside its range, keeps
// the default and marks the section.
class SektionsLeser {
 public:
  SektionsLeser(const TBigIniFile& ini, int index) : ini_(ini), index_(index) {}

  const std::string& Name() const { return ini_.SectionNameAt(index_); }
  bool Hat(std::string_view key) const;
  std::string Text(std::string_view key, const std::string& vorgabe) const;
  // The text without the blanks around it: the energy-carrier and store files were read with
  // the system's profile functions, which drop them ("Name= Speicher 500 ").
  std::string TextOhneRand(std::string_view key, const std::string& vorgabe) const;
  float Zahl(std::string_view key, float vorgabe);
  // A number that must also lie within min..max.
  float Zahl(std::string_view key, float vorgabe, double min, double max);
  long long Ganzzahl(std::string_view key, long long vorgabe, long long min, long long max);
  // "1" or any non-zero whole number is true.
  bool Wahr(std::string_view key, bool vorgabe);

  bool Fehlerhaft() const { return fehlerhaft_; }
  void MarkiereFehler() { fehlerhaft_ = true; }
  // Marks the section with a text naming the key, the value and what is wrong with it.
  void MarkiereFehler(std::string was) {
    fehlerhaft_ = true;
    fehler_.push_back(std::move(was));
  }
  // The standard text for a marked section.
  std::string FehlerText() const;
  // The values found wrong, one text each ("Eta0 = 5 liegt nicht zwischen 0 und 1,5").
  const std::vector<std::string>& Fehler() const { return fehler_; }

 private:
  const TBigIniFile& ini_;
  int index_;
  bool fehlerhaft_ = false;
  std::vector<std::string> fehler_;
};

// The encoding `text` is to be stored in at `pfad`: the one the file there is read in (UTF-8
// with or without byte-order mark, else code page 1252); for a file not there yet or of plain
// ASCII code page 1252, or UTF-8 with byte-order mark when 1252 cannot hold the text.
TextEncoding KatalogKodierung(const std::string& pfad, const std::string& text);
// The catalogue text (UTF-8, CR LF) as the file at `pfad` is to hold it, in the file's own
// encoding. False, with a message naming the file, when that encoding cannot hold the text
// (a character code page 1252 lacks) or the next read would decode it differently.
bool KatalogBytes(const std::string& pfad, const std::string& text, std::string& bytes,
                  std::string& meldung);

// Writes the catalogue text through the atomic writer in the file's encoding (KatalogBytes),
// with "`statusName` schreiben ..." (DateiSchreiben) on the status line meanwhile. On failure the old file
// stays, the message `fehlerText` + the reason is shown and the result is false. The file's
// write lock is held meanwhile; with `staende`, a file read only in part is replaced only
// when the user agrees (asked before the lock is taken), a file that another program changed
// since it was noted there is not replaced (said in the message; the catalogue is marked to
// be read again) unless it already holds exactly this text, and what was written is noted.
bool SchreibeKatalog(const std::string& pfad, const std::string& text,
                     const std::string& statusName, const std::string& fehlerText,
                     StatusSink& status, DateiStaende* staende = nullptr);

// Names are told apart by their first kNamensVergleich characters, as the collector key a
// project stores is cut to that length: the distance of longer texts costs time with the
// square of their length and would choose no better.
inline constexpr std::size_t kNamensVergleich = 50;
// The first n characters (code points) of text, as a view into it.
std::string_view ZeichenAnfang(std::string_view text, std::size_t n);
// StringDistance of the first kNamensVergleich characters of a and b.
std::int32_t NamensDistanz(std::string_view a, std::string_view b);

// The first of the entries 1..anzahl whose name(i) has the smallest NamensDistanz from
// `text`, counting only distances below `best` (which receives the smallest); -1 when none.
template <typename NameVon>
int NaechsterName(int anzahl, std::string_view text, NameVon name, std::int32_t& best) {
  int nr = -1;
  for (int i = 1; i <= anzahl; ++i) {
    const std::int32_t d = NamensDistanz(text, name(i));
    if (d < best) {
      best = d;
      nr = i;
    }
  }
  return nr;
}

// The first of the entries 1..anzahl with the smallest string distance from `text`, whatever
// that distance: a text far longer than every name lies beyond any fixed start value, and a
// name must still be chosen. `best` receives the distance; -1 only for an empty list.
template <typename NameVon>
int NaechsterEintrag(int anzahl, std::string_view text, NameVon name, std::int32_t& best) {
  best = std::numeric_limits<std::int32_t>::max();
  int nr = NaechsterName(anzahl, text, name, best);
  if (nr == -1 && anzahl >= 1) nr = 1;
  return nr;
}

// The last of the entries 1..anzahl whose name(i) is exactly `key`, compared in full (a later
// entry of the same name wins); -1 when none. Asked before any nearest name.
template <typename NameVon>
int LetzterMitNamen(int anzahl, std::string_view key, NameVon name) {
  int nr = -1;
  for (int i = 1; i <= anzahl; ++i)
    if (name(i) == key) nr = i;
  return nr;
}

// Tells that `gesucht` was not found (`grund`) and which entry was chosen instead.
void MeldeErsatz(const std::string& gesucht, const std::string& grund,
                 const std::string& gewaehlt);

// Puts the rows into the list at 1..n and sets its count n.
template <typename Eintrag, typename Anzahl>
void SetzeListe(std::vector<Eintrag> rows, std::vector<Eintrag>& liste, Anzahl& anzahl) {
  anzahl = static_cast<Anzahl>(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) liste[i + 1] = std::move(rows[i]);
}

// "key=value" + CR LF.
void Zeile(std::string& out, std::string_view key, std::string_view value);

}  // namespace katalog
}  // namespace tav
