#include "player/PlayerHost.h"

#include <gdiplus.h>

#include "framework/core/FolderPath.h"
#include "framework/core/ModulePath.h"
#include "model/DrawObj.h"
#include "player/DrawView.h"
#include "player/PlayerDoc.h"

CView* CPlayerHost::GetActiveView() { return &m_view; }

HWND CPlayerHost::GetViewWindow() { return m_view.m_hWnd; }

CDrawDoc* CPlayerHost::GetDocument() { return m_view.GetPlayerDoc(); }

int CPlayerHost::GetSmoothingMode() { return Gdiplus::SmoothingModeHighQuality; }

CString CPlayerHost::GetProgrammeFolder() { return ModuleFolder(nullptr); }

void CPlayerHost::SetTargetMissing() { m_view.SetTargetMissing(); }

BOOL CPlayerHost::InvalidateObject(CDrawObj* object) { return m_view.InvalidateObject(object); }

void CPlayerHost::SelectObject(CDrawObj* object, BOOL add) {
  // One object at a time is all the layer actions need.
  if (!add || !m_view.GetSelectedObject()) m_view.SelectObject(object);
}

void CPlayerHost::DeselectObject(CDrawObj* object) {
  if (m_view.GetSelectedObject() == object) m_view.SelectObject(nullptr);
}

BOOL CPlayerHost::IsSelected(CDrawObj* object) { return object && m_view.GetSelectedObject() == object; }

CDrawObj* CPlayerHost::FindObjectByName(const CString& name, int trajectoryFilter) {
  return m_view.FindObjectByName(name, trajectoryFilter);
}

void CPlayerHost::MoveSelectedBackward() { m_view.MoveSelected(false); }

void CPlayerHost::MoveSelectedForward() { m_view.MoveSelected(true); }

BOOL CPlayerHost::StartObjects() { return m_view.StartObjects(); }

void CPlayerHost::StopObjects() { m_view.StopObjects(); }

void CPlayerHost::StopRunFromAction() { m_view.OnExitRun(); }

void CPlayerHost::SetPlaybackClock(int tick) { m_view.SetPlaybackClock(tick); }

BOOL CPlayerHost::IsPlaybackBreak() { return m_view.IsPlaybackBreak(); }

void CPlayerHost::KillPlaybackTimer() { m_view.KillPlaybackTimer(); }

void CPlayerHost::SetPlaybackTimer(UINT period) { m_view.SetPlaybackTimer(period); }

void CPlayerHost::PostExitCommand() {
  if (m_view.m_hWnd) m_view.PostMessage(WM_COMMAND, kExitRunCommand);
}

void CPlayerHost::InvalidateView() {
  if (m_view.m_hWnd) m_view.Invalidate(FALSE);
}

void CPlayerHost::ClearDragState() { m_view.ClearDragState(); }

BOOL CPlayerHost::GoToPage(const CString& path) { return m_view.GoToPage(path); }

void CPlayerHost::LPtoDP(CPoint& point) { point = m_view.PageToClient(point); }

void CPlayerHost::LPtoDPRect(CRect& rect) {
  rect = CRect(m_view.PageToClient(rect.TopLeft()), m_view.PageToClient(rect.BottomRight()));
  rect.NormalizeRect();
}

void CPlayerHost::DPtoLP(CPoint& point) { point = m_view.ClientToPage(point); }
void CPlayerHost::DPtoLPRect(CRect& rect) {
  rect = CRect(m_view.ClientToPage(rect.TopLeft()), m_view.ClientToPage(rect.BottomRight()));
}

BOOL CPlayerHost::FileExists(const CString& path) { return ::FileExists(path); }

CString CPlayerHost::ExistingDirPrefix(const CString& path) { return ::ExistingDirPrefix(path); }
