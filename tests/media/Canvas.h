// Off-screen surfaces the media tests draw into and read back: a 32-bit ARGB GDI+ bitmap
// with its graphics, and a 32-bit GDI DIB section selected into a memory DC.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <vector>

#include "graphics/Picture.h"
#include "tests/support/Metafiles.h"

// ARGB as GDI+ stores it: alpha in the top byte, then red, green, blue.
constexpr Gdiplus::ARGB kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
                        kBlack = 0xFF000000, kYellow = 0xFFFFFF00;

inline bool Near(Gdiplus::ARGB a, Gdiplus::ARGB b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

struct Hex32 {
  Gdiplus::ARGB v;
};
inline std::ostream& operator<<(std::ostream& os, Hex32 h) {
  char text[12];
  snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(h.v));
  return os << text;
}

class Canvas {
 public:
  Canvas(int width, int height, Gdiplus::ARGB background)
      : bitmap(width, height, PixelFormat32bppARGB), graphics(&bitmap) {
    graphics.Clear(Gdiplus::Color(background));
  }
  Gdiplus::ARGB At(int x, int y) {
    Gdiplus::Color c;
    bitmap.GetPixel(x, y, &c);
    return c.GetValue();
  }

  Gdiplus::Bitmap bitmap;
  Gdiplus::Graphics graphics;
};

// A picture made in memory, pixel by pixel (rows from the top).
inline std::unique_ptr<CPicture> MakePicture(int width, int height, const std::vector<Gdiplus::ARGB>& pixels) {
  auto* bitmap = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap->SetPixel(x, y, Gdiplus::Color(pixels[y * width + x]));
  return std::make_unique<CPicture>(bitmap);
}

// Top half red, bottom half blue, as a file shows it.
inline std::unique_ptr<CPicture> MakeRedOverBlue(int width, int height) {
  std::vector<Gdiplus::ARGB> pixels(static_cast<size_t>(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[y * width + x] = y < height / 2 ? kRed : kBlue;
  return MakePicture(width, height, pixels);
}

inline Gdiplus::ARGB PixelOf(CPicture& picture, int x, int y) {
  Gdiplus::Color c;
  if (!picture.GetBitmap()) return 0;
  picture.GetBitmap()->GetPixel(x, y, &c);
  return c.GetValue();
}

// A DIB section of 32-bit pixels in a memory DC, for GDI drawing.
class DibCanvas {
 public:
  DibCanvas(int width, int height, COLORREF background) : m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, so rows read from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = ::SelectObject(dc, m_bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(background);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
  }
  ~DibCanvas() {
    ::SelectObject(dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(dc);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  // As a COLORREF (red in the low byte).
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD v = m_bits[static_cast<size_t>(y) * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // The bitmap, taken out of the DC (GetDIBits and friends want it unselected).
  HBITMAP Unselect() {
    ::SelectObject(dc, m_old);
    return m_bitmap;
  }

  HDC dc;

 private:
  int m_width, m_height;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  DWORD* m_bits = nullptr;
};

// An enhanced metafile, 100 x 100 units, red over its top half and blue below.
inline std::vector<BYTE> RedOverBlueEmf() {
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  RECT top = {0, 0, 100, 50}, bottom = {0, 50, 100, 100};
  HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0)), blue = ::CreateSolidBrush(RGB(0, 0, 255));
  ::FillRect(dc, &top, red);
  ::FillRect(dc, &bottom, blue);
  ::DeleteObject(red);
  ::DeleteObject(blue);
  std::vector<BYTE> bytes = EnhancedMetafileBits(::CloseEnhMetaFile(dc));
  return bytes;
}
