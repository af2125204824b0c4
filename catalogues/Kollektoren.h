#pragma once
// The collector catalogue "Koll.dat": read (rebuilt from the four built-in rows when missing),
// the project's collector resolved and made current, rewritten, imported from another
// catalogue, a handed-over collector matched or appended, and the scrambled delivery
// "Koll.dac" turned into the plain catalogue (brand edition).
//
// A bad catalogue never ends the program: the message names the file and the sections, the
// file stays as it is, and the program goes on with what it could read (or the built-in rows
// in memory). Sections with the same name are all kept.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

namespace katalog {
struct ImportBilanz;
}
struct TavState;
struct CatalogueState;
struct TKollektor;
class StatusSink;

// Length of the project's collector key: the current collector's name is cut to it.
inline constexpr std::size_t kKollektorNameLaenge = 50;

// One collector section as written (UTF-8, CR LF, ending with the empty line). Shared by the
// writer and the collector sorter so that both write the same text.
void AppendKollektorSection(std::string& out, int nummer, const TKollektor& k);
// The whole catalogue text of Kollektoren[1..KollektorAnzahl].
std::string KollektorenText(const CatalogueState& c);
// Rounds the written values (Eta0, K1, IAM50, WkapC, ModulFlaeche, qmVolumen 3 decimals,
// K2 4) to what the file holds, so that memory and file agree.
void RoundKollektorToWritten(TKollektor& k);

// The default that stands in for a collector figure (by its key in the collector file) that
// cannot be read or lies outside its range (KollektorWertBereich): the value of a missing key.
// None for the figures of the efficiency curve (Eta0, K1, K2): without them an entry is no
// usable collector and is left out, as is one whose optical efficiency is not above 0.
std::optional<float> KollektorErsatzwert(std::string_view schluessel);

// The four built-in collectors.
std::vector<TKollektor> BuiltInKollektoren();

// Full path of the catalogue in the data folder.
std::string KollDateiPfad(const TavState& s);

// Rewrites the catalogue atomically (the list is first rounded to the written values). On
// failure the old file stays, a message is shown and the result is false.
bool WriteKollektoren(TavState& s, StatusSink& status);
// Replaces the list by the built-in rows and writes the file.
bool InitKollektoren(TavState& s, StatusSink& status);
// Loads the list once (KollektorenGeladen; again after a rewrite was refused because another
// program changed the file), resolves the project's Kollektor to KollektorNr
// (exact name, last wins; else the name's first 50 characters; "*init*" the first entry;
// else the nearest name with a warning) and makes it current.
void ReadKollektoren(TavState& s, StatusSink& status);
// Appends the collectors of another catalogue whose names are new (a section without a usable
// efficiency curve is not taken, as when the catalogue is read), then rewrites the catalogue
// when any was taken. Returns the number taken over; -1 when the file held no collector;
// katalog::kImportNichtGeschrieben when the catalogue could not be written (then nothing is
// taken, and the message says so). `bilanz`, when given, gets what became of the file's entries.
int ImportKollektoren(TavState& s, const std::string& fileName, StatusSink& status,
                      katalog::ImportBilanz* bilanz = nullptr);

// Makes Kollektoren[index] current (name cut to 50 characters). False for an index outside
// 1..KollektorAnzahl; nothing changes then.
bool SelectKollektor(TavState& s, int index);
// Index of the first collector with the smallest string distance to `name` and that
// distance; -1 (and 10000) for an empty list.
int FindKollektor(const CatalogueState& c, std::string_view name, std::uint16_t& distanz);
// Takes the handed-over collector r (EnEV transfer): its Kurzname + " " + Name found exactly,
// or a near name with nearly equal coefficients, or appended (not in the brand edition).
// True when it was appended; the caller then rewrites the catalogue.
bool MatchKollektor(TavState& s, const TKollektor& r);

// The reversible, position-dependent byte transform of "Koll.dac" (its own inverse).
std::string KollDacTransform(std::string_view bytes);
// Turns "Koll.dac" of the data folder into "Koll.dat" (atomic). False with a message when
// "Koll.dac" cannot be read or "Koll.dat" cannot be written; "Koll.dat" is then untouched.
bool DecodeDatFile(TavState& s);

}  // namespace tav
