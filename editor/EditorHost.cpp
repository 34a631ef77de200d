#include "editor/EditorHost.h"

#include "behaviour/GoToPageFile.h"
#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/FileHelpers.h"
#include "editor/FunctionDefDlg.h"
#include "editor/MainFrame.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"

namespace {
constexpr int kSmoothingHighQuality = 2;  // Gdiplus::SmoothingModeHighQuality
}  // namespace

CEditorHost::CEditorHost() : m_previous(SetDrawHost(this)) {}

CEditorHost::~CEditorHost() {
  if (GetDrawHost() == this) SetDrawHost(m_previous);
}

CDrawView* CEditorHost::View() {
  CDrawApp* app = GetDrawApp();
  return app ? app->GetActiveDrawView() : nullptr;
}

CView* CEditorHost::GetActiveView() { return View(); }

HWND CEditorHost::GetViewWindow() {
  CDrawView* view = View();
  return view ? view->m_hWnd : nullptr;
}

CDrawDoc* CEditorHost::GetDocument() {
  CDrawView* view = View();
  return view ? view->GetDocument() : nullptr;
}

int CEditorHost::GetPageObjectCount() {
  CDrawDoc* doc = GetDocument();
  return doc ? doc->m_objects.GetCount() : 0;
}

void CEditorHost::SetPageModified() {
  if (CDrawDoc* doc = GetDocument()) doc->SetModifiedFlag(TRUE);
}

int CEditorHost::GetMode() {
  CDrawApp* app = GetDrawApp();
  return app ? app->m_nMode : kModeEditing;
}

int CEditorHost::GetSmoothingMode() { return kSmoothingHighQuality; }

CString CEditorHost::GetProgrammeFolder() {
  CDrawApp* app = GetDrawApp();
  return app ? app->m_strWorkingFolder : CString();
}

CString CEditorHost::GetPageFolder() {
  CDrawApp* app = GetDrawApp();
  return app ? app->m_strPageFolder : CString();
}

void CEditorHost::SetTargetMissing() {
  if (CDrawApp* app = GetDrawApp()) app->m_bError = TRUE;
  if (CDrawView* view = View()) view->GetRun().SetTargetMissing();
}

BOOL CEditorHost::InvalidateObject(CDrawObj* object) {
  CDrawView* view = View();
  return view ? view->InvalObj(object) : FALSE;
}

void CEditorHost::SelectObject(CDrawObj* object, BOOL add) {
  if (CDrawView* view = View()) view->Select(object, add);
}

void CEditorHost::DeselectObject(CDrawObj* object) {
  if (CDrawView* view = View()) view->Deselect(object);
}

BOOL CEditorHost::IsSelected(CDrawObj* object) {
  CDrawView* view = View();
  return view && view->IsSelected(object);
}

CDrawObj* CEditorHost::FindObjectByName(const CString& name, int trajectoryFilter) {
  CDrawView* view = View();
  return view ? view->FindObjectByName(name, trajectoryFilter) : nullptr;
}

void CEditorHost::MoveSelectedBackward() {
  if (CDrawView* view = View()) view->OnObjectBackward();
}

void CEditorHost::MoveSelectedForward() {
  if (CDrawView* view = View()) view->OnObjectForward();
}

BOOL CEditorHost::StartObjects() {
  CDrawView* view = View();
  return view && view->StartObjects();
}

void CEditorHost::StopObjects() {
  if (CDrawView* view = View()) view->StopObjects();
}

void CEditorHost::StopRunFromAction() {
  if (CDrawView* view = View()) view->StopRunFromAction();
}

void CEditorHost::SetPlaybackClock(int tick) {
  if (CDrawView* view = View()) view->SetPlaybackClock(tick);
}

BOOL CEditorHost::IsPlaybackBreak() {
  CDrawView* view = View();
  return view && view->IsPlaybackBreak();
}

void CEditorHost::KillPlaybackTimer() {
  if (CDrawView* view = View()) view->GetRun().KillTimer();
}

void CEditorHost::SetPlaybackTimer(UINT period) {
  if (CDrawView* view = View()) view->GetRun().SetTimer(period);
}

void CEditorHost::PostExitCommand() {
  if (CDrawView* view = View()) view->PostMessage(WM_COMMAND, kExitRunCommand);
}

void CEditorHost::InvalidateView() {
  if (CDrawView* view = View()) view->Invalidate(FALSE);
}

void CEditorHost::ClearDragState() {
  if (CDrawView* view = View()) view->ClearDragState();
}

void CEditorHost::CloseInPlaceItem() {}  // pages hold no items active in place

BOOL CEditorHost::GoToPage(const CString& path) { return GoToPageFile(*this, path); }

void CEditorHost::LPtoDP(CPoint& point) {
  if (CDrawView* view = View()) view->LPtoDPPoint(point);
}

void CEditorHost::LPtoDPRect(CRect& rect) {
  if (CDrawView* view = View()) view->LPtoDPRect(rect);
}

void CEditorHost::DPtoLPRect(CRect& rect) {
  if (CDrawView* view = View()) view->DPtoLPRect(rect);
}

void CEditorHost::DPtoLP(CPoint& point) {
  if (CDrawView* view = View()) view->DPtoLPPoint(point);
}

namespace {

// The main frame's property panel, once it exists.
CPropertyPanel* Panel() {
  CDrawApp* app = GetDrawApp();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  return frame && frame->m_wndPropertyPanel.m_hWnd ? &frame->m_wndPropertyPanel : nullptr;
}

}  // namespace

LRESULT CEditorHost::NotifyPropertyPanel(WPARAM what, CDrawObj* object) {
  CPropertyPanel* panel = Panel();
  return panel ? panel->SendMessage(kPanelNotifyMessage, what, reinterpret_cast<LPARAM>(object)) : 0;
}

void CEditorHost::PostPropertyPanel(WPARAM what, CDrawObj* object) {
  if (CPropertyPanel* panel = Panel()) panel->PostMessage(kPanelNotifyMessage, what, reinterpret_cast<LPARAM>(object));
}

int CEditorHost::BeginPickPoint() {
  CDrawView* view = View();
  return view ? view->BeginPickPoint() : 0;
}

void CEditorHost::SetClosedCheck(BOOL closed) {
  if (CDrawApp* app = GetDrawApp())
    if (CMainFrame* frame = app->GetMainFrame()) frame->SetClosedCheck(closed);
}

void CEditorHost::SetFilledCheck(BOOL filled) {
  if (CDrawApp* app = GetDrawApp())
    if (CMainFrame* frame = app->GetMainFrame()) frame->SetFilledCheck(filled);
}

void CEditorHost::SyncFormatBar() {
  CDrawApp* app = GetDrawApp();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  if (frame && frame->m_wndFormatBar.m_hWnd) frame->m_wndFormatBar.SyncFromSelection();
}

INT_PTR CEditorHost::EditFunction(CFunction& function) {
  CFunctionDefDlg dialog(function, nullptr);
  return dialog.DoModal();
}

BOOL CEditorHost::FileExists(const CString& path) { return ::FileExists(path); }

CString CEditorHost::ExistingDirPrefix(const CString& path) { return ::ExistingDirPrefix(path); }
