#include "editor/panels/FillEffectsDlg.h"

#include "editor/panels/GradientPage.h"
#include "editor/panels/PatternPage.h"
#include "editor/panels/PicturePage.h"
#include "resources/KordelIds.h"

CFillEffectsDlg::CFillEffectsDlg(CWnd* pParent) : CDialog(IDD_FILL_EFFECTS, pParent) {}

CFillEffectsDlg::~CFillEffectsDlg() = default;

BOOL CFillEffectsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_tabs.SubclassDlgItem(IDC_FE_TABS, this);
  int image = 0;
  for (int bit : {FillEffect::kGradientPage, FillEffect::kPatternPage, FillEffect::kPicturePage}) {
    if (m_effect.pageMask & bit) {
      std::unique_ptr<CFillPage> page;
      if (bit == FillEffect::kGradientPage)
        page = std::make_unique<CGradientPage>(m_effect);
      else if (bit == FillEffect::kPatternPage)
        page = std::make_unique<CPatternPage>(m_effect);
      else
        page = std::make_unique<CPicturePage>(m_effect);
      if (page->CreatePage(&m_tabs)) {
        m_tabs.AddTab(page.get(), page->GetCaption(), image);
        m_pages.emplace_back(bit, std::move(page));
      }
    }
    ++image;
  }
  CenterWindow(CWnd::GetDesktopWindow());
  return TRUE;
}

CFillPage* CFillEffectsDlg::GetPage(int pageBit) const {
  for (const auto& [bit, page] : m_pages)
    if (bit == pageBit) return page.get();
  return nullptr;
}

void CFillEffectsDlg::OnOK() {
  for (auto& entry : m_pages)
    if (entry.second->m_hWnd && !entry.second->OnKillActive()) return;
  CDialog::OnOK();
}

void CFillEffectsDlg::OnDestroy() {
  for (auto& entry : m_pages)
    if (entry.second->m_hWnd) entry.second->DestroyWindow();
  m_pages.clear();
  CDialog::OnDestroy();
}
