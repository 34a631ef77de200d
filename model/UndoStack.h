// CUndoStack: the editor's undo of deletions. Deleted objects stay in the page, marked
// suspended; the stacks only refer to them (the page owns them), so an entry is never
// destroyed through a stack.
#pragma once

#include <vector>

class CDrawObj;

class CUndoStack {
 public:
  CUndoStack() = default;
  virtual ~CUndoStack() = default;
  CUndoStack(const CUndoStack&) = delete;
  CUndoStack& operator=(const CUndoStack&) = delete;

  virtual bool IsRedoEmpty() const { return m_redo.empty(); }
  virtual bool IsUndoEmpty() const { return m_undo.empty(); }
  virtual int PushUndo(CDrawObj* object) { return AddUndo(object); }
  virtual int ClearRedo(int = 0) { m_redo.clear(); return 1; }
  virtual int ClearUndo(int = 0) { m_undo.clear(); return 1; }
  virtual int PushRedo(CDrawObj* object) { return AddRedo(object); }
  virtual CDrawObj* PopUndo() { return Pop(m_undo); }
  // The new entry's index, or -1 (the stack unchanged) when it cannot grow.
  virtual int AddUndo(CDrawObj* object) { return Add(m_undo, object); }
  virtual int AddRedo(CDrawObj* object) { return Add(m_redo, object); }
  virtual CDrawObj* PopRedo() { return Pop(m_redo); }

  // Drops every entry that refers to the object, for an object about to be destroyed.
  void Forget(CDrawObj* object);

 private:
  static int Add(std::vector<CDrawObj*>& stack, CDrawObj* object);
  static CDrawObj* Pop(std::vector<CDrawObj*>& stack);

  std::vector<CDrawObj*> m_undo;
  std::vector<CDrawObj*> m_redo;
};
