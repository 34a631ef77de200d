// setup.exe as a user gets it: a copy with a programme appended, started as a process of
// its own and driven through its windows: the form, the start button, the question
// about the desktop link and the closing message.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "publish/PackageIndex.h"
#include "resources/Setup.h"
#include "tests/setup/SetupFixture.h"
#include "tests/support/ProgramProcess.h"

using namespace setuptest;
using namespace programtest;

namespace {

TEST(InstallerProcess, InstallsAnswersYesAndEndsWithExitCodeZero) {
  TempFolder folder;
  const std::string programme = Patterned(70000, 4);
  WriteFileBytes(folder / "课件.exe", programme);
  PackageIndex package;
  ASSERT_EQ(1, package.AddFile(folder / "课件.exe"));
  const CString installer = folder / "setup.exe";
  ASSERT_EQ(kPackageOk, package.WritePackage(BuiltProgramPath(SETUP_EXE), installer, nullptr, nullptr));
  ShellNames names;
  const CString target = folder / "安装到";

  ProgramProcess setup(installer);
  ASSERT_TRUE(setup.Started());
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = setup.WindowWith("开始安装")) != nullptr; }));
  ::SetDlgItemTextW(dialog, IDC_GROUP_NAME, WideText(names.group).c_str());
  ::SetDlgItemTextW(dialog, IDC_PROGRAMME_NAME, WideText(names.name).c_str());
  ::SetDlgItemTextW(dialog, IDC_INSTALL_FOLDER, WideText(target).c_str());
  ProgramProcess::Press(dialog, IDOK);

  HWND question = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (question = setup.WindowWith("是否在桌面添加快捷方式?")) != nullptr; }));
  EXPECT_EQ(3, ::SendDlgItemMessageW(dialog, IDC_INSTALL_PROGRESS, PBM_GETPOS, 0, 0));
  ProgramProcess::Press(question, IDYES);
  HWND done = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (done = setup.WindowWith("安装完成")) != nullptr; }));
  ProgramProcess::Press(done, IDOK);
  EXPECT_EQ(0, setup.ExitCode());

  EXPECT_EQ(programme, ReadFileBytes(target + "\\课件.exe"));
  EXPECT_EQ(target + "\\课件.exe", ShortcutTarget(names.GroupLink()));
  EXPECT_EQ(target + "\\课件.exe", ShortcutTarget(names.DesktopLink()));
}

}  // namespace
