// CDrawJoinObj: a glued object. It owns members pinned together at glue points, one
// handle of each at a common point, like the parts of a mechanism: dragging a glue
// point moves the glued handle of every member there, dragging a member's handle
// reshapes that member. It plays its members' actions, its cartoon and its internal
// motion as a composite does. The glue tool builds one; the unglue command takes an
// object with a single glue point apart.
#pragma once

#include <vector>

#include "model/GlueGroup.h"
#include "model/MemberGroup.h"

class CDrawJoinObj : public CMemberGroup {
  DECLARE_SERIAL(CDrawJoinObj)

 public:
  CDrawJoinObj();
  ~CDrawJoinObj() override = default;

  // Takes the context's objects off the page (each once) and pins them at one point:
  // every object moves so that its handle lands on the first object's. 1, or 0 for a
  // context whose handle numbers do not match its objects.
  int Glue(CView* view, const GlueGroup& context);
  // With a single glue point: the members go back onto the page and the glued object
  // is destroyed. Otherwise nothing happens.
  void Unglue(CView* view);

  void Serialize(CArchive& ar) override;
  BOOL IsPlainShape() override;
  void ScaleAbout(double factor, double centreX, double centreY, CView* view) override;
  // Glue points first (1 to G), then each member's handles in member order, then one
  // number more that stands for the object's centre.
  int GetHandleCount() override;
  CPoint GetHandle(int handle) override;
  HCURSOR GetHandleCursor(int handle) override;
  void DrawTracker(CDC* dc, int state) override;
  void SetRect(const CRect& rect, CView* view) override;
  int HitTest(CPoint point, CView* view, BOOL selected) override;
  BOOL Intersects(const CRect& rect) override;
  void MoveHandleTo(int handle, int x, int y, CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  void MapRect(const CRect& from, const CRect& to, CRect& result) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  void Step(int t, CView* view) override;

  int m_groupCount = 0;
  std::vector<GlueGroup> m_glueGroups;

 protected:
  void Adopt(CDrawObj* member) override;

 private:
  // The member and its own handle number behind a combined number past the glue points.
  CDrawObj* MemberHandle(int handle, int& local);
  // The position becomes the members' union, the base rectangle with it; repainted.
  void Refit(CView* view);

  std::vector<CPoint> m_savedGluePoints;
};
