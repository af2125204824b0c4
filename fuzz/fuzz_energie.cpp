// The energy-carrier catalogue: read any file, rewrite it, read it again (the list must be
// the same).
#include "FuzzSupport.h"
#include "catalogues/Energie.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  TavState& s1 = b.State(0);
  b.Write(std::filesystem::path(EnergieDateiPfad(s1)).filename().string(), fuzz::AsText(data, size));
  ReadEnergie(s1, "", NullStatus());
  const std::string erste = EnergieKatalogText(s1.cat);
  if (WriteEnergie(s1, NullStatus())) {
    TavState& s2 = b.State(1);
    ReadEnergie(s2, "", NullStatus());
    fuzz::Require(EnergieKatalogText(s2.cat) == erste,
                  "energy carriers: the second read differs from the first", erste,
                  EnergieKatalogText(s2.cat));
  }
  return 0;
}
