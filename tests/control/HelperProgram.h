// exitcode.exe copied to a folder of its own, for pages whose actions run a program.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// exitcode.exe copied to a folder of its own: when it runs it leaves "started-in.txt".
struct HelperProgram {
  std::wstring folder;
  std::wstring program;
  std::wstring output;

  HelperProgram() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"TamrixRun";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    program = folder + L"\\exitcode.exe";
    output = folder + L"\\started-in.txt";
    wchar_t self[MAX_PATH];
    std::wstring helper(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    helper.erase(helper.find_last_of(L'\\') + 1);
    EXPECT_TRUE(::CopyFileW((helper + L"exitcode.exe").c_str(), program.c_str(), FALSE));
    ::DeleteFileW(output.c_str());
  }
  ~HelperProgram() {
    ::DeleteFileW(output.c_str());
    ::DeleteFileW(program.c_str());
    ::RemoveDirectoryW(folder.c_str());
  }
  bool Ran() const { return ::GetFileAttributesW(output.c_str()) != INVALID_FILE_ATTRIBUTES; }
};
