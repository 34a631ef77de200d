// CMainView: the control's page view. It has no window of its own: it draws into the
// control's window, which forwards its mouse, key and timer messages here, and it is
// what the page model reaches as the view of the control's thread.
//
// Page coordinates: one unit a pixel, y up, the page's centre at the centre of the
// window. The page is painted off screen and copied (or played in through its entry
// transition). The page's run (its clock on timer 3 and the input that becomes the
// objects' triggers) is the run every program's view owns.
#pragma once

#include "behaviour/PageRun.h"
#include "framework/ui/View.h"

class CMainDoc;

class CMainView : public CView {
 public:
  // The period of the playback timer.
  static constexpr UINT kTickPeriodMs = 50;
  // The period a page plays on with after a jump.
  static constexpr UINT kJumpPeriodMs = 55;
  // What SetStatus reports.
  enum Status { statusNone = 0, statusDownloading = 1, statusLoaded = 2, statusNotFound = 3, statusDamaged = 4 };

  // The cursor over objects with events, a resource of the control's module.
  static constexpr UINT kObjectCursor = 201;

  CMainView();
  // The document (the control's, not owned) does not list its views, and may be gone.
  ~CMainView() override { m_pDocument = nullptr; }

  void SetWindow(HWND window);
  HWND GetWindow() const { return m_window; }
  void SetDocument(CMainDoc* document);
  CMainDoc* GetDocument() const { return m_document; }
  void ShowWindow(int command);

  // The window class shows no cursor of its own, so the view chooses it on each move.
  void ClearClassCursor();
  virtual void PrepareDC(CDC* pDC);
  // Paints the page into a context prepared by PrepareDC.
  virtual void OnPaint(CDC* pDC);
  void OnDraw(CDC* pDC) override { OnPaint(pDC); }

  // Repaints the whole window later.
  void InvalidateWindow(BOOL erase);
  // A non-zero status repaints the rectangle (device units; the whole window when null).
  void SetStatus(int status, BOOL erase, const RECT* rect);
  int GetStatus() const { return m_status; }

  // The clock, and the flag that ends a walk over the objects in progress.
  void SetPlaybackClock(int tick) { m_run.SetPlaybackClock(tick); }
  int GetPlaybackClock() const { return m_run.GetTick(); }
  bool IsPlaybackBreak() const { return m_run.IsPlaybackBreak() != FALSE; }
  CPageRun& GetRun() { return m_run; }

  // Every object keeps its state for the run; the page's transition plays at the next paint.
  virtual void SaveObjectStates();
  // Every object back to its saved state, the clock at 0.
  virtual void ResetObjects();
  // The page shown whole, then played: timer 3, the keyboard focus, the clock from 0.
  virtual void StartPlayback();
  virtual void StopPlayback();
  // A timer message of the control's window.
  virtual void OnPlayTick(UINT_PTR id);

  // Input the control forwards, in the control's client pixels; the page run turns it
  // into the objects' triggers. A press and Enter give the control the keyboard focus.
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;
  void OnRButtonUp(UINT nFlags, CPoint point) override;
  // Over an object with events the window's class shows the object cursor, elsewhere none.
  void OnMouseMove(UINT nFlags, CPoint point) override;
  // Only Enter counts: the typed answer of the focused text object.
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

 protected:
  // Seams of the paint: the transition renderer, and whether the target is a printer.
  virtual void RenderTransition(HDC target, HDC source, const RECT& rect, int kind, int direction, int delay);
  virtual bool IsPrinter(CDC* pDC) const;

 private:
  // The page's rectangle in device units of a prepared context.
  CRect PageRectOnDevice(CDC* pDC) const;
  void PaintBuffered(CDC* pDC, const CRect& rect);

  void TakeFocus();

  HWND m_window = nullptr;
  CMainDoc* m_document = nullptr;
  CPageRun m_run;
  int m_status = statusNone;
  // The curtain colour goes up before the first transition only.
  BOOL m_firstFill = TRUE;
};
