// A user-interface thread runs its own loop for its own main window and ends, deleting
// itself, when that window is destroyed.
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

}  // namespace
