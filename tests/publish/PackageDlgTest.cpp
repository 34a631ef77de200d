// The publishing dialogs' logic, on a real dialog window: the checks of names and paths,
// the page list and its estimate, the package table a build writes, and the builds
// themselves driven through the handlers, with the stubs taken from a folder of the
// test's own.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/ui/ModalSink.h"
#include "publish/ExeIconPatch.h"
#include "publish/PackageDlg.h"
#include "publish/SetupPackDlg.h"
#include "resources/KordelIds.h"
#include "tests/package/PackageFixture.h"
#include "tests/publish/PublishAnswers.h"
#include "tests/support/ProgramProcess.h"

using namespace packagetest;
using namespace publishtest;

namespace {

// Records every message box and answers it with OK.
class Boxes {
 public:
  Boxes() {
    m_previous = AfxSetMessageBoxSink([this](const CString& text, UINT) {
      texts.push_back(text);
      return IDOK;
    });
  }
  ~Boxes() { AfxSetMessageBoxSink(std::move(m_previous)); }
  Boxes(const Boxes&) = delete;
  Boxes& operator=(const Boxes&) = delete;
  std::vector<CString> texts;

 private:
  MessageBoxSink m_previous;
};

// Answers the file dialogs and the folder browser with the paths given.
class Answers {
 public:
  Answers(std::vector<CString> paths) : m_paths(std::move(paths)) {
    m_previous = AfxSetModalSink([this](ModalCall& call) -> INT_PTR {
      calls.push_back(call.kind);
      if (call.kind == ModalCall::folderPicker || m_paths.size() == 1) call.path = m_paths[0];
      else call.paths = m_paths;
      return IDOK;
    });
  }
  ~Answers() { AfxSetModalSink(std::move(m_previous)); }
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;
  std::vector<ModalCall::Kind> calls;

 private:
  std::vector<CString> m_paths;
  ModalSink m_previous;
};

CString CurrentDirectory() {
  char path[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

TEST(PublishChecks, ExecutableNames) {
  const struct {
    const char* given;
    const char* result;  // null: refused
    UINT message;
  } cases[] = {
      {"my.course", "my.exe", 0},
      {"MY", "my.exe", 0},
      {"课件.exe", "课件.exe", 0},
      {".exe", nullptr, IDS_EXE_NAME_DOT},
      {"a b.exe", nullptr, IDS_EXE_NAME_BAD_CHARS},
      {"a\"b", nullptr, IDS_EXE_NAME_BAD_CHARS},
      {"a*b", nullptr, IDS_EXE_NAME_BAD_CHARS},
      {"a|b", nullptr, IDS_EXE_NAME_BAD_CHARS},
      {"c:\\x", nullptr, IDS_EXE_NAME_IS_PATH},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    Boxes boxes;
    CString name = c.given;
    EXPECT_EQ(c.result != nullptr, CPackageDlg::CheckExeName(name));
    if (c.result) {
      EXPECT_EQ(c.result, name);
      EXPECT_TRUE(boxes.texts.empty());
    } else {
      CString lower = c.given;
      lower.MakeLower();
      CString expected;
      if (c.message == IDS_EXE_NAME_DOT) expected = Message(c.message);
      else expected.Format(c.message, lower.GetString());
      EXPECT_EQ(std::vector<CString>{expected}, boxes.texts);
    }
  }
  EXPECT_EQ("错误文件名! a*b\n文件名中不能包含有,空格'\\' '/' ':' '*' '?' '\\\"' '<' '>' '|'等字符",
            [] { CString t; t.Format(IDS_EXE_NAME_BAD_CHARS, "a*b"); return t; }());
}

TEST(PublishChecks, OutputPaths) {
  TempFolder folder;
  const CString before = CurrentDirectory();
  const struct {
    CString path;
    bool accepted;
  } cases[] = {
      {folder / "A.EXE", true},
      {folder / "one\\two\\three\\course.exe", true},  // three levels made
      {folder / "course.ex", false},
      {"x.exe", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.GetString());
    EXPECT_EQ(c.accepted, CPackageDlg::CheckOutputPath(c.path));
    EXPECT_EQ(before, CurrentDirectory());
  }
  EXPECT_TRUE(Exists(folder / "one\\two\\three"));
}

// A dialog window of the test's own, its stubs taken from a folder of the test's.
template <class Dialog>
class PublishDialog : public ::testing::Test {
 public:
  void SetUp() override {
    stubs = folder / "editor";
    ::CreateDirectoryW(Wide(stubs).c_str(), nullptr);
    dialog.m_strEditorFolder = stubs + "\\";
    ASSERT_TRUE(dialog.Create(std::is_same<Dialog, CSetupPackDlg>::value ? IDD_SETUP_PACK : IDD_PACKAGE));
  }
  void TearDown() override { dialog.DestroyWindow(); }

  void CopyStubs() {
    ASSERT_TRUE(::CopyFileW(Wide(programtest::BuiltProgramPath(MIRABO_EXE)).c_str(),
                            Wide(stubs + "\\mirabo.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(Wide(programtest::BuiltProgramPath(SETUP_EXE)).c_str(),
                            Wide(stubs + "\\setup.exe").c_str(), FALSE));
  }
  // Page files of the given sizes, added to the list through the file dialog.
  std::vector<CString> AddPages(const std::vector<std::pair<const char*, size_t>>& pages) {
    std::vector<CString> paths;
    for (const auto& page : pages) {
      paths.push_back(folder / page.first);
      WriteFileBytes(paths.back(), Patterned(page.second, static_cast<unsigned>(paths.size())));
    }
    Answers answers(paths);
    dialog.OnAddFiles();
    return paths;
  }
  std::vector<CString> Rows() const {
    std::vector<CString> names;
    for (int i = 0; i < dialog.m_pageList.GetItemCount(); ++i) names.push_back(dialog.m_pageList.GetItemText(i, 0));
    return names;
  }
  std::vector<CString> TableNames() const {
    std::vector<CString> names;
    for (int i = 0; i < dialog.m_package.GetCount(); ++i) names.push_back(dialog.m_package.GetEntry(i).GetName());
    return names;
  }

  TempFolder folder;
  CString stubs;
  Dialog dialog;
};

using PackageDialog = PublishDialog<CPackageDlg>;
using SetupPackDialog = PublishDialog<CSetupPackDlg>;

TEST_F(PackageDialog, StartsWithItsDefaultsAndTheEditorsIcons) {
  EXPECT_EQ("c:\\temp\\mirabo.exe", dialog.m_strOutput);
  EXPECT_EQ(11, dialog.m_iconCombo.GetCount());  // 247 to 255, 258, 259
  EXPECT_EQ(247u, dialog.m_nIconId);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_BUILD_PROGRESS)));
  dialog.m_iconCombo.SetCurSel(9);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ICON_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dialog.m_iconCombo.m_hWnd));
  EXPECT_EQ(258u, dialog.m_nIconId);
}

TEST_F(PackageDialog, AddsPagesFromAFolderWithoutCaseAndWithoutFolders) {
  WriteFileBytes(folder / "a.rvx", "a");
  WriteFileBytes(folder / "B.RVX", "bb");
  WriteFileBytes(folder / "c.txt", "c");
  ::CreateDirectoryW(Wide(folder / "d.rvx").c_str(), nullptr);
  Answers answers({folder.Path()});
  Boxes boxes;
  dialog.OnAddFolder();
  std::vector<CString> rows = Rows();
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ((std::vector<CString>{"B.RVX", "a.rvx"}), rows);
  EXPECT_EQ(dialog.m_pageList.GetItemText(0, 0), dialog.m_strFirstPage);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(PackageDialog, TheEstimateCountsThePlayerAndDropsVanishedFiles) {
  Boxes boxes;
  dialog.UpdateSizeEstimate();
  EXPECT_EQ("", dialog.m_strSize);
  WriteFileBytes(stubs + "\\mirabo.exe", std::string(655260, 'M'));
  const std::vector<CString> pages = AddPages({{"a.rvx", 100}, {"b.rvx", 50}, {"c.rvx", 70}});
  ::DeleteFileW(Wide(pages[2]).c_str());
  boxes.texts.clear();
  dialog.UpdateSizeEstimate();
  EXPECT_EQ("0.63MB(655410字节)", dialog.m_strSize);
  CString vanished;
  vanished.Format("找不到%s文件,该文件将从列表中删除!", pages[2].GetString());
  EXPECT_EQ(std::vector<CString>{vanished}, boxes.texts);
  EXPECT_EQ((std::vector<CString>{"a.rvx", "b.rvx"}), Rows());
}

TEST_F(PackageDialog, TheHomePageIsEntryZeroOnce) {
  WriteFileBytes(folder / "x", "");
  const std::vector<CString> pages = AddPages({{"a.rvx", 10}, {"home.rvx", 20}, {"b.rvx", 30}});
  // The same names again, from another folder.
  ::CreateDirectoryW(Wide(folder / "more").c_str(), nullptr);
  for (const char* name : {"home.rvx", "a.rvx", "home.rvx"}) {
    WriteFileBytes(folder / "more\\" + name, "more");
    dialog.InsertPageRow(dialog.m_pageList.GetItemCount(), folder / "more\\" + name);
  }
  dialog.m_pageList.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  dialog.OnSetFirstPage();
  EXPECT_EQ("home.rvx", dialog.m_strFirstPage);
  dialog.FillPackageIndex();
  EXPECT_EQ((std::vector<CString>{"home.rvx", "a.rvx", "b.rvx", "a.rvx"}), TableNames());
  EXPECT_EQ(pages[1], dialog.m_package.GetEntry(0).GetFullPath());

  // An unreadable home page: the next page leads.
  ::DeleteFileW(Wide(pages[1]).c_str());
  dialog.FillPackageIndex();
  EXPECT_EQ((std::vector<CString>{"a.rvx", "b.rvx", "a.rvx"}), TableNames());
}

TEST_F(PackageDialog, DeletingTheHomePageSaysSoAndTheNextRowLeads) {
  AddPages({{"a.rvx", 10}, {"b.rvx", 20}});
  ASSERT_EQ("a.rvx", dialog.m_strFirstPage);
  dialog.m_pageList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  Boxes boxes;
  dialog.OnDeleteFiles();
  EXPECT_EQ(std::vector<CString>{"提示!您删除了首页!"}, boxes.texts);
  EXPECT_EQ("b.rvx", dialog.m_strFirstPage);
  EXPECT_EQ(std::vector<CString>{"b.rvx"}, Rows());
}

TEST_F(PackageDialog, BuildsTheExecutableWithItsIconAndCopiesTheInstallerOfGdiplusOnce) {
  CopyStubs();
  WriteFileBytes(stubs + "\\gdipsetup.exe", "gdi+");
  const std::vector<CString> pages = AddPages({{"b.rvx", 300}, {"home.rvx", 200}});
  dialog.m_pageList.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  dialog.OnSetFirstPage();
  const CString output = folder / "out\\course.exe";
  ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, output);
  WriteFileBytes(folder / "gdipsetup.exe", "");  // not where the output goes
  Boxes boxes;
  dialog.OnBuild();
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, boxes.texts);
  PackageIndex written;
  ASSERT_EQ(kPackageOk, written.Read(output));
  ASSERT_EQ(2, written.GetCount());
  EXPECT_EQ("home.rvx", written.GetEntry(0).GetName());
  EXPECT_TRUE(LocateIconImages(output).Found());
  EXPECT_EQ("gdi+", ReadFileBytes(folder / "out\\gdipsetup.exe"));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_BUILD_PROGRESS)));

  // A second build leaves the copy there as it is.
  WriteFileBytes(folder / "out\\gdipsetup.exe", "mine");
  boxes.texts.clear();
  dialog.OnBuild();
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, boxes.texts);
  EXPECT_EQ("mine", ReadFileBytes(folder / "out\\gdipsetup.exe"));
}

TEST_F(PackageDialog, RefusalsAndFailuresEachHaveTheirMessage) {
  CopyStubs();
  const std::vector<CString> pages = AddPages({{"a.rvx", 10}});
  const struct {
    const char* what;
    std::function<void(PackageDialog&)> arrange;
    std::vector<CString> messages;
  } cases[] = {
      {"no output", [](PackageDialog& t) { ::SetDlgItemTextA(t.dialog, IDC_OUTPUT_PATH, ""); },
       {Message(IDS_OUTPUT_MISSING)}},
      {"not an exe", [](PackageDialog& t) { ::SetDlgItemTextA(t.dialog, IDC_OUTPUT_PATH, t.folder / "a.ex"); },
       {Message(IDS_OUTPUT_BAD)}},
      {"no player", [](PackageDialog& t) { ::DeleteFileW(Wide(t.stubs + "\\mirabo.exe").c_str()); },
       {Message(IDS_UNKNOWN_ERROR)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, folder / "ok.exe");
    c.arrange(*this);
    Boxes boxes;
    dialog.OnBuild();
    EXPECT_EQ(c.messages, boxes.texts);
  }
  // Every page gone by the time of the build: the rows go with a message each, and the
  // empty table ends the build without one more.
  CopyStubs();
  ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, folder / "ok.exe");
  ::DeleteFileW(Wide(pages[0]).c_str());
  Boxes boxes;
  dialog.OnBuild();
  ASSERT_EQ(1u, boxes.texts.size());
  EXPECT_NE(-1, boxes.texts[0].Find("找不到"));
  EXPECT_FALSE(Exists(folder / "ok.exe"));
}

TEST_F(SetupPackDialog, BuildsTheInstallerAndRemovesTheExecutableOnTheWay) {
  CopyStubs();
  AddPages({{"home.rvx", 200}});
  ::SetDlgItemTextA(dialog, IDC_EXE_NAME, "Publish_Test.Course");
  const CString output = folder / "setup.exe";
  ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, output);
  Boxes boxes;
  dialog.OnBuild();
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, boxes.texts);
  PackageIndex installer;
  ASSERT_EQ(kPackageOk, installer.Read(output));
  ASSERT_EQ(1, installer.GetCount());
  EXPECT_EQ("publish_test.exe", installer.GetEntry(0).GetName());
  EXPECT_EQ(ReadFileBytes(stubs + "\\setup.exe"), ReadFileBytes(output).substr(0, installer.GetEntry(0).GetOffset()));
  EXPECT_FALSE(Exists(dialog.m_strTempExe));
  EXPECT_FALSE(Exists(folder / "gdipsetup.exe"));
}

TEST_F(SetupPackDialog, AFailedInstallerKeepsTheExecutableAndItsOwnPathIsRefused) {
  CopyStubs();
  AddPages({{"home.rvx", 200}});
  ::SetDlgItemTextA(dialog, IDC_EXE_NAME, "publish_kept.exe");
  ::DeleteFileW(Wide(stubs + "\\setup.exe").c_str());
  ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, folder / "setup.exe");
  {
    Boxes boxes;
    dialog.OnBuild();
    EXPECT_EQ(std::vector<CString>{Message(IDS_UNKNOWN_ERROR)}, boxes.texts);
    PackageIndex executable;
    EXPECT_EQ(kPackageOk, executable.Read(dialog.m_strTempExe));
    ::DeleteFileA(dialog.m_strTempExe);
  }
  // The installer may not be the executable it is made of.
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  CString same = CString(temp) + "PUBLISH_KEPT.EXE";
  ::SetDlgItemTextA(dialog, IDC_OUTPUT_PATH, same);
  Boxes boxes;
  dialog.OnBuild();
  EXPECT_EQ(std::vector<CString>{Message(IDS_OUTPUT_BAD)}, boxes.texts);
  EXPECT_FALSE(Exists(same));
}

// Enter is the dialog's OK: it closes the executable's dialog and does nothing in the
// installer's.
TEST_F(PackageDialog, EnterClosesWithoutBuilding) {
  dialog.ShowWindow(SW_SHOW);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_FALSE(::IsWindowVisible(dialog));
}

TEST_F(SetupPackDialog, EnterDoesNothingHere) {
  dialog.ShowWindow(SW_SHOW);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(::IsWindowVisible(dialog));
}

}  // namespace
