// Writes the sample programme that the editor opens on its run command: two pages of
// shapes built from the page model's own classes. On the home page a ball circles the
// sun along an orbit and a button leads to the second page, where a square runs along
// a track and a button leads home. Both pages enter with a transition.
//
// Usage: make_sample OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>

#include "framework/core/String.h"
#include "graphics/GdiplusSession.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "model/HPEvent.h"
#include "model/Method.h"

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
  AddShape(home, kShapeEllipse, CRect(-60, 60, 60, -60), "太阳", RGB(255, 200, 0), RGB(230, 120, 0));
  AddTrack(home, kShapeEllipse, CRect(-220, 160, 220, -160), "轨道");
  CDrawRect* ball = AddShape(home, kShapeEllipse, CRect(205, 15, 235, -15), "地球", RGB(30, 120, 230));
  AddMotion(*ball, "轨道", 4, FALSE);
  AddPageButton(home, CRect(220, -220, 360, -270), "下一页按钮", "下一页", "page2");

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

  return Save(home, folder, "home.rvx") && Save(second, folder, "page2.rvx") ? 0 : 1;
}
