// The engine: values from the input go into the plant of each plant type (the test fixture's
// plants on a fixed clear-sky year), then the start check and a few simulated days. A run must
// be refused, or end with finite monthly results; an endless loop is libFuzzer's timeout.
//
// Input: plant type, switches, combi sub-type, circuit type, steps per hour, days; then per
// ranged value one selector byte: below 128 keeps the fixture's value, below 192 takes the
// next byte as a point of the value's plausible range, else the next four bytes as a float.
#include <cmath>
#include <cstring>
#include <memory>

#include "FuzzSupport.h"
#include "simulation/SimRun.h"
#include "simulation/WerteBereiche.h"
#include "tests/simulation/SimFixture.h"

using namespace tav;

namespace {

class Eingabe {
 public:
  Eingabe(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Leer() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  float Float() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = bits << 8 | Byte();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void Setze(Eingabe& in, PlantState& p, const WertBereich& b) {
  const std::uint8_t wahl = in.Byte();
  if (wahl < 128) return;
  if (wahl < 192) {
    p.*b.Feld = static_cast<float>(b.Min + (b.Max - b.Min) * in.Byte() / 255.0);
  } else {
    p.*b.Feld = in.Float();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  // The weather year is made once; each input starts from a copy of this world.
  static const std::unique_ptr<const test::SimWelt> vorlage = std::make_unique<test::SimWelt>();
  static const std::unique_ptr<TavState> g = std::make_unique<TavState>();
  static const std::unique_ptr<SimState> s = std::make_unique<SimState>();
  static const std::unique_ptr<const SimState> frisch = std::make_unique<SimState>();
  *g = *vorlage->g;
  *s = *frisch;

  Eingabe in(data, size);
  const int typ = 1 + in.Byte() % kAnlagenTypen;
  auto& p = g->plant;
  if (typ <= 2) {
    p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
    p.SolHeizung = typ == 2;
  }
  const std::uint8_t schalter = in.Byte();
  if (typ >= 3) test::SetzeAnlage(*g, typ, (schalter & 1) != 0);
  p.OstWestKollektor = (schalter & 2) != 0;
  p.LFTkreis = (schalter & 4) != 0;
  p.AntiLegionella = (schalter & 8) != 0;
  p.PoolWTdir = (schalter & 16) != 0;
  p.Zirkulation = (schalter & 32) != 0;
  if (p.Zirkulation) p.ZiZeiten.fill(true);
  p.KaskadeTyp = (schalter & 64) != 0 ? 14 : 13;
  p.KombiSpTyp = static_cast<std::uint8_t>(5 + in.Byte() % 8);
  p.HeizkreisTyp = static_cast<std::uint8_t>(1 + in.Byte() % 5);
  p.ZeitZoom = static_cast<std::uint8_t>(in.Byte() % 32);
  g->moment.LetzterSimTag = g->moment.ErsterSimTag + in.Byte() % 8;
  if (p.OstWestKollektor) {
    p.KollektorFlaeche2 = p.KollektorFlaeche;
    p.KollektorNeigung2 = p.KollektorNeigung;
    p.KollektorAzimut2 = 90.0f;
  }
  for (const auto tabelle : {ProjektWertBereiche(), KollektorWertBereiche()})
    for (const WertBereich& w : tabelle) Setze(in, p, w);

  const SimErgebnis e = RunSimSilent(*g, *s);
  if (e == SimErgebnis::Konfigurationsfehler) return 0;
  const ResultState& r = g->results;
  for (int k = 1; k <= kMonatswerteAnzahl; ++k)
    for (int m = 1; m <= 13; ++m)
      fuzz::Require(std::isfinite(r.SimMonatswerte(k)[static_cast<std::size_t>(m)]),
                    "engine: a result is not a finite number", b.messages.last);
  return 0;
}
