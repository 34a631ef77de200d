// CWindowDC: the whole window, caption and borders included, given back by the destructor.
#pragma once

#include "framework/ui/DC.h"

class CWnd;

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* pWnd);
  // bAllowLockUpdate: drawing still reaches the window while LockWindowUpdate holds it
  // (a tracking rectangle drawn over a frame whose updates are locked).
  CWindowDC(CWnd* pWnd, BOOL bAllowLockUpdate);
  ~CWindowDC() override;
  CWindowDC(CWindowDC&&) = delete;
  HWND m_hWnd;
};
