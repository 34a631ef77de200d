// The frame's colour popups: the text, line and fill colour wells that the bars' drop-down
// buttons open under themselves.
#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "editor/panels/ColorPopupDlg.h"
#include "model/DrawObj.h"

BOOL CMainFrame::PopupColour(int kind, const RECT& buttonRect) {
  CColorPopupDlg popup(this);
  if (kind == 2) {
    // Text has no fill effects.
    if (popup.Popup(0, m_textColour, buttonRect, 1) != IDOK) return FALSE;
    ApplyColour(popup.m_colour, 2);
    return TRUE;
  }
  if (kind != 0 && kind != 1) return FALSE;
  CDrawView* view = GetDrawView();
  CDrawObj* object = nullptr;
  if (view && view->m_selection.GetCount() == 1)
    object = static_cast<CDrawObj*>(view->m_selection.GetHead());
  COLORREF colour = kind == 0 ? m_lineColour : m_fillColour;
  if (object) {
    popup.LoadFromObject(object, kind);
    colour = popup.m_colour;
  }
  if (popup.Popup(0, colour, buttonRect, 0) != IDOK) return FALSE;
  if (object && popup.m_fillKind != 0) {
    popup.ApplyToObject(object);
    object->Invalidate();
    SetPageModified();
  } else {
    ApplyColour(popup.m_colour, kind);
  }
  return TRUE;
}

void CMainFrame::OnToolbarDropDown(NMHDR* pNotifyStruct, LRESULT* pResult) {
  *pResult = TBDDRET_DEFAULT;
  const auto* notify = reinterpret_cast<const NMTOOLBARA*>(pNotifyStruct);
  if (notify->iItem != ID_TEXT_COLOUR) return;
  CRect button;
  if (!m_wndFormatBar.GetToolBarCtrl().GetRect(ID_TEXT_COLOUR, &button)) return;
  m_wndFormatBar.ClientToScreen(&button);
  if (!PopupColour(2, button)) return;
  CColorRect& strip = m_wndFormatBar.m_textColourRect;
  strip.m_colour = m_textColour;
  if (strip.m_hWnd) strip.Invalidate();
}
