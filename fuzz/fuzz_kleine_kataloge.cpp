// The read-only catalogues on any file: pipes, stores and solar packages.
#include <filesystem>

#include "FuzzSupport.h"
#include "catalogues/Rohre.h"
#include "catalogues/SolPaket.h"
#include "catalogues/Speicher.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  TavState& s = b.State(0);
  const auto name = [](const std::string& pfad) {
    return std::filesystem::path(pfad).filename().string();
  };
  const std::string_view text = fuzz::AsText(data, size);
  b.Write(name(RohrDateiPfad(s)), text);
  ReadRohre(s, NullStatus());
  ReadSpeicher(s.cat, b.Write(name(SpeicherDateiPfad(s)), text));
  InitSolPakete(s.cat, b.Write(name(PaketDateiPfad(s)), text));
  return 0;
}
