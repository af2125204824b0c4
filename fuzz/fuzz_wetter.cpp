// The stored weather file: load any file; what loads is saved and loads again as the same
// weather years.
#include <cstring>

#include "FuzzSupport.h"
#include "location/Wetter.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  b.Write("a.wet", fuzz::AsText(data, size));
  TavState& s1 = b.State(0);
  if (LoadWetterDaten(s1, "a.wet", NullStatus()) != WetterLaden::Ok) return 0;
  s1.run.SolarklimadatenOK = true;
  fuzz::Require(SaveWetterDaten(s1, "b.wet", NullStatus()),
                "weather file: a loaded file cannot be saved", b.messages.last);
  TavState& s2 = b.State(1);
  fuzz::Require(LoadWetterDaten(s2, "b.wet", NullStatus()) == WetterLaden::Ok,
                "weather file: a saved file does not load", b.messages.last);
  const auto& w1 = s1.weather.WetterDaten.Werte;
  const auto& w2 = s2.weather.WetterDaten.Werte;
  fuzz::Require(w1.size() == w2.size() &&
                    std::memcmp(w1.data(), w2.data(), w1.size() * sizeof(w1[0])) == 0,
                "weather file: the second load differs from the first");
  return 0;
}
