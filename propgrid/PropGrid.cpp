#include "propgrid/PropGrid.h"

#include <algorithm>

#include "framework/ui/Bitmap.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/DC.h"
#include "framework/ui/PaintDC.h"
#include "propgrid/PropGridItem.h"
#include "propgrid/PropGridItem12.h"

IMPLEMENT_DYNAMIC(CPropGrid, CWnd)

namespace {

void DrawRaisedFrame(HDC dc, const CRect& rect) {
  HPEN white = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  HPEN black = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old = ::SelectObject(dc, white);
  ::MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
  ::LineTo(dc, rect.left, rect.top);
  ::LineTo(dc, rect.right - 1, rect.top);
  ::SelectObject(dc, black);
  ::LineTo(dc, rect.right - 1, rect.bottom - 1);
  ::LineTo(dc, rect.left, rect.bottom - 1);
  ::SelectObject(dc, old);
  ::DeleteObject(white);
  ::DeleteObject(black);
}

}  // namespace

CPropGrid::CPropGrid() : m_backColour(::GetSysColor(COLOR_BTNFACE)) {}

CPropGrid::~CPropGrid() { RemoveAll(); }

HWND CPropGrid::PanelOf(HWND grid) {
  for (HWND at = ::GetParent(grid); at; at = ::GetParent(at)) {
    char name[16] = {};
    ::GetClassNameA(at, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0) return at;
    if (!(::GetWindowLongPtrA(at, GWL_STYLE) & WS_CHILD)) break;
  }
  return ::GetParent(grid);
}

BOOL CPropGrid::CreateGrid(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CPropGrid::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  CRect client;
  GetClientRect(&client);
  if (!m_scrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT,
                          CRect(client.Width() - 20, 5, client.Width() - 5, client.Height() - 5), this,
                          kGridScrollBarId))
    return -1;
  return 0;
}

void CPropGrid::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!m_scrollBar.m_hWnd) return;
  EndEdit();
  m_scrollBar.MoveWindow(cx - 20, 5, 15, cy - 10);
  m_scrollBar.ShowWindow(SW_SHOW);
}

void CPropGrid::OnDestroy() {
  EndEdit();
  CWnd::OnDestroy();
}

void CPropGrid::OnClose() {
  EndEdit();
  CWnd::OnClose();
}

// ---------------------------------------------------------------------------------
// Rows

CPropGridItem* CPropGrid::GetNext(POSITION& pos) const {
  return static_cast<CPropGridItem*>(m_items.GetNext(pos));
}

CPropGridItem* CPropGrid::FindItem(int id) const {
  for (POSITION pos = m_items.GetHeadPosition(); pos;) {
    CPropGridItem* item = GetNext(pos);
    if (item->m_id == id) return item;
  }
  return nullptr;
}

CPropGridItem* CPropGrid::FindItem(const CString& name) const {
  for (POSITION pos = m_items.GetHeadPosition(); pos;) {
    CPropGridItem* item = GetNext(pos);
    if (item->GetName() == name) return item;
  }
  return nullptr;
}

int CPropGrid::AddItemObject(CPropGridItem* item) {
  item->m_grid = this;
  m_items.AddTail(item);
  item->m_id = ++m_count;
  item->m_owned = TRUE;
  item->SetTextColour(m_textColour);
  item->SetBackColour(m_backColour);
  return item->m_id;
}

int CPropGrid::AddItem(const PropertyEntry* entry) {
  CPropGridItem* item = entry->kind == kPropDropList ? new CPropGridItem12 : new CPropGridItem;
  item->SetEntry(entry, -1);
  item->m_id = ++m_count;
  item->m_owned = TRUE;
  item->m_grid = this;
  m_items.AddTail(item);
  return item->m_id;
}

int CPropGrid::AddSimpleItem(const CString& name, int kind, int tag) {
  PropertyEntry entry;
  entry.name = name;
  entry.kind = kind;
  entry.tag = tag;
  entry.openFile = TRUE;
  entry.font.lfHeight = 80;
  entry.font.lfWeight = FW_NORMAL;
  entry.font.lfQuality = PROOF_QUALITY;
  lstrcpynA(entry.font.lfFaceName, "Arial", LF_FACESIZE);
  return AddItem(&entry);
}

BOOL CPropGrid::RemoveItem(int id) {
  for (POSITION pos = m_items.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    CPropGridItem* item = GetNext(pos);
    if (item->m_id != id) continue;
    m_items.RemoveAt(at);
    delete item;
    --m_count;
    return TRUE;
  }
  return FALSE;
}

BOOL CPropGrid::RemoveItemsFrom(int id) {
  BOOL removed = FALSE;
  while (RemoveItem(id++)) removed = TRUE;
  return removed;
}

void CPropGrid::RemoveAll() {
  while (!m_items.IsEmpty()) {
    auto* item = static_cast<CPropGridItem*>(m_items.RemoveHead());
    if (item->m_owned)
      delete item;
    else
      item->CloseEditor();
  }
  m_count = 0;
  m_firstShown = 1;
}

void CPropGrid::EndEdit() {
  for (POSITION pos = m_items.GetHeadPosition(); pos;) GetNext(pos)->OnClick(-1, -1);
}

void CPropGrid::CloseEditors() {
  for (POSITION pos = m_items.GetHeadPosition(); pos;) GetNext(pos)->CloseEditor();
}

BOOL CPropGrid::HasItem(int id) { return FindItem(id) != nullptr; }

BOOL CPropGrid::GetEntry(int id, PropertyEntry* entry, int mode) {
  CPropGridItem* item = FindItem(id);
  return item ? item->GetEntry(entry, mode) : FALSE;
}

BOOL CPropGrid::SetEntry(int id, const PropertyEntry* entry, int mode) {
  CPropGridItem* item = FindItem(id);
  return item ? item->SetEntry(entry, mode) : FALSE;
}

BOOL CPropGrid::SetTag(int id, int tag) {
  CPropGridItem* item = FindItem(id);
  if (!item) return FALSE;
  item->SetTag(tag);
  return TRUE;
}

int CPropGrid::GetTag(int id) {
  CPropGridItem* item = FindItem(id);
  return item ? item->GetTag() : 0;
}

void CPropGrid::SetBackColour(COLORREF colour) {
  m_backColour = colour;
  for (POSITION pos = m_items.GetHeadPosition(); pos;) GetNext(pos)->SetBackColour(colour);
}

void CPropGrid::SetTextColour(COLORREF colour) {
  m_textColour = colour;
  for (POSITION pos = m_items.GetHeadPosition(); pos;) GetNext(pos)->SetTextColour(colour);
}

// The accessors by id and by name: each finds its row and gives 0 when there is none.
namespace {

template <class Key, class Fn>
BOOL WithItem(const CPropGrid& grid, const Key& key, Fn fn) {
  CPropGridItem* item = grid.FindItem(key);
  if (!item) return FALSE;
  fn(*item);
  return TRUE;
}

}  // namespace

BOOL CPropGrid::AddChoice(int id, const CString& choice) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.AddChoice(choice); });
}
BOOL CPropGrid::AddChoice(const CString& name, const CString& choice) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.AddChoice(choice); });
}
BOOL CPropGrid::SetText(int id, const CString& text) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetText(text); });
}
BOOL CPropGrid::SetText(const CString& name, const CString& text) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetText(text); });
}
BOOL CPropGrid::SetReal(int id, double value) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetReal(value); });
}
BOOL CPropGrid::SetReal(const CString& name, double value) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetReal(value); });
}
BOOL CPropGrid::SetNumber(int id, int value) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetNumber(value); });
}
BOOL CPropGrid::SetNumber(const CString& name, int value) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetNumber(value); });
}
BOOL CPropGrid::SetNumber2(int id, int value) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetNumber2(value); });
}
BOOL CPropGrid::SetNumber2(const CString& name, int value) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetNumber2(value); });
}
BOOL CPropGrid::SetFont(int id, LOGFONTA font) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetFont(font); });
}
BOOL CPropGrid::SetFont(const CString& name, LOGFONTA font) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetFont(font); });
}
BOOL CPropGrid::SetColour(int id, COLORREF colour) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetColour(colour); });
}
BOOL CPropGrid::SetColour(const CString& name, COLORREF colour) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetColour(colour); });
}
BOOL CPropGrid::SetFlag(int id, BOOL flag) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.SetFlag(flag); });
}
BOOL CPropGrid::SetFlag(const CString& name, BOOL flag) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.SetFlag(flag); });
}
BOOL CPropGrid::GetRowRect(int id, RECT* rect) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *rect = item.GetRowRect(); });
}
BOOL CPropGrid::GetRowRect(const CString& name, RECT* rect) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *rect = item.GetRowRect(); });
}
BOOL CPropGrid::IsRowVisible(int id) {
  CPropGridItem* item = FindItem(id);
  return item ? item->IsVisible() : FALSE;
}
BOOL CPropGrid::IsRowVisible(const CString& name) {
  CPropGridItem* item = FindItem(name);
  return item ? item->IsVisible() : FALSE;
}
BOOL CPropGrid::GetText(int id, CString* text) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *text = item.GetText(); });
}
BOOL CPropGrid::GetText(const CString& name, CString* text) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *text = item.GetText(); });
}
BOOL CPropGrid::GetColour(int id, int* colour) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *colour = static_cast<int>(item.GetColour()); });
}
BOOL CPropGrid::GetColour(const CString& name, int* colour) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *colour = static_cast<int>(item.GetColour()); });
}
BOOL CPropGrid::GetFont(int id, LOGFONTA* font) {
  return WithItem(*this, id, [&](CPropGridItem& item) { item.GetFont(font); });
}
BOOL CPropGrid::GetFont(const CString& name, LOGFONTA* font) {
  return WithItem(*this, name, [&](CPropGridItem& item) { item.GetFont(font); });
}
BOOL CPropGrid::GetReal(int id, double* value) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *value = item.GetReal(); });
}
BOOL CPropGrid::GetReal(const CString& name, double* value) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *value = item.GetReal(); });
}
BOOL CPropGrid::GetNumber(int id, int* value) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *value = item.GetNumber(); });
}
BOOL CPropGrid::GetNumber(const CString& name, int* value) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *value = item.GetNumber(); });
}
BOOL CPropGrid::GetNumber2(int id, int* value) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *value = item.GetNumber2(); });
}
BOOL CPropGrid::GetNumber2(const CString& name, int* value) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *value = item.GetNumber2(); });
}
BOOL CPropGrid::GetFlag(int id, int* flag) {
  return WithItem(*this, id, [&](CPropGridItem& item) { *flag = item.GetFlag(); });
}
BOOL CPropGrid::GetFlag(const CString& name, int* flag) {
  return WithItem(*this, name, [&](CPropGridItem& item) { *flag = item.GetFlag(); });
}
BOOL CPropGrid::GetSelIndex(int id, int* index) {
  CPropGridItem* item = FindItem(id);
  if (!item || item->GetKind() != kPropChoice) return FALSE;
  *index = item->GetSelIndex();
  return TRUE;
}
BOOL CPropGrid::GetSelIndex(const CString& name, int* index) {
  CPropGridItem* item = FindItem(name);
  if (!item || item->GetKind() != kPropChoice) return FALSE;
  *index = item->GetSelIndex();
  return TRUE;
}

// ---------------------------------------------------------------------------------
// Painting, scrolling and clicks

void CPropGrid::OnPaint() {
  CPaintDC dc(this);
  PaintRows(&dc);
}

void CPropGrid::PaintRows(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  if (dc->IsPrinting()) {
    DrawRows(dc, client);
    return;
  }
  CRect clip;
  dc->GetClipBox(&clip);
  if (clip.IsRectEmpty()) clip = client;
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(dc) || !bitmap.CreateCompatibleBitmap(dc, clip.Width(), clip.Height())) {
    DrawRows(dc, client);
    return;
  }
  HGDIOBJ old = ::SelectObject(memory.m_hDC, bitmap.GetSafeHandle());
  ::SetWindowOrgEx(memory.m_hDC, clip.left, clip.top, nullptr);
  DrawRows(&memory, client);
  ::BitBlt(dc->m_hDC, clip.left, clip.top, clip.Width(), clip.Height(), memory.m_hDC, clip.left, clip.top, SRCCOPY);
  ::SelectObject(memory.m_hDC, old);
}

void CPropGrid::DrawRows(CDC* dc, const CRect& client) {
  HBRUSH back = ::CreateSolidBrush(m_backColour);
  ::FillRect(dc->m_hDC, &client, back);
  ::DeleteObject(back);
  DrawRaisedFrame(dc->m_hDC, client);
  CRect inner = client;
  inner.DeflateRect(1, 1);
  DrawRaisedFrame(dc->m_hDC, inner);

  for (POSITION pos = m_items.GetHeadPosition(); pos;) GetNext(pos)->m_visible = FALSE;
  m_drawnCount = 0;
  int y = 6;
  for (POSITION pos = m_items.GetHeadPosition(); pos;) {
    CPropGridItem* item = GetNext(pos);
    if (item->m_id < m_firstShown) continue;
    item->SetRowRect(CRect(8, y, client.Width() - 6, y + kGridRowHeight));
    if (y + 15 < client.Height()) {
      item->Draw(dc);
      item->m_visible = TRUE;
      ++m_drawnCount;
    }
    y += kGridRowHeight;
  }

  if (!m_scrollBar.m_hWnd) return;
  if (m_drawnCount >= m_items.GetCount()) {
    m_scrollBar.ShowWindow(SW_HIDE);
    return;
  }
  const int count = m_items.GetCount();
  m_scrollBar.SetScrollRange(1, count, FALSE);
  int position = m_firstShown + m_drawnCount / 2;
  if (m_firstShown == 1)
    position = 1;
  else if (m_firstShown == count - m_drawnCount + 1)
    position = count;
  m_scrollBar.SetScrollPos(position);
  m_scrollBar.EnableWindow(TRUE);
  m_scrollBar.ShowWindow(SW_SHOW);
}

void CPropGrid::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
  const int count = m_items.GetCount();
  const int last = std::max(1, count - m_drawnCount + 1);
  int first = m_firstShown;
  switch (nSBCode) {
    case SB_LINEUP: first = std::max(1, first - 1); break;
    case SB_LINEDOWN: first = std::min(last, first + 1); break;
    case SB_PAGEUP: first = std::max(1, first - m_drawnCount + 1); break;
    case SB_PAGEDOWN: first = std::min(last, first + m_drawnCount - 1); break;
    case SB_TOP: first = 1; break;
    case SB_BOTTOM: first = last; break;
    default: break;  // the thumb does not scroll
  }
  m_firstShown = first;
  m_scrollBar.ShowWindow(SW_HIDE);
  CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
  {
    CClientDC dc(this);
    PaintRows(&dc);
  }
  m_scrollBar.ShowWindow(SW_SHOW);
}

void CPropGrid::OnLButtonDown(UINT nFlags, CPoint point) {
  for (POSITION pos = m_items.GetHeadPosition(); pos;) GetNext(pos)->OnClick(point.x, point.y);
  CWnd::OnLButtonDown(nFlags, point);
}
