#include "framework/ui/FolderBrowser.h"

#include "framework/ui/ModalSink.h"

BOOL AfxBrowseForFolder(BROWSEINFOA& info, CString& folder) {
  ModalCall call;
  call.kind = ModalCall::folderPicker;
  call.title = info.lpszTitle;
  call.path = folder;
  CString chosen;
  call.show = [&info, &chosen]() -> INT_PTR {
    PIDLIST_ABSOLUTE list = ::SHBrowseForFolderA(&info);
    if (!list) return IDCANCEL;
    char path[MAX_PATH] = {};
    const BOOL isFolder = ::SHGetPathFromIDListA(list, path);
    ::CoTaskMemFree(list);
    if (!isFolder) return IDCANCEL;
    chosen = path;
    return IDOK;
  };
  const INT_PTR result = AfxRunModal(call);
  if (result != IDOK) return FALSE;
  // The real browser's choice, or the sink's answer.
  folder = chosen.IsEmpty() ? call.path : chosen;
  return TRUE;
}
