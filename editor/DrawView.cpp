#include "editor/DrawView.h"

#include "framework/ui/Brush.h"
#include "framework/ui/DC.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"

IMPLEMENT_DYNCREATE(CDrawView, CView)

CDrawView::CDrawView() = default;

CDrawView::~CDrawView() { m_selection.RemoveAll(); }

CDrawDoc* CDrawView::GetDocument() const { return dynamic_cast<CDrawDoc*>(m_pDocument); }

void CDrawView::Select(CDrawObj* pObj, BOOL bAdd) {
  if (!bAdd) {
    for (POSITION pos = m_selection.GetHeadPosition(); pos;) InvalObj(static_cast<CDrawObj*>(m_selection.GetNext(pos)));
    for (POSITION pos = m_selection.GetHeadPosition(); pos;)
      static_cast<CDrawObj*>(m_selection.GetNext(pos))->OnDeselect(this);
    m_selection.RemoveAll();
  }
  if (!pObj || IsSelected(pObj)) return;
  if (!pObj->m_locked) m_selection.AddTail(pObj);
  pObj->OnSelect(this);
  InvalObj(pObj);
}

void CDrawView::Deselect(CDrawObj* pObj) {
  if (POSITION pos = m_selection.Find(pObj)) m_selection.RemoveAt(pos);
}

BOOL CDrawView::IsSelected(const CObject* pDocItem) const {
  return m_selection.Find(const_cast<CObject*>(pDocItem)) != nullptr;
}

CDrawObj* CDrawView::GetLastSelected() const {
  return m_selection.IsEmpty() ? nullptr : static_cast<CDrawObj*>(m_selection.GetTail());
}

BOOL CDrawView::InvalObj(CDrawObj*) {
  Invalidate(FALSE);
  return TRUE;
}

void CDrawView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(192, 192, 192));
}
