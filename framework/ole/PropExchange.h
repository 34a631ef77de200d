// CPropExchange: one direction of a control's property exchange (loading from or saving
// to a stream or a property bag). DoPropExchange calls ExchangeVersion and the PX_
// functions; a loading exchange that meets bad data fails as a whole (IsFailed), and
// the control then applies none of what it read.
#pragma once

#include <objbase.h>

#include "framework/core/String.h"

class CPropExchange {
 public:
  // Texts longer than this are refused: no property of a control needs more, and a
  // page must not make the control hold megabytes.
  static constexpr int kMaxStringBytes = 4096;

  virtual ~CPropExchange() = default;
  CPropExchange(const CPropExchange&) = delete;
  CPropExchange& operator=(const CPropExchange&) = delete;

  BOOL IsLoading() const { return m_bLoading; }
  BOOL IsFailed() const { return m_bFailed; }
  // The error a failed exchange reports.
  HRESULT GetError() const { return m_error; }
  DWORD GetVersion() const { return m_dwVersion; }

  // Saving writes the version; loading reads it and fails when its major part (the high
  // word) is not the one this control writes.
  virtual BOOL ExchangeVersion(DWORD& version, DWORD defaultVersion, BOOL bConvert) = 0;
  // Loading: the stored text, or the default when the property is not stored.
  virtual BOOL ExchangeString(const char* name, CString& value, const char* defaultValue) = 0;

 protected:
  explicit CPropExchange(BOOL loading) : m_bLoading(loading) {}
  BOOL Fail(HRESULT error) {
    if (!m_bFailed) m_error = error;
    m_bFailed = TRUE;
    return FALSE;
  }

  BOOL m_bLoading;
  BOOL m_bFailed = FALSE;
  HRESULT m_error = S_OK;
  DWORD m_dwVersion = 0;
};

// FALSE (and nothing changed) when the exchange has failed.
BOOL PX_String(CPropExchange* pPX, const char* name, CString& value, const char* defaultValue = nullptr);
