// CIconCombo: an owner-drawn combo box that shows icons of the program's resources.
// Each item's text is the icon's resource id in decimal and its data the icon (owned
// by the resources, so nothing is freed). The control needs CBS_OWNERDRAWFIXED and
// CBS_HASSTRINGS.
#pragma once

#include "framework/ui/ComboBox.h"

class CIconCombo : public CComboBox {
 public:
  CIconCombo();

  // The new item's index, -1 when the resources hold no icon of that id, or the
  // combo's error code.
  int AddIcon(UINT nIconID);
  int InsertIcon(int nIndex, UINT nIconID);
  // Selects the item whose text is exactly idText, else the first item.
  void SelectIcon(LPCSTR idText);
  void DeleteIcon(LPCSTR idText);
  // Draws the item's icon centred in its rectangle (nothing while no item is chosen).
  void DrawIconItem(LPDRAWITEMSTRUCT lpDIS, BOOL bSelected);

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

  int m_cxIcon;
  int m_cyIcon;

 protected:
  // A combo of a dialog template was measured before it was routed here.
  void PreSubclassWindow() override;

 private:
  static HICON LoadResourceIcon(UINT nIconID);
  void FillItem(CDC& dc, const RECT& rect, COLORREF colour);
};
