#include "media/ShockwaveFlash.h"

#include "media/MediaObjectHelpers.h"

const CLSID CLSID_ShockwaveFlash = {0xd27cdb6e, 0xae6d, 0x11cf, {0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {

// The player's dispatch ids.
constexpr DISPID kLoadMode = 135;
constexpr DISPID kMovie = 102;
constexpr DISPID kPlay = 0x70;
constexpr DISPID kStop = 0x71;
// Its events.
constexpr DISPID kReadyStateChange = -609;
constexpr DISPID kProgress = 0x7a6;
constexpr DISPID kFSCommand = 150;

void Trace(const CString& text) { ::OutputDebugStringA(text.GetString()); }

}  // namespace

CShockwaveFlash::CShockwaveFlash(const CLSID& clsid) : m_clsid(clsid) {
  MapEvent(kControlId, kReadyStateChange, &CShockwaveFlash::OnReadyStateChange);
  MapEvent(kControlId, kProgress, &CShockwaveFlash::OnProgress);
  MapEvent(kControlId, kFSCommand, &CShockwaveFlash::FSCommand);
}

BOOL CShockwaveFlash::Create(const RECT& rect, CWnd* pParentWnd, const CString& path) {
  if (!CreateControl(m_clsid, "Flash", WS_CHILD | WS_VISIBLE, rect, pParentWnd, kControlId)) return FALSE;
  InvokeHelper(kLoadMode, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {0});
  InvokeHelper(kMovie, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, {path});
  return TRUE;
}

void CShockwaveFlash::Play() { InvokeHelper(kPlay, DISPATCH_METHOD, VT_EMPTY, nullptr); }

void CShockwaveFlash::StopPlay() { InvokeHelper(kStop, DISPATCH_METHOD, VT_EMPTY, nullptr); }

BOOL CShockwaveFlash::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN || (pMsg->message >= WM_LBUTTONDOWN && pMsg->message <= WM_RBUTTONUP))
    PostPlayerInputToParent(m_hWnd, pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

void CShockwaveFlash::OnReadyStateChange(long newState) {
  CString text;
  text.Format("newState = %d\n", static_cast<int>(newState));
  Trace(text);
}

void CShockwaveFlash::OnProgress(long percentDone) {
  CString text;
  text.Format("percentDone = %d\n", static_cast<int>(percentDone));
  Trace(text);
}

void CShockwaveFlash::FSCommand(CString command, long args) {
  CString text;
  text.Format("command = %s, args = %d\n", command.GetString(), static_cast<int>(args));
  Trace(text);
}
