// A memory device context over a top-down 32-bit DIB section, read back pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class DibSurface {
 public:
  DibSurface(int width, int height) : m_width(width), m_height(height) {
    m_dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                  nullptr, 0);
    m_old = ::SelectObject(m_dc, m_bitmap);
  }
  ~DibSurface() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return m_dc; }
  int width() const { return m_width; }
  int height() const { return m_height; }

  COLORREF Pixel(int x, int y) const {
    ::GdiFlush();
    return Colour(m_bits[y * m_width + x]);
  }
  void SetPixel(int x, int y, COLORREF c) {
    ::GdiFlush();
    m_bits[y * m_width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  void Fill(COLORREF c) {
    ::GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i)
      m_bits[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  // The whole image as COLORREFs, row by row.
  std::vector<COLORREF> Snapshot() const {
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    for (int i = 0; i < m_width * m_height; ++i) pixels.push_back(Colour(m_bits[i]));
    return pixels;
  }

 private:
  static COLORREF Colour(uint32_t v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

  int m_width;
  int m_height;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_bits = nullptr;
};
