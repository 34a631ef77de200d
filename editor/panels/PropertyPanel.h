// CPropertyPanel: the property bar's dialog, in which the author reads and edits the
// page or the current object (the last one selected): a combo of the page and its
// objects' names, tabs of appearance, actions and interactions with one property grid
// each, and the buttons "确认", "添加", "删除" and "清空". The panel fills no rows
// itself: the page and the objects list their rows into the grids and read them back.
// It keeps no subject of its own and asks the main frame's active view every time.
//
// Everyone else reaches it by two messages: kPanelNotifyMessage (what changed; the
// model sends it through its host) and kRowChangedMessage (a grid row's value).
#pragma once

#include "editor/panels/ResizableDialog.h"
#include "framework/ui/Button.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/TabCtrl.h"
#include "propgrid/PropGrid.h"

class CDrawDoc;
class CDrawObj;
class CDrawView;

// To the panel: the subject changed. wParam what (kPanel... of the page model's host,
// 0 to 6), lParam the object or, for 0, a string.
constexpr UINT kPanelNotifyMessage = 0x7E9;

class CPropertyPanel : public CResizableDialog {
 public:
  enum Tab { kAppearanceTab = 0, kActionsTab = 1, kInteractionsTab = 2 };
  static constexpr UINT kGridIds[3] = {1001, 1002, 1003};

  CPropertyPanel();

  // The grids' rectangle in the tab control's client coordinates, from the tab's client
  // area, its first header and the name combo's client height.
  static CRect GridRect(const CRect& tabClient, const CRect& header, int comboHeight);

  LRESULT OnPanelNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnComboSelect(WPARAM wParam, LPARAM lParam);
  void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
  void OnNameChange();
  void OnAdd();
  void OnClear();
  // "确认" and Enter: the current tab's rows go into the subject.
  void OnOK() override;
  // "删除" and Escape: the current action or interaction is deleted.
  void OnCancel() override;

  CPropGrid& Grid(int tab) { return m_grids[tab]; }

  CButton m_btnOK;
  CButton m_btnDelete;
  CButton m_btnAdd;
  CButton m_btnClear;
  CTabCtrl m_tab;
  CComboBox m_names;
  CPropGrid m_grids[3];

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  // The active view and its document; false when either is missing.
  bool Subject(CDrawView*& view, CDrawDoc*& doc) const;
  static CDrawObj* CurrentObject(CDrawView* view);
  // The object, when it is still in the page (a posted notice may outlive it).
  static CDrawObj* LiveObject(CDrawDoc* doc, LPARAM lParam);
  void EmptyGrids();
  void RepaintGrids();
  void ShowPageRows(CDrawDoc* doc);
  void ShowObjectRows(CDrawObj* object);
  void Refill(CDrawDoc* doc);
  // The combo's object entry of that name (entry 0, the page, never matches), or -1.
  int FindObjectName(const CString& name) const;
  // Replaces the old name's entry by the new one (appended when the old is missing).
  void Rename(const CString& oldName, const CString& newName, bool page);
  void DeleteCurrent(CDrawObj* object, int tab);
};
