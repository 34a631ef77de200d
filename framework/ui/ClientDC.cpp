#include "framework/ui/ClientDC.h"

#include "framework/ui/Wnd.h"

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
