// The colour selection dialog: its colour models and geometry as tables, and the real
// dialog driven by messages as typing and dragging would drive it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "editor/panels/ColorSelectDlg.h"
#include "editor/panels/ColourConvert.h"
#include "resources/KordelIds.h"
#include "tests/support/ModalCapture.h"

namespace {

TEST(ColourModels, RgbToHsb) {
  const struct {
    int r, g, b, h, s, v;
  } rows[] = {
      {0, 0, 0, 0, 0, 0},         {128, 128, 128, 0, 0, 128}, {255, 0, 0, 0, 255, 255},
      {0, 0, 255, 240, 255, 255}, {0, 255, 0, 120, 255, 255}, {255, 128, 0, 30, 255, 255},
      {255, 0, 255, 300, 255, 255}, {100, 50, 50, 0, 127, 100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.r << "," << row.g << "," << row.b);
    int h = -1, s = -1, v = -1;
    CColorSelectDlg::RGBtoHSB(row.r, row.g, row.b, h, s, v);
    EXPECT_EQ(row.h, h);
    EXPECT_EQ(row.s, s);
    EXPECT_EQ(row.v, v);
  }
}

TEST(ColourModels, HsbToRgbAndRoundTrips) {
  const struct {
    int h, s, v, r, g, b;
  } rows[] = {{330, 255, 255, 255, 0, 127}, {90, 255, 255, 127, 255, 0}, {0, 0, 200, 200, 200, 200},
              {240, 255, 255, 0, 0, 255},   {359, 255, 255, 255, 0, 4}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.h << "," << row.s << "," << row.v);
    int r, g, b;
    CColorSelectDlg::HSBtoRGB(row.h, row.s, row.v, r, g, b);
    EXPECT_NEAR(row.r, r, 1);
    EXPECT_NEAR(row.g, g, 1);
    EXPECT_NEAR(row.b, b, 1);
  }
  // Whole degrees of hue cost up to four levels of the middle component on saturated
  // colours, so the set keeps to colours the model holds within two.
  const COLORREF colours[] = {RGB(30, 200, 100), RGB(255, 128, 0), RGB(10, 20, 30), RGB(200, 100, 50),
                              RGB(90, 90, 91),   RGB(0, 128, 0),   RGB(120, 60, 200), RGB(255, 255, 254)};
  for (COLORREF colour : colours) {
    SCOPED_TRACE(testing::Message() << std::hex << colour);
    int h, s, v, r, g, b;
    CColorSelectDlg::RGBtoHSB(GetRValue(colour), GetGValue(colour), GetBValue(colour), h, s, v);
    CColorSelectDlg::HSBtoRGB(h, s, v, r, g, b);
    EXPECT_NEAR(GetRValue(colour), r, 2);
    EXPECT_NEAR(GetGValue(colour), g, 2);
    EXPECT_NEAR(GetBValue(colour), b, 2);
  }
}

TEST(ColourModels, WheelAndBarGeometry) {
  const POINT centre = {150, 120};
  const struct {
    int dx, dy, hue, saturation;
    bool inside;
  } rows[] = {{100, 0, 0, 255, true},   {0, -50, 90, 127, true}, {-30, 0, 180, 76, true},
              {0, 100, 270, 255, true}, {150, 0, 0, 255, false}, {0, 0, 0, 0, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.dx << "," << row.dy);
    const POINT point = {centre.x + row.dx, centre.y + row.dy};
    int hue = -1, saturation = -1;
    CColorSelectDlg::WheelToHueSaturation(centre, point, hue, saturation);
    EXPECT_EQ(row.hue, hue);
    EXPECT_EQ(row.saturation, saturation);
    EXPECT_EQ(row.inside, CColorSelectDlg::InWheel(centre, point));
  }
  const POINT marker = CColorSelectDlg::WheelMarker(centre, 90, 255);
  EXPECT_EQ(centre.x, marker.x);
  EXPECT_EQ(centre.y - 100, marker.y);

  const RECT bar = {0, 10, 20, 211};
  EXPECT_EQ(255, CColorSelectDlg::BarBrightness(bar, 10));
  EXPECT_EQ(0, CColorSelectDlg::BarBrightness(bar, 211));
  EXPECT_EQ(255, CColorSelectDlg::BarBrightness(bar, -40));
  EXPECT_EQ(0, CColorSelectDlg::BarBrightness(bar, 400));
  EXPECT_EQ(0, CColorSelectDlg::BarBrightness(RECT{0, 10, 20, 10}, 10));
}

TEST(ColourModels, ArgbColorrefAndTransparency) {
  EXPECT_EQ(0x0000FFu, ArgbToColorref(0x80FF0000u));
  EXPECT_EQ(0x80FF0000u, ColorrefToArgb(0x0000FF, AlphaFromTransparency(127)));
  EXPECT_EQ(127, TransparencyFromAlpha(0x80FF0000u));
  EXPECT_EQ(255, AlphaFromTransparency(0));
  EXPECT_EQ(0, AlphaFromTransparency(255));
  EXPECT_EQ(0, TransparencyFromAlpha(0xFF123456u));
  EXPECT_EQ(0xFF563412u, ColorrefToArgb(0x123456));
}

class ScriptedColourDialog : public CColorSelectDlg {
 public:
  ScriptedColourDialog(COLORREF initial, std::function<void(ScriptedColourDialog&)> script)
      : CColorSelectDlg(initial, nullptr), m_script(std::move(script)) {}
  BOOL OnInitDialog() override {
    CColorSelectDlg::OnInitDialog();
    m_script(*this);
    return TRUE;
  }
  int Number(int id) const {
    CString text;
    GetDlgItemText(id, text);
    return static_cast<int>(std::strtol(text, nullptr, 10));
  }
  CString Text(int id) const {
    CString text;
    GetDlgItemText(id, text);
    return text;
  }
  void Type(int id, const char* text) { SetDlgItemText(id, text); }
  void Press(int id) { PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  void Drag(POINT from, POINT to) {
    SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  }

 private:
  std::function<void(ScriptedColourDialog&)> m_script;
};

TEST(ColorSelectDlg, FieldsKeepBothModelsInStepAndOkGivesTheColour) {
  ModalCapture modal([](ModalCall& call) { return call.show(); });
  ScriptedColourDialog dialog(RGB(0, 0, 0), [](ScriptedColourDialog& d) {
    char caption[64] = {};
    ::GetWindowTextA(d.m_hWnd, caption, sizeof caption);
    EXPECT_STREQ("选择颜色", caption);
    d.Type(IDC_CS_RED, "255");
    d.Type(IDC_CS_GREEN, "0");
    d.Type(IDC_CS_BLUE, "0");
    EXPECT_EQ(0, d.Number(IDC_CS_HUE));
    EXPECT_EQ(255, d.Number(IDC_CS_SATURATION));
    EXPECT_EQ(255, d.Number(IDC_CS_BRIGHTNESS));

    d.Type(IDC_CS_HUE, "400");
    EXPECT_EQ(359, d.m_hue);
    EXPECT_EQ(359, d.Number(IDC_CS_HUE));
    EXPECT_EQ(255, d.Number(IDC_CS_RED));
    d.Type(IDC_CS_HUE, "0");

    // A drag from the wheel's centre towards the top sets a hue of 90.
    d.Drag(d.m_wheelCentre, POINT{d.m_wheelCentre.x, d.m_wheelCentre.y - 50});
    EXPECT_EQ(90, d.Number(IDC_CS_HUE));
    EXPECT_EQ(127, d.Number(IDC_CS_SATURATION));
    // Down at the bar's bottom: black.
    d.Drag(POINT{d.m_bar.left + 5, d.m_bar.bottom - 1}, POINT{d.m_bar.left + 5, d.m_bar.bottom + 30});
    EXPECT_EQ(0, d.m_brightness);
    EXPECT_EQ(0, d.Number(IDC_CS_RED));
    // The red handle dragged to its corner: full red again.
    d.Type(IDC_CS_BRIGHTNESS, "255");
    d.Type(IDC_CS_SATURATION, "255");
    d.Type(IDC_CS_HUE, "240");
    EXPECT_EQ(0, d.m_red);
    const RECT& red = d.m_handleRect[0];
    d.Drag(POINT{(red.left + red.right) / 2, (red.top + red.bottom) / 2}, POINT{d.m_triangle[1].x, 0});
    EXPECT_EQ(255, d.m_red);
    EXPECT_EQ(255, d.Number(IDC_CS_RED));
    EXPECT_EQ(255, d.m_blue);

    // A field emptied while typing reads as 0 and is left empty for the next digits.
    d.Type(IDC_CS_GREEN, "");
    EXPECT_EQ(0, d.m_green);
    EXPECT_EQ(CString(""), d.Text(IDC_CS_GREEN));
    d.Type(IDC_CS_RED, "255");
    d.Type(IDC_CS_GREEN, "0");
    d.Type(IDC_CS_BLUE, "0");
    d.Press(IDOK);
  });
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(RGB(255, 0, 0), dialog.GetColor());
  ASSERT_EQ(1u, modal.calls().size());
  EXPECT_EQ(static_cast<UINT>(IDD_COLOUR_SELECT), modal.calls()[0].id);
}

TEST(ColorSelectDlg, CancelAnswersIdCancel) {
  ModalCapture modal([](ModalCall& call) { return call.show(); });
  ScriptedColourDialog dialog(RGB(10, 20, 30), [](ScriptedColourDialog& d) {
    EXPECT_EQ(10, d.Number(IDC_CS_RED));
    d.Type(IDC_CS_RED, "99");
    d.Press(IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

}  // namespace
