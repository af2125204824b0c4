#pragma once
// Content of the system description: project, location, collector field, plant type,
// stores, hot-water demand and space heating of the plant in a state.

#include "foundation/TavVar.h"
#include "results/ReportModel.h"

namespace tav {

// The long form stands beside the plant scheme (blank lines between groups, the collector
// name on a line of its own); the short form heads the energy balance. PrintMode widens
// the tab stops and adds a title line, for paper and the clipboard. An unknown plant type
// gets one message and no store lines.
TReport AnlageReport(const TavState& S, bool LongForm, bool PrintMode);

// The module count printed after a one-field collector area, "  (n Stk)": only where the
// area is a whole multiple (within 0.01 m²) of a module larger than 1 m² and not one module.
// Empty otherwise.
std::string ModulAnzahl(double flaeche, double modulFlaeche);

}  // namespace tav
