// CWinThread: a thread with a message loop. The loop translates each message through
// the windows it is for (PreTranslateMessage: dialogs, accelerators), dispatches it,
// and when the queue is empty does idle work: first the update of the main window's
// bars and menus (WM_IDLEUPDATECMDUI), then the release of temporary objects. Messages
// posted to the thread itself (no window) go to the handler its class mapped for them.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "framework/core/Point.h"
#include "framework/ui/CmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread();
  // Closes the thread handle.
  ~CWinThread() override;

  // Starts the thread: InitInstance, then Run when it succeeds (ExitInstance when it
  // does not). With m_bAutoDelete the object deletes itself when the thread ends, so a
  // caller that waits for the thread must duplicate m_hThread first. Unless created
  // suspended, the thread has its message queue when this returns, so that messages
  // posted to m_nThreadID from then on are kept.
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

  virtual BOOL InitInstance();
  // The message loop; returns ExitInstance's result when WM_QUIT arrives.
  virtual int Run();
  virtual int ExitInstance();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Gets and dispatches one message; FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  // Idle work step lCount (0, 1, ...); TRUE while there is more to do.
  virtual BOOL OnIdle(LONG lCount);
  // FALSE for messages that should not restart idle work (repeated mouse moves, paints).
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }

  int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
  }
  operator HANDLE() const { return m_hThread; }

  // Asks the thread's loop to end (WM_QUIT) and waits for the thread, at most timeout
  // ms, handling what other threads send to the caller meanwhile; TRUE when it has
  // ended. Only for a thread object that does not delete itself.
  BOOL QuitAndWait(DWORD timeout);

  CWnd* m_pMainWnd = nullptr;    // its destruction ends this thread's loop
  CWnd* m_pActiveWnd = nullptr;  // another window whose bars are updated at idle
  BOOL m_bAutoDelete = TRUE;
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  MSG m_msgCur = {};

 protected:
  // A message posted to this thread without a window reaches the handler, with its
  // wParam and lParam, on this thread. For the constructors of derived classes.
  template <class T>
  void MapThreadMessage(UINT message, void (T::*handler)(WPARAM, LPARAM)) {
    m_threadMessages.emplace_back(
        message, [this, handler](WPARAM wParam, LPARAM lParam) { (static_cast<T*>(this)->*handler)(wParam, lParam); });
  }
  // Runs the mapped handler of a message without a window; FALSE when there is none.
  BOOL DispatchThreadMessage(const MSG& msg);

  CPoint m_ptCursorLast;
  UINT m_nMsgLast = 0;

 private:
  static unsigned __stdcall ThreadEntry(void* param);

  std::vector<std::pair<UINT, std::function<void(WPARAM, LPARAM)>>> m_threadMessages;
  HANDLE m_hQueueReady = nullptr;  // set once the thread has its message queue
};

// The CWinThread object of the calling thread (the application on its thread).
CWinThread* AfxGetThread();
// Ends the calling thread now, deleting its auto-deleting thread object. Objects on
// the stack are not destroyed: prefer returning from Run.
[[noreturn]] void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// Waits for the handle, at most timeout ms, handling meanwhile the messages other threads
// send to the calling thread's windows: a thread that waits this way cannot block one
// that needs it, such as a thread showing a box owned by one of its windows. Returns
// WaitForSingleObject's result (WAIT_OBJECT_0, WAIT_TIMEOUT, WAIT_FAILED).
DWORD AfxWaitHandlingSentMessages(HANDLE handle, DWORD timeout);
