#include "results/PrintCharts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tav {

double ErtragSkalaSchritt(double top) {
  if (!(top > 0.0) || !std::isfinite(top)) return 1.0;
  const std::string s = std::to_string(static_cast<long long>(std::llround(top)));
  const int n = static_cast<int>(s.size()) - 1;
  const double p = std::pow(10.0, n);
  const int d = static_cast<int>(top / p);
  double schritt = p / 10.0;
  if (d == 1) schritt = 2.0 * p / 10.0;
  else if (d == 2 || d == 3) schritt = 5.0 * p / 10.0;
  else if (d >= 4 && d <= 7) schritt = p;
  else if (d == 8 || d == 9) schritt = 2.0 * p;
  return std::max(1.0, std::trunc(schritt));
}

}  // namespace tav
