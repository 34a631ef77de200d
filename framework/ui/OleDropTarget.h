// COleDropTarget: makes a window a target of OLE drag and drop. Registered for a window,
// it passes the drag's enter, over, leave and drop on to its own virtual members, which
// by default hand them to the window when it is a view (CView::OnDragEnter and the
// others) with the dragged data as a COleDataObject and the point in client coordinates.
// The window's owner keeps the object; it is revoked when destroyed.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/core/Point.h"
#include "framework/ui/CmdTarget.h"
#include "framework/ui/OleDataObject.h"

class CWnd;

using DROPEFFECT = DWORD;

class COleDropTarget : public CCmdTarget {
 public:
  COleDropTarget();
  ~COleDropTarget() override;

  // FALSE when the system refuses (OLE not initialised on the thread, already registered).
  BOOL Register(CWnd* pWnd);
  void Revoke();
  HWND GetWindow() const { return m_hWnd; }
  // The interface the system calls; the object keeps it alive (not counted).
  IDropTarget* GetInterface() { return &m_target; }

  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

 private:
  class Target : public IDropTarget {
   public:
    explicit Target(COleDropTarget& owner) : m_owner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

   private:
    COleDropTarget& m_owner;
  };

  CWnd* Window() const;
  CPoint ClientPoint(POINTL pt) const;

  Target m_target;
  HWND m_hWnd = nullptr;
  COleDataObject m_dataObject;  // what is being dragged over the window
};
