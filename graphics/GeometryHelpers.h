// Small numeric helpers of the page geometry: rounding, straight lines, the band around
// a segment used for hit tests and bounds, and the variable names of a formula.
#pragma once

#include "framework/core/Point.h"
#include "framework/core/StringList.h"

// Pages turn objects by radians; GDI+ and GDI turn by degrees.
constexpr double kDegreesPerRadian = 57.29577951308232;

// v + 0.5 (v - 0.5 when negative), truncated toward zero; NaN gives 0 and values outside
// the 32-bit range the nearest limit.
int RoundHalfAway(double v);

// A straight line A·x + B·y + C = 0.
struct CLine {
  double a;
  double b;
  double c;
};

// The line of that slope through (x, y): (slope, -1, y - slope·x).
CLine LineThroughPoint(double x, double y, double slope);
// The point at distance d from (px, py) along the line; the direction never points down.
void PointAlongLine(const CLine& line, int, int, double px, double py, double d, double& outX, double& outY);
// The point dividing P1P2 in the ratio lambda: (P2·λ + P1) / (λ + 1).
void DividePoint(int x1, int y1, int x2, int y2, double lambda, double& outX, double& outY);
double PointDistance(int x1, int y1, int x2, int y2);
// The quadrilateral around the segment with a margin of width / 2 + 5 on every side,
// its corners in order around the boundary.
void LineBandPolygon(int x1, int y1, int x2, int y2, int width, POINT out[4]);

// Appends every identifier of the formula that is not a function name, in the order
// met, as written; returns 0.
int CollectVariableNames(const char* text, CStringList& names);
