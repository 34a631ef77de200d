#include "framework/ui/ColorDialog.h"

#include <algorithm>

#include "framework/ui/ModalSink.h"

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CDialog(0, pParentWnd) {
  std::fill(std::begin(m_customColours), std::end(m_customColours), RGB(255, 255, 255));
  m_cc.lStructSize = sizeof m_cc;
  m_cc.rgbResult = clrInit;
  m_cc.lpCustColors = m_customColours;
  m_cc.Flags = dwFlags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
  ModalCall call;
  call.kind = ModalCall::colourDialog;
  call.colour = m_cc.rgbResult;
  call.window = this;
  bool shown = false;
  call.show = [this, &shown]() -> INT_PTR {
    shown = true;
    m_cc.hwndOwner = GetSafeOwner(m_pParentWnd);
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
  };
  const INT_PTR result = AfxRunModal(call);
  if (result == IDOK && !shown) m_cc.rgbResult = call.colour;
  return result;
}
