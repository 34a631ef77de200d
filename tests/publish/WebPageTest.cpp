// The web page of a programme: its text (golden bytes, escaping, the cabinet address) and
// the web-page dialog publishing on a real dialog window, with the file dialog and the
// folder picker answered here. Every page written is also handed to the check that
// parses it as a browser would.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "publish/WebPageDlg.h"
#include "publish/WebPageHtml.h"
#include "resources/KordelIds.h"
#include "tests/publish/PublishAnswers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

using namespace packagetest;
using namespace publishtest;

namespace {

TEST(WebPageHtml, EscapesWhatMarkupWouldTakeForItsOwn) {
  const struct {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"home.rvx", "home.rvx"},
      {"a'b&<c>.rvx", "a&#39;b&amp;&lt;c&gt;.rvx"},
      {"\"q\".rvx", "&quot;q&quot;.rvx"},
      {"首页.rvx", "首页.rvx"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.escaped, HtmlEscape(c.text));
  }
}

class WebPageDialog : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(IDD_WEB_PAGE));
    ::CreateDirectoryW(Wide(folder / "pages").c_str(), nullptr);
  }
  void TearDown() override { dialog.DestroyWindow(); }

  // Page files of the given names, added through the file dialog.
  std::vector<CString> AddPages(const std::vector<const char*>& names) {
    std::vector<CString> paths;
    for (const char* name : names) {
      paths.push_back(folder / "pages\\" + name);
      WriteFileBytes(paths.back(), Patterned(300 + paths.size(), static_cast<unsigned>(paths.size())));
    }
    ModalCapture answers([&](ModalCall& call) { return AnswerWithPaths(call, paths); });
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WEB_ADD_FILES, BN_CLICKED), 0);
    return paths;
  }
  std::vector<CString> Rows() const {
    std::vector<CString> rows;
    for (int i = 0; i < dialog.m_pageList.GetItemCount(); ++i)
      rows.push_back(dialog.m_pageList.GetItemText(i, 0) + "|" + dialog.m_pageList.GetItemText(i, 1));
    return rows;
  }
  void SetTarget(const CString& target) { ::SetDlgItemTextA(dialog, IDC_WEB_TARGET, target); }
  std::vector<CString> Publish() {
    MessageBoxCapture boxes;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return Texts(boxes);
  }

  TempFolder folder;
  CWebPageDlg dialog;
};

// The page as the Part lays it out, CRLF after every line but "</html>".
TEST_F(WebPageDialog, WritesTheFifteenLinesByteForByte) {
  AddPages({"home.rvx"});
  SetTarget(folder / "web");
  dialog.m_strCabinetHost = "cab.example.com";
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, Publish());
  EXPECT_EQ(
      "<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n<p>\r\n"
      "<object codebase='http://cab.example.com/kelvane/kelvanectrl/kelvanectrl.cab' id='kelvane' "
      "classid='clsid:A20B200F-6970-11D6-8AC4-00E04CDD25EA'>\r\n"
      "<param name='SRC' value='home.rvx'>\r\n</object>\r\n</p>\r\n<script language = 'javascript'>\r\n"
      "kelvane.URL = window.location\r\n</script>\r\n</body>\r\n</html>",
      ReadFileBytes(folder / "web\\index.htm"));
  EXPECT_EQ(ReadFileBytes(folder / "pages\\home.rvx"), ReadFileBytes(folder / "web\\home.rvx"));
  EXPECT_FALSE(::IsWindowVisible(dialog));
  ExpectWebPage(folder / "web\\index.htm", "plain-with-host", "http://cab.example.com/kelvane/kelvanectrl/kelvanectrl.cab",
                "home.rvx");
}

// "<" and ">" cannot be in a file's name: the home page is typed.
TEST_F(WebPageDialog, AHostilePageNameComesBackAsItsNameAndNoHostMeansNoCodebase) {
  AddPages({"a'b&c.rvx", "other.rvx"});
  ASSERT_EQ("a'b&c.rvx", dialog.m_strFirstPage);
  ::SetDlgItemTextA(dialog, IDC_WEB_FIRST_PAGE, "a'b&<c>.rvx");
  SetTarget(folder / "web");
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, Publish());
  const std::string page = ReadFileBytes(folder / "web\\index.htm");
  EXPECT_EQ(std::string::npos, page.find("codebase"));
  EXPECT_NE(std::string::npos, page.find("value='a&#39;b&amp;&lt;c&gt;.rvx'"));
  ExpectWebPage(folder / "web\\index.htm", "hostile-name", "", "a'b&<c>.rvx");
}

TEST_F(WebPageDialog, MakesEveryMissingLevelAndOverwritesWithoutAsking) {
  AddPages({"home.rvx", "two.rvx"});
  const CString target = folder / "one\\two\\three";
  SetTarget(target);
  ::SetDlgItemTextA(dialog, IDC_WEB_PAGE_NAME, "course.htm");
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, Publish());
  EXPECT_EQ(ReadFileBytes(folder / "pages\\two.rvx"), ReadFileBytes(target + "\\two.rvx"));

  // Again over what is there: no question, every file written anew.
  WriteFileBytes(target + "\\two.rvx", "old");
  WriteFileBytes(target + "\\course.htm", "old");
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, Publish());
  EXPECT_EQ(ReadFileBytes(folder / "pages\\two.rvx"), ReadFileBytes(target + "\\two.rvx"));
  EXPECT_EQ("<html>\r\n", ReadFileBytes(target + "\\course.htm").substr(0, 8));
}

TEST_F(WebPageDialog, AVanishedPageIsReportedWithBothPathsAndTheRestIsWritten) {
  const std::vector<CString> pages = AddPages({"home.rvx", "gone.rvx", "last.rvx"});
  ::DeleteFileW(Wide(pages[1]).c_str());
  SetTarget(folder / "web");
  CString failed;
  failed.Format(IDS_WEB_COPY_FAILED, pages[1].GetString(), (folder / "web\\gone.rvx").GetString());
  EXPECT_EQ((std::vector<CString>{failed, Message(IDS_BUILD_DONE)}), Publish());
  EXPECT_TRUE(Exists(folder / "web\\home.rvx"));
  EXPECT_TRUE(Exists(folder / "web\\last.rvx"));
  EXPECT_TRUE(Exists(folder / "web\\index.htm"));
}

TEST_F(WebPageDialog, AHomePageNotInTheListIsWrittenAsTyped) {
  AddPages({"home.rvx"});
  ::SetDlgItemTextA(dialog, IDC_WEB_FIRST_PAGE, "elsewhere.rvx");
  SetTarget(folder / "web");
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, Publish());
  EXPECT_NE(std::string::npos, ReadFileBytes(folder / "web\\index.htm").find("value='elsewhere.rvx'"));
  ExpectWebPage(folder / "web\\index.htm", "typed-home", "", "elsewhere.rvx");
}

TEST_F(WebPageDialog, PublishingIntoThePagesOwnFolderCopiesNothingOntoItself) {
  const std::vector<CString> pages = AddPages({"home.rvx", "two.rvx"});
  const std::string before = ReadFileBytes(pages[1]);
  SetTarget(folder / "pages\\");
  EXPECT_EQ(std::vector<CString>{Message(IDS_BUILD_DONE)}, Publish());
  EXPECT_EQ(before, ReadFileBytes(pages[1]));
  EXPECT_TRUE(Exists(folder / "pages\\index.htm"));
}

TEST_F(WebPageDialog, RefusalsEachHaveTheirMessageAndWriteNothing) {
  const struct {
    const char* what;
    std::function<void(WebPageDialog&)> arrange;
    UINT message;
  } cases[] = {
      {"no target", [](WebPageDialog& t) { t.SetTarget(""); }, IDS_WEB_TARGET_MISSING},
      {"no page name", [](WebPageDialog& t) { ::SetDlgItemTextA(t.dialog, IDC_WEB_PAGE_NAME, ""); },
       IDS_WEB_PAGE_NAME_MISSING},
      {"no home page", [](WebPageDialog&) {}, IDS_NO_FIRST_PAGE},
      {"no rows", [](WebPageDialog& t) { ::SetDlgItemTextA(t.dialog, IDC_WEB_FIRST_PAGE, "x.rvx"); }, IDS_NO_PAGES},
      {"a file in the way",
       [](WebPageDialog& t) {
         WriteFileBytes(t.folder / "file", "x");
         t.SetTarget(t.folder / "file\\web");
         t.AddPages({"home.rvx"});
       },
       IDS_WEB_TARGET_BAD},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetTarget(folder / "web");
    ::SetDlgItemTextA(dialog, IDC_WEB_PAGE_NAME, "index.htm");
    ::SetDlgItemTextA(dialog, IDC_WEB_FIRST_PAGE, "");
    c.arrange(*this);
    EXPECT_EQ(std::vector<CString>{Message(c.message)}, Publish());
    EXPECT_FALSE(Exists(folder / "web"));
  }
}

TEST_F(WebPageDialog, AnHtmlPageThatCannotBeWrittenIsReportedAndTheDialogStays) {
  AddPages({"home.rvx"});
  SetTarget(folder / "web");
  ::CreateDirectoryW(Wide(folder / "web").c_str(), nullptr);
  ::CreateDirectoryW(Wide(folder / "web\\index.htm").c_str(), nullptr);  // a folder of that name
  dialog.ShowWindow(SW_SHOW);
  const std::vector<CString> texts = Publish();
  ASSERT_EQ(1u, texts.size());
  EXPECT_NE(-1, texts[0].Find("index.htm"));
  EXPECT_TRUE(::IsWindowVisible(dialog));
  EXPECT_TRUE(Exists(folder / "web\\home.rvx"));
}

TEST_F(WebPageDialog, AFolderAddsItsPagesInAnyCaseAndNotItsFolders) {
  WriteFileBytes(folder / "pages\\a.rvx", "a");
  WriteFileBytes(folder / "pages\\B.RVX", "b");
  WriteFileBytes(folder / "pages\\c.txt", "c");
  ::CreateDirectoryW(Wide(folder / "pages\\d.rvx").c_str(), nullptr);
  ModalCapture answers([&](ModalCall& call) { return AnswerWithPaths(call, {folder / "pages"}); });
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WEB_ADD_FOLDER, BN_CLICKED), 0);
  ASSERT_EQ(1u, answers.calls().size());
  EXPECT_EQ(Message(IDS_CHOOSE_PAGE_FOLDER), answers.calls()[0].title);
  std::vector<CString> rows = Rows();
  std::sort(rows.begin(), rows.end());
  const CString pagesFolder = folder / "pages\\";
  EXPECT_EQ((std::vector<CString>{"B.RVX|" + pagesFolder, "a.rvx|" + pagesFolder}), rows);
  EXPECT_EQ(dialog.m_pageList.GetItemText(0, 0), dialog.m_strFirstPage);
}

TEST_F(WebPageDialog, DeletingTheHomePageSaysSoAndADoubleClickChoosesAnother) {
  AddPages({"a.rvx", "b.rvx", "c.rvx"});
  ASSERT_EQ("a.rvx", dialog.m_strFirstPage);
  dialog.m_pageList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  dialog.m_pageList.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  {
    MessageBoxCapture boxes;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WEB_DELETE_FILES, BN_CLICKED), 0);
    EXPECT_EQ(std::vector<CString>{"提示!您删除了首页!"}, Texts(boxes));
  }
  EXPECT_EQ("c.rvx", dialog.m_strFirstPage);

  AddPages({"d.rvx"});
  dialog.m_pageList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  NMHDR click = {dialog.m_pageList.m_hWnd, static_cast<UINT_PTR>(IDC_WEB_PAGE_LIST), static_cast<UINT>(NM_DBLCLK)};
  dialog.SendMessage(WM_NOTIFY, IDC_WEB_PAGE_LIST, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ("d.rvx", dialog.m_strFirstPage);
}

TEST_F(WebPageDialog, TheTargetIsChosenInTheFolderPicker) {
  EXPECT_EQ("c:\\temp", dialog.m_strTargetFolder);
  EXPECT_EQ("index.htm", dialog.m_strPageName);
  ModalCapture answers([&](ModalCall& call) { return AnswerWithPaths(call, {folder / "chosen"}); });
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WEB_BROWSE_TARGET, BN_CLICKED), 0);
  ASSERT_EQ(1u, answers.calls().size());
  EXPECT_EQ("选择课件目录", answers.calls()[0].title);
  EXPECT_EQ(folder / "chosen", dialog.m_strTargetFolder);
  CString shown;
  dialog.GetDlgItemText(IDC_WEB_TARGET, shown);
  EXPECT_EQ(folder / "chosen", shown);
}

}  // namespace
