// CDrawTool: the base of the drawing tools. While editing, the page view hands every
// mouse event to the tool whose shape number is current (FindTool); the tools act on
// the view, its selection and its document. Points arrive in device units of the view,
// flags are the message's key flags.
//
// The state below is shared by all tools, so that a creating tool hands its new object
// to the select tool simply by entering size mode with handle 1.
#pragma once

#include <windows.h>

#include "framework/core/Rect.h"

class CDrawView;

// Shape numbers of the tools (the view's current shape).
constexpr int kToolSelect = 0;
constexpr int kToolCapture = 1;
constexpr int kToolPenColour = 2;
constexpr int kToolBrush = 3;
constexpr int kToolColourPicker = 4;
constexpr int kToolFillColour = 5;
constexpr int kToolText = 6;
constexpr int kToolPicture = 7;
constexpr int kToolLine = 8;
constexpr int kToolRect = 9;
constexpr int kToolRoundRect = 10;
constexpr int kToolEllipse = 11;
constexpr int kToolPolygon = 12;
constexpr int kToolCurve = 13;
constexpr int kToolPoint = 14;
constexpr int kToolOleObject = 15;
// No tool draws composites: their naming counter takes the one shape number no tool uses.
constexpr int kShapeComposite = 16;
constexpr int kToolVideo = 17;
constexpr int kToolSound = 18;
constexpr int kToolGlue = 19;
constexpr int kToolPick = 20;
constexpr int kToolFunction = 21;
constexpr int kToolRotate = 23;
constexpr int kToolZoom = 24;

// The select tool's modes.
constexpr int kSelectNone = 0;
constexpr int kSelectNetSelect = 1;  // rubber band
constexpr int kSelectMove = 2;
constexpr int kSelectSize = 3;

class CDrawTool {
 public:
  explicit CDrawTool(int shape);
  virtual ~CDrawTool() = default;
  CDrawTool(const CDrawTool&) = delete;
  CDrawTool& operator=(const CDrawTool&) = delete;

  // Base: captures the mouse for the view and records the flags and the points.
  virtual void OnLButtonDown(CDrawView* view, UINT flags, const CPoint& point);
  virtual void OnLButtonDblClk(CDrawView* view, UINT flags, const CPoint& point);
  // Base: releases the capture; a click without a drag ends the tool (shape 0).
  virtual void OnLButtonUp(CDrawView* view, UINT flags, const CPoint& point);
  // Base: records the point and shows the arrow.
  virtual void OnMouseMove(CDrawView* view, UINT flags, const CPoint& point);
  virtual void OnEditProperties(CDrawView* view);
  // Abandons what the tool is doing; the current shape returns to 0.
  virtual void OnCancel();
  // Whether the tool holds an object it is still building (a polygon click by click):
  // changing the tool must cancel it first.
  virtual bool IsBuilding() const { return false; }

  // The first tool registered with that shape number, or null.
  static CDrawTool* FindTool(int shape);

  const int m_nShape;

  static UINT c_nDownFlags;
  static CPoint c_down;       // device point of the last button-down
  static CPoint c_last;       // device point of the last mouse event seen
  static int c_selectMode;
  static int c_nDragHandle;
  static CPoint c_lastLogical;  // origin of the next move delta
};

// The cursor resource of the editor, or the system cursor standing in for it.
HCURSOR LoadToolCursor(UINT id);
