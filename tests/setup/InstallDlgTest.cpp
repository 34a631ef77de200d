// The installation dialog in process, on crafted installers: its checks, the order of
// extraction, group and shortcuts, and what a damaged or hostile package leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/core/MessageBox.h"
#include "resources/Setup.h"
#include "setup/InstallDlg.h"
#include "tests/setup/SetupFixture.h"

using namespace setuptest;

namespace {

const std::string kStub = Patterned(3000, 5);

// Records every message box and answers each with what the test's function says.
class Boxes {
 public:
  explicit Boxes(std::function<int(const CString&)> answer = [](const CString&) { return IDOK; })
      : m_answer(std::move(answer)) {
    m_previous = AfxSetMessageBoxSink([this](const CString& text, UINT) {
      texts.push_back(text);
      return m_answer(text);
    });
  }
  ~Boxes() { AfxSetMessageBoxSink(std::move(m_previous)); }
  Boxes(const Boxes&) = delete;
  Boxes& operator=(const Boxes&) = delete;

  std::vector<CString> texts;

 private:
  std::function<int(const CString&)> m_answer;
  MessageBoxSink m_previous;
};

class InstallDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(IDD_INSTALL));
    dialog.m_packagePath = folder / "setup.exe";
  }
  void TearDown() override { dialog.DestroyWindow(); }

  void WriteInstaller(const std::vector<std::pair<std::string, std::string>>& entries) {
    WriteFileBytes(dialog.m_packagePath, ComposePackage(kStub, entries));
  }
  // Fills the form as a user would and presses the start button.
  void Install(const CString& group, const CString& name, const CString& target) {
    ::SetDlgItemTextA(dialog, IDC_GROUP_NAME, group);
    ::SetDlgItemTextA(dialog, IDC_PROGRAMME_NAME, name);
    ::SetDlgItemTextA(dialog, IDC_INSTALL_FOLDER, target);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  bool StartEnabled() const { return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE; }
  int Progress() const { return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_INSTALL_PROGRESS, PBM_GETPOS, 0, 0)); }

  TempFolder folder;
  CInstallDlg dialog;
};

TEST_F(InstallDialog, StartsWithTheDefaultGroupAndAnAboutEntry) {
  char group[64] = {};
  ::GetDlgItemTextA(dialog, IDC_GROUP_NAME, group, sizeof group);
  EXPECT_STREQ("Kelvane课件", group);
  HMENU system = ::GetSystemMenu(dialog, FALSE);
  char text[64] = {};
  ::GetMenuStringA(system, IDM_SETUP_ABOUT, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ("关于安装(&A)...", text);
}

TEST_F(InstallDialog, AnEmptyFieldIsNamedAndTheButtonStaysEnabled) {
  WriteInstaller({{"课件.exe", "MZ"}});
  const struct {
    const char *group, *name, *target, *message;
  } cases[] = {
      {"", "n", "x", "请输入程序组名"},
      {"g", "", "x", "请输入节目名"},
      {"g", "n", "", "请选择目录名"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Boxes boxes;
    Install(c.group, c.name, c.target[0] ? folder / c.target : CString());
    EXPECT_EQ(std::vector<CString>{c.message}, boxes.texts);
    EXPECT_TRUE(StartEnabled());
  }
  EXPECT_FALSE(Exists(folder / "x"));
}

// The one entry, the group and the group's link fill the bar before the question; the
// answer decides the desktop link alone.
TEST_F(InstallDialog, InstallsThenMakesTheGroupLinkAndAsksForTheDesktopLink) {
  const std::string programme = Patterned(5000, 9);
  WriteInstaller({{"课件.exe", programme}});
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    ShellNames names;
    const CString target = folder / (answer == IDYES ? "yes" : "no");
    int progressAtQuestion = -1;
    Boxes boxes([&](const CString& text) {
      if (text == "是否在桌面添加快捷方式?") {
        progressAtQuestion = Progress();
        return answer;
      }
      return IDOK;
    });
    Install(names.group, names.name, target + "\\");  // a trailing "\" doubles nothing

    EXPECT_EQ((std::vector<CString>{"是否在桌面添加快捷方式?", "安装完成"}), boxes.texts);
    EXPECT_EQ(3, progressAtQuestion);
    EXPECT_EQ(programme, ReadFileBytes(target + "\\课件.exe"));
    EXPECT_EQ(target + "\\课件.exe", ShortcutTarget(names.GroupLink()));
    EXPECT_EQ(answer == IDYES, Exists(names.DesktopLink()));
    if (answer == IDYES) EXPECT_EQ(target + "\\课件.exe", ShortcutTarget(names.DesktopLink()));
    EXPECT_FALSE(StartEnabled());
    ::EnableWindow(::GetDlgItem(dialog, IDOK), TRUE);
  }
}

TEST_F(InstallDialog, TheStatusLineNamesEachFileAsItIsCopied) {
  WriteInstaller({{"课件.exe", "MZ"}});
  std::vector<CString> statuses;
  PackageEntry entry;
  WriteFileBytes(folder / "课件.exe", "MZ");
  ASSERT_TRUE(entry.SetFromPath(folder / "课件.exe"));
  dialog.m_strFolder = "c:\\课件";
  CInstallDlg::OnEntryExtracted(entry, &dialog);
  char status[MAX_PATH] = {};
  ::GetDlgItemTextA(dialog, IDC_INSTALL_STATUS, status, sizeof status);
  EXPECT_STREQ("复制:c:\\课件\\课件.exe", status);
  EXPECT_EQ("课件.exe", dialog.m_strLastName);
  EXPECT_EQ(1, Progress());
}

// What a tampered or broken installer gets: no package (or none the reader trusts) is
// silent, anything else that leaves a file unwritten is an internal error; either way no group and no link, and
// nothing lands outside the chosen folder.
TEST_F(InstallDialog, ADamagedOrHostilePackageMakesNoGroupAndNoLink) {
  std::string pastTheEnd = ComposePackage(kStub, {{"课件.exe", "MZ"}});
  pastTheEnd.replace(pastTheEnd.size() - 14 - 4 - 8 - 4, 4, U32(1000000));  // the size, far past the end
  std::string damaged = ComposePackage(kStub, {{"课件.exe", "MZ"}});
  damaged.replace(damaged.size() - 14, 4, U32(0x7FFFFFFF));  // a count no file holds
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"no package", kStub, nullptr},
      {"count 0", kStub + U32(0) + "!QOVA_SFX!", nullptr},
      {"damaged directory", damaged, nullptr},
      {"..\\evil.exe", ComposePackage(kStub, {{"..\\evil.exe", "MZ"}}), "Internal Error"},
      {"c:\\x.exe", ComposePackage(kStub, {{"c:\\x.exe", "MZ"}}), "Internal Error"},
      {"CON", ComposePackage(kStub, {{"CON", "MZ"}}), "Internal Error"},
      {"past the end", pastTheEnd, nullptr},  // the reader finds no sound directory
      {"folder not made", ComposePackage(kStub, {{"课件.exe", "MZ"}}), "Internal Error"},
  };
  WriteFileBytes(folder / "file", "x");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(dialog.m_packagePath, c.bytes);
    ShellNames names;
    Boxes boxes;
    const CString target = folder / (std::string(c.what) == "folder not made" ? "file\\inst" : "inst");
    Install(names.group, names.name, target);
    EXPECT_EQ(c.message ? std::vector<CString>{c.message} : std::vector<CString>{}, boxes.texts);
    EXPECT_FALSE(StartEnabled());
    EXPECT_FALSE(Exists(names.GroupFolder()));
    EXPECT_FALSE(Exists(names.DesktopLink()));
    EXPECT_FALSE(Exists(folder / "evil.exe"));
    EXPECT_FALSE(Exists(target + "\\课件.exe"));  // never a part of a file
    ::EnableWindow(::GetDlgItem(dialog, IDOK), TRUE);
  }
}

}  // namespace
