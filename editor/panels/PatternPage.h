// CPatternPage: the fill effects dialog's pattern page: a hatch chosen from the hatch
// well, drawn in a foreground over a background colour.
#pragma once

#include "editor/panels/ColourPicker.h"
#include "editor/panels/FillPage.h"
#include "editor/panels/SVizHatchWell.h"

class CPatternPage : public CFillPage {
 public:
  explicit CPatternPage(FillEffect& effect);

  void DrawSample(HDC dc, const RECT& rect) override;

  CSVizHatchWell m_well;
  CColourPicker m_foregroundPicker;
  CColourPicker m_backgroundPicker;
  int m_hatchStyle = 0;
  uint32_t m_foreground = 0xFF000000;
  uint32_t m_background = 0xFFFFFFFF;

 protected:
  BOOL OnInitDialog() override;

 private:
  LRESULT OnWellSelOk(WPARAM wParam, LPARAM lParam);
  void ShowHatchName();
};
