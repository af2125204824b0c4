// The collector catalogue: read any file, rewrite it, read it again (the list must be the
// same); then import the file into the built-in catalogue.
#include "FuzzSupport.h"
#include "catalogues/Kollektoren.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  b.Write("Koll.dat", fuzz::AsText(data, size));
  TavState& s1 = b.State(0);
  ReadKollektoren(s1, NullStatus());
  const std::string erste = KollektorenText(s1.cat);
  if (WriteKollektoren(s1, NullStatus())) {
    TavState& s2 = b.State(1);
    ReadKollektoren(s2, NullStatus());
    fuzz::Require(KollektorenText(s2.cat) == erste,
                  "collectors: the second read differs from the first", erste,
                  KollektorenText(s2.cat));
  }
  b.Reset();
  TavState& s = b.State(2);
  InitKollektoren(s, NullStatus());
  ImportKollektoren(s, b.Write("Import.dat", fuzz::AsText(data, size)), NullStatus());
  return 0;
}
