#include "editor/DrawView.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "behaviour/RenderPageTransition.h"
#include "editor/DrawApp.h"
#include "editor/MainFrame.h"
#include "editor/SoundRecorder.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/Brush.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/DC.h"
#include "framework/ui/Pen.h"
#include "framework/ui/PrintInfo.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/RetiredObjects.h"
#include "publish/FtpUploadDlg.h"
#include "resources/KordelIds.h"

IMPLEMENT_DYNCREATE(CDrawView, CZoomView)

int CDrawView::s_nCurrentShape = 0;

namespace {

constexpr COLORREF kSurround = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kGridStep = 20;

CDrawObj* AsObject(CObject* object) { return static_cast<CDrawObj*>(object); }

// Puts a device context's mapping back to plain device units.
void ResetMapping(CDC& dc) {
  dc.SetMapMode(MM_TEXT);
  dc.SetViewportOrg(0, 0);
  dc.SetWindowOrg(0, 0);
}

// Selects a bitmap into a memory DC for as long as it lives.
class BitmapSelection {
 public:
  BitmapSelection(CDC& dc, CBitmap& bitmap) : m_dc(dc), m_old(dc.SelectObject(&bitmap)) {}
  ~BitmapSelection() { Release(); }
  BitmapSelection(const BitmapSelection&) = delete;
  BitmapSelection& operator=(const BitmapSelection&) = delete;
  void Release() {
    if (m_selected) m_dc.SelectObject(m_old);
    m_selected = false;
  }

 private:
  CDC& m_dc;
  CBitmap* m_old;
  bool m_selected = true;
};

}  // namespace

CDrawView::CDrawView() : m_run(*this) {
  MapCommand(ID_EXIT_RUN, &CDrawView::OnExitRun);
  MapCommand(ID_TEST_PAGE, &CDrawView::OnTestPage);
  MapCommand(ID_PAUSE_RUN, &CDrawView::OnPauseRun);
  MapUpdateCommandUI(ID_PAUSE_RUN, &CDrawView::OnUpdatePauseRun);
  MapCommand(ID_PREVIEW, &CDrawView::OnPreview);
  for (UINT id : {ID_TOOL_SELECT, ID_TOOL_CROP, ID_TOOL_PEN_COLOUR, ID_TOOL_BRUSH, ID_TOOL_COLOUR_PICKER,
                  ID_TOOL_FILL_COLOUR, ID_TOOL_PICTURE, ID_TOOL_TEXT, ID_TOOL_LINE, ID_TOOL_RECT, ID_TOOL_ROUND_RECT,
                  ID_TOOL_ELLIPSE, ID_TOOL_POLYGON, ID_TOOL_CURVE, ID_TOOL_POINT, ID_TOOL_OLE_OBJECT,
                  ID_TOOL_ANIMATION, ID_TOOL_SOUND, ID_TOOL_GLUE, ID_TOOL_FUNCTION, ID_TOOL_ROTATE, ID_TOOL_ZOOM}) {
    MapCommandRange(id, id, &CDrawView::OnToolCommand);
    MapUpdateCommandUI(id, &CDrawView::OnUpdateToolCommand);
  }
  MapCommand(ID_OBJECT_FORWARD, &CDrawView::OnObjectForward);
  MapCommand(ID_OBJECT_BACKWARD, &CDrawView::OnObjectBackward);
  MapCommand(ID_OBJECT_TO_FRONT, &CDrawView::OnObjectToFront);
  MapCommand(ID_OBJECT_TO_BACK, &CDrawView::OnObjectToBack);
  for (UINT id : {ID_OBJECT_FORWARD, ID_OBJECT_BACKWARD, ID_OBJECT_TO_FRONT, ID_OBJECT_TO_BACK})
    MapUpdateCommandUI(id, &CDrawView::OnUpdateOneSelected);
  MapCommand(ID_FILE_PRINT, &CView::OnFilePrint);
  MapCommand(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview);
  MapCommand(ID_EDIT_PROPERTIES, &CDrawView::OnEditProperties);
  MapUpdateCommandUI(ID_EDIT_PROPERTIES, &CDrawView::OnUpdateEditProperties);
  MapCommand(ID_WEB_PUBLISH, &CDrawView::OnWebPublish);
  MapCommand(ID_RECORD_SOUND, &CDrawView::OnRecordSound);
  MapUpdateCommandUI(ID_RECORD_SOUND, &CDrawView::OnUpdateRecordSound);
  MapEditingCommands();
  MapGalleryCommands();
}

CDrawView::~CDrawView() { m_selection.RemoveAll(); }

void CDrawView::OnWebPublish() {
  CFtpUploadDlg dialog;
  dialog.DoModal();
}

void CDrawView::OnRecordSound() {
  if (m_pRecorder && m_pRecorder->IsRecording()) {
    m_pRecorder->StopRecording();
    return;
  }
  m_pRecorder.reset();
  m_pRecorder = std::make_unique<CSoundRecorder>();
  m_pRecorder->StartRecording();
}

void CDrawView::OnUpdateRecordSound(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_pRecorder && m_pRecorder->IsRecording()); }

CDrawDoc* CDrawView::GetDocument() const { return dynamic_cast<CDrawDoc*>(m_pDocument); }

CMainFrame* CDrawView::Frame() const { return dynamic_cast<CMainFrame*>(GetParentFrame()); }

int CDrawView::AppMode() const {
  CDrawApp* app = GetDrawApp();
  return app ? app->m_nMode : 2;
}

// ---------------------------------------------------------------------------------
// Window

BOOL CDrawView::PreCreateWindow(CREATESTRUCTA& cs) {
  // No cursor and no background: the tools set the cursor, the paint covers everything.
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
  // A playing video's window is a child: the page's paint leaves it alone.
  cs.style |= WS_CLIPCHILDREN;
  CZoomView::PreCreateWindow(cs);
  return TRUE;
}

int CDrawView::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CZoomView::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_dropTarget.Register(this)) return -1;
  return 0;
}

void CDrawView::OnDestroy() {
  m_run.KillTimer();
  m_dropTarget.Revoke();
  CZoomView::OnDestroy();
}

void CDrawView::OnInitialUpdate() {
  if (AppMode() != kModeEditing)
    SetScrollSizes(MM_TEXT, CSize(0, 0));
  else
    ApplyPageSizes();
  CZoomView::OnInitialUpdate();
  // A page opened or made new: the property panel lists its names and rows.
  if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(kPanelSelectionChanged, nullptr);
}

void CDrawView::ApplyPageSizes() {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  // At least the screen, and all of a page larger than it, so that every edge of the
  // page can be scrolled into view.
  SetPageSizes(CSize(std::max(doc->m_screenSize.cx, doc->m_pageSize.cx),
                     std::max(doc->m_screenSize.cy, doc->m_pageSize.cy)));
}

void CDrawView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CZoomView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  if (bActivate == m_bActive) return;
  // The handles come or go: the areas with and without them are repainted.
  if (!m_selection.IsEmpty()) OnUpdate(nullptr, 2, nullptr);
  m_bActive = bActivate;
  if (!m_selection.IsEmpty()) OnUpdate(nullptr, 2, nullptr);
}

void CDrawView::OnUpdate(CView*, LPARAM lHint, CObject* pHint) {
  switch (lHint) {
    case 0:
      Invalidate(TRUE);
      break;
    case 1:
      if (auto* object = dynamic_cast<CDrawObj*>(pHint)) InvalObj(object);
      break;
    case 2: {
      CObList* list = pHint ? dynamic_cast<CObList*>(pHint) : &m_selection;
      if (!list) break;
      for (POSITION pos = list->GetHeadPosition(); pos;) InvalObj(AsObject(list->GetNext(pos)));
      break;
    }
    case 3: {
      auto* list = dynamic_cast<CObList*>(pHint);
      if (!list || list == &m_selection) break;
      for (POSITION pos = list->GetHeadPosition(); pos;) {
        CDrawObj* object = AsObject(list->GetNext(pos));
        InvalObj(object);
        Deselect(object);
      }
      break;
    }
    default:
      break;
  }
}

BOOL CDrawView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  const BOOL scrolled = CZoomView::OnScrollBy(sizeScroll, bDoScroll);
  if (scrolled && bDoScroll) UpdateWindow();
  // Brush origins and the off-screen copy follow the scroll: paint everything again.
  Invalidate(FALSE);
  UpdateWindow();
  return TRUE;
}

BOOL CDrawView::OnPreparePrinting(CPrintInfo* pInfo) {
  pInfo->SetMaxPage(1);
  if (CDrawDoc* doc = GetDocument()) pInfo->m_strPageDesc = doc->GetTitle();
  return DoPreparePrinting(pInfo);
}

// ---------------------------------------------------------------------------------
// Selection and the object model's services

void CDrawView::Select(CDrawObj* pObj, BOOL bAdd) {
  if (!bAdd) {
    OnUpdate(nullptr, 2, nullptr);
    for (POSITION pos = m_selection.GetHeadPosition(); pos;) AsObject(m_selection.GetNext(pos))->OnDeselect(this);
    m_selection.RemoveAll();
  }
  if (!pObj || IsSelected(pObj)) return;
  if (!pObj->m_locked) m_selection.AddTail(pObj);
  pObj->OnSelect(this);
  InvalObj(pObj);
}

void CDrawView::SelectWithinRect(CRect rect, BOOL bAdd) {
  if (!bAdd) Select(nullptr, FALSE);
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  DPtoLPRect(rect);
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(doc->m_objects.GetNext(pos));
    if (object->Intersects(rect) && !object->IsSuspended()) Select(object, TRUE);
  }
}

void CDrawView::Deselect(CDrawObj* pObj) {
  if (POSITION pos = m_selection.Find(pObj)) m_selection.RemoveAt(pos);
}

void CDrawView::DeselectWithRepaint(CDrawObj* pObj) {
  if (!IsSelected(pObj)) return;
  InvalObj(pObj);
  Deselect(pObj);
}

BOOL CDrawView::IsSelected(const CObject* pDocItem) const {
  return m_selection.Find(const_cast<CObject*>(pDocItem)) != nullptr;
}

CDrawObj* CDrawView::GetLastSelected() const {
  return m_selection.IsEmpty() ? nullptr : AsObject(const_cast<CObList&>(m_selection).GetTail());
}

CDrawObj* CDrawView::GetFirstSelected() const {
  return m_selection.IsEmpty() ? nullptr : AsObject(const_cast<CObList&>(m_selection).GetHead());
}

BOOL CDrawView::InvalObj(CDrawObj* pObj) {
  if (!pObj || !m_hWnd) return FALSE;
  CRect r = pObj->m_baseRect;
  LPtoDPRect(r);
  if (m_bActive && IsSelected(pObj)) {
    // The handles stand outside the rectangle: a margin that grows with the zoom.
    const int margin = static_cast<int>(std::lround(m_zoomFactor * 5));
    r.left -= margin + 4;
    r.top -= margin + 5;
    r.right += margin + 5;
    r.bottom += margin + 4;
  }
  r.InflateRect(1, 1);
  return ::InvalidateRect(m_hWnd, &r, FALSE);
}

CDrawObj* CDrawView::FindObjectByName(const CString& name, int trajectory) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return nullptr;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(doc->m_objects.GetNext(pos));
    if (object->m_name == name && (trajectory == 0 || object->m_trajectory == trajectory)) return object;
  }
  return nullptr;
}

BOOL CDrawView::GetPixelAtCursor(COLORREF& colour, int& x, int& y) {
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return FALSE;
  ScreenToClient(&cursor);
  CRect client;
  GetClientRect(&client);
  if (cursor.x < 0 || cursor.y < 0 || cursor.x >= client.Width() || cursor.y >= client.Height()) return FALSE;
  CClientDC dc(this);
  colour = dc.GetPixel(cursor.x, cursor.y);
  x = cursor.x;
  y = cursor.y;
  return TRUE;
}

BOOL CDrawView::GetClosed() const {
  CMainFrame* frame = Frame();
  return frame ? frame->m_bClosed : FALSE;
}

BOOL CDrawView::GetFilled() const {
  CMainFrame* frame = Frame();
  return frame ? frame->m_bFilled : FALSE;
}

COLORREF CDrawView::GetLineColour() const {
  CMainFrame* frame = Frame();
  return frame ? frame->m_lineColour : kBlack;
}

COLORREF CDrawView::GetFillColour() const {
  CMainFrame* frame = Frame();
  return frame ? frame->m_fillColour : RGB(255, 255, 255);
}

int CDrawView::GetLineWidth() const {
  CMainFrame* frame = Frame();
  return frame ? frame->m_nLineWidth : 1;
}

// Objects keep GDI+ dash styles, as the frame does: the choice passes unchanged.
int CDrawView::GetPenStyle() const {
  CMainFrame* frame = Frame();
  const int style = frame ? frame->m_nDashStyle : 0;
  return style >= 0 && style <= 4 ? style : 0;
}

int CDrawView::GetDashCap() const {
  CMainFrame* frame = Frame();
  const int cap = frame ? frame->m_nDashCap : 0;
  return cap == 2 || cap == 3 ? cap : 0;
}

void CDrawView::ClearDragState() { m_run.ClearDragState(); }

// ---------------------------------------------------------------------------------
// Stacking order

void CDrawView::OnUpdateOneSelected(CCmdUI* pCmdUI) { pCmdUI->Enable(m_selection.GetCount() == 1); }

// where: 1 forward, -1 backward, 2 to the front, -2 to the back.
void CDrawView::MoveFirstSelected(int where) {
  CDrawDoc* doc = GetDocument();
  CDrawObj* object = GetFirstSelected();
  if (!doc || !object) return;
  CObList& page = doc->m_objects;
  POSITION pos = page.Find(object);
  if (!pos) return;
  POSITION neighbour = pos;
  switch (where) {
    case 1:
      page.GetNext(neighbour);
      if (neighbour) {
        page.RemoveAt(pos);
        page.InsertAfter(neighbour, object);
        InvalObj(object);
      }
      break;
    case -1:
      page.GetPrev(neighbour);
      if (neighbour) {
        page.RemoveAt(pos);
        page.InsertBefore(neighbour, object);
        InvalObj(object);
      }
      break;
    case 2:
      page.RemoveAt(pos);
      page.AddTail(object);
      InvalObj(object);
      break;
    default:
      page.RemoveAt(pos);
      page.AddHead(object);
      InvalObj(object);
      break;
  }
  doc->RenumberObjects(FALSE);
  if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(kPanelObjectSelected, object);
}

void CDrawView::OnObjectForward() { MoveFirstSelected(1); }
void CDrawView::OnObjectBackward() { MoveFirstSelected(-1); }
void CDrawView::OnObjectToFront() { MoveFirstSelected(2); }
void CDrawView::OnObjectToBack() { MoveFirstSelected(-2); }

// ---------------------------------------------------------------------------------
// The page's run

BOOL CDrawView::StartObjects() {
  CDrawApp* app = GetDrawApp();
  m_selection.RemoveAll();
  if (app) app->m_bError = FALSE;
  return m_run.StartObjects();
}

void CDrawView::StopObjects() { m_run.StopObjects(); }

void CDrawView::StopRunFromAction() {
  m_bFillBeforeTransition = TRUE;
  m_run.KillTimer();
  if (AppMode() != kModeEditing)
    m_run.StopObjects();
  else
    m_run.ResetClock();
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CDrawView::OnExitRun() {
  const BOOL wasRunning = AppMode() != kModeEditing;
  if (wasRunning) {
    m_run.EndRun();
  } else {
    m_run.KillTimer();
    m_run.ResetClock();
  }
  CMainFrame* frame = Frame();
  if (frame && frame->IsFullScreen()) frame->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
  if (frame) frame->m_wndGalleryPanel.SetWindowsEnabled(TRUE);
  if (CDrawApp* app = GetDrawApp()) app->m_nMode = kModeEditing;
  SetCurrentShape(0);
  // The page may have changed under the run (page jumps): lay it out again.
  if (wasRunning) ApplyPageSizes();
  if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(kPanelSelectionChanged, nullptr);
}

void CDrawView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kPlaybackTimerId) {
    CZoomView::OnTimer(nIDEvent);
    return;
  }
  m_run.OnTimer();
}

// ---------------------------------------------------------------------------------
// Painting

CRect CDrawView::GetPageRect() const {
  CDrawDoc* doc = GetDocument();
  const CSize size = doc ? doc->m_pageSize : CSize(0, 0);
  return CRect(-(size.cx / 2), size.cy / 2, size.cx / 2, -(size.cy / 2));
}

CSize CDrawView::PrintableSize(int horzRes, int vertRes, int dpiX, int dpiY, CSize page) {
  // A page one unit wide or high still has an extent to divide by.
  const double w = std::max<LONG>(page.cx - 1, 1), h = std::max<LONG>(page.cy - 1, 1);
  const double dx = std::max(dpiX, 1), dy = std::max(dpiY, 1);
  int width = horzRes;
  int height = static_cast<int>(horzRes * (h * dy) / (w * dx));
  if (height > vertRes) {
    width = static_cast<int>(vertRes * (w * dx) / (h * dy));
    height = vertRes;
  }
  return CSize(width, height);
}

void CDrawView::ReportPaintFailure() {
  if (m_bPaintFailureShown) return;
  m_bPaintFailureShown = TRUE;
  AfxMessageBox(IDS_OUT_OF_MEMORY, MB_ICONSTOP);
}

void CDrawView::OnDraw(CDC* pDC) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  const int mode = AppMode();
  const bool editing = mode == 2;
  const bool running = mode == 1 || mode == 0;
  const bool printing = pDC->IsPrinting() != FALSE;
  CMainFrame* frame = Frame();
  const bool fullScreen = frame && frame->IsFullScreen();
  const CRect page = GetPageRect();

  // A printer is painted through a copy made on the screen, the whole page at once.
  std::unique_ptr<CClientDC> client;
  CDC* target = pDC;
  CRect clip;
  if (printing) {
    client = std::make_unique<CClientDC>(this);
    OnPrepareDC(client.get());
    target = client.get();
    clip = page;
  } else {
    pDC->GetClipBox(&clip);
  }
  CRect device = clip;
  target->LPtoDP(&device);
  device.NormalizeRect();
  if (device.IsRectEmpty()) return;

  CBitmap bitmap;
  CDC memory;
  if (!memory.CreateCompatibleDC(target) || !bitmap.CreateCompatibleBitmap(target, device.Width(), device.Height())) {
    ReportPaintFailure();
    return;
  }
  OnPrepareDC(&memory);
  memory.OffsetViewportOrg(-device.left, -device.top);
  BitmapSelection selection(memory, bitmap);
  memory.SetBrushOrg(device.left % 8, device.top % 8);
  memory.IntersectClipRect(&clip);

  CBrush paper;
  if (!paper.CreateSolidBrush(doc->m_useBackPicture ? RGB(255, 255, 255) : doc->m_backColour)) {
    ReportPaintFailure();
    return;
  }
  m_bPaintFailureShown = FALSE;

  // The surroundings and the paper, in the bitmap's own pixels.
  CRect pagePixels = page;
  memory.LPtoDP(&pagePixels);
  pagePixels.NormalizeRect();
  {
    const int saved = memory.SaveDC();
    ResetMapping(memory);
    const CRect all(0, 0, device.Width(), device.Height());
    if (editing && !printing && !fullScreen) {
      memory.FillSolidRect(&all, kSurround);
      memory.FillRect(&pagePixels, &paper);
      memory.Draw3dRect(&pagePixels, kSurround, kBlack);
    } else {
      memory.FillSolidRect(&all, kBlack);
      memory.FillRect(&pagePixels, &paper);
    }
    memory.RestoreDC(saved);
  }

  // A running page shows nothing beyond its edges.
  {
    const int saved = memory.SaveDC();
    if (running) memory.IntersectClipRect(&page);
    doc->Draw(&memory, this);
    memory.RestoreDC(saved);
  }
  if (editing) {
    if (m_bGrid) DrawGrid(&memory);
    if (m_bAxes) DrawAxes(&memory);
  }

  ResetMapping(*target);
  if (target != pDC) ResetMapping(*pDC);
  ResetMapping(memory);

  if (running && doc->m_transitionPending) {
    if (m_bFillBeforeTransition) {
      CBrush curtain;
      if (curtain.CreateSolidBrush(doc->m_curtainColour)) target->FillRect(&device, &curtain);
      m_bFillBeforeTransition = FALSE;
    }
    RenderPageTransition(target->m_hDC, memory.m_hDC, device, doc->m_transitionKind, doc->m_transitionDirection,
                         doc->m_transitionDelay);
    doc->m_transitionPending = 0;
    Invalidate(FALSE);
    return;
  }
  if (!editing && !running) return;  // an unknown mode shows nothing
  if (printing) {
    selection.Release();  // the bitmap must leave the memory DC to be copied
    PrintPage(pDC, bitmap, device.Size(), client->GetDeviceCaps(BITSPIXEL));
    return;
  }
  target->BitBlt(device.left, device.top, device.Width(), device.Height(), &memory, 0, 0, SRCCOPY);
}

void CDrawView::PrintPage(CDC* pPrinterDC, CBitmap& bitmap, CSize bitmapSize, int bitsPerPixel) {
  CDrawDoc* doc = GetDocument();
  if (!m_printImage.CreateFromBitmap(bitmap, bitsPerPixel)) {
    ReportPaintFailure();
    return;
  }
  const CSize size = PrintableSize(pPrinterDC->GetDeviceCaps(HORZRES), pPrinterDC->GetDeviceCaps(VERTRES),
                                   pPrinterDC->GetDeviceCaps(LOGPIXELSX), pPrinterDC->GetDeviceCaps(LOGPIXELSY),
                                   doc->m_pageSize);
  const CRect dest(0, 0, size.cx, size.cy);
  // The whole copy, at whatever zoom it was made.
  const CRect source(0, 0, bitmapSize.cx, bitmapSize.cy);
  m_printImage.Paint(pPrinterDC, &dest, &source);
}

void CDrawView::DrawGrid(CDC* pDC) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  const int w = doc->m_pageSize.cx, h = doc->m_pageSize.cy;
  const int left = -(w / 2), right = w - w / 2, bottom = -(h / 2), top = h - h / 2;
  CPen dotted(PS_DOT, 1, m_gridColour);
  CPen* old = pDC->SelectObject(&dotted);
  for (int x = left; x <= right; x += kGridStep) {
    pDC->MoveTo(x, bottom);
    pDC->LineTo(x, top);
  }
  for (int y = bottom; y <= top; y += kGridStep) {
    pDC->MoveTo(left, y);
    pDC->LineTo(right, y);
  }
  CPen solid(PS_SOLID, 1, m_gridColour);
  pDC->SelectObject(&solid);
  pDC->MoveTo(left, bottom);
  pDC->LineTo(right, bottom);
  pDC->LineTo(right, top);
  pDC->LineTo(left, top);
  pDC->LineTo(left, bottom);
  pDC->SelectObject(old);
}

void CDrawView::DrawAxes(CDC* pDC) {
  CDrawDoc* doc = GetDocument();
  if (!doc) return;
  const int halfW = doc->m_pageSize.cx / 2, halfH = doc->m_pageSize.cy / 2;
  CPen pen(PS_SOLID, 1, kBlack);
  CPen* old = pDC->SelectObject(&pen);
  pDC->MoveTo(-halfW, 0);
  pDC->LineTo(halfW, 0);
  pDC->MoveTo(0, -halfH);
  pDC->LineTo(0, halfH);
  pDC->SelectObject(old);
}
