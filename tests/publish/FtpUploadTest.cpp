// The FTP upload and browse dialogs on real dialog windows. The checks of the fields and
// the local file list need no server; the suites named FtpServer* talk to the loopback
// server that tests/publish/run-with-ftp-server starts beside them (its users are
// described in tests/publish/ftp-server), and ctest runs them only that way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "publish/FtpBrowseDlg.h"
#include "publish/FtpUploadDlg.h"
#include "resources/KordelIds.h"
#include "tests/publish/PublishAnswers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

using namespace packagetest;
using namespace publishtest;

namespace {

CString SendFailed(const CString& path) {
  CString text;
  text.Format(IDS_FTP_SEND_FAILED, path.GetString());
  return text;
}

CString Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? CString(value) : CString();
}

// Counts the steps of one progress bar: every PBM_STEPIT sent to it on this thread.
class StepCounter {
 public:
  explicit StepCounter(HWND bar) {
    s_bar = bar;
    s_steps = 0;
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &StepCounter::Hook, nullptr, ::GetCurrentThreadId());
  }
  ~StepCounter() { ::UnhookWindowsHookEx(m_hook); }
  StepCounter(const StepCounter&) = delete;
  StepCounter& operator=(const StepCounter&) = delete;
  int Steps() const { return s_steps; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == s_bar && message->message == PBM_STEPIT) ++s_steps;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static HWND s_bar;
  static int s_steps;
  HHOOK m_hook;
};
HWND StepCounter::s_bar = nullptr;
int StepCounter::s_steps = 0;

class FtpUploadDialog : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(IDD_FTP_UPLOAD));
    dialog.ShowWindow(SW_SHOW);
  }
  void TearDown() override { dialog.DestroyWindow(); }

  // Local files of the given names and contents, added through the file dialog.
  std::vector<CString> AddFiles(const std::vector<std::pair<const char*, std::string>>& files) {
    std::vector<CString> paths;
    for (const auto& file : files) {
      paths.push_back(folder / file.first);
      WriteFileBytes(paths.back(), file.second);
    }
    ModalCapture answers([&](ModalCall& call) { return AnswerWithPaths(call, paths); });
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_ADD_FILES, BN_CLICKED), 0);
    return paths;
  }
  void Fill(const char* user, const char* password, const CString& address, const CString& port) {
    ::SetDlgItemTextA(dialog, IDC_FTP_USER, user);
    ::SetDlgItemTextA(dialog, IDC_FTP_PASSWORD, password);
    ::SetDlgItemTextA(dialog, IDC_FTP_ADDRESS, address);
    ::SetDlgItemTextA(dialog, IDC_FTP_PORT, port);
  }
  std::vector<CString> Press(UINT id) {
    MessageBoxCapture boxes;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return Texts(boxes);
  }
  bool ButtonsEnabled() const {
    return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) && ::IsWindowEnabled(::GetDlgItem(dialog, IDCANCEL));
  }
  std::vector<CString> Rows() const {
    std::vector<CString> rows;
    for (int i = 0; i < dialog.m_fileList.GetItemCount(); ++i)
      rows.push_back(dialog.m_fileList.GetItemText(i, 0) + "|" + dialog.m_fileList.GetItemText(i, 1));
    return rows;
  }

  TempFolder folder;
  CFtpUploadDlg dialog;
};

TEST_F(FtpUploadDialog, ListsChosenFilesAndAFoldersFilesWithTheirSizes) {
  CString port;
  dialog.GetDlgItemText(IDC_FTP_PORT, port);
  EXPECT_EQ("21", port);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_FTP_PROGRESS)));

  const std::vector<CString> files = AddFiles({{"one.htm", "12345"}, {"two.rvx", ""}});
  EXPECT_EQ((std::vector<CString>{files[0] + "|5 BYTES", files[1] + "|0 BYTES"}), Rows());

  ::CreateDirectoryW(Wide(folder / "site").c_str(), nullptr);
  ::CreateDirectoryW(Wide(folder / "site\\inner").c_str(), nullptr);
  WriteFileBytes(folder / "site\\index.htm", "abc");
  WriteFileBytes(folder / "site\\inner\\deep.rvx", "deep");
  ModalCapture answers([&](ModalCall& call) { return AnswerWithPaths(call, {folder / "site"}); });
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_ADD_FOLDER, BN_CLICKED), 0);
  ASSERT_EQ(1u, answers.calls().size());
  EXPECT_EQ(Message(IDS_CHOOSE_PAGE_FOLDER), answers.calls()[0].title);
  EXPECT_EQ((std::vector<CString>{folder / "site\\index.htm|3 BYTES", files[0] + "|5 BYTES", files[1] + "|0 BYTES"}),
            Rows());

  dialog.m_fileList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  dialog.m_fileList.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_DELETE_FILES, BN_CLICKED), 0);
  EXPECT_EQ(std::vector<CString>{files[0] + "|5 BYTES"}, Rows());
}

TEST_F(FtpUploadDialog, MissingFieldsAreRefusedInOrder) {
  const struct {
    const char* what;
    const char* user;
    const char* password;
    const char* address;
    const char* port;
    bool files;
    UINT send;    // the message of "发送"
    UINT browse;  // the message of "..."
  } cases[] = {
      {"nothing", "", "", "", "", false, IDS_FTP_NO_FILES, IDS_FTP_SERVER_MISSING},
      {"no user", "", "", "h", "", true, IDS_FTP_USER_MISSING, IDS_FTP_USER_MISSING},
      {"no password", "u", "", "h", "", true, IDS_FTP_PASSWORD_MISSING, IDS_FTP_PASSWORD_MISSING},
      {"no port", "u", "p", "h", "", true, IDS_FTP_PORT_MISSING, IDS_FTP_PORT_MISSING},
      {"no address", "u", "p", "", "21", true, IDS_FTP_ADDRESS_MISSING, IDS_FTP_SERVER_MISSING},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.files && dialog.m_fileList.GetItemCount() == 0) AddFiles({{"a.txt", "a"}});
    Fill(c.user, c.password, c.address, c.port);
    ModalCapture nothingElse;
    EXPECT_EQ(std::vector<CString>{Message(c.send)}, Press(IDOK));
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(std::vector<CString>{Message(c.browse)}, Press(IDC_FTP_BROWSE));
    EXPECT_TRUE(nothingElse.calls().empty());
  }
}

// A loopback server of its own: its port and root (as the wrapper gives them).
class FtpServerTest : public FtpUploadDialog {
 public:
  void SetUp() override {
    port = Environment("FTP_PORT");
    root = Environment("FTP_ROOT");
    ASSERT_FALSE(port.IsEmpty() || root.IsEmpty()) << "run through tests/publish/run-with-ftp-server";
    FtpUploadDialog::SetUp();
  }
  // A file on the server, as the user's home holds it.
  std::string Remote(const char* user, const char* path) const {
    return ReadFileBytes(root + "\\" + user + "\\" + path);
  }
  bool RemoteExists(const char* user, const char* path) const {
    return Exists(root + "\\" + user + "\\" + path);
  }

  CString port;
  CString root;
};

using FtpServerUpload = FtpServerTest;

std::string Bytes0To255() {
  std::string bytes(256, '\0');
  for (int i = 0; i < 256; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(i);
  return bytes;
}

TEST_F(FtpServerUpload, ThreeFilesLandInTheRemoteFolderByteForByte) {
  const std::vector<std::pair<const char*, std::string>> files = {
      {"all256.bin", Bytes0To255()}, {"lines.htm", "one\ntwo\r\nthree\n"}, {"page.rvx", Patterned(70000, 3)}};
  AddFiles(files);
  Fill("author", "secret", "ftp://127.0.0.1/pub/course", port);
  StepCounter steps(dialog.m_progress);
  EXPECT_EQ(std::vector<CString>{Message(IDS_FTP_SENT)}, Press(IDOK));
  for (const auto& file : files) {
    SCOPED_TRACE(file.first);
    EXPECT_EQ(file.second, Remote("author", (CString("pub\\course\\") + file.first).GetString()));
  }
  EXPECT_EQ(0, dialog.m_fileList.GetItemCount());
  EXPECT_EQ(3, steps.Steps());
  EXPECT_EQ(3, dialog.m_progress.GetPos());
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_FALSE(::IsWindowVisible(dialog));
}

// Each failure ends with the buttons enabled: a failed connection with the library's
// message and the dialog open with its list; failed files each with their message, the
// others sent, the list emptied and the dialog closed.
TEST_F(FtpServerUpload, FailuresEachEndWithTheButtonsEnabled) {
  const CString closedPort = Environment("FTP_CLOSED_PORT");
  ASSERT_FALSE(closedPort.IsEmpty());
  const struct {
    const char* what;
    const char* user;
    const char* password;
    const char* address;
    CString port;
    const char* response;  // in the library's message; null: the files are tried
    std::vector<int> refused;  // the files that get their message
    const char* remote;    // where the others land
  } cases[] = {
      {"server down", "author", "secret", "127.0.0.1/pub/course", closedPort, "", {}, nullptr},
      {"wrong password", "author", "wrong", "127.0.0.1/pub/course", port, "530", {}, nullptr},
      {"no such folder", "author", "secret", "127.0.0.1/pub/nowhere", port, "550", {}, nullptr},
      {"read-only folder", "author", "secret", "ftp://127.0.0.1/locked", port, nullptr, {0, 1, 2}, nullptr},
      {"a file refused", "author", "secret", "ftp://127.0.0.1/pub/taken", port, nullptr, {1}, "pub\\taken"},
      {"data connection dropped", "drop", "secret", "ftp://127.0.0.1/pub/course", port, nullptr, {1}, "pub\\course"},
  };
  // The server refuses a file whose name a folder there has.
  ASSERT_TRUE(::CreateDirectoryW(Wide(root + "\\author\\pub\\taken").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW(Wide(root + "\\author\\pub\\taken\\middle.bin").c_str(), nullptr));
  int round = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    dialog.ShowWindow(SW_SHOW);
    dialog.m_fileList.DeleteAllItems();
    ++round;
    CString names[3];
    names[0].Format("first%d.bin", round);
    names[1] = "middle.bin";
    names[2].Format("last%d.bin", round);
    AddFiles({{names[0].GetString(), Patterned(3000, 1)},
              {names[1].GetString(), Patterned(1 << 20, 2)},
              {names[2].GetString(), Patterned(5000, 3)}});
    Fill(c.user, c.password, c.address, c.port);
    const std::vector<CString> texts = Press(IDOK);
    EXPECT_TRUE(ButtonsEnabled());
    if (c.response) {
      ASSERT_EQ(1u, texts.size());
      EXPECT_NE(Message(IDS_FTP_SENT), texts[0]);
      EXPECT_NE(-1, texts[0].Find(c.response)) << texts[0].GetString();
      EXPECT_TRUE(::IsWindowVisible(dialog));
      EXPECT_EQ(3, dialog.m_fileList.GetItemCount());
      continue;
    }
    std::vector<CString> expected;
    for (int i : c.refused) expected.push_back(SendFailed(folder / names[i].GetString()));
    expected.push_back(Message(IDS_FTP_SENT));
    EXPECT_EQ(expected, texts);
    EXPECT_EQ(0, dialog.m_fileList.GetItemCount());
    EXPECT_FALSE(::IsWindowVisible(dialog));
    for (int i = 0; i < 3 && c.remote; ++i) {
      if (std::find(c.refused.begin(), c.refused.end(), i) != c.refused.end()) continue;
      EXPECT_EQ(ReadFileBytes(folder / names[i].GetString()),
                Remote(c.user, (CString(c.remote) + "\\" + names[i]).GetString()));
    }
  }
}

TEST_F(FtpServerUpload, AFileGoneSinceItWasListedIsReportedAndTheOthersSent) {
  const std::vector<CString> paths = AddFiles({{"kept1.bin", "1"}, {"gone.bin", "2"}, {"kept2.bin", "3"}});
  ::DeleteFileW(Wide(paths[1]).c_str());
  Fill("author", "secret", "127.0.0.1/pub/course", port);
  EXPECT_EQ((std::vector<CString>{SendFailed(paths[1]), Message(IDS_FTP_SENT)}), Press(IDOK));
  EXPECT_EQ("1", Remote("author", "pub\\course\\kept1.bin"));
  EXPECT_EQ("3", Remote("author", "pub\\course\\kept2.bin"));
  EXPECT_FALSE(RemoteExists("author", "pub\\course\\gone.bin"));
}

TEST_F(FtpServerUpload, ASlowServerGetsEveryFileAndTheBarStepsOncePerFile) {
  AddFiles({{"s1.bin", "one"}, {"s2.bin", Bytes0To255()}, {"s3.bin", "three"}});
  Fill("slow", "secret", "ftp://127.0.0.1/pub/course/", port);
  StepCounter steps(dialog.m_progress);
  EXPECT_EQ(std::vector<CString>{Message(IDS_FTP_SENT)}, Press(IDOK));
  EXPECT_EQ(3, steps.Steps());
  EXPECT_EQ("one", Remote("slow", "pub\\course\\s1.bin"));
  EXPECT_EQ(Bytes0To255(), Remote("slow", "pub\\course\\s2.bin"));
  EXPECT_EQ("three", Remote("slow", "pub\\course\\s3.bin"));
  EXPECT_TRUE(ButtonsEnabled());
}

// The server logs in and then says nothing more: the library's time-outs end the wait.
TEST_F(FtpServerUpload, AServerThatStopsAnsweringEndsInAMessage) {
  AddFiles({{"m1.bin", "one"}});
  Fill("mute", "secret", "ftp://127.0.0.1/pub/course", port);
  const std::vector<CString> texts = Press(IDOK);
  ASSERT_FALSE(texts.empty());
  EXPECT_NE(Message(IDS_FTP_SENT), texts[0]);
  EXPECT_TRUE(ButtonsEnabled());
}

class FtpServerBrowse : public FtpServerTest {
 public:
  // A browse dialog on the server's user, made for real on the path given.
  void Open(CFtpBrowseDlg& browse, const char* user, const char* path) {
    browse.m_strServer = "127.0.0.1";
    browse.m_strUser = user;
    browse.m_strPassword = "secret";
    browse.m_nPort = std::atoi(port);
    browse.m_strCurrentPath = path;
    ASSERT_TRUE(browse.Create(IDD_FTP_BROWSE, &dialog));
  }
  static std::vector<CString> Items(const CFtpBrowseDlg& browse) {
    std::vector<CString> items;
    for (int i = 0; i < browse.m_folderList.GetItemCount(); ++i) items.push_back(browse.m_folderList.GetItemText(i, 0));
    return items;
  }
  static void Select(CFtpBrowseDlg& browse, int item) {
    browse.m_folderList.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  static void DoubleClick(CFtpBrowseDlg& browse) {
    NMHDR click = {browse.m_folderList.m_hWnd, static_cast<UINT_PTR>(IDC_FTP_LIST), static_cast<UINT>(NM_DBLCLK)};
    browse.SendMessage(WM_NOTIFY, IDC_FTP_LIST, reinterpret_cast<LPARAM>(&click));
  }
  static CString ShownPath(const CFtpBrowseDlg& browse) {
    CString path;
    browse.GetDlgItemText(IDC_FTP_ADDRESS, path);
    return path;
  }
};

TEST_F(FtpServerBrowse, WalksTheFoldersAndGivesTheChosenOnesAddress) {
  CFtpBrowseDlg browse("", "", "", 0, "");
  MessageBoxCapture boxes;
  Open(browse, "browser", "");
  EXPECT_EQ((std::vector<CString>{"a", "b"}), Items(browse));
  EXPECT_EQ("/", browse.m_strCurrentPath);

  Select(browse, 0);
  EXPECT_EQ("/a", browse.m_strChosenPath);
  EXPECT_EQ("/a", ShownPath(browse));
  DoubleClick(browse);
  EXPECT_EQ((std::vector<CString>{"one", "two"}), Items(browse));
  EXPECT_EQ("/a", browse.m_strCurrentPath);
  Select(browse, 1);
  EXPECT_EQ("/a/two", browse.m_strChosenPath);

  browse.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_UP, BN_CLICKED), 0);
  EXPECT_EQ((std::vector<CString>{"a", "b"}), Items(browse));
  EXPECT_EQ("/", browse.m_strCurrentPath);
  EXPECT_EQ("/", browse.m_strChosenPath);
  browse.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_UP, BN_CLICKED), 0);
  EXPECT_EQ("/", browse.m_strCurrentPath);

  Select(browse, 0);
  browse.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ("ftp://127.0.0.1/a", browse.m_strResultAddress);
  EXPECT_TRUE(boxes.boxes().empty());
  browse.DestroyWindow();
}

// "..." opens the browser on the address's server and folder; its choice becomes the
// address.
TEST_F(FtpServerBrowse, TheUploadDialogTakesTheBrowsersChoice) {
  Fill("browser", "secret", "FTP://127.0.0.1/a/", port);
  CString openedOn;
  ModalCapture answers([&](ModalCall& call) -> INT_PTR {
    auto* browse = dynamic_cast<CFtpBrowseDlg*>(call.window);
    if (!browse || call.id != IDD_FTP_BROWSE || !browse->Create(call.id, &dialog)) return IDCANCEL;
    openedOn = browse->m_strCurrentPath;
    Select(*browse, 1);
    browse->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    browse->DestroyWindow();
    return IDOK;
  });
  EXPECT_TRUE(Press(IDC_FTP_BROWSE).empty());
  EXPECT_EQ("/a", openedOn);
  CString address;
  dialog.GetDlgItemText(IDC_FTP_ADDRESS, address);
  EXPECT_EQ("ftp://127.0.0.1/a/two", address);
}

TEST_F(FtpServerBrowse, HostileListingsShowWhatTheLibraryParsed) {
  const struct {
    const char* path;
    std::function<void(const std::vector<CString>&)> check;
  } cases[] = {
      {"/dots", [](const std::vector<CString>& items) { EXPECT_EQ(std::vector<CString>{"real"}, items); }},
      {"/long",
       [](const std::vector<CString>& items) {
         EXPECT_NE(items.end(), std::find(items.begin(), items.end(), CString("short")));
         for (const CString& item : items) EXPECT_LT(item.GetLength(), MAX_PATH);
       }},
      {"/malformed",
       [](const std::vector<CString>& items) {
         EXPECT_NE(items.end(), std::find(items.begin(), items.end(), CString("fine")));
       }},
      {"/empty", [](const std::vector<CString>& items) { EXPECT_TRUE(items.empty()); }},
      // Wine's client takes about a minute over these 5000 lines; the dialog waits for it.
      {"/many",
       [](const std::vector<CString>& items) {
         ASSERT_EQ(5000u, items.size());
         EXPECT_EQ("d0000", items.front());
         EXPECT_EQ("d4999", items.back());
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    CFtpBrowseDlg browse("", "", "", 0, "");
    MessageBoxCapture boxes;
    Open(browse, "hostile", c.path);
    EXPECT_EQ(c.path, browse.m_strCurrentPath);
    c.check(Items(browse));
    EXPECT_TRUE(boxes.boxes().empty()) << (boxes.boxes().empty() ? "" : boxes.boxes()[0].text.GetString());
    browse.DestroyWindow();
  }
}

TEST_F(FtpServerBrowse, AServerGoneWhileBrowsingKeepsTheListAndThePaths) {
  CFtpBrowseDlg browse("", "", "", 0, "");
  Open(browse, "browser", "/a");
  ASSERT_EQ((std::vector<CString>{"one", "two"}), Items(browse));
  browse.m_nPort = std::atoi(Environment("FTP_CLOSED_PORT"));
  Select(browse, 0);
  MessageBoxCapture boxes;
  DoubleClick(browse);
  browse.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FTP_UP, BN_CLICKED), 0);
  EXPECT_EQ(2u, boxes.boxes().size());
  EXPECT_EQ((std::vector<CString>{"one", "two"}), Items(browse));
  EXPECT_EQ("/a", browse.m_strCurrentPath);
  EXPECT_EQ("/a/one", browse.m_strChosenPath);
  browse.DestroyWindow();
}

}  // namespace
