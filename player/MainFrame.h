// CMainFrame: the player's frame. It has no caption, no sizing border and no menu bar,
// and from the first update on it covers the whole screen, reaching four border widths
// beyond every edge so that no frame or view edge shows.
#pragma once

#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  CMainFrame();

  // The view's way to the full-screen toggle.
  void SwitchFullScreen() { ToggleFullScreen(); }
  BOOL IsFullScreen() const { return m_fullScreen; }

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;

 private:
  void ToggleFullScreen();
  void OnHelpFinder();
  void OnHelp();

  // The menu taken off the window; kept so its commands keep their resource.
  CMenu m_menu;
  BOOL m_fullScreen = FALSE;
};
