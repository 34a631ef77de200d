// The control hosted as a program hosts it, its SRC set by script: pages come from the
// local web server or from disk, play on the control's own timer, a click on a
// page-switch object brings the next page, a typed answer reaches the text's events,
// and a page from the web may not start a program.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/Codepage.h"
#include "framework/ui/DC.h"
#include "model/DrawText.h"
#include "model/Method.h"
#include "resources/ModelStrings.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/control/ControlPage.h"
#include "tests/control/HelperProgram.h"
#include "tests/control/HostedControl.h"
#include "tests/control/PageServer.h"
#include "tests/package/PackageFixture.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageFiles.h"

using pagefiles::FilledRect;
using pagefiles::JumpOnClick;
using pagefiles::PageBytes;

namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 160);
constexpr COLORREF kYellow = RGB(220, 220, 0);

// Page1: a red square on green that jumps to Page2.rvx when clicked; Page2: green on blue.
std::string JumpingPage() {
  return PageBytes(200, 100, kGreen, [](CDrawDoc& page) {
    CDrawRect* square = FilledRect("one", CRect(-20, 20, 20, -20), kRed);
    JumpOnClick(*square, "Page2.rvx");
    page.m_objects.AddTail(square);
  });
}

std::string TargetPage() {
  return PageBytes(200, 100, kBlue,
                   [](CDrawDoc& page) { page.m_objects.AddTail(FilledRect("two", CRect(-20, 20, 20, -20), kGreen)); });
}

COLORREF CentreColour(HostedControl& hosted) {
  RECT client = {};
  ::GetClientRect(hosted.window, &client);
  PageBitmap shown(client.right, client.bottom, RGB(1, 2, 3));
  PaintView(*hosted.View(), shown);
  return shown.At(0, 0);
}

bool Shows(HostedControl& hosted, const char* name) {
  return PumpUntil(
      [&] { return hosted.FirstName() == name && !hosted.Document()->GetDownload().IsBound(); }, 10000);
}

std::wstring Wide(const CString& text) { return codepage::ToWide(text.str()); }

// A page hosted from file: the same pages from disk.
std::wstring FileHostOf(const CString& folder) {
  CString slashed = folder;
  slashed.Replace("\\", "/");
  return Wide("file:///" + slashed + "/index.htm");
}

class ControlEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Running()) GTEST_SKIP() << "no page server (run through run-with-page-server)";
    server.Write("Course/Page1.rvx", JumpingPage());
    server.Write("Course/Page2.rvx", TargetPage());
  }
  // Page1 shown under the host, then its square clicked: Page2 shows.
  void PlayAndJump(const std::wstring& host) {
    HostedControl hosted(host.c_str());
    ASSERT_TRUE(hosted.control);
    ASSERT_EQ(S_OK, hosted.SetSRC(L"Page1.rvx"));
    ASSERT_TRUE(Shows(hosted, "one"));
    EXPECT_EQ(kRed, CentreColour(hosted));
    hosted.Click(hosted.Centre());
    ASSERT_TRUE(Shows(hosted, "two"));
    EXPECT_EQ(kGreen, CentreColour(hosted));
    EXPECT_TRUE(boxes.boxes().empty());
  }

  PageServer server;
  MessageBoxCapture boxes;
};

TEST_F(ControlEndToEnd, PagesUnderAWebHostComeFromTheServerAsWritten) {
  PlayAndJump(Wide(server.Url("/Course/index.htm")));
  EXPECT_EQ((std::vector<std::string>{"/Course/Page1.rvx", "/Course/Page2.rvx"}), server.Requests());
}

TEST_F(ControlEndToEnd, PagesUnderAFileHostComeFromDisk) {
  const size_t asked = server.Requests().size();
  CString course = server.Root() + "\\Course";
  PlayAndJump(FileHostOf(course));
  EXPECT_EQ(asked, server.Requests().size());
}

TEST_F(ControlEndToEnd, APageFromTheWebStartsNoProgram) {
  HelperProgram helper;
  server.Write("Course/Run.rvx", PageBytes(200, 100, kGreen, [&](CDrawDoc& page) {
                 CDrawRect* runner = FilledRect("runner", CRect(-20, 20, 20, -20), kRed);
                 CMethod run = MakeAction(CMethod::typeRunProgram, "run", 0, 10, 0);
                 run.m_strTarget = CString(codepage::FromWide(helper.program));
                 AddAction(*runner, run);
                 page.m_objects.AddTail(runner);
               }));
  HostedControl hosted(Wide(server.Url("/Course/index.htm")).c_str());
  ASSERT_EQ(S_OK, hosted.SetSRC(L"Run.rvx"));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.boxes().empty(); }, 10000));
  CString refused;
  refused.LoadString(IDS_PROGRAM_REFUSED);
  EXPECT_EQ(0, boxes.boxes()[0].text.Find(refused.Left(refused.Find('%'))));
  PumpUntil([] { return false; }, 500);
  EXPECT_FALSE(helper.Ran());
}

// The text's answer box inside the control's window (pages from disk, no server).
class ControlEditBox : public ::testing::Test {
 protected:
  void SetUp() override {
    // A text that takes input; Enter jumps to the page named by the typed text.
    packagetest::WriteFileBytes(folder / "page1.rvx", PageBytes(200, 100, kYellow, [](CDrawDoc& page) {
                                  auto* answer = new CDrawText(CRect(-60, 20, 60, -20));
                                  answer->m_name = "answer";
                                  answer->m_textInput = 1;
                                  CMethod jump = MakeAction(CMethod::typePageSwitch, "jump", 0, 0, -1);
                                  jump.m_nByEvent = 1;
                                  jump.m_nMode = 1;
                                  jump.m_strTarget = "nowhere";
                                  AddAction(*answer, jump);
                                  AddEvent(*answer, 1u << 9, "answer", "jump");
                                  page.m_objects.AddTail(answer);
                                }));
    packagetest::WriteFileBytes(folder / "page2.rvx", TargetPage());
  }

  packagetest::TempFolder folder;
  MessageBoxCapture boxes;
};

TEST_F(ControlEditBox, EnterInTheBoxFiresTheTextsEventWithTheTypedText) {
  HostedControl hosted(FileHostOf(folder.Path()).c_str());
  ASSERT_EQ(S_OK, hosted.SetSRC(L"page1.rvx"));
  ASSERT_TRUE(Shows(hosted, "answer"));
  hosted.Click(hosted.Centre());
  const HWND box = ::GetDlgItem(hosted.window, 2222);
  ASSERT_TRUE(box) << "the box is a child of the control's window";
  EXPECT_EQ(0x50000044u, static_cast<DWORD>(::GetWindowLongPtrA(box, GWL_STYLE)) & 0x50000044u);

  // Its colours are asked through the control: the page's background, a new brush each time.
  HDC dc = ::GetDC(box);
  auto colourRequest = [&] {
    return reinterpret_cast<HBRUSH>(
        ::SendMessageA(hosted.window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
  };
  const HBRUSH first = colourRequest();
  LOGBRUSH brush = {};
  ASSERT_EQ(static_cast<int>(sizeof brush), ::GetObjectA(first, sizeof brush, &brush));
  EXPECT_EQ(kYellow, brush.lbColor);
  EXPECT_EQ(kYellow, ::GetBkColor(dc));
  const HBRUSH second = colourRequest();
  EXPECT_NE(nullptr, second);
  EXPECT_EQ(0u, ::GetObjectType(first)) << "the previous brush is deleted";
  ::ReleaseDC(box, dc);

  ::SetWindowTextA(box, "Page2");
  ::SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  ::SendMessageA(box, WM_CHAR, '\r', 0x001C0001);
  if (::IsWindow(box)) {
    char typed[32] = {};
    ::GetWindowTextA(box, typed, sizeof typed);
    EXPECT_STREQ("Page2", typed) << "Enter inserts nothing";
  }
  ASSERT_TRUE(Shows(hosted, "two"));
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
