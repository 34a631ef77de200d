// The start-up splash: its font heights, its window, and its thread ending by itself.
#include <gtest/gtest.h>

#include <windows.h>

#include "editor/SplashThread.h"

namespace {

struct Found {
  HWND window = nullptr;
};

BOOL CALLBACK TakeVisible(HWND hWnd, LPARAM data) {
  if (!::IsWindowVisible(hWnd)) return TRUE;
  reinterpret_cast<Found*>(data)->window = hWnd;
  return FALSE;
}

// The splash thread started, and a handle to wait on that outlives the thread object.
struct StartedSplash {
  explicit StartedSplash(CSplashThread* thread) {
    started = thread->CreateThread(CREATE_SUSPENDED);
    if (!started) return;
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &handle, SYNCHRONIZE, FALSE, 0);
    id = thread->m_nThreadID;
    thread->ResumeThread();  // from here on the thread owns (and deletes) the object
  }
  ~StartedSplash() {
    if (handle) ::CloseHandle(handle);
  }
  BOOL started = FALSE;
  HANDLE handle = nullptr;
  DWORD id = 0;
};

}  // namespace

TEST(SplashThreadTest, FontHeightsFollowTheResolution) {
  const struct {
    int dpi, points, height;
  } rows[] = {{96, 48, -47}, {96, 12, -11}, {144, 48, -95}, {96, 8, -7}, {120, 18, -17}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.dpi << " dpi, " << row.points << " pt");
    EXPECT_EQ(CSplashThread::FontHeight(row.dpi, row.points), row.height);
  }
}

TEST(SplashThreadTest, ShowsItsPictureCentredOnTopThenEndsByItself) {
  auto* thread = new CSplashThread;
  thread->AddTextLine("Kelvane");
  StartedSplash splash(thread);
  ASSERT_TRUE(splash.started);

  Found found;
  const DWORD deadline = ::GetTickCount() + 3000;
  while (!found.window && ::GetTickCount() < deadline) {
    ::EnumThreadWindows(splash.id, TakeVisible, reinterpret_cast<LPARAM>(&found));
    if (!found.window) ::WaitForSingleObject(splash.handle, 10);
  }
  ASSERT_TRUE(found.window) << "no splash window";
  RECT r;
  ::GetWindowRect(found.window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  BITMAP picture = {};
  HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(327));
  ::GetObjectA(bitmap, sizeof picture, &picture);
  ::DeleteObject(bitmap);
  EXPECT_EQ(width, picture.bmWidth);
  EXPECT_EQ(height, picture.bmHeight);
  EXPECT_NEAR(r.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
  EXPECT_NEAR(r.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);
  EXPECT_TRUE(::GetWindowLongPtrA(found.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(::GetWindowLongPtrA(found.window, GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);

  EXPECT_EQ(::WaitForSingleObject(splash.handle, 3000), WAIT_OBJECT_0) << "the splash did not end";
  EXPECT_FALSE(::IsWindow(found.window));
}

TEST(SplashThreadTest, WithoutItsPictureThereIsNoWindowAndTheThreadEnds) {
  CSplashThread unstarted;
  unstarted.m_nBitmapId = 9999;
  EXPECT_FALSE(unstarted.InitInstance());
  EXPECT_EQ(unstarted.m_wndSplash.m_hWnd, nullptr);

  auto* thread = new CSplashThread;
  thread->m_nBitmapId = 9999;
  StartedSplash splash(thread);
  ASSERT_TRUE(splash.started);
  EXPECT_EQ(::WaitForSingleObject(splash.handle, 3000), WAIT_OBJECT_0);
}
