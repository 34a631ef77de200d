// CWndImage: the scrolling grid of thumbnails in one tab of the media gallery. Kinds 0
// to 3 show the media files of one folder (metafile shapes, pictures, sounds, video), a
// click applying the file to the current object or to the page background; kind 4
// shows the objects of one component library, which are dragged onto pages ("Object
// Draw" data naming the index) and can be deleted from the library file. The grid is
// drawn into an off-screen bitmap kept between paints and rebuilt only when its keys
// (size, first row, cell size) change or the window is marked dirty.
//
// Cells are w x h with one pixel between them, inside a one-pixel frame; the item in
// visible cell i is first row x columns + i.
#pragma once

#include <vector>

#include "editor/ComponentSource.h"
#include "framework/core/Rect.h"
#include "framework/core/StringArray.h"
#include "framework/ui/Bitmap.h"
#include "framework/ui/Wnd.h"

class CDC;
class CDrawObj;

class CWndImage : public CWnd, public CComponentSource {
  DECLARE_DYNCREATE(CWndImage)

 public:
  enum Kind { kShapes = 0, kPictures = 1, kSounds = 2, kVideo = 3, kComponents = 4, kKinds = 5 };

  CWndImage();
  ~CWndImage() override;  // deletes the library objects it holds

  // Creates the window (child, visible, vertical scroll bar, id 1003) when it does not
  // exist yet. Cell sizes below 3 are taken as 3.
  BOOL Create(const RECT& rect, int columns, int rows, int cellWidth, int cellHeight, CWnd* parent);
  // Kind 4 makes the window the source of the components dropped on the page.
  void SetKind(int kind);
  int GetKind() const { return m_nKind; }
  // Resize handling: while off (a test run), a change of size leaves the scroll bar.
  void SetEnabledFlag(BOOL flag) { m_bResizeEnabled = flag; }
  // Back to the first row, the range fitted to the items and the client size.
  void UpdateScrollBar();
  // The visible cell under the client point, its rectangle in *cell; -1 for none.
  int HitTest(int x, int y, CRect* cell) const;
  // Reverses the order of the bitmap's scan lines in place. The bitmap must not be
  // selected into a device context.
  static void FlipBitmapVertically(CBitmap& bitmap);
  // Removes the component of the selected cell (after asking) and rewrites the
  // library file without it.
  void OnDeleteComponent();
  // The library objects deleted and the list emptied.
  void DeleteObjects();

  // The grid's arithmetic, without a window.
  struct Grid {
    CRect client;
    int cellWidth;
    int cellHeight;
    int Columns() const { return (client.Width() - 1) / cellWidth; }
    int FullRows() const { return (client.Height() - 1) / cellHeight; }
    int RowsShown() const { return (client.Height() - 1) / cellHeight + 1; }
    CRect Cell(int column, int row) const;
    // Visible cell index or -1; the gap after a cell belongs to it.
    int HitTest(CPoint point, CRect* cell) const;
    // The scroll maximum for n items (-1 when everything fits); *show: whether the bar
    // is shown.
    int ScrollMaximum(int items, BOOL* show) const;
    // The first row after a scroll code; a step that passes the maximum is undone.
    int Scrolled(UINT code, int thumb, int firstRow, int maximum) const;
  };
  Grid GetGrid() const;

  // CComponentSource: the library objects.
  int GetComponentCount() const override { return static_cast<int>(m_objects.size()); }
  CDrawObj* GetComponent(int index) const override;

  // Filled by the gallery.
  CStringArray m_fileNames;           // kinds 0 to 3: names without folder
  std::vector<CDrawObj*> m_objects;   // kind 4: owned
  CString m_strDescription;           // kind 4: the library's description
  BOOL m_bDirty = FALSE;              // the next paint rebuilds the off-screen bitmap
  // Pictures decoded for thumbnails since creation: the cache's saving made visible.
  int m_nPictureLoads = 0;

 protected:
  void OnPaint() override;
  void OnSize(UINT nType, int cx, int cy) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnRButtonDown(UINT nFlags, CPoint point) override;

 private:
  int ItemCount() const;
  // The item of the selected cell, or -1 when none is selected or it shows nothing.
  int SelectedItem() const;
  CString FolderOfKind() const;
  void RebuildCache(CDC& windowDC, const CRect& client);
  void DrawCell(CDC& cache, const CRect& cell, int item);
  void DrawPictureCell(CDC& cache, const CRect& inner, const CString& path);
  void DrawComponentCell(CDC& cache, const CRect& inner, CDrawObj* object);
  void StartComponentDrag(int item);
  void ApplyFile(int item);

  int m_nColumns = 2;
  int m_nRows = 2;
  int m_nCellWidth = 64;
  int m_nCellHeight = 64;
  int m_nSelected = -1;  // counted from the first visible cell
  bool m_bPressedOnCell = false;  // this button press hit a cell
  int m_nKind = kSounds;
  CRect m_selectedRect;
  CBitmap m_kindBitmaps[kKinds];
  int m_nScrollPos = 0;
  int m_nScrollMax = 0;
  int m_nFirstRow = 0;
  CBitmap m_cache;
  CRect m_cacheRect;
  int m_cacheKeys[3] = {-1, -1, -1};  // first row, cell width, cell height
  BOOL m_bResizeEnabled = TRUE;
  CSize m_lastSize{-1, -1};
};
