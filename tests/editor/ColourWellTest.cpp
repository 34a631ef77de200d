// The colour and hatch wells: layout, the keyboard walk, the mouse, the ends and their
// messages, recorded by an owner window; and wells that delete themselves.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/panels/ColorSelectDlg.h"
#include "editor/panels/SVizColorWell.h"
#include "editor/panels/SVizHatchWell.h"
#include "resources/KordelIds.h"
#include "tests/support/ModalCapture.h"

namespace {

struct Heard {
  UINT message;
  WPARAM wParam;
  bool operator==(const Heard& other) const { return message == other.message && wParam == other.wParam; }
};

// A window that records the wells' messages and what a well writes into its owner.
class RecordingOwner : public CWnd, public CColourWellTarget {
 public:
  explicit RecordingOwner(RECT rect = {300, 300, 400, 330}) {
    CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WellSelChangeMessage() || message == WellSelOkMessage() || message == WellSelCancelMessage() ||
        message == WellDropDownMessage() || message == WellCloseUpMessage()) {
      heard.push_back({message, wParam});
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void TakePlainColour(COLORREF colour) override { plainColours.push_back(colour); }
  void TakeNoFill() override { ++noFills; }
  std::vector<Heard> Ends() const {
    std::vector<Heard> ends;
    for (const Heard& h : heard)
      if (h.message != WellSelChangeMessage()) ends.push_back(h);
    return ends;
  }

  std::vector<Heard> heard;
  std::vector<COLORREF> plainColours;
  int noFills = 0;
};

SIZE WindowSize(const CWnd& well) {
  RECT rect;
  well.GetWindowRect(&rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

POINT CellCentre(CSVizWellCtrl& well, int index) {
  RECT rect = {};
  EXPECT_TRUE(well.GetCellRect(index, &rect));
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Key(CWnd& well, UINT key) { well.SendMessage(WM_KEYDOWN, key, 0); }

void MouseMove(CWnd& well, POINT client) { well.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y)); }

void Release(CWnd& well, POINT client) {
  well.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(client.x), static_cast<short>(client.y)));
}

void GiveTexts(CSVizColorWell& well, bool automatic, bool more) {
  if (automatic) well.m_automaticText = "自动设定";
  if (more) well.m_moreColoursText = "更多颜色...";
}

constexpr DWORD kPopup = WS_POPUP | WS_VISIBLE;

TEST(SVizWell, LayoutOfTheGridsAndTheirEntries) {
  RecordingOwner owner;
  const int m = ::GetSystemMetrics(SM_CXEDGE);

  CSVizColorWell plain;
  ASSERT_TRUE(plain.Create(100, 100, &owner, kPopup));
  EXPECT_EQ(8 * 18 + 2 * m, WindowSize(plain).cx);
  EXPECT_EQ(5 * 18 + 2 * m, WindowSize(plain).cy);
  EXPECT_EQ(40, plain.m_count);
  EXPECT_EQ(40, plain.m_toolTip.GetToolCount()) << "a tip for every cell";
  EXPECT_STREQ("Pale green ", CSVizColorWell::TableName(35));
  EXPECT_EQ(RGB(152, 251, 152), CSVizColorWell::TableColour(35));

  CSVizColorWell more;
  GiveTexts(more, false, true);
  ASSERT_TRUE(more.Create(100, 100, &owner, kPopup));
  RECT last = {}, entry = {}, first = {};
  ASSERT_TRUE(more.GetCellRect(39, &last));
  ASSERT_TRUE(more.GetCellRect(0, &first));
  ASSERT_TRUE(more.GetCellRect(CSVizColorWell::kMoreColours, &entry));
  EXPECT_EQ(m, first.top);
  EXPECT_GE(entry.top, last.bottom);
  EXPECT_GT(WindowSize(more).cy, 5 * 18 + 2 * m);
  EXPECT_EQ(WindowSize(more).cy, static_cast<int>(entry.bottom) + m);
  RECT none;
  EXPECT_FALSE(more.GetCellRect(CSVizColorWell::kAutomatic, &none));
  EXPECT_FALSE(more.GetCellRect(40, &none));

  CSVizHatchWell hatch;
  ASSERT_TRUE(hatch.Create(100, 100, &owner, WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(9 * 30 + 2 * m, WindowSize(hatch).cx);
  EXPECT_EQ(6 * 30 + 2 * m, WindowSize(hatch).cy);
  EXPECT_EQ(53, hatch.m_count);
  EXPECT_EQ(CString("ForwardDiagonal"), hatch.GetCellTip(2));
}

TEST(SVizWell, DropDownsStayOnTheScreen) {
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  RecordingOwner owner({200, screenHeight - 40, 300, screenHeight - 10});

  CSVizColorWell low;
  ASSERT_TRUE(low.Create(200, screenHeight - 10, &owner, kPopup));
  RECT rect;
  low.GetWindowRect(&rect);
  EXPECT_EQ(screenHeight - 40, rect.bottom) << "above its owner";
  EXPECT_EQ(200, rect.left);

  CSVizColorWell right;
  ASSERT_TRUE(right.Create(screenWidth - 50, 100, &owner, kPopup));
  right.GetWindowRect(&rect);
  EXPECT_EQ(screenWidth, rect.right);
  EXPECT_EQ(100, rect.top);

  CSVizColorWell left;
  ASSERT_TRUE(left.Create(-30, 100, &owner, kPopup));
  left.GetWindowRect(&rect);
  EXPECT_EQ(0, rect.left);
}

TEST(SVizWell, ArrowKeysWalkTheCellsAndTheEntries) {
  RecordingOwner owner;
  constexpr int kMore = CSVizColorWell::kMoreColours, kAuto = CSVizColorWell::kAutomatic;
  const struct {
    const char* what;
    bool automatic, more;
    int from;
    UINT key;
    int to;
  } rows[] = {
      {"right at a row's end", true, true, 7, VK_RIGHT, 8},
      {"right from the last cell", true, true, 39, VK_RIGHT, kMore},
      {"right from the last cell, automatic only", true, false, 39, VK_RIGHT, kAuto},
      {"right from the last cell, no entries", false, false, 39, VK_RIGHT, 0},
      {"right from more colours", true, true, kMore, VK_RIGHT, kAuto},
      {"right from automatic", true, true, kAuto, VK_RIGHT, 0},
      {"up from the first row", true, true, 3, VK_UP, kAuto},
      {"up from the first row, more only", false, true, 3, VK_UP, kMore},
      {"up from the first row, no entries", false, false, 3, VK_UP, 39},
      {"up from automatic", true, true, kAuto, VK_UP, kMore},
      {"up from more colours", true, true, kMore, VK_UP, 39},
      {"up within the grid", true, true, 11, VK_UP, 3},
      {"left from cell 0", true, true, 0, VK_LEFT, kAuto},
      {"left from cell 0, no entries", false, false, 0, VK_LEFT, 39},
      {"left at a row's start", true, true, 8, VK_LEFT, 7},
      {"left from more colours", true, true, kMore, VK_LEFT, 39},
      {"down past the last row", true, true, 35, VK_DOWN, kMore},
      {"down from more colours", true, true, kMore, VK_DOWN, kAuto},
      {"down from automatic", true, true, kAuto, VK_DOWN, 0},
      {"down within the grid", false, false, 4, VK_DOWN, 12},
      {"no current cell", true, true, -1, VK_RIGHT, 0},
      {"no current cell, up", false, false, -1, VK_UP, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CSVizColorWell well;
    GiveTexts(well, row.automatic, row.more);
    ASSERT_TRUE(well.Create(100, 100, &owner, WS_CHILD | WS_VISIBLE));
    well.m_current = row.from;
    Key(well, row.key);
    EXPECT_EQ(row.to, well.m_current);
  }

  // The hatch well's short last row: down from a column it lacks starts over.
  const struct {
    int from;
    UINT key;
    int to;
  } hatchRows[] = {{8, VK_DOWN, 17}, {44, VK_DOWN, 0}, {52, VK_RIGHT, 0}, {45, VK_LEFT, 44}, {0, VK_LEFT, 52},
                   {4, VK_UP, 52},   {-1, VK_DOWN, 0}};
  for (const auto& row : hatchRows) {
    SCOPED_TRACE(testing::Message() << "hatch " << row.from);
    CSVizHatchWell well;
    ASSERT_TRUE(well.Create(10, 10, &owner, WS_CHILD | WS_VISIBLE));
    well.m_current = row.from;
    Key(well, row.key);
    EXPECT_EQ(row.to, well.m_current);
  }
}

TEST(SVizWell, HoveringReportsEveryNewCellsColour) {
  RecordingOwner owner;
  CSVizColorWell well;
  GiveTexts(well, true, true);
  ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
  const UINT change = WellSelChangeMessage();
  MouseMove(well, CellCentre(well, 16));
  MouseMove(well, CellCentre(well, 16));  // the same cell again: nothing new
  MouseMove(well, CellCentre(well, 17));
  MouseMove(well, CellCentre(well, 13));
  MouseMove(well, CellCentre(well, CSVizColorWell::kAutomatic));
  const std::vector<Heard> expected = {
      {change, RGB(255, 0, 0)}, {change, RGB(255, 173, 91)}, {change, RGB(0, 0, 255)}, {change, 0xFF000000}};
  EXPECT_EQ(expected, owner.heard);
  EXPECT_EQ(CSVizColorWell::kAutomatic, well.m_current);
}

TEST(SVizWell, ReleasesEscapeAndEnterEndTheWell) {
  const UINT ok = WellSelOkMessage(), cancel = WellSelCancelMessage();
  const COLORREF initial = RGB(1, 2, 3);
  {
    SCOPED_TRACE("the first release outside is ignored with 0x8000");
    RecordingOwner owner;
    CSVizColorWell well;
    well.m_initialColour = initial;
    well.m_style |= kWellIgnoreFirstOutsideRelease;
    ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
    MouseMove(well, CellCentre(well, 16));
    Release(well, {-50, -50});
    EXPECT_TRUE(owner.Ends().empty());
    EXPECT_TRUE(well.m_hWnd);
    Release(well, {-50, -50});
    EXPECT_EQ(std::vector<Heard>({{cancel, initial}}), owner.Ends());
    EXPECT_FALSE(well.m_hWnd) << "a drop-down's window goes as it ends";
    EXPECT_TRUE(owner.plainColours.empty());
  }
  {
    SCOPED_TRACE("the skip-release flag swallows one release");
    RecordingOwner owner;
    CSVizColorWell well;
    ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
    well.m_skipRelease = 1;
    MouseMove(well, CellCentre(well, 9));
    Release(well, CellCentre(well, 9));
    EXPECT_TRUE(owner.Ends().empty());
    Release(well, CellCentre(well, 9));
    EXPECT_EQ(std::vector<Heard>({{ok, RGB(255, 104, 32)}}), owner.Ends());
    EXPECT_EQ(std::vector<COLORREF>({RGB(255, 104, 32)}), owner.plainColours);
  }
  {
    SCOPED_TRACE("Esc reports the opening colour");
    RecordingOwner owner;
    CSVizColorWell well;
    well.m_initialColour = initial;
    ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
    Key(well, VK_RIGHT);
    Key(well, VK_RIGHT);
    Key(well, VK_ESCAPE);
    EXPECT_EQ(std::vector<Heard>({{cancel, initial}}), owner.Ends());
  }
  {
    SCOPED_TRACE("Enter on the automatic entry gives the default colour");
    RecordingOwner owner;
    CSVizColorWell well;
    GiveTexts(well, true, false);
    well.m_defaultColour = RGB(9, 9, 9);
    ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
    Key(well, VK_LEFT);
    Key(well, VK_LEFT);
    Key(well, VK_RETURN);
    EXPECT_EQ(std::vector<Heard>({{ok, RGB(9, 9, 9)}}), owner.Ends());
  }
  {
    SCOPED_TRACE("a hatch well reports the style");
    RecordingOwner owner;
    CSVizHatchWell well;
    ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
    Key(well, VK_DOWN);
    Key(well, VK_DOWN);
    Key(well, VK_RETURN);
    EXPECT_EQ(std::vector<Heard>({{WellSelChangeMessage(), 0}, {WellSelChangeMessage(), 9}, {ok, 9}}), owner.heard);
  }
}

TEST(SVizWell, MoreColoursAsksTheColourDialog) {
  const COLORREF initial = RGB(7, 7, 7);
  for (bool accept : {true, false}) {
    SCOPED_TRACE(accept ? "OK" : "Cancel");
    RecordingOwner owner;
    ModalCapture modal([accept](ModalCall& call) -> INT_PTR {
      auto* dialog = dynamic_cast<CColorSelectDlg*>(call.window);
      if (!dialog) return IDCANCEL;
      EXPECT_EQ(RGB(7, 7, 7), dialog->GetColor()) << "the dialog opens on the well's colour";
      dialog->m_red = 255;
      dialog->m_green = dialog->m_blue = 0;
      return accept ? IDOK : IDCANCEL;
    });
    CSVizColorWell well;
    GiveTexts(well, true, true);
    well.m_initialColour = initial;
    ASSERT_TRUE(well.Create(100, 100, &owner, kPopup));
    Key(well, VK_UP);  // no current cell: the first
    Key(well, VK_UP);  // the automatic entry
    Key(well, VK_UP);  // more colours
    ASSERT_EQ(CSVizColorWell::kMoreColours, well.m_current);
    Key(well, VK_RETURN);
    ASSERT_EQ(1u, modal.calls().size());
    EXPECT_EQ(static_cast<UINT>(IDD_COLOUR_SELECT), modal.calls()[0].id);
    if (accept) {
      EXPECT_EQ(std::vector<Heard>({{WellSelOkMessage(), RGB(255, 0, 0)}}), owner.Ends());
      EXPECT_EQ(std::vector<COLORREF>({RGB(255, 0, 0)}), owner.plainColours);
    } else {
      EXPECT_EQ(std::vector<Heard>({{WellSelCancelMessage(), initial}}), owner.Ends());
      EXPECT_TRUE(owner.plainColours.empty()) << "a cancelled dialog leaves the owner as it was";
    }
  }
}

int g_liveWells = 0;

class CountedWell : public CSVizColorWell {
 public:
  CountedWell() { ++g_liveWells; }
  ~CountedWell() override { --g_liveWells; }
};

TEST(SVizWell, SelfDeletingWellsAreGoneAfterEitherEnd) {
  RecordingOwner owner;
  ModalCapture modal;  // more colours cancelled
  const struct {
    const char* what;
    std::function<void(CountedWell&)> end;
  } rows[] = {
      {"Enter on a cell", [](CountedWell& w) { Key(w, VK_RIGHT), Key(w, VK_RETURN); }},
      {"Esc", [](CountedWell& w) { Key(w, VK_ESCAPE); }},
      {"a release inside", [](CountedWell& w) { Release(w, CellCentre(w, 5)); }},
      {"a release outside", [](CountedWell& w) { Release(w, {-20, -20}); }},
      {"more colours cancelled", [](CountedWell& w) { w.SetCurSel(CSVizColorWell::kMoreColours), Key(w, VK_RETURN); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    owner.heard.clear();
    auto* well = new CountedWell;
    GiveTexts(*well, true, true);
    well->m_style = kWellFlat | kWellPopup | kWellAutoDelete;
    ASSERT_TRUE(well->Create(100, 100, &owner, kPopup));
    ASSERT_EQ(1, g_liveWells);
    row.end(*well);
    EXPECT_EQ(0, g_liveWells);
    EXPECT_EQ(1u, owner.Ends().size());
  }
  EXPECT_EQ(nullptr, ::GetCapture());
}

}  // namespace
