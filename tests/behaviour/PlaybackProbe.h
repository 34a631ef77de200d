// Drawing objects for playback tests: a probe that records the angle calls it receives,
// answers a fixed list of trajectory points, counts its destruction and can run a hook
// in its step; and helpers to build actions and events.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/DrawObj.h"

struct AngleCall {
  double angle;
  BOOL relative;
  bool aboutPoint;  // SetAngleRect (about a centre) rather than SetAngle
  double x, y;
};

class CProbe : public CDrawObj {
 public:
  explicit CProbe(const char* name, const CRect& position = CRect(-1, 1, 1, -1)) : CDrawObj(position) {
    m_name = name;
  }
  ~CProbe() override {
    if (destroyed) ++*destroyed;
  }

  void SetAngle(double angle, BOOL relative, CView* view) override {
    angles.push_back({angle, relative, false, 0.0, 0.0});
    CDrawObj::SetAngle(angle, relative, view);
  }
  void SetAngleRect(double angle, double x, double y, int mode, CView* view) override {
    angles.push_back({angle, mode, true, x, y});
    CDrawObj::SetAngle(angle, mode, view);
  }
  // As a trajectory: the points, whatever the step.
  int GetPathPoints(int, CMethod* action, int) override {
    for (const CPoint& p : trajectory) action->m_path.Add(p);
    return static_cast<int>(trajectory.size());
  }
  void Step(int t, CView* view) override {
    frames.push_back(t);
    if (onStep) onStep(t);
    else CDrawObj::Step(t, view);
  }

  std::vector<AngleCall> angles;
  std::vector<CPoint> trajectory;
  std::vector<int> frames;              // every frame the clock stepped it with
  std::function<void(int)> onStep;      // replaces the ordinary step when set
  int* destroyed = nullptr;
};

inline CMethod MakeAction(DWORD type, const char* name, int start = 0, int duration = 10, int activation = 0) {
  CMethod action;
  action.m_nType = type;
  action.m_strName = name;
  action.m_nStart = start;
  action.m_nDuration = duration;
  action.m_nExtraTime = 0;
  action.m_nActivation = activation;
  return action;
}

// Adds the action and its kind to the object's mask; returns its index.
inline int AddAction(CDrawObj& object, CMethod action) {
  object.m_actionMask |= action.m_nType;
  return object.m_actions.Add(action);
}

inline void AddEvent(CDrawObj& object, DWORD trigger, const char* target, const char* ability, int key = 13) {
  CHPEvent event;
  event.m_nTrigger = trigger;
  event.m_strObject = target;
  event.m_strAbility = ability;
  event.m_nKey = key;
  object.m_triggerMask |= trigger;
  object.m_events.Add(event);
}

inline CPoint CentreOf(const CDrawObj& object) {
  return CPoint((object.m_position.left + object.m_position.right) / 2,
                (object.m_position.top + object.m_position.bottom) / 2);
}
