// The input box of text objects on a real window: where it opens and what it shows, the
// colours it answers through the reflected control-colour message, Enter handed to the
// view, and the typed text taken back into the object, as the page view's run-time
// protocol uses them. A plain view stands in for the page view.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/ui/DC.h"
#include "framework/ui/View.h"
#include "model/ColorEditWnd.h"
#include "model/DrawDoc.h"
#include "model/DrawText.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

// A top-level view that records the keys it is sent; a test may give it the page view's
// handling of Enter.
class StandInView : public CView {
 public:
  void OnDraw(CDC*) override {}
  std::vector<UINT> keysDown;
  std::vector<UINT> keysUp;
  std::function<void()> onEnter;

 protected:
  void OnKeyDown(UINT nChar, UINT, UINT) override {
    keysDown.push_back(nChar);
    if (nChar == VK_RETURN && onEnter) onEnter();
  }
  void OnKeyUp(UINT nChar, UINT, UINT) override { keysUp.push_back(nChar); }
};

// Owns the view's window; the view deletes itself when its window goes.
class ViewWindow {
 public:
  ViewWindow() : m_view(new StandInView) {
    EXPECT_TRUE(m_view->CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    m_hwnd = m_view->m_hWnd;
  }
  ~ViewWindow() {
    if (::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
  }
  ViewWindow(const ViewWindow&) = delete;
  ViewWindow& operator=(const ViewWindow&) = delete;

  StandInView* view() { return m_view; }
  HWND hwnd() const { return m_hwnd; }
  void Destroy() { ::DestroyWindow(m_hwnd); }

 private:
  StandInView* m_view;
  HWND m_hwnd = nullptr;
};

// The box's rectangle in its parent's client coordinates.
CRect BoxRect(HWND box) {
  RECT r;
  ::GetWindowRect(box, &r);
  ::MapWindowPoints(nullptr, ::GetParent(box), reinterpret_cast<POINT*>(&r), 2);
  return CRect(r.left, r.top, r.right, r.bottom);
}

CString BoxText(HWND box) {
  char text[256] = {};
  ::GetWindowTextA(box, text, sizeof text);
  return CString(text);
}

struct InputFixture {
  InputFixture() {
    host.mode = kModeRunning;
    host.document = &document;
    document.m_backColour = RGB(10, 20, 30);
    text.m_name = "answer";
    text.m_displayText = "初始";
    text.m_captionColour = RGB(200, 0, 0);
    text.m_textInput = 1;
  }
  HWND Box() const { return text.GetInputBox() ? text.GetInputBox()->m_hWnd : nullptr; }

  TestHost host;
  CDrawDoc document;
  ViewWindow window;
  CDrawText text{CRect(10, -10, 110, -40)};
};

TEST(InputBox, OpensOverTheObjectShowingItsText) {
  InputFixture f;
  EXPECT_EQ(0, f.text.OnOpen(f.window.view()));
  const HWND box = f.Box();
  ASSERT_TRUE(::IsWindow(box));
  EXPECT_EQ(f.window.hwnd(), ::GetParent(box));
  EXPECT_EQ(2222, ::GetDlgCtrlID(box));
  char cls[16] = {};
  ::GetClassNameA(box, cls, sizeof cls);
  EXPECT_STREQ("EDIT", CharUpperA(cls));
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(box, GWL_STYLE));
  EXPECT_EQ(0x50000044u, style & 0x50000044u);
  EXPECT_EQ(CRect(10, 10, 110, 40), BoxRect(box));
  EXPECT_EQ(CString("初始"), BoxText(box));
  EXPECT_EQ(box, ::GetFocus());
  EXPECT_EQ(reinterpret_cast<WPARAM>(f.text.m_editFont.GetSafeHandle()), ::SendMessageA(box, WM_GETFONT, 0, 0));
  EXPECT_NE(nullptr, f.text.m_editFont.GetSafeHandle());

  // A drag or a motion moves the open box with the object.
  f.text.SetRect(CRect(50, -20, 150, -60), f.window.view());
  EXPECT_EQ(CRect(50, 20, 150, 60), BoxRect(box));
}

TEST(InputBox, WithoutAViewNothingOpens) {
  InputFixture f;
  EXPECT_EQ(0, f.text.OnOpen(nullptr));
  EXPECT_EQ(nullptr, f.text.GetInputBox());
}

TEST(InputBox, ColoursComeThroughTheReflectedMessage) {
  const struct {
    int filled;
    COLORREF back;
  } rows[] = {{0, RGB(10, 20, 30)}, {1, RGB(0, 90, 0)}};  // the page's colour, or the fill
  for (const auto& row : rows) {
    SCOPED_TRACE(row.filled);
    InputFixture f;
    f.text.m_filled = row.filled;
    f.text.m_brush.lbColor = RGB(0, 90, 0);
    f.text.OnOpen(f.window.view());
    const HWND box = f.Box();
    ASSERT_TRUE(::IsWindow(box));

    // The edit asks its parent; the parent reflects the question to the box.
    MemoryBitmap bitmap(40, 20);
    const LRESULT answer = ::SendMessageA(f.window.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(bitmap.dc()),
                                          reinterpret_cast<LPARAM>(box));
    LOGBRUSH brush = {};
    ASSERT_EQ(static_cast<int>(sizeof brush), ::GetObjectA(reinterpret_cast<HBRUSH>(answer), sizeof brush, &brush));
    EXPECT_EQ(row.back, brush.lbColor);
    EXPECT_EQ(row.back, ::GetBkColor(bitmap.dc()));
    EXPECT_EQ(RGB(200, 0, 0), ::GetTextColor(bitmap.dc()));

    // And the box paints itself so.
    MemoryBitmap painted(100, 30);
    ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(row.back, painted.Pixel(95, 25));
  }
}

TEST(InputBox, EnterGoesToTheViewOnlyWithAKeyEvent) {
  const struct {
    DWORD triggers;
    bool forwarded;
  } rows[] = {{0, false}, {0x200, true}, {0x400, true}, {0x1, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.triggers);
    InputFixture f;
    f.text.m_displayText = "";
    f.text.m_triggerMask = row.triggers;
    f.text.OnOpen(f.window.view());
    const HWND box = f.Box();
    ASSERT_TRUE(::IsWindow(box));
    EXPECT_EQ(row.forwarded ? TRUE : FALSE, f.text.GetInputBox()->m_forwardEnter);
    ::SendMessageA(box, WM_CHAR, 'a', 1);
    ::SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::SendMessageA(box, WM_CHAR, '\r', 0x001C0001);
    ::SendMessageA(box, WM_KEYUP, VK_RETURN, 0xC01C0001);
    ::SendMessageA(box, WM_CHAR, 'b', 1);
    if (row.forwarded) {
      // The key reaches the view once down and once up; its character nowhere.
      EXPECT_EQ((std::vector<UINT>{VK_RETURN}), f.window.view()->keysDown);
      EXPECT_EQ((std::vector<UINT>{VK_RETURN}), f.window.view()->keysUp);
      EXPECT_EQ(CString("ab"), BoxText(box));
    } else {
      EXPECT_TRUE(f.window.view()->keysDown.empty());
      EXPECT_TRUE(f.window.view()->keysUp.empty());
      EXPECT_EQ(CString("a\r\nb"), BoxText(box));  // a new line in the box
    }
  }
}

TEST(InputBox, TypedTextStaysInTheObjectWhenDeselected) {
  InputFixture f;
  f.text.OnOpen(f.window.view());
  ASSERT_TRUE(::IsWindow(f.Box()));
  ::SetWindowTextW(f.Box(), L"42，北京");
  const HWND box = f.Box();
  f.text.OnDeselect(f.window.view());
  EXPECT_EQ(CString("42，北京"), f.text.m_displayText);
  EXPECT_EQ(nullptr, f.text.GetInputBox());
  EXPECT_FALSE(::IsWindow(box));
  // Closing a closed box changes nothing.
  f.text.OnDeselect(f.window.view());
  EXPECT_EQ(CString("42，北京"), f.text.m_displayText);
}

TEST(InputBox, OpeningAgainKeepsWhatWasTyped) {
  InputFixture f;
  f.text.OnOpen(f.window.view());
  ::SetWindowTextA(f.Box(), "typed");
  f.text.OnOpen(f.window.view());
  ASSERT_TRUE(::IsWindow(f.Box()));
  EXPECT_EQ(CString("typed"), BoxText(f.Box()));
  EXPECT_EQ(CString("typed"), f.text.m_displayText);
}

TEST(InputBox, RunBracketAndResetDiscardTheTypedText) {
  InputFixture f;
  f.text.OnOpen(f.window.view());
  ::SetWindowTextA(f.Box(), "typed");
  f.text.SavePlayState(nullptr, nullptr);
  EXPECT_EQ(nullptr, f.text.GetInputBox());
  EXPECT_EQ(CString("初始"), f.text.m_displayText);

  f.text.OnOpen(f.window.view());
  ::SetWindowTextA(f.Box(), "typed");
  f.text.RestorePlayState(nullptr);
  EXPECT_EQ(nullptr, f.text.GetInputBox());
  EXPECT_EQ(CString("初始"), f.text.m_displayText);

  f.text.OnOpen(f.window.view());
  f.text.ResetPropertyPage(0, nullptr);
  EXPECT_EQ(nullptr, f.text.GetInputBox());
}

TEST(InputBox, ViewClosingTheBoxOnEnterFiresTheKeyEventWithTheTypedText) {
  InputFixture f;
  CDrawText target(CRect(0, 0, 10, -10));
  target.m_name = "target";
  CMethod go;
  go.m_nType = CMethod::typePageSwitch;
  go.m_strName = "go";
  go.m_nMode = 1;  // goes to the page the user typed
  target.m_actions.Add(go);
  f.host.document = nullptr;  // the page is the list below
  f.host.objects = {&f.text, &target};
  CHPEvent event;
  event.m_nTrigger = 0x200;
  event.m_nKey = VK_RETURN;
  event.m_strObject = "target";
  event.m_strAbility = "go";
  f.text.m_events.Add(event);
  f.text.m_triggerMask = 0x200;
  // As the page view does: Enter closes the box, then drives the object.
  f.window.view()->onEnter = [&] {
    f.text.OnDeselect(f.window.view());
    f.text.Drive(9, 40, 0, 0, VK_RETURN, f.text.m_displayText, nullptr, nullptr);
  };
  f.text.OnOpen(f.window.view());
  const HWND box = f.Box();
  ::SetWindowTextA(box, "page7");
  ::SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);  // the box is gone when this returns
  EXPECT_FALSE(::IsWindow(box));
  EXPECT_EQ(nullptr, f.text.GetInputBox());
  EXPECT_EQ(CString("page7"), f.text.m_displayText);
  EXPECT_EQ(CString("page7"), target.m_actions[0].m_strSource);
  EXPECT_EQ(38, target.m_actions[0].m_nActivation);
}

TEST(InputBox, ViewGoneFirstLeavesTheObjectsText) {
  InputFixture f;
  f.text.OnOpen(f.window.view());
  ::SetWindowTextA(f.Box(), "lost with its window");
  f.window.Destroy();
  f.text.OnDeselect(nullptr);
  EXPECT_EQ(CString("初始"), f.text.m_displayText);
  EXPECT_EQ(nullptr, f.text.GetInputBox());
}

TEST(InputBox, DeletingTheObjectClosesItsBox) {
  InputFixture f;
  auto other = std::make_unique<CDrawText>(CRect(0, 0, 50, -20));
  other->OnOpen(f.window.view());
  const HWND box = other->GetInputBox()->m_hWnd;
  ASSERT_TRUE(::IsWindow(box));
  other.reset();
  EXPECT_FALSE(::IsWindow(box));
}

}  // namespace
