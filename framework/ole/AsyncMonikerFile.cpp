#include "framework/ole/AsyncMonikerFile.h"

#include <urlmon.h>
#include <wininet.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "framework/core/Codepage.h"
#include "framework/core/ComPtr.h"

// The binding's callback object. urlmon holds references to it beyond our Close, so it
// lives on its own count and forgets its file when the file lets go.
class CAsyncMonikerFile::Callback final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit Callback(CAsyncMonikerFile* owner) : m_owner(owner) {}

  CAsyncMonikerFile* m_owner;
  ComPtr<IMoniker> m_moniker;
  ComPtr<IBindCtx> m_context;
  ComPtr<IBinding> m_binding;

  // Lets go of the file and stops the binding.
  void Detach() {
    m_owner = nullptr;
    if (m_binding) m_binding->Abort();
    m_binding.reset();
    if (m_context) ::RevokeBindStatusCallback(m_context.get(), this);
    m_context.reset();
    m_moniker.reset();
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
      *object = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(iid, IID_IHttpNegotiate)) {
      *object = static_cast<IHttpNegotiate*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  STDMETHODIMP OnStartBinding(DWORD, IBinding* binding) override {
    if (!m_owner) return E_ABORT;
    m_binding = ComPtr<IBinding>::share(binding);
    Hold hold(this);
    m_owner->Started();
    return S_OK;
  }
  STDMETHODIMP GetPriority(LONG* priority) override {
    *priority = THREAD_PRIORITY_NORMAL;
    return S_OK;
  }
  STDMETHODIMP OnLowResource(DWORD) override { return S_OK; }
  STDMETHODIMP OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode, LPCWSTR text) override {
    Hold hold(this);
    if (m_owner) m_owner->OnProgress(progress, progressMax, statusCode, text);
    return m_owner ? S_OK : E_ABORT;
  }
  STDMETHODIMP OnStopBinding(HRESULT result, LPCWSTR text) override {
    Hold hold(this);
    if (m_owner) m_owner->Stopped(this, result, text);
    return S_OK;
  }
  STDMETHODIMP GetBindInfo(DWORD* flags, BINDINFO* info) override {
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA | BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE;
    const ULONG size = info->cbSize;
    std::memset(info, 0, size);
    info->cbSize = size;
    info->dwBindVerb = BINDVERB_GET;
    return S_OK;
  }
  STDMETHODIMP OnDataAvailable(DWORD flags, DWORD, FORMATETC*, STGMEDIUM* medium) override {
    Hold hold(this);
    if (!m_owner) return E_ABORT;
    IStream* stream = medium && medium->tymed == TYMED_ISTREAM ? medium->pstm : nullptr;
    return m_owner->TakeData(this, flags, stream) ? S_OK : E_ABORT;
  }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    *additional = nullptr;
    return S_OK;
  }
  STDMETHODIMP OnResponse(DWORD status, LPCWSTR headers, LPCWSTR, LPWSTR* additional) override {
    if (additional) *additional = nullptr;
    Hold hold(this);
    if (m_owner) m_owner->HttpResponse(status, headers);
    return S_OK;
  }

 private:
  // The file's handlers may close it, and with it this object's last reference.
  struct Hold {
    explicit Hold(Callback* callback) : m_callback(callback) { m_callback->AddRef(); }
    ~Hold() { m_callback->Release(); }
    Callback* m_callback;
  };

  ~Callback() = default;
  LONG m_references = 1;
};

namespace {

LONGLONG ContentLength(const wchar_t* headers) {
  if (!headers) return -1;
  static const wchar_t kName[] = L"content-length:";
  const size_t nameLength = wcslen(kName);
  for (const wchar_t* line = headers; *line;) {
    if (_wcsnicmp(line, kName, nameLength) == 0) {
      const wchar_t* value = line + nameLength;
      while (*value == L' ' || *value == L'\t') ++value;
      if (*value < L'0' || *value > L'9') return -1;
      wchar_t* end = nullptr;
      const long long length = wcstoll(value, &end, 10);
      return length >= 0 ? length : -1;
    }
    const wchar_t* next = wcschr(line, L'\n');
    if (!next) break;
    line = next + 1;
  }
  return -1;
}

CString Narrow(const wchar_t* text) { return text ? CString(codepage::FromWide(text, wcslen(text))) : CString(); }

}  // namespace

CAsyncMonikerFile::CAsyncMonikerFile() = default;

CAsyncMonikerFile::~CAsyncMonikerFile() { Release(); }

BOOL CAsyncMonikerFile::Open(const char* address, CFileException* error) {
  Close();
  m_address = address ? address : "";
  const std::wstring wide = codepage::ToWide(m_address.str());
  auto* callback = new Callback(this);
  m_callback = callback;
  HRESULT hr = ::CreateURLMonikerEx(nullptr, wide.c_str(), callback->m_moniker.out(), URL_MK_UNIFORM);
  if (SUCCEEDED(hr)) hr = ::CreateAsyncBindCtx(0, callback, nullptr, callback->m_context.out());
  ComPtr<IStream> stream;
  if (SUCCEEDED(hr)) hr = callback->m_moniker->BindToStorage(callback->m_context.get(), nullptr, IID_IStream, stream.outVoid());
  if (FAILED(hr)) {
    // Unless the failure was reported within the call and the file reopened meanwhile.
    if (m_callback == callback) Release();
    if (error) *error = CFileException(CFileException::fileNotFound, hr, m_address);
    return FALSE;
  }
  return TRUE;
}

void CAsyncMonikerFile::Close() {
  Release();
  SetLength(0);
  m_statusCode = 0;
  m_announcedLength = -1;
  m_complete = false;
}

void CAsyncMonikerFile::Release() {
  if (Callback* callback = m_callback) {
    m_callback = nullptr;
    callback->Detach();
    callback->Release();
  }
}

void CAsyncMonikerFile::Started() {
  SetLength(0);
  OnStartBinding();
}

void CAsyncMonikerFile::HttpResponse(DWORD status, const wchar_t* headers) {
  m_statusCode = status;
  m_announcedLength = ContentLength(headers);
}

bool CAsyncMonikerFile::TakeData(Callback* from, DWORD flags, IStream* stream) {
  if (m_statusCode >= 400) {
    CString text;
    text.Format("HTTP %lu: %s", static_cast<unsigned long>(m_statusCode), m_address.GetString());
    Fail(INET_E_DOWNLOAD_FAILURE, text);
    return false;
  }
  if (stream) {
    const ULONGLONG position = GetPosition();
    SeekToEnd();
    BYTE buffer[16384];
    for (;;) {
      ULONG got = 0;
      const HRESULT hr = stream->Read(buffer, sizeof buffer, &got);
      if (got) Write(buffer, got);
      if (GetLength() > kMaximumLength) {
        Fail(E_OUTOFMEMORY, "Too large: " + m_address);
        return false;
      }
      if (hr != S_OK || got == 0) break;
    }
    Seek(static_cast<LONGLONG>(position), begin);
  }
  if (!(flags & BSCF_LASTDATANOTIFICATION)) {
    OnDataAvailable(static_cast<DWORD>(GetLength()), flags);
    return m_callback == from;
  }
  if (m_announcedLength >= 0 && static_cast<LONGLONG>(GetLength()) < m_announcedLength) {
    Fail(INET_E_DOWNLOAD_FAILURE, "Incomplete: " + m_address);
    return false;
  }
  m_complete = true;
  OnDataAvailable(static_cast<DWORD>(GetLength()), flags);
  return m_callback == from;
}

void CAsyncMonikerFile::Stopped(Callback* from, HRESULT result, const wchar_t* text) {
  // Some protocols end without marking their last data: what arrived is the whole file
  // (or the status is a failure, reported there).
  if (SUCCEEDED(result) && !m_complete && !TakeData(from, BSCF_LASTDATANOTIFICATION, nullptr)) return;
  if (m_callback != from) return;  // the file was closed or reopened meanwhile
  Release();
  CString message = Narrow(text);
  if (FAILED(result) && message.IsEmpty()) message.Format("0x%08lX: %s", static_cast<unsigned long>(result), m_address.GetString());
  OnStopBinding(SUCCEEDED(result) ? S_OK : result, message);
}

void CAsyncMonikerFile::Fail(HRESULT result, const CString& text) {
  Release();
  OnStopBinding(result, text);
}
