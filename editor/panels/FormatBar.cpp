#include "editor/panels/FormatBar.h"

#include <cstring>

#include "framework/ui/ClientDC.h"
#include "framework/ui/FrameWnd.h"
#include "resources/KordelIds.h"

IMPLEMENT_DYNAMIC(CFormatBar, CToolBar)

namespace {

constexpr int kMinListSize = 20;
constexpr int kMaxListSize = 32760;

}  // namespace

CFormatBar::CFormatBar() {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm = {};
  ::GetTextMetricsA(screen, &tm);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  m_cxAvgChar = tm.tmAveCharWidth;
  m_cyFont = tm.tmHeight;
  m_comboFontName.m_nItemHeight = m_cyFont;

  MapControl(CBN_SELCHANGE, IDC_FONTNAME, &CFormatBar::OnFontNameSelChange);
  MapControl(CBN_SELCHANGE, IDC_FONTSIZE, &CFormatBar::OnFontSizeSelChange);
  MapControl(CBN_DROPDOWN, IDC_FONTSIZE, &CFormatBar::OnFontSizeDropDown);
}

int CFormatBar::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CToolBar::OnCreate(lpCreateStruct) == -1) return -1;
  const CRect nameRect(0, 0, m_cxAvgChar * 128 / 5, 200);
  if (!m_comboFontName.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_OWNERDRAWFIXED |
                                  CBS_HASSTRINGS | CBS_SORT | CBS_AUTOHSCROLL,
                              nameRect, this, IDC_FONTNAME))
    return -1;
  m_comboFontName.LimitText(LF_FACESIZE);
  const CRect sizeRect(0, 0, m_cxAvgChar * 10, 200);
  if (!m_comboFontSize.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, sizeRect, this, IDC_FONTSIZE))
    return -1;
  m_comboFontSize.LimitText(4);

  CClientDC dc(this);
  HGDIOBJ old = dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
  m_comboFontName.FillFontList(&dc, DEFAULT_CHARSET);
  dc.SelectObject(old);
  return 0;
}

void CFormatBar::PositionCombos() {
  m_comboFontName.SetItemHeight(-1, static_cast<UINT>(m_comboFontSize.GetItemHeight(-1)));
  struct Place {
    CFormatCombo* combo;
    int index;
    UINT id;
  };
  for (const Place& place : {Place{&m_comboFontName, 0, IDC_FONTNAME}, Place{&m_comboFontSize, 2, IDC_FONTSIZE}}) {
    CRect combo;
    place.combo->GetWindowRect(&combo);
    SetButtonInfo(place.index, place.id, TBBS_SEPARATOR, combo.Width());
    CRect item;
    GetItemRect(place.index, &item);
    place.combo->SetWindowPos(nullptr, item.left, (item.Height() - combo.Height()) / 2 + item.top, 0, 0,
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOCOPYBITS);
  }
}

BOOL CFormatBar::CreateColorButton(COLORREF colour) {
  GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  SendMessage(TB_GETBUTTONINFOA, ID_TEXT_COLOUR, reinterpret_cast<LPARAM>(&info));
  info.fsStyle |= BTNS_DROPDOWN;
  SendMessage(TB_SETBUTTONINFOA, ID_TEXT_COLOUR, reinterpret_cast<LPARAM>(&info));
  return m_textColourRect.Create(ID_TEXT_COLOUR, colour, WS_CHILD | WS_VISIBLE, this, CColorRect::kControlId);
}

CWnd* CFormatBar::NotifyTarget() const {
  if (m_hWndOwner) return GetOwner();
  // A floating bar's parent is its small frame: the frame it belongs to stays the owner.
  if (m_pDockSite) return m_pDockSite;
  return GetParent();
}

void CFormatBar::SendCharFormat(UINT nCode, CharFormatNotify& notify) {
  notify.hdr.hwndFrom = m_hWnd;
  notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  notify.hdr.code = nCode;
  if (CWnd* owner = NotifyTarget())
    owner->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void CFormatBar::ApplyFormat(CHARFORMATA& cf) {
  CharFormatNotify notify = {};
  notify.cf = cf;
  notify.cf.cbSize = sizeof(CHARFORMATA);
  SendCharFormat(kFormatSetCharFormat, notify);
}

void CFormatBar::NotifyOwner(UINT nCode) {
  if (nCode == static_cast<UINT>(NM_RETURN)) {
    const int twips = m_comboFontSize.GetTwipSize();
    if (twips > 0) {
      CHARFORMATA cf = {};
      cf.dwMask = CFM_SIZE;
      cf.yHeight = twips;
      ApplyFormat(cf);
    }
    return;
  }
  NMHDR header = {m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), nCode};
  if (CWnd* owner = NotifyTarget()) owner->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CFormatBar::SyncFromSelection() {
  CharFormatNotify notify = {};
  notify.cf.cbSize = sizeof(CHARFORMATA);
  SendCharFormat(kFormatGetCharFormat, notify);
  CHARFORMATA& cf = notify.cf;
  cf.szFaceName[LF_FACESIZE - 1] = '\0';  // the owner's answer need not end in the field

  constexpr DWORD kFaceMask = CFM_FACE | CFM_CHARSET;
  if ((cf.dwMask & kFaceMask) == kFaceMask) {
    // Showing the selection does not apply the shown face back: a face the list stands
    // in for would rewrite the object's own face and mark its page modified.
    m_comboFontName.MatchFont(cf.szFaceName, cf.bCharSet);
  } else {
    m_comboFontName.SetEditText("");
  }

  m_comboFontSize.SetTwipSize((cf.dwMask & CFM_SIZE) ? cf.yHeight : -1);
  const int twips = m_comboFontSize.GetTwipSize();
  if (twips == -1) {
    m_comboFontSize.SetEditText("");
  } else {
    CString points;
    points.Format("%d", twips / 20);
    m_comboFontSize.SetTheText(points);
  }
}

void CFormatBar::CopyFaceName(char (&face)[LF_FACESIZE], LPCSTR text) {
  size_t length = 0;
  const size_t limit = LF_FACESIZE - 1;
  while (text && text[length]) {
    const size_t step = (::IsDBCSLeadByte(static_cast<BYTE>(text[length])) && text[length + 1]) ? 2 : 1;
    if (length + step > limit) break;
    length += step;
  }
  memcpy(face, text, length);
  memset(face + length, 0, LF_FACESIZE - length);
}

void CFormatBar::OnFontNameSelChange() {
  CString text = m_comboFontName.GetTheText();
  m_comboFontName.SetTheText(text);
  text = m_comboFontName.GetTheText();
  if (text.IsEmpty()) return;
  CHARFORMATA cf = {};
  cf.dwMask = CFM_FACE | CFM_CHARSET;
  const int index = m_comboFontName.FindStringExact(-1, text);
  const CFontDesc* desc = index != CB_ERR ? m_comboFontName.GetDesc(index) : nullptr;
  if (desc) {
    CopyFaceName(cf.szFaceName, desc->m_strName);
    cf.bCharSet = desc->m_nCharSet;
    cf.bPitchAndFamily = desc->m_nPitchAndFamily;
  } else {
    CopyFaceName(cf.szFaceName, text);
    cf.bCharSet = GB2312_CHARSET;
    cf.bPitchAndFamily = 0;
  }
  ApplyFormat(cf);
}

void CFormatBar::OnFontSizeSelChange() {
  const int twips = m_comboFontSize.GetTwipSize();
  if (twips < kMinListSize || twips > kMaxListSize) return;
  CHARFORMATA cf = {};
  cf.dwMask = CFM_SIZE;
  cf.yHeight = twips;
  ApplyFormat(cf);
}

void CFormatBar::OnFontSizeDropDown() {
  const int index = m_comboFontName.FindStringExact(-1, m_comboFontName.GetTheText());
  const CFontDesc* desc = index != CB_ERR ? m_comboFontName.GetDesc(index) : nullptr;
  int twips = m_comboFontSize.GetTwipSize();
  if (twips == -2 || (twips >= 0 && twips < kMinListSize) || twips > kMaxListSize)
    twips = m_comboFontSize.m_nTwipsLast;
  CClientDC screen(nullptr);
  m_comboFontSize.EnumFontSizes(screen, desc ? desc->m_strName.GetString() : "");
  m_comboFontSize.SetTwipSize(twips);
}
