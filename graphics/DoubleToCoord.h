// DoubleToCoord: the one way a double becomes a coordinate or an index. Doubles come
// from files and formulas and may be NaN, infinite or huge, and converting such a
// value to int directly is undefined behaviour. Truncates toward zero like a cast;
// round first where rounding is wanted.
#pragma once

#include <climits>
#include <cmath>

inline int DoubleToCoord(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}
