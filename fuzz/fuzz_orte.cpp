// The location catalogue: read any file, rewrite it, read it again (the list must be the
// same); then import the file into the built-in catalogue.
#include "FuzzSupport.h"
#include "location/Orte.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  OrtUmgebung env{NullStatus(), b.synthese};
  b.Write("Orte.dat", fuzz::AsText(data, size));
  TavState& s1 = b.State(0);
  ReadOrte(s1, env);
  const std::string erste = OrteText(s1);
  if (WriteOrte(s1, NullStatus())) {
    TavState& s2 = b.State(1);
    ReadOrte(s2, env);
    fuzz::Require(OrteText(s2) == erste, "locations: the second read differs from the first",
                  erste, OrteText(s2));
  }
  b.Reset();
  TavState& s = b.State(2);
  InitOrte(s, NullStatus());
  ImportOrte(s, b.Write("Import.dat", fuzz::AsText(data, size)), NullStatus());
  return 0;
}
