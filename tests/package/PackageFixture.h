// Shared by the package tests: a private folder per test, whole files as byte strings,
// and packages composed by hand from the format (stub, data, records, count, marker).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/core/Codepage.h"
#include "framework/core/String.h"

namespace packagetest {

inline std::wstring Wide(const CString& path) { return codepage::ToWide(path.str()); }

inline bool Exists(const CString& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void WriteFileBytes(const CString& path, const std::string& bytes) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h) << path.GetString();
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_EQ(bytes.size(), written);
}

inline std::string ReadFileBytes(const CString& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

// Sets a file's length without writing its bytes: large files cost nothing on disk.
inline void SetFileLength(const CString& path, ULONGLONG length) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(length);
  SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
  EXPECT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
}

// n bytes that differ from position to position and from seed to seed.
inline std::string Patterned(size_t n, unsigned seed) {
  std::string bytes(n, '\0');
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 7 + seed * 31 + i / 251) & 0xFF);
  return bytes;
}

inline std::string U32(DWORD v) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
  return bytes;
}

// A package as the format describes it, the records pointing at the data behind stub.
inline std::string ComposePackage(const std::string& stub, const std::vector<std::pair<std::string, std::string>>& files) {
  std::string bytes = stub, directory;
  for (const auto& file : files) {
    directory += U32(static_cast<DWORD>(bytes.size())) + U32(static_cast<DWORD>(file.second.size())) + file.first +
                 U32(static_cast<DWORD>(file.first.size()));
    bytes += file.second;
  }
  return bytes + directory + U32(static_cast<DWORD>(files.size())) + "!QOVA_SFX!";
}

// A folder of its own under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    for (;;) {
      std::wstring candidate = std::wstring(base) + L"package" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                               std::to_wstring(++serial);
      if (CreateDirectoryW(candidate.c_str(), nullptr)) {
        m_path = CString(codepage::FromWide(candidate));
        break;
      }
    }
  }
  ~TempFolder() { RemoveTree(Wide(m_path)); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const CString& Path() const { return m_path; }
  CString operator/(const char* name) const { return m_path + "\\" + name; }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(h, &found));
      FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
  }

  CString m_path;
};

}  // namespace packagetest
