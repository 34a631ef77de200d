// CDrawFun's general rows in the property panel: the frame, unit and axes, and for a
// plot that is no trajectory its definition (names, formula, a single interval).
#include <cctype>

#include "behaviour/DrawFun.h"
#include "framework/core/MessageBox.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawText.h"
#include "model/PropertyRows.h"
#include "propgrid/PropGrid.h"
#include "resources/ModelStrings.h"

namespace {

constexpr int kMinUnit = 10;
constexpr double kMinStep = 0.1;
// What the interval rows show while the domain is empty.
constexpr CInterval kDefaultInterval = {-1.0, 1.0, 0.1, kEndClosedClosed};
// The interval kinds the domain row offers, in end-kind order.
const UINT kIntervalKinds[] = {IDS_FUN_END_KIND_FIRST + kEndClosedClosed, IDS_FUN_END_KIND_FIRST + kEndOpenClosed,
                               IDS_FUN_END_KIND_FIRST + kEndClosedOpen, IDS_FUN_END_KIND_FIRST + kEndOpenOpen};
constexpr int kIntervalKindCount = sizeof kIntervalKinds / sizeof kIntervalKinds[0];

bool StartsWithLetter(const CString& name) {
  return !name.IsEmpty() && static_cast<unsigned char>(name[0]) < 0x80 &&
         std::isalpha(static_cast<unsigned char>(name[0]));
}

void Refuse(UINT message) { AfxMessageBox(message, MB_OK); }

}  // namespace

void CDrawFun::ListGeneral(CPropGrid* grid) {
  CDrawObj::ListGeneral(grid);
  if (m_trajectory) {
    AddFlagRow(grid, IDS_ROW_SHOW_CURVE, m_plotParams[kCurveVisibleParam]);
    AddNumberRow(grid, IDS_ROW_UNIT_PIXELS, m_unit);
    AddFlagRow(grid, IDS_ROW_SHOW_AXES, m_showAxes);
    return;
  }
  AddFlagRow(grid, IDS_ROW_BORDERED, m_plotParams[kBorderParam]);
  AddNumberRow(grid, IDS_ROW_UNIT_PIXELS, m_unit);
  AddFlagRow(grid, IDS_ROW_SHOW_AXES, m_showAxes);
  if (m_function.m_kind == kFunctionParametric) return;
  AddTextRow(grid, IDS_FUN_DATUM_FORMULA, m_function.m_secondFormula);
  AddTextRow(grid, IDS_ROW_INDEPENDENT, m_function.m_independentName);
  AddTextRow(grid, IDS_ROW_DEPENDENT, m_function.m_dependentName);
  const CIntervalArray& domain = m_function.m_domain;
  if (domain.GetSize() > 1) return;
  const CInterval interval = domain.IsEmpty() ? kDefaultInterval : domain[0];
  AddDropListRow(grid, IDS_ROW_DOMAIN_KIND, kIntervalKinds, kIntervalKindCount,
              DataTypeName(interval.endKind, kEndKindGroup));
  AddRealRow(grid, IDS_ROW_INTERVAL_LEFT, interval.left);
  AddRealRow(grid, IDS_ROW_INTERVAL_RIGHT, interval.right);
  AddRealRow(grid, IDS_ROW_INTERVAL_STEP, interval.step);
}

void CDrawFun::ApplyGeneral(CPropGrid* grid) {
  const BOOL refused = NameRowEmpty(grid);
  CDrawObj::ApplyGeneral(grid);
  if (refused) return;
  if (m_trajectory) {
    ReadFlagRow(grid, IDS_ROW_SHOW_CURVE, m_plotParams[kCurveVisibleParam]);
    ApplyUnitRow(grid);
    ReadFlagRow(grid, IDS_ROW_SHOW_AXES, m_showAxes);
  } else {
    ReadFlagRow(grid, IDS_ROW_BORDERED, m_plotParams[kBorderParam]);
    ApplyUnitRow(grid);
    ReadFlagRow(grid, IDS_ROW_SHOW_AXES, m_showAxes);
    if (m_function.m_kind != kFunctionParametric) ApplyDefinitionRows(grid);
  }
  // The unit scales every point, so the points follow it even when the definition
  // was refused.
  RebuildPoints();
  Invalidate();
}

void CDrawFun::ApplyUnitRow(CPropGrid* grid) {
  ReadNumberRow(grid, IDS_ROW_UNIT_PIXELS, m_unit);
  if (m_unit < kMinUnit) {
    m_unit = kMinUnit;
    grid->SetNumber(LoadLabel(IDS_ROW_UNIT_PIXELS), m_unit);
  }
}

void CDrawFun::ApplyDefinitionRows(CPropGrid* grid) {
  CFunction& function = m_function;
  CFunction::Definition definition;
  definition.kind = function.m_kind;
  definition.independentName = function.m_independentName;
  definition.dependentName = function.m_dependentName;
  definition.parameterName = function.m_parameterName;
  definition.firstFormula = function.m_firstFormula;
  definition.secondFormula = function.m_secondFormula;
  ReadTextRow(grid, IDS_ROW_INDEPENDENT, definition.independentName);
  ReadTextRow(grid, IDS_ROW_DEPENDENT, definition.dependentName);
  if (!StartsWithLetter(definition.independentName)) {
    grid->SetText(LoadLabel(IDS_ROW_INDEPENDENT), function.m_independentName);
    return Refuse(IDS_FUN_INDEPENDENT_NOT_LETTER);
  }
  if (!StartsWithLetter(definition.dependentName)) {
    grid->SetText(LoadLabel(IDS_ROW_DEPENDENT), function.m_dependentName);
    return Refuse(IDS_FUN_DEPENDENT_NOT_LETTER);
  }

  // With several intervals the rows show no domain and the formula stays as it is;
  // the names must still fit the formula.
  const bool singleInterval = function.m_domain.GetSize() < 2;
  CInterval interval = function.m_domain.IsEmpty() ? kDefaultInterval : function.m_domain[0];
  if (singleInterval) {
    ReadTextRow(grid, IDS_FUN_DATUM_FORMULA, definition.secondFormula);
    const int kind = ReadChoiceRow(grid, IDS_ROW_DOMAIN_KIND, kIntervalKinds, kIntervalKindCount);
    if (kind >= 0) interval.endKind = kind;
    // An isolated point keeps its place: its two numbers are a point, not two ends.
    if (!interval.IsPoint()) {
      double left = interval.left, right = interval.right, step = interval.step;
      ReadRealRow(grid, IDS_ROW_INTERVAL_LEFT, left);
      ReadRealRow(grid, IDS_ROW_INTERVAL_RIGHT, right);
      if (!(right > left)) {
        grid->SetReal(LoadLabel(IDS_ROW_INTERVAL_LEFT), interval.left);
        grid->SetReal(LoadLabel(IDS_ROW_INTERVAL_RIGHT), interval.right);
        return Refuse(IDS_FUN_RIGHT_NOT_ABOVE_LEFT);
      }
      ReadRealRow(grid, IDS_ROW_INTERVAL_STEP, step);
      if (!(step >= kMinStep)) {
        step = kMinStep;
        grid->SetReal(LoadLabel(IDS_ROW_INTERVAL_STEP), step);
      }
      interval.left = left;
      interval.right = right;
      interval.step = step;
    }
  }

  if (function.Define(definition, interval.left)) {
    grid->SetText(LoadLabel(IDS_FUN_DATUM_FORMULA), function.m_secondFormula);
    grid->SetText(LoadLabel(IDS_ROW_INDEPENDENT), function.m_independentName);
    grid->SetText(LoadLabel(IDS_ROW_DEPENDENT), function.m_dependentName);
    return Refuse(IDS_FUN_BAD_FORMULA);
  }
  if (singleInterval) {
    if (function.m_domain.IsEmpty())
      function.m_domain.Add(interval);
    else
      function.m_domain[0] = interval;
  }
  DefinitionChanged();
}

// A plot's set data replaces its formula or its interval with a text object's text.
int CDrawFun::ListActionSetData(CPropGrid* grid, CMethod& action) {
  AddNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  const UINT data[] = {IDS_FUN_DATUM_FORMULA, IDS_FUN_DATUM_INTERVAL};
  AddDropListRow(grid, IDS_ROW_DATUM, data, 2, DataTypeName(action.m_nIndex, kDatumGroup));
  AddRow(grid, IDS_ROW_DATA_SOURCE, kPropDropList, [&](PropertyEntry& e) {
    CDrawHost* host = GetDrawHost();
    if (CDrawDoc* document = host ? host->GetDocument() : nullptr) {
      for (POSITION pos = document->m_objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(document->m_objects.GetNext(pos));
        if (!object->m_deleted && object->IsKindOf(RUNTIME_CLASS(CDrawText))) e.choices.AddTail(object->m_name);
      }
    }
    e.text = action.m_strSource.IsEmpty() && !e.choices.IsEmpty() ? e.choices.GetTail() : action.m_strSource;
  });
  return 1;
}

BOOL CDrawFun::ApplyActionSetData(CPropGrid* grid, CMethod& action) {
  action.m_nType = CMethod::typeSetData;
  ReadNumberRow(grid, IDS_ROW_DURATION, action.m_nDuration);
  CString datum;
  if (grid->GetText(LoadLabel(IDS_ROW_DATUM), &datum) && DataTypeFromName(datum, kDatumGroup) >= 0)
    action.m_nIndex = DataTypeFromName(datum, kDatumGroup);
  ReadTextRow(grid, IDS_ROW_DATA_SOURCE, action.m_strSource);
  action.m_strName = NameAction(action.m_nType);
  return TRUE;
}
