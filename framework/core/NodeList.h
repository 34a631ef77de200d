// The doubly linked list behind CObList, CPtrList and CStringList. A POSITION is the
// address of a node; it stays valid until that node is removed.
#pragma once

#include <cassert>
#include <utility>

#include "framework/core/AfxTypes.h"

template <typename T>
class NodeList {
  struct Node {
    Node* next;
    Node* prev;
    T data;
  };

 public:
  NodeList() = default;
  NodeList(const NodeList&) = delete;
  NodeList& operator=(const NodeList&) = delete;
  ~NodeList() { RemoveAll(); }

  int GetCount() const { return m_count; }
  int GetSize() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }

  T& GetHead() { assert(m_head); return m_head->data; }
  const T& GetHead() const { assert(m_head); return m_head->data; }
  T& GetTail() { assert(m_tail); return m_tail->data; }
  const T& GetTail() const { assert(m_tail); return m_tail->data; }

  POSITION AddHead(const T& item) { return InsertBefore(Pos(m_head), item); }
  POSITION AddTail(const T& item) { return InsertAfter(Pos(m_tail), item); }

  T RemoveHead() { T item = std::move(m_head->data); RemoveAt(Pos(m_head)); return item; }
  T RemoveTail() { T item = std::move(m_tail->data); RemoveAt(Pos(m_tail)); return item; }

  void RemoveAll() {
    for (Node* n = m_head; n;) {
      Node* next = n->next;
      delete n;
      n = next;
    }
    m_head = m_tail = nullptr;
    m_count = 0;
  }

  POSITION GetHeadPosition() const { return Pos(m_head); }
  POSITION GetTailPosition() const { return Pos(m_tail); }

  T& GetNext(POSITION& pos) { Node* n = At(pos); pos = Pos(n->next); return n->data; }
  const T& GetNext(POSITION& pos) const { Node* n = At(pos); pos = Pos(n->next); return n->data; }
  T& GetPrev(POSITION& pos) { Node* n = At(pos); pos = Pos(n->prev); return n->data; }
  const T& GetPrev(POSITION& pos) const { Node* n = At(pos); pos = Pos(n->prev); return n->data; }

  T& GetAt(POSITION pos) { return At(pos)->data; }
  const T& GetAt(POSITION pos) const { return At(pos)->data; }
  void SetAt(POSITION pos, const T& item) { At(pos)->data = item; }

  // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
  POSITION InsertBefore(POSITION pos, const T& item) {
    Node* at = pos ? At(pos) : m_head;
    Node* n = new Node{at, at ? at->prev : m_tail, item};
    if (!at) {
      if (m_tail) m_tail->next = n; else m_head = n;
      m_tail = n;
    } else {
      if (at->prev) at->prev->next = n; else m_head = n;
      at->prev = n;
    }
    ++m_count;
    return Pos(n);
  }

  POSITION InsertAfter(POSITION pos, const T& item) {
    Node* at = pos ? At(pos) : m_tail;
    if (!at) return InsertBefore(nullptr, item);
    Node* n = new Node{at->next, at, item};
    if (at->next) at->next->prev = n; else m_tail = n;
    at->next = n;
    ++m_count;
    return Pos(n);
  }

  void RemoveAt(POSITION pos) {
    Node* n = At(pos);
    if (n->prev) n->prev->next = n->next; else m_head = n->next;
    if (n->next) n->next->prev = n->prev; else m_tail = n->prev;
    delete n;
    --m_count;
  }

  // The position of the first element equal to item after startAfter (or from the head).
  POSITION Find(const T& item, POSITION startAfter = nullptr) const {
    for (Node* n = startAfter ? At(startAfter)->next : m_head; n; n = n->next)
      if (n->data == item) return Pos(n);
    return nullptr;
  }

  // The position of the element with that zero-based index, or null.
  POSITION FindIndex(int index) const {
    if (index < 0 || index >= m_count) return nullptr;
    Node* n = m_head;
    while (index-- > 0) n = n->next;
    return Pos(n);
  }

 private:
  static POSITION Pos(Node* n) { return reinterpret_cast<POSITION>(n); }
  static Node* At(POSITION pos) { assert(pos); return reinterpret_cast<Node*>(pos); }

  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  int m_count = 0;
};
