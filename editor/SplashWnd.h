// CSplashWnd: the splash window of CSplashThread, a borderless top-most pop-up the size
// of the splash picture, centred on the screen; it closes itself after the thread's
// delay and then brings the main window forward.
#pragma once

#include "framework/ui/Wnd.h"

class CSplashThread;

class CSplashWnd : public CWnd {
 public:
  static constexpr UINT_PTR kCloseTimer = 999;
  static constexpr UINT_PTR kSecondTimer = 1;

  explicit CSplashWnd(CSplashThread* pThread) : m_pThread(pThread) {}

  // Loads the thread's picture and creates the window; FALSE (no window) when the
  // picture is missing or the window cannot be made.
  BOOL CreateSplash();

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnPaint() override;
  void OnTimer(UINT_PTR nIDEvent) override;
  void OnDestroy() override;
  void PostNcDestroy() override;

 private:
  CSplashThread* m_pThread;
};
