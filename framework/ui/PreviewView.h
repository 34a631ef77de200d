// CPreviewView: print preview. It takes the place of a frame's view and shows the pages
// that view prints, each drawn once into an enhanced metafile whose reference device is
// the default printer (the screen when no printer is installed) and played at the
// preview's scale. A row of buttons across the top prints, turns the pages, zooms and
// closes; Escape closes too, Page Up and Page Down turn pages. While it is shown the
// frame's bars (all but the status bar), its menu and its accelerators are put away;
// closing brings them back as they were and gives the view back its place.
#pragma once

#include <memory>
#include <vector>

#include "framework/ui/Button.h"
#include "framework/ui/PrintInfo.h"
#include "framework/ui/Wnd.h"

class CControlBar;
class CFrameWnd;
class CView;

class CPreviewView : public CWnd {
 public:
  // Starts a preview of pView's printing in pFrame. pInfo has been through the view's
  // OnPreparePrinting (its printer DC, if any, now belongs to the preview). FALSE when the
  // preview window cannot be made; the frame is then as it was.
  static BOOL Start(CFrameWnd* pFrame, CView* pView, std::unique_ptr<CPrintInfo> pInfo);
  // The preview shown in pFrame, or null.
  static CPreviewView* Find(CFrameWnd* pFrame);

  // Ends the preview: the view, bars, menu and accelerators come back. The window is
  // destroyed (and this object with it).
  void Close();

  UINT GetCurrentPage() const { return m_info->m_nCurPage; }
  int GetZoom() const { return m_zoom; }
  static constexpr int kMaxZoom = 2;  // fitted, twice, four times
  BOOL CanGoNext() const;
  BOOL CanGoPrevious() const { return m_info->m_nCurPage > m_info->GetMinPage(); }
  // Where the sheet is drawn, in the preview's client coordinates.
  CRect GetSheetRect() const;
  CView* GetPrintView() const { return m_pView; }

  void GoToPage(UINT nPage);
  void SetZoom(int zoom);

  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  void OnSize(UINT nType, int cx, int cy) override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnDestroy() override;
  void PostNcDestroy() override { delete this; }

 private:
  CPreviewView();
  ~CPreviewView() override;

  void OnPrint();
  void OnNextPage() { GoToPage(m_info->m_nCurPage + 1); }
  void OnPrevPage() { GoToPage(m_info->m_nCurPage - 1); }
  void OnZoomIn() { SetZoom(m_zoom + 1); }
  void OnZoomOut() { SetZoom(m_zoom - 1); }
  void OnClose() override { Close(); }

  HDC ReferenceDC() const;
  // Draws the current page into m_page through the view's printing overrides.
  void RenderPage();
  void Restore();
  void UpdateControls();
  void LayoutButtons();
  // The sheet's size at the current zoom and its scroll range.
  CSize SheetSize() const;
  CRect PageArea() const;
  void UpdateScrollBars();
  void ScrollTo(CPoint position);

  CFrameWnd* m_pFrame = nullptr;
  CView* m_pView = nullptr;
  std::unique_ptr<CPrintInfo> m_info;
  HDC m_hScreenDC = nullptr;
  HENHMETAFILE m_page = nullptr;
  int m_zoom = 0;
  CPoint m_scroll;
  BOOL m_bRestored = FALSE;

  // What the preview put away.
  HMENU m_hSavedMenu = nullptr;
  HACCEL m_hSavedAccel = nullptr;
  UINT m_nSavedViewId = 0;
  struct SavedBar {
    CControlBar* bar;
    BOOL visible;
  };
  std::vector<SavedBar> m_savedBars;

  CButton m_buttons[6];
};
