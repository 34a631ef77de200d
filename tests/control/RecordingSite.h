// A container's site for the control in its tests: it places the control in a given
// window and records, in order, what the control asked of it.
#pragma once

#include <ole2.h>
#include <oleidl.h>

#include <string>
#include <vector>

class RecordingSite : public IOleClientSite, public IOleInPlaceSite {
 public:
  explicit RecordingSite(HWND window) : m_window(window) {}
  virtual ~RecordingSite() = default;

  std::vector<std::string> calls;
  // What OnPosRectChange answers (some containers ignore it).
  HRESULT posRectAnswer = E_NOTIMPL;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
      *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
      *object = static_cast<IOleInPlaceSite*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // The test owns the site on its stack.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP SaveObject() override { return Record("SaveObject", E_NOTIMPL); }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return Record("GetMoniker", E_NOTIMPL); }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return Record("GetContainer", E_NOINTERFACE);
  }
  STDMETHODIMP ShowObject() override { return Record("ShowObject", S_OK); }
  STDMETHODIMP OnShowWindow(BOOL) override { return Record("OnShowWindow", S_OK); }
  STDMETHODIMP RequestNewObjectLayout() override { return Record("RequestNewObjectLayout", E_NOTIMPL); }

  STDMETHODIMP GetWindow(HWND* window) override {
    *window = m_window;
    return Record("GetWindow", S_OK);
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return Record("CanInPlaceActivate", S_OK); }
  STDMETHODIMP OnInPlaceActivate() override { return Record("OnInPlaceActivate", S_OK); }
  STDMETHODIMP OnUIActivate() override { return Record("OnUIActivate", S_OK); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO) override {
    *frame = nullptr;
    *document = nullptr;
    ::SetRect(position, 0, 0, 300, 200);
    *clip = *position;
    return Record("GetWindowContext", S_OK);
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return Record("OnUIDeactivate", S_OK); }
  STDMETHODIMP OnInPlaceDeactivate() override { return Record("OnInPlaceDeactivate", S_OK); }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return Record("OnPosRectChange", posRectAnswer); }

 private:
  HRESULT Record(const char* call, HRESULT result) {
    calls.emplace_back(call);
    return result;
  }
  HWND m_window;
};
