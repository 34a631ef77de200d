// CDrawView: Kordel's one view of the page document. It paints the page through an
// off-screen bitmap, keeps the selection (the head of m_selection was selected first,
// the tail last), runs the playback clock of a test run, and is where the object model
// reaches the editor (through CEditorHost): repainting an object, selecting, finding an
// object by name, the stacking order, starting and stopping the page's objects.
//
// Coordinates are the zoom view's: logical units with the origin at the page's centre
// and y pointing up. The page of w x h units is (-(w/2), -(h/2)) to (w/2, h/2).
#pragma once

#include <memory>

#include "behaviour/PageRun.h"
#include "editor/PageDropTarget.h"
#include "editor/ZoomView.h"
#include "framework/core/ObList.h"
#include "graphics/DibImage.h"
#include "model/DrawHost.h"

class CBitmap;
class CCmdUI;
class COleDataObject;
class CDrawDoc;
class CDrawObj;
class CMainFrame;
class CSoundRecorder;

class CDrawView : public CZoomView {
  DECLARE_DYNCREATE(CDrawView)

 public:
  // The shape of the current drawing tool, 0 the select tool (one for the program).
  static int s_nCurrentShape;
  // Makes another tool current; a tool still building an object (a polygon) abandons it
  // first, so nothing half-built stays on the page.
  static void SetCurrentShape(int shape);
  // The property grid's point picking: with an object selected, the pick tool becomes
  // current (its next click on one of the object's handles picks that point) and the
  // answer is 1; without a selection nothing changes and the answer is 0.
  int BeginPickPoint();

  // The context menu for a right click: the run's menu while running over no object with
  // events, none over one; while editing by the kind of object under the point, or the
  // page's menu (its window or full-screen form). 0 for none.
  static UINT ChooseContextMenu(BOOL running, BOOL arrowCursor, CDrawObj* under, BOOL fullScreen);

  CDrawView();
  ~CDrawView() override;

  CDrawDoc* GetDocument() const;

  // --- Selection and the object model's services ---
  // Without bAdd the selection is repainted, told it is deselected and emptied. Then
  // the object (unless null or already selected) is appended unless it is locked, and
  // in any case told it is selected and repainted. Select(null, FALSE) clears it.
  void Select(CDrawObj* pObj, BOOL bAdd = FALSE);
  // Selects (adding) every page object that meets the device rectangle and is not deleted.
  void SelectWithinRect(CRect rect, BOOL bAdd = FALSE);
  // Out of the selection without a repaint.
  void Deselect(CDrawObj* pObj);
  void DeselectWithRepaint(CDrawObj* pObj);
  BOOL IsSelected(const CObject* pDocItem) const override;
  CDrawObj* GetLastSelected() const;
  CDrawObj* GetFirstSelected() const;
  // Repaints the object's area later, without erasing: its drawing rectangle, grown by
  // the handles' margin when the view is active and the object selected, and by 1.
  BOOL InvalObj(CDrawObj* pObj);
  // The first page object (head to tail) named exactly so; with a non-zero trajectory
  // filter only objects whose trajectory flag equals it. Deleted objects are found too.
  CDrawObj* FindObjectByName(const CString& name, int trajectory);
  // The colour of the view's pixel under the cursor and that point (client units);
  // FALSE when the cursor is outside the client area.
  BOOL GetPixelAtCursor(COLORREF& colour, int& x, int& y);

  // The main frame's current style, for new objects.
  BOOL GetClosed() const;
  BOOL GetFilled() const;
  COLORREF GetLineColour() const;
  COLORREF GetFillColour() const;
  int GetLineWidth() const;
  // The GDI+ dash style of the frame's choice (0 solid to 4 dash-dot-dot) and its dash
  // cap (0 flat, 2 round, 3 triangle).
  int GetPenStyle() const;
  int GetDashCap() const;

  // --- Clipboard and drag and drop (DrawViewClipboard.cpp) ---
  // Copy puts the selection on the clipboard as "Kordel" data: the objects' records as
  // the page file writes its list, then each one's embedded media. Cut copies, then
  // deletes. Paste appends the clipboard's objects, renamed by kind, and selects them.
  void OnEditCopy();
  void OnEditCut();
  void OnEditPaste();
  // Reads "Kordel" data into the selection (nothing without it). The objects are read
  // into a list of their own first: data that fails to read (truncated, or from another
  // program under the same format name) leaves the selection empty, destroys what was
  // read and passes the failure on.
  void LoadClipboardObjects(COleDataObject* pDataObject);
  // The page's new name for a pasted object, by its kind, counted on; other kinds keep
  // theirs.
  static void GivePastedName(CDrawDoc& doc, CDrawObj& object);
  // 0 no private data; 1 "Object Kordel" (*pPoint: the drag's start point); 2 "Object
  // Draw" (*pIndex: the component's index). Blocks too short for their fields count as
  // missing. Without either the point is (0, 0).
  int GetDragInfo(COleDataObject* pDataObject, CPoint* pPoint, int* pIndex);
  DWORD OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DWORD OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave() override {}
  // A composite or glued component of the component window is copied onto the page,
  // centred on the point; other data changes nothing. Always TRUE.
  BOOL OnDrop(COleDataObject* pDataObject, DWORD dropEffect, CPoint point) override;

  // --- Editing commands (DrawViewEdit.cpp, DrawViewArrange.cpp, DrawViewText.cpp) ---
  void OnEditSelectAll();
  // Deleted objects stay in the page, flagged, with an undo entry each.
  void OnEditClear();
  void OnEditUndo();
  void OnEditRedo();
  void OnViewGrid();
  void OnViewAxes();
  void OnCompose();
  void OnDecompose();
  void OnUnglue();
  void OnToggleTrajectory();
  void OnAlignLeft();
  void OnAlignRight();
  void OnAlignTop();
  void OnAlignBottom();
  void OnAlignCentre();
  void OnCentreVertically();
  void OnCentreHorizontally();
  void OnSpaceHorizontally();
  void OnSpaceVertically();
  void OnSameWidth();
  void OnSameHeight();
  void OnSameSize();
  void OnMatchPictureSize();
  void OnAdjustShape();
  void OnTextBold();
  void OnTextItalic();
  void OnTextUnderline();
  void OnTextAlignLeft();
  void OnTextAlignCentre();
  void OnTextAlignRight();
  void OnUnlockAll();
  void OnHelpContents();
  void OnPageSettings();
  // The format bar's character format (WM_NOTIFY 0x1001 get, 0x1000 set, from control
  // 139): a CHARFORMATA follows the header. The result is always 1.
  void OnGetCharFormat(NMHDR* pNotify, LRESULT* pResult);
  void OnSetCharFormat(NMHDR* pNotify, LRESULT* pResult);

  // --- Stacking order (on the first selected object) ---
  void OnObjectForward();
  void OnObjectBackward();
  void OnObjectToFront();
  void OnObjectToBack();
  // "属性...": shows the property bar for the one selected object.
  void OnEditProperties();
  void OnUpdateEditProperties(CCmdUI* pCmdUI);

  // --- The page's run ---
  // Prepares every object of the page for playing; FALSE when one could not.
  BOOL StartObjects();
  // Gives every object its editing state back.
  void StopObjects();
  // Stops the clock and the objects without leaving the run (a page that cannot be
  // opened by a jump).
  void StopRunFromAction();
  // Ends a run (Esc, the exit action): back to editing, out of full screen.
  void OnExitRun();
  // F5: offers to save, goes full screen, starts the objects and the clock.
  void OnTestPage();
  void OnPauseRun();
  // Plays the last selected video in the editor from its next paint.
  void OnPreview();
  // Web publish: the FTP upload dialog, modal, without a parent.
  void OnWebPublish();
  // Starts a new recording (deleting the last recorder) or stops the one running.
  void OnRecordSound();
  void SetPlaybackClock(int tick) { m_run.SetPlaybackClock(tick); }
  BOOL IsPlaybackBreak() const { return m_run.IsPlaybackBreak(); }
  CPlaybackClock& GetClock() { return m_run.GetClock(); }
  // The page's run: clock, timer, pause and the run's input.
  CPageRun& GetRun() { return m_run; }
  void ClearDragState();

  // --- Painting ---
  void OnDraw(CDC* pDC) override;
  void DrawGrid(CDC* pDC);
  void DrawAxes(CDC* pDC);
  // The page's rectangle in logical units (top the larger y).
  CRect GetPageRect() const;
  // The printed page's size on a printer of this resolution: as wide as the printer's
  // page unless that makes it too tall.
  static CSize PrintableSize(int horzRes, int vertRes, int dpiX, int dpiY, CSize page);
  // Lays the scrolled area out for the document's page: the screen, or the page where
  // it is larger.
  void ApplyPageSizes();
  // Tells the user a paint failed for want of memory, once until a paint succeeds: a
  // running page repaints many times a second.
  void ReportPaintFailure();

  // --- Framework overrides ---
  void OnInitialUpdate() override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

  // --- State ---
  BOOL m_bFillBeforeTransition = TRUE;
  BOOL m_bRecording = FALSE;
  CPageDropTarget m_dropTarget;
  BOOL m_bDragAccepted = FALSE;
  CObList m_selection;
  BOOL m_bGrid = FALSE;
  BOOL m_bAxes = FALSE;
  COLORREF m_gridColour = RGB(189, 0, 0);
  BOOL m_bActive = FALSE;
  CDibImage m_printImage;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnDestroy() override;
  BOOL OnEraseBkgnd(CDC* pDC) override { return TRUE; }
  void OnTimer(UINT_PTR nIDEvent) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnContextMenu(CWnd* pWnd, CPoint pos) override;

 private:
  CMainFrame* Frame() const;
  int AppMode() const;
  void MoveFirstSelected(int where);
  void OnUpdateOneSelected(CCmdUI* pCmdUI);
  // The editing commands' tables (DrawViewEdit.cpp).
  void MapEditingCommands();
  // The commands that work with the media gallery (DrawViewGallery.cpp).
  void MapGalleryCommands();
  void OnExportComponent();
  void OnUpdateExportComponent(CCmdUI* pCmdUI);
  void OnWorkspaceSettings();
  void OnUpdateEditCommand(CCmdUI* pCmdUI);
  // Lines the selection up on its last object: which 0 left, 1 right, 2 top, 3 bottom,
  // 4 centre.
  void AlignSelection(int which);
  void CentreSelection(bool vertically);
  void SpaceSelection(bool horizontally);
  // Sets the other selected objects' width and/or height to the last one's.
  void SizeSelection(bool width, bool height);
  // Deleted objects back (undo) or deleted again (redo).
  void UndoRedo(bool undo);
  void ModifyText(int what);
  bool Running() const { return AppMode() != kModeEditing; }
  void OnUpdatePauseRun(CCmdUI* pCmdUI);
  // Marked only while a recording really runs.
  void OnUpdateRecordSound(CCmdUI* pCmdUI);
  void OnToolCommand(UINT nID);
  void OnUpdateToolCommand(CCmdUI* pCmdUI);
  // Editing-mode colour shapes (pen colour, colour picker, fill colour).
  void ApplyColourShape(UINT nFlags, CPoint point);
  void NudgeSelection(UINT nChar);
  void PrintPage(CDC* pPrinterDC, CBitmap& bitmap, CSize bitmapSize, int bitsPerPixel);

  CPageRun m_run;
  // A paint that failed for want of memory has told the user; the next ones keep quiet
  // until a paint succeeds again.
  BOOL m_bPaintFailureShown = FALSE;
  // The last recording's recorder, kept until the next recording starts.
  std::unique_ptr<CSoundRecorder> m_pRecorder;
};
