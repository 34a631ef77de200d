// The event record in its current and legacy forms, copies, damaged records, and the
// trigger table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Array.h"
#include "model/HPEvent.h"
#include "tests/behaviour/AllocationCount.h"
#include "tests/behaviour/RecordBytes.h"

namespace {

// Distinct values for a fully non-default event, from the item number and the place of
// a word or string within its item.
int Word(int n, int j = 0) { return 0x01000000 * n + 0x100 * j + n + 0x40000000 * (n % 2); }
std::string Text(int n, int j = 0) {
  if (n == 12) return std::string(300, 'y');  // a three-byte length prefix
  return "事件" + std::to_string(n) + "." + std::to_string(j);
}

CHPEvent FullEvent() {
  CHPEvent e;
  e.m_nTrigger = static_cast<DWORD>(Word(1));
  e.m_strObject = Text(2);
  e.m_nReserved3 = static_cast<DWORD>(Word(3));
  for (int j = 0; j < 3; ++j) e.m_nReserved4[j] = Word(4, j);
  e.m_strName = Text(5);
  e.m_strAbility = Text(6);
  e.m_nReserved7 = Word(7);
  e.m_nKey = Word(8);
  for (int j = 0; j < 2; ++j) e.m_nReserved9[j] = Word(9, j);
  for (int j = 0; j < 2; ++j) e.m_strReserved10[j] = Text(10, j);
  for (int j = 0; j < 3; ++j) e.m_nReserved11[j] = Word(11, j);
  e.m_strReserved12 = Text(12);
  for (int j = 0; j < 2; ++j) e.m_strReserved13[j] = Text(13, j);
  for (int j = 0; j < 9; ++j) e.m_nReserved14[j] = Word(14, j);
  return e;
}

// The current form written out item by item: (item, 'D' words or 'S' strings, count,
// defaults of the words). Items 1 to 6 alone are the legacy form.
struct Item {
  int number;
  char kind;
  std::vector<int> defaults;  // one per word; for strings, one 0 per string
};

const Item kItems[] = {
    {1, 'D', {0}},         {2, 'S', {0}},    {3, 'D', {0}},       {4, 'D', {0, 0, -1}},
    {5, 'S', {0}},         {6, 'S', {0}},    {7, 'D', {1}},       {8, 'D', {13}},
    {9, 'D', {0, 0}},      {10, 'S', {0, 0}}, {11, 'D', {0, 1, 0}}, {12, 'S', {0}},
    {13, 'S', {0, 0}},     {14, 'D', {0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

Bytes ExpectedRecord(bool full, bool legacy) {
  Bytes out;
  for (const Item& item : kItems) {
    if (legacy && item.number > 6) break;
    for (size_t j = 0; j < item.defaults.size(); ++j) {
      const int place = static_cast<int>(j);
      if (item.kind == 'D')
        AppendDword(out, static_cast<uint32_t>(full ? Word(item.number, place) : item.defaults[j]));
      else
        AppendString(out, full ? Text(item.number, place) : std::string());
    }
  }
  return out;
}

Bytes Store(CHPEvent& e, bool legacy) {
  return StoreToBytes([&](CArchive& ar) { legacy ? e.SerializeLegacy(ar) : e.Serialize(ar); });
}

CHPEvent Load(const Bytes& bytes, bool legacy) {
  CHPEvent e;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    legacy ? e.SerializeLegacy(ar) : e.Serialize(ar);
    EXPECT_EQ(0u, ar.BytesLeft());
  });
  return e;
}

TEST(EventRecord, BothFormsAreWrittenItemByItemAndReadBack) {
  struct Case {
    bool legacy;
    bool full;
    size_t size;  // 0: not pinned
  };
  const Case cases[] = {{false, false, 92}, {false, true, 0}, {true, false, 23}, {true, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "legacy " << c.legacy << ", full " << c.full);
    CHPEvent e = c.full ? FullEvent() : CHPEvent();
    const Bytes got = Store(e, c.legacy);
    const Bytes want = ExpectedRecord(c.full, c.legacy);
    if (c.size) {
      EXPECT_EQ(c.size, want.size());
    }
    ASSERT_EQ(want.size(), got.size());
    for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(want[i], got[i]) << "offset " << i;

    CHPEvent back = Load(got, c.legacy);
    EXPECT_TRUE(got == Store(back, c.legacy));
  }
}

TEST(EventRecord, LegacyFormLeavesTheLaterFieldsAtTheirDefaults) {
  CHPEvent full = FullEvent();
  CHPEvent back = Load(Store(full, true), true);
  EXPECT_EQ(Text(6), back.m_strAbility.str());
  EXPECT_EQ(Word(4, 2), back.m_nReserved4[2]);
  EXPECT_EQ(13, back.m_nKey);
  // Stored again in the current form: the six items read, then the defaults.
  CHPEvent expected;
  expected.m_nTrigger = full.m_nTrigger;
  expected.m_strObject = full.m_strObject;
  expected.m_nReserved3 = full.m_nReserved3;
  for (int j = 0; j < 3; ++j) expected.m_nReserved4[j] = full.m_nReserved4[j];
  expected.m_strName = full.m_strName;
  expected.m_strAbility = full.m_strAbility;
  EXPECT_TRUE(Store(expected, false) == Store(back, false));
}

TEST(EventRecord, AnUnknownTriggerFlagIsKeptAsItIs) {
  CHPEvent e;
  e.m_nTrigger = 0x4000;
  EXPECT_EQ(0x4000u, Load(Store(e, false), false).m_nTrigger);
  EXPECT_EQ(0x4000u, Load(Store(e, true), true).m_nTrigger);
}

TEST(EventRecord, CopiesCarryEveryField) {
  CHPEvent source = FullEvent();
  const Bytes want = Store(source, false);
  CHPEvent copy(source);
  EXPECT_TRUE(want == Store(copy, false));
  CHPEvent assigned;
  assigned.m_strReserved12 = "old";
  assigned = source;
  EXPECT_TRUE(want == Store(assigned, false));
}

TEST(EventRecord, TruncatedRecordThrowsAtEveryCutAndFreesEverything) {
  for (bool legacy : {false, true}) {
    CHPEvent full = FullEvent();
    const Bytes bytes = Store(full, legacy);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
      const Bytes part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
      const long before = LiveAllocations();
      CArchiveException::Cause cause = CArchiveException::none;
      {
        CArray<CHPEvent, CHPEvent&> events;
        events.SetSize(1);
        try {
          LoadFromBytes(part, [&](CArchive& ar) {
            legacy ? events[0].SerializeLegacy(ar) : events[0].Serialize(ar);
          });
        } catch (const CArchiveException& e) {
          cause = e.m_cause;
        }
      }
      ASSERT_EQ(CArchiveException::endOfFile, cause) << "legacy " << legacy << ", cut at " << cut;
      ASSERT_EQ(before, LiveAllocations()) << "legacy " << legacy << ", cut at " << cut;
    }
  }
}

TEST(EventRecord, TriggerTable) {
  struct Case {
    const char* name;
    bool offered;
  };
  const Case cases[CHPEvent::triggerCount] = {
      {"按下鼠标左键", true}, {"放开鼠标左键", true}, {"双击鼠标左键", true}, {"移动鼠标", true},
      {"按下鼠标右键", true}, {"放开鼠标右键", true}, {"定时器", false},      {"鼠标光标进入", true},
      {"鼠标光标离开", true}, {"按下键盘键", true},   {"放开键盘键", true},   {"运动触发", false},
      {"拖放所选对象", true},
  };
  for (int i = 0; i < CHPEvent::triggerCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(1u << i, CHPEvent::s_triggers[i].flag);
    EXPECT_EQ(cases[i].offered, CHPEvent::s_triggers[i].offered);
    EXPECT_EQ(std::string(cases[i].name), CHPEvent::TriggerDisplayName(i).str());
    EXPECT_EQ(i, CHPEvent::TriggerIndex(cases[i].name));
  }
  EXPECT_EQ("", CHPEvent::TriggerDisplayName(13).str());
  EXPECT_EQ("", CHPEvent::TriggerDisplayName(-1).str());
  EXPECT_EQ(-1, CHPEvent::TriggerIndex(""));
  EXPECT_EQ(-1, CHPEvent::TriggerIndex("定时器 "));

  // The interaction list: every offered trigger once, drag and drop before the keys.
  const int order[] = {0, 1, 2, 3, 4, 5, 7, 8, 12, 9, 10};
  for (int k = 0; k < CHPEvent::offeredTriggerCount; ++k) {
    EXPECT_EQ(order[k], CHPEvent::s_offeredTriggers[k]) << k;
    EXPECT_TRUE(CHPEvent::s_triggers[order[k]].offered) << k;
  }
}

}  // namespace
