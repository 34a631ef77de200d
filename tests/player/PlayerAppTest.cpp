// The application's refusal to start without GDI+, the icon layout publishing relies on,
// and the host services the object model reaches the player through.
#include <gtest/gtest.h>

#include "tests/player/PlayerFixture.h"
#include "tests/support/MessageBoxCapture.h"

using namespace playertest;

namespace {

TEST(PlayerApp, WithoutGdiplusItSaysSoAndDoesNotStart) {
  struct CNoGdiplusApp : CPlayerApp {
    BOOL StartGdiplus() override { return FALSE; }
  } app;
  MessageBoxCapture boxes;
  EXPECT_FALSE(app.InitInstance());
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("请先安装GDI+再运行"), boxes.boxes()[0].text);
  EXPECT_EQ(nullptr, app.m_pMainWnd);
}

// Publishing writes a chosen icon into the first two icon images of every copy: the
// 32 x 32 and 16 x 16 images of 4 bits per pixel of the first icon group.
TEST(PlayerApp, ThePackageIconIsTheFirstIconGroupWithTwoSixteenColourImages) {
  std::string exe = MIRABO_EXE;
  for (char& c : exe)
    if (c == '/') c = '\\';
  HMODULE module = ::LoadLibraryExA(("Z:" + exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  struct First {
    LPSTR name = nullptr;
  } first;
  ::EnumResourceNamesA(
      module, RT_GROUP_ICON,
      [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
        reinterpret_cast<First*>(param)->name = name;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&first));
  EXPECT_TRUE(IS_INTRESOURCE(first.name) && reinterpret_cast<UINT_PTR>(first.name) == IDI_PACKAGE);
  const struct {
    int id, size;
    DWORD bytes;
  } images[] = {{1, 32, 744}, {2, 16, 296}};
  for (const auto& image : images) {
    SCOPED_TRACE(image.id);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(image.id), RT_ICON);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(image.bytes, ::SizeofResource(module, found));
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(module, found)));
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(image.size, header->biWidth);
    EXPECT_EQ(2 * image.size, header->biHeight);
    EXPECT_EQ(4, header->biBitCount);
  }
  ::FreeLibrary(module);
}

class PlayerHostTest : public PlayerTest {};

TEST_F(PlayerHostTest, ServesTheObjectModelFromTheView) {
  Open({{"home.rvx", PageBytes(RGB(255, 255, 255))}});
  CPlayerProbe* a = AddProbe("A");
  CPlayerProbe* b = AddProbe("B");
  AddProbe("C");
  CDrawHost* host = GetDrawHost();
  ASSERT_NE(nullptr, host);
  EXPECT_EQ(view, host->GetActiveView());
  EXPECT_EQ(doc, host->GetDocument());
  EXPECT_EQ(kModeRunning, host->GetMode());
  EXPECT_EQ(3, host->GetPageObjectCount());
  EXPECT_EQ(b, host->FindObjectByName("B", 0));
  EXPECT_EQ(nullptr, host->FindObjectByName("b", 0));

  // The layer actions: one object selected, moved one place at a time.
  host->SelectObject(a, FALSE);
  EXPECT_TRUE(host->IsSelected(a));
  host->MoveSelectedForward();
  EXPECT_EQ((std::vector<CString>{"B", "A", "C"}), PageObjectNames());
  host->MoveSelectedBackward();
  host->MoveSelectedBackward();  // already at the back
  EXPECT_EQ((std::vector<CString>{"A", "B", "C"}), PageObjectNames());
  host->SelectObject(nullptr, FALSE);
  EXPECT_FALSE(host->IsSelected(a));

  // The exit action asks the view to end the run.
  host->PostExitCommand();
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(UINT(kExitRunCommand), LOWORD(msg.wParam));

  // The view gone, the host is gone from the thread.
  frame->DestroyWindow();
  EXPECT_EQ(nullptr, GetDrawHost());
}

}  // namespace
