// CWinApp: the application object, its loop and its global accessors. Settings are
// in WinAppProfile.cpp, documents and the shell in WinAppDocuments.cpp.
#include "framework/ui/WinApp.h"

#include <ole2.h>

#include "framework/core/MessageBox.h"
#include "framework/core/ModulePath.h"
#include "framework/core/Module.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/CommandLineInfo.h"
#include "framework/ui/DocTemplate.h"
#include "framework/ui/ModalSink.h"
#include "framework/ui/RecentFileList.h"
#include "framework/ui/ThreadState.h"
#include "framework/ui/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_app = nullptr;
bool g_oleInitialised = false;
}  // namespace

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() {
  if (CWinThread* thread = AfxGetThread()) return thread->GetMainWnd();
  return g_app ? g_app->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

BOOL AfxOleInit() {
  if (g_oleInitialised) return TRUE;
  if (FAILED(::OleInitialize(nullptr))) return FALSE;
  g_oleInitialised = true;
  return TRUE;
}

CWinApp::CWinApp(LPCSTR lpszAppName) {
  g_app = this;
  AfxGetThreadState().m_pThread = this;
  m_nThreadID = ::GetCurrentThreadId();
  m_bAutoDelete = FALSE;
  m_hInstance = ::GetModuleHandleA(nullptr);

  const CString exePath = ModuleFileName(m_hInstance);
  const int dot = exePath.ReverseFind('.');
  const CString withoutExtension = dot > exePath.ReverseFind('\\') ? exePath.Left(dot) : exePath;
  m_pszExeName = withoutExtension.Mid(withoutExtension.ReverseFind('\\') + 1);
  m_pszHelpFilePath = withoutExtension + ".HLP";

  if (lpszAppName) {
    m_pszAppName = lpszAppName;
  } else if (!m_pszAppName.LoadString(AFX_IDS_APP_TITLE)) {
    m_pszAppName = m_pszExeName;
  }
  m_pszProfileName = m_pszExeName + ".INI";
  AfxSetMessageBoxOwner(nullptr, m_pszAppName);

  MapCommand(ID_APP_EXIT, &CWinApp::OnAppExit);
  MapCommandExRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile);
  MapUpdateCommandUI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu);
}

CWinApp::~CWinApp() {
  for (CDocTemplate* docTemplate : m_templates) delete docTemplate;
  m_templates.clear();
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  if (!m_pCmdInfo || m_pCmdInfo->m_nShellCommand != CCommandLineInfo::AppUnregister) SaveStdProfileSettings();
  return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run() {
  if (!m_pMainWnd) ::PostQuitMessage(0);
  return CWinThread::Run();
}


HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEA(nIDResource)); }

HCURSOR CWinApp::LoadCursor(LPCSTR lpszResourceName) const {
  return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  CWnd* main = AfxGetMainWnd();
  HWND owner = main ? main->m_hWnd : nullptr;
  ModalCall call;
  call.kind = ModalCall::winHelp;
  call.id = nCmd;
  call.data = dwData;
  call.text = m_pszHelpFilePath;
  call.show = [&] { return static_cast<INT_PTR>(::WinHelpA(owner, m_pszHelpFilePath, nCmd, dwData)); };
  AfxRunModal(call);
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelpFinder() { WinHelp(0, HELP_FINDER); }

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = hInstance;
  app->m_lpCmdLine = lpCmdLine;
  app->m_nCmdShow = nCmdShow;
  int code;
  if (!app->InitApplication() || !app->InitInstance()) {
    if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
    code = app->ExitInstance();
  } else {
    code = app->Run();
  }
  AfxDeleteTempMaps();
  if (g_oleInitialised) {
    // Data the program put on the clipboard stays there after it has gone.
    ::OleFlushClipboard();
    ::OleUninitialize();
    g_oleInitialised = false;
  }
  return code;
}
