// CPaintDC: painting in WM_PAINT, BeginPaint in the constructor, EndPaint in the destructor.
#pragma once

#include "framework/ui/DC.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  CPaintDC(CPaintDC&&) = delete;
  HWND m_hWnd;
  PAINTSTRUCT m_ps;
};
