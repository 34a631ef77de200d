// CStandardBehaviour: how every kind of drawing object plays, the behaviour a program
// installs for its pages (model/ObjectBehaviour.h). Its operations are spread by subject
// over ObjectActions.cpp, ObjectOutsideActions.cpp, ObjectMotion.cpp, ObjectEffect.cpp
// and ObjectDrive.cpp.
#pragma once

#include "model/ObjectBehaviour.h"

class CStandardBehaviour final : public CObjectBehaviour {
 public:
  // Installs the one instance for the process; calling it again changes nothing.
  static void Install();

  void StepLayer(CDrawObj& object, int t, CView* view) override;
  void StepShowHide(CDrawObj& object, int t, CView* view) override;
  void StepPlayMedia(CDrawObj& object, int t, CView* view) override;
  void StepStopMedia(CDrawObj& object, int t, CView* view) override;
  void StepExit(CDrawObj& object, int t, CView* view) override;
  void StepChangePicture(CDrawObj& object, int t, CView* view) override;
  void StepControlPoint(CDrawObj& object, int t, CView* view) override;
  void StepSetData(CDrawObj& object, int t, CView* view) override;
  void StepDisplay(CDrawObj& object, int t, CView* view) override;
  void StepCartoon(CDrawObj& object, int t, CView* view) override;
  void StepGif(CDrawObj& object, int t, CView* view) override;
  void StepEffect(CDrawObj& object, int t, CView* view) override;
  void StepRunProgram(CDrawObj& object, int t, CView* view) override;
  void StepPageSwitch(CDrawObj& object, int t, CView* view) override;
  int StepTranslate(CDrawObj& object, int t, CView* view) override;
  void StepRotate(CDrawObj& object, int t, CView* view) override;
  void AngleHelper(CMethod& action) override;
  int Drive(CDrawObj& object, int index, int tick, int key, const CString& text, CDrawObj* second,
            CDrawObj* third) override;
  int DrawEffect(CDrawObj& object, CDC* dc, CView* view) override;
  int GetEffectLength(const CDrawObj& object, int kind, int direction, int delay, int step) override;
};
