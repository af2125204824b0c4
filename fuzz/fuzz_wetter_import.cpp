// Both imports of outside weather files (monthly and hourly) on any file, into the built-in
// location catalogue.
#include "FuzzSupport.h"
#include "location/Orte.h"
#include "location/Wetter.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  OrtUmgebung env{NullStatus(), b.synthese};
  const std::string datei = b.Write("import.txt", fuzz::AsText(data, size));
  TavState& s = b.State(0);
  s.plant.Standort = "Freiburg";
  ReadOrte(s, env);
  ReadMeteoDatei(s, datei, NullStatus());
  TavState& t = b.State(1);
  t.plant.Standort = "Freiburg";
  ReadOrte(t, env);
  ReadMN5Datei(t, datei, NullStatus());
  return 0;
}
