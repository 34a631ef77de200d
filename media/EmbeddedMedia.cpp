#include "media/EmbeddedMedia.h"

#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "framework/core/FileException.h"
#include "framework/core/MessageBox.h"
#include "framework/core/PlainFileName.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"

namespace {

constexpr UINT kBlock = 4096;

bool IsPath(const CString& name) { return name.Find('\\') >= 0 || name.Find(':') >= 0; }

CString BareName(const CString& path) { return path.Mid(path.ReverseFind('\\') + 1); }

// Reads and drops count bytes of the record.
void SkipBytes(CArchive& ar, DWORD count) {
  BYTE block[kBlock];
  while (count > 0) {
    const UINT n = count < kBlock ? count : kBlock;
    if (ar.Read(block, n) != n) throw CArchiveException(CArchiveException::endOfFile);
    count -= n;
  }
}

}  // namespace

CDrawDoc* PageOfArchive(CArchive& ar) {
  if (auto* page = dynamic_cast<CDrawDoc*>(ar.m_pDocument)) return page;
  CDrawHost* host = GetDrawHost();
  return host ? host->GetDocument() : nullptr;
}

CString CEmbeddedMedia::PlayPath(const CString& fileName) const {
  if (IsPath(fileName)) return fileName;
  if (m_copy) return m_copy->GetPath();
  // A bare name without bytes (a page stored without embedding) is looked for as it is.
  return m_sourcePath.IsEmpty() ? fileName : m_sourcePath;
}

CString CEmbeddedMedia::Store(CArchive& ar, const CString& fileName, DWORD kind) {
  if (m_sourcePath.Find(":\\") >= 1) {
    CFile source;
    if (source.Open(m_sourcePath, CFile::modeRead | CFile::shareDenyWrite)) {
      const ULONGLONG size = source.GetLength();
      if (size > 0xFFFFFFFFull) CFileException::ThrowOsError(ERROR_FILE_TOO_LARGE, m_sourcePath);
      const CString name = BareName(m_sourcePath);
      m_embeddedLength = static_cast<DWORD>(size);
      ar << name << m_embeddedLength << kind;
      BYTE block[kBlock];
      for (DWORD left = m_embeddedLength; left > 0;) {
        const UINT n = left < kBlock ? left : kBlock;
        // A file that shrank while being read would leave the record short.
        if (source.Read(block, n) != n) throw CFileException(CFileException::endOfFile, -1, m_sourcePath);
        ar.Write(block, n);
        left -= n;
      }
      source.Close();
      // From now on the object plays what the page carries, as a reader of the page will.
      if (!m_copy || m_copy->GetPath().CompareNoCase(m_sourcePath) != 0) {
        auto folder = CEmbeddedMediaFolder::ForPage(PageOfArchive(ar));
        auto copy = folder ? folder->CopyFrom(m_sourcePath, name) : nullptr;
        if (!copy) return CString();  // the object keeps playing its source
        m_copy = std::move(copy);
      }
      m_sourcePath = name;
      CString path = m_copy->GetPath();
      path.MakeLower();
      return path;
    }
  }
  m_embeddedLength = 0;
  ar << (m_sourcePath.IsEmpty() ? fileName : m_sourcePath) << m_embeddedLength << kind;
  return CString();
}

CString CEmbeddedMedia::Load(CArchive& ar, const CString& fileName, BOOL report) {
  CString name;
  DWORD length, kind;
  ar >> name >> length >> kind;
  ar.CheckAvailable(length);
  m_sourcePath = name;
  m_embeddedLength = length;
  if (IsPath(fileName) || length == 0 || !IsPlainFileName(name)) {
    SkipBytes(ar, length);
    return CString();
  }
  // A page read again replaces its copies; the old one goes once nothing plays it.
  m_copy.reset();
  HANDLE file = INVALID_HANDLE_VALUE;
  auto folder = CEmbeddedMediaFolder::ForPage(PageOfArchive(ar));
  auto copy = folder ? folder->CreateCopy(name, file) : nullptr;
  CString failedPath = copy ? copy->GetPath() : (folder ? folder->GetPath() + "\\" + name : name);
  LONG error = copy ? ERROR_SUCCESS : static_cast<LONG>(::GetLastError());
  BYTE block[kBlock];
  for (DWORD left = length; left > 0;) {
    const UINT n = left < kBlock ? left : kBlock;
    if (ar.Read(block, n) != n) {
      if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
      throw CArchiveException(CArchiveException::endOfFile);
    }
    DWORD written = 0;
    if (copy && (!::WriteFile(file, block, n, &written, nullptr) || written != n)) {
      // The rest of the record is still read, so the page stays in step.
      error = static_cast<LONG>(::GetLastError());
      ::CloseHandle(file);
      file = INVALID_HANDLE_VALUE;
      copy.reset();
    }
    left -= n;
  }
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (!copy) {
    if (report)
      AfxMessageBox(CFileException(CFileException::OsErrorToException(error), error, failedPath).GetErrorMessage(),
                    MB_ICONEXCLAMATION);
    return CString();
  }
  m_copy = std::move(copy);
  CString path = m_copy->GetPath();
  path.MakeLower();
  return path;
}

int CEmbeddedMedia::CollectResources(CString& fileName, int mode) {
  if (mode == 1 || fileName.Find('\\') < 0) return 1;
  const CString name = BareName(fileName);
  if (mode == 0) {
    const CString res = ProgrammeFolder() + "\\res";
    ::CreateDirectoryW(codepage::ToWide(res.str()).c_str(), nullptr);
    const std::wstring target = codepage::ToWide((res + "\\" + name).str());
    if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !::CopyFileW(codepage::ToWide(fileName.str()).c_str(), target.c_str(), TRUE))
      return 0;  // keeps the path rather than point at nothing
  }
  m_sourcePath = fileName;
  fileName = name;
  fileName.MakeLower();
  return 1;
}

void CEmbeddedMedia::ShareWith(CEmbeddedMedia& clone) const {
  clone.m_sourcePath = m_sourcePath;
  clone.m_copy = m_copy;
  clone.m_embeddedLength = m_embeddedLength;
}
