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

// The box being shown is the calling thread's: a worker thread may show one too.
thread_local MessageBoxDetails t_current;

int ShowBox(const CString& text, UINT flags, HWND owner, const CString& caption) {
  BoxSettings& s = Settings();
  const MessageBoxDetails outer = t_current;
  t_current = MessageBoxDetails{caption, owner};
  int answer;
  if (s.sink) {
    answer = s.sink(text, flags);
  } else {
    if (!owner || !::IsWindow(owner)) owner = ::GetActiveWindow();
    answer = ::MessageBoxW(owner, codepage::ToWide(text.str()).c_str(), codepage::ToWide(caption.str()).c_str(), flags);
  }
  t_current = outer;
  return answer;
}

}  // namespace

int AfxMessageBox(const char* text, UINT flags, UINT) {
  const BoxSettings& s = Settings();
  return ShowBox(CString(text), flags, s.owner && ::IsWindow(s.owner) ? s.owner : nullptr, s.caption);
}

int AfxMessageBoxWithCaption(HWND owner, const char* text, const char* caption, UINT flags) {
  return ShowBox(CString(text), flags, owner, CString(caption));
}

const MessageBoxDetails& AfxCurrentMessageBox() { return t_current; }

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
