// CFillPage: what the three pages of the fill effects dialog share: the dialog's fields
// they write into as the user works, and the sample each draws its own way.
#pragma once

#include "editor/panels/FillEffect.h"
#include "editor/panels/SampleButton.h"
#include "framework/ui/PropertyPage.h"
#include "resources/KordelIds.h"

class CFillPage : public CPropertyPage {
 public:
  CFillPage(UINT nIDTemplate, UINT nIDCaption, FillEffect& effect)
      : CPropertyPage(nIDTemplate, nIDCaption), m_effect(effect) {}

  // Draws the page's current choice into the rectangle.
  virtual void DrawSample(HDC dc, const RECT& rect) = 0;
  void RedrawSample() {
    if (m_sample.m_hWnd) m_sample.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  CSampleButton m_sample;

 protected:
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    m_sample.SubclassDlgItem(IDC_FE_SAMPLE, this);
    return TRUE;
  }

  FillEffect& m_effect;
};
