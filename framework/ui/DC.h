// CDC: a device context the object does not own unless a derived class says so.
#pragma once

#include "framework/core/Rect.h"

class CDC {
 public:
  CDC() = default;
  explicit CDC(HDC hdc) : m_hDC(hdc) {}
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  void Attach(HDC hdc) { m_hDC = hdc; }
  HDC Detach() {
    HDC h = m_hDC;
    m_hDC = nullptr;
    return h;
  }

  // A solid rectangle in the colour; the background colour stays as it was set.
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    const COLORREF old = ::SetBkColor(m_hDC, colour);
    RECT r = {x, y, x + cx, y + cy};
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
  }

  HDC m_hDC = nullptr;
};
