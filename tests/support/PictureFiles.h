// Small picture files in the temporary folder for tests that load pictures by path.
#pragma once

#include <functional>

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include "framework/core/Codepage.h"
#include "framework/core/String.h"
#include "graphics/ImageHelpers.h"

inline CString TestTempFolder() {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  return CString(dir);
}

// A BMP file of the given size whose pixel (x, y), counted from the file's top row, has
// the colour the function gives; returns its path.
inline CString WriteTestPicture(const char* name, int width, int height,
                                const std::function<COLORREF(int x, int y)>& colourAt) {
  const CString path = TestTempFolder() + name;
  Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colourAt(x, y);
      bitmap.SetPixel(x, y, Gdiplus::Color(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  CLSID bmp;
  if (GetEncoderClsid(L"image/bmp", &bmp) >= 0) bitmap.Save(codepage::ToWide(path.str()).c_str(), &bmp, nullptr);
  return path;
}
