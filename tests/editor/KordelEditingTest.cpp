// The built editor edited through its commands, as its menus and keys send them: select
// all, alignment, the clipboard (read back from this process), delete with undo and
// redo, compose, the grid and saving; and the effect bar's slider and style menu.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/SharedFile.h"
#include "framework/ui/AfxRes.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "resources/KordelIds.h"
#include "resources/ModelStrings.h"
#include "tests/editor/KordelProgram.h"
#include "tests/media/TempFolder.h"

namespace {

constexpr COLORREF kGrid = RGB(189, 0, 0);

// The objects of the "Kordel" data on the clipboard now, read as a paste reads them;
// the caller owns them.
std::vector<CDrawObj*> ClipboardObjects() {
  std::vector<CDrawObj*> objects;
  const UINT format = ::RegisterClipboardFormatA("Kordel");
  if (!::OpenClipboard(nullptr)) return objects;
  HANDLE data = ::GetClipboardData(format);
  const SIZE_T size = data ? ::GlobalSize(data) : 0;
  std::vector<BYTE> bytes(size);
  if (const void* from = data ? ::GlobalLock(data) : nullptr) {
    memcpy(bytes.data(), from, size);
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  if (!bytes.empty()) memcpy(::GlobalLock(copy), bytes.data(), bytes.size());
  ::GlobalUnlock(copy);
  CSharedFile file;
  file.SetHandle(copy, FALSE);
  CArchive ar(&file, CArchive::load);
  for (DWORD n = ar.ReadCount(2); n > 0; --n)
    objects.push_back(static_cast<CDrawObj*>(ar.ReadNewObject(&CDrawDoc::IsDrawingClass)));
  return objects;
}

// Pixels of that colour in the window's area of the screen.
int ColourInWindow(HWND window, COLORREF colour) {
  RECT r;
  ::GetWindowRect(window, &r);
  HDC screen = ::GetDC(nullptr);
  int count = 0;
  for (int y = r.top; y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2)
      if (::GetPixel(screen, x, y) == colour) ++count;
  ::ReleaseDC(nullptr, screen);
  return count;
}

}  // namespace

TEST(KordelEditingTest, EditsAPageThroughItsCommandsAndSavesIt) {
  TempFolder folder;
  const CString page = folder.File(L"edit.rvx").c_str();
  const std::vector<CRect> kRects = {CRect(-200, 100, -150, 50), CRect(-50, 0, 50, -60), CRect(100, 150, 160, 90)};
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    const char* names[] = {"a", "b", "c"};
    for (size_t i = 0; i < kRects.size(); ++i) {
      auto* o = new CDrawRect(kRects[i]);
      o->m_name = names[i];
      o->m_baseRect = o->GetDrawBounds();
      doc.m_objects.AddTail(o);
    }
    doc.m_nameCounters[9] = 3;
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  HWND view = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
  ASSERT_TRUE(view);
  auto command = [&](UINT id) {
    DWORD_PTR ignored;
    ::SendMessageTimeoutA(main, WM_COMMAND, id, 0, SMTO_NORMAL, 10000, &ignored);
  };

  command(ID_EDIT_SELECT_ALL);
  command(ID_ALIGN_LEFT);
  {
    // Other test processes share the clipboard: copy again until ours is what it holds.
    std::vector<CDrawObj*> copied;
    for (const DWORD begin = ::GetTickCount(); copied.size() != 3 && ::GetTickCount() - begin < 10000;) {
      for (CDrawObj* o : copied) delete o;
      command(ID_EDIT_COPY);
      copied = ClipboardObjects();
      if (copied.size() != 3) ::Sleep(200);
    }
    ASSERT_EQ(3u, copied.size());
    EXPECT_STREQ("a", copied[0]->m_name);
    EXPECT_EQ(CRect(100, 100, 150, 50), copied[0]->m_position);
    EXPECT_EQ(CRect(100, 0, 200, -60), copied[1]->m_position);
    EXPECT_EQ(kRects[2], copied[2]->m_position);
    for (CDrawObj* o : copied) delete o;
  }
  command(ID_EDIT_PASTE);
  command(ID_EDIT_CLEAR);
  command(ID_EDIT_UNDO);
  command(ID_EDIT_REDO);
  command(ID_EDIT_SELECT_ALL);
  command(ID_OBJECT_COMPOSE);

  EXPECT_EQ(0, ColourInWindow(view, kGrid));
  command(ID_VIEW_GRID);
  ::UpdateWindow(view);
  const DWORD start = ::GetTickCount();
  int grid = 0;
  while ((grid = ColourInWindow(view, kGrid)) == 0 && ::GetTickCount() - start < 10000) ::Sleep(100);
  EXPECT_GT(grid, 0) << "no grid on the page";

  command(ID_FILE_SAVE);
  {
    CDrawDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(page));
    ASSERT_EQ(1, saved.m_objects.GetCount());
    auto* composite = dynamic_cast<CDrawCompObj*>(static_cast<CObject*>(saved.m_objects.GetHead()));
    ASSERT_NE(nullptr, composite);
    CString word, name;
    word.LoadString(IDS_KIND_COMPOSITE);
    name.Format("%s0", word.GetString());
    EXPECT_EQ(name, composite->m_name);
    const std::vector<CDrawObj*> members = composite->Members();
    ASSERT_EQ(3u, members.size());
    EXPECT_STREQ("a", members[0]->m_name);
    EXPECT_STREQ("c", members[2]->m_name);
    EXPECT_EQ(CRect(100, 100, 150, 50), members[0]->m_position);
    EXPECT_EQ(CRect(100, 0, 200, -60), members[1]->m_position);
    // The pasted copies were deleted: their names were counted all the same.
    EXPECT_EQ(6, saved.m_nameCounters[9]);
  }
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

TEST(KordelEditingTest, EffectBarStylesTheSelectionAndTheSaveKeepsIt) {
  TempFolder folder;
  const CString page = folder.File(L"styled.rvx").c_str();
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    auto* o = new CDrawRect(CRect(-100, 80, 100, -80));
    o->m_name = "sun";
    o->m_baseRect = o->GetDrawBounds();
    doc.m_objects.AddTail(o);
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  auto command = [&](UINT id) {
    DWORD_PTR ignored;
    ::SendMessageTimeoutA(main, WM_COMMAND, id, 0, SMTO_NORMAL, 10000, &ignored);
  };
  HWND bar = ::GetDlgItem(main, ID_VIEW_EFFECT_BAR);
  ASSERT_TRUE(bar && ::IsWindowVisible(bar));
  HWND slider = ::GetDlgItem(bar, ID_EFFECT_BUTTON_33007);
  ASSERT_TRUE(slider);
  command(ID_EDIT_SELECT_ALL);

  // The width slider dragged to 7.
  ::SendMessageA(slider, TBM_SETPOS, TRUE, 7);
  DWORD_PTR ignored;
  ::SendMessageTimeoutA(bar, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), reinterpret_cast<LPARAM>(slider),
                        SMTO_NORMAL, 10000, &ignored);
  char text[8] = {};
  // Another process's edit control: its text is asked for, not read from the window.
  ::SendMessageA(::GetDlgItem(bar, ID_EFFECT_BUTTON_33008), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "7");

  // The dash-style button's menu, its third item chosen with the keys.
  ::PostMessageA(main, WM_COMMAND, ID_DASH_STYLE_MENU, 0);
  HWND menu = nullptr;
  for (const DWORD begin = ::GetTickCount(); !menu && ::GetTickCount() - begin < 10000;) {
    menu = ::FindWindowA("#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu)) {
      menu = nullptr;
      ::Sleep(50);
    }
  }
  ASSERT_TRUE(menu) << "no menu under the dash-style button";
  for (int i = 0; i < 3; ++i) ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  for (const DWORD begin = ::GetTickCount(); ::IsWindowVisible(menu) && ::GetTickCount() - begin < 10000;)
    ::Sleep(50);

  command(ID_FILE_SAVE);
  {
    CDrawDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(page));
    ASSERT_EQ(1, saved.m_objects.GetCount());
    auto* sun = static_cast<CDrawObj*>(saved.m_objects.GetHead());
    EXPECT_EQ(sun->m_pen.lopnWidth.x, 7);
    EXPECT_EQ(sun->m_pen.lopnStyle, 2u) << "the third item: dotted";
  }
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}
