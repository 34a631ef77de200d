// A 32-bit off-screen bitmap selected into its own memory DC, white to begin with, for
// drawing tests that read pixels back.
#pragma once

#include <windows.h>

#include <algorithm>

#include <cstdint>
#include <vector>

class MemoryBitmap {
 public:
  MemoryBitmap(int width, int height) {
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bitmap);
    m_width = width;
    m_height = height;
    Fill(RGB(255, 255, 255));
  }
  ~MemoryBitmap() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;

  HDC dc() const { return m_dc; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // The pixel at device position (x, y), whatever mapping the DC has.
  COLORREF Pixel(int x, int y) const {
    ::GdiFlush();
    const uint32_t v = static_cast<const uint32_t*>(m_bits)[static_cast<size_t>(y) * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  void SetPixel(int x, int y, COLORREF colour) { ::SetPixelV(m_dc, x, y, colour); }
  // Every pixel, row by row from the top, read straight from the bits.
  std::vector<COLORREF> Snapshot() const {
    ::GdiFlush();
    const uint32_t* bits = static_cast<const uint32_t*>(m_bits);
    std::vector<COLORREF> pixels(static_cast<size_t>(m_width) * m_height);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    return pixels;
  }
  // Every pixel, whatever mapping the DC has.
  void Fill(COLORREF colour) {
    ::GdiFlush();
    const uint32_t v = (static_cast<uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    uint32_t* bits = static_cast<uint32_t*>(m_bits);
    std::fill(bits, bits + static_cast<size_t>(m_width) * m_height, v);
  }

 private:
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  void* m_bits = nullptr;
  int m_width = 0;
  int m_height = 0;
};
