// The format bar: sizes in twips and their texts, the font list's faces and how a face
// is matched, the exchange with a stand-in owner (sync, Enter, list choices), and the
// bar in the frame, acting on a selected text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/panels/ColorPopupDlg.h"
#include "editor/panels/FormatBar.h"
#include "framework/ui/CmdUI.h"
#include "model/DrawText.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/ModalCapture.h"

namespace {

TEST(FontSizeText, TwipsShowAsHalfPoints) {
  const struct {
    int twips;
    const char* text;
  } rows[] = {{210, "10.5"}, {240, "12"}, {205, "10.5"}, {204, "10"}, {0, "0"}, {-1, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.twips);
    EXPECT_STREQ(row.text, CFontSizeCombo::TwipsToText(row.twips));
  }
}

TEST(FontSizeText, TextsReadAsTwips) {
  const struct {
    const char* text;
    int twips;
  } rows[] = {{" 12\t", 240}, {"", -1}, {" \t", -1}, {"12a", -2}, {"-3", 0},  {"0.5", 10},
              {"10.5", 210}, {"a", -2}, {"nan", -2}, {"inf", -2}, {"9e99", -2}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(row.twips, CFontSizeCombo::TextToTwips(row.text));
  }
}

TEST(FontFaces, OnlyWindowsCharacterSetsAndHorizontalFacesAreListed) {
  const struct {
    BYTE charset;
    const char* face;
    bool dbcs;
    bool listed;
  } rows[] = {{134, "宋体", true, true},   {0, "Arial", true, true},    {77, "Arial", false, false},
              {136, "细明体", true, true}, {137, "Arial", true, false}, {161, "Arial", false, false},
              {254, "Arial", true, false}, {255, "Terminal", true, true}, {134, "@宋体", true, false},
              {134, "@宋体", false, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.face) + " " + std::to_string(row.charset));
    EXPECT_EQ(row.listed, CFontNameCombo::IsListedFace(row.charset, row.face, row.dbcs));
  }
}

// A typed face goes into a 32-byte field: cut at 31 bytes, never within a character.
TEST(FontFaces, TypedFacesAreCutOnACharacterBoundary) {
  const std::string ascii(40, 'x');
  std::string chinese;
  for (int i = 0; i < 16; ++i) chinese += "宋";  // two bytes each in code page 936
  const struct {
    std::string text;
    std::string face;
  } rows[] = {{"Arial", "Arial"},
              {ascii, std::string(31, 'x')},
              {chinese, chinese.substr(0, 30)},
              {"a" + chinese, "a" + chinese.substr(0, 30)},
              {"ab" + chinese, "ab" + chinese.substr(0, 28)}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    char face[LF_FACESIZE];
    memset(face, '?', sizeof face);
    CFormatBar::CopyFaceName(face, row.text.c_str());
    EXPECT_EQ(row.face, face);
    EXPECT_EQ('\0', face[LF_FACESIZE - 1]);
  }
}

// A plain window for the boxes and bars to live in; as the bar's owner it answers the
// selection's format and records what it is told.
class StandInOwner : public CWnd {
 public:
  StandInOwner() {
    CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 700, 120, nullptr, nullptr);
  }
  ~StandInOwner() override { DestroyWindow(); }
  struct Heard {
    UINT code;
    CHARFORMATA cf;
  };
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_NOTIFY) return CWnd::WindowProc(message, wParam, lParam);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == kFormatGetCharFormat) {
      CHARFORMATA& cf = reinterpret_cast<CharFormatNotify*>(header)->cf;
      cf.dwMask = answer.dwMask;
      cf.yHeight = answer.yHeight;
      cf.bCharSet = answer.bCharSet;
      memcpy(cf.szFaceName, answer.szFaceName, sizeof cf.szFaceName);
      ++asked;
    } else if (header->code == kFormatSetCharFormat) {
      told.push_back({header->code, reinterpret_cast<CharFormatNotify*>(header)->cf});
    } else {
      return CWnd::WindowProc(message, wParam, lParam);  // the toolbar's own notifications
    }
    return 1;
  }
  void Answer(const char* face, BYTE charset, LONG height) {
    answer = {};
    answer.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE;
    lstrcpynA(answer.szFaceName, face, LF_FACESIZE);
    answer.bCharSet = charset;
    answer.yHeight = height;
  }

  CHARFORMATA answer = {};
  int asked = 0;
  std::vector<Heard> told;
};

ENUMLOGFONTEXA Enumerated(const char* face, BYTE charset, const char* script) {
  ENUMLOGFONTEXA font = {};
  lstrcpynA(font.elfLogFont.lfFaceName, face, LF_FACESIZE);
  font.elfLogFont.lfCharSet = charset;
  lstrcpynA(reinterpret_cast<char*>(font.elfScript), script, LF_FACESIZE);
  return font;
}

std::vector<std::string> Items(const CComboBox& combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo.GetCount(); ++i) {
    CString text;
    combo.GetLBText(i, text);
    items.push_back(text.str());
  }
  return items;
}

TEST(FontFaces, AFaceInTwoCharacterSetsIsListedTwiceWithItsScripts) {
  StandInOwner owner;
  CFontNameCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
                               CBS_SORT | CBS_AUTOHSCROLL,
                           CRect(0, 0, 200, 200), &owner, 128));
  const bool dbcs = ::GetSystemMetrics(SM_DBCSENABLED) != 0;
  combo.OfferFace(Enumerated("Arial", ANSI_CHARSET, "Western"), CFontNameCombo::kTrueType);
  combo.OfferFace(Enumerated("Tahoma", ANSI_CHARSET, "Western"), CFontNameCombo::kTrueType);
  combo.OfferFace(Enumerated("Arial", GB2312_CHARSET, "CHINESE_GB2312"), CFontNameCombo::kTrueType);
  combo.OfferFace(Enumerated("Arial", 204, "Cyrillic"), CFontNameCombo::kTrueType);
  combo.OfferFace(Enumerated("Arial", 77, "Mac"), CFontNameCombo::kTrueType);
  combo.OfferFace(Enumerated("@Vertical", GB2312_CHARSET, "CHINESE_GB2312"), CFontNameCombo::kTrueType);
  combo.ListPendingFaces();
  EXPECT_TRUE(combo.m_arrayFontDesc.empty());
  std::vector<std::string> expected = {"Arial (CHINESE_GB2312)", "Arial (Western)", "Tahoma"};
  if (!dbcs) expected.insert(expected.begin(), "@Vertical");
  EXPECT_EQ(expected, Items(combo));
  const int index = combo.FindStringExact(-1, "Arial (CHINESE_GB2312)");
  ASSERT_GE(index, 0);
  ASSERT_TRUE(combo.GetDesc(index));
  EXPECT_EQ("Arial", combo.GetDesc(index)->m_strName);
  EXPECT_EQ(GB2312_CHARSET, combo.GetDesc(index)->m_nCharSet);

  // Matching: the item of the face in that character set is selected.
  char face[LF_FACESIZE] = "Arial";
  EXPECT_FALSE(combo.MatchFont(face, GB2312_CHARSET));
  EXPECT_EQ(index, combo.GetCurSel());
  EXPECT_EQ("Arial (CHINESE_GB2312)", combo.GetTheText());
  // Listed in another set only, asked for in GB2312: the stand-in face, not an item.
  lstrcpynA(face, "Tahoma", LF_FACESIZE);
  EXPECT_TRUE(combo.MatchFont(face, GB2312_CHARSET));
  EXPECT_STREQ(CFontNameCombo::kGB2312Face, face);
  EXPECT_EQ(CB_ERR, combo.GetCurSel());
  EXPECT_EQ(CFontNameCombo::kGB2312Face, combo.GetTheText());
  // Listed in another set, asked for in that of neither: shown as typed.
  lstrcpynA(face, "Tahoma", LF_FACESIZE);
  EXPECT_FALSE(combo.MatchFont(face, SHIFTJIS_CHARSET));
  EXPECT_STREQ("Tahoma", face);
  EXPECT_EQ("Tahoma", combo.GetTheText());
  lstrcpynA(face, "Unknown", LF_FACESIZE);
  EXPECT_FALSE(combo.MatchFont(face, ANSI_CHARSET));
  EXPECT_EQ("Unknown", combo.GetTheText());
}

// An item draws the glyph of its kind of face (bitmap 338: a device font's on the left, a
// TrueType face's on the right), or none, at its left; selected, it is highlighted.
TEST(FontFaces, ItemsShowTheGlyphOfTheirKindOfFace) {
  StandInOwner owner;
  CFontNameCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           CRect(0, 0, 200, 200), &owner, 128));
  const struct {
    const char* face;
    DWORD flags;
    COLORREF atPrinter;  // (1, 8): the printer's left edge
    COLORREF atT;        // (8, 5): the front T's bar
  } rows[] = {{"Device", 0x400, RGB(0, 0, 0), RGB(255, 255, 255)},
              {"Scalable", CFontNameCombo::kTrueType | CFontNameCombo::kFromDevice, RGB(255, 255, 255), RGB(0, 0, 0)},
              {"Plain", 0, RGB(255, 255, 255), RGB(255, 255, 255)}};
  for (const auto& row : rows) combo.OfferFace(Enumerated(row.face, ANSI_CHARSET, "Western"), row.flags);
  combo.ListPendingFaces();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.face);
    const int index = combo.FindStringExact(-1, row.face);
    ASSERT_NE(CB_ERR, index);
    MemoryBitmap painted(200, 16);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = static_cast<UINT>(index);
    item.hDC = painted.dc();
    item.rcItem = {0, 0, 200, 16};
    item.itemData = reinterpret_cast<ULONG_PTR>(combo.GetDesc(index));
    combo.DrawItem(&item);
    EXPECT_EQ(row.atPrinter, painted.Pixel(1, 8));
    EXPECT_EQ(row.atT, painted.Pixel(8, 5));
    item.itemState = ODS_SELECTED;
    combo.DrawItem(&item);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), painted.Pixel(199, 15));
  }
}

class FormatBarOwnerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bar.CreateEx(&owner, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                             ID_VIEW_FORMAT_BAR));
    ASSERT_TRUE(bar.LoadToolBar(IDR_FORMAT_BAR));
    bar.SetSizes(CSize(23, 22), CSize(16, 16));
    bar.PositionCombos();
    ASSERT_TRUE(bar.CreateColorButton(RGB(0, 0, 255)));
  }
  // A face of the system's list with no GB2312 item, and its character set.
  const CFontDesc* FaceWithoutGB2312() const {
    std::set<std::string> inGB2312;
    const CFontNameCombo& names = bar.m_comboFontName;
    for (int i = 0; i < names.GetCount(); ++i)
      if (names.GetDesc(i)->m_nCharSet == GB2312_CHARSET) inGB2312.insert(names.GetDesc(i)->m_strName.str());
    for (int i = 0; i < names.GetCount(); ++i)
      if (!inGB2312.count(names.GetDesc(i)->m_strName.str())) return names.GetDesc(i);
    return nullptr;
  }
  // The key as the message loop hands it over, from the box's edit field.
  BOOL Key(CFormatCombo& combo, UINT key) {
    MSG msg = {};
    msg.hwnd = ::GetWindow(combo.m_hWnd, GW_CHILD);
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    return CWnd::WalkPreTranslateTree(owner.m_hWnd, &msg);
  }
  void Notify(CComboBox& combo, UINT code) {
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(combo.m_hWnd));
  }
  std::vector<LONG> SizesTold() const {
    std::vector<LONG> sizes;
    for (const auto& heard : owner.told) {
      EXPECT_EQ(kFormatSetCharFormat, heard.code);
      EXPECT_EQ(static_cast<DWORD>(CFM_SIZE), heard.cf.dwMask);
      sizes.push_back(heard.cf.yHeight);
    }
    return sizes;
  }

  StandInOwner owner;
  CFormatBar bar;
};

TEST_F(FormatBarOwnerTest, TheBoxesStandInTheirPlacesOverTheSystemsFaces) {
  EXPECT_EQ(CFormatBar::IDC_FONTNAME, bar.GetItemID(0));
  EXPECT_EQ(CFormatBar::IDC_FONTSIZE, bar.GetItemID(2));
  for (int index : {0, 2}) {
    SCOPED_TRACE(index);
    CFormatCombo& combo = index ? static_cast<CFormatCombo&>(bar.m_comboFontSize) : bar.m_comboFontName;
    CRect item, box;
    bar.GetItemRect(index, &item);
    combo.GetWindowRect(&box);
    bar.ScreenToClient(&box);
    EXPECT_EQ(item.left, box.left);
    EXPECT_EQ(item.Width(), box.Width());
    EXPECT_LE(std::abs((box.top - item.top) - (item.bottom - box.bottom)), 1) << "centred";
  }
  for (const auto& [combo, limit] : {std::pair<CComboBox*, int>{&bar.m_comboFontName, 32}, {&bar.m_comboFontSize, 4}})
    EXPECT_EQ(limit, ::SendMessageA(::GetWindow(combo->m_hWnd, GW_CHILD), EM_GETLIMITTEXT, 0, 0));
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  bar.SendMessage(TB_GETBUTTONINFOA, ID_TEXT_COLOUR, reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
  EXPECT_TRUE(bar.GetToolBarCtrl().GetExtendedStyle() & TBSTYLE_EX_DRAWDDARROWS);
  // The text colour's strip lies in its button.
  CRect colourButton, strip;
  bar.GetToolBarCtrl().GetRect(ID_TEXT_COLOUR, &colourButton);
  ASSERT_TRUE(bar.m_textColourRect.m_hWnd);
  ::GetWindowRect(bar.m_textColourRect.m_hWnd, &strip);
  bar.ScreenToClient(&strip);
  EXPECT_EQ(CColorRect::StripRect(colourButton), strip);
  EXPECT_EQ(RGB(0, 0, 255), bar.m_textColourRect.m_colour);
  // The system's scalable faces, each with its descriptor, none vertical on this
  // double-byte system.
  ASSERT_GT(bar.m_comboFontName.GetCount(), 0);
  for (int i = 0; i < bar.m_comboFontName.GetCount(); ++i) {
    const CFontDesc* desc = bar.m_comboFontName.GetDesc(i);
    ASSERT_TRUE(desc);
    EXPECT_EQ(CFontNameCombo::kTrueType | CFontNameCombo::kFromDevice, desc->m_dwFlags);
    if (::GetSystemMetrics(SM_DBCSENABLED)) {
      EXPECT_NE('@', desc->m_strName.GetString()[0]) << desc->m_strName;
    }
  }
}

TEST_F(FormatBarOwnerTest, SyncShowsWholePointsAndLeavesTheOwnersFormatAlone) {
  const CFontDesc* desc = FaceWithoutGB2312();
  ASSERT_TRUE(desc) << "the system lists a face without GB2312";
  const CString face = desc->m_strName;

  owner.Answer(face, desc->m_nCharSet, 210);
  bar.SyncFromSelection();
  EXPECT_EQ(1, owner.asked);
  EXPECT_EQ("10", bar.m_comboFontSize.GetTheText()) << "whole points, not 10.5";
  const int shown = bar.m_comboFontName.GetCurSel();
  ASSERT_NE(CB_ERR, shown);
  EXPECT_EQ(desc, bar.m_comboFontName.GetDesc(shown));

  // Asked for in GB2312, which the list lacks: the stand-in face is shown only.
  owner.Answer(face, GB2312_CHARSET, 240);
  bar.SyncFromSelection();
  EXPECT_EQ(CFontNameCombo::kGB2312Face, bar.m_comboFontName.GetTheText());
  EXPECT_EQ("12", bar.m_comboFontSize.GetTheText());
  EXPECT_TRUE(owner.told.empty()) << "showing the selection changes nothing";

  // Nothing to report: both boxes empty.
  owner.answer = {};
  bar.SyncFromSelection();
  EXPECT_EQ("", bar.m_comboFontName.GetTheText());
  EXPECT_EQ("", bar.m_comboFontSize.GetTheText());
}

TEST_F(FormatBarOwnerTest, EnterAppliesAnySizeAboveZeroAndTheListOnlyUsualOnes) {
  const CFontDesc* desc = FaceWithoutGB2312();
  ASSERT_TRUE(desc);
  owner.Answer(desc->m_strName, desc->m_nCharSet, 200);
  bar.SyncFromSelection();
  owner.told.clear();

  bar.m_comboFontSize.SetTheText("0.5", TRUE);
  EXPECT_TRUE(Key(bar.m_comboFontSize, VK_RETURN));
  EXPECT_EQ(std::vector<LONG>{10}, SizesTold());
  // Enter in the font box applies the size too, not the typed face.
  owner.told.clear();
  bar.m_comboFontName.SetEditText("Typed");
  EXPECT_TRUE(Key(bar.m_comboFontName, VK_RETURN));
  EXPECT_EQ(std::vector<LONG>{10}, SizesTold());
  bar.m_comboFontName.SetTheText(desc->m_strName);
  // No number: nothing.
  owner.told.clear();
  bar.m_comboFontSize.SetTheText("x", TRUE);
  EXPECT_TRUE(Key(bar.m_comboFontSize, VK_RETURN));
  EXPECT_TRUE(owner.told.empty());

  // The list opens on the face's sizes, the last good size set again; item 12 applies
  // 240 twips.
  Notify(bar.m_comboFontSize, CBN_DROPDOWN);
  EXPECT_EQ(16, bar.m_comboFontSize.GetCount()) << "a scalable face's usual sizes: " << desc->m_strName << " / "
                                                << bar.m_comboFontName.GetTheText();
  EXPECT_EQ("10", bar.m_comboFontSize.GetTheText()) << "no number: the last size set";
  const int twelve = bar.m_comboFontSize.FindStringExact(-1, "12");
  ASSERT_NE(CB_ERR, twelve);
  bar.m_comboFontSize.SetCurSel(twelve);
  Notify(bar.m_comboFontSize, CBN_SELCHANGE);
  EXPECT_EQ(std::vector<LONG>{240}, SizesTold());
  // A choice below 20 twips is not applied.
  owner.told.clear();
  bar.m_comboFontSize.SetEditText("0.5");
  Notify(bar.m_comboFontSize, CBN_SELCHANGE);
  EXPECT_TRUE(owner.told.empty());

  // Escape shows the selection's format again.
  EXPECT_TRUE(Key(bar.m_comboFontSize, VK_ESCAPE));
  EXPECT_EQ("10", bar.m_comboFontSize.GetTheText());
  // Other keys go on to the box.
  EXPECT_FALSE(Key(bar.m_comboFontSize, 'A'));
}

TEST_F(FormatBarOwnerTest, ChoosingAFaceAppliesItsDescriptor) {
  CFontNameCombo& names = bar.m_comboFontName;
  const int last = names.GetCount() - 1;
  const CFontDesc* desc = names.GetDesc(last);
  names.SetCurSel(last);
  Notify(names, CBN_SELCHANGE);
  ASSERT_EQ(1u, owner.told.size());
  const CHARFORMATA& cf = owner.told[0].cf;
  EXPECT_EQ(static_cast<DWORD>(CFM_FACE | CFM_CHARSET), cf.dwMask);
  EXPECT_EQ(desc->m_strName, cf.szFaceName);
  EXPECT_EQ(desc->m_nCharSet, cf.bCharSet);
  EXPECT_EQ(desc->m_nPitchAndFamily, cf.bPitchAndFamily);
}

// ---------------------------------------------------------------------------------
// In the frame

class FormatBarFrameTest : public EditorTest {};

CTestCmdUI Probe(CFrameWnd* frame, UINT id) {
  CTestCmdUI probe(id);
  probe.DoUpdate(frame, TRUE);
  return probe;
}

TEST_F(FormatBarFrameTest, CommandShowsAndHidesTheBarWhoseButtonsShowTheirImages) {
  CMainFrame* frame = NewPage();
  ASSERT_TRUE(frame);
  CFormatBar& bar = frame->m_wndFormatBar;
  ASSERT_TRUE(bar.m_hWnd);
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_TOP), bar.GetDockBarID());
  EXPECT_EQ(frame->GetControlBar(ID_VIEW_FORMAT_BAR), &bar);
  EXPECT_EQ(7, ImageList_GetImageCount(bar.GetToolBarCtrl().GetImageList()));

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    const BOOL before = bar.IsVisible();
    EXPECT_EQ(round == 0, before != FALSE);
    const CTestCmdUI probe = Probe(frame, ID_VIEW_FORMAT_BAR);
    EXPECT_TRUE(probe.m_bEnabled);
    EXPECT_EQ(before ? 1 : 0, probe.m_nCheck);
    frame->SendMessage(WM_COMMAND, ID_VIEW_FORMAT_BAR, 0);
    EXPECT_EQ(!before, bar.IsVisible() != FALSE);
  }

  // A selected text enables the style buttons, which show their black glyphs.
  auto* text = new CDrawText(CRect(0, 50, 200, 0));
  Doc()->Add(text);
  View()->Select(text, FALSE);
  bar.OnUpdateCmdUI(frame, TRUE);
  Pump();
  CRect client;
  bar.GetClientRect(&client);
  MemoryBitmap painted(client.Width(), client.Height());
  bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  for (UINT id : {ID_TEXT_BOLD, ID_TEXT_ITALIC, ID_TEXT_UNDERLINE}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(bar.GetToolBarCtrl().IsButtonEnabled(id));
    CRect button;
    bar.GetToolBarCtrl().GetRect(id, &button);
    int black = 0;
    for (int y = button.top; y < button.bottom; ++y)
      for (int x = button.left; x < button.right; ++x) black += painted.Pixel(x, y) == RGB(0, 0, 0);
    EXPECT_GE(black, 8);
  }
}

TEST_F(FormatBarFrameTest, SelectingATextShowsItsSizeAndEnterResizesIt) {
  CMainFrame* frame = NewPage();
  CFormatBar& bar = frame->m_wndFormatBar;
  auto* text = new CDrawText(CRect(0, 50, 200, 0));
  text->m_logFont.lfHeight = 21;
  const std::string face = text->m_logFont.lfFaceName;
  Doc()->Add(text);
  Doc()->SetModifiedFlag(FALSE);
  View()->Select(text, FALSE);
  EXPECT_EQ("10", bar.m_comboFontSize.GetTheText()) << "210 twips in whole points";
  EXPECT_EQ(face, text->m_logFont.lfFaceName);
  EXPECT_FALSE(Doc()->IsModified()) << "selecting a text leaves its page as it was";

  bar.m_comboFontSize.SetTheText("12", TRUE);
  MSG msg = {};
  msg.hwnd = ::GetWindow(bar.m_comboFontSize.m_hWnd, GW_CHILD);
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_RETURN;
  EXPECT_TRUE(app->PreTranslateMessage(&msg));
  EXPECT_EQ(24, text->m_logFont.lfHeight);
  EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(FormatBarFrameTest, TheColourArrowOpensTheTextColourPopupUnderItsButton) {
  CMainFrame* frame = NewPage();
  CFormatBar& bar = frame->m_wndFormatBar;
  auto* text = new CDrawText(CRect(0, 50, 200, 0));
  Doc()->Add(text);
  View()->Select(text, FALSE);
  RECT popupButton = {};
  int noFillEffects = -1;
  ModalCapture modal([&](ModalCall& call) -> INT_PTR {
    auto* popup = dynamic_cast<CColorPopupDlg*>(call.window);
    if (!popup) return IDCANCEL;
    popupButton = popup->m_buttonRect;
    noFillEffects = popup->m_noFillEffects;
    popup->m_colour = RGB(255, 0, 0);
    return IDOK;
  });
  NMTOOLBARA arrow = {};
  arrow.hdr = {bar.m_hWnd, ID_VIEW_FORMAT_BAR, static_cast<UINT>(TBN_DROPDOWN)};
  arrow.iItem = ID_TEXT_COLOUR;
  frame->SendMessage(WM_NOTIFY, ID_VIEW_FORMAT_BAR, reinterpret_cast<LPARAM>(&arrow));
  ASSERT_EQ(1u, modal.calls().size());
  EXPECT_EQ(static_cast<UINT>(IDD_COLOUR_POPUP), modal.calls()[0].id);
  CRect button;
  bar.GetToolBarCtrl().GetRect(ID_TEXT_COLOUR, &button);
  bar.ClientToScreen(&button);
  EXPECT_EQ(button, CRect(popupButton));
  EXPECT_EQ(1, noFillEffects) << "text has no fill effects";
  EXPECT_EQ(RGB(255, 0, 0), frame->m_textColour);
  EXPECT_EQ(RGB(255, 0, 0), text->m_captionColour);
  EXPECT_EQ(RGB(255, 0, 0), bar.m_textColourRect.m_colour) << "the strip shows the new colour";

  // Another button's arrow opens nothing.
  arrow.iItem = ID_TEXT_BOLD;
  frame->SendMessage(WM_NOTIFY, ID_VIEW_FORMAT_BAR, reinterpret_cast<LPARAM>(&arrow));
  EXPECT_EQ(1u, modal.calls().size());
}

}  // namespace
