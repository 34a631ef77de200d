#include "framework/ui/DC.h"

#include <memory>
#include <utility>

#include "framework/ui/Bitmap.h"
#include "framework/ui/Brush.h"
#include "framework/ui/Font.h"
#include "framework/ui/Pen.h"
#include "framework/ui/Rgn.h"
#include "framework/ui/TempMap.h"
#include "framework/ui/Wnd.h"

namespace {

TempMap<HDC, CDC>& Temporary() {
  thread_local TempMap<HDC, CDC> map;
  return map;
}

}  // namespace

CDC::~CDC() {
  if (m_hDC && m_owner == Owner::Delete) ::DeleteDC(m_hDC);
}

CDC::CDC(CDC&& other) noexcept
    : m_hDC(std::exchange(other.m_hDC, nullptr)),
      m_hAttribDC(std::exchange(other.m_hAttribDC, nullptr)),
      m_bPrinting(other.m_bPrinting),
      m_owner(std::exchange(other.m_owner, Owner::None)) {}

CDC& CDC::operator=(CDC&& other) noexcept {
  if (this != &other) {
    DeleteDC();
    m_hDC = std::exchange(other.m_hDC, nullptr);
    m_hAttribDC = std::exchange(other.m_hAttribDC, nullptr);
    m_bPrinting = other.m_bPrinting;
    m_owner = std::exchange(other.m_owner, Owner::None);
  }
  return *this;
}

CDC* CDC::FromHandle(HDC hDC) {
  if (!hDC) return nullptr;
  if (CDC* found = Temporary().Find(hDC)) return found;
  auto wrapper = std::make_unique<CDC>();
  wrapper->m_hDC = wrapper->m_hAttribDC = hDC;
  return Temporary().Add(hDC, std::move(wrapper));
}

void CDC::DeleteTempMap() { Temporary().Clear(); }

BOOL CDC::Attach(HDC hDC) {
  if (!hDC || m_hDC) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  m_owner = Owner::Delete;
  return TRUE;
}

HDC CDC::Detach() {
  HDC hDC = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  m_owner = Owner::None;
  return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  DeleteDC();
  return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData) {
  DeleteDC();
  return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  const bool owned = m_owner == Owner::Delete;
  HDC hDC = Detach();
  return owned ? ::DeleteDC(hDC) : TRUE;
}

CPen* CDC::SelectObject(CPen* pPen) {
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen ? pPen->m_hObject : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush ? pBrush->m_hObject : nullptr)));
}
CFont* CDC::SelectObject(CFont* pFont) {
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont ? pFont->m_hObject : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr)));
}
int CDC::SelectObject(CRgn* pRgn) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn ? pRgn->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ stock = ::GetStockObject(nIndex);
  HGDIOBJ old = ::SelectObject(m_hDC, stock);
  switch (::GetObjectType(old)) {
    case OBJ_PEN: return CPen::FromHandle(static_cast<HPEN>(old));
    case OBJ_BRUSH: return CBrush::FromHandle(static_cast<HBRUSH>(old));
    case OBJ_FONT: return CFont::FromHandle(static_cast<HFONT>(old));
    default: return CGdiObject::FromHandle(old);
  }
}

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old = {};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetWindowOrg() const {
  POINT p = {};
  ::GetWindowOrgEx(m_hDC, &p);
  return p;
}
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  POINT old = {};
  ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
  return old;
}
CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE old = {};
  ::SetWindowExtEx(m_hDC, cx, cy, &old);
  return old;
}
CSize CDC::GetWindowExt() const {
  SIZE s = {};
  ::GetWindowExtEx(m_hDC, &s);
  return s;
}
CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old = {};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}
CPoint CDC::GetViewportOrg() const {
  POINT p = {};
  ::GetViewportOrgEx(m_hDC, &p);
  return p;
}
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT old = {};
  ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
  return old;
}
CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE old = {};
  ::SetViewportExtEx(m_hDC, cx, cy, &old);
  return old;
}
CSize CDC::GetViewportExt() const {
  SIZE s = {};
  ::GetViewportExtEx(m_hDC, &s);
  return s;
}
CPoint CDC::SetBrushOrg(int x, int y) {
  POINT old = {};
  ::SetBrushOrgEx(m_hDC, x, y, &old);
  return old;
}

// A size converts as the distance between two points, so origins do not count.
void CDC::LPtoDP(LPSIZE lpSize) const {
  POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::LPtoDP(m_hDC, points, 2);
  lpSize->cx = points[1].x - points[0].x;
  lpSize->cy = points[1].y - points[0].y;
}

void CDC::DPtoLP(LPSIZE lpSize) const {
  POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::DPtoLP(m_hDC, points, 2);
  lpSize->cx = points[1].x - points[0].x;
  lpSize->cy = points[1].y - points[0].y;
}

int CDC::SelectClipRgn(CRgn* pRgn) {
  return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old = {};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetCurrentPosition() const {
  POINT p = {};
  ::GetCurrentPositionEx(m_hDC, &p);
  return p;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject)); }
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
  ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  const COLORREF old = ::SetBkColor(m_hDC, clr);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  const RECT rect = {x, y, x + cx, y + cy};
  FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject), nWidth,
                    nHeight);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
  SIZE size = {};
  ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
  return size;
}
