// The web server of the control's download tests, as run-with-page-server describes it
// in the environment: its port, the folder it serves (pages are written there) and the
// log of the paths it was asked for.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/String.h"
#include "tests/package/PackageFixture.h"

class PageServer {
 public:
  PageServer() {
    m_port = Env("PAGE_SERVER_PORT");
    m_deadPort = Env("PAGE_SERVER_DEAD_PORT");
    m_root = Env("PAGE_SERVER_ROOT").c_str();
    m_log = Env("PAGE_SERVER_LOG");
    m_earlier = AllRequests().size();
  }

  bool Running() const { return !m_port.empty() && !m_root.IsEmpty(); }
  const std::string& DeadPort() const { return m_deadPort; }
  // The folder served, as a Windows path.
  const CString& Root() const { return m_root; }

  // "http://127.0.0.1:PORT" + path (which starts with "/").
  CString Url(const CString& path, const std::string& port = std::string()) const {
    return CString(("http://127.0.0.1:" + (port.empty() ? m_port : port)).c_str()) + path;
  }
  // A file under the served folder; the path is relative, with "/".
  void Write(const char* path, const std::string& bytes) const {
    CString file = m_root;
    for (const char* at = path;; ++at) {
      const char* slash = std::strchr(at, '/');
      if (!slash) {
        file += CString("\\") + at;
        break;
      }
      file += "\\" + CString(std::string(at, slash).c_str());
      ::CreateDirectoryA(file, nullptr);
      at = slash;
    }
    packagetest::WriteFileBytes(file, bytes);
  }
  // The paths asked since this object was made (the server serves every test), in order.
  std::vector<std::string> Requests() const {
    std::vector<std::string> paths = AllRequests();
    paths.erase(paths.begin(), paths.begin() + static_cast<long>(std::min(m_earlier, paths.size())));
    return paths;
  }

 private:
  std::vector<std::string> AllRequests() const {
    std::vector<std::string> paths;
    std::ifstream log(m_log);
    for (std::string line; std::getline(log, line);)
      if (!line.empty()) paths.push_back(line);
    return paths;
  }
  static std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
  }

  std::string m_port;
  std::string m_deadPort;
  CString m_root;
  std::string m_log;
  size_t m_earlier = 0;
};

// Runs the thread's messages (the download's callbacks, timers) until done() or the
// time is up; whether done() came. The control's page-size message stays in the queue
// for the test to read.
template <class Done>
bool PumpUntil(Done done, DWORD ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0x4FF, PM_REMOVE) ||
           ::PeekMessageA(&msg, nullptr, 0x501, 0xFFFFFFFF, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (::GetTickCount() - start >= ms) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
