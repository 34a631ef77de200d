// The rows of each action type on an object's actions page (rows 5 onward, after the
// page's four header rows), and reading them back into a new action record: its fields,
// its checks, the durations left to the program, and its name.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "framework/core/MessageBox.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/DrawPoint.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/MemberGroup.h"
#include "model/PropGridChildItem.h"
#include "model/PropertyRows.h"
#include "model/RectCentre.h"
#include "resources/ModelStrings.h"

namespace {

constexpr UINT kEffectNames[] = {IDS_EFFECT_SWEEP,  IDS_EFFECT_MOVE,    IDS_EFFECT_BLINDS, IDS_EFFECT_BARS,
                                 IDS_EFFECT_SHAPES, IDS_EFFECT_STRETCH, IDS_EFFECT_FADE};
constexpr int kEffectCount = static_cast<int>(std::size(kEffectNames));

// Data-type groups of the drop-down rows.
constexpr int kResultTypes = 0;
constexpr int kCalculationTypes = 2;
constexpr int kSetTypes = 3;

void ShowError(UINT message) { AfxMessageBox(message, MB_ICONERROR | MB_OK); }

// Names of the active page's objects that pass the test, in page order, deleted ones
// skipped.
template <class Keep>
void AddPageObjectNames(PropertyEntry& entry, Keep keep) {
  CDrawHost* host = GetDrawHost();
  CDrawDoc* document = host ? host->GetDocument() : nullptr;
  if (!document) return;
  for (POSITION pos = document->m_objects.GetHeadPosition(); pos;) {
    auto* object = static_cast<CDrawObj*>(document->m_objects.GetNext(pos));
    if (!object->m_deleted && keep(*object)) entry.choices.AddTail(object->m_name);
  }
}

// The record's name, or the last name offered when it has none.
CString ValueOrLastChoice(const CString& value, const PropertyEntry& entry) {
  if (!value.IsEmpty() || entry.choices.IsEmpty()) return value;
  return entry.choices.GetTail();
}

// Rows 5 to 9 of a translation, shared by the control-point translation.
void AddTranslationRows(CPropGrid* grid, const CMethod& action) {
  AddRow(grid, IDS_ROW_DURATION, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nDuration; });
  AddRow(grid, IDS_ROW_LOOP_TRANSLATE, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_bLoop; });
  AddRow(grid, IDS_ROW_TWO_WAY_TRANSLATE, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_bTwoWay; });
  AddRow(grid, IDS_ROW_PATH, kPropDropList, [&](PropertyEntry& e) {
    AddPageObjectNames(e, [](const CDrawObj& object) { return object.m_trajectory != 0; });
    e.text = ValueOrLastChoice(action.m_strPath, e);
  });
  AddRow(grid, IDS_ROW_TRANSLATE_SPEED, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nSpeed; });
}

// Reads the translation rows; an empty trajectory name refuses the record.
BOOL ReadTranslationRows(CPropGrid* grid, CMethod& action) {
  ReadNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  ReadFlagRow(grid, IDS_ROW_LOOP_TRANSLATE, action.m_bLoop);
  ReadFlagRow(grid, IDS_ROW_TWO_WAY_TRANSLATE, action.m_bTwoWay);
  ReadTextRow(grid, IDS_ROW_PATH, action.m_strPath);
  ReadNumberRow(grid, IDS_ROW_TRANSLATE_SPEED, action.m_nSpeed);
  if (action.m_strPath.IsEmpty()) {
    ShowError(IDS_PATH_NOT_SET);
    return FALSE;
  }
  return TRUE;
}

// The number of points the named trajectory of the page yields for the record at its
// speed, or -1 when the page holds no trajectory of that name. The points themselves
// belong to a run and are not kept.
int CountPathPoints(const CMethod& action) {
  CDrawHost* host = GetDrawHost();
  CDrawObj* trajectory = host ? host->FindObjectByName(action.m_strPath, 1) : nullptr;
  if (!trajectory) return -1;
  CMethod probe(action);
  return trajectory->GetPathPoints(action.m_nSpeed, &probe, 0);
}

// A duration left negative by the author becomes the trajectory's point count less
// `less`; without such a trajectory it stays negative.
void DeriveTranslationDuration(CPropGrid* grid, CMethod& action, int less) {
  if (action.m_nDuration >= 0) return;
  const int points = CountPathPoints(action);
  if (points < 0) return;
  action.m_nDuration = points - less;
  grid->SetNumber(LoadLabel(IDS_ROW_DURATION), action.m_nDuration);
}

// Whole degrees in 0..359; 360 itself stays a full turn.
int NormaliseAngle(int degrees) {
  if (degrees == 360) return 360;
  const int rest = degrees % 360;
  return rest < 0 ? rest + 360 : rest;
}

// The angle a rotation turns through, in degrees, from its start and end angles and the
// sign of its speed.
int RotationSpan(int start, int end, int speed) {
  if (start == -1) return end;
  const int d = end - start;
  if (speed > 0) return d < 0 ? d + 360 : d;
  if (d > 0 && d != 360) return 360 - d;
  return d < 0 ? -d : d;
}

CString ControlPointText(int point) {
  CString text;
  text.Format("%s%d", LoadLabel(IDS_ROW_CONTROL_POINT).GetString(), point);
  return text;
}

// The position of a direction text among the directions the direction row offers for
// the kind picked (the row is refilled whenever the kind changes), or -1.
int DirectionPosition(CPropGrid* grid, const CString& text) {
  CPropGridItem* item = grid->FindItem(LoadLabel(IDS_ROW_EFFECT_DIRECTION));
  if (!item) return -1;
  PropertyEntry entry;
  item->GetEntry(&entry, -2);
  int position = 0;
  for (POSITION pos = entry.choices.GetHeadPosition(); pos; ++position)
    if (entry.choices.GetNext(pos) == text) return position;
  return -1;
}

// Variables count from 1 on the page and from 0 in the record (a record read from a file
// may hold any number).
int ShownVariableIndex(int index) { return index < INT_MAX ? index + 1 : INT_MAX; }

void AddDataTypeChoices(CDrawObj& object, PropertyEntry& entry, int group) {
  for (int item = 0; item < 3; ++item) entry.choices.AddTail(object.DataTypeName(item, group));
}

}  // namespace

int CDrawObj::ListExtraActionRows(CPropGrid*, CMethod&) { return 1; }
BOOL CDrawObj::ApplyExtraActionRows(CPropGrid*, CMethod&) { return TRUE; }

// ---- set data, display result, calculate result -----------------------------------------

int CDrawObj::ListActionSetData(CPropGrid* grid, CMethod& action) {
  if (action.m_nIndex < 0) action.m_nIndex = 0;
  AddRow(grid, IDS_ROW_DURATION, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nDuration; });
  AddRow(grid, IDS_ROW_SET_TYPE, kPropDropList, [&](PropertyEntry& e) {
    AddDataTypeChoices(*this, e, kSetTypes);
    e.text = DataTypeName(action.m_nSetType, kSetTypes);
  });
  AddRow(grid, IDS_ROW_VARIABLE_INDEX, kPropNumber,
         [&](PropertyEntry& e) { e.number = ShownVariableIndex(action.m_nIndex); });
  AddRow(grid, IDS_ROW_EXPRESSION, kPropText, [&](PropertyEntry& e) { e.text = action.m_strExpression; });
  AddRow(grid, IDS_ROW_DATA_SOURCE, kPropDropList, [&](PropertyEntry& e) {
    AddPageObjectNames(e, [](CDrawObj& object) {
      return object.IsKindOf(RUNTIME_CLASS(CDrawText)) ||
             (object.IsKindOf(RUNTIME_CLASS(CDrawRect)) && !object.m_caption.IsEmpty());
    });
    e.text = ValueOrLastChoice(action.m_strSource, e);
  });
  return 1;
}

BOOL CDrawObj::ApplyActionSetData(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeSetData;
  ReadNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  CString text;
  if (grid->GetText(LoadLabel(IDS_ROW_SET_TYPE), &text)) action.m_nSetType = DataTypeFromName(text, kSetTypes);
  ReadTextRow(grid, IDS_ROW_EXPRESSION, action.m_strExpression);
  // An index below the first would have the text object write before its variables.
  int shown = ShownVariableIndex(action.m_nIndex);
  ReadNumberRow(grid, IDS_ROW_VARIABLE_INDEX, shown);
  action.m_nIndex = std::max(shown, 1) - 1;
  ReadTextRow(grid, IDS_ROW_DATA_SOURCE, action.m_strSource);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

// No actions page offers the display-result type: it has no rows and takes no record.
int CDrawObj::ListActionDisplay(CPropGrid*, CMethod&) { return 1; }
BOOL CDrawObj::ApplyActionDisplay(CPropGrid*, CMethod&) { return FALSE; }

int CDrawObj::ListActionCalculate(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_DURATION, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nDuration; });
  AddRow(grid, IDS_ROW_CALC_TYPE, kPropDropList, [&](PropertyEntry& e) {
    AddDataTypeChoices(*this, e, kCalculationTypes);
    e.text = DataTypeName(action.m_nIndex, kCalculationTypes);
  });
  AddRow(grid, IDS_ROW_EXPRESSION, kPropText, [&](PropertyEntry& e) { e.text = action.m_strExpression; });
  AddRow(grid, IDS_ROW_COMPARE_DATA, kPropText, [&](PropertyEntry& e) { e.text = action.m_strSource; });
  AddRow(grid, IDS_ROW_RESULT_TYPE, kPropDropList, [&](PropertyEntry& e) {
    AddDataTypeChoices(*this, e, kResultTypes);
    e.text = DataTypeName(action.m_nMode, kResultTypes);
  });
  AddRow(grid, IDS_ACTION_DISPLAY, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_nValue; });
  return 1;
}

BOOL CDrawObj::ApplyActionCalculate(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeCalculate;
  ReadNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  CString text;
  if (grid->GetText(LoadLabel(IDS_ROW_CALC_TYPE), &text)) action.m_nIndex = DataTypeFromName(text, kCalculationTypes);
  ReadTextRow(grid, IDS_ROW_EXPRESSION, action.m_strExpression);
  ReadTextRow(grid, IDS_ROW_COMPARE_DATA, action.m_strSource);
  if (grid->GetText(LoadLabel(IDS_ROW_RESULT_TYPE), &text)) action.m_nMode = DataTypeFromName(text, kResultTypes);
  ReadFlagRow(grid, IDS_ACTION_DISPLAY, action.m_nValue);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

// ---- control point, program, exit, layer, show or hide, page switch ------------------

int CDrawObj::ListActionControlPoint(CPropGrid* grid, CMethod& action) {
  AddTranslationRows(grid, action);
  auto* item = new CPropGridChildItem;
  PropertyEntry entry;
  entry.name = LoadLabel(IDS_ROW_CONTROL_POINT);
  entry.kind = kPropPoint;
  entry.readOnly = TRUE;
  entry.text = ControlPointText(action.m_nControlPoint);
  item->SetEntry(&entry, -1);
  grid->AddItemObject(item);
  // The point the action moves is marked on the page.
  m_activeHandle = action.m_nControlPoint;
  m_showActiveHandle = 1;
  Invalidate();
  return 1;
}

BOOL CDrawObj::ApplyActionControlPoint(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeControlPoint;
  if (!ReadTranslationRows(grid, action)) return FALSE;
  // The walk ends on the last point: one step fewer than the points.
  DeriveTranslationDuration(grid, action, 1);
  action.m_strName = NameAction(action.m_nType);
  action.m_nControlPoint = m_activeHandle;
  grid->SetText(LoadLabel(IDS_ROW_CONTROL_POINT), ControlPointText(action.m_nControlPoint));
  return TRUE;
}

int CDrawObj::ListActionProgram(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_PROGRAM, kPropFile, [&](PropertyEntry& e) {
    e.text = action.m_strTarget;
    e.extra = LoadLabel(IDS_PROGRAM_FILTER);
    e.openFile = TRUE;
  });
  return 1;
}

BOOL CDrawObj::ApplyActionProgram(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeRunProgram;
  ReadTextRow(grid, IDS_ROW_PROGRAM, action.m_strTarget);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionExit(CPropGrid*, CMethod&) { return 1; }

BOOL CDrawObj::ApplyActionExit(CPropGrid*, CMethod& action) {
  action.m_nType = CMethod::typeExit;
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionLayer(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_LAYER_STEPS, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nLayerSteps; });
  return 1;
}

BOOL CDrawObj::ApplyActionLayer(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeLayer;
  ReadNumberRow(grid, IDS_ROW_LAYER_STEPS, action.m_nLayerSteps);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionShowHide(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_SHOW, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_nValue; });
  AddRow(grid, IDS_ROW_SHOW_DURATION, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nDuration; });
  return 1;
}

BOOL CDrawObj::ApplyActionShowHide(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeShowHide;
  ReadFlagRow(grid, IDS_ROW_SHOW, action.m_nValue);
  ReadNumberRow(grid, IDS_ROW_SHOW_DURATION, action.m_nDuration);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionPageSwitch(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_TARGET_PAGE, kPropFile, [&](PropertyEntry& e) {
    e.text = action.m_strTarget;
    e.extra = LoadLabel(IDS_PAGE_FILE_FILTER);
    e.openFile = TRUE;
  });
  AddRow(grid, IDS_ROW_DYNAMIC_SWITCH, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_nMode; });
  return 1;
}

BOOL CDrawObj::ApplyActionPageSwitch(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typePageSwitch;
  ReadTextRow(grid, IDS_ROW_TARGET_PAGE, action.m_strTarget);
  if (action.m_strTarget.IsEmpty()) {
    AfxMessageBox(IDS_TARGET_PAGE_EMPTY, MB_OK);
    return FALSE;
  }
  // A full path with a drive keeps only the file name: pages are found beside the page
  // that switches. A relative path keeps its folders.
  if (action.m_strTarget.Find(':') > 0)
    action.m_strTarget = action.m_strTarget.Mid(action.m_strTarget.ReverseFind('\\') + 1);
  action.m_strName = NameAction(action.m_nType);
  ReadFlagRow(grid, IDS_ROW_DYNAMIC_SWITCH, action.m_nMode);
  return TRUE;
}

// ---- effect, rotation, translation, cartoon -------------------------------------------

int CDrawObj::ListActionEffect(CPropGrid* grid, CMethod& action) {
  const BOOL isNew = m_selectedAction == -1;
  AddRow(grid, IDS_ROW_EFFECT_KIND, kPropDropList, [&](PropertyEntry& e) {
    for (UINT name : kEffectNames) e.choices.AddTail(LoadLabel(name));
    if (isNew)
      e.text = LoadLabel(kEffectNames[0]);
    else if (action.m_nEffect >= 0 && action.m_nEffect < kEffectCount)
      e.text = LoadLabel(kEffectNames[action.m_nEffect]);
  });
  AddRow(grid, IDS_ROW_EFFECT_DIRECTION, kPropDropList);
  // The directions are those of the kind: the first kind's, "向下" first, for a new action.
  if (isNew)
    ListEffectDirections(grid, 0, 0);
  else
    ListEffectDirections(grid, action.m_nEffect, action.m_nDirection);
  AddRow(grid, IDS_ROW_EFFECT_DELAY, kPropNumber, [&](PropertyEntry& e) { e.number = isNew ? 1 : action.m_nSpeed; });
  AddRow(grid, IDS_ROW_DURATION, kPropNumber, [&](PropertyEntry& e) {
    e.number = action.m_nDuration;
    e.readOnly = TRUE;
  });
  AddRow(grid, IDS_ROW_EFFECT_STEP, kPropNumber, [&](PropertyEntry& e) { e.number = isNew ? 1 : action.m_nStep; });
  return 1;
}

BOOL CDrawObj::ApplyActionEffect(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeEffect;
  CString text;
  grid->GetText(LoadLabel(IDS_ROW_EFFECT_KIND), &text);
  for (int kind = 0; kind < kEffectCount; ++kind) {
    if (text != LoadLabel(kEffectNames[kind])) continue;
    action.m_nEffect = kind;
    CString direction;
    grid->GetText(LoadLabel(IDS_ROW_EFFECT_DIRECTION), &direction);
    const int position = DirectionPosition(grid, direction);
    if (position >= 0) action.m_nDirection = position;
    break;
  }
  ReadNumberRow(grid, IDS_ROW_EFFECT_DELAY, action.m_nSpeed);
  ReadNumberRow(grid, IDS_ROW_EFFECT_STEP, action.m_nStep);
  if (action.m_nStep == 0) {
    ShowError(IDS_EFFECT_STEP_ZERO);
    return FALSE;
  }
  const long long length = GetEffectLength(action.m_nEffect, action.m_nDirection, action.m_nSpeed, action.m_nStep);
  action.m_nDuration = static_cast<int>(std::min<long long>(std::llabs(length), INT_MAX));
  grid->SetNumber(LoadLabel(IDS_ROW_DURATION), action.m_nDuration);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionRotation(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_DURATION, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nDuration; });
  AddRow(grid, IDS_ROW_START_ANGLE, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nStartAngle; });
  AddRow(grid, IDS_ROW_END_ANGLE, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nEndAngle; });
  AddRow(grid, IDS_ROW_LOOP_ROTATE, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_bRotateLoop; });
  AddRow(grid, IDS_ROW_TWO_WAY_ROTATE, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_bRotateTwoWay; });
  AddRow(grid, IDS_ROW_CENTRE, kPropDropList, [&](PropertyEntry& e) {
    AddPageObjectNames(e, [](CDrawObj& object) { return object.IsKindOf(RUNTIME_CLASS(CDrawPoint)); });
    e.text = action.m_strCentre;
  });
  AddRow(grid, IDS_ROW_ROTATE_SPEED, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nStep; });
  return 1;
}

BOOL CDrawObj::ApplyActionRotation(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeRotate;
  ReadNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  ReadNumberRow(grid, IDS_ROW_START_ANGLE, action.m_nStartAngle);
  ReadNumberRow(grid, IDS_ROW_END_ANGLE, action.m_nEndAngle);
  ReadFlagRow(grid, IDS_ROW_LOOP_ROTATE, action.m_bRotateLoop);
  ReadFlagRow(grid, IDS_ROW_TWO_WAY_ROTATE, action.m_bRotateTwoWay);
  ReadTextRow(grid, IDS_ROW_CENTRE, action.m_strCentre);
  ReadNumberRow(grid, IDS_ROW_ROTATE_SPEED, action.m_nStep);

  if (action.m_nStartAngle != -1) action.m_nStartAngle = NormaliseAngle(action.m_nStartAngle);
  action.m_nEndAngle = NormaliseAngle(action.m_nEndAngle);
  if (!action.m_strCentre.IsEmpty()) action.m_nReserved12 = -1;

  if (action.m_nDuration < 0) {
    const int speed = action.m_nStep;
    const int span = RotationSpan(action.m_nStartAngle, action.m_nEndAngle, speed);
    if (action.m_nStartAngle == -1 && !action.m_strCentre.IsEmpty()) {
      // Turning from where the object stands about the centre: that angle is kept for
      // the run. A centre no longer on the page leaves the turn as without one.
      CDrawHost* host = GetDrawHost();
      if (CDrawObj* centre = host ? host->FindObjectByName(action.m_strCentre, 0) : nullptr) {
        const CDoublePoint c = RectCentre::Exact(m_position);
        const auto* point = dynamic_cast<CDrawPoint*>(centre);
        const CPoint p = point ? point->m_point : RectCentre::Integer(centre->m_position);
        m_rotationState.orbitAngle = std::trunc(std::atan2(c.y - p.y, -(c.x - p.x)) * 57.29577951308232);
      }
    }
    // A rotation without speed never turns: no duration and no frames.
    const double frames = speed == 0 ? 0.0 : span * 1.7453292519943298 / std::fabs(static_cast<double>(speed));
    action.m_nDuration = static_cast<int>(frames);
    action.m_nRotateFrames = action.m_nDuration;
  }
  grid->SetNumber(LoadLabel(IDS_ROW_DURATION), action.m_nDuration);
  grid->SetNumber(LoadLabel(IDS_ROW_START_ANGLE), action.m_nStartAngle);
  grid->SetNumber(LoadLabel(IDS_ROW_END_ANGLE), action.m_nEndAngle);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionTranslation(CPropGrid* grid, CMethod& action) {
  AddTranslationRows(grid, action);
  return 1;
}

BOOL CDrawObj::ApplyActionTranslation(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeTranslate;
  if (!ReadTranslationRows(grid, action)) return FALSE;
  DeriveTranslationDuration(grid, action, 0);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}

int CDrawObj::ListActionCartoon(CPropGrid* grid, CMethod& action) {
  AddRow(grid, IDS_ROW_DURATION, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nDuration; });
  AddRow(grid, IDS_ROW_CARTOON_LOOP, kPropFlag, [&](PropertyEntry& e) { e.flag = action.m_bRotateLoop; });
  AddRow(grid, IDS_ROW_CARTOON_INTERVAL, kPropNumber, [&](PropertyEntry& e) { e.number = action.m_nInterval; });
  return 1;
}

BOOL CDrawObj::ApplyActionCartoon(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeCartoon;
  ReadNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  ReadFlagRow(grid, IDS_ROW_CARTOON_LOOP, action.m_bRotateLoop);
  ReadNumberRow(grid, IDS_ROW_CARTOON_INTERVAL, action.m_nInterval);
  action.m_bLoop = 1;
  // Composite and glued objects show each member for one interval.
  if (action.m_nDuration < 0) {
    if (auto* group = dynamic_cast<CMemberGroup*>(this)) {
      const long long total = static_cast<long long>(action.m_nInterval) * group->GetMemberCount();
      action.m_nDuration = static_cast<int>(std::clamp<long long>(total, INT_MIN, INT_MAX));
      grid->SetNumber(LoadLabel(IDS_ROW_DURATION), action.m_nDuration);
    }
  }
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}
