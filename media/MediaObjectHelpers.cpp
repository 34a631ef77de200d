#include "media/MediaObjectHelpers.h"

#include "framework/ui/FileDialog.h"
#include "model/DrawHost.h"
#include "model/Method.h"
#include "resources/MediaStrings.h"
#include "resources/ModelStrings.h"

CString MediaActionName(DWORD flag, int& index) {
  CString name;
  index = -1;
  if (flag == CMethod::typePlayMedia) {
    index = 0;
    name.LoadString(IDS_ACTION_PLAY);
  } else if (flag == CMethod::typeStopMedia) {
    index = 1;
    name.LoadString(IDS_ACTION_STOP);
  }
  return name;
}

int MediaActionFromName(const CString& name) {
  CString play, stop;
  play.LoadString(IDS_ACTION_PLAY);
  stop.LoadString(IDS_ACTION_STOP);
  if (name == play) return 0;
  if (name == stop) return 1;
  return -1;
}

BOOL ChooseMediaFile(UINT filterId, CString& path) {
  CString title, filter;
  title.LoadString(IDS_OPEN_FILE_TITLE);
  filter.LoadString(filterId);
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
  dialog.m_ofn.lpstrTitle = title.GetString();
  if (dialog.DoModal() != IDOK) return FALSE;
  path = dialog.GetPathName();
  if (CDrawHost* host = GetDrawHost()) host->SetPageModified();
  return TRUE;
}

void PostPlayerInputToParent(HWND hWndPlayer, const MSG* pMsg) {
  HWND parent = ::GetParent(hWndPlayer);
  if (!parent) return;
  LPARAM lParam = pMsg->lParam;
  // A key's lParam is its repeat count and flags, not a point.
  if (pMsg->message != WM_KEYDOWN) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::MapWindowPoints(pMsg->hwnd, parent, &point, 1);
    lParam = MAKELPARAM(point.x, point.y);
  }
  ::PostMessageA(parent, pMsg->message, pMsg->wParam, lParam);
}
