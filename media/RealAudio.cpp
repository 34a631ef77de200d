#include "media/RealAudio.h"

#include "media/MediaObjectHelpers.h"

const CLSID CLSID_RealPlayer = {0xcfcdaa03, 0x8be4, 0x11cf, {0xb8, 0x4b, 0x00, 0x20, 0xaf, 0xbb, 0xcc, 0xfa}};

namespace {

// The player's dispatch ids.
constexpr DISPID kAutoStart = 295;
constexpr DISPID kShowImage = 275;
constexpr DISPID kControls = 104;
constexpr DISPID kSource = 102;
constexpr DISPID kLoop = 231;
constexpr DISPID kShortSetting = 227;
constexpr DISPID kDoPlay = 257;
constexpr DISPID kDoStop = 202;
constexpr DISPID kPlayState = 260;
constexpr DISPID kPlaysAgain = 230;
constexpr DISPID kRestartSetting = 269;
// Its events.
constexpr DISPID kStateChange = 1013;
constexpr DISPID kStopSignal = 1020;

}  // namespace

CRealAudio::CRealAudio(const CLSID& clsid)
    : m_clsid(clsid), m_stopEvent(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  MapEvent(kControlId, kStateChange, &CRealAudio::OnStateChange);
  MapEvent(kControlId, kStopSignal, &CRealAudio::SignalStop);
}

CRealAudio::~CRealAudio() = default;

BOOL CRealAudio::Create(const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateControl(m_clsid, nullptr, WS_CHILD | WS_VISIBLE, rect, pParentWnd, nID);
}

void CRealAudio::Load(const CString& path) {
  InvokeHelper(kAutoStart, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {false});
  InvokeHelper(kShowImage, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {true});
  InvokeHelper(kControls, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {"Imagewindow"});
  InvokeHelper(kSource, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {path});
}

void CRealAudio::Start(BOOL loop) {
  InvokeHelper(kLoop, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {loop != FALSE});
  InvokeHelper(kShortSetting, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {short(99)});
  InvokeHelper(kDoPlay, DISPATCH_METHOD, VT_EMPTY, nullptr);
}

long CRealAudio::QueryPlayState() {
  long state = 0;
  InvokeHelper(kPlayState, DISPATCH_PROPERTYGET, VT_I4, &state);
  return state;
}

BOOL CRealAudio::Halt() {
  // Reset before the stop: a player that reports its stop at once must find it set.
  ::ResetEvent(m_stopEvent.get());
  if (!m_hWnd || QueryPlayState() == 0) return FALSE;
  InvokeHelper(kLoop, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {false});
  InvokeHelper(kDoStop, DISPATCH_METHOD, VT_EMPTY, nullptr);
  return TRUE;
}

BOOL CRealAudio::WaitForStop(DWORD timeout) {
  if (m_waiting || !m_stopEvent) return FALSE;
  m_waiting = TRUE;
  const DWORD start = ::GetTickCount();
  HANDLE event = m_stopEvent.get();
  BOOL stopped = FALSE;
  for (;;) {
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= timeout) break;
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &event, timeout - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) {
      stopped = TRUE;
      break;
    }
    if (woke != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    bool quit = false;
    while (!quit && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The loop that owns the thread ends it, after this wait.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        quit = true;
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (quit) break;
  }
  m_waiting = FALSE;
  return stopped;
}

void CRealAudio::OnStateChange(long state) {
  m_playState = static_cast<int>(state);
  if (state == 0) {
    BOOL again = FALSE;
    if (SUCCEEDED(InvokeHelper(kPlaysAgain, DISPATCH_PROPERTYGET, VT_BOOL, &again)) && again) {
      InvokeHelper(kRestartSetting, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {0});
      InvokeHelper(kDoPlay, DISPATCH_METHOD, VT_EMPTY, nullptr);
    }
  } else if (state == 4) {
    InvokeHelper(kDoStop, DISPATCH_METHOD, VT_EMPTY, nullptr);
  }
}

void CRealAudio::SignalStop() {
  if (m_playState == 0) ::SetEvent(m_stopEvent.get());
}

BOOL CRealAudio::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP: PostPlayerInputToParent(m_hWnd, pMsg); break;
    default: break;
  }
  return CWnd::PreTranslateMessage(pMsg);
}
