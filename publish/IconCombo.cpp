#include "publish/IconCombo.h"

#include "framework/core/Module.h"
#include "framework/ui/Brush.h"
#include "framework/ui/DC.h"
#include "framework/ui/Pen.h"

CIconCombo::CIconCombo() : m_cxIcon(::GetSystemMetrics(SM_CXICON)), m_cyIcon(::GetSystemMetrics(SM_CXICON)) {}

HICON CIconCombo::LoadResourceIcon(UINT nIconID) {
  return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIconID));
}

int CIconCombo::AddIcon(UINT nIconID) { return InsertIcon(-1, nIconID); }

int CIconCombo::InsertIcon(int nIndex, UINT nIconID) {
  HICON icon = LoadResourceIcon(nIconID);
  if (!icon) return -1;
  CString text;
  text.Format("%d", static_cast<int>(nIconID));
  const int index = InsertString(nIndex, text);
  if (index >= 0) SetItemData(index, reinterpret_cast<DWORD_PTR>(icon));
  return index;
}

void CIconCombo::SelectIcon(LPCSTR idText) {
  const int index = FindStringExact(-1, idText);
  if (index != CB_ERR)
    SetCurSel(index);
  else if (GetCount() > 0)
    SetCurSel(0);
}

void CIconCombo::DeleteIcon(LPCSTR idText) {
  const int index = FindStringExact(-1, idText);
  if (index != CB_ERR) DeleteString(static_cast<UINT>(index));
}

void CIconCombo::DrawIconItem(LPDRAWITEMSTRUCT lpDIS, BOOL) {
  if (GetCurSel() == CB_ERR || GetCount() == 0 || lpDIS->itemID == static_cast<UINT>(-1)) return;
  HICON icon = reinterpret_cast<HICON>(GetItemData(static_cast<int>(lpDIS->itemID)));
  if (!icon || reinterpret_cast<LRESULT>(icon) == CB_ERR) return;
  const RECT& r = lpDIS->rcItem;
  const int x = r.left + (r.right - r.left) / 2 - m_cxIcon / 2;
  const int y = r.top + (r.bottom - r.top) / 2 - m_cyIcon / 2;
  ::DrawIcon(lpDIS->hDC, x, y, icon);
}

void CIconCombo::FillItem(CDC& dc, const RECT& rect, COLORREF colour) {
  CBrush brush(colour);
  CPen pen(PS_SOLID, 1, colour);
  CBrush* oldBrush = dc.SelectObject(&brush);
  CPen* oldPen = dc.SelectObject(&pen);
  dc.Rectangle(&rect);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

void CIconCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC dc(lpDIS->hDC);
  if (!IsWindowEnabled()) {
    FillItem(dc, lpDIS->rcItem, RGB(192, 192, 192));
    DrawIconItem(lpDIS, FALSE);
  } else if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    const BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    FillItem(dc, lpDIS->rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkColor(::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    DrawIconItem(lpDIS, selected);
  }
  if (lpDIS->itemAction & ODA_FOCUS) ::DrawFocusRect(lpDIS->hDC, &lpDIS->rcItem);
  dc.Detach();  // the DC belongs to the control
}

void CIconCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) { lpMIS->itemHeight = static_cast<UINT>(m_cyIcon + 2); }

void CIconCombo::PreSubclassWindow() {
  SetItemHeight(-1, static_cast<UINT>(m_cyIcon + 2));
  SetItemHeight(0, static_cast<UINT>(m_cyIcon + 2));
}
