// Small steps the shapes' edits share: repainting through the host or the object, the
// modified mark of edit mode, turning a point as handles turn, and placing a copy on
// the page.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include <memory>
#include <new>
#include <vector>

#include "framework/core/Rect.h"
#include "model/DoublePoint.h"
#include "model/DrawObj.h"

class CDrawDoc;
class CDrawObj;
class CView;

namespace ShapeEditing {

// Through the host when a view is given, else through the object itself.
void InvalidateFor(CDrawObj& object, CView* view);
// Marks the page modified, in edit mode and when a view is given only.
void MarkModifiedWhenEditing(CView* view);

int ClampToInt(long long v);
// The point turned by the angle (radians, counter-clockwise with y up) about the centre;
// an unturned object keeps its exact integer points.
CPoint Turned(CPoint p, double angle, double centreX, double centreY);
CDoublePoint CentreOf(const CRect& r);
// The rectangle after corner handle 1, 3, 5 or 7 of a turned object is dragged to (x, y):
// the opposite corner stays where it shows, and both corners are taken back into the
// object's unturned frame about their middle, which is the new rectangle's centre.
CRect DragTurnedCorner(CDrawObj& object, int handle, int x, int y);
// The object's rectangle after handle 1 to 9 is dragged to (x, y): an edge handle moves
// its edge, handle 9 moves the whole rectangle, a corner drags as DragTurnedCorner.
CRect DraggedRect(CDrawObj& object, int handle, int x, int y);
// ((left + right) / 2, (top + bottom) / 2), halves toward zero.
CPoint CentreHalves(const CRect& r);
// A page rectangle as GDI+'s (x, y, width, height), made non-negative.
Gdiplus::Rect GdipRectOf(const CRect& r);
// The rotation by minus the object's angle about its rotation centre, as drawing turns
// shapes; false (and the matrix left alone) when angle or centre is not finite.
bool TurnMatrix(double angle, const CDoublePoint& centre, Gdiplus::Matrix& matrix);
// The path turned that way; a zero or unusable angle leaves it as it is.
void TurnPath(Gdiplus::GraphicsPath& path, double angle, const CDoublePoint& centre);
// The bounds a path covers when stroked with a pen of that width under the matrix,
// widened outward to whole units; false when GDI+ cannot measure it.
bool StrokedBounds(const Gdiplus::GraphicsPath& path, const Gdiplus::Matrix* matrix, int penWidth, CRect& bounds);

// The spacing of trajectory points for a step and mode (0: the step is the spacing; 1:
// the step is the number of points over the length), or 0 when the walk gives nothing.
int PathSpacing(int step, double length, int mode);
// The index of the point nearest to the target (squared distance; the first of equal
// minima wins), 0 for an empty list.
int NearestIndex(const std::vector<CPoint>& points, const CPoint& target);

// A copy made by Clone: null shows the out-of-memory message; otherwise it is added to
// the document, when there is one, and selected alone. Returns the copy.
CDrawObj* PlaceDuplicate(CDrawObj* clone, CDrawDoc* document);

// The body of a shape's Clone: the base's fields go into the target (a new T at the
// source's position when none is given), then copyFields copies the shape's own onto a
// target of T's kind. Null when memory runs out (the caller reports it).
template <typename T, typename CopyFields>
CDrawObj* CloneShape(T& source, CDrawObj* target, CopyFields copyFields) {
  try {
    std::unique_ptr<T> made;
    CDrawObj* clone = target;
    if (!clone) {
      made.reset(new T(source.m_position));
      clone = made.get();
    }
    source.CDrawObj::Clone(clone);
    if (clone->IsKindOf(RUNTIME_CLASS(T))) copyFields(static_cast<T*>(clone));
    made.release();
    return clone;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace ShapeEditing
