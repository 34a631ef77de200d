#include "behaviour/ChoosePathPoint.h"

#include <climits>

namespace {

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
long long FloorMod(long long a, long long b) { return a - FloorDiv(a, b) * b; }

int Clamped(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }

}  // namespace

PathPointChoice ChoosePathPoint(bool loop, bool twoWay, int n, int j, long long k, bool lastFrame) {
  PathPointChoice choice{-1, false, 0};
  if (n <= 0) return choice;
  if (!loop && !twoWay) {
    if (k < n) choice.point = static_cast<int>(k);
    choice.keepIndex = true;
    choice.keptIndex = Clamped(k);
    return choice;
  }
  const long long v = static_cast<long long>(j) + k;
  if (loop && !twoWay) {
    choice.point = static_cast<int>(FloorMod(v, n));
  } else {
    const long long q = FloorDiv(v, n);
    const int r = static_cast<int>(FloorMod(v, n));
    const bool forward = loop ? FloorMod(q, 2) == 0 : q == 0;
    const bool backward = loop ? !forward : q == 1;
    if (forward) choice.point = r;
    else if (backward) choice.point = n - 1 - r;
  }
  if (lastFrame && choice.point >= 0) {
    choice.keepIndex = true;
    choice.keptIndex = choice.point;
  }
  return choice;
}
