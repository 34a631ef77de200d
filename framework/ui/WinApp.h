// CWinApp: the program's one application object. It runs the main thread's loop,
// keeps the program's settings (the registry under HKCU\Software\<key>\<app name> once
// SetRegistryKey has named the key), its document templates and recent-file list,
// and handles the application-wide commands (new, open, recent files, exit).
#pragma once

#include <vector>

#include "framework/core/String.h"
#include "framework/ui/WinThread.h"

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  // Without a name, the program's string AFX_IDS_APP_TITLE names it, else its file name.
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  // Deletes the document templates and the recent-file list.
  ~CWinApp() override;

  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;  // for the main window's first showing; -1 once used
  CString m_pszAppName;
  CString m_pszExeName;       // the executable's file name without extension
  CString m_pszHelpFilePath;  // the executable's path with ".HLP"
  CString m_pszRegistryKey;   // empty: settings go to an INI file
  CString m_pszProfileName;   // the key under the registry key, or the INI file
  CRecentFileList* m_pRecentFileList = nullptr;
  CCommandLineInfo* m_pCmdInfo = nullptr;

  // --- Start-up and shut-down ---
  virtual BOOL InitApplication() { return TRUE; }
  BOOL InitInstance() override;
  // Saves the standard settings (the recent-file list) and returns the exit code.
  int ExitInstance() override;
  // Ends at once when there is no main window; otherwise the thread's loop.
  int Run() override;

  // --- Settings ---
  void SetRegistryKey(LPCSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  // Opened (created when bCreate) keys of the application and of one section; the
  // caller closes them. Null without a registry key or on failure.
  HKEY GetAppRegistryKey(BOOL bCreate = TRUE) const;
  HKEY GetSectionKey(LPCSTR lpszSection, BOOL bCreate = TRUE) const;
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) const;
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
  CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr) const;
  // A null value deletes the entry; a null entry deletes the whole section.
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  // Creates and reads the recent-file list ("Recent File List", entries "File1"...).
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();

  // --- Documents ---
  // Takes the template over.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  // Opens the file in the template that takes it; null (after telling the user) when
  // it cannot be opened.
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  virtual void AddToRecentFileList(LPCSTR lpszPathName);
  BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  // Asks for a file name with the file dialog and the template's filter.
  BOOL DoPromptFileName(CString& fileName, LPCSTR lpszTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate);

  // --- Shell ---
  // Opening files sent by the shell's DDE conversation is not supported; this only
  // records the wish.
  void EnableShellOpen() { m_bShellOpenEnabled = TRUE; }
  // Registers each template's file type for the user (HKCU\Software\Classes): the
  // extension, the type's name, its icon and its open command.
  void RegisterShellFileTypes(BOOL bCompat = FALSE);
  void UnregisterShellFileTypes();
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  // Does what the command line asks; FALSE when the program should end.
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

  // --- Resources and help ---
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
  HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
  // The help file's viewer, through the modal sink (ModalSink.h).
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  // Three-dimensional dialog controls are what the system draws anyway.
  BOOL Enable3dControls() { return TRUE; }
  BOOL Enable3dControlsStatic() { return TRUE; }

  // --- Command handlers (public, so a derived map can name them) ---
  void OnFileNew();
  void OnFileOpen();
  void OnFilePrintSetup();
  BOOL OnOpenRecentFile(UINT nID);
  void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  void OnAppExit();
  void OnHelpFinder();

 private:
  std::vector<CDocTemplate*> m_templates;
  BOOL m_bShellOpenEnabled = FALSE;
  CString m_strIniPath;
};

CWinApp* AfxGetApp();
// The calling thread's main window (the application's on its thread).
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// Initialises OLE for the program (undone after ExitInstance by AfxWinMain); FALSE on
// failure.
BOOL AfxOleInit();
// Hosting controls needs nothing more here.
inline void AfxEnableControlContainer() {}
// The program's entry: InitInstance, then Run; ExitInstance when InitInstance fails.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
