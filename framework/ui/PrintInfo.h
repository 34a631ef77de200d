// CPrintInfo: the state of one print job, handed to a view's printing overrides.
#pragma once

#include "framework/core/Rect.h"
#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CPrintInfo {
 public:
  CPrintInfo() = default;

  void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
  void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }
  UINT GetFromPage() const { return m_nFromPage; }
  UINT GetToPage() const { return m_nToPage; }

  BOOL m_bPreview = FALSE;
  BOOL m_bDirect = FALSE;     // print without asking for the printer
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  CString m_strPageDesc;
  CRect m_rectDraw;           // the printable area of the current page, in logical units
  LPVOID m_lpUserData = nullptr;
  HDC m_hPrinterDC = nullptr;  // the printer chosen (owned by the print job)

 private:
  friend class CView;
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;
  UINT m_nFromPage = 1;
  UINT m_nToPage = 0xFFFF;
};
