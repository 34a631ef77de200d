// A folder of its own under the system's temporary folder for the files a test writes,
// removed with everything in it afterwards. Names are code page 936.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/Codepage.h"

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    for (unsigned n = ::GetCurrentProcessId();; ++n) {
      m_path = std::wstring(base) + L"media" + std::to_wstring(n);
      if (::CreateDirectoryW(m_path.c_str(), nullptr)) break;
    }
  }
  ~TempFolder() { RemoveTree(m_path); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The narrow (code page 936) path of a file in the folder; the name is UTF-16.
  std::string File(const std::wstring& name) const { return codepage::FromWide(m_path + L"\\" + name); }

  std::string Write(const std::wstring& name, const std::vector<BYTE>& bytes) const {
    HANDLE h = ::CreateFileW((m_path + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (h != INVALID_HANDLE_VALUE) {
      ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      ::CloseHandle(h);
    }
    return File(name);
  }

  std::vector<BYTE> Read(const std::wstring& name) const {
    std::vector<BYTE> bytes;
    HANDLE h = ::CreateFileW((m_path + L"\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(::GetFileSize(h, nullptr));
    DWORD got = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    ::CloseHandle(h);
    bytes.resize(got);
    return bytes;
  }

  bool Delete(const std::wstring& name) const { return ::DeleteFileW((m_path + L"\\" + name).c_str()) != FALSE; }

  const std::wstring& Path() const { return m_path; }

 private:
  // Removes the folder with its files and folders.
  static void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path + L"\\" + name);
        else
          ::DeleteFileW((path + L"\\" + name).c_str());
      } while (::FindNextFileW(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
  }

  std::wstring m_path;
};
