// CRect: a RECT with value semantics. Page rectangles are y-up (top above bottom) and
// may be stored un-normalised; the tests below behave as the system's rectangle
// functions do, which treat any rectangle with left >= right or top >= bottom as empty,
// so normalise a copy before asking a page rectangle such questions.
#pragma once

#include "framework/core/Point.h"
#include "framework/core/Size.h"

class CRect : public RECT {
 public:
  CRect() { SetRectEmpty(); }
  CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
  CRect(const RECT& r) { SetRect(r.left, r.top, r.right, r.bottom); }
  CRect(POINT topLeft, SIZE size) { SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy); }
  CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

  void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(const RECT* r) { *this = *r; }
  BOOL EqualRect(const RECT* r) const { return *this == *r; }

  void NormalizeRect();
  void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
  void InflateRect(int dx, int dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
  void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
  void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }

  // FALSE and an empty rectangle when they do not overlap.
  BOOL IntersectRect(const RECT* a, const RECT* b);
  // The smallest rectangle holding both; empty inputs are left out.
  BOOL UnionRect(const RECT* a, const RECT* b);

  operator RECT*() { return this; }
  operator const RECT*() const { return this; }

  bool operator==(const RECT& r) const {
    return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
  }
  bool operator!=(const RECT& r) const { return !(*this == r); }
  CRect& operator=(const RECT& r) { SetRect(r.left, r.top, r.right, r.bottom); return *this; }
  CRect& operator+=(POINT p) { OffsetRect(p); return *this; }
  CRect& operator-=(POINT p) { OffsetRect(-p.x, -p.y); return *this; }
  CRect operator+(POINT p) const { CRect r(*this); r.OffsetRect(p); return r; }
  CRect operator-(POINT p) const { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
  CRect& operator&=(const RECT& r) { IntersectRect(this, &r); return *this; }
  CRect& operator|=(const RECT& r) { UnionRect(this, &r); return *this; }
  CRect operator&(const RECT& r) const { CRect out; out.IntersectRect(this, &r); return out; }
  CRect operator|(const RECT& r) const { CRect out; out.UnionRect(this, &r); return out; }
};
