// The collector catalogue: read any file, rewrite it, read it again (the list must be the
// same); then import the file into the built-in catalogue.
#include "FuzzSupport.h"
#include "catalogues/Kollektoren.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  b.Write("Koll.dat", fuzz::AsText(data, size));
  auto s1 = b.NewState();
  ReadKollektoren(*s1, NullStatus());
  const std::string erste = KollektorenText(s1->cat);
  if (WriteKollektoren(*s1, NullStatus())) {
    auto s2 = b.NewState();
    ReadKollektoren(*s2, NullStatus());
    fuzz::Require(KollektorenText(s2->cat) == erste,
                  "collectors: the second read differs from the first", erste,
                  KollektorenText(s2->cat));
  }
  b.Reset();
  auto s = b.NewState();
  InitKollektoren(*s, NullStatus());
  ImportKollektoren(*s, b.Write("Import.dat", fuzz::AsText(data, size)), NullStatus());
  return 0;
}
