// CFontDialog: the system's font dialog, through the modal sink. The chosen font and
// colour are read from m_lf and m_cf.rgbColors after IDOK.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/ui/Dialog.h"

class CFontDialog : public CDialog {
 public:
  // lplfInitial may be null (the system's default font); dwFlags are CF_ flags, to
  // which CF_INITTOLOGFONTSTRUCT is added when an initial font is given.
  explicit CFontDialog(const LOGFONTA* lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                       CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cf.rgbColors; }
  void GetCurrentFont(LOGFONTA* lplf) const { *lplf = m_lf; }

  CHOOSEFONTA m_cf = {};
  LOGFONTA m_lf = {};
};
