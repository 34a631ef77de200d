// CPlayerApp: Mirabo, the player. It starts GDI+ and OLE (and refuses to run without
// them), opens its one page document in a full-screen frame whose view plays the
// package appended to the executable, and hands dropped files and the open command to
// that view as page jumps.
#pragma once

#include <memory>

#include "framework/ui/WinApp.h"

class CDrawView;
class CGdiplusSession;

class CPlayerApp : public CWinApp {
 public:
  CPlayerApp();
  ~CPlayerApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // With the player running, the page of that name in the package replaces the current
  // one and plays (nothing changes when the package has none); before that, the
  // framework's open.
  CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;

  void OnAppAbout();

 protected:
  // Starts GDI+ for the program's lifetime; FALSE when it cannot be started.
  virtual BOOL StartGdiplus();

 private:
  // The playing view of the main frame, or null before there is one.
  CDrawView* GetPlayerView() const;

  std::unique_ptr<CGdiplusSession> m_gdiplus;
  BOOL m_comInitialised = FALSE;
};
