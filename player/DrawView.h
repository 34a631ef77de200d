// CDrawView: the player's view. It shows the current page full screen with the page's
// centre at the centre of the view and y pointing up, one page unit to a pixel; plays it
// from timer 3 (50 ms for the home page, 55 ms after a jump or a pause); turns mouse
// input into the objects' triggers; and is the page's host: the object model reaches the
// player through this view (CPlayerHost forwards to it).
#pragma once

#include "behaviour/PageRun.h"
#include "framework/ui/OleDropTarget.h"
#include "framework/ui/View.h"
#include "player/PlayerHost.h"

class CDrawObj;
class CPlayerDoc;

class CDrawView : public CView {
  DECLARE_DYNCREATE(CDrawView)

 public:
  // Timer periods of the playback timer, in milliseconds.
  static constexpr UINT kFirstStartPeriod = CPageRun::kFirstStartPeriod;
  static constexpr UINT kResumePeriod = CPageRun::kResumePeriod;

  CDrawView();
  ~CDrawView() override;

  CPlayerDoc* GetPlayerDoc() const;

  void OnDraw(CDC* pDC) override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  void OnInitialUpdate() override;
  // Hint 0 repaints everything; hint 1 repaints the area of the object given.
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

  // --- Playback ---
  // Plays the home page from its start. A restart while playing first stops the running
  // page and empties the document, so nothing of the old run is left behind.
  void StartPlayback();
  // Prepares every object of the page for playing: FALSE when one of them cannot find
  // the object an event drives (the page then stays still).
  BOOL StartObjects();
  // Gives every object back the state it had before playing; the clock goes to 0.
  void StopObjects();
  // The clock to tick, and the walk over the page ended before its next object.
  void SetPlaybackClock(int tick) { m_run.SetPlaybackClock(tick); }
  BOOL IsPlaybackBreak() const { return m_run.IsPlaybackBreak(); }
  int GetTick() const { return m_run.GetTick(); }
  // Timer 3: stopped, or started with the period given.
  void KillPlaybackTimer() { m_run.KillTimer(); }
  void SetPlaybackTimer(UINT period) { m_run.SetTimer(period); }
  // The period timer 3 runs at, 0 while it is stopped.
  UINT GetTimerPeriod() const { return m_run.GetTimerPeriod(); }
  BOOL IsPaused() const { return m_run.IsPaused(); }
  // The page's run: clock, timer, pause and the run's input.
  CPageRun& GetRun() { return m_run; }
  // A page-switch action: the named page of the package replaces the current one and
  // plays from its start; the same page restarts without being read again. When the
  // package has no readable page of that name the player ends.
  BOOL GoToPage(const CString& name);
  // Forgets the object being dragged and the one under the pointer.
  void ClearDragState();

  // --- The host's view of the page ---
  CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) const;
  // The selection of the layer actions: one object at a time, moved one place in the
  // page's list.
  void SelectObject(CDrawObj* object);
  CDrawObj* GetSelectedObject() const { return m_selected; }
  void MoveSelected(bool forward);
  // Repaints the area the object was last drawn in.
  BOOL InvalidateObject(CDrawObj* object);
  void SetTargetMissing() { m_run.SetTargetMissing(); }

  // Page units to client pixels and back.
  CPoint PageToClient(CPoint page) const;
  CPoint ClientToPage(CPoint client) const;
  // The client pixel of page point (0, 0).
  CPoint PageOrigin() const;

  // --- Commands ---
  void OnExitRun();
  void OnPauseRun();

  // --- Objects dropped from other programs ("Object Kordel" data, DrawViewDrop.cpp) ---
  // The drag's start point (page units) that the data carries: FALSE without the format
  // or with a block too short to hold it.
  static BOOL GetDropOffset(COleDataObject* pDataObject, CPoint* pStart);
  DWORD OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DWORD OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  // The page object at the drag's start point moves by the drag's distance; dropped on
  // another object, the moved object's drop events that drive that object arm their
  // abilities.
  BOOL OnDrop(COleDataObject* pDataObject, DWORD dropEffect, CPoint point) override;
  // The drop itself, from the start point to the drop point (both page units).
  void DropObject(CPoint start, CPoint drop);

 protected:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnDestroy() override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  void OnTimer(UINT_PTR nIDEvent) override;
  void OnContextMenu(CWnd* pWnd, CPoint pos) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

 private:
  // The player ends: the clock stops and the application is asked to exit.
  void EndPlayer();
  // Paints the box (client pixels) through a memory image: black, and the page when one
  // is shown.
  void PaintPage(CDC* pDC, const CRect& box, bool showPage);
  // The page's rectangle in client pixels.
  CRect PageRectOnClient() const;

  CPlayerHost m_host;
  COleDropTarget m_dropTarget;
  CDrawHost* m_previousHost = nullptr;
  CPageRun m_run;
  CDrawObj* m_selected = nullptr;
  BOOL m_fillBeforeTransition = TRUE;
  BOOL m_active = FALSE;
  BOOL m_firstUpdatePending = TRUE;
};
