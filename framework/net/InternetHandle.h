// The owner of a WinINet handle (a session, a connection, a listing), closed with
// InternetCloseHandle.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "framework/core/ScopedHandle.h"

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::InternetCloseHandle(handle); }
};
using CInternetHandle = CScopedHandle<InternetHandleTraits>;
