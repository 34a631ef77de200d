// A video on a played page: its play action shows the clip in a child of the view over
// the object, and leaving the page takes the window away; a click on a movie's player
// window still reaches the page.
#include <gtest/gtest.h>

#include "media/DrawAnimate.h"
#include "framework/ui/DC.h"
#include "media/ShockwaveFlash.h"
#include "model/HPEvent.h"
#include "tests/media/VideoFiles.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestControlHost.h"

using namespace playertest;

namespace {

class PlayerVideoTest : public PlayerTest {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    PlayerTest::SetUp();
  }
  void TearDown() override {
    PlayerTest::TearDown();
    ::CoUninitialize();
  }
};

HWND ShownChild(HWND parent) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) return child;
  return nullptr;
}

}  // namespace

TEST_F(PlayerVideoTest, APlayActionShowsTheClipInAChildOfTheView) {
  const videotest::Bytes clip = videotest::AviFile(RGB(0, 0, 255), 39, 10);
  const CString path = folder / "clip.avi";
  WriteFileBytes(path, std::string(clip.begin(), clip.end()));
  Open({{"home.rvx", PageBytes(RGB(255, 255, 255), [&](CDrawDoc& page) {
           auto* video = new CDrawAnimate(CRect(-50, 40, 50, -40));
           video->m_name = "video";
           video->SetMediaFile(path);
           AddAction(*video, MakeAction(CMethod::typePlayMedia, "play", 0, 100000));
           page.m_objects.AddTail(video);
         })}});
  ASSERT_EQ(1, doc->m_objects.GetCount());
  auto* video = dynamic_cast<CDrawAnimate*>(static_cast<CDrawObj*>(doc->m_objects.GetHead()));
  ASSERT_NE(nullptr, video);
  EXPECT_EQ(nullptr, ShownChild(view->m_hWnd));
  Tick(6);
  EXPECT_TRUE(video->IsPlaying());
  EXPECT_EQ(54, video->GetPlayTicks());
  HWND child = ShownChild(view->m_hWnd);
  ASSERT_NE(nullptr, child);
  CRect placed;
  ::GetWindowRect(child, &placed);
  ::MapWindowPoints(nullptr, view->m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
  CRect expected(view->PageToClient(CPoint(-50, 40)), view->PageToClient(CPoint(50, -40)));
  expected.NormalizeRect();
  EXPECT_EQ(expected, placed);
  frame->DestroyWindow();
  EXPECT_FALSE(::IsWindow(child));
}

// The player window (the test control in place of Flash) covers the video object; a
// click in it is passed on to the view, whose run gives it to the object beneath: that
// object's left-button event arms the ability of another.
TEST_F(PlayerVideoTest, AClickOnAHostedPlayerReachesTheLeftButtonEventOfTheObjectBeneath) {
  ASSERT_TRUE(testcontrol::Register());
  testcontrol::Reset();
  Open({{"home.rvx", PageBytes(RGB(255, 255, 255))}});
  auto* video = new CDrawAnimate(CRect(-50, 40, 50, -40));
  video->m_name = "movie";
  video->SetPlayerClassIds(CLSID_TestControl, CLSID_TestControl);
  video->SetMediaFile("c:\\movies\\intro.swf");
  AddEvent(*video, 1u << CHPEvent::triggerLeftButtonUp, "B", "show");
  doc->m_objects.AddTail(video);
  CPlayerProbe* b = AddProbe("B", CRect(150, 10, 170, -10));
  AddAction(*b, MakeAction(CMethod::typeShowHide, "show", 0, 10, -1));
  ASSERT_TRUE(view->StartObjects());
  {
    // A paint makes the player over the object.
    CRect client;
    view->GetClientRect(&client);
    MemoryBitmap bitmap(client.Width(), client.Height());
    CDC dc(bitmap.dc());
    view->OnPrepareDC(&dc);
    view->OnDraw(&dc);
  }
  ASSERT_NE(nullptr, video->GetFlashWindow());
  HWND control = testcontrol::Window();
  ASSERT_NE(nullptr, control);
  ASSERT_TRUE(::IsChild(view->m_hWnd, control));
  ASSERT_LT(b->m_actions[0].m_nActivation, 0);

  // The middle of the player, as the mouse would deliver it there; the loop's
  // pre-translation is what passes it on.
  ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 40));
  ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(50, 40));
  MSG msg;
  for (int handled = 0; handled < 200 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
    if (!app->PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  EXPECT_GE(b->m_actions[0].m_nActivation, 0) << "the click did not reach the video's left-button event";
}
