#include "framework/ui/StatusBar.h"

#include <algorithm>

#include "framework/ui/CmdUI.h"
#include "framework/ui/ClientDC.h"
#include "framework/ui/DC.h"
#include "framework/ui/FrameWnd.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

// A pane seen by an update handler: disabled panes show no text.
class CStatusCmdUI : public CCmdUI {
 public:
  explicit CStatusCmdUI(CStatusBar* bar) : m_bar(bar) {}
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    const UINT style = m_bar->GetPaneStyle(static_cast<int>(m_nIndex));
    m_bar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
  }
  void SetCheck(int nCheck) override {
    const UINT style = m_bar->GetPaneStyle(static_cast<int>(m_nIndex));
    m_bar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT));
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(const char* lpszText) override { m_bar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

 private:
  CStatusBar* m_bar;
};

constexpr UINT kDrawStyles = SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW;

}  // namespace

CStatusBar::CStatusBar() { MapMessage(WM_SETTEXT, &CStatusBar::OnSetText); }

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  DWORD ctrlStyle = dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME)) ctrlStyle |= SBARS_SIZEGRIP;
  return CreateBar(STATUSCLASSNAMEA, 0, dwStyle, ctrlStyle, pParentWnd, nID);
}

int CStatusBar::TextWidth(const CString& text) const {
  if (!m_hWnd) return 0;
  CClientDC dc(const_cast<CStatusBar*>(this));
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ old = ::SelectObject(dc.m_hDC, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  const int width = dc.GetTextExtent(text).cx;
  ::SelectObject(dc.m_hDC, old);
  return width;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  m_panes.clear();
  for (int i = 0; i < nIDCount; ++i) {
    Pane pane{lpIDArray ? lpIDArray[i] : ID_SEPARATOR, SBPS_NORMAL, 0, CString()};
    if (pane.id != ID_SEPARATOR) {
      if (!pane.text.LoadString(pane.id)) return FALSE;
      pane.width = TextWidth(pane.text) + 8;
    } else if (i == 0) {
      pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
    }
    m_panes.push_back(pane);
  }
  UpdateParts();
  for (int i = 0; i < GetCount(); ++i) ShowPaneText(i);
  return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_panes[static_cast<size_t>(i)].id == nIDFind) return i;
  }
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return Valid(nIndex) ? m_panes[static_cast<size_t>(nIndex)].id : 0; }

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

CString CStatusBar::GetPaneText(int nIndex) const {
  return Valid(nIndex) ? m_panes[static_cast<size_t>(nIndex)].text : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
  if (!Valid(nIndex)) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  const CString text(lpszNewText);
  if (pane.text == text) return TRUE;
  pane.text = text;
  ShowPaneText(nIndex);
  if (bUpdate && m_hWnd) UpdateWindow();
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (!Valid(nIndex)) return;
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  nID = pane.id;
  nStyle = pane.style;
  cxWidth = pane.width;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (!Valid(nIndex)) return;
  Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  pane.id = nID;
  pane.style = nStyle;
  pane.width = cxWidth;
  UpdateParts();
  ShowPaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
  return Valid(nIndex) ? m_panes[static_cast<size_t>(nIndex)].style : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (!Valid(nIndex) || m_panes[static_cast<size_t>(nIndex)].style == nStyle) return;
  const bool stretchChanged = (m_panes[static_cast<size_t>(nIndex)].style ^ nStyle) & SBPS_STRETCH;
  m_panes[static_cast<size_t>(nIndex)].style = nStyle;
  if (stretchChanged) UpdateParts();
  ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex) {
  if (!m_hWnd || !Valid(nIndex)) return;
  const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
  const char* text = (pane.style & SBPS_DISABLED) ? "" : pane.text.GetString();
  SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | (pane.style & kDrawStyles), reinterpret_cast<LPARAM>(text));
}

void CStatusBar::UpdateParts() {
  if (!m_hWnd || m_panes.empty()) return;
  CRect client;
  GetClientRect(&client);
  int borders[3] = {};
  SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  const int gap = borders[2];
  const int grip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
  int fixed = grip;
  int stretching = -1;
  for (size_t i = 0; i < m_panes.size(); ++i) {
    if ((m_panes[i].style & SBPS_STRETCH) && stretching < 0)
      stretching = static_cast<int>(i);
    else
      fixed += m_panes[i].width;
    fixed += gap;
  }
  std::vector<int> edges;
  int right = 0;
  for (size_t i = 0; i < m_panes.size(); ++i) {
    int width = m_panes[i].width;
    if (static_cast<int>(i) == stretching) width = std::max(width, static_cast<int>(client.Width()) - fixed);
    right += width + gap;
    edges.push_back(right);
  }
  edges.back() = -1;  // the last pane runs to the end
  SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  UpdateParts();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  if (m_panes.empty()) return Default();
  SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
  return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
  if (!m_hWnd) return size;
  CClientDC dc(this);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ old = ::SelectObject(dc.m_hDC, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics = {};
  dc.GetTextMetrics(&metrics);
  ::SelectObject(dc.m_hDC, old);
  int borders[3] = {};
  SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  const int text = std::max(static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading),
                            ::GetSystemMetrics(SM_CYSMICON));
  size.cy += text + 2 * borders[1] + 4;
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state(this);
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (int i = 0; i < GetCount(); ++i) {
    state.m_nID = m_panes[static_cast<size_t>(i)].id;
    if (state.m_nID == ID_SEPARATOR) continue;
    state.m_nIndex = static_cast<UINT>(i);
    state.DoUpdate(pTarget, FALSE);
  }
}
