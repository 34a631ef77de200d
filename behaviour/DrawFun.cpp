#include "behaviour/DrawFun.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "framework/core/Archive.h"
#include "framework/core/MessageBox.h"
#include "model/CodeTables.h"
#include "graphics/DoubleToCoord.h"
#include "model/DrawHost.h"
#include "model/PathBuilder.h"
#include "model/ShapeEditing.h"
#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CDrawFun, CDrawObj, 0)

using namespace ShapeEditing;

namespace {

constexpr ULONGLONG kScreenPointBytes = 12;

// The action types a plot offers, by their position in the list (no rotation).
const CodeTables::CodeName kActionTypes[] = {
    {CMethod::typeTranslate, IDS_ACTION_TRANSLATE},       {CMethod::typeEffect, IDS_ACTION_EFFECT},
    {CMethod::typePageSwitch, IDS_ACTION_PAGE_SWITCH},    {CMethod::typeShowHide, IDS_ACTION_SHOW_HIDE},
    {CMethod::typeLayer, IDS_ACTION_LAYER},               {CMethod::typeExit, IDS_ACTION_EXIT},
    {CMethod::typeRunProgram, IDS_ACTION_RUN_PROGRAM},    {CMethod::typeControlPoint, IDS_ACTION_CONTROL_POINT},
    {CMethod::typeSetData, IDS_ACTION_SET_DATA},
};
constexpr int kActionTypeCount = sizeof kActionTypes / sizeof kActionTypes[0];

constexpr int kDatumFormula = 0;
constexpr int kDatumInterval = 1;

int DataCount(int group) {
  return group == CDrawFun::kEndKindGroup ? kIntervalEndKinds : group == CDrawFun::kDatumGroup ? 2 : 0;
}
UINT DataNameId(int item, int group) {
  return group == CDrawFun::kEndKindGroup ? IDS_FUN_END_KIND_FIRST + item : IDS_FUN_DATUM_FORMULA + item;
}

// The first of either character, or -1.
int FindEither(const CString& text, char a, char b) {
  const int i = text.Find(a), j = text.Find(b);
  if (i < 0) return j;
  if (j < 0) return i;
  return std::min(i, j);
}

}  // namespace

CDrawFun::CDrawFun() { m_plotParams[kCurveVisibleParam] = 1; }

CDrawFun::CDrawFun(const CRect& position) : CDrawObj(position) { m_plotParams[kCurveVisibleParam] = 1; }

CDrawFun::~CDrawFun() = default;

// ---- the record ---------------------------------------------------------------------------

void CDrawFun::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<LONG>(m_unit) << static_cast<LONG>(m_showAxes) << static_cast<LONG>(m_singleCurve);
    ar << static_cast<LONG>(m_points.GetSize());
    for (int i = 0; i < m_points.GetSize(); ++i) {
      const CScreenPoint& p = m_points[i];
      ar << static_cast<LONG>(p.x) << static_cast<LONG>(p.y) << static_cast<LONG>(p.flag);
    }
    m_function.Serialize(ar);
    return;
  }
  LONG unit, showAxes, singleCurve, count;
  ar >> unit >> showAxes >> singleCurve >> count;
  if (count < 0) throw CArchiveException(CArchiveException::badIndex);
  ar.CheckAvailable(static_cast<ULONGLONG>(count), kScreenPointBytes);
  m_unit = unit;
  m_showAxes = showAxes;
  m_singleCurve = singleCurve;
  m_points.SetSize(count);
  for (int i = 0; i < count; ++i) {
    LONG x, y, flag;
    ar >> x >> y >> flag;
    m_points[i] = CScreenPoint{x, y, flag};
  }
  m_function.Serialize(ar);
  DefinitionChanged();
}

// ---- names ----------------------------------------------------------------------------------

int CDrawFun::DataTypeFromName(const CString& name, int group) {
  for (int i = 0; i < DataCount(group); ++i)
    if (DataTypeName(i, group) == name) return i;
  return -1;
}

CString CDrawFun::DataTypeName(int item, int group) {
  CString name;
  if (item >= 0 && item < DataCount(group)) name.LoadString(DataNameId(item, group));
  return name;
}

CString CDrawFun::ActionTypeName(DWORD flag, int& index) {
  return CodeTables::NameOf(kActionTypes, kActionTypeCount, flag, index);
}

int CDrawFun::ActionTypeFromName(const CString& name) {
  return CodeTables::IndexOf(kActionTypes, kActionTypeCount, name);
}

DWORD CDrawFun::ActionTypeAt(int index) { return CodeTables::CodeAt(kActionTypes, kActionTypeCount, index); }

void CDrawFun::ResetPropertyPage(int group, CView* view) {
  if (group == 0) {
    m_plotParams[kBorderParam] = 0;
    m_unit = 10;
    m_showAxes = 1;
  }
  CDrawObj::ResetPropertyPage(group, view);
  CDrawHost* host = GetDrawHost();
  if (view && host) host->SetPageModified();
}

// ---- the screen points ----------------------------------------------------------------------

void CDrawFun::ShowEvalError(int code) {
  const char* text = CExpression::GetErrorText(code);
  if (*text) AfxMessageBox(text, MB_OK);
}

void CDrawFun::RebuildPointsOnMove(const CRect& rect) {
  CPlotPointArray samples;
  const int code = m_function.GeneratePoints(samples);
  if (code > 0) {
    // Shown once for a definition: resizing a plot whose formula fails would show it at
    // every move of the mouse.
    if (!m_errorShown) {
      m_errorShown = true;
      ShowEvalError(code);
    }
    return;
  }
  const long long width = m_pen.lopnWidth.x;
  const long long a = std::llabs(static_cast<long long>(rect.right) - rect.left) + width;
  const long long b = std::llabs(static_cast<long long>(rect.bottom) - rect.top) + width;
  const double halfA = static_cast<double>(a / 2), halfB = static_cast<double>(b / 2);
  const double halfMin = static_cast<double>(std::min(a, b) / 2);
  const double unit = m_unit;
  const bool polar = m_function.m_kind == kFunctionPolar;

  m_points.RemoveAll();
  bool dropped = false;
  for (int i = 0; i < samples.GetSize(); ++i) {
    const CPlotPoint& s = samples[i];
    double x, y;
    bool keep;
    if (polar) {
      const double r = unit * s.y;
      keep = std::fabs(r) <= halfMin;
      x = std::cos(s.x) * r;
      y = std::sin(s.x) * r;
    } else {
      x = s.x * unit;
      y = s.y * unit;
      keep = x >= -halfA && x <= halfA && y >= -halfB && y <= halfB;
    }
    // NaN fails every comparison above; an infinite angle gives NaN here.
    if (!keep || !std::isfinite(x) || !std::isfinite(y)) {
      dropped = true;
      continue;
    }
    int flag = s.flag;
    if (dropped) {
      // The curve restarts after a gap.
      if (flag == kPlotLastClosed) flag = kPlotSolidPoint;
      else if (flag == kPlotInner) flag = kPlotFirstClosed;
      else if (flag == kPlotLastOpen) flag = kPlotHollowPoint;
      dropped = false;
    }
    m_points.Add(CScreenPoint{DoubleToCoord(x), DoubleToCoord(y), flag});
  }

  const int n = m_points.GetSize();
  bool single = n >= 2;
  if (single) {
    const int first = m_points[0].flag, last = m_points[n - 1].flag;
    single = (first == kPlotFirstClosed || first == kPlotFirstOpen || first == kPlotInner) &&
             (last == kPlotLastClosed || last == kPlotLastOpen || last == kPlotInner);
    for (int i = 1; single && i + 1 < n; ++i) single = m_points[i].flag == kPlotInner;
  }
  m_singleCurve = single ? 1 : 0;
}

// ---- geometry -------------------------------------------------------------------------------

void CDrawFun::SetRect(const CRect& rect, CView* view) {
  if (rect == m_position) return;
  InvalidateFor(*this, view);
  m_position = rect;
  m_baseRect = GetDrawBounds();
  InvalidateFor(*this, view);
  MarkModifiedWhenEditing(view);
}

void CDrawFun::MoveHandleTo(int handle, int x, int y, CView* view) {
  const CRect r = DraggedRect(*this, handle, x, y);
  RebuildPointsOnMove(r);
  SetRect(r, view);
}

int CDrawFun::OnOpen(CView* view) {
  CDrawHost* host = GetDrawHost();
  if (!host || host->EditFunction(m_function) != IDOK) return 0;
  DefinitionChanged();
  RebuildPoints();
  Invalidate();
  if (host->GetMode() == kModeEditing) {
    host->SetPageModified();
    host->NotifyPropertyPanel(kPanelObjectSelected, this);
  }
  return 1;
}

// ---- copies and runs ------------------------------------------------------------------------

CDrawObj* CDrawFun::Clone(CDrawObj* target) {
  return CloneShape(*this, target, [&](CDrawFun* plot) {
    plot->m_function.CopyFrom(m_function);
    plot->m_unit = m_unit;
    plot->m_showAxes = m_showAxes;
    plot->m_singleCurve = m_singleCurve;
    plot->m_points.Copy(m_points);
  });
}

CDrawObj* CDrawFun::Duplicate(CDrawDoc* document) { return PlaceDuplicate(Clone(nullptr), document); }

// A set-data action replaces the definition during a run, and resolving the plot as a
// trajectory sets the closed flag: the run must leave the page as it found it.
void CDrawFun::SavePlayState(CView* view, CDrawObj* owner) {
  CDrawObj::SavePlayState(view, owner);
  auto snapshot = std::make_unique<RunSnapshot>();
  snapshot->function.CopyFrom(m_function);
  snapshot->points.Copy(m_points);
  snapshot->singleCurve = m_singleCurve;
  snapshot->closed = m_closed;
  m_runSnapshot = std::move(snapshot);
}

void CDrawFun::RestorePlayState(CView* view) {
  CDrawObj::RestorePlayState(view);
  if (!m_runSnapshot) return;
  m_function.CopyFrom(m_runSnapshot->function);
  m_points.Copy(m_runSnapshot->points);
  m_singleCurve = m_runSnapshot->singleCurve;
  m_closed = m_runSnapshot->closed;
  m_runSnapshot.reset();
  DefinitionChanged();
  Invalidate();
}

// ---- trajectory -----------------------------------------------------------------------------

double CDrawFun::GetPathLength() {
  const int n = m_points.GetSize();
  if (!m_singleCurve || n < 2) return 0.0;
  double length = 0.0;
  for (int i = 0; i + 1 < n; ++i) {
    const long long dx = static_cast<long long>(m_points[i + 1].x) - m_points[i].x;
    const long long dy = static_cast<long long>(m_points[i + 1].y) - m_points[i].y;
    length += std::sqrt(static_cast<double>(dx * dx + dy * dy));
  }
  return length;
}

int CDrawFun::GetPathPoints(int step, CMethod* action, int mode) {
  if (!action || !m_singleCurve || step == 0 || m_points.GetSize() < 2) return 0;
  const int spacing = PathSpacing(step, GetPathLength(), mode);
  if (spacing <= 0) return 0;
  CPathBuilder builder(spacing);
  builder.MoveTo(m_points[0].x, m_points[0].y);
  for (int i = 1; i < m_points.GetSize(); ++i) builder.LineTo(m_points[i].x, m_points[i].y);
  const CScreenPoint& first = m_points[0];
  const CScreenPoint& last = m_points[m_points.GetUpperBound()];
  const long long dx = static_cast<long long>(last.x) - first.x, dy = static_cast<long long>(last.y) - first.y;
  if (dx * dx + dy * dy < 3) m_closed = 1;

  const std::vector<CPoint>& points = builder.Points();
  const CPoint centre = CentreHalves(m_position);
  auto shifted = [&](const CPoint& p) {
    return CPoint(ClampToInt(static_cast<long long>(p.x) + centre.x), ClampToInt(static_cast<long long>(p.y) + centre.y));
  };
  CPointArray& out = action->m_path;
  out.RemoveAll();
  const int count = static_cast<int>(points.size());
  if (step > 0) {
    for (int i = 0; i + 1 < count; ++i) out.Add(shifted(points[static_cast<size_t>(i)]));
  } else {
    for (int i = count - 1; i >= 0; --i) out.Add(shifted(points[static_cast<size_t>(i)]));
  }
  return out.GetSize();
}

// ---- set data -------------------------------------------------------------------------------

void CDrawFun::ApplySetDataAction(double a, double, const CString&, const CString& other) {
  ParseIntervals(DoubleToCoord(a), other);
}

BOOL CDrawFun::ParseIntervals(int what, const CString& text) {
  auto refuse = [](UINT message) {
    AfxMessageBox(message, MB_OK);
    return FALSE;
  };
  if (what == kDatumFormula) {
    if (m_function.m_kind == kFunctionParametric) return FALSE;
    if (m_function.SetSecondFormula(text)) return refuse(IDS_FUN_BAD_FORMULA);
  } else if (what == kDatumInterval) {
    // The shortest texts that can name an interval's parts have four characters:
    // "(1,2" is told its missing bracket.
    if (text.GetLength() < 4) return refuse(IDS_FUN_INTERVAL_BAD);
    const int open = FindEither(text, '(', '['), comma = text.Find(','), close = FindEither(text, ')', ']');
    if (open < 0) return refuse(IDS_FUN_NO_LEFT_BRACKET);
    if (comma < 0) return refuse(IDS_FUN_NO_COMMA);
    if (close < 0) return refuse(IDS_FUN_NO_RIGHT_BRACKET);
    if (!(open < comma && comma < close)) return refuse(IDS_FUN_INTERVAL_BAD);
    CInterval interval;
    interval.left = std::strtod(text.Mid(open + 1, comma - open - 1), nullptr);
    interval.right = std::strtod(text.Mid(comma + 1, close - comma - 1), nullptr);
    interval.step = 0.1;
    const bool leftOpen = text[open] == '(', rightOpen = text[close] == ')';
    interval.endKind = leftOpen ? (rightOpen ? kEndOpenOpen : kEndOpenClosed)
                                : (rightOpen ? kEndClosedOpen : kEndClosedClosed);
    if (m_function.m_domain.GetSize() == 0)
      m_function.m_domain.Add(interval);
    else if (m_function.m_domain.GetSize() == 1)
      m_function.m_domain[0] = interval;
    else
      return FALSE;
  } else {
    return FALSE;
  }
  DefinitionChanged();
  RebuildPoints();
  Invalidate();
  return TRUE;
}
