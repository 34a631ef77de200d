// The playback view as an OLE drop target: page objects dragged in the "Object Kordel"
// format from another program move on the page and may drive the object they land on.
#include "framework/core/MessageBox.h"
#include "framework/ui/OleDataObject.h"
#include "model/DrawObj.h"
#include "model/HPEvent.h"
#include "model/PageClipFormats.h"
#include "player/DrawView.h"
#include "player/PlayerDoc.h"
#include "resources/Mirabo.h"

BOOL CDrawView::GetDropOffset(COleDataObject* pDataObject, CPoint* pStart) {
  return pDataObject && ReadObjectKordelPoint(*pDataObject, pStart);
}

DWORD CDrawView::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return OnDragOver(pDataObject, dwKeyState, point);
}

DWORD CDrawView::OnDragOver(COleDataObject* pDataObject, DWORD, CPoint) {
  return GetDropOffset(pDataObject, nullptr) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

BOOL CDrawView::OnDrop(COleDataObject* pDataObject, DWORD, CPoint point) {
  CPoint start;
  if (!GetDropOffset(pDataObject, &start)) return FALSE;
  DropObject(start, ClientToPage(point));
  return TRUE;
}

void CDrawView::DropObject(CPoint start, CPoint drop) {
  CPlayerDoc* doc = GetPlayerDoc();
  if (!doc) return;
  CDrawObj* moved = doc->ObjectAt(start);
  if (!moved) return;
  CRect r = moved->m_position;
  r.OffsetRect(drop.x - start.x, drop.y - start.y);
  moved->SetRect(r, this);
  // The moved object now lies under the drop point itself: the target is what lies beneath.
  CDrawObj* under = doc->ObjectAtExcept(drop, moved);
  if (!under) return;
  const int tick = m_run.GetTick();
  constexpr DWORD kDropFlag = 1u << CHPEvent::triggerDragDrop;
  for (int i = 0; i < moved->m_events.GetSize(); ++i) {
    const CHPEvent& event = moved->m_events[i];
    if (event.m_nTrigger != kDropFlag) continue;
    CDrawObj* driven = FindObjectByName(event.m_strObject, 0);
    CString text;
    if (!driven) {
      text.Format(IDS_DROP_TARGET_MISSING, event.m_strObject.GetString());
      AfxMessageBox(text, MB_ICONSTOP);
      return;
    }
    if (driven != under) return;
    const int index = driven->FindActionByName(event.m_strAbility);
    if (index < 0) {
      text.Format(IDS_DROP_ABILITY_MISSING, driven->m_name.GetString(), event.m_strAbility.GetString());
      AfxMessageBox(text, MB_ICONSTOP);
      return;
    }
    // It begins with the next timer rounds. Before the clock's first walk (ticks 0 to 2)
    // that would be a negative start, which means "waiting": it starts with the walk.
    driven->m_actions[index].m_nActivation = tick < 2 ? 0 : tick - 2;
  }
}
