// CSVizWellCtrl: a small window showing a grid of equal cells, picked with the mouse or
// the arrow keys. It works as a drop-down under an owner control (a pop-up that
// captures the mouse and ends on a release) or as a child of a dialog. The owner hears
// of it through registered messages: the cell under the cursor changing, and the end
// with a choice or without one. A drop-down created with kWellAutoDelete deletes
// itself once its window is gone; its handlers touch nothing after EndSelection.
#pragma once

#include "framework/ui/Button.h"
#include "framework/ui/Font.h"
#include "framework/ui/ToolTipCtrl.h"

class CDC;

// The well's notifications, registered by name once per process.
UINT WellSelChangeMessage();  // "VORI_WELL_SELCHANGE"
UINT WellDropDownMessage();   // "VORI_WELL_DROPDOWN"
UINT WellCloseUpMessage();    // "VORI_WELL_CLOSEUP"
UINT WellSelOkMessage();      // "VORI_WELL_SELOK"
UINT WellSelCancelMessage();  // "VORI_WELL_SELCANCLE"

// Bits of m_style; the low byte is the look.
constexpr DWORD kWellFlat = 0x1;
constexpr DWORD kWellPopup = 0x100;
constexpr DWORD kWellAutoDelete = 0x200;
constexpr DWORD kWellIgnoreFirstOutsideRelease = 0x8000;

class CSVizWellCtrl : public CButton {
 public:
  CSVizWellCtrl();
  ~CSVizWellCtrl() override = default;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // Creates the window at (x, y) under the owner: WS_POPUP | WS_VISIBLE for a drop-down,
  // WS_CHILD | WS_VISIBLE for an embedded well.
  virtual BOOL Create(int x, int y, CWnd* owner, DWORD style);
  virtual void SetDefaults();
  virtual CString GetCellTip(int index);
  virtual void DrawCellContent(CDC* dc, int index, int left, int top, int right, int bottom) {}
  virtual void RecalcLayout();
  virtual BOOL GetCellRect(int index, RECT* rect);
  virtual void SetChosen(int value);
  virtual void SetCurSel(int index);
  virtual void EndSelection(UINT message);
  virtual void DrawCell(CDC* dc, int index);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  int m_skipRelease = 0;
  int m_columns = 1;
  int m_rows = 1;
  int m_margin = 0;
  int m_current = -1;
  int m_chosen = -1;
  RECT m_windowRect = {};
  int m_cellWidth = 18;
  int m_cellHeight = 18;
  CToolTipCtrl m_toolTip;
  DWORD m_style = 0;
  int m_result = 0;
  int m_openingValue = 0;
  int m_count = 1;
  CWnd* m_owner = nullptr;
  RECT m_ownerRect = {};
  DWORD m_hatchForeground = 0xFF000000;
  DWORD m_hatchBackground = 0xFF000000;
  int m_outsideReleases = 0;
  CFont m_font;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
  void OnPaint() override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void PostNcDestroy() override;

  // -1 outside the grid.
  virtual int IndexOf(int row, int column) const;
  virtual void RowColumnOf(int index, int& row, int& column) const;
  // The cell an arrow key leads to from the current one.
  virtual int KeyTarget(UINT key);
  // The cell under a client point, or -1.
  virtual int HitTest(POINT point);
  // Sizes the window to width x height at its place: a drop-down stays on the screen
  // and opens above its owner where there is no room below.
  void PlaceWindow(int width, int height);
  void AddCellTools();
  BOOL IsPopup() const { return (m_style & kWellPopup) != 0; }
  BOOL IsFlat() const { return (m_style & 0xFF) == kWellFlat; }
  void DrawCellFrame(CDC* dc, int index, RECT& rect, COLORREF chosenFill3d);
  void EndWindow();
  UINT ControlId() const;
};
