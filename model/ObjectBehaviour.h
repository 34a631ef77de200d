// CObjectBehaviour: what a drawing object does while its page plays, beyond keeping its
// own state: the steps of its actions, the triggers its events serve, its motion and its
// effects. The model owns this interface and CDrawObj's operations of those names forward
// to it, so that the model links without the code that plays; the behaviour library
// provides the implementation, which every program that plays pages installs once at
// start-up. Until one is installed objects stand still, serve no trigger and draw their
// effects plainly.
#pragma once

#include <windows.h>

#include "framework/core/String.h"

class CDC;
class CView;
class CDrawObj;
class CMethod;

class CObjectBehaviour {
 public:
  virtual ~CObjectBehaviour() = default;

  // The steps of one kind of action at frame tick t (see CDrawObj::Step for their order).
  virtual void StepLayer(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepShowHide(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepPlayMedia(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepStopMedia(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepExit(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepChangePicture(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepControlPoint(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepSetData(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepDisplay(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepCartoon(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepGif(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepEffect(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepRunProgram(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepPageSwitch(CDrawObj& object, int t, CView* view) = 0;
  // Non-zero when a translation moved the object.
  virtual int StepTranslate(CDrawObj& object, int t, CView* view) = 0;
  virtual void StepRotate(CDrawObj& object, int t, CView* view) = 0;
  // The rotation's correction per frame from its angles, speed and frame count.
  virtual void AngleHelper(CMethod& action) = 0;

  // Serves the trigger of that index (CDrawObj::Drive's order) on the object: its events
  // arm the abilities they name. second and third are the dropped object and the drop
  // target of a drop. 0 when nothing was served or a name was missing.
  virtual int Drive(CDrawObj& object, int index, int tick, int key, const CString& text, CDrawObj* second,
                    CDrawObj* third) = 0;

  // Draws the running effect's next frame; the plain object when no effect can be drawn.
  virtual int DrawEffect(CDrawObj& object, CDC* dc, CView* view) = 0;
  // Ticks an effect of that kind, direction, delay and step lasts on the object.
  virtual int GetEffectLength(const CDrawObj& object, int kind, int direction, int delay, int step) = 0;
};

// The installed behaviour, or the one that does nothing.
CObjectBehaviour& GetObjectBehaviour();
// Installs the behaviour for every page of the process (null: the one that does
// nothing). Install before a second thread plays pages.
void SetObjectBehaviour(CObjectBehaviour* behaviour);
