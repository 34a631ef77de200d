// The discrete actions of a drawing object that act on the page itself: change layer,
// show or hide, play and stop media, exit, change picture, control-point motion, set
// data, calculate, cartoon and animated pictures. Running programs and switching pages
// reach outside the page and live in ObjectOutsideActions.cpp.
#include <algorithm>

#include "behaviour/ActionWindow.h"
#include "behaviour/ChoosePathPoint.h"
#include "behaviour/DataTextSource.h"
#include "behaviour/MediaPlayback.h"
#include "behaviour/MemberOrder.h"
#include "model/DrawCompObj.h"
#include "model/DrawHost.h"
#include "model/DrawJoinObj.h"
#include "model/DrawObj.h"

namespace {

bool IsDue(const CMethod& action, DWORD kind, int t) {
  return action.m_nType == kind && ActionWindow::Contains(action, t);
}

template <class Owner>
CMemberOrder* MemberOrderOf(Owner* owner) {
  return owner ? static_cast<CMemberOrder*>(owner) : nullptr;
}

bool IsKindOfNamed(const CDrawObj& object, const char* className) {
  const CRuntimeClass* cls = CRuntimeClass::FromName(className);
  return cls && object.IsKindOf(cls);
}

// The text a set-data action takes from its source: a text object's shown text, a
// rectangle's (rounded rectangle's, ellipse's) caption; other kinds give none.
bool GetDataText(CDrawObj& source, CString& text) {
  if (CDataTextSource* textSource = dynamic_cast<CDataTextSource*>(&source)) {
    text = textSource->GetDataText();
    return true;
  }
  if (IsKindOfNamed(source, "CDrawRect")) {
    text = source.m_caption;
    return true;
  }
  return false;
}

// Moves past either end change nothing, so a count read from a file never needs more
// moves than the list has places.
int MoveCount(int steps, int places) {
  const long long wanted = steps < 0 ? -static_cast<long long>(steps) : steps;
  return static_cast<int>(std::min<long long>(wanted, std::max(places, 0)));
}

}  // namespace

void CDrawObj::StepLayer(int t, CView*) {
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    if (!IsDue(m_actions[i], CMethod::typeLayer, t)) continue;
    const int steps = m_actions[i].m_nLayerSteps;
    if (steps == 0) continue;
    const bool backward = steps < 0;
    if (IsMember()) {
      // A member moves among its owners' members, in each owner it has.
      CMemberOrder* composite = MemberOrderOf(m_ownerComposite);
      CMemberOrder* glue = MemberOrderOf(m_ownerGlue);
      for (CMemberOrder* owner : {composite, glue}) {
        if (!owner) continue;
        for (int n = MoveCount(steps, owner->GetMemberCount()); n > 0; --n) {
          if (backward)
            owner->MoveMemberBackward(this);
          else
            owner->MoveMemberForward(this);
        }
      }
      continue;
    }
    CDrawHost* host = GetDrawHost();
    if (!host) return;
    // The page is walked from a copy of its list, so reordering it here skips or
    // repeats no object of this tick.
    for (int n = MoveCount(steps, host->GetPageObjectCount()); n > 0; --n) {
      host->SelectObject(this, FALSE);
      if (backward)
        host->MoveSelectedBackward();
      else
        host->MoveSelectedForward();
      host->SelectObject(nullptr, FALSE);
    }
  }
}

void CDrawObj::StepShowHide(int t, CView*) {
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    if (!IsDue(m_actions[i], CMethod::typeShowHide, t)) continue;
    m_visible = m_actions[i].m_nValue;
    Invalidate();
  }
}

void CDrawObj::StepPlayMedia(int t, CView*) {
  CMediaPlayback* media = dynamic_cast<CMediaPlayback*>(this);
  if (!media) return;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (!IsDue(action, CMethod::typePlayMedia, t)) continue;
    const long long b = ActionWindow::Begin(action);
    const long long frame = t;
    const long long end = b + action.m_nDuration;
    if (frame == b + 1) media->PlayMedia(action.m_bLoop);
    if (action.m_bLoop && frame > b && frame < end) {
      // Restarts on multiples of the pass length counted from the run's start.
      const long long ticks = media->GetPlayTicks();
      if (ticks != 0 && frame % ticks == 0) media->RestartMedia();
    }
    if (frame == end) media->StopMedia(TRUE);
  }
}

void CDrawObj::StepStopMedia(int t, CView*) {
  CMediaPlayback* media = dynamic_cast<CMediaPlayback*>(this);
  if (!media) return;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    if (IsDue(m_actions[i], CMethod::typeStopMedia, t)) media->StopMedia(m_actions[i].m_nValue);
  }
}

void CDrawObj::StepExit(int t, CView*) {
  CDrawHost* host = GetDrawHost();
  if (!host) return;
  // Posted: the run ends when the command is handled, after this tick's walk.
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    if (IsDue(m_actions[i], CMethod::typeExit, t)) host->PostExitCommand();
  }
}

void CDrawObj::StepChangePicture(int t, CView*) {
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    if (!IsDue(m_actions[i], CMethod::typeChangePicture, t)) continue;
    const CString picture = m_actions[i].m_strPicture;
    SetPictureFile(picture);
  }
}

void CDrawObj::StepControlPoint(int t, CView* view) {
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CMethod& action = m_actions[i];
    if (!IsDue(action, CMethod::typeControlPoint, t)) continue;
    const int n = action.m_path.GetSize();
    if (n < 1) continue;
    const long long k = t - ActionWindow::Begin(action);
    const bool loop = action.m_bLoop != 0;
    const bool twoWay = action.m_bTwoWay != 0;
    // Without a loop the motion ends after one pass (out and back for two-way).
    if (!loop && k >= (twoWay ? 2LL * n : n)) continue;
    const PathPointChoice choice = ChoosePathPoint(loop, twoWay, n, action.m_nPathIndex, k, false);
    if (choice.point < 0) continue;
    if (t == ActionWindow::End(action)) action.m_nPathIndex = choice.point;
    const CPoint p = action.m_path[choice.point];
    MoveHandleTo(action.m_nControlPoint, p.x, p.y, view);
  }
}

void CDrawObj::StepSetData(int t, CView*) {
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    if (!IsDue(m_actions[i], CMethod::typeSetData, t)) continue;
    CDrawHost* host = GetDrawHost();
    CDrawObj* source = host ? host->FindObjectByName(m_actions[i].m_strSource, 0) : nullptr;
    CString text;
    if (!source || !GetDataText(*source, text)) continue;  // no data, no message
    const CMethod& action = m_actions[i];
    // Only text objects and function plots take data; for the others this does nothing.
    ApplySetDataAction(action.m_nIndex, action.m_nSetType, action.m_strExpression, text);
  }
}

void CDrawObj::StepDisplay(int t, CView*) {
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (!IsDue(action, CMethod::typeCalculate, t)) continue;
    // Only text objects calculate; for the others this does nothing.
    ApplyDisplayAction(action.m_strExpression, action.m_strSource, action.m_nIndex, action.m_nMode, action.m_nValue);
  }
}

void CDrawObj::StepCartoon(int t, CView*) {
  CMemberOrder* members = dynamic_cast<CMemberOrder*>(this);
  if (!members) return;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (!IsDue(action, CMethod::typeCartoon, t)) continue;
    if (!action.m_bLoop || action.m_nInterval == 0) continue;
    const long long interval = action.m_nInterval;
    const long long frame = t;
    // Without loop display the cartoon shows each member once.
    if (!action.m_bRotateLoop && frame >= ActionWindow::Begin(action) + members->GetMemberCount() * interval)
      continue;
    const int v = frame % interval == 0 ? action.m_nInterval : -1;
    SetCartoonFrame(action.m_bLoop, action.m_bRotateLoop, v);
  }
}

void CDrawObj::StepGif(int t, CView*) {
  // Only animated pictures have frames and a delay between them.
  const long long delay = m_framePeriod;
  if (delay == 0 || m_frameCount < 2) return;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (!IsDue(action, CMethod::typeGif, t) || !action.m_bGifPlay) continue;
    if (t % delay == 0) StepGifFrame();
  }
}
