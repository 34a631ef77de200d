// The installation folder and the shortcuts, against Wine's real registry and shell.
#include <gtest/gtest.h>

#include "tests/setup/SetupFixture.h"
#include "tests/support/MessageBoxCapture.h"

using namespace setuptest;

namespace {

CString CurrentDirectory() {
  char path[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

bool IsFolder(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SetupFolder, MakesEveryLevelAndLeavesTheCurrentDirectory) {
  TempFolder folder;
  WriteFileBytes(folder / "file", "x");
  const CString before = CurrentDirectory();
  const struct {
    CString path;
    bool made;
    const char* exists;  // a level that must be a folder afterwards
  } cases[] = {
      {folder / "a\\b", true, "a\\b"},
      {folder / "课件\\第一\\第二\\", true, "课件\\第一\\第二"},
      {folder / "a\\b", true, "a"},  // again: everything there already
      {folder / "file\\below", false, nullptr},
      {folder / "file", false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.GetString());
    EXPECT_EQ(c.made, CreateDirectoryPath(c.path));
    if (c.exists) EXPECT_TRUE(IsFolder(folder / c.exists));
    EXPECT_EQ(before, CurrentDirectory());
  }
  EXPECT_FALSE(IsFolder(folder / "file\\below"));
}

TEST(SetupFolder, AnEmptyPathIsRefusedWithAMessage) {
  MessageBoxCapture boxes;
  EXPECT_FALSE(CreateDirectoryPath(""));
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_EQ("目录不能为空", boxes.boxes()[0].text);
}

TEST(SetupShortcuts, TheShellFoldersComeFromTheRegistry) {
  for (const char* name : {"Programs", "Desktop"}) {
    SCOPED_TRACE(name);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER,
                                             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                             0, KEY_QUERY_VALUE, &key));
    char value[1024] = {};
    DWORD size = sizeof value;
    const LONG read = ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, read);
    EXPECT_EQ(CString(value), ShellFolderPath(name));
    EXPECT_TRUE(IsFolder(value));
  }
}

TEST(SetupShortcuts, GroupAndLinksLoadBackToTheirTarget) {
  TempFolder folder;
  const CString target = folder / "课件.exe";
  WriteFileBytes(target, "MZ");
  ShellNames names;

  EXPECT_TRUE(CreateProgramGroup(names.group));
  EXPECT_TRUE(IsFolder(names.GroupFolder()));
  EXPECT_TRUE(CreateProgramGroup(names.group));  // a second installation into it

  EXPECT_TRUE(CreateGroupShortcut(names.group, names.name, target, ""));
  EXPECT_EQ(target, ShortcutTarget(names.GroupLink()));

  EXPECT_TRUE(CreateDesktopShortcut("", names.name, target, ""));
  EXPECT_EQ(target, ShortcutTarget(names.DesktopLink()));
}

TEST(SetupShortcuts, ALinkIntoAMissingGroupFails) {
  ShellNames names;
  EXPECT_FALSE(CreateGroupShortcut(names.group, names.name, "c:\\x.exe", ""));
  EXPECT_FALSE(Exists(names.GroupLink()));
}

}  // namespace
