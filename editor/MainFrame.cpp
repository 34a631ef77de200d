#include "editor/MainFrame.h"

#include <shellapi.h>
#include <htmlhelp.h>

#include <algorithm>
#include <memory>

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "editor/panels/LineStyleMenu.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/HtmlHelp.h"
#include "graphics/ImageHelpers.h"
#include "media/DrawMedia.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "publish/PackageDlg.h"
#include "publish/SetupPackDlg.h"
#include "publish/WebPageDlg.h"
#include "resources/KordelIds.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

const UINT CMainFrame::kSavedBars[8] = {ID_VIEW_ALIGN_BAR,      ID_VIEW_EFFECT_BAR, ID_VIEW_TOOLBOX,
                                        ID_VIEW_STANDARD_BAR,   ID_VIEW_STATUS,     ID_VIEW_PROGRAMME_BAR,
                                        ID_VIEW_PROPERTY_BAR,   ID_VIEW_FORMAT_BAR};

namespace {

constexpr COLORREF kStandardMask = RGB(197, 197, 197);
constexpr COLORREF kBarMask = RGB(192, 192, 192);
constexpr DWORD kFullScreenStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// Cap values of the start- and end-cap commands, in id order.
constexpr int kLineCaps[] = {0, 2, 3, 17, 18, 19, 20};
// Dash caps of the dash-cap commands, in id order.
constexpr int kDashCaps[] = {0, 2, 3};

// Whether the object is of the drawing class with that name (the class may not be
// part of this program).
bool IsObjectOf(const CDrawObj* object, const char* className) {
  const CRuntimeClass* cls = CRuntimeClass::FromName(className);
  return cls && object->IsKindOf(cls);
}

// Kinds that show a picture of their own.
}  // namespace

CMainFrame::CMainFrame() {
  MapCommand(ID_VIEW_FULL_SCREEN, &CMainFrame::OnFullScreen);
  MapUpdateCommandUI(ID_VIEW_FULL_SCREEN, &CMainFrame::OnUpdateAlwaysEnabled);
  MapCommand(ID_EXIT_RUN, &CMainFrame::OnExitRunCommand);
  MapCommand(ID_HELP_TOPICS, &CMainFrame::OnHelpTopics);
  MapCommand(ID_MAKE_EXE, &CMainFrame::OnMakeExe);
  MapCommand(ID_MAKE_SETUP, &CMainFrame::OnMakeSetup);
  MapCommand(ID_MAKE_WEB_PAGE, &CMainFrame::OnMakeWebPage);
  MapCommand(ID_TEXT_COLOUR, &CMainFrame::OnTextColour);
  MapCommand(ID_LINE_COLOUR, &CMainFrame::OnLineColour);
  MapCommand(ID_FILL_COLOUR, &CMainFrame::OnFillColour);
  MapCommandRange(ID_DASH_STYLE_SOLID, ID_DASH_STYLE_DASH_DOT_DOT, &CMainFrame::OnDashStyle);
  MapCommandRange(ID_START_CAP_FIRST, ID_START_CAP_LAST, &CMainFrame::OnStartCap);
  MapCommandRange(ID_END_CAP_FIRST, ID_END_CAP_LAST, &CMainFrame::OnEndCap);
  MapCommandRange(ID_DASH_CAP_FLAT, ID_DASH_CAP_TRIANGLE, &CMainFrame::OnDashCap);
  MapCommand(ID_CLOSED_TOGGLE, &CMainFrame::OnClosedToggle);
  MapCommand(ID_FILL_TOGGLE, &CMainFrame::OnFillToggle);
  MapUpdateCommandUI(ID_CLOSED_TOGGLE, &CMainFrame::OnUpdateClosedToggle);
  MapUpdateCommandUI(ID_FILL_TOGGLE, &CMainFrame::OnUpdateFillToggle);
  MapCommand(ID_LOCK, &CMainFrame::OnLock);
  MapCommand(ID_LINE_WIDTH, &CMainFrame::OnLineWidth);
  MapCommand(ID_OBJECT_SCALING, &CMainFrame::OnObjectScaling);
  // The effect bar: its colour arrows and style menus.
  MapNotify(TBN_DROPDOWN, IDR_EFFECT_BAR, &CMainFrame::OnEffectBarDropDown);
  for (UINT menu : {ID_DASH_STYLE_MENU, ID_DASH_CAP_MENU, ID_START_CAP_MENU, ID_END_CAP_MENU})
    MapCommandRange(menu, menu, &CMainFrame::OnStyleMenu);
  // The bars that exist so far; the others' commands stay disabled until they do.
  for (UINT bar : {ID_VIEW_ALIGN_BAR, ID_VIEW_PROPERTY_BAR, ID_VIEW_PROGRAMME_BAR, ID_VIEW_EFFECT_BAR,
                   ID_VIEW_TOOLBOX}) {
    MapCommandEx(bar, &CFrameWnd::OnBarCheck);
    MapUpdateCommandUI(bar, &CFrameWnd::OnUpdateControlBarMenu);
  }
  // The format bar.
  MapCommandEx(ID_VIEW_FORMAT_BAR, &CFrameWnd::OnBarCheck);
  MapUpdateCommandUI(ID_VIEW_FORMAT_BAR, &CFrameWnd::OnUpdateControlBarMenu);
  MapNotify(TBN_DROPDOWN, ID_VIEW_FORMAT_BAR, &CMainFrame::OnToolbarDropDown);
}

CMainFrame::~CMainFrame() = default;

// ---------------------------------------------------------------------------------
// Creation

BOOL CMainFrame::CreateToolBar(CToolBar& bar, UINT nID, UINT nResource, UINT nBitmap, COLORREF mask,
                               DWORD dwStyle, UINT nTitle) {
  if (!bar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0), nID) || !bar.LoadToolBar(nResource))
    return FALSE;
  CImageList images;
  CBitmap strip;
  if (!strip.LoadBitmap(nBitmap) || !images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 0, 1) ||
      images.Add(&strip, mask) < 0)
    return FALSE;
  bar.GetToolBarCtrl().SetImageList(&images);
  m_barImages.push_back(std::move(images));
  if (nTitle) {
    CString title;
    title.LoadString(nTitle);
    bar.SetWindowText(title);
  }
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_barImages.reserve(5);
  const DWORD toolStyle =
      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

  // 1. The standard toolbar.
  if (!CreateToolBar(m_wndToolBar, AFX_IDW_TOOLBAR, IDR_MAINFRAME, IDB_STANDARD, kStandardMask, toolStyle, 0))
    return -1;
  // 2. The effect bar, with its sliders, fields and colour strips.
  if (!CreateToolBar(m_wndEffectBar, IDR_EFFECT_BAR, IDR_EFFECT_BAR, IDB_EFFECT_BAR, kBarMask, toolStyle,
                     IDS_EFFECT_BAR_TITLE) ||
      !m_wndEffectBar.CreateControls())
    return -1;
  // 3. The format bar: fixed size, its font boxes in place of its first separators.
  if (!CreateToolBar(m_wndFormatBar, ID_VIEW_FORMAT_BAR, IDR_FORMAT_BAR, IDB_FORMAT_BAR, kBarMask,
                     toolStyle & ~CBRS_SIZE_DYNAMIC, IDS_FORMAT_BAR_TITLE))
    return -1;
  m_wndFormatBar.SetSizes(CSize(23, 22), CSize(16, 16));
  m_wndFormatBar.PositionCombos();
  if (!m_wndFormatBar.CreateColorButton(m_textColour)) return -1;
  // 4. The tool box, of fixed size: its buttons keep the columns it is given.
  if (!CreateToolBar(m_wndToolBox, IDR_TOOLBOX, IDR_TOOLBOX, IDB_TOOLBOX, kStandardMask,
                     (toolStyle & ~CBRS_SIZE_DYNAMIC) | CBRS_SIZE_FIXED, IDS_TOOLBOX_TITLE))
    return -1;
  // 5. The status bar: a stretching message pane and three 80-pixel panes.
  static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_PANE1, ID_INDICATOR_X, ID_INDICATOR_Y};
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, 4))
    return -1;
  m_wndStatusBar.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH, 180);
  for (int i = 1; i < 4; ++i) {
    m_wndStatusBar.SetPaneInfo(i, kIndicators[i], SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneText(i, "");  // the indicators' strings only set aside room
  }
  // 6. The property bar and 7. the programme bar, each holding its panel.
  const DWORD panelStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT;
  const DWORD panelBarStyle = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!m_wndPropertyBar.Create(this, &m_wndPropertyPanel, ID_VIEW_PROPERTY_BAR, IDD_PROPERTY_PANEL, panelStyle) ||
      !m_wndProgrammeBar.Create(this, &m_wndGalleryPanel, ID_VIEW_PROGRAMME_BAR, IDD_GALLERY_PANEL, panelStyle))
    return -1;
  m_wndPropertyBar.SetBarStyle(m_wndPropertyBar.GetBarStyle() | panelBarStyle);
  m_wndProgrammeBar.SetBarStyle(m_wndProgrammeBar.GetBarStyle() | panelBarStyle);
  // 8. The alignment bar.
  if (!CreateToolBar(m_wndAlignBar, ID_VIEW_ALIGN_BAR, IDR_ALIGN_BAR, IDB_ALIGN_BAR, kBarMask,
                     (toolStyle & ~CBRS_TOP) | CBRS_BOTTOM, IDS_ALIGN_BAR_TITLE))
    return -1;

  EnableDocking(CBRS_ALIGN_ANY);
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndAlignBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
  m_wndEffectBar.EnableDocking(CBRS_ALIGN_TOP);
  DockControlBar(&m_wndEffectBar, AFX_IDW_DOCKBAR_TOP);
  m_wndFormatBar.EnableDocking(CBRS_ALIGN_TOP);
  DockControlBar(&m_wndFormatBar, AFX_IDW_DOCKBAR_TOP);
  DockControlBar(&m_wndAlignBar, AFX_IDW_DOCKBAR_BOTTOM);
  RecalcLayout();
  m_wndToolBox.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  m_wndToolBox.SetColumns(2);
  DockControlBar(&m_wndToolBox, AFX_IDW_DOCKBAR_LEFT);
  m_wndPropertyBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndProgrammeBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndPropertyBar, AFX_IDW_DOCKBAR_RIGHT);
  DockControlBar(&m_wndProgrammeBar, AFX_IDW_DOCKBAR_BOTTOM);
  ShowControlBar(&m_wndPropertyBar, FALSE, FALSE);
  ShowControlBar(&m_wndAlignBar, FALSE, FALSE);
  return 0;
}

void CMainFrame::OnDestroy() {
  // Closed while full screen: the menu goes back to the window, which destroys it.
  if (m_savedMenu.GetSafeHmenu()) ::SetMenu(m_hWnd, m_savedMenu.Detach());
  CFrameWnd::OnDestroy();
}

// ---------------------------------------------------------------------------------
// Full screen and help

void CMainFrame::OnFullScreen() {
  if (!m_bFullScreen) {
    ModifyStyle(WS_CAPTION, 0);
    ModifyStyle(kFullScreenStyles, 0);
    m_savedMenu.Attach(::GetMenu(m_hWnd));
    ::SetMenu(m_hWnd, nullptr);
    m_bFullScreen = TRUE;
    for (int i = 0; i < 8; ++i) {
      if (CControlBar* bar = GetControlBar(kSavedBars[i])) {
        m_savedBarVisible[i] = bar->IsVisible();
        ShowControlBar(bar, FALSE, TRUE);
      }
    }
    MoveWindow(FullScreenRect());
  } else {
    ModifyStyle(0, kFullScreenStyles);
    ::SetMenu(m_hWnd, m_savedMenu.Detach());
    m_bFullScreen = FALSE;
    for (int i = 0; i < 8; ++i) {
      if (CControlBar* bar = GetControlBar(kSavedBars[i])) ShowControlBar(bar, m_savedBarVisible[i], TRUE);
    }
    MoveWindow(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  }
  RecalcLayout();
}

CRect CMainFrame::FullScreenRect() {
  const int cxBorder = ::GetSystemMetrics(SM_CXBORDER);
  const int cyBorder = ::GetSystemMetrics(SM_CYBORDER);
  const int left = -4 * cxBorder, top = -4 * cyBorder;
  return CRect(left, top, left + ::GetSystemMetrics(SM_CXSCREEN) + 16 * cxBorder,
               top + ::GetSystemMetrics(SM_CYSCREEN) + 16 * cyBorder);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CFrameWnd::OnGetMinMaxInfo(lpMMI);
  if (!m_bFullScreen) return;
  // The system keeps a window within the screen and its frame; full screen is larger.
  const CRect full = FullScreenRect();
  lpMMI->ptMaxSize.x = std::max<LONG>(lpMMI->ptMaxSize.x, full.Width());
  lpMMI->ptMaxSize.y = std::max<LONG>(lpMMI->ptMaxSize.y, full.Height());
  lpMMI->ptMaxTrackSize.x = std::max<LONG>(lpMMI->ptMaxTrackSize.x, full.Width());
  lpMMI->ptMaxTrackSize.y = std::max<LONG>(lpMMI->ptMaxTrackSize.y, full.Height());
}

void CMainFrame::OnHelpTopics() {
  CDrawApp* app = GetDrawApp();
  const CString file = (app ? app->m_strProgramFolder : CString()) + "\\ravelo.chm";
  if (!AfxHtmlHelp(m_hWnd, file, HH_DISPLAY_TOPIC, 0)) {
    if (CWinApp* winApp = AfxGetApp()) winApp->WinHelp(0, HELP_FINDER);
  }
}

void CMainFrame::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

// ---------------------------------------------------------------------------------
// The selection's styles

CDrawView* CMainFrame::GetDrawView() const { return dynamic_cast<CDrawView*>(GetActiveView()); }

template <class Fn>
BOOL CMainFrame::ForEachSelected(Fn fn) {
  CDrawView* view = GetDrawView();
  if (!view || view->m_selection.IsEmpty()) return FALSE;
  for (POSITION pos = view->m_selection.GetHeadPosition(); pos;) fn(static_cast<CDrawObj*>(view->m_selection.GetNext(pos)));
  return TRUE;
}

void CMainFrame::SetPageModified() {
  if (CDrawView* view = GetDrawView())
    if (CDrawDoc* doc = view->GetDocument()) doc->SetModifiedFlag(TRUE);
}

void CMainFrame::ApplyLineWidth(int width) {
  if (ForEachSelected([width](CDrawObj* object) { object->SetLineWidth(width); })) SetPageModified();
}

void CMainFrame::ScaleSelection(int percent) {
  CDrawView* view = GetDrawView();
  const double factor = percent * 0.01;
  if (ForEachSelected([view, factor](CDrawObj* object) {
        const CRect& r = object->m_position;
        object->ScaleAbout(factor, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, view);
      }))
    SetPageModified();
}

void CMainFrame::ApplyColour(COLORREF colour, int kind) {
  switch (kind) {
    case 0: m_lineColour = colour; break;
    case 1: m_fillColour = colour; break;
    case 2: m_textColour = colour; break;
    default: return;
  }
  m_lastColour = colour;
  if (ForEachSelected([colour, kind](CDrawObj* object) { object->SetColour(colour, kind); })) SetPageModified();
}

void CMainFrame::OnDashStyle(UINT nID) {
  m_nDashStyle = static_cast<int>(nID - ID_DASH_STYLE_SOLID);
  // A line without width has no dashes to show: the choice waits for the next object.
  if (m_nLineWidth == 0) return;
  const int style = m_nDashStyle;
  if (ForEachSelected([style](CDrawObj* object) { object->SetDashStyle(style); })) SetPageModified();
}

void CMainFrame::OnStartCap(UINT nID) {
  m_nStartCap = kLineCaps[nID - ID_START_CAP_FIRST];
  const int cap = m_nStartCap;
  if (ForEachSelected([cap](CDrawObj* object) {
        object->m_startCap = cap;
        object->Invalidate();
      }))
    SetPageModified();
}

void CMainFrame::OnEndCap(UINT nID) {
  m_nEndCap = kLineCaps[nID - ID_END_CAP_FIRST];
  const int cap = m_nEndCap;
  if (ForEachSelected([cap](CDrawObj* object) {
        object->m_endCap = cap;
        object->Invalidate();
      }))
    SetPageModified();
}

void CMainFrame::OnDashCap(UINT nID) {
  m_nDashCap = kDashCaps[nID - ID_DASH_CAP_FLAT];
  const int cap = m_nDashCap;
  if (ForEachSelected([cap](CDrawObj* object) { object->SetDashCap(cap); })) SetPageModified();
}

void CMainFrame::OnClosedToggle() {
  m_bClosed = !m_bClosed;
  const BOOL closed = m_bClosed;
  if (ForEachSelected([closed](CDrawObj* object) {
        object->m_closed = closed;
        object->Invalidate();
      }))
    SetPageModified();
}

void CMainFrame::OnFillToggle() {
  m_bFilled = !m_bFilled;
  const BOOL filled = m_bFilled;
  CDrawHost* host = GetDrawHost();
  if (ForEachSelected([filled, host](CDrawObj* object) {
        object->m_filled = filled;
        object->Invalidate();
        if (host) host->PostPropertyPanel(kPanelObjectSelected, object);
      }))
    SetPageModified();
}

void CMainFrame::OnUpdateClosedToggle(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bClosed ? 1 : 0); }

void CMainFrame::OnUpdateFillToggle(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bFilled ? 1 : 0); }

void CMainFrame::OnEffectBarDropDown(NMHDR* pNotifyStruct, LRESULT* pResult) {
  *pResult = TBDDRET_DEFAULT;
  const auto* notify = reinterpret_cast<const NMTOOLBARA*>(pNotifyStruct);
  const int kind = notify->iItem == ID_LINE_COLOUR ? 0 : notify->iItem == ID_FILL_COLOUR ? 1 : -1;
  if (kind < 0) return;
  CRect button;
  m_wndEffectBar.GetToolBarCtrl().GetRect(static_cast<UINT>(notify->iItem), &button);
  m_wndEffectBar.ClientToScreen(&button);
  if (!PopupColour(kind, button)) return;
  // A gradient given to the one selected object leaves the bar's colour as it was.
  CColorRect& strip = kind == 0 ? m_wndEffectBar.m_lineColourRect : m_wndEffectBar.m_fillColourRect;
  strip.m_colour = kind == 0 ? m_lineColour : m_fillColour;
  if (strip.m_hWnd) strip.Invalidate();
}

void CMainFrame::OnStyleMenu(UINT nID) {
  std::unique_ptr<CLineStyleMenu> menu;
  switch (nID) {
    case ID_DASH_STYLE_MENU: menu = std::make_unique<CDashStyleMenu>(); break;
    case ID_DASH_CAP_MENU: menu = std::make_unique<CDashCapMenu>(); break;
    case ID_START_CAP_MENU: menu = std::make_unique<CStartCapMenu>(); break;
    case ID_END_CAP_MENU: menu = std::make_unique<CEndCapMenu>(); break;
    default: return;
  }
  if (!menu->GetSafeHmenu() || !m_wndEffectBar.m_hWnd) return;
  TPMPARAMS params = {};
  params.cbSize = sizeof params;
  m_wndEffectBar.GetToolBarCtrl().GetRect(nID, &params.rcExclude);
  m_wndEffectBar.ClientToScreen(&params.rcExclude);
  // The chosen item comes back as its command, posted to the frame.
  menu->TrackPopupMenuEx(TPM_VERTICAL | TPM_LEFTALIGN | TPM_TOPALIGN, params.rcExclude.left,
                         params.rcExclude.bottom, this, &params);
}

void CMainFrame::OnLock() {
  CDrawView* view = GetDrawView();
  if (!ForEachSelected([](CDrawObj* object) { object->m_locked = 1; })) return;
  view->Select(nullptr, FALSE);
}

// ---------------------------------------------------------------------------------
// Files dropped from the shell

void CMainFrame::OnDropFiles(HDROP hDropInfo) {
  // The drop is given back whatever happens.
  std::unique_ptr<std::remove_pointer_t<HDROP>, decltype(&::DragFinish)> drop(hDropInfo, &::DragFinish);
  // A running page is not edited under its clock: a drop changes nothing until Esc.
  CDrawApp* app = GetDrawApp();
  if (app && app->m_nMode != kModeEditing) return;
  CDrawView* view = GetDrawView();
  if (!view || !view->GetDocument() || ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0) == 0) return;
  char name[MAX_PATH] = {};
  if (!::DragQueryFileA(hDropInfo, 0, name, MAX_PATH)) return;
  const CString file(name);

  CDrawObj* last = view->GetLastSelected();
  if (auto* sound = dynamic_cast<CDrawMedia*>(last))
    ApplySoundFile(sound, file);
  else if (!last || !HoldsPicture(last))
    DropOnBackground(file);
  else
    ApplyPictureFile(last, file);
}

// ---------------------------------------------------------------------------------
// Media files applied to the page (shell drops, gallery clicks)

bool CMainFrame::HoldsPicture(const CDrawObj* object) {
  for (const char* name : {"CDrawMeta", "CDrawRect", "CDrawText", "CDrawPoly"})
    if (IsObjectOf(object, name)) return true;
  return false;
}

void CMainFrame::ApplyPictureFile(CDrawObj* object, const CString& file) {
  object->SetPictureFile(file);
  object->LoadPicture(file);
  object->Invalidate();
  if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(kPanelObjectSelected, object);
  SetPageModified();
}

void CMainFrame::ApplySoundFile(CDrawMedia* sound, const CString& file) {
  sound->Stop();
  sound->SetMediaFile(file);
  if (CDrawHost* host = GetDrawHost()) host->NotifyPropertyPanel(kPanelObjectSelected, sound);
  SetPageModified();
  sound->Play(FALSE);
}

void CMainFrame::DropOnBackground(const CString& file) {
  CDrawView* view = GetDrawView();
  CDrawDoc* doc = view->GetDocument();
  std::unique_ptr<CPicture> picture = LoadImageFile(file, TRUE);
  if (!picture || !picture->IsValid()) {
    // The page keeps the background it had.
    CString text;
    text.Format(IDS_PICTURE_LOAD_FAILED, file.GetString());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return;
  }
  doc->m_backPictureFile = file;
  delete doc->m_backPicture;
  doc->m_backPicture = picture.release();
  doc->m_useBackPicture = 1;
  view->Invalidate(FALSE);
  view->Select(nullptr, FALSE);
  doc->SetModifiedFlag(TRUE);
}

void CMainFrame::OnMakeExe() {
  CPackageDlg dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnMakeSetup() {
  CSetupPackDlg dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnMakeWebPage() {
  CWebPageDlg dialog(this);
  dialog.DoModal();
}
