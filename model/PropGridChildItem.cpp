#include "model/PropGridChildItem.h"

#include "framework/ui/ClientDC.h"
#include "framework/ui/DC.h"
#include "model/DrawHost.h"
#include "propgrid/PropGrid.h"
#include "resources/ModelStrings.h"

IMPLEMENT_DYNAMIC(CPropGridChildItem, CPropGridItem)

namespace {

CString PickCaption() {
  CString caption;
  caption.LoadString(IDS_GRID_PICK_POINT);
  return caption;
}

}  // namespace

void CPropGridChildItem::OnPickButton() {
  if (CDrawHost* host = GetDrawHost()) host->BeginPickPoint();
}

void CPropGridChildItem::Draw(CDC* dc) {
  const CRect& row = m_rowRect;
  LOGFONTA font;
  GetDisplayFont(&font);
  FontScope scope(dc, font);
  const int split = DrawName(dc, row.top + 5);
  m_valueRect.SetRect(split, row.top + 1, row.right - 65, row.bottom);
  m_buttonRect.SetRect(row.right - 65, row.top + 1, row.right - 15, row.bottom);
  DrawValueText(dc, m_valueRect);
  DrawSplitLine(dc, split);
  DrawButton(dc, m_buttonRect, PickCaption(), CPoint(row.right - 63, row.top + 4), false);
}
