// The action record: its bytes item by item, the load rule for abilities, what copies
// carry, and reading damaged records.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "model/Method.h"
#include "tests/behaviour/AllocationCount.h"
#include "tests/behaviour/RecordBytes.h"

namespace {

// The record's layout written out independently of CMethod: each item's kind and its
// default. 'D' items are one or more 32-bit words (one default each), 'W' a 16-bit word,
// 'F' a double, 'S' a counted string (empty by default).
struct Item {
  int number;
  char kind;
  std::vector<double> defaults;
};

const Item kItems[] = {
    {1, 'D', {0}},   {2, 'D', {0}},   {3, 'D', {0}},    {4, 'D', {-1}},    {5, 'D', {0}},
    {6, 'D', {1}},   {7, 'S', {}},    {8, 'D', {0}},    {9, 'D', {0}},     {10, 'D', {1}},
    {11, 'D', {10}}, {12, 'D', {0}},  {13, 'D', {0}},   {14, 'D', {0}},    {15, 'D', {1}},
    {16, 'D', {10}}, {17, 'D', {0, 0}}, {18, 'D', {0}}, {19, 'S', {}},     {20, 'S', {}},
    {21, 'D', {1}},  {22, 'D', {8}},  {23, 'F', {0}},   {24, 'F', {0}},    {25, 'D', {-1}},
    {26, 'D', {360}}, {27, 'S', {}},  {28, 'S', {}},    {29, 'S', {}},     {30, 'S', {}},
    {31, 'D', {0}},  {32, 'D', {-1}}, {33, 'D', {-1}},  {34, 'D', {0}},    {35, 'F', {0}},
    {36, 'D', {0, 0, 1, 1, 0}},       {37, 'D', {1}},   {38, 'D', {1}},    {39, 'S', {}},
    {40, 'S', {}},   {41, 'S', {}},   {42, 'D', {0}},   {43, 'S', {}},     {44, 'D', {0}},
    {45, 'D', {0}},  {46, 'D', {0}},  {47, 'D', {0}},   {48, 'D', {0}},    {49, 'W', {0}},
    {50, 'F', {1}},  {51, 'F', {1}},  {52, 'D', {0, 0, 0, 0}},            {53, 'S', {}},
    {54, 'D', {0}},  {55, 'D', {0, 0}}, {56, 'F', {0}}, {57, 'F', {0}},    {58, 'S', {}},
    {59, 'S', {}},
};

// Distinct values for a fully non-default record, derived from the item number (and the
// word's place within the item), so that any swap of two items shows in the bytes.
int Word(int n, int j = 0) { return 0x01000000 * n + 0x100 * j + n + 0x40000000 * (n % 2); }
WORD Half(int n) { return static_cast<WORD>(0xA000 + n); }
double Real(int n) { return n + 0.25 - 2 * n * (n % 3 == 0); }
std::string Text(int n) {
  if (n == 43) return std::string(255, 'x');       // a three-byte length prefix
  if (n == 59) return std::string(127, '\xBF') + std::string(127, '\xCE');  // 254 bytes
  return "项" + std::to_string(n);
}

Bytes ExpectedRecord(bool full) {
  Bytes out;
  for (const Item& item : kItems) {
    const int n = item.number;
    switch (item.kind) {
      case 'D':
        for (size_t j = 0; j < item.defaults.size(); ++j)
          AppendDword(out, static_cast<uint32_t>(full ? Word(n, static_cast<int>(j))
                                                      : static_cast<int>(item.defaults[j])));
        break;
      case 'W': AppendWord(out, full ? Half(n) : static_cast<unsigned>(item.defaults[0])); break;
      case 'F': AppendDouble(out, full ? Real(n) : item.defaults[0]); break;
      case 'S': AppendString(out, full ? Text(n) : std::string()); break;
    }
  }
  return out;
}

// Every archived field set by name to the value of its item number.
CMethod FullMethod() {
  CMethod m;
  m.m_nType = static_cast<DWORD>(Word(1));
  m.m_nByEvent = Word(2);
  m.m_nStart = Word(3);
  m.m_nDuration = Word(4);
  m.m_nExtraTime = Word(5);
  m.m_nValue = Word(6);
  m.m_strTarget = Text(7);
  m.m_bLoop = Word(8);
  m.m_bTwoWay = Word(9);
  m.m_nReserved10 = Word(10);
  m.m_nSpeed = Word(11);
  m.m_nReserved12 = Word(12);
  m.m_bRotateLoop = Word(13);
  m.m_bRotateTwoWay = Word(14);
  m.m_nReserved15 = Word(15);
  m.m_nStep = Word(16);
  m.m_ptCentre = CPoint(Word(17, 0), Word(17, 1));
  m.m_nPathIndex = Word(18);
  m.m_strCentre = Text(19);
  m.m_strPath = Text(20);
  m.m_nEffect = Word(21);
  m.m_nDirection = Word(22);
  m.m_dReserved23 = Real(23);
  m.m_dReserved24 = Real(24);
  m.m_nStartAngle = Word(25);
  m.m_nEndAngle = Word(26);
  m.m_strReserved27 = Text(27);
  m.m_strReserved28 = Text(28);
  m.m_strReserved29 = Text(29);
  m.m_strReserved30 = Text(30);
  m.m_nLayerSteps = Word(31);
  m.m_nReserved32 = Word(32);
  m.m_nActivation = Word(33);
  m.m_nRotateFrames = Word(34);
  m.m_dRotateCorrection = Real(35);
  m.m_bPathTrace = Word(36, 0);
  for (int j = 0; j < 4; ++j) m.m_nReserved36[j] = Word(36, j + 1);
  m.m_nReserved37 = Word(37);
  m.m_nControlPoint = Word(38);
  m.m_strName = Text(39);
  m.m_strPicture = Text(40);
  m.m_strSource = Text(41);
  m.m_nReserved42 = Word(42);
  m.m_strExpression = Text(43);
  m.m_nIndex = Word(44);
  m.m_nMode = Word(45);
  m.m_nReserved46 = Word(46);
  m.m_nInterval = Word(47);
  m.m_nSetType = Word(48);
  m.m_wReserved49 = Half(49);
  m.m_dReserved50 = Real(50);
  m.m_dReserved51 = Real(51);
  m.m_rcReserved52 = CRect(Word(52, 0), Word(52, 1), Word(52, 2), Word(52, 3));
  m.m_strReserved53 = Text(53);
  m.m_bGifPlay = Word(54);
  m.m_nReserved55[0] = Word(55, 0);
  m.m_nReserved55[1] = Word(55, 1);
  m.m_dReserved56 = Real(56);
  m.m_dReserved57 = Real(57);
  m.m_strReserved58 = Text(58);
  m.m_strReserved59 = Text(59);
  return m;
}

Bytes Store(CMethod& m) {
  return StoreToBytes([&](CArchive& ar) { m.Serialize(ar); });
}

CMethod Load(const Bytes& bytes) {
  CMethod m;
  LoadFromBytes(bytes, [&](CArchive& ar) {
    m.Serialize(ar);
    EXPECT_EQ(0u, ar.BytesLeft());
  });
  return m;
}

TEST(MethodRecord, DefaultRecordIsTheTableOfDefaults) {
  CMethod m;
  const Bytes got = Store(m);
  const Bytes want = ExpectedRecord(false);
  ASSERT_EQ(256u, want.size());  // 242 fixed bytes and 14 empty strings
  ASSERT_EQ(want.size(), got.size());
  for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(want[i], got[i]) << "offset " << i;

  // The odd widths in the middle of the record: the 16-bit item 49 at 191, the doubles
  // 1.0 right after it, then the reserved rectangle in zeros.
  EXPECT_EQ(0, got[191]);
  EXPECT_EQ(0, got[192]);
  EXPECT_EQ(1.0, DoubleAt(got, 193));
  EXPECT_EQ(1.0, DoubleAt(got, 201));
  EXPECT_EQ(Bytes(16, 0), Bytes(got.begin() + 209, got.begin() + 225));
}

TEST(MethodRecord, FullRecordIsWrittenItemByItemAndReadsBack) {
  CMethod m = FullMethod();
  const Bytes got = Store(m);
  const Bytes want = ExpectedRecord(true);
  ASSERT_EQ(want.size(), got.size());
  for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(want[i], got[i]) << "offset " << i;

  CMethod back = Load(got);
  EXPECT_EQ(Half(49), back.m_wReserved49);
  EXPECT_EQ(CRect(Word(52, 0), Word(52, 1), Word(52, 2), Word(52, 3)), back.m_rcReserved52);
  EXPECT_EQ(CPoint(Word(17, 0), Word(17, 1)), back.m_ptCentre);
  EXPECT_EQ(Text(59), back.m_strReserved59.str());
  EXPECT_EQ(Word(33), back.m_nActivation);  // not an ability: the activation stays
  EXPECT_TRUE(got == Store(back));
}

struct ActivationCase {
  int byEvent;
  int stored;
  int loaded;
};

TEST(MethodRecord, AnAbilityAlwaysLoadsDormant) {
  const ActivationCase cases[] = {
      {1, 0, -1}, {1, 7, -1}, {1, -1, -1}, {0, 0, 0}, {0, -1, -1}, {0, 7, 7}, {2, 5, 5},
  };
  for (const ActivationCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.byEvent << ", " << c.stored);
    CMethod m;
    m.m_nByEvent = c.byEvent;
    m.m_nActivation = c.stored;
    CMethod back = Load(Store(m));
    EXPECT_EQ(c.loaded, back.m_nActivation);
    EXPECT_EQ(c.byEvent, back.m_nByEvent);
  }
}

// The full record as a copy is expected to carry it: items 27 to 30 replaced.
CMethod FullWithReserved(const char* r27, const char* r28, const char* r29, const char* r30) {
  CMethod m = FullMethod();
  m.m_strReserved27 = r27;
  m.m_strReserved28 = r28;
  m.m_strReserved29 = r29;
  m.m_strReserved30 = r30;
  return m;
}

TEST(MethodRecord, CopyLeavesReservedStringsAndRunStateBehind) {
  CMethod source = FullMethod();
  source.m_bTracing = 1;
  source.m_nSavedActivation = 42;
  source.m_path.Add(CPoint(1, 2));

  CMethod copy(source);
  CMethod expected = FullWithReserved("", "", "", "");
  EXPECT_TRUE(Store(expected) == Store(copy));
  EXPECT_EQ(1, copy.m_bTracing);
  EXPECT_EQ(-1, copy.m_nSavedActivation);
  EXPECT_EQ(0, copy.m_path.GetSize());
}

TEST(MethodRecord, AssignmentKeepsTheDestinationsOwnReservedStringsAndRunState) {
  CMethod source = FullMethod();
  source.m_bTracing = 1;
  source.m_nSavedActivation = 42;
  source.m_path.Add(CPoint(1, 2));

  CMethod dest;
  dest.m_strReserved27 = "a";
  dest.m_strReserved28 = "b";
  dest.m_strReserved29 = "c";
  dest.m_strReserved30 = "d";
  dest.m_nSavedActivation = 9;
  dest.m_path.Add(CPoint(7, 8));
  dest.m_path.Add(CPoint(9, 10));
  dest = source;

  CMethod expected = FullWithReserved("a", "b", "c", "d");
  EXPECT_TRUE(Store(expected) == Store(dest));
  EXPECT_EQ(1, dest.m_bTracing);
  EXPECT_EQ(9, dest.m_nSavedActivation);
  ASSERT_EQ(2, dest.m_path.GetSize());
  EXPECT_EQ(CPoint(9, 10), dest.m_path[1]);
}

// Growing or closing up an array moves its records; that must not act as a copy.
TEST(MethodRecord, ArraysMoveRecordsWhole) {
  static_assert(std::is_nothrow_move_constructible<CMethod>::value, "relocation by move");
  CArray<CMethod, CMethod&> actions;
  actions.SetSize(2);
  actions[1].m_strReserved27 = "kept";
  actions[1].m_path.Add(CPoint(3, 4));
  actions[1].m_nSavedActivation = 5;
  for (int i = 0; i < 100; ++i) actions.Add(actions[0]);
  actions.RemoveAt(0);
  EXPECT_EQ("kept", actions[0].m_strReserved27.str());
  EXPECT_EQ(1, actions[0].m_path.GetSize());
  EXPECT_EQ(5, actions[0].m_nSavedActivation);
}

TEST(MethodRecord, TruncatedRecordThrowsAtEveryCutAndFreesEverything) {
  CMethod full = FullMethod();
  const Bytes bytes = Store(full);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    const Bytes part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    const long before = LiveAllocations();
    CArchiveException::Cause cause = CArchiveException::none;
    {
      CArray<CMethod, CMethod&> actions;
      actions.SetSize(1);
      try {
        LoadFromBytes(part, [&](CArchive& ar) { actions[0].Serialize(ar); });
      } catch (const CArchiveException& e) {
        cause = e.m_cause;
      }
    }
    ASSERT_EQ(CArchiveException::endOfFile, cause) << "cut at " << cut;
    ASSERT_EQ(before, LiveAllocations()) << "cut at " << cut;
  }
}

TEST(MethodRecord, KindsAndTheirDisplayNames) {
  struct Case {
    DWORD type;
    const char* name;
  };
  const Case cases[] = {
      {0x1, "平移运动"},      {0x2, "旋转运动"},   {0x8, "特技效果"},     {0x10, "页面切换"},
      {0x20, "显示或隐藏"},   {0x40, "改变层"},    {0x80, "退出"},        {0x100, "调用外部程序"},
      {0x400, "播放"},        {0x800, "停止"},     {0x1000, "控制点平移运动"}, {0x4000, ""},
      {0x8000, "设置数据"},   {0x10000, "显示结果"}, {0x20000, "计算结果"}, {0x40000, "卡通动画"},
      {0x100000, "GIF动画"},  {0x4, ""},          {0x200, ""},           {0x2000, ""},
      {0x80000, ""},          {0, ""},            {0x3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(std::string(c.name), CMethod::TypeDisplayName(c.type).str());
  }
}

// Pages name the records' classes when they are read, so both must be creatable by name.
TEST(MethodRecord, RecordsAreRegisteredByNameWithSchemaZero) {
  for (const char* name : {"CMethod", "CHPEvent"}) {
    SCOPED_TRACE(name);
    const CRuntimeClass* cls = CRuntimeClass::FromName(name);
    ASSERT_NE(nullptr, cls);
    EXPECT_EQ(0u, cls->m_wSchema);
    CObject* made = cls->CreateObject();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(cls, made->GetRuntimeClass());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
    delete made;
  }
}

TEST(PointArray, CountThenPointsAsSignedWords) {
  CPointArray points;
  points.Add(CPoint(1, -2));
  points.Add(CPoint(-3, 4));
  const Bytes got = StoreToBytes([&](CArchive& ar) { points.Serialize(ar); });
  Bytes want;
  AppendWord(want, 2);
  AppendDword(want, 1);
  AppendDword(want, 0xFFFFFFFEu);
  AppendDword(want, 0xFFFFFFFDu);
  AppendDword(want, 4);
  EXPECT_EQ(Hex(want), Hex(got));

  CPointArray back;
  back.Add(CPoint(9, 9));
  LoadFromBytes(got, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(2, back.GetSize());
  EXPECT_EQ(CPoint(-3, 4), back[1]);

  // A count the data cannot hold is refused before anything is allocated.
  Bytes lying;
  AppendWord(lying, 3);
  AppendDword(lying, 1);
  AppendDword(lying, 2);
  EXPECT_THROW(LoadFromBytes(lying, [&](CArchive& ar) { back.Serialize(ar); }), CArchiveException);
}

}  // namespace
