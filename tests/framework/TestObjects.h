// Small archivable classes for the object-reference tests. Every instance is counted,
// so a test can prove that a failed read left nothing behind.
#pragma once

#include "framework/core/Archive.h"

// A node with a value and a reference to another object, which it does not own.
class CTestNode : public CObject {
  DECLARE_SERIAL(CTestNode)
 public:
  CTestNode() { ++s_live; }
  explicit CTestNode(WORD value, CObject* ref = nullptr) : m_value(value), m_ref(ref) { ++s_live; }
  ~CTestNode() override { --s_live; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_value;
      ar.WriteObject(m_ref);
    } else {
      ar >> m_value;
      m_ref = ar.ReadObject(RUNTIME_CLASS(CObject));
    }
  }
  WORD m_value = 0;
  CObject* m_ref = nullptr;
  static int s_live;
};

// A second class with a one-byte record.
class CTestLeaf : public CObject {
  DECLARE_SERIAL(CTestLeaf)
 public:
  CTestLeaf() { ++CTestNode::s_live; }
  ~CTestLeaf() override { --CTestNode::s_live; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar << m_byte; else ar >> m_byte;
  }
  BYTE m_byte = 0;
};

// A versionable class: records the schema it was read with.
class CTestVersioned : public CObject {
  DECLARE_SERIAL(CTestVersioned)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) m_readSchema = ar.GetObjectSchema();
  }
  UINT m_readSchema = 0;
};

// Reports CObject as its base although it derives from CTestNode in C++.
class CTestReportsObjectBase : public CTestNode {
  DECLARE_SERIAL(CTestReportsObjectBase)
};
