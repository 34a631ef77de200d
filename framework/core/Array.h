// CArray: a growable array holding its elements by value.
#pragma once

#include <cassert>
#include <vector>

#include "framework/core/AfxTypes.h"

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray {
 public:
  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }

  // Grows with default-constructed elements or destroys the ones past the new size.
  void SetSize(int newSize, int growBy = -1) { m_data.resize(static_cast<size_t>(newSize < 0 ? 0 : newSize)); }
  void RemoveAll() { m_data.clear(); }

  TYPE& operator[](int i) { return ElementAt(i); }
  const TYPE& operator[](int i) const { return GetAt(i); }
  TYPE& ElementAt(int i) { assert(i >= 0 && i < GetSize()); return m_data[static_cast<size_t>(i)]; }
  const TYPE& GetAt(int i) const { assert(i >= 0 && i < GetSize()); return m_data[static_cast<size_t>(i)]; }
  void SetAt(int i, ARG_TYPE item) { ElementAt(i) = item; }
  void SetAtGrow(int i, ARG_TYPE item) {
    if (i >= GetSize()) SetSize(i + 1);
    ElementAt(i) = item;
  }
  TYPE* GetData() { return m_data.data(); }
  const TYPE* GetData() const { return m_data.data(); }

  int Add(ARG_TYPE item) { m_data.push_back(item); return GetUpperBound(); }
  void InsertAt(int i, ARG_TYPE item, int count = 1) {
    m_data.insert(m_data.begin() + i, static_cast<size_t>(count), item);
  }
  void RemoveAt(int i, int count = 1) { m_data.erase(m_data.begin() + i, m_data.begin() + i + count); }
  void Copy(const CArray& other) { m_data = other.m_data; }

 private:
  std::vector<TYPE> m_data;
};
