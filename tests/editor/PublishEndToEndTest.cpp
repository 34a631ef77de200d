// Publishing as an author does it, in Kordel: the frame's commands open the dialogs,
// the sample programme's pages are chosen, a path is typed and an icon picked; the
// executable and the installer that come out are then started as a user would start
// them. These runs show full-screen players, so they run alone (see tests/CMakeLists.txt).
// The web page is published the same way, and its folder uploaded to the loopback FTP
// server that runs beside these tests.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/ModalSink.h"
#include "publish/FtpUploadDlg.h"
#include "publish/IconImage.h"
#include "publish/PackageDlg.h"
#include "publish/WebPageDlg.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/package/PackageFixture.h"
#include "tests/publish/PublishAnswers.h"
#include "tests/setup/SetupFixture.h"
#include "tests/support/ModalCapture.h"
#include "tests/support/ProgramProcess.h"

using namespace programtest;
using namespace setuptest;

namespace {

constexpr COLORREF kSun = RGB(255, 200, 0);  // the middle of the sample's home page
constexpr UINT kChosenIcon = 252;

CString Folder(const char* unixPath) {
  CString path = BuiltProgramPath(unixPath);
  return path + "\\";
}

// The large icon as the shell would draw it, packed into 16-colour bits.
std::vector<BYTE> IconBits(HICON icon) {
  CIconImage renderer;
  std::vector<BYTE> bits(CIconImage::kBits32);
  renderer.MakeIconBits32(icon, bits.data());
  return bits;
}

class PublishEndToEnd : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
    m_previousBox = AfxSetMessageBoxSink([this](const CString& text, UINT) {
      messages.push_back(text);
      return IDOK;
    });
  }
  void TearDown() override {
    AfxSetMessageBoxSink(std::move(m_previousBox));
    EditorTest::TearDown();
  }

  // Runs the frame's command; its dialog is made for real and driven by fill, the file
  // dialog answered with the sample's pages.
  void Publish(UINT command, const std::function<void(CPackageDlg&)>& fill) {
    ModalSink previous = AfxSetModalSink([&](ModalCall& call) -> INT_PTR {
      if (call.kind == ModalCall::fileDialog) {
        call.paths = {Folder(SAMPLE_DIR) + "home.rvx", Folder(SAMPLE_DIR) + "page2.rvx"};
        return IDOK;
      }
      auto* dialog = dynamic_cast<CPackageDlg*>(call.window);
      if (call.kind != ModalCall::dialog || !dialog) return IDCANCEL;
      dialog->m_strEditorFolder = Folder(KORDEL_DIR);
      if (!dialog->Create(call.id, Frame())) return -1;
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADD_FILES, BN_CLICKED), 0);
      fill(*dialog);
      const int icon = static_cast<int>(::SendDlgItemMessageA(*dialog, IDC_ICON_COMBO, CB_FINDSTRINGEXACT,
                                                                static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("252")));
      ::SendDlgItemMessageA(*dialog, IDC_ICON_COMBO, CB_SETCURSEL, icon, 0);
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ICON_COMBO, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(::GetDlgItem(*dialog, IDC_ICON_COMBO)));
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUILD, BN_CLICKED), 0);
      dialog->DestroyWindow();
      return IDOK;
    });
    Frame()->SendMessage(WM_COMMAND, command);
    AfxSetModalSink(std::move(previous));
  }

  std::vector<CString> messages;

 private:
  MessageBoxSink m_previousBox;
};

TEST_F(PublishEndToEnd, AnExecutableShowsItsHomePageAndCarriesTheChosenIcon) {
  TempFolder folder;
  const CString exe = folder / "课件.exe";
  Publish(ID_MAKE_EXE, [&](CPackageDlg& dialog) { ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, exe); });
  ASSERT_EQ(std::vector<CString>{"创建成功!"}, messages);

  HICON chosen = nullptr, shown = nullptr;
  ::ExtractIconExA(BuiltProgramPath(EDITOR_TESTS_EXE), -static_cast<int>(kChosenIcon), &chosen, nullptr, 1);
  ::ExtractIconExW(Wide(exe).c_str(), 0, &shown, nullptr, 1);
  ASSERT_NE(nullptr, chosen);
  ASSERT_NE(nullptr, shown);
  EXPECT_EQ(IconBits(chosen), IconBits(shown));
  ::DestroyIcon(chosen);
  ::DestroyIcon(shown);

  ProgramProcess player(exe);
  ASSERT_TRUE(player.Started());
  EXPECT_TRUE(player.Shows(0, 0, kSun));
  ::PostMessageW(player.View(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(0, player.ExitCode());
}

TEST_F(PublishEndToEnd, AnInstallerInstallsTheProgrammeWithItsShortcuts) {
  TempFolder folder;
  const CString installer = folder / "setup.exe";
  Publish(ID_MAKE_SETUP, [&](CPackageDlg& dialog) {
    ::SetDlgItemTextA(dialog, IDC_EXE_NAME, "课件.exe");
    ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, installer);
  });
  ASSERT_EQ(std::vector<CString>{"创建成功!"}, messages);

  ShellNames names;
  const CString target = folder / "安装";
  ProgramProcess setup(installer);
  ASSERT_TRUE(setup.Started());
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = setup.WindowWith("开始安装")) != nullptr; }));
  ::SetDlgItemTextW(dialog, 1000, WideText(names.group).c_str());
  ::SetDlgItemTextW(dialog, 1005, WideText(names.name).c_str());
  ::SetDlgItemTextW(dialog, 1001, WideText(target).c_str());
  ProgramProcess::Press(dialog, IDOK);
  HWND question = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (question = setup.WindowWith("是否在桌面添加快捷方式?")) != nullptr; }));
  ProgramProcess::Press(question, IDYES);
  HWND done = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (done = setup.WindowWith("安装完成")) != nullptr; }));
  ProgramProcess::Press(done, IDOK);
  EXPECT_EQ(0, setup.ExitCode());

  const CString installed = target + "\\课件.exe";
  EXPECT_EQ(installed, ShortcutTarget(names.GroupLink()));
  EXPECT_EQ(installed, ShortcutTarget(names.DesktopLink()));
  ProgramProcess player(installed);
  ASSERT_TRUE(player.Started());
  EXPECT_TRUE(player.Shows(0, 0, kSun));
  ::PostMessageW(player.View(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(0, player.ExitCode());
}

// The frame's web page command writes the chosen pages and the page that shows the home
// page; the view's web publish command sends that folder to the server, "FTP://" typed
// in capitals.
TEST_F(PublishEndToEnd, AWebPageIsWrittenAndItsFolderUploaded) {
  for (UINT command : {ID_MAKE_WEB_PAGE, ID_WEB_PUBLISH}) {
    CTestCmdUI probe(command);
    probe.DoUpdate(Frame(), TRUE);
    EXPECT_TRUE(probe.m_bEnabled) << command;
  }
  TempFolder folder;
  const CString web = folder / "网页\\课件";
  ModalCapture answers([&](ModalCall& call) -> INT_PTR {
    if (call.kind == ModalCall::fileDialog)
      return publishtest::AnswerWithPaths(call, {Folder(SAMPLE_DIR) + "home.rvx", Folder(SAMPLE_DIR) + "page2.rvx"});
    if (call.kind == ModalCall::folderPicker) return publishtest::AnswerWithPaths(call, {web});
    auto* page = dynamic_cast<CWebPageDlg*>(call.window);
    auto* upload = dynamic_cast<CFtpUploadDlg*>(call.window);
    if (call.kind != ModalCall::dialog || !(page || upload)) return IDCANCEL;
    CDialog* dialog = page ? static_cast<CDialog*>(page) : upload;
    if (!dialog->Create(call.id, page ? static_cast<CWnd*>(Frame()) : nullptr)) return -1;
    if (page) {
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WEB_ADD_FILES, BN_CLICKED), 0);
      ::SetDlgItemTextA(*dialog, IDC_WEB_TARGET, web);
    } else {
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_ADD_FOLDER, BN_CLICKED), 0);
      ::SetDlgItemTextA(*dialog, IDC_FTP_ADDRESS, "FTP://127.0.0.1/pub/course");
      ::SetDlgItemTextA(*dialog, IDC_FTP_USER, "author");
      ::SetDlgItemTextA(*dialog, IDC_FTP_PASSWORD, "secret");
      ::SetDlgItemTextA(*dialog, IDC_FTP_PORT, std::getenv("FTP_PORT"));
    }
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    dialog->DestroyWindow();
    return IDOK;
  });
  Frame()->SendMessage(WM_COMMAND, ID_MAKE_WEB_PAGE);
  ASSERT_EQ(std::vector<CString>{"创建成功!"}, messages);
  for (const char* name : {"home.rvx", "page2.rvx"})
    EXPECT_EQ(ReadFileBytes(Folder(SAMPLE_DIR) + name), ReadFileBytes(web + "\\" + name)) << name;
  publishtest::ExpectWebPage(web + "\\index.htm", "end-to-end", "", "home.rvx");

  const char* root = std::getenv("FTP_ROOT");
  ASSERT_NE(nullptr, root) << "run through tests/publish/run-with-ftp-server";
  messages.clear();
  Frame()->SendMessage(WM_COMMAND, ID_WEB_PUBLISH);
  EXPECT_EQ(std::vector<CString>{"传送完毕!"}, messages);
  for (const char* name : {"home.rvx", "page2.rvx", "index.htm"})
    EXPECT_EQ(ReadFileBytes(web + "\\" + name), ReadFileBytes(CString(root) + "\\author\\pub\\course\\" + name))
        << name;
}

}  // namespace
