// CPlaybackClock: the clock of a playing page — the tick counter, the break flag and the
// walk over the page's objects that every host runs from its timer (id 3). Each host
// keeps its own clock, so pages playing on two threads do not step each other.
#pragma once

#include <vector>

class CDrawHost;
class CDrawObj;
class CObList;
class CView;

class CPlaybackClock {
 public:
  // The frame number an object is stepped with is the tick minus this.
  static constexpr int kFirstSteppedTick = 3;

  int GetTick() const { return m_tick; }
  // The counter alone (run start and stop).
  void SetTick(int tick) { m_tick = tick; }
  // The counter, and the break flag raised: the walk in progress stops before the next
  // object and does not count its tick (page jumps).
  void SetPlaybackClock(int tick) {
    m_tick = tick;
    m_break = true;
  }
  bool IsPlaybackBreak() const { return m_break; }
  // A walk is in progress on this clock.
  bool IsWalking() const { return m_walking; }

  // One message of the playback timer. Ticks 1 and 2 do nothing; tick 3 asks the host to
  // repaint the whole view (the first paint plays the page's transition); from tick 3 on
  // every object of the page, in list order, is stepped with frame tick - 3. Before each
  // object a raised break flag is cleared, the tick taken back and the walk ended.
  // A timer message that arrives while a walk is in progress (a message box or a wait
  // inside a step pumps messages) is dropped without counting. Objects that leave the
  // page during the walk are destroyed when it returns.
  void OnTimer(CDrawHost& host, const CObList& page, CView* view);

 private:
  int m_tick = 0;
  bool m_break = false;
  bool m_walking = false;
  std::vector<CDrawObj*> m_walk;  // the page as it was when the walk began
};
