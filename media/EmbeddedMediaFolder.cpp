#include "media/EmbeddedMediaFolder.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "framework/core/Codepage.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"

namespace {

std::wstring Wide(const CString& text) { return codepage::ToWide(text.str()); }

// Empties and removes a folder a page leaves behind: copies that could not be deleted
// when their holders went (a device still had one open) and their subfolders.
void RemoveFolderTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolderTree(path);
      else
        ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::shared_ptr<CEmbeddedMediaFolder> CEmbeddedMediaFolder::Create() {
  wchar_t base[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
  if (length == 0 || length > MAX_PATH) return nullptr;
  static LONG counter = 0;
  const DWORD process = ::GetCurrentProcessId();
  // Another process (or an earlier run of this one) may hold a folder of the same name:
  // creating is the test, so no two pages ever share one.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    wchar_t name[64];
    swprintf(name, 64, L"tmp%lx-%lx", static_cast<unsigned long>(process),
             static_cast<unsigned long>(::InterlockedIncrement(&counter)));
    const std::wstring path = std::wstring(base) + name;
    if (::CreateDirectoryW(path.c_str(), nullptr))
      return std::shared_ptr<CEmbeddedMediaFolder>(new CEmbeddedMediaFolder(CString(codepage::FromWide(path))));
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
  }
  return nullptr;
}

std::shared_ptr<CEmbeddedMediaFolder> CEmbeddedMediaFolder::ForPage(CDrawDoc* page) {
  if (!page) return Create();
  if (auto folder = std::static_pointer_cast<CEmbeddedMediaFolder>(page->m_mediaFolder)) return folder;
  std::shared_ptr<CEmbeddedMediaFolder> folder = Create();
  page->m_mediaFolder = folder;
  return folder;
}

CEmbeddedMediaFolder::~CEmbeddedMediaFolder() { RemoveFolderTree(Wide(m_path)); }

int CEmbeddedMediaFolder::ReserveSlot(const CString& lowerName, CString& folder) {
  for (int slot = 0;; ++slot) {
    const bool taken = std::any_of(m_live.begin(), m_live.end(), [&](const Entry& entry) {
      return entry.slot == slot && entry.lowerName == lowerName;
    });
    if (taken) continue;
    folder = m_path;
    if (slot > 0) {
      folder.Format("%s\\%d", m_path.GetString(), slot);
      ::CreateDirectoryW(Wide(folder).c_str(), nullptr);
    }
    m_live.push_back(Entry{slot, lowerName});
    return slot;
  }
}

void CEmbeddedMediaFolder::ReleaseSlot(int slot, const CString& path) {
  CString lowerName = path.Mid(path.ReverseFind('\\') + 1);
  lowerName.MakeLower();
  for (auto it = m_live.begin(); it != m_live.end(); ++it) {
    if (it->slot == slot && it->lowerName == lowerName) {
      m_live.erase(it);
      break;
    }
  }
}

std::shared_ptr<CEmbeddedMediaFolder::Copy> CEmbeddedMediaFolder::CreateCopy(const CString& name, HANDLE& file) {
  file = INVALID_HANDLE_VALUE;
  CString lowerName = name;
  lowerName.MakeLower();
  CString folder;
  const int slot = ReserveSlot(lowerName, folder);
  auto copy = std::make_shared<Copy>(shared_from_this(), slot, folder + "\\" + name);
  // CREATE_ALWAYS: a file left in a slot by a copy that could not be deleted is stale.
  file = ::CreateFileW(Wide(copy->GetPath()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_ARCHIVE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return copy;
}

std::shared_ptr<CEmbeddedMediaFolder::Copy> CEmbeddedMediaFolder::CopyFrom(const CString& source, const CString& name) {
  HANDLE file;
  std::shared_ptr<Copy> copy = CreateCopy(name, file);
  if (!copy) return nullptr;
  ::CloseHandle(file);
  if (!::CopyFileW(Wide(source).c_str(), Wide(copy->GetPath()).c_str(), FALSE)) return nullptr;
  // A read-only source gives a read-only copy, which could not be deleted later.
  ::SetFileAttributesW(Wide(copy->GetPath()).c_str(), FILE_ATTRIBUTE_ARCHIVE);
  return copy;
}

CEmbeddedMediaFolder::Copy::Copy(std::shared_ptr<CEmbeddedMediaFolder> folder, int slot, const CString& path)
    : m_folder(std::move(folder)), m_slot(slot), m_path(path) {}

CEmbeddedMediaFolder::Copy::~Copy() {
  ::DeleteFileW(Wide(m_path).c_str());
  if (m_slot > 0) ::RemoveDirectoryW(Wide(m_path.Left(m_path.ReverseFind('\\'))).c_str());
  m_folder->ReleaseSlot(m_slot, m_path);
}
