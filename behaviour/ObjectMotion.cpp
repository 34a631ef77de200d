// Motion along trajectories and rotation: the translation and rotation steps of a
// drawing object and the correction of a rotation's last frame.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "behaviour/ActionWindow.h"
#include "behaviour/ChoosePathPoint.h"
#include "behaviour/RotationTables.h"
#include "behaviour/StandardBehaviour.h"
#include "framework/core/MessageBox.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/DrawPoly.h"
#include "model/RectCentre.h"
#include "resources/ModelStrings.h"

namespace {

// The recorded centre track of a rotation stops growing here.
constexpr int kMaxRecordedPoints = 10000;

bool IsActiveMotion(const CMethod& action, DWORD kind, int t) {
  return action.m_nType == kind && ActionWindow::Contains(action, t);
}

// Polygons and curves, and any class derived from them, turn by relative steps only.
bool IsPolygon(const CDrawObj& object) { return object.IsKindOf(RUNTIME_CLASS(CDrawPoly)) != FALSE; }

}  // namespace

int CStandardBehaviour::StepTranslate(CDrawObj& object, int t, CView* view) {
  int moved = 0;
  for (int i = 0; i < object.m_actions.GetSize(); ++i) {
    CMethod& action = object.m_actions[i];
    if (!IsActiveMotion(action, CMethod::typeTranslate, t)) continue;
    if (action.m_bPathTrace) action.m_bTracing = 1;
    const int n = action.m_path.GetSize();
    if (n <= 0) continue;
    const long long b = ActionWindow::Begin(action);
    const PathPointChoice choice =
        ChoosePathPoint(action.m_bLoop != 0, action.m_bTwoWay != 0, n, action.m_nPathIndex, t - b,
                        t == ActionWindow::End(action));
    CRect rect = object.m_position;
    if (choice.point >= 0) {
      // The centre lands on the point.
      const CPoint p = action.m_path[choice.point];
      const CPoint c = RectCentre::Integer(object.m_position);
      rect.OffsetRect(p.x - c.x, p.y - c.y);
    }
    object.SetRect(rect, view);
    if (choice.keepIndex) action.m_nPathIndex = choice.keptIndex;
    moved = 1;
  }
  return moved;
}

void CStandardBehaviour::StepRotate(CDrawObj& object, int t, CView* view) {
  CDrawHost* host = GetDrawHost();
  for (int i = 0; i < object.m_actions.GetSize(); ++i) {
    CMethod& action = object.m_actions[i];
    if (!IsActiveMotion(action, CMethod::typeRotate, t)) continue;
    const long long k = t - ActionWindow::Begin(action);
    const bool aboutCentre = !action.m_strCentre.IsEmpty();
    const long long sweep = RotationTables::Sweep(action.m_nStartAngle, action.m_nEndAngle, action.m_nStep);

    if (k == 0) {
      if (aboutCentre) {
        CDrawObj* owner = object.GetMemberOwner();
        CDrawObj* centre = owner ? owner->FindMember(action.m_strCentre, 0)
                                 : host ? host->FindObjectByName(action.m_strCentre, 0) : nullptr;
        if (!centre) {
          CString text;
          if (!owner)
            text.Format(IDS_CENTRE_MISSING, object.m_name.GetString(), action.m_strCentre.GetString());
          else
            text.Format(object.m_ownerComposite ? IDS_CENTRE_MISSING_IN_COMPOSITE : IDS_CENTRE_MISSING_IN_GLUE,
                        owner->m_name.GetString(), object.m_name.GetString(), action.m_strCentre.GetString());
          AfxMessageBox(text, MB_ICONSTOP);
          if (host) host->PostExitCommand();
          return;
        }
      }
      // Each activation records its own track: k restarts at 0.
      action.m_path.RemoveAll();
      if (aboutCentre) {
        const CDoublePoint c = object.RotateHelper(view, action.m_strCentre);
        object.SetupOrbit(c.x, c.y);
        object.m_rotationState.orbitRadius = object.Distance(c.x, c.y);
        if (action.m_nStartAngle == -1) {
          const CDoublePoint o = RectCentre::Exact(object.m_position);
          object.m_rotationState.orbitAngle = std::atan2(o.y - c.y, c.x - o.x);
        }
      } else {
        object.ResetRotation();
      }
      action.m_nRotateFrames = RotationTables::FrameCount(sweep, action.m_nStep);
    }
    if (action.m_bPathTrace) action.m_bTracing = 1;

    RotationInput in;
    in.loop = action.m_bRotateLoop != 0;
    in.twoWay = action.m_bRotateTwoWay != 0;
    in.polygon = IsPolygon(object);
    in.start = action.m_nStartAngle;
    in.end = action.m_nEndAngle;
    in.speed = action.m_nStep;
    in.frames = action.m_nRotateFrames;
    if (!RotationTables::IsActive(in, k)) continue;

    const RotationChange change = RotationTables::Change(in, k);
    if (change.kind != RotationChange::none) {
      double angle = change.value;
      if (change.correctionSign != 0.0) {
        object.AngleHelper(&action);
        const double p = action.m_nStep > 0 ? action.m_dRotateCorrection : -action.m_dRotateCorrection;
        angle += change.correctionSign * p;
      }
      const BOOL relative = change.kind == RotationChange::relative;
      if (!aboutCentre) {
        object.SetAngle(angle, relative, view);
      } else {
        // Looked up on every frame, so that a moving centre is followed.
        const CDoublePoint c = object.RotateHelper(view, action.m_strCentre);
        object.SetAngleRect(angle, c.x, c.y, relative, view);
      }
    }
    if (!(in.loop && in.twoWay) && action.m_path.GetSize() < kMaxRecordedPoints) {
      action.m_path.Add(RectCentre::Integer(object.m_position));
      action.m_nPathIndex = static_cast<int>(std::min<long long>(k, INT_MAX));
    }
  }
}

void CStandardBehaviour::AngleHelper(CMethod& action) {
  const long long sweep = RotationTables::Sweep(action.m_nStartAngle, action.m_nEndAngle, action.m_nStep);
  action.m_dRotateCorrection = RotationTables::Correction(sweep, action.m_nStep, action.m_nRotateFrames);
}

