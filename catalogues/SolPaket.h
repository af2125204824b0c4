#pragma once
// The solar-package list "SolPaket.dat": one package per line, eight TAB-separated fields
// (name, collector, module count, store, two volumes, storage arrangement, plant type).
// Read only; a missing file gives the one built-in package.

#include <string>

namespace tav {

struct TavState;
struct CatalogueState;
struct TPaket;

// Full path of the list in the data folder.
std::string PaketDateiPfad(const TavState& s);
// The built-in package.
TPaket BuiltInPaket();
// Reads one line into `paket`; false when the line is not accepted (empty, a ";" comment, an
// unknown plant type, no first volume, or a two-store package without second volume). Plant
// types 2..5 become 1, 7 becomes 6.
bool ParseSolPaket(const std::string& line, TPaket& paket);
// Fills Solarpakete from the file at `pfad`. A missing file gives the built-in package; a file
// of fewer than two lines or without any accepted line is reported and gives the built-in
// package too (the program goes on).
void InitSolPakete(CatalogueState& c, const std::string& pfad);

}  // namespace tav
