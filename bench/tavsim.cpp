// tavsim: runs the annual simulation of a data folder's project without a window and prints
// the monthly result table (see bench/README.md). A developer tool, not a user feature.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogues/KatalogDiensteSim.h"
#include "foundation/TavVar.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  tav::TavsimOptionen opt;
  std::string fehler;
  if (!tav::ParseTavsimArgumente(args, opt, fehler)) {
    std::fprintf(stderr, "tavsim: %s\n", fehler.c_str());
    return 2;
  }
  auto state = std::make_unique<tav::TavState>();
  tav::TavsimErgebnis erg;
  if (!tav::TavsimLauf(*state, opt, erg)) {
    std::fprintf(stderr, "tavsim: %s\n", erg.fehler.c_str());
    return 1;
  }
  const std::string tabelle = tav::TavsimTabelle(state->results, erg);
  std::fwrite(tabelle.data(), 1, tabelle.size(), stdout);
  return 0;
}
