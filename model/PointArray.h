// CPointArray: the point list an action resolves its trajectory into during a run.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Array.h"
#include "framework/core/Point.h"

class CPointArray : public CArray<CPoint, const CPoint&> {
 public:
  // A count, then each point as two signed 32-bit words (x, y).
  void Serialize(CArchive& ar);
};
