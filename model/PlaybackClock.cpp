#include "model/PlaybackClock.h"

#include "framework/core/ObList.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/RetiredObjects.h"

void CPlaybackClock::OnTimer(CDrawHost& host, const CObList& page, CView* view) {
  if (m_walking) return;
  ++m_tick;
  if (m_tick < kFirstSteppedTick) return;
  if (m_tick == kFirstSteppedTick) host.InvalidateView();

  struct Walking {
    explicit Walking(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Walking() { m_flag = false; }
    bool& m_flag;
  } walking(m_walking);
  CRetiredObjects retired;  // declared after the guard: objects die before the clock is free again

  // Steps may reorder the list (layer actions) or replace it (page jumps): the walk goes
  // over the page as it was, and a jump ends it through the break flag.
  m_walk.clear();
  for (POSITION pos = page.GetHeadPosition(); pos;) m_walk.push_back(static_cast<CDrawObj*>(page.GetNext(pos)));
  const int frame = m_tick - kFirstSteppedTick;
  for (CDrawObj* object : m_walk) {
    if (m_break) {
      m_break = false;
      --m_tick;
      break;
    }
    object->Step(frame, view);
  }
  m_walk.clear();
}
