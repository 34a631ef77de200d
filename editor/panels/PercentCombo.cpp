#include "editor/panels/PercentCombo.h"

#include <cstdlib>

#include "editor/MainFrame.h"
#include "editor/panels/SmallControlInput.h"
#include "framework/core/String.h"
#include "framework/ui/SliderCtrl.h"

void CPercentCombo::SetFromSlider(int nPos) {
  int percent;
  if (nPos == 0)
    percent = 20;
  else if (nPos == 400)
    percent = 100;
  else if (nPos == 800)
    percent = 500;
  else
    percent = nPos < 400 ? nPos / 5 + 20 : nPos - 300;
  CString text;
  text.Format("%d%%", percent);
  SetWindowText(text);
}

int CPercentCombo::GetPercent() const {
  CString text;
  GetWindowText(text);
  if (text.Right(1) == "%") text = text.Left(text.GetLength() - 1);
  return std::atoi(text);
}

void CPercentCombo::Show(int percent, int sliderPos) {
  if (m_pSlider && m_pSlider->m_hWnd) m_pSlider->SetPos(sliderPos);
  CString text;
  text.Format("%d%%", percent);
  SetWindowText(text);
}

void CPercentCombo::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (RefuseNonDigit(nChar)) return;
  Default();
  CString text;
  GetWindowText(text);
  if (text.Right(1) != "%") {
    SetWindowText(text + "%");
    SetSel(text.GetLength(), text.GetLength());
  }
}

void CPercentCombo::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN) Apply();
  Default();
}

void CPercentCombo::Apply() {
  const int percent = GetPercent();
  if (percent < 20) {
    Show(20, 0);
    return;
  }
  if (percent > 500) {
    Show(500, 800);
    return;
  }
  if (m_pSlider && m_pSlider->m_hWnd) m_pSlider->SetPos(percent < 100 ? percent * 5 - 100 : percent + 300);
  if (auto* frame = dynamic_cast<CMainFrame*>(GetTopLevelFrame())) frame->ScaleSelection(percent);
  Show(100, 400);
}
