// COleControl: the base of an ActiveX control. One C++ object is both the control's
// window (a CWnd, made when the container activates it in place) and its COM object:
// embedding (IOleObject), in-place activation, IOleControl, drawing into any device
// context (IViewObject2), persistence in streams and property bags through
// DoPropExchange, IDispatch over the control's type library, class information, an
// event source without events, and its property pages (the Properties verb).
//
// Containers differ in the order they talk to a control: some call InitNew before
// SetClientSite, some never offer ambient properties, some ignore OnPosRectChange. The
// control copes with each: ambient properties fall back to their defaults, and a size
// change the site does not take is applied to the control's own window.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <vector>

#include "framework/core/Rect.h"
#include "framework/core/ComPtr.h"
#include "framework/ui/Wnd.h"

class CDC;
class CPropExchange;
class COleConnectionPoint;

// What identifies a control class to COM.
struct OleControlIdentity {
  CLSID clsid;
  GUID typeLib;
  WORD verMajor;
  WORD verMinor;
  IID dispatch;  // the control's dispinterface
  IID events;    // its (outgoing) event dispinterface
  DWORD miscStatus;
  std::vector<CLSID> propertyPages;
};

class COleControl : public CWnd,
                    public IOleObject,
                    public IOleInPlaceObject,
                    public IOleInPlaceActiveObject,
                    public IOleControl,
                    public IViewObject2,
                    public IPersistStreamInit,
                    public IPersistPropertyBag,
                    public IDispatch,
                    public IProvideClassInfo2,
                    public IConnectionPointContainer,
                    public ISpecifyPropertyPages {
 public:
  explicit COleControl(const OleControlIdentity& identity);
  ~COleControl() override;

  const OleControlIdentity& GetIdentity() const { return m_identity; }

  // --- What a control supplies ---
  // Loads or saves (or, for a reset, loads the defaults of) the properties.
  virtual void DoPropExchange(CPropExchange* pPX);
  // Back to the default properties (InitNew).
  virtual void OnResetState();
  // Paints into the window or into a container's device context.
  virtual void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) {}
  // The control's registered type library (the caller releases it); falls back to the
  // module's own TYPELIB 1 when it is not registered.
  virtual ITypeLib* GetTypeLib(LCID lcid);

  // --- Services for the control ---
  void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
  BOOL IsModified() const { return m_bModified; }
  // Asks the container for the new size in pixels; applied to the window directly when
  // the container does not answer.
  void SetControlSize(int cx, int cy);
  // An ambient property of the container, or FALSE when it has none.
  BOOL GetAmbientProperty(DISPID id, VARTYPE type, VARIANT* value);
  // TRUE unless the container says it is in design mode.
  BOOL AmbientUserMode();
  BOOL IsInPlaceActive() const { return m_bInPlaceActive; }
  IOleClientSite* GetClientSite() const { return m_clientSite.get(); }
  // Shows the property pages in a property frame, through the modal sink.
  void OnProperties();

  // A string property of the dispatch interface: the getter returns a new BSTR, the
  // setter takes code-page-936 text.
  template <class T>
  void MapStringProperty(DISPID id, BSTR (T::*getter)(), void (T::*setter)(const char*)) {
    m_properties.push_back({id, [this, getter]() { return (static_cast<T*>(this)->*getter)(); },
                            [this, setter](const char* text) { (static_cast<T*>(this)->*setter)(text); }});
  }

  // --- IUnknown ---
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // --- IOleObject ---
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* activeSite, LONG index, HWND parent,
                      LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // --- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject ---
  using CWnd::GetWindow;
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

  // --- IOleControl ---
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
  STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

  // --- IViewObject2 ---
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetInfo, HDC dc,
                    LPCRECTL bounds, LPCRECTL windowBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                    ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

  // --- IPersistStreamInit, IPersistPropertyBag ---
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP IsDirty() override { return m_bModified ? S_OK : S_FALSE; }
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  // --- IDispatch ---
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argError) override;

  // --- IProvideClassInfo2 ---
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

  // --- IConnectionPointContainer ---
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // --- ISpecifyPropertyPages ---
  STDMETHODIMP GetPages(CAUUID* pages) override;

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

 private:
  struct DispProperty {
    DISPID id;
    std::function<BSTR()> get;
    std::function<void(const char*)> set;
  };

  HRESULT ActivateInPlace(BOOL uiActivate, IOleClientSite* activeSite, HWND parentHint, LPCRECT positionHint);
  HRESULT LoadTypeInfo(ITypeInfo** info, REFGUID guid);
  // Runs DoPropExchange over the exchange; its error when the exchange failed.
  HRESULT Exchange(CPropExchange& exchange);

  OleControlIdentity m_identity;
  LONG m_refs = 0;
  BOOL m_bModified = FALSE;
  BOOL m_bInPlaceActive = FALSE;
  BOOL m_bUIActive = FALSE;
  SIZEL m_extent;  // HIMETRIC
  CRect m_position;
  ComPtr<IOleClientSite> m_clientSite;
  ComPtr<IOleInPlaceSite> m_inPlaceSite;
  ComPtr<IOleAdviseHolder> m_adviseHolder;
  ComPtr<IAdviseSink> m_viewSink;
  DWORD m_viewAspects = 0;
  DWORD m_viewFlags = 0;
  COleConnectionPoint* m_eventPoint = nullptr;
  std::vector<DispProperty> m_properties;
};
