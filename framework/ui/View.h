// CView: a child window of a frame that shows a document. It paints through OnDraw
// (after OnPrepareDC), hears of document changes through OnUpdate, and receives
// commands before its document, which receives them before the frame. It deletes
// itself when its window is destroyed. Printing runs the print loop on its OnDraw.
#pragma once

#include <ole2.h>

#include "framework/ui/Wnd.h"

class CDC;
class CDocument;
class COleDataObject;
class CPrintInfo;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CView();
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  // When a document is shown in the view (each time one is opened).
  virtual void OnInitialUpdate();
  // The document changed: by default the whole view is repainted.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) {}
  virtual BOOL IsSelected(const CObject* pDocItem) const { return FALSE; }
  // Scrolling requests (a scrolling view answers them).
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) { return FALSE; }
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) { return FALSE; }

  // --- OLE drag and drop (through a COleDropTarget registered for the view) ---
  // What a drop here would do (DROPEFFECT_...); the point is in client coordinates.
  virtual DWORD OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { return DROPEFFECT_NONE; }
  virtual DWORD OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { return DROPEFFECT_NONE; }
  virtual void OnDragLeave() {}
  // TRUE when the data was taken.
  virtual BOOL OnDrop(COleDataObject* pDataObject, DWORD dropEffect, CPoint point) { return FALSE; }

  // --- Printing ---
  // Sets up pInfo (pages); the default asks DoPreparePrinting.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  // Asks for the printer (through the modal sink) unless pInfo->m_bDirect.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) { OnDraw(pDC); }
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  void OnFilePrint();
  // Shows what printing would print in the frame, in the view's place (CPreviewView).
  void OnFilePrintPreview();

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CDocument* m_pDocument = nullptr;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnPaint() override;
  void OnDestroy() override;
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;
  void PostNcDestroy() override;

 private:
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
};
