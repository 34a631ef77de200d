#include "model/DrawHost.h"

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
