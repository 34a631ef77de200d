#include "graphics/GeometryHelpers.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

#include "framework/core/Codepage.h"
#include "graphics/DoubleToCoord.h"

int RoundHalfAway(double v) { return DoubleToCoord(v >= 0 ? v + 0.5 : v - 0.5); }

CLine LineThroughPoint(double x, double y, double slope) { return CLine{slope, -1.0, y - slope * x}; }

void PointAlongLine(const CLine& line, int, int, double px, double py, double d, double& outX, double& outY) {
  const double m = -(line.a / line.b);
  const double s = std::sqrt(m * m / (m * m + 1));
  double c = std::sqrt(1 - s * s);
  if (m < 0) c = -c;
  outX = px + c * d;
  outY = py + s * d;
}

void DividePoint(int x1, int y1, int x2, int y2, double lambda, double& outX, double& outY) {
  outX = (x2 * lambda + x1) / (lambda + 1);
  outY = (y2 * lambda + y1) / (lambda + 1);
}

double PointDistance(int x1, int y1, int x2, int y2) {
  const double dx = static_cast<double>(x1) - x2, dy = static_cast<double>(y1) - y2;
  return std::sqrt(dx * dx + dy * dy);
}

void LineBandPolygon(int x1, int y1, int x2, int y2, int width, POINT out[4]) {
  const double d = width * 0.5 + 5.0;
  double corner[4][2];
  if (x1 == x2) {
    const bool down = y2 < y1;
    const double end1 = down ? y1 + d : y1 - d, end2 = down ? y2 - d : y2 + d;
    const double c[4][2] = {{x1 + d, end1}, {x1 - d, end1}, {x2 - d, end2}, {x2 + d, end2}};
    std::memcpy(corner, c, sizeof corner);
  } else if (y1 == y2) {
    const bool left = x2 < x1;
    const double end1 = left ? x1 + d : x1 - d, end2 = left ? x2 - d : x2 + d;
    const double c[4][2] = {{end1, y1 + d}, {end1, y1 - d}, {end2, y2 - d}, {end2, y2 + d}};
    std::memcpy(corner, c, sizeof corner);
  } else {
    const double length = PointDistance(x1, y1, x2, y2);
    double e1x, e1y, e2x, e2y;
    DividePoint(x1, y1, x2, y2, -d / (length + d), e1x, e1y);
    DividePoint(x2, y2, x1, y1, -d / (length + d), e2x, e2y);
    const double normal = -1.0 / ((static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1));
    const CLine through1 = LineThroughPoint(e1x, e1y, normal), through2 = LineThroughPoint(e2x, e2y, normal);
    PointAlongLine(through1, 0, 0, e1x, e1y, d, corner[0][0], corner[0][1]);
    PointAlongLine(through1, 0, 0, e1x, e1y, -d, corner[1][0], corner[1][1]);
    PointAlongLine(through2, 0, 0, e2x, e2y, -d, corner[2][0], corner[2][1]);
    PointAlongLine(through2, 0, 0, e2x, e2y, d, corner[3][0], corner[3][1]);
  }
  for (int i = 0; i < 4; ++i) {
    out[i].x = RoundHalfAway(corner[i][0]);
    out[i].y = RoundHalfAway(corner[i][1]);
  }
}

int CollectVariableNames(const char* text, CStringList& names) {
  static const char* const kFunctions[] = {"SIN",   "COS",    "EXP",    "SQRT",  "LN",     "TG",
                                           "TAN",   "CTG",    "COT",    "ARCSIN", "ARCCOS", "ARCTG",
                                           "ARCTAN", "ARCCTG", "ARCCOT", "LOG"};
  auto isLetter = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  auto isDigit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  const size_t n = text ? std::strlen(text) : 0;
  size_t i = 0;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (codepage::IsLeadByte(c) && i + 1 < n) {
      i += 2;  // a double-byte character, whose trail byte may look like a letter
      continue;
    }
    if (!isLetter(c)) {
      ++i;  // blanks, digits, '.', operators and anything else
      continue;
    }
    size_t end = i;
    while (end < n && (isLetter(static_cast<unsigned char>(text[end])) || isDigit(static_cast<unsigned char>(text[end]))))
      ++end;
    std::string word(text + i, end - i), upper(word);
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    bool function = false;
    for (const char* f : kFunctions) function = function || upper == f;
    if (!function) names.AddTail(CString(word));
    i = end;
  }
  return 0;
}
