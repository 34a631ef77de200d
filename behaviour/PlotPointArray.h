// CPlotPointArray: the sample points a user function generates, in function units, each
// with the flag that says how it joins its neighbours.
#pragma once

#include "framework/core/Array.h"

// How a sample or screen point joins its neighbours.
enum PlotPointFlag {
  kPlotSolidPoint = 0,
  kPlotFirstClosed = 1,
  kPlotLastClosed = 2,
  kPlotInner = 3,
  kPlotHollowPoint = 4,
  kPlotFirstOpen = 5,
  kPlotLastOpen = 6,
};

struct CPlotPoint {
  double x = 0.0;  // theta for a polar function
  double y = 0.0;  // r for a polar function
  int flag = kPlotSolidPoint;
};

class CPlotPointArray : public CArray<CPlotPoint, const CPlotPoint&> {
 public:
  void Add(double x, double y, int flag) { CArray::Add(CPlotPoint{x, y, flag}); }
};
