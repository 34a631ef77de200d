// CSVizHatchWell: the 53 hatch styles of GDI+ in 9 columns of 30 x 30 cells, each cell
// filled with its hatch in the well's two hatch colours.
#pragma once

#include "editor/panels/SVizWellCtrl.h"

class CSVizHatchWell : public CSVizWellCtrl {
 public:
  static constexpr int kHatchStyles = 53;

  CSVizHatchWell();

  void SetDefaults() override;
  CString GetCellTip(int index) override;
  void DrawCellContent(CDC* dc, int index, int left, int top, int right, int bottom) override;
};
