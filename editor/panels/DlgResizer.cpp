#include "editor/panels/DlgResizer.h"

#include <algorithm>

namespace {

int ModeFactor(int mode) {
  switch (mode) {
    case CDlgResizer::kStretch: return 100;  // only the far edge moves: see AddControl
    case CDlgResizer::kMove: return 100;
    case CDlgResizer::kCentre: return 50;
    default: return 0;
  }
}

}  // namespace

void CDlgResizer::Init(CWnd* pDialog, int enlargePercent) {
  m_hDialog = pDialog ? pDialog->m_hWnd : nullptr;
  if (!m_hDialog) return;
  CRect client, window;
  ::GetClientRect(m_hDialog, &client);
  ::GetWindowRect(m_hDialog, &window);
  m_initialWidth = client.Width();
  m_initialHeight = client.Height();
  m_windowWidth = window.Width();
  m_windowHeight = window.Height();
  if (enlargePercent == 0) return;

  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  ::GetWindowPlacement(m_hDialog, &placement);
  CRect r = placement.rcNormalPosition;
  if (m_nFlags & kGrowHorizontally) {
    const int d = r.Width() * enlargePercent / 50;
    r.left = std::max(0L, r.left - d);
    r.right += d;
  }
  if (m_nFlags & kGrowVertically) {
    const int d = r.Height() * enlargePercent / 50;
    r.top = std::max(0L, r.top - d);
    r.bottom += d;
  }
  ::SetWindowPos(m_hDialog, nullptr, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
}

DlgAnchor* CDlgResizer::AddControl(CWnd* pControl, int nHorzMode, int nVertMode) {
  // Stretching keeps the near edge; moving and centring move both.
  const int left = nHorzMode == kStretch ? 0 : ModeFactor(nHorzMode);
  const int top = nVertMode == kStretch ? 0 : ModeFactor(nVertMode);
  return AddAnchor(pControl, left, ModeFactor(nHorzMode), top, ModeFactor(nVertMode));
}

DlgAnchor* CDlgResizer::AddAnchor(CWnd* pControl, int left, int right, int top, int bottom) {
  if (!m_hDialog || !::IsWindow(m_hDialog) || !pControl || !::IsWindow(pControl->m_hWnd) || !IsInitialised())
    return nullptr;
  if (left == 0 && right == 0 && top == 0 && bottom == 0) return nullptr;
  CRect placement;
  ::GetWindowRect(pControl->m_hWnd, &placement);
  ::MapWindowPoints(nullptr, m_hDialog, reinterpret_cast<LPPOINT>(&placement), 2);
  m_anchors.insert(m_anchors.begin(),
                   std::make_unique<DlgAnchor>(DlgAnchor{pControl->m_hWnd, left, right, top, bottom, placement}));
  CRect client;
  ::GetClientRect(m_hDialog, &client);
  Place(*m_anchors.front(), std::max(0, client.Width() - m_initialWidth),
        std::max(0, client.Height() - m_initialHeight));
  return m_anchors.front().get();
}

void CDlgResizer::OnSize(UINT nType, int cx, int cy) {
  if (nType != SIZE_MINIMIZED && IsInitialised()) Resize(cx, cy);
}

void CDlgResizer::OnGetMinMaxInfo(MINMAXINFO* lpMMI) const {
  if (!IsInitialised()) return;
  lpMMI->ptMinTrackSize.x = m_windowWidth;
  lpMMI->ptMinTrackSize.y = m_windowHeight;
  if (!(m_nFlags & kGrowHorizontally)) lpMMI->ptMaxTrackSize.x = m_windowWidth;
  if (!(m_nFlags & kGrowVertically)) lpMMI->ptMaxTrackSize.y = m_windowHeight;
}

void CDlgResizer::Resize(int cx, int cy) {
  const int dx = std::max(0, cx - m_initialWidth);
  const int dy = std::max(0, cy - m_initialHeight);
  for (const auto& anchor : m_anchors) Place(*anchor, dx, dy);
  ::RedrawWindow(m_hDialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDlgResizer::Place(const DlgAnchor& anchor, int dx, int dy) const {
  if (!::IsWindow(anchor.control)) return;
  const CRect& r = anchor.placement;
  const int left = r.left + anchor.left * dx / 100;
  const int right = r.right + anchor.right * dx / 100;
  const int top = r.top + anchor.top * dy / 100;
  const int bottom = r.bottom + anchor.bottom * dy / 100;
  // A control inside another control (a panel's grids inside its tab control) is placed
  // in its own parent's coordinates.
  POINT at = {left, top};
  HWND parent = ::GetParent(anchor.control);
  if (parent && parent != m_hDialog) ::MapWindowPoints(m_hDialog, parent, &at, 1);
  ::SetWindowPos(anchor.control, nullptr, at.x, at.y, right - left, bottom - top, SWP_NOZORDER | SWP_NOREDRAW);
}
