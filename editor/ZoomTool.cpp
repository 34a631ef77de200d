#include "editor/ZoomTool.h"

#include "editor/DrawView.h"

int CZoomTool::s_zoomPickerEntry = 0;

void CZoomTool::OnLButtonDown(CDrawView* view, UINT, const CPoint&) {
  switch (s_zoomPickerEntry) {
    case 0: view->SetZoomMode(1); break;
    case 1: view->SetZoomMode(2); break;
    case 2: view->SetZoomMode(0); break;
    default: break;
  }
}

void CZoomTool::OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point) { view->OnZoomClick(flags, point); }
