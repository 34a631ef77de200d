#include "editor/panels/HoverTabCtrl.h"

#include "framework/ui/PropertyPage.h"

CHoverTabCtrl::CHoverTabCtrl() {
  MapReflectedNotify(TCN_SELCHANGING, &CHoverTabCtrl::OnSelChanging);
  MapReflectedNotify(TCN_SELCHANGE, &CHoverTabCtrl::OnSelChange);
}

void CHoverTabCtrl::PreSubclassWindow() { ModifyStyle(0, TCS_OWNERDRAWFIXED); }

void CHoverTabCtrl::AddTab(CWnd* page, LPCSTR caption, int image) {
  const int index = GetItemCount();
  InsertItem(index, caption, image, reinterpret_cast<LPARAM>(page));
  m_tabs.push_back({page, TRUE});
  if (!page || !page->m_hWnd) return;
  page->SetWindowPos(nullptr, kPageLeft, kPageTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  page->ShowWindow(index == 0 ? SW_SHOW : SW_HIDE);
}

void CHoverTabCtrl::EnableTab(int index, BOOL enable) {
  if (index >= 0 && index < static_cast<int>(m_tabs.size())) m_tabs[index].enabled = enable;
}

CWnd* CHoverTabCtrl::GetPage(int index) const {
  return index >= 0 && index < static_cast<int>(m_tabs.size()) ? m_tabs[index].page : nullptr;
}

void CHoverTabCtrl::OnSelChanging(NMHDR*, LRESULT* result) {
  m_previous = GetCurSel();
  // A page whose typed values do not validate keeps the focus (it said why).
  CWnd* page = m_previous >= 0 && m_previous < static_cast<int>(m_tabs.size()) ? m_tabs[m_previous].page : nullptr;
  auto* propertyPage = dynamic_cast<CPropertyPage*>(page);
  *result = propertyPage && propertyPage->m_hWnd && !propertyPage->OnKillActive() ? TRUE : 0;
}

void CHoverTabCtrl::OnSelChange(NMHDR*, LRESULT* result) {
  *result = 0;
  const int current = GetCurSel();
  if (current < 0 || current >= static_cast<int>(m_tabs.size())) return;
  if (!m_tabs[current].enabled) {
    SetCurSel(m_previous);
    return;
  }
  if (CWnd* before = GetPage(m_previous); before && before->m_hWnd && m_previous != current)
    before->ShowWindow(SW_HIDE);
  if (CWnd* page = m_tabs[current].page; page && page->m_hWnd) page->ShowWindow(SW_SHOW);
}

BOOL CHoverTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CTabCtrl::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  *pResult = TRUE;
  return TRUE;
}

void CHoverTabCtrl::DrawItem(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT rect = item->rcItem;
  ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
  char text[64] = {};
  TCITEMA tab = {};
  tab.mask = TCIF_TEXT | TCIF_IMAGE;
  tab.pszText = text;
  tab.cchTextMax = sizeof text;
  if (!GetItem(static_cast<int>(item->itemID), &tab)) return;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST));
  if (images && tab.iImage >= 0) {
    SIZE blank = {};
    ::GetTextExtentPoint32A(dc, " ", 1, &blank);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    ImageList_Draw(images, tab.iImage, dc, rect.left + blank.cx, (rect.top + rect.bottom - cy) / 2, ILD_TRANSPARENT);
    rect.left += blank.cx + cx;
  }
  ::DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}
