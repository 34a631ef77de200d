// The records of composite and glued objects: round trips through page files, and
// damaged records refused (or repaired) without leaking or sharing a member.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "model/DrawCompObj.h"
#include "model/DrawDoc.h"
#include "model/DrawJoinObj.h"
#include "model/DrawRect.h"
#include "tests/behaviour/AllocationCount.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/TestHost.h"

namespace {

Bytes StorePage(CDrawDoc& doc) {
  return StoreToBytes([&](CArchive& ar) { doc.Serialize(ar); });
}

int Occurrences(const Bytes& bytes, const std::string& text) {
  int n = 0;
  for (auto it = bytes.begin(); (it = std::search(it, bytes.end(), text.begin(), text.end())) != bytes.end(); ++it) ++n;
  return n;
}

CDrawRect* Rect(const CRect& r, const char* name) {
  auto* o = new CDrawRect(r);
  o->m_name = name;
  return o;
}

// A selection for grouping, spelt in place.
struct ListOf {
  ListOf(std::initializer_list<CDrawObj*> objects) {
    for (CDrawObj* o : objects) list.AddTail(o);
  }
  operator const CObList&() const { return list; }
  CObList list;
};

// Writes itself under the glued object's class name with a record of the test's making.
class CForgedJoin : public CDrawJoinObj {
 public:
  void Serialize(CArchive& ar) override {
    CDrawObj::Serialize(ar);
    body(ar, *this);
  }
  std::function<void(CArchive&, CForgedJoin&)> body;
};

class CForgedComposite : public CDrawCompObj {
 public:
  void Serialize(CArchive& ar) override {
    CDrawObj::Serialize(ar);
    body(ar, *this);
  }
  std::function<void(CArchive&, CForgedComposite&)> body;
};

// The words before the glue groups: member count, group count, G, the clock, the cartoon.
void JoinHeader(CArchive& ar, DWORD groups) {
  ar << 2 << static_cast<int>(groups) << groups;
  for (int i = 0; i < 8; ++i) ar << 0;
}

void GroupRecord(CArchive& ar, std::initializer_list<DWORD> handles, std::initializer_list<const CObject*> objects) {
  ar << 0 << 0 << static_cast<DWORD>(handles.size());
  for (DWORD h : handles) ar << h;
  ar.WriteCount(static_cast<DWORD>(objects.size()));
  for (const CObject* o : objects) ar.WriteObject(o);
}

void List(CArchive& ar, std::initializer_list<const CObject*> objects) {
  ar.WriteCount(static_cast<DWORD>(objects.size()));
  for (const CObject* o : objects) ar.WriteObject(o);
}

}  // namespace

TEST(GroupRecord, ACompositeStoresAgainByteForByteAndNamesItsMembersActions) {
  TestHost host;
  CDrawDoc doc;
  host.document = &doc;
  CDrawRect* a = Rect(CRect(0, 10, 10, 0), "a");
  CDrawRect* b = Rect(CRect(20, 10, 40, -5), "b");
  AddAction(*b, MakeAction(CMethod::typeShowHide, "", 0, 5));
  doc.Add(a);
  doc.Add(b);
  auto* group = new CDrawCompObj;
  ASSERT_EQ(1, group->Group(nullptr, ListOf({a, b})));
  group->m_name = "g";
  group->m_internalTime = 12;
  doc.Add(group);

  const Bytes first = StorePage(doc);
  // The group names its class, the first member the rectangle's, the second only its index.
  EXPECT_EQ(1, Occurrences(first, "CDrawCompObj"));
  EXPECT_EQ(1, Occurrences(first, "CDrawRect"));

  CDrawDoc back;
  host.document = &back;
  LoadFromBytes(first, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(1, back.m_objects.GetCount());
  auto* loaded = dynamic_cast<CDrawCompObj*>(static_cast<CObject*>(back.m_objects.GetHead()));
  ASSERT_NE(nullptr, loaded);
  const std::vector<CDrawObj*> members = loaded->Members();
  ASSERT_EQ(2u, members.size());
  for (CDrawObj* m : members) EXPECT_EQ(loaded, m->GetOwner());
  EXPECT_FALSE(members[1]->m_actions[0].m_strName.IsEmpty());
  EXPECT_EQ(12, loaded->m_internalTime);

  const Bytes second = StorePage(back);
  CDrawDoc again;
  host.document = &again;
  LoadFromBytes(second, [&](CArchive& ar) { again.Serialize(ar); });
  EXPECT_EQ(second, StorePage(again));
  host.document = &doc;
}

TEST(GroupRecord, AGluedObjectWritesEachMemberOnceInItsFirstGroup) {
  TestHost host;
  CDrawDoc doc;
  host.document = &doc;
  CDrawRect* a = Rect(CRect(0, 20, 40, 0), "a");
  CDrawRect* b = Rect(CRect(100, 100, 140, 80), "b");
  doc.Add(a);
  doc.Add(b);
  auto* glue = new CDrawJoinObj;
  glue->m_name = "glue";
  doc.Add(glue);
  GlueGroup context;
  context.objects = {a, b};
  context.handles = {5, 1};
  ASSERT_EQ(1, glue->Glue(nullptr, context));
  // A second point pinning the same two: each is still written once.
  GlueGroup second;
  second.objects = {b, a};
  second.handles = {3, 7};
  glue->m_glueGroups.push_back(second);
  ++glue->m_groupCount;

  const Bytes first = StorePage(doc);
  EXPECT_EQ(1, Occurrences(first, "CDrawRect"));
  CDrawDoc back;
  host.document = &back;
  LoadFromBytes(first, [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_EQ(1, back.m_objects.GetCount());
  auto* loaded = dynamic_cast<CDrawJoinObj*>(static_cast<CObject*>(back.m_objects.GetHead()));
  ASSERT_NE(nullptr, loaded);
  const std::vector<CDrawObj*> members = loaded->Members();
  ASSERT_EQ(2u, members.size());
  ASSERT_EQ(2u, loaded->m_glueGroups.size());
  EXPECT_EQ(members, loaded->m_glueGroups[0].objects);
  EXPECT_EQ((std::vector<DWORD>{3, 7}), loaded->m_glueGroups[1].handles);
  for (CDrawObj* m : members) EXPECT_EQ(loaded, m->GetOwner());
  EXPECT_EQ(first, StorePage(back));
  host.document = &doc;
}

// Every damaged record is refused as a whole, and what it had made is freed: no object
// ends up with two owners or none.
TEST(GroupRecord, DamagedGroupsAreRefusedWithoutLeaks) {
  TestHost host;
  CDrawRect before(CRect(0, 1, 1, 0));  // an object read ahead of the group
  CDrawRect a(CRect(0, 1, 1, 0)), b(CRect(0, 1, 1, 0)), c(CRect(0, 1, 1, 0));
  struct Row {
    const char* name;
    std::function<void(CArchive&, CForgedJoin&)> body;
    bool refused;
  };
  const Row rows[] = {
      {"well formed", [&](CArchive& ar, CForgedJoin&) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5, 1}, {&a, &b});
         List(ar, {&a, &b});
       }, false},
      {"more handles than objects", [&](CArchive& ar, CForgedJoin&) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5, 1, 3}, {&a, &b});
         List(ar, {&a, &b});
       }, true},
      {"a group object that is no member", [&](CArchive& ar, CForgedJoin&) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5, 1}, {&a, &b});
         List(ar, {&a});
       }, true},
      {"a member in no group", [&](CArchive& ar, CForgedJoin&) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5}, {&a});
         List(ar, {&a, &c});
       }, true},
      {"the glued object among its members", [&](CArchive& ar, CForgedJoin& self) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5}, {&a});
         List(ar, {&a, &self});
       }, true},
      {"an object read elsewhere", [&](CArchive& ar, CForgedJoin&) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5, 1}, {&a, &before});
         List(ar, {&a, &before});
       }, true},
      {"a member named twice", [&](CArchive& ar, CForgedJoin&) {
         JoinHeader(ar, 1);
         GroupRecord(ar, {5, 1}, {&a, &b});
         List(ar, {&a, &b, &a});
       }, true},
  };
  auto attempt = [&](const Row& row) {
    CForgedJoin forged;
    forged.body = row.body;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
      ar.WriteObject(&before);
      ar.WriteObject(&forged);
    });
    std::unique_ptr<CObject> first, second;
    try {
      LoadFromBytes(bytes, [&](CArchive& ar) {
        first.reset(ar.ReadObject(nullptr));
        second.reset(ar.ReadNewObject(&CDrawDoc::IsDrawingClass));
      });
    } catch (const CArchiveException&) {
      return true;
    }
    return false;
  };
  attempt(rows[0]);  // what the first read sets up once is no leak
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const long live = LiveAllocations();
    EXPECT_EQ(row.refused, attempt(row));
    EXPECT_EQ(live, LiveAllocations());
  }
}

TEST(GroupRecord, CompositeMembersAreNewObjectsAndEachHasARectangle) {
  TestHost host;
  CDrawRect before(CRect(0, 1, 1, 0)), a(CRect(0, 10, 10, 0)), b(CRect(20, 10, 30, 0));
  b.m_baseRect = CRect(18, 12, 32, -2);
  auto read = [&](const std::function<void(CArchive&, CForgedComposite&)>& body, std::unique_ptr<CObject>& out) {
    CForgedComposite forged;
    forged.body = body;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
      ar.WriteObject(&before);
      ar.WriteObject(&forged);
    });
    std::unique_ptr<CObject> first;
    LoadFromBytes(bytes, [&](CArchive& ar) {
      first.reset(ar.ReadObject(nullptr));
      out.reset(ar.ReadNewObject(&CDrawDoc::IsDrawingClass));
    });
  };
  auto header = [](CArchive& ar, int rects) {
    ar << 2 << static_cast<DWORD>(rects);
    for (int i = 0; i < rects; ++i) ar << CRect(1, 2, 3, 4);
    for (int i = 0; i < 8; ++i) ar << 0;
  };
  {
    SCOPED_TRACE("fewer rectangles than members");
    std::unique_ptr<CObject> loaded;
    read([&](CArchive& ar, CForgedComposite&) { header(ar, 1); List(ar, {&a, &b}); }, loaded);
    auto& group = dynamic_cast<CDrawCompObj&>(*loaded);
    ASSERT_EQ(2, group.m_memberRects.GetSize());
    EXPECT_EQ(CRect(1, 2, 3, 4), group.m_memberRects[0]);
    EXPECT_EQ(CRect(18, 12, 32, -2), group.m_memberRects[1]);
  }
  {
    SCOPED_TRACE("a member read elsewhere");
    const long live = LiveAllocations();
    std::unique_ptr<CObject> loaded;
    EXPECT_THROW(read([&](CArchive& ar, CForgedComposite&) { header(ar, 2); List(ar, {&a, &before}); }, loaded),
                 CArchiveException);
    EXPECT_EQ(live, LiveAllocations());
  }
  {
    SCOPED_TRACE("nesting without end");
    std::unique_ptr<CDrawCompObj> outer(new CDrawCompObj);
    CDrawCompObj* inner = outer.get();
    for (int depth = 0; depth < 100; ++depth) {
      auto* next = new CDrawCompObj;
      inner->m_members.AddTail(next);
      inner = next;
    }
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar.WriteObject(outer.get()); });
    const long live = LiveAllocations();
    EXPECT_THROW(LoadFromBytes(bytes, [&](CArchive& ar) { delete ar.ReadNewObject(&CDrawDoc::IsDrawingClass); }),
                 CArchiveException);
    EXPECT_EQ(live, LiveAllocations());
  }
}
