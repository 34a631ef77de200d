// CRealAudio: the RealPlayer control hosted over a video object that plays a stream, as
// a child of the page's view. Driven by the player's dispatch ids; it follows the
// player's state events (restarting a loop, stopping a pause) and signals its stop
// event when the player reports that it has stopped. Clicks and key presses go on to
// the view, as over a Flash movie, except the right button's press.
#pragma once

#include "framework/core/Rect.h"
#include "framework/core/ScopedHandle.h"
#include "framework/ui/Wnd.h"

// {CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}
extern const CLSID CLSID_RealPlayer;

class CRealAudio : public CWnd {
 public:
  // The control id its events come from.
  static constexpr UINT kControlId = 2003;

  // clsid: the control to host (tests host one of their own).
  explicit CRealAudio(const CLSID& clsid = CLSID_RealPlayer);
  ~CRealAudio() override;

  BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);
  // The source and how it shows: automatic start off, the image window only.
  void Load(const CString& path);
  void Start(BOOL loop);
  // Stops a playing player; TRUE when it was asked to stop (its stop event then follows).
  // The stop event is reset first in every case.
  BOOL Halt();
  // The player's own answer (dispatch id 260).
  long QueryPlayState();
  // The last state the player reported.
  int GetPlayState() const { return m_playState; }
  // Waits for the stop event at most timeout milliseconds with the thread's messages
  // dispatched meanwhile; TRUE when it came. A wait started while one runs (a timer
  // under the first) returns FALSE at once.
  BOOL WaitForStop(DWORD timeout);
  BOOL IsWaitingForStop() const { return m_waiting; }
  HANDLE GetStopEvent() const { return m_stopEvent.get(); }

  BOOL PreTranslateMessage(MSG* pMsg) override;

 private:
  void OnStateChange(long state);
  void SignalStop();

  CLSID m_clsid;
  CScopedKernelHandle m_stopEvent;
  int m_playState = 0;
  BOOL m_waiting = FALSE;
};
