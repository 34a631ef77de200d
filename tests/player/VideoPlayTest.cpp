// A video on a played page: its play action shows the clip in a child of the view over
// the object, and leaving the page takes the window away.
#include <gtest/gtest.h>

#include "media/DrawAnimate.h"
#include "tests/media/VideoFiles.h"
#include "tests/player/PlayerFixture.h"

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
