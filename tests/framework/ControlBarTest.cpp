// Bars at the frame's edges: docked toolbars in rows, the status bar at the bottom,
// the view in what is left; hiding a bar gives its place back and clears its menu
// check.
#include <gtest/gtest.h>

#include "tests/framework/UiTestClasses.h"

namespace {

// A window's rectangle in its parent's client coordinates.
CRect Placement(const CWnd& wnd) {
  CRect rect;
  wnd.GetWindowRect(&rect);
  ::MapWindowPoints(nullptr, ::GetParent(wnd.m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
  return rect;
}

int MenuCheck(CFrameWnd* frame, UINT id) {
  CTestCmdUI probe(id);
  frame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  return probe.m_nCheck;
}

class ControlBarTest : public UiAppTest {
 protected:
  void SetUp() override {
    UiAppTest::SetUp();
    frame = NewDocumentFrame();
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(frame->CreateBars());
    frame->GetClientRect(&client);
  }

  CTestUiFrame* frame = nullptr;
  CRect client;
};

TEST_F(ControlBarTest, BarsTakeTheEdgesAndTheViewTheRest) {
  const CRect top = Placement(frame->m_toolBar);
  const CRect side = Placement(frame->m_sideBar);
  const CRect status = Placement(frame->m_statusBar);
  const CRect view = Placement(*frame->GetActiveView());

  // The toolbar: one row at the top, as long as its buttons.
  EXPECT_EQ(client.top, top.top);
  EXPECT_EQ(client.left, top.left);
  EXPECT_GT(top.Width(), 3 * 16);
  EXPECT_LT(top.Width(), client.Width() / 2);
  EXPECT_GT(top.Width(), top.Height());
  EXPECT_EQ(top, frame->GetDockAreaRect(AFX_IDW_DOCKBAR_TOP) & top);
  EXPECT_EQ(top.Height(), frame->GetDockAreaRect(AFX_IDW_DOCKBAR_TOP).Height());
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_TOP), frame->m_toolBar.GetDockBarID());
  EXPECT_EQ(CBRS_ALIGN_TOP, frame->m_toolBar.GetBarStyle() & CBRS_ALIGN_ANY);

  // The status bar: the whole width at the bottom.
  EXPECT_EQ(client.bottom, status.bottom);
  EXPECT_EQ(client.left, status.left);
  EXPECT_EQ(client.right, status.right);
  EXPECT_GT(status.Height(), 10);

  // The side bar: one column on the left, between the top row and the status bar.
  EXPECT_EQ(client.left, side.left);
  EXPECT_EQ(top.bottom, side.top);
  EXPECT_GT(side.Height(), side.Width());
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), frame->m_sideBar.GetDockBarID());

  EXPECT_EQ(CRect(side.right, top.bottom, client.right, status.top), view);
}

TEST_F(ControlBarTest, HidingABarGivesItsPlaceToTheView) {
  const CRect viewBefore = Placement(*frame->GetActiveView());
  const CRect top = Placement(frame->m_toolBar);
  const CRect side = Placement(frame->m_sideBar);
  const CRect status = Placement(frame->m_statusBar);
  const struct {
    UINT command;
    CControlBar* bar;
    CRect viewWithout;
  } rows[] = {
      {ID_VIEW_TOOLBAR, &frame->m_toolBar, CRect(side.right, client.top, client.right, status.top)},
      {ID_TEST_SIDEBAR_BAR, &frame->m_sideBar, CRect(client.left, top.bottom, client.right, status.top)},
      {ID_VIEW_STATUS_BAR, &frame->m_statusBar, CRect(side.right, top.bottom, client.right, client.bottom)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.command);
    EXPECT_EQ(1, MenuCheck(frame, row.command));
    frame->SendMessage(WM_COMMAND, row.command);
    EXPECT_FALSE(row.bar->IsVisible());
    EXPECT_EQ(0, MenuCheck(frame, row.command));
    EXPECT_EQ(row.viewWithout, Placement(*frame->GetActiveView()));
    frame->SendMessage(WM_COMMAND, row.command);
    EXPECT_TRUE(row.bar->IsVisible());
    EXPECT_EQ(1, MenuCheck(frame, row.command));
    EXPECT_EQ(viewBefore, Placement(*frame->GetActiveView()));
  }
  EXPECT_EQ(&frame->m_sideBar, frame->GetControlBar(ID_TEST_SIDEBAR_BAR));
  EXPECT_EQ(nullptr, frame->GetControlBar(ID_TEST_UNHANDLED));
}

TEST_F(ControlBarTest, ABarDockedAtAPointJoinsThatRow) {
  const CRect top = Placement(frame->m_toolBar);
  // Just right of the toolbar, in its row.
  CRect where(top.right + 5, top.top + 2, top.right + 50, top.bottom);
  frame->ClientToScreen(&where);
  frame->m_sideBar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&frame->m_sideBar, AFX_IDW_DOCKBAR_TOP, &where);

  const CRect side = Placement(frame->m_sideBar);
  EXPECT_EQ(top.top, side.top);
  EXPECT_EQ(top.right, side.left);
  EXPECT_GT(side.Width(), side.Height());  // laid out along the row now
  EXPECT_EQ(top.Height(), frame->GetDockAreaRect(AFX_IDW_DOCKBAR_TOP).Height());
  EXPECT_EQ(0, frame->GetDockAreaRect(AFX_IDW_DOCKBAR_LEFT).Width());
  EXPECT_EQ(top.bottom, Placement(*frame->GetActiveView()).top);
  EXPECT_EQ(client.left, Placement(*frame->GetActiveView()).left);
}

TEST_F(ControlBarTest, TheFrameFollowsItsSize) {
  frame->MoveWindow(0, 0, 640, 480);
  CRect smaller;
  frame->GetClientRect(&smaller);
  EXPECT_EQ(smaller.right, Placement(frame->m_statusBar).right);
  EXPECT_EQ(smaller.bottom, Placement(frame->m_statusBar).bottom);
  EXPECT_EQ(smaller.right, Placement(*frame->GetActiveView()).right);
}

TEST_F(ControlBarTest, PromptsAndTipsComeFromTheCommandsStrings) {
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_VIEW_ONLY, MF_STRING), 0);
  EXPECT_STREQ("视图处理的命令", frame->m_statusBar.GetPaneText(0));
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
  EXPECT_STREQ("就绪", frame->m_statusBar.GetPaneText(0));
  EXPECT_STREQ("指示器", frame->m_statusBar.GetPaneText(1));

  NMTTDISPINFOA tip = {};
  tip.hdr.hwndFrom = frame->m_toolBar.GetToolBarCtrl().GetToolTips();
  tip.hdr.idFrom = ID_TEST_FRAME_ONLY;
  tip.hdr.code = TTN_GETDISPINFOA;
  frame->SendMessage(WM_NOTIFY, ID_TEST_FRAME_ONLY, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ("框架命令", tip.lpszText);
}

}  // namespace

TEST_F(ControlBarTest, AToolbarFloatsAndDocksByItsGripper) {
  CToolBar& bar = frame->m_toolBar;
  CRect window;
  bar.GetWindowRect(&window);
  const CPoint gripper(window.left + 3, window.top + window.Height() / 2);
  ASSERT_EQ(HTCAPTION, bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(gripper.x, gripper.y)));

  bar.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(gripper.x, gripper.y));
  ASSERT_TRUE(bar.IsFloating());
  HWND floating = ::GetParent(bar.m_hWnd);
  EXPECT_EQ(frame->m_hWnd, ::GetWindow(floating, GW_OWNER));
  EXPECT_TRUE(::IsWindowVisible(floating));
  // The bar fills its frame, which is as large as the bar wants, or as the system's
  // least window where the bar is smaller.
  CRect inside, barWindow;
  ::GetClientRect(floating, &inside);
  bar.GetWindowRect(&barWindow);
  const CSize wanted = bar.CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  EXPECT_EQ(barWindow.Size(), inside.Size());
  EXPECT_GE(inside.Width(), wanted.cx);
  EXPECT_EQ(inside.Height(), wanted.cy);
  // The top row is empty now: the view takes it.
  EXPECT_EQ(client.top, Placement(*frame->GetActiveView()).top);

  // Hidden and shown with its frame; its commands stay the frame's.
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
  EXPECT_FALSE(::IsWindowVisible(floating));
  EXPECT_EQ(0, MenuCheck(frame, ID_VIEW_TOOLBAR));
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
  EXPECT_TRUE(::IsWindowVisible(floating));

  CRect caption;
  ::GetWindowRect(floating, &caption);
  ::SendMessageA(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(caption.left + 10, caption.top + 4));
  EXPECT_FALSE(::IsWindow(floating));
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_TOP), bar.GetDockBarID());
  EXPECT_EQ(frame->m_hWnd, ::GetParent(bar.m_hWnd));
  EXPECT_EQ(client.top, Placement(bar).top);
}
