// CMainFrame: Kordel's frame window. It makes and docks the editor's bars, switches
// between the normal and the full-screen layout, keeps the current line, fill and text
// colours and line styles that the bars apply to the selection, turns files dropped on
// it into page content and opens the help file. The active page view sees every
// command before the frame.
//
#pragma once

#include <vector>

#include "framework/ui/FrameWnd.h"
#include "framework/ui/ImageList.h"
#include "framework/ui/Menu.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "editor/panels/FormatBar.h"
#include "editor/panels/GalleryPanel.h"
#include "editor/panels/PickerToolBar.h"
#include "editor/panels/PropToolBar.h"
#include "editor/panels/PropertyPanel.h"
#include "editor/panels/SizingBar.h"
#include "resources/KordelIds.h"

class CDrawMedia;
class CDrawObj;
class CDrawView;

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  // The bars whose visibility full screen saves, in the order it keeps them.
  static const UINT kSavedBars[8];

  CMainFrame();
  ~CMainFrame() override;

  // --- Operations of the view, the bars and the objects ---
  // Sets the pen width of every selected object and marks the page modified.
  void ApplyLineWidth(int width);
  // Scales every selected object by percent / 100 about the centre of its rectangle.
  void ScaleSelection(int percent);
  // The toggles' states, from a newly selected object; no object is touched.
  void SetClosedCheck(BOOL closed) { m_bClosed = closed; }
  void SetFilledCheck(BOOL filled) { m_bFilled = filled; }
  // Keeps the colour as the current one of its kind (0 line, 1 fill, 2 text) and gives
  // it to every selected object.
  void ApplyColour(COLORREF colour, int kind);
  // Opens the colour well of a kind (0 line, 1 fill, 2 text) under a button (screen
  // rectangle); a line or fill choice for the one selected object goes into it whole.
  // TRUE when a choice was made.
  BOOL PopupColour(int kind, const RECT& buttonRect);
  BOOL IsFullScreen() const { return m_bFullScreen; }
  CDrawView* GetDrawView() const;
  CStatusBar& GetStatusBar() { return m_wndStatusBar; }

  // --- Media files applied to the page (shell drops, gallery clicks) ---
  // Whether the object shows a picture file: pictures, shapes, texts, polygons.
  static bool HoldsPicture(const CDrawObj* object);
  // The file becomes the object's picture: loaded, repainted, the property panel told,
  // the page modified.
  void ApplyPictureFile(CDrawObj* object, const CString& file);
  // The file becomes the sound object's sound (the panel told, the page modified),
  // which then plays once.
  void ApplySoundFile(CDrawMedia* sound, const CString& file);
  // The picture becomes the page's background, switched on, and the selection is
  // emptied; a file that is no picture is reported and the old background kept.
  void DropOnBackground(const CString& file);

  void OnFullScreen();
  void OnHelpTopics();
  void OnMakeExe();
  void OnMakeSetup();
  void OnMakeWebPage();

  // --- State ---
  CMenu m_savedMenu;  // the frame's menu while full screen is on
  CToolBar m_wndToolBar;
  CToolBar m_wndAlignBar;
  CFormatBar m_wndFormatBar;
  CStatusBar m_wndStatusBar;
  CPropertyPanel m_wndPropertyPanel;
  CGalleryPanel m_wndGalleryPanel;
  CSizingBar m_wndPropertyBar;
  CSizingBar m_wndProgrammeBar;
  CPropToolBar m_wndEffectBar;
  CPickerToolBar m_wndToolBox;
  BOOL m_bClosed = FALSE;
  BOOL m_bFilled = FALSE;
  int m_nLineWidth = 1;
  int m_nDashStyle = 0;  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
  int m_nDashCap = 0;    // 0 flat, 2 round, 3 triangle
  int m_nStartCap = 0;
  int m_nEndCap = 0;
  COLORREF m_lineColour = 0;
  COLORREF m_fillColour = 0xFFFFFF;
  COLORREF m_lastColour = 0;
  COLORREF m_textColour = 0;
  BOOL m_bFullScreen = FALSE;
  BOOL m_savedBarVisible[8] = {FALSE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE};

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnDestroy() override;
  void OnDropFiles(HDROP hDropInfo) override;
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI) override;

 private:
  // The window rectangle of full screen: every edge of the frame off the screen.
  static CRect FullScreenRect();
  BOOL CreateToolBar(CToolBar& bar, UINT nID, UINT nResource, UINT nBitmap, COLORREF mask, DWORD dwStyle,
                     UINT nTitle);
  // Runs fn on every selected object of the active view; FALSE (nothing run) without a
  // view or a selection.
  template <class Fn>
  BOOL ForEachSelected(Fn fn);
  void SetPageModified();

  void OnExitRunCommand() { OnFullScreen(); }
  void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
  void OnTextColour() { ApplyColour(m_textColour, 2); }
  void OnLineColour() { ApplyColour(m_lineColour, 0); }
  void OnFillColour() { ApplyColour(m_fillColour, 1); }
  void OnDashStyle(UINT nID);
  void OnStartCap(UINT nID);
  void OnEndCap(UINT nID);
  void OnDashCap(UINT nID);
  void OnClosedToggle();
  void OnFillToggle();
  void OnUpdateClosedToggle(CCmdUI* pCmdUI);
  void OnUpdateFillToggle(CCmdUI* pCmdUI);
  void OnLock();
  void OnLineWidth() { ApplyLineWidth(m_nLineWidth); }
  void OnObjectScaling() {}
  // The format bar's drop-down button: the text-colour popup under it.
  void OnToolbarDropDown(NMHDR* pNotifyStruct, LRESULT* pResult);
  // The effect bar's drop-down arrows (line and fill colour) and its style menus.
  void OnEffectBarDropDown(NMHDR* pNotifyStruct, LRESULT* pResult);
  void OnStyleMenu(UINT nID);

  std::vector<CImageList> m_barImages;  // handed to the toolbars, which do not own them
};
