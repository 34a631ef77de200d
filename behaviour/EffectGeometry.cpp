#include "behaviour/EffectGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// floor(sqrt(w² + h²)), exact wherever the sum fits in 62 bits.
long long IntegerHypotenuse(long long w, long long h) {
  const double squares = static_cast<double>(w) * static_cast<double>(w) + static_cast<double>(h) * static_cast<double>(h);
  long long r = static_cast<long long>(std::sqrt(squares));
  constexpr long long kExactBelow = 1LL << 30;
  if (w < kExactBelow && h < kExactBelow) {
    const unsigned long long n = static_cast<unsigned long long>(w * w) + static_cast<unsigned long long>(h * h);
    while (r > 0 && static_cast<unsigned long long>(r) * static_cast<unsigned long long>(r) > n) --r;
    while (static_cast<unsigned long long>(r + 1) * static_cast<unsigned long long>(r + 1) <= n) ++r;
  }
  return r;
}

}  // namespace

EffectGeometry::EffectGeometry(const RECT& rect)
    : left(rect.left),
      top(rect.top),
      width(static_cast<long long>(rect.right) - rect.left),
      height(static_cast<long long>(rect.bottom) - rect.top),
      halfWidth(width / 2),
      halfHeight(height / 2),
      shorter(std::min(width, height)),
      diagonal(IntegerHypotenuse(width, height)) {}
