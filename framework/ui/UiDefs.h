// Types, messages and style bits shared by the window classes of the framework.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/AfxTypes.h"
#include "framework/ui/AfxRes.h"

class CRuntimeClass;
class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;
class CCmdTarget;

// Framework-private window messages.
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;  // wParam: disable commands that have no handler
constexpr UINT WM_INITIALUPDATE = 0x0364;    // sent to a frame's descendants when a document is shown

// The nCode of OnCmdMsg: a command, an update request (pExtra is the CCmdUI), a control
// notification code from WM_COMMAND, or MAKELONG(code, WM_NOTIFY) (pExtra is AFX_NOTIFY).
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// Passed to OnCmdMsg to ask whether a handler exists, without running it.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget = nullptr;
};

// What a document template hands to the frame it creates, and the frame to its view.
struct CCreateContext {
  const CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

// Frame window styles (low word of the window style, unused by the frame's class).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000L;
constexpr DWORD FWS_SNAPTOBARS = 0x00002000L;

// Control bar styles, given with the window styles to Create and kept by the bar.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000L;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000L;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000L;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000L;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000L;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100L;
constexpr DWORD CBRS_BORDER_TOP = 0x0200L;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400L;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800L;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00L;
constexpr DWORD CBRS_TOOLTIPS = 0x0010L;
constexpr DWORD CBRS_FLYBY = 0x0020L;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040L;
constexpr DWORD CBRS_BORDER_3D = 0x0080L;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008L;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004L;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002L;
constexpr DWORD CBRS_FLOATING = 0x0001L;
constexpr DWORD CBRS_GRIPPER = 0x00400000L;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ALL = 0x0040FFFFL;
constexpr DWORD CBRS_NOALIGN = 0x00000000L;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// Style of a floating bar's small frame (a class style bit of its own window class):
// sized from its sides only, not from its corners.
constexpr DWORD MFS_4THICKFRAME = 0x0200L;

// Layout requests a bar answers in CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;

// Toolbar button styles: the control's button style in the low byte, its state bits
// in the next byte (enabled inverted, so that 0 is an ordinary button).
constexpr UINT TBBS_BUTTON = TBSTYLE_BUTTON;
constexpr UINT TBBS_SEPARATOR = TBSTYLE_SEP;
constexpr UINT TBBS_CHECKBOX = TBSTYLE_CHECK;
constexpr UINT TBBS_GROUP = TBSTYLE_GROUP;
constexpr UINT TBBS_CHECKGROUP = TBSTYLE_CHECKGROUP;
constexpr UINT TBBS_DROPDOWN = TBSTYLE_DROPDOWN;
constexpr UINT TBBS_AUTOSIZE = TBSTYLE_AUTOSIZE;
constexpr UINT TBBS_CHECKED = TBSTATE_CHECKED << 8;
constexpr UINT TBBS_INDETERMINATE = TBSTATE_INDETERMINATE << 8;
constexpr UINT TBBS_DISABLED = TBSTATE_ENABLED << 8;
constexpr UINT TBBS_PRESSED = TBSTATE_PRESSED << 8;
constexpr UINT TBBS_HIDDEN = TBSTATE_HIDDEN << 8;
constexpr UINT TBBS_WRAPPED = TBSTATE_WRAP << 8;

// Status bar pane styles.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;
constexpr UINT SBPS_OWNERDRAW = SBT_OWNERDRAW;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;
