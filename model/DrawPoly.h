// CDrawPoly: a figure made of vertices clicked one by one — a polygon or polyline (kind
// 0) or a smooth curve through the vertices (kind 1), open or closed. It fills and
// strokes like the rectangle family, turns about its rotation centre, has a handle per
// vertex and one for the whole figure, can be made regular, and is the most general
// trajectory: translations walk its outline between a start and an end handle, in
// either direction, once or around a closed figure.
//
// The vertex list always holds N + 1 entries: the N vertices and, after them, the
// control point (the centre of a mode-5 path-gradient fill). A double-precision copy of
// all N + 1 entries lets a group map the figure again and again without drift.
#pragma once

#include <vector>

#include "model/DrawObj.h"
#include "model/PictureSnapshot.h"

// m_polyKind.
constexpr int kPolyLines = 0;
constexpr int kPolyCurve = 1;

class CDrawPoly : public CDrawObj {
  DECLARE_SERIAL(CDrawPoly)

 public:
  CDrawPoly();
  explicit CDrawPoly(const CRect& position);
  ~CDrawPoly() override;

  // Appends a vertex, as the poly tool does for every click; a repeat of the last vertex
  // is dropped. The record counts vertices in 16 bits: no vertex is added past that.
  void AddPoint(const CPoint& point, CView* view);
  // Drops the last vertex (the poly tool's pending one); the control point stays.
  void RemoveLastPoint(CView* view);
  // The bounds (left <= right, top <= bottom) of the first count points; the first
  // point's own degenerate rectangle when count < 1; m_position while the figure has
  // fewer than two vertices.
  void GetPointsBounds(CRect& bounds, const CPoint* points, int count);
  // The outline turned by the object's angle, as hit tests, bounds and curve trajectories
  // take it (the band around the segment for two vertices). FALSE when there is none.
  BOOL GetOutline(Gdiplus::GraphicsPath& path);

  void Serialize(CArchive& ar) override;
  BOOL IsPlainShape() override;
  void SetControlPoint(int x, int y) override;
  void MakeSquare(CView* view) override;
  void ScaleAbout(double factor, double centreX, double centreY, CView* view) override;
  BOOL GetBounds(Gdiplus::Rect& bounds) override;
  void ResetPropertyPage(int group, CView* view) override;
  int GetHandleCount() override;
  CPoint GetHandle(int handle) override;
  HCURSOR GetHandleCursor(int handle) override;
  int DrawObject(CDC* dc, CView* view) override;
  void DrawTracker(CDC* dc, int state) override;
  void SetRect(const CRect& rect, CView* view) override;
  void SetAngle(double angle, BOOL relative, CView* view) override;
  void SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) override;
  double Distance(double x, double y) override;
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
  void RevertVisibilityLayer() override;
  void SaveVisibilityLayer() override;
  int GetPathPoints(int step, CMethod* action, int mode) override;
  double GetPathLength() override;
  void ListGeneral(CPropGrid* grid) override;
  void ApplyGeneral(CPropGrid* grid) override;

  // Vertex i (0 .. N - 1), or the control point for i = N.
  const CPoint& PointAt(int i) const { return m_points.at(static_cast<size_t>(i)); }
  const CPoint& ControlPoint() const { return m_points.back(); }
  const std::vector<CDoublePoint>& PrecisePoints() const { return m_precisePoints; }
  // Sets vertex i (0 .. N - 1) or the control point (i = N) and its precise copy; an
  // index outside that range is ignored.
  void SetPointAt(int i, const CPoint& p);

  // The largest vertex count the record can hold.
  static constexpr int kMaxPoints = 0xFFFF;

  // Own fields, in their declared order. The arrays are private: their sizes are kept
  // to the vertex count.
  int m_polyKind = kPolyLines;
  int m_pointCount = 0;
  // The allocation size the record carries; it grows in steps of 10 and is at least
  // N + 1 once the figure has a vertex.
  int m_pointCapacity = 0;

 private:
  enum class OutlineUse { drawing, bounds };
  // The outline, untransformed or turned; FALSE when the figure has none.
  BOOL AddOutline(Gdiplus::GraphicsPath& path, OutlineUse use);
  void TurnPath(Gdiplus::GraphicsPath& path);
  // Position, rotation centre and drawn bounds after vertices moved.
  void FollowVertices();
  // The precise copy made equal to the vertices, entry by entry.
  void SyncPrecisePoints();
  int WalkPoints(int spacing, std::vector<CPoint>& points);

  std::vector<CDoublePoint> m_savedPrecisePoints;
  std::vector<CDoublePoint> m_precisePoints;
  std::vector<CPoint> m_points;
  std::vector<CPoint> m_savedPoints;
  bool m_pointsSaved = false;
  // The picture name (and picture) a run or an effect may change.
  CPictureSnapshot m_savedPicture;
  CPictureSnapshot m_savedEffectPicture;
};
