#include "publish/PublishFiles.h"

#include "framework/core/FileFind.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FolderPicker.h"
#include "framework/ui/ListCtrl.h"

bool IsPageFileName(const CString& name) {
  return name.GetLength() >= 4 && name.Right(4).CompareNoCase(".rvx") == 0;
}

bool IsFolder(const CString& path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

DWORD QueryFileSize(const char* path) {
  HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  const DWORD size = ::GetFileSize(file, nullptr);
  ::CloseHandle(file);
  return size == INVALID_FILE_SIZE ? 0 : size;
}

std::vector<CString> FilesOfFolder(const CString& folder) {
  std::vector<CString> paths;
  CFileFind find;
  BOOL more = find.FindFile(WithBackslash(folder) + "*.*");
  while (more) {
    more = find.FindNextFile();
    if (!find.IsDirectory()) paths.push_back(find.GetFilePath());
  }
  return paths;
}

bool DeleteSelectedRows(CListCtrl& list, const CString& text) {
  std::vector<int> rows;
  for (LISTPOSITION pos = list.GetFirstSelectedItemPosition(); pos;) rows.push_back(list.GetNextSelectedItem(pos));
  bool held = false;
  // From the last, so that the rows still to go keep their indexes.
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (!text.IsEmpty() && list.GetItemText(*row, 0) == text) held = true;
    list.DeleteItem(*row);
  }
  return held;
}

std::vector<CString> ChooseFilesToAdd(CWnd* pOwner, const CString& filter) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT, filter,
                     pOwner);
  std::vector<char> names(32768, '\0');
  dialog.m_ofn.lpstrFile = names.data();
  dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.size());
  std::vector<CString> paths;
  if (dialog.DoModal() != IDOK) return paths;
  for (POSITION pos = dialog.GetStartPosition(); pos;) paths.push_back(dialog.GetNextPathName(pos));
  return paths;
}

CString ChooseFolder(CWnd* pOwner, UINT nTitleId) {
  CFolderPicker picker;
  picker.m_strTitle.LoadString(nTitleId);
  return picker.DoModal(pOwner) == 1 ? picker.m_strPath : CString();
}

CString WithBackslash(const CString& folder) {
  return folder.IsEmpty() || folder.Right(1) == "\\" ? folder : folder + "\\";
}

CString FullPath(const CString& path) {
  char full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? CString(full) : path;
}
