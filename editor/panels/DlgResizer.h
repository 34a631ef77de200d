// CDlgResizer: keeps a resizable dialog's controls in place as the dialog grows. Each
// anchored control remembers its rectangle at the dialog's size when the resizer was
// initialised; each of its four edges follows the growth of the dialog by a percentage
// (0 stays, 50 follows by half, 100 follows fully). A dialog smaller than at
// initialisation leaves its controls where they were, and cannot be tracked smaller.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/Rect.h"
#include "framework/ui/Wnd.h"

struct DlgAnchor {
  HWND control;
  int left;  // percent of the growth each edge follows
  int right;
  int top;
  int bottom;
  CRect placement;  // in the dialog's client coordinates, at the initial size
};

class CDlgResizer {
 public:
  // The dialog may be made larger than at initialisation in that direction (without
  // the flag, the dialog's initial size is also its largest).
  static constexpr DWORD kGrowHorizontally = 1;
  static constexpr DWORD kGrowVertically = 2;
  // How an edge pair follows the dialog: AddControl's modes.
  enum Mode { kKeep = 0, kStretch = 1, kMove = 2, kCentre = 3 };

  CDlgResizer() = default;
  CDlgResizer(const CDlgResizer&) = delete;
  CDlgResizer& operator=(const CDlgResizer&) = delete;

  // Records the dialog's present size; with enlargePercent, the dialog is then made
  // larger by twice that percentage of its size on each side it may grow.
  void Init(CWnd* pDialog, int enlargePercent);
  BOOL IsInitialised() const { return m_initialWidth != -1; }
  // Modes for the horizontal and the vertical edges; null when the anchor is refused.
  DlgAnchor* AddControl(CWnd* pControl, int nHorzMode, int nVertMode);
  // Null when the dialog or control has no window, before Init, or with four zeros.
  DlgAnchor* AddAnchor(CWnd* pControl, int left, int right, int top, int bottom);
  // The dialog's WM_SIZE (forwarded before the default processing).
  void OnSize(UINT nType, int cx, int cy);
  // The dialog's WM_GETMINMAXINFO (forwarded after the default processing).
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI) const;
  // Places every anchored control for a client area of cx by cy and repaints.
  void Resize(int cx, int cy);

  DWORD m_nFlags = 0;

 private:
  void Place(const DlgAnchor& anchor, int dx, int dy) const;

  HWND m_hDialog = nullptr;
  int m_initialWidth = -1;  // client size at initialisation
  int m_initialHeight = 0;
  int m_windowWidth = 0;  // window size at initialisation: the smallest tracking size
  int m_windowHeight = 0;
  std::vector<std::unique_ptr<DlgAnchor>> m_anchors;  // newest first
};
