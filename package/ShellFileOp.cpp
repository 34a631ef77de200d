#include "package/ShellFileOp.h"

#include <shellapi.h>

#include <string>

#include "framework/core/Codepage.h"

namespace {

// Narrow strings are code page 936 whatever the system's ANSI code page is, as CFile
// takes them; the wide call keeps a copy's paths the same as those of the files opened.
std::wstring WideList(const std::vector<char>& list) {
  std::wstring wide;
  size_t start = 0;
  while (start < list.size() && list[start] != '\0') {
    size_t end = start;
    while (list[end] != '\0') ++end;
    wide += codepage::ToWide(list.data() + start, end - start);
    wide += L'\0';
    start = end + 1;
  }
  wide += L'\0';
  return wide;
}

}  // namespace

CShellFileOp::CShellFileOp() : m_source(2, '\0'), m_destination(2, '\0') {}

void CShellFileOp::AddPath(int list, const char* path) {
  std::vector<char>& target = list == source ? m_source : m_destination;
  const std::string text(path ? path : "");
  if (text.empty()) return;  // an empty path would end the list early
  // Drop the closing NUL (and the placeholder of an empty list), then append.
  target.pop_back();
  if (target.size() == 1) target.clear();
  target.insert(target.end(), text.begin(), text.end());
  target.push_back('\0');
  target.push_back('\0');
}

int CShellFileOp::Copy() {
  const std::wstring from = WideList(m_source);
  const std::wstring to = WideList(m_destination);
  SHFILEOPSTRUCTW op = {};
  op.hwnd = nullptr;
  op.wFunc = FO_COPY;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = static_cast<FILEOP_FLAGS>(m_flags);
  op.fAnyOperationsAborted = FALSE;
  int result = ::SHFileOperationW(&op);
  if (result == 0 && op.fAnyOperationsAborted) result = ERROR_CANCELLED;
  return result;
}
