// CGradientPage: the fill effects dialog's gradient page. One or two colours, a start
// and an end transparency, and six styles: four linear directions and two gradients
// from the edges to a centre (the rectangle's own, or one moved up and to the right).
#pragma once

#include "editor/panels/ColourPicker.h"
#include "editor/panels/FillPage.h"
#include "framework/ui/ScrollBar.h"

class CGradientPage : public CFillPage {
 public:
  // The style radios in style order.
  static const UINT kStyleButtons[6];

  explicit CGradientPage(FillEffect& effect);

  void DrawSample(HDC dc, const RECT& rect) override;
  // Fills the rectangle with the gradient of a style (0..5) from start to end.
  static void FillGradient(HDC dc, const RECT& rect, int style, uint32_t start, uint32_t end);

  CColourPicker m_startPicker;
  CColourPicker m_endPicker;
  CScrollBar m_shadeBar;
  CScrollBar m_startBar;
  CScrollBar m_endBar;

 protected:
  BOOL OnInitDialog() override;
  // Leaving the page checks that both transparencies are within 0 to 255.
  void DoDataExchange(CDataExchange* pDX) override;
  void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;

 private:
  int CheckedStyle() const;
  // Shows the controls of a one- or two-colour gradient.
  void ShowColourCount(int count);
  // Writes the page's values into the dialog's fields.
  void Store();
  void OnOneColour();
  void OnTwoColours();
  void OnStyle(UINT nID);
  void OnStartEdit() { OnAlphaEdit(IDC_FE_START_EDIT, m_startBar); }
  void OnEndEdit() { OnAlphaEdit(IDC_FE_END_EDIT, m_endBar); }
  void OnAlphaEdit(UINT edit, CScrollBar& bar);
  LRESULT OnWellSelOk(WPARAM wParam, LPARAM lParam);

  // Notifications that the controls send while the page sets them up change nothing.
  BOOL m_initialising = FALSE;
};
