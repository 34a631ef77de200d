// CGalleryPanel: the docked panel from which the author takes media into the page. Five
// bottom tabs, each with a thumbnail window: shapes (metafiles), pictures, sounds and
// video list the files of one folder each, components the objects of one component
// library. Folders and library come from the editor's settings; the panel is filled
// when it is made and again whenever a command changes a folder or the library.
#pragma once

#include "editor/panels/ResizableDialog.h"
#include "editor/panels/WndImage.h"
#include "framework/core/String.h"
#include "framework/ui/TabCtrl.h"

class CGalleryPanel : public CResizableDialog {
 public:
  CGalleryPanel();

  BOOL OnInitDialog() override;
  // Refills the window of the kind (0 to 4) from its folder or library and marks it for
  // repainting; another kind does nothing. A library that cannot be read is reported
  // and leaves the components tab empty.
  void FillTab(int kind);
  // The files of the folder matching the patterns, in pattern order, appended to the
  // kind's window (emptied first); directories are left out. The number added.
  int ScanFolder(int kind, const CString& folder, const char* const* patterns, int count);
  CWndImage& GetWindow(int kind) { return m_windows[kind]; }
  // The thumbnail windows' resize handling, off during a test run.
  void SetWindowsEnabled(BOOL flag) {
    for (CWndImage& window : m_windows) window.SetEnabledFlag(flag);
  }
  // The tab shown now (0 shapes ... 4 components).
  int GetCurrentTab() const { return m_tab.m_hWnd ? m_tab.GetCurSel() : 0; }

  CTabCtrl m_tab;
  CWndImage m_windows[CWndImage::kKinds];

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnContextMenu(CWnd* pWnd, CPoint pos) override;

 private:
  void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
  void SetTabText(int tab, const CString& text);
};
