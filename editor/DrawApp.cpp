#include "editor/DrawApp.h"

#include <ole2.h>

#include "behaviour/StandardBehaviour.h"
#include "editor/DrawView.h"
#include "editor/EditorHost.h"
#include "editor/FileHelpers.h"
#include "editor/MainFrame.h"
#include "editor/SplashThread.h"
#include "framework/core/MessageBox.h"
#include "framework/core/ModulePath.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/RecentFileList.h"
#include "framework/ui/SingleDocTemplate.h"
#include "graphics/GdiplusSession.h"
#include "model/DrawDoc.h"
#include "resources/KordelIds.h"

namespace {

constexpr char kDirPath[] = "DirPath";
constexpr char kRunPara[] = "RunPara";
constexpr char kRecentSection[] = "Recent File List";

// The string settings of a group, in the order they are read and written.
struct StringSetting {
  int group;
  const char* section;
  const char* entry;
  CString CDrawApp::*field;
};
const StringSetting kStringSettings[] = {
    {0, kDirPath, "Mat", &CDrawApp::m_strShapesFolder},
    {0, kDirPath, "Img", &CDrawApp::m_strPicturesFolder},
    {0, kDirPath, "Sound", &CDrawApp::m_strSoundsFolder},
    {0, kDirPath, "Mov", &CDrawApp::m_strVideoFolder},
    {0, kDirPath, "Programme", &CDrawApp::m_strProgrammeFolder},
    {0, kDirPath, "ObjLib", &CDrawApp::m_strComponentLibrary},
    {2, kDirPath, "ProgrammeDir", &CDrawApp::m_strProgrammeDir},
    {3, kDirPath, "PageTempl", &CDrawApp::m_strPageTemplates},
};

}  // namespace

CDrawApp* GetDrawApp() { return dynamic_cast<CDrawApp*>(AfxGetApp()); }

CDrawApp::CDrawApp() {
  MapCommand(ID_APP_ABOUT, &CDrawApp::OnAppAbout);
  MapCommand(ID_FILE_NEW, &CWinApp::OnFileNew);
  MapCommand(ID_FILE_OPEN, &CWinApp::OnFileOpen);
  MapCommand(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup);
  MapUpdateCommandUI(ID_RECENT_PROGRAMME_FIRST, &CDrawApp::OnUpdateRecentProgrammes);
  MapCommandExRange(ID_RECENT_PROGRAMME_FIRST, ID_RECENT_PROGRAMME_LAST, &CDrawApp::OnRecentProgramme);
}

CDrawApp::~CDrawApp() {
  delete m_pRecentProgrammes;
  m_pRecentProgrammes = nullptr;
}

// ---------------------------------------------------------------------------------
// Start-up and exit

BOOL CDrawApp::InitInstance() {
  CStandardBehaviour::Install();
  m_strProgramFolder = ModuleFolder(nullptr);

  m_splash = std::make_unique<CSplashThread>();
  CString line;
  line.LoadString(IDS_SPLASH_MAKER);
  m_splash->AddTextLine(line);
  line.LoadString(IDS_SPLASH_YEARS);
  m_splash->AddTextLine(line);

  SetRegistryKey(IDS_MAKER_KEY);
  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  AfxEnableControlContainer();
  Enable3dControls();
  LoadStdProfileSettings(4);
  for (int group = 0; group < kSettingsGroups; ++group) LoadSettings(group);

  // The drawing code cannot do without GDI+: refuse to start, as the player does.
  m_gdiplus = std::make_unique<CGdiplusSession>();
  if (!m_gdiplus->IsStarted()) {
    m_gdiplus.reset();
    AfxMessageBox(IDS_GDIPLUS_MISSING, MB_ICONSTOP);
    return FALSE;
  }

  m_host = std::make_unique<CEditorHost>();
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDrawDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CDrawView)));
  EnableShellOpen();
  RegisterShellFileTypes(FALSE);

  ParseCommandLine(m_cmdInfo);
  if (!ProcessShellCommand(m_cmdInfo)) return FALSE;  // the cause has been reported
  if (!m_pMainWnd) return FALSE;

  m_bComInitialised = SUCCEEDED(::CoInitialize(nullptr));
  LoadRecentProgrammes();

  m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
  m_pMainWnd->UpdateWindow();

  m_splash->SetMainWindow(m_pMainWnd->m_hWnd);
  if (m_cmdInfo.m_bShowSplash && m_splash->CreateThread()) m_splash.release();  // it deletes itself
  m_splash.reset();

  m_pMainWnd->DragAcceptFiles(TRUE);
  return TRUE;
}

int CDrawApp::ExitInstance() {
  if (m_pRecentProgrammes) m_pRecentProgrammes->WriteList();
  if (m_bComInitialised) {
    ::CoUninitialize();
    m_bComInitialised = FALSE;
  }
  m_host.reset();
  m_gdiplus.reset();
  m_splash.reset();  // never started
  return CWinApp::ExitInstance();
}

// ---------------------------------------------------------------------------------
// Settings

void CDrawApp::LoadSettings(int group) {
  if (group < 0 || group >= kSettingsGroups) return;
  for (const StringSetting& s : kStringSettings) {
    if (s.group != group) continue;
    CString fallback;
    if (group == 2) fallback = "c:\\kelvane";
    if (group == 3) fallback = m_strProgramFolder + "\\templ";
    this->*s.field = GetProfileString(s.section, s.entry, fallback);
  }
  if (group == 1) {
    auto read = [this](const char* entry, int fallback) {
      return static_cast<int>(GetProfileInt(kRunPara, entry, fallback));
    };
    m_nThumbWidth = read("ImgWidth", 64);
    m_nThumbHeight = read("ImgHeight", 64);
    m_nPackageType = read("PakType", 0);
    m_viewSize.cx = read("ViewWidth", 800);
    m_viewSize.cy = read("ViewHeight", 600);
    m_defaultPageSize.cx = read("DefaultWidth", 800);
    m_defaultPageSize.cy = read("DefaultHeight", 600);
  }
}

void CDrawApp::SaveSettings(int group) {
  if (group < 0 || group >= kSettingsGroups) return;
  for (const StringSetting& s : kStringSettings) {
    if (s.group == group) WriteProfileString(s.section, s.entry, this->*s.field);
  }
  if (group == 1) {
    WriteProfileInt(kRunPara, "ImgWidth", m_nThumbWidth);
    WriteProfileInt(kRunPara, "ImgHeight", m_nThumbHeight);
    WriteProfileInt(kRunPara, "PakType", m_nPackageType);
    WriteProfileInt(kRunPara, "ViewWidth", m_viewSize.cx);
    WriteProfileInt(kRunPara, "ViewHeight", m_viewSize.cy);
    WriteProfileInt(kRunPara, "DefaultWidth", m_defaultPageSize.cx);
    WriteProfileInt(kRunPara, "DefaultHeight", m_defaultPageSize.cy);
  }
}

void CDrawApp::LoadRecentProgrammes() {
  delete m_pRecentProgrammes;
  m_pRecentProgrammes = new CRecentFileList(0, kRecentSection, "Rawelo%d", 4, 30);
  m_pRecentProgrammes->ReadList();
}

void CDrawApp::AddToRecentFileList(LPCSTR lpszPathName) {
  // Recordings and captures go beside the page being edited.
  if (lpszPathName && *lpszPathName) m_strWorkingFolder = FolderOfPage(lpszPathName);
  CWinApp::AddToRecentFileList(lpszPathName);
}

// ---------------------------------------------------------------------------------
// Host answers

CMainFrame* CDrawApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

CDrawView* CDrawApp::GetActiveDrawView() const {
  CMainFrame* frame = GetMainFrame();
  return frame ? dynamic_cast<CDrawView*>(frame->GetActiveView()) : nullptr;
}

CDrawDoc* CDrawApp::GetActiveDrawDoc() const {
  CDrawView* view = GetActiveDrawView();
  return view ? view->GetDocument() : nullptr;
}

// ---------------------------------------------------------------------------------
// Commands

void CDrawApp::OnAppAbout() {
  CDialog about(IDD_ABOUTBOX);
  about.DoModal();
}

void CDrawApp::OnUpdateRecentProgrammes(CCmdUI* pCmdUI) {
  if (m_pRecentProgrammes)
    m_pRecentProgrammes->UpdateMenu(pCmdUI);
  else
    pCmdUI->Enable(FALSE);
}

// Choosing a recent programme does nothing yet; the entries only remember.
BOOL CDrawApp::OnRecentProgramme(UINT) { return TRUE; }
