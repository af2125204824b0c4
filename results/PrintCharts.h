#pragma once
// Rules of the printed charts that do not draw: the kWh scale of the yield bar chart.

namespace tav {

// Grid step of the yield chart for a scale top of Top kWh: by the leading digit d of Top
// (rounded to whole kWh, n + 1 digits): d = 1 -> 2·10^(n-1), d = 2, 3 -> 5·10^(n-1),
// d = 4..7 -> 10^n, d = 8, 9 -> 2·10^n, else 10^(n-1). Never below 1.
double ErtragSkalaSchritt(double top);

}  // namespace tav
