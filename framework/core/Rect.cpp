#include "framework/core/Rect.h"

#include <algorithm>

namespace {
bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }
}  // namespace

void CRect::NormalizeRect() {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

BOOL CRect::IntersectRect(const RECT* a, const RECT* b) {
  RECT r = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom)};
  if (Empty(*a) || Empty(*b) || Empty(r)) {
    SetRectEmpty();
    return FALSE;
  }
  *this = r;
  return TRUE;
}

BOOL CRect::UnionRect(const RECT* a, const RECT* b) {
  const bool emptyA = Empty(*a), emptyB = Empty(*b);
  if (emptyA && emptyB) {
    SetRectEmpty();
    return FALSE;
  }
  if (emptyA) { *this = *b; return TRUE; }
  if (emptyB) { *this = *a; return TRUE; }
  RECT r = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
            std::max(a->bottom, b->bottom)};
  *this = r;
  return TRUE;
}
