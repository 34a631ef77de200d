#include "model/UndoStack.h"

#include <algorithm>
#include <new>

#include "framework/core/MessageBox.h"

int CUndoStack::Add(std::vector<CDrawObj*>& stack, CDrawObj* object) {
  try {
    stack.push_back(object);
  } catch (const std::bad_alloc&) {
    AfxMessageBox("内存不足", MB_ICONSTOP);
    return -1;
  }
  return static_cast<int>(stack.size()) - 1;
}

CDrawObj* CUndoStack::Pop(std::vector<CDrawObj*>& stack) {
  if (stack.empty()) return nullptr;
  CDrawObj* top = stack.back();
  stack.pop_back();
  return top;
}

void CUndoStack::Forget(CDrawObj* object) {
  m_undo.erase(std::remove(m_undo.begin(), m_undo.end(), object), m_undo.end());
  m_redo.erase(std::remove(m_redo.begin(), m_redo.end(), object), m_redo.end());
}
