// CPageRun: the run of a playing page, owned by the view that shows it (the editor's test
// run, the player, the browser control). It keeps the clock and timer 3, starts and stops
// the page's objects, pauses, and turns the view's mouse and key input into triggers of
// the objects' events (the hover object, the drag, the last point, the input box of a
// text, a walk in progress). What differs between programs reaches it through the host:
// the mapping of the view's points to page units and the page jump.
#pragma once

#include <climits>

#include "framework/core/Rect.h"
#include "framework/core/String.h"
#include "framework/ui/View.h"
#include "model/PlaybackClock.h"

class CDrawDoc;
class CDrawHost;
class CDrawObj;

class CPageRun {
 public:
  // Periods of timer 3 in milliseconds: the player's first start, and every other start
  // (a resume, a page jump, the editor's test run).
  static constexpr UINT kFirstStartPeriod = 50;
  static constexpr UINT kResumePeriod = 55;
  // The cursor over an object with events, a resource of the program.
  static constexpr UINT kEventCursor = 200;

  // Trigger indices of the view's input; an object's trigger mask has bit i for trigger i.
  enum Trigger {
    kLeftDown = 0,
    kLeftUp = 1,
    kDoubleClick = 2,
    kMouseMove = 3,
    kRightDown = 4,
    kRightUp = 5,
    kMouseEnter = 7,
    kMouseLeave = 8,
    kEnterDown = 9,
    kEnterUp = 10,
    kDropOn = 12,
  };
  // The key every trigger of the view reports.
  static constexpr int kTriggerKey = 13;

  // host: the host serving this view; null for the calling thread's host at each call.
  explicit CPageRun(CView& view, CDrawHost* host = nullptr, UINT eventCursor = kEventCursor);
  CPageRun(const CPageRun&) = delete;
  CPageRun& operator=(const CPageRun&) = delete;

  CDrawDoc* GetDocument() const;
  // The window the timer, the focus and the repaints go to: the view's own, or the one
  // given here for a view that draws into another's window (the browser control's).
  void SetWindow(HWND window) { m_window = window; }
  HWND GetWindow() const { return m_window ? m_window : m_view.m_hWnd; }

  // --- Clock and timer 3 ---
  CPlaybackClock& GetClock() { return m_clock; }
  int GetTick() const { return m_clock.GetTick(); }
  // The counter, and the walk in progress ends before its next object (page jumps).
  void SetPlaybackClock(int tick) { m_clock.SetPlaybackClock(tick); }
  BOOL IsPlaybackBreak() const { return m_clock.IsPlaybackBreak(); }
  // The counter back to 0; a walk in progress (a step showed a message box and a command
  // came meanwhile) ends before its next object.
  void ResetClock();
  // Timer 3 started with the period (the run is no longer paused: a page jump or a
  // program's end resumes a paused run), or stopped.
  void SetTimer(UINT period);
  void KillTimer();
  // The period timer 3 runs at, 0 while it is stopped.
  UINT GetTimerPeriod() const { return m_timerPeriod; }
  // One message of timer 3: a step of every object of the page.
  void OnTimer();
  BOOL IsPaused() const { return m_paused; }
  // Pause, or resume with the resume period.
  void TogglePause();

  // --- Start and stop ---
  // Prepares every object of the page for playing: the hover and drag are forgotten, the
  // page's transition is pending. FALSE when one of them reported an object its events
  // drive that is not on the page (SetTargetMissing).
  BOOL StartObjects();
  void SetTargetMissing() { m_targetMissing = TRUE; }
  // Gives every object its state from before the run back and the clock goes to 0.
  void StopObjects();
  // The end of a run: timer off and not paused, an open input box closed (its text stays
  // in the object), the capture released, the drag forgotten, the objects stopped.
  void EndRun();
  // Forgets the object being dragged and the one under the pointer; the next move reaches
  // the page's objects even where the pointer has not moved.
  void ClearDragState();

  // --- Input (points in the view's client pixels) ---
  void OnLButtonDown(CPoint point);
  void OnLButtonUp(CPoint point);
  void OnLButtonDblClk(CPoint point);
  void OnRButtonDown(CPoint point);
  void OnRButtonUp(CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  // Enter down (trigger 9) or up (10): the focus object's typed answer.
  void OnEnterKey(BOOL down);

  CDrawObj* GetHoverObject() const { return m_hover; }
  CDrawObj* GetDragObject() const { return m_drag; }
  // Whether the pointer shows the arrow (over nothing with events): the run's context
  // menu is offered only then.
  BOOL IsArrowCursor() const { return m_arrowCursor; }

 private:
  CDrawHost* Host() const;
  CPoint ToPage(CPoint client) const;
  CDrawObj* ObjectAt(CPoint page) const;
  // Delivers a trigger; FALSE when the page was replaced meanwhile (a page jump), so that
  // the caller touches none of the objects it found before.
  BOOL Trigger(CDrawObj* object, int index, CPoint page, const CString& text = CString());
  // Delivers the trigger to the object under the point when it takes it.
  void PointerTrigger(CPoint point, int index, bool always);

  CView& m_view;
  HWND m_window = nullptr;
  CDrawHost* m_host;
  UINT m_eventCursor;
  CPlaybackClock m_clock;
  UINT m_timerPeriod = 0;
  BOOL m_paused = FALSE;
  BOOL m_targetMissing = FALSE;
  CDrawObj* m_hover = nullptr;
  CDrawObj* m_drag = nullptr;
  CPoint m_dragPoint;  // page units
  CPoint m_lastMouse{INT_MIN, INT_MIN};  // client pixels
  BOOL m_arrowCursor = TRUE;
};
