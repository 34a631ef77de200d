// The playback view's input: mouse buttons and moves become triggers of the objects
// under the pointer, objects with a drop event can be dragged onto others, and the
// context menu offers exit and pause.
#include "framework/core/Module.h"
#include "framework/ui/Menu.h"
#include "framework/ui/WinApp.h"
#include "model/DrawObj.h"
#include "player/DrawView.h"
#include "player/PlayerDoc.h"
#include "resources/Mirabo.h"

namespace {

// Trigger indices, and an object's trigger mask has bit i for trigger i.
enum Trigger {
  kLeftDown = 0,
  kLeftUp = 1,
  kDoubleClick = 2,
  kMouseMove = 3,
  kRightDown = 4,
  kRightUp = 5,
  kMouseEnter = 7,
  kMouseLeave = 8,
  kDropOn = 12,
};

bool Uses(const CDrawObj* object, Trigger trigger) { return (object->m_triggerMask & (1u << trigger)) != 0; }

// Composite objects pass pointer triggers on to their members whatever their own mask.
bool IsComposite(const CDrawObj* object) {
  const CRuntimeClass* composite = CRuntimeClass::FromName("CDrawCompObj");
  return composite && object->IsKindOf(composite);
}

bool UsesPointer(const CDrawObj* object, Trigger trigger) { return Uses(object, trigger) || IsComposite(object); }

CPoint CentreOf(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

void MoveCentreBy(CDrawObj* object, CPoint delta, CView* view) {
  const CPoint handle = object->GetHandle(9);
  object->MoveHandleTo(9, handle.x + delta.x, handle.y + delta.y, view);
}

}  // namespace

bool CDrawView::Drive(CDrawObj* object, int index, CPoint page, CDrawObj* second) {
  const unsigned serial = m_pageSerial;
  object->Drive(index, m_clock.GetTick(), page.x, page.y, 13, CString(), second, nullptr);
  return serial == m_pageSerial;
}

void CDrawView::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  CPlayerDoc* doc = GetPlayerDoc();
  const CPoint page = ClientToPage(point);
  CDrawObj* object = doc->ObjectAt(page);
  m_dragObject = object && Uses(object, kDropOn) ? object : nullptr;
  m_dragPoint = page;
  if (object && object->m_buttonised) {
    object->SetButtonState(1);
    object->Invalidate();
  }
  if (object && UsesPointer(object, kLeftDown) && !Drive(object, kLeftDown, page)) return;
  doc->m_focusObject = object;
  CView::OnLButtonDown(nFlags, point);
}

void CDrawView::OnLButtonUp(UINT nFlags, CPoint point) {
  CPlayerDoc* doc = GetPlayerDoc();
  const CPoint page = ClientToPage(point);
  if (CDrawObj* object = doc->ObjectAt(page)) {
    if (object->m_buttonised) {
      object->SetButtonState(0);
      object->Invalidate();
    }
    if (UsesPointer(object, kLeftUp) && !Drive(object, kLeftUp, page)) return;
  }
  if (CDrawObj* dragged = m_dragObject) {
    m_dragObject = nullptr;
    // The dragged object itself lies under the pointer: the target is what lies beneath.
    CDrawObj* target = doc->ObjectAtExcept(page, dragged);
    if (!target) {
      dragged->SetRect(dragged->m_savedRect, this);  // back where the page started it
    } else {
      CRect a = dragged->m_position, b = target->m_position, meet;
      a.NormalizeRect();
      b.NormalizeRect();
      if (meet.IntersectRect(&a, &b)) {
        const unsigned serial = m_pageSerial;
        const int accepted =
            target->Drive(kDropOn, m_clock.GetTick(), page.x, page.y, 13, CString(), dragged, nullptr);
        if (serial != m_pageSerial) return;
        if (accepted) MoveCentreBy(dragged, CentreOf(b) - CentreOf(a), this);
      }
    }
  }
  CView::OnLButtonUp(nFlags, point);
}

void CDrawView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const CPoint page = ClientToPage(point);
  CDrawObj* object = GetPlayerDoc()->ObjectAt(page);
  if (object && UsesPointer(object, kDoubleClick) && !Drive(object, kDoubleClick, page)) return;
  CView::OnLButtonDblClk(nFlags, point);
}

void CDrawView::OnRButtonDown(UINT nFlags, CPoint point) {
  const CPoint page = ClientToPage(point);
  CDrawObj* object = GetPlayerDoc()->ObjectAt(page);
  if (object && !Drive(object, kRightDown, page)) return;
  CView::OnRButtonDown(nFlags, point);
}

void CDrawView::OnRButtonUp(UINT nFlags, CPoint point) {
  const CPoint page = ClientToPage(point);
  CDrawObj* object = GetPlayerDoc()->ObjectAt(page);
  if (object && !Drive(object, kRightUp, page)) return;
  // The context menu follows from the default processing.
  CView::OnRButtonUp(nFlags, point);
}

void CDrawView::OnMouseMove(UINT nFlags, CPoint point) {
  if (point == m_lastMouse) return;
  m_lastMouse = point;
  const CPoint page = ClientToPage(point);
  CDrawObj* object = GetPlayerDoc()->ObjectAt(page);
  if (object != m_hoverObject) {
    CDrawObj* previous = m_hoverObject;
    m_hoverObject = object;
    if (previous && Uses(previous, kMouseLeave) && !Drive(previous, kMouseLeave, page)) return;
    if (object && Uses(object, kMouseEnter) && !Drive(object, kMouseEnter, page)) return;
  }
  if (object && object->m_events.GetSize() > 0) {
    HCURSOR cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_EVENT_CURSOR));
    ::SetCursor(cursor ? cursor : ::LoadCursorA(nullptr, IDC_ARROW));
    if (!Drive(object, kMouseMove, page)) return;
  } else if (object && IsComposite(object)) {
    if (!Drive(object, kMouseMove, page)) return;
  } else {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  }
  if ((nFlags & MK_LBUTTON) && m_dragObject) {
    const CPoint delta = page - m_dragPoint;
    m_dragPoint = page;
    MoveCentreBy(m_dragObject, delta, this);
  }
  CView::OnMouseMove(nFlags, point);
}

void CDrawView::OnContextMenu(CWnd*, CPoint pos) {
  if (pos.x == -1 && pos.y == -1) ::GetCursorPos(&pos);  // from the keyboard
  CMenu menu;
  if (!menu.LoadMenu(IDR_RUN_MENU)) return;
  if (CMenu* popup = menu.GetSubMenu(0))
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pos.x, pos.y, AfxGetMainWnd());
}
