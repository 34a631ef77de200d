// The discrete actions that reach outside the page: running an external program and
// switching to another page. A host that plays pages from the web allows neither a
// program nor a page named by a local or network path.
#include <string>

#include "behaviour/ActionWindow.h"
#include "behaviour/GoToPage.h"
#include "behaviour/PageRun.h"
#include "behaviour/StandardBehaviour.h"
#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"
#include "framework/core/ScopedHandle.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "resources/ModelStrings.h"

namespace {

bool IsDue(const CMethod& action, DWORD kind, int t) {
  return action.m_nType == kind && ActionWindow::Contains(action, t);
}

std::wstring CurrentDirectory() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return std::wstring();
  std::wstring directory(size, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(size, &directory[0]);
  directory.resize(length < size ? length : 0);
  return directory;
}

// Opens the file as the shell does (a program starts, a document opens in its program)
// and waits for the process to end: the run stays frozen meanwhile.
void ShellOpenAndWait(HWND owner, const std::wstring& file) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWMAXIMIZED;
  if (!::ShellExecuteExW(&info)) return;
  CScopedKernelHandle process(info.hProcess);  // none when a running program took the document
  if (!process.get()) return;
  if (::WaitForSingleObject(process.get(), INFINITE) == WAIT_FAILED) return;
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.get(), &exitCode);
}

void RunProgram(CDrawHost& host, const CString& path) {
  host.KillPlaybackTimer();
  const std::wstring saved = CurrentDirectory();
  // The program starts in its own folder (or the nearest one that exists).
  const CString folder = host.ExistingDirPrefix(path);
  if (!folder.IsEmpty()) ::SetCurrentDirectoryW(codepage::ToWide(folder.str()).c_str());
  const std::wstring file = codepage::ToWide(path.str());
  if (file.empty() || ::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
    AfxMessageBox(IDS_PROGRAM_MISSING, MB_OK);
  else
    ShellOpenAndWait(host.GetViewWindow(), file);
  // Finding the folder may have changed the current directory even when it found none.
  if (!saved.empty()) ::SetCurrentDirectoryW(saved.c_str());
  host.SetPlaybackTimer(CPageRun::kResumePeriod);  // the run resumes once the program has ended
}

// A drive ("c:"), a scheme ("file:"), a root or a server ("\\server\share"): names that
// leave the folder of the pages. ':' and '/' never occur as the second byte of a double-
// byte character, and the first byte of a name is never one.
bool LeavesThePageFolder(const CString& name) {
  if (name.IsEmpty()) return false;
  const char first = name.GetString()[0];
  return first == '\\' || first == '/' || name.Find(':') >= 0;
}

}  // namespace

void CStandardBehaviour::StepRunProgram(CDrawObj& object, int t, CView*) {
  for (int i = 0; i < object.m_actions.GetSize(); ++i) {
    if (!IsDue(object.m_actions[i], CMethod::typeRunProgram, t)) continue;
    CDrawHost* host = GetDrawHost();
    if (!host) return;
    const CString path = object.m_actions[i].m_strTarget;  // message boxes and the wait below pump messages
    if (!host->AllowsLocalAccess()) {
      CString text;
      text.Format(IDS_PROGRAM_REFUSED, path.GetString());
      AfxMessageBox(text, MB_ICONERROR);
      continue;
    }
    RunProgram(*host, path);
  }
}

void CStandardBehaviour::StepPageSwitch(CDrawObj& object, int t, CView*) {
  for (int i = 0; i < object.m_actions.GetSize(); ++i) {
    const CMethod& action = object.m_actions[i];
    if (!IsDue(action, CMethod::typePageSwitch, t)) continue;
    // Only the first due page switch is served: one jump per frame.
    CString name = action.m_nMode && !action.m_strSource.IsEmpty() ? action.m_strSource : action.m_strTarget;
    if (name.IsEmpty()) {
      AfxMessageBox(IDS_PAGE_NAME_EMPTY, MB_ICONERROR);
      return;
    }
    CDrawHost* host = GetDrawHost();
    if (host && !host->AllowsLocalAccess() && LeavesThePageFolder(name)) {
      CString text;
      text.Format(IDS_PAGE_PATH_REFUSED, name.GetString());
      AfxMessageBox(text, MB_ICONERROR);
      return;
    }
    if (name.Find('.') < 0) name += ".rvx";
    CString path = (host ? host->GetPageFolder() : CString()) + name;
    if (!host || !host->KeepsPageNameCase()) path.MakeLower();  // character-aware: Chinese names keep their second bytes
    GoToPage(path);
    return;  // this object may belong to no page any more
  }
}
