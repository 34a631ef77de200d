// Pages of many shapes for the benchmarks: rectangles, ellipses, rounded rectangles,
// lines, polygons and texts in turn, laid out in a grid over an 800 x 600 page, each
// moving along the page's track when asked.
#pragma once

#include <windows.h>

#include "model/Method.h"
#include "model/DrawDoc.h"
#include "model/DrawLine.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"

namespace bench {

constexpr int kKinds = 6;

inline CRect Cell(int i, int count) {
  int columns = 1;
  while (columns * columns * 3 < count * 4) ++columns;
  const int rows = (count + columns - 1) / columns;
  const int w = 760 / columns, h = 560 / rows;
  const int x = -380 + (i % columns) * w, y = 280 - (i / columns) * h;
  return CRect(x + 1, y - 1, x + w - 1, y - h + 1);
}

inline CDrawObj* MakeShape(int i, const CRect& r) {
  const COLORREF colour = RGB(40 + i * 37 % 200, 60 + i * 53 % 180, 80 + i * 71 % 160);
  CDrawObj* o = nullptr;
  switch (i % kKinds) {
    case 0: case 1: case 2: {
      auto* shape = new CDrawRect(r);
      shape->m_shape = i % kKinds == 0 ? kShapeRectangle : i % kKinds == 1 ? kShapeEllipse : kShapeRoundRectangle;
      o = shape;
      break;
    }
    case 3:
      o = new CDrawLine(r);
      break;
    case 4: {
      auto* poly = new CDrawPoly(r);
      poly->m_closed = poly->m_filled = 1;
      const CPoint c = r.CenterPoint();
      for (const CPoint& p : {CPoint(r.left, c.y), CPoint(c.x, r.top), CPoint(r.right, c.y), CPoint(c.x, r.bottom)})
        poly->AddPoint(p, nullptr);
      o = poly;
      break;
    }
    default: {
      auto* text = new CDrawText(r);
      text->m_displayText = "Text";
      text->m_logFont.lfHeight = 12;
      o = text;
      break;
    }
  }
  o->m_brush.lbColor = colour;
  o->m_pen.lopnColor = RGB(0, 0, 0);
  o->m_pen.lopnWidth = {2, 2};
  o->m_name.Format("shape%d", i);
  o->m_baseRect = o->GetDrawBounds();
  return o;
}

// A move round the page's track for the whole run, each shape from its own place on it.
inline void AddMotion(CDrawObj& o, int i) {
  CMethod move;
  move.m_nType = CMethod::typeTranslate;
  move.m_strName = "move";
  move.m_nDuration = 1000000;
  move.m_nActivation = 0;
  move.m_bLoop = TRUE;
  move.m_nSpeed = 2 + i % 5;
  move.m_strPath = "track";
  move.m_nPathIndex = i * 37 % 250;
  o.m_actions.Add(move);
  o.m_actionMask |= move.m_nType;
}

// count shapes; the track (a trajectory, never drawn) first when moving.
inline void FillPage(CDrawDoc& page, int count, bool moving) {
  page.SetPageSize(800, 600);
  if (moving) {
    auto* track = new CDrawRect(CRect(-300, 220, 300, -220));
    track->m_shape = kShapeEllipse;
    track->m_name = "track";
    track->ToggleTrajectory();
    track->m_baseRect = track->GetDrawBounds();
    page.m_objects.AddTail(track);
  }
  for (int i = 0; i < count; ++i) {
    CDrawObj* o = MakeShape(i, Cell(i, count));
    if (moving) AddMotion(*o, i);
    page.m_objects.AddTail(o);
    o->m_layer = page.m_objects.GetCount();
  }
}

inline double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t;
}

}  // namespace bench
