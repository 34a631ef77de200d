#include "control/RaveloCtrl.h"

#include <oleacc.h>

#include "control/MainDoc.h"
#include "control/MainView.h"
#include "control/RaveloIds.h"
#include "control/ThreadContextMap.h"
#include "framework/core/MessageBox.h"
#include "framework/ole/Bstr.h"
#include "framework/core/ComPtr.h"
#include "framework/ole/OleControlModule.h"
#include "framework/ole/OleRegistration.h"
#include "framework/ole/PropExchange.h"
#include "framework/ui/WinApp.h"
#include "media/GdiplusSession.h"
#include "resources/Tamrix.h"

namespace {

OleControlIdentity RaveloIdentity() {
  return {kRaveloCtrlClsid, kTamrixTypeLib, kTamrixVerMajor, kTamrixVerMinor, kRaveloDispatchIid,
          kRaveloEventsIid, kRaveloMiscStatus, {kRaveloPropPageClsid}};
}

IUnknown* CreateRaveloCtrl() {
  auto* control = new CRaveloCtrl;
  IUnknown* unknown = static_cast<IOleObject*>(control);
  unknown->AddRef();
  return unknown;
}

// The page's text in the system code page; empty when the address has characters the
// code page cannot show (a mangled address would name another page).
CString AddressFromWide(BSTR url) {
  if (!url) return CString();
  const int length = static_cast<int>(::SysStringLen(url));
  if (length == 0) return CString();
  BOOL lossy = FALSE;
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, url, length, nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return CString();
  std::string narrow(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, url, length, &narrow[0], size, nullptr, &lossy);
  if (lossy || narrow.find('\0') != std::string::npos) return CString();
  return CString(narrow);
}

}  // namespace

// A static object, so that DllGetClassObject finds it from the module's start.
namespace {
COleObjectFactoryEx g_raveloFactory(kRaveloCtrlClsid, kRaveloCtrlProgId, &CreateRaveloCtrl,
                                    &CRaveloCtrl::UpdateRegistry);
}  // namespace

COleObjectFactoryEx& CRaveloCtrl::Factory() { return g_raveloFactory; }

BOOL CRaveloCtrl::UpdateRegistry(BOOL bRegister) {
  if (!bRegister) return AfxOleUnregisterClass(kRaveloCtrlClsid, kRaveloCtrlProgId);
  return AfxOleRegisterControlClass(AfxGetControlInstance(), kRaveloCtrlClsid, kRaveloCtrlProgId, IDS_RAVELO,
                                    IDB_RAVELO, afxRegApartmentThreading, kRaveloMiscStatus, kTamrixTypeLib,
                                    kTamrixVerMajor, kTamrixVerMinor);
}

CRaveloCtrl::CRaveloCtrl() : COleControl(RaveloIdentity()) {
  MapStringProperty(kDispidSRC, &CRaveloCtrl::GetSRC, &CRaveloCtrl::SetSRC);
  MapMessage(kPageSizeMessage, &CRaveloCtrl::OnPageSize);
  MapMessage(WM_CTLCOLOREDIT, &CRaveloCtrl::OnCtlColorEdit);
}

CRaveloCtrl::~CRaveloCtrl() = default;

// ---------------------------------------------------------------------------------
// The property

BSTR CRaveloCtrl::GetSRC() { return CBstr::FromNarrow(m_src).Detach(); }

void CRaveloCtrl::SetSRC(const char* text) {
  m_src = text ? text : "";
  ReadHostAddress();
  if (m_document && !m_src.IsEmpty()) m_document->LoadPage(m_hostAddress, m_src);
  SetModifiedFlag(TRUE);
}

void CRaveloCtrl::DoPropExchange(CPropExchange* pPX) {
  DWORD version = 0x10000;
  pPX->ExchangeVersion(version, 0x10000, TRUE);
  COleControl::DoPropExchange(pPX);
  CString src = m_src;
  // Saving must not reload the page: only a loaded value is applied.
  if (PX_String(pPX, "SRC", src, "\x01") && pPX->IsLoading()) SetSRC(src);
}

// ---------------------------------------------------------------------------------
// The hosting web page

IHTMLDocument2* CRaveloCtrl::GetHostDocument(HWND window) {
  HMODULE oleacc = ::LoadLibraryA("OLEACC.DLL");
  if (!oleacc) {
    AfxMessageBox("需要IE5.0以上");
    return nullptr;
  }
  IHTMLDocument2* document = nullptr;
  if (window) {
    static const UINT message = ::RegisterWindowMessageA("WM_HTML_GETOBJECT");
    DWORD_PTR result = 0;
    const bool answered =
        ::SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, kHostTimeoutMs, &result) != 0;
    using ObjectFromLresultFn = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);
    auto objectFromLresult =
        reinterpret_cast<ObjectFromLresultFn>(reinterpret_cast<void*>(::GetProcAddress(oleacc, "ObjectFromLresult")));
    if (answered && result && objectFromLresult)
      objectFromLresult(static_cast<LRESULT>(result), IID_IHTMLDocument2, 0, reinterpret_cast<void**>(&document));
  }
  ::FreeLibrary(oleacc);
  return document;
}

void CRaveloCtrl::ReadHostAddress() {
  // The page is asked on the grandparent first, as a browser nests its controls; other
  // containers nest differently, so the ancestors above are asked in turn.
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  HWND window = parent ? ::GetParent(parent) : nullptr;
  ComPtr<IHTMLDocument2> document(GetHostDocument(window));
  HWND desktop = ::GetDesktopWindow();
  while (!document && window && window != desktop) {
    window = ::GetAncestor(window, GA_PARENT);
    if (!window || window == desktop) break;
    document = ComPtr<IHTMLDocument2>(GetHostDocument(window));
  }
  if (!document) return;
  CBstr url;
  if (FAILED(document->get_URL(url.Put()))) url = CBstr();
  m_hostAddress = AddressFromWide(url.Get());
}

// ---------------------------------------------------------------------------------
// Window

BOOL CRaveloCtrl::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  return COleControl::PreCreateWindow(cs);
}

bool CRaveloCtrl::StartGdiplus() {
  m_gdiplus = std::make_unique<CGdiplusSession>();
  return m_gdiplus->IsStarted();
}

CMainView* CRaveloCtrl::CreateView() { return new CMainView; }

int CRaveloCtrl::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (COleControl::OnCreate(lpCreateStruct) == -1) return -1;
  if (!StartGdiplus()) {
    AfxMessageBox("请先安装GDI+再运行");
    return 0;
  }
  CThreadContextMap& map = GetThreadContextMap();
  if (!map.AddCurrentThread()) {
    AfxMessageBox("控件初始化失败!");
    return 0;
  }
  m_view = CreateView();
  m_document = new CMainDoc;
  m_view->SetWindow(m_hWnd);
  m_view->SetDocument(m_document);
  m_document->SetView(m_view);
  map.SetView(m_view);
  map.SetDocument(m_document);
  map.SetControl(this);
  m_previousHost = SetDrawHost(&m_host);
  m_hostInstalled = true;
  m_view->ClearClassCursor();
  map.SetModuleHandle(AfxGetControlInstance());
  ReadHostAddress();
  m_document->LoadPage(m_hostAddress, m_src);
  AfxEnableControlContainer();
  return 0;
}

void CRaveloCtrl::OnDestroy() {
  COleControl::OnDestroy();
  CThreadContextMap& map = GetThreadContextMap();
  if (m_view && map.GetControl() == this) map.RemoveCurrentThread();
  if (m_view) m_view->StopPlayback();
  delete m_document;
  m_document = nullptr;
  delete m_view;
  m_view = nullptr;
  if (m_hostInstalled && GetDrawHost() == &m_host) SetDrawHost(m_previousHost);
  m_hostInstalled = false;
  m_gdiplus.reset();
}

void CRaveloCtrl::OnDraw(CDC* pDC, const CRect&, const CRect&) {
  if (!m_view) return;
  m_view->PrepareDC(pDC);
  m_view->OnPaint(pDC);
}

// ---------------------------------------------------------------------------------
// Messages. Each gets its default processing first; a control whose start-up failed
// has no view and takes no input.

void CRaveloCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  COleControl::OnLButtonUp(nFlags, point);
  if (m_view) m_view->OnLButtonUp(nFlags, point);
}

void CRaveloCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  COleControl::OnLButtonDown(nFlags, point);
  if (m_view && m_view->GetWindow() == m_hWnd) m_view->OnLButtonDown(nFlags, point);
}

void CRaveloCtrl::OnRButtonUp(UINT nFlags, CPoint point) {
  COleControl::OnRButtonUp(nFlags, point);
  if (m_view) m_view->OnRButtonUp(nFlags, point);
}

void CRaveloCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
  COleControl::OnRButtonDown(nFlags, point);
  if (m_view) m_view->OnRButtonDown(nFlags, point);
}

void CRaveloCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  COleControl::OnKeyUp(nChar, nRepCnt, nFlags);
  if (m_view) m_view->OnKeyUp(nChar, nRepCnt, nFlags);
}

void CRaveloCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  COleControl::OnKeyDown(nChar, nRepCnt, nFlags);
  if (m_view) m_view->OnKeyDown(nChar, nRepCnt, nFlags);
}

void CRaveloCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  COleControl::OnMouseMove(nFlags, point);
  if (m_view) m_view->OnMouseMove(nFlags, point);
}

void CRaveloCtrl::OnTimer(UINT_PTR nIDEvent) {
  COleControl::OnTimer(nIDEvent);
  if (m_view) m_view->OnPlayTick(nIDEvent);
}

void CRaveloCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  COleControl::OnLButtonDblClk(nFlags, point);
  if (m_view) m_view->OnLButtonDblClk(nFlags, point);
}

LRESULT CRaveloCtrl::OnPageSize(WPARAM, LPARAM lParam) {
  SetControlSize(LOWORD(lParam), HIWORD(lParam));
  return 0;
}

LRESULT CRaveloCtrl::OnCtlColorEdit(WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(reinterpret_cast<HWND>(lParam), kEditColorMessage, wParam, lParam);
}

LPARAM CRaveloCtrl::MakePageSizeParam(int width, int height) {
  auto clamp = [](int value) { return value < 0 ? 0 : value > 0xFFFF ? 0xFFFF : value; };
  return static_cast<LPARAM>(MAKELONG(clamp(width), clamp(height)));
}
