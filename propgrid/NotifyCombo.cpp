#include "propgrid/NotifyCombo.h"

#include "framework/ui/Font.h"
#include "propgrid/PropGrid.h"

namespace {

// Posted to a drop-down disposed of while it was notifying.
constexpr UINT kDisposeMessage = WM_APP + 0x2F5;

}  // namespace

CNotifyCombo::CNotifyCombo(int id) : m_rowId(id) {
  MapReflectedControl(CBN_SELCHANGE, &CNotifyCombo::OnSelChange);
  MapMessage(kDisposeMessage, &CNotifyCombo::OnDisposeNow);
}

CNotifyCombo::~CNotifyCombo() {
  if (m_hWnd) DestroyWindow();
  delete m_font;
}

void CNotifyCombo::Dispose(CFont* font) {
  m_font = font;
  if (!m_notifying) {
    delete this;
    return;
  }
  m_disposed = true;
  ShowWindow(SW_HIDE);
}

void CNotifyCombo::OnSelChange() {
  HWND panel = CPropGrid::PanelOf(::GetParent(m_hWnd));
  m_notifying = true;
  ::SendMessageA(panel, kRowChangedMessage, static_cast<WPARAM>(m_rowId), GetCurSel());
  m_notifying = false;
  // The control's own procedure is still on the stack below this notification.
  if (m_disposed) PostMessage(kDisposeMessage);
}

LRESULT CNotifyCombo::OnDisposeNow(WPARAM, LPARAM) {
  DestroyWindow();  // PostNcDestroy deletes the object
  return 0;
}

void CNotifyCombo::PostNcDestroy() {
  if (m_disposed) delete this;
}
