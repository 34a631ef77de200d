// CColorPopupDlg: an invisible modal dialog holding a drop-down colour well under a
// toolbar button. The frame loads it from the selected object's line or fill, runs it
// with Popup, and writes the choice back with ApplyToObject.
#pragma once

#include <cstdint>

#include "editor/panels/SVizColorWell.h"
#include "framework/ui/Dialog.h"

class CDrawObj;

class CColorPopupDlg : public CDialog, public CColourWellTarget {
 public:
  explicit CColorPopupDlg(CWnd* pParent);

  // mode 0: the object's line; 1: its fill.
  void LoadFromObject(const CDrawObj* object, int mode);
  // Opens the well at the button's bottom-left (screen); IDOK when a choice was made.
  INT_PTR Popup(COLORREF defaultColour, COLORREF colour, const RECT& buttonRect, int noFillEffects);
  void ApplyToObject(CDrawObj* object) const;

  BOOL OnInitDialog() override;
  void TakePlainColour(COLORREF colour) override;
  void TakeNoFill() override;
  void LoadFillEffect(FillEffect& effect) const override;
  BOOL TakeFillEffect(const FillEffect& effect) override;

  RECT m_buttonRect = {};
  int m_noFillEffects = 0;
  COLORREF m_colour = 0;
  COLORREF m_defaultColour = 0;
  int m_mode = 0;
  int m_fillExtra = 1;
  int m_colourCount = 2;
  int m_fillKind = 0;
  uint32_t m_firstColour = 0xFF000000;
  uint32_t m_secondColour = 0xFF000000;
  int m_fillParameter = 0;
  int m_fillSelector = 0;
  BYTE m_variant = 0;

  // The well while the dialog runs (it deletes itself as it ends).
  CSVizColorWell* m_well = nullptr;

 private:
  LRESULT OnWellSelOk(WPARAM wParam, LPARAM lParam);
  LRESULT OnWellSelCancel(WPARAM wParam, LPARAM lParam);
};
