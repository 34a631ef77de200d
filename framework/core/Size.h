// CSize: a SIZE with value semantics.
#pragma once

#include "framework/core/AfxTypes.h"

class CSize : public SIZE {
 public:
  CSize() { cx = 0; cy = 0; }
  CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
  CSize(SIZE s) { cx = s.cx; cy = s.cy; }

  CSize operator-() const { return CSize(-cx, -cy); }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize& operator+=(SIZE s) { cx += s.cx; cy += s.cy; return *this; }
  CSize& operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; return *this; }
  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(SIZE s) const { return !(*this == s); }
};
