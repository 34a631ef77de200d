#include "framework/ui/WindowDC.h"

#include "framework/ui/Wnd.h"

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  m_hDC = m_hAttribDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
