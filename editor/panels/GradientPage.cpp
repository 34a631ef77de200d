#include "editor/panels/GradientPage.h"

#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <algorithm>

#include "editor/panels/ColourConvert.h"
#include "framework/ui/DataExchange.h"
#include "resources/KordelIds.h"

namespace gp = Gdiplus::DllExports;

const UINT CGradientPage::kStyleButtons[6] = {IDC_FE_STYLE_HORIZONTAL, IDC_FE_STYLE_VERTICAL,
                                              IDC_FE_STYLE_DIAGONAL_UP, IDC_FE_STYLE_FROM_EDGES,
                                              IDC_FE_STYLE_TO_CENTRE,  IDC_FE_STYLE_OWN_CENTRE};

CGradientPage::CGradientPage(FillEffect& effect) : CFillPage(IDD_GRADIENT_PAGE, IDS_FE_GRADIENT_TAB, effect) {
  MapControl(BN_CLICKED, IDC_FE_ONE_COLOUR, &CGradientPage::OnOneColour);
  MapControl(BN_CLICKED, IDC_FE_TWO_COLOURS, &CGradientPage::OnTwoColours);
  for (UINT id : kStyleButtons) MapCommandRange(id, id, &CGradientPage::OnStyle);
  MapControl(EN_CHANGE, IDC_FE_START_EDIT, &CGradientPage::OnStartEdit);
  MapControl(EN_CHANGE, IDC_FE_END_EDIT, &CGradientPage::OnEndEdit);
  MapMessage(WellSelOkMessage(), &CGradientPage::OnWellSelOk);
}

BOOL CGradientPage::OnInitDialog() {
  m_initialising = TRUE;
  CFillPage::OnInitDialog();
  m_startPicker.SubclassDlgItem(IDC_FE_FIRST_PICKER, this);
  m_endPicker.SubclassDlgItem(IDC_FE_SECOND_PICKER, this);
  m_shadeBar.SubclassDlgItem(IDC_FE_SHADE, this);
  m_startBar.SubclassDlgItem(IDC_FE_START_ALPHA, this);
  m_endBar.SubclassDlgItem(IDC_FE_END_ALPHA, this);

  const int startTransparency = TransparencyFromAlpha(m_effect.startColour);
  const int endTransparency = TransparencyFromAlpha(m_effect.endColour);
  const int shade = static_cast<int>((m_effect.endColour >> 16) & 0xFF);  // the red byte
  for (auto [bar, position] : {std::pair<CScrollBar*, int>{&m_shadeBar, shade},
                               {&m_startBar, startTransparency},
                               {&m_endBar, endTransparency}}) {
    bar->SetScrollRange(0, 255, FALSE);
    bar->SetScrollPos(position);
  }
  SetDlgItemInt(IDC_FE_START_EDIT, startTransparency);
  SetDlgItemInt(IDC_FE_END_EDIT, endTransparency);
  for (UINT spin : {IDC_FE_START_SPIN, IDC_FE_END_SPIN}) SendDlgItemMessage(spin, UDM_SETRANGE32, 0, 255);
  m_startPicker.SetColour(ArgbToColorref(m_effect.startColour));
  m_endPicker.SetColour(ArgbToColorref(m_effect.endColour));

  const bool gradient =
      m_effect.fillKind == FillEffect::kPathGradient || m_effect.fillKind == FillEffect::kLinearGradient;
  const int style = gradient ? std::clamp(m_effect.gradientStyle, 0, 5) : 0;
  // The style radios' ids are not one range: each is set on its own.
  for (int i = 0; i < 6; ++i) CheckDlgButton(kStyleButtons[i], i == style ? BST_CHECKED : BST_UNCHECKED);
  for (UINT id : {IDC_FE_FIRST_PICKER, IDC_FE_SECOND_PICKER, IDC_FE_SHADE, IDC_FE_DARK_LABEL, IDC_FE_LIGHT_LABEL})
    GetDlgItem(id)->ShowWindow(SW_HIDE);
  if (!m_effect.allowCustomCentre) GetDlgItem(IDC_FE_STYLE_OWN_CENTRE)->ShowWindow(SW_HIDE);
  if (gradient) ShowColourCount(m_effect.colourCount);
  m_initialising = FALSE;
  return TRUE;
}

void CGradientPage::ShowColourCount(int count) {
  const bool one = count == 1;
  ::CheckRadioButton(m_hWnd, IDC_FE_ONE_COLOUR, IDC_FE_TWO_COLOURS, one ? IDC_FE_ONE_COLOUR : IDC_FE_TWO_COLOURS);
  GetDlgItem(IDC_FE_FIRST_PICKER)->ShowWindow(SW_SHOW);
  GetDlgItem(IDC_FE_SECOND_PICKER)->ShowWindow(one ? SW_HIDE : SW_SHOW);
  for (UINT id : {IDC_FE_SHADE, IDC_FE_DARK_LABEL, IDC_FE_LIGHT_LABEL})
    GetDlgItem(id)->ShowWindow(one ? SW_SHOW : SW_HIDE);
}

int CGradientPage::CheckedStyle() const {
  for (int style = 0; style < 6; ++style)
    if (IsDlgButtonChecked(kStyleButtons[style])) return style;
  return 0;
}

void CGradientPage::Store() {
  m_effect.gradientStyle = CheckedStyle();
  m_effect.fillKind = FillEffect::KindOfStyle(m_effect.gradientStyle);
  const int startAlpha = AlphaFromTransparency(m_startBar.GetScrollPos());
  const int endAlpha = AlphaFromTransparency(m_endBar.GetScrollPos());
  m_effect.startColour = ColorrefToArgb(m_startPicker.GetColour(), startAlpha);
  const int shade = m_shadeBar.GetScrollPos();
  const COLORREF end = m_effect.colourCount == 1 ? RGB(shade, shade, shade) : m_endPicker.GetColour();
  m_effect.endColour = ColorrefToArgb(end, endAlpha);
}

// The radios act on the state they show: a click during set-up, or on a radio that is
// not checked, changes nothing.
void CGradientPage::OnOneColour() {
  if (m_initialising || !IsDlgButtonChecked(IDC_FE_ONE_COLOUR)) return;
  m_effect.colourCount = 1;
  ShowColourCount(1);
  Store();
  RedrawSample();
}

void CGradientPage::OnTwoColours() {
  if (m_initialising || !IsDlgButtonChecked(IDC_FE_TWO_COLOURS)) return;
  m_effect.colourCount = 2;
  ShowColourCount(2);
  Store();
  RedrawSample();
}

void CGradientPage::OnStyle(UINT nID) {
  if (m_initialising) return;
  const int style = static_cast<int>(std::find(kStyleButtons, kStyleButtons + 6, nID) - kStyleButtons);
  m_effect.gradientStyle = style;
  m_effect.fillKind = FillEffect::KindOfStyle(style);
  // A plain fill opens with its colour controls hidden: a style brings them up.
  ShowColourCount(m_effect.colourCount);
  RedrawSample();
}

void CGradientPage::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  CScrollBar* bar = nullptr;
  for (CScrollBar* candidate : {&m_shadeBar, &m_startBar, &m_endBar})
    if (pScrollBar && candidate->m_hWnd == pScrollBar->m_hWnd) bar = candidate;
  if (!bar) return;
  int position = bar->GetScrollPos();
  switch (nSBCode) {
    case SB_LEFT:
    case SB_LINELEFT: position -= 1; break;
    case SB_RIGHT:
    case SB_LINERIGHT: position += 1; break;
    case SB_PAGELEFT: position -= 10; break;
    case SB_PAGERIGHT: position += 10; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = static_cast<int>(nPos); break;
    case SB_ENDSCROLL:
      if (bar == &m_startBar) SetDlgItemInt(IDC_FE_START_EDIT, bar->GetScrollPos());
      if (bar == &m_endBar) SetDlgItemInt(IDC_FE_END_EDIT, bar->GetScrollPos());
      Store();
      RedrawSample();
      return;
    default: return;
  }
  bar->SetScrollPos(std::clamp(position, 0, 255));
}

void CGradientPage::DoDataExchange(CDataExchange* pDX) {
  // The page shows its values itself; only what was typed is checked.
  if (!pDX->m_bSaveAndValidate) return;
  for (UINT edit : {IDC_FE_START_EDIT, IDC_FE_END_EDIT}) {
    int transparency = 0;
    DDX_Text(pDX, static_cast<int>(edit), transparency);
    DDV_MinMaxInt(pDX, transparency, 0, 255);
  }
}

void CGradientPage::OnAlphaEdit(UINT edit, CScrollBar& bar) {
  if (m_initialising || !bar.m_hWnd) return;
  BOOL read = FALSE;
  const int value = static_cast<int>(GetDlgItemInt(edit, &read, TRUE));
  if (!read || value == bar.GetScrollPos()) return;
  bar.SetScrollPos(std::clamp(value, 0, 255));
  Store();
  RedrawSample();
}

LRESULT CGradientPage::OnWellSelOk(WPARAM, LPARAM) {
  Store();
  RedrawSample();
  return 0;
}

void CGradientPage::DrawSample(HDC dc, const RECT& rect) {
  if (m_effect.fillKind == FillEffect::kLinearGradient)
    FillGradient(dc, rect, std::clamp(m_effect.gradientStyle, 0, 3) , m_effect.startColour, m_effect.endColour);
  else if (m_effect.fillKind == FillEffect::kPathGradient)
    FillGradient(dc, rect, m_effect.gradientStyle == 5 ? 5 : 4, m_effect.startColour, m_effect.endColour);
}

void CGradientPage::FillGradient(HDC dc, const RECT& rect, int style, uint32_t start, uint32_t end) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  Gdiplus::GpBrush* brush = nullptr;
  Gdiplus::GpPath* path = nullptr;
  if (style < 4) {
    const Gdiplus::Rect area(rect.left, rect.top, width, height);
    Gdiplus::GpLineGradient* line = nullptr;
    if (gp::GdipCreateLineBrushFromRectI(&area, start, end, static_cast<Gdiplus::LinearGradientMode>(style),
                                         Gdiplus::WrapModeTile, &line) == Gdiplus::Ok)
      brush = line;
  } else if (gp::GdipCreatePath(Gdiplus::FillModeAlternate, &path) == Gdiplus::Ok) {
    gp::GdipAddPathRectangleI(path, rect.left, rect.top, width, height);
    Gdiplus::GpPathGradient* radial = nullptr;
    if (gp::GdipCreatePathGradientFromPath(path, &radial) == Gdiplus::Ok) {
      gp::GdipSetPathGradientCenterColor(radial, end);
      Gdiplus::ARGB surround = start;
      INT count = 1;
      gp::GdipSetPathGradientSurroundColorsWithCount(radial, &surround, &count);
      if (style == 5) {
        const Gdiplus::Point centre((rect.left + rect.right) / 2 + width / 4, (rect.top + rect.bottom) / 2 - height / 4);
        gp::GdipSetPathGradientCenterPointI(radial, &centre);
      }
      brush = radial;
    }
  } else {
    path = nullptr;
  }
  if (brush) {
    gp::GdipFillRectangleI(graphics, brush, rect.left, rect.top, width, height);
    gp::GdipDeleteBrush(brush);
  }
  if (path) gp::GdipDeletePath(path);
  gp::GdipDeleteGraphics(graphics);
}
