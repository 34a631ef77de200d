// FillEffect: what the fill effects dialog edits, set by its caller before it opens and
// read back after OK. Colours are GDI+ ARGB (alpha in the top byte).
#pragma once

#include <cstdint>

#include "framework/core/String.h"

struct FillEffect {
  enum Kind { kPlain = 0, kPattern = 1, kPicture = 2, kPathGradient = 3, kLinearGradient = 4 };
  enum Page { kGradientPage = 1, kPatternPage = 2, kPicturePage = 4 };

  int pageMask = kGradientPage | kPatternPage | kPicturePage;
  uint32_t startColour = 0xFF000000;  // gradient start, pattern foreground
  uint32_t endColour = 0xFF000000;    // gradient end, pattern background
  int fillKind = kPlain;
  int gradientStyle = 0;  // 0..3 linear modes, 4 edges to centre, 5 moved centre
  CString picturePath;
  int hatchStyle = 0;
  int colourCount = 2;
  int wrapMode = 0;  // GDI+ WrapMode: tile, flip x, flip y, flip both, clamp
  BYTE stretch = 0;
  int allowCustomCentre = 1;

  static int KindOfStyle(int style) { return style < 4 ? kLinearGradient : kPathGradient; }
};
