#pragma once
// The page layout every printout shares, the header-text file "Kopf.txt" and the small
// rules of printed figures. Plain C++: the printer side (Qt) lives in foundation/ui/Drucken.h.

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/TavVar.h"

namespace tav {

// Page metrics of a page of W x H device pixels (integer division throughout, the margin
// measure rounded half to even). Fills every field of P but DruckY, DruckSeite and the fonts.
void BerechneSeitenMasse(PrintState& p, int w, int h);

// a / b, or Fallback where b is 0 (or the quotient is not finite): every report and printed
// figure divides through this.
double SafeDiv(double a, double b, double fallback = 0.0);

// The header lines of "Kopf.txt" in Folder: at most the first four; a missing or unreadable
// file gives the one hint line (text-table entry KopftxtHinweis).
std::vector<std::string> LoadHeaderLines(const std::filesystem::path& folder);
// Writes Lines to "Kopf.txt" in Folder (code page 1252, CR LF, atomic); no lines write one
// empty line. False with a message-ready Error when the file could not be written.
bool SaveHeaderLines(const std::filesystem::path& folder, const std::vector<std::string>& lines,
                     std::string* error = nullptr);

// Size of the logo preview of a W x H picture: 500 wide when the picture is more than five
// times wider than high, else 100 high. A picture without area gives 0 x 0.
struct TGroesse {
  int Breite = 0, Hoehe = 0;
};
TGroesse LogoVorschau(int w, int h);
// The logo box of the page header (BoxW x BoxH) filled by a W x H picture with its aspect
// kept. A picture without area gives 0 x 0 (it is not printed).
TGroesse LogoImKasten(int boxW, int boxH, int w, int h);

}  // namespace tav
