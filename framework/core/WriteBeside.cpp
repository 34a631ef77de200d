#include "framework/core/WriteBeside.h"

#include <windows.h>

#include <string>

#include "framework/core/Codepage.h"

void WriteFileBeside(const CString& target, const std::function<void(CFile& file)>& write) {
  const CString partial = target + ".tmp~";
  const std::wstring from = codepage::ToWide(partial.str()), to = codepage::ToWide(target.str());
  try {
    {
      CFile file(partial, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
      write(file);
      file.Flush();
      file.Close();
    }
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), target);
  } catch (...) {
    ::DeleteFileW(from.c_str());
    throw;
  }
}
