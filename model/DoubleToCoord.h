// Doubles become page coordinates and indices only through this conversion: values read
// from files may be NaN, infinite or far outside the 32-bit range, and converting such
// a value to int directly is undefined.
#pragma once

#include <climits>
#include <cmath>

// Truncates toward zero; NaN gives 0, out-of-range values the nearest 32-bit limit.
inline int DoubleToCoord(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}
