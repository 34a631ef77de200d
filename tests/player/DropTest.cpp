// Page objects dropped on the playing view from other programs ("Object Kordel" data):
// the object at the drag's start moves by the drag, and its drop events arm the
// abilities of the object it lands on.
#include <gtest/gtest.h>

#include "framework/ui/OleDataObject.h"
#include "framework/ui/OleDataSource.h"
#include "model/PageClipFormats.h"
#include "tests/player/PlayerFixture.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ProgramProcess.h"

using namespace playertest;

namespace {

struct DropData {
  explicit DropData(HGLOBAL block) {
    auto* source = new COleDataSource;
    if (block) source->CacheGlobalData(GetPageClipFormats().objectKordel, block);
    data.Attach(source->GetInterface(), TRUE);
  }
  COleDataObject data;
};

HGLOBAL ShortBlock() {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  return block;
}

// A page with a red square "moved" that drives "target"'s ability "hide" when dropped on
// it, and the blue square "target" to the right.
std::string DropPage(const char* drivenObject, const char* ability) {
  return PageBytes(RGB(255, 255, 255), [=](CDrawDoc& page) {
    CDrawRect* moved = FilledRect("moved", CRect(-150, 20, -110, -20), RGB(220, 0, 0));
    AddEvent(*moved, 1u << 12, drivenObject, ability);
    CDrawRect* target = FilledRect("target", CRect(60, 40, 140, -40), RGB(0, 0, 220));
    CMethod hide = MakeAction(CMethod::typeShowHide, "hide", 0, 1, -1);
    hide.m_nByEvent = 1;
    hide.m_nValue = 0;
    AddAction(*target, hide);
    page.m_objects.AddTail(moved);
    page.m_objects.AddTail(target);
  });
}

}  // namespace

class PlayerDropTest : public PlayerTest {
 protected:
  CDrawObj* Named(const char* name) { return view->FindObjectByName(name, 0); }
  CPoint Client(CPoint page) { return view->PageToClient(page); }
};

TEST_F(PlayerDropTest, OnlyObjectDataLongEnoughForItsPointIsTaken) {
  Open({{"home", DropPage("target", "hide")}});
  CDrawObj* moved = Named("moved");
  const CRect start = moved->m_position;
  DropData shortData(ShortBlock()), none(nullptr);
  for (COleDataObject* data : {&shortData.data, &none.data}) {
    CPoint point(5, 5);
    EXPECT_FALSE(CDrawView::GetDropOffset(data, &point));
    EXPECT_EQ(CPoint(5, 5), point);
    EXPECT_EQ(DROPEFFECT_NONE, view->OnDragOver(data, 0, Client(CPoint(0, 0))));
    EXPECT_FALSE(view->OnDrop(data, DROPEFFECT_MOVE, Client(CPoint(0, 0))));
    EXPECT_EQ(start, moved->m_position);
  }
  DropData good(MakeObjectKordelBlock(CPoint(-130, 0)));
  CPoint point;
  EXPECT_TRUE(CDrawView::GetDropOffset(&good.data, &point));
  EXPECT_EQ(CPoint(-130, 0), point);
  EXPECT_EQ(DROPEFFECT_MOVE, view->OnDragOver(&good.data, 0, Client(CPoint(0, 0))));
}

TEST_F(PlayerDropTest, TheDroppedObjectMovesAndArmsTheAbilityOfTheObjectItLandsOn) {
  Open({{"home", DropPage("target", "hide")}});
  Tick(10);
  CDrawObj* moved = Named("moved");
  CDrawObj* target = Named("target");
  // Dropped where nothing else lies, it moves and drives nothing.
  DropData away(MakeObjectKordelBlock(CPoint(-130, 0)));
  EXPECT_TRUE(view->OnDrop(&away.data, DROPEFFECT_MOVE, Client(CPoint(0, -100))));
  EXPECT_EQ(CRect(-20, -80, 20, -120), moved->m_position);
  EXPECT_EQ(-1, target->m_actions[0].m_nActivation);

  DropData onto(MakeObjectKordelBlock(CPoint(0, -100)));
  EXPECT_TRUE(view->OnDrop(&onto.data, DROPEFFECT_MOVE, Client(CPoint(100, 10))));
  EXPECT_EQ(CRect(80, 30, 120, -10), moved->m_position);
  EXPECT_EQ(10 - 2, target->m_actions[0].m_nActivation);
}

TEST_F(PlayerDropTest, AMissingDrivenObjectOrAbilityIsReported) {
  const struct {
    const char* object;
    const char* ability;
    UINT message;
  } kRows[] = {{"nobody", "hide", IDS_DROP_TARGET_MISSING}, {"target", "nothing", IDS_DROP_ABILITY_MISSING}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.object);
    Open({{"home", DropPage(row.object, row.ability)}});
    MessageBoxCapture boxes;
    DropData data(MakeObjectKordelBlock(CPoint(-130, 0)));
    view->OnDrop(&data.data, DROPEFFECT_MOVE, Client(CPoint(100, 10)));
    ASSERT_EQ(1u, boxes.boxes().size());
    CString expected;
    if (row.message == IDS_DROP_TARGET_MISSING)
      expected.Format(IDS_DROP_TARGET_MISSING, "nobody");
    else
      expected.Format(IDS_DROP_ABILITY_MISSING, "target", "nothing");
    EXPECT_EQ(expected, boxes.boxes()[0].text);
    EXPECT_TRUE(boxes.boxes()[0].flags & MB_ICONSTOP);
    frame->DestroyWindow();
    frame = nullptr;
  }
}

// ---------------------------------------------------------------------------------
// A real OLE drag from this process onto a published player (its own process): these
// runs show the player full screen, so they belong to the end-to-end runs that run alone.

namespace {

// Holds the pointer on a screen point and drops there once the drag has seen it there
// for a few rounds (the drag takes its positions from its messages).
class DropAt : public IDropSource {
 public:
  explicit DropAt(POINT at) : m_at(at) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    ::SetCursorPos(m_at.x, m_at.y);
    POINT now;
    ::GetCursorPos(&now);
    m_settled = now.x == m_at.x && now.y == m_at.y ? m_settled + 1 : 0;
    return m_settled >= 3 || ++m_rounds > 200 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  POINT m_at;
  int m_settled = 0;
  int m_rounds = 0;
};

}  // namespace

TEST(PlayerEndToEnd, AnObjectDraggedFromAnotherProgramMovesAndHidesTheObjectItLandsOn) {
  TempFolder folder;
  const CString home = folder / "home.rvx";
  WriteFileBytes(home, DropPage("target", "hide"));
  PackageIndex package;
  ASSERT_EQ(1, package.AddFile(home));
  const CString exe = folder / "mirabo.exe";
  ASSERT_EQ(kPackageOk, package.WritePackage(programtest::BuiltProgramPath(MIRABO_EXE), exe, nullptr, nullptr));

  programtest::ProgramProcess player(exe);
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(player.Shows(-130, 0, RGB(220, 0, 0)));
  ASSERT_TRUE(player.Shows(120, 0, RGB(0, 0, 220)));

  const BOOL ole = SUCCEEDED(::OleInitialize(nullptr));
  const POINT dropAt = {::GetSystemMetrics(SM_CXSCREEN) / 2 + 100, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 10};
  ::SetCursorPos(dropAt.x, dropAt.y);
  auto* source = new COleDataSource;
  source->CacheGlobalData(GetPageClipFormats().objectKordel, MakeObjectKordelBlock(CPoint(-130, 0)));
  DropAt dropper(dropAt);
  const DROPEFFECT effect = source->DoDragDrop(DROPEFFECT_MOVE | DROPEFFECT_COPY, &dropper);
  source->InternalRelease();
  if (ole) ::OleUninitialize();

  // Wine carries OLE drags between processes through the target window's marshalled
  // drop target: the player takes the drop as it would from any program.
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_MOVE), effect);
  EXPECT_TRUE(player.Shows(-130, 0, RGB(255, 255, 255)));
  // The target's hide ability was armed: it goes with the next rounds of the clock, and
  // the moved object shows where the target covered it.
  EXPECT_TRUE(player.Shows(130, 30, RGB(255, 255, 255)));
  EXPECT_TRUE(player.Shows(100, 10, RGB(220, 0, 0)));
  player.PressEscape();
  EXPECT_EQ(0, player.ExitCode());
}
