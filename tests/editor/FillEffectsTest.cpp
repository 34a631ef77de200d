// The fill effects dialog: what each page stores as it is used, the tabs the page mask
// makes, the picture's placement both ways, the samples' pixels, and the way a colour
// popup and a picker button hand their fills to the dialog and take them back.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "editor/panels/ColorPopupDlg.h"
#include "editor/panels/ColourPicker.h"
#include "editor/panels/FillEffectsDlg.h"
#include "editor/panels/GradientPage.h"
#include "editor/panels/PatternPage.h"
#include "editor/panels/PicturePage.h"
#include "model/DrawObj.h"
#include "resources/KordelIds.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"
#include "tests/support/PictureFiles.h"

namespace {

// The dialog made modeless on its fields, as DoModal would show it.
std::unique_ptr<CFillEffectsDlg> Open(const FillEffect& effect) {
  auto dialog = std::make_unique<CFillEffectsDlg>();
  dialog->m_effect = effect;
  EXPECT_TRUE(dialog->Create(IDD_FILL_EFFECTS));
  return dialog;
}

CGradientPage* GradientOf(const CFillEffectsDlg& dialog) {
  return dynamic_cast<CGradientPage*>(dialog.GetPage(FillEffect::kGradientPage));
}

void Scroll(CWnd* page, CScrollBar& bar, UINT code, int position = 0) {
  page->SendMessage(WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar.m_hWnd));
}

void Click(CWnd* page, UINT id) { ::SendMessageA(::GetDlgItem(page->m_hWnd, id), BM_CLICK, 0, 0); }

bool Visible(CWnd* page, UINT id) { return (::GetWindowLongA(::GetDlgItem(page->m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0; }

FillEffect LinearTwoColour() {
  FillEffect effect;
  effect.fillKind = FillEffect::kLinearGradient;
  effect.colourCount = 2;
  effect.startColour = 0xFF102030;
  effect.endColour = 0xFF405060;
  return effect;
}

TEST(GradientPage, StoresWhatItsControlsShow) {
  FillEffect one = LinearTwoColour();
  one.colourCount = 1;
  auto dialog = Open(one);
  CGradientPage* page = GradientOf(*dialog);
  ASSERT_TRUE(page);
  EXPECT_TRUE(page->IsDlgButtonChecked(IDC_FE_ONE_COLOUR));
  EXPECT_TRUE(Visible(page, IDC_FE_SHADE));
  EXPECT_FALSE(Visible(page, IDC_FE_SECOND_PICKER));
  EXPECT_EQ(0x40, page->m_shadeBar.GetScrollPos()) << "the shade is the end colour's red";

  // One colour: the end is the grey of the shade.
  Scroll(page, page->m_shadeBar, SB_THUMBTRACK, 128);
  Scroll(page, page->m_shadeBar, SB_ENDSCROLL);
  EXPECT_EQ(0xFF808080u, dialog->m_effect.endColour);

  // The start transparency bar at its end: the edit shows it, the start is clear.
  for (int i = 0; i < 30; ++i) Scroll(page, page->m_startBar, SB_PAGERIGHT);
  Scroll(page, page->m_startBar, SB_ENDSCROLL);
  CString text;
  page->GetDlgItemText(IDC_FE_START_EDIT, text);
  EXPECT_STREQ("255", text.GetString());
  EXPECT_EQ(0u, dialog->m_effect.startColour >> 24);
  // Typing a transparency moves its bar and stores it.
  page->SetDlgItemText(IDC_FE_START_EDIT, "0");
  EXPECT_EQ(0, page->m_startBar.GetScrollPos());
  EXPECT_EQ(0xFFu, dialog->m_effect.startColour >> 24);

  struct StyleRow {
    int style;
    int kind;
  };
  for (const StyleRow& row : {StyleRow{4, 3}, StyleRow{1, 4}, StyleRow{5, 3}, StyleRow{3, 4}}) {
    SCOPED_TRACE(row.style);
    Click(page, CGradientPage::kStyleButtons[row.style]);
    EXPECT_EQ(row.kind, dialog->m_effect.fillKind);
    EXPECT_EQ(row.style, dialog->m_effect.gradientStyle);
  }

  // The pickers hold COLORREFs; the dialog's colours are ARGB.
  page->m_startPicker.SetColour(RGB(255, 0, 0));
  page->SendMessage(WellSelOkMessage(), RGB(255, 0, 0), IDC_FE_FIRST_PICKER);
  EXPECT_EQ(0xFFFF0000u, dialog->m_effect.startColour);
  dialog->DestroyWindow();
}

TEST(GradientPage, TheFirstClickOnOneColourCounts) {
  auto dialog = Open(LinearTwoColour());
  CGradientPage* page = GradientOf(*dialog);
  ASSERT_TRUE(page);
  EXPECT_TRUE(page->IsDlgButtonChecked(IDC_FE_TWO_COLOURS));
  Click(page, IDC_FE_ONE_COLOUR);
  EXPECT_EQ(1, dialog->m_effect.colourCount);
  EXPECT_FALSE(Visible(page, IDC_FE_SECOND_PICKER));
  EXPECT_TRUE(Visible(page, IDC_FE_SHADE));
  Click(page, IDC_FE_TWO_COLOURS);
  EXPECT_EQ(2, dialog->m_effect.colourCount);
  EXPECT_TRUE(Visible(page, IDC_FE_SECOND_PICKER));

  // A plain fill opens with no colour controls; a style brings them up.
  FillEffect plain;
  auto second = Open(plain);
  CGradientPage* fresh = GradientOf(*second);
  EXPECT_FALSE(Visible(fresh, IDC_FE_FIRST_PICKER));
  Click(fresh, IDC_FE_STYLE_VERTICAL);
  EXPECT_TRUE(Visible(fresh, IDC_FE_FIRST_PICKER));
  EXPECT_EQ(FillEffect::kLinearGradient, second->m_effect.fillKind);
  second->DestroyWindow();
  dialog->DestroyWindow();
}

// A transparency typed past 255 is refused, with the range, by OK and by a change of tab;
// the page's bar never took it.
TEST(GradientPage, ATransparencyOutOfRangeKeepsThePage) {
  auto dialog = Open(LinearTwoColour());
  CGradientPage* page = GradientOf(*dialog);
  ASSERT_TRUE(page);
  MessageBoxCapture boxes;
  page->SetDlgItemText(IDC_FE_END_EDIT, "300");
  EXPECT_EQ(255, page->m_endBar.GetScrollPos());
  NMHDR changing = {dialog->m_tabs.m_hWnd, IDC_FE_TABS, static_cast<UINT>(TCN_SELCHANGING)};
  EXPECT_TRUE(dialog->SendMessage(WM_NOTIFY, IDC_FE_TABS, reinterpret_cast<LPARAM>(&changing)));
  dialog->ShowWindow(SW_SHOW);
  dialog->SendMessage(WM_COMMAND, IDOK, 0);
  ASSERT_EQ(2u, boxes.boxes().size());
  EXPECT_STREQ("请输入一个介于 0 和 255 之间的整数。", boxes.boxes()[1].text.GetString());
  EXPECT_TRUE(dialog->IsWindowVisible()) << "OK closed the dialog";

  page->SetDlgItemText(IDC_FE_END_EDIT, "255");
  EXPECT_FALSE(dialog->SendMessage(WM_NOTIFY, IDC_FE_TABS, reinterpret_cast<LPARAM>(&changing)));
  dialog->SendMessage(WM_COMMAND, IDOK, 0);
  EXPECT_EQ(2u, boxes.boxes().size());
  EXPECT_FALSE(dialog->IsWindowVisible()) << "a valid OK ends the dialog";
  dialog->DestroyWindow();
}

TEST(PatternPage, ViewingItKeepsTheGradientsColours) {
  FillEffect effect = LinearTwoColour();
  effect.hatchStyle = 3;
  auto dialog = Open(effect);
  auto* pattern = dynamic_cast<CPatternPage*>(dialog->GetPage(FillEffect::kPatternPage));
  ASSERT_TRUE(pattern);
  // Change the gradient's start, then show the pattern tab and paint its sample.
  CGradientPage* gradient = GradientOf(*dialog);
  gradient->m_startPicker.SetColour(RGB(0, 255, 0));
  gradient->SendMessage(WellSelOkMessage(), RGB(0, 255, 0), IDC_FE_FIRST_PICKER);
  pattern->ShowWindow(SW_SHOW);
  pattern->RedrawSample();
  EXPECT_EQ(0xFF00FF00u, dialog->m_effect.startColour);
  EXPECT_EQ(FillEffect::kLinearGradient, dialog->m_effect.fillKind);

  // A hatch chosen in the well is the pattern.
  pattern->SendMessage(WellSelOkMessage(), 7, IDC_FE_HATCH_WELL);
  EXPECT_EQ(FillEffect::kPattern, dialog->m_effect.fillKind);
  EXPECT_EQ(7, dialog->m_effect.hatchStyle);
  EXPECT_EQ(0xFF102030u, dialog->m_effect.startColour) << "the pattern page's own foreground";
  CString name;
  pattern->GetDlgItemText(IDC_FE_NAME, name);
  EXPECT_STREQ(pattern->m_well.GetCellTip(7).GetString(), name.GetString());
  dialog->DestroyWindow();
}

TEST(FillEffectsDlg, PageMaskMakesTheTabs) {
  FillEffect effect;
  effect.pageMask = FillEffect::kPatternPage;
  auto dialog = Open(effect);
  ASSERT_EQ(1, dialog->m_tabs.GetItemCount());
  char caption[32] = {};
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = caption;
  item.cchTextMax = sizeof caption;
  dialog->m_tabs.GetItem(0, &item);
  EXPECT_STREQ("图案", caption);
  CFillPage* page = dialog->GetPage(FillEffect::kPatternPage);
  ASSERT_TRUE(page);
  EXPECT_TRUE(page->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(nullptr, dialog->GetPage(FillEffect::kGradientPage));
  RECT rect;
  page->GetWindowRect(&rect);
  POINT origin = {rect.left, rect.top};
  ::ScreenToClient(dialog->m_tabs.m_hWnd, &origin);
  EXPECT_EQ(CHoverTabCtrl::kPageLeft, origin.x);
  EXPECT_EQ(CHoverTabCtrl::kPageTop, origin.y);
  dialog->DestroyWindow();
}

TEST(PicturePage, PlacementBothWays) {
  EXPECT_STREQ("Flip Horizontally and Vertically ", CPicturePage::kPlacements[3]);
  struct Opening {
    BYTE stretch;
    int wrapMode;
    int item;
  };
  for (const Opening& row : {Opening{1, 3, 5}, Opening{0, 3, 3}, Opening{0, 0, 0}, Opening{0, 9, 4}}) {
    FillEffect effect;
    effect.stretch = row.stretch;
    effect.wrapMode = row.wrapMode;
    EXPECT_EQ(row.item, CPicturePage::PlacementOf(effect)) << int(row.stretch) << " " << row.wrapMode;
  }

  FillEffect effect;
  effect.wrapMode = 3;
  auto dialog = Open(effect);
  auto* page = dynamic_cast<CPicturePage*>(dialog->GetPage(FillEffect::kPicturePage));
  ASSERT_TRUE(page);
  EXPECT_EQ(3, page->SendDlgItemMessage(IDC_FE_PLACEMENT, CB_GETCURSEL));
  auto choose = [&](int item) {
    page->SendDlgItemMessage(IDC_FE_PLACEMENT, CB_SETCURSEL, item);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FE_PLACEMENT, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, IDC_FE_PLACEMENT)));
  };
  choose(5);
  EXPECT_EQ(1, dialog->m_effect.stretch);
  EXPECT_EQ(3, dialog->m_effect.wrapMode) << "stretching keeps the wrap mode";
  EXPECT_EQ(FillEffect::kPicture, dialog->m_effect.fillKind);
  choose(2);
  EXPECT_EQ(0, dialog->m_effect.stretch);
  EXPECT_EQ(2, dialog->m_effect.wrapMode);
  dialog->DestroyWindow();
}

TEST(PicturePage, RefusesAFileThatIsNoPicture) {
  const CString bad = TestTempFolder() + "fill-effects-not-a-picture.jpg";
  if (FILE* f = std::fopen(bad.GetString(), "wb")) {
    std::fputs("no picture here", f);
    std::fclose(f);
  }
  const CString good = WriteTestPicture("fill-effects-good.bmp", 4, 4, [](int, int) { return RGB(0, 0, 255); });
  CString answer = bad;
  ModalCapture modal([&answer](ModalCall& call) {
    call.path = answer;
    return static_cast<INT_PTR>(IDOK);
  });
  MessageBoxCapture boxes;
  FillEffect effect;
  effect.picturePath = "C:\\kept.bmp";
  auto dialog = Open(effect);
  auto* page = dynamic_cast<CPicturePage*>(dialog->GetPage(FillEffect::kPicturePage));
  ASSERT_TRUE(page);
  Click(page, IDC_FE_CHOOSE_PICTURE);
  ASSERT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ("Not valid image file!", boxes.boxes()[0].text.GetString());
  EXPECT_STREQ("C:\\kept.bmp", dialog->m_effect.picturePath.GetString());
  EXPECT_TRUE(page->m_path.IsEmpty());
  EXPECT_EQ(FillEffect::kPlain, dialog->m_effect.fillKind);

  answer = good;
  Click(page, IDC_FE_CHOOSE_PICTURE);
  EXPECT_EQ(1u, boxes.boxes().size());
  EXPECT_STREQ(good.GetString(), dialog->m_effect.picturePath.GetString());
  EXPECT_EQ(FillEffect::kPicture, dialog->m_effect.fillKind);
  ASSERT_EQ(2u, modal.calls().size());
  EXPECT_TRUE(modal.calls()[0].open);
  // Tiled, the sample is the picture's blue.
  MemoryBitmap bitmap(20, 20);
  page->DrawSample(bitmap.dc(), RECT{0, 0, 20, 20});
  EXPECT_EQ(RGB(0, 0, 255), bitmap.Pixel(10, 10));
  dialog->DestroyWindow();
  std::remove(bad.GetString());
  std::remove(good.GetString());
}

// Coarse: Wine's GDI+ draws the gradients.
TEST(GradientPage, SamplesRunFromStartToEnd) {
  MemoryBitmap bitmap(60, 40);
  CGradientPage::FillGradient(bitmap.dc(), RECT{0, 0, 60, 40}, 0, 0xFFFF0000, 0xFF0000FF);
  const COLORREF left = bitmap.Pixel(0, 20), right = bitmap.Pixel(59, 20);
  EXPECT_GT(GetRValue(left), GetBValue(left));
  EXPECT_GT(GetBValue(right), GetRValue(right));

  MemoryBitmap radial(60, 60);
  CGradientPage::FillGradient(radial.dc(), RECT{0, 0, 60, 60}, 4, 0xFFFF0000, 0xFF0000FF);
  const COLORREF centre = radial.Pixel(30, 30), corner = radial.Pixel(1, 1);
  EXPECT_GT(GetBValue(centre), GetRValue(centre)) << "the centre in the end colour";
  EXPECT_GT(GetRValue(corner), GetBValue(corner)) << "the edges in the start colour";
}

// The colour popup as the frame runs it, choosing the well's fill effects entry.
class FillEffectsPopup : public CColorPopupDlg {
 public:
  FillEffectsPopup() : CColorPopupDlg(nullptr) {}
  BOOL OnInitDialog() override {
    const BOOL result = CColorPopupDlg::OnInitDialog();
    m_well->SetCurSel(CSVizColorWell::kFillEffects);
    ::PostMessageA(m_well->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    return result;
  }
};

TEST(FillEffectsDlg, ColourPopupsHandTheirGradientOverAndBack) {
  CDrawObj object(CRect(0, 0, 10, 10));
  object.m_fillKind = FillEffect::kPathGradient;
  object.m_fillGradient = 5;
  object.m_brush.lbColor = RGB(255, 0, 0);
  object.m_fillColour2 = RGB(0, 0, 255);

  struct Seen {
    int tabs = -1;
    bool ownCentreChecked = false;
    bool ownCentreShown = false;
  } seen;
  INT_PTR fillAnswer = IDOK;
  ModalCapture modal([&](ModalCall& call) -> INT_PTR {
    if (call.id != IDD_FILL_EFFECTS) return call.show();
    auto* dialog = static_cast<CFillEffectsDlg*>(call.window);
    dialog->Create(IDD_FILL_EFFECTS);
    seen.tabs = dialog->m_tabs.GetItemCount();
    CGradientPage* page = GradientOf(*dialog);
    seen.ownCentreChecked = page && page->IsDlgButtonChecked(IDC_FE_STYLE_OWN_CENTRE);
    seen.ownCentreShown = page && Visible(page, IDC_FE_STYLE_OWN_CENTRE);
    dialog->DestroyWindow();
    return fillAnswer;
  });

  FillEffectsPopup fill;
  fill.LoadFromObject(&object, 1);
  ASSERT_EQ(IDOK, fill.Popup(0, RGB(255, 0, 0), RECT{40, 40, 64, 62}, 0));
  EXPECT_EQ(1, seen.tabs) << "the gradient page alone";
  EXPECT_TRUE(seen.ownCentreChecked);
  EXPECT_TRUE(seen.ownCentreShown);
  CDrawObj copy(CRect(0, 0, 10, 10));
  fill.ApplyToObject(&copy);
  EXPECT_EQ(FillEffect::kPathGradient, copy.m_fillKind);
  EXPECT_EQ(5, copy.m_fillGradient);
  EXPECT_EQ(RGB(255, 0, 0), copy.m_brush.lbColor);
  EXPECT_EQ(RGB(0, 0, 255), copy.m_fillColour2);
  EXPECT_EQ(FillEffect::kPathGradient, fill.m_variant) << "the variant byte is the fill kind";

  FillEffectsPopup line;
  line.LoadFromObject(&object, 0);
  line.Popup(0, 0, RECT{40, 40, 64, 62}, 0);
  EXPECT_FALSE(seen.ownCentreShown) << "a pen has no moved centre";

  fillAnswer = IDCANCEL;
  FillEffectsPopup cancelled;
  cancelled.LoadFromObject(&object, 1);
  cancelled.m_fillKind = FillEffect::kPlain;
  EXPECT_EQ(IDCANCEL, cancelled.Popup(0, RGB(255, 0, 0), RECT{40, 40, 64, 62}, 0));
  EXPECT_EQ(FillEffect::kPlain, cancelled.m_fillKind);
}

TEST(FillEffectsDlg, PickerButtonsTakeTheFillBack) {
  struct Row {
    int kind;
    int style;
    bool defaultCentre;
  };
  for (const Row& row : {Row{FillEffect::kPathGradient, 4, true}, Row{FillEffect::kPathGradient, 5, true},
                         Row{FillEffect::kLinearGradient, 2, false}}) {
    SCOPED_TRACE(row.style);
    CColourPicker picker;
    picker.m_noFill = 1;
    FillEffect effect;
    effect.fillKind = row.kind;
    effect.gradientStyle = row.style;
    effect.stretch = 1;
    effect.wrapMode = 2;
    effect.picturePath = "a.png";
    ASSERT_TRUE(picker.TakeFillEffect(effect));
    EXPECT_EQ(row.defaultCentre, picker.GetDefaultCentre() != 0);
    EXPECT_EQ(row.style, picker.m_gradientMode);
    EXPECT_TRUE(picker.GetStretch());
    EXPECT_EQ(0, picker.m_noFill);
    FillEffect back;
    picker.LoadFillEffect(back);
    EXPECT_EQ(row.kind, back.fillKind);
    EXPECT_EQ(row.style, back.gradientStyle);
    EXPECT_EQ(2, back.wrapMode);
    EXPECT_EQ(1, back.stretch);
    EXPECT_STREQ("a.png", back.picturePath.GetString());
    EXPECT_EQ(7, back.pageMask);
  }
}

}  // namespace
