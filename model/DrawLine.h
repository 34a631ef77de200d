// CDrawLine: the straight segment between two end points. Arrows are the start and end
// caps of its pen and dashes the pen's dash style and dash cap. A line turns by its angle
// until the rotate tool bakes the turn into its ends, scales with a group through
// double-precision reference points, serves as a trajectory walked from its start handle
// to its end handle, and leaves a copy of itself at every point of a traced translation.
//
// Its run-time class record names CObject as its base, as pages have always recorded
// it: type tests must not rely on IsKindOf(CDrawObj) for lines.
#pragma once

#include "model/DrawObj.h"

class CDrawLine : public CDrawObj {
  DECLARE_SERIAL(CDrawLine)

 public:
  CDrawLine();
  // End 1 at (left, top), end 2 at (right, bottom).
  explicit CDrawLine(const CRect& position);
  ~CDrawLine() override;

  void Serialize(CArchive& ar) override;
  BOOL IsPlainShape() override;
  void ScaleAbout(double factor, double centreX, double centreY, CView* view) override;
  int GetHandleCount() override;
  CPoint GetHandle(int handle) override;
  HCURSOR GetHandleCursor(int handle) override;
  int DrawObject(CDC* dc, CView* view) override;
  void DrawTracker(CDC* dc, int state) override;
  void SetRect(const CRect& rect, CView* view) override;
  void SetAngle(double angle, BOOL relative, CView* view) override;
  void SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) override;
  void ApplyRotation() override;
  BOOL Intersects(const CRect& rect) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  CRect GetDrawBounds() override;
  void ResetTransform() override;
  void MapRect(const CRect& from, const CRect& to, CRect& result) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  int GetPathPoints(int step, CMethod* action, int mode) override;
  double GetPathLength() override;
  void ListGeneral(CPropGrid* grid) override;
  void ApplyGeneral(CPropGrid* grid) override;
  int ListActionTranslation(CPropGrid* grid, CMethod& action) override;
  BOOL ApplyActionTranslation(CPropGrid* grid, CMethod& action) override;
  int TopEdgeHandle() override;
  int BottomEdgeHandle() override;
  int RightEdgeHandle() override;
  int LeftEdgeHandle() override;

  // The rectangle spanned by the two ends, normalised: what m_position holds after
  // every move.
  CRect Span() const;

  // Own fields, in their declared order.
  CPoint m_end1;
  CPoint m_end2;
  CPoint m_middle;
  CPoint m_savedEnd1;
  CPoint m_savedEnd2;
  CPoint m_savedMiddle;
  CDoublePoint m_savedRefPoints[3];
  int m_reservedWord = 0;  // 16 bits in the record; nothing reads it
  // Double copies of the ends and the middle: a group maps these, so that repeated
  // resizing does not accumulate rounding.
  CDoublePoint m_refPoints[3];

 private:
  // Position, rotation centre, middle and drawn bounds after the ends moved.
  void FollowEnds();
  CDoublePoint Midpoint() const;

  // The stored saved ends a run overwrites, put back when it ends so that a test run
  // leaves the page file as it was.
  bool m_geometrySaved = false;
  CPoint m_fileSavedEnds[3];
};
