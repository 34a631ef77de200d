// The effect bar: its sliders and fields over separators, the colour strips under the
// colour buttons, its drop-down arrows and the line-style menus it opens.
#include <gtest/gtest.h>

#include <vector>

#include "editor/panels/ColorPopupDlg.h"
#include "editor/panels/LineStyleMenu.h"
#include "editor/panels/PropToolBar.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/ModalCapture.h"
#include "tests/support/Printers.h"

namespace {

CString Text(const CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return text;
}

CRect ItemRect(CToolBar& bar, UINT id) {
  CRect r;
  bar.GetItemRect(bar.CommandToIndex(id), &r);
  return r;
}

// A control's rectangle in its parent's client coordinates.
CRect Placement(const CWnd& control) {
  CRect r;
  ::GetWindowRect(control.m_hWnd, &r);
  ::MapWindowPoints(nullptr, ::GetParent(control.m_hWnd), reinterpret_cast<LPPOINT>(&r), 2);
  return r;
}

void Scroll(CPropToolBar& bar, CSliderCtrl& slider, int code, int pos) {
  slider.SetPos(pos);
  bar.SendMessage(WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(slider.m_hWnd));
}

class EffectBarTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    frame = NewPage();
    ASSERT_TRUE(frame);
  }
  CPropToolBar& Bar() { return frame->m_wndEffectBar; }
  CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(EffectBarTest, ControlsSitOverTheirSeparators) {
  CPropToolBar& bar = Bar();
  // The fields' widths are counted in the 10-point font's average characters.
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, "MS Sans Serif"));
  HDC screen = ::GetDC(bar.m_hWnd);
  HGDIOBJ old = ::SelectObject(screen, font.m_hObject);
  TEXTMETRICA metrics = {};
  ::GetTextMetricsA(screen, &metrics);
  ::SelectObject(screen, old);
  ::ReleaseDC(bar.m_hWnd, screen);
  const int average = metrics.tmAveCharWidth;

  const struct {
    UINT id;
    int width;
    CWnd* control;
  } places[] = {{ID_EFFECT_BUTTON_33007, 100, &bar.m_widthSlider},
                {ID_EFFECT_BUTTON_33008, 5 * average, &bar.m_widthField},
                {ID_EFFECT_BUTTON_32988, 100, &bar.m_scaleSlider},
                {ID_EFFECT_BUTTON_32989, 6 * average, &bar.m_percentField}};
  for (const auto& place : places) {
    SCOPED_TRACE(place.id);
    const int index = bar.CommandToIndex(place.id);
    ASSERT_GE(index, 0);
    UINT id, style;
    int width;
    bar.GetButtonInfo(index, id, style, width);
    EXPECT_TRUE(style & TBBS_SEPARATOR);
    EXPECT_EQ(width, place.width);
    CRect item = ItemRect(bar, place.id), control = Placement(*place.control);
    CRect both;
    both.IntersectRect(&item, &control);
    EXPECT_EQ(both, control) << "the control lies within its place";
  }
  EXPECT_EQ(bar.m_widthSlider.GetRangeMin(), 1);
  EXPECT_EQ(bar.m_widthSlider.GetRangeMax(), 100);
  EXPECT_EQ(bar.m_scaleSlider.GetRangeMin(), 0);
  EXPECT_EQ(bar.m_scaleSlider.GetRangeMax(), 800);
  EXPECT_EQ(bar.m_scaleSlider.GetPos(), 400);
  EXPECT_EQ(Text(bar.m_widthField), "1");
  EXPECT_FALSE(bar.m_widthField.IsWindowEnabled());
  EXPECT_EQ(Text(bar.m_percentField), "100%");

  // The colour buttons have arrows, and strips of the current colours under their images.
  for (UINT id : {ID_LINE_COLOUR, ID_FILL_COLOUR}) {
    SCOPED_TRACE(id);
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE;
    bar.SendMessage(TB_GETBUTTONINFOA, id, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
    const CColorRect& strip = id == ID_LINE_COLOUR ? bar.m_lineColourRect : bar.m_fillColourRect;
    EXPECT_EQ(Placement(strip), CColorRect::StripRect(ItemRect(bar, id)));
    EXPECT_EQ(::GetDlgCtrlID(strip.m_hWnd), 88);
  }
  EXPECT_EQ(bar.m_lineColourRect.m_colour, RGB(0, 0, 0));
  EXPECT_EQ(bar.m_fillColourRect.m_colour, RGB(255, 255, 255));
  EXPECT_EQ(frame->m_wndEffectBar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(ImageList_GetImageCount(bar.GetToolBarCtrl().GetImageList()), 16);
}

TEST_F(EffectBarTest, WidthSliderWidensTheSelectionAtEveryMessage) {
  CDrawObj* object = AddObject(CRect(-100, 50, 100, -50));
  View()->Select(object);
  for (int width : {7, 12}) {
    SCOPED_TRACE(width);
    Doc()->SetModifiedFlag(FALSE);
    Scroll(Bar(), Bar().m_widthSlider, TB_THUMBTRACK, width);
    EXPECT_EQ(object->m_pen.lopnWidth.x, width);
    EXPECT_EQ(frame->m_nLineWidth, width);
    EXPECT_EQ(Text(Bar().m_widthField), CString(std::to_string(width).c_str()));
    EXPECT_TRUE(Doc()->IsModified());
  }
  // A vertical scroll message from the slider does the same.
  Bar().m_widthSlider.SetPos(3);
  Bar().SendMessage(WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 3), reinterpret_cast<LPARAM>(Bar().m_widthSlider.m_hWnd));
  EXPECT_EQ(object->m_pen.lopnWidth.x, 3);
}

TEST_F(EffectBarTest, ScaleSliderScalesOnReleaseAndGoesBackToHundred) {
  CDrawObj* object = AddObject(CRect(-100, 50, 100, -50));
  View()->Select(object);
  CPropToolBar& bar = Bar();

  Scroll(bar, bar.m_scaleSlider, TB_ENDTRACK, 400);
  EXPECT_EQ(object->m_position, CRect(-100, 50, 100, -50));
  EXPECT_EQ(bar.m_scaleSlider.GetPos(), 400);

  Scroll(bar, bar.m_scaleSlider, TB_THUMBTRACK, 600);
  EXPECT_EQ(Text(bar.m_percentField), "300%");
  EXPECT_EQ(object->m_position, CRect(-100, 50, 100, -50)) << "dragging scales nothing yet";
  Scroll(bar, bar.m_scaleSlider, TB_ENDTRACK, 600);
  EXPECT_EQ(object->m_position, CRect(-300, 150, 300, -150));
  EXPECT_EQ(bar.m_scaleSlider.GetPos(), 400);
  EXPECT_EQ(Text(bar.m_percentField), "100%");
}

TEST_F(EffectBarTest, ColourStripPaintsItsColourAndFitsShortButtons) {
  CColorRect& strip = Bar().m_lineColourRect;
  CRect client;
  strip.GetClientRect(&client);
  ASSERT_GT(client.Width(), 2);
  ASSERT_GT(client.Height(), 2);
  strip.m_colour = RGB(10, 200, 30);
  strip.Invalidate();
  strip.UpdateWindow();
  HDC dc = ::GetDC(strip.m_hWnd);
  EXPECT_EQ(::GetPixel(dc, client.Width() / 2, client.Height() / 2), RGB(10, 200, 30));
  ::ReleaseDC(strip.m_hWnd, dc);

  const struct {
    RECT item;
    CRect strip;
  } rows[] = {{{0, 0, 36, 22}, CRect(3, 16, 20, 20)},
              {{10, 2, 46, 20}, CRect(13, 18, 30, 18)},
              {{0, 0, 36, 15}, CRect(3, 16, 20, 16)},  // too short: an empty strip
              {{0, 0, 10, 22}, CRect(3, 16, 3, 20)}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.strip.top);
    EXPECT_EQ(CColorRect::StripRect(row.item), row.strip);
  }
}

TEST_F(EffectBarTest, ColourArrowsOpenTheirPopupsAndColourTheSelection) {
  CDrawObj* a = AddObject(CRect(-100, 50, -20, -50));
  CDrawObj* b = AddObject(CRect(10, 50, 90, -50));
  View()->Select(a);
  View()->Select(b, TRUE);
  COLORREF answer = 0;
  ModalCapture capture([&answer](ModalCall& call) {
    static_cast<CColorPopupDlg*>(call.window)->m_colour = answer;
    return static_cast<INT_PTR>(IDOK);
  });
  const struct {
    UINT button;
    COLORREF colour;
    COLORREF (*field)(CDrawObj*);
  } rows[] = {{ID_LINE_COLOUR, RGB(200, 0, 0), [](CDrawObj* o) { return o->m_pen.lopnColor; }},
              {ID_FILL_COLOUR, RGB(0, 0, 200), [](CDrawObj* o) { return o->m_brush.lbColor; }}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.button);
    answer = row.colour;
    NMTOOLBARA notify = {};
    notify.hdr.hwndFrom = Bar().m_hWnd;
    notify.hdr.idFrom = IDR_EFFECT_BAR;
    notify.hdr.code = TBN_DROPDOWN;
    notify.iItem = static_cast<int>(row.button);
    frame->SendMessage(WM_NOTIFY, IDR_EFFECT_BAR, reinterpret_cast<LPARAM>(&notify));
    EXPECT_EQ(row.field(a), row.colour);
    EXPECT_EQ(row.field(b), row.colour);
    const CColorRect& strip = row.button == ID_LINE_COLOUR ? Bar().m_lineColourRect : Bar().m_fillColourRect;
    EXPECT_EQ(strip.m_colour, row.colour);
  }
  ASSERT_EQ(capture.calls().size(), 2u);
  EXPECT_EQ(frame->m_lineColour, RGB(200, 0, 0));
  EXPECT_EQ(frame->m_fillColour, RGB(0, 0, 200));
}

// --- Line-style menus -------------------------------------------------------------------

TEST(LineStyleMenuTest, EachIdStandsForItsGdiplusValue) {
  using M = CLineStyleMenu;
  const struct {
    M::Kind kind;
    UINT id;
    int value;
  } rows[] = {
      {M::dashCap, 32796, 0},   {M::dashCap, 32797, 2},   {M::dashCap, 32798, 3},   {M::dashStyle, 32853, 0},
      {M::dashStyle, 32854, 1}, {M::dashStyle, 32855, 2}, {M::dashStyle, 32856, 3}, {M::dashStyle, 32857, 4},
      {M::startCap, 32858, 0},  {M::startCap, 32859, 2},  {M::startCap, 32860, 3},  {M::startCap, 32861, 17},
      {M::startCap, 32862, 18}, {M::startCap, 32863, 19}, {M::startCap, 32864, 20}, {M::endCap, 32867, 0},
      {M::endCap, 32868, 2},    {M::endCap, 32869, 3},    {M::endCap, 32870, 17},   {M::endCap, 32871, 18},
      {M::endCap, 32872, 19},   {M::endCap, 32873, 20},
      // Outside a menu's range.
      {M::dashCap, 32799, -1},  {M::startCap, 32867, -1}, {M::endCap, 32866, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(M::ValueOf(row.kind, row.id), row.value);
  }
  // Each menu holds its ids in order, owner-drawn.
  CEndCapMenu menu;
  ASSERT_EQ(menu.GetMenuItemCount(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(menu.GetMenuItemID(i), 32867u + i);
    EXPECT_TRUE(menu.GetMenuState(i, MF_BYPOSITION) & MF_OWNERDRAW);
  }
}

TEST_F(EffectBarTest, MenuItemsMeasureTheirStringAndDrawTheirSample) {
  // Measured through the frame while the menu is tracked, as the system asks.
  CString one;
  ASSERT_TRUE(one.LoadString(32858));
  EXPECT_EQ(one, "1");
  SIZE extent = {};
  HDC info = ::CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  ::GetTextExtentPoint32A(info, "1", 1, &extent);
  ::DeleteDC(info);
  MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 32858, 0, 0, 32858};
  {
    ModalCapture capture([&](ModalCall& call) {
      EXPECT_EQ(call.kind, ModalCall::popupMenu);
      frame->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
      return static_cast<INT_PTR>(0);
    });
    frame->SendMessage(WM_COMMAND, ID_START_CAP_MENU);
    EXPECT_EQ(capture.calls().size(), 1u);
  }
  EXPECT_EQ(measure.itemWidth, static_cast<UINT>(extent.cx + 50));
  EXPECT_EQ(measure.itemHeight, static_cast<UINT>(extent.cy));

  // Drawn through the frame: the highlight behind a black sample, whose margins stay clear.
  const struct {
    CLineStyleMenu::Kind kind;
    UINT id;
    int margin;
  } rows[] = {{CLineStyleMenu::dashStyle, 32853, 2}, {CLineStyleMenu::dashCap, 32797, 2},
              {CLineStyleMenu::startCap, 32859, 12}, {CLineStyleMenu::endCap, 32873, 12}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    CLineStyleMenu menu(row.kind);
    MemoryBitmap bitmap(80, 20);
    DRAWITEMSTRUCT draw = {ODT_MENU, 0, row.id, ODA_DRAWENTIRE, ODS_SELECTED,
                           reinterpret_cast<HWND>(menu.GetSafeHmenu()), bitmap.dc(), {0, 0, 80, 20}, row.id};
    frame->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(bitmap.Pixel(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));
    int black = 0;
    for (int x = 0; x < 80; ++x) black += bitmap.Pixel(x, 10) == RGB(0, 0, 0);
    EXPECT_GT(black, 20);
    for (int x = 0; x < row.margin; ++x) {
      EXPECT_NE(bitmap.Pixel(x, 10), RGB(0, 0, 0)) << x;
      EXPECT_NE(bitmap.Pixel(79 - x, 10), RGB(0, 0, 0)) << x;
    }
  }
}

TEST_F(EffectBarTest, StyleButtonsTrackTheirMenuUnderTheButtonAndApplyTheChoice) {
  CDrawObj* object = AddObject(CRect(-100, 50, 100, -50));
  View()->Select(object);
  const struct {
    UINT button;
    int items;
    int chosen;  // position of the item the user picks
    int (*field)(CDrawObj*);
    int expected;
  } rows[] = {
      {ID_DASH_STYLE_MENU, 5, 2, [](CDrawObj* o) { return static_cast<int>(o->m_pen.lopnStyle); }, 2},
      {ID_DASH_CAP_MENU, 3, 1, [](CDrawObj* o) { return o->m_dashCap; }, 2},
      {ID_START_CAP_MENU, 7, 6, [](CDrawObj* o) { return o->m_startCap; }, 20},
      {ID_END_CAP_MENU, 7, 3, [](CDrawObj* o) { return o->m_endCap; }, 17},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.button);
    ModalCapture capture([&](ModalCall& call) {
      const HMENU menu = reinterpret_cast<HMENU>(call.data);
      EXPECT_EQ(::GetMenuItemCount(menu), row.items);
      EXPECT_EQ(call.window, frame);
      return static_cast<INT_PTR>(::GetMenuItemID(menu, row.chosen));
    });
    frame->SendMessage(WM_COMMAND, row.button);
    Pump();  // the choice arrives as a posted command
    EXPECT_EQ(capture.calls().size(), 1u);
    EXPECT_EQ(row.field(object), row.expected);
  }
}
