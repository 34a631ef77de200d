// Writes the sample programme that the editor opens on its run command: two pages built
// from the page model's own classes. On the home page a ball circles the sun along an
// orbit, a text and an arrow name the sun, a point draws its trace along a curve, and a
// button leads to the second page, where a square runs along a track, a triangle turns
// about its centre, a note appears with an effect, a text works out a formula, a box
// takes a typed answer and marks it right or wrong on Enter, and a button leads home.
// Both pages enter with a transition.
//
// Usage: make_sample OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "framework/core/String.h"
#include "graphics/GdiplusSession.h"
#include "model/DrawDoc.h"
#include "model/DrawLine.h"
#include "model/DrawPoint.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "model/HPEvent.h"
#include "model/Method.h"
#include "samples/AnswerCheck.h"

namespace {

CDrawRect* AddShape(CDrawDoc& page, int shape, const CRect& position, const char* name, COLORREF fill,
                    COLORREF line = RGB(0, 0, 0)) {
  auto* object = new CDrawRect(position);
  object->m_shape = shape;
  object->m_name = name;
  object->m_brush.lbColor = fill;
  object->m_pen.lopnColor = line;
  object->m_baseRect = object->GetDrawBounds();
  page.m_objects.AddTail(object);
  object->m_layer = page.m_objects.GetCount();
  return object;
}

void Append(CDrawDoc& page, CDrawObj* object) {
  object->m_baseRect = object->GetDrawBounds();
  page.m_objects.AddTail(object);
  object->m_layer = page.m_objects.GetCount();
}

CDrawText* AddText(CDrawDoc& page, const CRect& position, const char* name, const char* text, COLORREF colour) {
  auto* object = new CDrawText(position);
  object->m_name = name;
  object->m_displayText = text;
  object->m_captionColour = colour;
  object->m_outlined = 0;
  Append(page, object);
  return object;
}

// A line from one point to the other with an arrow head at its end.
void AddArrow(CDrawDoc& page, CPoint from, CPoint to, const char* name) {
  auto* arrow = new CDrawLine(CRect(from, to));
  arrow->m_name = name;
  arrow->m_pen.lopnWidth = CPoint(2, 2);
  arrow->m_pen.lopnColor = RGB(90, 90, 90);
  arrow->m_endCap = 20;  // the arrow anchor
  Append(page, arrow);
}

CDrawPoly* AddPoly(CDrawDoc& page, std::initializer_list<CPoint> points, int kind, const char* name) {
  auto* poly = new CDrawPoly();
  poly->m_polyKind = kind;
  for (const CPoint& p : points) poly->AddPoint(p, nullptr);
  poly->m_name = name;
  Append(page, poly);
  return poly;
}

// A closed path for others to walk: not filled, drawn as a thin red line.
CDrawRect* AddTrack(CDrawDoc& page, int shape, const CRect& position, const char* name) {
  CDrawRect* track = AddShape(page, shape, position, name, RGB(255, 255, 255));
  track->ToggleTrajectory();
  track->m_baseRect = track->GetDrawBounds();
  return track;
}

// Moves the object round the track for as long as the page runs.
void AddMotion(CDrawObj& object, const char* track, int speed, BOOL twoWay) {
  CMethod motion;
  motion.m_nType = CMethod::typeTranslate;
  motion.m_strName = "平移运动1";
  motion.m_nStart = 0;
  motion.m_nActivation = 0;
  motion.m_nDuration = 1000000;
  motion.m_bLoop = TRUE;
  motion.m_bTwoWay = twoWay;
  motion.m_nSpeed = speed;
  motion.m_strPath = track;
  object.m_actions.Add(motion);
  object.m_actionMask |= motion.m_nType;
}

// A button: clicking it (the left button released on it) switches to the page.
void AddPageButton(CDrawDoc& page, const CRect& position, const char* name, const char* caption,
                   const char* target) {
  CDrawRect* button = AddShape(page, kShapeRoundRectangle, position, name, RGB(255, 224, 128));
  button->m_caption = caption;
  button->m_buttonised = 1;
  CMethod jump;
  jump.m_nType = CMethod::typePageSwitch;
  jump.m_strName = "页面切换1";
  jump.m_nDuration = 0;
  jump.m_nActivation = -1;  // waits for the click
  jump.m_strTarget = target;
  button->m_actions.Add(jump);
  button->m_actionMask |= jump.m_nType;
  CHPEvent click;
  click.m_nTrigger = 1u << CHPEvent::triggerLeftButtonUp;
  click.m_strName = "驱动-页面切换1";
  click.m_strObject = name;
  click.m_strAbility = jump.m_strName;
  button->m_events.Add(click);
  button->m_triggerMask |= click.m_nTrigger;
}

bool Save(CDrawDoc& page, const CString& folder, const char* file) {
  const CString path = folder + "\\" + file;
  if (page.OnSaveDocument(path)) return true;
  std::fprintf(stderr, "make_sample: cannot write %s\n", path.GetString());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample OUTPUT_FOLDER\n");
    return 2;
  }
  CString folder(argv[1]);
  folder.Replace("/", "\\");
  ::CreateDirectoryA(folder, nullptr);
  // Bounds and outlines are measured with GDI+.
  CGdiplusSession gdiplus;
  if (!gdiplus.IsStarted()) {
    std::fprintf(stderr, "make_sample: GDI+ did not start\n");
    return 1;
  }

  CDrawDoc home;
  home.SetPageSize(800, 600);
  home.m_backColour = RGB(232, 244, 255);
  home.m_transitionKind = 8;  // fade in
  home.m_transitionDelay = 4;
  CDrawRect* title = AddShape(home, kShapeRectangle, CRect(-300, 270, 300, 200), "标题", RGB(40, 90, 170));
  title->m_caption = "Kordel 示例课件";
  title->m_captionColour = RGB(255, 255, 255);
  // The orbit goes under the sun: an object is hit anywhere inside its outline, so a
  // sun under its orbit could not be picked by a click.
  AddTrack(home, kShapeEllipse, CRect(-220, 160, 220, -160), "轨道");
  AddShape(home, kShapeEllipse, CRect(-60, 60, 60, -60), "太阳", RGB(255, 200, 0), RGB(230, 120, 0));
  CDrawRect* ball = AddShape(home, kShapeEllipse, CRect(205, 15, 235, -15), "地球", RGB(30, 120, 230));
  AddMotion(*ball, "轨道", 4, FALSE);
  AddPageButton(home, CRect(220, -220, 360, -270), "下一页按钮", "下一页", "page2");
  AddText(home, CRect(-380, 190, -120, 160), "说明", "地球绕着太阳转", RGB(20, 40, 120));
  AddText(home, CRect(-380, -100, -250, -130), "太阳标签", "太阳", RGB(200, 90, 0));
  AddArrow(home, CPoint(-300, -95), CPoint(-65, -20), "箭头");
  // A point walks a curve once a loop, drawing where it has been.
  CDrawPoly* wave = AddPoly(home, {{-360, -200}, {-290, -150}, {-220, -250}, {-150, -190}, {-90, -230}},
                            kPolyCurve, "曲线");
  wave->m_pen.lopnColor = RGB(120, 0, 160);
  wave->ToggleTrajectory();
  wave->m_baseRect = wave->GetDrawBounds();
  auto* dot = new CDrawPoint(CRect(-364, -196, -356, -204));
  dot->m_name = "点";
  dot->m_pen.lopnWidth = CPoint(8, 8);
  dot->m_pen.lopnColor = RGB(200, 0, 60);
  Append(home, dot);
  AddMotion(*dot, "曲线", 3, FALSE);
  dot->m_actions[0].m_bPathTrace = TRUE;

  CDrawDoc second;
  second.SetPageSize(800, 600);
  second.m_backColour = RGB(255, 250, 232);
  second.m_transitionKind = 2;  // slide in from the right
  second.m_transitionDirection = 2;
  CDrawRect* heading = AddShape(second, kShapeRectangle, CRect(-300, 270, 300, 200), "标题", RGB(170, 60, 40));
  heading->m_caption = "第二页";
  heading->m_captionColour = RGB(255, 255, 255);
  AddTrack(second, kShapeRoundRectangle, CRect(-300, 150, 300, -150), "跑道");
  CDrawRect* runner = AddShape(second, kShapeRectangle, CRect(-320, 170, -280, 130), "方块", RGB(0, 170, 90));
  AddMotion(*runner, "跑道", 6, TRUE);
  AddShape(second, kShapeRoundRectangle, CRect(-120, 60, 120, -60), "说明", RGB(255, 255, 255))->m_caption =
      "按 Esc 结束运行";
  AddPageButton(second, CRect(-360, -220, -220, -270), "首页按钮", "首页", "home");
  // A triangle turning about its own centre, and a note that appears with an effect.
  CDrawPoly* triangle = AddPoly(second, {{200, -255}, {320, -255}, {260, -160}}, kPolyLines, "三角形");
  triangle->m_closed = 1;
  triangle->m_filled = 1;
  triangle->m_brush.lbColor = RGB(120, 200, 255);
  triangle->m_baseRect = triangle->GetDrawBounds();
  CMethod turn;
  turn.m_nType = CMethod::typeRotate;
  turn.m_strName = "旋转运动1";
  turn.m_nStart = 0;
  turn.m_nActivation = 0;
  turn.m_nDuration = 1000000;
  turn.m_nStartAngle = 0;
  turn.m_nEndAngle = 360;
  turn.m_nStep = 4;
  turn.m_bLoop = TRUE;
  triangle->m_actions.Add(turn);
  triangle->m_actionMask |= turn.m_nType;
  CDrawText* note = AddText(second, CRect(-120, -90, 120, -130), "提示", "三角形绕中心旋转", RGB(20, 90, 40));
  CMethod appear;
  appear.m_nType = CMethod::typeEffect;
  appear.m_strName = "特技效果1";
  appear.m_nStart = 10;
  appear.m_nActivation = 0;
  appear.m_nDuration = 30;
  appear.m_nEffect = 4;
  appear.m_nDirection = 3;
  appear.m_nStep = 6;
  note->m_actions.Add(appear);
  note->m_actionMask |= appear.m_nType;

  // A text that works out a formula, and a box for the learner's own answer: Enter checks
  // what was typed and marks it with a tick or a cross.
  AddText(second, CRect(-200, -165, -20, -195), "算式", "3×4+5 =", RGB(20, 40, 120));
  CDrawText* result = AddText(second, CRect(-10, -165, 100, -195), "结果", "", RGB(170, 60, 40));
  CMethod work;
  work.m_nType = CMethod::typeCalculate;
  work.m_strName = "计算1";
  work.m_nStart = 5;
  work.m_nActivation = 0;
  work.m_nDuration = 0;
  work.m_strExpression = "3*4+5";
  work.m_nIndex = 0;  // a formula
  work.m_nMode = 0;   // a whole number
  work.m_nValue = 1;  // shown
  result->m_actions.Add(work);
  result->m_actionMask |= work.m_nType;
  AddText(second, CRect(-200, -205, -20, -235), "问题", "你的答案:", RGB(20, 40, 120));
  CDrawText* answer = AddText(second, CRect(-10, -205, 100, -235), "答案", "", RGB(0, 0, 0));
  answer->m_outlined = 1;
  AddAnswerCheck(answer, "检查答案", "17", "驱动-检查答案");

  return Save(home, folder, "home.rvx") && Save(second, folder, "page2.rvx") ? 0 : 1;
}
