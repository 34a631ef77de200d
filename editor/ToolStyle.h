// What the drawing tools share about new objects: the frame's current style copied in,
// the "%s%d" name from the page's counter of the tool's shape, and the hand-over to the
// select tool in size mode.
#pragma once

#include <windows.h>

#include "framework/core/Rect.h"

class CDrawObj;
class CDrawView;

enum class StyleCopy { shape, line, point };

// The frame's current style, as the kind of object takes it: shapes everything, lines
// all but the closed and fill flags, points only the line colour and width (at least 1).
void CopyCurrentStyle(CDrawObj& object, const CDrawView& view, StyleCopy what);

// Names the object from the shape's kind word and counter, adds it to the page, counts
// it and selects it alone.
void AddNewObject(CDrawView* view, CDrawObj* object, int shape);

// The drag point of a drawing tool: with Shift the drag becomes square (the shorter
// side takes the longer one's length, keeping its sign); each axis stays at least 10
// device units from the down point.
CPoint ConstrainDrag(CPoint point, const CPoint& down, UINT flags);
