#include "editor/SplashThread.h"

#include "resources/KordelIds.h"

CSplashThread::CSplashThread() : m_nBitmapId(IDB_SPLASH), m_wndSplash(this) {
  CString face;
  face.LoadString(IDS_SPLASH_FACE);
  m_fonts = {{48, FW_BOLD, face}, {12, FW_BOLD, "MS Sans Serif"}, {8, FW_NORMAL, "MS Sans Serif"},
             {26, FW_BOLD, face}, {18, FW_BOLD, face}};
}

CSplashThread::~CSplashThread() = default;

int CSplashThread::FontHeight(int dpi, int points) {
  const int k = dpi / -72;
  return static_cast<int>(k * points + 0.5);
}

BOOL CSplashThread::InitInstance() {
  SetThreadPriority(THREAD_PRIORITY_HIGHEST);
  m_dwStartTick = ::GetTickCount();
  if (!m_wndSplash.CreateSplash()) return FALSE;  // the thread ends at once
  m_pMainWnd = &m_wndSplash;  // its destruction ends this thread's loop
  m_wndSplash.UpdateWindow();
  return TRUE;
}
