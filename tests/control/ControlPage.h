// The control's page without COM around it: a plain window standing for the control's
// window, the view that draws into it, the document and the host of the thread, set up
// as the control sets them up when its window is made.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "control/ControlHost.h"
#include "control/MainDoc.h"
#include "control/MainView.h"
#include "control/ThreadContextMap.h"
#include "framework/ui/DC.h"
#include "tests/support/PageBitmap.h"

// Paints the view's window area into a bitmap of its size, as the control's paint does.
inline void PaintView(CMainView& view, PageBitmap& bitmap) {
  ::SetViewportOrgEx(bitmap.dc(), 0, 0, nullptr);
  CDC dc(bitmap.dc());
  view.PrepareDC(&dc);
  view.OnPaint(&dc);
}

template <class ViewType = CMainView>
struct BasicControlPage {
  explicit BasicControlPage(int width = 400, int height = 300) {
    RECT frame = {0, 0, width, height};
    ::AdjustWindowRect(&frame, WS_POPUP, FALSE);
    window = ::CreateWindowExA(0, WindowClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
    CThreadContextMap& map = GetThreadContextMap();
    map.AddCurrentThread();
    map.SetView(&view);
    map.SetDocument(&document);
    view.SetWindow(window);
    view.SetDocument(&document);
    document.SetView(&view);
    previousHost = SetDrawHost(&host);
  }
  ~BasicControlPage() {
    view.StopPlayback();
    document.GetDownload().Close();
    document.DeleteContents();
    GetThreadContextMap().RemoveCurrentThread();
    SetDrawHost(previousHost);
    ::DestroyWindow(window);
  }
  BasicControlPage(const BasicControlPage&) = delete;
  BasicControlPage& operator=(const BasicControlPage&) = delete;

  void Paint(PageBitmap& bitmap) { PaintView(view, bitmap); }
  // Whether timer 3 runs on the window (it is stopped by asking).
  bool TakeTimer() { return ::KillTimer(window, kPlaybackTimerId) != 0; }
  // The last page-size message waiting in the window's queue, or 0.
  LPARAM TakePageSizeMessage() {
    LPARAM size = 0;
    MSG msg;
    while (::PeekMessageA(&msg, window, 0x500, 0x500, PM_REMOVE)) size = msg.lParam;
    return size;
  }
  int ObjectCount() const { return document.m_objects.GetCount(); }

  // A class of its own: the view sets the class cursor.
  static const char* WindowClass() {
    static const ATOM atom = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = "TamrixTestControl";
      return ::RegisterClassA(&wc);
    }();
    return atom ? "TamrixTestControl" : "STATIC";
  }

  HWND window = nullptr;
  ViewType view;
  CMainDoc document;
  CControlHost host;
  CDrawHost* previousHost = nullptr;
};

using ControlPage = BasicControlPage<>;
