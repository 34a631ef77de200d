#include "framework/ui/WindowDC.h"

#include "framework/ui/Wnd.h"

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  m_hDC = m_hAttribDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::CWindowDC(CWnd* pWnd, BOOL bAllowLockUpdate) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  const DWORD flags = DCX_WINDOW | DCX_CACHE | (bAllowLockUpdate ? DCX_LOCKWINDOWUPDATE : 0);
  m_hDC = m_hAttribDC = ::GetDCEx(m_hWnd, nullptr, flags);
}

CWindowDC::~CWindowDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
