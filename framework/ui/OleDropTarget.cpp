#include "framework/ui/OleDropTarget.h"

#include "framework/ui/View.h"

COleDropTarget::COleDropTarget() : m_target(*this) {}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (!pWnd || !pWnd->m_hWnd || m_hWnd) return FALSE;
  if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, &m_target))) return FALSE;
  m_hWnd = pWnd->m_hWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (!m_hWnd) return;
  ::RevokeDragDrop(m_hWnd);
  m_hWnd = nullptr;
  m_dataObject.Release();
}

CWnd* COleDropTarget::Window() const { return m_hWnd ? CWnd::FromHandlePermanent(m_hWnd) : nullptr; }

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
  POINT point = {pt.x, pt.y};
  ::ScreenToClient(m_hWnd, &point);
  return CPoint(point.x, point.y);
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  auto* view = dynamic_cast<CView*>(pWnd);
  return view ? view->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  auto* view = dynamic_cast<CView*>(pWnd);
  return view ? view->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd) {
  if (auto* view = dynamic_cast<CView*>(pWnd)) view->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  auto* view = dynamic_cast<CView*>(pWnd);
  return view && view->OnDrop(pDataObject, dropEffect, point);
}

// ---------------------------------------------------------------------------------
// The interface

HRESULT COleDropTarget::Target::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *ppv = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

HRESULT COleDropTarget::Target::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  m_owner.m_dataObject.Attach(data, FALSE);
  CWnd* window = m_owner.Window();
  // Only an effect the source offers may be answered.
  *effect &= window ? m_owner.OnDragEnter(window, &m_owner.m_dataObject, keys, m_owner.ClientPoint(pt)) : 0;
  return S_OK;
}

HRESULT COleDropTarget::Target::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  CWnd* window = m_owner.Window();
  *effect &= window ? m_owner.OnDragOver(window, &m_owner.m_dataObject, keys, m_owner.ClientPoint(pt)) : 0;
  return S_OK;
}

HRESULT COleDropTarget::Target::DragLeave() {
  if (CWnd* window = m_owner.Window()) m_owner.OnDragLeave(window);
  m_owner.m_dataObject.Release();
  return S_OK;
}

HRESULT COleDropTarget::Target::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  m_owner.m_dataObject.Attach(data, FALSE);
  CWnd* window = m_owner.Window();
  const CPoint point = m_owner.ClientPoint(pt);
  DROPEFFECT chosen = window ? (m_owner.OnDragOver(window, &m_owner.m_dataObject, keys, point) & *effect) : 0;
  if (chosen && !m_owner.OnDrop(window, &m_owner.m_dataObject, chosen, point)) chosen = DROPEFFECT_NONE;
  if (!chosen && window) m_owner.OnDragLeave(window);
  *effect = chosen;
  m_owner.m_dataObject.Release();
  return S_OK;
}
