// The OLE drop target: registration, and the drag handed on to the view it serves.
#include <gtest/gtest.h>

#include <ole2.h>

#include <string>
#include <vector>

#include "framework/ui/OleDataObject.h"
#include "framework/ui/OleDropTarget.h"
#include "framework/ui/View.h"

namespace {

class DropView : public CView {
 public:
  void OnDraw(CDC*) override {}
  DWORD OnDragEnter(COleDataObject* data, DWORD keys, CPoint point) override {
    calls.push_back("enter");
    lastPoint = point;
    sawData = data && data->GetIDataObject() != nullptr;
    return DROPEFFECT_COPY | DROPEFFECT_LINK;
  }
  DWORD OnDragOver(COleDataObject*, DWORD, CPoint point) override {
    calls.push_back("over");
    lastPoint = point;
    return answer;
  }
  void OnDragLeave() override { calls.push_back("leave"); }
  BOOL OnDrop(COleDataObject*, DWORD effect, CPoint point) override {
    calls.push_back("drop " + std::to_string(effect));
    lastPoint = point;
    return accept;
  }
  void PostNcDestroy() override {}  // a test's object, not deleted with its window

  std::vector<std::string> calls;
  CPoint lastPoint;
  bool sawData = false;
  DWORD answer = DROPEFFECT_COPY;
  BOOL accept = TRUE;
};

// A data object offering nothing: the target only passes it on.
class EmptyData : public IDataObject {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  ULONG refs = 1;
};

class OleDropTargetTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "drop", WS_POPUP, 100, 100, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 1));
  }
  void TearDown() override {
    target.Revoke();
    view.DestroyWindow();
    parent.DestroyWindow();
    ::OleUninitialize();
  }
  POINTL ScreenPoint(int x, int y) {
    POINT p = {x, y};
    view.ClientToScreen(&p);
    return POINTL{p.x, p.y};
  }

  CWnd parent;
  DropView view;
  COleDropTarget target;
};

}  // namespace

TEST_F(OleDropTargetTest, RegistersOnceAndRevokes) {
  ASSERT_TRUE(target.Register(&view));
  EXPECT_EQ(target.GetWindow(), view.m_hWnd);
  EXPECT_EQ(::RegisterDragDrop(view.m_hWnd, target.GetInterface()), DRAGDROP_E_ALREADYREGISTERED);
  target.Revoke();
  EXPECT_EQ(::RevokeDragDrop(view.m_hWnd), DRAGDROP_E_NOTREGISTERED);
}

TEST_F(OleDropTargetTest, HandsTheDragToTheViewInClientCoordinates) {
  ASSERT_TRUE(target.Register(&view));
  IDropTarget* drop = target.GetInterface();
  EmptyData data;
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(drop->DragEnter(&data, MK_LBUTTON, ScreenPoint(10, 20), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));  // only what the source offers
  EXPECT_EQ(view.lastPoint, CPoint(10, 20));
  EXPECT_TRUE(view.sawData);
  EXPECT_EQ(data.refs, 2u);  // held while over the window

  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(drop->DragOver(MK_LBUTTON, ScreenPoint(30, 40), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

  effect = DROPEFFECT_COPY;
  EXPECT_EQ(drop->Drop(&data, 0, ScreenPoint(50, 60), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(view.lastPoint, CPoint(50, 60));
  EXPECT_EQ(view.calls, (std::vector<std::string>{"enter", "over", "over", "drop 1"}));
  EXPECT_EQ(data.refs, 1u);  // let go after the drop
}

TEST_F(OleDropTargetTest, ARefusedDropLeavesAndReportsNoEffect) {
  ASSERT_TRUE(target.Register(&view));
  IDropTarget* drop = target.GetInterface();
  EmptyData data;
  view.accept = FALSE;
  DWORD effect = DROPEFFECT_COPY;
  drop->DragEnter(&data, 0, ScreenPoint(1, 1), &effect);
  effect = DROPEFFECT_COPY;
  drop->Drop(&data, 0, ScreenPoint(1, 1), &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  drop->DragEnter(&data, 0, ScreenPoint(1, 1), &effect);
  drop->DragLeave();
  EXPECT_EQ(view.calls, (std::vector<std::string>{"enter", "over", "drop 1", "leave", "enter", "leave"}));
  EXPECT_EQ(data.refs, 1u);
}
