#include "framework/ui/SingleDocTemplate.h"

#include "framework/core/FrameworkStrings.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Document.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::~CSingleDocTemplate() {
  // A document still open when the application ends goes with its template.
  if (m_pOnlyDoc) {
    m_pOnlyDoc->m_pDocTemplate = nullptr;
    if (m_pOnlyDoc->m_viewList.IsEmpty()) delete m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
  }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* doc = reinterpret_cast<CDocument*>(rPos);
  rPos = nullptr;
  return doc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
  CDocTemplate::RemoveDocument(pDoc);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (!GetDocString(title, docName) && !title.LoadString(AFX_IDS_UNTITLED)) title.Empty();
  pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* doc = nullptr;
  CFrameWnd* frame = nullptr;
  BOOL created = FALSE;
  if (m_pOnlyDoc) {
    doc = m_pOnlyDoc;
    if (!doc->SaveModified()) return nullptr;
    POSITION pos = doc->GetFirstViewPosition();
    if (pos) frame = doc->GetNextView(pos)->GetParentFrame();
  } else {
    doc = CreateNewDocument();
    created = TRUE;
  }
  if (!doc) {
    AfxMessageBox(FrameworkText(AFX_IDS_NEW_DOCUMENT_FAILED), MB_ICONEXCLAMATION);
    return nullptr;
  }
  if (!frame) {
    // The document must outlive a frame that fails half made.
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
      AfxMessageBox(FrameworkText(AFX_IDS_WINDOW_FAILED), MB_ICONEXCLAMATION);
      if (created) delete doc;
      return nullptr;
    }
  }

  if (!lpszPathName) {
    SetDefaultTitle(doc);
    if (!bMakeVisible) doc->m_bEmbedded = TRUE;
    if (!doc->OnNewDocument()) {
      if (created) frame->DestroyWindow();  // takes the document with it
      return nullptr;
    }
  } else {
    const BOOL wasModified = doc->IsModified();
    doc->SetModifiedFlag(FALSE);
    if (!doc->OnOpenDocument(lpszPathName)) {
      if (created) {
        frame->DestroyWindow();
      } else if (!doc->IsModified()) {
        doc->SetModifiedFlag(wasModified);  // the file never opened: the old contents stand
      } else {
        // The old contents are gone: start afresh rather than show half a file.
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) frame->DestroyWindow();
      }
      return nullptr;
    }
    doc->SetPathName(lpszPathName);
  }

  CWinThread* thread = AfxGetThread();
  if (created && thread && !thread->m_pMainWnd) thread->m_pMainWnd = frame;
  InitialUpdateFrame(frame, doc, bMakeVisible);
  return doc;
}
