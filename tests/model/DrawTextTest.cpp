// Text objects apart from their pixels and their input box: the record, the action-type
// table, handles and drags, copies, the reset of the property page, and the state a run
// or an effect changes and gives back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "framework/core/MemFile.h"
#include "framework/ui/DC.h"
#include "graphics/Picture.h"
#include "model/DrawDoc.h"
#include "model/DrawText.h"
#include "resources/ModelStrings.h"
#include "tests/model/DuplicateCheck.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/Printers.h"
#include "tests/support/TestHost.h"

namespace {

CView* const kView = reinterpret_cast<CView*>(1);  // only tested for null
const double kQuarterTurn = std::acos(0.0);

Bytes Store(CDrawObj& o) {
  return StoreToBytes([&](CArchive& ar) { o.Serialize(ar); });
}

// A text 100 x 50 about the page's centre, top above bottom.
CRect Box() { return CRect(-50, 25, 50, -25); }

// "宋体" in code page 936.
const char kSongTi[] = "\xCB\xCE\xCC\xE5";

void SetEveryOwnField(CDrawText& o, int pictureFill) {
  LOGFONTA& f = o.m_logFont;
  f.lfHeight = -33;
  f.lfWidth = 7;
  f.lfEscapement = 900;
  f.lfOrientation = -900;
  f.lfWeight = 700;
  f.lfItalic = 1;
  f.lfUnderline = 1;
  f.lfStrikeOut = 1;
  f.lfCharSet = 0x86;
  f.lfOutPrecision = 0xF1;
  f.lfClipPrecision = 2;
  f.lfQuality = 5;
  f.lfPitchAndFamily = 0x31;
  std::memset(f.lfFaceName, 0, sizeof f.lfFaceName);
  std::strcpy(f.lfFaceName, kSongTi);
  o.m_displayText = "答案：42";
  o.m_colourKey = RGB(1, 2, 3);
  o.m_alignment = kTextAlignRight;
  o.m_drawTextFlags = DT_SINGLELINE | DT_VCENTER;
  o.m_pictureFill = pictureFill;
  o.m_pictureFile = "图片.bmp";  // bare: nothing to load
  o.m_reservedText = "保留";
  o.m_operatorPending = 1;
  o.m_mark = kMarkCross;
  o.m_reservedTextWord = -5;
  o.m_textInput = 1;
  o.m_name = "文本1";
}

// ---- the record ------------------------------------------------------------------------

TEST(DrawTextRecord, RoundTripKeepsEveryOwnFieldAndTheBytes) {
  for (int pictureFill : {0, 1}) {
    SCOPED_TRACE(pictureFill);
    CDrawText original(Box());
    SetEveryOwnField(original, pictureFill);
    const Bytes first = Store(original);
    CDrawText loaded;
    LoadFromBytes(first, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Hex(first, 4000), Hex(Store(loaded), 4000));
    EXPECT_EQ(0, std::memcmp(&original.m_logFont, &loaded.m_logFont, sizeof(LOGFONTA)));
    EXPECT_EQ(CString("答案：42"), loaded.m_displayText);
    EXPECT_EQ(RGB(1, 2, 3), loaded.m_colourKey);
    EXPECT_EQ(kTextAlignRight, loaded.m_alignment);
    EXPECT_EQ(DT_SINGLELINE | DT_VCENTER, loaded.m_drawTextFlags);
    EXPECT_EQ(pictureFill, loaded.m_pictureFill);
    // The name travels only with the flag.
    EXPECT_EQ(pictureFill ? CString("图片.bmp") : CString(), loaded.m_pictureFile);
    EXPECT_EQ(CString("保留"), loaded.m_reservedText);
    EXPECT_EQ(1, loaded.m_operatorPending);
    EXPECT_EQ(kMarkCross, loaded.m_mark);
    EXPECT_EQ(-5, loaded.m_reservedTextWord);
    EXPECT_EQ(1, loaded.m_textInput);
  }
}

TEST(DrawTextRecord, OwnPartFollowsTheBaseRecordByteForByte) {
  TestHost host;
  CDrawText o(Box());
  o.m_displayText = "ab";
  o.m_pictureFile = "p";  // the flag is set by the constructor
  CDrawObj base(Box());
  const Bytes all = Store(o);
  const Bytes own(all.begin() + static_cast<std::ptrdiff_t>(Store(base).size()), all.end());
  Bytes want;
  AppendDword(want, 20);   // height
  AppendDword(want, 0);    // width
  AppendDword(want, 0);    // escapement
  AppendDword(want, 0);    // orientation
  AppendDword(want, 400);  // weight
  Append(want, {0, 0, 0, 134, 4, 0, 3, 0});
  AppendText(want, kSongTi);
  want.resize(want.size() + 28, 0);  // the rest of the 32-byte face
  Append(want, {2, 'a', 'b'});
  AppendDword(want, 0xFFFFFF);  // colour key
  AppendDword(want, 0);         // alignment
  AppendDword(want, 0);         // DrawText flags
  AppendDword(want, 1);         // picture flag
  Append(want, {1, 'p'});
  Append(want, {0});            // reserved text
  AppendDword(want, 0);         // operator pending
  AppendDword(want, 0);         // mark
  AppendDword(want, 0);         // reserved word
  AppendDword(want, 0);         // text input
  EXPECT_EQ(Hex(want, 200), Hex(own, 200));
}

TEST(DrawTextRecord, FaceWithoutTerminatorIsKeptAndStillUsable) {
  TestHost host;
  CDrawText o(Box());
  o.m_displayText = "A";
  std::memset(o.m_logFont.lfFaceName, 'Q', sizeof o.m_logFont.lfFaceName);
  const Bytes first = Store(o);
  CDrawText loaded;
  LoadFromBytes(first, [&](CArchive& ar) { loaded.Serialize(ar); });
  EXPECT_EQ(Hex(first, 4000), Hex(Store(loaded), 4000));
  EXPECT_EQ(std::wstring(31, L'Q'), std::wstring(loaded.WideLogFont().lfFaceName));
  PageBitmap page(200, 200);
  CDC dc(page.dc());
  EXPECT_EQ(1, loaded.Draw(&dc, nullptr));
}

TEST(DrawTextRecord, TruncatedRecordsThrow) {
  CDrawText o(Box());
  o.m_displayText = "text";
  const Bytes whole = Store(o);
  const size_t base = Store(*std::make_unique<CDrawObj>(Box())).size();
  for (size_t cut : {base + 30, base + 62, whole.size() - 1}) {  // in the font, the face, the last word
    SCOPED_TRACE(cut);
    const Bytes bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    CDrawText loaded;
    EXPECT_THROW(LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), CArchiveException);
  }
}

TEST(DrawTextRecord, CreatedByNameWithItsDefaults) {
  const CRuntimeClass* cls = CRuntimeClass::FromName("CDrawText");
  ASSERT_NE(nullptr, cls);
  EXPECT_EQ(0u, cls->m_wSchema);
  std::unique_ptr<CObject> made(cls->CreateObject());
  ASSERT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDrawObj)));
  auto* o = static_cast<CDrawText*>(made.get());
  EXPECT_EQ(1, o->m_pictureFill);
  EXPECT_EQ(1, o->m_filled);
  EXPECT_EQ(0u, o->m_captionColour);
  EXPECT_EQ(20, o->m_logFont.lfHeight);
  EXPECT_EQ(400, o->m_logFont.lfWeight);
  EXPECT_EQ(134, o->m_logFont.lfCharSet);
  EXPECT_EQ(4, o->m_logFont.lfOutPrecision);
  EXPECT_EQ(3, o->m_logFont.lfQuality);
  EXPECT_STREQ(kSongTi, o->m_logFont.lfFaceName);
  EXPECT_EQ(kTextAlignLeft, o->m_alignment);
  EXPECT_EQ(0, o->m_drawTextFlags);
  EXPECT_EQ(kMarkNone, o->m_mark);

  CDrawText fromTool(CRect(0, 11, 20, 0));
  EXPECT_EQ(0, fromTool.m_filled);  // a new text box is transparent
  EXPECT_EQ(1, fromTool.m_pictureFill);
  EXPECT_DOUBLE_EQ(5.5, fromTool.m_rotationCentre.y);
}

TEST(DrawTextRecord, PictureNamedInTheRecordIsLoadedWhenRead) {
  const CString path = WriteTestPicture("text-back.bmp", 4, 4, [](int, int) { return RGB(0, 0, 255); });
  CDrawText o(Box());
  o.m_pictureFile = path;
  CDrawText loaded;
  LoadFromBytes(Store(o), [&](CArchive& ar) { loaded.Serialize(ar); });
  ::DeleteFileA(path);
  ASSERT_NE(nullptr, loaded.m_picture);
  EXPECT_EQ(4u, loaded.m_picture->GetWidth());
}

TEST(DrawTextRecord, FirstVersionRecordsCarryTheSameTextPart) {
  // A base record of version 0x0001 ends after the rotation centre.
  CDrawObj base;
  Bytes bytes = Store(base);
  bytes.resize(236);
  bytes[0] = 0x01;
  bytes[1] = 0x00;
  CDrawText current(Box());
  current.m_displayText = "old";
  current.m_mark = kMarkTick;
  const Bytes full = Store(current);
  const size_t textPart = full.size() - Store(*std::make_unique<CDrawObj>(Box())).size();
  bytes.insert(bytes.end(), full.end() - static_cast<std::ptrdiff_t>(textPart), full.end());
  bytes.insert(bytes.end(), full.begin(), full.end());  // a current record behind it

  CDrawText a, b;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    a.Serialize(ar);
    b.Serialize(ar);
  });
  EXPECT_EQ(0x0001, a.m_version);
  EXPECT_EQ(CString("old"), a.m_displayText);
  EXPECT_EQ(kMarkTick, a.m_mark);
  EXPECT_EQ(CString("old"), b.m_displayText);
}

TEST(DrawTextRecord, PageListReadsTextsByClassName) {
  TestHost host;
  auto* o = new CDrawText(Box());
  o->m_displayText = "页";
  CDrawDoc written;
  written.m_objects.AddTail(o);
  const Bytes page = StoreToBytes([&](CArchive& ar) { written.Serialize(ar); });
  CDrawDoc read;
  LoadFromBytes(page, [&](CArchive& ar) { read.Serialize(ar); });
  ASSERT_EQ(1, read.m_objects.GetCount());
  CObject* first = read.m_objects.GetHead();
  ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(CDrawText)));
  EXPECT_EQ(CString("页"), static_cast<CDrawText*>(first)->m_displayText);
}

// ---- action types ----------------------------------------------------------------------

TEST(DrawTextActionTypes, TwelveKindsBothWays) {
  const struct {
    DWORD code;
    UINT nameId;
  } rows[] = {
      {0x1, IDS_ACTION_TRANSLATE},       {0x2, IDS_ACTION_ROTATE},      {0x8, IDS_ACTION_EFFECT},
      {0x10, IDS_ACTION_PAGE_SWITCH},    {0x20, IDS_ACTION_SHOW_HIDE},  {0x40, IDS_ACTION_LAYER},
      {0x80, IDS_ACTION_EXIT},           {0x100, IDS_ACTION_RUN_PROGRAM}, {0x1000, IDS_ACTION_CONTROL_POINT},
      {0x8000, IDS_ACTION_SET_DATA},     {0x20000, IDS_ACTION_CALCULATE}, {0x10000, IDS_ACTION_DISPLAY},
  };
  CDrawText o;
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    CString name;
    name.LoadString(rows[i].nameId);
    ASSERT_FALSE(name.IsEmpty());
    int index = -7;
    EXPECT_EQ(name, o.ActionTypeName(rows[i].code, index));
    EXPECT_EQ(i, index);
    EXPECT_EQ(i, o.ActionTypeFromName(name));
  }
  int index = 0;
  EXPECT_EQ(CString(), o.ActionTypeName(0x400, index));  // media play is not a text's
  EXPECT_EQ(-1, index);
  EXPECT_EQ(-1, o.ActionTypeFromName("卡通动画"));
  EXPECT_EQ(-1, o.ActionTypeFromName(""));
}

// ---- geometry --------------------------------------------------------------------------

TEST(DrawTextGeometry, HandlesTurnWithTheObject) {
  CDrawText o(Box());
  EXPECT_EQ(CPoint(-50, 25), o.GetHandle(1));
  EXPECT_EQ(CPoint(50, 0), o.GetHandle(4));
  o.m_angle = kQuarterTurn;  // about the rotation centre, the middle
  EXPECT_EQ(CPoint(25, 50), o.GetHandle(1));
  EXPECT_EQ(CPoint(0, -50), o.GetHandle(4));
  EXPECT_EQ(CPoint(0, 0), o.GetHandle(9));
}

TEST(DrawTextGeometry, TurnedCornerDragKeepsTheOppositeCornerWhereItShows) {
  TestHost host;
  for (int handle : {1, 3, 5, 7}) {
    SCOPED_TRACE(handle);
    CDrawText o(Box());
    o.SetAngle(kQuarterTurn, FALSE, nullptr);
    const int opposite = (handle + 3) % 8 + 1;
    const CPoint fixed = o.GetHandle(opposite);
    const CPoint dragged = o.GetHandle(handle);
    o.MoveHandleTo(handle, dragged.x + 10, dragged.y - 20, kView);
    const CPoint after = o.GetHandle(opposite);
    EXPECT_NEAR(fixed.x, after.x, 1);
    EXPECT_NEAR(fixed.y, after.y, 1);
    EXPECT_NEAR(dragged.x + 10, o.GetHandle(handle).x, 1);
    EXPECT_NEAR(dragged.y - 20, o.GetHandle(handle).y, 1);
  }
}

TEST(DrawTextGeometry, EdgeAndCentreDragsMoveTheRectangle) {
  TestHost host;
  const struct {
    int handle;
    CRect want;
  } rows[] = {
      {2, CRect(-50, 60, 50, -25)}, {4, CRect(-50, 25, 70, -25)}, {6, CRect(-50, 25, 50, -60)},
      {8, CRect(70, 25, 50, -25)},  {9, CRect(20, 85, 120, 35)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.handle);
    CDrawText o(Box());
    o.MoveHandleTo(row.handle, 70, row.handle == 6 ? -60 : 60, kView);
    EXPECT_EQ(row.want, o.m_position);
    EXPECT_DOUBLE_EQ((row.want.left + row.want.right) * 0.5, o.m_rotationCentre.x);
  }
}

TEST(DrawTextGeometry, SetRectIgnoresTheSameRectangleAndMarksEditedPages) {
  TestHost host;
  CDrawText o(Box());
  o.SetRect(Box(), kView);
  EXPECT_TRUE(host.invalidated.empty());
  EXPECT_EQ(0, host.modifiedCount);
  o.SetRect(CRect(0, 10, 40, -10), kView);
  EXPECT_EQ(2u, host.invalidated.size());
  EXPECT_EQ(1, host.modifiedCount);
  EXPECT_DOUBLE_EQ(20.0, o.m_rotationCentre.x);
  host.mode = kModeRunning;
  o.SetRect(CRect(0, 20, 40, -10), kView);
  EXPECT_EQ(1, host.modifiedCount);
}

TEST(DrawTextGeometry, TurningAboutACentreKeepsTheAccumulatedAngle) {
  TestHost host;
  CDrawText o(Box());
  o.SetAngleRect(0.5, 100.0, 0.0, TRUE, nullptr);
  o.SetAngleRect(0.25, 100.0, 0.0, TRUE, nullptr);
  EXPECT_DOUBLE_EQ(0.75, o.m_angle);
  EXPECT_DOUBLE_EQ(0.75, o.m_rotationState.orbitAngle);
  EXPECT_DOUBLE_EQ(100.0, o.m_rotationCentre.x);
  o.SetAngle(0.25, TRUE, kView);
  EXPECT_DOUBLE_EQ(1.0, o.m_angle);
  EXPECT_EQ(1, host.modifiedCount);
}

// GDI+ widens path bounds for a pen by its own rules, so only containment is asserted.
TEST(DrawTextGeometry, BoundsHoldTheTurnedRectangleAndThePen) {
  CDrawText o(Box());
  o.m_pen.lopnWidth = {10, 10};
  const CRect b = o.GetDrawBounds();
  EXPECT_LE(b.left, -55);
  EXPECT_GE(b.right, 55);
  EXPECT_LE(b.top, -30);
  EXPECT_GE(b.bottom, 30);
  o.m_angle = kQuarterTurn;
  const CRect turned = o.GetDrawBounds();
  EXPECT_LE(turned.top, -55);
  EXPECT_GE(turned.bottom, 55);
  EXPECT_LE(turned.left, -30);
  CDrawText line(CRect(0, 20, 0, -20));  // no width: the band around the segment
  EXPECT_LE(line.GetDrawBounds().left, -5);
}

// ---- copies, selection and the property page ---------------------------------------------

TEST(DrawTextCopies, CloneCopiesTheOwnFields) {
  TestHost host;
  CDrawText o(Box());
  SetEveryOwnField(o, 1);
  std::unique_ptr<CDrawObj> copy(o.Clone(nullptr));
  ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CDrawText)));
  auto* c = static_cast<CDrawText*>(copy.get());
  EXPECT_EQ(0, std::memcmp(&o.m_logFont, &c->m_logFont, sizeof(LOGFONTA)));
  EXPECT_EQ(o.m_displayText, c->m_displayText);
  EXPECT_EQ(o.m_reservedText, c->m_reservedText);
  EXPECT_EQ(1, c->m_operatorPending);
  EXPECT_EQ(kMarkCross, c->m_mark);
  EXPECT_EQ(-5, c->m_reservedTextWord);
  EXPECT_EQ(1, c->m_textInput);
  EXPECT_EQ(kTextAlignRight, c->m_alignment);
  EXPECT_EQ(DT_SINGLELINE | DT_VCENTER, c->m_drawTextFlags);
  EXPECT_EQ(Box(), c->m_position);
}

TEST(DrawTextCopies, DuplicateAddsAndSelectsOrReportsMemory) { ExpectDuplicateAddsAndSelectsOrReportsMemory<CDrawText>(Box()); }

TEST(DrawTextCopies, SelectingSyncsTheFormatBarWhileEditing) {
  TestHost host;
  CDrawText o(Box());
  o.OnSelect(kView);
  EXPECT_EQ(1, host.formatBarSyncs);
  ASSERT_EQ(1u, host.panelNotices.size());
  EXPECT_EQ(2u, host.panelNotices[0].what);
  host.filledCheck = 7;  // the frame's toggles are not a text's
  host.mode = kModeRunning;
  o.OnSelect(kView);
  EXPECT_EQ(1, host.formatBarSyncs);
  EXPECT_EQ(7, host.filledCheck);
}

TEST(DrawTextCopies, PropertyPageResetGivesTextDefaults) {
  TestHost host;
  CDrawText o(Box());
  SetEveryOwnField(o, 1);
  o.m_filled = 0;
  o.m_picture = new CPicture(new Gdiplus::Bitmap(2, 2, PixelFormat24bppRGB));
  o.ResetPropertyPage(0, kView);
  EXPECT_EQ(CString(), o.m_pictureFile);
  EXPECT_EQ(0, o.m_pictureFill);
  EXPECT_EQ(nullptr, o.m_picture);
  EXPECT_EQ(1, o.m_filled);
  EXPECT_EQ(20, o.m_logFont.lfHeight);
  EXPECT_STREQ(kSongTi, o.m_logFont.lfFaceName);
  EXPECT_EQ(kTextAlignCentre, o.m_alignment);
  EXPECT_EQ(DT_VCENTER | DT_SINGLELINE, o.m_drawTextFlags);
  EXPECT_EQ(0xFFFFFFu, o.m_colourKey);
  EXPECT_EQ(CString("答案：42"), o.m_displayText);  // the text is not a property of the page
  EXPECT_GE(host.modifiedCount, 1);
}

// ---- play and effect state ---------------------------------------------------------------

TEST(DrawTextPlayState, RunGivesBackTextMarkPendingAndTheEmbeddedPicture) {
  TestHost host;
  CDrawText o(Box());
  o.m_displayText = "题目";
  o.m_pictureFile = "embedded.jpg";  // a bare name: the picture lives only in memory
  auto* picture = new CPicture(new Gdiplus::Bitmap(3, 3, PixelFormat24bppRGB));
  o.m_picture = picture;
  o.SavePlayState(nullptr, nullptr);
  o.m_displayText = "12";
  o.m_mark = kMarkTick;
  o.m_operatorPending = 1;
  o.SetPictureFile("other.jpg");
  o.RestorePlayState(nullptr);
  EXPECT_EQ(CString("题目"), o.m_displayText);
  EXPECT_EQ(kMarkNone, o.m_mark);
  EXPECT_EQ(0, o.m_operatorPending);
  EXPECT_EQ(CString("embedded.jpg"), o.m_pictureFile);
  EXPECT_EQ(picture, o.m_picture);
  // A second stop (a failed page jump stops twice) changes nothing more.
  o.m_displayText = "typed after the run";
  o.RestorePlayState(nullptr);
  EXPECT_EQ(CString("typed after the run"), o.m_displayText);
}

TEST(DrawTextPlayState, EffectDuringARunDoesNotLoseThePictureName) {
  TestHost host;
  CDrawText o(Box());
  o.m_pictureFile = "a.bmp";
  o.SavePlayState(nullptr, nullptr);
  o.SaveVisibilityLayer();
  o.SetPictureFile("b.bmp");
  o.RevertVisibilityLayer();
  EXPECT_EQ(CString("a.bmp"), o.m_pictureFile);
  o.SetPictureFile("c.bmp");
  o.RestorePlayState(nullptr);
  EXPECT_EQ(CString("a.bmp"), o.m_pictureFile);
}

TEST(DrawTextPlayState, RunLeavesTheStoredRecordAsItWas) {
  TestHost host;
  CDrawText o(Box());
  o.m_expression.SetVariable("x", 2.0);
  o.m_expression.SetFormula("x*10");
  o.m_displayText = "7";
  const Bytes before = Store(o);
  o.SavePlayState(nullptr, nullptr);
  o.ApplySetDataAction(0, 0, "x", "5");
  o.ApplyDisplayAction("x+1", "", 0, 0, 1);
  EXPECT_EQ(CString("6"), o.m_displayText);
  o.ApplyDisplayAction("+", "", 2, 0, 1);
  o.ApplySetDataAction(0, 1, "", "3");
  o.ApplyDisplayAction("", "", 2, 0, 1);
  o.ApplyDisplayAction("", "3", 0, 2, 1);
  o.RestorePlayState(nullptr);
  EXPECT_EQ(Hex(before, 4000), Hex(Store(o), 4000));
  double value = 0;
  EXPECT_EQ(CExpression::errorNone, o.m_expression.Evaluate(value));
  EXPECT_DOUBLE_EQ(20.0, value);
}

}  // namespace
