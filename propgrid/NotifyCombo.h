// CNotifyCombo: the drop-down a property grid opens over a choice row. When the user
// changes its selection it sends (not posts) kRowChangedMessage to the property panel
// with the row's id and the new selection. The panel's handling may remove the very row
// whose drop-down is telling it: the drop-down then goes away only after its
// notification has returned (Dispose).
#pragma once

#include "framework/ui/ComboBox.h"

class CFont;

class CNotifyCombo : public CComboBox {
 public:
  explicit CNotifyCombo(int id);
  ~CNotifyCombo() override;

  int GetRowId() const { return m_rowId; }
  // The owner lets go of the drop-down and of its font: deleted now, or when its
  // notification returns if it is telling the panel of a change.
  void Dispose(CFont* font);

 protected:
  void PostNcDestroy() override;

 private:
  void OnSelChange();
  LRESULT OnDisposeNow(WPARAM, LPARAM);

  int m_rowId;
  bool m_notifying = false;
  bool m_disposed = false;
  CFont* m_font = nullptr;  // owned once disposed
};
