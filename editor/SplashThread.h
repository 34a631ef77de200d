// CSplashThread: the start-up splash in a user-interface thread of its own, so that it
// paints while the main thread is busy. The application makes it early, hands it its
// text lines and the main window, and starts it once the main window is shown; the
// thread object deletes itself when the splash has closed, and owns the window.
#pragma once

#include <vector>

#include "editor/SplashWnd.h"
#include "framework/core/String.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/WinThread.h"

class CSplashThread : public CWinThread {
 public:
  // One of the fonts the splash draws with: size in points, weight, face.
  struct FontDefinition {
    int points;
    int weight;
    CString face;
  };

  CSplashThread();
  ~CSplashThread() override;

  void AddTextLine(const CString& line) { m_textLines.push_back(line); }
  void SetMainWindow(HWND hWndMain) { m_hWndMain = hWndMain; }

  BOOL InitInstance() override;

  // The font height (logical units) of a size in points at a resolution: the nearest
  // integer of k * points with k = dpi / -72 taken in integer arithmetic, truncated.
  static int FontHeight(int dpi, int points);

  UINT m_nBitmapId;
  CBitmap m_bitmap;
  int m_nWidth = 0;
  int m_nHeight = 0;
  UINT m_nCloseDelay = 1000;   // ms; 0 keeps the splash until it is closed otherwise
  UINT m_nSecondPeriod = 0;    // ms; 0: no second timer
  std::vector<CString> m_textLines;
  CPoint m_textOrigin{255, 215};
  int m_nLineStep = 15;
  std::vector<FontDefinition> m_fonts;
  int m_nTextFont = 2;         // the font of the text group
  HWND m_hWndMain = nullptr;
  DWORD m_dwStartTick = 0;
  CSplashWnd m_wndSplash;
};
