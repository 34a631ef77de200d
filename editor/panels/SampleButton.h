// CSampleButton: the owner-drawn sample of a fill effects page. The page that holds it
// draws the sample; the button draws it off-screen first, so it never flickers.
#pragma once

#include "framework/ui/Button.h"

class CSampleButton : public CButton {
  DECLARE_DYNCREATE(CSampleButton)

 public:
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
