#include "framework/ui/ControlBar.h"

#include "framework/ui/DC.h"
#include "framework/ui/WindowDC.h"
#include "framework/ui/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {
constexpr int kBorder = 2;   // an etched edge on each side named by CBRS_BORDER_...
constexpr int kGripper = 8;  // the strip CBRS_GRIPPER adds before the contents
}  // namespace

CControlBar::CControlBar() { MapMessage(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUIMessage); }

CControlBar::~CControlBar() {
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
}

BOOL CControlBar::CreateBar(LPCSTR lpszClassName, DWORD dwExStyle, DWORD dwStyle, DWORD dwCtrlStyle,
                            CWnd* pParentWnd, UINT nID, LPCSTR lpszWindowName) {
  m_dwStyle = dwStyle & CBRS_ALL;
  const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | dwCtrlStyle;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
    return FALSE;
  // Notifications and commands of the bar go to the frame that holds it.
  CWnd* parent = pParentWnd;
  while (parent && !parent->IsFrameWnd()) parent = parent->GetParent();
  if (parent) {
    m_pDockSite = static_cast<CFrameWnd*>(parent);
    m_pDockSite->AddControlBar(this);
  }
  return TRUE;
}

void CControlBar::OnDestroy() {
  if (m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  const DWORD old = m_dwStyle;
  m_dwStyle = dwStyle & CBRS_ALL;
  if (m_hWnd && (old ^ m_dwStyle) & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_ALIGN_ANY))
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
  if (m_dwDockStyle && !m_pDockContext) m_pDockContext = std::make_unique<CDockContext>(this);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

CRect CControlBar::GetBarInsets(BOOL bHorz) const {
  CRect insets(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
  if (m_dwStyle & CBRS_BORDER_LEFT) insets.left += kBorder;
  if (m_dwStyle & CBRS_BORDER_TOP) insets.top += kBorder;
  if (m_dwStyle & CBRS_BORDER_RIGHT) insets.right += kBorder;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) insets.bottom += kBorder;
  if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating()) {  // a floating bar moves by its frame's caption
    if (bHorz)
      insets.left += kGripper;
    else
      insets.top += kGripper;
  }
  return insets;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const CRect insets = GetBarInsets(bHorz);
  CSize size(insets.left + insets.right, insets.top + insets.bottom);
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  const CRect insets = GetBarInsets(IsHorz());
  RECT& rect = lpncsp->rgrc[0];
  rect.left += insets.left;
  rect.top += insets.top;
  rect.right -= insets.right;
  rect.bottom -= insets.bottom;
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
}

void CControlBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  const BOOL horz = IsHorz();
  const CRect insets = GetBarInsets(horz);
  CRect client(window.left + insets.left, window.top + insets.top, window.right - insets.right,
               window.bottom - insets.bottom);
  dc.ExcludeClipRect(&client);
  dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));

  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
  // Etched edges: a shadow line with a highlight line beside it.
  if (m_dwStyle & CBRS_BORDER_TOP) {
    dc.FillSolidRect(window.left, window.top, window.Width(), 1, dark);
    dc.FillSolidRect(window.left, window.top + 1, window.Width(), 1, light);
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    dc.FillSolidRect(window.left, window.bottom - 2, window.Width(), 1, dark);
    dc.FillSolidRect(window.left, window.bottom - 1, window.Width(), 1, light);
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) {
    dc.FillSolidRect(window.left, window.top, 1, window.Height(), dark);
    dc.FillSolidRect(window.left + 1, window.top, 1, window.Height(), light);
  }
  if (m_dwStyle & CBRS_BORDER_RIGHT) {
    dc.FillSolidRect(window.right - 2, window.top, 1, window.Height(), dark);
    dc.FillSolidRect(window.right - 1, window.top, 1, window.Height(), light);
  }
  if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating()) {
    // Two raised lines along the strip.
    const int left = window.left + ((m_dwStyle & CBRS_BORDER_LEFT) ? kBorder : 0) + m_cxLeftBorder;
    const int top = window.top + ((m_dwStyle & CBRS_BORDER_TOP) ? kBorder : 0) + m_cyTopBorder;
    if (horz) {
      const int height = client.Height() - 2;
      dc.Draw3dRect(left + 1, top + 1, 3, height, light, dark);
      dc.Draw3dRect(left + 4, top + 1, 3, height, light, dark);
    } else {
      const int width = client.Width() - 2;
      dc.Draw3dRect(left + 1, top + 1, width, 3, light, dark);
      dc.Draw3dRect(left + 1, top + 4, width, 3, light, dark);
    }
  }
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

LRESULT CControlBar::OnNcHitTest(CPoint point) {
  // The gripper of a bar that may move is its caption; the other edges belong to the
  // bar (not to a border to size by).
  if ((m_dwStyle & CBRS_GRIPPER) && m_pDockContext && !IsFloating()) {
    CRect window;
    GetWindowRect(&window);
    const CRect insets = GetBarInsets(IsHorz());
    CRect gripper = window;
    if (IsHorz())
      gripper.right = window.left + insets.left;
    else
      gripper.bottom = window.top + insets.top;
    if (gripper.PtInRect(point)) return HTCAPTION;
  }
  const LRESULT hit = CWnd::OnNcHitTest(point);
  return hit == HTNOWHERE ? HTCLIENT : hit;
}

void CControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pDockContext)
    m_pDockContext->StartDrag(point);
  else
    CWnd::OnNcLButtonDown(nHitTest, point);
}

void CControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pDockContext)
    m_pDockContext->ToggleDocking();
  else
    CWnd::OnNcLButtonDblClk(nHitTest, point);
}

LRESULT CControlBar::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM) {
  if (!IsVisible()) return 0;
  // A floating bar's window parent is its small frame: its commands are still the
  // frame's it belongs to.
  CWnd* owner = m_pDockSite ? m_pDockSite : GetOwner();
  CFrameWnd* target = owner && owner->IsFrameWnd() ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
  if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}
