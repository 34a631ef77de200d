// CDrawRect: the closed shapes of the rubber-band tools — rectangle, rounded rectangle
// and ellipse, the ellipse also as a pie, an open arc or a segment. It fills with a
// colour, a hatch, a gradient or a picture, strokes with a pen that may itself be a
// gradient, shows a centred caption and a button frame, and serves as a closed
// trajectory whose outline other objects walk.
#pragma once

#include <vector>

#include "model/DrawObj.h"
#include "model/PictureSnapshot.h"

// m_shape.
constexpr int kShapeRectangle = 0;
constexpr int kShapeRoundRectangle = 1;
constexpr int kShapeEllipse = 2;

class CDrawRect : public CDrawObj {
  DECLARE_SERIAL(CDrawRect)

 public:
  CDrawRect();
  explicit CDrawRect(const CRect& position);
  ~CDrawRect() override;

  void Serialize(CArchive& ar) override;
  BOOL IsPlainShape() override;
  void SetControlPoint(int x, int y) override;
  void ResetPropertyPage(int group, CView* view) override;
  int GetHandleCount() override;
  CPoint GetHandle(int handle) override;
  HCURSOR GetHandleCursor(int handle) override;
  int DrawObject(CDC* dc, CView* view) override;
  void DrawTracker(CDC* dc, int state) override;
  void SetRect(const CRect& rect, CView* view) override;
  void SetAngle(double angle, BOOL relative, CView* view) override;
  void SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) override;
  BOOL Intersects(const CRect& rect) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  CRect GetDrawBounds() override;
  void MapRect(const CRect& from, const CRect& to, CRect& result) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  void RevertVisibilityLayer() override;
  void SaveVisibilityLayer() override;
  int GetPathPoints(int step, CMethod* action, int mode) override;
  double GetPathLength() override;
  // A shape exports; one showing a picture does not.
  BOOL CanExport() override { return !HasPicture(); }

  // The outline turned by the object's angle: the full shape, without the ellipse's
  // sector (hit tests, bounds and trajectories use it). FALSE when the shape has none.
  BOOL GetOutline(Gdiplus::GraphicsPath& path);

  // Turning that keeps the drawn bounds: lines and text objects turn the same way, each
  // with its own bounds (taken through the virtual GetDrawBounds).
  static void SetAngleOf(CDrawObj& object, double angle, BOOL relative, CView* view);
  static void SetAngleRectOf(CDrawObj& object, double angle, double centreX, double centreY, int relative,
                             CView* view);

  // Own fields, in their declared order.
  int m_shape = kShapeRectangle;
  int m_savedCornerWidth = 16;
  int m_savedCornerHeight = 16;
  int m_cornerWidth = 16;
  int m_cornerHeight = 16;
  CPoint m_reservedPoints[16];
  CPoint m_gradientCentre;

 private:
  // The shape in its normalised rectangle; withSector adds an ellipse's pie or arc.
  void AddShape(Gdiplus::GraphicsPath& path, bool withSector);
  void AddBoundsShape(Gdiplus::GraphicsPath& path);
  void Turn(Gdiplus::GraphicsPath& path);
  // The turned outline's points, flattened for region tests when asked.
  int OutlinePoints(std::vector<POINT>& points, bool flatten);
  void MovePoints(int dx, int dy);

  // The picture name (and picture) a run or an effect may change, kept apart so that
  // putting one back never empties the other.
  CPictureSnapshot m_savedPicture;
  CPictureSnapshot m_savedEffectPicture;
  bool m_cornerSaved = false;
  // The colour key the loaded picture was keyed with, to key it afresh when it changes.
};
