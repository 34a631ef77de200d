// Lists, arrays, the string-to-object map and rectangles.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/Array.h"
#include "framework/core/MapStringToOb.h"
#include "framework/core/ObList.h"
#include "framework/core/Rect.h"
#include "framework/core/StringList.h"
#include "tests/framework/TestObjects.h"
#include "tests/support/ArchiveHelpers.h"

namespace {

std::string Walk(const CStringList& list, bool backwards = false) {
  std::string out;
  for (POSITION pos = backwards ? list.GetTailPosition() : list.GetHeadPosition(); pos;)
    out += (backwards ? list.GetPrev(pos) : list.GetNext(pos)).GetString();
  return out;
}

TEST(Collections, ListPositionsSurviveInsertAndRemove) {
  CStringList list;
  POSITION b = list.AddTail("b");
  list.AddHead("a");
  POSITION d = list.AddTail("d");
  list.InsertBefore(d, "c");
  list.InsertAfter(d, "e");
  EXPECT_EQ("abcde", Walk(list));
  EXPECT_EQ("edcba", Walk(list, true));

  list.RemoveAt(b);
  list.SetAt(d, "D");
  EXPECT_EQ("acDe", Walk(list));
  EXPECT_EQ(d, list.Find("D"));
  EXPECT_EQ(nullptr, list.Find("b"));
  EXPECT_EQ(nullptr, list.Find("a", list.GetHeadPosition()));  // search starts after
  EXPECT_EQ(CString("e"), list.GetAt(list.FindIndex(3)));
  EXPECT_EQ(4, list.GetCount());

  EXPECT_EQ(CString("a"), list.RemoveHead());
  EXPECT_EQ(CString("e"), list.RemoveTail());
  list.RemoveAt(list.GetHeadPosition());
  list.RemoveAt(list.GetHeadPosition());
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(nullptr, list.GetHeadPosition());
  EXPECT_EQ(nullptr, list.GetTailPosition());
  list.InsertAfter(nullptr, "z");  // into an empty list
  EXPECT_EQ("z", Walk(list));
}

struct Counted {
  Counted() { ++live; }
  Counted(const Counted&) { ++live; }
  Counted& operator=(const Counted&) = default;
  ~Counted() { --live; }
  int value = 0;
  static int live;
};
int Counted::live = 0;

TEST(Collections, ArraySetSizeConstructsAndDestroysRecords) {
  {
    CArray<Counted, Counted&> records;
    records.SetSize(5);
    EXPECT_EQ(5, Counted::live);
    records[4].value = 9;
    records.SetSize(2);
    EXPECT_EQ(2, Counted::live);
    records.SetAtGrow(3, records[0]);
    EXPECT_EQ(4, records.GetSize());
    EXPECT_EQ(0, records[2].value);
    records.RemoveAt(0);
    EXPECT_EQ(3, records.GetSize());
  }
  EXPECT_EQ(0, Counted::live);
}

std::string MapOrder(const CMapStringToOb& map) {
  std::string out;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    CString key;
    CObject* value;
    map.GetNextAssoc(pos, key, value);
    out += key.GetString();
    out += ' ';
  }
  return out;
}

TEST(Collections, MapWalksBucketsInOrderNewestFirst) {
  const char* keys[] = {"x", "y", "速度", "a1", "b2", "c3", "角度", "name", "t"};
  struct { UINT size; const char* order; } cases[] = {
      // a1, b2 and c3 share bucket 3 of 17; the Chinese keys hash through signed bytes.
      {17, "x y c3 b2 a1 角度 name t 速度 "},
      {29, "t a1 角度 x y b2 c3 name 速度 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    CMapStringToOb map;
    map.InitHashTable(c.size);
    for (const char* k : keys) map.SetAt(k, nullptr);
    map.SetAt("a1", nullptr);  // replacing keeps the place
    EXPECT_EQ(c.order, MapOrder(map));
    EXPECT_EQ(9, map.GetCount());
  }
  CMapStringToOb defaults;
  EXPECT_EQ(17u, defaults.GetHashTableSize());
}

TEST(Collections, MapLookupRemoveAndArchiveRoundTrip) {
  CTestNode one(1), two(2);
  CMapStringToOb map;
  map.SetAt("甲", &one);
  map.SetAt("乙", &two);
  map.SetAt("gone", &two);
  EXPECT_TRUE(map.RemoveKey("gone"));
  EXPECT_FALSE(map.RemoveKey("gone"));
  CObject* found = nullptr;
  EXPECT_TRUE(map.Lookup("乙", found));
  EXPECT_EQ(&two, found);
  EXPECT_FALSE(map.Lookup("丙", found));

  Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
  // Count 2, then each key and a new object (the second with a class index).
  EXPECT_EQ(2, bytes[0]);
  EXPECT_EQ(0, bytes[1]);

  CMapStringToOb back;
  LoadFromBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(MapOrder(map), MapOrder(back));
  ASSERT_TRUE(back.Lookup("甲", found));
  EXPECT_EQ(1, static_cast<CTestNode*>(found)->m_value);
  for (POSITION pos = back.GetStartPosition(); pos;) {
    CString key;
    CObject* value;
    back.GetNextAssoc(pos, key, value);
    delete value;
  }
}

TEST(Collections, RectangleTestsTreatInvertedRectanglesAsEmpty) {
  const CRect yUp(-10, 10, 10, -10);  // a page rectangle: top above bottom
  EXPECT_TRUE(yUp.IsRectEmpty());
  EXPECT_FALSE(yUp.PtInRect(CPoint(0, 0)));
  CRect normal = yUp;
  normal.NormalizeRect();
  EXPECT_EQ(CRect(-10, -10, 10, 10), normal);
  EXPECT_TRUE(normal.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(normal.PtInRect(CPoint(10, 0)));  // right edge is outside

  CRect r;
  EXPECT_TRUE(r.IntersectRect(&normal, CRect(5, 5, 20, 20)));
  EXPECT_EQ(CRect(5, 5, 10, 10), r);
  EXPECT_FALSE(r.IntersectRect(&normal, CRect(10, 0, 20, 5)));  // only touching
  EXPECT_TRUE(r.IsRectNull());
  EXPECT_TRUE(r.UnionRect(&normal, CRect(0, 0, 0, 0)));  // empty input ignored
  EXPECT_EQ(normal, r);
  EXPECT_TRUE(r.UnionRect(&normal, CRect(20, 20, 30, 25)));
  EXPECT_EQ(CRect(-10, -10, 30, 25), r);
  EXPECT_EQ(CPoint(10, 7), r.CenterPoint());
}

}  // namespace
