// The frame's fill colour popup over a selected rectangle, picked with the real mouse:
// a cell of the well, then more colours answered in the colour dialog; the rectangle
// shows each colour and the saved page keeps the last.
#include <gtest/gtest.h>

#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "editor/panels/ColorSelectDlg.h"
#include "editor/panels/SVizColorWell.h"
#include "framework/ui/DC.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/TempFolder.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/ModalCapture.h"

namespace {

// The well's entry or cell that the timer clicks once the popup runs.
int g_target = 0;

void Input(DWORD flags, POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>(screen.x * 65535.0 / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
  input.mi.dy = static_cast<LONG>(screen.y * 65535.0 / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof input);
}

// Runs inside the popup's loop: moves the mouse onto the target and clicks it twice,
// the first release being the one the popup takes for the click that opened it.
void CALLBACK ClickTarget(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  auto* well = dynamic_cast<CSVizColorWell*>(CWnd::FromHandlePermanent(::GetCapture()));
  ASSERT_TRUE(well) << "the well holds the mouse";
  RECT cell;
  ASSERT_TRUE(well->GetCellRect(g_target, &cell));
  POINT centre = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  well->ClientToScreen(&centre);
  Input(MOUSEEVENTF_MOVE, centre);
  for (int click = 0; click < 2; ++click) {
    Input(MOUSEEVENTF_LEFTDOWN, centre);
    Input(MOUSEEVENTF_LEFTUP, centre);
  }
}

class FrameColourPopupTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
    Frame()->MoveWindow(0, 0, 1200, 900);
    Frame()->RecalcLayout();
    View()->GetClientRect(&client);
  }
  COLORREF ShownAt(CPoint logical) {
    MemoryBitmap bitmap(client.Width(), client.Height());
    CDC dc(bitmap.dc());
    View()->OnPrepareDC(&dc);
    View()->OnDraw(&dc);
    View()->LPtoDPPoint(logical);
    return bitmap.Pixel(logical.x, logical.y);
  }
  BOOL PickFill(int target) {
    g_target = target;
    ::SetTimer(nullptr, 0, 10, ClickTarget);
    return Frame()->PopupColour(1, RECT{300, 200, 324, 222});
  }
  CRect client;
};

TEST_F(FrameColourPopupTest, FillColourPopupRecoloursTheSelectedRectangle) {
  // Away from the centre, where a selected object shows its turning mark.
  const CPoint kInside(-20, 15);
  auto* square = new CDrawRect(CRect(-40, 30, 40, -30));
  square->m_brush.lbColor = RGB(255, 255, 255);
  Doc()->Add(square);
  View()->Select(square);
  Pump();
  ASSERT_EQ(RGB(255, 255, 255), ShownAt(kInside));

  ModalCapture modal([](ModalCall& call) -> INT_PTR {
    if (call.id != IDD_COLOUR_SELECT) return call.show();
    auto* dialog = dynamic_cast<CColorSelectDlg*>(call.window);
    dialog->m_red = dialog->m_blue = 0;
    dialog->m_green = 128;
    return IDOK;
  });
  ASSERT_TRUE(PickFill(16));  // "Red"
  EXPECT_EQ(RGB(255, 0, 0), ShownAt(kInside));
  EXPECT_EQ(RGB(255, 0, 0), square->m_brush.lbColor);

  ASSERT_TRUE(PickFill(CSVizColorWell::kMoreColours));
  EXPECT_EQ(RGB(0, 128, 0), ShownAt(kInside));
  EXPECT_TRUE(Doc()->IsModified());
  ASSERT_EQ(3u, modal.calls().size());
  EXPECT_EQ(static_cast<UINT>(IDD_COLOUR_SELECT), modal.calls()[2].id);

  TempFolder folder;
  const CString page = folder.File(L"colours.rvx").c_str();
  ASSERT_TRUE(Doc()->OnSaveDocument(page));
  CDrawDoc reread;
  ASSERT_TRUE(reread.OnOpenDocument(page));
  ASSERT_EQ(1, reread.m_objects.GetCount());
  EXPECT_EQ(RGB(0, 128, 0), static_cast<CDrawObj*>(reread.m_objects.GetHead())->m_brush.lbColor);
}

}  // namespace
