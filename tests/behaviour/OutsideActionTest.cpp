// The actions that reach outside the page: a program run from its own folder while the
// run waits, a missing program, page names turned into page paths (lower-cased by
// characters, so Chinese names survive), one jump per frame, and what a host playing
// pages from the web refuses.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/Codepage.h"
#include "resources/ModelStrings.h"
#include "tests/behaviour/ActionRecorder.h"
#include "tests/support/MessageBoxCapture.h"

namespace {

std::wstring Wide(const CString& s) { return codepage::ToWide(s.str()); }
CString Narrow(const std::wstring& s) { return CString(codepage::FromWide(s)); }

CString CurrentDirectory() {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH * 2, buffer);
  return Narrow(std::wstring(buffer, length));
}

CString TempFolder() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = ::GetTempPathW(MAX_PATH, buffer);
  return Narrow(std::wstring(buffer, length));
}

CString Loaded(UINT id, const char* argument = nullptr) {
  CString text;
  if (argument)
    text.Format(id, argument);
  else
    text.LoadString(id);
  return text;
}

// The folder a program starts in, as the editor finds it: the path lower-cased, cut
// before each backslash from the left for as long as that folder can be made current.
class CRunHost : public CActionHost {
 public:
  using CActionHost::CActionHost;
  CString ExistingDirPrefix(const CString& path) override {
    Write("prefix");
    CString lower = path;
    lower.MakeLower();
    CString found;
    for (int slash = lower.Find('\\'); slash >= 0; slash = lower.Find('\\', slash + 1)) {
      const CString folder = lower.Left(slash);
      if (!::SetCurrentDirectoryW(Wide(folder).c_str())) break;
      found = folder;
    }
    return found;
  }
};

// A copy of the helper program (it writes the folder it started in beside itself, after
// a pause, and exits with 7) in a folder of its own with a Chinese name.
struct HelperProgram {
  CString folder;
  CString program;
  CString output;

  HelperProgram() {
    folder = TempFolder() + "动作Run";
    ::CreateDirectoryW(Wide(folder).c_str(), nullptr);
    program = folder + "\\ExitCode.exe";
    output = folder + "\\started-in.txt";
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring helper(self, length);
    helper.erase(helper.find_last_of(L'\\') + 1);
    helper += L"exitcode.exe";
    EXPECT_TRUE(::CopyFileW(helper.c_str(), Wide(program).c_str(), FALSE));
    ::DeleteFileW(Wide(output).c_str());
  }
  ~HelperProgram() {
    ::DeleteFileW(Wide(output).c_str());
    ::DeleteFileW(Wide(program).c_str());
    ::RemoveDirectoryW(Wide(folder).c_str());
  }
  bool Ran() const { return ::GetFileAttributesW(Wide(output).c_str()) != INVALID_FILE_ATTRIBUTES; }
  CString StartedIn() const {
    HANDLE file = ::CreateFileW(Wide(output).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return CString();
    wchar_t buffer[MAX_PATH * 2];
    DWORD read = 0;
    ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    ::CloseHandle(file);
    return Narrow(std::wstring(buffer, read / sizeof(wchar_t)));
  }
};

struct RunFixture {
  ActionLog log;
  CRunHost host{log};
  CActionRecorder object{"runner", log};
  CString before = CurrentDirectory();

  explicit RunFixture(const CString& path) {
    host.mode = kModeRunning;
    host.objects = {&object};
    CMethod run = MakeAction(CMethod::typeRunProgram, "run", 0, 0);
    run.m_strTarget = path;
    AddAction(object, run);
    host.SetPlaybackTimer(55);
    log.clear();
  }
  ~RunFixture() { ::SetCurrentDirectoryW(Wide(before).c_str()); }
  void RunToFrame1() {
    for (int i = 0; i < 4; ++i) host.Tick();
  }
};

TEST(RunProgramAction, RunsInItsFolderWhileTheRunWaits) {
  HelperProgram helper;
  RunFixture f(helper.program);
  f.RunToFrame1();
  // The helper writes only after a pause: its file is there, so the step waited.
  ASSERT_TRUE(helper.Ran());
  CString folder = helper.folder;
  folder.MakeLower();
  EXPECT_EQ(0, helper.StartedIn().CompareNoCase(folder)) << helper.StartedIn().str();
  EXPECT_EQ(f.before, CurrentDirectory());
  EXPECT_EQ((ActionLog{"1:host kill timer", "1:host prefix", "1:host timer 55"}), f.log);
  EXPECT_EQ(55u, f.host.timerPeriod);
}

TEST(RunProgramAction, AMissingProgramIsReportedAndTheRunGoesOn) {
  HelperProgram helper;
  MessageBoxCapture boxes;
  RunFixture f(helper.folder + "\\NoSuch.exe");
  f.RunToFrame1();
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ(CString("程序或文档不存在"), boxes.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.boxes()[0].flags);
  EXPECT_EQ(f.before, CurrentDirectory());
  EXPECT_EQ((ActionLog{"1:host kill timer", "1:host prefix", "1:host timer 55"}), f.log);

  // An empty name is no program either.
  RunFixture empty("");
  empty.RunToFrame1();
  EXPECT_EQ(2u, boxes.boxes().size());
  EXPECT_EQ(55u, empty.host.timerPeriod);
}

TEST(RunProgramAction, AHostPlayingPagesFromTheWebRefusesEveryProgram) {
  HelperProgram helper;
  MessageBoxCapture boxes;
  for (const CString& path : {helper.program, CString("\\\\server\\share\\tool.exe"), CString("notepad.exe")}) {
    SCOPED_TRACE(path.str());
    RunFixture f(path);
    f.host.allowsLocalAccess = FALSE;
    const size_t shown = boxes.boxes().size();
    f.RunToFrame1();
    ASSERT_EQ(shown + 1, boxes.boxes().size());
    EXPECT_EQ(Loaded(IDS_PROGRAM_REFUSED, path), boxes.boxes().back().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.boxes().back().flags);
    EXPECT_EQ(ActionLog{}, f.log);  // the timer never stopped
    EXPECT_EQ(55u, f.host.timerPeriod);
  }
  EXPECT_FALSE(helper.Ran());
}

// ---- page switch -------------------------------------------------------------------------------

struct SwitchRow {
  const char* name;
  const char* folder;
  const char* target;
  int mode;
  const char* source;
  BOOL local;
  const char* path;     // the path handed to the jump, or null for none
  UINT message;         // the message shown instead, or 0
};

TEST(PageSwitchAction, NamesBecomeLowerCasedPathsInThePageFolder) {
  const SwitchRow rows[] = {
      {"bare name", "C:\\Course\\", "P2", 0, "", TRUE, "c:\\course\\p2.rvx", 0},
      {"a dot keeps its extension", "C:\\Course\\", "a.B", 0, "", TRUE, "c:\\course\\a.b", 0},
      {"no page folder", "", "Home", 0, "", TRUE, "home.rvx", 0},
      // 圖 is 0x88 0x44 and 課 0xD5 0x6E: a byte-wise lower-casing would turn the 'D' into 'd'.
      {"Chinese names", "D:\\課件\\", "圖Page", 0, "", TRUE, "d:\\課件\\圖page.rvx", 0},
      {"typed name", "C:\\Course\\", "P2", 1, "第三页", TRUE, "c:\\course\\第三页.rvx", 0},
      {"nothing typed", "C:\\Course\\", "P2", 1, "", TRUE, "c:\\course\\p2.rvx", 0},
      {"typed text of a fixed switch", "C:\\Course\\", "P2", 0, "P9", TRUE, "c:\\course\\p2.rvx", 0},
      {"no name", "C:\\Course\\", "", 0, "", TRUE, nullptr, IDS_PAGE_NAME_EMPTY},
      {"no name typed or given", "C:\\Course\\", "", 1, "", TRUE, nullptr, IDS_PAGE_NAME_EMPTY},
      // A host playing pages from the web opens only pages beside the current one.
      {"web: beside", "http://host/course/", "Sub\\P2", 0, "", FALSE, "http://host/course/sub\\p2.rvx", 0},
      // Any dot counts as the extension's.
      {"web: up a folder", "http://host/course/", "..\\P2", 0, "", FALSE, "http://host/course/..\\p2", 0},
      {"web: drive", "http://host/course/", "C:\\Windows\\p.rvx", 0, "", FALSE, nullptr, IDS_PAGE_PATH_REFUSED},
      {"web: server", "http://host/course/", "\\\\server\\share\\p", 0, "", FALSE, nullptr, IDS_PAGE_PATH_REFUSED},
      {"web: root", "http://host/course/", "/etc/p.rvx", 0, "", FALSE, nullptr, IDS_PAGE_PATH_REFUSED},
      {"web: scheme", "http://host/course/", "file:p.rvx", 0, "", FALSE, nullptr, IDS_PAGE_PATH_REFUSED},
      {"web: typed server", "http://host/course/", "P2", 1, "\\\\evil\\p", FALSE, nullptr, IDS_PAGE_PATH_REFUSED},
      {"local: a drive is the author's choice", "", "C:\\Other\\P.rvx", 0, "", TRUE, "c:\\other\\p.rvx", 0},
  };
  for (const SwitchRow& row : rows) {
    SCOPED_TRACE(row.name);
    MessageBoxCapture boxes;
    ActionLog log;
    CActionHost host(log);
    host.pageFolder = row.folder;
    host.allowsLocalAccess = row.local;
    CActionRecorder object("switcher", log);
    host.objects = {&object};
    CMethod jump = MakeAction(CMethod::typePageSwitch, "jump", 0, 0);
    jump.m_strTarget = row.target;
    jump.m_nMode = row.mode;
    jump.m_strSource = row.source;
    AddAction(object, jump);
    for (int i = 0; i < 5; ++i) host.Tick();
    if (row.path) {
      EXPECT_EQ(ActionLog{std::string("1:host go ") + row.path}, log);
      EXPECT_TRUE(boxes.boxes().empty());
    } else {
      EXPECT_EQ(ActionLog{}, log);
      ASSERT_EQ(1u, boxes.boxes().size());
      const char* name = row.mode && *row.source ? row.source : row.target;
      EXPECT_EQ(Loaded(row.message, row.message == IDS_PAGE_PATH_REFUSED ? name : nullptr), boxes.boxes()[0].text);
      EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.boxes()[0].flags);
    }
  }
  EXPECT_EQ(CString("装入页失败:装入页名为空"), Loaded(IDS_PAGE_NAME_EMPTY));
}

TEST(PageSwitchAction, OnlyTheFirstDueSwitchJumps) {
  ActionLog log;
  CActionHost host(log);
  CActionRecorder object("switcher", log);
  host.objects = {&object};
  CMethod later = MakeAction(CMethod::typePageSwitch, "later", 3, 0);
  later.m_strTarget = "later";
  AddAction(object, later);
  for (const char* target : {"first", "second"}) {
    CMethod jump = MakeAction(CMethod::typePageSwitch, target, 1, 0);
    jump.m_strTarget = target;
    AddAction(object, jump);
  }
  for (int i = 0; i < 3 + 6; ++i) host.Tick();
  EXPECT_EQ((ActionLog{"2:host go first.rvx", "4:host go later.rvx"}), log);
}

// The whole way: a page file beside the first, with a Chinese name, read and started.
TEST(PageSwitchAction, TheNamedPageIsReadFromThePageFolder) {
  const CString folder = TempFolder() + "課件Pages\\";
  ::CreateDirectoryW(Wide(folder).c_str(), nullptr);
  const CString target = folder + "圖page.rvx";
  {
    CDrawDoc page;
    auto* next = new CDrawObj(CRect(0, 10, 10, 0));
    next->m_name = "第二页的对象";
    page.m_objects.AddTail(next);
    ASSERT_TRUE(page.OnSaveDocument(target));
  }
  ActionLog log;
  CActionHost host(log);
  host.mode = kModeRunning;
  host.pageFolder = folder;
  CDrawDoc doc;
  doc.SetPathName(folder + "home.rvx");
  auto* switcher = new CActionRecorder("switcher", log);
  CMethod jump = MakeAction(CMethod::typePageSwitch, "jump", 0, 0);
  jump.m_strTarget = "圖Page";
  AddAction(*switcher, jump);
  doc.m_objects.AddTail(switcher);
  host.document = &doc;
  for (int i = 0; i < 4; ++i) host.Tick();

  ASSERT_EQ(1, doc.m_objects.GetCount());
  EXPECT_EQ(CString("第二页的对象"), static_cast<CDrawObj*>(doc.m_objects.GetHead())->m_name);
  CString lower = target;
  lower.MakeLower();
  EXPECT_EQ(lower, doc.GetPathName());
  EXPECT_EQ(55u, host.timerPeriod);
  ::DeleteFileW(Wide(target).c_str());
  ::RemoveDirectoryW(Wide(folder).c_str());
}

}  // namespace
