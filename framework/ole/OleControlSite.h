// COleControlSite: the container's side of one ActiveX control hosted in a window
// (CWnd::CreateControl). It is the control's client site, in-place site and control
// site, answers the ambient properties, gives it a minimal in-place frame, and sinks the
// control's default source of events into the window's event handlers. The window
// object owns the site; the control is released before the site goes, so the
// interfaces handed out are not counted.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "framework/core/ComPtr.h"
#include "framework/core/Rect.h"
#include "framework/ui/Wnd.h"

class COleControlSite : public CWndControlSite,
                        public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleControlSite,
                        public IDispatch {
 public:
  COleControlSite(CWnd* pWnd, UINT nID, LPCSTR lpszName);
  ~COleControlSite() override;
  COleControlSite(const COleControlSite&) = delete;
  COleControlSite& operator=(const COleControlSite&) = delete;

  // Creates the control, activates it in place at rect (parent's client coordinates)
  // and binds its window to the owner. Everything is undone on failure.
  HRESULT CreateControl(REFCLSID clsid, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd);
  HRESULT InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       std::initializer_list<CInvokeArg> args);
  UINT GetID() const { return m_nID; }

  void MoveControl(const RECT& rect) override;
  void CloseControl() override;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow / IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                             LPRECT lprcPosRect, LPRECT lprcClipRect,
                                             LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;
  // IOleControlSite
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** ppDisp) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer, DWORD dwFlags) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }
  // IDispatch: the ambient properties
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                   UINT* puArgErr) override;

 private:
  // The in-place frame the control may ask for: the top-level window, no menus, no tools.
  class Frame : public IOleInPlaceFrame {
   public:
    explicit Frame(COleControlSite& site) : m_site(site) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

   private:
    COleControlSite& m_site;
  };

  // The control's default source of events, delivered to the windows' handlers.
  class EventSink : public IDispatch {
   public:
    explicit EventSink(COleControlSite& site) : m_site(site) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) override;

   private:
    COleControlSite& m_site;
  };

  HRESULT Activate(const RECT& rect);
  void ConnectEvents();
  void DisconnectEvents();
  void SetExtentFromPixels(const CRect& rect);
  void FireEvent(DISPID dispid, DISPPARAMS* pParams);

  CWnd* m_pWnd;
  UINT m_nID;
  CString m_name;  // the ambient display name
  HWND m_hWndParent = nullptr;
  CRect m_rect;  // in the parent's client coordinates
  BOOL m_bVisible = TRUE;
  BOOL m_bBound = FALSE;
  Frame m_frame;
  EventSink m_sink;
  IID m_sourceIid = IID_NULL;
  DWORD m_sinkCookie = 0;
  ComPtr<IOleObject> m_object;
  ComPtr<IOleInPlaceObject> m_inPlace;
  ComPtr<IDispatch> m_dispatch;
  ComPtr<IConnectionPoint> m_connection;
};
