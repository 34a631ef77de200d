// Object references: new-class tags, class indices, back references, null, and the
// large-index escape, written and read byte for byte.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/ObList.h"
#include "tests/framework/TestObjects.h"
#include "tests/support/ArchiveHelpers.h"

namespace {

// a (class new), b (same class, refers back to a), b again, null.
Bytes HandAssembledGraph() {
  Bytes out;
  AppendWord(out, 0xFFFF);                  // new class, takes index 1
  AppendWord(out, 0);                       // schema
  AppendWord(out, 9);
  AppendText(out, "CTestNode");
  AppendWord(out, 0x0011);                  // a: index 2; value
  AppendWord(out, 0x0000);                  //    ref null
  AppendWord(out, 0x8001);                  // b: class 1, index 3
  AppendWord(out, 0x0022);                  //    value
  AppendWord(out, 0x0002);                  //    ref back to a
  AppendWord(out, 0x0003);                  // b again
  AppendWord(out, 0x0000);                  // null
  return out;
}

TEST(ArchiveObject, HandAssembledReferencesReadBackToTheRightObjects) {
  CObject* got[4] = {};
  LoadFromBytes(HandAssembledGraph(), [&](CArchive& ar) {
    for (CObject*& p : got) p = ar.ReadObject(RUNTIME_CLASS(CObject));
    EXPECT_EQ(0u, ar.BytesLeft());
  });
  std::unique_ptr<CObject> a(got[0]), b(got[1]);
  ASSERT_TRUE(a && a->IsKindOf(RUNTIME_CLASS(CTestNode)));
  ASSERT_TRUE(b && b->IsKindOf(RUNTIME_CLASS(CTestNode)));
  EXPECT_EQ(0x11, static_cast<CTestNode*>(a.get())->m_value);
  EXPECT_EQ(nullptr, static_cast<CTestNode*>(a.get())->m_ref);
  EXPECT_EQ(0x22, static_cast<CTestNode*>(b.get())->m_value);
  EXPECT_EQ(a.get(), static_cast<CTestNode*>(b.get())->m_ref);
  EXPECT_EQ(b.get(), got[2]);
  EXPECT_EQ(nullptr, got[3]);
}

TEST(ArchiveObject, WritingTheSameGraphGivesExactlyThoseBytes) {
  CTestNode a(0x11), b(0x22, &a);
  Bytes got = StoreToBytes([&](CArchive& ar) {
    ar << &a << &b << &b;
    ar.WriteObject(nullptr);
  });
  EXPECT_EQ(Hex(HandAssembledGraph()), Hex(got));
}

TEST(ArchiveObject, ListSerializeIsCountThenReferences) {
  CTestNode a(1), b(2);
  CObList list;
  list.AddTail(&a);
  list.AddTail(&b);
  Bytes got = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });
  Bytes want;
  AppendWord(want, 2);
  AppendWord(want, 0xFFFF);
  AppendWord(want, 0);
  AppendWord(want, 9);
  AppendText(want, "CTestNode");
  Append(want, {1, 0, 0, 0, 0x01, 0x80, 2, 0, 0, 0});
  EXPECT_EQ(Hex(want), Hex(got));

  CObList back;
  LoadFromBytes(got, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(2, back.GetCount());
  EXPECT_EQ(2, static_cast<CTestNode*>(back.GetTail())->m_value);
  while (!back.IsEmpty()) delete back.RemoveHead();
}

TEST(ArchiveObject, IndicesPastTheSmallRangeUseTheEscape) {
  // 0x7FFF nodes: class A takes index 1, the nodes 2 .. 0x8000. Then a new class B
  // takes 0x8001, so a second B object names its class through the escape, and a
  // back reference to the last node (0x8000) is an escaped object index.
  const int kNodes = 0x7FFF;
  std::vector<std::unique_ptr<CTestNode>> nodes;
  for (int i = 0; i < kNodes; ++i) nodes.emplace_back(new CTestNode(static_cast<WORD>(i)));
  CTestLeaf leaf1, leaf2;
  Bytes got = StoreToBytes([&](CArchive& ar) {
    for (auto& n : nodes) ar << n.get();
    ar << &leaf1 << &leaf2 << nodes.back().get() << nodes[0x7FFC].get();
  });

  // Tail: leaf1 = new class (FFFF, schema, len 9, name, byte), leaf2 = 7FFF + 0x80008001 +
  // byte, back reference 7FFF + 0x00008000, then node index 0x7FFE written small.
  Bytes tail;
  AppendWord(tail, 0xFFFF);
  AppendWord(tail, 0);
  AppendWord(tail, 9);
  AppendText(tail, "CTestLeaf");
  Append(tail, {0});
  AppendWord(tail, 0x7FFF);
  AppendDword(tail, 0x80008001ul);
  Append(tail, {0});
  AppendWord(tail, 0x7FFF);
  AppendDword(tail, 0x00008000ul);
  AppendWord(tail, 0x7FFE);
  ASSERT_GT(got.size(), tail.size());
  EXPECT_EQ(Hex(tail), Hex(Bytes(got.end() - static_cast<std::ptrdiff_t>(tail.size()), got.end())));

  std::vector<std::unique_ptr<CObject>> owned;
  LoadFromBytes(got, [&](CArchive& ar) {
    for (int i = 0; i < kNodes + 2; ++i) owned.emplace_back(ar.ReadObject(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(owned[kNodes - 1].get(), ar.ReadObject(nullptr));
    EXPECT_EQ(owned[0x7FFC].get(), ar.ReadObject(nullptr));
  });
  EXPECT_EQ(0x1234, static_cast<CTestNode*>(owned[0x1234].get())->m_value);
  EXPECT_TRUE(owned[kNodes + 1]->IsKindOf(RUNTIME_CLASS(CTestLeaf)));
}

TEST(ArchiveObject, VersionableClassAcceptsAnySchemaAndReportsIt) {
  CTestVersioned v;
  Bytes got = StoreToBytes([&](CArchive& ar) { ar << &v; });
  Bytes want;
  AppendWord(want, 0xFFFF);
  AppendWord(want, 2);  // the versionable flag is not written
  AppendWord(want, 14);
  AppendText(want, "CTestVersioned");
  EXPECT_EQ(Hex(want), Hex(got));

  want[2] = 7;  // written by another version
  LoadFromBytes(want, [](CArchive& ar) {
    std::unique_ptr<CObject> o(ar.ReadObject(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(7u, static_cast<CTestVersioned*>(o.get())->m_readSchema);
  });
}

TEST(ArchiveObject, RuntimeClassReportsTheRecordedBase) {
  CTestReportsObjectBase odd;
  EXPECT_TRUE(odd.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(odd.IsKindOf(RUNTIME_CLASS(CTestNode)));  // its record names CObject
  EXPECT_EQ(RUNTIME_CLASS(CTestNode), CRuntimeClass::FromName("CTestNode"));
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CTestNod"));
  std::unique_ptr<CObject> made(CRuntimeClass::FromName("CTestLeaf")->CreateObject());
  EXPECT_STREQ("CTestLeaf", made->GetRuntimeClass()->m_lpszClassName);
}

}  // namespace
