#include "behaviour/TransitionCanvas.h"

#include <algorithm>

#include "behaviour/WaitMilliseconds.h"

namespace {

int SaveInDeviceUnits(HDC dc) {
  if (!dc) return 0;
  const int state = ::SaveDC(dc);
  ::ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);  // fails harmlessly unless GM_ADVANCED
  ::SetMapMode(dc, MM_TEXT);
  ::SetWindowOrgEx(dc, 0, 0, nullptr);
  ::SetViewportOrgEx(dc, 0, 0, nullptr);
  return state;
}

void Restore(HDC dc, int state) {
  if (dc && state) ::RestoreDC(dc, state);
}

}  // namespace

CTransitionCanvas::CTransitionCanvas(HDC destination, HDC source, const RECT& rect, int delay,
                                     const TransitionHooks& hooks)
    : m_destination(destination),
      m_source(source),
      m_rect(rect),
      m_delay(std::max(delay, 0)),
      m_hooks(hooks) {
  m_destinationState = SaveInDeviceUnits(m_destination);
  m_sourceState = SaveInDeviceUnits(m_source);
  // The stretch kinds overshoot the page by up to a band, and the window around the
  // page is not the transition's to paint.
  ::IntersectClipRect(m_destination, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
  // The default mode ANDs the rows a shrink drops into the ones it keeps, darkening the
  // page; the stretch should look like the page.
  ::SetStretchBltMode(m_destination, COLORONCOLOR);
}

CTransitionCanvas::~CTransitionCanvas() {
  Restore(m_source, m_sourceState);
  Restore(m_destination, m_destinationState);
}

void CTransitionCanvas::Copy(int x, int y, int w, int h, int sourceX, int sourceY) {
  const int width = Width();
  const int height = Height();
  // Trim what lies before the page on either side, then what lies after it.
  const int trimX = std::max({0, -x, -sourceX});
  const int trimY = std::max({0, -y, -sourceY});
  x += trimX;
  sourceX += trimX;
  w -= trimX;
  y += trimY;
  sourceY += trimY;
  h -= trimY;
  w = std::min({w, width - x, width - sourceX});
  h = std::min({h, height - y, height - sourceY});
  if (w <= 0 || h <= 0) return;
  ::BitBlt(m_destination, m_rect.left + x, m_rect.top + y, w, h, m_source, sourceX, sourceY,
           SRCCOPY);
}

void CTransitionCanvas::CopyThrough(HRGN region) {
  if (!region) return;
  // Without a clip the copy would show the whole page: copy only once it is in place.
  const int state = ::SaveDC(m_destination);
  ::OffsetRgn(region, m_rect.left, m_rect.top);
  if (::ExtSelectClipRgn(m_destination, region, RGN_AND) != ERROR)
    ::BitBlt(m_destination, m_rect.left, m_rect.top, Width(), Height(), m_source, 0, 0,
             SRCCOPY);
  ::OffsetRgn(region, -m_rect.left, -m_rect.top);
  ::RestoreDC(m_destination, state);
}

void CTransitionCanvas::Stretch(int x, int y, int w, int h) {
  ::StretchBlt(m_destination, m_rect.left + x, m_rect.top + y, w, h, m_source, 0, 0, Width(),
               Height(), SRCCOPY);
}

void CTransitionCanvas::Blend(int alpha) {
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), 0};
  ::AlphaBlend(m_destination, m_rect.left, m_rect.top, Width(), Height(), m_source, 0, 0,
               Width(), Height(), blend);
}

void CTransitionCanvas::EndFrame(bool pause) {
  if (pause) {
    if (m_hooks.pause)
      m_hooks.pause(m_delay);
    else
      WaitMilliseconds(m_delay);
  }
  if (m_hooks.afterFrame) m_hooks.afterFrame(m_frame);
  ++m_frame;
}
