// CWinApp's settings: the registry under HKCU\Software\<registry key>\<app name>\<section>
// once a registry key is set, the program's INI file otherwise.
#include <vector>

#include "framework/core/ScopedHandle.h"
#include "framework/ui/RecentFileList.h"
#include "framework/ui/WinApp.h"

namespace {

HKEY OpenSubKey(HKEY parent, const char* name, BOOL create) {
  HKEY key = nullptr;
  LONG result;
  if (create) {
    DWORD disposition = 0;
    result = ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                               &disposition);
  } else {
    result = ::RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key);
  }
  return result == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  m_pszRegistryKey = lpszRegistryKey;
  m_pszProfileName = m_pszAppName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey(BOOL bCreate) const {
  if (m_pszRegistryKey.IsEmpty() || m_pszProfileName.IsEmpty()) return nullptr;
  CScopedRegistryKey software(OpenSubKey(HKEY_CURRENT_USER, "Software", bCreate));
  if (!software.get()) return nullptr;
  CScopedRegistryKey company(OpenSubKey(software.get(), m_pszRegistryKey, bCreate));
  if (!company.get()) return nullptr;
  return OpenSubKey(company.get(), m_pszProfileName, bCreate);
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection, BOOL bCreate) const {
  CScopedRegistryKey app(GetAppRegistryKey(bCreate));
  if (!app.get()) return nullptr;
  return OpenSubKey(app.get(), lpszSection, bCreate);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) const {
  if (m_pszRegistryKey.IsEmpty())
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
  CScopedRegistryKey section(GetSectionKey(lpszSection, FALSE));
  if (!section.get()) return static_cast<UINT>(nDefault);
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (::RegQueryValueExA(section.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return static_cast<UINT>(nDefault);
  return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey.IsEmpty()) {
    CString text;
    text.Format("%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
  }
  CScopedRegistryKey section(GetSectionKey(lpszSection, TRUE));
  if (!section.get()) return FALSE;
  const DWORD value = static_cast<DWORD>(nValue);
  return ::RegSetValueExA(section.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) const {
  const CString fallback(lpszDefault);
  if (m_pszRegistryKey.IsEmpty()) {
    std::vector<char> buffer(4096);
    ::GetPrivateProfileStringA(lpszSection, lpszEntry, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                               m_pszProfileName);
    return CString(buffer.data());
  }
  CScopedRegistryKey section(GetSectionKey(lpszSection, FALSE));
  if (!section.get()) return fallback;
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(section.get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return fallback;
  std::vector<char> buffer(size + 1, '\0');
  if (::RegQueryValueExA(section.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return fallback;
  buffer[size < buffer.size() ? size : buffer.size() - 1] = '\0';
  return CString(buffer.data());
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
  if (m_pszRegistryKey.IsEmpty())
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
  if (!lpszEntry) {
    CScopedRegistryKey app(GetAppRegistryKey(FALSE));
    return !app.get() || ::RegDeleteKeyA(app.get(), lpszSection) == ERROR_SUCCESS;
  }
  if (!lpszValue) {
    CScopedRegistryKey section(GetSectionKey(lpszSection, FALSE));
    if (!section.get()) return TRUE;
    const LONG result = ::RegDeleteValueA(section.get(), lpszEntry);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
  }
  CScopedRegistryKey section(GetSectionKey(lpszSection, TRUE));
  if (!section.get()) return FALSE;
  return ::RegSetValueExA(section.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                          static_cast<DWORD>(lstrlenA(lpszValue) + 1)) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (nMaxMRU == 0) return;
  m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
}
