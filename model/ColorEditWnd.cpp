#include "model/ColorEditWnd.h"

#include <string>
#include <vector>

#include "framework/core/Codepage.h"

CColorEditWnd::CColorEditWnd() { m_backBrush.CreateSolidBrush(m_backColour); }

CColorEditWnd::~CColorEditWnd() = default;

void CColorEditWnd::SetText(const CString& text) {
  if (!::IsWindow(m_hWnd)) return;
  ::SetWindowTextW(m_hWnd, codepage::ToWide(text.str()).c_str());
}

CString CColorEditWnd::GetText() const {
  if (!::IsWindow(m_hWnd)) return CString();
  const int length = ::GetWindowTextLengthW(m_hWnd);
  if (length <= 0) return CString();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  return CString(codepage::FromWide(buffer.data(), static_cast<size_t>(got > 0 ? got : 0)));
}

BOOL CColorEditWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_CTLCOLOREDIT) return CEdit::OnChildNotify(message, wParam, lParam, pResult);
  HDC dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, m_textColour);
  ::SetBkColor(dc, m_backColour);
  // Made afresh each time, so a colour changed since the last paint shows at once.
  m_backBrush.CreateSolidBrush(m_backColour);
  if (pResult) *pResult = reinterpret_cast<LRESULT>(static_cast<HBRUSH>(m_backBrush));
  return TRUE;
}

bool CColorEditWnd::ForwardEnter(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar != VK_RETURN || !m_forwardEnter) return false;
  HWND parent = ::GetParent(m_hWnd);
  if (parent) ::SendMessageA(parent, WM_KEYDOWN, VK_RETURN, MAKELPARAM(nRepCnt, nFlags));
  return true;
}

void CColorEditWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!ForwardEnter(nChar, nRepCnt, nFlags)) CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CColorEditWnd::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!ForwardEnter(nChar, nRepCnt, nFlags)) CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CColorEditWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!ForwardEnter(nChar, nRepCnt, nFlags)) CEdit::OnChar(nChar, nRepCnt, nFlags);
}
