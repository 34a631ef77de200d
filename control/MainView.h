// CMainView: the control's page view. It has no window of its own: it draws into the
// control's window, which forwards its mouse, key and timer messages here, and it is
// what the page model reaches as the view of the control's thread.
#pragma once

#include "framework/ui/View.h"

class CMainDoc;

class CMainView : public CView {
 public:
  CMainView() = default;
  ~CMainView() override = default;

  void SetWindow(HWND window) { m_window = window; }
  HWND GetWindow() const { return m_window; }
  void SetDocument(CMainDoc* document) { m_document = document; }
  CMainDoc* GetDocument() const { return m_document; }
  void ShowWindow(int command);

  // The window class shows no cursor of its own, so the view chooses it on each move.
  void ClearClassCursor();
  // Page coordinates: one unit a pixel, y up, the origin at the centre of the window.
  virtual void PrepareDC(CDC* pDC);
  // Paints the page into a prepared device context.
  virtual void OnPaint(CDC* pDC);
  void OnDraw(CDC* pDC) override { OnPaint(pDC); }

  // Playback on the control's window: timer 3 stops.
  virtual void StopPlayback();
  // A timer message of the control's window.
  virtual void OnPlayTick(UINT_PTR id) {}

  // Input the control forwards (the page's triggers are served by the page run).
  void OnLButtonDown(UINT nFlags, CPoint point) override {}
  void OnLButtonUp(UINT nFlags, CPoint point) override {}
  void OnLButtonDblClk(UINT nFlags, CPoint point) override {}
  void OnRButtonDown(UINT nFlags, CPoint point) override {}
  void OnRButtonUp(UINT nFlags, CPoint point) override {}
  void OnMouseMove(UINT nFlags, CPoint point) override {}
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override {}
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override {}

 private:
  HWND m_window = nullptr;
  CMainDoc* m_document = nullptr;
};
