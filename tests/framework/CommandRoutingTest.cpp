// Commands reach the view, then its document, then the frame, then the application;
// update handlers disable commands in menus, toolbars and accelerators; the loop does
// its idle updates and ends with the main window.
#include <gtest/gtest.h>

#include "framework/ui/Menu.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/framework/UiTestClasses.h"

namespace {

using Log = std::vector<std::string>;

TEST_F(UiAppTest, ACommandGoesToTheFirstTargetOnTheRouteThatHandlesIt) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  const struct {
    UINT id;
    Log expected;
  } rows[] = {
      {ID_TEST_VIEW_AND_FRAME, {"view"}},  // the view before the frame
      {ID_TEST_VIEW_ONLY, {"view"}},
      {ID_TEST_DOC_ONLY, {"doc"}},
      {ID_TEST_FRAME_ONLY, {"frame"}},
      {ID_TEST_APP_ONLY, {"app"}},
      {ID_TEST_UNHANDLED, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    UiLog().clear();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(row.id, 0), 0);
    EXPECT_EQ(row.expected, UiLog());
  }
}

TEST_F(UiAppTest, ACommandItsUpdateHandlerDisablesDoesNotRunFromMenuOrAccelerator) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_DISABLED, 0), 0);  // as a menu sends it
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_DISABLED, 1), 0);  // as an accelerator does
  EXPECT_EQ(Log{}, UiLog());

  // Keys through the loop: F5 is the accelerator of a disabled command, F6 of an
  // enabled one; both are posted to the view, the frame translates them.
  CWnd* view = ActiveView();
  view->PostMessage(WM_KEYDOWN, VK_F5, 0x003F0001);
  view->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
  PumpMessages(*app);
  EXPECT_EQ(Log{"view"}, UiLog());

  // The same accelerator once the update handler disables its command.
  UiLog().clear();
  CTestUiView::s_enableViewCommand = FALSE;
  view->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
  PumpMessages(*app);
  EXPECT_EQ(Log{}, UiLog());
}

TEST_F(UiAppTest, NotificationsFromABarReachTheActiveView) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  NMHDR header = {nullptr, 139, 0x1000};
  EXPECT_EQ(1, frame->SendMessage(WM_NOTIFY, 139, reinterpret_cast<LPARAM>(&header)));
  EXPECT_EQ(Log{"view notified"}, UiLog());
}

TEST_F(UiAppTest, MenusAreUpdatedWhenTheyDropDown) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(frame->CreateBars());
  CMenu* menu = frame->GetMenu();
  ASSERT_NE(nullptr, menu);
  CMenu* view = menu->GetSubMenu(1);
  CMenu* test = menu->GetSubMenu(2);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(test->m_hMenu), 2);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view->m_hMenu), 1);

  const struct {
    CMenu* menu;
    UINT id;
    bool grayed;
    bool checked;
  } rows[] = {
      {test, ID_TEST_VIEW_ONLY, false, false},
      {test, ID_TEST_DISABLED, true, false},   // its update handler disables it
      {test, ID_TEST_UNHANDLED, true, false},  // nobody handles it
      {view, ID_VIEW_TOOLBAR, false, true},    // the bar is visible
      {view, ID_VIEW_STATUS_BAR, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    const UINT state = row.menu->GetMenuState(row.id, MF_BYCOMMAND);
    EXPECT_EQ(row.grayed, (state & MF_GRAYED) != 0);
    EXPECT_EQ(row.checked, (state & MF_CHECKED) != 0);
  }

  frame->ShowControlBar(&frame->m_toolBar, FALSE, FALSE);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view->m_hMenu), 1);
  EXPECT_EQ(0u, view->GetMenuState(ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(UiAppTest, ToolbarButtonsAreUpdatedAtIdleTime) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(frame->CreateBars());
  CToolBarCtrl& buttons = frame->m_toolBar.GetToolBarCtrl();

  CTestUiView::s_enableViewCommand = FALSE;
  app->m_quitWhenIdle = TRUE;
  EXPECT_EQ(0, app->Run());
  EXPECT_FALSE(buttons.IsButtonEnabled(ID_TEST_VIEW_ONLY));  // disabled by its update handler
  EXPECT_TRUE(buttons.IsButtonEnabled(ID_TEST_FRAME_ONLY));  // the frame handles it
  EXPECT_FALSE(buttons.IsButtonEnabled(ID_TEST_UNHANDLED));  // nobody handles it

  CTestUiView::s_enableViewCommand = TRUE;
  EXPECT_EQ(0, app->Run());
  EXPECT_TRUE(buttons.IsButtonEnabled(ID_TEST_VIEW_ONLY));
}

TEST_F(UiAppTest, TheLoopEndsWhenTheMainWindowIsDestroyed) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  frame->PostMessage(WM_COMMAND, ID_APP_EXIT);  // closes the unmodified document and its frame
  EXPECT_EQ(0, app->Run());
  EXPECT_EQ(nullptr, app->m_pMainWnd);
}

TEST_F(UiAppTest, TheLoopReturnsTheQuitCode) {
  ASSERT_NE(nullptr, NewDocumentFrame());
  ::PostQuitMessage(7);
  EXPECT_EQ(7, app->Run());
}

TEST_F(UiAppTest, WithoutAMainWindowTheLoopEndsAtOnce) { EXPECT_EQ(0, app->Run()); }

TEST_F(UiAppTest, ClosingTheFrameAsksToSaveAndCanBeCancelled) {
  CTestUiFrame* frame = NewDocumentFrame();
  ASSERT_NE(nullptr, frame);
  ActiveDocument()->SetModifiedFlag();
  {
    MessageBoxCapture box(IDCANCEL);
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, box.boxes().size());
    EXPECT_NE(-1, box.boxes()[0].text.Find("测试页"));
  }
  EXPECT_EQ(frame, app->m_pMainWnd);
  {
    MessageBoxCapture box(IDNO);
    frame->SendMessage(WM_CLOSE);
  }
  EXPECT_EQ(nullptr, app->m_pMainWnd);
}

}  // namespace
