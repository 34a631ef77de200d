#include "player/PlayerDoc.h"

#include <new>

#include "framework/core/Archive.h"
#include "framework/core/ArchiveException.h"
#include "framework/core/MessageBox.h"
#include "framework/core/UserException.h"
#include "player/PackagePageFile.h"
#include "resources/Mirabo.h"

IMPLEMENT_DYNCREATE(CPlayerDoc, CDocument)

namespace {

// The archive's buffer while a page is read.
constexpr int kPageBufferSize = 4096;

const char* CauseFormat(int cause) {
  switch (cause) {
    case CArchiveException::endOfFile: return "%s-endOfFile";
    case CArchiveException::badIndex: return "%s-badIndex";
    case CArchiveException::badClass: return "%s-badClass";
    case CArchiveException::badSchema: return "%s-badSchema";
    default: return "%s-Others";
  }
}

}  // namespace

CPlayerDoc::CPlayerDoc() : CDrawDoc(Reader::player) {}

CString CPlayerDoc::GetPackagePath() const { return m_packagePath.IsEmpty() ? GetModulePath() : m_packagePath; }

int CPlayerDoc::LoadPackagePageByIndex(int index, bool reread) {
  if (reread && m_package.Read(GetPackagePath()) != kPackageOk) return 0;
  if (index < 0 || index >= m_package.GetCount()) return 0;
  const int result = ReadEntry(index, m_package.GetEntry(index).GetName());
  if (result != 1) return result;
  m_pageName.Empty();
  UpdateAllViews(nullptr, 0);
  return 1;
}

BOOL CPlayerDoc::LoadPackagePageByName(const char* name, bool reread) {
  if (reread && m_package.Read(GetPackagePath()) != kPackageOk) return FALSE;
  const int index = m_package.FindEntry(name);
  if (index < 0 || ReadEntry(index, name) != 1) return FALSE;
  m_pageName = name;
  UpdateAllViews(nullptr, 0);
  return TRUE;
}

BOOL CPlayerDoc::OnOpenDocument(const char* path) { return LoadPackagePageByName(path, false); }

BOOL CPlayerDoc::IsShowingPage(const CString& path) const {
  CString current = m_pageName, wanted = path;
  current.MakeLower();
  wanted.MakeLower();
  return m_hasPage && current == wanted;
}

int CPlayerDoc::ReadEntry(int index, const CString& name) {
  const PackageEntry& entry = m_package.GetEntry(index);
  // The directory promises no page at offset 0: the stub is there.
  if (entry.GetOffset() == 0) return 0;
  CPackagePageFile file;
  if (!file.OpenPage(GetPackagePath(), entry.GetOffset(), entry.GetSize())) return kPackageSourceFailed;
  // Read beside the current page, which stays until the new one is complete.
  CDrawDoc loaded(Reader::player);
  try {
    CArchive ar(&file, CArchive::load, kPageBufferSize);
    ar.m_pDocument = &loaded;
    loaded.Serialize(ar);
  } catch (const CException& e) {
    ReportSaveLoadException(name, &e, FALSE);
    return 0;
  } catch (const std::bad_alloc&) {
    AfxMessageBox("内存不足", MB_ICONSTOP);
    return 0;
  }
  DeleteContents();
  TakeContentsFrom(loaded);
  m_hasPage = true;
  return 1;
}

void CPlayerDoc::DeleteContents() {
  CDrawDoc::DeleteContents();
  m_hasPage = false;
}

void CPlayerDoc::ReportSaveLoadException(LPCSTR lpszPathName, const CException* e, BOOL bSaving) {
  if (dynamic_cast<const CUserException*>(e)) return;  // already told
  if (auto* archive = dynamic_cast<const CArchiveException*>(e)) {
    CString unexpected, text;
    unexpected.LoadString(IDS_UNEXPECTED_FORMAT);
    text.Format(CauseFormat(archive->m_cause), unexpected.GetString());
    AfxMessageBox(text, MB_ICONSTOP);
  } else if (auto* file = dynamic_cast<const CFileException*>(e)) {
    CFileException named(*file);
    if (named.m_strFileName.IsEmpty()) named.m_strFileName = lpszPathName;
    CDrawDoc::ReportSaveLoadException(lpszPathName, &named, bSaving);
    return;
  }
  CDrawDoc::ReportSaveLoadException(lpszPathName, e, bSaving);
}
