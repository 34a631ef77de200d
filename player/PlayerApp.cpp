#include "player/PlayerApp.h"

#include <objbase.h>

#include "behaviour/StandardBehaviour.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/AfxRes.h"
#include "framework/ui/CommandLineInfo.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/RichEditCtrl.h"
#include "framework/ui/SingleDocTemplate.h"
#include "graphics/GdiplusSession.h"
#include "player/DrawView.h"
#include "player/MainFrame.h"
#include "player/PlayerDoc.h"
#include "resources/Mirabo.h"

CPlayerApp::CPlayerApp() {
  MapCommand(ID_APP_ABOUT, &CPlayerApp::OnAppAbout);
  MapCommand(ID_FILE_NEW, &CWinApp::OnFileNew);
  MapCommand(ID_FILE_OPEN, &CWinApp::OnFileOpen);
}

CPlayerApp::~CPlayerApp() = default;

BOOL CPlayerApp::StartGdiplus() {
  m_gdiplus = std::make_unique<CGdiplusSession>();
  if (m_gdiplus->IsStarted()) return TRUE;
  m_gdiplus.reset();
  return FALSE;
}

BOOL CPlayerApp::InitInstance() {
  CStandardBehaviour::Install();
  if (!StartGdiplus()) {
    AfxMessageBox("请先安装GDI+再运行", MB_ICONSTOP);
    return FALSE;
  }
  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED, MB_ICONSTOP);
    return FALSE;
  }
  // The pages may hold ActiveX players, and documents in rich edit windows.
  AfxEnableControlContainer();
  AfxInitRichEdit2();
  m_comInitialised = SUCCEEDED(::CoInitialize(nullptr));

  SetRegistryKey(IDS_MAKER);
  LoadStdProfileSettings(4);

  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPlayerDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CDrawView)));

  // No argument: the empty document whose view plays the package on its first update.
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;

  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  m_pMainWnd->DragAcceptFiles();
  return TRUE;
}

int CPlayerApp::ExitInstance() {
  if (m_comInitialised) ::CoUninitialize();
  m_comInitialised = FALSE;
  m_gdiplus.reset();
  return CWinApp::ExitInstance();
}

CDrawView* CPlayerApp::GetPlayerView() const {
  auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  return frame ? dynamic_cast<CDrawView*>(frame->GetActiveView()) : nullptr;
}

CDocument* CPlayerApp::OpenDocumentFile(LPCSTR lpszFileName) {
  CDrawView* view = GetPlayerView();
  if (!view) return CWinApp::OpenDocumentFile(lpszFileName);
  CPlayerDoc* doc = view->GetPlayerDoc();
  // Looked up before anything stops: a name the package lacks leaves the page playing.
  if (!doc || doc->m_package.FindEntry(lpszFileName) < 0) return nullptr;
  return view->GoToPage(lpszFileName) ? doc : nullptr;
}

void CPlayerApp::OnAppAbout() {
  CDialog about(IDD_ABOUTBOX);
  about.DoModal();
}
