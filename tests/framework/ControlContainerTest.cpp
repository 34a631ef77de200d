// ActiveX controls hosted in windows: the test control (tests/controls) created in
// process, activated in place as a child of its parent and bound to its window object;
// moved, shown, walked by the pre-translation and closed through it; dispatch calls
// with typed arguments and results; its events routed by control id and dispatch id
// to typed handlers; failures leave nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ole/OleControlSite.h"
#include "framework/ui/Wnd.h"
#include "tests/support/TestControlHost.h"

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A parent that takes the state and text events of control 2003.
class CEventParent : public CWnd {
 public:
  CEventParent() {
    MapEvent(2003, 1013, &CEventParent::OnState);
    MapEvent(2003, 7, &CEventParent::OnCommand);
    MapEvent(2004, 1013, &CEventParent::OnOtherState);
  }
  std::vector<long> m_states;
  std::vector<std::string> m_commands;
  int m_otherStates = 0;

 private:
  void OnState(long state) { m_states.push_back(state); }
  void OnCommand(CString command, short args) {
    m_commands.push_back(std::string(command) + "/" + std::to_string(args));
  }
  void OnOtherState(long) { ++m_otherStates; }
};

// A control window that handles one event itself and records what the walk offers it.
class CHostedControl : public CWnd {
 public:
  CHostedControl() { MapEvent(2003, 1020, &CHostedControl::OnStopSignal); }
  int m_stopSignals = 0;
  std::vector<UINT> m_pretranslated;
  BOOL PreTranslateMessage(MSG* pMsg) override {
    m_pretranslated.push_back(pMsg->message);
    return FALSE;
  }

 private:
  void OnStopSignal() { ++m_stopSignals; }
};

class ControlContainer : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    ASSERT_TRUE(testcontrol::Register());
    testcontrol::Reset();
    ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "容器", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200,
                                  nullptr, nullptr));
  }
  void TearDown() override {
    m_parent.DestroyWindow();
    ::OleUninitialize();
  }
  BOOL Create(CWnd& control, UINT nID = 2003, DWORD style = WS_CHILD | WS_VISIBLE) {
    return control.CreateControl(CLSID_TestControl, "Test", style, CRect(10, 20, 110, 70), &m_parent, nID);
  }
  CRect PlaceInParent(const CWnd& control) const {
    CRect rect;
    control.GetWindowRect(&rect);
    m_parent.ScreenToClient(&rect);
    return rect;
  }

  CEventParent m_parent;
};

TEST_F(ControlContainer, CreatesTheControlInPlaceAndBindsItsWindow) {
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  EXPECT_EQ(control.m_hWnd, testcontrol::Window());
  EXPECT_EQ(&control, CWnd::FromHandlePermanent(control.m_hWnd));
  EXPECT_EQ(m_parent.m_hWnd, ::GetParent(control.m_hWnd));
  EXPECT_EQ(2003, control.GetDlgCtrlID());
  EXPECT_EQ(CRect(10, 20, 110, 70), PlaceInParent(control));
  EXPECT_TRUE(control.IsWindowVisible());
  const std::vector<std::string> log = testcontrol::Log();
  // The site comes first (the control asks for it), the control sees a running
  // container, the sink is connected before activation.
  const std::vector<std::string> expected = {"Created", "SetClientSite", "UserMode 1", "Advise", "DoVerb -5",
                                             "InPlaceActive 10 20 110 70"};
  EXPECT_EQ(expected, log);
}

TEST_F(ControlContainer, ClosingReleasesTheControlAndItsWindow) {
  for (bool byDestroyWindow : {true, false}) {
    SCOPED_TRACE(byDestroyWindow ? "DestroyWindow" : "destructor");
    testcontrol::Reset();
    HWND hWnd = nullptr;
    {
      CHostedControl control;
      ASSERT_TRUE(Create(control));
      hWnd = control.m_hWnd;
      if (byDestroyWindow) {
        EXPECT_TRUE(control.DestroyWindow());
        EXPECT_EQ(nullptr, control.m_hWnd);
        EXPECT_EQ(nullptr, control.GetControlSite());
      }
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(0, testcontrol::Live());
    const std::vector<std::string> log = testcontrol::Log();
    const std::vector<std::string> expected = {"Unadvise", "InPlaceDeactivate", "Close", "SetClientSite null",
                                               "Destroyed"};
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(expected, std::vector<std::string>(log.end() - expected.size(), log.end()));
  }
}

TEST_F(ControlContainer, ParentDestroyedFirstStillClosesCleanly) {
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  m_parent.DestroyWindow();
  EXPECT_EQ(nullptr, control.m_hWnd);
  EXPECT_EQ(1, testcontrol::Live());
  control.DestroyWindow();
  EXPECT_EQ(0, testcontrol::Live());
}

TEST_F(ControlContainer, FailuresAnswerFalseAndLeaveNothing) {
  struct Row {
    const char* name;
    CLSID clsid;
    bool failActivation;
  };
  const CLSID missing = {0x0f3998cf, 0xff72, 0x4069, {0x93, 0xd0, 0x69, 0xab, 0x50, 0x96, 0xfe, 0x20}};
  for (const Row& row : {Row{"class not registered", missing, false},
                         Row{"activation fails", CLSID_TestControl, true}}) {
    SCOPED_TRACE(row.name);
    testcontrol::Reset();
    testcontrol::FailActivation(row.failActivation);
    CHostedControl control;
    EXPECT_FALSE(control.CreateControl(row.clsid, "Test", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_parent, 5));
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_EQ(nullptr, control.GetControlSite());
    EXPECT_EQ(nullptr, ::GetWindow(m_parent.m_hWnd, GW_CHILD));
    EXPECT_EQ(0, testcontrol::Live());
    long marker = 77;
    EXPECT_EQ(E_UNEXPECTED, control.InvokeHelper(260, DISPATCH_PROPERTYGET, VT_I4, &marker));
    EXPECT_EQ(77, marker);
  }
  // A window already made is not made again.
  testcontrol::FailActivation(false);
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  EXPECT_FALSE(Create(control));
  EXPECT_EQ(1, testcontrol::Live());
}

TEST_F(ControlContainer, MovesAndShowingGoThroughTheControl) {
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  control.MoveWindow(30, 40, 50, 60);
  EXPECT_TRUE(Contains(testcontrol::Log(), "SetObjectRects 30 40 80 100"));
  EXPECT_EQ(CRect(30, 40, 80, 100), PlaceInParent(control));
  control.SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(CRect(5, 6, 55, 66), PlaceInParent(control));
  control.ShowWindow(SW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(testcontrol::Window()));

  CHostedControl hidden;
  ASSERT_TRUE(Create(hidden, 2004, WS_CHILD));
  EXPECT_FALSE(hidden.IsWindowVisible());
}

TEST_F(ControlContainer, PreTranslateWalkReachesTheControlWindow) {
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  MSG msg = {control.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5)};
  EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_parent.m_hWnd, &msg));
  EXPECT_EQ(std::vector<UINT>{WM_LBUTTONDOWN}, control.m_pretranslated);
}

TEST_F(ControlContainer, InvokeHelperPassesTypedArgumentsAndResults) {
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  testcontrol::Reset();
  EXPECT_EQ(S_OK, control.InvokeHelper(135, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {0}));
  EXPECT_EQ(S_OK, control.InvokeHelper(227, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {short(99)}));
  EXPECT_EQ(S_OK, control.InvokeHelper(231, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {true}));
  EXPECT_EQ(S_OK, control.InvokeHelper(102, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {"C:\\影片\\片头.swf"}));
  EXPECT_EQ(S_OK, control.InvokeHelper(0x70, DISPATCH_METHOD, VT_EMPTY, nullptr));
  EXPECT_EQ(S_OK, control.InvokeHelper(9, DISPATCH_METHOD, VT_EMPTY, nullptr, {CString("甲"), 3L}));
  const std::vector<std::string> expected = {"put 135 I4 0",     "put 227 I2 99", "put 231 BOOL 1",
                                             "put 102 BSTR C:\\影片\\片头.swf", "call 112",
                                             "call 9 BSTR 甲 I4 3"};
  EXPECT_EQ(expected, testcontrol::Calls());

  testcontrol::SetAnswer(260, 4);
  testcontrol::SetAnswer(230, 1);
  long state = -1;
  short small = -1;
  BOOL truth = FALSE;
  CString text;
  EXPECT_EQ(S_OK, control.InvokeHelper(260, DISPATCH_PROPERTYGET, VT_I4, &state));
  EXPECT_EQ(S_OK, control.InvokeHelper(260, DISPATCH_PROPERTYGET, VT_I2, &small));
  EXPECT_EQ(S_OK, control.InvokeHelper(230, DISPATCH_PROPERTYGET, VT_BOOL, &truth));
  EXPECT_EQ(S_OK, control.InvokeHelper(260, DISPATCH_PROPERTYGET, VT_BSTR, &text));
  EXPECT_EQ(4, state);
  EXPECT_EQ(4, small);
  EXPECT_TRUE(truth);
  EXPECT_EQ("4", std::string(text));

  // The control's failure comes back, the result is left alone.
  testcontrol::FailCall(269);
  long marker = 77;
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, control.InvokeHelper(269, DISPATCH_PROPERTYGET, VT_I4, &marker));
  EXPECT_EQ(77, marker);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, control.InvokeHelper(269, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {0}));
}

TEST_F(ControlContainer, EventsReachTheHandlerMappedForControlAndDispatchId) {
  CHostedControl control;
  ASSERT_TRUE(Create(control));
  testcontrol::Fire(1013, {4});
  testcontrol::Fire(1013, {0});
  testcontrol::Fire(1020);
  testcontrol::FireText(7, L"下一页", 12);
  testcontrol::Fire(555, {1});  // nobody's
  EXPECT_EQ((std::vector<long>{4, 0}), m_parent.m_states);
  EXPECT_EQ(1, control.m_stopSignals);
  EXPECT_EQ(std::vector<std::string>{"下一页/12"}, m_parent.m_commands);
  EXPECT_EQ(0, m_parent.m_otherStates);

  // The same events from a control with another id go to that id's handlers.
  CHostedControl other;
  ASSERT_TRUE(Create(other, 2004));
  testcontrol::Fire(1013, {2});
  testcontrol::Fire(1020);
  EXPECT_EQ(1, m_parent.m_otherStates);
  EXPECT_EQ(2u, m_parent.m_states.size());
  EXPECT_EQ(1, control.m_stopSignals);
}

}  // namespace
