#include "control/MainDoc.h"

#include <exception>

#include "control/MainView.h"
#include "control/PageSource.h"
#include "control/RaveloCtrl.h"
#include "control/ThreadContextMap.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/MessageBox.h"

CMainDoc::CMainDoc() : CDrawDoc(Reader::control) { m_download.SetOwner(this); }

CMainDoc::~CMainDoc() {
  m_download.SetOwner(nullptr);
  m_download.Close();
}

int CMainDoc::LoadPage(const CString& hostAddress, const CString& src) {
  m_requestedHost = hostAddress;
  m_requestedSrc = src;
  ++m_loadRequests;
  const PageSource source = ResolvePageSource(hostAddress, src);
  if (source.baseKind == PageSource::noBase) return 0;
  m_baseKind = source.baseKind;
  GetThreadContextMap().SetBaseUrl(source.base);
  if (source.action == PageSource::unknownBase) {
    AfxMessageBox("error Doc Type");
    return 0;
  }
  return Open(source, false);
}

int CMainDoc::OpenPageByName(const CString& name) {
  return Open(ResolvePageName(m_baseKind, GetThreadContextMap().GetBaseUrl(), name), true);
}

int CMainDoc::Open(const PageSource& source, bool jump) {
  switch (source.action) {
    case PageSource::download:
      return StartDownload(source.target, jump);
    case PageSource::openFile:
      return OpenPageFile(source.target);
    default:
      return 0;
  }
}

int CMainDoc::StartDownload(const CString& address, bool jump) {
  // A time-based jump asks again on every frame while the page is on its way: the
  // download under way is kept rather than started over.
  if (m_download.IsBound() && m_download.GetAddress() == address) return 1;
  m_jumpPending = jump;
  CFileException error;
  m_download.Open(address, &error);  // a failure to start is reported by the binding, if at all
  return 1;
}

void CMainDoc::OnDownloadFailed() {
  if (!m_jumpPending) return;
  m_jumpPending = false;
  if (m_view) m_view->GetRun().SetTimer(CMainView::kJumpPeriodMs);
}

void CMainDoc::EmptyForReload() {
  if (m_view) {
    m_view->GetRun().KillTimer();
    m_view->ResetObjects();
    m_view->SetPlaybackClock(0);
  }
  DeleteContents();
}

int CMainDoc::OpenPageFile(const CString& path) {
  if (!m_firstLoad) EmptyForReload();
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
    if (m_view) {
      m_view->InvalidateWindow(TRUE);
      m_view->ShowWindow(SW_SHOW);
    }
    return 0;
  }
  return ReadPage(file);
}

int CMainDoc::OnDownloadComplete(CFile& stream) {
  m_jumpPending = false;
  if (!m_firstLoad) EmptyForReload();
  stream.SeekToBegin();
  return ReadPage(stream);
}

int CMainDoc::ReadPage(CFile& file) {
  // Read into a document of its own: a page that fails half way leaves nothing behind.
  bool read = false;
  {
    CDrawDoc loaded(Reader::control);
    try {
      CArchive ar(&file, CArchive::load, 4096);
      ar.m_pDocument = &loaded;
      loaded.Serialize(ar);
      read = true;
    } catch (const CException&) {
    } catch (const std::exception&) {
    }
    if (read) TakeContentsFrom(loaded);
  }
  if (!m_view) return read ? 1 : 0;
  if (!read) {
    m_view->InvalidateWindow(TRUE);
    m_view->ShowWindow(SW_SHOW);
    return 0;
  }
  const bool reload = !m_firstLoad;
  m_view->StartPlayback();
  // A reload from within a step of the old page ends that walk.
  if (reload) m_view->SetPlaybackClock(0);
  if (HWND window = m_view->GetWindow())
    ::PostMessageA(window, CRaveloCtrl::kPageSizeMessage, 0,
                   CRaveloCtrl::MakePageSizeParam(m_pageSize.cx, m_pageSize.cy));
  m_firstLoad = 0;
  m_view->InvalidateWindow(TRUE);
  m_view->ShowWindow(SW_SHOW);
  return 1;
}
