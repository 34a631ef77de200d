// CFillEffectsDlg: the fill effects dialog. Its caller sets m_effect, runs it modally
// and reads m_effect after OK; the pages (gradient, pattern, picture, as pageMask
// asks) write into m_effect as the author works.
#pragma once

#include <memory>
#include <vector>

#include "editor/panels/FillEffect.h"
#include "editor/panels/HoverTabCtrl.h"
#include "framework/ui/Dialog.h"

class CFillPage;

class CFillEffectsDlg : public CDialog {
 public:
  explicit CFillEffectsDlg(CWnd* pParent = nullptr);
  ~CFillEffectsDlg() override;

  BOOL OnInitDialog() override;
  // The page of a kind, or null when the dialog does not hold it.
  CFillPage* GetPage(int pageBit) const;

  FillEffect m_effect;
  CHoverTabCtrl m_tabs;

 protected:
  // OK takes the dialog's fields only when every page's typed values are valid.
  void OnOK() override;
  void OnDestroy() override;

 private:
  std::vector<std::pair<int, std::unique_ptr<CFillPage>>> m_pages;
};
