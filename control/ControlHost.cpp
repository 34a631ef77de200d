#include "control/ControlHost.h"

#include "control/MainDoc.h"
#include "control/MainView.h"
#include "control/PageSource.h"
#include "control/RaveloCtrl.h"
#include "control/ThreadContextMap.h"
#include "framework/core/Codepage.h"
#include "framework/ui/DC.h"
#include "model/DrawObj.h"

CMainView* CControlHost::View() { return GetThreadContextMap().GetView(); }

CMainDoc* CControlHost::Document() { return GetThreadContextMap().GetDocument(); }

CView* CControlHost::GetActiveView() { return View(); }

HWND CControlHost::GetViewWindow() {
  CMainView* view = View();
  return view ? view->GetWindow() : nullptr;
}

CDrawDoc* CControlHost::GetDocument() { return Document(); }

int CControlHost::GetSmoothingMode() { return GetThreadContextMap().m_smoothingMode; }

void CControlHost::SetTargetMissing() {
  GetThreadContextMap().SetTargetMissing(1);
  if (CMainView* view = View()) view->GetRun().SetTargetMissing();
}

BOOL CControlHost::InvalidateObject(CDrawObj* object) {
  HWND window = GetViewWindow();
  if (!window || !object) return FALSE;
  CRect rect = object->m_position;
  LPtoDPRect(rect);
  rect.InflateRect(2, 2);
  return ::InvalidateRect(window, &rect, FALSE);
}

CDrawObj* CControlHost::FindObjectByName(const CString& name, int trajectoryFilter) {
  CMainDoc* doc = Document();
  if (!doc) return nullptr;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(doc->m_objects.GetNext(pos));
    if (object->m_name == name && (trajectoryFilter == 0 || object->m_trajectory == trajectoryFilter)) return object;
  }
  return nullptr;
}

void CControlHost::StopRunFromAction() { KillPlaybackTimer(); }

BOOL CControlHost::StartObjects() {
  if (CMainView* view = View()) view->SaveObjectStates();
  return TRUE;
}

void CControlHost::StopObjects() {
  if (CMainView* view = View()) view->ResetObjects();
}

void CControlHost::SetPlaybackClock(int tick) {
  if (CMainView* view = View()) view->SetPlaybackClock(tick);
}

BOOL CControlHost::IsPlaybackBreak() {
  CMainView* view = View();
  return view && view->IsPlaybackBreak();
}

BOOL CControlHost::GoToPage(const CString& path) {
  CMainView* view = View();
  CMainDoc* doc = Document();
  if (!view || !doc) return FALSE;
  KillPlaybackTimer();
  const unsigned generation = doc->m_contentsGeneration;
  if (!doc->OpenPageByName(path)) {
    // A name that loads nothing leaves the page shown playing.
    if (doc->m_contentsGeneration == generation) SetPlaybackTimer(CMainView::kJumpPeriodMs);
    return FALSE;
  }
  doc->m_pageName = path;
  if (doc->IsJumpPending()) return TRUE;
  view->SaveObjectStates();
  SetPlaybackTimer(CMainView::kJumpPeriodMs);
  return TRUE;
}

BOOL CControlHost::KeepsPageNameCase() {
  CMainDoc* doc = Document();
  return doc && doc->GetBaseKind() == PageSource::webBase;
}

void CControlHost::KillPlaybackTimer() {
  if (CMainView* view = View()) view->GetRun().KillTimer();
}

void CControlHost::SetPlaybackTimer(UINT period) {
  if (CMainView* view = View()) view->GetRun().SetTimer(period);
}

void CControlHost::ClearDragState() {
  if (CMainView* view = View()) view->GetRun().ClearDragState();
}

void CControlHost::InvalidateView() {
  if (HWND window = GetViewWindow()) ::InvalidateRect(window, nullptr, FALSE);
}

void CControlHost::Convert(POINT* points, int count, bool toDevice) {
  CMainView* view = View();
  HWND window = view ? view->GetWindow() : nullptr;
  if (!window) return;
  HDC dc = ::GetDC(window);
  if (!dc) return;
  CDC prepared(dc);
  view->PrepareDC(&prepared);
  if (toDevice)
    ::LPtoDP(dc, points, count);
  else
    ::DPtoLP(dc, points, count);
  ::ReleaseDC(window, dc);
}

void CControlHost::LPtoDP(CPoint& point) { Convert(&point, 1, true); }

void CControlHost::LPtoDPRect(CRect& rect) {
  Convert(reinterpret_cast<POINT*>(&rect), 2, true);
  rect.NormalizeRect();
}

void CControlHost::DPtoLPRect(CRect& rect) { Convert(reinterpret_cast<POINT*>(&rect), 2, false); }

BOOL CControlHost::IsLocalHostAddress(const CString& address) {
  return address.GetLength() >= 5 && address.Left(5).CompareNoCase("file:") == 0;
}

BOOL CControlHost::AllowsLocalAccess() {
  CRaveloCtrl* control = GetThreadContextMap().GetControl();
  return control && IsLocalHostAddress(control->GetHostAddress());
}

BOOL CControlHost::FileExists(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(codepage::ToWide(path.str()).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString CControlHost::ExistingDirPrefix(const CString& path) {
  CString lower = path;
  lower.MakeLower();
  CString found;
  for (int slash = lower.Find('\\'); slash >= 0; slash = lower.Find('\\', slash + 1)) {
    const CString prefix = lower.Left(slash);
    const DWORD attributes = ::GetFileAttributesW(codepage::ToWide((prefix + "\\").str()).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) break;
    found = prefix;
  }
  return found;
}
