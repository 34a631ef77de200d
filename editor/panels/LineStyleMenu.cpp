#include "editor/panels/LineStyleMenu.h"

#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include "framework/core/String.h"
#include "resources/KordelIds.h"

namespace gp = Gdiplus::DllExports;

namespace {

constexpr int kDashCaps[] = {Gdiplus::DashCapFlat, Gdiplus::DashCapRound, Gdiplus::DashCapTriangle};
constexpr int kLineCaps[] = {Gdiplus::LineCapFlat,         Gdiplus::LineCapRound,        Gdiplus::LineCapTriangle,
                             Gdiplus::LineCapSquareAnchor, Gdiplus::LineCapRoundAnchor,  Gdiplus::LineCapDiamondAnchor,
                             Gdiplus::LineCapArrowAnchor};
constexpr int kArrowItem = 6;  // the arrow anchor draws to the edge; the other caps need 6 pixels
constexpr int kCapRoom = 6;

}  // namespace

UINT CLineStyleMenu::FirstId(Kind kind) {
  switch (kind) {
    case dashCap: return ID_DASH_CAP_FLAT;
    case dashStyle: return ID_DASH_STYLE_SOLID;
    case startCap: return ID_START_CAP_FIRST;
    case endCap: return ID_END_CAP_FIRST;
  }
  return 0;
}

int CLineStyleMenu::ItemCount(Kind kind) {
  switch (kind) {
    case dashCap: return 3;
    case dashStyle: return 5;
    case startCap:
    case endCap: return 7;
  }
  return 0;
}

int CLineStyleMenu::ValueOf(Kind kind, UINT id) {
  if (id < FirstId(kind) || id >= FirstId(kind) + static_cast<UINT>(ItemCount(kind))) return -1;
  const int i = static_cast<int>(id - FirstId(kind));
  switch (kind) {
    case dashCap: return kDashCaps[i];
    case dashStyle: return i;  // solid, dash, dot, dash-dot, dash-dot-dot
    case startCap:
    case endCap: return kLineCaps[i];
  }
  return -1;
}

CLineStyleMenu::CLineStyleMenu(Kind kind) : m_kind(kind) {
  if (!CreatePopupMenu()) return;
  const UINT first = FirstId(kind);
  for (int i = 0; i < ItemCount(kind); ++i) {
    const UINT id = first + static_cast<UINT>(i);
    AppendMenu(MF_OWNERDRAW, id, reinterpret_cast<const void*>(static_cast<UINT_PTR>(id)));
  }
}

void CLineStyleMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  CString text;
  text.LoadString(lpMeasureItemStruct->itemID);
  SIZE extent = {};
  if (HDC info = ::CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
    ::GetTextExtentPoint32A(info, text.GetString(), text.GetLength(), &extent);
    ::DeleteDC(info);
  }
  lpMeasureItemStruct->itemWidth = static_cast<UINT>(extent.cx + 50);
  lpMeasureItemStruct->itemHeight = static_cast<UINT>(extent.cy);
}

void CLineStyleMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  HDC dc = lpDrawItemStruct->hDC;
  RECT item = lpDrawItemStruct->rcItem;
  if (lpDrawItemStruct->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item);
  if (lpDrawItemStruct->itemState & ODS_SELECTED) {
    ::FillRect(dc, &item, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  } else {
    HBRUSH back = ::CreateSolidBrush(::GetBkColor(dc));
    ::FillRect(dc, &item, back);
    ::DeleteObject(back);
  }
  ::SetBkMode(dc, TRANSPARENT);

  const bool caps = m_kind == startCap || m_kind == endCap;
  const int narrow = caps ? 12 : 2;
  item.left += narrow;
  item.right -= narrow;
  const int value = ValueOf(m_kind, lpDrawItemStruct->itemID);
  if (value < 0) return;

  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  if (m_kind != dashStyle) gp::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::GpPen* pen = nullptr;
  if (gp::GdipCreatePen1(0xFF000000, 5.0f, Gdiplus::UnitWorld, &pen) == Gdiplus::Ok) {
    int left = item.left, right = item.right;
    const bool arrow = static_cast<int>(lpDrawItemStruct->itemID - FirstId(m_kind)) == kArrowItem;
    switch (m_kind) {
      case dashCap:
        gp::GdipSetPenDashStyle(pen, Gdiplus::DashStyleDashDot);
        gp::GdipSetPenDashCap197819(pen, static_cast<Gdiplus::GpDashCap>(value));
        break;
      case dashStyle:
        gp::GdipSetPenDashStyle(pen, static_cast<Gdiplus::GpDashStyle>(value));
        gp::GdipSetPenDashCap197819(pen, Gdiplus::DashCapFlat);
        break;
      case startCap:
        gp::GdipSetPenStartCap(pen, static_cast<Gdiplus::GpLineCap>(value));
        if (!arrow) left += kCapRoom;
        break;
      case endCap:
        gp::GdipSetPenEndCap(pen, static_cast<Gdiplus::GpLineCap>(value));
        if (!arrow) right -= kCapRoom;
        break;
    }
    const int y = (item.top + item.bottom) / 2;
    gp::GdipDrawLineI(graphics, pen, left, y, right, y);
    gp::GdipDeletePen(pen);
  }
  gp::GdipDeleteGraphics(graphics);
}
