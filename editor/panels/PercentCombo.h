// CPercentCombo: the effect bar's scale field, an edit showing a percentage from 20 to
// 500 that goes with the bar's scale slider (0 to 800, 400 being 100 %). Enter scales
// the selection by the typed percentage and puts the field back to 100 %.
#pragma once

#include "framework/ui/Edit.h"

class CSliderCtrl;

class CPercentCombo : public CEdit {
 public:
  // The slider the field goes with (the owner bar's); may be null.
  void SetSlider(CSliderCtrl* pSlider) { m_pSlider = pSlider; }
  // Shows the percentage of a slider position.
  void SetFromSlider(int nPos);
  // The text without its "%", as a number.
  int GetPercent() const;

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

 private:
  void Apply();
  void Show(int percent, int sliderPos);

  CSliderCtrl* m_pSlider = nullptr;
};
