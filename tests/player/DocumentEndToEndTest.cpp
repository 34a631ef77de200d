// A published programme whose page shows documents: mirabo.exe with its package, the
// documents in "res" beside it, started as a user starts it: a text document and one in
// the web browser, and the same with the browser's library disabled. These runs show
// full-screen windows and read the screen, so they run alone (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/core/FolderPath.h"
#include "player/DrawDocfile.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/ProgramProcess.h"

using namespace playertest;
using namespace programtest;

namespace {

constexpr COLORREF kPageColour = RGB(0, 120, 200);
constexpr COLORREF kWhite = RGB(255, 255, 255);
const CRect kTextArea(-170, 100, 10, -60);
const CRect kBrowserArea(40, 100, 190, -60);
const char kText[] = "课件说明\r\nThe document beside the programme.";

CDrawDocfile* Document(DWORD kind, const char* name, const CRect& area) {
  auto* document = new CDrawDocfile;
  document->m_position = document->m_baseRect = area;
  document->m_kind = kind;
  document->m_fileName = name;
  return document;
}

// The packaged player beside a "res" folder holding the page's documents.
CString PublishDocumentPage(const TempFolder& folder) {
  const CString home = folder / "home.rvx";
  WriteFileBytes(home, PageBytes(kPageColour, [](CDrawDoc& page) {
                   page.m_objects.AddTail(Document(CDrawDocfile::kindText, "Doc.txt", kTextArea));
                   page.m_objects.AddTail(Document(CDrawDocfile::kindWeb, "Page.htm", kBrowserArea));
                 }));
  EXPECT_TRUE(CreateFolderPath(folder / "res"));
  WriteFileBytes(folder / "res\\doc.txt", kText);
  WriteFileBytes(folder / "res\\page.htm", "<html><body>课件</body></html>");
  PackageIndex package;
  EXPECT_EQ(1, package.AddFile(home));
  const CString exe = folder / "mirabo.exe";
  EXPECT_EQ(kPackageOk, package.WritePackage(BuiltProgramPath(MIRABO_EXE), exe, nullptr, nullptr));
  return exe;
}

// The text document is shown in its window, with the page around it and in the 4 by 5
// pixel margin of the object.
void ExpectTextShown(const ProgramProcess& player) {
  HWND textWindow = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (textWindow = ::GetDlgItem(player.View(), CDrawDocfile::kTextWindowId)) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return ProgramProcess::TextOf(textWindow) == CString(kText); }))
      << ProgramProcess::TextOf(textWindow).GetString();
  EXPECT_TRUE(player.Shows(kTextArea.left - 15, 0, kPageColour));
  EXPECT_TRUE(player.Shows(kTextArea.left + 2, 0, kPageColour));
  EXPECT_TRUE(player.Shows(kTextArea.right - 10, kTextArea.bottom + 10, kWhite));
}

TEST(PlayerEndToEnd, DocumentsBesideThePlayerShowOverThePage) {
  TempFolder folder;
  ProgramProcess player(PublishDocumentPage(folder));
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  ExpectTextShown(player);
  HWND browser = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (browser = ::GetDlgItem(player.View(), CDrawDocfile::kBrowserWindowId)) != nullptr; }));
  EXPECT_TRUE(::IsWindowVisible(browser));
  EXPECT_EQ(1u, player.Windows().size()) << "no message box";

  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
}

// Wine's loader takes a process's library overrides from the Unix environment it was
// started in, which a Windows parent cannot change; the overrides of one program, by
// its file name, are read from the registry.
class BrowserLibraryDisabled {
 public:
  explicit BrowserLibraryDisabled(const wchar_t* program) : m_key(std::wstring(kAppDefaults) + program) {
    const std::wstring overrides = m_key + L"\\DllOverrides";
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, overrides.c_str(), L"ieframe", REG_SZ, L"", 2));
  }
  ~BrowserLibraryDisabled() { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str()); }
  BrowserLibraryDisabled(const BrowserLibraryDisabled&) = delete;
  BrowserLibraryDisabled& operator=(const BrowserLibraryDisabled&) = delete;

 private:
  static constexpr const wchar_t* kAppDefaults = L"Software\\Wine\\AppDefaults\\";
  std::wstring m_key;
};

TEST(PlayerEndToEnd, WithoutTheBrowserTheMessageComesOnceAndTheTextStillShows) {
  TempFolder folder;
  const CString published = PublishDocumentPage(folder), exe = folder / "mirabo-nobrowser.exe";
  ASSERT_TRUE(::MoveFileW(Wide(published).c_str(), Wide(exe).c_str()));
  BrowserLibraryDisabled disabled(L"mirabo-nobrowser.exe");
  ProgramProcess player(exe);
  ASSERT_TRUE(player.Started());
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = player.WindowWith("内存不足")) != nullptr; }));
  ProgramProcess::Press(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  ExpectTextShown(player);
  EXPECT_EQ(nullptr, ::GetDlgItem(player.View(), CDrawDocfile::kBrowserWindowId));
  // The page plays on, repainted, without asking again.
  EXPECT_TRUE(player.RunsFor(1000));
  EXPECT_EQ(nullptr, player.WindowWith("内存不足"));

  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
}

}  // namespace
