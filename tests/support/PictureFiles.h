// Small picture files in the temporary folder for tests that load pictures by path.
#pragma once

#include <functional>
#include <vector>

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

// The bytes of a 24-bit BMP file of one colour, written by hand (no encoder needed).
inline std::vector<BYTE> SolidBmpFile(int width, int height, COLORREF colour) {
  const int line = (width * 3 + 3) & ~3;
  std::vector<BYTE> b;
  auto put = [&b](unsigned long v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<BYTE>(v >> (8 * i)));
  };
  b.push_back('B');
  b.push_back('M');
  put(54 + static_cast<unsigned long>(line * height), 4);
  put(0, 4);
  put(54, 4);  // the pixels' offset
  put(40, 4);  // the info header
  put(static_cast<unsigned long>(width), 4);
  put(static_cast<unsigned long>(height), 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      b.push_back(GetBValue(colour));
      b.push_back(GetGValue(colour));
      b.push_back(GetRValue(colour));
    }
    b.insert(b.end(), static_cast<size_t>(line - width * 3), 0);
  }
  return b;
}
