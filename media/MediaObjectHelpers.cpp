#include "media/MediaObjectHelpers.h"

#include "framework/core/MessageBox.h"
#include "framework/ui/FileDialog.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/Method.h"
#include "model/PropertyRows.h"
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

DWORD MediaActionTypeAt(int index) {
  if (index == 0) return CMethod::typePlayMedia;
  if (index == 1) return CMethod::typeStopMedia;
  return 0;
}

// ---- property rows ----------------------------------------------------------------------

void ListMediaFileRow(CPropGrid* grid, const CString& file, UINT filterId) {
  AddRow(grid, IDS_ROW_PICTURE_FILE, kPropFile, [&](PropertyEntry& e) {
    e.text = file;
    e.extra = LoadLabel(filterId);
    e.openFile = TRUE;
  });
}

CString ReadFileRow(CPropGrid* grid, UINT label, const CString& current) {
  CString file = current;
  ReadTextRow(grid, label, file);
  return file;
}

void RefuseFileRow(CPropGrid* grid, UINT label, const CString& file, const CString& current) {
  CString text;
  text.Format(LoadLabel(IDS_CANNOT_OPEN_FILE).GetString(), file.GetString());
  AfxMessageBox(text, MB_ICONERROR | MB_OK);
  grid->SetText(LoadLabel(label), current);
  RepaintGrid(grid);
}

BOOL IsExistingFile(const CString& path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Rows of the actions page a sound or video addresses by number.
constexpr int kActionTypeRow = 2;
constexpr int kFirstKindRow = 3;

bool HasCurrentAction(const CDrawObj& object) {
  return object.m_selectedAction >= 0 && object.m_selectedAction < object.m_actions.GetSize();
}

}  // namespace

void ListMediaActions(CDrawObj& object, CPropGrid* grid, int type) {
  if (type == -1) {
    const BOOL shown = HasCurrentAction(object);
    AddRow(grid, IDS_ROW_EXISTING_ACTIONS, kPropDropList, [&](PropertyEntry& e) {
      for (int i = 0; i < object.m_actions.GetSize(); ++i) e.choices.AddTail(object.m_actions[i].m_strName);
      if (shown) e.text = object.m_actions[object.m_selectedAction].m_strName;
    });
    // The shown action's kind, so that its rows below are its own.
    type = -1;
    if (shown) object.ActionTypeName(object.m_actions[object.m_selectedAction].m_nType, type);
    if (type < 0) type = 0;
    AddRow(grid, IDS_ROW_ACTION_TYPE, kPropDropList, [&](PropertyEntry& e) {
      int index = -1;
      for (int i = 0; DWORD kind = object.ActionTypeAt(i); ++i) e.choices.AddTail(object.ActionTypeName(kind, index));
      e.text = object.ActionTypeName(object.ActionTypeAt(type), index);
    });
  }
  // The base lists the kind's rows (ListExtraActionRows) for the shown action or a new one.
  object.CDrawObj::ListActions(grid, type);
}

void ShowExistingMediaAction(CDrawObj& object, CPropGrid* grid, int index) {
  if (index < 0 || index >= object.m_actions.GetSize()) return;
  object.m_selectedAction = index;
  grid->RemoveItemsFrom(kFirstKindRow);
  int type = -1;
  grid->SetText(kActionTypeRow, object.ActionTypeName(object.m_actions[index].m_nType, type));
  RepaintGrid(grid);
  if (type >= 0) object.ListActions(grid, type);
}

int ListMediaActionRows(CPropGrid* grid, const CMethod& action) {
  AddFlagRow(grid, IDS_ROW_BY_EVENT, action.m_nByEvent);
  AddNumberRow(grid, IDS_ROW_START_TIME, action.m_nStart);
  if (action.m_nType == CMethod::typePlayMedia) {
    AddNumberRow(grid, IDS_ROW_PLAY_TIME, action.m_nDuration);
    AddFlagRow(grid, IDS_ROW_LOOP_PLAY, action.m_bLoop);
  }
  return 1;
}

BOOL ApplyMediaActionRows(CPropGrid* grid, CMethod& action) {
  if (action.m_nType == CMethod::typePlayMedia) {
    ReadNumberRow(grid, IDS_ROW_PLAY_TIME, action.m_nDuration);
    ReadFlagRow(grid, IDS_ROW_LOOP_PLAY, action.m_bLoop);
  }
  return TRUE;
}

// ---- dialogs and input ------------------------------------------------------------------

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
