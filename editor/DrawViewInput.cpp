// CDrawView: mouse and keyboard. While editing the input goes to the current drawing
// tool; during a run it becomes triggers of the page's objects.
#include <cstdlib>

#include "editor/DrawApp.h"
#include "editor/DrawTool.h"
#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "editor/SelectTool.h"
#include "framework/ui/Menu.h"
#include "model/ColorEditWnd.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawText.h"
#include "model/RetiredObjects.h"
#include "resources/KordelIds.h"

namespace {

constexpr int kTriggerLeftDown = 0;
constexpr int kTriggerLeftUp = 1;
constexpr int kTriggerDoubleClick = 2;
constexpr int kTriggerMouseMove = 3;
constexpr int kTriggerRightDown = 4;
constexpr int kTriggerRightUp = 5;
constexpr int kTriggerEnter = 7;
constexpr int kTriggerLeave = 8;
constexpr int kTriggerKeyDown = 9;
constexpr int kTriggerKeyUp = 10;
constexpr int kTriggerDrop = 12;
constexpr int kTriggerKey = 13;  // the key every trigger of the view reports

bool HasTrigger(const CDrawObj* object, int index) { return (object->m_triggerMask & (1u << index)) != 0; }

// Composite objects take every pointer trigger whatever their mask says: their members'
// events are served through them.
bool IsComposite(const CDrawObj* object) { return dynamic_cast<const CDrawCompObj*>(object) != nullptr; }

CDrawText* InputText(CDrawObj* object) {
  auto* text = dynamic_cast<CDrawText*>(object);
  return text && text->m_textInput ? text : nullptr;
}

// What the author typed into the text: the open box's text, else the text kept from it.
CString TypedText(CDrawText* text) {
  if (CColorEditWnd* box = text->GetInputBox()) {
    CString typed;
    box->GetWindowText(typed);
    return typed;
  }
  return text->m_displayText;
}

CPoint Centre(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.bottom + r.top) / 2); }

}  // namespace

// ---------------------------------------------------------------------------------
// Run mode

BOOL CDrawView::Trigger(CDrawObj* object, int index, const CPoint& local, const CString& text, CDrawObj* dragged,
                        CDrawObj* target) {
  CDrawDoc* doc = GetDocument();
  const unsigned generation = doc->m_contentsGeneration;
  object->Drive(index, m_clock.GetTick(), local.x, local.y, kTriggerKey, text, dragged, target);
  return doc->m_contentsGeneration == generation;
}

void CDrawView::RunButtonDown(CPoint point) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  CRetiredObjects retired;  // a page jump inside a trigger frees the old page afterwards
  CPoint local = point;
  DPtoLPPoint(local);
  CDrawObj* object = doc->ObjectAt(local);
  m_pDragObject = object && HasTrigger(object, kTriggerDrop) ? object : nullptr;
  if (m_pDragObject) m_dragPoint = local;
  CDrawText* focus = InputText(doc->m_focusObject);
  if (focus && focus != object) focus->OnDeselect(this);
  if (object) {
    if (CDrawText* text = InputText(object)) {
      text->OnOpen(this);
      doc->m_focusObject = text;
    }
    if (object->m_buttonised) {
      object->SetButtonState(1);
      object->Invalidate();
    }
    if ((HasTrigger(object, kTriggerLeftDown) || IsComposite(object)) && !Trigger(object, kTriggerLeftDown, local))
      return;
  }
  doc->m_focusObject = object;
}

void CDrawView::RunButtonUp(CPoint point) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  CRetiredObjects retired;
  CPoint local = point;
  DPtoLPPoint(local);
  if (CDrawObj* object = doc->ObjectAt(local)) {
    if (object->m_buttonised) {
      object->SetButtonState(0);
      object->Invalidate();
    }
    if ((HasTrigger(object, kTriggerLeftUp) || IsComposite(object)) && !Trigger(object, kTriggerLeftUp, local)) return;
  }
  CDrawObj* dragged = m_pDragObject;
  if (!dragged) return;
  CDrawObj* target = doc->ObjectAtExcept(local, dragged);
  if (!target) {
    // Dropped on nothing: back where it stood when the run began.
    dragged->SetRect(dragged->m_savedRect, this);
    m_pDragObject = nullptr;
    return;
  }
  CRect targetRect = target->m_position, draggedRect = dragged->m_position;
  targetRect.NormalizeRect();
  draggedRect.NormalizeRect();
  CRect overlap;
  if (!overlap.IntersectRect(&targetRect, &draggedRect)) return;  // kept until the next press
  m_pDragObject = nullptr;
  const unsigned generation = doc->m_contentsGeneration;
  const int accepted =
      target->Drive(kTriggerDrop, m_clock.GetTick(), local.x, local.y, kTriggerKey, CString(), dragged, target);
  if (!accepted || doc->m_contentsGeneration != generation) return;
  // Accepted: the dropped object settles on the target's centre.
  const CPoint to = Centre(target->m_position), from = Centre(dragged->m_position);
  CRect moved = dragged->m_position;
  moved.OffsetRect(to.x - from.x, to.y - from.y);
  dragged->SetRect(moved, this);
}

void CDrawView::RunMouseMove(UINT nFlags, CPoint point) {
  CDrawDoc* doc = GetDocument();
  if (!doc || point == m_lastMousePoint) return;
  m_lastMousePoint = point;
  CRetiredObjects retired;
  CPoint local = point;
  DPtoLPPoint(local);
  CDrawObj* object = doc->ObjectAt(local);
  if (object != m_pHoverObject) {
    CDrawObj* left = m_pHoverObject;
    m_pHoverObject = object;
    if (left && HasTrigger(left, kTriggerLeave) && !Trigger(left, kTriggerLeave, local)) return;
    if (object && HasTrigger(object, kTriggerEnter) && !Trigger(object, kTriggerEnter, local)) return;
  }
  if (object && object->m_events.GetSize() > 0) {
    ::SetCursor(LoadToolCursor(200));
    m_bArrowCursor = FALSE;
    if (!Trigger(object, kTriggerMouseMove, local)) return;
  } else if (object && IsComposite(object)) {
    if (!Trigger(object, kTriggerMouseMove, local)) return;
  } else {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    m_bArrowCursor = TRUE;
  }
  if ((nFlags & MK_LBUTTON) && m_pDragObject) {
    CRect r = m_pDragObject->m_position;
    r.OffsetRect(local.x - m_dragPoint.x, local.y - m_dragPoint.y);
    m_dragPoint = local;
    m_pDragObject->SetRect(r, nullptr);
  }
}

void CDrawView::RunEnterKey(int trigger) {
  CDrawDoc* doc = GetDocument();
  CDrawText* text = doc ? InputText(doc->m_focusObject) : nullptr;
  if (!text) return;
  CRetiredObjects retired;
  Trigger(text, trigger, CPoint(0, 0), TypedText(text));
}

// ---------------------------------------------------------------------------------
// Messages

void CDrawView::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  if (Running()) {
    RunButtonDown(point);
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
    RunButtonUp(point);
  } else if (m_bActive) {
    if (CDrawTool* tool = CDrawTool::FindTool(s_nCurrentShape)) tool->OnLButtonUp(this, nFlags, point);
  }
  Default();
}

void CDrawView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (Running()) {
    CDrawDoc* doc = GetDocument();
    CPoint local = point;
    DPtoLPPoint(local);
    CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr;
    if (object && (HasTrigger(object, kTriggerDoubleClick) || IsComposite(object))) {
      CRetiredObjects retired;
      Trigger(object, kTriggerDoubleClick, local);
    }
  } else if (m_bActive) {
    if (CDrawTool* tool = CDrawTool::FindTool(s_nCurrentShape)) tool->OnLButtonDblClk(this, nFlags, point);
  }
  Default();
}

void CDrawView::OnMouseMove(UINT nFlags, CPoint point) {
  if (Running()) {
    RunMouseMove(nFlags, point);
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
  if (Running()) {
    CDrawDoc* doc = GetDocument();
    CPoint local = point;
    DPtoLPPoint(local);
    if (CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr) {
      CRetiredObjects retired;
      Trigger(object, kTriggerRightDown, local);
    }
  }
  Default();
}

void CDrawView::OnRButtonUp(UINT nFlags, CPoint point) {
  if (Running()) {
    CDrawDoc* doc = GetDocument();
    CPoint local = point;
    DPtoLPPoint(local);
    if (CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr) {
      CRetiredObjects retired;
      Trigger(object, kTriggerRightUp, local);
    }
  }
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
      if (Running()) RunEnterKey(kTriggerKeyDown);
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
  if (nChar == VK_RETURN && Running()) RunEnterKey(kTriggerKeyUp);
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
  // Video objects have a menu of their own too; the editor has none of them yet.
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
  const UINT id = ChooseContextMenu(Running(), m_bArrowCursor, under, frame->IsFullScreen());
  CMenu menu;
  if (!id || !menu.LoadMenu(id)) return;
  if (HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0))
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pos.x, pos.y, 0, frame->m_hWnd, nullptr);
}
