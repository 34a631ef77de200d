// CDrawView: the editing commands of the page view: their enable rules, select all,
// delete with undo and redo, grid and axes, compose, decompose and unglue, trajectory,
// unlock, help and page settings. Arranging is in DrawViewArrange.cpp, text formatting
// in DrawViewText.cpp, the clipboard in DrawViewClipboard.cpp.
#include <windows.h>
#include <htmlhelp.h>

#include <new>

#include "behaviour/DrawFun.h"
#include "editor/DrawApp.h"
#include "editor/DrawTool.h"
#include "editor/DrawView.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/HtmlHelp.h"
#include "framework/ui/OleDataObject.h"
#include "framework/ui/OleDataSource.h"
#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawJoinObj.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/PageClipFormats.h"
#include "resources/KordelIds.h"

namespace {

CDrawObj* AsObject(CObject* object) { return static_cast<CDrawObj*>(object); }

void NotifyPanel(WPARAM what, CDrawObj* object) {
  if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(what, object);
}

template <class T>
bool AnySelectedIs(const CObList& selection) {
  for (POSITION pos = selection.GetHeadPosition(); pos;)
    if (dynamic_cast<T*>(selection.GetNext(pos))) return true;
  return false;
}

// Whether the clipboard can be read now and holds data a paste takes: the page's own
// objects, or data an embedded item could be made from. A clipboard another program
// holds open counts as empty, without waiting for it.
bool CanPaste(HWND view) {
  if (!::OpenClipboard(view)) return false;
  ::CloseClipboard();
  if (::IsClipboardFormatAvailable(GetPageClipFormats().kordel)) return true;
  COleDataObject data;
  return data.AttachClipboard() && AfxOleCanCreateFromData(data.GetIDataObject());
}

}  // namespace

void CDrawView::MapEditingCommands() {
  struct Command {
    UINT id;
    void (CDrawView::*handler)();
  };
  static const Command kCommands[] = {
      {ID_EDIT_SELECT_ALL, &CDrawView::OnEditSelectAll},
      {ID_EDIT_CLEAR, &CDrawView::OnEditClear},
      {ID_EDIT_COPY, &CDrawView::OnEditCopy},
      {ID_EDIT_CUT, &CDrawView::OnEditCut},
      {ID_EDIT_PASTE, &CDrawView::OnEditPaste},
      {ID_EDIT_UNDO, &CDrawView::OnEditUndo},
      {ID_EDIT_REDO, &CDrawView::OnEditRedo},
      {ID_VIEW_GRID, &CDrawView::OnViewGrid},
      {ID_VIEW_AXES, &CDrawView::OnViewAxes},
      {ID_OBJECT_COMPOSE, &CDrawView::OnCompose},
      {ID_OBJECT_DECOMPOSE, &CDrawView::OnDecompose},
      {ID_OBJECT_UNGLUE, &CDrawView::OnUnglue},
      {ID_TOGGLE_TRAJECTORY, &CDrawView::OnToggleTrajectory},
      {ID_ALIGN_LEFT, &CDrawView::OnAlignLeft},
      {ID_ALIGN_RIGHT, &CDrawView::OnAlignRight},
      {ID_ALIGN_TOP, &CDrawView::OnAlignTop},
      {ID_ALIGN_BOTTOM, &CDrawView::OnAlignBottom},
      {ID_ALIGN_CENTRE, &CDrawView::OnAlignCentre},
      {ID_CENTRE_VERTICALLY, &CDrawView::OnCentreVertically},
      {ID_CENTRE_HORIZONTALLY, &CDrawView::OnCentreHorizontally},
      {ID_SPACE_HORIZONTALLY, &CDrawView::OnSpaceHorizontally},
      {ID_SPACE_VERTICALLY, &CDrawView::OnSpaceVertically},
      {ID_SAME_WIDTH, &CDrawView::OnSameWidth},
      {ID_SAME_HEIGHT, &CDrawView::OnSameHeight},
      {ID_SAME_SIZE, &CDrawView::OnSameSize},
      {ID_MATCH_PICTURE_SIZE, &CDrawView::OnMatchPictureSize},
      {ID_ADJUST_SHAPE, &CDrawView::OnAdjustShape},
      {ID_TEXT_BOLD, &CDrawView::OnTextBold},
      {ID_TEXT_ITALIC, &CDrawView::OnTextItalic},
      {ID_TEXT_UNDERLINE, &CDrawView::OnTextUnderline},
      {ID_TEXT_ALIGN_LEFT, &CDrawView::OnTextAlignLeft},
      {ID_TEXT_ALIGN_CENTRE, &CDrawView::OnTextAlignCentre},
      {ID_TEXT_ALIGN_RIGHT, &CDrawView::OnTextAlignRight},
      {ID_UNLOCK_ALL, &CDrawView::OnUnlockAll},
      {ID_PAGE_SETTINGS, &CDrawView::OnPageSettings},
      {ID_HELP_CONTENTS, &CDrawView::OnHelpContents},
  };
  for (const Command& command : kCommands) {
    MapCommand(command.id, command.handler);
    MapUpdateCommandUI(command.id, &CDrawView::OnUpdateEditCommand);
  }
  // The turning buttons are enabled for the shapes that turn; nothing answers them yet.
  MapUpdateCommandUI(ID_ROTATE_LEFT, &CDrawView::OnUpdateEditCommand);
  MapUpdateCommandUI(ID_ROTATE_RIGHT, &CDrawView::OnUpdateEditCommand);
  MapNotify(0x1001, ID_VIEW_FORMAT_BAR, &CDrawView::OnGetCharFormat);
  MapNotify(0x1000, ID_VIEW_FORMAT_BAR, &CDrawView::OnSetCharFormat);
}

void CDrawView::OnUpdateEditCommand(CCmdUI* pCmdUI) {
  const int n = m_selection.GetCount();
  CDrawObj* last = GetLastSelected();
  auto* text = dynamic_cast<CDrawText*>(last);
  CDrawDoc* doc = GetDocument();
  BOOL enable = FALSE;
  int check = -1;
  switch (pCmdUI->m_nID) {
    case ID_EDIT_SELECT_ALL: enable = doc && !doc->m_objects.IsEmpty(); break;
    case ID_EDIT_CLEAR:
    case ID_EDIT_COPY:
    case ID_EDIT_CUT: enable = n >= 1; break;
    case ID_EDIT_PASTE: enable = CanPaste(m_hWnd); break;
    case ID_EDIT_UNDO: enable = doc && !doc->m_undo.IsUndoEmpty(); break;
    case ID_EDIT_REDO: enable = doc && !doc->m_undo.IsRedoEmpty(); break;
    case ID_VIEW_GRID: enable = TRUE; check = m_bGrid ? 1 : 0; break;
    case ID_VIEW_AXES: enable = TRUE; check = m_bAxes ? 1 : 0; break;
    case ID_OBJECT_COMPOSE: enable = n >= 2 && !AnySelectedIs<CDrawJoinObj>(m_selection); break;
    case ID_OBJECT_DECOMPOSE: enable = n == 1 && dynamic_cast<CDrawCompObj*>(last); break;
    case ID_OBJECT_UNGLUE: enable = n == 1 && dynamic_cast<CDrawJoinObj*>(last); break;
    case ID_TOGGLE_TRAJECTORY:
      enable = n == 1;
      check = n == 1 && last->m_trajectory == 1 ? 1 : 0;
      break;
    case ID_ALIGN_LEFT:
    case ID_ALIGN_RIGHT:
    case ID_ALIGN_TOP:
    case ID_ALIGN_BOTTOM:
    case ID_ALIGN_CENTRE: enable = n >= 2; break;
    case ID_CENTRE_VERTICALLY:
    case ID_CENTRE_HORIZONTALLY: enable = n >= 1; break;
    case ID_SPACE_HORIZONTALLY:
    case ID_SPACE_VERTICALLY: enable = n >= 3; break;
    case ID_SAME_WIDTH:
    case ID_SAME_HEIGHT:
    case ID_SAME_SIZE:
      // Shapes sized through their points, not edge handles, keep their own sizes.
      enable = n >= 2 && !AnySelectedIs<CDrawPoly>(m_selection) && !AnySelectedIs<CDrawJoinObj>(m_selection) &&
               !AnySelectedIs<CDrawPoint>(m_selection);
      break;
    case ID_MATCH_PICTURE_SIZE: enable = n == 1 && last->HasPicture(); break;
    case ID_TEXT_BOLD:
      enable = text != nullptr;
      check = text && text->m_logFont.lfWeight >= FW_BOLD ? 1 : 0;
      break;
    case ID_TEXT_ITALIC:
      enable = text != nullptr;
      check = text && text->m_logFont.lfItalic ? 1 : 0;
      break;
    case ID_TEXT_UNDERLINE:
      enable = text != nullptr;
      check = text && text->m_logFont.lfUnderline ? 1 : 0;
      break;
    case ID_TEXT_ALIGN_LEFT:
    case ID_TEXT_ALIGN_CENTRE:
    case ID_TEXT_ALIGN_RIGHT: enable = text != nullptr; break;
    case ID_ROTATE_LEFT:
    case ID_ROTATE_RIGHT:
      enable = n == 1 && (dynamic_cast<CDrawRect*>(last) || dynamic_cast<CDrawPoly*>(last) ||
                          dynamic_cast<CDrawLine*>(last));
      break;
    default: enable = TRUE; break;  // adjust shape, unlock all, page settings, help
  }
  // A running page is not edited under its clock; grid, axes and help stay.
  const UINT id = pCmdUI->m_nID;
  if (Running() && id != ID_VIEW_GRID && id != ID_VIEW_AXES && id != ID_HELP_CONTENTS && id != ID_PAGE_SETTINGS)
    enable = FALSE;
  pCmdUI->Enable(enable);
  if (check >= 0) pCmdUI->SetCheck(check);
}

// ---------------------------------------------------------------------------------
// Select all, delete, undo and redo

void CDrawView::OnEditSelectAll() {
  CDrawDoc* doc = GetDocument();
  if (!doc || Running()) return;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(doc->m_objects.GetNext(pos));
    if (!object->IsSuspended()) Select(object, TRUE);
  }
  SetFocus();
}

void CDrawView::OnEditClear() {
  CDrawDoc* doc = GetDocument();
  if (!doc || m_selection.IsEmpty() || Running()) return;
  doc->UpdateAllViews(nullptr, 3, &m_selection);
  OnUpdate(nullptr, 2, nullptr);
  for (POSITION pos = m_selection.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(m_selection.GetNext(pos));
    object->SetSuspended(TRUE);  // it stays in the page's list, flagged deleted
    doc->m_undo.PushUndo(object);
    NotifyPanel(kPanelObjectRemoved, object);
  }
  Select(nullptr, FALSE);
  m_selection.RemoveAll();
  NotifyPanel(kPanelSelectionChanged, nullptr);
}

void CDrawView::UndoRedo(bool undo) {
  CDrawDoc* doc = GetDocument();
  if (!doc || Running()) return;
  if (CDrawObj* object = undo ? doc->UndoDelete() : doc->RedoDelete()) {
    // An object deleted again leaves the selection it may have joined since.
    if (!undo) DeselectWithRepaint(object);
    NotifyPanel(kPanelSelectionChanged, nullptr);
  }
  Invalidate(TRUE);
}

void CDrawView::OnEditUndo() { UndoRedo(true); }
void CDrawView::OnEditRedo() { UndoRedo(false); }

// ---------------------------------------------------------------------------------
// Grid and axes

void CDrawView::OnViewGrid() {
  m_bGrid = !m_bGrid;
  Invalidate(TRUE);
}

void CDrawView::OnViewAxes() {
  m_bAxes = !m_bAxes;
  Invalidate(TRUE);
}

// ---------------------------------------------------------------------------------
// Compose, decompose, unglue, trajectory

void CDrawView::OnCompose() {
  CDrawDoc* doc = GetDocument();
  if (!doc || Running() || AnySelectedIs<CDrawJoinObj>(m_selection)) return;
  auto* composite = new (std::nothrow) CDrawCompObj;
  if (!composite) {
    AfxMessageBox(IDS_OUT_OF_MEMORY, MB_ICONSTOP);
    return;
  }
  if (!composite->Group(this, m_selection)) {
    delete composite;
    return;
  }
  composite->m_name.Format("%s%d", CDrawDoc::KindWord(kShapeComposite).GetString(),
                           doc->m_nameCounters[kShapeComposite]);
  ++doc->m_nameCounters[kShapeComposite];
  doc->Add(composite);
  Select(composite, FALSE);
  PostMessage(WM_COMMAND, ID_TOOL_SELECT);
}

void CDrawView::OnDecompose() {
  auto* composite = dynamic_cast<CDrawCompObj*>(GetLastSelected());
  if (!composite || Running()) return;
  Select(nullptr, FALSE);
  composite->Ungroup(this);
}

void CDrawView::OnUnglue() {
  auto* glued = dynamic_cast<CDrawJoinObj*>(GetLastSelected());
  if (!glued || Running()) return;
  Select(nullptr, FALSE);
  glued->Unglue(this);
}

void CDrawView::OnToggleTrajectory() {
  CDrawObj* object = GetLastSelected();
  CDrawDoc* doc = GetDocument();
  if (!object || !doc || Running()) return;
  if (!dynamic_cast<CDrawRect*>(object) && !dynamic_cast<CDrawPoly*>(object) && !dynamic_cast<CDrawLine*>(object) &&
      !dynamic_cast<CDrawFun*>(object))
    return;
  object->ToggleTrajectory();
  doc->SetModifiedFlag(TRUE);
  doc->UpdateAllViews(nullptr, 0, nullptr);
  NotifyPanel(kPanelObjectSelected, object);
}

// ---------------------------------------------------------------------------------
// Unlock, help, page settings

void CDrawView::OnUnlockAll() {
  CDrawDoc* doc = GetDocument();
  if (!doc || Running()) return;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    CDrawObj* object = AsObject(doc->m_objects.GetNext(pos));
    if (!object->m_locked) continue;
    object->m_locked = 0;
    Select(object, TRUE);
  }
}

void CDrawView::OnHelpContents() {
  CDrawApp* app = GetDrawApp();
  const CString file = (app ? app->m_strProgramFolder : CString()) + "\\ravelo.chm";
  if (!AfxHtmlHelp(m_hWnd, file, HH_DISPLAY_TOPIC, 0))
    if (CWinApp* winApp = AfxGetApp()) winApp->WinHelp(0, HELP_CONTENTS);
}

void CDrawView::OnPageSettings() {
  // The page's settings have no dialog: the command only names them.
  CString title;
  title.LoadString(IDS_PAGE_SETTINGS_TEXT);
}
