#include "framework/core/MessageBox.h"

#include "framework/core/Codepage.h"

namespace {

struct BoxSettings {
  MessageBoxSink sink;
  HWND owner = nullptr;
  CString caption;
};

BoxSettings& Settings() {
  static BoxSettings settings;
  return settings;
}

int ShowRealBox(const CString& text, UINT flags) {
  const BoxSettings& s = Settings();
  HWND owner = (s.owner && ::IsWindow(s.owner)) ? s.owner : ::GetActiveWindow();
  return ::MessageBoxW(owner, codepage::ToWide(text.str()).c_str(), codepage::ToWide(s.caption.str()).c_str(),
                       flags);
}

}  // namespace

int AfxMessageBox(const char* text, UINT flags, UINT) {
  CString message(text);
  const MessageBoxSink& sink = Settings().sink;
  return sink ? sink(message, flags) : ShowRealBox(message, flags);
}

int AfxMessageBox(UINT promptId, UINT flags, UINT helpId) {
  CString text;
  text.LoadString(promptId);
  return AfxMessageBox(text, flags, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}

MessageBoxSink AfxSetMessageBoxSink(MessageBoxSink sink) {
  MessageBoxSink previous = std::move(Settings().sink);
  Settings().sink = std::move(sink);
  return previous;
}

void AfxSetMessageBoxOwner(HWND owner, const CString& caption) {
  Settings().owner = owner;
  Settings().caption = caption;
}
