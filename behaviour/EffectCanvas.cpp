#include "behaviour/EffectCanvas.h"

#include <algorithm>
#include <climits>

namespace {

int Coord(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Gives one context the mapping of another, its viewport moved back by shift pixels.
bool CopyMapping(HDC from, HDC to, POINT shift) {
  const int mode = ::GetMapMode(from);
  if (!mode || !::SetMapMode(to, mode)) return false;
  if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
    SIZE window, viewport;
    // The window first: an isotropic mapping adjusts the viewport to it.
    if (!::GetWindowExtEx(from, &window) || !::SetWindowExtEx(to, window.cx, window.cy, nullptr) ||
        !::GetViewportExtEx(from, &viewport) || !::SetViewportExtEx(to, viewport.cx, viewport.cy, nullptr))
      return false;
  }
  POINT windowOrigin, viewportOrigin;
  return ::GetWindowOrgEx(from, &windowOrigin) && ::SetWindowOrgEx(to, windowOrigin.x, windowOrigin.y, nullptr) &&
         ::GetViewportOrgEx(from, &viewportOrigin) &&
         ::SetViewportOrgEx(to, viewportOrigin.x - shift.x, viewportOrigin.y - shift.y, nullptr);
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

CEffectCanvas::CEffectCanvas(HDC page, const CRect& area, bool withWorkImage) : m_page(page), m_area(area) {
  auto drawable = [](long long v) { return v >= -kLargestCoordinate && v <= kLargestCoordinate; };
  if (!page || !drawable(area.left) || !drawable(area.top) || !drawable(area.right) || !drawable(area.bottom))
    return;
  CDC pageDC(page);
  if (!m_mapper.CreateCompatibleDC(&pageDC) || !CopyMapping(page, m_mapper, {0, 0})) return;
  const RECT box = PageBox(area.left, area.top, static_cast<long long>(area.right) - area.left,
                           static_cast<long long>(area.bottom) - area.top);
  if (!drawable(box.left) || !drawable(box.top) || !drawable(box.right) || !drawable(box.bottom)) return;
  const long long width = static_cast<long long>(box.right) - box.left;
  const long long height = static_cast<long long>(box.bottom) - box.top;
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide || width * height > kLargestArea)
    return;
  m_origin = {box.left, box.top};
  if (!m_object.Create(page, static_cast<int>(width), static_cast<int>(height))) return;
  if (withWorkImage && !m_work.Create(page, static_cast<int>(width), static_cast<int>(height))) return;
  // Last, so that a canvas that cannot work leaves the page as it found it.
  m_pageState = ::SaveDC(page);
  if (!m_pageState) return;
  ::SetMapMode(page, MM_TEXT);
  ::SetWindowOrgEx(page, 0, 0, nullptr);
  ::SetViewportOrgEx(page, 0, 0, nullptr);
}

CEffectCanvas::~CEffectCanvas() {
  if (m_pageState) ::RestoreDC(m_page, m_pageState);
}

POINT CEffectCanvas::PagePixel(long long x, long long y) const {
  POINT p = {Coord(x), Coord(y)};
  ::LPtoDP(m_mapper, &p, 1);
  return p;
}

RECT CEffectCanvas::PageBox(long long x, long long y, long long w, long long h) const {
  const POINT a = PagePixel(x, y);
  const POINT b = PagePixel(x + w, y + h);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT CEffectCanvas::ImageBox(long long x, long long y, long long w, long long h) const {
  RECT r = PageBox(x, y, w, h);
  ::OffsetRect(&r, -m_origin.x, -m_origin.y);
  return r;
}

RECT CEffectCanvas::RelativeBox(long long left, long long top, long long right, long long bottom) const {
  return ImageBox(m_area.left + left, m_area.top + top, right - left, bottom - top);
}

void CEffectCanvas::DrawIntoObjectImage(const std::function<void(HDC)>& draw) {
  HDC image = m_object.GetDC();
  const int state = ::SaveDC(image);
  if (state && CopyMapping(m_mapper, image, m_origin)) draw(image);
  if (state) ::RestoreDC(image, state);
}

void CEffectCanvas::FillFromPage(long long x, long long y, long long w, long long h, long long fromX,
                                 long long fromY) {
  const RECT to = ImageBox(x, y, w, h);
  const RECT from = PageBox(fromX, fromY, w, h);
  ::BitBlt(m_object.GetDC(), to.left, to.top, Width(to), Height(to), m_page, from.left, from.top, SRCCOPY);
}

void CEffectCanvas::Show(long long x, long long y, long long w, long long h, long long fromX, long long fromY,
                         DWORD rop) {
  const long long left = m_area.left, top = m_area.top;
  const long long right = left + (static_cast<long long>(m_area.right) - m_area.left);
  const long long bottom = top + (static_cast<long long>(m_area.bottom) - m_area.top);
  const long long trimX = std::max({0LL, left - x, left - fromX});
  const long long trimY = std::max({0LL, top - y, top - fromY});
  x += trimX;
  fromX += trimX;
  w -= trimX;
  y += trimY;
  fromY += trimY;
  h -= trimY;
  w = std::min({w, right - x, right - fromX});
  h = std::min({h, bottom - y, bottom - fromY});
  if (w <= 0 || h <= 0) return;
  const RECT to = PageBox(x, y, w, h);
  const RECT from = ImageBox(fromX, fromY, w, h);
  ::BitBlt(m_page, to.left, to.top, Width(to), Height(to), m_object.GetDC(), from.left, from.top, rop);
}

void CEffectCanvas::ShowThrough(const CRgn& clip, DWORD rop) {
  if (!clip.GetSafeHandle()) return;
  HDC work = m_work.GetDC();
  const int w = m_work.Width(), h = m_work.Height();
  ::BitBlt(work, 0, 0, w, h, m_page, m_origin.x, m_origin.y, rop);
  // Without its clip the copy would show the whole object: copy only once it is in place.
  if (::SelectClipRgn(work, clip) != ERROR) ::BitBlt(work, 0, 0, w, h, m_object.GetDC(), 0, 0, rop);
  ::SelectClipRgn(work, nullptr);
  ::BitBlt(m_page, m_origin.x, m_origin.y, w, h, work, 0, 0, rop);
}

void CEffectCanvas::Stretch(long long x, long long y, long long w, long long h) {
  const RECT to = PageBox(x, y, w, h);
  // The default mode ANDs the rows a shrink drops into the ones it keeps, darkening the
  // object; the squeezed object should look like the object.
  const int oldMode = ::SetStretchBltMode(m_page, COLORONCOLOR);
  ::StretchBlt(m_page, to.left, to.top, Width(to), Height(to), m_object.GetDC(), 0, 0, m_object.Width(),
               m_object.Height(), SRCCOPY);
  if (oldMode) ::SetStretchBltMode(m_page, oldMode);
}

void CEffectCanvas::ShowBlended(int alpha, DWORD rop) {
  HDC work = m_work.GetDC();
  const int w = m_work.Width(), h = m_work.Height();
  ::BitBlt(work, 0, 0, w, h, m_page, m_origin.x, m_origin.y, SRCCOPY);
  // No per-pixel alpha: what GDI leaves in the alpha bytes must not matter.
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), 0};
  ::AlphaBlend(work, 0, 0, w, h, m_object.GetDC(), 0, 0, w, h, blend);
  ::BitBlt(m_page, m_origin.x, m_origin.y, w, h, work, 0, 0, rop);
}

CRgn CEffectCanvas::RectRegion(long long left, long long top, long long right, long long bottom) const {
  const RECT r = RelativeBox(left, top, right, bottom);
  CRgn region;
  region.CreateRectRgn(r.left, r.top, r.right, r.bottom);
  return region;
}

CRgn CEffectCanvas::EllipseRegion(long long left, long long top, long long right, long long bottom) const {
  const RECT r = RelativeBox(left, top, right, bottom);
  CRgn region;
  region.CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
  return region;
}

CRgn CEffectCanvas::DiamondRegion(const long long (&corners)[4][2]) const {
  POINT points[4];
  for (int i = 0; i < 4; ++i) {
    points[i] = PagePixel(m_area.left + corners[i][0], m_area.top + corners[i][1]);
    points[i].x -= m_origin.x;
    points[i].y -= m_origin.y;
  }
  CRgn region;
  region.CreatePolygonRgn(points, 4, WINDING);
  return region;
}

CRgn CEffectCanvas::Combine(const CRgn& a, const CRgn& b, int mode) {
  CRgn out;
  if (!a.GetSafeHandle() || !b.GetSafeHandle() || !out.CreateRectRgn(0, 0, 0, 0) ||
      out.CombineRgn(&a, &b, mode) == ERROR)
    return CRgn();
  return out;
}
