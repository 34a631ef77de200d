// CColorDialog: the system's colour dialog, through the modal sink. The chosen colour
// is GetColor() after IDOK.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/ui/Dialog.h"

class CColorDialog : public CDialog {
 public:
  // clrInit starts the dialog on that colour (CC_RGBINIT is added).
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }

  CHOOSECOLORA m_cc = {};

 private:
  COLORREF m_customColours[16];
};
