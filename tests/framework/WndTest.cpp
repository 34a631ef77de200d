// Windows and their objects: bound before the first message, typed handlers and
// mapped messages, notifications handled by the control that sent them, temporary
// wrappers for windows nobody owns, and failures inside a handler reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/core/FileException.h"
#include "framework/ui/ThreadState.h"
#include "framework/ui/Wnd.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

class CRecordingWnd : public CWnd {
 public:
  CRecordingWnd() {
    m_custom = ::RegisterWindowMessageA("CoursewareTestMessage");
    MapMessage(m_custom, &CRecordingWnd::OnCustom);
    MapCommand(1, &CRecordingWnd::OnChildCommand);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    m_messages.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<UINT> m_messages;
  HWND m_hWndInOnCreate = nullptr;
  UINT m_custom;
  int m_childCommands = 0;
  bool m_throw = false;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override {
    m_hWndInOnCreate = m_hWnd;
    return CWnd::OnCreate(lpCreateStruct);
  }
  void OnTimer(UINT_PTR) override {
    if (m_throw) throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, "C:\\页.rvx");
  }

 private:
  LRESULT OnCustom(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }
  void OnChildCommand() { ++m_childCommands; }
};

// A push button whose clicks its own object handles.
class CClickCounter : public CWnd {
 public:
  CClickCounter() { MapReflectedControl(BN_CLICKED, &CClickCounter::OnClicked); }
  int m_clicks = 0;

 private:
  void OnClicked() { ++m_clicks; }
};

TEST(Wnd, IsBoundBeforeItsFirstMessages) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "窗口", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  EXPECT_EQ(wnd.m_hWnd, wnd.m_hWndInOnCreate);
  auto at = [&](UINT message) {
    return std::find(wnd.m_messages.begin(), wnd.m_messages.end(), message) - wnd.m_messages.begin();
  };
  ASSERT_LT(at(WM_NCCREATE), static_cast<ptrdiff_t>(wnd.m_messages.size()));
  EXPECT_LT(at(WM_NCCREATE), at(WM_CREATE));
  EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
  CString text;
  wnd.GetWindowText(text);
  EXPECT_STREQ("窗口", text);  // the default processing ran

  EXPECT_EQ(42, wnd.SendMessage(wnd.m_custom, 21));
  wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOPMOST);
  HWND hWnd = wnd.m_hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(Wnd, AControlHandlesItsOwnNotificationsBeforeItsParent) {
  CRecordingWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
  CClickCounter counted;
  ASSERT_TRUE(counted.Create("BUTTON", "按钮", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 20), &parent, 1));
  HWND plain = ::CreateWindowExA(0, "BUTTON", "另一个", WS_CHILD | BS_PUSHBUTTON, 0, 30, 80, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
  counted.SendMessage(BM_CLICK);
  EXPECT_EQ(1, counted.m_clicks);
  EXPECT_EQ(0, parent.m_childCommands);
  ::SendMessageA(plain, BM_CLICK, 0, 0);  // no object of its own: the parent's route has it
  EXPECT_EQ(1, counted.m_clicks);
  EXPECT_EQ(1, parent.m_childCommands);
  parent.DestroyWindow();
  EXPECT_EQ(nullptr, counted.m_hWnd);  // destroyed with its parent, unbound
}

TEST(Wnd, WindowsNobodyOwnsGetTemporaryObjects) {
  HWND plain = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CWnd* first = CWnd::FromHandle(plain);
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(first, CWnd::FromHandle(plain));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsWindow(plain));  // a temporary object never destroys its window

  CWnd attached;
  ASSERT_TRUE(attached.Attach(plain));
  EXPECT_EQ(&attached, CWnd::FromHandle(plain));
  EXPECT_EQ(plain, attached.Detach());
  EXPECT_TRUE(::IsWindow(plain));
  ::DestroyWindow(plain);
}

TEST(Wnd, AFailureInAHandlerIsReportedAndTheWindowLivesOn) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  wnd.m_throw = true;
  MessageBoxCapture box;
  wnd.SendMessage(WM_TIMER, 1);
  ASSERT_EQ(1u, box.boxes().size());
  EXPECT_NE(-1, box.boxes()[0].text.Find("磁盘已满"));
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
}

}  // namespace
