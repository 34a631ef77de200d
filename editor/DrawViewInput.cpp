// CDrawView: mouse and keyboard. While editing the input goes to the current drawing
// tool; during a run the page's run turns it into triggers of the objects.
#include "editor/DrawApp.h"
#include "editor/DrawTool.h"
#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "editor/SelectTool.h"
#include "framework/ui/Menu.h"
#include "media/DrawAnimate.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/MemberGroup.h"
#include "resources/KordelIds.h"

// ---------------------------------------------------------------------------------
// Messages

void CDrawView::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  if (Running()) {
    m_run.OnLButtonDown(point);
  } else if (m_bActive) {
    if (s_nCurrentShape == kToolPenColour || s_nCurrentShape == kToolColourPicker ||
        s_nCurrentShape == kToolFillColour)
      ApplyColourShape(nFlags, point);
    else if (CDrawTool* tool = CDrawTool::FindTool(s_nCurrentShape))
      tool->OnLButtonDown(this, nFlags, point);
  }
  Default();
}

void CDrawView::OnLButtonUp(UINT nFlags, CPoint point) {
  if (Running()) {
    m_run.OnLButtonUp(point);
  } else if (m_bActive) {
    if (CDrawTool* tool = CDrawTool::FindTool(s_nCurrentShape)) tool->OnLButtonUp(this, nFlags, point);
  }
  Default();
}

void CDrawView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (Running()) {
    m_run.OnLButtonDblClk(point);
  } else if (m_bActive) {
    if (CDrawTool* tool = CDrawTool::FindTool(s_nCurrentShape)) tool->OnLButtonDblClk(this, nFlags, point);
  }
  Default();
}

void CDrawView::OnMouseMove(UINT nFlags, CPoint point) {
  if (Running()) {
    m_run.OnMouseMove(nFlags, point);
    Default();
    return;
  }
  CPoint local = point;
  DPtoLPPoint(local);
  if (CMainFrame* frame = Frame()) {
    CString text;
    text.Format("x=%ld", static_cast<long>(local.x));
    frame->GetStatusBar().SetPaneText(2, text);
    text.Format("y=%ld", static_cast<long>(local.y));
    frame->GetStatusBar().SetPaneText(3, text);
  }
  if (m_bActive) {
    static const struct {
      int shape;
      UINT cursor;
    } kShapeCursors[] = {{kToolCapture, 135},     {kToolPenColour, 133},   {kToolBrush, 136},
                         {kToolColourPicker, 134}, {kToolFillColour, 132}, {kToolRotate, 272}};
    for (const auto& entry : kShapeCursors)
      if (entry.shape == s_nCurrentShape) ::SetCursor(LoadToolCursor(entry.cursor));
    if (CDrawTool* tool = CDrawTool::FindTool(s_nCurrentShape)) tool->OnMouseMove(this, nFlags, point);
  }
  Default();
}

void CDrawView::OnRButtonDown(UINT nFlags, CPoint point) {
  if (Running()) m_run.OnRButtonDown(point);
  Default();
}

void CDrawView::OnRButtonUp(UINT nFlags, CPoint point) {
  if (Running()) m_run.OnRButtonUp(point);
  Default();
}

void CDrawView::NudgeSelection(UINT nChar) {
  const bool resize = ::GetKeyState(VK_SHIFT) < 0;
  for (POSITION pos = m_selection.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(m_selection.GetNext(pos));
    CRect r = object->m_position;
    LONG& maxX = r.right >= r.left ? r.right : r.left;
    LONG& minY = r.bottom <= r.top ? r.bottom : r.top;
    switch (nChar) {
      case VK_RIGHT: resize ? ++maxX : (++r.left, ++r.right); break;
      case VK_LEFT: resize ? --maxX : (--r.left, --r.right); break;
      case VK_UP: resize ? ++minY : (++r.top, ++r.bottom); break;
      default: resize ? --minY : (--r.top, --r.bottom); break;
    }
    object->SetRect(r, this);
  }
}

void CDrawView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_RIGHT:
    case VK_LEFT:
    case VK_UP:
    case VK_DOWN:
      NudgeSelection(nChar);
      break;
    case 'R':
      Invalidate(TRUE);
      break;
    case VK_F4:
      if (!Running())
        if (CMainFrame* frame = Frame()) frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_BAR);
      break;
    case VK_RETURN:
      if (Running()) m_run.OnEnterKey(TRUE);
      break;
    // Delete is the accelerator of the delete command alone: handling the key here too
    // would delete twice.
    default:
      break;
  }
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CDrawView::OnKeyUp(UINT nChar, UINT, UINT) {
  if (nChar == VK_RETURN && Running()) m_run.OnEnterKey(FALSE);
  Default();
}

// ---------------------------------------------------------------------------------
// Colour shapes

void CDrawView::ApplyColourShape(UINT nFlags, CPoint point) {
  CMainFrame* frame = Frame();
  CDrawDoc* doc = GetDocument();
  if (!frame || !doc) return;
  const COLORREF colour = frame->m_lastColour;
  if (s_nCurrentShape == kToolColourPicker) {
    COLORREF picked = 0;
    int x = 0, y = 0;
    if (GetPixelAtCursor(picked, x, y)) {
      frame->m_lastColour = picked;
      frame->m_lineColour = picked;
      if (CDrawObj* last = GetLastSelected()) last->SetColourKey(picked);
    }
  } else {
    const int kind = s_nCurrentShape == kToolPenColour ? 0 : 1;
    // The click selects what is under it (the select tool's click ends the shape), then
    // colours the selection.
    CSelectTool& select = CSelectTool::Get();
    select.OnLButtonDown(this, nFlags, point);
    select.OnLButtonUp(this, nFlags, point);
    if (m_selection.IsEmpty()) {
      if (kind == 1) {
        doc->m_backColour = colour;
        doc->SetModifiedFlag(TRUE);
        doc->UpdateAllViews(nullptr);
      }
    } else {
      doc->SetModifiedFlag(TRUE);
      for (POSITION pos = m_selection.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(m_selection.GetNext(pos))->SetColour(colour, kind);
    }
  }
  PostMessage(WM_COMMAND, ID_TOOL_SELECT);
}

// ---------------------------------------------------------------------------------
// Context menu

UINT CDrawView::ChooseContextMenu(BOOL running, BOOL arrowCursor, CDrawObj* under, BOOL fullScreen) {
  if (running) return arrowCursor ? IDR_MENU_RUN : 0;
  if (dynamic_cast<CDrawAnimate*>(under)) return IDR_MENU_VIDEO;
  if (dynamic_cast<CMemberGroup*>(under)) return IDR_MENU_GROUP;
  if (under) return IDR_MENU_OBJECT;
  return fullScreen ? IDR_MENU_PAGE_FULL_SCREEN : IDR_MENU_PAGE;
}

void CDrawView::OnContextMenu(CWnd*, CPoint pos) {
  CDrawDoc* doc = GetDocument();
  CMainFrame* frame = Frame();
  if (!doc || !frame) return;
  CDrawObj* under = nullptr;
  if (!Running()) {
    CPoint local = pos;
    ScreenToClient(&local);
    DPtoLPPoint(local);
    under = doc->ObjectAt(local);
    if (under && !IsSelected(under)) {
      Select(under, FALSE);
      UpdateWindow();
    }
  }
  const UINT id = ChooseContextMenu(Running(), m_run.IsArrowCursor(), under, frame->IsFullScreen());
  CMenu menu;
  if (!id || !menu.LoadMenu(id)) return;
  if (HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0))
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pos.x, pos.y, 0, frame->m_hWnd, nullptr);
}
