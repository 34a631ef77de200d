#include "editor/panels/PropertyPanel.h"

#include "editor/DrawApp.h"
#include "editor/DrawView.h"
#include "framework/ui/DataExchange.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"
#include "resources/ModelStrings.h"

namespace {

// Sound and video objects (video may not be part of this program).
bool IsMediaObject(const CDrawObj* object) {
  for (const char* name : {"CDrawMedia", "CDrawAnimate"}) {
    const CRuntimeClass* cls = CRuntimeClass::FromName(name);
    if (cls && object->IsKindOf(cls)) return true;
  }
  return false;
}

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

CPropertyPanel::CPropertyPanel() : CResizableDialog(IDD_PROPERTY_PANEL) {
  MapNotify(TCN_SELCHANGE, IDC_PROPERTY_TABS, &CPropertyPanel::OnTabChange);
  MapControl(CBN_SELCHANGE, IDC_PROPERTY_NAMES, &CPropertyPanel::OnNameChange);
  MapCommand(IDC_PROPERTY_CLEAR, &CPropertyPanel::OnClear);
  MapCommand(IDC_PROPERTY_ADD, &CPropertyPanel::OnAdd);
  MapMessage(kPanelNotifyMessage, &CPropertyPanel::OnPanelNotify);
  MapMessage(kRowChangedMessage, &CPropertyPanel::OnComboSelect);
}

void CPropertyPanel::DoDataExchange(CDataExchange* pDX) {
  CResizableDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDOK, m_btnOK);
  DDX_Control(pDX, IDCANCEL, m_btnDelete);
  DDX_Control(pDX, IDC_PROPERTY_ADD, m_btnAdd);
  DDX_Control(pDX, IDC_PROPERTY_CLEAR, m_btnClear);
  DDX_Control(pDX, IDC_PROPERTY_TABS, m_tab);
  DDX_Control(pDX, IDC_PROPERTY_NAMES, m_names);
}

CRect CPropertyPanel::GridRect(const CRect& tabClient, const CRect& header, int comboHeight) {
  return CRect(tabClient.left, header.bottom, tabClient.right - 30,
               tabClient.bottom - comboHeight - header.Height() - 10);
}

BOOL CPropertyPanel::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  m_resizer.Init(this, 10);
  m_resizer.AddControl(&m_names, CDlgResizer::kStretch, CDlgResizer::kKeep);
  m_resizer.AddControl(&m_tab, CDlgResizer::kStretch, CDlgResizer::kStretch);
  m_tab.InsertItem(kAppearanceTab, LoadText(IDS_TAB_APPEARANCE));
  m_tab.InsertItem(kActionsTab, LoadText(IDS_TAB_ACTIONS));
  m_tab.InsertItem(kInteractionsTab, LoadText(IDS_TAB_INTERACTIONS));

  CRect header, combo, tab;
  m_tab.GetItemRect(0, &header);
  m_names.GetClientRect(&combo);
  m_tab.GetClientRect(&tab);
  const CRect rect = GridRect(tab, header, combo.Height());
  for (int i = 0; i < 3; ++i) {
    m_grids[i].CreateGrid(WS_CHILD | WS_VISIBLE | 0x200, rect, &m_tab, kGridIds[i]);
    m_grids[i].ShowWindow(i == kAppearanceTab ? SW_SHOW : SW_HIDE);
    m_resizer.AddControl(&m_grids[i], CDlgResizer::kStretch, CDlgResizer::kStretch);
  }
  for (CButton* button : {&m_btnOK, &m_btnAdd, &m_btnDelete, &m_btnClear})
    m_resizer.AddAnchor(button, 50, 50, 100, 100);
  m_btnDelete.EnableWindow(FALSE);
  m_btnAdd.EnableWindow(FALSE);
  return TRUE;
}

// ---------------------------------------------------------------------------------
// The subject

bool CPropertyPanel::Subject(CDrawView*& view, CDrawDoc*& doc) const {
  CDrawApp* app = GetDrawApp();
  view = app ? app->GetActiveDrawView() : nullptr;
  doc = view ? view->GetDocument() : nullptr;
  return view && doc;
}

CDrawObj* CPropertyPanel::CurrentObject(CDrawView* view) {
  return view->m_selection.IsEmpty() ? nullptr : static_cast<CDrawObj*>(view->m_selection.GetTail());
}

CDrawObj* CPropertyPanel::LiveObject(CDrawDoc* doc, LPARAM lParam) {
  auto* object = reinterpret_cast<CObject*>(lParam);
  return object && doc->m_objects.Find(object) ? static_cast<CDrawObj*>(object) : nullptr;
}

void CPropertyPanel::EmptyGrids() {
  for (CPropGrid& grid : m_grids) grid.RemoveAll();
}

void CPropertyPanel::RepaintGrids() {
  for (CPropGrid& grid : m_grids) grid.Invalidate(TRUE);
}

void CPropertyPanel::ShowPageRows(CDrawDoc* doc) {
  EmptyGrids();
  doc->ListPage(&m_grids[kAppearanceTab]);
  doc->ListTransition(&m_grids[kActionsTab], -1);
  doc->ListTriggers(&m_grids[kInteractionsTab]);
  RepaintGrids();
}

void CPropertyPanel::ShowObjectRows(CDrawObj* object) {
  EmptyGrids();
  object->ListGeneral(&m_grids[kAppearanceTab]);
  object->ListActions(&m_grids[kActionsTab], -1);
  object->ListInteractions(&m_grids[kInteractionsTab], -1);
  RepaintGrids();
}

void CPropertyPanel::Refill(CDrawDoc* doc) {
  m_names.ResetContent();
  m_names.AddString(doc->GetTitle());
  m_names.SetWindowText(doc->GetTitle());
  ShowPageRows(doc);
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(doc->m_objects.GetNext(pos));
    if (!object->IsSuspended()) m_names.AddString(object->m_name);
  }
}

int CPropertyPanel::FindObjectName(const CString& name) const {
  // Byte for byte: the combo's own search ignores case.
  for (int i = 1; i < m_names.GetCount(); ++i) {
    CString entry;
    m_names.GetLBText(i, entry);
    if (entry == name) return i;
  }
  return -1;
}

void CPropertyPanel::Rename(const CString& oldName, const CString& newName, bool page) {
  if (oldName == newName) return;
  int index = page ? (m_names.GetCount() > 0 ? 0 : -1) : FindObjectName(oldName);
  if (index >= 0) {
    m_names.DeleteString(static_cast<UINT>(index));
    m_names.InsertString(index, newName);
  } else {
    m_names.AddString(newName);
  }
  m_names.SetWindowText(newName);
}

// ---------------------------------------------------------------------------------
// Notices

LRESULT CPropertyPanel::OnPanelNotify(WPARAM wParam, LPARAM lParam) {
  CDrawView* view;
  CDrawDoc* doc;
  if (!Subject(view, doc)) return 1;
  switch (wParam) {
    case 0: {
      const char* text = reinterpret_cast<const char*>(lParam);
      EmptyGrids();
      RepaintGrids();
      m_names.ResetContent();
      m_names.AddString(text ? text : "");
      m_names.SetWindowText(text);
      break;
    }
    case 1:
      ShowPageRows(doc);
      m_names.SetWindowText(doc->GetTitle());
      break;
    case kPanelObjectSelected:
      if (CDrawObj* object = LiveObject(doc, lParam)) {
        ShowObjectRows(object);
        m_names.SetWindowText(object->m_name);
      }
      break;
    case kPanelObjectAdded:
      if (CDrawObj* object = LiveObject(doc, lParam)) m_names.AddString(object->m_name);
      break;
    case kPanelObjectRemoved: {
      // Sent while the object, just taken out of the page, still exists.
      auto* object = reinterpret_cast<CDrawObj*>(lParam);
      const int index = object ? FindObjectName(object->m_name) : -1;
      if (index < 0 || m_names.DeleteString(static_cast<UINT>(index)) == CB_ERR) return 1;
      break;
    }
    case 5:
      m_names.ResetContent();
      EmptyGrids();
      RepaintGrids();
      break;
    case kPanelSelectionChanged:
      Refill(doc);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT CPropertyPanel::OnComboSelect(WPARAM wParam, LPARAM lParam) {
  CDrawView* view;
  CDrawDoc* doc;
  if (!Subject(view, doc)) return 1;
  CDrawObj* object = CurrentObject(view);
  const int index = static_cast<int>(lParam);
  CPropGrid& actions = m_grids[kActionsTab];
  CPropGrid& interactions = m_grids[kInteractionsTab];
  switch (m_tab.GetCurSel()) {
    case kAppearanceTab:
      if (!object) {
        const CString before = doc->GetTitle();
        doc->ApplyPage(&m_grids[kAppearanceTab]);
        view->Invalidate(FALSE);
        Rename(before, doc->GetTitle(), true);
      } else {
        const CString before = object->m_name;
        object->ApplyGeneral(&m_grids[kAppearanceTab]);
        view->InvalObj(object);
        Rename(before, object->m_name, false);
      }
      break;
    case kActionsTab:
      if (!object) {
        if (wParam == 0) {
          doc->ApplyTransition(&actions, -1);
        } else if (wParam == 1) {
          actions.RemoveItemsFrom(3);
          actions.Invalidate(TRUE);
          doc->ListTransition(&actions, index);
        }
      } else if (wParam == 1) {
        object->ShowExistingAction(&actions, index);
      } else if (wParam == 2) {
        // A sound or video keeps the rows before its type's; other objects keep four.
        actions.RemoveItemsFrom(IsMediaObject(object) ? 3 : 5);
        OnAdd();
        actions.Invalidate(TRUE);
        object->ListActions(&actions, index);
      } else if (wParam == 5) {
        object->ListEffectDirections(&actions, index, 0);
      }
      break;
    case kInteractionsTab:
      if (!object) break;
      if (wParam == 1)
        object->ShowExistingInteraction(&interactions, index);
      else if (wParam == 2)
        OnAdd();
      else if (wParam == 3)
        object->ListInteractions(&interactions, index);
      break;
    default:
      break;
  }
  doc->SetModifiedFlag(TRUE);
  return 0;
}

// ---------------------------------------------------------------------------------
// Tabs, names and buttons

void CPropertyPanel::OnTabChange(NMHDR*, LRESULT* pResult) {
  const int selected = m_tab.GetCurSel();
  for (int i = 0; i < 3; ++i) m_grids[i].ShowWindow(i == selected ? SW_SHOW : SW_HIDE);
  const BOOL rows = selected != kAppearanceTab;
  m_btnAdd.EnableWindow(rows);
  m_btnDelete.EnableWindow(rows);
  *pResult = 0;
}

void CPropertyPanel::OnNameChange() {
  const int selected = m_names.GetCurSel();
  CDrawView* view;
  CDrawDoc* doc;
  if (selected < 0 || !Subject(view, doc)) return;
  if (selected == 0) {
    ShowPageRows(doc);
    view->Select(nullptr, FALSE);
    return;
  }
  CString name;
  m_names.GetLBText(selected, name);
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(doc->m_objects.GetNext(pos));
    if (object->m_name != name || object->IsSuspended()) continue;
    view->SetFocus();
    view->Select(object, FALSE);
  }
}

void CPropertyPanel::OnOK() {
  const int tab = m_tab.GetCurSel();
  CDrawView* view;
  CDrawDoc* doc;
  if (tab < 0 || tab > 2 || !Subject(view, doc)) return;
  m_grids[tab].EndEdit();
  CDrawObj* object = CurrentObject(view);
  if (tab == kAppearanceTab) {
    // The combo follows a rename here as it does when a row changes.
    if (!object) {
      const CString before = doc->GetTitle();
      doc->ApplyPage(&m_grids[kAppearanceTab]);
      Rename(before, doc->GetTitle(), true);
    } else {
      const CString before = object->m_name;
      object->ApplyGeneral(&m_grids[kAppearanceTab]);
      view->InvalObj(object);
      Rename(before, object->m_name, false);
    }
  } else if (tab == kActionsTab) {
    if (!object) {
      doc->ApplyTransition(&m_grids[kActionsTab], -1);
    } else {
      CString type;
      m_grids[kActionsTab].GetText(LoadText(IDS_ROW_ACTION_TYPE), &type);
      object->ApplyActions(&m_grids[kActionsTab], object->ActionTypeFromName(type));
      m_grids[kInteractionsTab].RemoveAll();
      object->ListInteractions(&m_grids[kInteractionsTab], -1);
      m_grids[kInteractionsTab].Invalidate(TRUE);
    }
  } else if (object) {
    object->ApplyInteractions(&m_grids[kInteractionsTab]);
  }
  doc->SetModifiedFlag(TRUE);
}

void CPropertyPanel::OnAdd() {
  const int tab = m_tab.GetCurSel();
  CDrawView* view;
  CDrawDoc* doc;
  if (!Subject(view, doc)) return;
  CDrawObj* object = CurrentObject(view);
  if (object && (tab == kActionsTab || tab == kInteractionsTab)) {
    (tab == kActionsTab ? object->m_selectedAction : object->m_selectedEvent) = -1;
    CPropGrid& grid = m_grids[tab];
    PropertyEntry entry;
    grid.GetEntry(1, &entry, -1);
    entry.text.Empty();
    grid.SetEntry(1, &entry, -1);
    grid.Invalidate(TRUE);
  }
  doc->SetModifiedFlag(TRUE);
}

void CPropertyPanel::OnClear() {
  const int tab = m_tab.GetCurSel();
  CDrawView* view;
  CDrawDoc* doc;
  if (!Subject(view, doc)) return;
  if (CDrawObj* object = CurrentObject(view)) {
    if (tab >= 0 && tab <= 2) object->ResetPropertyPage(tab, view);
  } else if (tab == kAppearanceTab) {
    doc->ApplyPage(&m_grids[kAppearanceTab]);
  } else if (tab == kActionsTab) {
    doc->ApplyTransition(&m_grids[kActionsTab], -1);
  }
  doc->SetModifiedFlag(TRUE);
}

void CPropertyPanel::OnCancel() {
  const int tab = m_tab.GetCurSel();
  CDrawView* view;
  CDrawDoc* doc;
  if (!Subject(view, doc)) return;
  CDrawObj* object = CurrentObject(view);
  if (object && (tab == kActionsTab || tab == kInteractionsTab)) {
    const int count = tab == kActionsTab ? object->m_actions.GetSize() : object->m_events.GetSize();
    const int current = tab == kActionsTab ? object->m_selectedAction : object->m_selectedEvent;
    if (count == 0 || current < 0 || current >= count) return;
    DeleteCurrent(object, tab);
  }
  doc->SetModifiedFlag(TRUE);
}

// Deletes the object's current action or event. The rows then show what OK would
// write: the first remaining record, or a new one's rows when none remain (the deleted
// record's values must not stay behind to be written over another).
void CPropertyPanel::DeleteCurrent(CDrawObj* object, int tab) {
  const bool actions = tab == kActionsTab;
  CPropGrid& grid = m_grids[tab];
  int& current = actions ? object->m_selectedAction : object->m_selectedEvent;
  PropertyEntry entry;
  grid.GetEntry(1, &entry, current);
  if (actions)
    object->m_actions.RemoveAt(current);
  else
    object->m_events.RemoveAt(current);
  const int remaining = actions ? object->m_actions.GetSize() : object->m_events.GetSize();
  current = remaining > 0 ? 0 : -1;
  grid.EndEdit();
  if (remaining > 0) {
    entry.text = actions ? object->m_actions[0].m_strName : object->m_events[0].m_strName;
    grid.SetEntry(1, &entry, -1);
    if (actions)
      object->ShowExistingAction(&grid, 0);
    else
      object->ShowExistingInteraction(&grid, 0);
  } else {
    grid.RemoveAll();
    if (actions)
      object->ListActions(&grid, -1);
    else
      object->ListInteractions(&grid, -1);
  }
  grid.Invalidate(TRUE);
}
