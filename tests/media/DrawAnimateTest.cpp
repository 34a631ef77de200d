// The video object: which player a file goes to, its record, and clips played through
// DirectShow into a window of the test (uncompressed AVIs the test writes).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "framework/core/Archive.h"
#include "framework/core/ArchiveException.h"
#include "framework/ui/DC.h"
#include "media/DrawAnimate.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "tests/media/TempFolder.h"
#include "tests/media/VideoFiles.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

#include <dshow.h>

namespace {

void Pump(int milliseconds) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(10);
  } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

Bytes StorePage(CDrawDoc& page) {
  return StoreToBytes([&](CArchive& ar) {
    ar.m_pDocument = &page;
    page.Serialize(ar);
  });
}

void LoadPage(const Bytes& bytes, CDrawDoc& page) {
  LoadFromBytes(bytes, [&](CArchive& ar) {
    ar.m_pDocument = &page;
    page.Serialize(ar);
  });
}

template <typename T>
T* ObjectAt(CDrawDoc& page, int index) {
  POSITION pos = page.m_objects.FindIndex(index);
  return pos ? dynamic_cast<T*>(page.m_objects.GetAt(pos)) : nullptr;
}

// A host whose view is a real top-level window, as the video window needs an owner.
class WindowHost : public TestHost {
 public:
  WindowHost() {
    window = ::CreateWindowExA(0, "STATIC", "view", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 240, 200, nullptr,
                               nullptr, nullptr, nullptr);
  }
  ~WindowHost() override { ::DestroyWindow(window); }
  HWND GetViewWindow() override { return window; }
  HWND window = nullptr;
};

// The visible child windows of the view.
int VisibleChildren(HWND parent, HWND* last = nullptr) {
  int count = 0;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child)) {
      ++count;
      if (last) *last = child;
    }
  return count;
}

class VideoTest : public testing::Test {
 protected:
  void SetUp() override { ::CoInitialize(nullptr); }
  void TearDown() override { ::CoUninitialize(); }
  // Draws the object as a view paints it.
  void Paint(CDrawAnimate& video) {
    MemoryBitmap bitmap(64, 64);
    CDC dc(bitmap.dc());
    video.DrawObject(&dc, nullptr);
  }
  LONGLONG Position(CDrawAnimate& video) {
    LONGLONG position = -1;
    auto seeking = ComPtr<IGraphBuilder>::share(video.GetGraph()).as<IMediaSeeking>(IID_IMediaSeeking);
    if (seeking) seeking->GetCurrentPosition(&position);
    return position;
  }

  TempFolder m_files;
};

}  // namespace

TEST(DrawAnimate, ThePlayerIsChosenByTheExtension) {
  const struct {
    const char* file;
    AnimatePlayer player;
  } rows[] = {
      {"c:\\v\\a.avi", AnimatePlayer::graph},  {"A.AVI", AnimatePlayer::graph},
      {"a.mpg", AnimatePlayer::graph},         {"A.MPG", AnimatePlayer::graph},
      {"a.mpeg", AnimatePlayer::graph},        {"a.dat", AnimatePlayer::graph},
      {"a.swf", AnimatePlayer::flash},         {"A.SWF", AnimatePlayer::flash},
      {"a.rm", AnimatePlayer::realPlayer},     {"a.ra", AnimatePlayer::realPlayer},
      {"c:\\v\\clip", AnimatePlayer::realPlayer},
  };
  for (const auto& row : rows) EXPECT_EQ(row.player, AnimatePlayerFor(row.file)) << row.file;
  // Whole seconds only: 3.9 s is 54 ticks, half a second none.
  EXPECT_EQ(54, AnimateTicksOf(39000000));
  EXPECT_EQ(0, AnimateTicksOf(5000000));
  EXPECT_EQ(18, AnimateTicksOf(10000000));
  EXPECT_EQ(0, AnimateTicksOf(-1));
}

TEST(DrawAnimate, TheRecordKeepsTheSettingsInOrderAndTheName) {
  CDrawDoc page;
  auto* video = new CDrawAnimate(CRect(0, 40, 60, 0));
  video->m_name = "影像0";
  EXPECT_EQ(0u, video->m_setting0);
  EXPECT_EQ(1u, video->m_setting2);
  EXPECT_EQ(0u, video->m_setting3);
  video->m_setting0 = 7;
  video->m_setting2 = 8;
  video->m_setting3 = 9;
  video->SetMediaFile("Clip.AVI");
  EXPECT_STREQ("clip.avi", video->GetFileName());
  page.m_objects.AddTail(video);
  auto* sentinel = new CDrawRect(CRect(-7, 9, 11, -13));
  sentinel->m_name = "sentinel";
  page.m_objects.AddTail(sentinel);

  const Bytes record = StoreToBytes([&](CArchive& ar) { video->Serialize(ar); });
  Bytes tail;
  AppendDword(tail, 7);
  AppendDword(tail, 8);
  AppendDword(tail, 9);
  AppendText(tail, std::string("\x08") + "clip.avi");
  ASSERT_GE(record.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), record.end() - static_cast<std::ptrdiff_t>(tail.size())));

  const Bytes bytes = StorePage(page);
  CDrawDoc loaded(CDrawDoc::Reader::player);
  LoadPage(bytes, loaded);
  auto* back = ObjectAt<CDrawAnimate>(loaded, 0);
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(7u, back->m_setting0);
  EXPECT_EQ(8u, back->m_setting2);
  EXPECT_EQ(9u, back->m_setting3);
  EXPECT_STREQ("clip.avi", back->GetFileName());
  auto* sentinelBack = ObjectAt<CDrawRect>(loaded, 1);
  ASSERT_NE(nullptr, sentinelBack);
  EXPECT_EQ(CRect(-7, 9, 11, -13), sentinelBack->m_position);

  // A record cut anywhere in its own fields is refused as damage, never half-read.
  const auto at = std::search(bytes.begin(), bytes.end(), tail.begin(), tail.end());
  ASSERT_NE(bytes.end(), at);
  for (size_t cut = 1; cut < tail.size(); cut += 3) {
    const Bytes cutBytes(bytes.begin(), at + static_cast<std::ptrdiff_t>(cut));
    CDrawDoc damaged(CDrawDoc::Reader::player);
    EXPECT_THROW(LoadPage(cutBytes, damaged), CArchiveException) << cut;
  }
  // A name length past the end is damage too.
  Bytes huge = bytes;
  huge[static_cast<size_t>(at - bytes.begin()) + 12] = 0xFF;
  CDrawDoc damaged(CDrawDoc::Reader::player);
  EXPECT_THROW(LoadPage(huge, damaged), CArchiveException);
}

TEST_F(VideoTest, AnEmbeddedClipIsPlayedFromTheReadersCopy) {
  const videotest::Bytes clip = videotest::AviFile(RGB(0, 0, 255), 5, 10);
  const CString source = m_files.Write(L"clip.avi", clip).c_str();
  CDrawDoc page;
  auto* video = new CDrawAnimate(CRect(0, 40, 60, 0));
  video->SetMediaFile(source);
  page.m_objects.AddTail(video);
  const Bytes bytes = StorePage(page);
  CDrawDoc loaded(CDrawDoc::Reader::player);
  LoadPage(bytes, loaded);
  auto* back = ObjectAt<CDrawAnimate>(loaded, 0);
  ASSERT_NE(nullptr, back);
  EXPECT_TRUE(back->GetEmbedded().IsEmbedded());
  EXPECT_STRNE(source, back->GetPlayPath());
  EXPECT_EQ("\\clip.avi", std::string(back->GetPlayPath().Right(9)));
}

TEST_F(VideoTest, AClipPlaysInAChildOfTheViewOverTheObject) {
  WindowHost host;
  const CString path = m_files.Write(L"blue.avi", videotest::AviFile(RGB(0, 0, 255), 39, 10)).c_str();
  CDrawAnimate video(CRect(20, -30, 120, -130));
  video.SetMediaFile(path);
  MessageBoxCapture boxes;
  Paint(video);
  ASSERT_TRUE(video.HasGraph());
  EXPECT_EQ(54, video.GetPlayLength());
  EXPECT_EQ(0, VisibleChildren(host.window));

  video.Play(FALSE);
  EXPECT_TRUE(video.IsPlaying());
  HWND child = nullptr;
  ASSERT_EQ(1, VisibleChildren(host.window, &child));
  EXPECT_EQ(host.window, ::GetParent(child));
  CRect placed;
  ::GetWindowRect(child, &placed);
  ::MapWindowPoints(nullptr, host.window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(CRect(20, 30, 120, 130), placed);
  Pump(600);
  EXPECT_GT(Position(video), 0);
  // Moving the object moves its window.
  video.SetRect(CRect(40, -30, 140, -130), nullptr);
  ::GetWindowRect(child, &placed);
  ::MapWindowPoints(nullptr, host.window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(CRect(40, 30, 140, 130), placed);

  // A loop's pass starts it over.
  video.RestartMedia();
  EXPECT_LT(Position(video), 2000000);

  video.Stop(FALSE);
  EXPECT_FALSE(video.IsPlaying());
  EXPECT_EQ(0, VisibleChildren(host.window));
  EXPECT_EQ(0, Position(video));
  EXPECT_TRUE(video.HasGraph());
  video.Stop(TRUE);
  EXPECT_FALSE(video.HasGraph());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(VideoTest, AClipUnderASecondHasNoPlayLength) {
  WindowHost host;
  const CString path = m_files.Write(L"short.avi", videotest::AviFile(RGB(0, 255, 0), 5, 10)).c_str();
  CDrawAnimate video(CRect(0, 0, 50, -50));
  video.SetMediaFile(path);
  Paint(video);
  ASSERT_TRUE(video.HasGraph());
  EXPECT_EQ(0, video.GetPlayTicks());
}

TEST_F(VideoTest, AClipThatCannotBeRenderedShowsOneBoxAfterThePaintAndNothingElse) {
  WindowHost host;
  videotest::Bytes cut = videotest::AviFile(RGB(255, 0, 0), 39, 10);
  cut.resize(cut.size() / 3);
  videotest::Bytes noise(4000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<BYTE>(i * 7919 >> 3);
  const struct {
    const wchar_t* name;
    videotest::Bytes bytes;
    bool write;
  } rows[] = {
      {L"empty.avi", {}, true},
      {L"noise.avi", noise, true},
      {L"cut.avi", cut, true},
      {L"missing.avi", {}, false},
  };
  for (const auto& row : rows) {
    const CString path =
        row.write ? CString(m_files.Write(row.name, row.bytes).c_str()) : CString(m_files.File(row.name).c_str());
    SCOPED_TRACE(path.GetString());
    CDrawAnimate video(CRect(0, 0, 50, -50));
    video.SetMediaFile(path);
    MessageBoxCapture boxes;
    Paint(video);
    // Not from inside the paint.
    EXPECT_TRUE(boxes.boxes().empty());
    Pump(100);
    Paint(video);
    Paint(video);
    video.Play(TRUE);
    Pump(100);
    if (video.HasGraph()) {
      // A cut clip may still render what it has: then it plays, with no box.
      EXPECT_TRUE(boxes.boxes().empty());
      video.Stop(TRUE);
      continue;
    }
    EXPECT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(0, VisibleChildren(host.window));
    EXPECT_EQ(0, video.GetPlayLength());
    // Another file is tried again.
    video.SetMediaFile(path.Left(path.GetLength() - 4) + "2.avi");
    Paint(video);
    Pump(100);
    EXPECT_EQ(2u, boxes.boxes().size());
  }
}
