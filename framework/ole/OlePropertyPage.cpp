#include "framework/ole/OlePropertyPage.h"

#include <cwchar>

#include "framework/core/Codepage.h"
#include "framework/core/Module.h"
#include "framework/ole/OleControlModule.h"

namespace {

LPOLESTR TaskString(const std::wstring& text) {
  auto* copy = static_cast<LPOLESTR>(::CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (copy) std::wmemcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

COlePropertyPage::COlePropertyPage(UINT dialogId, UINT captionId) : CDialog(dialogId), m_captionId(captionId) {
  AfxOleLockApp();
}

COlePropertyPage::~COlePropertyPage() { AfxOleUnlockApp(); }

CString COlePropertyPage::GetCaption() const {
  CString caption;
  caption.LoadString(m_captionId);
  return caption;
}

STDMETHODIMP COlePropertyPage::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IPropertyPage)) {
    *object = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COlePropertyPage::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) COlePropertyPage::Release() {
  const LONG refs = ::InterlockedDecrement(&m_refs);
  if (refs == 0) {
    m_refs = 1;
    if (m_hWnd) DestroyWindow();
    delete this;
  }
  return static_cast<ULONG>(refs);
}

STDMETHODIMP COlePropertyPage::SetPageSite(IPropertyPageSite* site) {
  m_site = ComPtr<IPropertyPageSite>::share(site);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
  if (m_hWnd) return E_UNEXPECTED;
  if (!Create(m_nIDTemplate, CWnd::FromHandle(parent))) return E_FAIL;
  if (rect) Move(rect);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Deactivate() {
  if (m_hWnd) DestroyWindow();
  return S_OK;
}

SIZE COlePropertyPage::TemplateSize() const {
  SIZE size = {0, 0};
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(m_nIDTemplate), reinterpret_cast<LPCSTR>(RT_DIALOG));
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  if (!bytes || ::SizeofResource(module, found) < 26) return size;
  // DLGTEMPLATEEX begins with version 1 and signature 0xFFFF; DLGTEMPLATE does not.
  const bool extended = bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  const BYTE* extent = bytes + (extended ? 22 : 14);
  const int cx = static_cast<short>(extent[0] | (extent[1] << 8));
  const int cy = static_cast<short>(extent[2] | (extent[3] << 8));
  const LONG units = ::GetDialogBaseUnits();
  size.cx = ::MulDiv(cx, LOWORD(units), 4);
  size.cy = ::MulDiv(cy, HIWORD(units), 8);
  return size;
}

STDMETHODIMP COlePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  info->cb = sizeof *info;
  info->pszTitle = TaskString(codepage::ToWide(GetCaption().str()));
  info->size = TemplateSize();
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  return info->pszTitle ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COlePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  if (count && !objects) return E_POINTER;
  m_objects.clear();
  for (ULONG i = 0; i < count; ++i) m_objects.push_back(ComPtr<IUnknown>::share(objects[i]));
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Show(UINT command) {
  if (!m_hWnd) return E_UNEXPECTED;
  ShowWindow(static_cast<int>(command));
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (!m_hWnd) return E_UNEXPECTED;
  MoveWindow(rect);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Apply() {
  if (m_hWnd) UpdateData(TRUE);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::TranslateAccelerator(MSG* msg) {
  return m_hWnd && msg && ::IsDialogMessageA(m_hWnd, msg) ? S_OK : S_FALSE;
}
