// The built editor, run as the user runs it: started, looked at, and ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "behaviour/DrawFun.h"
#include "framework/core/Codepage.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"
#include "graphics/DibImage.h"
#include "media/DrawAnimate.h"
#include "model/DrawDoc.h"
#include "model/DrawJoinObj.h"
#include "model/DrawObj.h"
#include "model/DrawRect.h"
#include "propgrid/PropGrid.h"
#include "resources/KordelIds.h"
#include "tests/editor/KordelProgram.h"
#include "tests/media/TempFolder.h"
#include "tests/media/VideoFiles.h"
#include "tests/support/PictureFiles.h"

namespace {

// The screen as a ".bmp" file beside the tests, for a person to look at; and the number
// of distinct colours in a rectangle of it.
int CaptureScreen(const char* file, const RECT& probe, std::set<COLORREF>* seen = nullptr) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  CDC screen(::GetDC(nullptr));
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, width, height);
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.BitBlt(0, 0, width, height, &screen, 0, 0, SRCCOPY);
  std::set<COLORREF> colours;
  int count = 0;
  for (int y = probe.top; y < probe.bottom; ++y)
    for (int x = probe.left; x < probe.right; ++x) {
      colours.insert(memory.GetPixel(x, y));
      if (seen && seen->count(memory.GetPixel(x, y))) ++count;
    }
  memory.SelectObject(old);
  ::ReleaseDC(nullptr, screen.Detach());
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  CString beside(path);
  beside = beside.Left(beside.ReverseFind('\\') + 1) + file;
  CDibImage image;
  if (image.CreateFromBitmap(bitmap, 24)) image.SaveFile(beside);
  return seen ? count : static_cast<int>(colours.size());
}

// The sample programme beside the build (tests work on copies).
CString SampleFolder() {
  CString samples = KordelProgram::ExecutablePath();
  samples = samples.Left(samples.ReverseFind('\\'));
  return samples.Left(samples.ReverseFind('\\')) + "\\samples\\programme\\";
}

// The started editor's main window, page view, property bar and the bar's panel; null
// where one is missing.
struct EditorWindows {
  HWND main = nullptr;
  HWND view = nullptr;
  HWND bar = nullptr;
  HWND panel = nullptr;
};

EditorWindows FindEditorWindows(const KordelProgram& kordel) {
  EditorWindows windows;
  windows.main = kordel.WaitForMainWindow();
  if (!windows.main) return windows;
  kordel.WaitForSplashToClose();
  windows.view = ::GetDlgItem(windows.main, AFX_IDW_PANE_FIRST);
  windows.bar = ::GetDlgItem(windows.main, ID_VIEW_PROPERTY_BAR);
  windows.panel = windows.bar ? ::GetWindow(windows.bar, GW_CHILD) : nullptr;
  return windows;
}

// How many pixels of the rectangle have that colour, on a capture of the screen.
int ColourCount(const char* file, const RECT& rect, COLORREF colour) {
  std::set<COLORREF> wanted = {colour};
  return CaptureScreen(file, rect, &wanted);
}

}  // namespace

TEST(KordelProgramTest, StartsMaximisedWithMenuAndToolbarsAndExitsOnTheExitCommand) {
  KordelProgram kordel;
  ASSERT_TRUE(kordel.Started()) << KordelProgram::ExecutablePath().GetString();
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main) << "no main window";
  EXPECT_TRUE(::IsZoomed(main));
  EXPECT_TRUE(::GetMenu(main));
  HWND toolbar = ::GetDlgItem(main, ID_VIEW_STANDARD_BAR);
  HWND status = ::GetDlgItem(main, ID_VIEW_STATUS);
  ASSERT_TRUE(toolbar);
  EXPECT_TRUE(::IsWindowVisible(toolbar));
  EXPECT_TRUE(status && ::IsWindowVisible(status));
  char title[256] = {};
  ::GetWindowTextA(main, title, sizeof title);
  EXPECT_STREQ(title, "页面 - Kordel");

  kordel.WaitForSplashToClose();
  RECT bar;
  ::GetWindowRect(toolbar, &bar);
  bar.right = bar.left + 200;
  EXPECT_GT(CaptureScreen("kordel-start.bmp", bar), 4) << "the toolbar shows no pictures";

  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  DWORD code = 1;
  ASSERT_TRUE(kordel.WaitForExit(15000, &code)) << "did not end";
  EXPECT_EQ(code, 0u);
}

TEST(KordelProgramTest, OpensThePageNamedOnItsCommandLine) {
  TempFolder folder;
  const CString page = folder.File(L"第一页.rvx").c_str();
  constexpr COLORREF kGreen = RGB(20, 200, 40);
  {
    CDrawDoc doc;
    auto* square = new CDrawRect(CRect(100, 80, 160, 20));  // right of and above the centre
    square->m_brush.lbColor = kGreen;
    doc.m_objects.AddTail(square);
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  char title[256] = {};
  ::GetWindowTextA(main, title, sizeof title);
  EXPECT_STREQ(title, "第一页.rvx - Kordel");

  // The square where the page puts it: the page's centre is the centre of the scrolled
  // area (the screen's size, or the window where that is larger), scrolled to its start.
  kordel.WaitForSplashToClose();
  HWND view = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
  ASSERT_TRUE(view);
  RECT client;
  ::GetClientRect(view, &client);
  const int areaWidth = ::GetSystemMetrics(SM_CXSCREEN), areaHeight = ::GetSystemMetrics(SM_CYSCREEN);
  POINT centre = {areaWidth < client.right ? client.right / 2 : areaWidth / 2,
                  areaHeight < client.bottom ? client.bottom / 2 : areaHeight / 2};
  ::ClientToScreen(view, &centre);
  const RECT inside = {centre.x + 110, centre.y - 70, centre.x + 150, centre.y - 30};
  const RECT outside = {centre.x + 170, centre.y - 70, centre.x + 190, centre.y - 30};
  EXPECT_EQ(ColourCount("kordel-page.bmp", inside, kGreen), (150 - 110) * 40);
  EXPECT_EQ(ColourCount("kordel-page.bmp", outside, kGreen), 0);
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

TEST(KordelProgramTest, AMissingPageIsReportedAndTheProgramEnds) {
  KordelProgram kordel("\"C:\\no such folder\\missing.rvx\"");
  HWND box = kordel.WaitForDialog();
  ASSERT_TRUE(box) << "no message";
  EXPECT_FALSE(DialogText(box).IsEmpty());
  for (HWND window : kordel.TopLevelWindows())
    EXPECT_FALSE(::IsWindowVisible(window) && ::GetMenu(window)) << "a main window was shown";
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

TEST(KordelProgramTest, APageOpenedAndSavedUnchangedKeepsItsBytes) {
  TempFolder folder;
  const CString page = folder.File(L"page.rvx").c_str();
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    doc.m_backColour = RGB(10, 20, 30);
    for (int i = 0; i < 3; ++i) {
      auto* object = new CDrawObj(CRect(-100 + 60 * i, 50, -60 + 60 * i, -50));
      object->m_name.Format("对象%d", i);
      doc.m_objects.AddTail(object);
    }
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  const std::vector<BYTE> before = folder.Read(L"page.rvx");
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  // Gone from the disk: what is there afterwards is what the editor wrote.
  ASSERT_TRUE(folder.Delete(L"page.rvx"));
  DWORD_PTR ignored;
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_FILE_SAVE, 0, SMTO_NORMAL, 10000, &ignored);
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  ASSERT_TRUE(kordel.WaitForExit(15000));
  EXPECT_EQ(folder.Read(L"page.rvx"), before);
}

namespace {

// The first point of the screen (in steps of 4) with that colour, waiting up to timeout.
bool FindColourOnScreen(COLORREF colour, POINT* at, DWORD timeout = 15000) {
  const DWORD start = ::GetTickCount();
  do {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    CDC screen(::GetDC(nullptr));
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, width, height);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.BitBlt(0, 0, width, height, &screen, 0, 0, SRCCOPY);
    bool found = false;
    for (int y = 0; y < height && !found; y += 4)
      for (int x = 0; x < width && !found; x += 4)
        if (memory.GetPixel(x, y) == colour) {
          *at = POINT{x, y};
          found = true;
        }
    memory.SelectObject(old);
    ::ReleaseDC(nullptr, screen.Detach());
    if (found) return true;
    ::Sleep(100);  // another process paints: nothing to wait on but the screen
  } while (::GetTickCount() - start < timeout);
  return false;
}

}  // namespace

TEST(KordelProgramTest, RunsTheSampleAndItsPageButtonSwitchesPages) {
  // The sample programme beside the build, copied so that nothing touches the original.
  TempFolder folder;
  const CString home = folder.File(L"home.rvx").c_str();
  ASSERT_TRUE(::CopyFileA(SampleFolder() + "home.rvx", home, FALSE)) << SampleFolder().GetString();
  ASSERT_TRUE(::CopyFileA(SampleFolder() + "page2.rvx", folder.File(L"page2.rvx").c_str(), FALSE));

  KordelProgram kordel("\"" + home + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  HWND view = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
  ASSERT_TRUE(view);
  ::PostMessageA(view, WM_KEYDOWN, VK_F5, 1);

  // The home page runs full screen: its page button is shown; a click on it jumps.
  constexpr COLORREF kButton = RGB(255, 224, 128), kSecondHeading = RGB(170, 60, 40);
  DWORD waited = ::GetTickCount();
  while (::GetMenu(main) && ::GetTickCount() - waited < 10000) ::Sleep(50);
  ASSERT_FALSE(::GetMenu(main)) << "F5 did not go full screen";
  POINT button;
  ASSERT_TRUE(FindColourOnScreen(kButton, &button)) << "the running page shows no button";
  // The clock runs once the earth moves along its orbit.
  constexpr COLORREF kEarth = RGB(30, 120, 230);
  POINT first, now;
  ASSERT_TRUE(FindColourOnScreen(kEarth, &first));
  waited = ::GetTickCount();
  do {
    ASSERT_TRUE(FindColourOnScreen(kEarth, &now));
  } while (now.x == first.x && now.y == first.y && ::GetTickCount() - waited < 10000);
  EXPECT_FALSE(now.x == first.x && now.y == first.y) << "the page does not play";
  // The entry transition is over: the title bar, the curve's travelling point and the
  // texts are on the screen.
  constexpr COLORREF kTitle = RGB(40, 90, 170), kDot = RGB(200, 0, 60), kSunLabel = RGB(200, 90, 0);
  POINT seen;
  EXPECT_TRUE(FindColourOnScreen(kTitle, &seen)) << "no title";
  EXPECT_TRUE(FindColourOnScreen(kDot, &seen)) << "no point on the curve";
  EXPECT_TRUE(FindColourOnScreen(kSunLabel, &seen)) << "no text";
  RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  CaptureScreen("kordel-home.bmp", RECT{screen.left, screen.top, screen.left + 1, screen.top + 1});
  // Looked for again now that the page plays: while the bars hide one after the other
  // on the way to full screen, the first paints show the page lower than it ends up.
  ASSERT_TRUE(FindColourOnScreen(kButton, &button)) << "the running page lost its button";
  POINT client = button;
  ::ScreenToClient(view, &client);
  ::PostMessageA(view, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  ::PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  ::PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  POINT heading;
  EXPECT_TRUE(FindColourOnScreen(kSecondHeading, &heading)) << "the second page was not shown";
  RECT probe = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  CaptureScreen("kordel-run.bmp", RECT{probe.left, probe.top, probe.left + 1, probe.top + 1});

  // Esc: back to editing in a window with its menu.
  ::PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
  waited = ::GetTickCount();
  while (!::GetMenu(main) && ::GetTickCount() - waited < 10000) ::Sleep(50);
  EXPECT_TRUE(::GetMenu(main)) << "still full screen";
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  HWND box = kordel.WaitForDialog(3000);
  if (box) ::PostMessageA(box, WM_COMMAND, IDNO, 0);  // the run changed nothing; never save
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

namespace {

CRect ScreenRect(HWND hWnd, bool client = false) {
  CRect r;
  if (client) {
    ::GetClientRect(hWnd, &r);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&r), 2);
  } else {
    ::GetWindowRect(hWnd, &r);
  }
  return r;
}

// The screen box (inclusive) of the pixels with that colour.
bool ColourBox(COLORREF colour, RECT* box) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  const DWORD want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  RECT r = {width, height, -1, -1};
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) == want) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x);
        r.bottom = std::max<LONG>(r.bottom, y);
      }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  *box = r;
  return r.right >= 0;
}

}  // namespace

TEST(KordelProgramTest, ThePropertyBarShowsResizesClosesAndComesBack) {
  TempFolder folder;
  const CString home = folder.File(L"home.rvx").c_str();
  ASSERT_TRUE(::CopyFileA(SampleFolder() + "home.rvx", home, FALSE)) << SampleFolder().GetString();

  KordelProgram kordel("\"" + home + "\"");
  const EditorWindows windows = FindEditorWindows(kordel);
  HWND main = windows.main, bar = windows.bar, view = windows.view, panel = windows.panel;
  ASSERT_TRUE(main && bar && view && panel);
  EXPECT_FALSE(::IsWindowVisible(bar));

  ::PostMessageA(main, WM_COMMAND, ID_VIEW_PROPERTY_BAR, 0);
  ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(bar) != FALSE; }));
  const CRect client = ScreenRect(main, true);
  EXPECT_TRUE(Eventually([&] { return ScreenRect(bar).right == client.right; }));
  CRect window = ScreenRect(bar);

  // The edge's light and dark lines at its outer columns, the close button's cross.
  const int y = window.top + window.Height() / 2;
  EXPECT_TRUE(Eventually([&] {
    return ScreenPixel({window.left, y}) == ::GetSysColor(COLOR_BTNHIGHLIGHT) &&
           ScreenPixel({window.left + 5, y}) == ::GetSysColor(COLOR_BTNSHADOW);
  })) << "edge columns";
  // The button's glyph is the caption font's cross; where that font is missing (this
  // tree's Wine prefix), the system draws a fallback letter in the same place.
  CRect close(window.right - 16, window.top + 7, window.right - 5, window.top + 18);
  CaptureScreen("kordel-property-bar.bmp", close);
  close.DeflateRect(2, 2);  // inside the button's raised border
  int glyph = 0;
  for (int x = close.left; x < close.right; ++x)
    for (int gy = close.top; gy < close.bottom; ++gy)
      if (GetRValue(ScreenPixel({x, gy})) < GetRValue(::GetSysColor(COLOR_BTNSHADOW))) ++glyph;
  EXPECT_GE(glyph, 3) << "no glyph in the close button";

  // The inner edge dragged 50 pixels to the left.
  const POINT edge = {window.left + 3, y};
  POINT to = {edge.x - 50, edge.y};
  ::ScreenToClient(bar, &to);
  ::PostMessageA(bar, WM_NCLBUTTONDOWN, HTGROWBOX, MAKELPARAM(edge.x, edge.y));
  ::PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  ::PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  EXPECT_TRUE(Eventually([&] { return ScreenRect(bar).Width() == window.Width() + 50; }))
      << ScreenRect(bar).Width() << " after " << window.Width();
  EXPECT_TRUE(Eventually([&] { return ScreenRect(panel) == ScreenRect(bar, true); })) << "the panel does not fill the bar";
  EXPECT_EQ(ScreenRect(panel).Width(), ScreenRect(bar).Width() - 9);
  window = ScreenRect(bar);

  // The close button hides it; F4 in the page view shows it again.
  ::PostMessageA(bar, WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(window.right - 10, window.top + 12));
  EXPECT_TRUE(Eventually([&] { return !::IsWindowVisible(bar); }));
  ::PostMessageA(view, WM_KEYDOWN, VK_F4, 1);
  EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(bar) != FALSE; }));

  // Full screen and back keeps it shown.
  ::PostMessageA(main, WM_COMMAND, ID_VIEW_FULL_SCREEN, 0);
  EXPECT_TRUE(Eventually([&] { return !::IsWindowVisible(bar); }));
  ::PostMessageA(main, WM_COMMAND, ID_VIEW_FULL_SCREEN, 0);
  EXPECT_TRUE(Eventually([&] { return ::GetMenu(main) != nullptr; }));
  EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(bar) != FALSE; }));

  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

TEST(KordelProgramTest, PrintPreviewShowsThePageAndGivesTheEditorBack) {
  CString samples = KordelProgram::ExecutablePath();
  samples = samples.Left(samples.ReverseFind('\\'));
  samples = samples.Left(samples.ReverseFind('\\')) + "\\samples\\programme\\";
  TempFolder folder;
  const CString home = folder.File(L"home.rvx").c_str();
  ASSERT_TRUE(::CopyFileA((samples + "home.rvx").GetString(), home.GetString(), FALSE)) << samples.GetString();

  KordelProgram kordel("\"" + home + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  HWND view = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
  HWND toolbar = ::GetDlgItem(main, AFX_IDW_TOOLBAR);
  ASSERT_TRUE(view && toolbar);
  ASSERT_TRUE(::IsWindowVisible(toolbar));
  HMENU menu = ::GetMenu(main);

  ::PostMessageA(main, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  HWND preview = nullptr;
  ASSERT_TRUE(Eventually([&] {
    preview = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
    return preview && preview != view;
  })) << "no preview in the view's place";
  EXPECT_FALSE(::IsWindowVisible(view));
  EXPECT_FALSE(::IsWindowVisible(toolbar));
  EXPECT_EQ(nullptr, ::GetMenu(main));
  // The printed page: the sun's colour on the sheet.
  const CRect shown = ScreenRect(preview, true);
  EXPECT_TRUE(Eventually([&] { return ColourCount("kordel-preview.bmp", shown, RGB(255, 200, 0)) > 20; }))
      << "the sun is not on the previewed page";

  ::PostMessageA(preview, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(Eventually([&] { return ::GetDlgItem(main, AFX_IDW_PANE_FIRST) == view; }));
  EXPECT_TRUE(Eventually([&] { return !::IsWindow(preview); }));
  EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(toolbar) != FALSE; }));
  EXPECT_TRUE(Eventually([&] { return ::GetMenu(main) == menu; }));
  EXPECT_TRUE(::IsWindowVisible(view));

  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

// Two rectangles, a rubber band over both, the glue tool, a click on a corner handle of
// each and a double click; saved, the page holds one glued object whose two corners
// meet; run, the turning member moves on the screen.
TEST(KordelProgramTest, GluesTwoRectanglesByTheMouseAndPlaysTheGluedObject) {
  constexpr COLORREF kLeft = RGB(200, 40, 40), kRight = RGB(40, 40, 200);
  TempFolder folder;
  const CString page = folder.File(L"glue.rvx").c_str();
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    auto rect = [&](const CRect& r, const char* name, COLORREF colour) {
      auto* o = new CDrawRect(r);
      o->m_name = name;
      o->m_brush.lbColor = colour;
      o->m_outlined = 0;
      o->m_baseRect = o->GetDrawBounds();
      doc.m_objects.AddTail(o);
      return o;
    };
    rect(CRect(-150, 100, -50, 0), "left", kLeft);
    CDrawRect* right = rect(CRect(50, 100, 150, 0), "right", kRight);
    CMethod spin;
    spin.m_nType = CMethod::typeRotate;
    spin.m_strName = "spin";
    spin.m_nDuration = 100000;
    spin.m_nStartAngle = 0;
    spin.m_nEndAngle = 360;
    spin.m_nStep = 10;
    spin.m_bRotateLoop = 1;
    right->m_actions.Add(spin);
    right->m_actionMask = CMethod::typeRotate;
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  HWND view = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
  ASSERT_TRUE(view);
  // Found where they stay: the frame may still be settling (maximised, scrolled).
  RECT left = {}, right = {}, lastLeft = {-1}, lastRight = {-1};
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 10000) {
    const bool shown = ColourBox(kLeft, &left) && ColourBox(kRight, &right);
    if (shown && ::EqualRect(&left, &lastLeft) && ::EqualRect(&right, &lastRight)) break;
    lastLeft = left;
    lastRight = right;
    ::Sleep(300);
  }
  ASSERT_TRUE(left.right >= 0 && right.right >= 0) << "the page is not shown";

  SendMouse(view, WM_LBUTTONDOWN, MK_LBUTTON, POINT{left.left - 10, left.top - 10});
  SendMouse(view, WM_MOUSEMOVE, MK_LBUTTON, POINT{right.right + 10, right.bottom + 10});
  SendMouse(view, WM_LBUTTONUP, 0, POINT{right.right + 10, right.bottom + 10});
  DWORD_PTR ignored;
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_TOOL_GLUE, 0, SMTO_NORMAL, 10000, &ignored);
  const POINT leftCorner = {left.right + 1, left.bottom + 1}, rightCorner = {right.left, right.top};
  for (POINT at : {leftCorner, rightCorner}) {
    SendMouse(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMouse(view, WM_LBUTTONUP, 0, at);
  }
  SendMouse(view, WM_LBUTTONDBLCLK, MK_LBUTTON, rightCorner);
  SendMouse(view, WM_LBUTTONUP, 0, rightCorner);
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_FILE_SAVE, 0, SMTO_NORMAL, 10000, &ignored);

  {
    CDrawDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(page));
    ASSERT_EQ(1, saved.m_objects.GetCount());
    auto* glue = dynamic_cast<CDrawJoinObj*>(static_cast<CObject*>(saved.m_objects.GetHead()));
    ASSERT_NE(nullptr, glue);
    const std::vector<CDrawObj*> members = glue->Members();
    ASSERT_EQ(2u, members.size());
    EXPECT_EQ(members[0]->GetHandle(5), members[1]->GetHandle(1));
    EXPECT_EQ(CPoint(-50, 0), members[1]->GetHandle(1));
  }

  ::PostMessageA(view, WM_KEYDOWN, VK_F5, 1);
  DWORD waited = ::GetTickCount();
  while (::GetMenu(main) && ::GetTickCount() - waited < 10000) ::Sleep(50);
  ASSERT_FALSE(::GetMenu(main)) << "F5 did not go full screen";
  POINT first, now;
  ASSERT_TRUE(FindColourOnScreen(kRight, &first));
  // The turn is slow (a whole turn in 100 s): on a loaded machine its first steps wait.
  waited = ::GetTickCount();
  do {
    ASSERT_TRUE(FindColourOnScreen(kRight, &now));
  } while (now.x == first.x && now.y == first.y && ::GetTickCount() - waited < 30000);
  EXPECT_FALSE(now.x == first.x && now.y == first.y) << "the glued member does not turn";
  ::PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
  waited = ::GetTickCount();
  while (!::GetMenu(main) && ::GetTickCount() - waited < 10000) ::Sleep(50);
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

namespace {

// Black pixels in a square of the screen about a point.
int BlackAround(POINT at, int radius) {
  const RECT square = {at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1};
  return ColourCount("kordel-function.bmp", square, RGB(0, 0, 0));
}

}  // namespace

TEST(KordelProgramTest, TheFunctionToolMakesAPlotThatItsDialogDefines) {
  TempFolder folder;
  const CString page = folder.File(L"plot.rvx").c_str();
  {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  KordelProgram kordel("\"" + page + "\"");
  HWND main = kordel.WaitForMainWindow();
  ASSERT_TRUE(main);
  kordel.WaitForSplashToClose();
  HWND view = ::GetDlgItem(main, AFX_IDW_PANE_FIRST);
  ASSERT_TRUE(view);
  RECT client;
  ::GetClientRect(view, &client);
  const POINT centre = {client.right / 2, client.bottom / 2};
  auto at = [&](int dx, int dy) { return MAKELPARAM(centre.x + dx, centre.y + dy); };

  // 函数, then a drag: a plot 200 units square about the centre. The display's pointer
  // waits at the drag's end, so a move Wine reports for it in between cannot make the
  // plot smaller.
  POINT end = {centre.x + 100, centre.y + 100};
  ::ClientToScreen(view, &end);
  ::SetCursorPos(end.x, end.y);
  DWORD_PTR ignored;
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_TOOL_FUNCTION, 0, SMTO_NORMAL, 10000, &ignored);
  ::SendMessageTimeoutA(view, WM_LBUTTONDOWN, MK_LBUTTON, at(-100, -100), SMTO_NORMAL, 10000, &ignored);
  ::SendMessageTimeoutA(view, WM_MOUSEMOVE, MK_LBUTTON, at(100, 100), SMTO_NORMAL, 10000, &ignored);
  ::SendMessageTimeoutA(view, WM_LBUTTONUP, 0, at(100, 100), SMTO_NORMAL, 10000, &ignored);
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_TOOL_SELECT, 0, SMTO_NORMAL, 10000, &ignored);
  POINT curve = {centre.x + 30, centre.y - 30};  // where y = x passes, off the axes
  ::ClientToScreen(view, &curve);
  ::UpdateWindow(view);
  EXPECT_EQ(0, BlackAround(curve, 2)) << "a curve before any formula";

  // A double click opens the definition; the formula "x" and OK draw the line y = x.
  ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, at(0, 0));
  HWND dialog = kordel.WaitForDialog();
  ASSERT_TRUE(dialog) << "no dialog";
  char caption[64] = {};
  ::GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ("函数定义", caption);
  ::SendMessageTimeoutA(::GetDlgItem(dialog, IDC_FUN_SECOND_FORMULA), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>("x"), SMTO_NORMAL, 10000, &ignored);
  ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  const DWORD start = ::GetTickCount();
  while (::IsWindow(dialog) && ::GetTickCount() - start < 10000) ::Sleep(50);
  ASSERT_FALSE(::IsWindow(dialog)) << "the dialog stayed open";
  int black = 0;
  for (DWORD waited = ::GetTickCount(); black == 0 && ::GetTickCount() - waited < 10000; ::Sleep(100))
    black = BlackAround(curve, 2);  // another process paints: nothing to wait on but the screen
  EXPECT_GT(black, 0) << "no curve";

  ::SendMessageTimeoutA(main, WM_COMMAND, ID_FILE_SAVE, 0, SMTO_NORMAL, 10000, &ignored);
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  ASSERT_TRUE(kordel.WaitForExit(15000));

  CDrawDoc saved;
  ASSERT_TRUE(saved.OnOpenDocument(page));
  ASSERT_EQ(1, saved.m_objects.GetCount());
  auto* plot = dynamic_cast<CDrawFun*>(static_cast<CObject*>(saved.m_objects.GetHead()));
  ASSERT_TRUE(plot);
  EXPECT_STREQ("函数0", plot->m_name.GetString());
  EXPECT_STREQ("x", plot->m_function.m_secondFormula.GetString());
  const CRect& placed = plot->m_position;
  EXPECT_GT(plot->m_points.GetSize(), 150)
      << "plot at " << placed.left << "," << placed.top << " to " << placed.right << "," << placed.bottom;
  EXPECT_EQ(1, plot->m_singleCurve);
}

// The property bar on the sample's home page: its combo names the page and its objects,
// choosing a name selects that object, and the page's width typed into its row narrows
// the page, which a save then writes.
TEST(KordelProgramTest, ThePropertyPanelSelectsObjectsAndNarrowsThePage) {
  TempFolder folder;
  const CString home = folder.File(L"home.rvx").c_str();
  ASSERT_TRUE(::CopyFileA(SampleFolder() + "home.rvx", home, FALSE)) << SampleFolder().GetString();
  std::vector<CString> names = {"home.rvx"};
  {
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(home));
    for (POSITION pos = doc.m_objects.GetHeadPosition(); pos;)
      names.push_back(static_cast<CDrawObj*>(doc.m_objects.GetNext(pos))->m_name);
  }

  KordelProgram kordel("\"" + home + "\"");
  const EditorWindows windows = FindEditorWindows(kordel);
  HWND main = windows.main, bar = windows.bar, view = windows.view, panel = windows.panel;
  ASSERT_TRUE(main && bar && view && panel);
  HWND combo = ::GetDlgItem(panel, IDC_PROPERTY_NAMES);
  HWND grid = ::GetDlgItem(::GetDlgItem(panel, IDC_PROPERTY_TABS), 1001);
  ASSERT_TRUE(combo && grid);
  ::PostMessageA(main, WM_COMMAND, ID_VIEW_PROPERTY_BAR, 0);
  ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(bar) != FALSE; }));

  auto entries = [&] {
    std::vector<CString> out;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    // Across processes Wine hands the ANSI message wide text: read it wide.
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      out.push_back(CString(codepage::FromWide(text)));
    }
    return out;
  };
  EXPECT_EQ(entries(), names);

  auto onScreen = [&](int x, int y) { return PagePointOnScreen(view, x, y); };
  // The sun's top-left handle inverts the page's colour around its corner (-60, 60).
  constexpr COLORREF kPage = RGB(232, 244, 255), kInverted = RGB(255 - 232, 255 - 244, 0);
  auto handlePixels = [&] {
    const POINT corner = onScreen(-60, 60);
    int count = 0;
    for (int y = corner.y - 10; y <= corner.y + 10; ++y)
      for (int x = corner.x - 10; x <= corner.x + 10; ++x) count += ScreenPixel({x, y}) == kInverted;
    return count;
  };
  auto choose = [&](int index) {
    ::SendMessageA(combo, CB_SETCURSEL, index, 0);
    ::PostMessageA(panel, WM_COMMAND, MAKEWPARAM(IDC_PROPERTY_NAMES, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  };
  const int sun = static_cast<int>(std::find(names.begin(), names.end(), CString("太阳")) - names.begin());
  ASSERT_LT(sun, static_cast<int>(names.size()));
  EXPECT_EQ(handlePixels(), 0);
  choose(sun);
  EXPECT_TRUE(Eventually([&] { return handlePixels() > 0; })) << "the sun's handles do not show";
  choose(0);
  EXPECT_TRUE(Eventually([&] { return handlePixels() == 0; })) << "the sun stays selected";

  // "宽度" is the page's second row: a click in its value cell, 400 typed and Enter.
  const POINT was = onScreen(300, 0), surround = onScreen(-350, 280);
  EXPECT_EQ(ScreenPixel(was), kPage);
  RECT gridClient;
  ::GetClientRect(grid, &gridClient);
  const int split = static_cast<int>((8 + gridClient.right - 6) * 0.35);
  ::PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(split + 6, 6 + 18 + 8));
  HWND edit = nullptr;
  ASSERT_TRUE(Eventually([&] { return (edit = ::GetDlgItem(grid, kEditorId)) != nullptr; }));
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : {'4', '0', '0'}) ::PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
  ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(Eventually([&] { return ScreenPixel(was) != kPage && ScreenPixel(was) == ScreenPixel(surround); }))
      << "the page is not narrower";

  // Sent, not posted: the file is read only once the save has ended, so this reading
  // never holds it open under the save.
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_FILE_SAVE, 0, SMTO_NORMAL, 10000, &ignored);
  CDrawDoc saved;
  ASSERT_TRUE(saved.OnOpenDocument(home));
  EXPECT_EQ(400, saved.m_pageSize.cx) << "the saved page keeps its width";
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

namespace {

// The editor's settings key, where the gallery's folders and library live.
constexpr char kKordelDirPath[] = "Software\\Kelvane\\Kordel\\DirPath";

// Sets a value of the key for the test and puts the old one (or none) back afterwards.
class RegistryValue {
 public:
  RegistryValue(const char* entry, const CString& value) : m_entry(entry) {
    char old[MAX_PATH] = {};
    DWORD size = sizeof old;
    m_had = ::RegGetValueA(HKEY_CURRENT_USER, kKordelDirPath, entry, RRF_RT_REG_SZ, nullptr, old, &size) ==
            ERROR_SUCCESS;
    m_old = old;
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kKordelDirPath, entry, REG_SZ, value.GetString(),
                      static_cast<DWORD>(value.GetLength() + 1));
  }
  ~RegistryValue() {
    if (m_had)
      ::RegSetKeyValueA(HKEY_CURRENT_USER, kKordelDirPath, m_entry, REG_SZ, m_old.GetString(),
                        static_cast<DWORD>(m_old.GetLength() + 1));
    else
      ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kKordelDirPath, m_entry);
  }
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;

 private:
  const char* m_entry;
  bool m_had;
  CString m_old;
};

// The shown thumbnail window of the gallery panel, or null.
HWND ShownThumbnails(HWND panel) {
  for (HWND child = ::GetWindow(panel, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetDlgCtrlID(child) == IDC_THUMBNAILS && ::IsWindowVisible(child)) return child;
  return nullptr;
}

}  // namespace

TEST(KordelProgramTest, TheGalleryAppliesAPictureAndShowsAnExportedComponent) {
  constexpr COLORREF kShape = RGB(30, 160, 60), kPicture = RGB(220, 30, 30);
  TempFolder folder;
  const CString page = folder.File(L"gallery.rvx").c_str();
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    auto* o = new CDrawRect(CRect(-150, 100, -50, 0));
    o->m_name = "shape";
    o->m_brush.lbColor = kShape;
    o->m_outlined = 0;
    o->m_baseRect = o->GetDrawBounds();
    doc.m_objects.AddTail(o);
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  ::CreateDirectoryW((folder.Path() + L"\\pictures").c_str(), nullptr);
  folder.Write(L"pictures\\red.bmp", SolidBmpFile(40, 40, kPicture));
  const CString library = folder.File(L"parts.lib").c_str();
  RegistryValue pictures("Img", folder.File(L"pictures").c_str()), components("ObjLib", "");

  KordelProgram kordel("\"" + page + "\"");
  const EditorWindows windows = FindEditorWindows(kordel);
  HWND main = windows.main, view = windows.view;
  ASSERT_TRUE(main && view);
  HWND bar = ::GetDlgItem(main, ID_VIEW_PROGRAMME_BAR);
  ASSERT_TRUE(bar);
  if (!::IsWindowVisible(bar)) ::PostMessageA(main, WM_COMMAND, ID_VIEW_PROGRAMME_BAR, 0);
  ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(bar) != FALSE; }));
  HWND panel = ::GetWindow(bar, GW_CHILD), tabs = ::GetDlgItem(panel, IDC_GALLERY_TABS);
  ASSERT_TRUE(tabs);
  EXPECT_EQ(5, ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  RECT shape = {};
  ASSERT_TRUE(Eventually([&] { return ColourBox(kShape, &shape); })) << "the page is not shown";

  // A picture clicked with nothing selected becomes the page's background.
  const CRect page0 = ScreenRect(view, true);
  EXPECT_EQ(0, ColourCount("kordel-gallery-before.bmp", page0, kPicture));
  ::SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
  HWND thumbnails = nullptr;
  ASSERT_TRUE(Eventually([&] { return (thumbnails = ShownThumbnails(panel)) != nullptr; }));
  ::PostMessageA(thumbnails, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(33, 33));
  ::PostMessageA(thumbnails, WM_LBUTTONUP, 0, MAKELPARAM(33, 33));
  EXPECT_TRUE(Eventually([&] { return ColourCount("kordel-gallery-background.bmp", page0, kPicture) > 10000; }))
      << "the background is not the picture";

  // The shape exported as the first component of a new library.
  ASSERT_TRUE(Eventually([&] { return ColourBox(kShape, &shape); }));
  const POINT centre = {(shape.left + shape.right) / 2, (shape.top + shape.bottom) / 2};
  SendMouse(view, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  SendMouse(view, WM_LBUTTONUP, 0, centre);
  ::PostMessageA(main, WM_COMMAND, ID_EXPORT_COMPONENT, 0);
  HWND dialog = kordel.WaitForDialog(10000);
  ASSERT_TRUE(dialog) << "no output dialog";
  ::SendMessageA(::GetDlgItem(dialog, IDC_LIB_FILE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(library.GetString()));
  ::SendMessageA(::GetDlgItem(dialog, IDC_LIB_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("parts"));
  ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(Eventually([&] { return ::GetFileAttributesA(library) != INVALID_FILE_ATTRIBUTES; }))
      << "no library written";
  EXPECT_TRUE(Eventually([&] { return !::IsWindow(dialog); }));

  ::SendMessageA(tabs, TCM_SETCURFOCUS, 4, 0);
  ASSERT_TRUE(Eventually([&] {
    thumbnails = ShownThumbnails(panel);
    return thumbnails && ::GetDlgCtrlID(thumbnails) == IDC_THUMBNAILS &&
           ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 4;
  }));
  CRect cell = ScreenRect(thumbnails, true);
  cell = CRect(cell.left + 2, cell.top + 2, cell.left + 64, cell.top + 64);
  EXPECT_TRUE(Eventually([&] { return ColourCount("kordel-gallery-component.bmp", cell, kShape) > 1000; }))
      << "the component's thumbnail does not show the shape";

  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

namespace {

// The object of that name in the page, or null.
CDrawObj* Named(CDrawDoc& doc, const char* name) {
  for (POSITION pos = doc.m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(doc.m_objects.GetNext(pos));
    if (object->m_name == name) return object;
  }
  return nullptr;
}

void EndWithoutSaving(KordelProgram& kordel, HWND main) {
  ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  if (HWND box = kordel.WaitForDialog(3000)) ::PostMessageA(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(kordel.WaitForExit(15000));
}

}  // namespace

// The sample's home page edited with the mouse and the property bar: a click selects
// the sun, F4 shows its rows and a click on the value of "透明" makes it transparent;
// the title gets a motion along the orbit from the actions tab's rows; the save writes
// both, and the run moves the title until Esc puts it back.
TEST(KordelProgramTest, TheSunMadeTransparentAndTheTitleSentAlongTheOrbitAreSavedAndPlayed) {
  TempFolder folder;
  const CString home = folder.File(L"home.rvx").c_str();
  ASSERT_TRUE(::CopyFileA(SampleFolder() + "home.rvx", home, FALSE)) << SampleFolder().GetString();
  ASSERT_TRUE(::CopyFileA(SampleFolder() + "page2.rvx", folder.File(L"page2.rvx").c_str(), FALSE));
  constexpr COLORREF kPage = RGB(232, 244, 255), kSun = RGB(255, 200, 0), kTitle = RGB(40, 90, 170);

  KordelProgram kordel("\"" + home + "\"");
  const EditorWindows windows = FindEditorWindows(kordel);
  HWND main = windows.main, bar = windows.bar, view = windows.view, panel = windows.panel;
  ASSERT_TRUE(main && bar && view && panel);
  HWND combo = ::GetDlgItem(panel, IDC_PROPERTY_NAMES), tabs = ::GetDlgItem(panel, IDC_PROPERTY_TABS);
  HWND grid = ::GetDlgItem(tabs, 1001);
  ASSERT_TRUE(combo && tabs && grid);

  // The sun, in the middle of the page, selected by a click; F4 shows its rows.
  ASSERT_TRUE(Eventually([&] { return ScreenPixel(PagePointOnScreen(view, 0, 0)) == kSun; }))
      << "the sun is not in the middle of the page";
  Click(view, PagePointOnScreen(view, 0, 0));
  ::PostMessageA(view, WM_KEYDOWN, VK_F4, 1);
  ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(bar) != FALSE; })) << "F4 shows no property bar";
  ASSERT_TRUE(Eventually([&] { return WindowText(combo) == "太阳"; }))
      << "the click selected " << WindowText(combo).GetString();

  // "透明" is the third row: a click on its value turns it to 是, and the page shows
  // through the sun (away from the handle at its centre).
  RECT gridClient;
  ::GetClientRect(grid, &gridClient);
  const int split = static_cast<int>((8 + gridClient.right - 6) * 0.35);
  const LPARAM transparentValue = MAKELPARAM(split + 6, 6 + 2 * 18 + 8);
  ::PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, transparentValue);
  ::PostMessageA(grid, WM_LBUTTONUP, 0, transparentValue);
  EXPECT_TRUE(Eventually([&] { return ScreenPixel(PagePointOnScreen(view, 25, 25)) == kPage; }))
      << "the sun does not show the page through it";

  // The title selected, the actions tab, "轨道" chosen for the path of the default rows
  // (a translation; they offer the page's last trajectory, the curve) and "确认".
  const POINT titleCorner = PagePointOnScreen(view, -285, 262);  // clear of its caption
  ASSERT_EQ(kTitle, ScreenPixel(titleCorner));
  Click(view, titleCorner);
  ASSERT_TRUE(Eventually([&] { return WindowText(combo) == "标题"; }))
      << "the click selected " << WindowText(combo).GetString();
  ::SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0);
  ASSERT_TRUE(Eventually([&] { return ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 1; }));
  HWND actions = ::GetDlgItem(tabs, 1002);
  ASSERT_TRUE(actions);
  const LPARAM pathValue = MAKELPARAM(split + 6, 6 + 7 * 18 + 8);  // the eighth row
  // The rows are placed when the grid paints, which follows the tab's change: click
  // again until the list opens.
  HWND paths = nullptr;
  ASSERT_TRUE(Eventually([&] {
    ::PostMessageA(actions, WM_LBUTTONDOWN, MK_LBUTTON, pathValue);
    ::PostMessageA(actions, WM_LBUTTONUP, 0, pathValue);
    return Eventually([&] { return (paths = ::GetDlgItem(actions, kEditorId)) != nullptr; }, 300);
  })) << "no path list";
  EXPECT_STREQ("曲线", WindowText(paths));
  DWORD_PTR ignored;
  ::SendMessageTimeoutW(paths, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"\u8f68\u9053"),
                        SMTO_NORMAL, 5000, &ignored);
  ::SendMessageTimeoutW(paths, CB_SHOWDROPDOWN, FALSE, 0, SMTO_NORMAL, 5000, &ignored);
  EXPECT_STREQ("轨道", WindowText(paths));
  ::SendMessageTimeoutA(panel, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(panel, IDOK)), SMTO_NORMAL, 10000, &ignored);

  // The save writes both.
  ASSERT_TRUE(folder.Delete(L"home.rvx"));
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_FILE_SAVE, 0, SMTO_NORMAL, 10000, &ignored);
  {
    CDrawDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(home)) << "not saved";
    CDrawObj* sun = Named(saved, "太阳");
    CDrawObj* title = Named(saved, "标题");
    ASSERT_TRUE(sun && title);
    EXPECT_EQ(0, sun->m_filled);
    ASSERT_EQ(1, title->m_actions.GetSize());
    EXPECT_STREQ("平移运动1", title->m_actions[0].m_strName);
    EXPECT_EQ(CMethod::typeTranslate, title->m_actions[0].m_nType);
    EXPECT_STREQ("轨道", title->m_actions[0].m_strPath);
  }

  // F5: once the page has faded in, the whole title shows away from its place; Esc puts
  // it back.
  ::PostMessageA(view, WM_KEYDOWN, VK_F5, 1);
  ASSERT_TRUE(Eventually([&] { return ::GetMenu(main) == nullptr; })) << "F5 did not go full screen";
  RECT box = {};
  EXPECT_TRUE(Eventually(
      [&] {
        const POINT place = PagePointOnScreen(view, -285, 262);
        // Its height whole, its width perhaps cut by the page's edge.
        return ColourBox(kTitle, &box) && box.bottom - box.top >= 60 && box.right - box.left >= 300 &&
               !(place.x >= box.left && place.x <= box.right && place.y >= box.top && place.y <= box.bottom);
      },
      15000))
      << "the title stays where it was: (" << box.left << "," << box.top << "," << box.right << "," << box.bottom
      << ")";
  CaptureScreen("kordel-title-moved.bmp", RECT{0, 0, 1, 1});
  ::PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(Eventually([&] { return ::GetMenu(main) != nullptr; })) << "still full screen";
  EXPECT_TRUE(Eventually([&] { return ScreenPixel(PagePointOnScreen(view, -285, 262)) == kTitle; }))
      << "the title is not back in its place";
  EndWithoutSaving(kordel, main);
}

namespace {

// The visible child windows of a window.
std::vector<HWND> ShownChildren(HWND parent) {
  std::vector<HWND> shown;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child)) shown.push_back(child);
  return shown;
}

// The screen rectangle of a page rectangle in the view.
CRect PageRectOnScreen(HWND view, const CRect& page) {
  const POINT topLeft = PagePointOnScreen(view, page.left, page.top);
  const POINT bottomRight = PagePointOnScreen(view, page.right, page.bottom);
  return CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

// Where the object shows on the screen. The run places the page on a black screen in a
// place of its own: there the page (white, 640 x 480) is found on the screen first.
CRect ObjectOnScreen(HWND view, const CRect& object, bool running) {
  if (!running) return PageRectOnScreen(view, object);
  RECT page;
  if (!ColourBox(RGB(255, 255, 255), &page)) return CRect();
  const CPoint centre(page.left + 320, page.top + 240);
  return CRect(centre.x + object.left, centre.y - object.top, centre.x + object.right, centre.y - object.bottom);
}

// The one shown child of the view placed over the object, once there is one.
bool ClipWindowOver(HWND view, const CRect& object, HWND* clip, bool running = false) {
  return Eventually([&] {
    const std::vector<HWND> shown = ShownChildren(view);
    if (shown.size() != 1) return false;
    *clip = shown[0];
    return ::GetParent(shown[0]) == view && ScreenRect(shown[0]) == ObjectOnScreen(view, object, running);
  });
}

std::string Placement(HWND view, HWND clip, const CRect& object, bool running = false) {
  const CRect at = clip ? ScreenRect(clip) : CRect();
  const CRect want = ObjectOnScreen(view, object, running);
  char text[160];
  snprintf(text, sizeof text, "window %p at (%ld,%ld,%ld,%ld), object at (%ld,%ld,%ld,%ld)", static_cast<void*>(clip),
           at.left, at.top, at.right, at.bottom, want.left, want.top, want.right, want.bottom);
  return text;
}

}  // namespace

// The video tool's object takes the clip chosen by a double click and plays it in a
// child window over itself: in preview while editing until it is deselected, and from
// its play action in the run until Esc. (A playing clip reads black on Wine's virtual
// display: the window, its parent and its place are looked at, not its colours.)
TEST(KordelProgramTest, TheVideoToolsClipPlaysOverItsObjectInPreviewAndInTheRun) {
  TempFolder folder;
  const CString page = folder.File(L"video.rvx").c_str();
  {
    CDrawDoc doc;
    doc.SetPageSize(640, 480);
    ASSERT_TRUE(doc.OnSaveDocument(page));
  }
  const CString clip = folder.Write(L"clip.avi", videotest::AviFile(RGB(0, 0, 255), 39, 10)).c_str();
  const CRect object(-60, 40, 60, -40);
  {
    KordelProgram kordel("\"" + page + "\"");
    const EditorWindows windows = FindEditorWindows(kordel);
    HWND main = windows.main, view = windows.view;
    ASSERT_TRUE(main && view);
    DWORD_PTR ignored;
    ::SendMessageTimeoutA(main, WM_COMMAND, ID_TOOL_ANIMATION, 0, SMTO_NORMAL, 10000, &ignored);
    SendMouse(view, WM_LBUTTONDOWN, MK_LBUTTON, PagePointOnScreen(view, object.left, object.top));
    SendMouse(view, WM_MOUSEMOVE, MK_LBUTTON, PagePointOnScreen(view, object.right, object.bottom));
    SendMouse(view, WM_LBUTTONUP, 0, PagePointOnScreen(view, object.right, object.bottom));
    ::SendMessageTimeoutA(main, WM_COMMAND, ID_TOOL_SELECT, 0, SMTO_NORMAL, 10000, &ignored);

    // The double click's file dialog, answered with the clip.
    POINT centre = PagePointOnScreen(view, 0, 0);
    ::ScreenToClient(view, &centre);
    ::PostMessageA(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    HWND dialog = kordel.WaitForDialog();
    ASSERT_TRUE(dialog) << "no file dialog";
    EXPECT_STREQ("打开文件", WindowText(dialog));
    // The name box: explorer-style dialogs have a combo box, the older ones an edit.
    HWND name = ::GetDlgItem(dialog, 0x47c);
    if (!name) name = ::GetDlgItem(dialog, 0x480);
    ASSERT_TRUE(name);
    ::SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(codepage::ToWide(clip.str()).c_str()),
                          SMTO_NORMAL, 5000, &ignored);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(Eventually([&] { return !::IsWindow(dialog); })) << "the dialog stayed open";

    // Preview plays the clip over the object while editing; deselecting stops it.
    EXPECT_TRUE(ShownChildren(view).empty()) << "a clip window before anything plays";
    ::PostMessageA(main, WM_COMMAND, ID_PREVIEW, 0);
    HWND window = nullptr;
    EXPECT_TRUE(ClipWindowOver(view, object, &window))
        << "no clip window over the object in preview: " << Placement(view, window, object);
    Click(view, PagePointOnScreen(view, 250, -200));
    EXPECT_TRUE(Eventually([&] { return ShownChildren(view).empty(); })) << "deselecting does not stop the clip";

    ::SendMessageTimeoutA(main, WM_COMMAND, ID_FILE_SAVE, 0, SMTO_NORMAL, 10000, &ignored);
    ::PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_TRUE(kordel.WaitForExit(15000));
  }
  {
    // The tool's object, with the clip; a play action added to it from here.
    CDrawDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(page));
    ASSERT_EQ(1, saved.m_objects.GetCount());
    auto* video = dynamic_cast<CDrawAnimate*>(static_cast<CObject*>(saved.m_objects.GetHead()));
    ASSERT_NE(nullptr, video);
    EXPECT_STREQ("影像0", video->m_name);
    // Carried inside the page: the reader plays its own copy of the clip.
    EXPECT_TRUE(video->GetEmbedded().IsEmbedded());
    EXPECT_STREQ("\\clip.avi", video->GetFileName().Right(9));
    CMethod play;
    play.m_nType = CMethod::typePlayMedia;
    play.m_strName = "播放1";
    play.m_nStart = 0;
    play.m_nDuration = 100000;
    play.m_nActivation = 0;
    video->m_actions.Add(play);
    video->m_actionMask |= play.m_nType;
    ASSERT_TRUE(saved.OnSaveDocument(page));
  }

  // F5: the play action shows the clip over the object; Esc stops it.
  KordelProgram kordel("\"" + page + "\"");
  const EditorWindows windows = FindEditorWindows(kordel);
  HWND main = windows.main, view = windows.view;
  ASSERT_TRUE(main && view);
  EXPECT_TRUE(ShownChildren(view).empty());
  ::PostMessageA(view, WM_KEYDOWN, VK_F5, 1);
  ASSERT_TRUE(Eventually([&] { return ::GetMenu(main) == nullptr; })) << "F5 did not go full screen";
  HWND window = nullptr;
  EXPECT_TRUE(ClipWindowOver(view, object, &window, true))
      << "no clip window over the object in the run: " << Placement(view, window, object, true);
  ::PostMessageA(view, WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(Eventually([&] { return ::GetMenu(main) != nullptr; })) << "still full screen";
  EXPECT_TRUE(Eventually([&] { return ShownChildren(view).empty(); })) << "Esc leaves the clip playing";
  EndWithoutSaving(kordel, main);
}
