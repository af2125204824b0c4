#include <gtest/gtest.h>

#include "results/PrintCharts.h"

namespace tav {
namespace {

TEST(PrintCharts, YieldScaleSteps) {
  const struct {
    double top, schritt;
  } faelle[] = {
      {1234.5, 200}, {2500, 500}, {5000, 1000}, {8500, 2000}, {999.7, 100},  // 999.7 rounds to "1000", d = 0
      {150, 20}, {45, 10}, {9, 2}, {0.4, 1}, {0, 1}, {-3, 1},              // never a step below 1
  };
  for (const auto& f : faelle) EXPECT_DOUBLE_EQ(ErtragSkalaSchritt(f.top), f.schritt) << f.top;
}

}  // namespace
}  // namespace tav
