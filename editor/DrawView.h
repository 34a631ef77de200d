// CDrawView: Kordel's view of the page document. It paints the page and keeps the
// selection: the head of m_selection was selected first, the tail last.
#pragma once

#include "framework/core/ObList.h"
#include "framework/ui/View.h"

class CDrawDoc;
class CDrawObj;

class CDrawView : public CView {
  DECLARE_DYNCREATE(CDrawView)

 public:
  CDrawView();
  ~CDrawView() override;

  CDrawDoc* GetDocument() const;

  // Without add the selection is emptied first; the object (unless null, already
  // selected or locked) is then appended, told it is selected and repainted.
  void Select(CDrawObj* pObj, BOOL bAdd = FALSE);
  void Deselect(CDrawObj* pObj);
  BOOL IsSelected(const CObject* pDocItem) const override;
  CDrawObj* GetLastSelected() const;
  // Repaints the object's area later, without erasing.
  BOOL InvalObj(CDrawObj* pObj);

  void OnDraw(CDC* pDC) override;

  CObList m_selection;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC) override { return TRUE; }
};
