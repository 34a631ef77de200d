// CPlayerHost: the player's side of the object model's host. Each playback view owns one
// and installs it on its thread while its window exists; it answers from that view: the
// page, the clock and timer, input state and the page jump. The player plays and never
// edits: selection serves only the layer actions, and the editor's services do nothing.
#pragma once

#include "model/PlayingHost.h"

class CDrawView;

class CPlayerHost : public CPlayingHost {
 public:
  explicit CPlayerHost(CDrawView& view) : m_view(view) {}

  CView* GetActiveView() override;
  HWND GetViewWindow() override;
  CDrawDoc* GetDocument() override;
  int GetSmoothingMode() override;
  void SetTargetMissing() override;
  // The folder of the player's own executable: a published programme's documents lie
  // in "res" beside it.
  CString GetProgrammeFolder() override;

  BOOL InvalidateObject(CDrawObj* object) override;
  void SelectObject(CDrawObj* object, BOOL add) override;
  void DeselectObject(CDrawObj* object) override;
  BOOL IsSelected(CDrawObj* object) override;
  CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) override;
  void MoveSelectedBackward() override;
  void MoveSelectedForward() override;

  BOOL StartObjects() override;
  void StopObjects() override;
  // A page that cannot be shown ends the player.
  void StopRunFromAction() override;
  void SetPlaybackClock(int tick) override;
  BOOL IsPlaybackBreak() override;
  void KillPlaybackTimer() override;
  void SetPlaybackTimer(UINT period) override;
  void PostExitCommand() override;
  void InvalidateView() override;
  void ClearDragState() override;
  BOOL GoToPage(const CString& path) override;

  void LPtoDP(CPoint& point) override;
  void LPtoDPRect(CRect& rect) override;
  void DPtoLPRect(CRect& rect) override;
  void DPtoLP(CPoint& point) override;

  BOOL AllowsLocalAccess() override { return TRUE; }
  BOOL FileExists(const CString& path) override;
  CString ExistingDirPrefix(const CString& path) override;

 private:
  CDrawView& m_view;
};
