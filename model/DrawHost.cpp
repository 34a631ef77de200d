#include "model/DrawHost.h"

#include "model/DrawDoc.h"

namespace {
// One host per thread: each browser control plays on its own thread.
thread_local CDrawHost* t_host = nullptr;
}  // namespace

CDrawHost* GetDrawHost() { return t_host; }

CDrawHost* SetDrawHost(CDrawHost* host) {
  CDrawHost* previous = t_host;
  t_host = host;
  return previous;
}

CString ProgrammeFolder() {
  CDrawHost* host = GetDrawHost();
  CString folder = host ? host->GetProgrammeFolder() : CString();
  if (folder.IsEmpty() && host && host->GetDocument()) {
    const CString page = host->GetDocument()->GetPathName();
    const int slash = page.ReverseFind('\\');
    if (slash > 0) folder = page.Left(slash);
  }
  return folder;
}
