// CDrawView: Kordel's one view of the page document. It paints the page through an
// off-screen bitmap, keeps the selection (the head of m_selection was selected first,
// the tail last), runs the playback clock of a test run, and is where the object model
// reaches the editor (through CEditorHost): repainting an object, selecting, finding an
// object by name, the stacking order, starting and stopping the page's objects.
//
// Coordinates are the zoom view's: logical units with the origin at the page's centre
// and y pointing up. The page of w x h units is (-(w/2), -(h/2)) to (w/2, h/2).
#pragma once

#include "behaviour/PageRun.h"
#include "editor/PageDropTarget.h"
#include "editor/ZoomView.h"
#include "framework/core/ObList.h"
#include "graphics/DibImage.h"
#include "model/DrawHost.h"

class CBitmap;
class CDrawDoc;
class CDrawObj;
class CMainFrame;

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
  bool Running() const { return AppMode() != kModeEditing; }
  void OnUpdatePauseRun(CCmdUI* pCmdUI);
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
};
