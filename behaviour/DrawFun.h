// CDrawFun: a plot of a user function inside its rectangle: optional Cartesian or polar
// axes, the curve and its isolated points, and a frame. The origin is the rectangle's
// centre and one function unit is m_unit page units. A plot whose curve is one
// unbroken piece serves as a trajectory, and a set-data action can replace its formula
// or its interval with the text of a text object during a run.
#pragma once

#include <memory>

#include "behaviour/Function.h"
#include "framework/core/Array.h"
#include "model/DrawObj.h"

// A curve point in page units relative to the rectangle's centre (y up), with the flag
// of the sample it came from.
struct CScreenPoint {
  int x = 0;
  int y = 0;
  int flag = 0;
};

class CDrawFun : public CDrawObj {
  DECLARE_SERIAL(CDrawFun)

 public:
  // The two flags the plot keeps in the base record's plot parameters.
  static constexpr int kBorderParam = 0;        // "有边框"
  static constexpr int kCurveVisibleParam = 1;  // "显示曲线", for a trajectory plot
  // Data groups: 0 the end kinds of an interval, 1 what a set-data action replaces.
  static constexpr int kEndKindGroup = 0;
  static constexpr int kDatumGroup = 1;
  // Ticks or grid circles drawn per axis at most: a huge rectangle from a file with a
  // small unit must not take minutes to paint.
  static constexpr int kMaxTicks = 2000;

  CDrawFun();
  explicit CDrawFun(const CRect& position);
  ~CDrawFun() override;

  void Serialize(CArchive& ar) override;
  int DataTypeFromName(const CString& name, int group) override;
  CString DataTypeName(int item, int group) override;
  CString ActionTypeName(DWORD flag, int& index) override;
  int ActionTypeFromName(const CString& name) override;
  DWORD ActionTypeAt(int index) override;
  void ResetPropertyPage(int group, CView* view) override;
  int DrawObject(CDC* dc, CView* view) override;
  void DrawTracker(CDC* dc, int state) override;
  void SetRect(const CRect& rect, CView* view) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  int OnOpen(CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  int GetPathPoints(int step, CMethod* action, int mode) override;
  double GetPathLength() override;
  // Set data: a = the datum (0 the formula, 1 the interval), other = the source's text.
  void ApplySetDataAction(double a, double b, const CString& text, const CString& other) override;
  void ListGeneral(CPropGrid* grid) override;
  void ApplyGeneral(CPropGrid* grid) override;
  int ListActionSetData(CPropGrid* grid, CMethod& action) override;
  BOOL ApplyActionSetData(CPropGrid* grid, CMethod& action) override;

  // The set-data hook: 0 replaces the second formula (y = f(x) and polar only), 1 the
  // interval, from text such as "[1,2)". Refusals are shown; TRUE when it changed.
  BOOL ParseIntervals(int what, const CString& text);

  void RebuildPoints() { RebuildPointsOnMove(m_position); }
  // The screen points for the function in that rectangle. An evaluation error keeps
  // the old points and is shown once for a definition.
  void RebuildPointsOnMove(const CRect& rect);
  void ShowEvalError(int code);

  BOOL IsBordered() const { return m_plotParams[kBorderParam] != 0; }
  BOOL IsCurveVisible() const { return m_plotParams[kCurveVisibleParam] != 0; }

  CFunction m_function;
  int m_unit = 10;         // page units per function unit
  int m_showAxes = 1;
  int m_singleCurve = 1;   // the points form one piece: the plot can be a trajectory
  CArray<CScreenPoint, const CScreenPoint&> m_points;

 private:
  void DrawAxes(CDC* dc);
  void DrawCurve(CDC* dc);
  // The definition changed: its next evaluation error is shown again.
  void DefinitionChanged() { m_errorShown = false; }
  // The unit row, raised to the smallest unit.
  void ApplyUnitRow(CPropGrid* grid);
  // The names, formula and single interval of the rows, taken together or not at all.
  void ApplyDefinitionRows(CPropGrid* grid);

  bool m_errorShown = false;
  // What a run may change (set data, the trajectory's closed flag), put back after it.
  struct RunSnapshot {
    CFunction function;
    CArray<CScreenPoint, const CScreenPoint&> points;
    int singleCurve = 1;
    int closed = 0;
  };
  std::unique_ptr<RunSnapshot> m_runSnapshot;
};
