#include "editor/panels/ColourPicker.h"

#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <algorithm>

#include "editor/panels/ColourConvert.h"
#include "framework/core/MessageBox.h"
#include "resources/KordelIds.h"

IMPLEMENT_DYNCREATE(CColourPicker, CWnd)

namespace {

namespace gp = Gdiplus::DllExports;

constexpr int kLastHatchStyle = 52;

std::wstring Wide(const CString& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
  return wide;
}

}  // namespace

CColourPicker::CColourPicker()
    : m_backgroundColour(::GetSysColor(COLOR_BTNFACE)), m_textColour(::GetSysColor(COLOR_BTNTEXT)) {
  m_automaticText.LoadString(IDS_WELL_AUTOMATIC);
  m_moreColoursText.LoadString(IDS_WELL_MORE_COLOURS);
  m_fillEffectsText.LoadString(IDS_WELL_FILL_EFFECTS);
  m_topText.LoadString(IDS_WELL_NO_FILL);
  MapMessage(WellSelOkMessage(), &CColourPicker::OnWellSelOk);
  MapMessage(WellSelCancelMessage(), &CColourPicker::OnWellSelCancel);
  MapMessage(WellSelChangeMessage(), &CColourPicker::OnWellSelChange);
}

void CColourPicker::SetColour(COLORREF colour) {
  (m_selectionMode == 1 ? m_textColour : m_backgroundColour) = colour;
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CColourPicker::PreSubclassWindow() {
  ModifyStyle(0, BS_OWNERDRAW);
  SizeToArrow();
}

int CColourPicker::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  SizeToArrow();
  return 0;
}

void CColourPicker::SizeToArrow() {
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
  const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  const int side = std::max({::GetSystemMetrics(SM_CXHTHUMB), 5 * cxEdge, ::GetSystemMetrics(SM_CYVTHUMB), 5 * cyEdge});
  RECT rect;
  GetWindowRect(&rect);
  HWND parent = ::GetParent(m_hWnd);
  if (parent) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  const int width = std::max<int>(rect.right - rect.left, 2 * (side + cxEdge));
  const int height = side + 2 * cyEdge;
  SetWindowPos(nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(&m_arrowRect);
  m_arrowRect.left = m_arrowRect.right - side;
  ::InflateRect(&m_arrowRect, -cxEdge, -cyEdge);
}

BOOL CColourPicker::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    OnClicked();
    *pResult = 0;
    return TRUE;
  }
  return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

void CColourPicker::OnClicked() {
  m_active = 1;
  auto* well = new CSVizColorWell;
  well->m_style = kWellFlat | kWellPopup | kWellAutoDelete;
  well->m_initialColour = GetColour();
  well->m_defaultColour = m_defaultColour;
  well->m_automaticText = m_automaticText;
  well->m_moreColoursText = m_moreColoursText;
  well->m_fillEffectsText = m_fillEffectsText;
  well->m_topText = m_topText;
  // Chosen before the window shows, so that its first paint marks the cell.
  well->SetChosen(static_cast<int>(GetColour()));
  RECT rect;
  GetWindowRect(&rect);
  // A well that cannot be made has deleted itself.
  if (!well->Create(rect.left, rect.bottom, this, WS_POPUP | WS_VISIBLE)) {
    m_active = 0;
    return;
  }
  Relay(WellDropDownMessage(), GetColour());
}

void CColourPicker::Relay(UINT message, WPARAM colour) const {
  HWND parent = ::GetParent(m_hWnd);
  if (parent) ::SendMessageA(parent, message, colour, ::GetDlgCtrlID(m_hWnd));
}

LRESULT CColourPicker::OnWellSelOk(WPARAM wParam, LPARAM) {
  m_active = 0;
  SetColour(static_cast<COLORREF>(wParam));
  Relay(WellCloseUpMessage(), wParam);
  Relay(WellSelOkMessage(), wParam);
  return 0;
}

LRESULT CColourPicker::OnWellSelCancel(WPARAM wParam, LPARAM) {
  m_active = 0;
  SetColour(static_cast<COLORREF>(wParam));
  Relay(WellCloseUpMessage(), wParam);
  Relay(WellSelCancelMessage(), wParam);
  return 0;
}

LRESULT CColourPicker::OnWellSelChange(WPARAM wParam, LPARAM) {
  if (m_trackSelection) SetColour(static_cast<COLORREF>(wParam));
  Relay(WellSelChangeMessage(), wParam);
  return 0;
}

void CColourPicker::TakePlainColour(COLORREF) {
  m_fillKind = kSolid;
  m_noFill = 0;
}

void CColourPicker::TakeNoFill() { m_noFill = 1; }

// Only the brush of the fill kind is made, and every answer of GDI+ is checked: a
// picture that cannot be read or a hatch style out of range leaves the swatch empty.
void CColourPicker::FillSwatch(HDC dc, const RECT& swatch) const {
  const int width = swatch.right - swatch.left;
  const int height = swatch.bottom - swatch.top;
  if (width <= 0 || height <= 0) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  Gdiplus::GpBrush* brush = nullptr;
  Gdiplus::GpPath* path = nullptr;
  Gdiplus::GpImage* image = nullptr;
  switch (m_fillKind) {
    case kHatch:
      if (m_hatchStyle >= 0 && m_hatchStyle <= kLastHatchStyle) {
        Gdiplus::GpHatch* hatch = nullptr;
        if (gp::GdipCreateHatchBrush(static_cast<Gdiplus::GpHatchStyle>(m_hatchStyle), m_firstColour, m_secondColour,
                                     &hatch) == Gdiplus::Ok)
          brush = hatch;
      }
      break;
    case kPicture: {
      if (m_pictureFile.IsEmpty() || gp::GdipLoadImageFromFile(Wide(m_pictureFile).c_str(), &image) != Gdiplus::Ok) {
        image = nullptr;
        break;
      }
      UINT imageWidth = 0, imageHeight = 0;
      gp::GdipGetImageWidth(image, &imageWidth);
      gp::GdipGetImageHeight(image, &imageHeight);
      const int wrap = m_wrapMode >= 0 && m_wrapMode <= 4 ? m_wrapMode : 0;
      Gdiplus::GpTexture* texture = nullptr;
      if (imageWidth && imageHeight &&
          gp::GdipCreateTexture(image, static_cast<Gdiplus::GpWrapMode>(wrap), &texture) == Gdiplus::Ok) {
        if (m_flags & 1)
          gp::GdipScaleTextureTransform(texture, static_cast<float>(width) / imageWidth,
                                        static_cast<float>(height) / imageHeight, Gdiplus::MatrixOrderPrepend);
        gp::GdipTranslateTextureTransform(texture, static_cast<float>(swatch.left), static_cast<float>(swatch.top),
                                          Gdiplus::MatrixOrderAppend);
        brush = texture;
      }
      break;
    }
    case kRadialGradient: {
      if (gp::GdipCreatePath(Gdiplus::FillModeAlternate, &path) != Gdiplus::Ok) {
        path = nullptr;
        break;
      }
      gp::GdipAddPathRectangleI(path, swatch.left, swatch.top, width, height);
      Gdiplus::GpPathGradient* gradient = nullptr;
      if (gp::GdipCreatePathGradientFromPath(path, &gradient) != Gdiplus::Ok) break;
      gp::GdipSetPathGradientCenterColor(gradient, m_secondColour);
      Gdiplus::ARGB surround = m_firstColour;
      INT count = 1;
      gp::GdipSetPathGradientSurroundColorsWithCount(gradient, &surround, &count);
      if (!(m_flags & 2)) {
        const Gdiplus::Point centre(swatch.left + 3 * width / 4, swatch.top + height / 4);
        gp::GdipSetPathGradientCenterPointI(gradient, &centre);
      }
      brush = gradient;
      break;
    }
    case kLinearGradient: {
      const Gdiplus::Rect rect(swatch.left, swatch.top, width, height);
      const int mode = m_gradientMode >= 0 && m_gradientMode <= 3 ? m_gradientMode : 0;
      Gdiplus::GpLineGradient* gradient = nullptr;
      if (gp::GdipCreateLineBrushFromRectI(&rect, m_firstColour, m_secondColour,
                                           static_cast<Gdiplus::LinearGradientMode>(mode), Gdiplus::WrapModeTile,
                                           &gradient) == Gdiplus::Ok)
        brush = gradient;
      break;
    }
    default: {
      Gdiplus::GpSolidFill* solid = nullptr;
      if (gp::GdipCreateSolidFill(ColorrefToArgb(GetColour()), &solid) == Gdiplus::Ok) brush = solid;
      break;
    }
  }
  if (brush) {
    gp::GdipFillRectangleI(graphics, brush, swatch.left, swatch.top, width, height);
    gp::GdipDeleteBrush(brush);
  }
  if (path) gp::GdipDeletePath(path);
  if (image) gp::GdipDisposeImage(image);
  gp::GdipDeleteGraphics(graphics);
}

void CColourPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (!lpDrawItemStruct) {
    AfxMessageBox("CColourPicker::DrawItem");
    return;
  }
  HDC dc = lpDrawItemStruct->hDC;
  UINT state = lpDrawItemStruct->itemState;
  if (m_active) state |= ODS_SELECTED;
  CString text;
  GetWindowText(text);

  RECT item = lpDrawItemStruct->rcItem;
  UINT arrowState = DFCS_SCROLLDOWN;
  if (state & ODS_SELECTED) arrowState |= DFCS_PUSHED;
  if (state & ODS_DISABLED) arrowState |= DFCS_INACTIVE;
  RECT arrow = m_arrowRect;
  ::DrawFrameControl(dc, &arrow, DFC_SCROLL, arrowState);
  ::DrawEdge(dc, &item, EDGE_SUNKEN, BF_RECT);
  RECT swatch = item;
  ::InflateRect(&swatch, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
  swatch.right -= m_arrowRect.right - m_arrowRect.left;

  if (!m_noFill) FillSwatch(dc, swatch);

  if (!text.IsEmpty()) {
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    if (state & ODS_DISABLED) {
      RECT offset = swatch;
      ::OffsetRect(&offset, 1, 1);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      ::DrawTextA(dc, text, text.GetLength(), &offset, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
      ::SetTextColor(dc, m_textColour == 0xFF000000 ? 0 : m_textColour);
    }
    ::DrawTextA(dc, text, text.GetLength(), &swatch, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, oldMode);
  }
  if (state & ODS_FOCUS) {
    RECT focus = item;
    ::InflateRect(&focus, -1, -1);
    ::DrawFocusRect(dc, &focus);
  }
}

void CColourPicker::LoadFillEffect(FillEffect& effect) const {
  effect.pageMask = m_fillExtra;
  effect.fillKind = m_fillKind;
  effect.startColour = m_firstColour;
  effect.endColour = m_secondColour;
  effect.picturePath = m_pictureFile;
  effect.gradientStyle = m_gradientMode;
  effect.allowCustomCentre = m_fillSelector;
  effect.stretch = GetStretch() ? 1 : 0;
  effect.hatchStyle = m_hatchStyle;
  effect.wrapMode = m_wrapMode;
}

BOOL CColourPicker::TakeFillEffect(const FillEffect& effect) {
  m_fillKind = effect.fillKind;
  m_firstColour = effect.startColour;
  m_secondColour = effect.endColour;
  m_pictureFile = effect.picturePath;
  m_gradientMode = effect.gradientStyle;
  // The dialog gives back its fill kind as the variant: anything but a linear gradient
  // keeps the radial centre at its default.
  SetDefaultCentre(effect.fillKind != FillEffect::kLinearGradient);
  m_hatchStyle = effect.hatchStyle;
  m_wrapMode = effect.wrapMode;
  SetStretch(effect.stretch != 0);
  m_noFill = 0;
  return TRUE;
}
