// COlePropertyPage: a property page of a control, shown in the system's property frame.
// The page is a child dialog from a template of the resource module; its caption (the
// frame's tab) is a string of that module.
#pragma once

#include <ocidl.h>

#include <vector>

#include "framework/core/ComPtr.h"
#include "framework/ui/Dialog.h"

class COlePropertyPage : public CDialog, public IPropertyPage {
 public:
  COlePropertyPage(UINT dialogId, UINT captionId);
  ~COlePropertyPage() override;

  CString GetCaption() const;
  // The objects the frame shows the page for.
  const std::vector<ComPtr<IUnknown>>& GetObjects() const { return m_objects; }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT command) override;
  STDMETHODIMP Move(LPCRECT rect) override;
  STDMETHODIMP IsPageDirty() override { return S_FALSE; }
  STDMETHODIMP Apply() override;
  STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG* msg) override;

 private:
  // The template's size in pixels.
  SIZE TemplateSize() const;

  UINT m_captionId;
  LONG m_refs = 0;
  ComPtr<IPropertyPageSite> m_site;
  std::vector<ComPtr<IUnknown>> m_objects;
};
