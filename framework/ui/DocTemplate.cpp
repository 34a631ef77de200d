#include "framework/ui/DocTemplate.h"

#include <vector>

#include "framework/core/MessageBox.h"
#include "framework/ui/Document.h"
#include "framework/ui/FrameWnd.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {
  m_strDocStrings.LoadString(nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < index; ++i) {
    start = m_strDocStrings.Find('\n', start);
    if (start < 0) return FALSE;
    ++start;
  }
  const int end = m_strDocStrings.Find('\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    CDocument* doc = GetNextDoc(pos);
    if (!doc->GetPathName().IsEmpty() && doc->GetPathName().CompareNoCase(lpszPathName) == 0) {
      rpDocMatch = doc;
      return yesAlreadyOpen;
    }
  }
  CString ext;
  if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
    const CString path(lpszPathName);
    if (path.GetLength() >= ext.GetLength() && path.Right(ext.GetLength()).CompareNoCase(ext) == 0)
      return yesAttemptNative;
  }
  return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete object;
    return nullptr;
  }
  auto* doc = static_cast<CDocument*>(object);
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CFrameWnd*>(object);
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
    return nullptr;  // the frame deleted itself
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    if (!GetNextDoc(pos)->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  std::vector<CDocument*> docs;
  for (POSITION pos = GetFirstDocPosition(); pos;) docs.push_back(GetNextDoc(pos));
  for (CDocument* doc : docs) doc->OnCloseDocument();
}
