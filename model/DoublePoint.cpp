#include "model/DoublePoint.h"

#include "graphics/GeometryHelpers.h"

void CDoublePoint::Round(CPoint& out) const {
  out.x = RoundHalfAway(x);
  out.y = RoundHalfAway(y);
}
