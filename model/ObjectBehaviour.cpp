#include "model/ObjectBehaviour.h"

#include <atomic>

#include "model/DrawObj.h"

namespace {

class CStillBehaviour final : public CObjectBehaviour {
 public:
  void StepLayer(CDrawObj&, int, CView*) override {}
  void StepShowHide(CDrawObj&, int, CView*) override {}
  void StepPlayMedia(CDrawObj&, int, CView*) override {}
  void StepStopMedia(CDrawObj&, int, CView*) override {}
  void StepExit(CDrawObj&, int, CView*) override {}
  void StepChangePicture(CDrawObj&, int, CView*) override {}
  void StepControlPoint(CDrawObj&, int, CView*) override {}
  void StepSetData(CDrawObj&, int, CView*) override {}
  void StepDisplay(CDrawObj&, int, CView*) override {}
  void StepCartoon(CDrawObj&, int, CView*) override {}
  void StepGif(CDrawObj&, int, CView*) override {}
  void StepEffect(CDrawObj&, int, CView*) override {}
  void StepRunProgram(CDrawObj&, int, CView*) override {}
  void StepPageSwitch(CDrawObj&, int, CView*) override {}
  int StepTranslate(CDrawObj&, int, CView*) override { return 0; }
  void StepRotate(CDrawObj&, int, CView*) override {}
  void AngleHelper(CMethod&) override {}
  int Drive(CDrawObj&, int, int, int, const CString&, CDrawObj*, CDrawObj*) override { return 0; }
  int DrawEffect(CDrawObj& object, CDC* dc, CView* view) override { return object.DrawObject(dc, view); }
  int GetEffectLength(const CDrawObj&, int, int, int, int) override { return 0; }
};

CStillBehaviour g_still;
std::atomic<CObjectBehaviour*> g_installed{nullptr};

}  // namespace

CObjectBehaviour& GetObjectBehaviour() {
  CObjectBehaviour* installed = g_installed.load(std::memory_order_acquire);
  return installed ? *installed : g_still;
}

void SetObjectBehaviour(CObjectBehaviour* behaviour) { g_installed.store(behaviour, std::memory_order_release); }
