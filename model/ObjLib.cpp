#include "model/ObjLib.h"

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/MessageBox.h"
#include "framework/core/WriteBeside.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CObjLib, CObject, 0)

namespace {
const char kLibrarySignature[] = "kelvanelib";
// Even an empty library is longer: a file this short is taken for an empty one unread.
constexpr ULONGLONG kLibraryMinimum = 12;
}  // namespace

void CObjLib::AddObject(CDrawObj* object) { m_objects.AddTail(object); }

void CObjLib::RemoveObject(CDrawObj* object) {
  if (POSITION pos = m_objects.Find(object)) m_objects.RemoveAt(pos);
}

void CObjLib::DeleteObjects() {
  while (!m_objects.IsEmpty()) static_cast<CDrawObj*>(m_objects.RemoveHead())->Delete();
}

void CObjLib::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    m_strSignature = kLibrarySignature;
    ar << m_strSignature << m_strDescription << m_version;
    ar.WriteCount(static_cast<DWORD>(m_objects.GetCount()));
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) ar.WriteObject(m_objects.GetNext(pos));
    return;
  }
  ar >> m_strSignature;
  if (m_strSignature != kLibrarySignature) {
    m_bValid = FALSE;
    AfxMessageBox(IDS_NOT_A_LIBRARY, MB_OK);
    return;
  }
  ar >> m_strDescription >> m_version;
  // Each object arrives whole or not at all, so the list holds only complete objects.
  for (DWORD n = ar.ReadCount(2); n > 0; --n) m_objects.AddTail(ar.ReadNewObject(&CDrawDoc::IsDrawingClass));
}

void CObjLib::LoadFile(const CString& path) {
  CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
  if (file.GetLength() <= kLibraryMinimum) return;
  CArchive ar(&file, CArchive::load);
  Serialize(ar);
}

void CObjLib::StoreFile(const CString& path) {
  WriteFileBeside(path, [this](CFile& file) {
    CArchive ar(&file, CArchive::store);
    Serialize(ar);
    ar.Close();
  });
}
