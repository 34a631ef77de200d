#include "editor/panels/ColorPopupDlg.h"

#include "editor/panels/ColourConvert.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"

CColorPopupDlg::CColorPopupDlg(CWnd* pParent) : CDialog(IDD_COLOUR_POPUP, pParent) {
  m_bOwnModalLoop = TRUE;
  MapMessage(WellSelOkMessage(), &CColorPopupDlg::OnWellSelOk);
  MapMessage(WellSelCancelMessage(), &CColorPopupDlg::OnWellSelCancel);
}

void CColorPopupDlg::LoadFromObject(const CDrawObj* object, int mode) {
  m_mode = mode;
  if (!object || (mode != 0 && mode != 1)) return;
  const bool line = mode == 0;
  m_fillKind = line ? object->m_lineKind : object->m_fillKind;
  m_colour = line ? object->m_pen.lopnColor : object->m_brush.lbColor;
  m_colourCount = GetRValue(m_colour) == GetGValue(m_colour) && GetGValue(m_colour) == GetBValue(m_colour) ? 1 : 2;
  m_firstColour = ColorrefToArgb(m_colour, AlphaFromTransparency(line ? object->m_lineAlpha : object->m_fillAlpha));
  m_secondColour = ColorrefToArgb(line ? object->m_lineColour2 : object->m_fillColour2,
                                  AlphaFromTransparency(line ? object->m_lineAlpha2 : object->m_fillAlpha2));
  m_fillParameter = line ? object->m_lineGradient : object->m_fillGradient;
  m_fillSelector = mode;
  m_variant = static_cast<BYTE>(m_fillParameter & 0xFF);
}

void CColorPopupDlg::ApplyToObject(CDrawObj* object) const {
  if (!object) return;
  if (m_mode == 0) {
    object->m_lineKind = m_fillKind;
    object->m_lineAlpha = TransparencyFromAlpha(m_firstColour);
    object->m_pen.lopnColor = ArgbToColorref(m_firstColour);
    object->m_lineAlpha2 = TransparencyFromAlpha(m_secondColour);
    object->m_lineColour2 = ArgbToColorref(m_secondColour);
    object->m_lineGradient = m_fillParameter;
  } else if (m_mode == 1) {
    object->m_fillKind = m_fillKind;
    object->m_fillAlpha = TransparencyFromAlpha(m_firstColour);
    object->m_brush.lbColor = ArgbToColorref(m_firstColour);
    object->m_fillAlpha2 = TransparencyFromAlpha(m_secondColour);
    object->m_fillColour2 = ArgbToColorref(m_secondColour);
    object->m_fillGradient = m_fillParameter;
    object->m_gradientStyle = m_fillKind != 0;
  }
}

INT_PTR CColorPopupDlg::Popup(COLORREF defaultColour, COLORREF colour, const RECT& buttonRect, int noFillEffects) {
  m_defaultColour = defaultColour;
  m_colour = colour;
  m_buttonRect = buttonRect;
  m_noFillEffects = noFillEffects;
  return DoModal() == IDOK ? IDOK : IDCANCEL;
}

BOOL CColorPopupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  auto* well = new CSVizColorWell;
  well->m_style = kWellFlat | kWellPopup | kWellAutoDelete;
  well->m_initialColour = m_colour;
  well->m_defaultColour = m_defaultColour;
  well->m_automaticText.LoadString(IDS_WELL_AUTOMATIC);
  well->m_moreColoursText.LoadString(IDS_WELL_MORE_COLOURS);
  if (!m_noFillEffects) well->m_fillEffectsText.LoadString(IDS_WELL_FILL_EFFECTS);
  well->SetChosen(static_cast<int>(m_colour));
  // The release of the click that opened the well must not end it.
  well->m_skipRelease = 1;
  m_well = well;
  // A well that cannot be made has deleted itself; the dialog then ends as a cancel.
  if (!well->Create(m_buttonRect.left, m_buttonRect.bottom, this, WS_POPUP | WS_VISIBLE)) {
    m_well = nullptr;
    EndDialog(IDCANCEL);
  }
  ShowWindow(SW_HIDE);
  return FALSE;
}

LRESULT CColorPopupDlg::OnWellSelOk(WPARAM wParam, LPARAM) {
  m_colour = static_cast<COLORREF>(wParam);
  m_well = nullptr;
  EndDialog(IDOK);
  return 0;
}

LRESULT CColorPopupDlg::OnWellSelCancel(WPARAM, LPARAM) {
  m_well = nullptr;
  EndDialog(IDCANCEL);
  return 0;
}

void CColorPopupDlg::TakePlainColour(COLORREF colour) {
  m_fillKind = 0;
  m_colour = colour;
}

void CColorPopupDlg::TakeNoFill() { m_fillKind = 0; }

// The popup carries a gradient only: the dialog opens on its gradient page alone, and
// a line (fill selector 0) cannot have a moved centre.
void CColorPopupDlg::LoadFillEffect(FillEffect& effect) const {
  effect.pageMask = m_fillExtra;
  effect.fillKind = m_fillKind;
  effect.startColour = m_firstColour;
  effect.endColour = m_secondColour;
  effect.gradientStyle = m_fillParameter;
  effect.allowCustomCentre = m_fillSelector;
  effect.colourCount = m_colourCount;
}

BOOL CColorPopupDlg::TakeFillEffect(const FillEffect& effect) {
  if (effect.fillKind == 0) return FALSE;
  m_fillExtra = effect.pageMask;
  m_fillKind = effect.fillKind;
  m_firstColour = effect.startColour;
  m_secondColour = effect.endColour;
  m_fillParameter = effect.gradientStyle;
  m_fillSelector = effect.allowCustomCentre;
  m_variant = static_cast<BYTE>(effect.fillKind);
  return TRUE;
}
