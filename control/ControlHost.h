// CControlHost: the control's side of the object model's host (page names are resolved
// by the document against its base address). The control installs it
// on its thread when its window is made and removes it when the window goes; it
// answers from the thread's record in the registry (view, document, control window),
// so every answer is empty once the record is gone.
//
// Pages played inside a web page may not run programs or open absolute or network page
// names unless the hosting page is itself a local file.
#pragma once

#include "model/PlayingHost.h"

class CMainDoc;
class CMainView;
class CRaveloCtrl;

class CControlHost : public CPlayingHost {
 public:
  CView* GetActiveView() override;
  HWND GetViewWindow() override;
  CDrawDoc* GetDocument() override;
  int GetSmoothingMode() override;
  void SetTargetMissing() override;

  BOOL InvalidateObject(CDrawObj* object) override;
  void SelectObject(CDrawObj*, BOOL) override {}
  void DeselectObject(CDrawObj*) override {}
  BOOL IsSelected(CDrawObj*) override { return FALSE; }
  CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) override;
  void MoveSelectedBackward() override {}
  void MoveSelectedForward() override {}

  // The page's clock and its walk are the view's.
  BOOL StartObjects() override;
  void StopObjects() override;
  void StopRunFromAction() override;
  void SetPlaybackClock(int tick) override;
  BOOL IsPlaybackBreak() override;
  void KillPlaybackTimer() override;
  void SetPlaybackTimer(UINT period) override;
  // A page inside a web page plays until the page is left.
  void PostExitCommand() override {}
  void InvalidateView() override;
  void ClearDragState() override;
  // The page named is read or downloaded against the first page's folder; while a
  // download is on its way the page shown stands still.
  BOOL GoToPage(const CString& path) override;
  // Under a web page, names go to the server as the author wrote them.
  BOOL KeepsPageNameCase() override;

  void LPtoDP(CPoint& point) override;
  void LPtoDPRect(CRect& rect) override;
  void DPtoLPRect(CRect& rect) override;

  // Yes only under a hosting page with a "file:" address (any case).
  BOOL AllowsLocalAccess() override;
  BOOL FileExists(const CString& path) override;
  CString ExistingDirPrefix(const CString& path) override;

  // Whether a hosting page's address lets pages reach local programs and paths.
  static BOOL IsLocalHostAddress(const CString& address);

 private:
  CMainView* View();
  CMainDoc* Document();
  // Maps with the view's page coordinates on the control's window.
  void Convert(POINT* points, int count, bool toDevice);
};
