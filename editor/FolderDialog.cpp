#include "editor/FolderDialog.h"

#include <dlgs.h>

#include "resources/KordelIds.h"

namespace {
const char kDialogProperty[] = "Kordel.FolderDialog";
constexpr int kGap = 4;
}  // namespace

// "*..*" matches no file, so the list shows folders only.
CFolderDialog::CFolderDialog(CString* pFolder, CWnd* pParentWnd)
    : CFileDialog(TRUE, nullptr, "*..*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, pParentWnd),
      m_pFolder(pFolder) {}

INT_PTR CFolderDialog::DoModal() {
  m_bFolderTaken = FALSE;
  const INT_PTR result = CFileDialog::DoModal();
  // An answer that did not come through the dialog's OK (a test's) names the folder.
  if (result == IDOK && !m_bFolderTaken && m_pFolder) *m_pFolder = GetPathName();
  return result;
}

void CFolderDialog::OnInitDone() {
  HWND dialog = ::GetParent(m_hWnd);
  for (int id : {edt1, stc3, cmb1, stc2}) ::ShowWindow(::GetDlgItem(dialog, id), SW_HIDE);

  // OK to the left of Cancel, the list down to just above them.
  HWND ok = ::GetDlgItem(dialog, IDOK);
  HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
  HWND list = ::GetDlgItem(dialog, lst1);
  RECT okRect, cancelRect, listRect;
  ::GetWindowRect(ok, &okRect);
  ::GetWindowRect(cancel, &cancelRect);
  ::GetWindowRect(list, &listRect);
  for (RECT* r : {&okRect, &cancelRect, &listRect}) ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(r), 2);
  const int okWidth = okRect.right - okRect.left;
  ::SetWindowPos(ok, nullptr, cancelRect.left - kGap - okWidth, cancelRect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(list, nullptr, 0, 0, listRect.right - listRect.left, cancelRect.top - kGap - listRect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  CString text;
  text.LoadString(IDS_FOLDER_DIALOG_OK);
  ::SetWindowTextA(ok, text);
  text.LoadString(IDS_FOLDER_PICKER_TITLE);
  ::SetWindowTextA(dialog, text);

  ::SetPropA(dialog, kDialogProperty, this);
  m_previousProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CFolderDialog::DialogProc)));
}

LRESULT CALLBACK CFolderDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CFolderDialog*>(::GetPropA(hWnd, kDialogProperty));
  if (!self) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  const WNDPROC previous = self->m_previousProc;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    // The folder the dialog shows, asked of the dialog: the process's current directory
    // need not follow the user's browsing.
    char folder[MAX_PATH] = {};
    if (::SendMessageA(hWnd, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder)) > 0 && folder[0]) {
      if (self->m_pFolder) *self->m_pFolder = folder;
      self->m_bFolderTaken = TRUE;
      ::EndDialog(hWnd, IDOK);
      return 0;
    }
    return 0;  // no file-system folder shown (a virtual one): stay open
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ::RemovePropA(hWnd, kDialogProperty);
  }
  return ::CallWindowProcA(previous, hWnd, message, wParam, lParam);
}
