// The editor's file helpers and folder pickers.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "editor/FileHelpers.h"
#include "editor/FolderDialog.h"
#include "framework/ui/FolderPicker.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

// A visible dialog of this process. Other test processes share the desktop, so a
// dialog found by class alone may be theirs.
HWND FindOwnDialog() {
  struct Search {
    DWORD process;
    HWND found;
  } search{::GetCurrentProcessId(), nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char name[16] = {};
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process != s->process || !::IsWindowVisible(window)) return TRUE;
        if (!::GetClassNameA(window, name, sizeof name) || lstrcmpA(name, "#32770") != 0) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A folder tree under the temporary folder: ...\A\B with a file in A, removed afterwards.
class TempTree {
 public:
  TempTree() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    ::GetLongPathNameA(base, base, MAX_PATH);
    m_root = CString(base) + "KordelTree" + std::to_string(::GetCurrentProcessId()).c_str();
    ::CreateDirectoryA(m_root, nullptr);
    ::CreateDirectoryA(m_root + "\\A", nullptr);
    ::CreateDirectoryA(m_root + "\\A\\B", nullptr);
    HANDLE file = ::CreateFileA(m_root + "\\A\\one.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(file);
    char current[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, current);
    m_savedCurrent = current;
  }
  ~TempTree() {
    ::SetCurrentDirectoryA(m_savedCurrent);
    ::DeleteFileA(m_root + "\\A\\one.tmp");
    ::RemoveDirectoryA(m_root + "\\A\\B");
    ::RemoveDirectoryA(m_root + "\\A");
    ::RemoveDirectoryA(m_root);
  }
  const CString& Root() const { return m_root; }

 private:
  CString m_root;
  CString m_savedCurrent;
};

CString CurrentDirectory() {
  char current[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, current);
  return current;
}

}  // namespace

TEST(FileExistsTest, FindsFilesAndPatterns) {
  TempTree tree;
  const struct {
    CString path;
    BOOL exists;
  } rows[] = {
      {tree.Root() + "\\A\\one.tmp", TRUE},
      {tree.Root() + "\\A\\two.tmp", FALSE},
      {tree.Root() + "\\A\\*.tmp", TRUE},
      {tree.Root() + "\\A\\B\\*.tmp", FALSE},
      {"", FALSE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path.GetString());
    EXPECT_EQ(FileExists(row.path), row.exists);
  }
}

TEST(ExistingDirPrefixTest, GivesTheLongestFolderThatCanBeEntered) {
  TempTree tree;
  CString lowerRoot = tree.Root();
  lowerRoot.MakeLower();
  EXPECT_STREQ(ExistingDirPrefix(tree.Root() + "\\A\\B\\C\\f"), lowerRoot + "\\a\\b");
  // The current directory is left there, a documented side effect.
  CString current = CurrentDirectory();
  current.MakeLower();
  EXPECT_STREQ(current, lowerRoot + "\\a\\b");

  EXPECT_STREQ(ExistingDirPrefix("noslash"), "");
  EXPECT_STREQ(ExistingDirPrefix("Q:\\x\\y"), "");
}

TEST(ShowWarningFormatTest, ShowsTheFormattedTextWithTheExclamationIcon) {
  MessageBoxCapture boxes;
  ShowWarningFormat("%s: %d", "%s%n", 7);  // text in the arguments stays text
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_STREQ(boxes.boxes()[0].text, "%s%n: 7");
  EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST(FolderPickerTest, AMissingStartFolderShowsNoBrowser) {
  ModalCapture modal([](ModalCall&) -> INT_PTR {
    ADD_FAILURE() << "the browser was shown";
    return IDOK;
  });
  CFolderPicker picker;
  EXPECT_STREQ(picker.m_strTitle, "目录选择");
  picker.m_strStartFolder = "C:\\no such folder\\anywhere";
  EXPECT_EQ(picker.DoModal(), 0);
  EXPECT_TRUE(modal.calls().empty());
}

TEST(FolderPickerTest, TheChoiceComesBackAsItsPath) {
  TempTree tree;
  ModalCapture modal([&](ModalCall& call) -> INT_PTR {
    call.path = tree.Root() + "\\A";
    return IDOK;
  });
  CFolderPicker picker;
  picker.m_strTitle.Empty();
  picker.m_strStartFolder = tree.Root();
  ASSERT_EQ(picker.DoModal(), 1);
  EXPECT_STREQ(picker.m_strPath, tree.Root() + "\\A");
  ASSERT_EQ(modal.calls().size(), 1u);
  EXPECT_EQ(modal.calls()[0].kind, ModalCall::folderPicker);
  EXPECT_STREQ(modal.calls()[0].title, "Open");  // an empty title
}

TEST(FolderPickerTest, TheRealBrowserShowsItsTitleAndCancels) {
  std::atomic<bool> done{false};
  CString caption;
  std::thread helper([&] {
    while (!done) {
      HWND dialog = FindOwnDialog();
      if (dialog) {
        char text[256] = {};
        // The title is one of the dialog's static texts.
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
          ::GetWindowTextA(child, text, sizeof text);
          if (lstrcmpA(text, "Open") == 0) caption = text;
        }
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      ::Sleep(20);
    }
  });
  ModalCapture modal([](ModalCall& call) { return call.show(); });
  CFolderPicker picker;
  picker.m_strTitle.Empty();
  EXPECT_EQ(picker.DoModal(), 0);
  done = true;
  helper.join();
  EXPECT_STREQ(caption, "Open");
}

TEST(FolderDialogTest, OkTakesTheFolderTheDialogShows) {
  TempTree tree;
  const CString shown = tree.Root() + "\\A";
  std::atomic<bool> done{false};
  std::thread helper([&] {
    while (!done) {
      HWND dialog = FindOwnDialog();
      if (dialog) {
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
      }
      ::Sleep(20);
    }
  });
  ModalCapture modal([](ModalCall& call) { return call.show(); });
  CString folder = "unchanged";
  CFolderDialog dialog(&folder);
  dialog.m_ofn.lpstrInitialDir = shown;
  const INT_PTR result = dialog.DoModal();
  done = true;
  helper.join();
  EXPECT_EQ(result, IDOK);
  CString chosen = folder, expected = shown;
  chosen.MakeLower();
  expected.MakeLower();
  EXPECT_STREQ(chosen, expected);
}

TEST(FolderDialogTest, CancelLeavesTheStringAlone) {
  ModalCapture modal;  // cancels
  CString folder = "unchanged";
  CFolderDialog dialog(&folder);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_STREQ(folder, "unchanged");
  ASSERT_EQ(modal.calls().size(), 1u);
  EXPECT_STREQ(modal.calls()[0].path, "*..*");
}
