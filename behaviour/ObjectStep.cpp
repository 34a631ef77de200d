// The playback step of a drawing object: the dispatch of one frame to the step of each
// action kind the object carries, the bracket of saved state around a run, the total
// play time and the reset of a property group.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "behaviour/RectCentre.h"
#include "framework/core/MessageBox.h"
#include "model/DrawCompObj.h"
#include "model/DrawHost.h"
#include "model/DrawJoinObj.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

CDrawObj* CDrawObj::GetOwner() const {
  if (m_ownerComposite) return static_cast<CDrawObj*>(m_ownerComposite);
  if (m_ownerGlue) return static_cast<CDrawObj*>(m_ownerGlue);
  return nullptr;
}

CDrawObj* CDrawObj::GetMemberOwner() const { return IsMember() ? GetOwner() : nullptr; }

void CDrawObj::Step(int t, CView* view) {
  if (IsSuspended()) return;
  // Exit first, the page switch last: everything else of this frame has run before the
  // page is replaced. The kinds without behaviour keep their slots.
  const DWORD mask = m_actionMask;
  if (mask & CMethod::typeExit) StepExit(t, view);
  if (mask & CMethod::typeRunProgram) StepRunProgram(t, view);
  if (mask & CMethod::typeLayer) StepLayer(t, view);
  if ((mask & CMethod::typeTranslate) && StepTranslate(t, view)) {
    // The rotation centres named by this object's rotations come along with it.
    if (!IsMember())
      ResolveRotationCentres(view, nullptr);
    else if (CDrawObj* owner = GetMemberOwner())
      ResolveRotationCentres(view, owner);
  }
  if (mask & CMethod::typeRotate) StepRotate(t, view);
  if (mask & CMethod::typeShowHide) StepShowHide(t, view);
  if (mask & 0x80000) StepUnused(t, view);
  if (mask & CMethod::typeStopMedia) StepStopMedia(t, view);
  if (mask & CMethod::typePlayMedia) StepPlayMedia(t, view);
  if (mask & CMethod::typeEffect) StepEffect(t, view);
  if (mask & CMethod::typeControlPoint) StepControlPoint(t, view);
  if (mask & 0x2000) StepUnused(t, view);
  if (mask & CMethod::typeChangePicture) StepChangePicture(t, view);
  if (mask & CMethod::typeGif) StepGif(t, view);
  if (mask & CMethod::typeCalculate) StepDisplay(t, view);
  if (mask & CMethod::typeSetData) StepSetData(t, view);
  if (mask & CMethod::typeDisplay) StepUnused(t, view);
  if (mask & CMethod::typeCartoon) StepCartoon(t, view);
  if (mask & CMethod::typePageSwitch) StepPageSwitch(t, view);  // may end this object's page: nothing after it
}

void CDrawObj::StepUnused(int, CView*) {}

// ---- the run bracket ---------------------------------------------------------------------

namespace {

int AbsoluteExtent(int from, int to) {
  return static_cast<int>(std::min<long long>(std::llabs(static_cast<long long>(to) - from), INT_MAX));
}

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
  s.size = CSize(AbsoluteExtent(m_position.left, m_position.right), AbsoluteExtent(m_position.top, m_position.bottom));
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
