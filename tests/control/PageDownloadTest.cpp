// The control's document downloading its pages from a real web server on 127.0.0.1
// (tests/control/page-server.py, started by run-with-page-server): pages arrive and
// play, failures show the download error and leave the page shown, hostile bodies leave
// an empty page quietly, and a slow download never blocks the control's thread.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "control/PageSource.h"
#include "control/RaveloCtrl.h"
#include "tests/control/ControlPage.h"
#include "tests/control/CoursePages.h"
#include "tests/control/PageServer.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageFiles.h"

using namespace coursepages;

namespace {

class PageDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Running()) GTEST_SKIP() << "no page server (run through run-with-page-server)";
    server.Write("Course/Page1.rvx", OneRect(kGreen, "one", kRed));
    server.Write("Course/Page2.rvx", OneRect(kBlue, "two", kGreen));
    host = server.Url("/Course/index.htm");
  }
  // Waits until the document's download is over.
  bool Settled(ControlPage& page, DWORD ms = 10000) {
    return PumpUntil([&] { return !page.document.GetDownload().IsBound(); }, ms);
  }
  // A first page, played.
  void LoadFirst(ControlPage& page) {
    ASSERT_EQ(1, page.document.LoadPage(host, "Page1.rvx"));
    ASSERT_TRUE(Settled(page));
    ASSERT_EQ(CString("one"), FirstName(page.document));
    page.TakePageSizeMessage();
  }

  PageServer server;
  CString host;
  MessageBoxCapture boxes;
};

TEST_F(PageDownloadTest, APageUnderAWebHostIsAskedAsWrittenAndPlays) {
  ControlPage page;
  EXPECT_EQ(1, page.document.LoadPage(host, "Page1.rvx"));
  EXPECT_EQ(PageSource::webBase, page.document.GetBaseKind());
  ASSERT_TRUE(Settled(page));
  EXPECT_EQ((std::vector<std::string>{"/Course/Page1.rvx"}), server.Requests());
  EXPECT_EQ(CString("one"), FirstName(page.document));
  EXPECT_EQ(0, page.document.IsFirstLoad());
  EXPECT_EQ(CRaveloCtrl::MakePageSizeParam(200, 100), page.TakePageSizeMessage());
  EXPECT_TRUE(page.TakeTimer());
  PageBitmap shown(400, 300);
  page.Paint(shown);
  EXPECT_EQ(kRed, shown.At(0, 0));
  EXPECT_EQ(kGreen, shown.At(90, 40));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PageDownloadTest, FailuresShowTheErrorAndLeaveThePageShown) {
  const struct {
    const char* what;
    CString src;
  } rows[] = {
      {"server down", server.Url("/Course/Page2.rvx", server.DeadPort())},
      {"404: names keep their case", "page2.rvx"},
      {"500", server.Url("/~status=500/Course/Page2.rvx")},
      {"body cut short", server.Url("/~cut=40/Course/Page2.rvx")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ControlPage page;
    LoadFirst(page);
    const size_t before = boxes.boxes().size();
    const DWORD started = ::GetTickCount();
    EXPECT_EQ(1, page.document.LoadPage(host, row.src));
    ASSERT_TRUE(Settled(page));
    EXPECT_LT(::GetTickCount() - started, 8000u);
    ASSERT_EQ(before + 1, boxes.boxes().size());
    EXPECT_EQ(CString("错误!"), boxes.boxes().back().caption);
    EXPECT_FALSE(boxes.boxes().back().text.IsEmpty());
    // Nothing was parsed: the page shown plays on.
    EXPECT_EQ(CString("one"), FirstName(page.document));
    EXPECT_EQ(0, page.TakePageSizeMessage());
  }
}

TEST_F(PageDownloadTest, HostileBodiesLeaveAnEmptyPageQuietly) {
  const std::string good = OneRect(kBlue, "two", kGreen);
  std::string noise(3000, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919u + 13u) % 251u);
  server.Write("Course/empty.rvx", "");
  server.Write("Course/header.rvx", good.substr(0, 40));
  server.Write("Course/noise.rvx", noise);
  // The object count (before the first object's class: tag, schema, name length, name)
  // made two thousand million.
  std::string huge = good;
  const size_t className = huge.find("CDrawRect");
  ASSERT_NE(std::string::npos, className);
  ASSERT_EQ(std::string("\x01\x00", 2), huge.substr(className - 8, 2));
  huge.replace(className - 8, 2, std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6));
  server.Write("Course/huge.rvx", huge);
  const char* names[] = {"~html/Course/Page2.rvx", "Course/empty.rvx", "Course/header.rvx", "Course/noise.rvx",
                         "Course/huge.rvx"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    ControlPage page;
    LoadFirst(page);
    EXPECT_EQ(1, page.document.LoadPage(host, server.Url(CString("/") + name)));
    ASSERT_TRUE(Settled(page));
    EXPECT_EQ(0, page.ObjectCount());
    EXPECT_TRUE(boxes.boxes().empty());
  }

  // A body that never ends: the page shown stays and the control answers meanwhile;
  // closing the control's document ends the download without a word.
  ControlPage page;
  LoadFirst(page);
  EXPECT_EQ(1, page.document.LoadPage(host, server.Url("/~endless/Course/Page2.rvx")));
  EXPECT_FALSE(PumpUntil([&] { return !page.document.GetDownload().IsBound(); }, 1500));
  EXPECT_EQ(CString("one"), FirstName(page.document));
  page.document.GetDownload().Close();
  EXPECT_FALSE(page.document.GetDownload().IsBound());
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(CString("one"), FirstName(page.document));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PageDownloadTest, ASlowPageKeepsTheControlAnsweringAndOnlyTheLastAskedShows) {
  ControlPage page;
  LoadFirst(page);
  const CString slow = server.Url("/~delay=2000/Course/Page2.rvx");
  const DWORD started = ::GetTickCount();
  EXPECT_EQ(1, page.document.LoadPage(host, slow));
  EXPECT_LT(::GetTickCount() - started, 1000u) << "the load waits for nothing";
  // Meanwhile the old page plays and takes input.
  for (int i = 0; i < 5; ++i) page.view.OnPlayTick(kPlaybackTimerId);
  EXPECT_EQ(5, page.view.GetPlaybackClock());
  EXPECT_EQ(0, ::SendMessageA(page.window, WM_NULL, 0, 0));
  EXPECT_EQ(CString("one"), FirstName(page.document));
  ASSERT_TRUE(Settled(page));
  EXPECT_EQ(CString("two"), FirstName(page.document));
  EXPECT_EQ(0, page.view.GetPlaybackClock());

  // SRC changed while a slow page is on its way: only the last one shows.
  server.Write("Course/Page3.rvx", OneRect(kRed, "three", kBlue));
  EXPECT_EQ(1, page.document.LoadPage(host, server.Url("/~delay=1500/Course/Page1.rvx")));
  EXPECT_EQ(1, page.document.LoadPage(host, "Page3.rvx"));
  ASSERT_TRUE(Settled(page));
  EXPECT_EQ(CString("three"), FirstName(page.document));
  PumpUntil([] { return false; }, 2000);
  EXPECT_EQ(CString("three"), FirstName(page.document));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PageDownloadTest, AControlClosedMidDownloadEndsItSilently) {
  {
    ControlPage page;
    LoadFirst(page);
    EXPECT_EQ(1, page.document.LoadPage(host, server.Url("/~delay=800/Course/Page2.rvx")));
    PumpUntil([] { return false; }, 100);
  }
  PumpUntil([] { return false; }, 1500);
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PageDownloadTest, AJumpUnderAWebHostStandsStillUntilItsPageArrives) {
  server.Write("Course/Next.rvx", OneRect(kBlue, "next", kGreen));
  ControlPage page;
  LoadFirst(page);
  page.TakeTimer();
  page.view.GetRun().SetTimer(CMainView::kJumpPeriodMs);
  const size_t before = server.Requests().size();
  // The name goes to the server as written, against the hosting page's folder.
  ASSERT_TRUE(page.host.GoToPage("~delay=1000/Next.rvx"));
  EXPECT_TRUE(page.document.IsJumpPending());
  EXPECT_FALSE(page.TakeTimer()) << "timer 3 stopped while the page is on its way";
  // The same jump asked again (a time-based jump on every frame) is not asked anew.
  ASSERT_TRUE(page.host.GoToPage("~delay=1000/Next.rvx"));
  ASSERT_TRUE(Settled(page));
  std::vector<std::string> after = server.Requests();
  after.erase(after.begin(), after.begin() + static_cast<long>(before));
  EXPECT_EQ((std::vector<std::string>{"/Course/~delay=1000/Next.rvx"}), after);
  EXPECT_EQ(CString("next"), FirstName(page.document));
  EXPECT_FALSE(page.document.IsJumpPending());
  EXPECT_TRUE(page.TakeTimer());
  // Its frame 0 comes on the third tick.
  EXPECT_EQ(0, page.view.GetPlaybackClock());
}

}  // namespace
