// CHoverTabCtrl: the fill effects dialog's tab control. Each tab carries its page (a
// child dialog of the control, placed at the page origin) and an enabled flag; the
// control shows the page of the chosen tab, and refuses a disabled tab by going back to
// the one before. Its tabs are owner-drawn on the button face.
#pragma once

#include <vector>

#include "framework/ui/TabCtrl.h"

class CHoverTabCtrl : public CTabCtrl {
 public:
  static constexpr int kPageLeft = 4;
  static constexpr int kPageTop = 28;

  CHoverTabCtrl();

  // Adds a tab at the end for the page; the first tab's page shows, the others hide.
  void AddTab(CWnd* page, LPCSTR caption, int image);
  void EnableTab(int index, BOOL enable);
  CWnd* GetPage(int index) const;

 protected:
  void PreSubclassWindow() override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  void OnSelChanging(NMHDR* header, LRESULT* result);
  void OnSelChange(NMHDR* header, LRESULT* result);
  void DrawItem(const DRAWITEMSTRUCT* item);

  struct Tab {
    CWnd* page;
    BOOL enabled;
  };
  std::vector<Tab> m_tabs;
  int m_previous = -1;
};
