// CFormatCombo: what the format bar's font and size combo boxes share: their text read
// and written whether or not it is an item, a kept text limit, the default GUI font,
// and the keys the bar handles before the box sees them (Tab, Enter, Escape, and the
// arrows that open the list).
#pragma once

#include "framework/ui/ComboBox.h"

class CFormatCombo : public CComboBox {
 public:
  // The selected item's text when an item is selected, else the edit field's.
  CString GetTheText() const;
  // Selects the item with exactly that text (bExact) or beginning with it; when there is
  // none, nothing is selected and the edit field shows the text.
  void SetTheText(LPCSTR lpszText, BOOL bExact = FALSE);
  // Deselects and shows the text in the edit field.
  void SetEditText(LPCSTR lpszText);
  BOOL LimitText(int nMaxChars);
  BOOL PreTranslateMessage(MSG* pMsg) override;

  int m_nLimitText = 0;

 protected:
  int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
};
