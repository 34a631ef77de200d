// Shared by setup's tests: names of their own for program groups and shortcuts (removed
// again by the test that made them), and reading a shortcut back through the shell.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "setup/SetupShell.h"
#include "tests/publish/PackageFixture.h"

namespace setuptest {

using namespace packagetest;

// A name no other test run uses: the prefix's shell folders are shared by all tests.
inline CString UniqueName(const char* base) {
  static int serial = 0;
  CString name;
  name.Format("%s%lu_%d", base, ::GetCurrentProcessId(), ++serial);
  return name;
}

// The target of a shortcut file, as the shell reads it back; empty when it cannot.
inline CString ShortcutTarget(const CString& linkPath) {
  ::CoInitialize(nullptr);
  CString target;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(Wide(linkPath).c_str(), STGM_READ))) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) target = path;
      }
      file->Release();
    }
    link->Release();
  }
  ::CoUninitialize();
  return target;
}

// A program group and the desktop link of one programme name, removed at the end.
class ShellNames {
 public:
  ShellNames() : group(UniqueName("测试组")), name(UniqueName("测试课件")) {}
  ~ShellNames() {
    ::DeleteFileW(Wide(GroupLink()).c_str());
    ::RemoveDirectoryW(Wide(GroupFolder()).c_str());
    ::DeleteFileW(Wide(DesktopLink()).c_str());
  }
  ShellNames(const ShellNames&) = delete;
  ShellNames& operator=(const ShellNames&) = delete;

  CString GroupFolder() const { return ShellFolderPath("Programs") + "\\" + group; }
  CString GroupLink() const { return GroupFolder() + "\\" + name + ".lnk"; }
  CString DesktopLink() const { return ShellFolderPath("Desktop") + "\\" + name + ".lnk"; }

  const CString group;
  const CString name;
};

}  // namespace setuptest
