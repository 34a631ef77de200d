#include "framework/ui/WinThread.h"

#include <process.h>

#include "framework/ui/ThreadState.h"
#include "framework/ui/Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
constexpr UINT WM_SYSTIMER = 0x0118;  // the caret's blink timer
}

CWinThread* AfxGetThread() { return AfxGetThreadState().m_pThread; }

CWinThread::CWinThread() = default;

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
  if (m_hQueueReady) ::CloseHandle(m_hQueueReady);
  AfxThreadState& state = AfxGetThreadState();
  if (state.m_pThread == this) state.m_pThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  unsigned threadId = 0;
  if (!m_hQueueReady) m_hQueueReady = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!m_hQueueReady) return FALSE;
  // Started suspended, so that m_hThread and m_nThreadID are set before it runs.
  auto handle = _beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                               dwCreateFlags | CREATE_SUSPENDED, &threadId);
  if (!handle) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(handle);
  m_nThreadID = threadId;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) {
    // The event may outlive an object that deletes itself: wait on a copy.
    HANDLE ready = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), m_hQueueReady, ::GetCurrentProcess(), &ready, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    ::ResumeThread(m_hThread);
    if (ready) {
      ::WaitForSingleObject(ready, INFINITE);
      ::CloseHandle(ready);
    }
  }
  return TRUE;
}

BOOL CWinThread::QuitAndWait(DWORD timeout) {
  if (!m_hThread) return TRUE;
  // Fails when the thread has already ended: the wait then returns at once.
  PostThreadMessage(WM_QUIT, 0, 0);
  return AfxWaitHandlingSentMessages(m_hThread, timeout) == WAIT_OBJECT_0;
}

DWORD AfxWaitHandlingSentMessages(HANDLE handle, DWORD timeout) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    DWORD left = INFINITE;
    if (timeout != INFINITE) {
      const DWORD spent = ::GetTickCount() - start;
      left = spent >= timeout ? 0 : timeout - spent;
    }
    const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) return result;
    // Peeking delivers the sent messages; nothing posted is taken.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

unsigned __stdcall CWinThread::ThreadEntry(void* param) {
  auto* thread = static_cast<CWinThread*>(param);
  AfxGetThreadState().m_pThread = thread;
  // Peeking makes the queue; from here on messages posted to the thread are kept.
  MSG msg;
  ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  ::SetEvent(thread->m_hQueueReady);
  int code;
  if (!thread->InitInstance())
    code = thread->ExitInstance();
  else
    code = thread->Run();
  AfxGetThreadState().m_pThread = nullptr;
  if (thread->m_bAutoDelete) delete thread;
  AfxDeleteTempMaps();
  return static_cast<unsigned>(code);
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
  CWinThread* thread = AfxGetThread();
  AfxGetThreadState().m_pThread = nullptr;
  if (thread && bDelete && thread->m_bAutoDelete) delete thread;
  AfxDeleteTempMaps();
  _endthreadex(nExitCode);
  for (;;) {
  }
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinThread::Run() {
  BOOL idle = TRUE;
  LONG idleCount = 0;
  for (;;) {
    while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = TRUE;
        idleCount = 0;
      }
    } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::DispatchThreadMessage(const MSG& msg) {
  if (msg.hwnd) return FALSE;
  for (const auto& [message, handler] : m_threadMessages) {
    if (message == msg.message) {
      handler(msg.wParam, msg.lParam);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (DispatchThreadMessage(m_msgCur)) return TRUE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  CWnd* mainWnd = GetMainWnd();
  HWND hWndMain = mainWnd ? mainWnd->m_hWnd : nullptr;
  if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) return TRUE;
  // A window outside the main window (a modeless dialog) still gets the main
  // window's accelerators.
  if (hWndMain && pMsg->hwnd) {
    HWND top = pMsg->hwnd;
    while (top && (::GetWindowLongPtrA(top, GWL_STYLE) & WS_CHILD)) top = ::GetParent(top);
    if (top != hWndMain) return mainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_ptCursorLast == pMsg->pt && pMsg->message == m_nMsgLast) return FALSE;
    m_ptCursorLast = pMsg->pt;
    m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    for (CWnd* wnd : {m_pMainWnd, m_pActiveWnd}) {
      if (wnd && wnd->m_hWnd && ::IsWindowVisible(wnd->m_hWnd) && !::IsIconic(wnd->m_hWnd)) {
        HWND hWnd = wnd->m_hWnd;
        AfxCallWndProc(wnd, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        if (::IsWindow(hWnd)) wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
      }
      if (m_pActiveWnd == m_pMainWnd) break;
    }
    return TRUE;
  }
  if (lCount == 1) AfxDeleteTempMaps();
  return FALSE;
}
