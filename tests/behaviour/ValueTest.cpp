// Variable values: their (empty) archived record, which pages in circulation carry,
// and the copies that clones take.
#include <gtest/gtest.h>

#include <memory>

#include "model/DoubleValue.h"
#include "tests/support/ArchiveHelpers.h"

namespace {

TEST(Value, NumberHoldingValuesReportThePlainValueClass) {
  CDoubleValue number(2.5);
  EXPECT_EQ(2.5, number.GetValue());
  EXPECT_EQ(RUNTIME_CLASS(CValue), number.GetRuntimeClass());
  EXPECT_EQ(RUNTIME_CLASS(CValue), CRuntimeClass::FromName("CValue"));
  EXPECT_EQ(0u, RUNTIME_CLASS(CValue)->m_wSchema);
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CDoubleValue"));

  EXPECT_EQ(0.0, CValue().GetValue());
  EXPECT_EQ(0.0, CDoubleValue().GetValue());
  number.SetValue(-4);  // replaces (and frees) the earlier number
  EXPECT_EQ(-4, number.GetValue());
}

// Each variable is its name, a class tag and an empty record; it reads back as a plain
// value, so a number set before saving is 0 after loading.
TEST(Value, VariableMapGoldenBytes) {
  CMapStringToOb map;
  map.InitHashTable(29);
  map.SetAt("a", new CDoubleValue(5));
  map.SetAt("b", new CDoubleValue(6));
  Bytes stored = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
  CValue::DeleteVariables(map);

  Bytes want;
  AppendWord(want, 2);                        // count
  Append(want, {1, 'a'});
  AppendWord(want, 0xFFFF);                   // new class, index 1
  AppendWord(want, 0);                        // schema
  AppendWord(want, 6);
  AppendText(want, "CValue");                 // and no record bytes
  Append(want, {1, 'b'});
  AppendWord(want, 0x8001);                   // class index 1, no record bytes
  EXPECT_EQ(Hex(want), Hex(stored));

  CMapStringToOb loaded;
  LoadFromBytes(want, [&](CArchive& ar) {
    loaded.Serialize(ar);
    EXPECT_EQ(0u, ar.BytesLeft());
  });
  ASSERT_EQ(2, loaded.GetCount());
  for (const char* name : {"a", "b"}) {
    SCOPED_TRACE(name);
    CObject* value = nullptr;
    ASSERT_TRUE(loaded.Lookup(name, value));
    ASSERT_TRUE(value->IsKindOf(RUNTIME_CLASS(CValue)));
    EXPECT_EQ(0.0, static_cast<CValue*>(value)->GetValue());
  }
  EXPECT_EQ(Hex(want), Hex(StoreToBytes([&](CArchive& ar) { loaded.Serialize(ar); })));
  CValue::DeleteVariables(loaded);
  EXPECT_EQ(0, loaded.GetCount());
}

TEST(Value, CopiesAreNewValuesOfTheSameKind) {
  CDoubleValue number(7.25);
  std::unique_ptr<CValue> copy(number.CreateCopy());
  EXPECT_NE(nullptr, dynamic_cast<CDoubleValue*>(copy.get()));
  EXPECT_EQ(7.25, copy->GetValue());

  CValue plain;
  std::unique_ptr<CValue> plainCopy(plain.CreateCopy());
  EXPECT_EQ(nullptr, dynamic_cast<CDoubleValue*>(plainCopy.get()));
  EXPECT_EQ(0.0, plainCopy->GetValue());
}

TEST(Value, CopyVariablesReplacesWithoutSharing) {
  CMapStringToOb source, target;
  source.SetAt("x", new CDoubleValue(1));
  source.SetAt("y", new CValue);
  CMapStringToOb notAValue;
  source.SetAt("junk", &notAValue);
  target.SetAt("x", new CDoubleValue(99));  // deleted on replacement
  target.SetAt("keep", new CDoubleValue(3));

  CValue::CopyVariables(source, target);
  CValue::CopyVariables(target, target);  // copying onto itself changes nothing
  source.RemoveKey("junk");

  EXPECT_EQ(3, target.GetCount());
  CObject* x = nullptr;
  CObject* sourceX = nullptr;
  ASSERT_TRUE(target.Lookup("x", x));
  ASSERT_TRUE(source.Lookup("x", sourceX));
  EXPECT_NE(sourceX, x);
  EXPECT_EQ(1.0, static_cast<CValue*>(x)->GetValue());
  CObject* unused;
  EXPECT_FALSE(target.Lookup("junk", unused));
  EXPECT_TRUE(target.Lookup("keep", unused));

  CValue::DeleteVariables(source);
  CValue::DeleteVariables(target);
}

}  // namespace
