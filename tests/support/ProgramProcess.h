// Programs of the system started as processes of their own, as a user starts them, and
// read back through their windows and the screen: the end-to-end tests of the player,
// the installer and publishing share this.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/Codepage.h"
#include "framework/core/String.h"

namespace programtest {

constexpr DWORD kPatience = 20000;  // ms: a Wine start on a slow machine

inline std::wstring WideText(const CString& text) { return codepage::ToWide(text.str()); }

// A program built with the tests (a path the build gives with "/"), as Wine names it.
inline CString BuiltProgramPath(const char* unixPath) {
  std::string path = unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return CString(("Z:" + path).c_str());
}

// Waits for the condition, checking it every few milliseconds.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout = kPatience) {
  const ULONGLONG end = ::GetTickCount64() + timeout;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

class ProgramProcess {
 public:
  explicit ProgramProcess(const CString& exe) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + WideText(exe) + L"\"";
    m_started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &m_process);
  }
  ~ProgramProcess() {
    if (!m_started) return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_process.hProcess, 99);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
  }
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool Started() const { return m_started; }
  DWORD ProcessId() const { return m_process.dwProcessId; }

  // The visible top-level windows of the process.
  std::vector<HWND> Windows() const {
    struct Search {
      DWORD id;
      std::vector<HWND> found;
    } search{m_process.dwProcessId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          if (owner == s->id && ::IsWindowVisible(window)) s->found.push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND MainWindow() const {
    const std::vector<HWND> windows = Windows();
    return windows.size() == 1 ? windows[0] : nullptr;
  }
  // The first visible window of the process whose text or children's texts hold the
  // text given (a dialog by its caption, a message box by its message); null for none.
  HWND WindowWith(const CString& text) const {
    for (HWND window : Windows()) {
      if (TextsOf(window).Find(text) >= 0) return window;
    }
    return nullptr;
  }
  // The window's text and those of its children, one after the other.
  static CString TextsOf(HWND window) {
    CString texts = TextOf(window);
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
          *reinterpret_cast<CString*>(param) += "\n" + TextOf(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
  }
  static CString TextOf(HWND window) {
    wchar_t text[1024] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return CString(codepage::FromWide(std::wstring(text)));
  }
  // Presses a button of a window of the process, as a click would.
  static void Press(HWND window, int button) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, button)));
  }
  // The view: the frame's one child.
  HWND View() const {
    HWND frame = MainWindow();
    return frame ? ::GetWindow(frame, GW_CHILD) : nullptr;
  }

  // The colour the screen shows at a page point, once the player's window is what lies
  // there; CLR_INVALID while something else covers it.
  COLORREF ScreenAt(int x, int y) const {
    const POINT at = {::GetSystemMetrics(SM_CXSCREEN) / 2 + x, ::GetSystemMetrics(SM_CYSCREEN) / 2 - y};
    DWORD owner = 0;
    ::GetWindowThreadProcessId(::WindowFromPoint(at), &owner);
    if (owner != m_process.dwProcessId) return CLR_INVALID;
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
  }
  bool Shows(int x, int y, COLORREF colour) const {
    return WaitFor([&] { return ScreenAt(x, y) == colour; });
  }

  void ClickAt(int x, int y) const {
    HWND view = View();
    POINT at = {::GetSystemMetrics(SM_CXSCREEN) / 2 + x, ::GetSystemMetrics(SM_CYSCREEN) / 2 - y};
    ::ScreenToClient(view, &at);
    ::PostMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    ::PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  void PressEscape() const {
    HWND view = View();
    ::PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ::PostMessageW(view, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  }
  // The exit code once the process has ended, or -1 when it does not end in time.
  long ExitCode() const {
    if (::WaitForSingleObject(m_process.hProcess, kPatience) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<long>(code);
  }
  // Whether the process is still running after the time given.
  bool RunsFor(DWORD milliseconds) const {
    return ::WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_TIMEOUT;
  }

 private:
  PROCESS_INFORMATION m_process = {};
  BOOL m_started = FALSE;
};

}  // namespace programtest
