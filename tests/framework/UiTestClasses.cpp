#include <gtest/gtest.h>

#include "tests/framework/UiTestClasses.h"

#include "framework/core/FileException.h"
#include "framework/ui/DC.h"
#include "framework/ui/PrintInfo.h"
#include "framework/ui/ThreadState.h"

std::vector<std::string>& UiLog() {
  static std::vector<std::string> log;
  return log;
}

// ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestUiDoc, CDocument)

CTestUiDoc::CTestUiDoc() { MapCommand(ID_TEST_DOC_ONLY, &CTestUiDoc::OnDocOnly); }

void CTestUiDoc::Serialize(CArchive& ar) {
  static const char kMagic[4] = {'T', 'P', 'G', '1'};
  if (ar.IsStoring()) {
    ar.Write(kMagic, 4);
    ar << m_text;
    if (m_failAfterBytes >= 0) {
      std::vector<char> filler(static_cast<size_t>(m_failAfterBytes), 'x');
      ar.Write(filler.data(), static_cast<UINT>(filler.size()));
      ar.Flush();
      throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, ar.GetFile()->GetFilePath());
    }
  } else {
    char magic[4] = {};
    if (ar.Read(magic, 4) != 4 || memcmp(magic, kMagic, 4) != 0)
      throw CArchiveException(CArchiveException::genericException, ar.GetFile()->GetFilePath());
    ar >> m_text;
  }
}

// ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestUiView, CView)

BOOL CTestUiView::s_enableViewCommand = TRUE;
UINT CTestUiView::s_printPages = 1;

BOOL CTestUiView::OnPreparePrinting(CPrintInfo* pInfo) {
  pInfo->SetMaxPage(s_printPages);
  return DoPreparePrinting(pInfo);
}

void CTestUiView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  pDC->FillSolidRect(&pInfo->m_rectDraw, PageColour(pInfo->m_nCurPage));
}

CTestUiView::CTestUiView() {
  MapCommand(ID_TEST_VIEW_ONLY, &CTestUiView::OnViewOnly);
  MapCommand(ID_FILE_PRINT, &CView::OnFilePrint);
  MapCommand(ID_TEST_VIEW_AND_FRAME, &CTestUiView::OnViewAndFrame);
  MapUpdateCommandUI(ID_TEST_VIEW_ONLY, &CTestUiView::OnUpdateViewOnly);
  MapUpdateCommandUI(ID_TEST_DISABLED, &CTestUiView::OnUpdateDisabled);
  MapUpdateCommandUI(ID_TEST_ACCEL_DISABLED, &CTestUiView::OnUpdateDisabled);
  MapNotify(0x1000, 139, &CTestUiView::OnFormatNotify);
}

void CTestUiView::OnInitialUpdate() {
  ++m_initialUpdates;
  CView::OnInitialUpdate();
}

void CTestUiView::OnFormatNotify(NMHDR*, LRESULT* result) {
  UiLog().push_back("view notified");
  *result = 1;
}

// ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestUiFrame, CFrameWnd)

CTestUiFrame::CTestUiFrame() {
  MapCommand(ID_TEST_FRAME_ONLY, &CTestUiFrame::OnFrameOnly);
  MapCommand(ID_TEST_VIEW_AND_FRAME, &CTestUiFrame::OnViewAndFrame);
  MapCommand(ID_TEST_DISABLED, &CTestUiFrame::OnDisabled);
  MapCommand(ID_TEST_ACCEL_DISABLED, &CTestUiFrame::OnAccelDisabled);
  MapCommand(ID_TEST_VIEW_ONLY, &CTestUiFrame::OnViewOnlyInFrame);
  MapCommandEx(ID_TEST_SIDEBAR_BAR, &CFrameWnd::OnBarCheck);
  MapUpdateCommandUI(ID_TEST_SIDEBAR_BAR, &CFrameWnd::OnUpdateControlBarMenu);
}

BOOL CTestUiFrame::CreateBars() {
  if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                          WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC) ||
      !m_toolBar.LoadToolBar(IDR_TEST_FRAME))
    return FALSE;
  if (!m_sideBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_SIZE_DYNAMIC, CRect(),
                          ID_TEST_SIDEBAR_BAR) ||
      !m_sideBar.LoadToolBar(IDR_TEST_SIDEBAR))
    return FALSE;
  static const UINT indicators[] = {ID_SEPARATOR, ID_TEST_INDICATOR};
  if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 2)) return FALSE;
  EnableDocking(CBRS_ALIGN_ANY);
  m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_sideBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  DockControlBar(&m_toolBar);
  DockControlBar(&m_sideBar);
  return TRUE;
}

// ---------------------------------------------------------------------------------

CTestUiApp::CTestUiApp() : CWinApp("CoursewareUiTests") {
  MapCommand(ID_TEST_APP_ONLY, &CTestUiApp::OnAppOnly);
  MapCommand(ID_FILE_NEW, &CWinApp::OnFileNew);
  MapCommand(ID_FILE_OPEN, &CWinApp::OnFileOpen);
}

BOOL CTestUiApp::OnIdle(LONG lCount) {
  ++m_idleCalls;
  const BOOL more = CWinApp::OnIdle(lCount);
  if (!more && m_quitWhenIdle) ::PostQuitMessage(0);
  return more;
}

void PumpMessages(CWinThread& thread) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;
    thread.PumpMessage();
  }
}

// ---------------------------------------------------------------------------------

void UiAppTest::SetUp() {
  UiLog().clear();
  CTestUiView::s_enableViewCommand = TRUE;
  CTestUiView::s_printPages = 1;
  app = std::make_unique<CTestUiApp>();
  app->AddDocTemplate(new CSingleDocTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(CTestUiDoc), RUNTIME_CLASS(CTestUiFrame),
                                             RUNTIME_CLASS(CTestUiView)));
}

void UiAppTest::TearDown() {
  if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
  // Whatever is left, the quit message of the destroyed frame included.
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message != WM_QUIT) ::DispatchMessageA(&msg);
  }
  app.reset();
  AfxDeleteTempMaps();
}

CTestUiFrame* UiAppTest::NewDocumentFrame() {
  app->OnFileNew();
  auto* frame = static_cast<CTestUiFrame*>(app->m_pMainWnd);
  if (frame) frame->MoveWindow(0, 0, 800, 600);
  return frame;
}

CTestUiDoc* UiAppTest::ActiveDocument() const {
  auto* frame = static_cast<CFrameWnd*>(app->m_pMainWnd);
  return frame ? static_cast<CTestUiDoc*>(frame->GetActiveDocument()) : nullptr;
}

CTestUiView* UiAppTest::ActiveView() const {
  auto* frame = static_cast<CFrameWnd*>(app->m_pMainWnd);
  return frame ? static_cast<CTestUiView*>(frame->GetActiveView()) : nullptr;
}
