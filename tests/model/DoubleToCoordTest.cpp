// Doubles from files and formulas become coordinates only through one checked helper.
#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "graphics/DoubleToCoord.h"

namespace {

TEST(DoubleToCoord, NotANumberIsZeroAndEverythingElseIsClamped) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double in;
    int out;
  } rows[] = {
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {-std::numeric_limits<double>::quiet_NaN(), 0},
      {inf, INT_MAX},
      {-inf, INT_MIN},
      {1e300, INT_MAX},
      {-1e300, INT_MIN},
      {2147483647.5, INT_MAX},
      {2147483646.9, 2147483646},
      {-2147483648.9, INT_MIN},
      {-2147483647.9, -2147483647},
      {3.9, 3},
      {-3.9, -3},
      {-0.0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(row.out, DoubleToCoord(row.in));
  }
}

}  // namespace
