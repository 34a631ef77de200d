// The playback view: window, mapping, painting and the clock. Input is in
// DrawViewInput.cpp.
#include "player/DrawView.h"

#include "behaviour/GoToPageFile.h"
#include "behaviour/RenderPageTransition.h"
#include "framework/ui/AfxRes.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/DC.h"
#include "framework/ui/WinApp.h"
#include "model/DrawObj.h"
#include "player/MainFrame.h"
#include "player/PlayerDoc.h"
#include "resources/Mirabo.h"

IMPLEMENT_DYNCREATE(CDrawView, CView)

CDrawView::CDrawView() : m_host(*this), m_run(*this, &m_host) {
  MapCommand(ID_START_PLAYBACK, &CDrawView::StartPlayback);
  MapCommand(ID_EXIT_RUN, &CDrawView::OnExitRun);
  MapCommand(ID_PAUSE_RUN, &CDrawView::OnPauseRun);
}

CDrawView::~CDrawView() {
  if (GetDrawHost() == &m_host) SetDrawHost(m_previousHost);
}

CPlayerDoc* CDrawView::GetPlayerDoc() const { return static_cast<CPlayerDoc*>(GetDocument()); }

// ---- window ------------------------------------------------------------------------------

BOOL CDrawView::PreCreateWindow(CREATESTRUCTA& cs) {
  // No class cursor (the view sets the cursor on every move) and no background brush (the
  // whole client area is painted, and erasing first would flash).
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
  // A playing video's window is a child: the page's paint leaves it alone.
  cs.style |= WS_CLIPCHILDREN;
  return CView::PreCreateWindow(cs);
}

int CDrawView::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CView::OnCreate(lpCreateStruct) == -1) return -1;
  m_previousHost = SetDrawHost(&m_host);
  return 0;
}

void CDrawView::OnDestroy() {
  KillPlaybackTimer();
  if (GetDrawHost() == &m_host) SetDrawHost(m_previousHost);
  CView::OnDestroy();
}

BOOL CDrawView::OnEraseBkgnd(CDC*) { return TRUE; }

void CDrawView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  m_active = bActivate && pActivateView == this;
  CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CDrawView::OnInitialUpdate() {
  if (!m_firstUpdatePending) return;
  m_firstUpdatePending = FALSE;
  if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame())) frame->SwitchFullScreen();
  StartPlayback();
}

void CDrawView::OnUpdate(CView*, LPARAM lHint, CObject* pHint) {
  if (lHint == 0) {
    Invalidate(FALSE);
  } else if (lHint == 1 && pHint) {
    InvalidateObject(static_cast<CDrawObj*>(pHint));
  }
}

// ---- mapping -----------------------------------------------------------------------------

CPoint CDrawView::PageOrigin() const {
  CRect client;
  GetClientRect(&client);
  return CPoint(client.Width() / 2, client.Height() / 2);
}

CPoint CDrawView::PageToClient(CPoint page) const {
  const CPoint origin = PageOrigin();
  return CPoint(origin.x + page.x, origin.y - page.y);
}

CPoint CDrawView::ClientToPage(CPoint client) const {
  const CPoint origin = PageOrigin();
  return CPoint(client.x - origin.x, origin.y - client.y);
}

void CDrawView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  CView::OnPrepareDC(pDC, pInfo);
  // One page unit to one pixel, y up, the page's centre on the view's centre: which is
  // the centre of the screen once the frame covers it.
  pDC->SetMapMode(MM_ANISOTROPIC);
  const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
  pDC->SetWindowExt(dpiX, dpiY);
  pDC->SetViewportExt(dpiX, -dpiY);
  pDC->SetViewportOrg(PageOrigin());
}

BOOL CDrawView::InvalidateObject(CDrawObj* object) {
  if (!m_hWnd || !object) return FALSE;
  const CRect& area = object->m_baseRect;
  CRect r(PageToClient(area.TopLeft()), PageToClient(area.BottomRight()));
  r.NormalizeRect();
  if (m_active) {
    r.left -= 4;
    r.top -= 5;
    r.right += 5;
    r.bottom += 4;
  }
  r.InflateRect(1, 1);
  return ::InvalidateRect(m_hWnd, &r, FALSE);
}

// ---- painting ----------------------------------------------------------------------------

CRect CDrawView::PageRectOnClient() const {
  CPlayerDoc* doc = GetPlayerDoc();
  const CSize half(doc->m_pageSize.cx / 2, doc->m_pageSize.cy / 2);
  CRect page(PageToClient(CPoint(-half.cx, half.cy)), PageToClient(CPoint(half.cx, -half.cy)));
  page.NormalizeRect();
  return page;
}

void CDrawView::OnDraw(CDC* pDC) {
  CPlayerDoc* doc = GetPlayerDoc();
  if (!doc) return;
  // The area to paint, in client pixels.
  CRect box;
  pDC->GetClipBox(&box);
  pDC->LPtoDP(&box);
  box.NormalizeRect();
  if (m_run.GetTick() > 2 && doc->HasPage()) {
    // Once the page has been shown whole only the page changes, and only the page goes
    // through the memory image; the margin is painted black straight away.
    const CRect page = PageRectOnClient();
    CRect inside;
    inside.IntersectRect(&box, &page);
    if (inside != box) {
      const int saved = pDC->SaveDC();
      pDC->SetMapMode(MM_TEXT);
      pDC->SetViewportOrg(0, 0);
      pDC->SetWindowOrg(0, 0);
      pDC->ExcludeClipRect(&page);
      pDC->FillSolidRect(&box, RGB(0, 0, 0));
      pDC->RestoreDC(saved);
    }
    box = inside;
  }
  if (box.IsRectEmpty()) return;
  PaintPage(pDC, box, doc->HasPage());
}

void CDrawView::PaintPage(CDC* pDC, const CRect& box, bool showPage) {
  CPlayerDoc* doc = GetPlayerDoc();
  // Drawn off screen, then copied in one piece: no object is ever seen half drawn.
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, box.Width(), box.Height())) return;
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  OnPrepareDC(&memory);
  const CPoint origin = PageOrigin();
  memory.SetViewportOrg(origin.x - box.left, origin.y - box.top);
  // Patterns keep their alignment with the window whatever part is repainted.
  memory.SetBrushOrg((8 - box.left % 8) % 8, (8 - box.top % 8) % 8);

  const CRect all(0, 0, box.Width(), box.Height());
  {
    // Device units for the fills.
    const int pageMapping = memory.SaveDC();
    memory.SetMapMode(MM_TEXT);
    memory.SetViewportOrg(0, 0);
    memory.SetWindowOrg(0, 0);
    memory.FillSolidRect(&all, RGB(0, 0, 0));
    if (showPage) {
      CRect page = PageRectOnClient();
      page.OffsetRect(-box.left, -box.top);
      memory.FillSolidRect(&page, doc->m_useBackPicture ? RGB(255, 255, 255) : doc->m_backColour);
    }
    memory.RestoreDC(pageMapping);
  }
  if (showPage) doc->Draw(&memory, this);

  // The copy is made in pixels on both sides.
  const int saved = pDC->SaveDC();
  for (CDC* dc : {pDC, static_cast<CDC*>(&memory)}) {
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
  }
  if (doc->m_transitionPending && showPage) {
    if (m_fillBeforeTransition) {
      CRect client;
      GetClientRect(&client);
      pDC->FillSolidRect(&client, doc->m_curtainColour);
      m_fillBeforeTransition = FALSE;
    }
    RenderPageTransition(pDC->GetSafeHdc(), memory.GetSafeHdc(), box, doc->m_transitionKind,
                         doc->m_transitionDirection, doc->m_transitionDelay);
    doc->m_transitionPending = 0;
    Invalidate(FALSE);
  } else {
    pDC->BitBlt(box.left, box.top, box.Width(), box.Height(), &memory, 0, 0, SRCCOPY);
  }
  pDC->RestoreDC(saved);
  memory.SelectObject(oldBitmap);
}

// ---- playback ----------------------------------------------------------------------------

void CDrawView::StartPlayback() {
  CPlayerDoc* doc = GetPlayerDoc();
  if (!doc) return;
  // A restart: the running page stops and goes before the home page is read again.
  m_run.KillTimer();
  StopObjects();
  m_run.ClearDragState();
  m_selected = nullptr;
  doc->DeleteContents();
  doc->LoadPackagePageByIndex(0, true);
  if (StartObjects()) m_run.SetTimer(kFirstStartPeriod);
}

BOOL CDrawView::StartObjects() {
  m_selected = nullptr;
  return m_run.StartObjects();
}

void CDrawView::StopObjects() { m_run.StopObjects(); }

void CDrawView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kPlaybackTimerId) {
    CView::OnTimer(nIDEvent);
    return;
  }
  m_run.OnTimer();
}

void CDrawView::OnPauseRun() { m_run.TogglePause(); }

void CDrawView::OnExitRun() {
  m_fillBeforeTransition = TRUE;
  m_run.EndRun();
  EndPlayer();
}

void CDrawView::EndPlayer() {
  m_run.KillTimer();
  m_run.ResetClock();
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, ID_APP_EXIT);
}

BOOL CDrawView::GoToPage(const CString& name) { return GoToPageFile(m_host, name); }

void CDrawView::ClearDragState() { m_run.ClearDragState(); }

// ---- the page's objects ------------------------------------------------------------------

CDrawObj* CDrawView::FindObjectByName(const CString& name, int trajectoryFilter) const {
  CPlayerDoc* doc = GetPlayerDoc();
  if (!doc) return nullptr;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(doc->m_objects.GetNext(pos));
    if (object->m_name == name && (trajectoryFilter == 0 || object->m_trajectory == trajectoryFilter)) return object;
  }
  return nullptr;
}

void CDrawView::SelectObject(CDrawObj* object) {
  if (object && object->m_locked) object = nullptr;
  if (m_selected && m_selected != object) m_selected->OnDeselect(this);
  m_selected = object;
  if (object) object->OnSelect(this);
}

void CDrawView::MoveSelected(bool forward) {
  CPlayerDoc* doc = GetPlayerDoc();
  if (!doc || !m_selected) return;
  CObList& list = doc->m_objects;
  POSITION at = list.Find(m_selected);
  if (!at) return;
  POSITION neighbour = at;
  if (forward)
    list.GetNext(neighbour);
  else
    list.GetPrev(neighbour);
  if (!neighbour) return;  // already the front or the back
  list.RemoveAt(at);
  if (forward)
    list.InsertAfter(neighbour, m_selected);
  else
    list.InsertBefore(neighbour, m_selected);
  InvalidateObject(m_selected);
  doc->RenumberObjects(FALSE);
}
