#include "tests/editor/KordelProgram.h"

#include "framework/core/Codepage.h"

namespace {

struct Search {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hWnd, &owner);
  if (owner == search->processId) search->windows.push_back(hWnd);
  return TRUE;
}

template <class Pred>
HWND WaitForWindow(const KordelProgram& program, DWORD timeout, Pred pred) {
  const DWORD deadline = ::GetTickCount() + timeout;
  do {
    for (HWND window : program.TopLevelWindows())
      if (::IsWindowVisible(window) && pred(window)) return window;
    // Nothing to wait on across processes but time: look again shortly.
    ::Sleep(50);
  } while (static_cast<LONG>(deadline - ::GetTickCount()) > 0);
  return nullptr;
}

bool IsDialog(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

}  // namespace

CString KordelProgram::ExecutablePath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  CString tests(path);
  tests = tests.Left(tests.ReverseFind('\\'));
  return tests.Left(tests.ReverseFind('\\')) + "\\editor\\Kordel.exe";
}

KordelProgram::KordelProgram(const CString& arguments) {
  CString commandLine = "\"" + ExecutablePath() + "\"";
  if (!arguments.IsEmpty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<char> line(commandLine.str().begin(), commandLine.str().end());
  line.push_back('\0');
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
  ::CloseHandle(info.hThread);
  m_process = info.hProcess;
  m_processId = info.dwProcessId;
}

KordelProgram::~KordelProgram() {
  if (!m_process) return;
  if (::WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) ::TerminateProcess(m_process, 1);
  ::WaitForSingleObject(m_process, 5000);
  ::CloseHandle(m_process);
}

std::vector<HWND> KordelProgram::TopLevelWindows() const {
  Search search{m_processId, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

HWND KordelProgram::WaitForMainWindow(DWORD timeout) const {
  HWND main = WaitForWindow(*this, timeout, [](HWND window) { return ::GetMenu(window) != nullptr; });
  // The window shows before start-up has finished; a message it answers means the
  // program has reached its message loop.
  DWORD_PTR ignored;
  if (main && !::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &ignored)) return nullptr;
  return main;
}

HWND KordelProgram::WaitForDialog(DWORD timeout) const { return WaitForWindow(*this, timeout, IsDialog); }

void KordelProgram::WaitForSplashToClose(DWORD timeout) const {
  const DWORD deadline = ::GetTickCount() + timeout;
  for (;;) {
    bool splash = false;
    for (HWND window : TopLevelWindows())
      if (::IsWindowVisible(window) && (::GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP) && !IsDialog(window))
        splash = true;
    if (!splash || static_cast<LONG>(deadline - ::GetTickCount()) <= 0) return;
    ::Sleep(50);
  }
}

BOOL KordelProgram::WaitForExit(DWORD timeout, DWORD* exitCode) const {
  if (!m_process || ::WaitForSingleObject(m_process, timeout) != WAIT_OBJECT_0) return FALSE;
  if (exitCode) ::GetExitCodeProcess(m_process, exitCode);
  return TRUE;
}

CString DialogText(HWND dialog) {
  CString text;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    ::GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") != 0) continue;
    char line[1024] = {};
    ::GetWindowTextA(child, line, sizeof line);
    if (!text.IsEmpty()) text += "\n";
    text += line;
  }
  return text;
}

CString WindowText(HWND window) {
  wchar_t text[256] = {};
  DWORD_PTR ignored;
  ::SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
  return CString(codepage::FromWide(text));
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, at.x, at.y);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

POINT PagePointOnScreen(HWND view, int x, int y) {
  RECT client;
  ::GetClientRect(view, &client);
  const int areaWidth = ::GetSystemMetrics(SM_CXSCREEN), areaHeight = ::GetSystemMetrics(SM_CYSCREEN);
  POINT at = {(areaWidth < client.right ? client.right / 2 : areaWidth / 2) + x,
              (areaHeight < client.bottom ? client.bottom / 2 : areaHeight / 2) - y};
  ::ClientToScreen(view, &at);
  return at;
}

void SendMouse(HWND window, UINT message, UINT keys, POINT screenPoint) {
  ::SetCursorPos(screenPoint.x, screenPoint.y);
  ::ScreenToClient(window, &screenPoint);
  DWORD_PTR ignored;
  ::SendMessageTimeoutA(window, message, keys, MAKELPARAM(screenPoint.x, screenPoint.y), SMTO_NORMAL, 10000,
                        &ignored);
}

void PostMouse(HWND window, UINT message, UINT keys, POINT screenPoint) {
  ::SetCursorPos(screenPoint.x, screenPoint.y);
  ::ScreenToClient(window, &screenPoint);
  ::PostMessageA(window, message, keys, MAKELPARAM(screenPoint.x, screenPoint.y));
}

void Click(HWND window, POINT at) {
  SendMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMouse(window, WM_LBUTTONUP, 0, at);
}
