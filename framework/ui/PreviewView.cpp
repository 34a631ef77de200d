#include "framework/ui/PreviewView.h"

#include <algorithm>

#include "framework/core/FrameworkStrings.h"
#include "framework/ui/AfxRes.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/ControlBar.h"
#include "framework/ui/DC.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/PaintDC.h"
#include "framework/ui/View.h"

namespace {

constexpr int kStripHeight = 30;  // the row of buttons
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 22;
constexpr int kMargin = 12;       // around the sheet
constexpr int kShadow = 4;
constexpr int kLineStep = 24;     // one click of a scroll arrow

struct ButtonSpec {
  UINT id;
};
constexpr ButtonSpec kButtons[] = {{AFX_ID_PREVIEW_PRINT},  {AFX_ID_PREVIEW_NEXT},    {AFX_ID_PREVIEW_PREV},
                                   {AFX_ID_PREVIEW_ZOOMIN}, {AFX_ID_PREVIEW_ZOOMOUT}, {AFX_ID_PREVIEW_CLOSE}};

// The sheet's size in inches of the reference device's printable area.
struct Sheet {
  double width;
  double height;
};

Sheet SheetOf(HDC reference) {
  const int dpiX = std::max(1, ::GetDeviceCaps(reference, LOGPIXELSX));
  const int dpiY = std::max(1, ::GetDeviceCaps(reference, LOGPIXELSY));
  return {std::max(1, ::GetDeviceCaps(reference, HORZRES)) / static_cast<double>(dpiX),
          std::max(1, ::GetDeviceCaps(reference, VERTRES)) / static_cast<double>(dpiY)};
}

}  // namespace

CPreviewView::CPreviewView() {
  MapCommand(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPrint);
  MapCommand(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage);
  MapCommand(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage);
  MapCommand(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn);
  MapCommand(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut);
  MapCommand(AFX_ID_PREVIEW_CLOSE, &CPreviewView::Close);
}

CPreviewView::~CPreviewView() {
  if (m_page) ::DeleteEnhMetaFile(m_page);
  if (m_info && m_info->m_hPrinterDC) ::DeleteDC(m_info->m_hPrinterDC);
  if (m_hScreenDC) ::ReleaseDC(nullptr, m_hScreenDC);
}

CPreviewView* CPreviewView::Find(CFrameWnd* pFrame) {
  if (!pFrame || !pFrame->m_hWnd) return nullptr;
  HWND pane = ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
  return pane ? dynamic_cast<CPreviewView*>(CWnd::FromHandlePermanent(pane)) : nullptr;
}

BOOL CPreviewView::Start(CFrameWnd* pFrame, CView* pView, std::unique_ptr<CPrintInfo> pInfo) {
  if (!pFrame || !pView || !pInfo) {
    if (pInfo && pInfo->m_hPrinterDC) ::DeleteDC(pInfo->m_hPrinterDC);
    return FALSE;
  }
  if (CPreviewView* shown = Find(pFrame)) {
    shown->SetFocus();
    if (pInfo->m_hPrinterDC) ::DeleteDC(pInfo->m_hPrinterDC);
    return TRUE;
  }
  auto* preview = new CPreviewView;
  preview->m_pFrame = pFrame;
  preview->m_pView = pView;
  preview->m_info = std::move(pInfo);
  preview->m_info->m_bPreview = TRUE;
  if (!preview->m_info->m_hPrinterDC) preview->m_hScreenDC = ::GetDC(nullptr);
  preview->m_info->m_nCurPage = preview->m_info->GetMinPage();

  CRect place;
  pView->GetWindowRect(&place);
  pFrame->ScreenToClient(&place);

  // Put the frame's furniture away; Restore brings it back.
  for (CControlBar* bar : pFrame->GetControlBars()) {
    if (bar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR) continue;
    preview->m_savedBars.push_back({bar, bar->IsVisible()});
    if (bar->IsVisible()) pFrame->ShowControlBar(bar, FALSE, TRUE);
  }
  preview->m_hSavedMenu = ::GetMenu(pFrame->m_hWnd);
  if (preview->m_hSavedMenu) ::SetMenu(pFrame->m_hWnd, nullptr);
  preview->m_hSavedAccel = pFrame->m_hAccelTable;
  pFrame->m_hAccelTable = nullptr;
  preview->m_nSavedViewId = static_cast<UINT>(pView->GetDlgCtrlID());
  pView->SetDlgCtrlID(AFX_IDW_PANE_LAST);
  pView->ShowWindow(SW_HIDE);
  pFrame->SetActiveView(nullptr);

  LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
  if (!windowClass || !preview->CreateEx(0, windowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL |
                                                                 WS_VSCROLL,
                                         place, pFrame, AFX_IDW_PANE_FIRST)) {
    preview->Restore();
    delete preview;
    return FALSE;
  }
  HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    CButton& button = preview->m_buttons[i];
    CString text;
    text.LoadString(kButtons[i].id);
    button.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(0, 0, 0, 0), preview,
                  kButtons[i].id);
    button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  preview->LayoutButtons();

  CDC attributes(preview->ReferenceDC());
  attributes.m_bPrinting = TRUE;
  pView->OnBeginPrinting(&attributes, preview->m_info.get());
  preview->RenderPage();
  preview->UpdateControls();
  pFrame->RecalcLayout();
  preview->UpdateScrollBars();
  preview->SetFocus();
  return TRUE;
}

HDC CPreviewView::ReferenceDC() const { return m_info->m_hPrinterDC ? m_info->m_hPrinterDC : m_hScreenDC; }

void CPreviewView::Close() {
  if (!m_hWnd) return;
  Restore();
  DestroyWindow();  // deletes this object
}

void CPreviewView::Restore() {
  if (m_bRestored) return;
  m_bRestored = TRUE;
  if (m_hWnd) {
    CDC attributes(ReferenceDC());
    attributes.m_bPrinting = TRUE;
    m_pView->OnEndPrinting(&attributes, m_info.get());
    SetDlgCtrlID(0);
  }
  CFrameWnd* frame = m_pFrame;
  if (!frame->m_hWnd) return;
  if (m_hSavedMenu) {
    ::SetMenu(frame->m_hWnd, m_hSavedMenu);
    ::DrawMenuBar(frame->m_hWnd);
  }
  frame->m_hAccelTable = m_hSavedAccel;
  if (m_pView->m_hWnd) {
    m_pView->SetDlgCtrlID(static_cast<int>(m_nSavedViewId));
    m_pView->ShowWindow(SW_SHOW);
  }
  for (const SavedBar& saved : m_savedBars)
    if (saved.visible) frame->ShowControlBar(saved.bar, TRUE, TRUE);
  frame->RecalcLayout();
  if (m_pView->m_hWnd) {
    frame->SetActiveView(m_pView);
    m_pView->SetFocus();
  }
}

void CPreviewView::OnDestroy() {
  if (!m_bRestored) {
    // The frame is closing under the preview: it takes its menu back to destroy it with
    // itself; the bars and the view go with it.
    m_bRestored = TRUE;
    CDC attributes(ReferenceDC());
    attributes.m_bPrinting = TRUE;
    m_pView->OnEndPrinting(&attributes, m_info.get());
    if (m_hSavedMenu && m_pFrame->m_hWnd) ::SetMenu(m_pFrame->m_hWnd, m_hSavedMenu);
    m_pFrame->m_hAccelTable = m_hSavedAccel;
  }
  CWnd::OnDestroy();
}

BOOL CPreviewView::CanGoNext() const {
  if (m_info->m_nCurPage >= m_info->GetMaxPage()) return FALSE;
  if (m_info->GetMaxPage() != 0xFFFF) return TRUE;
  // An open-ended job: ask the view whether another page follows.
  CPrintInfo probe = *m_info;
  probe.m_nCurPage = m_info->m_nCurPage + 1;
  CDC attributes(ReferenceDC());
  attributes.m_bPrinting = TRUE;
  const int saved = attributes.SaveDC();
  m_pView->OnPrepareDC(&attributes, &probe);
  attributes.RestoreDC(saved);
  return probe.m_bContinuePrinting;
}

void CPreviewView::GoToPage(UINT nPage) {
  if (nPage == m_info->m_nCurPage) return;
  if (nPage < m_info->m_nCurPage ? !CanGoPrevious() : !CanGoNext()) return;
  m_info->m_nCurPage = nPage;
  RenderPage();
  m_scroll = CPoint(0, 0);
  UpdateScrollBars();
  UpdateControls();
  Invalidate(FALSE);
}

void CPreviewView::SetZoom(int zoom) {
  zoom = std::clamp(zoom, 0, kMaxZoom);
  if (zoom == m_zoom) return;
  // Keep the middle of what is seen in the middle.
  const CRect area = PageArea();
  const CSize before = SheetSize();
  const double centreX = (m_scroll.x + area.Width() / 2.0) / std::max<LONG>(1, before.cx + 2 * kMargin);
  const double centreY = (m_scroll.y + area.Height() / 2.0) / std::max<LONG>(1, before.cy + 2 * kMargin);
  m_zoom = zoom;
  const CSize after = SheetSize();
  m_scroll = CPoint(static_cast<int>(centreX * (after.cx + 2 * kMargin) - area.Width() / 2.0),
                    static_cast<int>(centreY * (after.cy + 2 * kMargin) - area.Height() / 2.0));
  UpdateScrollBars();
  UpdateControls();
  Invalidate(FALSE);
}

void CPreviewView::RenderPage() {
  if (m_page) ::DeleteEnhMetaFile(m_page);
  m_page = nullptr;
  HDC reference = ReferenceDC();
  if (!reference) return;
  const int width = ::GetDeviceCaps(reference, HORZRES);
  const int height = ::GetDeviceCaps(reference, VERTRES);
  const int dpiX = std::max(1, ::GetDeviceCaps(reference, LOGPIXELSX));
  const int dpiY = std::max(1, ::GetDeviceCaps(reference, LOGPIXELSY));
  // The frame in hundredths of a millimetre, the printable area exactly.
  const RECT frame = {0, 0, ::MulDiv(width, 2540, dpiX), ::MulDiv(height, 2540, dpiY)};
  HDC meta = ::CreateEnhMetaFileA(reference, nullptr, &frame, nullptr);
  if (!meta) return;
  {
    CDC dc(meta);
    dc.m_bPrinting = TRUE;
    m_pView->OnPrepareDC(&dc, m_info.get());
    if (m_info->m_bContinuePrinting) {
      m_info->m_rectDraw.SetRect(0, 0, width, height);
      dc.DPtoLP(&m_info->m_rectDraw);
      m_pView->OnPrint(&dc, m_info.get());
    }
    m_info->m_bContinuePrinting = TRUE;
  }
  m_page = ::CloseEnhMetaFile(meta);
}

CRect CPreviewView::PageArea() const {
  CRect client;
  GetClientRect(&client);
  client.top = std::min<LONG>(client.bottom, kStripHeight);
  return client;
}

CSize CPreviewView::SheetSize() const {
  // The fitted scale comes from the whole window, scroll bars or not, so that showing
  // them does not change it.
  CRect window;
  GetWindowRect(&window);
  const double areaWidth = std::max<LONG>(1, window.Width() - 2 * kMargin);
  const double areaHeight = std::max<LONG>(1, window.Height() - kStripHeight - 2 * kMargin);
  const Sheet sheet = SheetOf(ReferenceDC());
  const double fit = std::min(areaWidth / sheet.width, areaHeight / sheet.height) * (1 << m_zoom);
  return CSize(std::max(1, static_cast<int>(sheet.width * fit)), std::max(1, static_cast<int>(sheet.height * fit)));
}

CRect CPreviewView::GetSheetRect() const {
  const CRect area = PageArea();
  const CSize size = SheetSize();
  const int left = size.cx + 2 * kMargin <= area.Width() ? area.left + (area.Width() - size.cx) / 2
                                                         : area.left + kMargin - m_scroll.x;
  const int top = size.cy + 2 * kMargin <= area.Height() ? area.top + (area.Height() - size.cy) / 2
                                                         : area.top + kMargin - m_scroll.y;
  return CRect(left, top, left + size.cx, top + size.cy);
}

void CPreviewView::UpdateScrollBars() {
  if (!m_hWnd) return;
  for (int pass = 0; pass < 2; ++pass) {  // a bar shown narrows the other direction
    const CRect area = PageArea();
    const CSize size = SheetSize();
    const CSize total(size.cx + 2 * kMargin, size.cy + 2 * kMargin);
    m_scroll.x = std::clamp<LONG>(m_scroll.x, 0, std::max<LONG>(0, total.cx - area.Width()));
    m_scroll.y = std::clamp<LONG>(m_scroll.y, 0, std::max<LONG>(0, total.cy - area.Height()));
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    info.nMax = total.cx - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(0, area.Width()));
    info.nPos = m_scroll.x;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    info.nMax = total.cy - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(0, area.Height()));
    info.nPos = m_scroll.y;
    SetScrollInfo(SB_VERT, &info, TRUE);
  }
}

void CPreviewView::ScrollTo(CPoint position) {
  const CPoint before = m_scroll;
  m_scroll = position;
  UpdateScrollBars();
  if (m_scroll != before) Invalidate(FALSE);
}

void CPreviewView::LayoutButtons() {
  int x = 6;
  for (CButton& button : m_buttons) {
    if (!button.m_hWnd) continue;
    button.MoveWindow(CRect(x, (kStripHeight - kButtonHeight) / 2, x + kButtonWidth,
                            (kStripHeight - kButtonHeight) / 2 + kButtonHeight));
    x += kButtonWidth + 4;
  }
}

void CPreviewView::UpdateControls() {
  m_buttons[1].EnableWindow(CanGoNext());
  m_buttons[2].EnableWindow(CanGoPrevious());
  m_buttons[3].EnableWindow(m_zoom < kMaxZoom);
  m_buttons[4].EnableWindow(m_zoom > 0);
  // A disabled button must not keep the keyboard.
  HWND focus = ::GetFocus();
  if (focus && !::IsWindowEnabled(focus) && ::IsChild(m_hWnd, focus)) SetFocus();
  CRect strip;
  GetClientRect(&strip);
  strip.bottom = kStripHeight;
  InvalidateRect(&strip, FALSE);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  UpdateScrollBars();
  Invalidate(FALSE);
}

void CPreviewView::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CDC memory;
  CBitmap bitmap;
  const bool buffered = memory.CreateCompatibleDC(&paint) &&
                        bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
  CDC& dc = buffered ? memory : static_cast<CDC&>(paint);
  CBitmap* old = buffered ? memory.SelectObject(&bitmap) : nullptr;

  CRect strip = client;
  strip.bottom = std::min<LONG>(client.bottom, kStripHeight);
  dc.FillSolidRect(&strip, ::GetSysColor(COLOR_BTNFACE));
  CString label;
  label.Format(FrameworkText(AFX_IDS_PREVIEW_PAGE), m_info->m_nCurPage);
  HGDIOBJ oldFont = dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  CRect text = strip;
  text.left = 6 + static_cast<int>(std::size(kButtons)) * (kButtonWidth + 4) + 8;
  dc.DrawText(label, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  dc.SelectObject(oldFont);

  CRect area = PageArea();
  dc.FillSolidRect(&area, ::GetSysColor(COLOR_APPWORKSPACE));
  const CRect sheet = GetSheetRect();
  dc.IntersectClipRect(&area);
  CRect shadow = sheet;
  shadow.OffsetRect(kShadow, kShadow);
  dc.FillSolidRect(&shadow, RGB(64, 64, 64));
  dc.FillSolidRect(&sheet, RGB(255, 255, 255));
  if (m_page) ::PlayEnhMetaFile(dc.m_hDC, m_page, &sheet);
  CRect border = sheet;
  border.InflateRect(1, 1);
  dc.Draw3dRect(&border, RGB(0, 0, 0), RGB(0, 0, 0));

  if (buffered) {
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT, CWnd*) {
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(m_hWnd, SB_HORZ, &info);
  CPoint to = m_scroll;
  switch (nSBCode) {
    case SB_LINELEFT: to.x -= kLineStep; break;
    case SB_LINERIGHT: to.x += kLineStep; break;
    case SB_PAGELEFT: to.x -= static_cast<int>(info.nPage); break;
    case SB_PAGERIGHT: to.x += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to.x = info.nTrackPos; break;
    case SB_LEFT: to.x = 0; break;
    case SB_RIGHT: to.x = info.nMax; break;
    default: return;
  }
  ScrollTo(to);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT, CWnd*) {
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(m_hWnd, SB_VERT, &info);
  CPoint to = m_scroll;
  switch (nSBCode) {
    case SB_LINEUP: to.y -= kLineStep; break;
    case SB_LINEDOWN: to.y += kLineStep; break;
    case SB_PAGEUP: to.y -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: to.y += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to.y = info.nTrackPos; break;
    case SB_TOP: to.y = 0; break;
    case SB_BOTTOM: to.y = info.nMax; break;
    default: return;
  }
  ScrollTo(to);
}

BOOL CPreviewView::OnMouseWheel(UINT, short zDelta, CPoint) {
  ScrollTo(CPoint(m_scroll.x, m_scroll.y - zDelta * kLineStep * 3 / WHEEL_DELTA));
  return TRUE;
}

void CPreviewView::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  // A click on the sheet zooms in, at the largest zoom back out.
  if (GetSheetRect().PtInRect(point)) SetZoom(m_zoom < kMaxZoom ? m_zoom + 1 : 0);
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    switch (pMsg->wParam) {
      case VK_ESCAPE: Close(); return TRUE;
      case VK_PRIOR: OnPrevPage(); return TRUE;
      case VK_NEXT: OnNextPage(); return TRUE;
      case VK_UP: OnVScroll(SB_LINEUP, 0, nullptr); return TRUE;
      case VK_DOWN: OnVScroll(SB_LINEDOWN, 0, nullptr); return TRUE;
      case VK_LEFT: OnHScroll(SB_LINELEFT, 0, nullptr); return TRUE;
      case VK_RIGHT: OnHScroll(SB_LINERIGHT, 0, nullptr); return TRUE;
      default: break;
    }
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CPreviewView::OnPrint() {
  // Printing starts from the view, once it is back.
  CFrameWnd* frame = m_pFrame;
  Close();
  frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}
