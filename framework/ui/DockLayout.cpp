#include "framework/ui/DockLayout.h"

#include <algorithm>

#include "framework/ui/ControlBar.h"

DockLayout::DockLayout() {
  m_areas[0].id = AFX_IDW_DOCKBAR_TOP;
  m_areas[0].align = CBRS_ALIGN_TOP;
  m_areas[1].id = AFX_IDW_DOCKBAR_BOTTOM;
  m_areas[1].align = CBRS_ALIGN_BOTTOM;
  m_areas[2].id = AFX_IDW_DOCKBAR_LEFT;
  m_areas[2].align = CBRS_ALIGN_LEFT;
  m_areas[3].id = AFX_IDW_DOCKBAR_RIGHT;
  m_areas[3].align = CBRS_ALIGN_RIGHT;
}

DockLayout::Area* DockLayout::Find(UINT nDockBarID) {
  for (Area& area : m_areas) {
    if (area.id == nDockBarID) return &area;
  }
  return nullptr;
}

const DockLayout::Area* DockLayout::Find(UINT nDockBarID) const {
  return const_cast<DockLayout*>(this)->Find(nDockBarID);
}

void DockLayout::Enable(DWORD dwDockStyle) {
  for (Area& area : m_areas) area.enabled = (dwDockStyle & area.align) != 0;
}

DWORD DockLayout::EnabledAlignment() const {
  DWORD align = 0;
  for (const Area& area : m_areas)
    if (area.enabled) align |= area.align;
  return align;
}

UINT DockLayout::ChooseArea(UINT nDockBarID, DWORD barDockStyle) const {
  if (nDockBarID) return Find(nDockBarID) ? nDockBarID : 0;
  for (const Area& area : m_areas) {
    if (area.enabled && (barDockStyle & area.align)) return area.id;
  }
  return 0;
}

DWORD DockLayout::AreaAlignment(UINT nDockBarID) const {
  const Area* area = Find(nDockBarID);
  return area ? area->align : 0;
}

CRect DockLayout::AreaRect(UINT nDockBarID) const {
  const Area* area = Find(nDockBarID);
  return area ? area->rect : CRect();
}

void DockLayout::Remove(CControlBar* pBar) {
  for (Area& area : m_areas) {
    for (auto& row : area.rows) row.erase(std::remove(row.begin(), row.end(), pBar), row.end());
    area.rows.erase(std::remove_if(area.rows.begin(), area.rows.end(), [](const auto& row) { return row.empty(); }),
                    area.rows.end());
  }
}

void DockLayout::Dock(CControlBar* pBar, UINT nDockBarID, const POINT* pWhere, HWND hWndFrame) {
  Area* target = Find(nDockBarID);
  if (!target) return;
  Remove(pBar);
  const bool horz = (target->align & CBRS_ORIENT_HORZ) != 0;
  if (pWhere) {
    auto placement = [hWndFrame](CControlBar* bar) {
      CRect r;
      ::GetWindowRect(bar->m_hWnd, &r);
      ::MapWindowPoints(nullptr, hWndFrame, reinterpret_cast<LPPOINT>(&r), 2);
      return r;
    };
    for (auto& row : target->rows) {
      CRect rowRect;
      for (CControlBar* bar : row) {
        const CRect r = placement(bar);
        rowRect.UnionRect(&rowRect, &r);
      }
      const bool inRow = horz ? (pWhere->y >= rowRect.top && pWhere->y < rowRect.bottom)
                              : (pWhere->x >= rowRect.left && pWhere->x < rowRect.right);
      if (!inRow) continue;
      auto at = std::find_if(row.begin(), row.end(), [&](CControlBar* bar) {
        const CRect r = placement(bar);
        return horz ? pWhere->x < r.left : pWhere->y < r.top;
      });
      row.insert(at, pBar);
      return;
    }
  }
  target->rows.push_back({pBar});
}

void DockLayout::Layout(const std::vector<CControlBar*>& bars, CRect& remaining) {
  for (CControlBar* bar : bars) {
    if (bar->m_nDockBarID || !bar->IsVisible()) continue;
    const DWORD align = bar->m_dwStyle & CBRS_ALIGN_ANY;
    if (!align) continue;
    const CSize size = bar->CalcFixedLayout(TRUE, (align & CBRS_ORIENT_HORZ) != 0);
    CRect r = remaining;
    if (align & CBRS_ALIGN_TOP) {
      r.bottom = std::min(r.top + size.cy, remaining.bottom);
      remaining.top = r.bottom;
    } else if (align & CBRS_ALIGN_BOTTOM) {
      r.top = std::max(r.bottom - size.cy, remaining.top);
      remaining.bottom = r.top;
    } else if (align & CBRS_ALIGN_LEFT) {
      r.right = std::min(r.left + size.cx, remaining.right);
      remaining.left = r.right;
    } else {
      r.left = std::max(r.right - size.cx, remaining.left);
      remaining.right = r.left;
    }
    bar->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (Area& area : m_areas) LayoutArea(area, remaining);
}

void DockLayout::LayoutArea(Area& area, CRect& remaining) {
  const bool horz = (area.align & CBRS_ORIENT_HORZ) != 0;
  struct Placed {
    CControlBar* bar;
    CSize size;
  };
  std::vector<std::vector<Placed>> rows;
  std::vector<int> thickness;
  // The area's length is known before its thickness: bars that size themselves by it
  // read it while they are asked.
  area.rect = remaining;
  switch (area.align) {
    case CBRS_ALIGN_TOP: area.rect.bottom = area.rect.top; break;
    case CBRS_ALIGN_BOTTOM: area.rect.top = area.rect.bottom; break;
    case CBRS_ALIGN_LEFT: area.rect.right = area.rect.left; break;
    default: area.rect.left = area.rect.right; break;
  }
  for (auto& row : area.rows) {
    std::vector<Placed> placed;
    int rowThickness = 0;
    for (CControlBar* bar : row) {
      if (!bar->IsVisible()) continue;
      const CSize size = (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)
                             ? bar->CalcDynamicLayout(-1, horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK)
                             : bar->CalcFixedLayout(FALSE, horz);
      placed.push_back({bar, size});
      rowThickness = std::max(rowThickness, static_cast<int>(horz ? size.cy : size.cx));
    }
    if (placed.empty()) continue;  // every bar of the row is hidden: the row takes no room
    rows.push_back(std::move(placed));
    thickness.push_back(rowThickness);
  }
  int total = 0;
  for (int t : thickness) total += t;
  total = std::max(std::min(total, static_cast<int>(horz ? remaining.Height() : remaining.Width())), 0);

  CRect rect = remaining;
  switch (area.align) {
    case CBRS_ALIGN_TOP: rect.bottom = rect.top + total; remaining.top += total; break;
    case CBRS_ALIGN_BOTTOM: rect.top = rect.bottom - total; remaining.bottom -= total; break;
    case CBRS_ALIGN_LEFT: rect.right = rect.left + total; remaining.left += total; break;
    default: rect.left = rect.right - total; remaining.right -= total; break;
  }
  area.rect = rect;

  int offset = horz ? rect.top : rect.left;
  for (size_t i = 0; i < rows.size(); ++i) {
    int position = horz ? rect.left : rect.top;
    const int end = horz ? rect.right : rect.bottom;
    for (const Placed& item : rows[i]) {
      const int wanted = horz ? item.size.cx : item.size.cy;
      const int length = std::max(std::min(wanted, end - position), 0);
      const CRect r = horz ? CRect(position, offset, position + length, offset + item.size.cy)
                           : CRect(offset, position, offset + item.size.cx, position + length);
      item.bar->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      position += length;
    }
    offset += thickness[i];
  }
}
