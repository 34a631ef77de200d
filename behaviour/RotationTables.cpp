#include "behaviour/RotationTables.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

RotationChange Absolute(double angle) { return {RotationChange::absolute, angle, 0.0}; }
RotationChange Relative(double angle, double correctionSign = 0.0) {
  return {RotationChange::relative, angle, correctionSign};
}
RotationChange Nothing() { return {}; }

}  // namespace

long long RotationTables::Sweep(int start, int end, int speed) {
  if (start == -1) return end;
  const long long d = static_cast<long long>(end) - start;
  if (speed > 0) return d < 0 ? d + 360 : d;
  return d > 0 && d != 360 ? 360 - d : std::llabs(d);
}

int RotationTables::FrameCount(long long sweep, int speed) {
  if (speed == 0) return 0;
  const double f = std::trunc(static_cast<double>(sweep) * kFramesPerDegreeAndSpeed /
                              std::fabs(static_cast<double>(speed)) + 1.0);
  if (f >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (f <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(f);
}

double RotationTables::Correction(long long sweep, int speed, int frames) {
  return -(static_cast<double>(sweep) * kRadiansPerDegree -
           std::fabs(static_cast<double>(speed)) * (static_cast<double>(frames) - 1.0) * 0.01);
}

bool RotationTables::IsActive(const RotationInput& in, long long k) {
  // A frame count below 1 (no speed, or a negative sweep) gives nothing to turn through.
  if (in.frames <= 0) return false;
  if (!in.loop && !in.twoWay && k > in.frames) return false;
  return true;
}

RotationChange RotationTables::Change(const RotationInput& in, long long k) {
  const double delta = in.speed * 0.01;
  const long long f = in.frames;
  const long long r = k % f, q = k / f, m = (k + 1) / f;
  const bool hasStart = in.start != -1;
  const RotationChange forward = Relative(-delta), backward = Relative(delta);
  const RotationChange toStart = Absolute(StartAngle(in.start)), toEnd = Absolute(StartAngle(in.end));

  if (!in.loop && !in.twoWay) {
    if (k == 0) return hasStart ? toStart : forward;
    if (r == 0) return hasStart && !in.polygon ? toEnd : Relative(0.0, 1.0);
    return forward;
  }
  if (in.loop && !in.twoWay) {
    if (k == 0) return hasStart ? toStart : forward;
    if (r == 0) {
      if (!hasStart) return Relative(0.0, 1.0);
      return in.polygon ? Relative(-delta, 1.0) : toEnd;
    }
    if (r == 1 && k > f) return hasStart ? toStart : Relative(in.end * kRadiansPerDegree - delta);
    return forward;
  }
  if (in.loop && in.twoWay) {
    const bool qOdd = q % 2 != 0, mOdd = m % 2 != 0;
    if (r == 0 && (hasStart || k > 0)) {
      if (!hasStart) return Relative(0.0, qOdd ? 1.0 : -1.0);
      if (in.polygon) {
        if (!qOdd && !mOdd && k == 0) return Nothing();
        return Relative(0.0, qOdd || mOdd ? 1.0 : -1.0);
      }
      return mOdd ? toEnd : toStart;
    }
    return qOdd ? backward : forward;
  }
  // Two-way without loop: out, back, then a settling pass, then rest.
  if (q == 0) {
    if (k == 0 && hasStart) return in.polygon ? Nothing() : toStart;
    return forward;
  }
  if (q == 1) {
    if (r == 0) {
      if (!hasStart || in.polygon) return Relative(0.0, 1.0);
      return m % 2 != 0 ? toEnd : toStart;
    }
    return backward;
  }
  if (q == 2) return hasStart && !in.polygon ? toStart : Relative(0.0, -1.0);
  return Nothing();
}
