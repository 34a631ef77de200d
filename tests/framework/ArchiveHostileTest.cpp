// Damaged and hostile archives: each raises the right CArchiveException, allocates
// nothing on the strength of a lying length, and leaves no object behind.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/MapStringToOb.h"
#include "framework/core/ObList.h"
#include "tests/framework/TestObjects.h"
#include "tests/support/ArchiveHelpers.h"

namespace {

// A valid archive: a string, a list of two nodes (the second referring to the first), a
// map with one entry pointing back at the first node.
Bytes SmallValidArchive() {
  CTestNode a(1), b(2, &a);
  CObList list;
  list.AddTail(&a);
  list.AddTail(&b);
  CMapStringToOb map;
  map.SetAt("x", &a);
  return StoreToBytes([&](CArchive& ar) {
    ar << CString("页面");
    list.Serialize(ar);
    map.Serialize(ar);
  });
}

// Reads what SmallValidArchive wrote; the list keeps what was read before a failure and
// owns it, as a page's object list does.
void ReadSmallArchive(const Bytes& bytes) {
  CObList list;
  try {
    LoadFromBytes(bytes, [&](CArchive& ar) {
      CString s;
      ar >> s;
      list.Serialize(ar);
      CMapStringToOb map;
      map.Serialize(ar);
    });
  } catch (...) {
    while (!list.IsEmpty()) delete list.RemoveHead();
    throw;
  }
  while (!list.IsEmpty()) delete list.RemoveHead();
}

TEST(ArchiveHostile, TruncatedAtEveryPositionThrowsAndLeaksNothing) {
  const Bytes valid = SmallValidArchive();
  ASSERT_NO_THROW(ReadSmallArchive(valid));
  ASSERT_EQ(0, CTestNode::s_live);
  for (size_t cut = 0; cut < valid.size(); ++cut) {
    SCOPED_TRACE(cut);
    try {
      ReadSmallArchive(Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(cut)));
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      // A class name cut short is a bad class; anything else is a plain early end.
      EXPECT_TRUE(e.m_cause == CArchiveException::endOfFile || e.m_cause == CArchiveException::badClass)
          << e.m_cause;
    }
    EXPECT_EQ(0, CTestNode::s_live);
  }
}

struct HostileCase {
  const char* what;
  std::vector<int> bytes;
  CArchiveException::Cause cause;
};

Bytes NewClassTag(const char* name, WORD schema = 0) {
  Bytes out;
  AppendWord(out, 0xFFFF);
  AppendWord(out, schema);
  AppendWord(out, static_cast<unsigned>(strlen(name)));
  AppendText(out, name);
  return out;
}

TEST(ArchiveHostile, MalformedReferencesAndLengths) {
  const auto node = NewClassTag("CTestNode");
  auto with = [](Bytes head, std::initializer_list<int> more) {
    Append(head, more);
    return std::vector<int>(head.begin(), head.end());
  };
  const HostileCase cases[] = {
      {"unknown class name", with(NewClassTag("CNoSuchThing"), {}), CArchiveException::badClass},
      {"class that cannot be created", with(NewClassTag("CObject"), {}), CArchiveException::badClass},
      {"class name longer than any class", with(NewClassTag(std::string(80, 'C').c_str()), {}),
       CArchiveException::badClass},
      {"schema does not match", with(NewClassTag("CTestNode", 3), {1, 0, 0, 0}), CArchiveException::badSchema},
      {"back reference never written", {0x05, 0x00}, CArchiveException::badIndex},
      {"back reference to a class", with(node, {1, 0, 0x01, 0x00}), CArchiveException::badIndex},
      {"class tag naming an object", with(node, {1, 0, 0, 0, 0x02, 0x80}), CArchiveException::badIndex},
      {"class tag with index 0", {0x00, 0x80}, CArchiveException::badIndex},
      {"escaped object index past the end", {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x40}, CArchiveException::badIndex},
      {"escaped class index past the end", {0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}, CArchiveException::badIndex},
      {"object of an unwanted class", with(NewClassTag("CTestLeaf"), {0}), CArchiveException::badClass},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes(c.bytes.begin(), c.bytes.end());
    try {
      LoadFromBytes(bytes, [](CArchive& ar) {
        // Up to two references, as a node list would hold; the wanted class is CTestNode.
        for (int i = 0; i < 2; ++i) delete ar.ReadObject(RUNTIME_CLASS(CTestNode));
      });
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(c.cause, e.m_cause);
    }
    EXPECT_EQ(0, CTestNode::s_live);
  }
}

// Frames and views can be made by name (for document templates) but are not
// archivable: a file naming one, with the "not archivable" schema, gets no window object.
TEST(ArchiveHostile, ClassesMadeByNameForTheFrameworkAreNotReadFromFiles) {
  ASSERT_NE(nullptr, CRuntimeClass::FromName("CFrameWnd"));
  for (const char* name : {"CWnd", "CFrameWnd"}) {
    SCOPED_TRACE(name);
    try {
      LoadFromBytes(NewClassTag(name, 0xFFFF), [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CObject)); });
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(CArchiveException::badClass, e.m_cause);
    }
  }
}

TEST(ArchiveHostile, HugeCountsAndLengthsFailBeforeAllocating) {
  const std::vector<int> cases[] = {
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},  // string of 2 GiB
      {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3F},  // UTF-16 string of 1 G characters
      {0xFF, 0xF0, 0xFF, 'a', 'b'},                // string of 0xFFF0 bytes, 2 present
  };
  for (const auto& c : cases) {
    Bytes bytes(c.begin(), c.end());
    SCOPED_TRACE(Hex(bytes));
    try {
      LoadFromBytes(bytes, [](CArchive& ar) {
        CString s;
        ar >> s;
      });
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(CArchiveException::endOfFile, e.m_cause);
    }
  }

  // An object list and a map claiming 0xFFFFFFFF elements.
  Bytes hugeCount;
  Append(hugeCount, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00});
  CObList list;
  EXPECT_THROW(LoadFromBytes(hugeCount, [&](CArchive& ar) { list.Serialize(ar); }), CArchiveException);
  EXPECT_EQ(0, list.GetCount());
  CMapStringToOb map;
  EXPECT_THROW(LoadFromBytes(hugeCount, [&](CArchive& ar) { map.Serialize(ar); }), CArchiveException);
  EXPECT_EQ(0, map.GetCount());
}

TEST(ArchiveHostile, OwningReadersAcceptOnlyNewObjectsOfTheirClasses) {
  auto onlyNodes = [](const CRuntimeClass* cls) { return cls == RUNTIME_CLASS(CTestNode); };
  CTestNode a(1);
  CTestLeaf leaf;
  const int live = CTestNode::s_live;
  struct { const char* what; Bytes bytes; } refused[] = {
      {"null", StoreToBytes([](CArchive& ar) { ar.WriteObject(nullptr); })},
      {"back reference", StoreToBytes([&](CArchive& ar) { ar << &a << &a; })},
      {"class outside the list", StoreToBytes([&](CArchive& ar) { ar << &leaf; })},
  };
  for (auto& c : refused) {
    SCOPED_TRACE(c.what);
    try {
      LoadFromBytes(c.bytes, [&](CArchive& ar) {
        for (int i = 0; i < 2; ++i) delete ar.ReadNewObject(onlyNodes);
      });
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(CArchiveException::badClass, e.m_cause);
    }
    EXPECT_EQ(live, CTestNode::s_live);
  }
  CTestNode b(2, &a);
  LoadFromBytes(StoreToBytes([&](CArchive& ar) { ar << &a << &b; }), [&](CArchive& ar) {
    std::unique_ptr<CObject> first(ar.ReadNewObject(onlyNodes)), second(ar.ReadNewObject(onlyNodes));
    EXPECT_EQ(first.get(), static_cast<CTestNode*>(second.get())->m_ref);
  });
}

TEST(ArchiveHostile, ReadingFromAStoringArchiveAndBackIsRefused) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  BYTE b;
  EXPECT_THROW(ar >> b, CArchiveException);
  CMemFile in(Bytes{1, 2});
  CArchive loader(&in, CArchive::load);
  EXPECT_THROW(loader << b, CArchiveException);
}

}  // namespace
