// CDrawApp: Kordel's application object. It starts the editor (settings, OLE, GDI+, the
// page template, the command line, the recent lists, the splash), keeps the editor's
// folder and run settings in the registry ("DirPath" and "RunPara") and answers the
// object model's questions about the current frame, view, document and mode.
#pragma once

#include <memory>

#include "framework/core/Rect.h"
#include "framework/core/String.h"
#include "framework/ui/CommandLineInfo.h"
#include "framework/ui/WinApp.h"
#include "model/DrawHost.h"

class CCmdUI;
class CDrawDoc;
class CDrawView;
class CEditorHost;
class CGdiplusSession;
class CMainFrame;
class CRecentFileList;
class CSplashThread;

class CDrawApp : public CWinApp {
 public:
  // Settings groups: 0 the gallery folders, 1 the run parameters, 2 the programme
  // directory, 3 the page templates.
  static constexpr int kSettingsGroups = 4;

  CDrawApp();
  ~CDrawApp() override;

  BOOL InitInstance() override;
  // Writes the recent-programme list and undoes what start-up did, only what it did.
  int ExitInstance() override;

  // One settings group read from (written to) the registry; other numbers do nothing.
  void LoadSettings(int group);
  void SaveSettings(int group);

  // Makes the recent-programme list ("Rawelo1" to "Rawelo4" of "Recent File List") and
  // reads it; it is written back at exit.
  void LoadRecentProgrammes();

  // A page was opened or saved under this path: it heads the recent pages, and its
  // folder becomes the working folder.
  void AddToRecentFileList(LPCSTR lpszPathName) override;

  // The main frame, its active page view and that view's document; null when missing.
  CMainFrame* GetMainFrame() const;
  CDrawView* GetActiveDrawView() const;
  CDrawDoc* GetActiveDrawDoc() const;

  void OnAppAbout();
  void OnUpdateRecentProgrammes(CCmdUI* pCmdUI);
  BOOL OnRecentProgramme(UINT nID);

  // --- State (in the order the editor keeps it) ---
  BOOL m_bError = FALSE;          // raised by objects that cannot prepare for a run
  CSize m_viewSize{800, 600};     // RunPara ViewWidth, ViewHeight
  CSize m_defaultPageSize{800, 600};  // RunPara DefaultWidth, DefaultHeight
  CString m_strWorkingFolder;     // the folder of the page opened or saved last, no trailing '\'
  CString m_strShapesFolder;      // DirPath Mat
  CString m_strPicturesFolder;    // DirPath Img
  CString m_strSoundsFolder;      // DirPath Sound
  CString m_strVideoFolder;       // DirPath Mov
  CString m_strProgrammeFolder;   // DirPath Programme
  CString m_strComponentLibrary;  // DirPath ObjLib
  CString m_strPageFolder;        // the folder of the page being run, with its trailing '\'
  CString m_strProgrammeDir;      // DirPath ProgrammeDir
  CString m_strPageTemplates;     // DirPath PageTempl
  CRecentFileList* m_pRecentProgrammes = nullptr;  // owned
  CString m_strProgramFolder;     // the executable's folder, no trailing '\'
  int m_nPackageType = 0;         // RunPara PakType
  int m_nThumbWidth = 64;         // RunPara ImgWidth
  int m_nThumbHeight = 64;        // RunPara ImgHeight
  int m_nMode = kModeEditing;     // kModeEditing, or kModeRunning during a test run

 private:
  // What start-up has done, so that exit undoes exactly that.
  std::unique_ptr<CGdiplusSession> m_gdiplus;
  std::unique_ptr<CEditorHost> m_host;  // the object model's way to the editor
  BOOL m_bComInitialised = FALSE;
  std::unique_ptr<CSplashThread> m_splash;  // until it is started
  CCommandLineInfo m_cmdInfo;  // the framework keeps a pointer to it until exit
};

// The application as Kordel's, or null (a test's own application).
CDrawApp* GetDrawApp();
