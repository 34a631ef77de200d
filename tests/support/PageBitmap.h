// A page drawn off screen: a 32-bit top-down DIB section in a memory DC with the page's
// mapping (origin at the centre, one logical unit per pixel, y growing upwards), so
// that drawing tests can ask which colour landed at a page point.
#pragma once

#include <windows.h>

#include <cstdint>

class PageBitmap {
 public:
  PageBitmap(int width, int height, COLORREF background = RGB(255, 255, 255)) : m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bitmap);
    Clear(background);
    ::SetMapMode(m_dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(m_dc, 1, 1, nullptr);
    ::SetViewportExtEx(m_dc, 1, -1, nullptr);
    ::SetViewportOrgEx(m_dc, width / 2, height / 2, nullptr);
  }
  ~PageBitmap() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  PageBitmap(const PageBitmap&) = delete;
  PageBitmap& operator=(const PageBitmap&) = delete;

  HDC dc() const { return m_dc; }

  // Every pixel in one colour.
  void Clear(COLORREF colour) {
    const uint32_t v = Pack(colour);
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = v;
  }

  // The colour at a page point, as 0x00BBGGRR; points off the bitmap read as black.
  COLORREF At(int x, int y) const {
    const int px = m_width / 2 + x, py = m_height / 2 - y;
    if (px < 0 || py < 0 || px >= m_width || py >= m_height) return 0;
    const uint32_t v = m_bits[py * m_width + px];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }

  // How many pixels of the page rectangle [x0, x1] x [y0, y1] hold the colour (within a
  // tolerance per channel).
  int Count(int x0, int y0, int x1, int y1, COLORREF colour, int tolerance = 0) const {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (Near(At(x, y), colour, tolerance)) ++n;
    return n;
  }

  static bool Near(COLORREF a, COLORREF b, int tolerance) {
    auto close = [&](int shift) {
      const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
      return d <= tolerance && -d <= tolerance;
    };
    return close(0) && close(8) && close(16);
  }

 private:
  static uint32_t Pack(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

  int m_width;
  int m_height;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_bits = nullptr;
};
