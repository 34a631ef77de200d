// The control's document reading pages from disk: the first load sizes the control and
// starts the page, a reload replaces it, damaged and missing pages leave an empty page
// quietly, and jumps resolve against the folder of the first page.
#include <gtest/gtest.h>

#include <string>

#include "control/PageSource.h"
#include "control/RaveloCtrl.h"
#include "tests/control/ControlPage.h"
#include "tests/control/CoursePages.h"
#include "tests/package/PackageFixture.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageFiles.h"

using packagetest::TempFolder;
using packagetest::WriteFileBytes;
using namespace coursepages;

namespace {

// A course folder with a blank in its name, as a browser gives its address.
class PageLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    course = folder / "My Course";
    ::CreateDirectoryA(course, nullptr);
    ::CreateDirectoryA(course + "\\Sub", nullptr);
    WriteFileBytes(course + "\\Page1.rvx", OneRect(kGreen, "one", kRed));
    WriteFileBytes(course + "\\Page2.rvx", OneRect(kBlue, "two", kGreen));
    WriteFileBytes(course + "\\Sub\\Page3.rvx", OneRect(kRed, "three", kBlue));
    CString slashed = course;
    slashed.Replace("\\", "/");
    slashed.Replace(" ", "%20");
    hostAddress = "file:///" + slashed + "/index.htm";
  }

  TempFolder folder;
  CString course;
  CString hostAddress;
  MessageBoxCapture boxes;
};

TEST_F(PageLoadTest, FirstLoadSizesTheControlStartsTheClockAndShowsThePage) {
  ControlPage page;
  ASSERT_EQ(1, page.document.LoadPage(hostAddress, "Page1.RVX"));
  EXPECT_EQ(0, page.document.IsFirstLoad());
  EXPECT_EQ(CRaveloCtrl::MakePageSizeParam(200, 100), page.TakePageSizeMessage());
  EXPECT_TRUE(page.TakeTimer());
  EXPECT_EQ(0, page.view.GetPlaybackClock());
  CString base = course + "\\";
  base.MakeLower();
  EXPECT_EQ(base, GetThreadContextMap().GetBaseUrl());
  EXPECT_EQ(PageSource::driveBase, page.document.GetBaseKind());

  PageBitmap shown(400, 300, RGB(1, 2, 3));
  page.Paint(shown);
  EXPECT_EQ(kRed, shown.At(0, 0));
  EXPECT_EQ(kGreen, shown.At(90, 40));
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PageLoadTest, ReloadReplacesThePageAndRestartsTheClock) {
  ControlPage page;
  ASSERT_EQ(1, page.document.LoadPage(hostAddress, "page1.rvx"));
  page.TakePageSizeMessage();
  for (int i = 0; i < 5; ++i) page.view.OnPlayTick(kPlaybackTimerId);
  ASSERT_EQ(5, page.view.GetPlaybackClock());

  ASSERT_EQ(1, page.document.LoadPage(hostAddress, "page2.rvx"));
  EXPECT_EQ(1, page.ObjectCount());
  EXPECT_EQ(CString("two"), FirstName(page.document));
  EXPECT_EQ(kBlue, page.document.m_backColour);
  EXPECT_EQ(0, page.view.GetPlaybackClock());
  EXPECT_TRUE(page.view.IsPlaybackBreak());
  EXPECT_NE(0, page.TakePageSizeMessage());
  EXPECT_TRUE(page.TakeTimer());
}

TEST_F(PageLoadTest, DamagedAndMissingPagesLeaveAnEmptyPageQuietly) {
  const std::string good = OneRect(kGreen, "one", kRed);
  std::string badSignature = good;
  for (size_t i = 0; i < 8 && i < badSignature.size(); ++i) badSignature[i] = static_cast<char>(~badSignature[i]);
  std::string noise(5000, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919u + 13u) % 251u);
  const struct {
    const char* what;
    std::string bytes;
  } rows[] = {
      {"bad signature", badSignature},
      {"cut after its header", good.substr(0, 40)},
      {"cut in half", good.substr(0, good.size() / 2)},
      {"empty", ""},
      {"random bytes", noise},
      {"an HTML page", "<html><body>404 Not Found</body></html>"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    WriteFileBytes(course + "\\bad.rvx", row.bytes);
    ControlPage page;
    // The first load of a damaged page gives no size and no clock.
    EXPECT_EQ(0, page.document.LoadPage(hostAddress, "bad.rvx"));
    EXPECT_EQ(0, page.TakePageSizeMessage());
    EXPECT_FALSE(page.TakeTimer());
    EXPECT_EQ(1, page.document.IsFirstLoad());
    // After a good page, the damaged one leaves the page empty.
    ASSERT_EQ(1, page.document.LoadPage(hostAddress, "page1.rvx"));
    EXPECT_EQ(0, page.document.LoadPage(hostAddress, "bad.rvx"));
    EXPECT_EQ(0, page.ObjectCount());
    EXPECT_FALSE(page.TakeTimer());
  }
  ControlPage page;
  EXPECT_EQ(0, page.document.LoadPage(hostAddress, "missing.rvx"));
  EXPECT_EQ(0, page.ObjectCount());
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(PageLoadTest, JumpsResolveAgainstTheFirstPagesFolder) {
  ControlPage page;
  // No page yet: no folder to resolve against.
  EXPECT_FALSE(page.host.GoToPage("page2.rvx"));

  ASSERT_EQ(1, page.document.LoadPage(hostAddress, "page1.rvx"));
  page.TakeTimer();
  ASSERT_TRUE(page.host.GoToPage("Sub/Page3.rvx"));
  EXPECT_EQ(CString("three"), FirstName(page.document));
  EXPECT_TRUE(page.TakeTimer());

  // A name that names nothing empties the page; one refused leaves it playing.
  EXPECT_FALSE(page.host.GoToPage("nothing.rvx"));
  EXPECT_EQ(0, page.ObjectCount());
  EXPECT_FALSE(page.TakeTimer());
  ASSERT_TRUE(page.host.GoToPage("page2.rvx"));
  page.TakeTimer();
  EXPECT_FALSE(page.host.GoToPage(""));
  EXPECT_EQ(CString("two"), FirstName(page.document));
  EXPECT_TRUE(page.TakeTimer());
}

TEST_F(PageLoadTest, APageFromTheWebReachesNoLocalFile) {
  ControlPage page;
  EXPECT_EQ(0, page.document.LoadPage("http://127.0.0.1:9/course/index.htm", course + "\\page1.rvx"));
  EXPECT_EQ(0, page.ObjectCount());
  EXPECT_EQ(PageSource::webBase, page.document.GetBaseKind());
  EXPECT_EQ(0, page.document.LoadPage("ftp://h/index.htm", course + "\\page1.rvx"));
  EXPECT_EQ(0, page.ObjectCount());
}

}  // namespace
