#pragma once
// The content of the EnEV report: mode 0 ("Auswertung") the DIN figures, mode 1
// ("Simulation") with the results of the simulation with EnEV parameters. Figures in the
// error state are shown as "–", never as numbers.

#include "enev/EnevDatei.h"
#include "results/ReportModel.h"

namespace tav::enev {

inline constexpr int kEnevAuswertung = 0;
inline constexpr int kEnevSimulation = 1;

// Tab stops of the report on screen; the copy widens them by 1.05.
inline const std::vector<int> kEnevTabs = {85, 150, 282, 350};

// Kopie: the clipboard variant with its title line. Druck: the printed page's wording (the
// collector's two fields in one line, the characteristic's units in brackets, the flat rate
// and the auxiliary energy spelt out, the heating limit beside "Q H g,sol:"), with a
// second label and its value as the third and fourth cell of a line.
TReport EnevBericht(const TavState& s, const EnevStand& st, int modus, bool kopie, bool druck = false);

// "Auswertung" or "Simulation" + " nach EnEV / DIN 4701-10" (the print header's title).
std::string EnevTitel(int modus);

}  // namespace tav::enev
