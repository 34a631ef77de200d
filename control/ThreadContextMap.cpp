#include "control/ThreadContextMap.h"

CThreadContextMap& GetThreadContextMap() {
  static CThreadContextMap map;
  return map;
}

CThreadContextMap::~CThreadContextMap() {
  std::lock_guard<std::mutex> guard(m_lock);
  for (POSITION pos = m_records.GetHeadPosition(); pos;) delete static_cast<ThreadContext*>(m_records.GetNext(pos));
  m_records.RemoveAll();
}

ThreadContext* CThreadContextMap::FindLocked(DWORD threadId) const {
  for (POSITION pos = m_records.GetHeadPosition(); pos;) {
    auto* record = static_cast<ThreadContext*>(m_records.GetNext(pos));
    if (record->threadId == threadId) return record;
  }
  return nullptr;
}

int CThreadContextMap::AddCurrentThread() {
  const DWORD thread = ::GetCurrentThreadId();
  std::lock_guard<std::mutex> guard(m_lock);
  if (FindLocked(thread)) return 0;
  auto* record = new ThreadContext;
  record->threadId = thread;
  m_records.AddTail(record);
  return 1;
}

int CThreadContextMap::RemoveCurrentThread() {
  const DWORD thread = ::GetCurrentThreadId();
  std::lock_guard<std::mutex> guard(m_lock);
  for (POSITION pos = m_records.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    auto* record = static_cast<ThreadContext*>(m_records.GetNext(pos));
    if (record->threadId == thread) {
      m_records.RemoveAt(at);
      delete record;
      return 1;
    }
  }
  return 0;
}

ThreadContext* CThreadContextMap::FindCurrent() {
  const DWORD thread = ::GetCurrentThreadId();
  std::lock_guard<std::mutex> guard(m_lock);
  return FindLocked(thread);
}

template <class F>
ThreadContext* CThreadContextMap::Update(F change) {
  const DWORD thread = ::GetCurrentThreadId();
  std::lock_guard<std::mutex> guard(m_lock);
  ThreadContext* record = FindLocked(thread);
  if (record) change(*record);
  return record;
}

ThreadContext* CThreadContextMap::SetView(CMainView* view) {
  return Update([view](ThreadContext& r) { r.view = view; });
}

ThreadContext* CThreadContextMap::SetDocument(CMainDoc* document) {
  return Update([document](ThreadContext& r) { r.document = document; });
}

ThreadContext* CThreadContextMap::SetControl(CRaveloCtrl* control) {
  return Update([control](ThreadContext& r) { r.control = control; });
}

ThreadContext* CThreadContextMap::SetModuleHandle(HINSTANCE instance) {
  return Update([instance](ThreadContext& r) { r.moduleInstance = instance; });
}

ThreadContext* CThreadContextMap::SetTargetMissing(int flag) {
  return Update([flag](ThreadContext& r) { r.targetMissing = flag; });
}

void CThreadContextMap::SetBaseUrl(const CString& text) {
  Update([&text](ThreadContext& r) { r.baseUrl = text; });
}

CMainView* CThreadContextMap::GetView() {
  CMainView* view = nullptr;
  Update([&view](ThreadContext& r) { view = r.view; });
  return view;
}

CRaveloCtrl* CThreadContextMap::GetControl() {
  CRaveloCtrl* control = nullptr;
  Update([&control](ThreadContext& r) { control = r.control; });
  return control;
}

CMainDoc* CThreadContextMap::GetDocument() {
  CMainDoc* document = nullptr;
  Update([&document](ThreadContext& r) { document = r.document; });
  return document;
}

CString CThreadContextMap::GetBaseUrl() {
  CString text;
  Update([&text](ThreadContext& r) { text = r.baseUrl; });
  return text;
}

HINSTANCE CThreadContextMap::GetModuleHandle() {
  HINSTANCE instance = nullptr;
  Update([&instance](ThreadContext& r) { instance = r.moduleInstance; });
  return instance;
}

int CThreadContextMap::GetTargetMissing() {
  int flag = 0;
  Update([&flag](ThreadContext& r) { flag = r.targetMissing; });
  return flag;
}

int CThreadContextMap::GetCount() {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_records.GetCount();
}
