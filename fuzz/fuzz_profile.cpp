// The load-profile catalogue: read any file, rewrite it, read it again (the list must be
// the same).
#include "FuzzSupport.h"
#include "catalogues/Profile.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  b.Write("Profil.dat", fuzz::AsText(data, size));
  TavState& s1 = b.State(0);
  ReadProfile(s1, NullStatus());
  const std::string erste = ProfileText(s1.cat);
  if (WriteProfile(s1, NullStatus())) {
    TavState& s2 = b.State(1);
    ReadProfile(s2, NullStatus());
    fuzz::Require(ProfileText(s2.cat) == erste,
                  "profiles: the second read differs from the first", erste,
                  ProfileText(s2.cat));
  }
  return 0;
}
