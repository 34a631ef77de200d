// Runs the built editor, Kordel.exe, as its own process and finds its windows.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/core/String.h"

class KordelProgram {
 public:
  // Starts the editor beside the test program with these arguments.
  explicit KordelProgram(const CString& arguments = CString());
  ~KordelProgram();
  KordelProgram(const KordelProgram&) = delete;
  KordelProgram& operator=(const KordelProgram&) = delete;

  static CString ExecutablePath();
  BOOL Started() const { return m_process != nullptr; }
  // The visible top-level window with a menu (the main frame), waiting up to timeout ms.
  HWND WaitForMainWindow(DWORD timeout = 20000) const;
  // A visible dialog of the program (a message box), waiting up to timeout ms.
  HWND WaitForDialog(DWORD timeout = 20000) const;
  // Waits until the program's pop-up windows without a menu (the splash) are gone.
  void WaitForSplashToClose(DWORD timeout = 5000) const;
  // TRUE with the exit code when the program ended within the time.
  BOOL WaitForExit(DWORD timeout, DWORD* exitCode = nullptr) const;
  std::vector<HWND> TopLevelWindows() const;
  DWORD ProcessId() const { return m_processId; }

 private:
  HANDLE m_process = nullptr;
  DWORD m_processId = 0;
};

// The text of every static control of a dialog, joined by newlines.
CString DialogText(HWND dialog);

// A window's text in another process (Wine hands the ANSI message wide text: read it
// wide).
CString WindowText(HWND window);

// Another process answers in its own time: polls the condition up to timeout ms.
template <class Condition>
bool Eventually(Condition condition, DWORD timeout = 10000) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeout) return false;
    ::Sleep(20);
  }
  return true;
}

COLORREF ScreenPixel(POINT at);

// A page point on the screen, where the view places the page's centre (see
// OpensThePageNamedOnItsCommandLine).
POINT PagePointOnScreen(HWND view, int x, int y);

// A mouse message sent to a window for a point of the screen. The display's own pointer
// is put at the point too: a move Wine reports for it between two of these messages then
// changes nothing of a drag.
void SendMouse(HWND window, UINT message, UINT keys, POINT screenPoint);
// The same message posted, for a press or release that opens a modal loop.
void PostMouse(HWND window, UINT message, UINT keys, POINT screenPoint);

// A click as the mouse gives it, at a point of the screen.
void Click(HWND window, POINT at);
