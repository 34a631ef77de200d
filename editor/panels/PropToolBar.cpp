#include "editor/panels/PropToolBar.h"

#include "editor/MainFrame.h"
#include "framework/ui/ClientDC.h"
#include "resources/KordelIds.h"

namespace {

constexpr int kSliderWidth = 100;
constexpr int kScaleMiddle = 400;  // 100 %

}  // namespace

CPropToolBar::~CPropToolBar() {
  for (CWnd* control : std::initializer_list<CWnd*>{&m_lineColourRect, &m_fillColourRect, &m_widthSlider,
                                                    &m_scaleSlider, &m_widthField, &m_percentField})
    if (control->m_hWnd) control->DestroyWindow();
}

CRect CPropToolBar::MakePlace(UINT nID, int width) {
  CRect r;
  const int index = CommandToIndex(nID);
  if (index < 0) return r;
  SetButtonInfo(index, nID, TBBS_SEPARATOR, width);
  GetItemRect(index, &r);
  return r;
}

void CPropToolBar::MakeDropDown(UINT nID) {
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  if (SendMessage(TB_GETBUTTONINFOA, nID, reinterpret_cast<LPARAM>(&info)) < 0) return;
  info.fsStyle |= BTNS_DROPDOWN;
  SendMessage(TB_SETBUTTONINFOA, nID, reinterpret_cast<LPARAM>(&info));
}

BOOL CPropToolBar::CreateControls() {
  int average = 0;
  {
    CClientDC dc(this);
    if (!m_font.m_hObject) m_font.CreatePointFont(100, "MS Sans Serif");
    HGDIOBJ old = ::SelectObject(dc.m_hDC, m_font.m_hObject);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc.m_hDC, &metrics);
    ::SelectObject(dc.m_hDC, old);
    average = metrics.tmAveCharWidth;
  }
  GetToolBarCtrl().SetExtendedStyle(GetToolBarCtrl().GetExtendedStyle() | TBSTYLE_EX_DRAWDDARROWS);
  MakeDropDown(ID_LINE_COLOUR);
  MakeDropDown(ID_FILL_COLOUR);

  const DWORD sliderStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS | TBS_NOTICKS;
  const DWORD fieldStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  // Each control is made in the place its separator takes (the places shift the
  // buttons after them, so each rectangle is read after its own separator is made).
  CRect r = MakePlace(ID_EFFECT_BUTTON_33007, kSliderWidth);
  if (!m_widthSlider.Create(sliderStyle, r, this, ID_EFFECT_BUTTON_33007)) return FALSE;
  m_widthSlider.SetRange(1, 100);
  m_widthSlider.SetPos(1);

  r = MakePlace(ID_EFFECT_BUTTON_33008, 5 * average);
  r.DeflateRect(0, 1);
  if (!m_widthField.CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr, fieldStyle, r, this, ID_EFFECT_BUTTON_33008))
    return FALSE;
  m_widthField.SetOwner(this);
  m_widthField.SetFont(&m_font);
  m_widthField.SendMessage(EM_LIMITTEXT, 3);
  m_widthField.SetValue(1);
  m_widthField.EnableWindow(FALSE);
  m_widthField.SetSlider(&m_widthSlider);

  r = MakePlace(ID_EFFECT_BUTTON_32988, kSliderWidth);
  if (!m_scaleSlider.Create(sliderStyle, r, this, ID_EFFECT_BUTTON_32988)) return FALSE;
  m_scaleSlider.SetRange(0, 800);
  m_scaleSlider.SetPos(kScaleMiddle);

  r = MakePlace(ID_EFFECT_BUTTON_32989, 6 * average);
  r.DeflateRect(0, 1);
  if (!m_percentField.CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr, fieldStyle, r, this, ID_EFFECT_BUTTON_32989))
    return FALSE;
  m_percentField.SetOwner(this);
  m_percentField.SetFont(&m_font);
  m_percentField.SendMessage(EM_LIMITTEXT, 4);
  m_percentField.SetSlider(&m_scaleSlider);
  m_percentField.SetFromSlider(kScaleMiddle);

  if (!m_lineColourRect.Create(ID_LINE_COLOUR, RGB(0, 0, 0), WS_CHILD | WS_VISIBLE, this, CColorRect::kControlId))
    return FALSE;
  return m_fillColourRect.Create(ID_FILL_COLOUR, RGB(255, 255, 255), WS_CHILD | WS_VISIBLE, this, CColorRect::kControlId);
}

void CPropToolBar::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar && pScrollBar->m_hWnd == m_widthSlider.m_hWnd)
    OnWidthSlider();
  else if (pScrollBar && pScrollBar->m_hWnd == m_scaleSlider.m_hWnd)
    OnScaleSlider(nSBCode);
  else
    CToolBar::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CPropToolBar::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  if (pScrollBar && pScrollBar->m_hWnd == m_widthSlider.m_hWnd)
    OnWidthSlider();
  else
    CToolBar::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CPropToolBar::OnWidthSlider() {
  const int width = m_widthSlider.GetPos();
  m_widthField.SetValue(width);
  if (auto* frame = dynamic_cast<CMainFrame*>(GetTopLevelFrame())) {
    frame->m_nLineWidth = width;
    frame->ApplyLineWidth(width);
  }
}

void CPropToolBar::OnScaleSlider(UINT nSBCode) {
  m_percentField.SetFromSlider(m_scaleSlider.GetPos());
  if (nSBCode != TB_ENDTRACK) return;
  const int percent = m_percentField.GetPercent();
  if (auto* frame = dynamic_cast<CMainFrame*>(GetTopLevelFrame())) frame->ScaleSelection(percent);
  m_scaleSlider.SetPos(kScaleMiddle);
  m_percentField.SetFromSlider(kScaleMiddle);
}
