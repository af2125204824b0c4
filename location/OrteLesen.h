#pragma once
// Reading location sections of a catalogue file (the catalogue itself and imported files).
// Every section is seen, also a later one with the name of an earlier one. Problems are
// collected per section and shown in one message that names the file and the sections.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/KatalogDiensteDatei.h"
#include "foundation/BigIni.h"

namespace tav {

struct TOrt;

// The twelve blank-separated monthly values of `text` (comma or point) into werte[1..12].
// A bad or missing value gives 999; the result is false then, and also when further values
// follow the twelfth.
bool ParseMonatsliste(std::string_view text, std::array<double, 13>& werte);

class OrteLeser {
 public:
  enum class NameDefault { MitDezimale, Ganzzahl };  // "Ort Nr.3.0" or "Ort Nr.3"

  // With nurOrtSektionen only the sections whose name begins with "Ort" (as written) count.
  OrteLeser(const TBigIniFile& ini, std::string dateiName, bool nurOrtSektionen = false);

  int Anzahl() const { return static_cast<int>(sektionen_.size()); }
  // The i-th counted section (0-based) read into a location; n numbers the default name.
  // Missing keys get their defaults, then time zone and country are derived where missing.
  TOrt Lese(int i, int n, NameDefault art);
  // Whether reading section i found values that could not be read or were out of range.
  bool SektionFehlerhaft(int i) const;
  // The name of the i-th counted section.
  const std::string& SektionsName(int i) const {
    return ini_.SectionNameAt(sektionen_.at(static_cast<std::size_t>(i)));
  }

  // Notes that entries beyond the list's capacity were skipped.
  void ZuvieleEintraege();
  // Shows the problems found so far in one message (nothing when there were none).
  void Melde();
  bool HatProbleme() const { return !probleme_.Leer(); }

 private:
  void Problem(int i, std::string text);

  const TBigIniFile& ini_;
  std::string datei_;
  std::vector<int> sektionen_;      // indices into the file's section list
  std::vector<bool> fehlerhaft_;
  katalog::Probleme probleme_;
};

}  // namespace tav
