// The main frame: its bars, full screen, the selection's styles and colours, dropped
// files and help.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <vector>

#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "graphics/Picture.h"
#include "model/DrawRect.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/TempFolder.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

// The command ids of a toolbar's buttons in order, 0 for a separator.
std::vector<UINT> Buttons(CToolBar& bar) {
  std::vector<UINT> ids;
  const int count = bar.GetToolBarCtrl().GetButtonCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    bar.GetToolBarCtrl().GetButton(i, &button);
    ids.push_back((button.fsStyle & TBSTYLE_SEP) ? 0u : static_cast<UINT>(button.idCommand));
  }
  return ids;
}

BOOL Visible(CMainFrame* frame, UINT id) {
  CControlBar* bar = frame->GetControlBar(id);
  return bar && bar->IsVisible();
}

// What the menu or a button would show for the command: enabled, and checked (1) or not.
CTestCmdUI Probe(CFrameWnd* frame, UINT id) {
  CTestCmdUI probe(id);
  probe.DoUpdate(frame, TRUE);
  return probe;
}

void Command(CFrameWnd* frame, UINT id) { frame->SendMessage(WM_COMMAND, id, 0); }

// A DROPFILES block with these files, as the shell hands one over.
HDROP MakeDrop(const std::vector<CString>& files) {
  std::string names;
  for (const CString& f : files) names += f.str() + '\0';
  names += '\0';
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

// A 4 x 4 blue bitmap file.
std::vector<BYTE> TinyBmp() {
  std::vector<BYTE> file(14 + 40 + 4 * 4 * 4, 0);
  auto put32 = [&](size_t at, DWORD v) { memcpy(&file[at], &v, 4); };
  auto put16 = [&](size_t at, WORD v) { memcpy(&file[at], &v, 2); };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<DWORD>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 4);
  put32(22, 4);
  put16(26, 1);
  put16(28, 32);
  for (size_t i = 54; i < file.size(); i += 4) file[i] = 0xFF;  // blue
  return file;
}

}  // namespace

using MainFrameTest = EditorTest;

TEST_F(MainFrameTest, BarsHoldTheirButtonsAndStandWhereTheyDock) {
  CMainFrame* frame = NewPage();
  ASSERT_TRUE(frame);
  EXPECT_EQ(Buttons(frame->m_wndToolBar),
            (std::vector<UINT>{57600, 57601, 57603, 57607, 0, 57635, 57634, 57637, 57643, 57644, 0, 32915, 32916,
                               32929, 32930, 32922, 32804, 32805, 32802, 32803, 0, 32968, 32958, 0, 32819, 32808,
                               32896, 0, 32919, 0, 57667}));
  EXPECT_EQ(Buttons(frame->m_wndAlignBar), (std::vector<UINT>{32945, 32946, 32947, 32948, 32956, 0, 32949, 32950, 0,
                                                              32951, 32952, 0, 32953, 32954, 32955}));
  EXPECT_EQ(frame->m_wndToolBar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(frame->m_wndAlignBar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
  EXPECT_TRUE(Visible(frame, ID_VIEW_STANDARD_BAR));
  EXPECT_TRUE(Visible(frame, ID_VIEW_STATUS));
  EXPECT_FALSE(Visible(frame, ID_VIEW_ALIGN_BAR));
  EXPECT_FALSE(Visible(frame, ID_VIEW_PROPERTY_BAR));
  EXPECT_TRUE(Visible(frame, ID_VIEW_PROGRAMME_BAR));
  EXPECT_EQ(frame->m_wndPropertyBar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_RIGHT));
  EXPECT_EQ(frame->m_wndProgrammeBar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
  // Each toolbar's images come in an image list of its own.
  EXPECT_EQ(ImageList_GetImageCount(frame->m_wndToolBar.GetToolBarCtrl().GetImageList()), 25);
  EXPECT_EQ(ImageList_GetImageCount(frame->m_wndAlignBar.GetToolBarCtrl().GetImageList()), 12);

  CStatusBar& status = frame->GetStatusBar();
  ASSERT_EQ(status.GetCount(), 4);
  const UINT ids[] = {ID_SEPARATOR, 300, 301, 302};
  for (int i = 0; i < 4; ++i) {
    UINT id, style;
    int width;
    status.GetPaneInfo(i, id, style, width);
    EXPECT_EQ(id, ids[i]);
    EXPECT_EQ(width, i == 0 ? 180 : 80);
    EXPECT_EQ((style & SBPS_STRETCH) != 0, i == 0);
  }
}

TEST_F(MainFrameTest, EachBarShowsAndHidesWithItsCheckedCommand) {
  CMainFrame* frame = NewPage();
  for (UINT id : {ID_VIEW_STANDARD_BAR, ID_VIEW_STATUS, ID_VIEW_ALIGN_BAR, ID_VIEW_PROPERTY_BAR,
                  ID_VIEW_PROGRAMME_BAR, ID_VIEW_EFFECT_BAR, ID_VIEW_TOOLBOX, ID_VIEW_FORMAT_BAR}) {
    SCOPED_TRACE(id);
    const BOOL before = Visible(frame, id);
    EXPECT_EQ(Probe(frame, id).m_nCheck, before ? 1 : 0);
    Command(frame, id);
    EXPECT_EQ(Visible(frame, id), !before);
    EXPECT_EQ(Probe(frame, id).m_nCheck, before ? 0 : 1);
    Command(frame, id);
    EXPECT_EQ(Visible(frame, id), before);
  }
}

TEST_F(MainFrameTest, FullScreenAndBackRestoresBarsMenuAndCaption) {
  CMainFrame* frame = NewPage();
  Command(frame, ID_VIEW_STATUS);  // hidden before
  ASSERT_FALSE(Visible(frame, ID_VIEW_STATUS));
  const HMENU menu = ::GetMenu(frame->m_hWnd);
  ASSERT_TRUE(menu);
  std::vector<BOOL> before;
  for (UINT id : CMainFrame::kSavedBars) before.push_back(Visible(frame, id));

  EXPECT_TRUE(Probe(frame, ID_VIEW_FULL_SCREEN).m_bEnabled);
  Command(frame, ID_VIEW_FULL_SCREEN);
  EXPECT_TRUE(frame->IsFullScreen());
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  EXPECT_FALSE(frame->GetStyle() & WS_CAPTION);
  for (UINT id : CMainFrame::kSavedBars) EXPECT_FALSE(Visible(frame, id)) << id;
  CRect r;
  frame->GetWindowRect(&r);
  const int cxb = ::GetSystemMetrics(SM_CXBORDER), cyb = ::GetSystemMetrics(SM_CYBORDER);
  EXPECT_EQ(r.left, -4 * cxb);
  EXPECT_EQ(r.top, -4 * cyb);
  EXPECT_EQ(r.Width(), ::GetSystemMetrics(SM_CXSCREEN) + 16 * cxb);
  EXPECT_EQ(r.Height(), ::GetSystemMetrics(SM_CYSCREEN) + 16 * cyb);

  Command(frame, ID_VIEW_FULL_SCREEN);
  EXPECT_FALSE(frame->IsFullScreen());
  EXPECT_EQ(::GetMenu(frame->m_hWnd), menu);
  EXPECT_EQ(frame->GetStyle() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  std::vector<BOOL> after;
  for (UINT id : CMainFrame::kSavedBars) after.push_back(Visible(frame, id));
  EXPECT_EQ(after, before);
}

TEST_F(MainFrameTest, AFrameClosedInFullScreenTakesItsMenuAlong) {
  CMainFrame* frame = NewPage();
  const HMENU menu = ::GetMenu(frame->m_hWnd);
  Command(frame, ID_VIEW_FULL_SCREEN);
  frame->DestroyWindow();
  EXPECT_FALSE(::IsMenu(menu));
}

TEST_F(MainFrameTest, StyleCommandsActOnTheSelection) {
  CMainFrame* frame = NewPage();
  CDrawObj* a = AddObject(CRect(-100, 50, -20, -50), "a");
  CDrawObj* b = AddObject(CRect(10, 50, 90, -50), "b");
  CDrawObj* other = AddObject(CRect(200, 50, 260, -50), "other");
  View()->Select(a);
  View()->Select(b, TRUE);
  Doc()->SetModifiedFlag(FALSE);

  const struct Row {
    const char* what;
    UINT command;
    int lineWidth;
    int (*field)(CDrawObj*);
    int expected;  // on the selected objects
  } rows[] = {
      {"dot", ID_DASH_STYLE_DOT, 1, [](CDrawObj* o) { return static_cast<int>(o->m_pen.lopnStyle); }, 2},
      {"start cap triangle", 32860, 1, [](CDrawObj* o) { return o->m_startCap; }, 3},
      {"end cap arrow", 32873, 1, [](CDrawObj* o) { return o->m_endCap; }, 20},
      {"dash cap triangle", ID_DASH_CAP_TRIANGLE, 1, [](CDrawObj* o) { return o->m_dashCap; }, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    frame->m_nLineWidth = row.lineWidth;
    const int untouched = row.field(other);
    Command(frame, row.command);
    EXPECT_EQ(row.field(a), row.expected);
    EXPECT_EQ(row.field(b), row.expected);
    EXPECT_EQ(row.field(other), untouched);
    EXPECT_TRUE(Doc()->IsModified());
    Doc()->SetModifiedFlag(FALSE);
  }

  // Without a line width the dash style waits for the next object.
  frame->m_nLineWidth = 0;
  Command(frame, ID_DASH_STYLE_DASH);
  EXPECT_EQ(frame->m_nDashStyle, 1);
  EXPECT_EQ(a->m_pen.lopnStyle, 2u);
  EXPECT_FALSE(Doc()->IsModified());

  // Object scaling is a button without an action.
  const CRect position = a->m_position;
  Command(frame, ID_OBJECT_SCALING);
  EXPECT_EQ(a->m_position, position);
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(MainFrameTest, TogglesColoursAndLockActOnTheSelection) {
  CMainFrame* frame = NewPage();
  CDrawObj* a = AddObject(CRect(-100, 50, -20, -50));
  CDrawObj* b = AddObject(CRect(10, 50, 90, -50));
  a->m_filled = 1;
  b->m_filled = 0;
  View()->Select(a);
  View()->Select(b, TRUE);

  frame->m_bFilled = FALSE;
  Command(frame, ID_FILL_TOGGLE);
  EXPECT_TRUE(frame->m_bFilled);
  EXPECT_EQ(a->m_filled, 1);
  EXPECT_EQ(b->m_filled, 1);
  EXPECT_EQ(Probe(frame, ID_FILL_TOGGLE).m_nCheck, 1);
  frame->m_bClosed = TRUE;
  Command(frame, ID_CLOSED_TOGGLE);
  EXPECT_EQ(a->m_closed, 0);
  EXPECT_EQ(Probe(frame, ID_CLOSED_TOGGLE).m_nCheck, 0);

  frame->m_lineColour = RGB(1, 2, 3);
  Command(frame, ID_LINE_COLOUR);
  EXPECT_EQ(a->m_pen.lopnColor, RGB(1, 2, 3));
  frame->ApplyColour(RGB(9, 8, 7), 1);
  EXPECT_EQ(b->m_brush.lbColor, RGB(9, 8, 7));
  EXPECT_EQ(frame->m_fillColour, RGB(9, 8, 7));
  EXPECT_EQ(frame->m_lastColour, RGB(9, 8, 7));

  frame->ApplyLineWidth(5);
  EXPECT_EQ(a->m_pen.lopnWidth.x, 5);

  Command(frame, ID_LOCK);
  EXPECT_EQ(a->m_locked, 1);
  EXPECT_EQ(b->m_locked, 1);
  EXPECT_TRUE(View()->m_selection.IsEmpty());
  View()->Select(a);  // a locked object is not selected again
  EXPECT_TRUE(View()->m_selection.IsEmpty());
}

TEST_F(MainFrameTest, ADroppedPictureBecomesTheBackgroundWhenNothingIsSelected) {
  CMainFrame* frame = NewPage();
  TempFolder folder;
  const CString first = folder.Write(L"背景.bmp", TinyBmp()).c_str();
  const CString second = folder.Write(L"second.bmp", TinyBmp()).c_str();
  Doc()->SetModifiedFlag(FALSE);
  frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first, second})));
  EXPECT_STREQ(Doc()->m_backPictureFile, first);
  ASSERT_TRUE(Doc()->m_backPicture);
  EXPECT_EQ(Doc()->m_backPicture->GetWidth(), 4u);
  EXPECT_EQ(Doc()->m_useBackPicture, 1);
  EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(MainFrameTest, ADroppedFileThatIsNoPictureKeepsTheBackground) {
  CMainFrame* frame = NewPage();
  TempFolder folder;
  const CString text = folder.Write(L"notes.txt", {'h', 'i'}).c_str();
  Doc()->SetModifiedFlag(FALSE);
  MessageBoxCapture boxes;
  frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({text})));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].text.Find("notes.txt"), -1);
  EXPECT_STREQ(Doc()->m_backPictureFile, "");
  EXPECT_EQ(Doc()->m_useBackPicture, 0);
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(MainFrameTest, APictureDroppedOnASelectedRectangleBecomesItsPicture) {
  CMainFrame* frame = NewPage();
  TempFolder folder;
  const CString picture = folder.Write(L"图.bmp", TinyBmp()).c_str();
  auto* rect = new CDrawRect(CRect(-50, 40, 50, -40));
  Doc()->Add(rect);
  CDrawObj* plain = AddObject(CRect(0, 10, 10, 0));
  View()->Select(plain);
  View()->Select(rect, TRUE);  // the last selected object takes the drop
  Doc()->SetModifiedFlag(FALSE);
  frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({picture})));
  EXPECT_STREQ(rect->m_pictureFile, picture);
  EXPECT_TRUE(rect->HasPicture());
  EXPECT_EQ(rect->GetPictureSize(), CSize(4, 4));
  EXPECT_STREQ(Doc()->m_backPictureFile, "");
  EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(MainFrameTest, DropsAreIgnoredDuringARun) {
  CMainFrame* frame = NewPage();
  TempFolder folder;
  const CString picture = folder.Write(L"a.bmp", TinyBmp()).c_str();
  app->m_nMode = 1;
  frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({picture})));
  app->m_nMode = 2;
  EXPECT_STREQ(Doc()->m_backPictureFile, "");
  EXPECT_FALSE(Doc()->m_backPicture);
}

TEST_F(MainFrameTest, HelpFallsBackToTheFinderWithoutTheHelpFile) {
  CMainFrame* frame = NewPage();
  app->m_strProgramFolder = "C:\\Kordel";
  ModalCapture modal([](ModalCall&) -> INT_PTR { return 0; });  // no help window
  Command(frame, ID_HELP_TOPICS);
  ASSERT_EQ(modal.calls().size(), 2u);
  EXPECT_EQ(modal.calls()[0].kind, ModalCall::htmlHelp);
  EXPECT_STREQ(modal.calls()[0].text, "C:\\Kordel\\ravelo.chm");
  EXPECT_EQ(modal.calls()[1].kind, ModalCall::winHelp);
  EXPECT_EQ(modal.calls()[1].id, static_cast<UINT>(HELP_FINDER));
}
