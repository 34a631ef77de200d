#include "framework/ui/Dialog.h"

#include "framework/core/Module.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/ModalSink.h"
#include "framework/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

// The dialog manager's procedure for our dialogs: the window itself is routed through
// AfxWndProc (bound at creation), which answers WM_INITDIALOG; everything else takes
// the dialog manager's default processing.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

CDialog::CDialog() {
  MapCommand(IDOK, &CDialog::OnOK);
  MapCommand(IDCANCEL, &CDialog::OnCancel);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
  m_nIDTemplate = nIDTemplate;
  m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
}

const DLGTEMPLATE* CDialog::LoadTemplate() const {
  // A template may name any of the common controls.
  AfxInitCommonControls(ICC_WIN95_CLASSES);
  HINSTANCE instance = AfxGetResourceHandle();
  HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  if (!resource) return nullptr;
  HGLOBAL loaded = ::LoadResource(instance, resource);
  return loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

INT_PTR CDialog::DoModal() {
  ModalCall call;
  call.kind = ModalCall::dialog;
  call.id = m_nIDTemplate;
  call.window = this;
  call.show = [this] { return RunModal(); };
  return AfxRunModal(call);
}

INT_PTR CDialog::RunModal() {
  const DLGTEMPLATE* dialogTemplate = LoadTemplate();
  if (!dialogTemplate) return -1;
  HWND owner = GetSafeOwner(m_pParentWnd);
  if (m_bOwnModalLoop) return RunOwnModalLoop(dialogTemplate, owner);
  AfxHookWindowCreate(this);
  const INT_PTR result = ::DialogBoxIndirectParamA(AfxGetResourceHandle(), dialogTemplate, owner, AfxDlgProc,
                                                   reinterpret_cast<LPARAM>(this));
  AfxUnhookWindowCreate();
  if (m_hWnd) Detach();  // a dialog that failed during creation
  return result;
}

INT_PTR CDialog::RunOwnModalLoop(const DLGTEMPLATE* dialogTemplate, HWND owner) {
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), dialogTemplate, owner, AfxDlgProc,
                                           reinterpret_cast<LPARAM>(this));
  AfxUnhookWindowCreate();
  if (!hWnd) {
    if (m_hWnd) Detach();
    return -1;
  }
  const BOOL disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  m_bInOwnLoop = TRUE;
  m_bEndOwnLoop = FALSE;
  m_nOwnLoopResult = IDCANCEL;
  MSG msg;
  while (!m_bEndOwnLoop && ::IsWindow(hWnd)) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
      break;
    }
    if (!WalkPreTranslateTree(hWnd, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  m_bInOwnLoop = FALSE;
  // The owner comes back before the dialog goes, so that it takes the activation.
  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
  if (m_hWnd) Detach();
  return m_nOwnLoopResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDTemplate = nIDTemplate;
  if (!m_nIDHelp) m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
  const DLGTEMPLATE* dialogTemplate = LoadTemplate();
  if (!dialogTemplate) return FALSE;
  HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  if (!parent) {
    CWnd* main = AfxGetMainWnd();
    parent = main ? main->m_hWnd : nullptr;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), dialogTemplate, parent, AfxDlgProc,
                                           reinterpret_cast<LPARAM>(this));
  AfxUnhookWindowCreate();
  return hWnd != nullptr;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_INITDIALOG) {
    // The dialog manager sets the focus itself when this answers TRUE.
    *pResult = OnInitDialog();
    return TRUE;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
  // In a loop of its own the dialog goes when the loop ends, after the handler that
  // ended it (perhaps of a window it owns) has returned.
  if (m_bInOwnLoop) {
    m_nOwnLoopResult = nResult;
    m_bEndOwnLoop = TRUE;
    return;
  }
  ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange exchange(this, bSaveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (const CDataExchange::Failure&) {
    return FALSE;
  }
  return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  // Keys for this dialog or its controls: tabbing, default button, Escape.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    return ::IsDialogMessageA(m_hWnd, pMsg);
  return FALSE;
}
