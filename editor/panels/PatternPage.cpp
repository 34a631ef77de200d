#include "editor/panels/PatternPage.h"

#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include "editor/panels/ColourConvert.h"
#include "resources/KordelIds.h"

namespace gp = Gdiplus::DllExports;

CPatternPage::CPatternPage(FillEffect& effect) : CFillPage(IDD_PATTERN_PAGE, IDS_FE_PATTERN_TAB, effect) {
  MapMessage(WellSelOkMessage(), &CPatternPage::OnWellSelOk);
}

BOOL CPatternPage::OnInitDialog() {
  CFillPage::OnInitDialog();
  m_foregroundPicker.SubclassDlgItem(IDC_FE_FIRST_PICKER, this);
  m_backgroundPicker.SubclassDlgItem(IDC_FE_SECOND_PICKER, this);
  m_foreground = m_effect.startColour;
  m_background = m_effect.endColour;
  m_hatchStyle = m_effect.hatchStyle;
  m_foregroundPicker.SetColour(ArgbToColorref(m_foreground));
  m_backgroundPicker.SetColour(ArgbToColorref(m_background));

  // The template marks where the well goes; the well takes the place and the id.
  CWnd* place = GetDlgItem(IDC_FE_HATCH_WELL);
  RECT rect = {};
  if (place && place->m_hWnd) {
    place->GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    place->DestroyWindow();
  }
  m_well.m_hatchForeground = m_foreground;
  m_well.m_hatchBackground = m_background;
  if (m_well.Create(rect.left, rect.top, this, WS_CHILD | WS_VISIBLE)) {
    ::SetWindowLongPtrA(m_well.m_hWnd, GWLP_ID, IDC_FE_HATCH_WELL);
    m_well.SetChosen(m_hatchStyle);
  }
  ShowHatchName();
  RedrawSample();
  return TRUE;
}

void CPatternPage::ShowHatchName() {
  SetDlgItemText(IDC_FE_NAME, m_hatchStyle >= 0 && m_hatchStyle < CSVizHatchWell::kHatchStyles
                                  ? m_well.GetCellTip(m_hatchStyle).GetString()
                                  : "");
}

// Only the page's own choices store the pattern: the dialog's colours stay the
// gradient's until the author picks a hatch or its colours here.
LRESULT CPatternPage::OnWellSelOk(WPARAM wParam, LPARAM lParam) {
  if (lParam == IDC_FE_HATCH_WELL) {
    if (static_cast<int>(wParam) >= 0 && static_cast<int>(wParam) < CSVizHatchWell::kHatchStyles)
      m_hatchStyle = static_cast<int>(wParam);
    ShowHatchName();
  } else {
    m_foreground = ColorrefToArgb(m_foregroundPicker.GetColour());
    m_background = ColorrefToArgb(m_backgroundPicker.GetColour());
    m_well.m_hatchForeground = m_foreground;
    m_well.m_hatchBackground = m_background;
    if (m_well.m_hWnd) m_well.Invalidate();
  }
  m_effect.startColour = m_foreground;
  m_effect.endColour = m_background;
  m_effect.hatchStyle = m_hatchStyle;
  m_effect.fillKind = FillEffect::kPattern;
  RedrawSample();
  return 0;
}

void CPatternPage::DrawSample(HDC dc, const RECT& rect) {
  if (m_hatchStyle < 0 || m_hatchStyle >= CSVizHatchWell::kHatchStyles) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  Gdiplus::GpHatch* hatch = nullptr;
  if (gp::GdipCreateHatchBrush(static_cast<Gdiplus::GpHatchStyle>(m_hatchStyle), m_foreground, m_background,
                               &hatch) == Gdiplus::Ok) {
    gp::GdipFillRectangleI(graphics, hatch, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    gp::GdipDeleteBrush(hatch);
  }
  gp::GdipDeleteGraphics(graphics);
}
