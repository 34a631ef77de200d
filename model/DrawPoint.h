// CDrawPoint: a single point on the page. An ordinary point is a round or square dot as
// wide as its pen; a point with a role (trajectory start or end, control point, rotation
// centre) is never drawn but can still be named, for example as the centre a rotation
// turns about. Turned by a rotation action, a point revolves about the action's centre,
// and with path tracing it draws a curve through the places it has passed.
#pragma once

#include "model/DrawObj.h"

// m_role.
constexpr int kPointOrdinary = 0;
constexpr int kPointTrajectoryStart = 1;
constexpr int kPointTrajectoryEnd = 2;
constexpr int kPointControl = 3;
constexpr int kPointRotationCentre = 4;

// m_pointStyle.
constexpr int kPointRound = 0;
constexpr int kPointSquare = 1;

class CDrawPoint : public CDrawObj {
  DECLARE_SERIAL(CDrawPoint)

 public:
  CDrawPoint();
  // The point at the rectangle's centre (integer halves toward zero).
  explicit CDrawPoint(const CRect& position);
  ~CDrawPoint() override;

  void Serialize(CArchive& ar) override;
  BOOL IsPlainShape() override;
  void ResetPropertyPage(int group, CView* view) override;
  int GetHandleCount() override;
  CPoint GetHandle(int handle) override;
  int DrawObject(CDC* dc, CView* view) override;
  void SetRect(const CRect& rect, CView* view) override;
  void SetAngle(double angle, BOOL relative, CView* view) override;
  void SetAngleRect(double angle, double centreX, double centreY, int relative, CView* view) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  CRect GetDrawBounds() override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  void ListGeneral(CPropGrid* grid) override;
  void ListActions(CPropGrid* grid, int index) override;
  void ListInteractions(CPropGrid* grid, int index) override;
  void ApplyGeneral(CPropGrid* grid) override;
  void ApplyActions(CPropGrid* grid, int type) override;
  void ApplyInteractions(CPropGrid* grid) override;
  int ListActionRotation(CPropGrid* grid, CMethod& action) override;
  int ListActionTranslation(CPropGrid* grid, CMethod& action) override;
  BOOL ApplyActionRotation(CPropGrid* grid, CMethod& action) override;
  BOOL ApplyActionTranslation(CPropGrid* grid, CMethod& action) override;

  // The widest dot "半径" takes: the bounds arithmetic stays inside 16 bits.
  static constexpr int kMaxWidth = 32767;

  // Own fields, in their declared order.
  int m_role = kPointOrdinary;
  CString m_relatedObject;
  int m_pointStyle = kPointRound;
  CPoint m_point;
  CPoint m_savedPoint;

 private:
  // Position and drawn bounds are the dot's square around the point.
  void FollowPoint();

  bool m_pointSaved = false;
};
