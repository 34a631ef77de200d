// EffectGeometry: the measures of an effect rectangle that every effect kind and the
// effect length are computed from. In 64 bits: a rectangle from a file may span the
// whole 32-bit range.
#pragma once

#include "framework/core/Rect.h"

struct EffectGeometry {
  // From a normalised rectangle.
  explicit EffectGeometry(const RECT& rect);

  long long left, top;             // (L, T)
  long long width, height;         // W, H
  long long halfWidth, halfHeight; // W div 2, H div 2
  long long shorter;               // min(W, H)
  long long diagonal;              // the integer part of the diagonal's length
};
