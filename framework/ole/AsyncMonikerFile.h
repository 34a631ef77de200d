// CAsyncMonikerFile: a file downloaded through a URL moniker without blocking the
// thread. The binding's callbacks arrive on the thread that opened it, through its
// message loop; the body is kept in memory, so once the last data has arrived the
// whole file can be read and sought like any other.
//
// An HTTP answer of 400 or more, a binding that fails and a body shorter than the
// length the server announced are failures: OnStopBinding gets a failing result, and
// no data is offered as the last. Close aborts a binding in progress without any
// callback after it.
#pragma once

#include <windows.h>

#include "framework/core/MemFile.h"
#include "framework/core/String.h"

class CAsyncMonikerFile : public CMemFile {
 public:
  CAsyncMonikerFile();
  ~CAsyncMonikerFile() override;
  CAsyncMonikerFile(const CAsyncMonikerFile&) = delete;
  CAsyncMonikerFile& operator=(const CAsyncMonikerFile&) = delete;

  using CMemFile::Open;
  // Starts the download of the address. FALSE, with the cause in *error when given, if
  // it could not be started.
  virtual BOOL Open(const char* address, CFileException* error);
  // Aborts a download in progress and empties the file.
  void Close() override;

  // The address being (or last) downloaded, and the HTTP status its server gave (0 for
  // other schemes or before the answer).
  const CString& GetAddress() const { return m_address; }
  DWORD GetStatusCode() const { return m_statusCode; }
  BOOL IsBound() const { return m_callback != nullptr; }

  // The largest body taken before the download is abandoned as a failure.
  static constexpr ULONGLONG kMaximumLength = 256ull << 20;

 protected:
  virtual void OnStartBinding() {}
  virtual void OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode, const wchar_t* statusText) {}
  // Bytes arrived; size is the length so far, flags the BSCF_ bits (BSCF_LASTDATANOTIFICATION
  // once the whole body is here).
  virtual void OnDataAvailable(DWORD size, DWORD flags) {}
  // The binding ended: S_OK, or the failure with a text to show.
  virtual void OnStopBinding(HRESULT result, const CString& text) {}

 private:
  class Callback;
  friend class Callback;

  // From the callback, while this file is still its owner; each tells whether the
  // callback is still the file's afterwards.
  void Started();
  void HttpResponse(DWORD status, const wchar_t* headers);
  // Takes what the stream holds; false when the download must stop.
  bool TakeData(Callback* from, DWORD flags, IStream* stream);
  void Stopped(Callback* from, HRESULT result, const wchar_t* text);
  // Ends the binding with a failure of our own.
  void Fail(HRESULT result, const CString& text);
  void Release();

  Callback* m_callback = nullptr;
  CString m_address;
  DWORD m_statusCode = 0;
  LONGLONG m_announcedLength = -1;
  bool m_failed = false;
  CString m_failure;
  HRESULT m_failureResult = S_OK;
  bool m_complete = false;
};
