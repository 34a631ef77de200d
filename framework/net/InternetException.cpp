#include "framework/net/InternetException.h"

#include <wininet.h>

#include <vector>

#include "framework/core/FrameworkStrings.h"

namespace {

// The library's last response text for this thread; empty when there is none.
CString LastResponse() {
  DWORD code = 0, length = 0;
  ::InternetGetLastResponseInfoA(&code, nullptr, &length);
  if (length == 0) return CString();
  std::vector<char> text(length + 1, '\0');
  if (!::InternetGetLastResponseInfoA(&code, text.data(), &length)) return CString();
  CString response(text.data());
  response.TrimRight();
  return response;
}

// The system's text for a code; WinINet's codes have their texts in its own module.
CString SystemText(DWORD error) {
  char* buffer = nullptr;
  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  HMODULE library = nullptr;
  if (error >= INTERNET_ERROR_BASE && error <= INTERNET_ERROR_LAST) {
    library = ::GetModuleHandleA("wininet.dll");
    if (library) flags |= FORMAT_MESSAGE_FROM_HMODULE;
  }
  CString text;
  if (::FormatMessageA(flags, library, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr) && buffer) {
    text = buffer;
    text.TrimRight();
  }
  if (buffer) ::LocalFree(buffer);
  return text;
}

}  // namespace

CInternetException::CInternetException(DWORD dwError, DWORD_PTR dwContext)
    : m_dwError(dwError), m_dwContext(dwContext), m_strResponse(LastResponse()) {}

CString CInternetException::GetErrorMessage() const {
  CString text = SystemText(m_dwError);
  if (text.IsEmpty()) text.Format(FrameworkText(AFX_IDS_INTERNET_ERROR), static_cast<unsigned long>(m_dwError));
  if (!m_strResponse.IsEmpty()) text += "\n" + m_strResponse;
  return text;
}

void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError) {
  throw CInternetException(dwError ? dwError : ::GetLastError(), dwContext);
}
