// The page view's commands that work with the media gallery: writing the last selected
// object into a component library, and choosing the folder or library of a tab.
#include <algorithm>

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/FolderDialog.h"
#include "editor/MainFrame.h"
#include "editor/panels/GalleryPanel.h"
#include "editor/panels/LibOutputDlg.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/FileDialog.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"

void CDrawView::MapGalleryCommands() {
  MapCommand(ID_EXPORT_COMPONENT, &CDrawView::OnExportComponent);
  MapUpdateCommandUI(ID_EXPORT_COMPONENT, &CDrawView::OnUpdateExportComponent);
  MapCommand(ID_WORKSPACE_SETTINGS, &CDrawView::OnWorkspaceSettings);
}

void CDrawView::OnUpdateExportComponent(CCmdUI* pCmdUI) {
  CDrawObj* last = GetLastSelected();
  pCmdUI->Enable(!Running() && last && last->CanExport());
}

void CDrawView::OnExportComponent() {
  CDrawObj* object = GetLastSelected();
  if (!object || !object->CanExport() || Running()) return;
  // Components are kept with their corner near the origin, clear of their pen.
  const CRect former = object->m_position;
  const LONG a = std::max<LONG>((object->m_pen.lopnWidth.x + 1) / 2, 4);
  const LONG b = std::max<LONG>((object->m_pen.lopnWidth.y + 1) / 2, 4);
  CRect moved = former;
  moved.OffsetRect(a - std::min(former.left, former.right), b - std::min(former.top, former.bottom));
  object->SetRect(moved, this);
  if (CDrawObj* clone = object->Clone(nullptr)) {
    CLibOutputDlg dialog(this);
    dialog.m_lib.AddObject(clone);
    CMainFrame* frame = Frame();
    if (dialog.DoModal() == IDOK && frame && frame->m_wndGalleryPanel.m_hWnd) {
      CGalleryPanel& gallery = frame->m_wndGalleryPanel;
      gallery.FillTab(CWndImage::kComponents);
      CWndImage& window = gallery.GetWindow(CWndImage::kComponents);
      window.m_bDirty = TRUE;
      window.UpdateScrollBar();
      window.Invalidate(TRUE);
      gallery.Invalidate(TRUE);
    }
  }
  object->SetRect(former, this);
}

void CDrawView::OnWorkspaceSettings() {
  CDrawApp* app = GetDrawApp();
  CMainFrame* frame = Frame();
  if (!app || !frame || !frame->m_wndGalleryPanel.m_hWnd) return;
  app->LoadSettings(0);
  CGalleryPanel& gallery = frame->m_wndGalleryPanel;
  const int tab = gallery.GetCurrentTab();
  if (tab < 0 || tab >= CWndImage::kKinds) return;
  if (tab < CWndImage::kComponents) {
    CString* const folders[] = {&app->m_strShapesFolder, &app->m_strPicturesFolder, &app->m_strSoundsFolder,
                                &app->m_strVideoFolder};
    const CString start = *folders[tab];
    CString folder = start;
    CFolderDialog dialog(&folder, this);
    dialog.m_ofn.lpstrInitialDir = start;
    if (dialog.DoModal() != IDOK) return;
    *folders[tab] = folder;
  } else {
    CString title, filter;
    title.LoadString(IDS_LIB_FILE_TITLE);
    filter.LoadString(IDS_LIB_FILE_FILTER);
    const CString current = app->m_strComponentLibrary;
    CFileDialog dialog(TRUE, nullptr, current, OFN_HIDEREADONLY, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    CString lower = current, initialFolder;
    lower.MakeLower();
    if (current.GetLength() > 4 && lower.Right(4) == ".lib") {
      initialFolder = current.Left(std::max(0, current.ReverseFind('\\')));
      dialog.m_ofn.lpstrInitialDir = initialFolder;
    }
    if (dialog.DoModal() != IDOK) return;
    app->m_strComponentLibrary = dialog.GetPathName();
  }
  gallery.FillTab(tab);
  CWndImage& window = gallery.GetWindow(tab);
  window.m_bDirty = TRUE;
  window.UpdateScrollBar();
  window.Invalidate(TRUE);
  gallery.Invalidate(TRUE);
  app->SaveSettings(0);
}
