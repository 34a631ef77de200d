#include "framework/ui/View.h"

#include <commdlg.h>

#include <memory>

#include "framework/core/FrameworkStrings.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/DC.h"
#include "framework/ui/PaintDC.h"
#include "framework/ui/Document.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/ModalSink.h"
#include "framework/ui/PreviewView.h"
#include "framework/ui/PrintInfo.h"
#include "framework/ui/ThreadState.h"
#include "framework/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::CView() { MapMessage(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage); }

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A bordered view gets the sunken client edge instead.
  if (cs.style & WS_BORDER) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
  }
  return cs.lpszClass != nullptr;
}

int CView::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::PostNcDestroy() { delete this; }

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
  if (pInfo) pInfo->m_bContinuePrinting = pInfo->m_nCurPage <= pInfo->GetMaxPage();
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this && ::GetFocus() != m_hWnd) {
    // Take the focus unless it is already somewhere inside this view.
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(m_hWnd, focus)) ::SetFocus(m_hWnd);
  }
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  const int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  if (CFrameWnd* frame = GetParentFrame()) {
    if (frame->GetActiveView() != this) frame->SetActiveView(this);
  }
  return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------------
// Printing

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetSafeOwner(this);
  dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
  // A preview and a direct print take the default printer without asking.
  if (pInfo->m_bDirect || pInfo->m_bPreview) dialog.Flags |= PD_RETURNDEFAULT;
  dialog.nMinPage = static_cast<WORD>(pInfo->GetMinPage());
  dialog.nMaxPage = static_cast<WORD>(pInfo->GetMaxPage());
  dialog.nFromPage = dialog.nMinPage;
  dialog.nToPage = dialog.nMaxPage;
  if (dialog.nMinPage == dialog.nMaxPage) dialog.Flags |= PD_NOPAGENUMS;

  ModalCall call;
  call.kind = ModalCall::printDialog;
  call.window = this;
  call.show = [&dialog] { return static_cast<INT_PTR>(::PrintDlgA(&dialog) ? IDOK : IDCANCEL); };
  const INT_PTR answer = AfxRunModal(call);
  if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
  if (answer != IDOK || !dialog.hDC) {
    if (dialog.hDC) ::DeleteDC(dialog.hDC);
    // Without a printer the preview shows the page on a sheet of the screen's size.
    pInfo->m_hPrinterDC = nullptr;
    return pInfo->m_bPreview;
  }
  pInfo->m_hPrinterDC = dialog.hDC;
  if (dialog.Flags & PD_PAGENUMS) {
    pInfo->m_nFromPage = dialog.nFromPage;
    pInfo->m_nToPage = dialog.nToPage;
  } else {
    pInfo->m_nFromPage = pInfo->GetMinPage();
    pInfo->m_nToPage = pInfo->GetMaxPage();
  }
  return TRUE;
}

void CView::OnFilePrint() {
  CPrintInfo info;
  info.m_bDirect = LOWORD(AfxGetThreadState().m_lastSentMsg.wParam) == ID_FILE_PRINT_DIRECT;
  if (!OnPreparePrinting(&info)) return;
  CDC dc;
  dc.Attach(info.m_hPrinterDC);
  dc.m_bPrinting = TRUE;

  CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = title;
  OnBeginPrinting(&dc, &info);
  bool ok = ::StartDocA(dc.m_hDC, &document) > 0;
  for (info.m_nCurPage = info.GetFromPage(); ok && info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&info.m_rectDraw);
    ok = ::StartPage(dc.m_hDC) > 0;
    if (!ok) break;
    OnPrint(&dc, &info);
    ok = ::EndPage(dc.m_hDC) > 0;
  }
  if (ok)
    ::EndDoc(dc.m_hDC);
  else
    ::AbortDoc(dc.m_hDC);
  OnEndPrinting(&dc, &info);
  if (!ok) AfxMessageBox(FrameworkText(AFX_IDS_PRINT_FAILED), MB_ICONEXCLAMATION);
}

void CView::OnFilePrintPreview() {
  if (CPreviewView* shown = CPreviewView::Find(GetParentFrame())) {
    shown->SetFocus();
    return;
  }
  auto info = std::make_unique<CPrintInfo>();
  info->m_bPreview = TRUE;
  if (!OnPreparePrinting(info.get())) return;
  if (!CPreviewView::Start(GetParentFrame(), this, std::move(info)))
    AfxMessageBox(FrameworkText(AFX_IDS_WINDOW_FAILED), MB_ICONEXCLAMATION);
}
