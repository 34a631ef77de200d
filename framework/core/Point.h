// CPoint: a POINT with value semantics.
#pragma once

#include "framework/core/AfxTypes.h"

class CSize;

class CPoint : public POINT {
 public:
  CPoint() { x = 0; y = 0; }
  CPoint(int initX, int initY) { x = initX; y = initY; }
  CPoint(POINT p) { x = p.x; y = p.y; }

  void Offset(int dx, int dy) { x += dx; y += dy; }
  void SetPoint(int newX, int newY) { x = newX; y = newY; }

  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  CPoint operator-(POINT p) const { return CPoint(x - p.x, y - p.y); }
  CPoint& operator+=(POINT p) { x += p.x; y += p.y; return *this; }
  CPoint& operator-=(POINT p) { x -= p.x; y -= p.y; return *this; }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint& operator+=(SIZE s) { x += s.cx; y += s.cy; return *this; }
  CPoint& operator-=(SIZE s) { x -= s.cx; y -= s.cy; return *this; }
  bool operator==(POINT p) const { return x == p.x && y == p.y; }
  bool operator!=(POINT p) const { return !(*this == p); }
};
