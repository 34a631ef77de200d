// The colour picker button and the colour popup dialog: the drop-down and the messages
// it relays, the swatch of every fill kind, an object's colours in and out, and the
// hidden popup dialog run for real.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/panels/ColorPopupDlg.h"
#include "editor/panels/ColourPicker.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/ModalCapture.h"

namespace {

struct Heard {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Heard& o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
};

class RecordingParent : public CWnd {
 public:
  RecordingParent() {
    CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 200, 200, 300, 200, nullptr, nullptr);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WellSelChangeMessage() || message == WellSelOkMessage() || message == WellSelCancelMessage() ||
        message == WellDropDownMessage() || message == WellCloseUpMessage()) {
      heard.push_back({message, wParam, lParam});
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Heard> heard;
};

constexpr UINT kPickerId = 77;

TEST(ColourPicker, AClickDropsAWellBelowAndItsEndIsRelayed) {
  RecordingParent parent;
  CColourPicker picker;
  ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10, 10, 90, 30}, &parent, kPickerId));
  picker.SetColour(RGB(0, 0, 255));
  picker.m_fillKind = CColourPicker::kHatch;
  picker.m_noFill = 1;

  parent.SendMessage(WM_COMMAND, MAKEWPARAM(kPickerId, BN_CLICKED), reinterpret_cast<LPARAM>(picker.m_hWnd));
  EXPECT_EQ(1, picker.m_active);
  auto* well = dynamic_cast<CSVizColorWell*>(CWnd::FromHandlePermanent(::GetCapture()));
  ASSERT_TRUE(well);
  RECT button, dropped;
  picker.GetWindowRect(&button);
  well->GetWindowRect(&dropped);
  EXPECT_EQ(button.left, dropped.left);
  EXPECT_EQ(button.bottom, dropped.top);
  EXPECT_EQ(13, well->m_chosen) << "blue is chosen as the well opens";
  EXPECT_FALSE(well->m_topText.IsEmpty());
  ASSERT_EQ(1u, parent.heard.size());
  EXPECT_EQ((Heard{WellDropDownMessage(), RGB(0, 0, 255), kPickerId}), parent.heard[0]);

  parent.heard.clear();
  well->SetCurSel(16);
  well->SendMessage(WM_KEYDOWN, VK_RETURN, 0);  // the well is gone now
  const std::vector<Heard> expected = {{WellSelChangeMessage(), RGB(255, 0, 0), kPickerId},
                                       {WellCloseUpMessage(), RGB(255, 0, 0), kPickerId},
                                       {WellSelOkMessage(), RGB(255, 0, 0), kPickerId}};
  EXPECT_EQ(expected, parent.heard);
  EXPECT_EQ(RGB(255, 0, 0), picker.GetColour());
  EXPECT_EQ(0, picker.m_active);
  EXPECT_EQ(CColourPicker::kSolid, picker.m_fillKind) << "a plain colour ends any fill";
  EXPECT_EQ(0, picker.m_noFill);
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(ColourPicker, SwatchShowsEachFillKind) {
  RecordingParent parent;
  CColourPicker picker;
  ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {10, 10, 130, 50}, &parent, kPickerId));
  RECT client;
  picker.GetClientRect(&client);
  const int edge = ::GetSystemMetrics(SM_CXEDGE);
  const int arrow = picker.m_arrowRect.right - picker.m_arrowRect.left;
  const RECT swatch = {client.left + edge, client.top + edge, client.right - edge - arrow, client.bottom - edge};
  const int midY = (swatch.top + swatch.bottom) / 2;
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  auto draw = [&] {
    auto bitmap = std::make_unique<MemoryBitmap>(client.right, client.bottom);
    bitmap->Fill(face);
    DRAWITEMSTRUCT item = {};
    item.hDC = bitmap->dc();
    item.rcItem = client;
    picker.DrawItem(&item);
    return bitmap;
  };
  picker.SetFirstColour(0xFFFF0000);
  picker.SetSecondColour(0xFF0000FF);

  picker.SetColour(RGB(0, 128, 0));
  EXPECT_EQ(RGB(0, 128, 0), draw()->Pixel(swatch.left + 3, midY)) << "solid";

  picker.SetFillKind(CColourPicker::kLinearGradient);
  picker.SetGradientMode(0);  // left to right
  {
    auto bitmap = draw();
    EXPECT_GT(GetRValue(bitmap->Pixel(swatch.left + 1, midY)), 200);
    EXPECT_GT(GetBValue(bitmap->Pixel(swatch.right - 2, midY)), 200);
  }
  picker.SetFillKind(CColourPicker::kRadialGradient);
  {
    const int width = swatch.right - swatch.left, height = swatch.bottom - swatch.top;
    auto bitmap = draw();
    const COLORREF centre = bitmap->Pixel(swatch.left + 3 * width / 4, swatch.top + height / 4);
    EXPECT_GT(GetBValue(centre), 200) << "the centre takes the second colour";
    EXPECT_GT(GetRValue(bitmap->Pixel(swatch.left, swatch.bottom - 1)), GetRValue(centre));
  }
  picker.SetFillKind(CColourPicker::kHatch);
  picker.SetHatchStyle(4);  // cross
  {
    auto bitmap = draw();
    int red = 0, blue = 0;
    for (int x = swatch.left; x < swatch.right; ++x)
      for (int y = swatch.top; y < swatch.bottom; ++y) {
        const COLORREF p = bitmap->Pixel(x, y);
        red += p == RGB(255, 0, 0);
        blue += p == RGB(0, 0, 255);
      }
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, red);
  }
  // Nothing to draw with: the swatch is left as it was.
  const struct {
    const char* what;
    std::function<void()> set;
  } empties[] = {
      {"hatch style out of range", [&] { picker.SetHatchStyle(53); }},
      {"a picture file that is missing",
       [&] { picker.SetFillKind(CColourPicker::kPicture), picker.SetPictureFile("Z:\\nowhere\\missing.bmp"); }},
      {"no fill", [&] { picker.SetFillKind(CColourPicker::kSolid), picker.m_noFill = 1; }},
  };
  for (const auto& row : empties) {
    SCOPED_TRACE(row.what);
    row.set();
    auto bitmap = draw();
    EXPECT_EQ(face, bitmap->Pixel((swatch.left + swatch.right) / 2, midY));
    EXPECT_NE(face, bitmap->Pixel(client.left, client.top)) << "the sunken edge is drawn";
  }
}

TEST(ColorPopupDlg, ObjectColoursGoInAndOutUnchanged) {
  CDrawObj object(CRect(0, 0, 10, 10));
  object.m_pen.lopnColor = RGB(10, 20, 30);
  object.m_lineAlpha = 100;
  object.m_lineColour2 = RGB(40, 50, 60);
  object.m_lineAlpha2 = 0;
  object.m_lineKind = 4;
  object.m_lineGradient = 0x105;
  object.m_brush.lbColor = RGB(90, 90, 90);
  object.m_fillAlpha = 255;
  object.m_fillColour2 = RGB(1, 2, 3);
  object.m_fillAlpha2 = 7;
  object.m_fillKind = 3;
  object.m_fillGradient = 2;
  object.m_gradientStyle = 1;

  CColorPopupDlg line(nullptr);
  line.LoadFromObject(&object, 0);
  EXPECT_EQ(RGB(10, 20, 30), line.m_colour);
  EXPECT_EQ(2, line.m_colourCount);
  EXPECT_EQ(0x9B0A141Eu, line.m_firstColour);
  EXPECT_EQ(0xFF28323Cu, line.m_secondColour);
  EXPECT_EQ(0x05, line.m_variant);
  EXPECT_EQ(0, line.m_fillSelector);
  CColorPopupDlg fill(nullptr);
  fill.LoadFromObject(&object, 1);
  EXPECT_EQ(1, fill.m_colourCount) << "a grey";
  EXPECT_EQ(0x005A5A5Au, fill.m_firstColour);

  CDrawObj copy(CRect(0, 0, 10, 10));
  line.ApplyToObject(&copy);
  fill.ApplyToObject(&copy);
  EXPECT_EQ(object.m_pen.lopnColor, copy.m_pen.lopnColor);
  EXPECT_EQ(object.m_lineAlpha, copy.m_lineAlpha);
  EXPECT_EQ(object.m_lineColour2, copy.m_lineColour2);
  EXPECT_EQ(object.m_lineAlpha2, copy.m_lineAlpha2);
  EXPECT_EQ(object.m_lineKind, copy.m_lineKind);
  EXPECT_EQ(object.m_lineGradient, copy.m_lineGradient);
  EXPECT_EQ(object.m_brush.lbColor, copy.m_brush.lbColor);
  EXPECT_EQ(object.m_fillAlpha, copy.m_fillAlpha);
  EXPECT_EQ(object.m_fillColour2, copy.m_fillColour2);
  EXPECT_EQ(object.m_fillAlpha2, copy.m_fillAlpha2);
  EXPECT_EQ(object.m_fillKind, copy.m_fillKind);
  EXPECT_EQ(object.m_fillGradient, copy.m_fillGradient);
  EXPECT_EQ(1, copy.m_gradientStyle);

  CColorPopupDlg other(nullptr);
  other.LoadFromObject(&object, 2);
  other.m_fillKind = 9;
  other.ApplyToObject(&copy);
  EXPECT_EQ(object.m_fillKind, copy.m_fillKind) << "another mode changes nothing";
}

// The popup dialog as the frame runs it; the script runs once its well is up.
class ScriptedPopup : public CColorPopupDlg {
 public:
  explicit ScriptedPopup(std::function<void(ScriptedPopup&)> script)
      : CColorPopupDlg(nullptr), m_script(std::move(script)) {}
  BOOL OnInitDialog() override {
    const BOOL result = CColorPopupDlg::OnInitDialog();
    m_script(*this);
    return result;
  }

 private:
  std::function<void(ScriptedPopup&)> m_script;
};

TEST(ColorPopupDlg, RunsHiddenAndEndsWithTheWell) {
  ModalCapture modal([](ModalCall& call) { return call.show(); });
  HWND well = nullptr;
  ScriptedPopup popup([&well](ScriptedPopup& d) {
    ASSERT_TRUE(d.m_well);
    EXPECT_FALSE(d.m_well->m_automaticText.IsEmpty());
    EXPECT_FALSE(d.m_well->m_moreColoursText.IsEmpty());
    EXPECT_TRUE(d.m_well->m_fillEffectsText.IsEmpty()) << "no fill effects";
    EXPECT_TRUE(d.m_well->m_topText.IsEmpty());
    EXPECT_EQ(1, d.m_well->m_skipRelease);
    well = d.m_well->m_hWnd;
    d.m_well->SetCurSel(26);
    ::PostMessageA(well, WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(IDOK, popup.Popup(0, RGB(0, 0, 255), RECT{40, 40, 64, 62}, 1));
  EXPECT_EQ(RGB(255, 255, 0), popup.m_colour);
  EXPECT_EQ(0, popup.m_fillKind);
  EXPECT_FALSE(::IsWindow(well));
  EXPECT_FALSE(::IsWindow(popup.m_hWnd));
  ASSERT_EQ(1u, modal.calls().size());
  EXPECT_EQ(static_cast<UINT>(IDD_COLOUR_POPUP), modal.calls()[0].id);

  ScriptedPopup cancelled([](ScriptedPopup& d) {
    EXPECT_FALSE(d.m_well->m_fillEffectsText.IsEmpty());
    EXPECT_FALSE(::IsWindowVisible(d.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(d.m_well->m_hWnd));
    ::PostMessageA(d.m_well->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(IDCANCEL, cancelled.Popup(0, RGB(0, 0, 255), RECT{40, 40, 64, 62}, 0));
  EXPECT_EQ(RGB(0, 0, 255), cancelled.m_colour);
}

}  // namespace
