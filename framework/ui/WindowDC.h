// CWindowDC: the whole window, caption and borders included, given back by the destructor.
#pragma once

#include "framework/ui/DC.h"

class CWnd;

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;
  CWindowDC(CWindowDC&&) = delete;
  HWND m_hWnd;
};
