#include "editor/SplashWnd.h"

#include <array>

#include "editor/SplashThread.h"
#include "framework/ui/DC.h"
#include "framework/ui/Font.h"
#include "framework/ui/PaintDC.h"

BOOL CSplashWnd::CreateSplash() {
  CSplashThread& thread = *m_pThread;
  if (!thread.m_bitmap.GetSafeHandle() && !thread.m_bitmap.LoadBitmap(thread.m_nBitmapId)) return FALSE;
  BITMAP info = {};
  thread.m_bitmap.GetBitmap(&info);
  thread.m_nWidth = info.bmWidth;
  thread.m_nHeight = info.bmHeight;
  LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
  return CreateEx(0, windowClass, "", WS_POPUP | WS_VISIBLE, 0, 0, thread.m_nWidth, thread.m_nHeight,
                  thread.m_hWndMain, nullptr);
}

int CSplashWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  // Centred on the screen (not on the owner), above every other window.
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - m_pThread->m_nWidth) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - m_pThread->m_nHeight) / 2;
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (m_pThread->m_nCloseDelay) SetTimer(kCloseTimer, m_pThread->m_nCloseDelay);
  if (m_pThread->m_nSecondPeriod) SetTimer(kSecondTimer, m_pThread->m_nSecondPeriod);
  return 0;
}

void CSplashWnd::OnPaint() {
  CPaintDC dc(this);
  const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
  // Made for this paint and deleted with it.
  std::vector<CFont> fonts(m_pThread->m_fonts.size());
  for (size_t i = 0; i < fonts.size(); ++i) {
    const CSplashThread::FontDefinition& definition = m_pThread->m_fonts[i];
    fonts[i].CreateFont(CSplashThread::FontHeight(dpi, definition.points), 0, 0, 0, definition.weight, FALSE,
                        FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, definition.face);
  }
  const int saved = dc.SaveDC();
  CDC memory;
  if (memory.CreateCompatibleDC(&dc)) {
    CBitmap* old = memory.SelectObject(&m_pThread->m_bitmap);
    dc.BitBlt(0, 0, m_pThread->m_nWidth, m_pThread->m_nHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  const size_t textFont = static_cast<size_t>(m_pThread->m_nTextFont);
  if (textFont < fonts.size() && fonts[textFont].GetSafeHandle()) dc.SelectObject(&fonts[textFont]);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(255, 255, 255));
  int y = m_pThread->m_textOrigin.y;
  for (const CString& line : m_pThread->m_textLines) {
    dc.TextOut(m_pThread->m_textOrigin.x, y, line);
    y += m_pThread->m_nLineStep;
  }
  dc.RestoreDC(saved);  // the fonts are deselected before they go
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kCloseTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  // The quit message ends the thread's loop once the window is gone.
  ::PostQuitMessage(0);
  DestroyWindow();
}

void CSplashWnd::OnDestroy() {
  KillTimer(kSecondTimer);
  KillTimer(kCloseTimer);
  CWnd::OnDestroy();
}

void CSplashWnd::PostNcDestroy() {
  // The window belongs to the thread object, which ends with its loop: nothing is
  // deleted here.
  if (m_pThread->m_hWndMain && ::IsWindow(m_pThread->m_hWndMain)) ::SetForegroundWindow(m_pThread->m_hWndMain);
}
