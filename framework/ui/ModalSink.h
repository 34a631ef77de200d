// Every modal piece of user interface other than message boxes (dialogs from
// templates, the file dialogs, the folder browser, the help viewers, the print
// dialog) goes through one replaceable sink, as AfxMessageBox does, so that tests see
// what would be shown and give the answer instead of a user.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/String.h"
#include "framework/ui/UiDefs.h"

class CWnd;

struct ModalCall {
  enum Kind {
    dialog, fileDialog, folderPicker, htmlHelp, winHelp, printDialog, popupMenu, fontDialog, colourDialog, dragDrop
  };

  Kind kind = dialog;
  UINT id = 0;           // dialog: its template; help: the command
  BOOL open = FALSE;     // file dialog: an open (not a save) dialog
  CString title;         // file dialog and folder browser: the title
  CString text;          // file dialog: the filter ('|'-separated); help: the file
  CString path;          // file dialog and folder browser: the initial name in, the answer out
  // A multiple-selection open dialog: a sink's answer of several files, full paths in one
  // folder (path is then not used).
  std::vector<CString> paths;
  // help: the command's data; pop-up menu: the menu (HMENU); OLE drag: the data object
  // (IDataObject*), whose result is the drop effect
  DWORD_PTR data = 0;
  // Font dialog: the font and its colour; colour dialog: the colour. The initial values
  // in, a sink's answer out.
  LOGFONTA font = {};
  COLORREF colour = 0;
  CWnd* window = nullptr;  // the CDialog (or CFileDialog) object asking
  // Shows the real thing and returns its result; a sink may call it.
  std::function<INT_PTR()> show;
};

// Returns what the call returns: IDOK or IDCANCEL for dialogs, the help window (as an
// integer) for HTML help, TRUE or FALSE for WinHelp, the chosen command (0 for none)
// for a pop-up menu, the effect the target chose for an OLE drag.
using ModalSink = std::function<INT_PTR(ModalCall& call)>;

// Installs a sink and returns the previous one; an empty sink restores the real UI.
ModalSink AfxSetModalSink(ModalSink sink);

// The sink's answer, or call.show() when there is no sink.
INT_PTR AfxRunModal(ModalCall& call);
