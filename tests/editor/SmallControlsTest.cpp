// The small controls of the panels and bars: the effect bar's percent and line-width
// fields, the dialog resizer of the panels and the icon combo.
#include <gtest/gtest.h>

#include "editor/panels/NumberEdit.h"
#include "editor/panels/PercentCombo.h"
#include "editor/panels/ResizableDialog.h"
#include "framework/ui/SliderCtrl.h"
#include "publish/IconCombo.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/Printers.h"
#include "tests/support/MemoryBitmap.h"

namespace {

constexpr UINT kResizableDialog = 9101;

CString Text(const CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return text;
}

void Type(CWnd& wnd, const char* keys) {
  for (const char* k = keys; *k; ++k) wnd.SendMessage(WM_CHAR, static_cast<BYTE>(*k), 1);
}

// A control's rectangle in its parent's client coordinates.
CRect Placement(HWND control) {
  CRect r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<LPPOINT>(&r), 2);
  return r;
}

class SmallControlsTest : public EditorTest {
 protected:
  // The effect bar's slider and fields stand as children of the frame.
  void MakeFields() {
    NewPage();
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), Frame(), 901));
    slider.SetRange(0, 800);
    ASSERT_TRUE(percent.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 40, 80, 60), Frame(), 902));
    ASSERT_TRUE(width.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 70, 80, 90), Frame(), 903));
    percent.SetSlider(&slider);
    width.SetSlider(&slider);
  }

  CSliderCtrl slider;
  CPercentCombo percent;
  CNumberEdit width;
};

}  // namespace

TEST_F(SmallControlsTest, PercentFieldFollowsTheSlider) {
  MakeFields();
  const struct {
    int pos;
    const char* text;
  } rows[] = {{0, "20%"}, {200, "60%"}, {400, "100%"}, {600, "300%"}, {800, "500%"}, {1, "20%"}, {799, "499%"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pos);
    percent.SetFromSlider(row.pos);
    EXPECT_EQ(Text(percent), row.text);
  }
}

TEST_F(SmallControlsTest, EnterInThePercentFieldScalesTheSelectionWithinItsRange) {
  MakeFields();
  CDrawObj* object = AddObject(CRect(-100, 50, 100, -50));
  View()->Select(object);
  const struct {
    const char* typed;
    CRect scaledTo;  // unchanged when nothing is applied
    int slider;
    const char* text;
  } rows[] = {
      {"250%", CRect(-250, 125, 250, -125), 400, "100%"},
      {"5%", CRect(-100, 50, 100, -50), 0, "20%"},
      {"900%", CRect(-100, 50, 100, -50), 800, "500%"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    object->m_position = CRect(-100, 50, 100, -50);
    Doc()->SetModifiedFlag(FALSE);
    slider.SetPos(123);
    percent.SetWindowText(row.typed);
    percent.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(object->m_position, row.scaledTo);
    EXPECT_EQ(Doc()->IsModified(), row.scaledTo != CRect(-100, 50, 100, -50));
    EXPECT_EQ(slider.GetPos(), row.slider);
    EXPECT_EQ(Text(percent), row.text);
  }
}

TEST_F(SmallControlsTest, PercentFieldTakesDigitsAndKeepsItsSign) {
  MakeFields();
  percent.SetWindowText("");
  Type(percent, "2x5");
  EXPECT_EQ(Text(percent), "25%");
  // The caret stays before the sign, so typing goes on in the number.
  Type(percent, "0");
  EXPECT_EQ(Text(percent), "250%");
}

TEST_F(SmallControlsTest, LineWidthFieldKeepsOneToHundredAndAppliesIt) {
  MakeFields();
  CDrawObj* object = AddObject(CRect(-100, 50, 100, -50));
  View()->Select(object);
  const struct {
    const char* start;
    const char* typed;  // "\x7f": releasing Delete
    const char* text;
    int applied;  // 0: nothing applied
  } rows[] = {
      {"", "0", "1", 1},
      {"", "250", "100", 100},
      {"", "37", "37", 37},
      {"5", "x", "5", 0},
      {"", "\x7f", "1", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    Frame()->m_nLineWidth = 9;
    object->SetLineWidth(9);
    width.SetWindowText(row.start);
    width.SetSel(-1, -1);
    if (row.typed[0] == '\x7f')
      width.SendMessage(WM_KEYUP, VK_DELETE, 0xC0000001);
    else
      Type(width, row.typed);
    EXPECT_EQ(Text(width), row.text);
    const int expected = row.applied ? row.applied : 9;
    EXPECT_EQ(Frame()->m_nLineWidth, expected);
    EXPECT_EQ(object->m_pen.lopnWidth.x, expected);
    if (row.applied) EXPECT_EQ(slider.GetPos(), row.applied);
  }
}

// ---------------------------------------------------------------------------------
// The dialog resizer

class ResizerTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
    ASSERT_TRUE(dialog.Create(kResizableDialog, Frame()));
    dialog.SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    button = dialog.GetDlgItem(1001)->m_hWnd;
    edit = dialog.GetDlgItem(1002)->m_hWnd;
    ::GetWindowRect(dialog, &initialWindow);
    ::GetClientRect(dialog, &initialClient);
    buttonAt = Placement(button);
    editAt = Placement(edit);
  }
  // Grows the dialog's client area by dx, dy (negative shrinks it).
  void Grow(int dx, int dy) {
    dialog.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(initialClient.Width() + dx, initialClient.Height() + dy));
  }
  MINMAXINFO MinMax() {
    MINMAXINFO info = {};
    info.ptMaxTrackSize = {5000, 5000};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }

  CResizableDialog dialog{kResizableDialog};
  HWND button = nullptr;
  HWND edit = nullptr;
  CRect initialWindow, initialClient, buttonAt, editAt;
};

TEST_F(ResizerTest, AnchoredControlsFollowTheDialogByTheirModes) {
  dialog.m_resizer.Init(&dialog, 0);
  ASSERT_NE(dialog.m_resizer.AddControl(CWnd::FromHandle(button), CDlgResizer::kCentre, CDlgResizer::kKeep), nullptr);
  ASSERT_NE(dialog.m_resizer.AddControl(CWnd::FromHandle(edit), CDlgResizer::kStretch, CDlgResizer::kMove), nullptr);

  Grow(100, 40);
  CRect expected = buttonAt;
  expected.OffsetRect(50, 0);
  EXPECT_EQ(Placement(button), expected);  // centred, its width kept
  EXPECT_EQ(Placement(edit), CRect(editAt.left, editAt.top + 40, editAt.right + 100, editAt.bottom + 40));

  // Smaller than at the start counts as the start.
  Grow(-30, -20);
  EXPECT_EQ(Placement(button), buttonAt);
  EXPECT_EQ(Placement(edit), editAt);
}

TEST_F(ResizerTest, AnchorsAreRefusedBeforeInitialisationAndWithoutFactors) {
  EXPECT_EQ(dialog.m_resizer.AddAnchor(CWnd::FromHandle(button), 0, 100, 0, 0), nullptr);
  dialog.m_resizer.Init(&dialog, 0);
  EXPECT_EQ(dialog.m_resizer.AddAnchor(CWnd::FromHandle(button), 0, 0, 0, 0), nullptr);
  CWnd windowless;
  EXPECT_EQ(dialog.m_resizer.AddAnchor(&windowless, 0, 100, 0, 0), nullptr);
  EXPECT_NE(dialog.m_resizer.AddAnchor(CWnd::FromHandle(button), 0, 100, 0, 0), nullptr);
}

TEST_F(ResizerTest, TrackingSizesKeepTheInitialSizeAsTheLeast) {
  const struct {
    DWORD flags;
    bool widerAllowed, tallerAllowed;
  } rows[] = {{0, false, false}, {CDlgResizer::kGrowHorizontally, true, false},
              {CDlgResizer::kGrowHorizontally | CDlgResizer::kGrowVertically, true, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.flags);
    dialog.m_resizer.m_nFlags = row.flags;
    dialog.m_resizer.Init(&dialog, 0);
    const MINMAXINFO info = MinMax();
    EXPECT_EQ(info.ptMinTrackSize.x, initialWindow.Width());
    EXPECT_EQ(info.ptMinTrackSize.y, initialWindow.Height());
    EXPECT_EQ(info.ptMaxTrackSize.x, row.widerAllowed ? 5000 : initialWindow.Width());
    EXPECT_EQ(info.ptMaxTrackSize.y, row.tallerAllowed ? 5000 : initialWindow.Height());
  }

  // The system holds a sizing-framed window to those sizes.
  dialog.m_resizer.m_nFlags = CDlgResizer::kGrowHorizontally;
  dialog.m_resizer.Init(&dialog, 0);
  dialog.SetWindowPos(nullptr, 0, 0, initialWindow.Width() + 50, initialWindow.Height() + 50, SWP_NOMOVE | SWP_NOZORDER);
  CRect now;
  dialog.GetWindowRect(&now);
  EXPECT_EQ(now.Width(), initialWindow.Width() + 50);
  EXPECT_EQ(now.Height(), initialWindow.Height());
}

TEST_F(ResizerTest, InitialisationEnlargesOnTheSidesItMayGrow) {
  dialog.SetWindowPos(nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  dialog.m_resizer.m_nFlags = CDlgResizer::kGrowHorizontally | CDlgResizer::kGrowVertically;
  dialog.m_resizer.Init(&dialog, 10);
  ASSERT_NE(dialog.m_resizer.AddControl(CWnd::FromHandle(edit), CDlgResizer::kStretch, CDlgResizer::kKeep), nullptr);
  const int dx = initialWindow.Width() * 10 / 50, dy = initialWindow.Height() * 10 / 50;
  EXPECT_EQ(Placement(dialog), CRect(200 - dx, 150 - dy, 200 + initialWindow.Width() + dx,
                                     150 + initialWindow.Height() + dy));
  // A control anchored after the enlargement is placed for the size there is.
  EXPECT_EQ(Placement(edit).right, editAt.right + 2 * dx);
  // The least tracking size stays the size before the enlargement.
  EXPECT_EQ(MinMax().ptMinTrackSize.x, initialWindow.Width());
}

// ---------------------------------------------------------------------------------
// The icon combo

TEST_F(SmallControlsTest, IconComboHoldsTheResourcesIcons) {
  NewPage();
  CIconCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           CRect(0, 0, 100, 200), Frame(), 904));
  EXPECT_EQ(combo.AddIcon(4711), -1);
  EXPECT_EQ(combo.GetCount(), 0);
  combo.SelectIcon("999");  // an empty list selects nothing
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);

  ASSERT_EQ(combo.AddIcon(IDR_MAINFRAME), 0);
  ASSERT_EQ(combo.InsertIcon(0, IDR_MAINFRAME), 0);
  CString text;
  combo.GetLBText(1, text);
  EXPECT_EQ(text, "2");
  EXPECT_NE(combo.GetItemData(0), 0u);
  EXPECT_EQ(combo.GetItemHeight(0), combo.m_cyIcon + 2);

  combo.SetCurSel(1);
  combo.SelectIcon("999");
  EXPECT_EQ(combo.GetCurSel(), 0);
  combo.DeleteIcon("999");
  EXPECT_EQ(combo.GetCount(), 2);
  combo.DeleteIcon("2");
  EXPECT_EQ(combo.GetCount(), 1);
}

TEST_F(SmallControlsTest, IconComboDrawsTheIconCentredInItsItem) {
  NewPage();
  CIconCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           CRect(0, 0, 100, 200), Frame(), 904));
  ASSERT_EQ(combo.AddIcon(IDR_MAINFRAME), 0);
  combo.SetCurSel(0);
  HICON icon = reinterpret_cast<HICON>(combo.GetItemData(0));

  const CRect item(0, 0, 100, 40);
  MemoryBitmap drawn(100, 40), expected(100, 40);
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_COMBOBOX;
  dis.itemID = 0;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.hDC = drawn.dc();
  dis.rcItem = item;
  combo.DrawItem(&dis);

  ::FillRect(expected.dc(), &item, ::GetSysColorBrush(COLOR_WINDOW));
  const int x = 50 - combo.m_cxIcon / 2, y = 20 - combo.m_cyIcon / 2;
  ::DrawIcon(expected.dc(), x, y, icon);
  EXPECT_EQ(drawn.Snapshot(), expected.Snapshot());
  // With nothing chosen only the background is drawn, and the icon shows on it.
  combo.SetCurSel(-1);
  MemoryBitmap empty(100, 40), background(100, 40);
  ::FillRect(background.dc(), &item, ::GetSysColorBrush(COLOR_WINDOW));
  dis.hDC = empty.dc();
  combo.DrawItem(&dis);
  EXPECT_EQ(empty.Snapshot(), background.Snapshot());
  EXPECT_NE(drawn.Snapshot(), background.Snapshot());
}
