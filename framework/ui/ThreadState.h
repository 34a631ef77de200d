// What the framework keeps per thread: the thread's object, the message being
// dispatched (for CWnd::Default), and the window being created (bound to its C++
// object by a creation hook before its first message).
#pragma once

#include "framework/ui/UiDefs.h"

class CWinThread;
class CWnd;

struct AfxThreadState {
  CWinThread* m_pThread = nullptr;
  MSG m_lastSentMsg = {};
  LRESULT m_lastDefResult = 0;  // what Default returned for the message being handled
  CWnd* m_pWndInit = nullptr;
  HHOOK m_hHookCbt = nullptr;
  int m_nHookUsers = 0;
  HMENU m_hTrackingMenu = nullptr;  // the pop-up being tracked, for owner-drawn items
};

AfxThreadState& AfxGetThreadState();

// Releases the temporary wrappers that FromHandle made for handles the program does
// not own (windows, device contexts, GDI objects, menus). Done at idle.
void AfxDeleteTempMaps();
