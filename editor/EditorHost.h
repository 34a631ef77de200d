// CEditorHost: what the object model reaches in Kordel — the main frame's active page
// view, its document and the application's mode and folders. The application installs
// one for its thread at start-up; without a view the operations do nothing.
#pragma once

#include "model/DrawHost.h"

class CDrawView;

class CEditorHost : public CDrawHost {
 public:
  // Installs itself as the calling thread's host; the previous one comes back after.
  CEditorHost();
  ~CEditorHost() override;
  CEditorHost(const CEditorHost&) = delete;
  CEditorHost& operator=(const CEditorHost&) = delete;

  CView* GetActiveView() override;
  HWND GetViewWindow() override;
  CDrawDoc* GetDocument() override;
  int GetPageObjectCount() override;
  void SetPageModified() override;
  int GetMode() override;
  int GetSmoothingMode() override;
  CString GetProgrammeFolder() override;
  CString GetPageFolder() override;
  void SetTargetMissing() override;

  BOOL InvalidateObject(CDrawObj* object) override;
  void SelectObject(CDrawObj* object, BOOL add) override;
  void DeselectObject(CDrawObj* object) override;
  BOOL IsSelected(CDrawObj* object) override;
  CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) override;
  void MoveSelectedBackward() override;
  void MoveSelectedForward() override;

  BOOL StartObjects() override;
  void StopObjects() override;
  void StopRunFromAction() override;
  void SetPlaybackClock(int tick) override;
  BOOL IsPlaybackBreak() override;
  void KillPlaybackTimer() override;
  void SetPlaybackTimer(UINT period) override;
  void PostExitCommand() override;
  void InvalidateView() override;
  void ClearDragState() override;
  void CloseInPlaceItem() override;
  BOOL GoToPage(const CString& path) override;

  void LPtoDP(CPoint& point) override;
  void LPtoDPRect(CRect& rect) override;
  void DPtoLPRect(CRect& rect) override;
  void DPtoLP(CPoint& point) override;

  LRESULT NotifyPropertyPanel(WPARAM what, CDrawObj* object) override;
  void PostPropertyPanel(WPARAM what, CDrawObj* object) override;
  int BeginPickPoint() override;
  void SetClosedCheck(BOOL closed) override;
  void SetFilledCheck(BOOL filled) override;
  void SyncFormatBar() override;
  INT_PTR EditFunction(CFunction& function) override;
  BOOL AllowsLocalAccess() override { return TRUE; }
  BOOL FileExists(const CString& path) override;
  CString ExistingDirPrefix(const CString& path) override;

 private:
  static CDrawView* View();

  CDrawHost* m_previous;
};
