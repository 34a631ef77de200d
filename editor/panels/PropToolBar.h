// CPropToolBar: the effect bar. Over four of its separators it carries a line-width
// slider with its number field and a scale slider with its percent field; under its
// two colour drop-down buttons, strips showing the current line and fill colours. The
// values go to the main frame, which applies them to the selection.
#pragma once

#include "editor/panels/ColorRect.h"
#include "editor/panels/NumberEdit.h"
#include "editor/panels/PercentCombo.h"
#include "framework/ui/Font.h"
#include "framework/ui/SliderCtrl.h"
#include "framework/ui/ToolBar.h"

class CPropToolBar : public CToolBar {
 public:
  CPropToolBar() = default;
  ~CPropToolBar() override;

  // Puts the controls over their separators and the colour strips under their buttons;
  // stops at the first control that cannot be made. Called once the buttons are loaded.
  BOOL CreateControls();

  CFont m_font;  // 10-point "MS Sans Serif", for the fields
  CNumberEdit m_widthField;
  CSliderCtrl m_widthSlider;
  CPercentCombo m_percentField;
  CSliderCtrl m_scaleSlider;
  CColorRect m_lineColourRect;
  CColorRect m_fillColourRect;

 protected:
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
  void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;

 private:
  // Turns a button into a separator of that width; its rectangle afterwards.
  CRect MakePlace(UINT nID, int width);
  void MakeDropDown(UINT nID);
  void OnWidthSlider();
  void OnScaleSlider(UINT nSBCode);
};
