// What a drawing object keeps of a run: its owner, the bracket of saved state around a
// run, the trajectories and rotation centres it resolves, the snapshot of visibility and
// layer, the area its effects work in, the total play time and the reset of a property
// group. What it does while playing is its behaviour (model/ObjectBehaviour.h).
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "framework/core/MessageBox.h"
#include "graphics/ImageHelpers.h"
#include "model/DrawCompObj.h"
#include "model/DrawHost.h"
#include "model/DrawJoinObj.h"
#include "model/DrawObj.h"
#include "model/RectCentre.h"
#include "resources/ModelStrings.h"

CDrawObj* CDrawObj::GetOwner() const {
  if (m_ownerComposite) return static_cast<CDrawObj*>(m_ownerComposite);
  if (m_ownerGlue) return static_cast<CDrawObj*>(m_ownerGlue);
  return nullptr;
}

CDrawObj* CDrawObj::GetMemberOwner() const { return IsMember() ? GetOwner() : nullptr; }


// ---- the run bracket ---------------------------------------------------------------------

namespace {

int AbsoluteExtent(int from, int to) {
  return static_cast<int>(std::min<long long>(std::llabs(static_cast<long long>(to) - from), INT_MAX));
}

CSize OrbitSize(const CRect& r) { return CSize(AbsoluteExtent(r.left, r.right), AbsoluteExtent(r.top, r.bottom)); }

}  // namespace

void CDrawObj::SavePlayState(CView* view, CDrawObj* owner) {
  PlayState& s = m_playState;
  s.saved = TRUE;
  s.savedRect = m_savedRect;
  s.baseRect = m_baseRect;
  s.rotationCentre = m_rotationCentre;
  m_savedRect = m_position;
  m_savedAngle = m_angle;
  m_savedVisible = m_visible;
  m_savedLayer = m_layer;
  s.flags = m_flags;
  s.size = OrbitSize(m_position);
  s.transformCentre = m_transformCentre;
  s.scale = m_scale;
  m_effectProgress = 0;

  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CMethod& action = m_actions[i];
    action.m_nSavedActivation = action.m_nActivation;
    CMethod::RunSnapshot& snapshot = action.m_runSnapshot;
    snapshot.pathIndex = action.m_nPathIndex;
    snapshot.centre = action.m_ptCentre;
    snapshot.rotateFrames = action.m_nRotateFrames;
    snapshot.rotateCorrection = action.m_dRotateCorrection;
    snapshot.source = action.m_strSource;
    action.m_bTracing = 0;
    ResolvePaths(view, &action, owner, TRUE);
  }

  s.dataValue = m_dataValue;
  s.dataWord1 = m_dataWord1;
  s.dataWord2 = m_dataWord2;
  s.firstOperand = m_firstOperand;
  s.framePeriod = m_framePeriod;
  m_savedText2 = m_text2;
  m_savedText3 = m_text3;
}

void CDrawObj::RestorePlayState(CView* view) {
  PlayState& s = m_playState;
  // Once per run: a failed page jump stops the objects twice, and a second restore would
  // take the object to the rectangle the file held before the run.
  if (!s.saved) return;
  s.saved = FALSE;
  m_visible = m_savedVisible;
  m_angle = m_savedAngle;
  m_layer = m_savedLayer;
  m_flags = s.flags;
  m_text2 = m_savedText2;
  m_text3 = m_savedText3;
  m_dataValue = s.dataValue;
  m_dataWord1 = s.dataWord1;
  m_dataWord2 = s.dataWord2;
  m_firstOperand = s.firstOperand;
  m_framePeriod = s.framePeriod;
  m_transformCentre = s.transformCentre;
  m_scale = s.scale;
  SetRect(m_savedRect, view);
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CMethod& action = m_actions[i];
    action.m_nActivation = action.m_nSavedActivation;  // event-driven actions sleep again
    const CMethod::RunSnapshot& snapshot = action.m_runSnapshot;
    action.m_nPathIndex = snapshot.pathIndex;
    action.m_ptCentre = snapshot.centre;
    action.m_nRotateFrames = snapshot.rotateFrames;
    action.m_dRotateCorrection = snapshot.rotateCorrection;
    action.m_strSource = snapshot.source;
    action.m_bTracing = 0;
  }
  if (m_buttonised) SetButtonState(0);
  m_savedRect = s.savedRect;
  m_baseRect = s.baseRect;
  m_rotationCentre = s.rotationCentre;
}

void CDrawObj::ResolvePaths(CView* view, CMethod* action, CDrawObj* owner, BOOL report) {
  CDrawHost* host = GetDrawHost();
  auto find = [&](const CString& name, int filter) -> CDrawObj* {
    if (owner) return owner->FindMember(name, filter);
    return host ? host->FindObjectByName(name, filter) : nullptr;
  };
  // Translations and control-point motions walk the points of their trajectory.
  for (DWORD kind : {CMethod::typeTranslate, CMethod::typeControlPoint}) {
    if (!(m_actionMask & kind) || !(action->m_nType & kind)) continue;
    CDrawObj* trajectory = find(action->m_strPath, 1);
    if (!trajectory) {
      if (report) {
        CString text;
        if (owner)
          text.Format(IDS_PATH_MISSING_IN_OWNER, owner->m_name.GetString(), m_name.GetString(),
                      action->m_strPath.GetString(), action->m_strPath.GetString());
        else
          text.Format(IDS_PATH_MISSING, m_name.GetString(), action->m_strPath.GetString(),
                      action->m_strPath.GetString());
        AfxMessageBox(text, MB_ICONERROR);
      }
      if (host) host->SetTargetMissing();
      return;
    }
    // The points of this run only: a trajectory that gives none leaves no old ones.
    action->m_path.RemoveAll();
    trajectory->GetPathPoints(action->m_nSpeed, action, 0);
  }
  if ((m_actionMask & CMethod::typeRotate) && (action->m_nType & CMethod::typeRotate)) {
    if (CDrawObj* centre = find(action->m_strCentre, 0)) {
      action->m_ptCentre = RectCentre::Integer(centre->m_position);
      SetupOrbit(action->m_ptCentre.x, action->m_ptCentre.y);
    } else {
      action->m_ptCentre = RectCentre::Integer(m_position);
      ResetRotation();
    }
  }
}

int CDrawObj::GetTotalTime() {
  long long longest = 0;
  bool any = false;
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    const CMethod& action = m_actions[i];
    if (action.m_nActivation < 0) continue;
    const long long end = static_cast<long long>(action.m_nStart) + action.m_nDuration + action.m_nExtraTime;
    longest = any ? std::max(longest, end) : end;
    any = true;
  }
  if (!any) return 1;
  return static_cast<int>(std::clamp<long long>(longest + 1, INT_MIN, INT_MAX));
}

// ---- rotation centres and orbits ----------------------------------------------------------

void CDrawObj::ResolveRotationCentres(CView*, CDrawObj* owner) {
  CDrawHost* host = GetDrawHost();
  for (int i = 0; i < m_actions.GetSize(); ++i) {
    CMethod& action = m_actions[i];
    if (action.m_nType != CMethod::typeRotate) continue;
    CDrawObj* centre = owner ? owner->FindMember(action.m_strCentre, 0)
                             : host ? host->FindObjectByName(action.m_strCentre, 0) : nullptr;
    action.m_ptCentre = RectCentre::Integer(centre ? centre->m_position : m_position);
  }
}

CDoublePoint CDrawObj::RotateHelper(CView*, const CString& name) {
  CDrawObj* centre = nullptr;
  if (CDrawObj* owner = GetOwner())
    centre = owner->FindMember(name, 0);
  else if (CDrawHost* host = GetDrawHost())
    centre = host->FindObjectByName(name, 0);
  if (!centre) return RectCentre::Exact(m_position);
  const CPoint p = RectCentre::Integer(centre->m_position);
  return CDoublePoint(p.x, p.y);
}

double CDrawObj::Distance(double x, double y) {
  const CDoublePoint o = RectCentre::Exact(m_position);
  return std::sqrt((x - o.x) * (x - o.x) + (y - o.y) * (y - o.y));
}

void CDrawObj::ResetRotation() {
  m_rotationCentre = RectCentre::Exact(m_position);
  m_rotationState.orbitRadius = 0.0;
  m_rotationState.orbitAngle = 0.0;
  m_rotationState.startOrbitAngle = 0.0;
  m_rotationState.orbitSize = OrbitSize(m_position);
}

void CDrawObj::SetupOrbit(double x, double y) {
  const CDoublePoint o = RectCentre::Exact(m_position);
  m_rotationCentre = CDoublePoint(x, y);
  m_rotationState.orbitRadius = Distance(x, y);
  m_rotationState.orbitAngle = m_rotationState.startOrbitAngle = std::atan2(o.y - y, x - o.x);
  m_rotationState.orbitSize = OrbitSize(m_position);
}

// ---- the snapshot of visibility and layer --------------------------------------------------

void CDrawObj::SaveVisibilityLayer() {
  m_savedVisible = m_visible;
  m_savedLayer = m_layer;
}

void CDrawObj::RevertVisibilityLayer() {
  RestoreVisibilityLayer();
  Invalidate();
}

void CDrawObj::RestoreVisibilityLayer() {
  m_visible = m_savedVisible;
  m_layer = m_savedLayer;
}

// ---- effects ---------------------------------------------------------------------------------

void CDrawObj::SetEffectParams(int kind, int direction, int step, int rop, int delay) {
  m_effectKind = kind;
  m_effectDirection = direction;
  m_effectStep = step;
  m_effectRop = rop;
  m_framePeriod = delay;
  Invalidate();
}

CRect CDrawObj::GetEffectRect() const {
  POINT corners[4] = {{m_position.left, m_position.top},
                      {m_position.right, m_position.top},
                      {m_position.right, m_position.bottom},
                      {m_position.left, m_position.bottom}};
  // Turned as the object is drawn and its handles are placed: by minus its angle.
  if (std::isfinite(m_angle) && m_angle != 0.0)
    RotatePointsAbout(-m_angle, m_rotationCentre.x, m_rotationCentre.y, corners, 4);
  long long left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const POINT& p : corners) {
    left = std::min<long long>(left, p.x);
    right = std::max<long long>(right, p.x);
    top = std::min<long long>(top, p.y);
    bottom = std::max<long long>(bottom, p.y);
  }
  // A pen narrower than nothing (only a file can hold one) must not cut into the object.
  const long long pen = std::max<long long>(m_pen.lopnWidth.x, 0);
  auto coord = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
  return CRect(coord(left - pen), coord(top - pen), coord(right + pen), coord(bottom + pen));
}

// ---- property groups -----------------------------------------------------------------------

void CDrawObj::ResetPropertyPage(int group, CView* view) {
  switch (group) {
    case 0:
      m_angle = 0.0;
      SetRect(m_position, view);
      m_baseRect = m_position;
      m_captionColour = 0;
      m_auxColour = 0xFFFFFF;
      m_visible = 1;
      m_closed = 0;
      m_outlined = 1;
      m_pen = {PS_INSIDEFRAME, {1, 1}, 0};
      m_brush = {BS_SOLID, 0xC0C0C0, 0};
      m_reservedAfterBrush = 0;
      m_trajectory = 0;
      m_deleted = 0;
      m_caption.Empty();
      m_buttonState = 0;
      m_buttonEnable = 1;
      m_buttonised = 0;
      break;
    case 1:
      m_actionMask = 0;
      m_actions.RemoveAll();
      // Only the effect bit: the membership bits and the owners tie a member to its
      // composite or glued object, which resetting its actions must not undo.
      m_flags &= ~kFlagEffectRunning;
      m_effectProgress = 0;
      m_effectStep = 1;
      m_selectedAction = -1;
      break;
    case 2:
      m_selectedEvent = -1;
      m_triggerMask = 0;
      m_events.RemoveAll();
      break;
    default:
      break;
  }
  CDrawHost* host = GetDrawHost();
  if (view && host) {
    host->InvalidateView();
    host->SelectObject(nullptr, FALSE);
    host->SelectObject(this, FALSE);
    host->SetPageModified();
  } else {
    Invalidate();
  }
}
