#include "framework/ui/OleException.h"

#include <ole2.h>

#include "framework/core/FrameworkStrings.h"

CString COleException::GetErrorMessage() const {
  if (m_sc == CLIPBRD_E_CANT_OPEN || m_sc == CLIPBRD_E_CANT_EMPTY || m_sc == CLIPBRD_E_CANT_SET ||
      m_sc == CLIPBRD_E_CANT_CLOSE)
    return FrameworkText(AFX_IDS_CLIPBOARD_BUSY);
  if (m_sc == E_OUTOFMEMORY) return FrameworkText(AFX_IDS_OUT_OF_MEMORY);
  CString text;
  text.Format(AFX_IDS_OLE_FAILED, static_cast<unsigned>(m_sc));
  return text;
}

void AfxThrowOleException(HRESULT sc) { throw COleException(sc); }
