// The built editor edited through its commands, as its menus and keys send them: select
// all, alignment, the clipboard (read back from this process), delete with undo and
// redo, compose, the grid and saving; the effect bar's slider, colour popups and style
// menu, the fill effects dialog, and the tool box's point picker.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/SharedFile.h"
#include "framework/ui/AfxRes.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "resources/FillEffects.h"
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

// The shown pop-up windows of the program's window thread that are neither dialogs nor
// menus nor tips: colour wells and pickers. The splash, which a busy machine may bring up
// late, has a thread of its own.
std::vector<HWND> ShownPopups(const KordelProgram& program, HWND main) {
  const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
  std::vector<HWND> popups;
  for (HWND window : program.TopLevelWindows()) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (::IsWindowVisible(window) && (::GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP) && !::GetMenu(window) &&
        ::GetWindowThreadProcessId(window, nullptr) == thread && strncmp(name, "Afx", 3) == 0)
      popups.push_back(window);
  }
  return popups;
}

// A pop-up shown after the ones given, once there is one.
HWND WaitForNewPopup(const KordelProgram& program, HWND main, const std::vector<HWND>& before,
                     DWORD timeout = 10000) {
  HWND found = nullptr;
  Eventually(
      [&] {
        for (HWND window : ShownPopups(program, main))
          if (std::find(before.begin(), before.end(), window) == before.end()) found = window;
        return found != nullptr;
      },
      timeout);
  return found;
}

// Where a colour well's cells and its fill effects entry are on the screen. The well has
// the automatic entry above its grid of 8 x 5 cells of 18 pixels, more colours and fill
// effects below, each entry as high as the others, all a margin apart.
struct WellPlaces {
  explicit WellPlaces(HWND well) {
    ::GetWindowRect(well, &box);
    margin = ::GetSystemMetrics(SM_CXEDGE);
    entryHeight = (box.bottom - box.top - 2 * margin - 5 * 18) / 3 - margin;
  }
  POINT Cell(int index) const {
    const int gridTop = margin + entryHeight + margin;
    return {box.left + margin + index % 8 * 18 + 9, box.top + gridTop + index / 8 * 18 + 9};
  }
  POINT FillEffects() const { return {(box.left + box.right) / 2, box.bottom - margin - entryHeight / 2}; }
  RECT box;
  int margin;
  int entryHeight;
};

// The effect bar's colour strips (line, then fill): the drop-down arrow of each button is
// just right of its strip, level with the button's image above it.
POINT ArrowAbove(HWND strip) {
  RECT r;
  ::GetWindowRect(strip, &r);
  return {r.right + 8, r.top - 6};
}

// Opens the well of a colour button's arrow as the mouse does: a press on the arrow, its
// release (which the well lets pass), then a move to the place the well is clicked at.
HWND OpenWell(const KordelProgram& program, HWND main, HWND bar, HWND strip) {
  const POINT arrow = ArrowAbove(strip);
  const std::vector<HWND> before = ShownPopups(program, main);
  PostMouse(bar, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  HWND well = WaitForNewPopup(program, main, before);
  if (well) PostMouse(well, WM_LBUTTONUP, 0, arrow);
  return well;
}

void ClickPosted(HWND window, POINT at) {
  PostMouse(window, WM_MOUSEMOVE, 0, at);
  PostMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMouse(window, WM_LBUTTONUP, 0, at);
}

// A shown control of that id anywhere under a window.
struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  if (::GetDlgCtrlID(child) != search->id || !::IsWindowVisible(child)) return TRUE;
  search->found = child;
  return FALSE;
}

HWND Descendant(HWND parent, int id) {
  ControlSearch search{id, nullptr};
  ::EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Near(COLORREF seen, COLORREF want, int tolerance) {
  return std::abs(GetRValue(seen) - GetRValue(want)) <= tolerance &&
         std::abs(GetGValue(seen) - GetGValue(want)) <= tolerance &&
         std::abs(GetBValue(seen) - GetBValue(want)) <= tolerance;
}

std::string Rgb(COLORREF c) {
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

void EndWithoutSaving(KordelProgram& kordel, HWND main) {
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
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

// The sun: a red rectangle 200 x 160 about the page's centre, whose second fill colour
// is blue; styled from the effect bar with the mouse and the keys.
TEST(KordelEditingTest, EffectBarStylesTheSelectionAndTheSaveKeepsIt) {
  constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kBrightGreen = RGB(0, 255, 0);
  constexpr int kBrightGreenCell = 27;
  TempFolder folder;
  const CString page = folder.File(L"styled.rvx").c_str();
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    auto* o = new CDrawRect(CRect(-100, 80, 100, -80));
    o->m_name = "sun";
    o->m_filled = 1;
    o->m_brush.lbColor = kRed;
    o->m_fillColour2 = kBlue;
    o->m_baseRect = o->GetDrawBounds();
    doc.m_objects.AddTail(o);
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
  HWND bar = ::GetDlgItem(main, ID_VIEW_EFFECT_BAR);
  ASSERT_TRUE(bar && ::IsWindowVisible(bar));
  HWND slider = ::GetDlgItem(bar, ID_EFFECT_BUTTON_33007);
  ASSERT_TRUE(slider);
  // The colour strips under the line and fill buttons, in that order.
  std::vector<HWND> strips;
  for (HWND child = ::GetWindow(bar, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetDlgCtrlID(child) == 88) strips.push_back(child);
  ASSERT_EQ(2u, strips.size());
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

  // The line colour's arrow, and the well's bright green: the outline turns bright green
  // on the sun's left edge (away from the selection's handles).
  HWND well = OpenWell(kordel, main, bar, strips[0]);
  ASSERT_TRUE(well) << "no well under the line colour's arrow";
  ClickPosted(well, WellPlaces(well).Cell(kBrightGreenCell));
  EXPECT_TRUE(Eventually([&] { return !::IsWindow(well); })) << "the well stays open";
  const POINT leftEdge = PagePointOnScreen(view, -98, 40);
  EXPECT_TRUE(Eventually([&] { return ScreenPixel(leftEdge) == kBrightGreen; }))
      << "the outline shows " << Rgb(ScreenPixel(leftEdge));

  // The fill colour's arrow, its fill effects entry, and in the dialog two colours
  // running horizontally from left to right.
  well = OpenWell(kordel, main, bar, strips[1]);
  ASSERT_TRUE(well) << "no well under the fill colour's arrow";
  ClickPosted(well, WellPlaces(well).FillEffects());
  HWND dialog = kordel.WaitForDialog(10000);
  ASSERT_TRUE(dialog) << "no fill effects dialog";
  HWND twoColours = Descendant(dialog, IDC_FE_TWO_COLOURS);
  HWND horizontal = Descendant(dialog, IDC_FE_STYLE_HORIZONTAL);
  ASSERT_TRUE(twoColours && horizontal);
  EXPECT_STREQ("双色", WindowText(twoColours));
  EXPECT_STREQ("水平左右方式", WindowText(horizontal));
  for (HWND radio : {twoColours, horizontal}) {
    RECT r;
    ::GetWindowRect(radio, &r);
    Click(radio, {r.left + 5, (r.top + r.bottom) / 2});
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(radio, BM_GETCHECK, 0, 0));
  }
  HWND ok = ::GetDlgItem(dialog, IDOK);
  ASSERT_TRUE(ok);
  RECT okBox;
  ::GetWindowRect(ok, &okBox);
  ClickPosted(ok, {(okBox.left + okBox.right) / 2, (okBox.top + okBox.bottom) / 2});
  EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog) && !::IsWindow(well); })) << "the dialog stays open";
  // Inside the outline, near the left and right edges: near red and near blue (the
  // gradients Wine draws are coarse).
  const POINT left = PagePointOnScreen(view, -85, 0), right = PagePointOnScreen(view, 85, 0);
  EXPECT_TRUE(Eventually([&] { return Near(ScreenPixel(left), kRed, 80) && Near(ScreenPixel(right), kBlue, 80); }))
      << "left " << Rgb(ScreenPixel(left)) << ", right " << Rgb(ScreenPixel(right));

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
    EXPECT_EQ(kBrightGreen, sun->m_pen.lopnColor);
    // Horizontal is the first of the linear gradients.
    EXPECT_EQ(4, sun->m_fillKind);
    EXPECT_EQ(0, sun->m_fillGradient);
    EXPECT_EQ(kRed, sun->m_brush.lbColor);
    EXPECT_EQ(kBlue, sun->m_fillColour2);
  }
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

// A selected triangle, the point tool, and the third cell of its picker: a click on the
// page adds a vertex there.
TEST(KordelEditingTest, ThePointPickersThirdCellAddsAVertexToTheSelectedPolygon) {
  TempFolder folder;
  const CString page = folder.File(L"poly.rvx").c_str();
  const CPoint kVertex(200, -100);
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    auto* poly = new CDrawPoly(CRect(-100, 100, 100, -100));
    poly->m_name = "poly";
    poly->m_closed = 1;
    for (const CPoint& p : {CPoint(-100, -100), CPoint(0, 100), CPoint(100, -100)}) poly->AddPoint(p, nullptr);
    doc.m_objects.AddTail(poly);
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
  const std::vector<HWND> before = ShownPopups(kordel, main);
  command(ID_TOOL_POINT);
  HWND picker = WaitForNewPopup(kordel, main, before);
  ASSERT_TRUE(picker) << "no picker beside the point tool";
  // Five boxes side by side, each its cell and 8 pixels, 2 pixels apart and from the edges.
  RECT box;
  ::GetWindowRect(picker, &box);
  const int pitch = (box.right - box.left - 2) / 5;
  const POINT cell3 = {box.left + 2 + 3 * pitch + (pitch - 2) / 2, (box.top + box.bottom) / 2};
  // Sent, not posted: the click on the view below is sent too, and must come after them.
  SendMouse(picker, WM_MOUSEMOVE, 0, cell3);
  SendMouse(picker, WM_LBUTTONUP, 0, cell3);
  EXPECT_FALSE(::IsWindowVisible(picker)) << "the picker stays open";

  Click(view, PagePointOnScreen(view, kVertex.x, kVertex.y));
  command(ID_FILE_SAVE);
  {
    CDrawDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(page));
    ASSERT_EQ(1, saved.m_objects.GetCount());
    auto* poly = dynamic_cast<CDrawPoly*>(static_cast<CObject*>(saved.m_objects.GetHead()));
    ASSERT_NE(nullptr, poly);
    ASSERT_EQ(4, poly->m_pointCount);
    EXPECT_NEAR(kVertex.x, poly->PointAt(3).x, 1);
    EXPECT_NEAR(kVertex.y, poly->PointAt(3).y, 1);
    EXPECT_EQ(CPoint(100, -100), poly->PointAt(2));
  }
  EndWithoutSaving(kordel, main);
}
