// A published programme whose page shows a document: mirabo.exe with its package, the
// document in "res" beside it, started as a user starts it. These runs show
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
const CRect kTextArea(-150, 100, 50, -60);

// The packaged player beside a "res" folder holding the text document.
CString PublishTextDocumentPage(const TempFolder& folder, const std::string& text) {
  const CString home = folder / "home.rvx";
  WriteFileBytes(home, pagefiles::DocumentPageBytes(kPageWidth, kPageHeight, kPageColour, kTextArea,
                                                    CDrawDocfile::kindText, "Doc.txt"));
  EXPECT_TRUE(CreateFolderPath(folder / "res"));
  WriteFileBytes(folder / "res\\doc.txt", text);
  PackageIndex package;
  EXPECT_EQ(1, package.AddFile(home));
  const CString exe = folder / "mirabo.exe";
  EXPECT_EQ(kPackageOk, package.WritePackage(BuiltProgramPath(MIRABO_EXE), exe, nullptr, nullptr));
  return exe;
}

TEST(PlayerEndToEnd, ATextDocumentBesideThePlayerShowsOverThePage) {
  TempFolder folder;
  const std::string text = "课件说明\r\nThe document beside the programme.";
  ProgramProcess player(PublishTextDocumentPage(folder, text));
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(WaitFor([&] { return player.MainWindow() != nullptr; }));
  HWND textWindow = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (textWindow = ::GetDlgItem(player.View(), CDrawDocfile::kTextWindowId)) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return ProgramProcess::TextOf(textWindow) == CString(text.c_str()); }))
      << ProgramProcess::TextOf(textWindow).GetString();

  // The page around the object and in its 4 by 5 pixel margin; the text window inside.
  EXPECT_TRUE(player.Shows(kTextArea.right + 20, 0, kPageColour));
  EXPECT_TRUE(player.Shows(kTextArea.left + 2, 0, kPageColour));
  EXPECT_TRUE(player.Shows(kTextArea.right - 10, kTextArea.bottom + 10, kWhite));

  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
}

}  // namespace
