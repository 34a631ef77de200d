// CDrawObj's rows in the property panel: the appearance page, the head of the actions
// page with the flow that names and stores an action, the effect directions, and the
// interactions page. The rows of each action type are the per-type list and apply slots.
#include <vector>

#include "framework/core/MessageBox.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/DrawText.h"
#include "model/PropertyRows.h"
#include "resources/ModelStrings.h"

namespace {

// Rows the actions and interactions pages address by number.
constexpr int kExistingRow = 1;  // both pages
constexpr int kActionTypeRow = 2;
constexpr int kByEventRow = 3;
constexpr int kStartTimeRow = 4;
constexpr int kFirstTypeRow = 5;
constexpr int kEffectDirectionRow = 6;
constexpr int kTriggerRow = 2;
constexpr int kDrivenObjectRow = 3;
constexpr int kDrivenAbilityRow = 4;

// The per-type rows of each action kind; an object's type list (ActionTypeAt) decides
// which kinds its actions page offers and in what order.
using ListSlot = int (CDrawObj::*)(CPropGrid*, CMethod&);
using ApplySlot = BOOL (CDrawObj::*)(CPropGrid*, CMethod&);
struct TypeSlots {
  DWORD kind;
  ListSlot list;
  ApplySlot apply;
};
constexpr TypeSlots kTypeSlots[] = {
    {CMethod::typeTranslate, &CDrawObj::ListActionTranslation, &CDrawObj::ApplyActionTranslation},
    {CMethod::typeRotate, &CDrawObj::ListActionRotation, &CDrawObj::ApplyActionRotation},
    {CMethod::typeEffect, &CDrawObj::ListActionEffect, &CDrawObj::ApplyActionEffect},
    {CMethod::typePageSwitch, &CDrawObj::ListActionPageSwitch, &CDrawObj::ApplyActionPageSwitch},
    {CMethod::typeShowHide, &CDrawObj::ListActionShowHide, &CDrawObj::ApplyActionShowHide},
    {CMethod::typeLayer, &CDrawObj::ListActionLayer, &CDrawObj::ApplyActionLayer},
    {CMethod::typeExit, &CDrawObj::ListActionExit, &CDrawObj::ApplyActionExit},
    {CMethod::typeRunProgram, &CDrawObj::ListActionProgram, &CDrawObj::ApplyActionProgram},
    {CMethod::typeControlPoint, &CDrawObj::ListActionControlPoint, &CDrawObj::ApplyActionControlPoint},
    {CMethod::typeSetData, &CDrawObj::ListActionSetData, &CDrawObj::ApplyActionSetData},
    {CMethod::typeCalculate, &CDrawObj::ListActionCalculate, &CDrawObj::ApplyActionCalculate},
    {CMethod::typeCartoon, &CDrawObj::ListActionCartoon, &CDrawObj::ApplyActionCartoon},
    {CMethod::typePlayMedia, &CDrawObj::ListExtraActionRows, &CDrawObj::ApplyExtraActionRows},
    {CMethod::typeStopMedia, &CDrawObj::ListExtraActionRows, &CDrawObj::ApplyExtraActionRows},
    {CMethod::typeGif, &CDrawObj::ListExtraActionRows, &CDrawObj::ApplyExtraActionRows},
};

// The slots of the kind at that position of the object's type list, or null.
const TypeSlots* SlotsAt(CDrawObj& object, int type) {
  const DWORD kind = object.ActionTypeAt(type);
  for (const TypeSlots& slots : kTypeSlots)
    if (kind != 0 && slots.kind == kind) return &slots;
  return nullptr;
}

// The directions of each effect kind; an action stores the position in its kind's list.
constexpr UINT kSweepDirections[] = {IDS_DIRECTION_DOWN,          IDS_DIRECTION_UP,
                                     IDS_DIRECTION_RIGHT,         IDS_DIRECTION_LEFT,
                                     IDS_DIRECTION_TO_MIDDLE_V,   IDS_DIRECTION_TO_MIDDLE_H,
                                     IDS_DIRECTION_CROSS_V,       IDS_DIRECTION_CROSS_H};
constexpr UINT kBlindDirections[] = {IDS_DIRECTION_BLINDS_V, IDS_DIRECTION_BLINDS_H};
constexpr UINT kBarDirections[] = {IDS_DIRECTION_BARS_V, IDS_DIRECTION_BARS_H};
constexpr UINT kShapeDirections[] = {IDS_DIRECTION_DIAMOND_OUT, IDS_DIRECTION_DIAMOND_IN, IDS_DIRECTION_CIRCLE_OUT,
                                     IDS_DIRECTION_CIRCLE_IN,   IDS_DIRECTION_ELLIPSE_OUT, IDS_DIRECTION_ELLIPSE_IN,
                                     IDS_DIRECTION_CROSS_OUT,   IDS_DIRECTION_CROSS_IN};
constexpr UINT kStretchDirections[] = {IDS_DIRECTION_DOWN,      IDS_DIRECTION_UP,        IDS_DIRECTION_RIGHT,
                                       IDS_DIRECTION_LEFT,      IDS_DIRECTION_STRETCH_V, IDS_DIRECTION_STRETCH_H,
                                       IDS_DIRECTION_ZOOM};
constexpr UINT kFadeDirections[] = {IDS_DIRECTION_FADE_IN, IDS_DIRECTION_FADE_OUT};

struct DirectionList {
  const UINT* ids;
  int count;
};

template <size_t N>
constexpr DirectionList Directions(const UINT (&ids)[N], int count = static_cast<int>(N)) {
  return {ids, count};
}

DirectionList DirectionsOf(int kind) {
  switch (kind) {
    case 0: return Directions(kSweepDirections, 6);  // without the two crossings
    case 1: return Directions(kSweepDirections);
    case 2: return Directions(kBlindDirections);
    case 3: return Directions(kBarDirections);
    case 4: return Directions(kShapeDirections);
    case 5: return Directions(kStretchDirections);
    case 6: return Directions(kFadeDirections);
    default: return {nullptr, 0};
  }
}

// Of the triggers the interactions page offers, the last two (the keys) are offered
// only by text objects.
constexpr int kKeyTriggerCount = 2;

// The objects of the active page an event may drive, in page order: no trajectories, no
// deleted objects, and only objects with an action that waits for an event.
std::vector<CDrawObj*> DrivenObjects() {
  std::vector<CDrawObj*> driven;
  CDrawHost* host = GetDrawHost();
  CDrawDoc* doc = host ? host->GetDocument() : nullptr;
  if (!doc) return driven;
  for (POSITION pos = doc->m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(doc->m_objects.GetNext(pos));
    if (object->m_trajectory == 0 && !object->IsSuspended() && object->HasEventDrivenAction())
      driven.push_back(object);
  }
  return driven;
}

// The names of the object's abilities (its actions that wait for an event), in order;
// the first becomes the row's value.
void AddAbilities(PropertyEntry& entry, CDrawObj* object) {
  for (int i = 0; i < object->m_actions.GetSize(); ++i) {
    const CMethod& action = object->m_actions[i];
    if (!action.m_nByEvent) continue;
    if (entry.choices.IsEmpty()) entry.text = action.m_strName;
    entry.choices.AddTail(action.m_strName);
  }
}

// Appends a new record's name to the choices of row 1 and shows it there.
void ShowAddedName(CPropGrid* grid, const CString& name) {
  grid->AddChoice(kExistingRow, name);
  grid->SetText(kExistingRow, name);
  RepaintGrid(grid);
}

void ShowError(UINT message) { AfxMessageBox(message, MB_ICONERROR | MB_OK); }

}  // namespace

// ---- appearance ------------------------------------------------------------------------

void CDrawObj::ListGeneral(CPropGrid* grid) {
  AddRow(grid, IDS_ROW_OBJECT_NAME, kPropText, [this](PropertyEntry& e) { e.text = m_name; });
  AddRow(grid, IDS_ROW_VISIBLE, kPropFlag, [this](PropertyEntry& e) { e.flag = m_visible; });
  AddRow(grid, IDS_ROW_TRANSPARENT, kPropFlag, [this](PropertyEntry& e) { e.flag = m_filled == 0; });
  AddRow(grid, IDS_ROW_LAYER, kPropNumber, [this](PropertyEntry& e) {
    e.number = m_layer;
    e.readOnly = TRUE;
  });
  AddRow(grid, IDS_ROW_BUTTONISED, kPropFlag, [this](PropertyEntry& e) { e.flag = m_buttonised; });
}

void CDrawObj::ApplyGeneral(CPropGrid* grid) {
  const CString nameLabel = LoadLabel(IDS_ROW_OBJECT_NAME);
  CString name;
  grid->GetText(nameLabel, &name);
  if (name.IsEmpty()) {
    // An object keeps a name: the old one goes back and nothing else is taken.
    grid->SetText(nameLabel, m_name);
    RepaintGrid(grid);
    return;
  }
  m_name = name;
  grid->GetFlag(LoadLabel(IDS_ROW_VISIBLE), &m_visible);
  int transparent = m_filled == 0;
  grid->GetFlag(LoadLabel(IDS_ROW_TRANSPARENT), &transparent);
  m_filled = transparent ? 0 : 1;
  grid->GetFlag(LoadLabel(IDS_ROW_BUTTONISED), &m_buttonised);
}

// ---- actions ---------------------------------------------------------------------------

void CDrawObj::ListActions(CPropGrid* grid, int type) {
  const BOOL shown = m_selectedAction >= 0 && m_selectedAction < m_actions.GetSize();
  if (type == -1) {
    AddRow(grid, IDS_ROW_EXISTING_ACTIONS, kPropDropList, [this, shown](PropertyEntry& e) {
      for (int i = 0; i < m_actions.GetSize(); ++i) e.choices.AddTail(m_actions[i].m_strName);
      if (shown) e.text = m_actions[m_selectedAction].m_strName;
    });
    AddRow(grid, IDS_ROW_ACTION_TYPE, kPropDropList, [this](PropertyEntry& e) {
      int index = -1;
      for (int i = 0; DWORD kind = ActionTypeAt(i); ++i) e.choices.AddTail(ActionTypeName(kind, index));
      if (!e.choices.IsEmpty()) e.text = e.choices.GetHead();
    });
    AddRow(grid, IDS_ROW_BY_EVENT, kPropFlag, [](PropertyEntry&) {});
    AddRow(grid, IDS_ROW_START_TIME, kPropNumber, [](PropertyEntry&) {});
    type = 0;
  }
  const TypeSlots* slots = SlotsAt(*this, type);
  if (!slots) return;
  CMethod fresh;
  fresh.m_nType = slots->kind;
  (this->*slots->list)(grid, shown ? m_actions[m_selectedAction] : fresh);
}

void CDrawObj::ShowExistingAction(CPropGrid* grid, int index) {
  if (index < 0 || index >= m_actions.GetSize()) return;
  m_selectedAction = index;
  grid->RemoveItemsFrom(kFirstTypeRow);
  const CMethod& action = m_actions[index];
  int type = -1;
  grid->SetText(kActionTypeRow, ActionTypeName(action.m_nType, type));
  grid->SetFlag(kByEventRow, action.m_nByEvent);
  grid->SetNumber(kStartTimeRow, action.m_nStart);
  RepaintGrid(grid);
  // A kind this object does not know has no rows of its own (listing -1 would add the
  // header rows a second time).
  if (type >= 0) ListActions(grid, type);
}

void CDrawObj::ListEffectDirections(CPropGrid* grid, int kind, int direction) {
  PropertyEntry entry;
  if (!grid->GetEntry(kEffectDirectionRow, &entry, -3)) return;
  const DirectionList directions = DirectionsOf(kind);
  for (int i = 0; i < directions.count; ++i) entry.choices.AddTail(LoadLabel(directions.ids[i]));
  entry.text = direction >= 0 && direction < directions.count ? LoadLabel(directions.ids[direction]) : CString();
  grid->SetEntry(kEffectDirectionRow, &entry, -1);
  RepaintGrid(grid);
}

CString CDrawObj::NameAction(DWORD type) {
  if (m_selectedAction >= 0 && m_selectedAction < m_actions.GetSize()) return m_actions[m_selectedAction].m_strName;
  int n = 1;
  for (int i = 0; i < m_actions.GetSize(); ++i)
    if (m_actions[i].m_nType == type) ++n;
  int index = -1;
  const CString base = ActionTypeName(type, index);
  CString name;
  name.Format("%s%d", static_cast<const char*>(base), n);
  while (FindActionByName(name) >= 0) name.Format("%s%d", static_cast<const char*>(base), ++n);
  return name;
}

void CDrawObj::ApplyActions(CPropGrid* grid, int type) {
  const TypeSlots* slots = SlotsAt(*this, type);
  if (!slots) return;
  const BOOL editing = m_selectedAction >= 0 && m_selectedAction < m_actions.GetSize();
  // An edit starts from the action as it is, so that what no row shows stays.
  CMethod action = editing ? CMethod(m_actions[m_selectedAction]) : CMethod();
  action.m_nType = slots->kind;  // the slots of several kinds tell them apart by it
  int byEvent = action.m_nByEvent;
  grid->GetFlag(LoadLabel(IDS_ROW_BY_EVENT), &byEvent);
  action.m_nByEvent = byEvent ? 1 : 0;
  action.m_nActivation = action.m_nByEvent ? -1 : 0;
  int start = action.m_nStart;
  grid->GetNumber(LoadLabel(IDS_ROW_START_TIME), &start);
  if (start < 0) {
    ShowError(IDS_START_TIME_NEGATIVE);
    return;
  }
  action.m_nStart = start;
  if (!(this->*slots->apply)(grid, action)) return;
  action.m_strName = NameAction(action.m_nType);

  if (editing) {
    // Assignment keeps what the stored record holds beyond its fields (points, run state).
    m_actions[m_selectedAction] = action;
    RepaintGrid(grid);
  } else {
    ShowAddedName(grid, action.m_strName);
    m_selectedAction = static_cast<int>(m_actions.GetSize());
    m_actions.Add(action);
  }
  m_actionMask = 0;
  for (int i = 0; i < m_actions.GetSize(); ++i) m_actionMask |= m_actions[i].m_nType;
}

// ---- interactions ----------------------------------------------------------------------

void CDrawObj::ListInteractions(CPropGrid* grid, int index) {
  if (index < -1) return;
  const std::vector<CDrawObj*> driven = DrivenObjects();
  if (index >= 0) {
    PropertyEntry entry;
    if (!grid->GetEntry(kDrivenAbilityRow, &entry, -3)) return;
    entry.text.Empty();
    if (index < static_cast<int>(driven.size())) AddAbilities(entry, driven[index]);
    grid->SetEntry(kDrivenAbilityRow, &entry, -1);
    RepaintGrid(grid);
    return;
  }
  AddRow(grid, IDS_ROW_EXISTING_EVENTS, kPropDropList, [this](PropertyEntry& e) {
    for (int i = 0; i < m_events.GetSize(); ++i) e.choices.AddTail(m_events[i].m_strName);
    if (m_selectedEvent >= 0 && m_selectedEvent < m_events.GetSize()) e.text = m_events[m_selectedEvent].m_strName;
  });
  AddRow(grid, IDS_ROW_TRIGGER, kPropDropList, [this](PropertyEntry& e) {
    const int count = CHPEvent::offeredTriggerCount - (IsKindOf(RUNTIME_CLASS(CDrawText)) ? 0 : kKeyTriggerCount);
    for (int i = 0; i < count; ++i) e.choices.AddTail(CHPEvent::TriggerDisplayName(CHPEvent::s_offeredTriggers[i]));
    e.text = LoadLabel(IDS_TRIGGER_LEFT_DOWN);
  });
  AddRow(grid, IDS_ROW_TRIGGERED_OBJECT, kPropDropList, [&driven](PropertyEntry& e) {
    for (CDrawObj* object : driven) e.choices.AddTail(object->m_name);
    if (!driven.empty()) e.text = driven.back()->m_name;
  });
  AddRow(grid, IDS_ROW_TRIGGERED_ACTION, kPropDropList, [&driven](PropertyEntry& e) {
    if (!driven.empty()) AddAbilities(e, driven.back());
  });
}

void CDrawObj::ShowExistingInteraction(CPropGrid* grid, int index) {
  if (index < 0 || index >= m_events.GetSize()) return;
  m_selectedEvent = index;
  const CHPEvent& event = m_events[index];
  int ignored = -1;
  grid->SetText(kTriggerRow, TriggerName(event.m_nTrigger, ignored));
  grid->SetText(kDrivenObjectRow, event.m_strObject);
  grid->SetText(kDrivenAbilityRow, event.m_strAbility);
  RepaintGrid(grid);
}

void CDrawObj::ApplyInteractions(CPropGrid* grid) {
  const BOOL editing = m_selectedEvent >= 0 && m_selectedEvent < m_events.GetSize();
  // An edit starts from the event as it is (its key code, for one).
  CHPEvent event = editing ? m_events[m_selectedEvent] : CHPEvent();
  CString trigger;
  grid->GetText(LoadLabel(IDS_ROW_TRIGGER), &trigger);
  const int bit = TriggerFromName(trigger);
  if (bit >= 0) {
    event.m_nTrigger = 1u << bit;
  } else if (!editing) {
    // A trigger that cannot be picked (the timer shows none): an edited event keeps its
    // own, a new one has none to take.
    ShowError(IDS_TRIGGER_EMPTY);
    return;
  }
  grid->GetText(LoadLabel(IDS_ROW_TRIGGERED_OBJECT), &event.m_strObject);
  if (event.m_strObject.IsEmpty()) {
    ShowError(IDS_TRIGGERED_OBJECT_EMPTY);
    return;
  }
  grid->GetText(LoadLabel(IDS_ROW_TRIGGERED_ACTION), &event.m_strAbility);
  event.m_strName.Format("%s-%s", static_cast<const char*>(LoadLabel(IDS_EVENT_NAME_DRIVE)),
                         static_cast<const char*>(event.m_strAbility));
  CDrawHost* host = GetDrawHost();
  CDrawObj* target = host ? host->FindObjectByName(event.m_strObject, 0) : nullptr;
  const int ability = target && !event.m_strAbility.IsEmpty() ? target->FindActionByName(event.m_strAbility) : -1;
  if (ability < 0) {
    ShowError(IDS_TRIGGERED_OBJECT_MISSING);
    return;
  }
  event.m_nReserved3 = target->m_actions[ability].m_nType;

  if (editing) {
    m_events[m_selectedEvent] = event;
    RepaintGrid(grid);
  } else {
    ShowAddedName(grid, event.m_strName);
    m_selectedEvent = static_cast<int>(m_events.GetSize());
    m_events.Add(event);
  }
  m_triggerMask = 0;
  for (int i = 0; i < m_events.GetSize(); ++i) m_triggerMask |= m_events[i].m_nTrigger;
}
