// CClientDC: the client area of a window, from GetDC, given back by the destructor.
#pragma once

#include "framework/ui/DC.h"

class CWnd;

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;
  CClientDC(CClientDC&&) = delete;
  HWND m_hWnd;
};
