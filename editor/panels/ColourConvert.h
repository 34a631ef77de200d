// The colour words of the colour controls: GDI+'s ARGB (alpha in bits 24-31, then red,
// green, blue) beside GDI's COLORREF (red in the low byte), and a drawing object's
// transparency (0 opaque .. 255 clear) as an alpha.
#pragma once

#include <windows.h>

#include <cstdint>

inline COLORREF ArgbToColorref(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

inline uint32_t ColorrefToArgb(COLORREF colour, int alpha = 255) {
  return (static_cast<uint32_t>(alpha & 0xFF) << 24) | (static_cast<uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

inline int AlphaFromTransparency(int transparency) { return 255 - (transparency & 0xFF); }
inline int TransparencyFromAlpha(uint32_t argb) { return 255 - static_cast<int>(argb >> 24); }
