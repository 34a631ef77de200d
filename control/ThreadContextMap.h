// CThreadContextMap: the control's registry of the threads that run a control. A
// browser may show several pages with controls at once, each page on its own
// user-interface thread; the page model reaches its view, document, control window,
// page base address and module instance through the record of the calling thread.
// One control per thread: a second one on the same thread is refused.
//
// Threads add and remove records while others search the list, so every add, remove
// and search holds the lock.
#pragma once

#include <windows.h>

#include <mutex>

#include "framework/core/PtrList.h"
#include "framework/core/String.h"

class CMainDoc;
class CMainView;
class CRaveloCtrl;

struct ThreadContext {
  DWORD threadId = 0;
  CMainView* view = nullptr;        // not owned
  CRaveloCtrl* control = nullptr;   // not owned
  CMainDoc* document = nullptr;     // not owned
  HINSTANCE moduleInstance = nullptr;
  CString baseUrl;                  // the folder page names are resolved against
  int targetMissing = 0;            // an event named an object the page does not have
};

class CThreadContextMap {
 public:
  CThreadContextMap() = default;
  // Deletes every record left.
  virtual ~CThreadContextMap();
  CThreadContextMap(const CThreadContextMap&) = delete;
  CThreadContextMap& operator=(const CThreadContextMap&) = delete;

  // 1 when a record was made for the calling thread, 0 when it already has one.
  virtual int AddCurrentThread();
  // 1 when the calling thread's record was removed, 0 when it had none.
  virtual int RemoveCurrentThread();

  // The calling thread's record, or null. Only that thread removes it, so the pointer
  // stays valid on it until it does.
  ThreadContext* FindCurrent();

  // Each stores the value in the calling thread's record and returns the record; without
  // a record nothing happens and the result is null.
  ThreadContext* SetView(CMainView* view);
  ThreadContext* SetDocument(CMainDoc* document);
  ThreadContext* SetControl(CRaveloCtrl* control);
  ThreadContext* SetModuleHandle(HINSTANCE instance);
  ThreadContext* SetTargetMissing(int flag);
  void SetBaseUrl(const CString& text);

  // The calling thread's values, or null, 0 or empty without a record.
  CMainView* GetView();
  CRaveloCtrl* GetControl();
  CMainDoc* GetDocument();
  CString GetBaseUrl();
  HINSTANCE GetModuleHandle();
  int GetTargetMissing();
  // Records over all threads.
  int GetCount();

  // The GDI+ smoothing mode every page draws with (high quality).
  const int m_smoothingMode = 2;

 private:
  // Must hold m_lock.
  ThreadContext* FindLocked(DWORD threadId) const;
  template <class F>
  ThreadContext* Update(F change);

  std::mutex m_lock;
  CPtrList m_records{10};  // of ThreadContext*, owned
};

// The process's one registry.
CThreadContextMap& GetThreadContextMap();
