#include "editor/panels/NumberEdit.h"

#include <cstdlib>

#include "editor/MainFrame.h"
#include "editor/panels/SmallControlInput.h"
#include "framework/core/String.h"
#include "framework/ui/SliderCtrl.h"

void CNumberEdit::SetValue(int n) {
  CString text;
  text.Format("%d", n);
  SetWindowText(text);
}

void CNumberEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (RefuseNonDigit(nChar)) return;
  Default();
  Apply();
}

void CNumberEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  Default();
  if (nChar == VK_DELETE) Apply();
}

void CNumberEdit::Apply() {
  CString text;
  GetWindowText(text);
  int n = std::atoi(text);  // an empty text reads as 0
  if (n < 1 || n > 100) {
    n = n < 1 ? 1 : 100;
    SetValue(n);
    const int end = GetWindowTextLength();
    SetSel(end, end);  // typing goes on at the end
  }
  if (m_pSlider && m_pSlider->m_hWnd) m_pSlider->SetPos(n);
  if (auto* frame = dynamic_cast<CMainFrame*>(GetTopLevelFrame())) {
    frame->m_nLineWidth = n;
    frame->ApplyLineWidth(n);
  }
}
