#include "control/PageDownloadFile.h"

#include <urlmon.h>

#include "control/MainDoc.h"
#include "control/MainView.h"
#include "control/ThreadContextMap.h"
#include "framework/core/MessageBox.h"

CPageDownloadFile::~CPageDownloadFile() { Close(); }

BOOL CPageDownloadFile::Open(const char* address, CFileException* error) {
  if (m_binding) {
    m_binding = 0;
    Close();
  }
  m_complete = 0;
  m_stopReported = false;
  CFileException refused;
  if (!error) error = &refused;
  if (CAsyncMonikerFile::Open(address, error)) return TRUE;
  // A binding refused within the call may have reported nothing of its own.
  if (!m_stopReported) {
    CString text;
    text.Format("0x%08lX: %s", static_cast<unsigned long>(error->m_lOsError), address ? address : "");
    OnStopBinding(E_FAIL, text);
  }
  return FALSE;
}

void CPageDownloadFile::OnStartBinding() {
  if (CMainView* view = GetThreadContextMap().GetView()) view->InvalidateWindow(TRUE);
  m_binding = 1;
}

void CPageDownloadFile::OnDataAvailable(DWORD, DWORD flags) {
  // The last notification may come with other bits (urlmon sends 6 or 12 and more).
  if (!(flags & BSCF_LASTDATANOTIFICATION) || m_complete) return;
  m_complete = 1;
  if (!m_owner) return;
  try {
    SeekToBegin();
    m_owner->OnDownloadComplete(*this);
  } catch (const CFileException&) {
  }
}

void CPageDownloadFile::OnStopBinding(HRESULT result, const CString& text) {
  m_stopReported = true;
  m_binding = 0;
  m_complete = 0;
  if (FAILED(result)) {
    AfxMessageBoxWithCaption(nullptr, text, "错误!", MB_OK);
    if (m_owner) m_owner->OnDownloadFailed();
  }
}
