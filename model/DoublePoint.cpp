#include "model/DoublePoint.h"

#include "model/GeometryHelpers.h"

void CDoublePoint::Round(CPoint& out) const {
  out.x = RoundHalfAway(x);
  out.y = RoundHalfAway(y);
}
