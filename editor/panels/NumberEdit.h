// CNumberEdit: the effect bar's line-width field, a whole number from 1 to 100 that
// goes with the bar's line-width slider. Every accepted character (and the release of
// Delete) applies the width to the selection at once.
#pragma once

#include "framework/ui/Edit.h"

class CSliderCtrl;

class CNumberEdit : public CEdit {
 public:
  void SetSlider(CSliderCtrl* pSlider) { m_pSlider = pSlider; }
  void SetValue(int n);

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;

 private:
  // Keeps the text within 1..100 and makes it the frame's line width.
  void Apply();

  CSliderCtrl* m_pSlider = nullptr;
};
