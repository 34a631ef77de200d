// A user-interface thread runs its own loop for its own main window and ends, deleting
// itself, when that window is destroyed; messages posted to the thread reach their
// handlers, and a thread kept by its owner is ended and waited for.
#include <gtest/gtest.h>

#include <atomic>

#include "framework/ui/WinThread.h"
#include "framework/ui/Wnd.h"

namespace {

std::atomic<int> g_liveThreads{0};

// A window that closes itself on its first timer tick.
class CShortLivedWnd : public CWnd {
 protected:
  void OnTimer(UINT_PTR) override {
    KillTimer(1);
    DestroyWindow();
  }
  void PostNcDestroy() override { delete this; }
};

class CTestUiThread : public CWinThread {
 public:
  explicit CTestUiThread(bool start) : m_start(start) { ++g_liveThreads; }
  ~CTestUiThread() override { --g_liveThreads; }

  BOOL InitInstance() override {
    if (!m_start) return FALSE;
    auto* wnd = new CShortLivedWnd;
    if (!wnd->CreateEx(WS_EX_TOOLWINDOW, nullptr, "短命", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr))
      return FALSE;
    m_pMainWnd = wnd;
    m_sawItsOwnMainWindow = AfxGetThread() == this;
    wnd->SetTimer(1, 10);
    return TRUE;
  }
  int ExitInstance() override { return m_start ? 5 : 6; }

  static bool m_sawItsOwnMainWindow;

 private:
  bool m_start;
};

bool CTestUiThread::m_sawItsOwnMainWindow = false;

// Starts the thread and waits (with a generous limit) for it to end; its exit code.
DWORD RunToEnd(CTestUiThread* thread) {
  EXPECT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
  HANDLE handle = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  thread->ResumeThread();  // from here on the thread may delete its object
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(handle, 10000));
  DWORD code = 0;
  ::GetExitCodeThread(handle, &code);
  ::CloseHandle(handle);
  return code;
}

TEST(WinThread, EndsWhenItsMainWindowIsDestroyedAndDeletesItself) {
  EXPECT_EQ(5u, RunToEnd(new CTestUiThread(true)));
  EXPECT_TRUE(CTestUiThread::m_sawItsOwnMainWindow);
  EXPECT_EQ(0, g_liveThreads.load());
}

TEST(WinThread, AFailedStartRunsExitInstanceAndEnds) {
  EXPECT_EQ(6u, RunToEnd(new CTestUiThread(false)));
  EXPECT_EQ(0, g_liveThreads.load());
}

// Sums wParam x lParam of the messages posted to it, on its own thread.
class CSummingThread : public CWinThread {
 public:
  static constexpr UINT kAdd = WM_APP + 7;
  CSummingThread() {
    m_bAutoDelete = FALSE;
    MapThreadMessage(kAdd, &CSummingThread::OnAdd);
  }
  BOOL InitInstance() override { return TRUE; }
  void OnAdd(WPARAM wParam, LPARAM lParam) {
    m_sum = m_sum * 10 + static_cast<int>(wParam * lParam);
    if (::GetCurrentThreadId() != m_nThreadID) m_onOtherThread = true;
  }
  int m_sum = 0;
  bool m_onOtherThread = false;
};

TEST(WinThread, MessagesPostedToTheThreadReachTheirHandlerInOrderAndQuitEndsIt) {
  CSummingThread thread;
  ASSERT_TRUE(thread.CreateThread());
  // Posted the moment it is created: its queue is there already, nothing is lost.
  for (int i = 1; i <= 3; ++i) ASSERT_TRUE(thread.PostThreadMessage(CSummingThread::kAdd, i, 2));
  thread.PostThreadMessage(WM_APP + 8, 5, 5);  // no handler: ignored
  EXPECT_TRUE(thread.QuitAndWait(10000));
  EXPECT_EQ(246, thread.m_sum);
  EXPECT_FALSE(thread.m_onOtherThread);
  EXPECT_TRUE(thread.QuitAndWait(0));  // it has ended already
}

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) return ++*reinterpret_cast<int*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// A thread that sends to a window of a waiting thread is answered meanwhile: the wait
// cannot block it, and the waiter sees the thread end.
TEST(WinThread, WaitingHandlesWhatOtherThreadsSend) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &CountingProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "WaitCounting";
  ::RegisterClassA(&wc);
  HWND wnd = ::CreateWindowA("WaitCounting", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(wnd);
  int received = 0;
  ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));
  struct Sender {
    HWND wnd;
    LRESULT answer = 0;
  } sender{wnd};
  HANDLE thread = ::CreateThread(
      nullptr, 0,
      [](void* param) -> DWORD {
        auto* s = static_cast<Sender*>(param);
        s->answer = ::SendMessageA(s->wnd, WM_APP, 0, 0);
        return 0;
      },
      &sender, 0, nullptr);
  EXPECT_EQ(WAIT_OBJECT_0, AfxWaitHandlingSentMessages(thread, 10000));
  EXPECT_EQ(1, received);
  EXPECT_EQ(1, sender.answer);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), AfxWaitHandlingSentMessages(::GetCurrentProcess(), 20));
  ::CloseHandle(thread);
  ::DestroyWindow(wnd);
}

}  // namespace
