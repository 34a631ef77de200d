#include "model/ColorEditWnd.h"

#include <string>
#include <vector>

#include "framework/core/Codepage.h"

CColorEditWnd::CColorEditWnd() {
  m_backBrush.CreateSolidBrush(m_backColour);
  MapMessage(kColorMessage, &CColorEditWnd::OnColorMessage);
}

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
  const HBRUSH brush = PaintColours(reinterpret_cast<HDC>(wParam));
  if (pResult) *pResult = reinterpret_cast<LRESULT>(brush);
  return TRUE;
}

LRESULT CColorEditWnd::OnColorMessage(WPARAM wParam, LPARAM) {
  return reinterpret_cast<LRESULT>(PaintColours(reinterpret_cast<HDC>(wParam)));
}

HBRUSH CColorEditWnd::PaintColours(HDC dc) {
  ::SetTextColor(dc, m_textColour);
  ::SetBkColor(dc, m_backColour);
  m_backBrush.CreateSolidBrush(m_backColour);
  return m_backBrush;
}

bool CColorEditWnd::ForwardEnter(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar != VK_RETURN || !m_forwardEnter) return false;
  // The key goes on as it came, once down and once up; its character only must not
  // reach the text, nor fire the events a second time.
  HWND parent = ::GetParent(m_hWnd);
  if (parent && message != WM_CHAR) ::SendMessageA(parent, message, VK_RETURN, MAKELPARAM(nRepCnt, nFlags));
  return true;
}

void CColorEditWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!ForwardEnter(WM_KEYDOWN, nChar, nRepCnt, nFlags)) CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CColorEditWnd::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!ForwardEnter(WM_KEYUP, nChar, nRepCnt, nFlags)) CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CColorEditWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!ForwardEnter(WM_CHAR, nChar, nRepCnt, nFlags)) CEdit::OnChar(nChar, nRepCnt, nFlags);
}
