// CPickerToolBar: the tool box, its buttons in columns, with two pickers that open
// under its zoom and point buttons. The zoom picker's cell is the zoom tool's mode
// (and sets the cursor); the point picker's cell is the point tool's variant. While a
// picker is open and nothing is chosen yet its selection is -1, "no choice".
#pragma once

#include "editor/panels/BitmapPopup.h"
#include "framework/ui/ImageList.h"
#include "framework/ui/ToolBar.h"

class CPickerToolBar : public CToolBar {
 public:
  CPickerToolBar();

  // Lays the buttons out n to a row: every button whose position (from 1, separators
  // counted) is a multiple of n ends its row.
  void SetColumns(int n);
  int GetColumns() const { return m_nColumns; }
  void ShowZoomPicker();
  void ShowPointPicker();

  CBitmapPopup m_zoomPicker;   // three cells: zoom in, zoom out, 100 %
  CBitmapPopup m_pointPicker;  // five cells: the point tool's variants
  int m_nColumns = 2;
  CImageList m_images;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;

 private:
  // Places a picker under an item of the bar, clears its selection and shows it.
  void ShowPicker(CBitmapPopup& picker, int item, int dx);
};
