// The object record: golden bytes of a default object, a full round trip, older
// versions, hostile variable maps, and clones that copy everything but the layer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "framework/core/MemFile.h"
#include "framework/ui/DC.h"
#include "model/DoubleValue.h"
#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestHost.h"

namespace {

// An independent writer for the expected bytes.
struct Golden {
  Bytes b;
  void Word(unsigned v) { AppendWord(b, v); }
  void Dword(unsigned long v) { AppendDword(b, v); }
  void Double(double v) {
    BYTE raw[8];
    std::memcpy(raw, &v, 8);
    b.insert(b.end(), raw, raw + 8);
  }
  void Zeros(size_t n) { b.insert(b.end(), n, 0); }
  void EmptyString() { b.push_back(0); }
};

Bytes Store(CDrawObj& o) {
  return StoreToBytes([&](CArchive& ar) { o.Serialize(ar); });
}

TEST(DrawObjRecord, DefaultObjectStoresTheGoldenBytes) {
  CDrawObj o;
  o.m_layer = 7;
  Golden g;
  g.Word(0x0101);
  g.Zeros(16 + 16 + 8);                 // position, base rectangle, angle
  g.EmptyString();                      // name
  g.EmptyString();                      // caption
  g.Dword(0);                           // caption colour
  g.Dword(0xFFFFFF);                    // second colour
  g.Dword(1); g.Dword(0); g.Dword(1); g.Dword(1);  // visible, closed, outlined, filled
  g.Dword(6); g.Dword(1); g.Dword(1); g.Dword(0);  // pen: inside frame, 1 x 1, black
  g.Dword(0); g.Dword(0xC0C0C0); g.Dword(0);       // brush: 12 bytes
  g.Dword(0); g.Dword(0); g.Dword(0); g.Dword(0);  // reserved, trajectory, masks
  g.Zeros(16);                          // two points
  g.Dword(1); g.Dword(8);               // shape parameters
  g.Word(0); g.Word(0);                 // no events, no actions
  g.Zeros(16 + 32 + 16);                // reference rectangle, transform, saved rectangle
  g.Dword(0); g.Dword(1); g.Dword(7); g.Dword(0);  // button, enable, layer, flags
  g.Double(0); g.Double(0);             // rotation centre
  ASSERT_EQ(236u, g.b.size());
  g.Dword(0); g.Dword(0xFFFFFF);        // gradient style, second fill colour
  g.Double(0);
  g.EmptyString(); g.EmptyString();     // data texts 2 and 3
  g.Double(0);
  g.Dword(0); g.Dword(0); g.Dword(1);   // data words, first operand
  g.EmptyString();                      // data text 1
  for (int i = 0; i < 4; ++i) g.EmptyString();
  g.Zeros(5 * 8 + 5 * 4 + 3 * 4);
  g.Dword(1); g.Dword(0);               // placement, shape variant
  g.Zeros(16);                          // fill and line kinds and gradients
  g.Dword(0xFFFFFF);                    // second line colour
  g.Zeros(16);                          // transparencies
  g.Dword(255); g.Dword(0); g.Dword(0); // reserved, shape parameters 3 and 4
  g.Dword(0xFFFFFF);                    // colour key
  g.Zeros(9 * 4 + 10 * 4 + 32 * 4);
  g.Word(0);                            // no variables
  g.EmptyString();                      // no expression
  ASSERT_EQ(618u, g.b.size());

  const Bytes got = Store(o);
  EXPECT_EQ(Hex(g.b, 700), Hex(got, 700));
  // The offsets a misordering would move.
  ASSERT_EQ(618u, got.size());
  EXPECT_EQ(6, got[68]);
  EXPECT_EQ(0xC0, got[88]);
  EXPECT_EQ(0, got[95]);
  EXPECT_EQ(0, got[615]);
}


// Every record field set to a value of its own, strings of each prefix length.
void FillEveryField(CDrawObj& o) {
  int next = 100;
  auto n = [&]() { return next++; };
  o.m_position = CRect(n(), n(), -n(), -n());
  o.m_baseRect = CRect(n(), n(), n(), n());
  o.m_angle = 0.125;
  o.m_name = "矩形1";
  o.m_caption = CString('c', 254);
  o.m_captionColour = n(); o.m_auxColour = n();
  o.m_visible = 0; o.m_closed = 1; o.m_outlined = 0; o.m_filled = 0;
  o.m_pen = {PS_DASH, {3, 4}, 0x123456};
  o.m_brush = {BS_HATCHED, 0x654321, HS_CROSS};
  o.m_reservedAfterBrush = n(); o.m_trajectory = 1; o.m_actionMask = 0x8001; o.m_triggerMask = 0x21;
  o.m_point1 = CPoint(n(), n()); o.m_point2 = CPoint(n(), -n());
  o.m_shapeParam1 = n(); o.m_shapeParam2 = n();
  o.m_refRect = CRect(n(), n(), n(), n());
  o.m_transformCentre = CDoublePoint(1.5, -2.5); o.m_scale = CDoublePoint(2.0, 0.5);
  o.m_savedRect = CRect(n(), n(), n(), n());
  o.m_buttonised = 1; o.m_buttonEnable = 3; o.m_layer = 9; o.m_flags = 0x9;
  o.m_rotationCentre = CDoublePoint(10.25, -20.75);
  o.m_gradientStyle = n(); o.m_fillColour2 = n(); o.m_reservedDouble = 3.25;
  o.m_text2 = CString('x', 255); o.m_text3 = CString('y', 0xFFFE);
  o.m_dataValue = -7.5; o.m_dataWord1 = n(); o.m_dataWord2 = n(); o.m_firstOperand = n();
  o.m_text1 = "数据";
  for (CString& t : o.m_reservedTexts) t.Format("r%d", n());
  for (double& d : o.m_reservedDoubles) d = n() + 0.5;
  for (int& v : o.m_reservedC) v = n();
  for (int& v : o.m_plotParams) v = n();
  o.m_picturePlacement = 0; o.m_shapeVariant = 2;
  o.m_fillKind = 4; o.m_lineKind = 1; o.m_fillGradient = n(); o.m_lineGradient = n();
  o.m_lineColour2 = n();
  o.m_fillAlpha = n(); o.m_fillAlpha2 = n(); o.m_lineAlpha = n(); o.m_lineAlpha2 = n();
  o.m_reservedD = n(); o.m_shapeParam3 = n(); o.m_shapeParam4 = n(); o.m_colourKey = n();
  o.m_dashCap = 2; o.m_reservedE = n(); o.m_startCap = 17; o.m_endCap = 18;
  for (int& v : o.m_reservedF) v = n();
  for (int& v : o.m_reservedA) v = n();
  for (int& v : o.m_reservedB) v = n();
  o.m_events.SetSize(2);
  o.m_events[0].m_strName = "驱动-甲";
  o.m_events[0].m_nTrigger = 1;
  o.m_events[1].m_strName = "e2";
  o.m_events[1].m_nTrigger = 0x20;
  o.m_actions.SetSize(3);
  for (int i = 0; i < 3; ++i) {
    o.m_actions[i].m_strName.Format("动作%d", i);
    o.m_actions[i].m_nType = 1u << i;
  }
  o.m_variables->SetAt("v", new CDoubleValue(4.0));
  o.m_variables->SetAt("t", new CDoubleValue(2.0));
  o.m_expression.SetFormula("v*t+1");
}

TEST(DrawObjRecord, EveryFieldRoundTripsAndStoresAgainIdentically) {
  CDrawObj original;
  FillEveryField(original);
  const Bytes first = Store(original);

  CDrawObj back;
  LoadFromBytes(first, [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(original.m_position, back.m_position);
  EXPECT_STREQ("矩形1", back.m_name);
  EXPECT_EQ(254, back.m_caption.GetLength());
  EXPECT_EQ(0xFFFE, back.m_text3.GetLength());
  EXPECT_EQ(static_cast<ULONG_PTR>(HS_CROSS), back.m_brush.lbHatch);
  EXPECT_EQ(4, back.m_pen.lopnWidth.y);
  EXPECT_EQ(10.25, back.m_rotationCentre.x);
  EXPECT_EQ(2, back.m_events.GetSize());
  EXPECT_STREQ("驱动-甲", back.m_events[0].m_strName);
  ASSERT_EQ(3, back.m_actions.GetSize());
  EXPECT_EQ(4u, back.m_actions[2].m_nType);
  EXPECT_EQ(18, back.m_endCap);
  EXPECT_EQ(original.m_reservedB[31], back.m_reservedB[31]);
  EXPECT_STREQ("v*t+1", back.m_expression.GetFormula());
  // Variables keep their names; their values are not part of the record.
  CObject* value = nullptr;
  ASSERT_TRUE(back.m_variables->Lookup("v", value));
  EXPECT_EQ(0.0, static_cast<CValue*>(value)->GetValue());
  double result = 0;
  EXPECT_EQ(CExpression::errorNone, back.m_expression.Evaluate(result));
  EXPECT_EQ(1.0, result);

  EXPECT_TRUE(first == Store(back));
}

TEST(DrawObjRecord, OlderVersionsStopAfterTheRotationCentreAndReadOlderEvents) {
  // A record with empty strings: the fields from the version to the second shape
  // parameter take 136 bytes, the event and action counts 4, and the fields from the
  // reference rectangle to the rotation centre the 96 after the records.
  CDrawObj source;
  source.m_layer = 3;
  source.m_rotationCentre = CDoublePoint(5, 6);
  const Bytes current = Store(source);
  CHPEvent event;
  event.m_strName = "旧";
  event.m_nTrigger = 4;
  const Bytes olderEvent = StoreToBytes([&](CArchive& ar) { event.SerializeLegacy(ar); });

  for (WORD version : {WORD(0x0100), WORD(0x0000), WORD(0x0201)}) {
    SCOPED_TRACE(version);
    Bytes older(current.begin(), current.begin() + 140);
    older[0] = static_cast<BYTE>(version & 0xFF);
    older[1] = static_cast<BYTE>(version >> 8);
    older[136] = 1;  // one event, in its older form
    older.insert(older.end(), olderEvent.begin(), olderEvent.end());
    older.insert(older.end(), current.begin() + 140, current.begin() + 236);
    AppendDword(older, 0xA5A5A5A5);  // the subclass's first field

    CDrawObj back;
    back.m_text1 = "kept";
    LoadFromBytes(older, [&](CArchive& ar) {
      back.Serialize(ar);
      DWORD sentinel = 0;
      ar >> sentinel;
      EXPECT_EQ(0xA5A5A5A5u, sentinel);
    });
    EXPECT_EQ(version, back.m_version);
    ASSERT_EQ(1, back.m_events.GetSize());
    EXPECT_STREQ("旧", back.m_events[0].m_strName);
    EXPECT_EQ(4u, back.m_events[0].m_nTrigger);
    EXPECT_EQ(3, back.m_layer);
    EXPECT_EQ(6.0, back.m_rotationCentre.y);
    EXPECT_STREQ("kept", back.m_text1);  // the fields after the rotation centre keep their values
    EXPECT_EQ(0, back.m_variables->GetCount());
    // Storing writes the current version and the whole record.
    const Bytes again = Store(back);
    EXPECT_EQ(0x01, again[0]);
    EXPECT_EQ(0x01, again[1]);
  }
}

TEST(DrawObjRecord, NotANumberRotationCentreReadsAsZero) {
  CDrawObj o;
  o.m_rotationCentre = CDoublePoint(std::numeric_limits<double>::quiet_NaN(), 1.0);
  o.m_angle = std::numeric_limits<double>::quiet_NaN();  // kept: the angle is not a coordinate
  CDrawObj back;
  LoadFromBytes(Store(o), [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(0.0, back.m_rotationCentre.x);
  EXPECT_EQ(1.0, back.m_rotationCentre.y);
}

TEST(DrawObjRecord, VariableMapsAcceptOnlyNewValues) {
  CDrawObj o;
  o.m_variables->SetAt("a", new CDoubleValue(1));
  const Bytes good = Store(o);
  // The map stands before the expression's empty string: a count of 1, the key "a",
  // then the value: a new-class tag naming CValue and an empty record.
  const size_t mapAt = good.size() - 1 - (2 + 2 + 2 + 2 + 2 + 6);
  ASSERT_EQ(1, good[mapAt]);
  ASSERT_EQ('a', good[mapAt + 3]);

  auto withMap = [&](const Bytes& map) {
    Bytes b(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(mapAt));
    b.insert(b.end(), map.begin(), map.end());
    b.push_back(0);  // the empty expression
    return b;
  };
  auto entry = [](Bytes& map, const char* key, const Bytes& tag) {
    map.push_back(static_cast<BYTE>(strlen(key)));
    AppendText(map, key);
    map.insert(map.end(), tag.begin(), tag.end());
  };
  Bytes newValue;  // the record's own indices start here: class 1, value 2
  AppendWord(newValue, 0xFFFF);
  AppendWord(newValue, 0);
  AppendWord(newValue, 6);
  AppendText(newValue, "CValue");
  Bytes sameClass{0x01, 0x80}, backReference{0x02, 0x00}, null{0x00, 0x00};
  Bytes otherClass;
  AppendWord(otherClass, 0xFFFF);
  AppendWord(otherClass, 0);
  AppendWord(otherClass, 11);
  AppendText(otherClass, "CExpression");

  Bytes repeated{2, 0};
  entry(repeated, "a", newValue);
  entry(repeated, "a", sameClass);  // a second value under the same name replaces the first
  CDrawObj twice;
  LoadFromBytes(withMap(repeated), [&](CArchive& ar) { twice.Serialize(ar); });
  EXPECT_EQ(1, twice.m_variables->GetCount());

  struct { const char* what; Bytes second; } refused[] = {
      {"back reference", backReference}, {"null", null}, {"another class", otherClass}};
  for (auto& c : refused) {
    SCOPED_TRACE(c.what);
    Bytes map{2, 0};
    entry(map, "a", newValue);
    entry(map, "b", c.second);
    CDrawObj reader;
    try {
      LoadFromBytes(withMap(map), [&](CArchive& ar) { reader.Serialize(ar); });
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(CArchiveException::badClass, e.m_cause);
    }
  }
}

TEST(DrawObjClone, CopiesEveryRecordFieldButTheLayer) {
  TestHost host;
  CDrawObj page[5];
  for (CDrawObj& p : page) host.objects.push_back(&p);
  CDrawObj original;
  FillEveryField(original);
  std::unique_ptr<CDrawObj> clone(original.Clone(nullptr));
  EXPECT_EQ(6, clone->m_layer);  // five objects on the page
  clone->m_layer = original.m_layer;
  EXPECT_TRUE(Store(original) == Store(*clone));
}

TEST(DrawObjClone, DuplicateAddsTheCloneToThePageAndSelectsIt) {
  TestHost host;
  CDrawDoc doc;
  auto* original = new CDrawObj(CRect(0, 10, 10, 0));
  original->m_name = "甲";
  doc.Add(original);
  CDrawObj* copy = original->Duplicate(&doc);
  ASSERT_EQ(2, doc.m_objects.GetCount());
  EXPECT_EQ(copy, doc.m_objects.GetTail());
  EXPECT_EQ(2, copy->m_layer);
  EXPECT_STREQ("甲", copy->m_name);
  ASSERT_EQ(1u, host.selection.size());
  EXPECT_EQ(copy, host.selection[0]);
}

TEST(DrawObjClone, HasItsOwnValuesAndExpression) {
  TestHost host;
  auto original = std::make_unique<CDrawObj>();
  original->m_variables->SetAt("x", new CDoubleValue(3.0));
  original->m_expression.SetFormula("x*2");
  std::unique_ptr<CDrawObj> clone(original->Clone(nullptr));
  original.reset();  // the clone must not point into the original
  double result = 0;
  EXPECT_EQ(CExpression::errorNone, clone->m_expression.Evaluate(result));
  EXPECT_EQ(6.0, result);
  CObject* value = nullptr;
  ASSERT_TRUE(clone->m_variables->Lookup("x", value));
  EXPECT_EQ(3.0, static_cast<CValue*>(value)->GetValue());
}

TEST(DrawObjHelpers, ExtensionColourAndTrajectory) {
  const struct { const char* path; const char* ext; } paths[] = {
      {"a.b.c", "c"}, {"abc", ""}, {"abc.", ""}, {"C:\\课件\\图.bmp", "bmp"}, {"\x81\x2E" "x", ""}};
  for (const auto& p : paths) {
    SCOPED_TRACE(p.path);
    EXPECT_STREQ(p.ext, GetFileExtension(p.path));
  }

  CDrawObj o;
  o.m_lineKind = 4;
  o.m_fillKind = 3;
  o.SetColour(0x112233, 0);
  o.SetColour(0x445566, 1);
  o.SetColour(0x778899, 2);
  o.SetColour(0xAABBCC, 3);
  EXPECT_EQ(0, o.m_lineKind);
  EXPECT_EQ(0x112233u, o.m_pen.lopnColor);
  EXPECT_EQ(0, o.m_fillKind);
  EXPECT_EQ(0x445566u, o.m_brush.lbColor);
  EXPECT_EQ(0x778899u, o.m_captionColour);
  EXPECT_EQ(0xAABBCCu, o.m_auxColour);

  o.ToggleTrajectory();
  o.ToggleTrajectory();
  EXPECT_EQ(0, o.m_trajectory);
  EXPECT_EQ(0x0000FFu, o.m_pen.lopnColor);  // nothing is restored
  EXPECT_EQ(0, o.m_filled);
  EXPECT_EQ(static_cast<UINT>(PS_SOLID), o.m_pen.lopnStyle);
}

TEST(DrawObjHelpers, DrawHandleOnAMemoryBitmap) {
  MemoryBitmap bitmap(40, 40);
  CDC dc(bitmap.dc());
  CDrawObj o;
  o.DrawHandle(&dc, 20, 20, 4, 0, 0xFF0000);
  o.DrawHandle(&dc, 5, 5, 4, 2, 0x00FF00);  // shape 2 draws nothing
  EXPECT_EQ(0xFF0000u, bitmap.Pixel(20, 20));
  EXPECT_EQ(0xFFFFFFu, bitmap.Pixel(26, 20));
  EXPECT_EQ(0xFFFFFFu, bitmap.Pixel(5, 5));
}

}  // namespace
