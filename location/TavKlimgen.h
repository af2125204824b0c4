#pragma once
// The bridge to the weather library Klimgen1_1: three synthetic hourly years for the
// current location, made with KlimgenSimYears in modes 1, 2 and 3 (each later year after
// CalcMonatssummen over the years before) and copied into the weather store.
//
// The store changes only when all three years were made; only then is the weather marked
// valid. Any failure clears SolarklimadatenOK and shows one message naming the location and
// the value the library could not use.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "location/KlimaTabellen.h"
#include "foundation/StatusSink.h"
#include "weatherlib/include/Klimgen1_1.h"

namespace tav {

struct TavState;

// Makes three weather years for the current location into the weather store; true when
// all three were made (SolarklimadatenOK is then set). Implemented by the bridge; a test
// may put its own in place.
class WetterSynthese {
 public:
  virtual ~WetterSynthese() = default;
  virtual bool Synthesise(TavState& s, StatusSink& status) = 0;
};

// The two exports the bridge calls, as the library declares them.
struct KlimgenBibliothek {
  std::function<std::uint8_t(std::uint8_t mode, std::uint8_t generieren, const TKlimOrt* ort,
                             const TKlimKlimaZone* klimaZonen, const TKlimTempZone* tempZonen,
                             const TKlimTruebung* truebungsZonen, const float* vorjahre,
                             TKlimStunden* stunden, TKlimTage* tage, TKlimMonate* monate)>
      SimYears;
  std::function<std::uint8_t(const TKlimOrt* ort, const float* reihen, float* summen)>
      CalcMonatssummen;
};

// The library linked into the program.
KlimgenBibliothek GelinkteKlimgenBibliothek();

// The location record for the library from the current location's working variables. The
// latitude keeps its sign, so that a southern location gets southern seasons.
TKlimOrt MakeKlimOrt(const TavState& s);

// What in the location record the library cannot use, named with its value ("Breite = 95°
// liegt nicht zwischen -90° und 90°"); empty when every value lies within its bounds.
std::string OrtUnbrauchbar(const TKlimOrt& ort, const KlimaTabellen& tabellen);
// The reason shown for a failed synthesis with result code `code`: the value to blame, else
// what the code means.
std::string KlimgenProblem(std::uint8_t code, const TKlimOrt& ort, const KlimaTabellen& tabellen);

class KlimgenBridge : public WetterSynthese {
 public:
  explicit KlimgenBridge(KlimgenBibliothek lib = GelinkteKlimgenBibliothek(),
                         const KlimaTabellen& tabellen = ProgrammKlimaTabellen());

  bool Synthesise(TavState& s, StatusSink& status) override;

  // Result code of the last library call.
  std::uint8_t KlimgenCode = 0;
  // Generation flag of the last call: false for mode 1, true for modes 2 and 3.
  bool KlimgenGenerate = true;
  // Monthly sums of the years before, handed to the last call.
  float Vorjahre[12] = {};

  // The library's output blocks; modes 2 and 3 rely on what mode 1 left in them.
  std::unique_ptr<TKlimStunden> KlimStunden;
  std::unique_ptr<TKlimTage> KlimTage;
  std::unique_ptr<TKlimMonate> KlimMonate;

 private:
  KlimgenBibliothek lib_;
  const KlimaTabellen& tabellen_;
};

// The program's bridge on the linked library and the program's climate tables (made on
// first use; its blocks live for the whole run, as the library's modes 2 and 3 need).
KlimgenBridge& ProgrammKlimgenBridge();

}  // namespace tav
