#include "framework/ui/FontDialog.h"

#include "framework/ui/ModalSink.h"

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, CWnd* pParentWnd) : CDialog(0, pParentWnd) {
  m_cf.lStructSize = sizeof m_cf;
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags = dwFlags;
  if (lplfInitial) {
    m_lf = *lplfInitial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
}

INT_PTR CFontDialog::DoModal() {
  ModalCall call;
  call.kind = ModalCall::fontDialog;
  call.font = m_lf;
  call.colour = m_cf.rgbColors;
  call.window = this;
  bool shown = false;
  call.show = [this, &shown]() -> INT_PTR {
    shown = true;
    m_cf.hwndOwner = GetSafeOwner(m_pParentWnd);
    m_cf.lpLogFont = &m_lf;
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
  };
  const INT_PTR result = AfxRunModal(call);
  if (result == IDOK && !shown) {
    m_lf = call.font;
    m_cf.rgbColors = call.colour;
  }
  return result;
}
