#include "behaviour/PageRun.h"

#include "framework/core/Module.h"
#include "framework/ui/View.h"
#include "model/ColorEditWnd.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/DrawText.h"
#include "model/RetiredObjects.h"

namespace {

bool Uses(const CDrawObj* object, int trigger) { return (object->m_triggerMask & (1u << trigger)) != 0; }

// Composite objects take every pointer trigger whatever their mask says: their members'
// events are served through them.
bool IsComposite(const CDrawObj* object) { return dynamic_cast<const CDrawCompObj*>(object) != nullptr; }

bool UsesPointer(const CDrawObj* object, int trigger) { return Uses(object, trigger) || IsComposite(object); }

CDrawText* InputText(CDrawObj* object) {
  auto* text = dynamic_cast<CDrawText*>(object);
  return text && text->m_textInput ? text : nullptr;
}

// What was typed into the text: the open box's text, else the text kept from it.
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

CPageRun::CPageRun(CView& view, CDrawHost* host, UINT eventCursor)
    : m_view(view), m_host(host), m_eventCursor(eventCursor) {}

CDrawHost* CPageRun::Host() const { return m_host ? m_host : GetDrawHost(); }

CDrawDoc* CPageRun::GetDocument() const { return dynamic_cast<CDrawDoc*>(m_view.GetDocument()); }

CPoint CPageRun::ToPage(CPoint client) const {
  if (CDrawHost* host = Host()) host->DPtoLP(client);
  return client;
}

CDrawObj* CPageRun::ObjectAt(CPoint page) const {
  CDrawDoc* doc = GetDocument();
  return doc ? doc->ObjectAt(page) : nullptr;
}

// ---------------------------------------------------------------------------------
// Clock and timer

void CPageRun::ResetClock() {
  if (m_clock.IsWalking())
    m_clock.SetPlaybackClock(0);
  else
    m_clock.SetTick(0);
}

void CPageRun::SetTimer(UINT period) {
  HWND window = GetWindow();
  if (window && ::SetTimer(window, kPlaybackTimerId, period, nullptr)) m_timerPeriod = period;
  m_paused = FALSE;
}

void CPageRun::KillTimer() {
  if (HWND window = GetWindow()) ::KillTimer(window, kPlaybackTimerId);
  m_timerPeriod = 0;
}

void CPageRun::OnTimer() {
  CDrawDoc* doc = GetDocument();
  CDrawHost* host = Host();
  if (doc && host) m_clock.OnTimer(*host, doc->m_objects, &m_view);
}

void CPageRun::TogglePause() {
  if (m_paused) {
    SetTimer(kResumePeriod);
  } else {
    KillTimer();
    m_paused = TRUE;
  }
}

// ---------------------------------------------------------------------------------
// Start and stop

BOOL CPageRun::StartObjects() {
  ClearDragState();
  CDrawDoc* doc = GetDocument();
  if (!doc) return FALSE;
  doc->m_transitionPending = 1;
  m_targetMissing = FALSE;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(doc->m_objects.GetNext(pos))->SavePlayState(&m_view, nullptr);
  return !m_targetMissing;
}

void CPageRun::StopObjects() {
  if (CDrawDoc* doc = GetDocument()) {
    // A run ended before its first paint leaves no transition pending in the page.
    doc->m_transitionPending = 0;
    for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;)
      static_cast<CDrawObj*>(doc->m_objects.GetNext(pos))->RestorePlayState(&m_view);
    doc->RenumberObjects(TRUE);
  }
  if (HWND window = GetWindow()) ::InvalidateRect(window, nullptr, FALSE);
  ResetClock();
}

void CPageRun::EndRun() {
  KillTimer();
  m_paused = FALSE;  // the next run starts playing, not paused
  CRetiredObjects retired;  // an end reached from inside an object's own handler
  if (CDrawDoc* doc = GetDocument()) {
    // The typed answer stays in its object; the box goes with the run.
    if (doc->m_focusObject) doc->m_focusObject->OnDeselect(&m_view);
    doc->m_focusObject = nullptr;
  }
  if (GetWindow() && ::GetCapture() == GetWindow()) ::ReleaseCapture();
  ClearDragState();
  StopObjects();
}

void CPageRun::ClearDragState() {
  m_drag = nullptr;
  m_hover = nullptr;
  m_lastMouse = CPoint(INT_MIN, INT_MIN);
}

// ---------------------------------------------------------------------------------
// Input

BOOL CPageRun::Trigger(CDrawObj* object, int index, CPoint page, const CString& text) {
  CDrawDoc* doc = GetDocument();
  const unsigned generation = doc ? doc->m_contentsGeneration : 0;
  object->Drive(index, m_clock.GetTick(), page.x, page.y, kTriggerKey, text, nullptr, nullptr);
  return doc && doc->m_contentsGeneration == generation;
}

void CPageRun::PointerTrigger(CPoint point, int index, bool always) {
  const CPoint page = ToPage(point);
  CDrawObj* object = ObjectAt(page);
  if (!object || !(always || UsesPointer(object, index))) return;
  CRetiredObjects retired;  // a page jump inside the trigger frees the old page afterwards
  Trigger(object, index, page);
}

void CPageRun::OnLButtonDown(CPoint point) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  CRetiredObjects retired;
  const CPoint page = ToPage(point);
  CDrawObj* object = doc->ObjectAt(page);
  m_drag = object && Uses(object, kDropOn) ? object : nullptr;
  m_dragPoint = page;
  CDrawText* focus = InputText(doc->m_focusObject);
  if (focus && focus != object) focus->OnDeselect(&m_view);  // the box closes, keeping its text
  if (object) {
    if (CDrawText* text = InputText(object)) {
      text->OnOpen(&m_view);
      doc->m_focusObject = text;
    }
    if (object->m_buttonised) {
      object->SetButtonState(1);
      object->Invalidate();
    }
    if (UsesPointer(object, kLeftDown) && !Trigger(object, kLeftDown, page)) return;
  }
  doc->m_focusObject = object;
}

void CPageRun::OnLButtonUp(CPoint point) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  CRetiredObjects retired;
  const CPoint page = ToPage(point);
  if (CDrawObj* object = doc->ObjectAt(page)) {
    if (object->m_buttonised) {
      object->SetButtonState(0);
      object->Invalidate();
    }
    if (UsesPointer(object, kLeftUp) && !Trigger(object, kLeftUp, page)) return;
  }
  CDrawObj* dragged = m_drag;
  if (!dragged) return;
  // The dragged object itself lies under the pointer: the target is what lies beneath.
  CDrawObj* target = doc->ObjectAtExcept(page, dragged);
  if (!target) {
    // Dropped on nothing: back where it stood when the run began.
    dragged->SetRect(dragged->m_savedRect, &m_view);
    m_drag = nullptr;
    return;
  }
  CRect targetRect = target->m_position, draggedRect = dragged->m_position, overlap;
  targetRect.NormalizeRect();
  draggedRect.NormalizeRect();
  if (!overlap.IntersectRect(&targetRect, &draggedRect)) return;  // kept until the next press
  m_drag = nullptr;
  const unsigned generation = doc->m_contentsGeneration;
  const int accepted =
      target->Drive(kDropOn, m_clock.GetTick(), page.x, page.y, kTriggerKey, CString(), dragged, target);
  if (!accepted || doc->m_contentsGeneration != generation) return;
  // Accepted: the dropped object settles on the target's centre.
  const CPoint to = Centre(target->m_position), from = Centre(dragged->m_position);
  CRect moved = dragged->m_position;
  moved.OffsetRect(to.x - from.x, to.y - from.y);
  dragged->SetRect(moved, &m_view);
}

void CPageRun::OnLButtonDblClk(CPoint point) { PointerTrigger(point, kDoubleClick, false); }

void CPageRun::OnRButtonDown(CPoint point) { PointerTrigger(point, kRightDown, true); }

void CPageRun::OnRButtonUp(CPoint point) { PointerTrigger(point, kRightUp, true); }

void CPageRun::OnMouseMove(UINT flags, CPoint point) {
  if (!GetDocument() || point == m_lastMouse) return;
  m_lastMouse = point;
  CRetiredObjects retired;
  const CPoint page = ToPage(point);
  CDrawObj* object = ObjectAt(page);
  if (object != m_hover) {
    CDrawObj* left = m_hover;
    m_hover = object;
    if (left && Uses(left, kMouseLeave) && !Trigger(left, kMouseLeave, page)) return;
    if (object && Uses(object, kMouseEnter) && !Trigger(object, kMouseEnter, page)) return;
  }
  if (object && object->m_events.GetSize() > 0) {
    HCURSOR cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_eventCursor));
    ::SetCursor(cursor ? cursor : ::LoadCursor(nullptr, IDC_HAND));
    m_arrowCursor = FALSE;
    if (!Trigger(object, kMouseMove, page)) return;
  } else if (object && IsComposite(object)) {
    if (!Trigger(object, kMouseMove, page)) return;
  } else {
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    m_arrowCursor = TRUE;
  }
  if ((flags & MK_LBUTTON) && m_drag) {
    CRect r = m_drag->m_position;
    r.OffsetRect(page.x - m_dragPoint.x, page.y - m_dragPoint.y);
    m_dragPoint = page;
    m_drag->SetRect(r, nullptr);
  }
}

void CPageRun::OnEnterKey(BOOL down) {
  CDrawDoc* doc = GetDocument();
  CDrawText* text = doc ? InputText(doc->m_focusObject) : nullptr;
  if (!text) return;
  CRetiredObjects retired;
  if (down && text->GetInputBox()) {
    // Enter closes the box and keeps what was typed in the object, so that its answer
    // check sees it and its mark shows; the keys go on to the view.
    text->OnDeselect(&m_view);
    if (HWND window = GetWindow()) ::SetFocus(window);
  }
  Trigger(text, down ? kEnterDown : kEnterUp, CPoint(0, 0), TypedText(text));
}
